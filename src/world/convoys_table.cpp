// "convoys.csv": the convoys of a scenario or saved game.
#include <cstdio>

#include "core/console.h"
#include "core/csv_file.h"
#include "core/front_end.h"
#include "core/table_fields.h"
#include "core/text.h"
#include "persistence/save_file.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/folder_template.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/sea_graph.h"
#include "world/table_reader.h"

namespace {

constexpr uint16_t kConvoyColumns = 6;
constexpr int kMaxConvoyId = 1000000;
// Far more production than a whole world makes in a turn.
constexpr int kMaxConvoyValue = 1000000;

// The node of a row; one that is no node is fatal.
const sWezelGrafuMorz& NodeOfRow(int convoyId, int nodeId, const wchar_t* end) {
  const sWezelGrafuMorz* node = gGra->seaGraph.FindNode(nodeId);
  if (node == nullptr)
    FatalExit(WFormat(L"ERROR: Convoy with ID=%i has %s sea node with ID=%i, there's no such sea node!", convoyId, end,
                      nodeId),
              1, true);
  return *node;
}

// The port city on the node's main hex; none, or a city that is no port,
// is fatal.
cMiasto* PortCityOfRow(int convoyId, const sWezelGrafuMorz& node, const wchar_t* end) {
  cMiasto* city = nullptr;
  if (gGra->map != nullptr && gGra->map->IsInside(node.mainX, node.mainY))
    city = gGra->map->GetHex(node.mainX, node.mainY)->city;
  if (city == nullptr || !city->IsPort())
    FatalExit(WFormat(L"ERROR: Convoy with ID=%i has %s sea node with ID=%i, there's no port city for this sea node!",
                      convoyId, end, node.id),
              1, true);
  return city;
}

int SeaNodeNumberOf(const cMiasto* city) {
  const sHex* hex = city != nullptr ? city->GetHex() : nullptr;
  return hex != nullptr ? hex->seaNodeMarker : 0;
}

}  // namespace

void cKonwoje::LoadConvoys(const std::wstring& pathTemplate) {
  const std::wstring path = FormatFolderTemplate(pathTemplate, L"convoys.csv");
  LogLine(path);
  cCsvFile file;
  if (!file.Open(path)) FatalExit(L"Blad otwarcia pliku! (nie istnieje?)", 1, true);
  Resize(static_cast<int>(gGra->countries.size()));

  ForEachTableRow(
      file, kConvoyColumns,
      [&](uint16_t) {
        const std::vector<std::wstring>& f = file.fields;
        const int line = file.LineNumber();
        sKonwoj k;
        // New convoys are numbered on from the highest id.
        k.id = RangedIntField(f[0], {0, kMaxConvoyId, eOutOfRange::kFatal}, {path, line, L"ID"});
        k.countryId = ReadIntField(f[1]);
        k.kind = ReadIntField(f[2]);
        k.value = RangedIntField(f[3], {0, kMaxConvoyValue}, {path, line, L"Value"});
        const sWezelGrafuMorz& from = NodeOfRow(k.id, ReadIntField(f[4]), L"departure");
        const sWezelGrafuMorz& to = NodeOfRow(k.id, ReadIntField(f[5]), L"destination");
        k.departure = PortCityOfRow(k.id, from, L"departure");
        k.destination = PortCityOfRow(k.id, to, L"destination");
        k.departurePortSize = from.currentSize;
        // A convoy must belong to a country of the game: its list is where
        // execution and saving find it.
        if (k.countryId < 1 || static_cast<size_t>(k.countryId) > convoys.size())
          FatalExit(WFormat(L"ERROR: Convoy with ID=%i in %s line %i has owner ID=%i, there's no such country!", k.id,
                            path.c_str(), file.LineNumber(), k.countryId),
                    1, true);
        convoys[static_cast<size_t>(k.countryId) - 1].push_back(k);
      },
      [](uint16_t) {});
}

void SaveConvoys(const std::wstring& folder) {
  const std::wstring path = SaveFilePath(folder, L"convoys.csv");
  std::FILE* f = OpenSaveFileOrDie(path, TableSaveMessages());
  std::string text =
      "#Convoys\r\n#ID;Owner ID;Type [0=supplies 1=PP];Value (PP amount);Departure port ID;Destination port ID;";
  if (gGra != nullptr && gGra->convoys != nullptr)
    for (const std::vector<sKonwoj>& list : gGra->convoys->convoys)
      for (const sKonwoj& k : list)
        text += Format("\r\n%i;%i;%i;%i;%i;%i;", k.id, k.countryId, k.kind, k.value, SeaNodeNumberOf(k.departure),
                       SeaNodeNumberOf(k.destination));
  std::fwrite(text.data(), 1, text.size(), f);
  CloseSaveFileOrDie(f, path);
}
