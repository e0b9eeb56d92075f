#include "world/cities_diagram.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cwchar>
#include <deque>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/console.h"
#include "core/csv_file.h"
#include "core/front_end.h"
#include "core/paths.h"
#include "core/string_table.h"
#include "core/table_fields.h"
#include "core/text.h"
#include "core/text_file.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"

namespace {

// A whole field as a decimal integer, blanks around it allowed.
bool ParseInt(const std::wstring& field, int& value) {
  const wchar_t* begin = field.c_str();
  wchar_t* end = nullptr;
  errno = 0;
  const long v = std::wcstol(begin, &end, 10);
  if (end == begin || errno != 0 || v < INT32_MIN || v > INT32_MAX) return false;
  while (*end == L' ' || *end == L'\t') ++end;
  if (*end != L'\0') return false;
  value = static_cast<int>(v);
  return true;
}

// A link line of plain numbers, as the tools write it: at least five
// fields, each non-empty one an optional '-' and one to nine digits, empty
// ones dropped. Fills the first five; false for any other line, which goes
// the general way.
bool ReadPlainLink(std::string_view line, int v[5]) {
  int count = 0;
  size_t i = 0;
  while (i <= line.size()) {
    if (i == line.size() || line[i] == ';') {
      ++i;
      continue;
    }
    const bool negative = line[i] == '-';
    size_t j = negative ? i + 1 : i;
    int value = 0;
    const size_t digits = j;
    // Nine digits always fit; a longer number goes the general way before
    // it could overflow here.
    while (j < line.size() && line[j] >= '0' && line[j] <= '9') {
      if (j - digits == 9) return false;
      value = value * 10 + (line[j++] - '0');
    }
    if (j == digits || (j < line.size() && line[j] != ';')) return false;
    if (count < 5) v[count] = negative ? -value : value;
    ++count;
    i = j;
  }
  return count >= 5;
}

// The country or one of its allies holds the city.
bool HeldByFriend(const cMiasto* city, int country, const cPanstwo* c) {
  const int controller = city->GetController();
  if (controller == 0) return false;
  return controller == country || (c != nullptr && c->IsAlly(controller));
}

cMiasto* CityAt(int x, int y) {
  cMapa* map = gGra->map;
  if (!map->IsInside(x, y)) return nullptr;
  return map->GetHex(x, y)->city;
}

}  // namespace

void cDiagramMiast::AddCityNodes(const std::list<cMiasto*>& cities) {
  for (cMiasto* city : cities) {
    if (city->type == kCityResources) continue;
    const int index = static_cast<int>(nodes.size());
    sWezelDiagramuMiast node;
    node.city = city;
    nodes.push_back(std::move(node));
    cityNodes.emplace_back(index, city);
    city->diagramIndex = index;
  }
}

sWezelDiagramuMiast* cDiagramMiast::NodeOf(const cMiasto* city) {
  if (city == nullptr || city->diagramIndex < 0 || static_cast<size_t>(city->diagramIndex) >= nodes.size())
    return nullptr;
  sWezelDiagramuMiast& node = nodes[static_cast<size_t>(city->diagramIndex)];
  return node.city == city ? &node : nullptr;
}

const sWezelDiagramuMiast* cDiagramMiast::NodeOf(const cMiasto* city) const {
  return const_cast<cDiagramMiast*>(this)->NodeOf(city);
}

void cDiagramMiast::LoadCitiesDiagram(const std::wstring& scenarioName) {
  if (gGra == nullptr || gGra->map == nullptr)
    FatalExit(Txt("error_while_reading_cities_diagram._cannot_retrieve_map_pointer._end."));
  const std::wstring path = L"data\\scenarios\\" + scenarioName + L"\\cities_diagram.csv";
  LogLine(L"Otwieram plik z diagramem miast ze \u010f\u017c\u02ddcie\u010f\u017c\u02ddk\u010f\u017c\u02dd...");
  LogLine(path);
  std::FILE* f = OpenGameFile(path, "rb");
  if (f == nullptr) {
    nodes.clear();
    cityNodes.clear();
    FatalExit(L"Blad otwarcia pliku! (nie istnieje?)");
  }
  LogLine(L"Otwarcie OK");

  // Each city's first node index and the nodes that stand for it, looked up
  // once instead of per link.
  std::unordered_map<const cMiasto*, int> nodeIndex;
  for (const auto& [index, city] : cityNodes) nodeIndex.emplace(city, index);
  std::unordered_map<const cMiasto*, std::vector<size_t>> nodesOfCity;
  for (size_t i = 0; i < nodes.size(); ++i) nodesOfCity[nodes[i].city].push_back(i);

  std::string line;
  int lineNumber = 0;
  while (ReadTextLine(f, line)) {
    ++lineNumber;
    // The line's break counts towards its length.
    if (line.size() + 1 <= 2 || line[0] == '#') continue;
    int v[5];
    bool ok = true;
    if (!ReadPlainLink(line, v)) {
      const std::vector<std::wstring> fields = SplitTableLine(Cp1252ToWide(line));
      if (fields.size() < 5) {
        WarnShortRow(path, lineNumber, static_cast<int>(fields.size()), 5);
        continue;
      }
      for (int i = 0; i < 5; ++i) ok = ok && ParseInt(fields[static_cast<size_t>(i)], v[i]);
    }
    if (!ok || (v[4] != kDiagramLinkLand && v[4] != kDiagramLinkSea)) {
      LogLine(WFormat(L"WARNING: malformed link in %s line %i skipped", path.c_str(), lineNumber));
      continue;
    }
    cMiasto* from = CityAt(v[0], v[1]);
    cMiasto* to = CityAt(v[2], v[3]);
    if (from == nullptr || to == nullptr) {
      std::fclose(f);
      FatalExit(WFormat(Txt("critical_error_at_line_%i._no_city_at_given_coordinates").c_str(), lineNumber));
    }
    const auto found = nodeIndex.find(to);
    const int target = found != nodeIndex.end() ? found->second : -1;
    if (target < 0) {
      std::fclose(f);
      FatalExit(WFormat(Txt("critical_error._cannot_find_node_index_for_city_%s_(line_%i)").c_str(), to->name.c_str(),
                        lineNumber));
    }
    if (const auto own = nodesOfCity.find(from); own != nodesOfCity.end())
      for (size_t i : own->second) nodes[i].links.push_back({target, v[4]});
  }
  std::fclose(f);
}

bool cDiagramMiast::FindCityPath(const cMiasto* start, const cMiasto* target, int country, std::list<cMiasto*>& out) {
  out.clear();
  for (sWezelDiagramuMiast& n : nodes) n.visited = 0;
  const sWezelDiagramuMiast* from = NodeOf(start);
  const sWezelDiagramuMiast* to = NodeOf(target);
  if (from == nullptr || to == nullptr) return false;
  // The start city's hop counts tell at once when no land link leads there.
  if (static_cast<size_t>(target->diagramIndex) < start->hops.size() &&
      start->hops[static_cast<size_t>(target->diagramIndex)] == -1)
    return false;
  const cPanstwo* c = gGra != nullptr ? gGra->GetCountry(country) : nullptr;
  if (!HeldByFriend(start, country, c)) return false;

  std::vector<int> parent(nodes.size(), -1);
  std::deque<int> queue;
  queue.push_back(start->diagramIndex);
  nodes[static_cast<size_t>(start->diagramIndex)].visited = 1;
  while (!queue.empty()) {
    const int n = queue.front();
    queue.pop_front();
    if (n == target->diagramIndex) {
      out.push_back(nodes[static_cast<size_t>(n)].city);
      for (int k = parent[static_cast<size_t>(n)]; k >= 0 && k != start->diagramIndex; k = parent[static_cast<size_t>(k)])
        out.push_back(nodes[static_cast<size_t>(k)].city);
      return true;
    }
    for (const sSasiadDiagramu& link : nodes[static_cast<size_t>(n)].links) {
      if (link.kind != kDiagramLinkLand) continue;
      sWezelDiagramuMiast& next = nodes[static_cast<size_t>(link.target)];
      if (next.visited != 0 || !HeldByFriend(next.city, country, c)) continue;
      next.visited = 1;
      parent[static_cast<size_t>(link.target)] = n;
      queue.push_back(link.target);
    }
  }
  return false;
}

bool cDiagramMiast::HasSeaLinkToAlliedCity(const cMiasto* city, int country) const {
  const sWezelDiagramuMiast* node = NodeOf(city);
  const cPanstwo* c = gGra != nullptr ? gGra->GetCountry(country) : nullptr;
  if (node == nullptr || c == nullptr) return false;
  for (const sSasiadDiagramu& link : node->links) {
    if (link.kind != kDiagramLinkSea) continue;
    const cMiasto* other = nodes[static_cast<size_t>(link.target)].city;
    if (other != nullptr && c->IsAlly(other->GetController())) return true;
  }
  return false;
}

void cDiagramMiast::ResetAiValues() {
  for (sWezelDiagramuMiast& n : nodes) {
    n.assigned = 0;
    n.visited = 0;
    std::fill(std::begin(n.landStrengths), std::end(n.landStrengths), 0.0f);
    std::fill(std::begin(n.airValues), std::end(n.airValues), 0.0f);
    n.ownUnitCount = 0;
  }
}
