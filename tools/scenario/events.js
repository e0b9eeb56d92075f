'use strict';
// The scenario's events: entries into the war, alliances changing,
// reinforcements, partisans and the seasons of the east. Every text is a
// key of the string base (data/text/lang_ENG.txt), which the game turns
// into its English text when it reads the file. Each event sets its own
// flag, and its condition asks that flag to be 0, so it fires once.

// The land of the eastern front whose winters and thaws the events bring:
// from longitude 24 east, north of latitude 46 (hex corners).
function eastRectangle(world) {
  const west = world.cellAtLonLat(24, 55);
  const south = world.cellAtLonLat(24, 46);
  return [west.x, 0, world.W - 1, south.y];
}

function attrs(o) {
  return Object.entries(o).map(([k, v]) => ` ${k}="${v}"`).join('');
}

const flagIs = (flag, value) => ({ method: 'Flag.GetValue', params: [flag], op: 'equals', value });
const compare = (method, params, op, value) => ({ method, params, op, value });
const effect = (method, params, text) => ({ method, params, text });
const setFlag = (flag) => effect('Flag.SetValue', [flag, 1]);

function buildEvents(s) {
  const w = s.world;
  const id = (name) => w.id(name);
  const city = (name) => s.cityByName(name);
  const [ge, it, uk, fr, ro, su] = ['Germany', 'Italy', 'United Kingdom', 'France', 'Romania', 'Soviet Union'].map(id);
  const [pl, dk, no, nl, be, lu, yu, gr] = ['Poland', 'Denmark', 'Norway', 'Netherlands', 'Belgium', 'Luxembourg',
    'Yugoslavia', 'Greece'].map(id);
  const baltic = ['Estonia', 'Latvia', 'Lithuania'].map(id);
  const at = (name) => [city(name).cell.x, city(name).cell.y];
  const notAtWar = (a, b) => compare('Country.HasWarWithCountry', [a, b], 'equals', 0);
  const minsk = city('Minsk').cell;
  const taranto = city('Taranto').node.id;
  const east = eastRectangle(w);
  const events = [];
  const add = (e) => events.push({ visible: 1, once: 0, ...e });

  // Dates fall on the turns, the 1st and the 16th of the month; an event
  // fires at the end of the turn of its date, so its war starts the turn after.
  add({ id: 1, country: it, key: 'italy_enters_the_war', begin: [1, 6, 1940], flag: 1,
    when: [compare('Country.GetAlliance', [it], 'equals', 0)],
    options: [
      { chance: 90, effects: [effect('Country.SetAllianceEntry', [it, 100]), effect('Country.ChangeSocialUnrest', [it, 5])] },
      { chance: 10, effects: [effect('Country.ChangeAllianceEntry', [it, 20])] },
    ] });
  add({ id: 2, country: uk, key: 'dominion_divisions_arrive', begin: [1, 1, 1940], flag: 2,
    options: [{ chance: 100, effects: [
      effect('Hex.AddLandUnit', [-1, -1, uk, 0, 1, 100], 'event_unit_1st_canadian_division'),
      effect('Hex.AddLandUnit', [-1, -1, uk, 0, 1, 100], 'event_unit_2nd_new_zealand_division'),
      effect('Commander.AddNew', [uk, 2, 10], 'event_commander_dominion')] }] });
  add({ id: 3, country: ro, key: 'romania_turns_to_the_axis', begin: [1, 7, 1940], flag: 3,
    options: [
      { chance: 70, effects: [effect('Country.SetOrientation', [ro, 4]), effect('Country.ChangeAllianceEntry', [ro, 40])] },
      { chance: 30, effects: [effect('Country.ChangeAllianceEntry', [ro, 10]), effect('Country.ChangePoliticalStrength', [ro, -5])] },
    ] });
  add({ id: 4, country: uk, key: 'lend_lease', begin: [1, 3, 1941], flag: 4,
    options: [{ chance: 100, effects: [effect('Country.ChangeProductionPoints', [uk, 40]), effect('Country.ChangeSTP', [uk, 5])] }] });
  add({ id: 5, country: it, key: 'battleship_commissioned', begin: [1, 6, 1940], flag: 5,
    when: [compare('Hex.ControlledByCountry', [city('Taranto').cell.x, city('Taranto').cell.y, it], 'equals', 1)],
    options: [{ chance: 100, effects: [effect('SeaNode.AddNavalUnit', [taranto, it, 41, 20], 'event_ship_littorio')] }] });
  add({ id: 6, country: ge, key: 'operation_in_the_east', begin: [16, 6, 1941], flag: 6,
    when: [compare('Country.HasWarWithCountry', [ge, su], 'equals', 0)],
    options: [
      { chance: 100, effects: [effect('Country.DeclareWarOnCountry', [ge, su]), effect('Country.ChangeEffectivityOfAllUnits', [su, 3, -10])] },
      { chance: 0, effects: [] },
    ] });
  add({ id: 7, country: su, key: 'partisans_behind_the_front', begin: [1, 9, 1941], flag: 7,
    when: [compare('Hex.ControlledByCountry', [minsk.x, minsk.y, su], 'equals', 0)],
    options: [{ chance: 100, effects: [effect('City.FirePartisans', [minsk.x, minsk.y, su, 0, 1, 40], 'event_unit_partisans')] }] });
  add({ id: 8, country: fr, key: 'french_mobilisation', begin: [1, 10, 1939], flag: 8,
    options: [{ chance: 100, effects: [effect('Country.ChangeWarEconomy', [fr, 10]), effect('Country.ChangeDiplomaticPoints', [fr, 2])] }] });

  // The war plans of 1939-1941. The computer player gathers its forces
  // against the targets an event gives it and declares war itself once they
  // stand ready; a later event declares the war when it has not.
  const targets = (country, names) => names.map((n) => effect('AI.AddInvasionTarget', [country, ...at(n), -1]));
  add({ id: 50, country: su, key: 'partition_of_poland', begin: [16, 9, 1939], flag: 50,
    when: [compare('Country.HasWarWithCountry', [ge, pl], 'equals', 1)],
    options: [{ chance: 100, effects: polishStripes(w, pl).map((st) => effect('HexStripe.ChangeControllerOwnerAndOriginalOwner', [...st, su])) }] });
  add({ id: 51, country: ge, key: 'plans_for_scandinavia', begin: [16, 2, 1940], flag: 51, visible: 0,
    options: [{ chance: 100, effects: [...targets(ge, ['Copenhagen']),
      effect('AI.AddPortForObligatoryInvasion', [ge, ...at('Oslo'), 1]), effect('AI.AddPortForObligatoryInvasion', [ge, ...at('Bergen'), 0])] }] });
  add({ id: 52, country: ge, key: 'invasion_of_denmark', begin: [1, 4, 1940], flag: 52, when: [notAtWar(ge, dk)],
    options: [{ chance: 100, effects: [effect('Country.DeclareWarOnCountry', [ge, dk])] }] });
  add({ id: 53, country: ge, key: 'invasion_of_norway', begin: [1, 4, 1940], flag: 53, when: [notAtWar(ge, no)],
    options: [{ chance: 100, effects: [effect('Country.DeclareWarOnCountry', [ge, no])] }] });
  add({ id: 54, country: ge, key: 'plans_for_the_west', begin: [1, 4, 1940], flag: 54, visible: 0,
    options: [{ chance: 100, effects: targets(ge, ['Amsterdam', 'Brussels', 'Luxembourg']) }] });
  add({ id: 55, country: ge, key: 'invasion_of_the_low_countries', begin: [1, 5, 1940], flag: 55, when: [notAtWar(ge, be)],
    options: [{ chance: 100, effects: [nl, be, lu].map((c) => effect('Country.DeclareWarOnCountry', [ge, c])) }] });
  add({ id: 56, country: su, key: 'baltic_states_annexed', begin: [16, 6, 1940], flag: 56,
    options: [{ chance: 100, effects: baltic.flatMap((c) => [effect('Country.ChangeTerritoryControllerOwnerAndOriginalOwner', [c, su]),
      effect('Country.KillAllUnitsInReserve', [c]), effect('Country.SetActive', [c, 0])]) }] });
  add({ id: 57, country: it, key: 'italy_invades_greece', begin: [16, 10, 1940], flag: 57, when: [notAtWar(it, gr)],
    options: [{ chance: 100, effects: [effect('Country.DeclareWarOnCountry', [it, gr])] }] });
  add({ id: 58, country: ge, key: 'plans_for_the_balkans', begin: [1, 3, 1941], flag: 58, visible: 0,
    options: [{ chance: 100, effects: targets(ge, ['Belgrade']) }] });
  add({ id: 59, country: ge, key: 'invasion_of_yugoslavia_and_greece', begin: [1, 4, 1941], flag: 59, when: [notAtWar(ge, yu)],
    options: [{ chance: 100, effects: [effect('Country.DeclareWarOnCountry', [ge, yu]), effect('Country.DeclareWarOnCountry', [ge, gr])] }] });
  add({ id: 60, country: ge, key: 'plans_for_the_east', begin: [1, 5, 1941], flag: 60, visible: 0,
    options: [{ chance: 100, effects: targets(ge, ['Minsk', 'Kiev']) }] });

  // France's armistice: once France has surrendered, its empire in North
  // Africa and the Levant does not pass to the conqueror but, through the
  // years of Vichy and Free France, to the Allies.
  add({ id: 68, country: uk, key: 'french_empire_joins_the_allies', begin: [1, 9, 1939], flag: 68,
    when: [compare('Country.IsActive', [fr], 'equals', 0)],
    options: [{ chance: 100, effects: frenchEmpireStripes(w, fr).map((st) => effect('HexStripe.ChangeControllerOwnerAndOriginalOwner', [...st, uk])) }] });

  // The United States enters the war in December 1941; its forces join the
  // western Allies in waves, through the British reserve.
  let usUnit = 0;
  const usWave = (types) => types.map((t) => effect('Hex.AddLandUnit', [-1, -1, uk, t, 2, 100], `event_unit_us_${++usUnit}`));
  add({ id: 61, country: uk, key: 'united_states_enters_the_war', begin: [1, 12, 1941], flag: 61,
    options: [{ chance: 100, effects: [effect('Country.ChangeProductionPoints', [uk, 150]), effect('Country.ChangeSTP', [uk, 10]),
      effect('Country.ChangeAIP', [uk, 6]), ...usWave([0, 0, 2])] }] });
  const waves = [[[1, 6, 1942], [0, 0, 2, 4]], [[1, 11, 1942], [0, 2, 4, 4]], [[1, 4, 1943], [0, 0, 2, 4]],
    [[1, 9, 1943], [0, 2, 2, 4]], [[1, 3, 1944], [0, 0, 2, 2, 4, 4]], [[1, 7, 1944], [0, 2, 4, 4]]];
  waves.forEach(([begin, types], i) => add({ id: 62 + i, country: uk, key: 'american_forces_arrive', begin, flag: 62 + i,
    options: [{ chance: 100, effects: [effect('Country.ChangeProductionPoints', [uk, 40]), ...usWave(types)] }] }));

  // The army of 1940: the divisions raised over the winter join the
  // German reserve before the offensive in the west.
  let deUnit = 0;
  // They stand on the western border, each on its own hex, free at the
  // start and away from the cities (a hex still taken when the event fires
  // gets no division).
  const westHexes = w.cells.filter((c) => c.owner === ge && w.isLand(c) && c.lon >= 6.0 && c.lon <= 9.5 && c.lat >= 48.5 &&
    c.lat <= 52.0 && !(s.unitAt && s.unitAt.has(c)) && !(s.cityAt && s.cityAt.has(c)));
  const deWave = (types) => types.map((t, i) => {
    const step = Math.max(1, Math.floor(westHexes.length / types.length));
    const hex = westHexes[i * step];
    return effect('Hex.AddLandUnit', hex ? [hex.x, hex.y, ge, t, 2, 100] : [-1, -1, ge, t, 2, 100], `event_unit_de_${++deUnit}`);
  });
  add({ id: 69, country: ge, key: 'the_army_of_1940', begin: [1, 3, 1940], flag: 69,
    options: [{ chance: 100, effects: deWave([0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 4, 4, 4, 4]) }] });

  // The Soviet Union's reserves: the Siberian divisions of December 1941
  // and the armies its industry raised behind the Urals, in waves.
  let suUnit = 0;
  const suWave = (types) => types.map((t) => effect('Hex.AddLandUnit', [-1, -1, su, t, 2, 100], `event_unit_su_${++suUnit}`));
  const suWaves = [[[1, 12, 1941], [0, 0, 0, 0, 0, 0, 2, 4]], [[1, 6, 1942], [0, 0, 0, 0, 2, 2, 4, 4]],
    [[1, 12, 1942], [0, 0, 0, 0, 2, 2, 4, 4]], [[1, 6, 1943], [0, 0, 0, 2, 2, 4, 4, 4]], [[1, 1, 1944], [0, 0, 0, 2, 2, 4, 4, 4]],
    [[1, 6, 1944], [0, 0, 0, 2, 2, 4, 4, 4]]];
  suWaves.forEach(([begin, types], i) => add({ id: 70 + i, country: su, key: 'soviet_reserves_arrive', begin, flag: 70 + i,
    options: [{ chance: 100, effects: [effect('Country.ChangeProductionPoints', [su, 60]), ...suWave(types)] }] }));

  // The bombing of Germany's industry and the strain of a war on every
  // front: from 1943 its war economy shrinks year by year.
  [[1, 1, 1943], [1, 1, 1944], [1, 9, 1944]].forEach((begin, i) => add({ id: 76 + i, country: ge, key: 'strain_on_the_reich',
    begin, flag: 76 + i, options: [{ chance: 100, effects: [effect('Country.ChangeWarEconomy', [ge, -40])] }] }));

  // The seasons of the east, every year of the war: winter from December
  // to March, the thaw's mud from April to May. The game's own weather roll
  // takes over again when each season ends.
  let nextId = 20;
  let nextFlag = 20;
  for (let year = 1939; year <= 1944; ++year) {
    const seasons = [
      ['winter_in_the_east', [1, 12, year], [31, 12, year], effect('New.StartWinterArea', [...east, 0])],
      ['spring_thaw', [1, 3, year + 1], [31, 3, year + 1], effect('New.EndWinterArea', east)],
      ['roads_turn_to_mud', [1, 4, year + 1], [30, 4, year + 1], effect('New.StartMudArea', [...east, 0])],
      ['roads_dry', [16, 5, year + 1], [31, 5, year + 1], effect('New.EndMudArea', east)],
    ];
    for (const [key, begin, end, eff] of seasons)
      add({ id: nextId++, country: su, key, begin, end, flag: nextFlag++, visible: 0, options: [{ chance: 100, effects: [eff] }] });
  }
  return events;
}

// Columns of Polish hexes east of longitude 23.5, the Soviet share of the
// partition of 1939: (x, first row, count) for each run of Polish rows.
function polishStripes(world, poland) {
  const stripes = [];
  for (let x = 0; x < world.W; ++x) {
    let start = -1;
    for (let y = 0; y <= world.H; ++y) {
      const c = y < world.H ? world.at(x, y) : null;
      const take = c && c.owner === poland && world.isLand(c) && c.lon >= 23.5;
      if (take && start < 0) start = y;
      if (!take && start >= 0) {
        stripes.push([x, start, y - start]);
        start = -1;
      }
    }
  }
  return stripes;
}

// Columns of French hexes outside Europe (south of latitude 38, or east of
// longitude 30): (x, first row, count) for each run.
function frenchEmpireStripes(world, france) {
  const stripes = [];
  for (let x = 0; x < world.W; ++x) {
    let start = -1;
    for (let y = 0; y <= world.H; ++y) {
      const c = y < world.H ? world.at(x, y) : null;
      const take = c && c.owner === france && world.isLand(c) && (c.lat < 38 || c.lon > 30);
      if (take && start < 0) start = y;
      if (!take && start >= 0) {
        stripes.push([x, start, y - start]);
        start = -1;
      }
    }
  }
  return stripes;
}

function operand(side, o) {
  if (side === 'leftOperand') return `<leftOperand${attrs({ method: o.method, ...Object.fromEntries(o.params.map((p, i) => ['param' + i, p])) })}/>`;
  return `<rightOperand${attrs({ constValue: o.value })}/>`;
}

function writeEvents(s, events = buildEvents(s)) {
  const out = ['<?xml version="1.0" encoding="UTF-8"?>', '<events>'];
  for (const e of events) {
    out.push(`  <event${attrs({ eventID: e.id, countryID: e.country, visibleByPlayer: e.visible, oneTimeChecking: e.once })}>`);
    out.push(`    <title>event_${e.key}_title</title>`);
    out.push(`    <description>event_${e.key}_text</description>`);
    const [d, m, y] = e.begin;
    out.push(`    <beginDate${attrs({ day: d, month: m, year: y })}/>`);
    if (e.end) out.push(`    <endDate${attrs({ day: e.end[0], month: e.end[1], year: e.end[2] })}/>`);
    out.push('    <condition>', '      <and>');
    for (const c of [flagIs(e.flag, 0), ...(e.when || [])]) {
      out.push('        <expression>');
      out.push(`          ${operand('leftOperand', c)}`);
      out.push(`          <operator${attrs({ value: c.op })}/>`);
      out.push(`          ${operand('rightOperand', c)}`);
      out.push('        </expression>');
    }
    out.push('      </and>', '    </condition>', '    <options>');
    e.options.forEach((o, i) => {
      const n = i + 1;
      out.push(`      <option${attrs({ optionID: n, chanceAI: o.chance })}>`);
      out.push(`        <description>event_${e.key}_option${n}</description>`);
      out.push(`        <tooltip>event_${e.key}_option${n}_hint</tooltip>`);
      out.push('        <effects>');
      for (const f of [...o.effects, setFlag(e.flag)]) {
        const a = { method: f.method, ...Object.fromEntries(f.params.map((p, k) => ['param' + k, p])) };
        if (f.text) a.paramString0 = f.text;
        out.push(`          <effect${attrs(a)}/>`);
      }
      out.push('        </effects>', '      </option>');
    });
    out.push('    </options>', '  </event>');
  }
  out.push('</events>');
  return out;
}

module.exports = { writeEvents, buildEvents, eastRectangle };
