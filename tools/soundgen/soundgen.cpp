// Synthesises the 28 sound effects of the game as mono 22050 Hz 8-bit PCM
// WAV files: clicks and blips for the controls, noise, oscillators and
// envelopes for guns, engines, marching and explosions. Deterministic: the
// same program writes the same bytes.
//
//   soundgen <output folder>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

// A small deterministic generator, so that the files never depend on the
// C library's random numbers.
struct sNoise {
  uint32_t state;
  explicit sNoise(uint32_t seed) : state(seed != 0 ? seed : 1) {}
  double Next() {  // -1 .. 1
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<double>(state) / 2147483648.0 - 1.0;
  }
};

using Track = std::vector<double>;

Track Silence(double seconds) { return Track(static_cast<size_t>(seconds * kRate), 0.0); }

size_t At(double seconds) { return static_cast<size_t>(seconds * kRate); }

// Adds f(t) for t from 0 over the duration, starting at start seconds.
void Add(Track& track, double start, double duration, const std::function<double(double)>& f) {
  const size_t from = At(start);
  const size_t n = At(duration);
  for (size_t i = 0; i < n && from + i < track.size(); ++i) track[from + i] += f(static_cast<double>(i) / kRate);
}

double Env(double t, double attack, double decay) {
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / decay);
}

// One-pole low-pass filter over a noise source.
struct sLowPass {
  double y = 0.0;
  double a;
  explicit sLowPass(double cutoff) : a(1.0 - std::exp(-2.0 * kPi * cutoff / kRate)) {}
  double operator()(double x) {
    y += a * (x - y);
    return y;
  }
};

void Blip(Track& t, double start, double freq, double duration, double amp, double sweep = 0.0) {
  double phase = 0.0;
  Add(t, start, duration, [&](double s) {
    phase += 2.0 * kPi * (freq + sweep * s) / kRate;
    return amp * std::sin(phase) * Env(s, 0.002, duration / 4.0);
  });
}

void Click(Track& t, double start, double freq, double amp, uint32_t seed) {
  sNoise n(seed);
  double phase = 0.0;
  Add(t, start, 0.03, [&](double s) {
    phase += 2.0 * kPi * freq / kRate;
    const double square = std::sin(phase) >= 0.0 ? 1.0 : -1.0;
    return amp * (0.6 * square + 0.4 * n.Next()) * Env(s, 0.0005, 0.006);
  });
}

void Explosion(Track& t, double start, double duration, double cutoff, double amp, uint32_t seed) {
  sNoise n(seed);
  sLowPass lp(cutoff);
  sLowPass lp2(cutoff * 0.5);
  double phase = 0.0;
  Add(t, start, duration, [&](double s) {
    phase += 2.0 * kPi * (55.0 - 25.0 * s / duration) / kRate;
    const double rumble = lp2(lp(n.Next())) * 6.0;
    const double thump = std::sin(phase) * std::exp(-s / 0.12);
    return amp * (rumble + 0.7 * thump) * Env(s, 0.004, duration / 3.5);
  });
}

void Shot(Track& t, double start, double amp, uint32_t seed, double length = 0.12) {
  sNoise n(seed);
  sLowPass body(900.0);
  Add(t, start, length, [&](double s) {
    const double x = n.Next();
    const double crack = x - body(x) * 0.5;
    return amp * crack * Env(s, 0.001, length / 5.0);
  });
}

void Step(Track& t, double start, double amp, uint32_t seed) {
  sNoise n(seed);
  sLowPass lp(500.0);
  Add(t, start, 0.09, [&](double s) { return amp * lp(n.Next()) * 4.0 * Env(s, 0.004, 0.02); });
}

// A combustion engine: a buzzing sawtooth whose pitch wanders a little,
// with a low-passed noise rumble.
void Engine(Track& t, double start, double duration, double freq, double amp, double rumble, uint32_t seed,
            const std::function<double(double)>& pitch = nullptr) {
  sNoise n(seed);
  sLowPass lp(freq * 4.0);
  sLowPass nl(200.0);
  double phase = 0.0;
  Add(t, start, duration, [&](double s) {
    const double f = freq * (pitch ? pitch(s) : 1.0) * (1.0 + 0.02 * std::sin(2.0 * kPi * 3.0 * s));
    phase += f / kRate;
    phase -= std::floor(phase);
    const double saw = 2.0 * phase - 1.0;
    const double fade = std::min({1.0, s / 0.15, (duration - s) / 0.25});
    return amp * fade * (lp(saw) + rumble * nl(n.Next()) * 4.0);
  });
}

void Normalise(Track& t, double peak) {
  double max = 0.0;
  for (double v : t) max = std::max(max, std::fabs(v));
  if (max <= 0.0) return;
  for (double& v : t) v *= peak / max;
}

void Put16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, static_cast<uint16_t>(v & 0xFFFF));
  Put16(out, static_cast<uint16_t>(v >> 16));
}

bool WriteWav(const std::string& path, const Track& track) {
  std::string data;
  data.reserve(track.size());
  for (double v : track) {
    const long s = std::lround(128.0 + 127.0 * std::clamp(v, -1.0, 1.0));
    data.push_back(static_cast<char>(static_cast<uint8_t>(std::clamp<long>(s, 0, 255))));
  }
  const uint32_t dataBytes = static_cast<uint32_t>(data.size());
  const uint32_t pad = dataBytes & 1u;
  std::string out = "RIFF";
  Put32(out, 4 + 8 + 16 + 8 + dataBytes + pad);
  out += "WAVE";
  out += "fmt ";
  Put32(out, 16);
  Put16(out, 1);      // PCM
  Put16(out, 1);      // mono
  Put32(out, kRate);  // samples per second
  Put32(out, kRate);  // bytes per second
  Put16(out, 1);      // block align
  Put16(out, 8);      // bits per sample
  out += "data";
  Put32(out, dataBytes);
  out += data;
  if (pad != 0) out.push_back(static_cast<char>(128));
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  return std::fclose(f) == 0 && ok;
}

struct sEffect {
  const char* file;
  std::function<Track()> make;
};

Track AirStrike() {
  Track t = Silence(1.8);
  // A falling whistle, then the bombs.
  double phase = 0.0;
  Add(t, 0.0, 0.7, [&](double s) {
    phase += 2.0 * kPi * (1400.0 - 900.0 * s / 0.7) / kRate;
    return 0.25 * std::sin(phase) * std::min(1.0, s / 0.1);
  });
  Explosion(t, 0.65, 1.1, 400.0, 1.0, 11);
  Explosion(t, 0.85, 0.9, 300.0, 0.7, 12);
  return t;
}

Track AirToAirCombat() {
  Track t = Silence(1.6);
  Engine(t, 0.0, 1.6, 95.0, 0.25, 0.2, 21, [](double s) { return 1.0 + 0.1 * std::sin(s * 2.5); });
  for (int burst = 0; burst < 3; ++burst)
    for (int i = 0; i < 7; ++i) Shot(t, 0.1 + burst * 0.5 + i * 0.045, 0.5, 200 + burst * 10 + i, 0.05);
  return t;
}

Track ControlClick(double freq, uint32_t seed) {
  Track t = Silence(0.05);
  Click(t, 0.0, freq, 1.0, seed);
  return t;
}

Track CheckboxChanged() {
  Track t = Silence(0.08);
  Click(t, 0.0, 1800.0, 1.0, 31);
  Click(t, 0.035, 2400.0, 0.7, 32);
  return t;
}

Track ComboboxChanged() {
  Track t = Silence(0.09);
  Blip(t, 0.0, 700.0, 0.09, 1.0, 6000.0);
  return t;
}

Track EditboxChanged() {
  Track t = Silence(0.03);
  Click(t, 0.0, 3200.0, 0.8, 51);
  return t;
}

Track EditboxString() {
  Track t = Silence(0.2);
  Blip(t, 0.0, 880.0, 0.1, 0.8);
  Blip(t, 0.08, 1320.0, 0.12, 0.8);
  return t;
}

Track InfantryMarching() {
  Track t = Silence(2.2);
  for (int i = 0; i < 8; ++i) {
    Step(t, 0.05 + i * 0.27, 1.0, 70 + i);
    Step(t, 0.07 + i * 0.27, 0.6, 90 + i);  // the next rank a moment later
  }
  return t;
}

Track ListboxDoubleClick() {
  Track t = Silence(0.12);
  Blip(t, 0.0, 1200.0, 0.05, 1.0);
  Blip(t, 0.06, 1500.0, 0.05, 1.0);
  return t;
}

Track ListboxSelection() {
  Track t = Silence(0.06);
  Blip(t, 0.0, 1100.0, 0.06, 1.0);
  return t;
}

Track LandCombat() {
  Track t = Silence(1.6);
  sNoise when(131);
  for (int i = 0; i < 14; ++i) {
    const double at = 0.02 + (when.Next() + 1.0) * 0.65;
    Shot(t, at, 0.35 + 0.15 * when.Next(), 140 + i, 0.1);
  }
  Explosion(t, 0.3, 0.9, 450.0, 0.9, 151);
  Explosion(t, 0.9, 0.7, 500.0, 0.6, 152);
  return t;
}

Track NuclearAttack() {
  Track t = Silence(3.2);
  Explosion(t, 0.0, 3.2, 120.0, 1.0, 161);
  // The flash: a short bright crack over the rumble.
  Shot(t, 0.0, 0.6, 162, 0.3);
  return t;
}

Track PlaneFlying() {
  Track t = Silence(2.2);
  // A fly-past: the pitch falls as the plane passes.
  Engine(t, 0.0, 2.2, 110.0, 0.5, 0.3, 171, [](double s) { return 1.1 - 0.2 / (1.0 + std::exp(-(s - 1.1) * 5.0)); });
  return t;
}

Track RadiobuttonChanged() {
  Track t = Silence(0.06);
  Click(t, 0.0, 1500.0, 1.0, 181);
  Blip(t, 0.01, 1900.0, 0.04, 0.4);
  return t;
}

Track Scrolling() {
  Track t = Silence(0.18);
  sNoise n(191);
  sLowPass lp(1500.0);
  Add(t, 0.0, 0.18, [&](double s) { return lp(n.Next()) * std::sin(kPi * s / 0.18); });
  return t;
}

Track ShoreBombardment() {
  Track t = Silence(2.3);
  for (int i = 0; i < 3; ++i) {
    Shot(t, i * 0.55, 0.6, 201 + i, 0.2);
    Explosion(t, i * 0.55 + 0.02, 1.0, 220.0, 1.0, 211 + i);
  }
  return t;
}

Track SliderChanged() {
  Track t = Silence(0.025);
  Click(t, 0.0, 2600.0, 0.8, 221);
  return t;
}

Track StrategicBombardment() {
  Track t = Silence(2.6);
  Engine(t, 0.0, 2.6, 80.0, 0.3, 0.3, 231);
  Engine(t, 0.0, 2.6, 84.0, 0.25, 0.0, 232);
  for (int i = 0; i < 5; ++i) Explosion(t, 0.6 + i * 0.3, 0.9, 300.0 + 40.0 * i, 0.8, 241 + i);
  return t;
}

Track TankRolling() {
  Track t = Silence(2.2);
  Engine(t, 0.0, 2.2, 45.0, 0.6, 0.5, 251);
  // The clank of the tracks.
  for (int i = 0; i < 16; ++i) Click(t, 0.1 + i * 0.13, 600.0 + 80.0 * (i % 3), 0.3, 260 + i);
  return t;
}

Track TruckDriving() {
  Track t = Silence(1.8);
  Engine(t, 0.0, 1.8, 70.0, 0.6, 0.3, 271, [](double s) { return 1.0 + 0.15 * std::min(1.0, s); });
  return t;
}

Track DrumRoll() {
  Track t = Silence(2.0);
  // A snare roll growing louder, closed by one hit.
  for (int i = 0; i < 60; ++i) {
    const double at = i * 0.028;
    sNoise n(281 + i);
    Add(t, at, 0.05, [&](double s) { return (0.2 + 0.6 * at / 1.7) * n.Next() * Env(s, 0.001, 0.012); });
  }
  Explosion(t, 1.7, 0.3, 2000.0, 0.6, 350);
  Shot(t, 1.7, 0.8, 351, 0.25);
  return t;
}

Track NavalGun() {
  Track t = Silence(1.4);
  Shot(t, 0.0, 0.8, 361, 0.25);
  Explosion(t, 0.0, 1.4, 180.0, 1.0, 362);
  return t;
}

Track AirRecon() {
  Track t = Silence(1.6);
  Engine(t, 0.0, 1.6, 150.0, 0.5, 0.2, 371, [](double s) { return 1.05 - 0.1 * s / 1.6; });
  return t;
}

Track StrategicDeployLand() {
  Track t = Silence(1.8);
  // A train: puffs of steam and the beat of the wheels on the rails.
  for (int i = 0; i < 8; ++i) {
    sNoise n(381 + i);
    sLowPass lp(2500.0);
    Add(t, i * 0.22, 0.18, [&](double s) { return 0.8 * lp(n.Next()) * 2.0 * Env(s, 0.01, 0.05); });
    Click(t, i * 0.22 + 0.11, 400.0, 0.4, 391 + i);
  }
  return t;
}

Track Paradrop() {
  Track t = Silence(1.6);
  sNoise n(401);
  sLowPass lp(800.0);
  Add(t, 0.0, 1.6, [&](double s) { return 0.6 * lp(n.Next()) * 3.0 * std::sin(kPi * s / 1.6); });
  // The canopy opening.
  Shot(t, 0.5, 0.7, 402, 0.08);
  Step(t, 0.52, 0.8, 403);
  return t;
}

Track Invasion() {
  Track t = Silence(2.4);
  // Surf, the landing craft's engines, and gunfire on the beach.
  sNoise n(411);
  sLowPass lp(600.0);
  Add(t, 0.0, 2.4, [&](double s) { return 0.5 * lp(n.Next()) * 3.0 * (0.6 + 0.4 * std::sin(2.0 * kPi * 0.6 * s)); });
  Engine(t, 0.0, 2.4, 60.0, 0.3, 0.0, 412);
  for (int i = 0; i < 6; ++i) Shot(t, 0.8 + i * 0.2, 0.35, 420 + i, 0.1);
  Explosion(t, 1.5, 0.8, 400.0, 0.6, 430);
  return t;
}

Track Buying() {
  Track t = Silence(0.7);
  // A till: the drawer's click and a bell with two partials.
  Click(t, 0.0, 900.0, 0.6, 441);
  Add(t, 0.05, 0.65, [](double s) {
    return 0.6 * (std::sin(2.0 * kPi * 2093.0 * s) + 0.5 * std::sin(2.0 * kPi * 3136.0 * s)) * Env(s, 0.002, 0.18);
  });
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: soundgen <output folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  const std::vector<sEffect> effects = {
      {"AirStrike.wav", AirStrike},
      {"AirToAirCombat.wav", AirToAirCombat},
      {"ButtonClick.wav", [] { return ControlClick(1200.0, 41); }},
      {"CheckboxChanged.wav", CheckboxChanged},
      {"ComboboxChanged.wav", ComboboxChanged},
      {"EditboxChanged.wav", EditboxChanged},
      {"EditboxString.wav", EditboxString},
      {"InfantryMarching.wav", InfantryMarching},
      {"ItemClick.wav", [] { return ControlClick(900.0, 101); }},
      {"LandCombat.wav", LandCombat},
      {"ListboxDoubleClick.wav", ListboxDoubleClick},
      {"ListboxSelection.wav", ListboxSelection},
      {"NuclearAttack.wav", NuclearAttack},
      {"PlaneFlying.wav", PlaneFlying},
      {"RadiobuttonChanged.wav", RadiobuttonChanged},
      {"Scrolling.wav", Scrolling},
      {"ShoreBombardment.wav", ShoreBombardment},
      {"SliderChanged.wav", SliderChanged},
      {"StrategicBombardment.wav", StrategicBombardment},
      {"TankRolling.wav", TankRolling},
      {"TruckDriving.wav", TruckDriving},
      {"drum_roll.wav", DrumRoll},
      {"NavalGun.wav", NavalGun},
      {"AirRecon.wav", AirRecon},
      {"StrategicDeployLand.wav", StrategicDeployLand},
      {"Paradrop.wav", Paradrop},
      {"Invasion.wav", Invasion},
      {"Buying.wav", Buying},
  };
  int failed = 0;
  for (const sEffect& e : effects) {
    Track t = e.make();
    Normalise(t, 0.9);
    const std::string path = folder + "/" + e.file;
    if (!WriteWav(path, t)) {
      std::fprintf(stderr, "soundgen: cannot write %s\n", path.c_str());
      ++failed;
    }
  }
  std::printf("soundgen: %zu effects written to %s\n", effects.size() - static_cast<size_t>(failed), folder.c_str());
  return failed == 0 ? 0 : 1;
}
