'use strict';
// Tests of the scenario generator: node --test tools/scenario/test/
// The geometry, picture and writer helpers need nothing installed; the
// whole-scenario cases need `npm ci` in tools/scenario and are skipped
// without it.
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { Conic, HexGrid, neighbour, hexDistance, inRing, inGeometry, segmentsCross, COL_W } = require('../geo');
const { encodePng } = require('../png');

const haveAtlas = fs.existsSync(path.join(__dirname, '..', 'node_modules', 'world-atlas'));

test('neighbours follow the direction table of the map, both ways', () => {
  assert.deepEqual(neighbour(0, 5, 1), [1, 5]);
  assert.deepEqual(neighbour(1, 5, 1), [2, 4]);
  assert.deepEqual(neighbour(4, 4, 0), [4, 3]);
  assert.deepEqual(neighbour(2, 2, 4), [1, 3]);
  assert.deepEqual(neighbour(3, 2, 5), [2, 1]);
  for (const [x, y] of [[0, 0], [1, 0], [6, 9], [7, 9]])
    for (let d = 0; d < 6; ++d) {
      const [nx, ny] = neighbour(x, y, d);
      assert.deepEqual(neighbour(nx, ny, (d + 3) % 6), [x, y], `back from (${x}, ${y}) direction ${d}`);
    }
});

test('hex distance equals the breadth-first distance over neighbours', () => {
  const W = 14;
  const H = 12;
  for (const [sx, sy] of [[0, 0], [5, 6], [13, 11], [6, 0]]) {
    const dist = new Map([[`${sx},${sy}`, 0]]);
    const queue = [[sx, sy]];
    while (queue.length) {
      const [x, y] = queue.shift();
      for (let d = 0; d < 6; ++d) {
        const [nx, ny] = neighbour(x, y, d);
        if (nx < 0 || ny < 0 || nx >= W || ny >= H || dist.has(`${nx},${ny}`)) continue;
        dist.set(`${nx},${ny}`, dist.get(`${x},${y}`) + 1);
        queue.push([nx, ny]);
      }
    }
    for (const [k, v] of dist) {
      const [x, y] = k.split(',').map(Number);
      assert.equal(hexDistance({ x: sx, y: sy }, { x, y }), v, `(${sx}, ${sy}) to (${x}, ${y})`);
    }
  }
});

test('the projection inverts itself and every hex centre maps back to its hex', () => {
  const p = new Conic(20, 38, 62, 50);
  for (let lon = -15; lon <= 55; lon += 5)
    for (let lat = 25; lat <= 72; lat += 4) {
      const [x, y] = p.forward(lon, lat);
      const [lon2, lat2] = p.inverse(x, y);
      assert.ok(Math.abs(lon2 - lon) < 1e-9 && Math.abs(lat2 - lat) < 1e-9, `${lon}, ${lat}`);
    }
  const g = new HexGrid(12, 9, p, -0.04, 0.3, 0.0062 / COL_W);
  for (let x = 0; x < 12; ++x)
    for (let y = 0; y < 9; ++y) {
      const [lon, lat] = g.centreLonLat(x, y);
      assert.deepEqual(g.cellOf(lon, lat), [x, y]);
    }
});

test('point in polygon: rings, holes and segment crossings', () => {
  const square = [[0, 0], [10, 0], [10, 10], [0, 10]];
  assert.ok(inRing(5, 5, square));
  assert.ok(!inRing(11, 5, square));
  const withHole = { type: 'Polygon', coordinates: [square, [[4, 4], [6, 4], [6, 6], [4, 6]]] };
  assert.ok(inGeometry(2, 2, withHole));
  assert.ok(!inGeometry(5, 5, withHole));
  const multi = { type: 'MultiPolygon', coordinates: [[square], [[[20, 20], [30, 20], [30, 30]]]] };
  assert.ok(inGeometry(28, 22, multi));
  assert.ok(!inGeometry(15, 15, multi));
  assert.ok(segmentsCross([0, 0], [10, 10], [0, 10], [10, 0]));
  assert.ok(segmentsCross([0, 0], [10, 0], [5, 0], [5, 5]), 'touching counts');
  assert.ok(!segmentsCross([0, 0], [10, 0], [0, 1], [10, 1]), 'parallel');
  assert.ok(!segmentsCross([0, 0], [1, 0], [2, 0], [3, 0]), 'apart on one line');
});

test('the picture is a well-formed PNG', () => {
  const rgb = new Uint8Array(3 * 2 * 3).fill(7);
  const png = encodePng(3, 2, rgb);
  assert.deepEqual([...png.subarray(0, 8)], [0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);
  assert.equal(png.readUInt32BE(16), 3);
  assert.equal(png.readUInt32BE(20), 2);
  // The end chunk carries the fixed CRC of "IEND".
  assert.equal(png.readUInt32BE(png.length - 4), 0xae426082);
  // The image data inflates to one filter byte and three pixels per row.
  const idat = png.indexOf('IDAT');
  const len = png.readUInt32BE(idat - 4);
  const raw = require('zlib').inflateSync(png.subarray(idat + 4, idat + 4 + len));
  assert.deepEqual([...raw], [0, 7, 7, 7, 7, 7, 7, 7, 7, 7, 0, 7, 7, 7, 7, 7, 7, 7, 7, 7]);
});

test('constants: 185 rows with the field counts of their ids', () => {
  const rows = require('../tables/consts');
  assert.equal(rows.length, 185);
  // Values per id as the constants table gives them (label not counted).
  const count = (id) => {
    const special = { 1: 12, 8: 3, 14: 3, 15: 9, 16: 9, 17: 9, 31: 13, 32: 9, 34: 6, 47: 5, 57: 9, 58: 5, 59: 3, 72: 8, 73: 6,
      85: 4, 86: 3, 87: 3, 114: 11, 115: 7, 117: 13, 118: 7, 119: 8, 120: 11, 121: 5, 124: 3, 126: 5, 127: 2, 129: 5, 130: 4,
      131: 7, 132: 3, 133: 3, 134: 1, 135: 4, 150: 5, 151: 5, 154: 14, 161: 6, 162: 6, 166: 4, 167: 3, 170: 6, 171: 6, 176: 2,
      177: 3, 178: 4, 179: 3, 180: 3, 93: 3, 94: 9, 80: 3, 81: 3 };
    if (special[id]) return special[id];
    if ((id >= 2 && id <= 13) || (id >= 19 && id <= 30) || (id >= 68 && id <= 70) || (id >= 78 && id <= 79) || (id >= 88 && id <= 90)) return 7;
    if ((id >= 35 && id <= 46)) return 9;
    if (id >= 50 && id <= 56) return 10;
    if (id === 61 || (id >= 74 && id <= 77) || id === 91 || id === 92 || (id >= 95 && id <= 113) || id === 116 || id === 122 || id === 123 || id === 125) return 6;
    if (id >= 62 && id <= 67) return 5;
    return 1;
  };
  // Ids whose fields start at 2 carry a label in field 1.
  const labelled = (id) => (id >= 2 && id <= 7) || (id >= 9 && id <= 13) || (id >= 15 && id <= 17) || (id >= 19 && id <= 30) ||
    (id >= 35 && id <= 46) || (id >= 50 && id <= 56) || (id >= 61 && id <= 70) || (id >= 74 && id <= 81) || (id >= 88 && id <= 114) ||
    id === 116 || id === 117 || id === 122 || id === 123 || id === 125 || id === 126;
  for (const r of rows) {
    assert.equal(r.v.length, count(r.id), `values of id ${r.id}`);
    assert.equal(Boolean(r.label), labelled(r.id), `label of id ${r.id}`);
    if (r.line) assert.equal(r.v.length, 1);
  }
});

test('writers refuse what their readers would misread', () => {
  const W = require('../writers');
  assert.deepEqual([1, 2, 3, 4, 11, 12, 13, 21, 22, 23, 101, 111, 112].map(W.ordinal),
    ['1st', '2nd', '3rd', '4th', '11th', '12th', '13th', '21st', '22nd', '23rd', '101st', '111th', '112th']);
  // Names that would not survive Windows-1252 unchanged, and fields the
  // CSV reader would split or drop, are refused.
  assert.throws(() => W.cp1252('Z\u00fcrich'));
  assert.throws(() => W.cp1252('\u0141\u00f3d\u017a'));
  assert.deepEqual([...W.cp1252('Lodz')], [76, 111, 100, 122]);
  assert.throws(() => W.row([1, 'a;b']));
  assert.throws(() => W.row([1, '']));
  assert.equal(W.row([1, 'Berlin', 2.5]), '1;Berlin;2.5;');
  assert.throws(() => W.lines(['1;;2']));
  assert.equal(W.lines(['#a;;b', '1;2']).toString('latin1'), '#a;;b\r\n1;2\r\n');
  const countries = require('../tables/countries');
  for (let a = 1; a <= countries.length; ++a)
    for (let b = 1; b <= countries.length; ++b) assert.equal(W.atWar(countries, a, b), W.atWar(countries, b, a));
});

test('the whole scenario: deterministic, readable tables, rivers on both sides', { skip: !haveAtlas && 'npm ci not run' }, () => {
  const { Scenario } = require('../generate');
  const W = require('../writers');
  const countries = require('../tables/countries');
  const constRows = require('../tables/consts');
  const a = new Scenario();
  const b = new Scenario();
  const fa = W.writeScenario(a, { scenario: 'X', title: 'X', countries, constRows });
  const fb = W.writeScenario(b, { scenario: 'X', title: 'X', countries, constRows });
  assert.deepEqual(Object.keys(fa), Object.keys(fb));
  for (const k of Object.keys(fa)) assert.ok(fa[k].equals(fb[k]), `${k} differs between two runs`);

  // Every text table: CR LF only, no byte outside printable ASCII.
  for (const [name, bytes] of Object.entries(fa)) {
    if (name.endsWith('.hwd')) continue;
    for (let i = 0; i < bytes.length; ++i) {
      const c = bytes[i];
      if (c === 0x0a) assert.equal(bytes[i - 1], 0x0d, `${name}: lone LF`);
      else if (c !== 0x0d) assert.ok(c >= 0x20 && c < 0x7f, `${name}: byte ${c}`);
    }
  }
  // A river between two land hexes is marked on both.
  const w = a.world;
  for (const c of w.cells) {
    if (c.terrain === 0) continue;
    for (let d = 0; d < 6; ++d) {
      if (!(c.rivers & (1 << d))) continue;
      const [nx, ny] = neighbour(c.x, c.y, d);
      const n = w.at(nx, ny);
      if (n.terrain !== 0) assert.ok(n.rivers & (1 << ((d + 3) % 6)), `river side ${d} of (${c.x}, ${c.y})`);
    }
  }
  // The map header and size.
  const map = fa['map.hwd'];
  assert.equal(map.toString('latin1', 0, 5), 'HwDv1');
  assert.equal(map.length, 268 + 37 * w.W * w.H);
  assert.equal(map.readFloatLE(260), 1.0);
});

test('writing into a folder twice gives the same bytes', { skip: !haveAtlas && 'npm ci not run' }, () => {
  const { execFileSync } = require('child_process');
  const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'scenario-'));
  const gen = path.join(__dirname, '..', 'generate.js');
  execFileSync(process.execPath, [gen, path.join(tmp, 'a'), path.join(tmp, 'a.png')]);
  execFileSync(process.execPath, [gen, path.join(tmp, 'b'), path.join(tmp, 'b.png')]);
  const files = fs.readdirSync(path.join(tmp, 'a')).sort();
  assert.deepEqual(files, fs.readdirSync(path.join(tmp, 'b')).sort());
  assert.ok(files.includes('map.hwd') && files.includes('consts.csv') && files.includes('event_files.txt'));
  for (const f of files) assert.ok(fs.readFileSync(path.join(tmp, 'a', f)).equals(fs.readFileSync(path.join(tmp, 'b', f))), f);
  assert.ok(fs.readFileSync(path.join(tmp, 'a.png')).equals(fs.readFileSync(path.join(tmp, 'b.png'))));
  fs.rmSync(tmp, { recursive: true, force: true });
});

test('events: unique ids, each fires once by its own flag, every text in the string base', { skip: !haveAtlas && 'npm ci not run' }, () => {
  const { Scenario } = require('../generate');
  const { buildEvents } = require('../events');
  const events = buildEvents(new Scenario());
  const base = fs.readFileSync(path.join(__dirname, '..', '..', '..', 'data', 'text', 'lang_ENG.txt'), 'latin1');
  const keys = new Set(base.split('\r\n').map((l) => l.split('\t')[0]));
  assert.equal(new Set(events.map((e) => e.id)).size, events.length);
  assert.equal(new Set(events.map((e) => e.flag)).size, events.length);
  for (const e of events) {
    for (const suffix of ['_title', '_text']) assert.ok(keys.has(`event_${e.key}${suffix}`), e.key + suffix);
    e.options.forEach((o, i) => {
      assert.ok(keys.has(`event_${e.key}_option${i + 1}`) && keys.has(`event_${e.key}_option${i + 1}_hint`), `${e.key} option ${i + 1}`);
      for (const f of o.effects) if (f.text) assert.ok(keys.has(f.text), f.text);
    });
  }
  const xml = require('../events').writeEvents(new Scenario()).join('\n');
  for (const e of events)
    assert.equal((xml.match(new RegExp(`<effect method="Flag.SetValue" param0="${e.flag}" param1="1"/>`, 'g')) || []).length,
      e.options.length, `every option of event ${e.id} sets its flag`);
});

test('the small test scenario is the committed tests/data folder, byte for byte', () => {
  const { SmallScenario, writeSmallScenario, SCENARIO } = require('../small');
  const committed = path.join(__dirname, '..', '..', '..', 'tests', 'data', SCENARIO);
  const files = writeSmallScenario(new SmallScenario());
  assert.deepEqual(Object.keys(files).sort(), fs.readdirSync(committed).sort());
  for (const [name, bytes] of Object.entries(files)) assert.ok(bytes.equals(fs.readFileSync(path.join(committed, name))), name);
});

test('the small test scenario: units off the map only in reserve or aboard a transport, ships in reserve in no fleet', () => {
  const { SmallScenario } = require('../small');
  const s = new SmallScenario();
  for (const u of [...s.landUnits, ...s.airUnits]) assert.equal(u.cell === null, u.reserve || !!u.transport, u.name);
  for (const u of s.landUnits) if (u.transport) assert.ok([44, 45].includes(u.transport.type), u.name);
  const aboard = s.landUnits.filter((u) => u.transport).map((u) => u.transport.id);
  assert.equal(new Set(aboard).size, aboard.length, 'one unit per ship');
  for (const ship of s.ships) assert.equal(ship.fleet === null, !!ship.reserve, ship.name);
  const hexes = [...s.landUnits, ...s.airUnits].filter((u) => u.cell).map((u) => `${u.cell.x},${u.cell.y}`);
  assert.equal(new Set(hexes).size, hexes.length, 'one unit per hex');
  const keys = new Set(fs.readFileSync(path.join(__dirname, '..', '..', '..', 'data', 'text', 'lang_ENG.txt'), 'latin1')
    .split('\r\n').map((l) => l.split('\t')[0]));
  const xml = require('../small').writeSmallScenario(s)['events.xml'].toString('latin1');
  for (const key of xml.match(/>event_[a-z_0-9]+</g).map((k) => k.slice(1, -1))) assert.ok(keys.has(key), key);
});
