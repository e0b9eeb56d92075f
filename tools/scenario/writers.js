'use strict';
// The files of a scenario folder, each in the form its reader takes: CR LF
// line ends, Windows-1252 text, ';' between fields, '#' comment lines.
const { MAP } = require('./world');

const CRLF = '\r\n';

function ordinal(n) {
  const t = n % 100;
  if (t >= 11 && t <= 13) return `${n}th`;
  return `${n}${['th', 'st', 'nd', 'rd'][n % 10] || 'th'}`;
}

// Text to Windows-1252 bytes. Our tables hold ASCII only; anything else is
// refused so that no name is silently changed.
function cp1252(text) {
  for (let i = 0; i < text.length; ++i) {
    const code = text.charCodeAt(i);
    if (code > 0x7e && code !== 0x0d && code !== 0x0a) throw new Error(`not plain text: ${JSON.stringify(text)}`);
  }
  return Buffer.from(text, 'latin1');
}

function lines(list) {
  for (const l of list) if (l.includes(';;') && !l.startsWith('#') && !l.startsWith(';')) throw new Error(`empty field in ${l}`);
  return cp1252(list.map((l) => l + CRLF).join(''));
}

function field(v) {
  const s = String(v);
  if (s.includes(';') || s.includes('\n') || s === '') throw new Error(`bad field ${JSON.stringify(s)}`);
  return s;
}
const row = (values) => values.map(field).join(';') + ';';
const real = (v) => v.toFixed(6);

// The C++ side rounds the map cells by the same rules; see world.js.
function writeMap(s) {
  const w = s.world;
  const header = Buffer.alloc(268);
  Buffer.from('HwDv1', 'latin1').copy(header, 0);
  Buffer.from('Map for Brennmark v1.05 created by Corvalle.', 'latin1').copy(header, 5);
  header.writeFloatLE(1.0, 260);
  header.writeUInt16LE(w.W, 264);
  header.writeUInt16LE(w.H, 266);
  const body = Buffer.alloc(37 * w.W * w.H);
  const portOfShipHex = new Map();
  for (const n of s.nodes) if (n.city) for (const h of [n.player, n.enemy]) portOfShipHex.set(h, n.id);
  w.cells.forEach((c, i) => {
    const o = i * 37;
    const land = c.terrain !== 0;
    body[o] = c.terrain;
    body[o + 1] = 0;
    body[o + 2] = c.rivers;
    body.writeUInt16LE(portOfShipHex.get(c) || c.seaZone, o + 3);
    body[o + 5] = c.variant;
    body[o + 6] = land ? c.owner : 0;
    body[o + 7] = land ? c.owner : 0;
    body[o + 8] = land ? c.owner : 0;
    body[o + 9] = land ? c.fort : 0;
    for (let m = 0; m < 12; ++m) {
      body[o + 10 + m] = c.mud[m];
      body[o + 22 + m] = c.winter[m];
    }
    body[o + 34] = 0;
    body[o + 35] = c.coastal ? 1 : 0;
    body[o + 36] = 0;
  });
  return Buffer.concat([header, body]);
}

function capitalOf(s, countryId) {
  return s.cities.find((c) => c.country === countryId) || null;
}

function shade(hex, f) {
  const v = parseInt(hex, 16);
  const ch = (k) => Math.max(0, Math.min(255, Math.round(((v >> k) & 255) * f)));
  return (0xff000000 | (ch(16) << 16) | (ch(8) << 8) | ch(0)) >>> 0;
}
const hexColour = (v) => v.toString(16).toUpperCase();

// A neutral's war economy grows only once it is at war, and upkeep is paid
// every turn: a peacetime economy too small for its army would leave it in
// debt all war long. Neutrals collect at least half their production and
// pay a smaller upkeep.
// A country whose table row gives its own values keeps them.
const warEconomy = (c) => (c.alliance === 0 && !c.special && c.neutralWar !== undefined ? Math.max(c.war, c.neutralWar) : c.war);
const upkeepModifier = (c) => (c.alliance === 0 && !c.special && c.neutralUpkeep !== undefined ? c.neutralUpkeep : 1.0);

function writeCountries(s, countries) {
  const out = [
    '#Important! Ids must follow sequence (1,2,3...etc);;;;;;;;;;;;;;Tech levels;;;;;;;Points;;;;;Points max/used;;;Tech investments;;;;;;Tech research progress;;;;;;Capital coordinates on diplomacy bmp image;;DoneDelayWarEntry;DoneHasteWarEntry;DoneParliamentaryElections;DoneTurnInOrientation;;;Data for settings screen only;Data for settings screen only;;Nuclear;;Months to reach new level of land warfare doctrine (cumulated);;;;;DoneExertPressureAxis;DoneExertPressureAllied;DoneExertPressureComintern;;;Weather modifiers;;;;',
    '#ID;IsActive?;Name;Color1;Color2;Color3;Color4;Alliance;Orientation;Zone of Influence;Alliance entry;Polit. Str.;Finished turn?;Human controlled?;Artillery;Tanks;Land warfer doctrine (0-5);Aircraft;Subs;Navy;Nukes;PPs;DPs;SMPs;STPs;AIPs;SMP;STP used by convoys;AIP;Artillery;Tanks;Aircraft;Subs;Navy;Nukes;Artillery;Tanks;Aircraft;Subs;Navy;Nukes;X;Y;DoneDelayWarEntry;DoneHasteWarEntry;DoneParliamentaryElections;DoneTurnInOrientation;Social unrest;WarEconomy(%);Power (1-major, 2-minor, 3-other);Region (1-africa, 2-asia, 3-europe, 4-n. America, 5-s.america);Difficulty level (0-v.hard, 1-hard, 2-normal, 3-easy, 4-v.easy);Nuclear bombs;DP growth per month;Lev 1;Lev 2;Lev 3;Lev 4;Lev 5;DoneExertPressureAxis;DoneExertPressureAllied;DoneExertPressureComintern;PBEM Player ID;Unit upkeep cost modifier;Winter battle;Winter move;Mud battle;Mud move;Country type special flags;Skins name [optional]',
  ];
  // Weather modifiers in percent of the scenario's winter and mud factors:
  // countries used to hard winters suffer half of them.
  const winterHardy = new Set(['Soviet Union', 'Finland', 'Sweden', 'Norway']);
  countries.forEach((c, i) => {
    const id = i + 1;
    const cap = capitalOf(s, id);
    const capX = cap ? cap.cell.x * 6 : 0;
    const capY = cap ? cap.cell.y * 6 : 0;
    const hardy = winterHardy.has(c.name);
    out.push(row([
      id, 1, c.name, hexColour(shade(c.colour, 1.0)), hexColour(shade(c.colour, 0.7)), hexColour(shade(c.colour, 1.25)), 'FF000000',
      c.alliance, c.orient, c.zone, c.entry, c.polit, 0, 0, ...c.tech, real(c.pp), c.dp, c.smp, c.stp, c.aip, 0, 0, 0,
      0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, capX, capY, 0, 0, 0, 0, real(c.unrest), real(warEconomy(c)), c.power, c.region, 2, 0,
      c.dpGrowth, ...c.doctrine, 0, 0, 0, 0, real(upkeepModifier(c)), real(hardy ? 50 : 100), real(hardy ? 50 : 100), real(100), real(100),
      c.special || 0,
    ]));
  });
  return lines(out);
}

function writeCities(s) {
  const out = ['#Name;Hex X;Hex Y;Type [0=supply 1=normal 2=supply+port 3=port 4=resources];Victory Points;Production Points;Supply;Production Points Losses In Strategic Bombardment'];
  for (const c of s.cities) out.push(row([c.name, c.cell.x, c.cell.y, c.type, c.vp, real(c.pp), c.supply, 0]));
  return lines(out);
}

function writeCommanders(s) {
  const out = ['#Commanders', '#ID;Name;Country ID;Type [0=land 1=air 2=naval];Skill;Experience;State [0=not assigned 1=on his way to HQ 2=assigned]'];
  for (const c of s.commanders) out.push(row([c.id, c.name, c.country, c.type, c.skill, c.experience, c.state]));
  return lines(out);
}

// The wars of September 1939, both ways.
const WARS = [['Germany', 'Poland'], ['Germany', 'United Kingdom'], ['Germany', 'France'], ['Slovakia', 'Poland']];

function atWar(countries, a, b, wars = WARS) {
  const na = countries[a - 1].name;
  const nb = countries[b - 1].name;
  return wars.some(([x, y]) => (x === na && y === nb) || (x === nb && y === na));
}

function writeRelations(countries, wars = WARS) {
  const out = ['#Relations matrix [0=peace, 1=war]', '#Country ID;Country Name;Relations with all countries [0=peace, 1=war]'];
  const n = countries.length;
  for (let a = 1; a <= n; ++a) {
    const cells = [];
    for (let b = 1; b <= n; ++b) cells.push(a !== b && atWar(countries, a, b, wars) ? 1 : 0);
    out.push([a, countries[a - 1].name, ...cells].join(';'));
  }
  return lines(out);
}

function writeLosses(countries) {
  const out = ['#Losses matrix:', '#Country ID;Country Name;Casualties dealt against all countries'];
  const n = countries.length;
  for (let a = 1; a <= n; ++a) out.push(row([a, countries[a - 1].name, ...new Array(n).fill(real(0))]));
  return lines(out);
}

function writeConsts(constRows) {
  const out = [
    '# Scenario constants. Every line that is not a comment and not blank is one constant; its position',
    '# among those lines is its id (1 to 185). Do not insert or remove data lines.',
  ];
  constRows.forEach((r, i) => {
    if (r.id !== i + 1) throw new Error(`constant rows out of order at ${r.id}`);
    if (r.note) out.push(`# ${r.note}`);
    const vals = r.v.map((v) => String(v));
    out.push(r.label ? [r.label, ...vals].join(';') : vals.join(';'));
  });
  if (constRows.length !== 185) throw new Error('there must be 185 constants');
  return lines(out);
}

function writeSeaNodes(s) {
  const out = ['#ID;Name (seas only);Size max (0-sea / 1 to 9-port);Size current;Hex X (city hex X for ports);Hex Y (city hex Y for ports);Player unit hex X;Player unit hex Y;Enemy unit hex X;Enemy unit hex Y'];
  for (const n of s.nodes)
    out.push(row([n.id, n.name, n.max, n.max, n.main.x, n.main.y, n.player.x, n.player.y, n.enemy.x, n.enemy.y]));
  return lines(out);
}

function writeSeaEdges(s) {
  const out = ['#From node ID;To node ID;Gate hex X (-1 none);Gate hex Y'];
  for (const n of s.nodes) for (const e of n.edges) out.push([n.id, e.to, e.gate ? e.gate.x : -1, e.gate ? e.gate.y : -1].join(';'));
  return lines(out);
}

function writeConvoys(s) {
  const out = ['#Convoys', '#ID;Owner ID;Type [0=supplies 1=PP];Value (PP amount);Departure port ID;Destination port ID;'];
  for (const c of s.convoys) out.push(row([c.id, c.country, c.kind, c.value, c.from.node.id, c.to.node.id]));
  return lines(out);
}

function writeDiagram(s) {
  const out = ['#Start city hex X;Start city hex Y;Target city hex X;Target city hex Y;Link [0=land 1=sea]'];
  for (const l of s.diagram) out.push([l.from.cell.x, l.from.cell.y, l.to.cell.x, l.to.cell.y, l.kind].join(';'));
  return lines(out);
}

// Action points by the owner's land-warfare doctrine level (the rows of
// ids 2-7) and the unit type.
function startingAp(constRows, doctrine, type) {
  return constRows.find((r) => r.id === 2 + doctrine).v[type];
}

function writeLandUnits(s, constRows, countries) {
  const out = ['#Land units', '#ID;Name;Country ID;Hex X;Hex Y;Type;Level (1-5);Current strength (1-100);Action Points;Attacked [0=false 1=true];Was attacked [0=false 1=true];Supply source X;Supply source Y;Starting AP;TransporterID (-1=not on transporter);CommanderID (-1=no commander assigned);InReserve [0=false 1=true];ShoreBombEffect;Freeze time;AI - order;AI - targetX;AI - targetY;AI- ultimate target X;AI - ultimate targetY;Supply;EventsEffect;Number of turns from last paradrop;mulberry remaining time (months);Turns without supply;Trench bonus multiplier;Last X;Last Y;Available in turns;'];
  const fullSupply = constRows.find((r) => r.id === 48).v[0];
  const dropTurns = constRows.find((r) => r.id === 134).v[0];
  // A unit in reserve or aboard a ship (u.transport) stands on no hex. An
  // artificial harbour (type 60) has no action points.
  for (const u of s.landUnits) {
    const ap = u.type === 60 ? 0 : startingAp(constRows, countries[u.country - 1].tech[2], u.type);
    const [x, y] = u.cell ? [u.cell.x, u.cell.y] : [-1, -1];
    const strength = countries[u.country - 1].landStrength || 100;
    out.push(row([u.id, u.name, u.country, x, y, u.type, u.level, strength, ap, 0, 0, -1, -1, ap, u.transport ? u.transport.id : -1,
      u.commander, u.reserve ? 1 : 0, real(0), 0, 0, -1, -1, -1, -1, fullSupply, 0, Math.trunc(dropTurns), u.months || 0, 0, 1,
      x, y, 0]));
  }
  return lines(out);
}

function writeAirUnits(s, constRows) {
  const out = ['#Air units', '#ID;Name;Country ID;Hex X;Hex Y;Type;Level (1-5);Strength;Commander ID (-1 = no commander assigned);Attacked [0=false 1=true];Was attacked [0=false 1=true];Supply source X;Supply source Y;Action Points;Starting AP;In reserve [0=false 1=true];Supply;Air recon done? [0=false 1=true];Available in turns', '#On map'];
  const strength = constRows.find((r) => r.id === 14).v;
  const fullSupply = constRows.find((r) => r.id === 48).v[0];
  const airRow = (u, x, y, reserve) =>
    row([u.id, u.name, u.country, x, y, u.type, u.level, strength[u.type - 20], u.commander, 0, 0, -1, -1, 1, 1, reserve, fullSupply, 0, 0]);
  for (const u of s.airUnits) if (!u.reserve) out.push(airRow(u, u.cell.x, u.cell.y, 0));
  out.push('#In reserve');
  for (const u of s.airUnits) if (u.reserve) out.push(airRow(u, -1, -1, 1));
  return lines(out);
}

function writeFleets(s) {
  const out = ['#Fleets', '#ID;Name;Country ID;Sea node ID;Formation [0=regular 1=raiders];Has Moved? [0=false 1=true];Order (AI);Destination sea node ID (AI);Invasion hex X(AI);Invasion hex Y (AI);Is active? [0=false 1=true]'];
  for (const f of s.fleets) out.push(row([f.id, f.name, f.country, f.node.id, f.formation, 0, 0, -1, -1, -1, 1]));
  return lines(out);
}

function writeNavalUnits(s) {
  const out = ['#Naval units', '#ID;Name;Country ID;Type;Fleet ID;HP;Max HP;Commander ID (-1 = no commander assigned);In reserve [0=false 1=true];Shore bombardment done? [0=false 1=true];Airstrike done? [0=false 1=true];Available in turns;Recon done? [0=false 1=true] ;Can be repaired? [0=false 1=true]', '#On map'];
  for (const u of s.ships) if (!u.reserve) out.push(row([u.id, u.name, u.country, u.type, u.fleet.id, u.hp, u.hp, u.commander, 0, 0, 0, 0, 0, 1]));
  out.push('#In reserve');
  // A ship in reserve belongs to no fleet yet.
  for (const u of s.ships) if (u.reserve) out.push(row([u.id, u.name, u.country, u.type, -1, u.hp, u.hp, u.commander, 1, 0, 0, 0, 0, 1]));
  return lines(out);
}

// Name templates in the key order of the country record: land types 0-6,
// air types 20-22, naval types 40-45, the artificial harbour 60. New units
// are named "<number> <template>". Columns after the default: countries
// that name their units in their own language.
function writeUnitNames(countries) {
  const templates = [
    ['Infantry Division', { Germany: 'Infanterie-Division', Italy: 'Divisione di Fanteria', France: 'Division d\'Infanterie', Poland: 'Dywizja Piechoty', 'Soviet Union': 'Rifle Division' }],
    ['Infantry Corps', { Germany: 'Armeekorps', Italy: 'Corpo d\'Armata', France: 'Corps d\'Armee', Poland: 'Korpus', 'Soviet Union': 'Rifle Corps' }],
    ['Motorized Division', { Germany: 'Infanterie-Division (mot.)', Italy: 'Divisione Motorizzata', France: 'Division Motorisee', 'Soviet Union': 'Motor Rifle Division' }],
    ['Motorized Corps', { Germany: 'Armeekorps (mot.)', Italy: 'Corpo Motorizzato', France: 'Corps Motorise', 'Soviet Union': 'Motorized Corps' }],
    ['Armoured Division', { Germany: 'Panzer-Division', Italy: 'Divisione Corazzata', France: 'Division Cuirassee', 'Soviet Union': 'Tank Division' }],
    ['Armoured Corps', { Germany: 'Panzerkorps', Italy: 'Corpo Corazzato', France: 'Corps de Cavalerie', 'Soviet Union': 'Tank Corps' }],
    ['Airborne Division', { Germany: 'Flieger-Division', Italy: 'Divisione Paracadutisti', 'Soviet Union': 'Airborne Brigade' }],
    ['Fighter Wing', { Germany: 'Jagdgeschwader', Italy: 'Stormo Caccia', France: 'Groupe de Chasse' }],
    ['Bomber Wing', { Germany: 'Kampfgeschwader', Italy: 'Stormo Bombardamento', France: 'Groupe de Bombardement' }],
    ['Heavy Bomber Wing', { Germany: 'Kampfgeschwader (schwer)' }],
    ['Carrier', {}], ['Battleship', {}], ['Cruiser', {}], ['Submarine Flotilla', { Germany: 'U-Flottille' }],
    ['Transport Group', {}], ['Landing Group', {}], ['Mulberry Harbour', {}],
  ];
  // A column for every playing country, each text written out: a country
  // without a column would name its new units by number alone.
  const named = countries.filter((c) => !c.special).map((c) => c.name);
  const ids = named.map((n) => countries.findIndex((c) => c.name === n) + 1);
  const out = ['#Unit name templates: number;default text;then one column per country named in the header (empty: the default)', `;Default;${ids.join(';')}`];
  templates.forEach(([def, own], i) => out.push([i + 1, def, ...named.map((n) => own[n] || def)].join(';')));
  return cp1252(out.map((l) => l + CRLF).join(''));
}

// The keywords the computer-player table knows; its reader ends the game at
// a row whose keyword is none of them.
const AI_KEYWORDS = new Set(['Country', 'MakesSeaInvasions', 'CurrentSeaInvasionTarget', 'CurrentTargets', 'DoNotAttackCities',
  'FortLevelToHoldAtAllCost', 'ExtraCitiesToGarrison', 'MaxNumberOfFrontsForSeaInvasion', 'SeaZonesToPatrol',
  'DesiredLandForcesStructure', 'DesiredTechLevels', 'DesiredStrategicMovementPoints', 'NewUnitPurchasePreferences',
  'MultipleSideAttackPreferences', 'OneSideAttackPreferences', 'AllianceEntryPolicy', 'CountriesToPress',
  'TransportsUnitsToFrontsBySea', 'PurchaseQueue', 'NewUnitPurchaseData', 'MinRatioToPatchFront', 'MaxUnitCountOnFront',
  'MaxCoveringUnitDistance', 'MaxSafeMoveCost', 'ObligatorySeaInvasionTargets', 'ShoreBombardmentSingleUse',
  'CarrierTargetsPriorities']);

function writeAiData(s, countries) {
  const w = s.world;
  const id = (n) => w.id(n);
  const hexOf = (name) => {
    const c = s.cityByName(name);
    return [c.cell.x, c.cell.y];
  };
  const zone = (n) => s.zoneByName.get(n).id;
  const major = new Set(['Germany', 'United Kingdom', 'France', 'Italy', 'Soviet Union']);
  const plans = {
    Germany: { attack: [2, 2, 0, 2], invasions: 1, press: ['Italy', 'Hungary', 'Romania', 'Bulgaria', 'Slovakia'], patrol: [[zone('North Atlantic'), 1], [zone('Western Approaches'), 1]],
      spare: ['Bern', 'Zurich', 'Geneva'], structure: [10, 20, 30, 25, 15], tech: [3, 3, 3, 3, 3, 2, 0], smp: 6 },
    'United Kingdom': { attack: [3, 2, 3, 3], invasions: 1, press: ['Turkey', 'Greece', 'Portugal'], patrol: [[zone('Northern North Sea'), 0], [zone('Western Approaches'), 0], [zone('Eastern Mediterranean'), 0]],
      structure: [15, 25, 30, 20, 10], tech: [2, 2, 2, 3, 2, 3, 0], smp: 4, transports: 1 },
    France: { invasions: 0, press: ['Belgium', 'Romania', 'Yugoslavia'], patrol: [[zone('Bay of Biscay'), 0], [zone('Gulf of Lion'), 0]],
      structure: [20, 30, 25, 15, 10], tech: [2, 2, 2, 2, 1, 2, 0], smp: 4, transports: 1 },
    Italy: { attack: [3, 2, 3, 3], invasions: 1, press: ['Hungary', 'Bulgaria'], patrol: [[zone('Strait of Sicily'), 0], [zone('Ionian Sea'), 0]],
      structure: [20, 30, 25, 15, 10], tech: [2, 2, 2, 2, 2, 2, 0], smp: 3, transports: 1 },
    'Soviet Union': { attack: [3, 2, 3, 3], invasions: 0, press: ['Finland', 'Estonia', 'Latvia', 'Lithuania', 'Romania'],
      // One zone for each of its three seas: each fleet patrols the first it can reach.
      patrol: [[zone('Gulf of Finland'), 0], [zone('Western Black Sea'), 0], [zone('Barents Sea'), 0]],
      structure: [15, 25, 30, 20, 10], tech: [2, 2, 2, 2, 1, 1, 0], smp: 5 },
    Poland: { structure: [25, 35, 25, 10, 5], tech: [1, 1, 1, 1, 0, 0, 0] },
  };
  const out = ['# ai data'];
  countries.forEach((c, i) => {
    const p = plans[c.name] || { structure: [20, 30, 30, 15, 5], tech: [1, 1, 1, 1, 0, 0, 0] };
    const cap = capitalOf(s, i + 1);
    out.push(`Country;${i + 1}`);
    out.push(`MakesSeaInvasions;${p.invasions || 0}`);
    out.push('CurrentSeaInvasionTarget;-1');
    out.push(`FortLevelToHoldAtAllCost;${major.has(c.name) ? 4 : 5}`);
    // A major power at war fights on three fronts or more; its landings
    // (Norway, North Africa, Sicily, Italy, Normandy) must still be planned.
    out.push(`MaxNumberOfFrontsForSeaInvasion;${major.has(c.name) ? 6 : 2}`);
    if (cap) out.push(`ExtraCitiesToGarrison;${cap.cell.x};${cap.cell.y}`);
    if (p.spare) out.push(`DoNotAttackCities;${p.spare.map(hexOf).flat().join(';')}`);
    if (p.press) out.push(`CountriesToPress;${p.press.map(id).join(';')}`);
    if (p.patrol) out.push(`SeaZonesToPatrol;${p.patrol.flat().join(';')}`);
    out.push(`DesiredLandForcesStructure;${p.structure.join(';')}`);
    out.push(`DesiredTechLevels;${p.tech.join(';')}`);
    out.push(`DesiredStrategicMovementPoints;${p.smp || 0}`);
    out.push(`NewUnitPurchasePreferences;${(major.has(c.name) ? [10, 8, 6, 4, 5, 3, 1, 4, 3, 1, 1, 1, 1, 1] : [10, 10, 5, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0]).join(';')}`);
    const attack = p.attack || [4, 3, 3, 3];
    out.push(`MultipleSideAttackPreferences;${attack.slice(0, 3).join(';')}`);
    out.push(`OneSideAttackPreferences;${attack[3]};2;2`);
    out.push(`AllianceEntryPolicy;${c.alliance === 0 ? 0 : 1}`);
    out.push(`TransportsUnitsToFrontsBySea;${p.transports || 0}`);
    out.push('NewUnitPurchaseData;99;-1.0;99;-1.0;99;-1.0');
    out.push('MinRatioToPatchFront;2.5');
    out.push(`MaxUnitCountOnFront;${major.has(c.name) ? 20 : 12}`);
    out.push('MaxCoveringUnitDistance;3');
    out.push('MaxSafeMoveCost;5');
    out.push('ShoreBombardmentSingleUse;100;100');
    out.push('CarrierTargetsPriorities;90;80;70;60;50;40;30;20;10');
  });
  for (const l of out) if (!l.startsWith('#') && !AI_KEYWORDS.has(l.split(';')[0])) throw new Error(`unknown keyword in ${l}`);
  return lines(out);
}

function writePlaces(s) {
  const out = ['#Player defined places', '#Set using by Ctrl+<num> combination', '#Go to using <num> key)', '#Format: hexX;hexY'];
  for (const name of ['Berlin', 'Warsaw', 'Paris', 'London', 'Rome', 'Moscow', 'Leningrad', 'Cairo', 'Istanbul', 'Madrid']) {
    const c = s.cityByName(name);
    out.push(`${c.cell.x};${c.cell.y}`);
  }
  return lines(out);
}

function writeInfo(s, scenario, title, countries) {
  const t = [
    '[General_ENG]',
    `Name=${title}`,
    'DescriptionLine1=1 September 1939: Germany and Slovakia invade Poland; two days later Britain and France declare war.',
    'DescriptionLine2=Italy waits, the Soviet Union watches its new pact, and the neutrals of Europe choose their side.',
    'DescriptionLine3=Europe, North Africa and the Near East from the Atlantic to the Caspian.',
    'ObjectivesLine1=Axis: take Warsaw, Paris and London, or hold the most victory points at the end.',
    'ObjectivesLine2=Allies: hold out, bring the neutrals over and take Berlin.',
    '[Misc]',
    'Author=Brennmark scenario tool',
    'Version=1.0',
    '[Duration]',
    'StartDate=01.09.39 00:00',
    'EndDate=31.08.45 00:00',
    'Turns=144',
    '[Map]',
    `SizeX=${s.world.W}`,
    `SizeY=${s.world.H}`,
    'SmallUnitsSize=1',
    'LargeUnitsSize=2',
    '[Save]',
    `ScenarioName=${scenario}`,
    // The loader's first end of impulse moves the date on by one turn, from
    // turn 0 to turn 1 of September; the day is the one the first turn shows.
    'Impulse=0',
    'GameDay=1',
    'GameMonth=9',
    'GameYear=1939',
    'Turn=0',
    // The version a save writes, so that a new game never reads as an old save.
    'GameVersion=1.05',
  ];
  if (countries.length < 25) throw new Error('too few countries');
  return cp1252(t.map((l) => l + CRLF).join(''));
}

function writeScenario(s, { scenario, title, countries, constRows }) {
  if (s.world.W !== MAP.width) throw new Error('map size');
  return {
    'Info.ini': writeInfo(s, scenario, title, countries),
    'map.hwd': writeMap(s),
    'consts.csv': writeConsts(constRows),
    'countries.csv': writeCountries(s, countries),
    'cities.csv': writeCities(s),
    'commanders.csv': writeCommanders(s),
    'relations.csv': writeRelations(countries),
    'losses.csv': writeLosses(countries),
    'cities_diagram.csv': writeDiagram(s),
    'sea_nodes.csv': writeSeaNodes(s),
    'sea_edges.csv': writeSeaEdges(s),
    'convoys.csv': writeConvoys(s),
    'land_units.csv': writeLandUnits(s, constRows, countries),
    'air_units.csv': writeAirUnits(s, constRows),
    'fleets.csv': writeFleets(s),
    'naval_units.csv': writeNavalUnits(s),
    'unit_names.csv': writeUnitNames(countries),
    'ai_data.csv': writeAiData(s, countries),
    'flags.txt': lines(['# flag no;flag value']),
    'PlayerDefinedPlaces.txt': writePlaces(s),
    'auto_events.csv': Buffer.alloc(0),
    'event_files.txt': lines(['; XML event files of this scenario, one path a line, relative to the game folder',
      `data\\scenarios\\${scenario}\\events.xml`]),
    'events.xml': lines(writeEvents(s)),
  };
}

const { writeEvents } = require('./events');

module.exports = { writeScenario, ordinal, atWar, WARS, cp1252, row, lines, real, CRLF, AI_KEYWORDS, writeMap, writeCountries,
  writeCities, writeCommanders, writeRelations, writeLosses, writeConsts, writeSeaNodes, writeSeaEdges, writeConvoys,
  writeDiagram, writeLandUnits, writeAirUnits, writeFleets, writeNavalUnits };
