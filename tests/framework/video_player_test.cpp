// The video player on the generated test movie (one second: frames 0-4 red,
// 5-9 blue, a tone), on damaged files, with its sound in the mixer, and the
// renderer screen that stretches a picture over the whole window.
#include "framework/video_player.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <thread>

#include "core/text.h"
#include "platform/music_audio.h"
#include "framework/fw_state.h"
#include "platform/device.h"
#include "support/log_capture.h"
#include "support/sdl_test_support.h"
#include "support/temp_dir.h"

namespace {

const std::string kTestMovie = std::string(BRENNMARK_TEST_DATA_DIR) + "/movie/test_movie.avi";

struct sRgb {
  int r, g, b;
};
sRgb Rgb(uint32_t argb) { return {static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
                                  static_cast<int>(argb & 0xFF)}; }
::testing::AssertionResult Near(uint32_t argb, sRgb want, int tolerance = 10) {
  const sRgb got = Rgb(argb);
  if (std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
      std::abs(got.b - want.b) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got (" << got.r << ", " << got.g << ", " << got.b << ") want ("
                                       << want.r << ", " << want.g << ", " << want.b << ")";
}
constexpr sRgb kRed{200, 30, 30};
constexpr sRgb kBlue{30, 30, 200};

// Keeps what it was shown: the picture's time, the clock then, and pixels.
class cRecordingScreen : public cMovieScreen {
 public:
  struct sShown {
    double frameTime;
    double clock;
    int width, height;
    uint32_t centre, corner;
  };
  explicit cRecordingScreen(const double& clock) : clock_(clock) {}
  void ShowFrame(const sMovieFrame& f) override {
    shown.push_back({f.time, clock_, f.width, f.height, f.argb[(f.height / 2) * f.width + f.width / 2],
                     f.argb[(f.height - 1) * f.width + f.width - 1]});
  }
  std::vector<sShown> shown;

 private:
  const double& clock_;
};

class VideoPlayerTest : public ::testing::Test {
 protected:
  VideoPlayerTest() : screen_(clock_), player_(&screen_, [this] { return clock_; }) {}

  // Polls the player (as the menus do) until the condition holds; false
  // when it never does within a few seconds.
  template <typename Pred>
  bool PollUntil(Pred pred) {
    for (int i = 0; i < 2500; ++i) {
      playing_ = player_.IsPlaying();
      if (pred()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
  }
  double LastShownTime() const { return screen_.shown.empty() ? -1.0 : screen_.shown.back().frameTime; }

  double clock_ = 0.0;
  cRecordingScreen screen_;
  cVideoPlayer player_;
  bool playing_ = false;
  cLogCapture log_;
};

TEST_F(VideoPlayerTest, PlaysTheTestMovieFrameByFrameAtItsTimesToItsEnd) {
  ASSERT_TRUE(player_.Open(Utf8ToWide(kTestMovie)));
  EXPECT_EQ(player_.MovieWidth(), 160);
  EXPECT_EQ(player_.MovieHeight(), 120);
  EXPECT_FALSE(player_.IsPlaying());  // not started yet
  player_.Play();
  ASSERT_TRUE(PollUntil([&] { return !screen_.shown.empty(); }));
  EXPECT_DOUBLE_EQ(LastShownTime(), 0.0);
  EXPECT_TRUE(Near(screen_.shown.back().centre, kRed));
  EXPECT_TRUE(Near(screen_.shown.back().corner, kRed));

  // Steps of the clock, and the picture each should bring.
  const struct {
    double clock;
    double frame;
    sRgb colour;
  } steps[] = {{0.05, 0.0, kRed}, {0.1, 0.1, kRed}, {0.25, 0.2, kRed}, {0.49, 0.4, kRed},
               {0.5, 0.5, kBlue}, {0.61, 0.6, kBlue}, {0.95, 0.9, kBlue}};
  for (const auto& s : steps) {
    clock_ = s.clock;
    ASSERT_TRUE(PollUntil([&] { return std::abs(LastShownTime() - s.frame) < 1e-6; })) << s.clock;
    EXPECT_TRUE(playing_) << s.clock;
    EXPECT_TRUE(Near(screen_.shown.back().centre, s.colour)) << s.clock;
  }
  // Never a picture before its time, and each one later than the one before.
  for (size_t i = 0; i < screen_.shown.size(); ++i) {
    EXPECT_LE(screen_.shown[i].frameTime, screen_.shown[i].clock + 1e-9);
    if (i > 0) {
      EXPECT_GT(screen_.shown[i].frameTime, screen_.shown[i - 1].frameTime);
    }
  }
  const size_t shownBefore = screen_.shown.size();
  clock_ = 1.0;  // the last picture's time is over: the movie has ended
  EXPECT_TRUE(PollUntil([&] { return !playing_; }));
  EXPECT_EQ(screen_.shown.size(), shownBefore);
  EXPECT_FALSE(player_.IsPlaying());
}

TEST_F(VideoPlayerTest, StopEndsPlayingAtOnceEvenWithTheQueueFull) {
  ASSERT_TRUE(player_.Open(Utf8ToWide(kTestMovie)));
  player_.Play();
  ASSERT_TRUE(PollUntil([&] { return !screen_.shown.empty(); }));
  // The clock stands still: the worker fills its queue and waits; the stop
  // must release it (a hang here fails the test by its time limit).
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  player_.Stop();
  EXPECT_FALSE(player_.IsPlaying());
  clock_ = 0.5;
  EXPECT_FALSE(player_.IsPlaying());
  EXPECT_EQ(screen_.shown.size(), 1u);
  player_.Stop();  // a second stop changes nothing
  player_.Play();  // nor does a play after the stop
  EXPECT_FALSE(player_.IsPlaying());
}

TEST_F(VideoPlayerTest, MissingFileWritesItsLineAndNothingPlays) {
  const std::wstring name = L"data\\no_such_movie.avi";
  EXPECT_FALSE(player_.Open(name));
  EXPECT_TRUE(log_.Has(L"-----Could not open video file: data\\no_such_movie.avi"));
  player_.SetVolume(50);
  player_.Play();
  EXPECT_FALSE(player_.IsPlaying());
  player_.Stop();
  EXPECT_TRUE(screen_.shown.empty());
}

TEST_F(VideoPlayerTest, DamagedFilesNeverCrashAndAlwaysEnd) {
  cTempDir dir("movie");
  std::ifstream in(kTestMovie, std::ios::binary);
  const std::string good((std::istreambuf_iterator<char>(in)), {});
  ASSERT_GT(good.size(), 4000u);
  std::string scrambled = good;
  for (size_t i = good.size() / 3; i < good.size() * 2 / 3; i += 7) scrambled[i] = static_cast<char>(scrambled[i] ^ 0x5A);
  const std::pair<const char*, std::string> files[] = {
      {"empty.avi", ""},
      {"junk.avi", std::string(3000, '\x42')},
      {"header_only.avi", good.substr(0, 300)},
      {"half.avi", good.substr(0, good.size() / 2)},
      {"scrambled.avi", scrambled},
  };
  int opened = 0;
  for (const auto& [name, bytes] : files) {
    dir.Write(name, bytes);
    double clock = 0.0;
    cRecordingScreen screen(clock);
    cVideoPlayer p(&screen, [&] { return clock; });
    log_.Clear();
    if (!p.Open(dir.WidePath(name))) {
      EXPECT_EQ(log_.CountContaining(L"-----Could not open video file: "), 1) << name;
      continue;
    }
    ++opened;
    p.Play();
    bool ended = false;
    for (int i = 0; i < 2000 && !ended; ++i) {
      clock += 0.01;
      ended = !p.IsPlaying();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(ended) << name;
  }
  EXPECT_GE(opened, 1);  // the cut and scrambled copies still play what they hold
}

TEST_F(VideoPlayerTest, ClosingTheWindowAbortsTheMovie) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0);
  ASSERT_TRUE(player_.Open(Utf8ToWide(kTestMovie)));
  player_.Play();
  EXPECT_TRUE(player_.IsPlaying());
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  ASSERT_EQ(SDL_PushEvent(&quit), 1);
  EXPECT_FALSE(player_.IsPlaying());
  SDL_Event e;
  EXPECT_EQ(SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_QUIT, SDL_QUIT), 1);  // left for the main loop
  SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

TEST(VideoVolume, ClampsAndMapsToHundredthsOfADecibel) {
  cVideoPlayer p(nullptr);
  const std::pair<int, int> cases[] = {{150, 0}, {100, 0}, {50, -5000}, {1, -9900}, {0, -10000}, {-5, -10000}};
  for (const auto& [volume, db] : cases) {
    p.SetVolume(volume);
    EXPECT_EQ(p.SoundVolume(), db) << volume;
  }
  EXPECT_FLOAT_EQ(MovieSoundGain(0), 1.0f);
  EXPECT_FLOAT_EQ(MovieSoundGain(-2000), 0.1f);
  EXPECT_FLOAT_EQ(MovieSoundGain(-10000), 0.0f);
}

template <typename T>
std::vector<T> Mixed(std::vector<T> into, const std::vector<T>& sound, int bits, bool isFloat, float gain) {
  sAudioFormat f;
  f.frequency = 22050;
  f.channels = 1;
  f.bitsPerSample = bits;
  f.isFloat = isFloat;
  EXPECT_TRUE(MixMovieSound(reinterpret_cast<uint8_t*>(into.data()), reinterpret_cast<const uint8_t*>(sound.data()),
                            into.size() * sizeof(T), f, gain));
  return into;
}

TEST(MovieSound, MixesEveryDeviceLayoutWithGainAndSaturates) {
  // Unsigned 8-bit (the effects' mono 22050 Hz device): silence is 128.
  EXPECT_EQ(Mixed<uint8_t>({128, 200, 50, 128}, {128, 200, 0, 255}, 8, false, 1.0f),
            (std::vector<uint8_t>{128, 255, 0, 255}));
  EXPECT_EQ(Mixed<uint8_t>({128, 100}, {228, 28}, 8, false, 0.5f), (std::vector<uint8_t>{178, 50}));
  EXPECT_EQ(Mixed<int16_t>({100, 30000, -30000, 0}, {200, 10000, -10000, -7}, 16, false, 0.5f),
            (std::vector<int16_t>{200, 32767, -32768, -4}));  // -3.5 rounds away from zero
  EXPECT_EQ(Mixed<int32_t>({2000000000, -5}, {2000000000, 10}, 32, false, 1.0f),
            (std::vector<int32_t>{INT32_MAX, 5}));
  EXPECT_EQ(Mixed<float>({0.5f, -0.9f, 0.1f}, {0.8f, -0.8f, 0.2f}, 32, true, 1.0f),
            (std::vector<float>{1.0f, -1.0f, 0.1f + 0.2f}));
  EXPECT_EQ(Mixed<int16_t>({7}, {1000}, 16, false, 0.0f), (std::vector<int16_t>{7}));  // silenced
  sAudioFormat odd;
  odd.bitsPerSample = 24;
  uint8_t b[3] = {1, 2, 3};
  EXPECT_FALSE(MixMovieSound(b, b, 3, odd, 1.0f));
}

TEST(MovieSound, GoesIntoTheMixerBesideTheMusicWithoutAChannel) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  // The sound effects' device: mono, 22050 samples a second, 8 bits.
  sAudioFormat effects;
  effects.frequency = 22050;
  effects.channels = 1;
  effects.bitsPerSample = 8;
  std::string error;
  ASSERT_TRUE(AudioOpen(effects, error)) << error;
  std::unique_ptr<cMusicDevice> device = OpenMusicDevice();
  ASSERT_NE(device, nullptr);
  cTempDir dir("moviesound");
  {
    // A looping music track, to see that the movie leaves it alone.
    std::string wav = "RIFF";
    auto le = [&wav](uint32_t v, int n) {
      for (int i = 0; i < n; ++i) wav.push_back(static_cast<char>(v >> (8 * i)));
    };
    le(36 + 4000, 4);
    wav += "WAVEfmt ";
    for (uint32_t v : {16u, 1u | (1u << 16), 8000u, 8000u, 1u | (8u << 16)}) le(v, 4);
    wav += "data";
    le(4000, 4);
    wav += std::string(4000, '\x80');
    dir.Write("loop.wav", wav);
  }
  auto music = device->OpenStreamedSound(dir.File("loop.wav").string(), eMusicChannel::kTrack);
  ASSERT_NE(music, nullptr);
  music->SetRepeat(true);
  music->SetVolume(0.8f);
  music->Play();

  cVideoPlayer p(nullptr);  // the real clock: the mixer pulls the sound in time
  ASSERT_TRUE(p.Open(Utf8ToWide(kTestMovie)));
  p.SetVolume(80);
  p.Play();
  EXPECT_TRUE(p.HasSound());
  for (int i = 0; i < 1000 && p.SoundBytesMixed() == 0; ++i) {
    p.IsPlaying();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_GT(p.SoundBytesMixed(), 0u);
  EXPECT_TRUE(music->IsPlaying());
  EXPECT_EQ(Mix_VolumeMusic(-1), MixerVolume(0.8f));
  EXPECT_EQ(Mix_Playing(-1), 0);  // no channel was taken
  p.Stop();
  const size_t mixed = p.SoundBytesMixed();
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(p.SoundBytesMixed(), mixed);
  EXPECT_TRUE(music->IsPlaying());
  music.reset();
  device.reset();
  EXPECT_TRUE(AudioIsOpen());  // the music shared the effects' device and left it open
  AudioClose();
}

TEST(RendererMovieScreen, StretchesThePictureOverAWindowOfAnotherShape) {
  SDL_Surface* target = SDL_CreateRGBSurfaceWithFormat(0, 320, 100, 32, SDL_PIXELFORMAT_ARGB8888);
  ASSERT_NE(target, nullptr);
  SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(target);
  ASSERT_NE(renderer, nullptr);
  SDL_Renderer* current = renderer;
  {
    cRendererMovieScreen screen([&] { return current; });
    // A 2 x 2 picture: one colour per quarter.
    sMovieFrame f;
    f.width = 2;
    f.height = 2;
    f.argb = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
    SDL_RenderSetClipRect(renderer, nullptr);
    screen.ShowFrame(f);
    auto at = [&](int x, int y) {
      return static_cast<const uint32_t*>(target->pixels)[y * (target->pitch / 4) + x] | 0xFF000000u;
    };
    EXPECT_EQ(at(0, 0), 0xFFFF0000u);
    EXPECT_EQ(at(319, 0), 0xFF00FF00u);
    EXPECT_EQ(at(0, 99), 0xFF0000FFu);
    EXPECT_EQ(at(319, 99), 0xFFFFFFFFu);
    EXPECT_EQ(at(159, 49), 0xFFFF0000u);
    EXPECT_EQ(at(160, 50), 0xFFFFFFFFu);

    // The test movie's first picture fills the surface too.
    double clock = 0.0;
    cVideoPlayer p(&screen, [&] { return clock; });
    ASSERT_TRUE(p.Open(Utf8ToWide(kTestMovie)));
    p.Play();
    for (int i = 0; i < 2000 && p.FramesShown() == 0; ++i) {
      p.IsPlaying();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(p.FramesShown(), 1);
    for (auto [x, y] : {std::pair{0, 0}, {319, 99}, {160, 50}}) EXPECT_TRUE(Near(at(x, y), kRed)) << x << "," << y;
    current = nullptr;  // the device lost its renderer: nothing is drawn, nothing breaks
    screen.ShowFrame(f);
  }
  SDL_DestroyRenderer(renderer);
  SDL_FreeSurface(target);
}

// The shipped movies, opened by the names the menus use, play to their end.
TEST(ShippedMovies, OpenByTheirGameNamesAndPlayToTheEnd) {
  const std::filesystem::path old = std::filesystem::current_path();
  std::filesystem::current_path(BRENNMARK_GAME_DIR);
  for (const wchar_t* name : {L"data\\intro.avi", L"data\\intro2.avi", L"data\\intro3.avi", L"data\\credits.avi"}) {
    double clock = 0.0;
    cVideoPlayer p(nullptr, [&] { return clock; });
    ASSERT_TRUE(p.Open(name)) << WideToUtf8(name);
    EXPECT_GT(p.MovieWidth(), 0);
    p.Play();
    bool ended = false;
    for (int i = 0; i < 3000 && !ended; ++i) {
      clock += 0.02;
      ended = !p.IsPlaying();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(ended) << WideToUtf8(name);
    EXPECT_GE(p.FramesShown(), 10) << WideToUtf8(name);
    EXPECT_LE(clock, 6.0) << WideToUtf8(name);  // a few seconds each
  }
  std::filesystem::current_path(old);
}

}  // namespace

namespace {

// The player made without a screen draws on the framework's device.
class DeviceVideoTest : public sdl_test::DeviceWindowTest {
 protected:
  DeviceVideoTest() {
    backBufferWidth = 320;
    backBufferHeight = 240;
  }
  void SetUp() override {
    sdl_test::DeviceWindowTest::SetUp();
    if (HasFatalFailure()) return;
    FWSetD3DDevice(device);
  }
  void TearDown() override {
    FWSetD3DDevice(nullptr);
    sdl_test::DeviceWindowTest::TearDown();
  }
};

TEST_F(DeviceVideoTest, TheMovieFillsTheWindowAndFollowsTheDeviceThroughAReset) {
  cVideoPlayer p;
  ASSERT_TRUE(p.Open(Utf8ToWide(kTestMovie)));
  p.Play();
  auto waitForNextFrame = [&p] {
    const int before = p.FramesShown();
    for (int i = 0; i < 2000 && p.FramesShown() == before && p.IsPlaying(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return p.FramesShown() > before;
  };
  ASSERT_TRUE(waitForNextFrame());
  // A 160 x 120 movie in a 320 x 240 window: red from corner to corner.
  for (auto [x, y] : {std::pair{0, 0}, {319, 0}, {0, 239}, {319, 239}, {160, 120}})
    EXPECT_TRUE(Near(sdl_test::PixelAt(device, x, y), kRed)) << x << "," << y;

  // Lost: the movie runs on and draws nothing; after the reset it draws on
  // the device's new renderer.
  device->ForceDeviceLoss();
  ASSERT_TRUE(waitForNextFrame());
  ASSERT_EQ(device->Reset(device->PresentParameters()), S_OK);
  device->Clear(0xFF00FF00u);
  ASSERT_TRUE(waitForNextFrame());
  const uint32_t centre = sdl_test::PixelAt(device, 160, 120);
  EXPECT_TRUE(Near(centre, kRed) || Near(centre, kBlue));
  for (auto [x, y] : {std::pair{0, 0}, {319, 239}}) EXPECT_EQ(sdl_test::PixelAt(device, x, y), centre);
  p.Stop();
}

}  // namespace
