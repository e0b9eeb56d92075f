// maptool: looks into map files and converts them to and from text.
//
//   maptool info <map.hwd>
//   maptool to-text <map.hwd> <map.txt>
//   maptool to-hwd <map.txt> <map.hwd>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/random.h"
#include "core/paths.h"
#include "world/map_file.h"
#include "world/map_text.h"

namespace {

const char* const kTerrainNames[] = {"sea", "plain", "forest", "rough", "swamp", "hill", "mountain", "desert"};

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

const char* ErrorText(eMapFileError e) {
  switch (e) {
    case eMapFileError::kShorterThanHeader: return "shorter than the 268-byte header";
    case eMapFileError::kBadMagic: return "not a map file (wrong magic)";
    case eMapFileError::kZeroSize: return "width or height is 0";
    case eMapFileError::kTruncated: return "shorter than its width x height records";
    default: return "";
  }
}

bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) {
  if (ReadWholeFile(path, bytes)) return true;
  std::fprintf(stderr, "maptool: cannot read %s\n", path.c_str());
  return false;
}

bool LoadMap(const std::string& path, sMapFileImage& image, std::vector<uint8_t>& bytes) {
  if (!ReadFile(path, bytes)) return false;
  const eMapFileError e = ParseMapFile(bytes.data(), bytes.size(), image);
  if (e != eMapFileError::kNone) {
    std::fprintf(stderr, "maptool: %s: %s\n", path.c_str(), ErrorText(e));
    return false;
  }
  return true;
}

void PrintCounts(const char* title, const std::map<int, int>& counts) {
  std::printf("%s:", title);
  if (counts.empty()) std::printf(" none");
  for (const auto& [k, n] : counts) std::printf(" %d:%d", k, n);
  std::printf("\n");
}

int Info(const std::string& path) {
  sMapFileImage image;
  std::vector<uint8_t> bytes;
  if (!LoadMap(path, image, bytes)) return 1;
  const sMapFileHeader& h = image.header;
  std::printf("file:        %s (%zu bytes)\n", path.c_str(), bytes.size());
  std::printf("magic:       HwDv1\n");
  std::printf("text:        %s\n", HeaderText(h).c_str());
  std::printf("scale:       %g\n", static_cast<double>(HeaderScale(h)));
  std::printf("size:        %d x %d hexes (%zu cells)\n", h.width, h.height, image.records.size());
  if (bytes.size() > MapFileSize(h.width, h.height))
    std::printf("extra bytes: %zu after the last record\n", static_cast<size_t>(bytes.size() - MapFileSize(h.width, h.height)));

  std::map<int, int> terrain, controllers, owners, weather, forts;
  std::set<int> seaZones, coastZones;
  int land = 0, sea = 0, rivers = 0, mouths = 0, coastal = 0, exempt = 0, occupied = 0;
  for (const sHexFileRecord& r : image.records) {
    ++terrain[r.terrain];
    ++weather[r.weather];
    if (r.terrain == 0) {
      ++sea;
      if (r.seaZone != 0) seaZones.insert(r.seaZone);
      if (r.rivers & 0x40) ++mouths;
      continue;
    }
    ++land;
    if (r.rivers & 0x3F) ++rivers;
    if (r.seaZone != 0) coastZones.insert(r.seaZone);
    if (r.flags & kHexFlagCoastal) ++coastal;
    if (r.flags & kHexFlagNoWeatherRoll) ++exempt;
    ++controllers[r.controller];
    ++owners[r.owner];
    if (r.controller != r.owner) ++occupied;
    if (r.fort != 0) ++forts[r.fort];
  }
  std::printf("land:        %d hexes, sea: %d hexes\n", land, sea);
  std::printf("terrain:    ");
  for (const auto& [t, n] : terrain) std::printf(" %s:%d", t < 8 ? kTerrainNames[t] : ("code " + std::to_string(t)).c_str(), n);
  std::printf("\n");
  std::printf("rivers:      %d land hexes, %d river mouths\n", rivers, mouths);
  std::printf("sea zones:   %zu on sea hexes, %zu reached from land hexes\n", seaZones.size(), coastZones.size());
  std::printf("coast:       %d coastal land hexes\n", coastal);
  std::printf("weather:     %d land hexes without the weather roll\n", exempt);
  PrintCounts("weather now", weather);
  PrintCounts("controllers (country:hexes)", controllers);
  PrintCounts("owners (country:hexes)", owners);
  std::printf("occupied:    %d land hexes held by another than their owner\n", occupied);
  PrintCounts("forts (level:hexes)", forts);
  return 0;
}

int ToText(const std::string& in, const std::string& out) {
  sMapFileImage image;
  std::vector<uint8_t> bytes;
  if (!LoadMap(in, image, bytes)) return 1;
  if (!WriteFile(out, MapFileToText(image))) {
    std::fprintf(stderr, "maptool: cannot write %s\n", out.c_str());
    return 1;
  }
  return 0;
}

int ToHwd(const std::string& in, const std::string& out) {
  std::vector<uint8_t> text;
  if (!ReadFile(in, text)) return 1;
  sMapFileImage image;
  std::string error;
  if (!MapTextToFile(std::string(text.begin(), text.end()), image, error)) {
    std::fprintf(stderr, "maptool: %s: %s\n", in.c_str(), error.c_str());
    return 1;
  }
  const std::vector<uint8_t> bytes = SerializeMapFile(image);
  if (!WriteFile(out, std::string(bytes.begin(), bytes.end()))) {
    std::fprintf(stderr, "maptool: cannot write %s\n", out.c_str());
    return 1;
  }
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: maptool info <map.hwd>\n"
               "       maptool to-text <map.hwd> <map.txt>\n"
               "       maptool to-hwd <map.txt> <map.hwd>\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "info") return Info(args[1]);
  if (args.size() == 3 && args[0] == "to-text") return ToText(args[1], args[2]);
  if (args.size() == 3 && args[0] == "to-hwd") return ToHwd(args[1], args[2]);
  return Usage();
}
