// Paints a scenario's minimap picture from its map file: each pixel takes the
// terrain colour of the hex under it (83 x 98 pixels a hex, even columns half
// a hex lower), land along the sea gets a dark coast line.
//
//   make_minimap <map.hwd> <minimap.png> [pixels per column]
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/paths.h"
#include "paint.h"
#include "world/map_file.h"

namespace {

using paint::Rgba;

// Sea, plain, forest, rough, swamp, hill, mountain, desert.
constexpr Rgba kTerrain[8] = {{70, 94, 108},   {156, 154, 104}, {92, 108, 66},   {142, 126, 92},
                              {106, 120, 94},  {158, 138, 96},  {118, 106, 94},  {200, 182, 132}};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: make_minimap <map.hwd> <minimap.png> [pixels per column]\n");
    return 2;
  }
  const int perColumn = argc == 4 ? std::atoi(argv[3]) : 3;
  if (perColumn < 1 || perColumn > 16) {
    std::fprintf(stderr, "make_minimap: pixels per column must be 1 to 16\n");
    return 2;
  }
  std::vector<uint8_t> bytes;
  sMapFileImage map;
  if (!ReadWholeFile(argv[1], bytes) || ParseMapFile(bytes.data(), bytes.size(), map) != eMapFileError::kNone) {
    std::fprintf(stderr, "make_minimap: %s is not a readable map file\n", argv[1]);
    return 1;
  }
  const int cols = map.header.width, rows = map.header.height;
  const long long mapW = 83LL * cols, mapH = 98LL * rows;
  const int w = perColumn * cols;
  const int h = static_cast<int>((w * mapH + mapW / 2) / mapW);
  const auto terrainAt = [&](int u, int v) {
    const long long x = (2LL * u + 1) * mapW / (2LL * w), y = (2LL * v + 1) * mapH / (2LL * h);
    const int c = static_cast<int>(std::min<long long>(x / 83, cols - 1));
    long long yy = y - (c % 2 == 0 ? 49 : 0);
    const int r = static_cast<int>(std::clamp<long long>(yy < 0 ? 0 : yy / 98, 0, rows - 1));
    const uint8_t t = map.records[static_cast<size_t>(r) * cols + c].terrain;
    return t < 8 ? t : 0;
  };
  paint::cPicture picture(w, h);
  for (int v = 0; v < h; ++v)
    for (int u = 0; u < w; ++u) {
      const int t = terrainAt(u, v);
      Rgba c = kTerrain[t];
      if (t != 0) {
        bool coast = false;
        for (int d = 0; d < 4 && !coast; ++d) {
          const int nu = u + (d == 0) - (d == 1), nv = v + (d == 2) - (d == 3);
          if (nu >= 0 && nv >= 0 && nu < w && nv < h && terrainAt(nu, nv) == 0) coast = true;
        }
        if (coast) c = paint::Mix(c, paint::colour::kInk, 0.45f);
      }
      picture.Set(u, v, c);
    }
  return picture.Save(argv[2]) ? 0 : 1;
}
