#pragma once
// A game with three countries, a 10 x 10 map and two sea nodes, and its
// event manager loaded from XML text or from files of tests/data/events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/game_lock.h"
#include "core/random.h"
#include "events/event_manager.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"
#include "world/country.h"
#include "world/world_test_support.h"

namespace events_test {

inline std::string DataFile(const std::string& name) { return std::string(BRENNMARK_TEST_DATA_DIR) + "/events/" + name; }

// An <event> element with the attributes every event needs.
inline std::string Event(int id, int country, const std::string& body, const std::string& extra = "") {
  return "  <event eventID=\"" + std::to_string(id) + "\" countryID=\"" + std::to_string(country) +
         "\" visibleByPlayer=\"0\" oneTimeChecking=\"0\"" + extra + ">\n" + body + "  </event>\n";
}

// A condition of one comparison "method(params) operator constant".
inline std::string Compare(const std::string& method, const std::string& params, const std::string& op,
                           const std::string& constant) {
  return "        <expression>\n          <leftOperand method=\"" + method + "\" " + params +
         "/>\n          <operator value=\"" + op + "\"/>\n          <rightOperand constValue=\"" + constant +
         "\"/>\n        </expression>\n";
}

inline std::string Condition(const std::string& node, const std::string& inner) {
  return "    <condition>\n      <" + node + ">\n" + inner + "      </" + node + ">\n    </condition>\n";
}

inline std::string Document(const std::string& events) {
  return "<?xml version=\"1.0\"?>\n<events>\n" + events + "</events>\n";
}

class EventsFixture {
 public:
  EventsFixture() : g(10, 10, 3), dir("events") {
    CreateGameLock();
    for (cPanstwo* c : g.game->countries) c->name = L"Country" + std::to_wstring(c->id);
    for (int& t : g.game->consts.turnsPerMonth) t = 3;
    g.game->seaGraph.nodes.resize(2);
    for (size_t i = 0; i < g.game->seaGraph.nodes.size(); ++i) g.game->seaGraph.nodes[i].id = static_cast<int>(i) + 1;
  }
  ~EventsFixture() { DeleteGameLock(); }
  cZdarzenia& ev() { return *g.game->events; }
  cGra& game() { return *g.game; }

  // Lists the files in an event_files.txt of the scratch folder and runs
  // the three loading steps.
  void LoadFiles(const std::vector<std::string>& paths) {
    std::string list = "; the events of this test\r\n\r\n";
    for (const std::string& p : paths) list += p + "\r\n";
    dir.Write("event_files.txt", list);
    ev().InitFromListFile(dir.File("event_files.txt").string());
    ev().Validate();
    ev().LoadAllEventsFromDom();
  }
  std::string WriteXml(const std::string& xml, const std::string& name = "events.xml") {
    return dir.Write(name, xml).string();
  }
  void LoadXml(const std::string& xml) { LoadFiles({WriteXml(xml)}); }

  world_test::GameFixture g;
  cTempDir dir;
};

}  // namespace events_test
