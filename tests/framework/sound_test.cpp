#include "framework/sound.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <latch>
#include <set>
#include <thread>

#include "core/random.h"
#include "core/settings.h"
#include "framework/wav_builder.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The dummy driver opens a device that consumes samples in real time.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    tmp_ = std::make_unique<cTempDir>("sound");
    cwd_ = fs::current_path();
  }
  void TearDown() override {
    ReleaseSounds();
    sound_.reset();
    device_.reset();
    fs::current_path(cwd_);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }

  // A device in the layout InitSounds asks for.
  CSoundDevice& Device() {
    device_ = std::make_unique<CSoundDevice>();
    EXPECT_EQ(device_->Initialize(DSSCL_PRIORITY), S_OK) << device_->Error();
    EXPECT_EQ(device_->SetPrimaryBufferFormat(1, 22050, 8), S_OK) << device_->Error();
    return *device_;
  }
  std::wstring WavFile(const std::string& name, const std::string& bytes) {
    tmp_->Write(name, bytes);
    return tmp_->WidePath(name);
  }
  // An effect of the given length with the given number of buffers.
  CSound& Effect(double seconds, int buffers) {
    const std::wstring file = WavFile("effect.wav", Pcm8(SquareSamples(static_cast<size_t>(seconds * 22050))));
    EXPECT_EQ(Device().Create(&sound_, file, DSBCAPS_CTRLVOLUME, buffers), S_OK);
    return *sound_;
  }
  int Playing(const CSound& s) const {
    int n = 0;
    for (int i = 0; i < s.BufferCount(); ++i) n += s.IsBufferPlaying(i) ? 1 : 0;
    return n;
  }

  std::unique_ptr<cTempDir> tmp_;
  fs::path cwd_;
  std::unique_ptr<CSoundDevice> device_;
  std::unique_ptr<CSound> sound_;
};

TEST(SoundVolume, SettingAndAttenuationMapToTheMixer) {
  EXPECT_EQ(SfxVolumeFromSetting(1.0f), 0);
  EXPECT_EQ(SfxVolumeFromSetting(0.0f), -10000);
  EXPECT_EQ(SfxVolumeFromSetting(0.5f), -5000);
  EXPECT_EQ(SfxVolumeFromSetting(0.25f), -7500);
  EXPECT_EQ(SfxVolumeFromSetting(1.5f), 0);  // held to the attenuation range
  gProgramSettings.sfxVolume = 0.5f;
  EXPECT_EQ(SfxVolume(), -5000);

  const struct {
    int32_t hundredthsDb;
    int mixer;
  } levels[] = {{0, 128}, {100, 128}, {-600, 64}, {-2000, 13}, {-6000, 0}, {-10000, 0}, {-20000, 0}};
  for (const auto& l : levels) EXPECT_EQ(MixerVolumeFromHundredthsDb(l.hundredthsDb), l.mixer) << l.hundredthsDb;
}

TEST_F(SoundTest, ThreeBuffersThenARandomOneRestarts) {
  CSound& s = Effect(2.0, 3);
  ASSERT_EQ(s.BufferCount(), 3);
  EXPECT_EQ(s.BufferBytes(), 44100u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(s.GetFreeBuffer(), i);
    ASSERT_EQ(s.Play(0, 0, 0, -1, 0), S_OK);
    EXPECT_TRUE(s.IsBufferPlaying(i));
  }
  // All three sound: the choice falls on any of them.
  SeedRandom(7);
  std::set<int> picks;
  for (int i = 0; i < 60; ++i) picks.insert(s.GetFreeBuffer());
  EXPECT_EQ(picks, (std::set<int>{0, 1, 2}));
  EXPECT_EQ(s.Play(0, 0, 0, -1, 0), S_OK);
  EXPECT_EQ(Playing(s), 3);

  // Stopped buffers are free again and resume where they stood.
  ASSERT_EQ(s.Stop(), S_OK);
  EXPECT_EQ(Playing(s), 0);
  EXPECT_EQ(s.GetFreeBuffer(), 0);
  ASSERT_EQ(s.Play(0, 0, DSBVOLUME_MIN, -1, 0), S_OK);
  EXPECT_TRUE(s.IsBufferPlaying(0));
  EXPECT_EQ(Playing(s), 1);
  EXPECT_EQ(AudioChannelVolume(s.BufferChannel(0)), 0);
  // Stop and rewind, as the game does before it plays an effect.
  ASSERT_EQ(s.Stop(), S_OK);
  ASSERT_EQ(s.Reset(), S_OK);
  EXPECT_EQ(Playing(s), 0);
  EXPECT_EQ(s.Play(0, 0, -600, -1, 0), S_OK);
  EXPECT_EQ(Playing(s), 1);
  EXPECT_EQ(AudioChannelVolume(s.BufferChannel(0)), 64);
  EXPECT_EQ(s.BufferChannel(3), -1);
}

TEST_F(SoundTest, AFinishedBufferIsFreeAgain) {
  CSound& s = Effect(0.05, 1);
  ASSERT_EQ(s.Play(0, 0, 0, -1, 0), S_OK);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (s.IsBufferPlaying(0) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_FALSE(s.IsBufferPlaying(0));
  EXPECT_EQ(s.GetFreeBuffer(), 0);
}

TEST_F(SoundTest, PlaysFromTwoThreadsNeverTakeTheSameFreeBuffer) {
  CSound& s = Effect(3.0, 3);
  for (int round = 0; round < 200; ++round) {
    s.Stop();
    s.Reset();
    ASSERT_EQ(Playing(s), 0);
    std::latch start(3);
    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t)
      threads.emplace_back([&] {
        start.arrive_and_wait();
        s.Play(0, 0, 0, -1, 0);
      });
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(Playing(s), 3) << "round " << round;
  }
}

TEST_F(SoundTest, DeviceAndArgumentFailures) {
  const std::wstring good = WavFile("good.wav", Pcm8(SquareSamples(100)));
  {
    CSoundDevice closed;
    std::unique_ptr<CSound> s;
    EXPECT_EQ(closed.SetPrimaryBufferFormat(1, 22050, 8), CO_E_NOTINITIALIZED);
    EXPECT_EQ(closed.Create(&s, good, DSBCAPS_CTRLVOLUME, 1), CO_E_NOTINITIALIZED);
  }
  CSoundDevice& d = Device();
  std::unique_ptr<CSound> s;
  EXPECT_EQ(d.Create(nullptr, good, 0, 1), E_INVALIDARG);
  EXPECT_EQ(d.Create(&s, L"", 0, 1), E_INVALIDARG);
  EXPECT_EQ(d.Create(&s, good, 0, 0), E_INVALIDARG);
  cLogCapture log;
  EXPECT_EQ(d.Create(&s, tmp_->WidePath("missing.wav"), 0, 1), E_FAIL);
  EXPECT_EQ(d.Create(&s, WavFile("empty.wav", Pcm8("")), 0, 1), E_FAIL);
  const std::wstring packed = WavFile("packed.wav", Riff({{"fmt ", FmtBody(1, 1, 22050, 24)}, {"data", "abcdef"}}));
  EXPECT_EQ(d.Create(&s, packed, 0, 1), E_FAIL);
  EXPECT_TRUE(log.Has(L"ERROR: WAV file \"" + packed + L"\": sample format 1 with 24 bits cannot be played"));
  EXPECT_EQ(s, nullptr);
  // The samples of a good file fill the buffer as they stand.
  ASSERT_EQ(d.Create(&s, good, 0, 2), S_OK);
  const std::string samples = SquareSamples(100);
  EXPECT_EQ(std::string(s->BufferBytesData().begin(), s->BufferBytesData().end()), samples);
  // Without the volume flag an effect keeps its full level.
  ASSERT_EQ(s->Play(0, 0, DSBVOLUME_MIN, -1, 0), S_OK);
  EXPECT_EQ(AudioChannelVolume(s->BufferChannel(0)), 128);
  bool restored = true;
  EXPECT_EQ(s->RestoreBuffer(1, &restored), S_FALSE);
  EXPECT_FALSE(restored);
  // An effect without buffers plays nothing.
  CSound none({}, 0, nullptr, 0);
  EXPECT_EQ(none.Play(0, 0, 0, -1, 0), CO_E_NOTINITIALIZED);
  EXPECT_EQ(none.GetFreeBuffer(), -1);
}

TEST_F(SoundTest, ShippedBankLoadsAndControlEventsPlayTheirSlots) {
  fs::current_path(BRENNMARK_GAME_DIR);
  cLogCapture log;
  InitSounds();
  EXPECT_EQ(log.CountContaining(L"Error while loading"), 0);
  std::set<int> loaded;
  for (const sSoundBankFile& f : kSoundBankFiles) {
    CSound* s = GetSound(f.slot);
    ASSERT_NE(s, nullptr) << WideToUtf8(f.file);
    EXPECT_EQ(s->BufferCount(), f.buffers) << WideToUtf8(f.file);
    loaded.insert(f.slot);
  }
  for (int slot = -1; slot <= kSoundSlots; ++slot)
    if (loaded.count(slot) == 0) { EXPECT_EQ(GetSound(slot), nullptr) << slot; }
  EXPECT_EQ(GetSound(2)->BufferCount(), 3);  // ButtonClick
  EXPECT_EQ(GetSound(5)->BufferCount(), 5);  // EditboxChanged

  const struct {
    uint32_t event;
    int slot;
  } events[] = {{0x101, 2}, {0x201, 4}, {0x301, 17}, {0x401, 3}, {0x501, 20},
                {0x601, 6}, {0x602, 5}, {0x701, 12}, {0x702, 13}, {0x102, -1}};
  for (const auto& e : events) EXPECT_EQ(ControlSoundSlot(e.event), e.slot) << e.event;

  gProgramSettings.sfxVolume = 0.0f;
  int controlStandIn = 0;
  const CFWControl* control = reinterpret_cast<const CFWControl*>(&controlStandIn);
  PlayControlSound(0x101, 7, nullptr);
  EXPECT_FALSE(GetSound(2)->IsBufferPlaying(0));
  PlayControlSound(0x101, 7, control);
  PlayControlSound(0x101, 7, control);
  EXPECT_TRUE(GetSound(2)->IsBufferPlaying(0));
  EXPECT_TRUE(GetSound(2)->IsBufferPlaying(1));
  // A setting of 0 plays at -10000: silence.
  EXPECT_EQ(AudioChannelVolume(GetSound(2)->BufferChannel(1)), 0);
  gProgramSettings.sfxVolume = 1.0f;
  PlayControlSound(0x999, 7, control);  // no sound of its own

  PlayGameSound(L"data\\sound\\NuclearAttack.wav");
  EXPECT_TRUE(GetSound(15)->IsBufferPlaying(0));
  EXPECT_EQ(AudioChannelVolume(GetSound(15)->BufferChannel(0)), 128);
  PlayGameSound(L"data\\sound\\NoSuchEffect.wav");
}

TEST_F(SoundTest, MissingAndBrokenFilesLeaveOnlyTheirSlotsEmpty) {
  const fs::path sounds = tmp_->Path() / "data" / "sound";
  fs::create_directories(sounds);
  for (const fs::directory_entry& e : fs::directory_iterator(fs::path(BRENNMARK_SOURCE_DIR) / "data" / "sound"))
    if (e.path().filename() != "Buying.wav") fs::copy_file(e.path(), sounds / e.path().filename());
  tmp_->Write("data/sound/ButtonClick.wav", "RIFF, but nothing more");
  fs::current_path(tmp_->Path());
  cLogCapture log;
  InitSounds();
  EXPECT_TRUE(log.Has(L"Error while loading Buying.wav!"));
  EXPECT_TRUE(log.Has(L"Error while loading ButtonClick.wav!"));
  EXPECT_EQ(log.CountContaining(L"Error while loading"), 2);
  EXPECT_EQ(GetSound(30), nullptr);
  EXPECT_EQ(GetSound(2), nullptr);
  EXPECT_NE(GetSound(0), nullptr);
  EXPECT_NE(GetSound(29), nullptr);
}

TEST_F(SoundTest, NoSoundDeviceLeavesTheGameSilentNotEnded) {
  setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
  fs::current_path(BRENNMARK_GAME_DIR);
  cLogCapture log;
  InitSounds();
  EXPECT_TRUE(log.HasPrefix(L"WARNING: no sound device ("));
  for (int slot = 0; slot < kSoundSlots; ++slot) EXPECT_EQ(GetSound(slot), nullptr);
  int controlStandIn = 0;
  PlayControlSound(0x101, 1, reinterpret_cast<const CFWControl*>(&controlStandIn));
  PlayGameSound(L"data\\sound\\Buying.wav");
  ASSERT_NE(GetSoundDevice(), nullptr);
  EXPECT_FALSE(GetSoundDevice()->IsInitialized());
}

}  // namespace

namespace {

TEST_F(SoundTest, OtherSampleLayoutsAreConvertedForTheDevice) {
  CSoundDevice& d = Device();
  std::string stereo16;
  for (int i = 0; i < 4410; ++i) {
    PutLe(stereo16, static_cast<uint16_t>(i % 50 < 25 ? 12000 : -12000), 2);
    PutLe(stereo16, static_cast<uint16_t>(i % 40 < 20 ? 9000 : -9000), 2);
  }
  std::string float32;
  for (int i = 0; i < 2000; ++i) {
    const float v = i % 30 < 15 ? 0.5f : -0.5f;
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    PutLe(float32, bits, 4);
  }
  std::string floatFmt = FmtBody(3, 1, 48000, 32);
  PutLe(floatFmt, 0, 2);
  const struct {
    const char* name;
    std::string bytes;
    uint32_t dataBytes;
  } files[] = {
      {"stereo16.wav", Riff({{"fmt ", FmtBody(1, 2, 44100, 16)}, {"data", stereo16}}), 4410 * 4},
      {"float.wav", Riff({{"fmt ", floatFmt}, {"data", float32}}), 2000 * 4},
      // A trailing part of a frame is dropped.
      {"ragged.wav", Riff({{"fmt ", FmtBody(1, 2, 22050, 16)}, {"data", stereo16.substr(0, 4001)}}), 4001},
  };
  for (const auto& f : files) {
    SCOPED_TRACE(f.name);
    std::unique_ptr<CSound> s;
    ASSERT_EQ(d.Create(&s, WavFile(f.name, f.bytes), DSBCAPS_CTRLVOLUME, 1), S_OK);
    EXPECT_EQ(s->BufferBytes(), f.dataBytes);
    EXPECT_EQ(s->Play(0, 0, 0, -1, 0), S_OK);
    EXPECT_TRUE(s->IsBufferPlaying(0));
  }
}

}  // namespace

namespace {

// The disk driver writes what the mixer outputs to a file: the effect is
// heard at full volume and not at all at the lowest.
TEST_F(SoundTest, MixerOutputCarriesTheEffectAtItsVolume) {
  for (const int32_t volume : {DSBVOLUME_MAX, DSBVOLUME_MIN}) {
    SCOPED_TRACE(volume);
    const std::string out = tmp_->File("out" + std::to_string(-volume) + ".raw").string();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
    CSound& s = Effect(0.2, 1);
    ASSERT_EQ(AudioDeviceFormat().bitsPerSample, 8);
    ASSERT_EQ(s.Play(0, 0, volume, -1, 0), S_OK);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (s.IsBufferPlaying(0) && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    sound_.reset();
    device_.reset();
    unsetenv("SDL_DISKAUDIOFILE");
    std::ifstream in(out, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_GE(bytes.size(), 4410u);
    const auto loud = std::count_if(bytes.begin(), bytes.end(), [](char c) {
      return std::abs(static_cast<int>(static_cast<uint8_t>(c)) - 128) > 40;
    });
    if (volume == DSBVOLUME_MAX)
      EXPECT_GE(loud, 4000);  // most of the 4410 samples of the square wave
    else
      EXPECT_EQ(loud, 0);
  }
}

}  // namespace
