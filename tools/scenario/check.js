'use strict';
// Invariants of a generated scenario, checked before anything is written.
// The game stops loading (or misbehaves) when one of them breaks, and the
// readers of the sea graph and the unit tables cannot tell us yet.
const { TERRAIN } = require('./world');

function checkScenario(s, countries) {
  const errors = [];
  const fail = (m) => errors.push(m);
  const w = s.world;
  const n = countries.length;
  const placeholder = countries.findIndex((c) => c.polit === -1) + 1;

  // Size and counts the scenario promises.
  if (w.W < 120 || w.H < 80) fail(`map ${w.W}x${w.H} is smaller than 120x80`);
  if (n < 25) fail(`${n} countries`);
  if (s.cities.length < 150) fail(`${s.cities.length} cities`);
  if (s.landUnits.length < 300) fail(`${s.landUnits.length} land units`);
  if (s.airUnits.length < 60) fail(`${s.airUnits.length} air units`);
  if (s.ships.length < 80) fail(`${s.ships.length} ships`);
  if (!placeholder) fail('no placeholder country');

  // Every land hex belongs to a real country; water to none.
  for (const c of w.cells) {
    if (c.terrain === TERRAIN.SEA) {
      if (!c.seaZone) fail(`water hex (${c.x}, ${c.y}) has no sea zone`);
    } else if (c.owner < 1 || c.owner > n || c.owner === placeholder) {
      fail(`land hex (${c.x}, ${c.y}) has owner ${c.owner}`);
    }
    if (c.terrain > 7) fail(`hex (${c.x}, ${c.y}) has terrain ${c.terrain}`);
  }

  // Sea graph: ids in order, edges to existing nodes, no duplicates, ports
  // on their city's hex with their ship hexes on water next to it.
  s.nodes.forEach((node, i) => {
    if (node.id !== i + 1) fail(`sea node ${i + 1} carries id ${node.id}`);
    const seen = new Set();
    for (const e of node.edges) {
      if (e.to < 1 || e.to > s.nodes.length) fail(`edge ${node.id}->${e.to} names no node`);
      if (e.to === node.id) fail(`edge ${node.id} to itself`);
      if (seen.has(e.to)) fail(`edge ${node.id}->${e.to} twice`);
      seen.add(e.to);
      if (e.gate && e.gate.terrain === TERRAIN.SEA) fail(`gate of ${node.id}->${e.to} is water`);
      const back = s.nodes[e.to - 1] && s.nodes[e.to - 1].edges.find((b) => b.to === node.id);
      if (!back) fail(`edge ${node.id}->${e.to} has no way back`);
      else if ((back.gate || null) !== (e.gate || null)) fail(`edge ${node.id}<->${e.to} gated one way only`);
    }
    if (node.city) {
      if (node.main !== node.city.cell) fail(`port node ${node.id} is not on ${node.city.name}`);
      for (const h of [node.player, node.enemy]) {
        if (h.terrain !== TERRAIN.SEA) fail(`ship hex of ${node.city.name} is land`);
        if (!w.neighbours(node.city.cell).some((x) => x.cell === h)) fail(`ship hex of ${node.city.name} is not next to it`);
      }
      if (!node.edges.some((e) => !s.nodes[e.to - 1].city)) fail(`port ${node.city.name} opens on no sea zone`);
    } else {
      for (const h of [node.main, node.player, node.enemy])
        if (h.terrain !== TERRAIN.SEA || h.seaZone !== node.id) fail(`hex of zone ${node.name} is not its water`);
    }
  });
  for (const c of s.cities) if (c.port && !(c.node && c.node.main === c.cell)) fail(`port ${c.name} has no sea node`);
  const shipHexes = new Map();
  for (const node of s.nodes) {
    if (!node.city) continue;
    for (const h of new Set([node.player, node.enemy])) {
      if (shipHexes.has(h)) fail(`ports ${shipHexes.get(h)} and ${node.city.name} share a ship hex`);
      shipHexes.set(h, node.city.name);
    }
  }
  for (const node of s.nodes)
    if (!node.city) for (const h of [node.main, node.player, node.enemy]) if (shipHexes.has(h)) fail(`zone ${node.name} draws on the ship hex of ${shipHexes.get(h)}`);

  // Each strait is the only passage between its two zones: without the
  // gated edges there is no way from one to the other.
  for (const [key, gate] of s.straitGates) {
    const [a, b] = key.split(':').map(Number);
    const seen = new Set([a]);
    const queue = [a];
    while (queue.length) {
      const x = queue.shift();
      for (const e of s.nodes[x - 1].edges)
        if (!e.gate && !seen.has(e.to)) {
          seen.add(e.to);
          queue.push(e.to);
        }
    }
    if (seen.has(b)) fail(`zones ${s.nodes[a - 1].name} and ${s.nodes[b - 1].name} meet past the gate at (${gate.x}, ${gate.y})`);
    if (!s.nodes[a - 1].edges.some((e) => e.to === b && e.gate === gate)) fail(`no gated edge ${a}->${b}`);
  }

  // Cities: one per hex, on land of their country; ports on the coast.
  const cityHex = new Set();
  for (const c of s.cities) {
    if (cityHex.has(c.cell)) fail(`two cities on (${c.cell.x}, ${c.cell.y})`);
    cityHex.add(c.cell);
    if (c.cell.terrain === TERRAIN.SEA || c.cell.owner !== c.country) fail(`city ${c.name} is not on its own land`);
    if (c.port && !c.cell.coastal) fail(`port ${c.name} is inland`);
    if (c.name.length > 99) fail(`city name ${c.name} too long`);
  }

  // Units: one land or air unit per hex, on land of their country, never on
  // mountains; ships in fleets on existing nodes; commanders lead at most one
  // unit of their own country and kind.
  const unitHex = new Set();
  for (const u of [...s.landUnits, ...s.airUnits]) {
    if (unitHex.has(u.cell)) fail(`two units on (${u.cell.x}, ${u.cell.y})`);
    unitHex.add(u.cell);
    if (u.cell.terrain === TERRAIN.SEA || u.cell.terrain === TERRAIN.MOUNTAIN || !s.mayStandOn(u.country, u.cell.owner)) fail(`unit ${u.name} stands badly`);
  }
  for (const list of [s.landUnits, s.airUnits, s.ships, s.fleets, s.commanders])
    list.forEach((x, i) => x.id !== i + 1 && fail(`ids out of order at ${x.name}`));
  for (const f of s.fleets) if (!s.nodes.includes(f.node)) fail(`fleet ${f.name} on no node`);
  for (const u of s.ships) if (!s.fleets.includes(u.fleet) || u.type < 40 || u.type > 45) fail(`ship ${u.name} is not in a fleet`);
  for (const c of s.commanders) if (c.state === 2 && !c.unit) fail(`commander ${c.name} assigned to nothing`);

  // Cities diagram: links between existing non-resource cities.
  for (const l of s.diagram) if (l.from.type === 4 || l.to.type === 4 || l.from === l.to) fail(`diagram link ${l.from.name}->${l.to.name}`);

  // Convoys between ports.
  for (const c of s.convoys) if (!c.from.node || !c.to.node) fail(`convoy ${c.id} is not between ports`);

  // The facts the scenario is known by.
  const berlin = s.cityByName('Berlin');
  if (berlin.cell.owner !== s.world.id('Germany') || berlin.cell.terrain === TERRAIN.SEA) fail('Berlin is not a German city on land');
  const london = s.cityByName('London');
  if (london.cell.owner !== s.world.id('United Kingdom')) fail('London is not British');
  const danish = [...s.straitGates.values()].find((g) => g.owner === s.world.id('Denmark'));
  if (!danish) fail('the Danish straits have no Danish gate');

  if (errors.length) throw new Error(`scenario checks failed:\n  ${errors.join('\n  ')}`);
}

module.exports = { checkScenario };
