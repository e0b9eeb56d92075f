'use strict';
// Projection between longitude/latitude and hex cells, and the small
// geometric tests the generator needs. Everything is plain arithmetic on
// doubles, so the output does not depend on the machine.

const DEG = Math.PI / 180;

// Equidistant conic projection with two standard parallels: shapes of
// Europe stay close to what an atlas shows from Iberia to the Caucasus.
class Conic {
  constructor(lon0, lat1, lat2, latOrigin) {
    this.lon0 = lon0;
    const p1 = lat1 * DEG;
    const p2 = lat2 * DEG;
    this.n = (Math.cos(p1) - Math.cos(p2)) / (p2 - p1);
    this.G = Math.cos(p1) / this.n + p1;
    this.rho0 = this.G - latOrigin * DEG;
  }
  // Returns [x, y] in radians of arc, y growing northwards.
  forward(lon, lat) {
    const rho = this.G - lat * DEG;
    const t = this.n * (lon - this.lon0) * DEG;
    return [rho * Math.sin(t), this.rho0 - rho * Math.cos(t)];
  }
  inverse(x, y) {
    const dy = this.rho0 - y;
    const rho = Math.sign(this.n) * Math.sqrt(x * x + dy * dy);
    const t = Math.atan2(x, dy);
    return [this.lon0 + t / this.n / DEG, (this.G - rho) / DEG];
  }
}

// Hex layout of the game: columns 83 units apart, rows 98 apart, even
// columns half a row lower.
const COL_W = 83;
const ROW_H = 98;

class HexGrid {
  // The map covers a window of the projection whose top-left corner is
  // (x0, y0) and where one pixel of the hex layout is `scale` radians.
  constructor(width, height, proj, x0, y0, scale) {
    Object.assign(this, { width, height, proj, x0, y0, scale });
  }
  centrePixel(cx, cy) {
    return [cx * COL_W + COL_W / 2, cy * ROW_H + ROW_H / 2 + (cx % 2 === 0 ? ROW_H / 2 : 0)];
  }
  centreLonLat(cx, cy) {
    const [px, py] = this.centrePixel(cx, cy);
    return this.proj.inverse(this.x0 + px * this.scale, this.y0 - py * this.scale);
  }
  // Pixel position of a longitude/latitude.
  pixelOf(lon, lat) {
    const [x, y] = this.proj.forward(lon, lat);
    return [(x - this.x0) / this.scale, (this.y0 - y) / this.scale];
  }
  // The cell whose centre is nearest to the point (may be off the map).
  cellOf(lon, lat) {
    const [px, py] = this.pixelOf(lon, lat);
    const cx0 = Math.floor(px / COL_W);
    let best = null;
    for (let cx = cx0 - 1; cx <= cx0 + 1; ++cx) {
      const cy0 = Math.floor(py / ROW_H);
      for (let cy = cy0 - 2; cy <= cy0 + 1; ++cy) {
        const [qx, qy] = this.centrePixel(cx, cy);
        const d = (qx - px) ** 2 + (qy - py) ** 2;
        if (best === null || d < best.d) best = { cx, cy, d };
      }
    }
    return [best.cx, best.cy];
  }
  inside(cx, cy) {
    return cx >= 0 && cy >= 0 && cx < this.width && cy < this.height;
  }
}

// Neighbour of (x, y) in direction d (0 north, clockwise).
function neighbour(x, y, d) {
  const odd = x % 2 !== 0;
  switch (d) {
    case 0: return [x, y - 1];
    case 1: return odd ? [x + 1, y - 1] : [x + 1, y];
    case 2: return odd ? [x + 1, y] : [x + 1, y + 1];
    case 3: return [x, y + 1];
    case 4: return odd ? [x - 1, y] : [x - 1, y + 1];
    case 5: return odd ? [x - 1, y - 1] : [x - 1, y];
    default: throw new Error('direction ' + d);
  }
}

// Hexes between two cells: offset coordinates (even columns lower) turned
// into cube coordinates.
function hexDistance(a, b) {
  const cube = (c) => {
    const q = c.x;
    const r = c.y - (c.x + (c.x & 1)) / 2;
    return [q, r, -q - r];
  };
  const [a1, a2, a3] = cube(a);
  const [b1, b2, b3] = cube(b);
  return Math.max(Math.abs(a1 - b1), Math.abs(a2 - b2), Math.abs(a3 - b3));
}

// Even-odd rule over one ring of [lon, lat] points.
function inRing(lon, lat, ring) {
  let inside = false;
  for (let i = 0, j = ring.length - 1; i < ring.length; j = i++) {
    const [xi, yi] = ring[i];
    const [xj, yj] = ring[j];
    if ((yi > lat) !== (yj > lat) && lon < ((xj - xi) * (lat - yi)) / (yj - yi) + xi) inside = !inside;
  }
  return inside;
}

// A GeoJSON polygon or multipolygon, holes included.
function inGeometry(lon, lat, geom) {
  const polys = geom.type === 'Polygon' ? [geom.coordinates] : geom.type === 'MultiPolygon' ? geom.coordinates : [];
  for (const rings of polys) {
    if (!inRing(lon, lat, rings[0])) continue;
    let hole = false;
    for (let k = 1; k < rings.length; ++k) if (inRing(lon, lat, rings[k])) hole = true;
    if (!hole) return true;
  }
  return false;
}

function bbox(geom) {
  let b = [Infinity, Infinity, -Infinity, -Infinity];
  const polys = geom.type === 'Polygon' ? [geom.coordinates] : geom.coordinates;
  for (const rings of polys)
    for (const [x, y] of rings[0]) b = [Math.min(b[0], x), Math.min(b[1], y), Math.max(b[2], x), Math.max(b[3], y)];
  return b;
}

// Whether segments p1-p2 and q1-q2 cross (touching counts).
function segmentsCross(p1, p2, q1, q2) {
  const o = (a, b, c) => Math.sign((b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]));
  const d1 = o(q1, q2, p1), d2 = o(q1, q2, p2), d3 = o(p1, p2, q1), d4 = o(p1, p2, q2);
  return d1 * d2 <= 0 && d3 * d4 <= 0 && !(d1 === 0 && d2 === 0);
}

module.exports = { Conic, HexGrid, neighbour, hexDistance, inRing, inGeometry, bbox, segmentsCross, COL_W, ROW_H };
