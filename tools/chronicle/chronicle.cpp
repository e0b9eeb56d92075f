// Plays the shipped scenario with every country a computer player, once per
// seed, each game in a process of its own (several at once), and prints a
// table of what happened in each: the date of every surrender, of every war
// between a major country and another country, Germany's largest extent,
// the counts of land combats, air fights, sea battles, sea invasions and
// paradrops, the largest reserve left idle, the time the game took and the
// size of its log, and the ends of turn at which the world was not
// consistent (a unit at strength 0 or below left in a list, and the rest of
// the world consistency check); such a game fails the run. With --csv it
// also writes one line per turn per seed.
//
//   chronicle [--jobs N] [--csv FOLDER] [--data FOLDER] [--full-ranges] [seed ...]
//
// --full-ranges floods every move range anew after every attack instead of
// only those an attack changed: the games must come out the same.
//
// The scenario is read from FOLDER/data/scenarios (by default the source
// tree's), the string base from the build's game folder. Each game's log
// goes to a scratch folder of its own.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ai/ai.h"
#include "core/console.h"
#include "core/front_end.h"
#include "core/game_lock.h"
#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "persistence/load_request.h"
#include "persistence/loader.h"
#include "rules/worker_thread.h"
#include "support/world_consistency.h"
#include "units/reserve_pool.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/play_order.h"
#include "world/relations.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kGermany = "Germany";
// A country keeping more land units than this idle in reserve is noted.
constexpr int kIdleReserveLimit = 10;

// ---- one game, in the child process -------------------------------------------

// Log lines that mark one of the counted actions.
struct sCounters {
  std::atomic<int> landCombats{0}, airFights{0}, seaBattles{0}, invasions{0}, paradrops{0}, fleetsWithoutPath{0};
};

void CountLine(sCounters& c, const std::wstring& line) {
  if (line.find(L" is attacked. Directions=") != std::wstring::npos) ++c.landCombats;
  else if (line.find(L") airfight with ") != std::wstring::npos) ++c.airFights;
  else if (line == L"Check succeeded, starting battle") ++c.seaBattles;
  else if (line.find(L"Amphibious invasion - unloading") != std::wstring::npos) ++c.invasions;
  else if (line.rfind(L"[AI] ", 0) == 0 && line.find(L" dropped on ") != std::wstring::npos) ++c.paradrops;
  else if (line.rfind(L"WARNING: fleet ", 0) == 0 && line.find(L"there's no path") != std::wstring::npos) ++c.fleetsWithoutPath;
}

std::string DateText(const cGra& g) {
  const int day = g.date.GetDayOfMonth(TurnsPerMonth(g.consts.turnsPerMonth));
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", g.date.year, g.date.month, day);
  return text;
}

std::string Name(const cPanstwo* c) { return WideToUtf8(c->name); }

// Watches the game after every end of turn from the worker thread.
class cChronicleFrontEnd : public cQuietFrontEnd {
 public:
  cChronicleFrontEnd(sCounters& counters, std::ofstream* csv) : counters_(counters), csv_(csv) {}

  void RefreshMinimapDate() override {
    if (gGra != nullptr) Sample(*gGra);
  }
  // The date of the turn about to be played; set after the load.
  void Start(const std::string& date) { turnDate_ = date; }

  std::vector<std::pair<std::string, std::string>> milestones;  // name, date
  int germanyMost = 0;
  std::string germanyMostDate;
  int germanyLeastAfterMost = 0;
  int germanyLast = 0;
  int turns = 0;
  int idleMost = 0;
  std::string idleMostWho;
  int idleLongest = 0;  // turns in a row over the limit with a city to deploy in
  std::string idleLongestWho;
  int inconsistentTurns = 0;
  std::string firstFault;
  std::vector<double> turnSeconds;

 private:
  void Sample(cGra& g) {
    const Clock::time_point now = Clock::now();
    if (turns > 0) turnSeconds.push_back(std::chrono::duration<double>(now - lastTurn_).count());
    lastTurn_ = now;
    ++turns;
    // What the end of a turn brought is dated by that turn.
    const std::string date = turnDate_;
    turnDate_ = DateText(g);
    const std::vector<std::string> faults = world_consistency::CheckWorld(g);
    if (!faults.empty() && inconsistentTurns++ == 0) firstFault = date + ": " + faults.front();
    for (const cPanstwo* c : g.countries) {
      if (c->politicalStrength < 0) continue;
      bool& was = active_[c->id];
      if (turns > 1 && was && c->active == 0) milestones.push_back({Name(c) + " surrenders", date});
      was = c->active != 0;
    }
    for (const cPanstwo* a : g.countries) {
      if (a->power != 1) continue;
      for (const cPanstwo* b : g.countries) {
        if (b == a || (b->power == 1 && b->id < a->id) || b->politicalStrength < 0) continue;
        const bool war = g.relations.IsAtWar(a->id, b->id) != 0;
        const auto key = std::make_pair(a->id, b->id);
        if (war && wars_.insert(key).second) milestones.push_back({"war " + Name(a) + " - " + Name(b), date});
      }
    }
    int germany = 0;
    int germanyId = -1;
    for (const cPanstwo* c : g.countries)
      if (Name(c) == kGermany) germanyId = c->id;
    if (g.map != nullptr)
      for (const sHex& h : g.map->hexes) germany += h.controller == germanyId ? 1 : 0;
    if (germany > germanyMost) {
      germanyMost = germany;
      germanyMostDate = date;
      germanyLeastAfterMost = germany;
    }
    germanyLeastAfterMost = std::min(germanyLeastAfterMost, germany);
    germanyLast = germany;

    std::map<int, int> reserve;
    for (const cJednostka* u : g.reserve)
      if (u->category == kCategoryLand) ++reserve[u->countryId];
    std::string idleWhoNow;
    int idleNow = 0;
    for (const cPanstwo* c : g.countries) {
      if (c->active == 0) continue;
      const int n = reserve[c->id];
      if (n > idleNow) {
        idleNow = n;
        idleWhoNow = Name(c);
      }
      int& streak = idleStreak_[c->id];
      bool canDeploy = false;
      if (n > kIdleReserveLimit)
        for (const cMiasto* city : g.cities)
          if (FindReservePlacementHex(*city, *c).x >= 0) {
            canDeploy = true;
            break;
          }
      streak = canDeploy ? streak + 1 : 0;
      if (streak > idleLongest) {
        idleLongest = streak;
        idleLongestWho = Name(c);
      }
    }
    if (idleNow > idleMost) {
      idleMost = idleNow;
      idleMostWho = idleWhoNow;
    }
    if (csv_ != nullptr) {
      *csv_ << turns << ',' << date << ',' << germany << ',' << counters_.landCombats << ',' << counters_.airFights
            << ',' << counters_.seaBattles << ',' << counters_.invasions << ',' << counters_.paradrops << ','
            << idleNow << ',' << idleWhoNow << '\n';
    }
  }

  sCounters& counters_;
  std::ofstream* csv_;
  Clock::time_point lastTurn_{};
  std::string turnDate_;
  std::map<int, bool> active_;
  std::set<std::pair<int, int>> wars_;
  std::map<int, int> idleStreak_;
};

int PlayOne(uint32_t seed, const std::string& resultPath, const std::string& csvPath, bool fullRanges) {
  gConsole.FlushOnCrash();
  cAI::reuseMoveRanges = !fullRanges;
  CreateGameLock();
  if (!gStringTable.LoadFile(BRENNMARK_GAME_DIR "/lang_ENG.db", true, kShippedStringBaseDigest, "data/addsettings")) {
    std::fprintf(stderr, "seed %u: the string base could not be loaded\n", seed);
    return 1;
  }
  sCounters counters;
  gConsole.SetListener([&counters](const std::wstring& line) { CountLine(counters, line); });
  std::ofstream csv;
  if (!csvPath.empty()) {
    csv.open(csvPath, std::ios::binary);
    csv << "turn,date,germany_hexes,land_combats,air_fights,sea_battles,sea_invasions,paradrops,largest_reserve,"
           "largest_reserve_country\n";
  }
  cChronicleFrontEnd fe(counters, csv.is_open() ? &csv : nullptr);
  SetFrontEnd(&fe);
  SeedRandom(seed);
  const Clock::time_point start = Clock::now();
  if (LoadNewScenario(ScenarioLoadRequest(kDefaultScenario)) != 0 || gGra == nullptr) {
    std::fprintf(stderr, "seed %u: the scenario did not load\n", seed);
    return 1;
  }
  cGra& g = *gGra;
  for (cPanstwo* c : g.countries) c->humanControlled = 0;
  const std::string firstDate = DateText(g);
  fe.Start(firstDate);
  g.selection.SetCurrentCountry(DetermineCurrentCountry(g.countries));
  g.SetState(kStateComputerPlays);
  SetWorkerSeed(seed);
  StartWorkerThread();
  while (g.GetState() != kStateHumanPlays) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  StopWorkerThread();
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  const std::string lastDate = DateText(g);
  // Countries that never went to war and end in debt.
  int inDebt = 0;
  double poorest = 0.0;
  std::string poorestName = "-";
  for (const cPanstwo* c : g.countries) {
    if (c->politicalStrength < 0 || c->active == 0 || c->IsAtWarWithAnyone()) continue;
    if (c->productionPoints < 0.0) ++inDebt;
    if (c->productionPoints < poorest) {
      poorest = c->productionPoints;
      poorestName = Name(c);
    }
  }
  gConsole.Close();
  std::error_code ec;
  const auto logBytes = fs::file_size(gConsole.Path(), ec);
  std::vector<double> sorted = fe.turnSeconds;
  std::sort(sorted.begin(), sorted.end());
  const double median = sorted.empty() ? 0.0 : sorted[sorted.size() / 2];

  std::ofstream out(resultPath, std::ios::binary);
  out << "S\tfirst turn\t" << firstDate << "\n";
  out << "S\tlast turn\t" << lastDate << "\n";
  for (const auto& [name, date] : fe.milestones) out << "M\t" << name << "\t" << date << "\n";
  out << "S\tGermany largest (hexes)\t" << fe.germanyMost << " " << fe.germanyMostDate << "\n";
  out << "S\tGermany least after\t" << fe.germanyLeastAfterMost << "\n";
  out << "S\tGermany at the end\t" << fe.germanyLast << "\n";
  out << "S\tland combats\t" << counters.landCombats << "\n";
  out << "S\tair fights\t" << counters.airFights << "\n";
  out << "S\tsea battles\t" << counters.seaBattles << "\n";
  out << "S\tsea invasions\t" << counters.invasions << "\n";
  out << "S\tparadrops\t" << counters.paradrops << "\n";
  out << "S\tlargest idle reserve\t" << fe.idleMost << " " << fe.idleMostWho << "\n";
  out << "S\tlongest idle (>" << kIdleReserveLimit << ", turns)\t" << fe.idleLongest << " " << fe.idleLongestWho
      << "\n";
  out << "S\tfleet moves without a path\t" << counters.fleetsWithoutPath << "\n";
  out << "S\tneutrals in debt at the end\t" << inDebt << " " << poorestName << " " << static_cast<int>(poorest) << "\n";
  out << "S\tinconsistent ends of turn\t" << fe.inconsistentTurns << "\n";
  if (!fe.firstFault.empty()) std::fprintf(stderr, "seed %u: %s\n", seed, fe.firstFault.c_str());
  out << "S\tturns\t" << fe.turns << "\n";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.1f", seconds);
  out << "S\tgame (s)\t" << buf << "\n";
  std::snprintf(buf, sizeof buf, "%.3f", median);
  out << "S\tturn median (s)\t" << buf << "\n";
  out << "S\tlog (MB)\t" << (ec ? 0 : logBytes / 1000000) << "\n";
  // The worker and the game are left to the process's end.
  std::fflush(nullptr);
  out.close();
  std::_Exit(0);
}

// ---- the parent: seeds in parallel and the table -------------------------------

struct sSeedResult {
  uint32_t seed = 0;
  bool ok = false;
  std::map<std::string, std::string> values;
};

// The rows in the order first met, milestones sorted by the earliest date.
void PrintTable(const std::vector<sSeedResult>& results) {
  std::vector<std::string> summary;
  std::map<std::string, std::string> firstDate;
  for (const sSeedResult& r : results)
    for (const auto& [key, value] : r.values) {
      if (key.rfind("M\t", 0) == 0) {
        auto it = firstDate.find(key);
        if (it == firstDate.end() || value < it->second) firstDate[key] = value;
      }
    }
  std::vector<std::string> milestones;
  for (const auto& [key, date] : firstDate) milestones.push_back(key);
  std::stable_sort(milestones.begin(), milestones.end(),
                   [&](const std::string& a, const std::string& b) { return firstDate[a] < firstDate[b]; });
  std::vector<std::string> rows;
  for (const sSeedResult& r : results)
    for (const auto& [key, value] : r.values)
      if (key.rfind("S\t", 0) == 0 && std::find(rows.begin(), rows.end(), key) == rows.end()) rows.push_back(key);
  // Summary rows keep the order the child wrote them: by their sequence.
  std::stable_sort(rows.begin(), rows.end(), [&](const std::string& a, const std::string& b) {
    return results.front().values.count("#" + a) && results.front().values.count("#" + b)
               ? std::stoi(results.front().values.at("#" + a)) < std::stoi(results.front().values.at("#" + b))
               : false;
  });
  size_t width = 8;
  for (const auto& k : milestones) width = std::max(width, k.size() - 2);
  for (const auto& k : rows) width = std::max(width, k.size() - 2);
  std::printf("%-*s", static_cast<int>(width), "seed");
  for (const sSeedResult& r : results) std::printf(" | %-14u", r.seed);
  std::printf("\n");
  auto line = [&](const std::string& key) {
    std::printf("%-*s", static_cast<int>(width), key.substr(2).c_str());
    for (const sSeedResult& r : results) {
      auto it = r.values.find(key);
      std::printf(" | %-14s", !r.ok ? "failed" : it == r.values.end() ? "-" : it->second.c_str());
    }
    std::printf("\n");
  };
  for (const auto& k : rows)
    if (k.find("first turn") != std::string::npos) line(k);
  for (const auto& k : milestones) line(k);
  for (const auto& k : rows)
    if (k.find("first turn") == std::string::npos) line(k);
}

bool ReadResult(const std::string& path, sSeedResult& r) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string text;
  int sequence = 0;
  while (std::getline(in, text)) {
    const size_t tab = text.rfind('\t');
    if (tab == std::string::npos) continue;
    const std::string key = text.substr(0, tab);
    if (!r.values.count(key)) r.values["#" + key] = std::to_string(sequence++);
    r.values.emplace(key, text.substr(tab + 1));
  }
  return true;
}

int Usage() {
  std::fprintf(stderr, "usage: chronicle [--jobs N] [--csv FOLDER] [--data FOLDER] [--full-ranges] [seed ...]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<uint32_t> seeds;
  unsigned jobs = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
  std::string csvFolder;
  std::string dataRoot = BRENNMARK_SOURCE_DIR;
  bool fullRanges = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--child" && i + 5 < argc) {
      // --child seed result csv data full-ranges
      if (chdir(argv[i + 4]) != 0) return 1;
      return PlayOne(static_cast<uint32_t>(std::stoul(argv[i + 1])), argv[i + 2], argv[i + 3],
                     std::string(argv[i + 5]) == "1");
    }
    if (arg == "--jobs" && i + 1 < argc) {
      jobs = static_cast<unsigned>(std::max(1, std::atoi(argv[++i])));
    } else if (arg == "--csv" && i + 1 < argc) {
      csvFolder = argv[++i];
    } else if (arg == "--full-ranges") {
      fullRanges = true;
    } else if (arg == "--data" && i + 1 < argc) {
      dataRoot = argv[++i];
    } else if (!arg.empty() && std::isdigit(static_cast<unsigned char>(arg[0]))) {
      seeds.push_back(static_cast<uint32_t>(std::stoul(arg)));
    } else {
      return Usage();
    }
  }
  if (seeds.empty()) seeds = {1, 2, 3, 4, 5};
  dataRoot = fs::absolute(dataRoot).string();
  if (!csvFolder.empty()) {
    fs::create_directories(csvFolder);
    csvFolder = fs::absolute(csvFolder).string();
  }
  const fs::path scratch = fs::temp_directory_path() / ("chronicle_" + std::to_string(::getpid()));
  fs::create_directories(scratch);

  std::vector<sSeedResult> results(seeds.size());
  std::map<pid_t, size_t> running;
  size_t next = 0;
  auto resultPath = [&](size_t i) { return (scratch / ("seed_" + std::to_string(seeds[i]) + ".txt")).string(); };
  while (next < seeds.size() || !running.empty()) {
    while (next < seeds.size() && running.size() < jobs) {
      const size_t i = next++;
      results[i].seed = seeds[i];
      const fs::path logFolder = scratch / ("log_" + std::to_string(seeds[i]));
      fs::create_directories(logFolder);
      const std::string seedText = std::to_string(seeds[i]);
      const std::string result = resultPath(i);
      const std::string csv = csvFolder.empty() ? "" : csvFolder + "/seed_" + seedText + ".csv";
      std::vector<std::string> args = {"/proc/self/exe", "--child", seedText, result, csv, dataRoot, fullRanges ? "1" : "0"};
      std::vector<char*> argvChild;
      for (std::string& a : args) argvChild.push_back(a.data());
      argvChild.push_back(nullptr);
      // Each game writes its log into a folder of its own.
      std::vector<std::string> env;
      for (char** e = environ; *e != nullptr; ++e)
        if (std::strncmp(*e, "XDG_DOCUMENTS_DIR=", 18) != 0) env.emplace_back(*e);
      env.push_back("XDG_DOCUMENTS_DIR=" + logFolder.string());
      std::vector<char*> envChild;
      for (std::string& e : env) envChild.push_back(e.data());
      envChild.push_back(nullptr);
      pid_t pid = 0;
      if (posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, argvChild.data(), envChild.data()) != 0) {
        std::fprintf(stderr, "seed %u: could not start its game\n", seeds[i]);
        continue;
      }
      running[pid] = i;
    }
    int status = 0;
    const pid_t done = ::wait(&status);
    if (done < 0) break;
    auto it = running.find(done);
    if (it == running.end()) continue;
    const size_t i = it->second;
    running.erase(it);
    results[i].ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && ReadResult(resultPath(i), results[i]);
    if (!results[i].ok) std::fprintf(stderr, "seed %u: the game failed (status %d)\n", seeds[i], status);
  }
  PrintTable(results);
  std::error_code ec;
  fs::remove_all(scratch, ec);
  bool all = true;
  for (const sSeedResult& r : results) {
    const auto it = r.values.find("S\tinconsistent ends of turn");
    all = all && r.ok && it != r.values.end() && it->second == "0";
  }
  return all ? 0 : 1;
}
