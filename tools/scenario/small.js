'use strict';
// The small scenario of the game's tests: a sound between two coasts on a
// 20 x 14 map, four countries, twelve cities with four ports, units of every
// type (in reserve and aboard ships too), a sea graph of two zones and four
// ports, fleets and convoys. Laid out by hand, so it needs none of the
// packages of the shipped scenario; the same run gives the same bytes.
// Run: node generate.js --small [out-folder]
const fs = require('fs');
const path = require('path');
const { neighbour } = require('./geo');
const constRows = require('./tables/consts');
const W = require('./writers');
const { writeEvents } = require('./events');

const SCENARIO = 'TwoShores1939';
const TITLE = 'Two Shores 1939';
const ROOT = path.resolve(__dirname, '..', '..');
const WIDTH = 20;
const HEIGHT = 14;
// Columns of the sound between the western and the eastern coast; the
// northern half of the map (rows 0-6) is zone 1, the southern zone 2.
const SEA_FIRST = 9;
const SEA_LAST = 13;
const SPLIT_ROW = 7;

const base = { orient: 0, zone: 0, entry: 0, polit: 50, pp: 20, dp: 2, smp: 2, stp: 4, aip: 1, unrest: 5, war: 20, power: 2,
  region: 3, dpGrowth: 1, doctrine: [10, 22, 36, 52, 70] };
const countries = [
  { ...base, name: 'Nordmark', alliance: 5, orient: 1, zone: 2, entry: 100, polit: 90, tech: [2, 2, 2, 2, 1, 1, 0], pp: 60, dp: 6,
    smp: 4, stp: 8, colour: 'FF506070', war: 50, power: 1 },
  { ...base, name: 'Sudland', alliance: 4, orient: 0, zone: 1, entry: 100, polit: 80, tech: [1, 1, 1, 1, 1, 2, 0], pp: 50, dp: 5,
    smp: 3, stp: 10, colour: 'FFB09060', war: 40, power: 1 },
  { ...base, name: 'Ostmark', alliance: 0, orient: 4, zone: 2, entry: 30, tech: [1, 0, 1, 0, 0, 0, 0], colour: 'FF7A9A50' },
  { ...base, name: 'Kustland', alliance: 1, orient: 3, zone: 1, entry: 100, tech: [1, 1, 1, 1, 0, 1, 0], colour: 'FF6080C0' },
];
const WARS = [['Nordmark', 'Sudland'], ['Nordmark', 'Kustland']];

function ownerOf(x, y) {
  if (x < SEA_FIRST) return y < SPLIT_ROW ? 1 : 2;
  if (x > SEA_LAST) return y < SPLIT_ROW ? 3 : 4;
  return 0;
}

// Terrain by a fixed pattern (plain, forest, rough, swamp, hill, desert),
// mountains in two corners where nothing stands.
function terrainOf(x, y) {
  if ((x === 0 && y === HEIGHT - 1) || (x === WIDTH - 1 && y === 0)) return 6;
  return [1, 1, 2, 1, 3, 1, 5, 1, 4, 1, 7, 2][(x * 5 + y * 3) % 12];
}

class SmallWorld {
  constructor() {
    this.W = WIDTH;
    this.H = HEIGHT;
    this.cells = [];
    for (let y = 0; y < HEIGHT; ++y)
      for (let x = 0; x < WIDTH; ++x) {
        const owner = ownerOf(x, y);
        const land = owner !== 0;
        this.cells.push({ x, y, terrain: land ? terrainOf(x, y) : 0, owner, rivers: 0, seaZone: land ? 0 : y < SPLIT_ROW ? 1 : 2,
          coastal: 0, variant: (x * 7 + y * 13 + ((x * y) % 5)) % 6, fort: x === 4 && y === SPLIT_ROW - 1 ? 2 : 0,
          mud: [0, 0, 10, 20, 5, 0, 0, 0, 5, 10, 10, 0], winter: [30, 30, 10, 0, 0, 0, 0, 0, 0, 0, 10, 25] });
      }
    for (const c of this.cells) if (this.isLand(c) && this.neighbours(c).some((n) => !this.isLand(n.cell))) c.coastal = 1;
  }
  at(x, y) { return this.cells[y * WIDTH + x]; }
  inside(x, y) { return x >= 0 && y >= 0 && x < WIDTH && y < HEIGHT; }
  neighbours(c) {
    const out = [];
    for (let d = 0; d < 6; ++d) {
      const [nx, ny] = neighbour(c.x, c.y, d);
      if (this.inside(nx, ny)) out.push({ d, cell: this.at(nx, ny) });
    }
    return out;
  }
  isLand(c) { return c.terrain !== 0; }
  id(name) {
    const i = countries.findIndex((c) => c.name === name);
    if (i < 0) throw new Error('no country ' + name);
    return i + 1;
  }
}

// [name, country, x, y, type, victory points, production, supply, port size]
const CITIES = [
  ['Eisenfeld', 'Nordmark', 3, 3, 1, 5, 8, 5], ['Nordhafen', 'Nordmark', 8, 2, 2, 3, 5, 4, 9], ['Kohlberg', 'Nordmark', 5, 5, 4, 1, 4, 0],
  ['Altmark', 'Nordmark', 1, 1, 0, 1, 2, 3],
  ['Mittelstadt', 'Sudland', 3, 10, 0, 5, 7, 5], ['Sudhafen', 'Sudland', 8, 10, 3, 3, 4, 3, 6], ['Erzgrube', 'Sudland', 5, 12, 4, 1, 4, 0],
  ['Grenzdorf', 'Sudland', 2, 8, 1, 1, 2, 2],
  ['Hochburg', 'Ostmark', 17, 3, 0, 3, 4, 4], ['Osthafen', 'Ostmark', 14, 3, 2, 2, 3, 3, 3],
  ['Weststrand', 'Kustland', 17, 11, 0, 3, 4, 4], ['Kustport', 'Kustland', 14, 10, 3, 2, 3, 2, 3],
];

class SmallScenario {
  constructor() {
    this.world = new SmallWorld();
    const w = this.world;
    this.cities = CITIES.map(([name, country, x, y, type, vp, pp, supply, portSize]) => ({
      name, country: w.id(country), cell: w.at(x, y), type, vp, pp, supply, port: type === 2 || type === 3, portSize }));
    this.cityIndex = new Map(this.cities.map((c) => [c.name, c]));
    for (const c of this.cities) {
      if (!w.isLand(c.cell) || c.cell.owner !== c.country) throw new Error(`city ${c.name} off its country`);
      if (c.port && !c.cell.coastal) throw new Error(`port ${c.name} is not on the coast`);
    }
    this.buildSeaGraph();
    this.placeForces();
    require('./generate').Scenario.prototype.buildCitiesDiagram.call(this);
    this.convoys = [
      { id: 1, country: w.id('Nordmark'), kind: 1, value: 5, from: this.cityByName('Nordhafen'), to: this.cityByName('Osthafen') },
      { id: 2, country: w.id('Sudland'), kind: 0, value: 0, from: this.cityByName('Sudhafen'), to: this.cityByName('Kustport') },
    ];
  }

  cityByName(name) {
    const c = this.cityIndex.get(name);
    if (!c) throw new Error('no city ' + name);
    return c;
  }

  // Zones 1 and 2 keep their ships in the middle of the sound, away from
  // the water next to the ports.
  buildSeaGraph() {
    const w = this.world;
    const zone = (id, name, y) => ({ id, name, max: 0, main: w.at(11, y), player: w.at(11, y - 1), enemy: w.at(11, y + 1), edges: [] });
    this.nodes = [zone(1, 'Northern Sound', 3), zone(2, 'Southern Sound', 10)];
    this.nodes[0].edges.push({ to: 2, gate: null });
    this.nodes[1].edges.push({ to: 1, gate: null });
    this.zoneByName = new Map(this.nodes.map((n) => [n.name, n]));
    for (const city of this.cities) {
      if (!city.port) continue;
      const water = w.neighbours(city.cell).map((n) => n.cell).filter((c) => !w.isLand(c));
      const zoneNode = this.nodes[water[0].seaZone - 1];
      const node = { id: this.nodes.length + 1, name: '-', city, max: city.portSize, main: city.cell, player: water[0],
        enemy: water[1] || water[0], zone: zoneNode, edges: [{ to: zoneNode.id, gate: null }] };
      zoneNode.edges.push({ to: node.id, gate: null });
      this.nodes.push(node);
      city.node = node;
    }
  }

  placeForces() {
    const w = this.world;
    this.commanders = [
      ['Arvid Holm', 'Nordmark', 0, 3], ['Bertil Strand', 'Nordmark', 1, 2], ['Carl Vik', 'Nordmark', 2, 2],
      ['Dora Lind', 'Sudland', 0, 3], ['Emil Berg', 'Sudland', 2, 1], ['Frida Nyman', 'Sudland', 0, 1],
    ].map(([name, country, type, skill], i) => ({ id: i + 1, name, country: w.id(country), type, skill, experience: 0, state: 0 }));
    const lead = (id) => {
      this.commanders[id - 1].state = 2;
      return id;
    };
    const taken = new Set();
    const at = (x, y) => {
      const cell = w.at(x, y);
      if (taken.has(cell) || !w.isLand(cell) || cell.terrain === 6) throw new Error(`no room for a unit at (${x}, ${y})`);
      taken.add(cell);
      return cell;
    };
    const kinds = { 0: 'Infantry Division', 1: 'Infantry Corps', 2: 'Motorized Division', 3: 'Motorized Corps', 4: 'Armoured Division',
      5: 'Armoured Corps', 6: 'Airborne Division', 60: 'Harbour', 20: 'Fighter Wing', 21: 'Bomber Wing', 22: 'Heavy Bomber Wing' };
    const count = new Map();
    const name = (country, type) => {
      const key = `${country}:${type}`;
      count.set(key, (count.get(key) || 0) + 1);
      return `${W.ordinal(count.get(key))} ${country} ${kinds[type]}`;
    };
    // [country, type, x, y (null: off the map), options]
    const land = [
      ['Nordmark', 1, 2, 2, { commander: lead(1), level: 2 }], ['Nordmark', 0, 4, 2], ['Nordmark', 2, 6, 4], ['Nordmark', 3, 6, 5],
      ['Nordmark', 4, 5, 6, { level: 2 }], ['Nordmark', 5, 4, 6], ['Nordmark', 6, 2, 5], ['Nordmark', 0, null, null, { aboard: 5 }],
      ['Sudland', 0, 3, 8, { commander: lead(4) }], ['Sudland', 1, 5, 8], ['Sudland', 4, 6, 8], ['Sudland', 60, 8, 12, { months: 3 }],
      ['Sudland', 0, null, null, { reserve: true }], ['Sudland', 0, null, null, { aboard: 7 }],
      ['Ostmark', 0, 16, 2], ['Ostmark', 0, 18, 5], ['Kustland', 0, 16, 9],
    ];
    this.landUnits = land.map(([country, type, x, y, o = {}], i) => ({
      id: i + 1, name: name(country, type), country: w.id(country), type, level: o.level || 1, commander: o.commander || -1,
      cell: x === null ? null : at(x, y), reserve: !!o.reserve, aboard: o.aboard, months: o.months }));
    const air = [
      ['Nordmark', 20, 3, 5, { commander: lead(2) }], ['Nordmark', 21, 1, 3], ['Nordmark', 22, 2, 4],
      ['Sudland', 20, 4, 10], ['Sudland', 21, 2, 11], ['Sudland', 20, null, null, { reserve: true }],
    ];
    this.airUnits = air.map(([country, type, x, y, o = {}], i) => ({
      id: i + 1, name: name(country, type), country: w.id(country), type, level: 1, commander: o.commander || -1,
      cell: x === null ? null : at(x, y), reserve: !!o.reserve }));
    // [name, country, node, formation, ships: [name, type, options]]
    const fleets = [
      ['Nordmark Home Fleet', 'Nordmark', 'Nordhafen', 0, [['Adler', 40, { commander: lead(3) }], ['Falke', 41], ['Sperber', 42]]],
      ['Nordmark Raiders', 'Nordmark', 'Southern Sound', 1, [['U-Flotilla North', 43]]],
      ['Nordmark Transports', 'Nordmark', 'Northern Sound', 0, [['Lastkahn', 44]]],
      ['Sudland Squadron', 'Sudland', 'Sudhafen', 0, [['Mowe', 42], ['Landungsboot', 45]]],
    ];
    this.fleets = [];
    this.ships = [];
    for (const [fleetName, country, where, formation, ships] of fleets) {
      const node = this.cityIndex.has(where) ? this.cityByName(where).node : this.zoneByName.get(where);
      const fleet = { id: this.fleets.length + 1, name: fleetName, country: w.id(country), node, formation };
      this.fleets.push(fleet);
      for (const [shipName, type, o = {}] of ships)
        this.ships.push({ id: this.ships.length + 1, name: shipName, country: fleet.country, type, fleet, hp: hitPoints(type),
          commander: o.commander || -1 });
    }
    // A battleship of Sudland waits in reserve with its admiral.
    this.ships.push({ id: this.ships.length + 1, name: 'Albatros', country: w.id('Sudland'), type: 41, fleet: null, hp: hitPoints(41),
      commander: lead(5), reserve: true });
    for (const u of this.landUnits)
      if (u.aboard) {
        u.transport = this.ships[u.aboard - 1];
        if (u.transport.type !== 44 && u.transport.type !== 45) throw new Error(`${u.name} is aboard no transport`);
      }
  }
}

function hitPoints(type) {
  return constRows.find((r) => r.id === 73).v[type - 40];
}

function writeInfo(s) {
  const t = [
    '[General_ENG]', `Name=${TITLE}`, 'DescriptionLine1=A small war across a sound, for the tests of the game.',
    'ObjectivesLine1=Hold your capital.', '[Misc]', 'Author=Brennmark scenario tool', 'Version=1.0', '[Duration]',
    'StartDate=01.09.39 00:00', 'EndDate=31.08.41 00:00', 'Turns=48', '[Map]', `SizeX=${s.world.W}`, `SizeY=${s.world.H}`,
    'SmallUnitsSize=1', 'LargeUnitsSize=2', '[Save]', `ScenarioName=${SCENARIO}`, 'Impulse=1', 'GameDay=1', 'GameMonth=9',
    'GameYear=1939', 'Turn=1', 'GameVersion=1.05',
  ];
  return W.lines(t);
}

function writeUnitNames() {
  const templates = ['Infantry Division', 'Infantry Corps', 'Motorized Division', 'Motorized Corps', 'Armoured Division',
    'Armoured Corps', 'Airborne Division', 'Fighter Wing', 'Bomber Wing', 'Heavy Bomber Wing', 'Carrier', 'Battleship', 'Cruiser',
    'Submarine Flotilla', 'Transport Group', 'Landing Group', 'Mulberry Harbour'];
  const own = { 0: 'Fusslegion', 1: 'Heerhaufen', 11: 'Schlachtschiff' };
  const out = ['#Unit name templates: number;default text;then one column per country named in the header (empty: the default)',
    ';Default;1'];
  templates.forEach((t, i) => out.push([i + 1, t, own[i] || ''].join(';')));
  return W.cp1252(out.map((l) => l + W.CRLF).join(''));
}

function writeAiData(s) {
  const hex = (name) => {
    const c = s.cityByName(name).cell;
    return `${c.x};${c.y}`;
  };
  const out = ['# ai data'];
  countries.forEach((c, i) => {
    const id = i + 1;
    const capital = s.cities.find((k) => k.country === id);
    out.push(`Country;${id}`, `MakesSeaInvasions;${id === 1 ? 1 : 0}`, 'CurrentSeaInvasionTarget;-1', 'FortLevelToHoldAtAllCost;4',
      'MaxNumberOfFrontsForSeaInvasion;2', `ExtraCitiesToGarrison;${hex(capital.name)}`);
    if (id === 1)
      out.push(`DoNotAttackCities;${hex('Hochburg')}`, `ObligatorySeaInvasionTargets;${hex('Sudhafen')}`,
        `CurrentTargets;${hex('Mittelstadt')};2`, 'CountriesToPress;3', 'SeaZonesToPatrol;1;1;2;0', 'PurchaseQueue;0;4;20');
    if (id === 2) out.push('CountriesToPress;3;4', 'SeaZonesToPatrol;2;0');
    out.push('DesiredLandForcesStructure;20;30;25;15;10', 'DesiredTechLevels;2;2;2;2;1;1;0', 'DesiredStrategicMovementPoints;3',
      'NewUnitPurchasePreferences;10;8;6;4;5;3;1;4;3;1;1;1;1;1', 'MultipleSideAttackPreferences;5;3;4', 'OneSideAttackPreferences;4;2;2',
      `AllianceEntryPolicy;${c.alliance === 0 ? 0 : 1}`, `TransportsUnitsToFrontsBySea;${id <= 2 ? 1 : 0}`,
      'NewUnitPurchaseData;99;-1.0;99;-1.0;99;-1.0', 'MinRatioToPatchFront;2.5', 'MaxUnitCountOnFront;8', 'MaxCoveringUnitDistance;3',
      'MaxSafeMoveCost;5', 'ShoreBombardmentSingleUse;100;100', 'CarrierTargetsPriorities;90;80;70;60;50;40;30;20;10');
  });
  for (const l of out) if (!l.startsWith('#') && !W.AI_KEYWORDS.has(l.split(';')[0])) throw new Error(`unknown keyword in ${l}`);
  return W.lines(out);
}

function writePlaces(s) {
  const out = ['#Player defined places', '#Set using by Ctrl+<num> combination', '#Go to using <num> key)', '#Format: hexX;hexY'];
  for (const c of s.cities.slice(0, 10)) out.push(`${c.cell.x};${c.cell.y}`);
  return W.lines(out);
}

// Two events with keys of the string base: Sudland's lend-lease and
// Ostmark's entry into the war.
function events(s) {
  const w = s.world;
  const [nord, sud, ost] = ['Nordmark', 'Sudland', 'Ostmark'].map((n) => w.id(n));
  const effect = (method, params) => ({ method, params });
  return [
    { id: 1, country: sud, key: 'lend_lease', begin: [1, 3, 1940], flag: 1, visible: 1, once: 0,
      options: [{ chance: 100, effects: [effect('Country.ChangeProductionPoints', [sud, 10]), effect('Country.ChangeSTP', [sud, 2])] }] },
    { id: 2, country: ost, key: 'italy_enters_the_war', begin: [1, 6, 1940], flag: 2, visible: 1, once: 0,
      when: [{ method: 'Country.HasWarWithCountry', params: [nord, sud], op: 'equals', value: 1 }],
      options: [
        { chance: 80, effects: [effect('Country.SetAllianceEntry', [ost, 100])] },
        { chance: 20, effects: [effect('Country.ChangeAllianceEntry', [ost, 10])] },
      ] },
  ];
}

function writeSmallScenario(s) {
  return {
    'Info.ini': writeInfo(s),
    'map.hwd': W.writeMap(s),
    'consts.csv': W.writeConsts(constRows),
    'countries.csv': W.writeCountries(s, countries),
    'cities.csv': W.writeCities(s),
    'commanders.csv': W.writeCommanders(s),
    'relations.csv': W.writeRelations(countries, WARS),
    'losses.csv': W.writeLosses(countries),
    'cities_diagram.csv': W.writeDiagram(s),
    'sea_nodes.csv': W.writeSeaNodes(s),
    'sea_edges.csv': W.writeSeaEdges(s),
    'convoys.csv': W.writeConvoys(s),
    'land_units.csv': W.writeLandUnits(s, constRows, countries),
    'air_units.csv': W.writeAirUnits(s, constRows),
    'fleets.csv': W.writeFleets(s),
    'naval_units.csv': W.writeNavalUnits(s),
    'unit_names.csv': writeUnitNames(),
    'ai_data.csv': writeAiData(s),
    'flags.txt': W.lines(['# flag no;flag value', '5;1;', '40;7;']),
    'PlayerDefinedPlaces.txt': writePlaces(s),
    'auto_events.csv': Buffer.alloc(0),
    'event_files.txt': W.lines(['; XML event files of this scenario, one path a line, relative to the game folder',
      `data\\scenarios\\${SCENARIO}\\events.xml`]),
    'events.xml': W.lines(writeEvents(s, events(s))),
  };
}

function main(outArg) {
  const out = outArg ? path.resolve(outArg) : path.join(ROOT, 'tests', 'data', SCENARIO);
  const s = new SmallScenario();
  fs.mkdirSync(out, { recursive: true });
  for (const [file, bytes] of Object.entries(writeSmallScenario(s))) fs.writeFileSync(path.join(out, file), bytes);
  console.log(`${TITLE}: ${WIDTH}x${HEIGHT} hexes, ${countries.length} countries, ${s.cities.length} cities, ${s.nodes.length} sea nodes, ` +
    `${s.landUnits.length} land units, ${s.airUnits.length} air units, ${s.ships.length} ships in ${s.fleets.length} fleets -> ${out}`);
}

module.exports = { SmallScenario, writeSmallScenario, main, SCENARIO };
