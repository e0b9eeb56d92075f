'use strict';
// Sea zones: each grows from its seed point over the water hexes nearest to
// it (a breadth-first flood from all seeds at once, so a zone never jumps
// over land). Zones are numbered 1, 2, 3 ... in this order; ports follow.
const zones = [
  { name: 'North Atlantic', seed: [-10.5, 58.5] },
  { name: 'Atlantic off Ireland', seed: [-11.0, 52.0] },
  { name: 'Western Approaches', seed: [-7.0, 49.5] },
  { name: 'Bay of Biscay', seed: [-5.0, 45.5] },
  { name: 'Atlantic off Iberia', seed: [-11.0, 41.0] },
  { name: 'Atlantic off Morocco', seed: [-9.8, 34.5] },
  { name: 'Irish Sea', seed: [-5.0, 53.8] },
  { name: 'English Channel', seed: [-1.5, 50.2] },
  { name: 'Southern North Sea', seed: [3.0, 53.0] },
  { name: 'Central North Sea', seed: [3.0, 56.0] },
  { name: 'Northern North Sea', seed: [0.5, 59.5] },
  { name: 'Skagerrak and Kattegat', seed: [10.0, 57.8] },
  { name: 'Norwegian Sea', seed: [3.0, 64.0] },
  { name: 'Waters off Lofoten', seed: [11.0, 68.8] },
  { name: 'Barents Sea', seed: [33.0, 70.5] },
  { name: 'White Sea', seed: [38.5, 65.5] },
  { name: 'Western Baltic', seed: [13.0, 54.8] },
  { name: 'Southern Baltic', seed: [18.0, 55.5] },
  { name: 'Central Baltic', seed: [19.5, 57.8] },
  { name: 'Gulf of Finland', seed: [25.5, 59.95] },
  { name: 'Gulf of Riga', seed: [23.5, 57.6] },
  { name: 'Gulf of Bothnia', seed: [20.0, 62.5] },
  { name: 'Bay of Bothnia', seed: [23.0, 65.0] },
  { name: 'Alboran Sea', seed: [-3.5, 36.0] },
  { name: 'Balearic Sea', seed: [1.8, 40.3] },
  { name: 'Gulf of Lion', seed: [5.0, 42.5] },
  { name: 'Ligurian Sea', seed: [9.0, 43.5] },
  { name: 'Tyrrhenian Sea', seed: [12.0, 40.0] },
  { name: 'Waters off Algeria', seed: [5.0, 37.5] },
  { name: 'Strait of Sicily', seed: [12.0, 36.5] },
  { name: 'Gulf of Sidra', seed: [17.5, 32.8] },
  { name: 'Ionian Sea', seed: [18.5, 37.5] },
  { name: 'Northern Adriatic', seed: [13.5, 44.5] },
  { name: 'Southern Adriatic', seed: [17.5, 41.8] },
  { name: 'Aegean Sea', seed: [25.0, 38.5] },
  { name: 'Waters off Crete', seed: [25.0, 34.8] },
  { name: 'Eastern Mediterranean', seed: [30.0, 33.2] },
  { name: 'Levantine Sea', seed: [34.0, 34.8] },
  { name: 'Sea of Marmara', seed: [28.0, 40.7] },
  { name: 'Western Black Sea', seed: [30.5, 43.5] },
  { name: 'Eastern Black Sea', seed: [37.0, 43.0] },
  { name: 'Sea of Azov', seed: [36.5, 46.2] },
  { name: 'Red Sea', seed: [33.0, 29.2] },
  { name: 'Persian Gulf', seed: [49.5, 29.5] },
  { name: 'Caspian Sea', seed: [50.5, 42.0] },
];

// Passages that a country may use only while it or an ally holds the gate
// hex (the land at the strait). Listed both ways in sea_edges.csv. When the
// two zones do not touch on the map (a narrow strait is land at this
// scale), the edge is added all the same.
const straits = [
  { a: 'Skagerrak and Kattegat', b: 'Western Baltic', gate: [11.9, 55.5], name: 'Danish straits' },
  { a: 'Atlantic off Morocco', b: 'Alboran Sea', gate: [-5.35, 36.14], name: 'Gibraltar' },
  { a: 'Aegean Sea', b: 'Sea of Marmara', gate: [26.4, 40.15], name: 'Dardanelles' },
  { a: 'Sea of Marmara', b: 'Western Black Sea', gate: [29.0, 41.1], name: 'Bosporus' },
  { a: 'Eastern Mediterranean', b: 'Red Sea', gate: [32.5, 30.0], name: 'Suez canal' },
  { a: 'Sea of Azov', b: 'Eastern Black Sea', gate: [36.5, 45.3], name: 'Kerch strait' },
  { a: 'Western Baltic', b: 'Southern North Sea', gate: [9.6, 54.2], name: 'Kiel canal' },
];

module.exports = { zones, straits };
