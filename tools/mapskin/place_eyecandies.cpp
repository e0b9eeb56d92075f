// Places a few decorations on the shipped scenario's map and writes its
// "eyecandies.csv": lighthouses on capes, pine groves in forests, palms in
// the desert and windmills on the plains, sparse and never on a city. The
// columns are those of the map skin's eyecandy picture; rows are the three
// weathers.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include "core/text.h"
#include "world/hex_map.h"

namespace {

enum { kLighthouse = 0, kPines = 1, kWindmill = 2, kPalms = 3 };
// In front of the ground, rivers and weather; behind tints, borders and cities.
constexpr int kLevel = 13;

uint32_t Hash(int x, int y) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

std::set<std::pair<int, int>> CityHexes(const std::string& file) {
  std::set<std::pair<int, int>> out;
  std::ifstream in(file, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::stringstream s(line);
    std::string name, x, y;
    if (std::getline(s, name, ';') && std::getline(s, x, ';') && std::getline(s, y, ';'))
      out.insert({std::atoi(x.c_str()), std::atoi(y.c_str())});
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: place_eyecandies <source folder> <scenario name>\n");
    return 2;
  }
  std::filesystem::current_path(argv[1]);
  const std::string scenario = argv[2];
  const std::string folder = "data/scenarios/" + scenario;
  cMapa map;
  map.LoadMapFile(Utf8ToWide("data\\scenarios\\" + scenario + "\\%s"));
  const auto cities = CityHexes(folder + "/cities.csv");
  std::string out = "# x;y;depth level;picture column;row for clear, winter and mud weather\r\n";
  int placed = 0;
  for (int y = 0; y < map.height; ++y) {
    for (int x = 0; x < map.width; ++x) {
      const sHex& h = *map.GetHex(x, y);
      if (h.IsSea() || cities.count({x, y}) != 0 || h.fort != 0) continue;
      int sea = 0;
      for (int d = 0; d < 6; ++d) {
        const sHex* n = map.GetNeighbourHex(x, y, d);
        if (n != nullptr && n->IsSea()) ++sea;
      }
      const uint32_t r = Hash(x, y);
      int kind = -1;
      if (sea >= 4 && r % 3 == 0)
        kind = kLighthouse;
      else if (sea == 0 && h.terrain == kTerrainForest && r % 14 == 0)
        kind = kPines;
      else if (sea == 0 && h.terrain == kTerrainDesert && r % 18 == 0)
        kind = kPalms;
      else if (sea == 0 && h.terrain == kTerrainPlain && r % 60 == 0)
        kind = kWindmill;
      if (kind < 0) continue;
      out += std::to_string(x) + ";" + std::to_string(y) + ";" + std::to_string(kLevel);
      for (int w = 0; w < 3; ++w) out += ";" + std::to_string(kind) + ";" + std::to_string(w);
      out += "\r\n";
      ++placed;
    }
  }
  std::ofstream file(folder + "/eyecandies.csv", std::ios::binary);
  file << out;
  std::printf("place_eyecandies: %d decorations\n", placed);
  return file.good() ? 0 : 1;
}
