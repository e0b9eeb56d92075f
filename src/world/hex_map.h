#pragma once
// The hex map of a running game: a grid of cells addressed by column and row
// in offset coordinates (even columns stand half a hex lower than odd ones),
// with the side tables that belong to it.
#include <cstddef>
#include <cstdint>
#include <list>
#include <map>
#include <string>
#include <vector>

#include "core/front_end.h"
#include "world/map_view.h"

class cDrawTarget;

class cMiasto;
class cJednostka;
class cJednostkaLotnicza;
class cPanstwo;
class cMapa;
class cUnit;
struct sHexEyecandy;
struct sHexFileRecord;
struct sWezelGrafuMorz;
struct sWynikWalki;

struct sHexPoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const sHexPoint&) const = default;
};

// Steps between two cells of the offset-coordinate grid, off the map too.
int HexDistance(int x1, int y1, int x2, int y2);

// Terrain codes; every code but sea is land.
enum : uint8_t {
  kTerrainSea = 0,
  kTerrainPlain = 1,
  kTerrainForest = 2,
  kTerrainRough = 3,
  kTerrainSwamp = 4,
  kTerrainHill = 5,
  kTerrainMountain = 6,
  kTerrainDesert = 7,
};

// Weather states of a cell.
enum : uint32_t { kWeatherClear = 0, kWeatherWinter = 1, kWeatherMud = 2 };

// Mark bits with a map-wide meaning.
constexpr uint32_t kMarkSeaReachable = 0x200000;
constexpr uint32_t kMarkBit24 = 0x01000000;

// Bits of sHex::borders.
constexpr uint16_t kBorderOwnerBits = 0x0007;       // towards directions 1, 2, 3
constexpr uint16_t kBorderControllerBits = 0x0038;  // towards directions 1, 2, 3
constexpr uint16_t kBorderSeaZoneBits = 0x01C0;     // towards directions 1, 2, 3

struct sHex {
  int16_t x = -1;
  int16_t y = -1;
  uint8_t terrain = 0;
  // Land: bit d, a river along side d. Sea: bit 6 marks a river mouth and
  // bits 0-5 choose the mouth pictures.
  uint8_t rivers = 0;
  uint16_t borders = 0;
  uint8_t tileVariant = 0;
  uint8_t controller = 0;
  uint8_t owner = 0;
  uint8_t originalOwner = 0;
  cMiasto* city = nullptr;
  uint8_t fileByte1 = 0;
  uint16_t seaZone = 0;
  uint8_t coastal = 0;
  uint16_t seaNodeMarker = 0;
  uint8_t fort = 0;
  uint32_t weather = 0;
  uint32_t marks = 0;
  int32_t markValue = 0;
  cJednostka* unit = nullptr;
  uint8_t mudChance[12] = {};
  uint8_t winterChance[12] = {};
  uint8_t weatherApplies = 1;

  bool IsSea() const { return terrain == kTerrainSea; }
  bool IsLand() const { return terrain != kTerrainSea; }

  // Six 0/1 bytes, side 0 first; all 0 for a value above 63 (a river mouth).
  void ZwrocWektorRzek(uint8_t out[6]) const;
  bool HasRiver(int side) const;

  void SetController(int country);
  void SetOwner(int country);
  // Recomputes the owner and controller border bits of a land cell.
  void UpdateBorders();

  void SetMark(uint32_t bits, int32_t value);
  void ClearMark(uint32_t bits, bool removeFromList);

  // Country id 0 is nobody: no hex is friendly, held or open to it.
  bool IsFriendlyTo(int country) const;
  bool IsHeldByFriendOf(int country) const;
  bool IsEnterableBy(int country) const;
  bool IsLandNotNeutralTo(int country) const;
  bool IsLandWithZone() const { return IsLand() && seaZone != 0; }

  // The best fighter at war with the country that can intercept its attack
  // on this land hex; null for none.
  cJednostkaLotnicza* FindInterceptor(int country) const;

  // A bombardment of the hex by an air unit or a ship: an interceptor may
  // stop it; then the unit, the city (strategic bombers and carriers only)
  // and the port, or the sea zone, are hit in this order, and the lines of
  // the report are appended to the result's general text. An attacker that
  // dies is killed, a ship sunk through its own kill: it is freed then, and
  // the caller must not touch it. Returns the value of the last operation
  // called.
  int AirBombard(sWynikWalki& result, cUnit* attacker);

  cPanstwo* GetControllerCountry() const;
  cPanstwo* GetOwnerCountry() const;
  cPanstwo* GetOriginalOwnerCountry() const;

  // Drawing (map_draw.cpp), with the top left of the hex picture at (x, y)
  // in map pixels of the view.
  void Draw(cDrawTarget& target, const sMapDisplay& display, float x, float y, const sHexEyecandy* eyecandy,
            int frame) const;
  void DrawVariant(cDrawTarget& target, float x, float y, const sHexEyecandy* eyecandy) const;
  void DrawSimple(cDrawTarget& target, float x, float y) const;
  void DrawSeaNodeMarker(cDrawTarget& target, const sMapDisplay& display, float x, float y) const;
  // The hex alone as a tile of the sea-battle grid; the unit in front of it.
  void DrawTile(cDrawTarget& target, float x, float y, float depth) const;

  // The map that holds the cell; null for a cell outside any map.
  cMapa* map = nullptr;
};

// The sea node's side of a bombardment: the port and the ships at the node
// (sWezelGrafuMorz::BombardPort unless a test installs another).
using NodeBombardmentFn = int (*)(sWezelGrafuMorz& node, sWynikWalki& result, cUnit* attacker, const sHex& hex);
// Null restores the node's own.
void SetNodeBombardmentHandler(NodeBombardmentFn fn);

// Per-hex decoration drawn on top of the terrain.
struct sHexEyecandy {
  int32_t source[3][2] = {};  // picture position for weather 0, 1 and 2
  float depth = -1.0f;
  int32_t hiddenLayer = 100;
};

// The program-wide current scale of the map view (1.0 = full size).
extern float gCurrentMapScale;

class cMapa {
 public:
  cMapa() = default;
  ~cMapa();
  cMapa(const cMapa&) = delete;
  cMapa& operator=(const cMapa&) = delete;

  // Creates width x height default cells placed at their coordinates, with
  // the view values of that size. Used by the map readers and by authoring.
  void Create(int width, int height);

  // Grid. A cell outside the map answers with the cell of (0, 0). Inline:
  // every map pass asks for cells and neighbours in its innermost loop.
  sHex* GetHex(int x, int y) {
    if (hexes.empty()) return nullptr;
    if (!IsInside(x, y)) return &hexes[0];
    return &hexes[CellIndex(x, y)];
  }
  const sHex* GetHex(int x, int y) const { return const_cast<cMapa*>(this)->GetHex(x, y); }
  int GetWidth() const { return width; }
  int GetHeight() const { return height; }
  bool IsInside(int x, int y) const { return x >= 0 && x < width && y >= 0 && y < height; }
  bool HasNeighbour(int x, int y, int d) const;
  sHex* GetNeighbourHex(int x, int y, int d) {
    if (d < 0 || d > 5) return nullptr;
    const int nx = x + kStepDx[d];
    const int ny = y + (x % 2 != 0 ? kStepOddDy[d] : kStepEvenDy[d]);
    if (!IsInside(nx, ny)) return nullptr;
    return &hexes[CellIndex(nx, ny)];
  }
  // The neighbour's coordinates by the direction table, on the map or not;
  // nothing is written for a direction outside 0-5.
  void NeighbourPoint(int x, int y, int d, sHexPoint& out) const;
  void NeighbourCoords(int x, int y, int d, int& nx, int& ny) const;
  // 1 + the direction from (x0, y0) to an adjacent (x1, y1), else 0.
  int GetDirection(int x0, int y0, int x1, int y1) const;
  bool IsEnemyUnitAtOrNextTo(int country, int x, int y) const;
  const std::vector<sHexPoint>& GetCoastalHexesOfZone(int zone) const;

  // Map-wide operations.
  void PropagateRivers();
  void RefreshAllBorders();
  void RebuildZoneIndex();
  void ResetHexExtras();
  void ClearMarks(uint32_t bits, bool clearBit24);
  void AddMarkedHex(sHex* hex);
  void RemoveMarkedHex(sHex* hex);
  void RollWeather(int monthIndex);
  void MarkSeaNodeHexes(int zone, uint32_t bits, bool alsoReachable);
  void CreateAiLayer();
  void SetLayerByte(int x, int y, uint8_t v);
  uint8_t GetLayerByte(int x, int y) const;
  void ClearLayerBytes();
  void Release();

  // Queries of the computer player (map_queries.cpp).
  // The lattice of held land hexes d apart, every other column shifted by
  // half a step; cached for the last d asked for. d must exceed 2, else
  // std::invalid_argument.
  const std::list<sHexPoint>& GetFrontNodes(int d);
  // The point one lattice distance away in direction 0-5 (for a distance of
  // 1 the neighbour). std::logic_error before a lattice was built,
  // std::invalid_argument for another direction.
  sHexPoint PointAtFrontNodeDistance(int x, int y, int dir) const;
  // Outward from (x, y) over land, in rings up to maxDistance: the first
  // free coastal hex of the sea zone held by the country, an ally or an
  // enemy. With ownOnly only (x, y) itself counts, and only when the country
  // holds it.
  bool FindInvasionLandingHex(int country, int x, int y, int seaZone, int maxDistance, int& outX, int& outY,
                              bool ownOnly) const;
  // The same walk: the hex of the weakest enemy unit (lowest combat strength,
  // the first found on ties). unusedId is not read.
  bool FindWeakestEnemyUnitNear(int country, int x, int y, int unusedId, int maxDistance, int& outX, int& outY) const;

  // The view (map_view.cpp): camera, zoom and minimap.
  // Moves the camera's target to the hex; a hex off the map is only logged.
  void CenterAtHex(int x, int y);
  void MoveCamera(float dx, float dy, float speed);
  // Moves the target to a map point, measured from the camera; with the
  // flag the game waits in the camera-scroll state until it arrives.
  void ScrollCameraToPoint(float x, float y, bool scrollState);
  void CenterAtMinimapCursor();
  // Camera and target on the map point at once.
  void SetCameraAt(float x, float y);
  // One wheel step with the cursor at a screen point, whose map point stays
  // under it; a zoom key passes (0, 0) and zooms about the view's centre.
  void ZoomAtScreenPoint(int delta, int sx, int sy);
  // A short drag that ended as a click: the selection is dropped.
  void ClearSelectionOnClick();
  // One frame of zoom animation and camera movement.
  void UpdateCamera(float elapsedSeconds);
  // The values that follow the current scale: visible range, bounds,
  // sprite transform, fonts and city appearance.
  void ApplyScale();
  void InitMinimap(const std::wstring& picture);
  void RedrawMinimapTexture();
  void DrawMinimapViewRect(cDrawTarget& target) const;

  // Drawing (map_draw.cpp): the visible hexes in the batch of the frame;
  // an animation frame below 0 takes the system clock's.
  void Render(cDrawTarget& target, const sMapDisplay& display, int frame = -1);

  // Territory changes (territory.cpp). Country arguments are ids, 0 nobody.
  // A land unit of country c entered (x, y): the hex and the empty enemy
  // hexes around it that no enemy unit guards pass to c.
  void CaptureHexAndSurroundings(int c, int x, int y);
  // Fleets in a port on (x, y) leave it for the open sea.
  void CheckPortCaptured(int x, int y);
  // End of turn: enemy pockets cut off from every city of their side pass to
  // the enemy that encloses them.
  void AbsorbUnsuppliedHexes();
  // Surrender and annexation: the territory of from passes to to.
  void TransferHexes(int from, int to);
  // A unit found on annexed territory: an ally of the annexed country goes
  // to its reserve, an enemy stays; any other is a fatal fault.
  bool CheckAnnexedUnit(int from, cJednostka* unit);
  // Peace: every hex occupied by or from the country returns to its owner.
  void ReturnOccupiedHexes(int country);
  // Scenario event actions on column x, rows y to y + count - 1; the second
  // also sets the original owner. False (and a log line) for bad parameters.
  bool ChangeStripeControllerAndOwner(int x, int y, int count, int country);
  bool ChangeStripeControllerOwnerAndOriginalOwner(int x, int y, int count, int country);
  // Scenario event action: every hex controlled by a passes wholly to b.
  void ChangeTerritoryControllerOwnerAndOriginalOwner(int a, int b);

  // View bookmarks, slots 0-9 (other slots are clamped into that range).
  int SetViewBookmark(int slot, int x, int y);
  sHexPoint GetViewBookmark(int slot) const;

  // The size with its view values.
  void SetWidth(int w);
  void SetHeight(int h);

  // The map file (map_file.cpp).
  void LoadMapFile(const std::wstring& folderTemplate);
  bool SaveMapFile(const std::wstring& folder, const std::wstring* folderTemplate) const;
  // Reads the map file of the folder on a map object of its own, merges the
  // weather and area side files and writes "output_map.hwd"; the map of a
  // running game is left as it is.
  static void LoadFromFile(const std::wstring& folderTemplate);
  // A record's fields into a cell placed at (x, y), and a cell into a record.
  static void HexFromFileRecord(sHex& cell, const sHexFileRecord& rec, int x, int y);
  static sHexFileRecord HexToFileRecord(const sHex& cell);

  int32_t width = 0;
  int32_t height = 0;
  int32_t cameraMinX = 0, cameraMaxX = 0, cameraMinY = 0, cameraMaxY = 0;
  float fitScale = 1.0f;
  int32_t firstColumn = 0, firstRow = 0, columnOffset = 0, rowOffset = 0;
  int32_t visibleColumnsAtScale = 0, visibleRowsAtScale = 0;
  int32_t visibleColumns = 0, visibleRows = 0;
  float spriteTransform[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  float minimapScale = 1.0f;
  float minimapTransform[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  int32_t minimapRect[4] = {};
  float minimapViewLine[5][2] = {};
  std::vector<sHex> hexes;
  std::vector<sHexEyecandy> eyecandies;
  std::list<sHex*> markedHexes;
  std::vector<uint8_t> aiLayer;
  int32_t frontNodeDistance = -1;
  std::list<sHexPoint> frontNodes;
  std::map<int, std::vector<sHexPoint>> zoneCoasts;
  float cameraY = 0, cameraTargetY = 0, zoomShiftY = 0;
  float cameraX = 0, cameraTargetX = 0, zoomShiftX = 0;
  float cameraSpeedX = 0, cameraSpeedY = 0;
  // The scale the view values were last computed for; 0 before the first.
  float appliedScale = 0.0f;
  int32_t minimapPanelSize[2] = {};
  int32_t minimapTextureSize[2] = {};
  // Textures of the minimap picture and its drawing (front-end handles).
  FrontEndHandle minimapTextures[2] = {};

 private:
  // Neighbour offsets by direction; the row step depends on the column parity.
  static constexpr int kStepDx[6] = {0, 1, 1, 0, -1, -1};
  static constexpr int kStepEvenDy[6] = {-1, 0, 1, 1, 1, 0};
  static constexpr int kStepOddDy[6] = {-1, -1, 0, 1, 0, -1};

  // The storage index of a cell on the map; cells are stored row by row.
  size_t CellIndex(int x, int y) const {
    return static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
  }
  // First column and row with their offsets, from the camera.
  void RecomputeFirstCell();
  void RecomputeViewOutline();
  // Reads and checks the file and fills fresh cells; a missing, short or
  // malformed file is a fatal data error.
  void ReadMapFile(const std::wstring& path);

  sHexPoint bookmarks_[10] = {{-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1},
                              {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}};
};
