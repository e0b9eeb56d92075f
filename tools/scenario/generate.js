'use strict';
// Writes the shipped default scenario folder data/scenarios/<name>/ and the
// picture tools/scenario/preview.png from the hand-kept tables of tables/
// and the Natural Earth country shapes. Run: node generate.js [out-folder]
// (node generate.js --small [out-folder] writes the test scenario instead).
// The output depends on nothing but these inputs: running it twice gives the
// same bytes. It checks its own output and stops with an error when an
// invariant breaks (see checkScenario).
const fs = require('fs');
const path = require('path');
const { World, TERRAIN } = require('./world');
const { hexDistance } = require('./geo');
const { renderPreview } = require('./preview');
const countries = require('./tables/countries');
const citiesTable = require('./tables/cities');
const seas = require('./tables/seas');
const forces = require('./tables/forces');
const constRows = require('./tables/consts');
const W = require('./writers');

// The folder name under data/scenarios (also "Save/ScenarioName") and the
// title the scenario menu shows.
const SCENARIO = 'AutumnStorm1939';
const TITLE = 'Autumn Storm 1939';
const ROOT = path.resolve(__dirname, '..', '..');

class Scenario {
  constructor() {
    this.world = new World(countries.map((c) => c.name));
    this.world.build();
    this.applyForts();
    this.placeCities();
    this.buildSeaGraph();
    this.placeForces();
    this.buildCitiesDiagram();
    this.buildConvoys();
  }

  // Fortified lines of 1939: the Maginot line, the West Wall, the
  // Mannerheim line and the fortresses of Gibraltar and Malta.
  applyForts() {
    const w = this.world;
    const borderOf = (c, others) => w.neighbours(c).some((n) => w.isLand(n.cell) && others.includes(n.cell.owner));
    const [de, fr, fi, lu, be, nl] = ['Germany', 'France', 'Finland', 'Luxembourg', 'Belgium', 'Netherlands'].map((n) => w.id(n));
    for (const c of w.cells) {
      if (!w.isLand(c)) continue;
      if (c.owner === fr && c.lat > 47.4 && c.lat < 49.6 && borderOf(c, [de, lu])) c.fort = 3;
      if (c.owner === de && c.lat > 47.4 && c.lat < 51.5 && c.lon < 9 && borderOf(c, [fr, lu, be, nl])) c.fort = 2;
      if (c.owner === fi && c.lon > 28.3 && c.lon < 30.5 && c.lat > 60.2 && c.lat < 61.2) c.fort = 2;
    }
    for (const [lon, lat] of [[-5.35, 36.14], [14.51, 35.9]]) w.nearestLand(lon, lat).fort = 4;
  }

  cityByName(name) {
    const c = this.cityIndex.get(name);
    if (!c) throw new Error('no city ' + name);
    return c;
  }

  // Cities stand on the nearest hex of their own country; a port needs a
  // coastal hex. Two cities never share a hex.
  placeCities() {
    const w = this.world;
    this.cities = [];
    this.cityIndex = new Map();
    this.cityAt = new Map();
    const missing = [];
    for (const country of countries) {
      const list = citiesTable.byCountry[country.name] || [];
      const owner = w.id(country.name);
      for (const t of list) {
        const start = w.cellAtLonLat(t.lon, t.lat);
        if (!start) throw new Error(`city ${t.name} is off the map`);
        const isPort = t.type === 2 || t.type === 3;
        const cell = w.search(start, (c) => w.isLand(c) && c.owner === owner && !this.cityAt.has(c) && (!isPort || c.coastal), 4);
        if (!cell) {
          missing.push(t.name);
          continue;
        }
        const vp = citiesTable.capitalOnlyVictory.has(country.name) && t !== list[0] ? 0 : t.vp;
        const city = { ...t, vp, country: owner, cell, port: isPort };
        this.cities.push(city);
        this.cityIndex.set(t.name, city);
        this.cityAt.set(cell, city);
      }
    }
    if (missing.length) throw new Error(`no hex for the cities ${missing.join(', ')}`);
  }

  // Nodes 1..Z are the sea zones, then one node per port in city order.
  // Edges join zones whose water touches, each port and the zone of its
  // ship hexes, and the straits of the table, whose edges have a gate hex.
  buildSeaGraph() {
    const w = this.world;
    this.nodes = [];
    const zoneByName = new Map();
    // Water next to a port is kept for the port's ships.
    const nearPort = new Set();
    for (const city of this.cities)
      if (city.port) for (const { cell } of w.neighbours(city.cell)) if (!w.isLand(cell)) nearPort.add(cell);
    for (const z of w.zones) {
      const open = z.cells.filter((c) => !nearPort.has(c));
      const cells = (open.length ? open : z.cells).slice().sort((a, b) => a.y - b.y || a.x - b.x);
      // Reference hex: the water hex nearest to the middle of the zone.
      const mx = cells.reduce((s, c) => s + c.x, 0) / cells.length;
      const my = cells.reduce((s, c) => s + c.y, 0) / cells.length;
      let main = cells[0];
      for (const c of cells) if ((c.x - mx) ** 2 + (c.y - my) ** 2 < (main.x - mx) ** 2 + (main.y - my) ** 2) main = c;
      const other = w.neighbours(main).map((n) => n.cell).filter((c) => !w.isLand(c) && c.seaZone === z.id && !nearPort.has(c));
      const player = other[0] || main;
      const enemy = other[1] || player;
      const node = { id: z.id, name: z.name, max: 0, main, player, enemy, edges: [] };
      this.nodes.push(node);
      zoneByName.set(z.name, node);
    }
    this.zoneByName = zoneByName;
    const gated = new Map();
    this.gates = new Set();
    for (const s of seas.straits) {
      const a = zoneByName.get(s.a);
      const b = zoneByName.get(s.b);
      if (!a || !b) throw new Error(`strait ${s.name} names an unknown zone`);
      const gate = w.nearestLand(s.gate[0], s.gate[1]);
      this.gates.add(gate);
      gated.set(`${a.id}:${b.id}`, gate);
      gated.set(`${b.id}:${a.id}`, gate);
    }
    this.straitGates = gated;
    const touching = new Set();
    for (const c of w.cells) {
      if (w.isLand(c)) continue;
      for (const { cell } of w.neighbours(c))
        if (!w.isLand(cell) && cell.seaZone !== c.seaZone) touching.add(`${c.seaZone}:${cell.seaZone}`);
    }
    for (const k of gated.keys()) touching.add(k);
    const addEdge = (from, to, gate) => {
      if (!from.edges.some((e) => e.to === to.id)) from.edges.push({ to: to.id, gate });
    };
    for (const a of this.nodes)
      for (const b of this.nodes)
        if (a !== b && touching.has(`${a.id}:${b.id}`)) addEdge(a, b, gated.get(`${a.id}:${b.id}`) || null);
    // Ports: the ships of a port are drawn on water next to the city; the
    // first such hex also names the zone the port opens on.
    this.shipHexUsed = new Set();
    for (const z of this.nodes) this.shipHexUsed.add(z.main).add(z.player).add(z.enemy);
    for (const city of this.cities) {
      if (!city.port) continue;
      const water = w.neighbours(city.cell).map((n) => n.cell).filter((c) => !w.isLand(c));
      if (!water.length) throw new Error(`port ${city.name} has no water next to it`);
      const free = water.filter((c) => !this.shipHexUsed.has(c));
      const player = free[0] || water[0];
      const enemy = free[1] || player;
      this.shipHexUsed.add(player).add(enemy);
      const zone = this.nodes[player.seaZone - 1];
      const node = { id: this.nodes.length + 1, name: '-', city, max: Math.max(1, Math.min(9, city.portSize || portSize(city))),
        main: city.cell, player, enemy, zone, edges: [] };
      this.nodes.push(node);
      city.node = node;
      addEdge(node, zone, null);
      addEdge(zone, node, null);
    }
  }

  placeForces() {
    const w = this.world;
    this.unitAt = new Map();
    this.commanders = forces.commanders.map(([name, country, type, skill], i) => ({
      id: i + 1, name, country: w.id(country), type, skill, experience: 0, state: 0, unit: null }));
    const cmdByName = new Map(this.commanders.map((c) => [c.name, c]));
    const attach = (name, unitRef, countryId, kind) => {
      if (!name) return -1;
      const cmd = cmdByName.get(name);
      if (!cmd) throw new Error('no commander ' + name);
      if (cmd.country !== countryId || cmd.type !== kind) throw new Error(`commander ${name} does not fit his unit`);
      if (cmd.unit) throw new Error(`commander ${name} leads two units`);
      cmd.unit = unitRef;
      cmd.state = 2;
      return cmd.id;
    };
    const anchorCell = (at) => {
      if (typeof at === 'string') return this.cityByName(at).cell;
      const c = w.cellAtLonLat(at[0], at[1]);
      if (!c) throw new Error(`anchor ${at} off the map`);
      return c;
    };
    this.mayStandOn = (countryId, owner) =>
      owner === countryId || (forces.hosts[countries[countryId - 1].name] || []).some((h) => w.id(h) === owner);
    const freeHex = (at, countryId, what) => {
      const cell = w.search(anchorCell(at), (c) => w.isLand(c) && this.mayStandOn(countryId, c.owner) && c.terrain !== TERRAIN.MOUNTAIN && !this.unitAt.has(c), 8);
      if (!cell) throw new Error(`no free hex for ${what} near ${at}`);
      return cell;
    };
    const names = new UnitNames();
    this.landUnits = [];
    for (const country of countries) {
      const cid = w.id(country.name);
      for (const g of forces.land[country.name] || []) {
        for (let k = 0; k < g.count; ++k) {
          const cell = freeHex(g.at, cid, `a land unit of ${country.name}`);
          const unit = { id: this.landUnits.length + 1, name: names.land(country.name, g.type), country: cid, cell, type: g.type, level: g.level };
          unit.commander = k === 0 ? attach(g.cmd, unit, cid, 0) : -1;
          this.unitAt.set(cell, unit);
          this.landUnits.push(unit);
        }
      }
    }
    this.airUnits = [];
    for (const country of countries) {
      const cid = w.id(country.name);
      for (const g of forces.air[country.name] || []) {
        for (let k = 0; k < g.count; ++k) {
          const cell = freeHex(g.at, cid, `an air unit of ${country.name}`);
          const unit = { id: this.airUnits.length + 1, name: names.air(country.name, g.type), country: cid, cell, type: g.type, level: g.level };
          unit.commander = k === 0 ? attach(g.cmd, unit, cid, 1) : -1;
          this.unitAt.set(cell, unit);
          this.airUnits.push(unit);
        }
      }
    }
    this.fleets = [];
    this.ships = [];
    for (const f of forces.fleets) {
      const cid = w.id(f.country);
      const node = this.cityIndex.has(f.at) ? this.cityByName(f.at).node : this.zoneByName.get(f.at);
      if (!node) throw new Error(`fleet ${f.name} is at ${f.at}, which is neither a port nor a zone`);
      if (node.city && node.city.country !== cid) throw new Error(`fleet ${f.name} lies in a foreign port`);
      const fleet = { id: this.fleets.length + 1, name: f.name, country: cid, node, formation: f.formation };
      this.fleets.push(fleet);
      f.ships.forEach(([name, type], k) => {
        const hp = shipHitPoints(type);
        const ship = { id: this.ships.length + 1, name, country: cid, type, fleet, hp };
        ship.commander = k === 0 ? attach(f.cmd, ship, cid, 2) : -1;
        this.ships.push(ship);
      });
    }
  }

  // Land links join each city to the nearest cities reachable over land,
  // sea links join ports that open on the same or neighbouring zones.
  // Resource cities have no node in the diagram and get no link.
  buildCitiesDiagram() {
    const w = this.world;
    const component = new Map();
    let comp = 0;
    for (const c of w.cells) {
      if (!w.isLand(c) || component.has(c)) continue;
      ++comp;
      const stack = [c];
      component.set(c, comp);
      while (stack.length) {
        const x = stack.pop();
        for (const { cell } of w.neighbours(x))
          if (w.isLand(cell) && !component.has(cell)) {
            component.set(cell, comp);
            stack.push(cell);
          }
      }
    }
    const nodes = this.cities.filter((c) => c.type !== 4);
    const links = new Set();
    const key = (a, b, kind) => `${this.cities.indexOf(a)}:${this.cities.indexOf(b)}:${kind}`;
    for (const a of nodes) {
      const near = nodes
        .filter((b) => b !== a && component.get(b.cell) === component.get(a.cell))
        .map((b) => ({ b, d: hexDistance(a.cell, b.cell) }))
        .filter((e) => e.d <= 10)
        .sort((p, q) => p.d - q.d || this.cities.indexOf(p.b) - this.cities.indexOf(q.b))
        .slice(0, 4);
      for (const { b } of near) {
        links.add(key(a, b, 0));
        links.add(key(b, a, 0));
      }
    }
    const ports = nodes.filter((c) => c.port);
    for (const a of ports) {
      const za = a.node.zone;
      const near = ports
        .filter((b) => b !== a && (b.node.zone === za || za.edges.some((e) => e.to === b.node.zone.id && !e.gate)))
        .map((b) => ({ b, d: hexDistance(a.cell, b.cell) }))
        .sort((p, q) => p.d - q.d || this.cities.indexOf(p.b) - this.cities.indexOf(q.b))
        .slice(0, 3);
      for (const { b } of near) {
        links.add(key(a, b, 1));
        links.add(key(b, a, 1));
      }
    }
    this.diagram = [...links]
      .map((k) => k.split(':').map(Number))
      .sort((p, q) => p[0] - q[0] || p[1] - q[1] || p[2] - q[2])
      .map(([i, j, kind]) => ({ from: this.cities[i], to: this.cities[j], kind }));
  }

  buildConvoys() {
    const plan = [
      ['United Kingdom', 0, 0, 'Portsmouth', 'Gibraltar'], ['United Kingdom', 0, 0, 'Gibraltar', 'Valletta'],
      ['United Kingdom', 0, 0, 'Alexandria', 'Valletta'], ['United Kingdom', 0, 0, 'Alexandria', 'Haifa'],
      ['France', 0, 0, 'Marseille', 'Algiers'], ['France', 0, 0, 'Marseille', 'Tunis'], ['France', 0, 0, 'Toulon', 'Beirut'],
      ['Italy', 0, 0, 'Naples', 'Tripoli'], ['Italy', 0, 0, 'Palermo', 'Benghazi'],
    ];
    this.convoys = plan.map(([country, kind, value, from, to], i) => ({
      id: i + 1, country: this.world.id(country), kind, value, from: this.cityByName(from), to: this.cityByName(to) }));
  }
}

// Port size from the city's role: big naval bases 9, supply ports 6.
function portSize(city) {
  const bases = new Set(['Scapa Flow', 'Portsmouth', 'Plymouth', 'Wilhelmshaven', 'Kiel', 'Toulon', 'Brest', 'Taranto', 'Naples',
    'Alexandria', 'Gibraltar', 'Valletta', 'Leningrad', 'Sevastopol', 'La Spezia', 'Liverpool', 'Glasgow']);
  if (bases.has(city.name)) return 9;
  return city.type === 2 ? 6 : 3;
}

function shipHitPoints(type) {
  const row = constRows.find((r) => r.id === 73).v;
  return row[type - 40];
}

// Unit names from per-country counters: "12th Infantry Division".
class UnitNames {
  constructor() { this.count = new Map(); }
  next(key) {
    const n = (this.count.get(key) || 0) + 1;
    this.count.set(key, n);
    return n;
  }
  land(country, type) {
    const kinds = ['Infantry Division', 'Infantry Corps', 'Motorized Division', 'Motorized Corps', 'Armoured Division', 'Armoured Corps', 'Airborne Division'];
    const n = this.next(country + type);
    return `${W.ordinal(n)} ${adjective(country)} ${kinds[type]}`;
  }
  air(country, type) {
    const kinds = { 20: 'Fighter Wing', 21: 'Bomber Wing', 22: 'Heavy Bomber Wing' };
    const n = this.next(country + type);
    return `${W.ordinal(n)} ${adjective(country)} ${kinds[type]}`;
  }
}

function adjective(country) {
  const a = { Germany: 'German', Italy: 'Italian', 'United Kingdom': 'British', France: 'French', Poland: 'Polish', 'Soviet Union': 'Soviet',
    Spain: 'Spanish', Portugal: 'Portuguese', Ireland: 'Irish', Netherlands: 'Dutch', Belgium: 'Belgian', Luxembourg: 'Luxembourg',
    Denmark: 'Danish', Norway: 'Norwegian', Sweden: 'Swedish', Finland: 'Finnish', Estonia: 'Estonian', Latvia: 'Latvian',
    Lithuania: 'Lithuanian', Switzerland: 'Swiss', Hungary: 'Hungarian', Romania: 'Romanian', Yugoslavia: 'Yugoslav',
    Bulgaria: 'Bulgarian', Greece: 'Greek', Turkey: 'Turkish', Slovakia: 'Slovak', Iraq: 'Iraqi', Iran: 'Iranian', 'Saudi Arabia': 'Saudi' };
  return a[country] || country;
}

function main() {
  // The small scenario of the game's tests (small.js).
  if (process.argv[2] === '--small') return require('./small').main(process.argv[3]);
  const out = process.argv[2] ? path.resolve(process.argv[2]) : path.join(ROOT, 'data', 'scenarios', SCENARIO);
  const s = new Scenario();
  require('./check').checkScenario(s, countries);
  fs.mkdirSync(out, { recursive: true });
  const files = W.writeScenario(s, { scenario: SCENARIO, title: TITLE, countries, constRows });
  for (const [name, bytes] of Object.entries(files)) fs.writeFileSync(path.join(out, name), bytes);
  const png = renderPreview(s.world, countries, {
    cityAt: new Set(s.cities.map((c) => c.cell)), portAt: new Set(s.cities.filter((c) => c.port).map((c) => c.cell)), gates: s.gates });
  const pngPath = process.argv[3] ? path.resolve(process.argv[3]) : path.join(__dirname, 'preview.png');
  fs.writeFileSync(pngPath, png);
  // The scenario menu shows the folder's own picture.
  fs.writeFileSync(path.join(out, 'image.png'), png);
  const land = s.world.cells.filter((c) => c.terrain !== 0).length;
  console.log(`${TITLE}: ${s.world.W}x${s.world.H} hexes (${land} land), ${countries.length} countries, ${s.cities.length} cities, ` +
    `${s.nodes.length} sea nodes, ${s.landUnits.length} land units, ${s.airUnits.length} air units, ${s.ships.length} ships ` +
    `in ${s.fleets.length} fleets, ${s.commanders.length} commanders -> ${out}`);
}

module.exports = { Scenario, SCENARIO, TITLE };
if (require.main === module) main();
