#pragma once
// Small fixtures shared by the world tests: a scratch folder, a log
// listener, a game with a map and countries, and concrete test units.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/console.h"
#include "core/text.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"

namespace world_test {

namespace fs = std::filesystem;

// A folder of its own for each test, removed afterwards.
class ScratchDir : public cTempDir {
 public:
  ScratchDir() : cTempDir("world") {}
  const fs::path& path() const { return Path(); }
  std::wstring Wide() const { return Utf8ToWide(Path().string()); }
  // The folder as a template with one "%s" for the file name.
  std::wstring Template() const { return Wide() + L"/%s"; }
  std::vector<uint8_t> Read(const std::string& name) const {
    const std::string bytes = cTempDir::Read(name);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
  }
};

using LogCapture = cLogCapture;

// Units whose kill takes them off their list of the game, as the real ones
// do; deaths, when given, counts the units destroyed.
template <class Base, auto List>
class TestUnit : public Base {
 public:
  explicit TestUnit(int country, int id, float value = 0.0f, int* deaths = nullptr) : value_(value), deaths_(deaths) {
    this->countryId = country;
    this->unitId = id;
  }
  ~TestUnit() override {
    if (deaths_ != nullptr) ++*deaths_;
  }
  float GetStrengthValue() const override { return value_; }
  void Kill() override {
    (gGra->*List).remove(this);
    delete this;
  }

 private:
  float value_;
  int* deaths_;
};

using TestLandUnit = TestUnit<cJednostkaLadowa, &cGra::landUnits>;
using TestAirUnit = TestUnit<cJednostkaLotnicza, &cGra::airUnits>;

// A game of its own with a plain land map of the given size and n countries
// (ids 1..n, all neutral and at peace).
class GameFixture {
 public:
  GameFixture(int width, int height, int countryCount = 0) {
    game = new cGra();
    game->map = new cMapa();
    game->map->Create(width, height);
    for (sHex& h : game->map->hexes) h.terrain = kTerrainPlain;
    for (int i = 1; i <= countryCount; ++i) AddCountry(0);
    game->relations.Resize(countryCount);
  }
  ~GameFixture() {
    if (gGra == game) DestroyGame();
  }
  cPanstwo* AddCountry(int alliance) {
    auto* c = new cPanstwo();
    c->id = static_cast<int>(game->countries.size()) + 1;
    c->alliance = alliance;
    c->active = 1;
    game->countries.push_back(c);
    game->relations.Resize(static_cast<int>(game->countries.size()));
    return c;
  }
  void SetWar(int a, int b) {
    game->relations.SetWar(a, b, true);
    game->relations.SetWar(b, a, true);
  }
  cMapa& map() { return *game->map; }
  sHex& hex(int x, int y) { return *game->map->GetHex(x, y); }

  cGra* game;
};

}  // namespace world_test
