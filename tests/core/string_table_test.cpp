#include "core/string_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <thread>
#include <utility>
#include <vector>

#include "core/console.h"
#include "core/md5.h"
#include "core/random.h"
#include "core/text.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

struct sRecord {
  std::string key;
  std::u16string text;
};

// Builds a string base; count replaces the real record count when given.
std::string MakeBase(const std::vector<sRecord>& records, std::optional<uint64_t> count = std::nullopt) {
  std::string db(1, '\x7F');
  uint64_t n = count.value_or(records.size());
  for (int i = 0; i < 8; ++i) db.push_back(static_cast<char>(n >> (8 * i)));
  for (const sRecord& r : records) {
    db.push_back(static_cast<char>(r.key.size()));
    db += r.key;
    db.push_back(static_cast<char>(r.text.size() & 0xFF));
    db.push_back(static_cast<char>(r.text.size() >> 8));
    for (char16_t u : r.text) {
      db.push_back(static_cast<char>(u & 0xFF));
      db.push_back(static_cast<char>(u >> 8));
    }
  }
  return db;
}

std::string Digest(const std::string& bytes) {
  return Md5Text(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The source of the shipped texts, decoded as the text compiler does.
std::vector<std::pair<std::string, std::wstring>> ReadTextSource(const std::string& path) {
  std::vector<std::pair<std::string, std::wstring>> out;
  std::istringstream in(ReadFile(path));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    size_t tab = line.find('\t');
    std::string raw = line.substr(tab + 1), text;
    for (size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] == '\\' && i + 1 < raw.size() && (raw[i + 1] == 't' || raw[i + 1] == 'n' || raw[i + 1] == '\\')) {
        char n = raw[++i];
        text.push_back(n == 't' ? '\t' : n == 'n' ? '\n' : '\\');
      } else {
        text.push_back(raw[i]);
      }
    }
    out.emplace_back(line.substr(0, tab), Utf8ToWide(text));
  }
  return out;
}

std::wstring Sorted(std::wstring s) {
  std::sort(s.begin(), s.end());
  return s;
}

class StringTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tmp_ = std::make_unique<cTempDir>("strbase_test");
    dir_ = tmp_->Path();
  }
  void TearDown() override { tmp_.reset(); }

  std::string Write(const std::string& name, const std::string& bytes) { return tmp_->Write(name, bytes).string(); }
  std::string NoOverride() const { return (dir_ / "no-such-override").string(); }
  // Loads bytes as a string base that is taken as unchanged.
  bool LoadExact(StringTable& t, const std::string& bytes, bool overwrite = true) {
    return t.LoadFile(Write("exact.db", bytes), overwrite, Digest(bytes), NoOverride());
  }
  // Loads bytes as a string base whose digest does not match.
  bool LoadChanged(StringTable& t, const std::string& bytes, bool overwrite = true) {
    return t.LoadFile(Write("changed.db", bytes), overwrite, std::string(32, '0'), NoOverride());
  }
  std::vector<std::wstring> Log() { return log_.Lines(); }
  void ClearLog() { log_.Clear(); }
  bool Logged(const std::wstring& part) { return log_.CountContaining(part) > 0; }

  std::unique_ptr<cTempDir> tmp_;
  fs::path dir_;
  cLogCapture log_;
};

TEST_F(StringTableTest, LoadsRecordsAndLogsProgress) {
  StringTable t;
  std::u16string unicode = u"Z\u00fcrich \u20ac ";
  unicode += u"\U0001F600";
  ASSERT_TRUE(LoadExact(t, MakeBase({{"alpha", u"Alpha"}, {"empty", u""}, {"uni", unicode}, {"", u"no key"}})));
  EXPECT_EQ(t.Size(), 4u);
  EXPECT_EQ(t["alpha"], L"Alpha");
  EXPECT_TRUE(t.Contains("empty"));
  EXPECT_EQ(t["empty"], L"");
  EXPECT_EQ(t["uni"], L"Z\u00fcrich \u20ac \U0001F600");
  EXPECT_EQ(t[""], L"no key");
  EXPECT_EQ(Log(), (std::vector<std::wstring>{L"Loading string base", L"Loaded 4 strings", L"Loaded string base"}));
}

TEST_F(StringTableTest, RepeatedKeyTakesLastTextOnlyWithOverwrite) {
  std::string base = MakeBase({{"k", u"first"}, {"other", u"x"}, {"k", u"second"}});
  StringTable over;
  ASSERT_TRUE(LoadExact(over, base, true));
  EXPECT_EQ(over["k"], L"second");
  EXPECT_EQ(over.Size(), 2u);

  StringTable keep;
  ASSERT_TRUE(LoadExact(keep, base, false));
  EXPECT_EQ(keep["k"], L"first");

  // A second base adds its new keys and replaces old ones only when asked.
  ASSERT_TRUE(LoadExact(keep, MakeBase({{"k", u"third"}, {"new", u"n"}}), false));
  EXPECT_EQ(keep["k"], L"first");
  EXPECT_EQ(keep["new"], L"n");
  ASSERT_TRUE(LoadExact(keep, MakeBase({{"k", u"third"}}), true));
  EXPECT_EQ(keep["k"], L"third");
  EXPECT_EQ(keep.Size(), 3u);
}

TEST_F(StringTableTest, ChangedBaseShufflesOnlyTextBeforeFirstPercent) {
  const std::wstring word = L"Reinforcements ";
  StringTable t;
  SeedRandom(7);
  ASSERT_TRUE(LoadChanged(t, MakeBase({{"fmt", u"Reinforcements %i"},
                                       {"lead", u"%i units left"},
                                       {"plain", u"Strategic movement points"},
                                       {"empty", u""},
                                       {"two", u"Lost %s of %i"}})));
  const std::wstring& fmt = t["fmt"];
  ASSERT_EQ(fmt.size(), word.size() + 2);
  EXPECT_EQ(fmt.substr(word.size()), L"%i");
  EXPECT_EQ(Sorted(fmt.substr(0, word.size())), Sorted(word));
  EXPECT_NE(fmt.substr(0, word.size()), word);

  EXPECT_EQ(t["lead"], L"%i units left");
  EXPECT_EQ(Sorted(t["plain"]), Sorted(L"Strategic movement points"));
  EXPECT_NE(t["plain"], L"Strategic movement points");
  EXPECT_EQ(t["empty"], L"");
  EXPECT_EQ(t["two"].substr(5), L"%s of %i");
  EXPECT_EQ(Sorted(t["two"].substr(0, 5)), Sorted(L"Lost "));
  // The scrambled text can still be formatted.
  EXPECT_EQ(WFormat(t["fmt"].c_str(), 3).substr(word.size()), L"3");

  // The shuffle draws from the calling thread's generator: the same seed
  // scrambles the same way.
  StringTable again;
  SeedRandom(7);
  ASSERT_TRUE(LoadChanged(again, MakeBase({{"fmt", u"Reinforcements %i"}})));
  EXPECT_EQ(again["fmt"], fmt);
}

TEST_F(StringTableTest, RepeatedKeyInChangedBaseEndsUnshuffled) {
  std::string base = MakeBase({{"k", u"Supply lines are cut %s"}, {"k", u"Supply lines are cut %s"}});
  StringTable over;
  SeedRandom(3);
  ASSERT_TRUE(LoadChanged(over, base, true));
  EXPECT_EQ(over["k"], L"Supply lines are cut %s");

  StringTable keep;
  SeedRandom(3);
  ASSERT_TRUE(LoadChanged(keep, base, false));
  EXPECT_NE(keep["k"], L"Supply lines are cut %s");
  EXPECT_EQ(Sorted(keep["k"]), Sorted(L"Supply lines are cut %s"));
}

TEST_F(StringTableTest, OverrideFileKeepsChangedBaseReadable) {
  const std::string phrase = "Brennmark texts edited by hand: keep them readable";
  EXPECT_EQ(Digest(phrase), kOverrideDigest);
  std::string base = MakeBase({{"k", u"Armoured divisions"}});
  std::string path = Write("changed.db", base);

  StringTable t;
  ASSERT_TRUE(t.LoadFile(path, true, std::string(32, '0'), Write("addsettings", phrase)));
  EXPECT_EQ(t["k"], L"Armoured divisions");

  StringTable wrong;
  SeedRandom(1);
  ASSERT_TRUE(wrong.LoadFile(path, true, std::string(32, '0'), Write("addsettings2", phrase + "\r\n")));
  EXPECT_NE(wrong["k"], L"Armoured divisions");
}

TEST_F(StringTableTest, CountPastTheEndStopsAtTheLastRecord) {
  StringTable t;
  EXPECT_FALSE(LoadExact(t, MakeBase({{"a", u"A"}, {"b", u"B"}}, 5)));
  EXPECT_EQ(t.Size(), 2u);
  EXPECT_EQ(t["b"], L"B");
  EXPECT_TRUE(Logged(L"String base is truncated: 2 of 5 records read"));
  EXPECT_TRUE(Logged(L"Loaded 2 strings"));
  EXPECT_FALSE(Logged(L"Loaded string base"));

  StringTable huge;
  EXPECT_FALSE(LoadExact(huge, MakeBase({{"a", u"A"}}, UINT64_MAX)));
  EXPECT_EQ(huge.Size(), 1u);
}

TEST_F(StringTableTest, LengthsPastTheEndStopSafely) {
  const std::string good = MakeBase({{"a", u"Alpha"}, {"b", u"Bravo"}});
  const size_t secondRecord = good.size() - (1 + 1 + 2 + 10);
  // Cut the second record at every byte: inside its key length, key, text
  // length and text. The buffer is read exactly as large as the file, so
  // any read past it shows under the address sanitizer.
  for (size_t cut = secondRecord; cut < good.size(); ++cut) {
    SCOPED_TRACE(cut);
    StringTable t;
    EXPECT_FALSE(LoadExact(t, good.substr(0, cut)));
    EXPECT_EQ(t.Size(), 1u);
    EXPECT_EQ(t["a"], L"Alpha");
    EXPECT_FALSE(t.Contains("b"));
  }

  // A text length far beyond the data.
  std::string longText = MakeBase({{"a", u"Alpha"}, {"b", u"xy"}});
  longText[longText.size() - 6] = '\xFF';
  longText[longText.size() - 5] = '\xFF';
  StringTable t;
  EXPECT_FALSE(LoadExact(t, longText));
  EXPECT_EQ(t.Size(), 1u);

  // A key length beyond the data.
  std::string longKey = MakeBase({{"a", u"Alpha"}}, 2) + "\xFF" "abc";
  StringTable k;
  EXPECT_FALSE(LoadExact(k, longKey));
  EXPECT_EQ(k.Size(), 1u);
}

TEST_F(StringTableTest, FileTooShortForTheCountLoadsNothing) {
  for (size_t len : {0u, 1u, 8u}) {
    SCOPED_TRACE(len);
    StringTable t;
    EXPECT_FALSE(LoadExact(t, std::string(len, '\x01')));
    EXPECT_EQ(t.Size(), 0u);
  }
  EXPECT_TRUE(Logged(L"String base is truncated: no record count"));
  StringTable none;
  EXPECT_TRUE(LoadExact(none, MakeBase({})));
  EXPECT_EQ(none.Size(), 0u);
}

TEST_F(StringTableTest, MissingFileLeavesTableAsItWas) {
  StringTable t;
  ASSERT_TRUE(LoadExact(t, MakeBase({{"a", u"Alpha"}})));
  ClearLog();
  EXPECT_FALSE(t.LoadFile((dir_ / "missing.db").string(), true, std::string(32, '0'), NoOverride()));
  EXPECT_EQ(Log(), (std::vector<std::wstring>{L"Loading string base", L"Failed opening string base"}));
  EXPECT_EQ(t.Size(), 1u);
  EXPECT_EQ(t["a"], L"Alpha");
}

TEST_F(StringTableTest, MissingKeysAreNotInsertedEvenFromTwoThreads) {
  StringTable t;
  ASSERT_TRUE(LoadExact(t, MakeBase({{"present", u"Here"}})));
  std::atomic<int> wrong{0};
  auto lookups = [&](int id) {
    for (int i = 0; i < 20000; ++i) {
      if (!t["missing_" + std::to_string(id) + "_" + std::to_string(i % 500)].empty()) ++wrong;
      if (t["present"] != L"Here") ++wrong;
    }
  };
  std::thread a(lookups, 1), b(lookups, 2);
  a.join();
  b.join();
  EXPECT_EQ(wrong.load(), 0);
  EXPECT_EQ(t.Size(), 1u);
  EXPECT_FALSE(t.Contains("missing_1_0"));
}

TEST_F(StringTableTest, ShippedBaseLoadsUnscrambled) {
  const std::string db = BRENNMARK_GAME_DIR "/lang_ENG.db";
  auto source = ReadTextSource(BRENNMARK_SOURCE_DIR "/data/text/lang_ENG.txt");
  ASSERT_FALSE(source.empty());
  EXPECT_EQ(Digest(ReadFile(db)), kShippedStringBaseDigest);

  // Through the language pattern, as start-up loads it.
  fs::copy_file(db, dir_ / "lang_ENG.db");
  StringTable t;
  t.SetLanguage(L"ENG");
  SeedRandom(11);
  ASSERT_TRUE(t.Load((dir_ / "lang_LANGID.db").string(), true));
  for (const auto& [key, text] : source) {
    SCOPED_TRACE(key);
    // A key repeated in the source ends with its last text.
    std::wstring last;
    for (const auto& [k, v] : source)
      if (k == key) last = v;
    EXPECT_EQ(t[key], last);
  }
  EXPECT_TRUE(t.Contains("january"));
  EXPECT_TRUE(Logged(L"Loaded string base"));

  StringTable other;
  other.SetLanguage(L"XYZ");
  EXPECT_FALSE(other.Load((dir_ / "lang_LANGID.db").string(), true));
  EXPECT_EQ(other.Size(), 0u);
}

TEST_F(StringTableTest, ChangedCopyOfShippedBaseLoadsScrambled) {
  auto source = ReadTextSource(BRENNMARK_SOURCE_DIR "/data/text/lang_ENG.txt");
  std::string bytes = ReadFile(BRENNMARK_GAME_DIR "/lang_ENG.db");
  ASSERT_GT(bytes.size(), 9u);
  bytes[0] = static_cast<char>(bytes[0] ^ 0x55);  // a byte the reader never looks at
  Write("lang_ENG.db", bytes);

  StringTable t;
  SeedRandom(2024);
  ASSERT_TRUE(t.Load((dir_ / "lang_LANGID.db").string(), false));
  int changed = 0;
  std::vector<std::string> seen;
  for (const auto& [key, text] : source) {
    SCOPED_TRACE(key);
    // Without overwrite a repeated key keeps its first, scrambled text.
    if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
    seen.push_back(key);
    const std::wstring& got = t[key];
    size_t cut = std::min(text.find(L'%'), text.size());
    ASSERT_EQ(got.size(), text.size());
    EXPECT_EQ(got.substr(cut), text.substr(cut));
    EXPECT_EQ(Sorted(got.substr(0, cut)), Sorted(text.substr(0, cut)));
    if (got != text) ++changed;
  }
  EXPECT_NE(t["delay_ai_replacement_before"], L"Before computer replacements");
  EXPECT_EQ(t["pref_delay_%.1f"], L"%.1f s");
  EXPECT_GT(changed, static_cast<int>(source.size()) / 2);
}

}  // namespace
