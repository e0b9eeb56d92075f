// Reading event files: the list, every element and attribute, and the load
// errors that end the process.
#include <set>

#include "core/md5.h"
#include "core/string_table.h"

#include "events/events_test_support.h"

using namespace events_test;
using ::testing::ExitedWithCode;

namespace {

TEST(EventFiles, OurFilesCoverEveryOperandAndEffectAndLoadWithoutError) {
  EventsFixture f;
  cLogCapture log;
  f.LoadFiles({DataFile("all_operands.xml"), DataFile("all_effects.xml")});
  EXPECT_FALSE(log.HasPrefix(L"ERROR")) << "a load error was logged";
  ASSERT_EQ(f.ev().events.size(), 56u);
  EXPECT_EQ(f.ev().checkedFlags.size(), 501u);

  // Every operand a condition may ask appears in the files.
  std::set<std::wstring> operands;
  for (const sZdarzenie& e : f.ev().events)
    for (const sWyrazenie& x : e.condition.expressions) operands.insert(x.left.method);
  for (const sOperandMethod& m : OperandMethods()) {
    if (m.evaluable) {
      EXPECT_EQ(operands.count(m.name), 1u) << WideToUtf8(m.name);
    }
  }

  // Every entry of the effects table is one option of the last event.
  const sZdarzenie& all = f.ev().events.back();
  ASSERT_EQ(all.options.size(), EffectMethods().size());
  EXPECT_EQ(EffectMethods().size(), 113u);
  for (size_t i = 0; i < all.options.size(); ++i) {
    ASSERT_EQ(all.options[i].effects.size(), 1u);
    EXPECT_EQ(all.options[i].effects[0].method, EffectMethods()[i].name);
    EXPECT_TRUE(all.options[i].effects[0].known);
  }
  EXPECT_EQ(all.enableInPbem, 0);
  EXPECT_EQ(all.beginYear, 1939);
  EXPECT_EQ(all.endMonth, 4);
  EXPECT_EQ(all.description, L"One option per method of the effects table.");

  // The whole phase evaluates every operand against the world.
  f.game().CheckEvents();
  EXPECT_TRUE(log.Has(L"CHECKING EVENTS FINISHED"));
  EXPECT_EQ(log.CountContaining(L"Firing..."), 56);
}

TEST(EventFiles, ElementsAndAttributesAsRead) {
  EventsFixture f;
  f.LoadXml(Document(
      "  <!-- a comment before the first event -->\n"
      "  <event eventID=\"7\" countryID=\"2\" visibleByPlayer=\"1\" oneTimeChecking=\"1\" enableInPbem=\"0\">\n"
      "    <title>First title</title>\n    <title>Second title</title>\n"
      "    <image>picture.png</image>\n    <description/>\n"
      "    <beginDate day=\"3\" month=\"10\" year=\"1940\"/>\n"
      "    <condition>\n" + Compare("Game.GetCurrentTurn", "", "less", "0") + "      <or>\n" +
      Compare("Country.GetVP", "param0=\"1\" param3=\"abc\"", "less", "5") +
      "        <and/>\n      </or>\n      <and/>\n    </condition>\n"
      "    <options>\n      <option optionID=\"x\" chanceAI=\"30\">\n        <description>Yes</description>\n"
      "        <tooltip>Tip \xC3\xA9</tooltip>\n        <effects>\n"
      "          <effect method=\"Flag.SetValue\" param0=\"3\" param1=\"2.5\" param2=\"nope\" paramString0=\"s\"/>\n"
      "        </effects>\n      </option>\n      <ignored/>\n      <option/>\n    </options>\n  </event>\n"
      "  <notAnEvent eventID=\"99\"/>\n"
      "  <event eventID=\"8\" countryID=\"1\" visibleByPlayer=\"0\" oneTimeChecking=\"0\"/>\n"));
  ASSERT_EQ(f.ev().events.size(), 2u);
  const sZdarzenie& e = f.ev().events[0];
  EXPECT_EQ(e.eventID, 7);
  EXPECT_EQ(e.countryID, 2);
  EXPECT_EQ(e.visibleByPlayer, 1);
  EXPECT_EQ(e.oneTimeChecking, 1);
  EXPECT_EQ(e.enableInPbem, 0);
  EXPECT_EQ(e.title, L"Second title");
  EXPECT_EQ(e.image, L"picture.png");
  EXPECT_EQ(e.description, L"");
  EXPECT_EQ(e.beginDay, 3);
  EXPECT_EQ(e.beginMonth, 10);
  EXPECT_EQ(e.beginYear, 1940);
  EXPECT_FALSE(IsDefined(e.endDay));
  // Only the first and/or child of <condition> is the tree.
  EXPECT_EQ(e.condition.isOr, 1);
  ASSERT_EQ(e.condition.expressions.size(), 1u);
  EXPECT_EQ(e.condition.children.size(), 1u);
  const sOperand& left = e.condition.expressions[0].left;
  EXPECT_EQ(left.method, L"Country.GetVP");
  EXPECT_EQ(left.params[0], 1.0);
  EXPECT_FALSE(IsDefined(left.params[3]));
  EXPECT_FALSE(IsDefined(left.constValue));
  EXPECT_EQ(e.condition.expressions[0].right.constValue, 5.0);
  EXPECT_EQ(e.condition.expressions[0].op.value, L"less");
  EXPECT_GT(left.line, 1);
  ASSERT_EQ(e.options.size(), 2u);
  EXPECT_EQ(e.options[0].optionID, -1);
  EXPECT_EQ(e.options[0].chanceAI, 30);
  EXPECT_EQ(e.options[0].text, L"Yes");
  EXPECT_EQ(e.options[0].tooltip, L"Tip \u00e9");
  ASSERT_EQ(e.options[0].effects.size(), 1u);
  const sEfekt& fx = e.options[0].effects[0];
  EXPECT_EQ(fx.params[1], 2.5);
  EXPECT_FALSE(IsDefined(fx.params[2]));
  EXPECT_EQ(fx.paramStrings[0], L"s");
  EXPECT_EQ(fx.paramStrings[1], L"");
  EXPECT_EQ(e.options[1].chanceAI, -1);
  EXPECT_EQ(f.ev().events[1].enableInPbem, 1);
  EXPECT_EQ(f.ev().checkedFlags.size(), 9u);
}

TEST(EventFiles, NoListMeansNoEvents) {
  EventsFixture f;
  cLogCapture log;
  f.ev().InitFromListFile(f.dir.File("event_files.txt").string());
  f.ev().Validate();
  f.ev().LoadAllEventsFromDom();
  EXPECT_TRUE(f.ev().events.empty());
  EXPECT_TRUE(f.ev().checkedFlags.empty());
  EXPECT_TRUE(f.ev().documents.empty());
}

TEST(EventFiles, InitFromXmlFilesReadsTheScenarioList) {
  EventsFixture f;
  const std::string xml = Document(Event(4, 1, ""));
  f.dir.Write("data/scenarios/Test/ev.xml", xml);
  f.dir.Write("data/scenarios/Test/event_files.txt", ";comment\r\n\r\ndata\\scenarios\\Test\\ev.xml\r\n");
  const auto old = std::filesystem::current_path();
  std::filesystem::current_path(f.dir.Path());
  f.ev().InitFromXmlFiles("Test");
  f.ev().Validate();
  f.ev().LoadAllEventsFromDom();
  std::filesystem::current_path(old);
  ASSERT_EQ(f.ev().documents.size(), 1u);
  EXPECT_EQ(f.ev().documentPaths[0], "data\\scenarios\\Test\\ev.xml");
  ASSERT_EQ(f.ev().events.size(), 1u);
  EXPECT_EQ(f.ev().events[0].eventID, 4);
}

TEST(EventFiles, LargestIdOf40000Loads) {
  EventsFixture f;
  f.LoadXml(Document(Event(40000, 1, "") + Event(0, 1, "")));
  EXPECT_EQ(f.ev().checkedFlags.size(), 40001u);
}

// ---- load errors ---------------------------------------------------------

// Loads the text as an events file in a death test and expects exit 1 with
// the message and the file named.
void ExpectLoadDeath(const std::string& xml, const std::string& message, int exitCode = 1) {
  EventsFixture f;
  const std::string path = f.WriteXml(xml, "bad_events.xml");
  EXPECT_EXIT(
      {
        LogToStderr();
        f.LoadFiles({path});
      },
      ExitedWithCode(exitCode), message);
}

using EventLoadDeathTest = ::testing::Test;

TEST(EventLoadDeathTest, MissingRequiredAttributesNameTheLineAndFile) {
  ExpectLoadDeath(Document("  <event countryID=\"1\" visibleByPlayer=\"0\" oneTimeChecking=\"0\"/>\n"),
                  "<event> at line 3 has no eventID attribute or it's not an integer!.*bad_events.xml at line 3");
  ExpectLoadDeath(Document("  <event eventID=\"1\" countryID=\"one\" visibleByPlayer=\"0\" oneTimeChecking=\"0\"/>\n"),
                  "<event> at line 3 has no countryID attribute.*bad_events.xml at line 3");
  ExpectLoadDeath(Document("  <event eventID=\"1\" countryID=\"1\" oneTimeChecking=\"0\"/>\n"),
                  "has no visibleByPlayer attribute");
  ExpectLoadDeath(Document("  <event eventID=\"1\" countryID=\"1\" visibleByPlayer=\"0\"/>\n"),
                  "has no oneTimeChecking attribute");
  ExpectLoadDeath(Document(Event(1, 1, "    <beginDate day=\"1\" month=\"2\"/>\n")),
                  "<beginDate> at line 4 has no 'year' attribute or it's not an integer!.*bad_events.xml at line 4");
  ExpectLoadDeath(Document(Event(1, 1, "    <endDate month=\"2\" year=\"1940\"/>\n")),
                  "<endDate> at line 4 has no 'day' attribute");
}

TEST(EventLoadDeathTest, IdsOutOfRange) {
  ExpectLoadDeath(Document(Event(3, 1, "") + Event(40001, 1, "")),
                  "ERROR: maxID = 40001 \\(have to be >= 0 && <= 40000.*bad_events.xml at line 5");
  ExpectLoadDeath(Document(Event(-3, 1, "")), "negative eventID \\(-3\\).*bad_events.xml at line 3");
  ExpectLoadDeath(Document(Event(2, 4, "")), "countryID 4, which names no country.*bad_events.xml at line 3");
  ExpectLoadDeath(Document(Event(2, 0, "")), "countryID 0, which names no country");
}

TEST(EventLoadDeathTest, BadOperandsAndOperators) {
  ExpectLoadDeath(Document(Event(1, 1, Condition("and", Compare("Country.GetVPs", "param0=\"1\"", "less", "2")))),
                  "operand element at line 7 has unknown method \\(Country.GetVPs\\).*CRITICAL: Expression was "
                  "incorrect.*bad_events.xml at line 6");
  ExpectLoadDeath(Document(Event(1, 1, Condition("and", Compare("Country.GetVP", "", "less", "2")))),
                  "ERROR: param 0 for operand at line 7 must be defined!.*CRITICAL");
  ExpectLoadDeath(Document(Event(1, 1, Condition("and", Compare("Country.HasWarWithCountry", "param0=\"1\"", "less", "2")))),
                  "ERROR: param 1 for operand at line 7 must be defined!");
  ExpectLoadDeath(Document(Event(1, 1, Condition("and", Compare("country.getvp", "param0=\"1\"", "less", "2")))),
                  "unknown method \\(country.getvp\\)");
  // Left operand, right operand and operator each report.
  ExpectLoadDeath(Document(Event(1, 1, Condition("and", Compare("Nope", "constValue=\"1\"", "Less", "2")))),
                  "nERROR: operand element at line 7 has both.*incorrect value \\(Less\\).*CRITICAL");
  // Names that are effects, not queries, would end the game when evaluated.
  ExpectLoadDeath(Document(Event(1, 1,
                                 Condition("and", Compare("Country.ChangeAICarrierTargetsPriorities",
                                                          "param0=\"1\" param1=\"1\" param2=\"1\"", "less", "2")))),
                  "Country.ChangeAICarrierTargetsPriorities\\), which is an effect.*CRITICAL");
  // Ids naming nothing of the world.
  ExpectLoadDeath(Document(Event(1, 1, Condition("and", Compare("Country.GetVP", "param0=\"9\"", "less", "2")))),
                  "param0 of operand at line 7 \\(Country.GetVP\\) names no country: 9");
  ExpectLoadDeath(Document(Event(1, 1, Condition("and", Compare("Port.GetSize", "param0=\"3\"", "less", "2")))),
                  "names no sea node: 3");
  ExpectLoadDeath(Document(Event(1, 1, Condition("and", Compare("Country.GetTechInvestment", "param0=\"1\" param1=\"7\"",
                                                                "less", "2")))),
                  "is out of range 0..6: 7");
}

TEST(EventLoadDeathTest, ComparisonOutsideAnyEventIsCheckedToo) {
  ExpectLoadDeath(Document("  <stray>\n" + Compare("Nope", "", "less", "1") + "  </stray>\n"),
                  "operand element at line 5 has unknown method \\(Nope\\)");
}

std::string EffectEvent(const std::string& effect) {
  return Document(Event(1, 1,
                        "    <options>\n      <option>\n        <effects>\n          " + effect +
                            "\n        </effects>\n      </option>\n    </options>\n"));
}

TEST(EventLoadDeathTest, BadEffects) {
  ExpectLoadDeath(EffectEvent("<effect method=\"Country.ChangeProductionPoints\" param0=\"1\"/>"),
                  "ERROR: param1 for effect at line 7 is not defined!.*CRITICAL: Effect at line 7 is not correct.*"
                  "bad_events.xml at line 7");
  ExpectLoadDeath(EffectEvent("<effect method=\"Hex.AddLandUnit\" param0=\"1\" param1=\"1\" param2=\"1\" param3=\"1\" "
                              "param4=\"1\" param5=\"1\"/>"),
                  "ERROR: paramString0 for effect at line 7 is not defined!");
  ExpectLoadDeath(EffectEvent("<effect method=\"country.changeProductionPoints\" param0=\"1\" param1=\"1\"/>"),
                  "ERROR: Effect at line 7 has unknown method \\(country.changeProductionPoints\\)!");
  ExpectLoadDeath(EffectEvent("<effect method=\"Country.SetActive\" param0=\"12\" param1=\"1\"/>"),
                  "param0 of effect at line 7 \\(Country.SetActive\\) names no country: 12.*CRITICAL: Effect at line 7");
  ExpectLoadDeath(EffectEvent("<effect method=\"SeaNode.AddNavalUnit\" param0=\"0\" param1=\"1\" param2=\"41\" "
                              "paramString0=\"x\"/>"),
                  "names no sea node: 0");
  ExpectLoadDeath(EffectEvent("<effect method=\"Country.ChangeTechInvestment\" param0=\"1\" param1=\"7\" "
                              "param2=\"1\"/>"),
                  "out of range 0..6: 7");
}

TEST(EventLoadDeathTest, UnreadableFileEndsWithCode1NamingIt) {
  ExpectLoadDeath("<events>\n  <event eventID=\"1\"\n", "ERROR initializing events from file .*bad_events.xml. Exiting");
}

TEST(EventFiles, EffectChecksThatPass) {
  sEfekt extra;
  extra.method = L"Flag.SetValue";
  extra.params[0] = 1;
  extra.params[1] = 2;
  extra.params[5] = 9;  // beyond the method's count: ignored
  EXPECT_TRUE(extra.Validate());
  EXPECT_TRUE(extra.known);
  sEfekt railroads;
  railroads.method = L"Hex.AddRailroads";
  railroads.params[0] = railroads.params[1] = 0;
  EXPECT_TRUE(railroads.Validate());
  // Counts above nine numbers or three texts fail without a message.
  sEfekt any;
  EXPECT_FALSE(any.CheckParams(10));
  EXPECT_FALSE(any.CheckParamStrings(4));
}

}  // namespace

namespace {

// A string base of one record, loaded into the game's table for the scope.
class OneTextBase {
 public:
  OneTextBase(const std::string& key, const std::u16string& text) : dir_("events_text") {
    std::string db(1, '\x7F');
    for (int i = 0; i < 8; ++i) db.push_back(static_cast<char>(i == 0 ? 1 : 0));
    db.push_back(static_cast<char>(key.size()));
    db += key;
    db.push_back(static_cast<char>(text.size() & 0xFF));
    db.push_back(static_cast<char>(text.size() >> 8));
    for (char16_t u : text) {
      db.push_back(static_cast<char>(u & 0xFF));
      db.push_back(static_cast<char>(u >> 8));
    }
    const std::string path = dir_.Write("lang.db", db).string();
    loaded = gStringTable.LoadFile(path, true, Md5Text(reinterpret_cast<const uint8_t*>(db.data()), db.size()),
                                   dir_.File("none").string());
  }
  ~OneTextBase() { gStringTable.Clear(); }
  bool loaded = false;

 private:
  cTempDir dir_;
};

TEST(EventFiles, TextsAreStringBaseKeysOrUtf8) {
  OneTextBase base("event_title_coup", u"  The coup\t\r\n");
  ASSERT_TRUE(base.loaded);
  EXPECT_EQ(ConvertXmlText("event_title_coup"), L"The coup");
  EXPECT_EQ(ConvertXmlText("Event_title_coup"), L"Event_title_coup");
  EXPECT_EQ(ConvertXmlText("Z\xC3\xBCrich \xE2\x82\xAC"), L"Z\u00fcrich \u20ac");
  EXPECT_EQ(ConvertXmlText(nullptr), L"");
}

}  // namespace
