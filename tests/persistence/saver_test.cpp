// The saver: the world's tables read back as written, the save folder swapped
// in whole or not at all, refused names, and the PBEM repository.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <list>
#include <map>
#include <string>
#include <tuple>

#include "core/front_end.h"
#include "core/text.h"
#include "persistence/save_file.h"
#include "persistence/saver.h"
#include "persistence_test_support.h"
#include "support/recording_front_end.h"
#include "world/city.h"
#include "world/commander.h"
#include "world/country.h"
#include "support/folder_bytes.h"

using namespace persistence_test;
namespace fs = std::filesystem;

namespace {

class SaverTest : public GameFolderTest {
 protected:
  SaverTest() {
    gGra = &game();
    SetFrontEnd(&fe_);
    cPanstwo& a = *game().countries[0];
    a.SetGraphicsNames(L"Fran\u00e7e;Libre\r\nNord");
    a.colors[0] = 0xFF00A0;
    a.alliance = 1;
    a.productionPoints = 123.25;
    a.techInvestments[6] = 9;
    a.researchProgress[2] = -1;
    a.researchProgress[3] = 44;
    a.doctrineMonths[4] = 17;
    a.pbemPlayerId = 7;
    a.mudMove = 0.5f;
    a.countryTypeSpecialFlags = 1;
    game().countries[1]->SetGraphicsNames(L"Gro\u00dfland");
    game().countries[1]->alliance = 2;
    // An empty name would leave an empty field, which the readers close up.
    for (int i = 2; i < 5; ++i) game().countries[static_cast<size_t>(i)]->SetGraphicsNames(L"C" + std::to_wstring(i + 1));
    game().date.month = 9;
    game().date.year = 1939;
    auto* c = new cMiasto();
    c->name = L"Saint-\u00c9tienne";
    c->x = 3;
    c->y = 2;
    c->type = 2;
    c->victoryPoints = 10;
    c->productionPoints = 12.5f;
    c->supply = 5;
    c->bombardmentLosses = 4;
    game().cities.push_back(c);
    auto* k = new sDowodca();
    k->id = 12;
    k->name = L"Ney; Michel";
    k->countryId = 2;
    k->type = 1;
    k->skill = 3;
    k->experience = 40;
    k->state = 2;
    game().commanders.push_back(k);
    game_.SetWar(1, 2);
    game().relations.ChangeLosses(1, 2, 2.5f);
    game().relations.ChangeLosses(3, 1, 0.125f);
  }
  // The game fixture frees the game, still gGra.
  ~SaverTest() override { SetFrontEnd(nullptr); }

  std::wstring Wide(const std::string& folder) { return Utf8ToWide(folder); }
  // The texts of the dialogs the saver showed.
  std::vector<std::wstring> Dialogs() const {
    std::vector<std::wstring> texts;
    for (const auto& c : fe_.calls)
      if (c.name == "ShowTextDialog") texts.push_back(c.text);
    return texts;
  }

  // Saves "game" in this process with files limited to the size, as on a
  // full disk, and ends it with 0 when the save failed and said so.
  [[noreturn]] void SaveWithFileSizeLimit(rlim_t bytes) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    setrlimit(RLIMIT_FSIZE, &limit);
    const sSaveResult r = saver_.SaveGame(L"game", true);
    std::_Exit(!r.ok && !r.error.empty() && Dialogs().size() == 1 ? 0 : 2);
  }

  cRecordingFrontEnd fe_;
  cZapisGry saver_;
};

TEST_F(SaverTest, WorldTablesReadBackAsWrittenWithTheirLegendsAndRows) {
  fs::create_directories("loaded");
  saver_.SaveCities(L"loaded");
  saver_.SaveCommanders(L"loaded");
  saver_.SaveCountries(L"loaded");
  saver_.SaveLosses(L"loaded");
  saver_.SaveRelations(L"loaded");

  // Rows start with CR LF, so no file ends in a line break; names lose the
  // ';' and line breaks that would split their rows, and keep their letters.
  EXPECT_EQ(dir_.Read("loaded/cities.csv"),
            "#Name;Hex X;Hex Y;Type [0=supply 1=normal 2=supply+port 3=port 4=resources];Victory Points;Production "
            "Points;Supply;Production Points Losses In Strategic Bombardment\r\nSaint-\xC9tienne;3;2;2;10;12.500000;5;4;");
  EXPECT_EQ(dir_.Read("loaded/commanders.csv"),
            "#Commanders\r\n#ID;Name;Country ID;Type [0=land 1=air 2=naval];Skill;Experience;State [0=not assigned 1=on "
            "his way to HQ 2=assigned]\r\n12;Ney, Michel;2;1;3;40;2;");
  const std::string relations = dir_.Read("loaded/relations.csv");
  EXPECT_NE(relations.find("\r\n1;Fran\xE7" "e,Libre  Nord;0;1;0;0;0\r\n2;Gro\xDFland;1;0;0;0;0\r\n3;C3;"),
            std::string::npos);
  EXPECT_NE(relations.back(), '\n');
  EXPECT_NE(dir_.Read("loaded/losses.csv").find("\r\n1;Fran\xE7" "e,Libre  Nord;0.000000;2.500000;0.000000;0.000000;0.000000;"),
            std::string::npos);

  const std::string countries = dir_.Read("loaded/countries.csv");
  const size_t first = countries.find("\r\n1;");
  const std::string row = countries.substr(first, countries.find("\r\n2;") - first);
  EXPECT_EQ(std::count(row.begin(), row.end(), ';'), 70) << row;
  EXPECT_EQ(row.rfind("\r\n1;1;Fran\xE7" "e,Libre  Nord;FF00A0;0;0;0;1;", 0), 0u) << row;

  // Read back through the game's own readers.
  cGra& g = game();
  std::vector<cPanstwo*> countriesBack;
  std::list<cMiasto*> citiesBack;
  std::vector<sDowodca*> commandersBack;
  g.LoadCountries(request_, countriesBack);
  g.LoadCities(request_, citiesBack);
  g.LoadCommanders(request_, commandersBack);
  cRelacje relationsBack;
  relationsBack.LoadFromCsv(request_.pathTemplate, 5);

  ASSERT_EQ(countriesBack.size(), 5u);
  const cPanstwo& a = *countriesBack[0];
  EXPECT_EQ(a.name, L"Fran\u00e7e,Libre  Nord");
  EXPECT_EQ(a.colors[0], 0xFF00A0u);
  EXPECT_EQ(a.alliance, 1);
  EXPECT_DOUBLE_EQ(a.productionPoints, 123.25);
  EXPECT_EQ(a.techInvestments[6], 9);
  EXPECT_EQ(a.researchProgress[3], 44);
  EXPECT_EQ(a.doctrineMonths[4], 17);
  EXPECT_EQ(a.pbemPlayerId, 7);
  EXPECT_FLOAT_EQ(a.mudMove, 0.5f);
  EXPECT_EQ(a.countryTypeSpecialFlags, 1);
  EXPECT_EQ(countriesBack[1]->name, L"Gro\u00dfland");
  EXPECT_EQ(countriesBack[1]->alliance, 2);

  ASSERT_EQ(citiesBack.size(), 1u);
  const cMiasto& c = *citiesBack.front();
  EXPECT_EQ(c.name, L"Saint-\u00c9tienne");
  EXPECT_EQ(std::tie(c.x, c.y, c.type, c.victoryPoints, c.supply, c.bombardmentLosses), std::make_tuple(3, 2, 2, 10, 5, 4));
  EXPECT_FLOAT_EQ(c.productionPoints, 12.5f);

  ASSERT_EQ(commandersBack.size(), 1u);
  EXPECT_EQ(commandersBack[0]->name, L"Ney, Michel");
  EXPECT_EQ(commandersBack[0]->experience, 40);

  EXPECT_EQ(relationsBack.IsAtWar(1, 2), 1);
  EXPECT_EQ(relationsBack.IsAtWar(2, 1), 1);
  EXPECT_EQ(relationsBack.IsAtWar(1, 3), 0);
  EXPECT_FLOAT_EQ(relationsBack.GetLosses(1, 2), 2.5f);
  EXPECT_FLOAT_EQ(relationsBack.GetLosses(3, 1), 0.125f);

  for (cPanstwo* p : countriesBack) delete p;
  for (cMiasto* p : citiesBack) delete p;
  for (sDowodca* p : commandersBack) delete p;
}

TEST_F(SaverTest, SaveGameWritesTheTrimmedFolderAndShowsSuccessUnlessSilent) {
  const sSaveResult r = saver_.SaveGame(L"  Stra\u00dfe \u00e9t\u00e9 \t", false);
  ASSERT_TRUE(r.ok) << WideToUtf8(r.error);
  EXPECT_TRUE(saver_.SaveFolderExists(L"Stra\u00dfe \u00e9t\u00e9"));
  EXPECT_TRUE(saver_.SaveFolderExists(L" Stra\u00dfe \u00e9t\u00e9 "));
  EXPECT_FALSE(saver_.SaveFolderExists(L"Strasse"));
  const fs::path folder = fs::path("data/save") / "Stra\xC3\x9F" "e \xC3\xA9t\xC3\xA9";
  for (const char* file : {"cities.csv", "countries.csv", "commanders.csv", "relations.csv", "losses.csv",
                           "map.hwd", "Info.ini", "flags.txt", "unit_names.csv", "reports.dat", "auto_events.csv",
                           "sea_nodes.csv", "PlayerDefinedPlaces.txt"})
    EXPECT_TRUE(fs::is_regular_file(folder / file)) << file;
  // Nothing of the work folders is left beside the save.
  EXPECT_EQ(std::distance(fs::directory_iterator("data/save"), fs::directory_iterator()), 1);
  ASSERT_EQ(Dialogs().size(), 1u);
  EXPECT_EQ(Dialogs()[0].rfind(L"Save game|", 0), 0u);

  EXPECT_TRUE(saver_.SaveGame(L"auto", true).ok);
  EXPECT_EQ(Dialogs().size(), 1u);
}

TEST_F(SaverTest, NamesThatCannotBeASaveAreRefusedWithNothingWritten) {
  // "data\save\" and the name may hold 64 characters.
  const std::wstring longest(54, L'x');
  EXPECT_TRUE(saver_.SaveGame(longest, true).ok);
  struct {
    std::wstring name;
    const char* why;
  } const refused[] = {
      {longest + L"y", "too long"},         {L"   ", "empty"},           {L"a/b", "reaches another folder"},
      {L"..\\up", "reaches another folder"}, {L".hidden", "starts with a dot"}, {L"\u6f22\u5b57", "outside the code page"},
      {L"tab\there", "control character"},
  };
  for (const auto& r : refused) {
    const size_t before = Dialogs().size();
    const sSaveResult result = saver_.SaveGame(r.name, true);
    EXPECT_FALSE(result.ok) << r.why;
    EXPECT_EQ(Dialogs().size(), before + 1) << r.why;
  }
  gGra = nullptr;  // between games
  EXPECT_FALSE(saver_.SaveGame(L"no game", true).ok);
  gGra = &game();
  EXPECT_EQ(std::distance(fs::directory_iterator("data/save"), fs::directory_iterator()), 1);
  EXPECT_FALSE(fs::exists("data/up"));
}

TEST_F(SaverTest, ASaveOverAnEarlierOneReplacesItsFilesAndKeepsFilesItDoesNotWrite) {
  ASSERT_TRUE(saver_.SaveGame(L"game", true).ok);
  dir_.Write("data/save/game/notes.txt", "kept");
  dir_.Write("data/save/game/cities.csv", "stale");
  game().cities.front()->victoryPoints = 99;
  ASSERT_TRUE(saver_.SaveGame(L"game", true).ok);
  EXPECT_NE(dir_.Read("data/save/game/cities.csv").find(";99;"), std::string::npos);
  EXPECT_EQ(dir_.Read("data/save/game/notes.txt"), "kept");
}

TEST_F(SaverTest, AFileWhereTheSaveFolderMustGoIsLeftAloneAndReported) {
  dir_.Write("data/save/game", "not a folder");
  const sSaveResult r = saver_.SaveGame(L"game", true);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(dir_.Read("data/save/game"), "not a folder");
  EXPECT_EQ(Dialogs().size(), 1u);
}

TEST_F(SaverTest, AWriterThatFailsInsideAScopeThrowsInsteadOfEndingTheProgram) {
  fs::create_directories("out/countries.csv");  // a folder where the file must go
  cSaveFailureScope scope;
  EXPECT_THROW(saver_.WriteSaveFiles(L"out"), cSaveError);
  EXPECT_THROW(saver_.SaveFlags(L"no_such_folder"), cSaveError);
}


TEST_F(SaverTest, ASaveThatRunsOutOfSpaceLeavesTheEarlierSaveWhole) {
  ASSERT_TRUE(saver_.SaveGame(L"game", true).ok);
  game().cities.front()->victoryPoints = 99;
  const auto before = FolderBytes("data/save/game");
  // The larger tables fail part way through the save.
  EXPECT_EXIT(SaveWithFileSizeLimit(300), ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(FolderBytes("data/save/game"), before);
  EXPECT_EQ(std::distance(fs::directory_iterator("data/save"), fs::directory_iterator()), 1);
}

class PbemRepoTest : public SaverTest {
 protected:
  PbemRepoTest() {
    cPanstwo& axis = *game().countries[1];
    axis.humanControlled = 1;
    axis.pbemPlayerId = 3;
    game().countries[0]->humanControlled = 1;
  }
  std::string Repo() { return dir_.Read("data/pbem/repo.dat"); }
  static std::string Record(const std::string& utf16Name, uint32_t id) {
    std::string r(504, '\0');
    r.replace(0, utf16Name.size(), utf16Name);
    for (int i = 0; i < 4; ++i) r[500 + static_cast<size_t>(i)] = static_cast<char>(id >> (8 * i));
    return r;
  }
};

TEST_F(PbemRepoTest, AMissingRepositoryStoresAndReturnsTheFirstMoversPlayer) {
  EXPECT_EQ(ReadPbemRepoEntry(L"duel"), 3u);
  EXPECT_EQ(Repo(), Record(WideToUtf16Le(L"duel"), 3));
  // Now stored: the country order no longer matters.
  game().countries[1]->pbemPlayerId = 5;
  EXPECT_EQ(ReadPbemRepoEntry(L"duel"), 3u);
  EXPECT_EQ(Repo().size(), 504u);
}

TEST_F(PbemRepoTest, RecordsAreUpdatedInPlaceAndNewNamesAppended) {
  WritePbemRepoEntry(1, L"first");
  WritePbemRepoEntry(2, L"second");
  WritePbemRepoEntry(4, L"second");
  WritePbemRepoEntry(4, L"second");
  WritePbemRepoEntry(6, L"Second");  // letter case makes another game
  EXPECT_EQ(Repo(), Record(WideToUtf16Le(L"first"), 1) + Record(WideToUtf16Le(L"second"), 4) +
                        Record(WideToUtf16Le(L"Second"), 6));
  EXPECT_EQ(ReadPbemRepoEntry(L"second"), 4u);
  EXPECT_EQ(ReadPbemRepoEntry(L"Second"), 6u);

  // A name past 249 code units is cut, and found again by its whole name.
  const std::wstring longName(300, L'n');
  WritePbemRepoEntry(8, longName);
  EXPECT_EQ(ReadPbemRepoEntry(longName), 8u);
  EXPECT_EQ(Repo().size(), 4u * 504u);
  EXPECT_EQ(Repo()[3 * 504 + 498], '\0');
}

TEST_F(PbemRepoTest, ACutOffTailIsPassedOverAndANewRecordTakesItsPlace) {
  dir_.Write("data/pbem/repo.dat", Record(WideToUtf16Le(L"one"), 9) + std::string(10, 'x'));
  EXPECT_EQ(ReadPbemRepoEntry(L"one"), 9u);
  WritePbemRepoEntry(2, L"two");
  EXPECT_EQ(Repo().size(), 504u + 504u);
  EXPECT_EQ(Repo().substr(504), Record(WideToUtf16Le(L"two"), 2));
  EXPECT_EQ(ReadPbemRepoEntry(L"two"), 2u);
}

TEST_F(PbemRepoTest, NoCountryToMoveFirstStoresNothing) {
  for (cPanstwo* c : game().countries) c->active = 0;
  EXPECT_EQ(ReadPbemRepoEntry(L"empty"), 0u);
  EXPECT_EQ(Repo(), "");
}

TEST_F(PbemRepoTest, TheTurnFolderIsASaveCarryingThePbemGame) {
  cGra& g = game();
  g.pbem = 1;
  g.pbemGameName = L"Duel 1939";
  g.pbemPlayers = {{1, L"Anna", L"anna@example.org"}, {2, L"Bruno", L"bruno@example.org"}};
  g.turn = 6;
  ASSERT_TRUE(saver_.SavePbemGame(g.pbemGameName).ok);
  EXPECT_TRUE(fs::is_regular_file("data/pbem/Duel 1939/countries.csv"));
  EXPECT_TRUE(Dialogs().empty());

  // The turn folder reads back as a saved game of the same PBEM game.
  world_test::GameFixture other(4, 4, 5);
  gGra = other.game;
  sLoadRequest request{L"data\\pbem\\Duel 1939\\%s", 2};
  other.game->ReadInfoIni(request);
  EXPECT_EQ(other.game->pbemGameName, L"Duel 1939");
  EXPECT_EQ(other.game->turn, 6);
  ASSERT_EQ(other.game->pbemPlayers.size(), 2u);
  EXPECT_EQ(other.game->pbemPlayers[1].email, L"bruno@example.org");
  DestroyGame();
  gGra = &game();
}

}  // namespace
