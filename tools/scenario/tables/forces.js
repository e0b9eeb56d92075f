'use strict';
// Order of battle of September 1939. Land groups: `at` a city name or
// [longitude, latitude]; each unit of the group stands on the nearest free
// land hex of its country (mountains excepted) around that point. Types:
// 0 infantry division, 1 infantry corps, 2 mechanized division,
// 3 mechanized corps, 4 armoured division, 5 armoured corps, 6 airborne.
// `cmd` names the commander (commanders table) who leads the group's first
// unit. Air types: 20 fighter, 21 tactical bomber, 22 strategic bomber.
// Naval types: 40 carrier, 41 battleship, 42 cruiser, 43 submarine,
// 44 cargo, 45 amphibious.
const L = (at, type, count, level = 1, cmd = null) => ({ at, type, count, level, cmd });
const A = (at, type, count, level = 1, cmd = null) => ({ at, type, count, level, cmd });

const land = {
  Germany: [
    L([16.2, 53.6], 1, 2, 2, 'Fedor von Bock'), L([16.5, 53.4], 0, 4, 2), L([16.8, 53.3], 4, 1, 2, 'Heinz Guderian'),
    L([20.5, 53.6], 1, 2, 2, 'Georg von Kuechler'), L([20.0, 53.7], 0, 4, 2),
    L([17.3, 51.4], 1, 3, 2, 'Gerd von Rundstedt'), L([18.0, 51.0], 0, 5, 2), L([17.5, 51.2], 4, 3, 2, 'Walter von Reichenau'),
    L([18.6, 50.3], 0, 4, 2, 'Wilhelm List'), L([18.4, 50.1], 2, 2, 2), L([19.3, 49.3], 4, 1, 2), L([18.9, 49.4], 6, 1, 2, 'Kurt Student'),
    L([15.8, 51.4], 2, 2, 1), L([7.2, 49.3], 0, 6, 1, 'Wilhelm von Leeb'), L([6.4, 50.8], 0, 4, 1, 'Erwin von Witzleben'),
    L([8.0, 48.3], 0, 3, 1), L('Berlin', 1, 1, 1), L('Hamburg', 0, 1, 1), L('Vienna', 0, 2, 1), L('Prague', 0, 2, 1),
    L('Munich', 0, 1, 1), L('Koenigsberg', 0, 2, 2), L('Danzig', 0, 1, 2),
  ],
  Poland: [
    L([18.2, 53.5], 0, 5, 1, 'Wladyslaw Bortnowski'), L([20.5, 53.1], 0, 4, 1, 'Emil Krukowicz-Przedrzymirski'),
    L([17.8, 52.2], 0, 5, 1, 'Tadeusz Kutrzeba'), L([18.8, 51.4], 0, 5, 1, 'Juliusz Rommel'), L([19.2, 50.4], 0, 5, 1, 'Antoni Szylling'),
    L([20.2, 49.8], 0, 3, 1), L([19.8, 50.5], 2, 1, 1, 'Stanislaw Maczek'), L('Warsaw', 1, 1, 1), L('Lwow', 0, 1, 1), L('Wilno', 0, 1, 1),
    L([21.7, 51.9], 0, 3, 1),
  ],
  France: [
    L([7.0, 49.1], 1, 4, 1, 'Andre-Gaston Pretelat'), L([7.7, 48.8], 0, 6, 1), L([5.5, 49.5], 0, 4, 1, 'Charles Huntziger'),
    L([3.5, 50.3], 1, 3, 1, 'Gaston Billotte'), L([3.0, 50.5], 0, 5, 1), L([3.8, 50.0], 2, 3, 1), L([4.5, 49.7], 4, 2, 1, 'Charles de Gaulle'),
    L([6.8, 45.5], 0, 3, 1), L('Paris', 1, 2, 1, 'Maurice Gamelin'), L('Marseille', 0, 1, 1), L('Algiers', 0, 2, 1),
    L('Tunis', 0, 2, 1), L('Casablanca', 0, 1, 1), L('Beirut', 0, 1, 1), L('Damascus', 0, 1, 1), L([5.0, 48.5], 0, 3, 1),
  ],
  'United Kingdom': [
    L('London', 1, 2, 1, 'Edmund Ironside'), L('Portsmouth', 0, 2, 1), L('Dover', 0, 1, 1), L('Glasgow', 0, 1, 1), L('Newcastle', 0, 1, 1),
    L('Liverpool', 0, 1, 1), L('Belfast', 0, 1, 1), L([2.9, 50.1], 1, 2, 1, 'John Gort'), L('Cairo', 0, 2, 1, 'Archibald Wavell'),
    L('Mersa Matruh', 4, 1, 1, 'Percy Hobart'), L('Alexandria', 0, 1, 1), L('Jerusalem', 0, 1, 1), L('Haifa', 0, 1, 1),
    L('Gibraltar', 0, 1, 1), L('Valletta', 0, 1, 1), L('Famagusta', 0, 1, 1), L('Scapa Flow', 0, 1, 1),
  ],
  Italy: [
    L([7.0, 44.8], 1, 2, 1, 'Umberto di Savoia'), L([7.5, 45.5], 0, 3, 1), L([12.5, 46.3], 0, 3, 1), L('Milan', 2, 1, 1),
    L('Rome', 1, 1, 1, 'Rodolfo Graziani'), L('Naples', 0, 2, 1), L('Turin', 4, 1, 1), L('Bologna', 0, 1, 1), L('Palermo', 0, 1, 1),
    L('Tripoli', 0, 3, 1, 'Italo Balbo'), L('Benghazi', 0, 2, 1), L('Tobruk', 0, 2, 1), L([24.5, 31.7], 2, 1, 1),
    L('Tirana', 0, 2, 1), L('Valona', 0, 1, 1), L('Rhodes', 0, 1, 1), L('Cagliari', 0, 1, 1),
  ],
  'Soviet Union': [
    L([27.8, 53.9], 1, 4, 1, 'Mikhail Kovalyov'), L([27.6, 53.0], 0, 4, 1), L([27.9, 52.0], 3, 1, 1),
    L([27.5, 50.5], 1, 4, 1, 'Semyon Timoshenko'), L([27.4, 49.5], 0, 5, 1), L([28.0, 50.0], 5, 1, 1), L([27.2, 51.2], 3, 1, 1),
    L('Leningrad', 1, 3, 1, 'Kirill Meretskov'), L([30.5, 61.5], 0, 3, 1), L('Murmansk', 0, 2, 1), L('Moscow', 1, 3, 1, 'Boris Shaposhnikov'),
    L('Kiev', 0, 2, 1), L('Odessa', 0, 2, 1), L('Tbilisi', 0, 3, 1), L('Baku', 0, 1, 1), L('Sevastopol', 0, 1, 1), L('Minsk', 0, 2, 1),
    L('Kharkov', 0, 2, 1), L('Stalingrad', 0, 1, 1), L([28.3, 57.5], 0, 3, 1), L('Batumi', 0, 1, 1), L('Rostov', 0, 1, 1),
  ],
  Spain: [L('Madrid', 1, 1, 1, 'Jose Varela'), L('Barcelona', 0, 1, 1), L('Seville', 0, 1, 1), L('Bilbao', 0, 1, 1), L('Tetuan', 0, 2, 1), L('Zaragoza', 0, 1, 1), L('Valencia', 0, 1, 1)],
  Portugal: [L('Lisbon', 0, 2, 1), L('Porto', 0, 1, 1)],
  Ireland: [L('Dublin', 0, 1, 1), L('Cork', 0, 1, 1)],
  Netherlands: [L([5.7, 52.0], 0, 3, 1, 'Henri Winkelman'), L('Rotterdam', 0, 1, 1), L('Groningen', 0, 1, 1), L('Amsterdam', 0, 1, 1)],
  Belgium: [L('Liege', 0, 3, 1), L('Antwerp', 0, 2, 1), L('Brussels', 1, 1, 1), L([5.4, 50.2], 0, 2, 1)],
  Luxembourg: [L('Luxembourg', 0, 1, 1)],
  Denmark: [L([9.3, 55.0], 0, 1, 1), L('Copenhagen', 0, 1, 1)],
  Norway: [L('Oslo', 0, 1, 1), L('Bergen', 0, 1, 1), L('Trondheim', 0, 1, 1), L('Narvik', 0, 1, 1)],
  Sweden: [L('Stockholm', 0, 2, 1), L('Gothenburg', 0, 1, 1), L('Malmo', 0, 1, 1), L('Kiruna', 0, 1, 1), L('Ostersund', 0, 1, 1)],
  Finland: [L([29.3, 60.7], 0, 4, 1, 'Carl Gustaf Mannerheim'), L([31.0, 62.0], 0, 2, 1), L('Helsinki', 0, 1, 1), L('Oulu', 0, 1, 1)],
  Estonia: [L('Tallinn', 0, 1, 1), L('Tartu', 0, 1, 1)],
  Latvia: [L('Riga', 0, 1, 1), L([27.0, 56.5], 0, 1, 1)],
  Lithuania: [L('Kaunas', 0, 2, 1), L([24.5, 55.4], 0, 1, 1)],
  Switzerland: [L('Bern', 0, 2, 1, 'Henri Guisan'), L('Zurich', 0, 2, 1), L('Geneva', 0, 1, 1)],
  Hungary: [L('Budapest', 1, 1, 1), L('Debrecen', 0, 2, 1), L('Szeged', 0, 2, 1), L('Kassa', 0, 2, 1), L('Pecs', 0, 1, 1)],
  Romania: [L('Bucharest', 1, 1, 1), L('Cluj', 0, 3, 1), L('Kishinev', 0, 3, 1), L('Cernauti', 0, 2, 1), L('Constanta', 0, 1, 1), L('Timisoara', 0, 2, 1)],
  Yugoslavia: [L('Belgrade', 1, 1, 1), L('Zagreb', 0, 2, 1), L('Ljubljana', 0, 2, 1), L('Sarajevo', 0, 2, 1), L('Skopje', 0, 2, 1), L('Nis', 0, 2, 1), L('Split', 0, 1, 1)],
  Bulgaria: [L('Sofia', 0, 2, 1), L('Plovdiv', 0, 2, 1), L('Varna', 0, 1, 1), L('Burgas', 0, 1, 1)],
  Greece: [L('Athens', 0, 2, 1, 'Alexandros Papagos'), L('Salonika', 0, 2, 1), L('Ioannina', 0, 2, 1), L('Kavala', 0, 1, 1), L('Larissa', 0, 1, 1)],
  Turkey: [L('Ankara', 1, 1, 1), L('Istanbul', 0, 2, 1), L('Edirne', 0, 2, 1), L('Izmir', 0, 2, 1), L('Erzurum', 0, 2, 1), L('Adana', 0, 1, 1), L('Diyarbakir', 0, 1, 1), L('Trabzon', 0, 1, 1)],
  Slovakia: [L([20.3, 49.2], 0, 2, 1, 'Ferdinand Catlos'), L('Bratislava', 0, 1, 1)],
  Iraq: [L('Baghdad', 0, 2, 1), L('Mosul', 0, 1, 1)],
  Iran: [L('Tehran', 0, 2, 1), L('Tabriz', 0, 1, 1), L('Hamadan', 0, 1, 1)],
  'Saudi Arabia': [L('Sakaka', 0, 1, 1)],
};

const air = {
  Germany: [A([16.0, 52.8], 20, 3, 2, 'Albert Kesselring'), A([15.5, 52.2], 21, 3, 2), A([16.5, 51.0], 20, 2, 2, 'Alexander Loehr'),
    A([16.2, 50.8], 21, 3, 2, 'Wolfram von Richthofen'), A([20.8, 54.3], 21, 1, 2), A([7.5, 50.2], 20, 2, 1, 'Hugo Sperrle'),
    A('Hanover', 22, 1, 1), A('Berlin', 20, 1, 2)],
  'United Kingdom': [A('London', 20, 3, 1, 'Hugh Dowding'), A('Birmingham', 22, 2, 1, 'Edgar Ludlow-Hewitt'), A('Leeds', 22, 1, 1),
    A('Newcastle', 20, 1, 1), A('Reims', 21, 1, 1), A('Cairo', 20, 1, 1), A('Alexandria', 21, 1, 1), A('Haifa', 20, 1, 1)],
  France: [A('Paris', 20, 2, 1, 'Joseph Vuillemin'), A('Metz', 20, 2, 1), A('Nancy', 21, 2, 1), A('Lille', 21, 1, 1), A('Lyon', 20, 1, 1), A('Algiers', 21, 1, 1)],
  Italy: [A('Rome', 20, 2, 1, 'Francesco Pricolo'), A('Milan', 21, 2, 1), A('Naples', 21, 1, 1), A('Palermo', 20, 1, 1), A('Tripoli', 21, 1, 1), A('Turin', 20, 1, 1)],
  'Soviet Union': [A('Moscow', 20, 2, 1, 'Alexander Loktionov'), A('Minsk', 20, 2, 1), A('Kiev', 21, 2, 1), A('Leningrad', 20, 1, 1),
    A('Smolensk', 22, 1, 1), A('Odessa', 21, 1, 1), A('Kharkov', 20, 1, 1)],
  Poland: [A('Warsaw', 20, 1, 1), A('Krakow', 21, 1, 1), A('Poznan', 20, 1, 1), A('Lodz', 21, 1, 1)],
  Netherlands: [A('Amsterdam', 20, 1, 1)], Belgium: [A('Brussels', 20, 1, 1)], Sweden: [A('Stockholm', 20, 1, 1)],
  Finland: [A('Helsinki', 20, 1, 1)], Romania: [A('Bucharest', 20, 1, 1)], Yugoslavia: [A('Belgrade', 21, 1, 1)],
  Turkey: [A('Ankara', 20, 1, 1)], Spain: [A('Madrid', 20, 1, 1)], Hungary: [A('Budapest', 20, 1, 1)], Greece: [A('Athens', 20, 1, 1)],
};

// Fleets: at a port (city name) or a sea zone (zone name). Formation 1 is a
// raider group. Ships: [name, type].
const F = (country, name, at, formation, ships, cmd = null) => ({ country, name, at, formation, ships, cmd });
const fleets = [
  F('United Kingdom', 'Home Fleet', 'Scapa Flow', 0, [['HMS Nelson', 41], ['HMS Rodney', 41], ['HMS Royal Oak', 41], ['HMS Royal Sovereign', 41],
    ['HMS Hood', 41], ['HMS Repulse', 41], ['HMS Ark Royal', 40], ['HMS Sheffield', 42], ['HMS Aurora', 42], ['HMS Belfast', 42]], 'Charles Forbes'),
  F('United Kingdom', 'Channel Force', 'Portsmouth', 0, [['HMS Resolution', 41], ['HMS Revenge', 41], ['HMS Courageous', 40], ['HMS Ajax', 42]]),
  F('United Kingdom', 'Western Approaches', 'Plymouth', 0, [['HMS Hermes', 40], ['HMS Exeter', 42], ['HMS Cumberland', 42]]),
  F('United Kingdom', 'Mediterranean Fleet', 'Alexandria', 0, [['HMS Warspite', 41], ['HMS Malaya', 41], ['HMS Barham', 41],
    ['HMS Glorious', 40], ['HMS Gloucester', 42], ['HMS Arethusa', 42], ['HMS Sussex', 42]], 'Andrew Cunningham'),
  F('United Kingdom', 'Force H', 'Gibraltar', 0, [['HMS Valiant', 41], ['HMS Devonshire', 42]]),
  F('United Kingdom', 'Malta Submarines', 'Valletta', 0, [['HMS Triton', 43], ['HMS Oswald', 43]]),
  F('United Kingdom', 'Home Transports', 'Liverpool', 0, [['Convoy Group OB', 44], ['Convoy Group OA', 44], ['Landing Group 1', 45]]),
  F('Germany', 'Flottenstreitkraefte', 'Wilhelmshaven', 0, [['Scharnhorst', 41], ['Gneisenau', 41], ['Admiral Hipper', 42], ['Nuernberg', 42], ['Leipzig', 42]], 'Erich Raeder'),
  F('Germany', 'Baltic Squadron', 'Kiel', 0, [['Schleswig-Holstein', 41], ['Koeln', 42], ['Koenigsberg', 42], ['Karlsruhe', 42], ['Emden', 42]]),
  F('Germany', 'Atlantic Raiders', 'North Atlantic', 1, [['Deutschland', 42], ['Admiral Graf Spee', 42]]),
  F('Germany', 'U-Boat Group West', 'Western Approaches', 1, [['U-Flotilla Weddigen', 43], ['U-Flotilla Saltzwedel', 43], ['U-Flotilla Hundius', 43]], 'Karl Doenitz'),
  F('Germany', 'U-Boat Group North', 'Central North Sea', 1, [['U-Flotilla Lohs', 43], ['U-Flotilla Emsmann', 43]]),
  F('Germany', 'Transport Group', 'Stettin', 0, [['Seetransport I', 44], ['Seetransport II', 44]]),
  F('France', 'Force de Raid', 'Brest', 0, [['Dunkerque', 41], ['Strasbourg', 41], ['Bearn', 40], ['Gloire', 42], ['Montcalm', 42], ['Georges Leygues', 42]], 'Marcel Gensoul'),
  F('France', 'Escadre de la Mediterranee', 'Toulon', 0, [['Bretagne', 41], ['Provence', 41], ['Lorraine', 41], ['Algerie', 42], ['Foch', 42],
    ['Dupleix', 42], ['Colbert', 42]], 'Jean-Pierre Esteva'),
  F('France', 'Sous-marins de Bizerte', 'Bizerte', 0, [['Surcouf', 43], ['Escadrille de Bizerte', 43]]),
  F('France', 'Transports de Marseille', 'Marseille', 0, [['Convoi d\'Algerie', 44]]),
  F('Italy', 'Prima Squadra', 'Taranto', 0, [['Conte di Cavour', 41], ['Giulio Cesare', 41], ['Zara', 42], ['Fiume', 42], ['Pola', 42], ['Gorizia', 42]], 'Inigo Campioni'),
  F('Italy', 'Seconda Squadra', 'Naples', 0, [['Trento', 42], ['Trieste', 42], ['Bolzano', 42], ['Duca degli Abruzzi', 42]], 'Riccardo Paladini'),
  F('Italy', 'Sommergibili del Tirreno', 'La Spezia', 0, [['Gruppo Sommergibili I', 43], ['Gruppo Sommergibili II', 43], ['Gruppo Sommergibili III', 43]]),
  F('Italy', 'Trasporti per la Libia', 'Palermo', 0, [['Convoglio Libia', 44], ['Sbarco Uno', 45]]),
  F('Soviet Union', 'Baltic Fleet', 'Leningrad', 0, [['Marat', 41], ['Oktyabrskaya Revolutsiya', 41], ['Kirov', 42], ['Baltic Submarine Brigade', 43]], 'Vladimir Tributs'),
  F('Soviet Union', 'Black Sea Fleet', 'Sevastopol', 0, [['Parizhskaya Kommuna', 41], ['Krasny Kavkaz', 42], ['Chervona Ukraina', 42], ['Black Sea Submarine Brigade', 43]]),
  F('Soviet Union', 'Northern Fleet', 'Murmansk', 0, [['Northern Submarine Brigade', 43]]),
  F('Poland', 'Polish Submarines', 'Gdynia', 0, [['ORP Orzel', 43], ['ORP Wilk', 43]]),
  F('Netherlands', 'Dutch Home Squadron', 'Rotterdam', 0, [['HNLMS Sumatra', 42], ['Dutch Submarine Division', 43]]),
  F('Spain', 'Flota de Ferrol', 'Ferrol', 0, [['Canarias', 42], ['Almirante Cervera', 42]]),
  F('Turkey', 'Turkish Fleet', 'Istanbul', 0, [['Yavuz', 41], ['Hamidiye', 42]]),
  F('Greece', 'Greek Fleet', 'Athens', 0, [['Georgios Averof', 42]]),
  F('Sweden', 'Coastal Fleet', 'Gothenburg', 0, [['HSwMS Gotland', 42], ['HSwMS Sverige', 41]]),
  F('Norway', 'Norwegian Navy', 'Bergen', 0, [['HNoMS Norge', 42], ['HNoMS Eidsvold', 42]]),
  F('Denmark', 'Danish Navy', 'Copenhagen', 0, [['Niels Juel', 42]]),
  F('Finland', 'Finnish Coastal Fleet', 'Turku', 0, [['Vainamoinen', 42], ['Ilmarinen', 42]]),
  F('Yugoslavia', 'Yugoslav Fleet', 'Kotor', 0, [['Dalmacija', 42]]),
  F('Portugal', 'Portuguese Squadron', 'Lisbon', 0, [['NRP Vasco da Gama', 42]]),
];

// Naval and air commanders not named above get their unit from these lists
// too; `cmd` on a group or fleet names one of these.
const commanders = [
  // name, country, type (0 land, 1 air, 2 naval), skill
  ['Fedor von Bock', 'Germany', 0, 4], ['Gerd von Rundstedt', 'Germany', 0, 5], ['Heinz Guderian', 'Germany', 0, 5],
  ['Georg von Kuechler', 'Germany', 0, 3], ['Walter von Reichenau', 'Germany', 0, 4], ['Wilhelm List', 'Germany', 0, 4],
  ['Kurt Student', 'Germany', 0, 4], ['Wilhelm von Leeb', 'Germany', 0, 4], ['Erwin von Witzleben', 'Germany', 0, 3],
  ['Erich von Manstein', 'Germany', 0, 5], ['Erwin Rommel', 'Germany', 0, 5],
  ['Albert Kesselring', 'Germany', 1, 4], ['Alexander Loehr', 'Germany', 1, 3], ['Wolfram von Richthofen', 'Germany', 1, 4], ['Hugo Sperrle', 'Germany', 1, 3],
  ['Erich Raeder', 'Germany', 2, 4], ['Karl Doenitz', 'Germany', 2, 5],
  ['Wladyslaw Bortnowski', 'Poland', 0, 2], ['Emil Krukowicz-Przedrzymirski', 'Poland', 0, 2], ['Tadeusz Kutrzeba', 'Poland', 0, 3],
  ['Juliusz Rommel', 'Poland', 0, 2], ['Antoni Szylling', 'Poland', 0, 2], ['Stanislaw Maczek', 'Poland', 0, 4],
  ['Andre-Gaston Pretelat', 'France', 0, 2], ['Charles Huntziger', 'France', 0, 2], ['Gaston Billotte', 'France', 0, 2],
  ['Charles de Gaulle', 'France', 0, 4], ['Maurice Gamelin', 'France', 0, 2], ['Joseph Vuillemin', 'France', 1, 2],
  ['Marcel Gensoul', 'France', 2, 3], ['Jean-Pierre Esteva', 'France', 2, 3],
  ['Edmund Ironside', 'United Kingdom', 0, 3], ['John Gort', 'United Kingdom', 0, 3], ['Archibald Wavell', 'United Kingdom', 0, 4],
  ['Percy Hobart', 'United Kingdom', 0, 4], ['Bernard Montgomery', 'United Kingdom', 0, 4], ['Hugh Dowding', 'United Kingdom', 1, 5],
  ['Edgar Ludlow-Hewitt', 'United Kingdom', 1, 3], ['Charles Forbes', 'United Kingdom', 2, 3], ['Andrew Cunningham', 'United Kingdom', 2, 5],
  ['Umberto di Savoia', 'Italy', 0, 2], ['Rodolfo Graziani', 'Italy', 0, 3], ['Italo Balbo', 'Italy', 0, 3], ['Francesco Pricolo', 'Italy', 1, 2],
  ['Inigo Campioni', 'Italy', 2, 3], ['Riccardo Paladini', 'Italy', 2, 2],
  ['Mikhail Kovalyov', 'Soviet Union', 0, 2], ['Semyon Timoshenko', 'Soviet Union', 0, 3], ['Kirill Meretskov', 'Soviet Union', 0, 3],
  ['Boris Shaposhnikov', 'Soviet Union', 0, 4], ['Georgy Zhukov', 'Soviet Union', 0, 5], ['Alexander Loktionov', 'Soviet Union', 1, 2],
  ['Vladimir Tributs', 'Soviet Union', 2, 3],
  ['Jose Varela', 'Spain', 0, 3], ['Henri Winkelman', 'Netherlands', 0, 2], ['Carl Gustaf Mannerheim', 'Finland', 0, 5],
  ['Henri Guisan', 'Switzerland', 0, 3], ['Alexandros Papagos', 'Greece', 0, 4], ['Ferdinand Catlos', 'Slovakia', 0, 1],
];

// Forces that stood on an ally's soil: the British Expeditionary Force and
// the Advanced Air Striking Force in France.
const hosts = { 'United Kingdom': ['France'] };

module.exports = { land, air, fleets, commanders, hosts };
