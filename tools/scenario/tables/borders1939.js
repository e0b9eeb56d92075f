'use strict';
// The borders of September 1939 where they differ from today's. Each land
// hex first takes the country of today that holds its centre (Natural
// Earth); `modern` turns that into a country of 1939; then each `cut`, in
// order, gives the hexes of the listed modern countries that lie inside its
// polygon (longitude, latitude) to another country of 1939.

const modern = {
  Germany: 'Germany', Austria: 'Germany', Czechia: 'Germany', // Anschluss, Sudetenland, Protectorate
  Poland: 'Poland', Slovakia: 'Slovakia',
  Italy: 'Italy', 'San Marino': 'Italy', Vatican: 'Italy', Albania: 'Italy', Libya: 'Italy',
  'United Kingdom': 'United Kingdom', 'Isle of Man': 'United Kingdom', Jersey: 'United Kingdom',
  Guernsey: 'United Kingdom', Malta: 'United Kingdom', Cyprus: 'United Kingdom', 'N. Cyprus': 'United Kingdom',
  Egypt: 'United Kingdom', Israel: 'United Kingdom', Palestine: 'United Kingdom', Jordan: 'United Kingdom',
  Kuwait: 'United Kingdom', Sudan: 'United Kingdom', Bahrain: 'United Kingdom', Qatar: 'United Kingdom',
  France: 'France', Monaco: 'France', Algeria: 'France', Tunisia: 'France', Morocco: 'France',
  Syria: 'France', Lebanon: 'France', Niger: 'France', Chad: 'France', Mali: 'France', Mauritania: 'France',
  Russia: 'Soviet Union', Belarus: 'Soviet Union', Ukraine: 'Soviet Union', Georgia: 'Soviet Union',
  Armenia: 'Soviet Union', Azerbaijan: 'Soviet Union', Kazakhstan: 'Soviet Union', Turkmenistan: 'Soviet Union',
  Uzbekistan: 'Soviet Union',
  Spain: 'Spain', Andorra: 'Spain', 'W. Sahara': 'Spain', Portugal: 'Portugal', Ireland: 'Ireland',
  Netherlands: 'Netherlands', Belgium: 'Belgium', Luxembourg: 'Luxembourg',
  Denmark: 'Denmark', 'Faeroe Is.': 'Denmark', Iceland: 'Denmark', // Iceland in union with the Danish crown
  Norway: 'Norway', Sweden: 'Sweden', Finland: 'Finland', 'Åland': 'Finland',
  Estonia: 'Estonia', Latvia: 'Latvia', Lithuania: 'Lithuania',
  Switzerland: 'Switzerland', Liechtenstein: 'Switzerland',
  Hungary: 'Hungary', Romania: 'Romania', Moldova: 'Romania', Bulgaria: 'Bulgaria', Greece: 'Greece',
  Slovenia: 'Yugoslavia', Croatia: 'Yugoslavia', 'Bosnia and Herz.': 'Yugoslavia', Serbia: 'Yugoslavia',
  Montenegro: 'Yugoslavia', Kosovo: 'Yugoslavia', Macedonia: 'Yugoslavia',
  Turkey: 'Turkey', Iraq: 'Iraq', Iran: 'Iran', 'Saudi Arabia': 'Saudi Arabia', Afghanistan: 'Iran',
};

const cuts = [
  { to: 'Germany', note: 'Pomerania and Silesia within the borders of 1937', from: ['Poland'],
    poly: [[13.5, 55.0], [17.9, 55.0], [17.9, 54.5], [17.6, 53.9], [17.3, 53.5], [16.9, 53.2], [16.4, 53.0],
      [15.9, 52.6], [15.8, 52.3], [16.2, 52.0], [16.4, 51.75], [16.9, 51.55], [17.5, 51.3], [17.9, 51.1],
      [18.3, 51.0], [18.5, 50.6], [18.6, 50.4], [18.85, 50.35], [18.8, 50.1], [18.3, 49.9], [17.8, 49.9], [13.5, 50.5]] },
  { to: 'Germany', note: 'East Prussia, Danzig and the Memel land', from: ['Poland', 'Russia', 'Lithuania'],
    poly: [[18.62, 54.9], [20.9, 55.95], [21.6, 55.95], [21.9, 55.6], [22.1, 55.1], [22.9, 55.0], [22.8, 54.35],
      [22.5, 53.95], [21.9, 53.6], [21.0, 53.35], [20.2, 53.4], [19.7, 53.45], [19.3, 53.6], [19.0, 53.8],
      [18.9, 54.1], [18.62, 54.25]] },
  { to: 'Poland', note: 'the Polish east up to the Riga line, with Wilno', from: ['Belarus', 'Ukraine', 'Lithuania'],
    poly: [[22.0, 54.3], [23.5, 54.3], [24.3, 54.5], [24.9, 54.9], [25.6, 55.4], [26.6, 55.75], [27.4, 55.5],
      [27.9, 55.0], [27.4, 54.2], [27.2, 53.6], [27.6, 52.6], [27.5, 51.8], [27.0, 51.2], [27.3, 50.5],
      [26.6, 50.1], [26.25, 49.5], [26.3, 48.6], [25.3, 48.4], [24.6, 47.9], [24.0, 48.6], [23.1, 49.0],
      [22.6, 49.1], [22.0, 49.2]] },
  { to: 'Romania', note: 'Bessarabia and northern Bukovina', from: ['Ukraine'],
    poly: [[24.8, 47.7], [25.2, 48.3], [26.2, 48.5], [27.4, 48.5], [28.3, 48.1], [29.2, 47.4], [29.7, 46.8],
      [30.3, 46.4], [30.8, 46.1], [30.8, 45.1], [28.2, 45.2], [28.0, 46.0], [27.0, 47.6], [26.0, 47.8]] },
  { to: 'Hungary', note: 'Carpathian Ruthenia', from: ['Ukraine'],
    poly: [[22.0, 48.4], [22.5, 49.1], [23.2, 48.95], [24.0, 48.55], [24.7, 48.0], [24.3, 47.8], [23.0, 47.9], [22.0, 48.0]] },
  { to: 'Hungary', note: 'the south of Slovakia (award of November 1938)', from: ['Slovakia'],
    poly: [[17.3, 47.85], [17.5, 48.05], [18.0, 48.15], [18.5, 48.3], [19.2, 48.35], [19.8, 48.45], [20.3, 48.65],
      [20.9, 48.8], [21.4, 48.8], [21.8, 48.6], [22.3, 48.45], [22.3, 47.6], [17.3, 47.6]] },
  { to: 'Romania', note: 'southern Dobruja', from: ['Bulgaria'],
    poly: [[26.3, 44.2], [27.0, 44.2], [27.9, 44.05], [28.7, 43.75], [28.7, 43.3], [28.1, 43.3], [27.6, 43.55],
      [27.0, 43.7], [26.3, 43.85]] },
  { to: 'Italy', note: 'Istria, Fiume and the Julian March', from: ['Slovenia', 'Croatia'],
    poly: [[13.3, 46.4], [13.7, 46.5], [13.9, 46.2], [14.3, 45.95], [14.45, 45.55], [14.5, 45.3], [14.2, 45.0],
      [13.9, 44.7], [13.4, 45.0], [13.4, 45.7]] },
  { to: 'Italy', note: 'the Dodecanese', from: ['Greece'],
    poly: [[26.2, 37.6], [27.6, 37.4], [28.4, 36.9], [28.5, 36.0], [27.6, 35.3], [26.7, 35.6], [26.2, 36.5]] },
  { to: 'Finland', note: 'the Karelian Isthmus and Ladoga Karelia', from: ['Russia'],
    poly: [[27.7, 60.5], [29.8, 60.12], [30.9, 60.55], [31.4, 61.0], [32.8, 61.35], [32.6, 62.3], [31.6, 63.0],
      [29.9, 63.2], [28.0, 61.0]] },
  { to: 'Finland', note: 'Petsamo', from: ['Russia'],
    poly: [[28.4, 69.0], [28.9, 69.95], [31.6, 69.95], [31.4, 69.3], [29.5, 68.85]] },
  { to: 'Spain', note: 'the Spanish protectorate in northern Morocco', from: ['Morocco'],
    poly: [[-6.3, 35.9], [-5.3, 36.0], [-3.0, 35.5], [-1.9, 35.2], [-2.3, 34.85], [-3.3, 34.95], [-4.5, 34.9],
      [-5.9, 34.65], [-6.5, 35.2]] },
];

// Single hexes given by hand: places too small for the scale of the map.
const points = [
  { to: 'United Kingdom', note: 'Gibraltar', lon: -5.35, lat: 36.14 },
  { to: 'United Kingdom', note: 'Malta', lon: 14.45, lat: 35.9, island: true },
];

module.exports = { modern, cuts, points };
