'use strict';
// The picture of the map for reviewers: one block of pixels per hex, even
// columns half a block lower as on screen; land in the owner's colour
// shaded by terrain with darker edges at borders, water in alternating
// blues by sea zone, cities black, ports red, gate hexes yellow.
const { encodePng } = require('./png');

const BLOCK = 6;
const TERRAIN_SHADE = [1.0, 1.0, 0.7, 0.85, 0.75, 0.8, 0.55, 1.15];

function renderPreview(world, countries, extra) {
  const w = world.W * BLOCK;
  const h = world.H * BLOCK + BLOCK / 2;
  const rgb = new Uint8Array(w * h * 3).fill(255);
  const colourOf = (id) => {
    const v = parseInt(countries[id - 1].colour, 16);
    return [(v >> 16) & 255, (v >> 8) & 255, v & 255];
  };
  for (const c of world.cells) {
    let col;
    if (c.terrain === 0) {
      col = c.seaZone % 2 ? [40, 90, 170] : [60, 110, 190];
    } else {
      const base = colourOf(c.owner).map((v) => 0.55 * v + 0.45 * 200);
      const s = TERRAIN_SHADE[c.terrain];
      col = base.map((v) => Math.max(0, Math.min(255, Math.round(v * s))));
      if (c.terrain === 7) col = col.map((v, i) => Math.round(0.5 * v + 0.5 * [235, 215, 150][i]));
    }
    if (extra.cityAt.has(c)) col = extra.portAt.has(c) ? [200, 0, 0] : [0, 0, 0];
    if (extra.gates.has(c)) col = [255, 220, 0];
    const x0 = c.x * BLOCK;
    const y0 = c.y * BLOCK + (c.x % 2 === 0 ? BLOCK / 2 : 0);
    for (let dy = 0; dy < BLOCK; ++dy)
      for (let dx = 0; dx < BLOCK; ++dx) {
        const o = ((y0 + dy) * w + x0 + dx) * 3;
        rgb[o] = col[0];
        rgb[o + 1] = col[1];
        rgb[o + 2] = col[2];
      }
    // Borders between owners: the block's lower and right edges darken
    // where the neighbour below or to the right belongs to another country.
    if (c.terrain !== 0) {
      const other = (d) => {
        const n = world.neighbours(c).find((e) => e.d === d);
        return n && n.cell.terrain !== 0 && n.cell.owner !== c.owner;
      };
      const dark = (dx, dy) => {
        const o = ((y0 + dy) * w + x0 + dx) * 3;
        for (let k = 0; k < 3; ++k) rgb[o + k] = Math.round(rgb[o + k] * 0.45);
      };
      if (other(3)) for (let dx = 0; dx < BLOCK; ++dx) dark(dx, BLOCK - 1);
      if (other(1) || other(2)) for (let dy = 0; dy < BLOCK; ++dy) dark(BLOCK - 1, dy);
    }
    // Rivers: a dark blue pixel line along each river side's half of the block.
    if (c.terrain !== 0 && c.rivers) {
      for (let d = 0; d < 6; ++d) {
        if (!(c.rivers & (1 << d))) continue;
        const pts = [[2, 0], [5, 1], [5, 4], [2, 5], [0, 4], [0, 1]][d];
        const o = ((y0 + pts[1]) * w + x0 + pts[0]) * 3;
        rgb[o] = 20; rgb[o + 1] = 40; rgb[o + 2] = 200;
      }
    }
  }
  return encodePng(w, h, rgb);
}

module.exports = { renderPreview };
