'use strict';
// Builds the hex world of the scenario: land and sea from the Natural Earth
// country shapes, the owners of 1939, terrain, rivers, weather chances, sea
// zones with their coasts. Pure: the same inputs give the same cells.
const { Conic, HexGrid, neighbour, inRing, inGeometry, bbox, segmentsCross, COL_W } = require('./geo');
const borders = require('./tables/borders1939');
const terrainAreas = require('./tables/terrain');
const rivers = require('./tables/rivers');
const seas = require('./tables/seas');

const TERRAIN = { SEA: 0, PLAIN: 1, FOREST: 2, ROUGH: 3, SWAMP: 4, HILL: 5, MOUNTAIN: 6, DESERT: 7 };

// Map window: 152 x 104 hexes of about 40 km, from Morocco and Ireland to
// the Caspian and the Persian Gulf, from Egypt to the North Cape.
const MAP = { width: 152, height: 104, colRad: 0.0062, left: -70, top: 61 };

function makeGrid() {
  const proj = new Conic(20, 38, 62, 50);
  const scale = MAP.colRad / COL_W;
  return new HexGrid(MAP.width, MAP.height, proj, MAP.left * MAP.colRad, MAP.top * MAP.colRad, scale);
}

// The shapes are read only here, so that the tool's small mode runs
// without the two packages installed.
function loadShapes() {
  const topojson = require('topojson-client');
  const atlas = require('world-atlas/countries-50m.json');
  const fc = topojson.feature(atlas, atlas.objects.countries);
  // Rings that reach round to the date line (eastern Russia) are unwrapped
  // to longitudes beyond 180, so the even-odd test sees one closed shape;
  // then only the polygons of our part of the world are kept.
  const unwrap = (poly) =>
    poly.map((ring) => {
      const wraps = ring.some(([x]) => x < -90) && ring.some(([x]) => x > 90);
      return wraps ? ring.map(([x, y]) => [x < 0 ? x + 360 : x, y]) : ring;
    });
  const keep = (poly) => {
    const b = bbox({ type: 'Polygon', coordinates: poly });
    return b[2] > -45 && b[0] < 95;
  };
  return fc.features
    .filter((f) => f.geometry)
    .map((f) => {
      const polys = f.geometry.type === 'Polygon' ? [f.geometry.coordinates] : f.geometry.coordinates;
      const geom = { type: 'MultiPolygon', coordinates: polys.map(unwrap).filter(keep) };
      return { name: f.properties.name, geom, box: geom.coordinates.length ? bbox(geom) : [0, 0, -1, -1] };
    })
    .filter((s) => s.geom.coordinates.length)
    .sort((a, b) => (a.name < b.name ? -1 : a.name > b.name ? 1 : 0));
}

class World {
  constructor(countryNames) {
    this.grid = makeGrid();
    this.W = MAP.width;
    this.H = MAP.height;
    this.countryId = new Map(countryNames.map((n, i) => [n, i + 1]));
    this.cells = [];
    for (let y = 0; y < this.H; ++y)
      for (let x = 0; x < this.W; ++x) {
        const [lon, lat] = this.grid.centreLonLat(x, y);
        this.cells.push({ x, y, lon, lat, terrain: 0, modern: null, owner: 0, rivers: 0, seaZone: 0, coastal: 0,
          variant: 0, fort: 0, mud: new Array(12).fill(0), winter: new Array(12).fill(0) });
      }
  }
  at(x, y) { return this.cells[y * this.W + x]; }
  inside(x, y) { return x >= 0 && y >= 0 && x < this.W && y < this.H; }
  neighbours(c) {
    const out = [];
    for (let d = 0; d < 6; ++d) {
      const [nx, ny] = neighbour(c.x, c.y, d);
      if (this.inside(nx, ny)) out.push({ d, cell: this.at(nx, ny) });
    }
    return out;
  }
  isLand(c) { return c.terrain !== TERRAIN.SEA; }
  id(name) {
    const v = this.countryId.get(name);
    if (v === undefined) throw new Error('no country ' + name);
    return v;
  }
  cellAtLonLat(lon, lat) {
    const [x, y] = this.grid.cellOf(lon, lat);
    return this.inside(x, y) ? this.at(x, y) : null;
  }

  build() {
    this.assignLand();
    this.applyBorders1939();
    this.growZones();
    this.assignTerrain();
    this.assignCoasts();
    this.assignRivers();
    this.propagateRivers();
    this.assignWeather();
    for (const c of this.cells) c.variant = (c.x * 7 + c.y * 13 + ((c.x * c.y) % 5)) % 6;
  }

  assignLand() {
    const shapes = loadShapes();
    for (const c of this.cells) {
      for (const s of shapes) {
        const b = s.box;
        if (c.lon < b[0] || c.lon > b[2] || c.lat < b[1] || c.lat > b[3]) continue;
        if (inGeometry(c.lon, c.lat, s.geom)) {
          c.modern = s.name;
          c.terrain = TERRAIN.PLAIN;
          break;
        }
      }
    }
  }

  applyBorders1939() {
    for (const c of this.cells) {
      if (!c.modern) continue;
      const now = borders.modern[c.modern];
      if (!now) throw new Error(`no country of 1939 for ${c.modern} at hex (${c.x}, ${c.y})`);
      c.owner = this.id(now);
    }
    for (const cut of borders.cuts) {
      const to = this.id(cut.to);
      for (const c of this.cells)
        if (c.modern && cut.from.includes(c.modern) && inRing(c.lon, c.lat, cut.poly)) c.owner = to;
    }
    for (const p of borders.points) {
      let c;
      if (p.island) {
        // Too small to cover the centre of a hex: its hex becomes land.
        c = this.cellAtLonLat(p.lon, p.lat);
        c.terrain = TERRAIN.PLAIN;
        c.modern = p.note;
      } else {
        c = this.nearestLand(p.lon, p.lat);
      }
      c.owner = this.id(p.to);
    }
  }

  nearestLand(lon, lat) {
    const start = this.cellAtLonLat(lon, lat);
    if (!start) throw new Error(`(${lon}, ${lat}) is off the map`);
    const found = this.search(start, (c) => this.isLand(c), 4);
    if (!found) throw new Error(`no land near (${lon}, ${lat})`);
    return found;
  }

  // Breadth-first search in ring order from a cell; neighbours in direction
  // order, so the result is fixed.
  search(start, accept, maxDist) {
    const seen = new Set([start]);
    let ring = [start];
    for (let dist = 0; dist <= maxDist && ring.length; ++dist) {
      for (const c of ring) if (accept(c)) return c;
      const next = [];
      for (const c of ring)
        for (const { cell } of this.neighbours(c))
          if (!seen.has(cell)) {
            seen.add(cell);
            next.push(cell);
          }
      ring = next;
    }
    return null;
  }

  // Water hexes are shared out among the sea zones by a flood from every
  // seed at once. Water that no seed reaches is a lake: it becomes land of
  // the country around it.
  growZones() {
    this.zones = seas.zones.map((z, i) => ({ id: i + 1, name: z.name, cells: [] }));
    let frontier = [];
    const bad = [];
    for (const z of this.zones) {
      const seed = seas.zones[z.id - 1].seed;
      const c = this.cellAtLonLat(seed[0], seed[1]);
      if (!c || this.isLand(c) || c.seaZone) {
        bad.push(z.name);
        continue;
      }
      c.seaZone = z.id;
      frontier.push(c);
    }
    if (bad.length) throw new Error(`seeds not on a water hex of their own: ${bad.join(', ')}`);
    while (frontier.length) {
      const next = [];
      for (const c of frontier)
        for (const { cell } of this.neighbours(c))
          if (!this.isLand(cell) && cell.seaZone === 0) {
            cell.seaZone = c.seaZone;
            next.push(cell);
          }
      frontier = next;
    }
    let lakes = 1;
    while (lakes) {
      lakes = 0;
      for (const c of this.cells) {
        if (this.isLand(c) || c.seaZone) continue;
        const land = this.neighbours(c).map((n) => n.cell).filter((n) => this.isLand(n) && n.owner);
        if (!land.length) continue;
        c.terrain = TERRAIN.PLAIN;
        c.owner = land[0].owner;
        c.lake = true;
        ++lakes;
      }
    }
    for (const c of this.cells) if (!this.isLand(c)) this.zones[c.seaZone - 1].cells.push(c);
    for (const z of this.zones) if (!z.cells.length) throw new Error(`zone ${z.name} is empty`);
  }

  assignTerrain() {
    for (const c of this.cells) {
      if (!this.isLand(c)) continue;
      for (const a of terrainAreas) if (inRing(c.lon, c.lat, a.poly)) c.terrain = a.t;
    }
  }

  // A land hex touching water is coastal and reached from the zone of the
  // first water neighbour in direction order.
  assignCoasts() {
    for (const c of this.cells) {
      if (!this.isLand(c)) continue;
      const water = this.neighbours(c).find((n) => !this.isLand(n.cell));
      if (water) {
        c.coastal = 1;
        c.seaZone = water.cell.seaZone;
      }
    }
  }

  assignRivers() {
    const px = (lon, lat) => this.grid.pixelOf(lon, lat);
    for (const r of rivers) {
      const pts = r.line.map(([lon, lat]) => px(lon, lat));
      let minX = Infinity, maxX = -Infinity, minY = Infinity, maxY = -Infinity;
      for (const [x, y] of pts) [minX, maxX, minY, maxY] = [Math.min(minX, x), Math.max(maxX, x), Math.min(minY, y), Math.max(maxY, y)];
      for (const c of this.cells) {
        if (!this.isLand(c)) continue;
        const a = this.grid.centrePixel(c.x, c.y);
        if (a[0] < minX - 200 || a[0] > maxX + 200 || a[1] < minY - 200 || a[1] > maxY + 200) continue;
        for (const d of [1, 2, 3]) {
          const [nx, ny] = neighbour(c.x, c.y, d);
          if (!this.inside(nx, ny)) continue;
          const n = this.at(nx, ny);
          if (!this.isLand(n)) continue;
          const b = this.grid.centrePixel(nx, ny);
          for (let i = 0; i + 1 < pts.length; ++i)
            if (segmentsCross(a, b, pts[i], pts[i + 1])) {
              c.rivers |= 1 << d;
              n.rivers |= 1 << ((d + 3) % 6);
              break;
            }
        }
      }
    }
  }

  // River mouths on the water next to river sides, exactly as the map
  // reader marks them, so that a map read and written back is unchanged.
  propagateRivers() {
    for (let x = 0; x < this.W; ++x)
      for (let y = 0; y < this.H; ++y) {
        const c = this.at(x, y);
        if (c.rivers === 0 || c.rivers > 63) continue;
        for (let i = 0; i < 6; ++i) {
          if (!(c.rivers & (1 << i))) continue;
          const [ax, ay] = neighbour(x, y, (i + 5) % 6);
          if (this.inside(ax, ay) && !this.isLand(this.at(ax, ay))) this.at(ax, ay).rivers |= (1 << i) | 0x40;
          const [bx, by] = neighbour(x, y, (i + 1) % 6);
          if (this.inside(bx, by) && !this.isLand(this.at(bx, by))) this.at(bx, by).rivers |= (1 << ((i + 3) % 6)) | 0x40;
        }
      }
  }

  // Winter and mud by latitude, colder towards the east (the continental
  // climate), none in the desert; mountains and hills snow more.
  assignWeather() {
    //                Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec
    const snowLine = [47, 48, 55, 62, 68, 99, 99, 99, 70, 62, 54, 49];
    const mudMonths = new Set([2, 3, 4, 9, 10]);
    for (const c of this.cells) {
      if (!this.isLand(c) || c.terrain === TERRAIN.DESERT) continue;
      const eff = c.lat + Math.max(0, c.lon - 8) * 0.18 + (c.terrain === TERRAIN.MOUNTAIN ? 6 : c.terrain === TERRAIN.HILL ? 2 : 0);
      for (let m = 0; m < 12; ++m) {
        const w = Math.round((eff - snowLine[m]) * 12);
        c.winter[m] = Math.max(0, Math.min(100, w));
        if (mudMonths.has(m)) {
          const mud = Math.round(60 - Math.abs(eff - (snowLine[m] - 5)) * 8);
          c.mud[m] = Math.max(0, Math.min(60, mud));
        }
      }
    }
  }
}

module.exports = { World, TERRAIN, MAP };
