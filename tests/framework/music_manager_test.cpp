// The music manager over a recording sound layer (play-list walk, volume,
// single file), its play-lists reader, and the SDL2_mixer layer under the
// dummy audio driver with the shipped music data.
#include "framework/music_manager.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <map>
#include <thread>

#include "core/paths.h"
#include "core/random.h"
#include "core/text_file.h"
#include "platform/audio.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"

namespace {

// What the recording layer saw, shared by the device and its streams.
struct sMusicLog {
  std::vector<std::string> events;  // "open X", "play X", "stop X", "release X"
  std::map<std::string, float> volume;
  std::map<std::string, bool> repeat;
  std::map<std::string, bool> playing;
  int Count(const std::string& e) const { return static_cast<int>(std::count(events.begin(), events.end(), e)); }
};

class cRecordingStream : public cMusicStream {
 public:
  cRecordingStream(sMusicLog& log, std::string name) : log_(log), name_(std::move(name)) {}
  ~cRecordingStream() override {
    log_.playing[name_] = false;
    log_.events.push_back("release " + name_);
  }
  void Play() override {
    log_.playing[name_] = true;
    log_.events.push_back("play " + name_);
  }
  void Stop() override {
    log_.playing[name_] = false;
    log_.events.push_back("stop " + name_);
  }
  bool IsPlaying() override { return log_.playing[name_]; }
  void SetRepeat(bool r) override { log_.repeat[name_] = r; }
  void SetVolume(float v) override { log_.volume[name_] = v; }

 private:
  sMusicLog& log_;
  std::string name_;
};

// Files whose name begins with "bad" cannot be opened.
class cRecordingDevice : public cMusicDevice {
 public:
  explicit cRecordingDevice(sMusicLog& log) : log_(log) {}
  std::unique_ptr<cMusicStream> OpenStreamedSound(const std::string& file, eMusicChannel channel) override {
    if (file.rfind("bad", 0) == 0) return nullptr;
    const std::string name = (channel == eMusicChannel::kSingleFile ? "single:" : "") + file;
    log_.events.push_back("open " + name);
    return std::make_unique<cRecordingStream>(log_, name);
  }

 private:
  sMusicLog& log_;
};

class MusicManagerTest : public ::testing::Test {
 protected:
  void SetUp() override { SeedRandom(12345); }

  // Writes the play-lists file and the given play-list files (name -> lines).
  std::unique_ptr<MusicManager> Make(const std::string& playlists,
                                     const std::map<std::string, std::string>& lists = {}, float volume = 0.5f) {
    for (const auto& [name, text] : lists) dir_.Write(name, text);
    dir_.Write("playlists.csv", playlists);
    return std::make_unique<MusicManager>(std::make_unique<cRecordingDevice>(log_), volume,
                                          dir_.File("playlists.csv").string());
  }
  std::string P(const std::string& name) const { return dir_.File(name).string(); }

  cTempDir dir_{"music"};
  sMusicLog log_;
  cLogCapture console_;
};

TEST(PlaylistLine, TakesOnlyLinesWithAnInnerSemicolonAndAnIntegerId) {
  struct sCase {
    const char* line;
    bool taken;
    int id;
    const char* file;
  } cases[] = {
      {"3;music/a.txt", true, 3, "music/a.txt"},
      {"-1;default.txt", true, -1, "default.txt"},
      {"5;a;b.txt", true, 5, "a;b.txt"},  // the file is everything after the first ";"
      {";3;a.txt", false, 0, ""},
      {"3;", false, 0, ""},
      {"3 a.txt", false, 0, ""},
      {"#3;a.txt", false, 0, ""},
      {"", false, 0, ""},
      {"x;a.txt", false, 0, ""},
      {"3x;a.txt", false, 0, ""},
      {"99999999999;a.txt", false, 0, ""},
  };
  for (const sCase& c : cases) {
    int id = 0;
    std::string file;
    EXPECT_EQ(ParsePlaylistLine(c.line, id, file), c.taken) << c.line;
    if (c.taken) {
      EXPECT_EQ(id, c.id) << c.line;
      EXPECT_EQ(file, c.file) << c.line;
    }
  }
}

TEST_F(MusicManagerTest, ReadsPlaylistsKeepingTheFirstFileOfARepeatedId) {
  auto m = Make("# comment\r\n; also a comment\r\n\r\n3;three.txt\r\n5;first.txt\r\n5;second.txt\r\n3;\r\nnone\r\n");
  ASSERT_EQ(m->Playlists().size(), 2u);
  EXPECT_EQ(m->Playlists().at(3), "three.txt");
  EXPECT_EQ(m->Playlists().at(5), "first.txt");
  EXPECT_EQ(console_.CountContaining(L"three.txt"), 1);
  EXPECT_EQ(console_.CountContaining(L"second.txt"), 0);
  EXPECT_EQ(m->CurrentPlaylist(), -2);
  EXPECT_EQ(m->CurrentTrack(), -1);
}

TEST_F(MusicManagerTest, WithoutPlaylistsFileNothingPlays) {
  MusicManager m(std::make_unique<cRecordingDevice>(log_), 1.0f, P("absent.csv"));
  EXPECT_TRUE(console_.HasPrefix(L"error:_could_not_open_file_data/music/playlists.csv") ||
              console_.HasPrefix(L"Error: could not open file"));
  EXPECT_FALSE(m.PlayPlaylist(-1));
  m.PlayNextTrack();
  EXPECT_TRUE(log_.events.empty());
}

TEST_F(MusicManagerTest, TwoTracksAlternateAndPlayNextWaitsForTheEnd) {
  auto m = Make("-1;" + P("d.txt") + "\r\n", {{"d.txt", "a.wav\r\nb.wav\r\n"}});
  ASSERT_TRUE(m->PlayPlaylist(-1));
  ASSERT_EQ(m->TrackCount(), 2u);
  EXPECT_FALSE(log_.repeat["a.wav"]);
  EXPECT_FLOAT_EQ(log_.volume["b.wav"], 0.5f);
  const char* names[] = {"a.wav", "b.wav"};
  int track = m->CurrentTrack();
  ASSERT_TRUE(log_.playing[names[track]]);
  for (int i = 0; i < 20; ++i) {
    m->PlayNextTrack();  // still playing: nothing changes
    EXPECT_EQ(m->CurrentTrack(), track);
    log_.playing[names[track]] = false;  // the track ends
    m->PlayNextTrack();
    EXPECT_EQ(m->CurrentTrack(), 1 - track);
    track = m->CurrentTrack();
    EXPECT_TRUE(log_.playing[names[track]]);
  }
  EXPECT_EQ(log_.Count("play a.wav") + log_.Count("play b.wav"), 21);
}

TEST_F(MusicManagerTest, OneTrackPlaysAgainAndTheCurrentListIsNotRestarted) {
  auto m = Make("-1;" + P("d.txt") + "\r\n7;" + P("e.txt") + "\r\n",
                {{"d.txt", "only.wav\r\n"}, {"e.txt", "x.wav\r\ny.wav\r\n"}});
  ASSERT_TRUE(m->PlayPlaylist(-1));
  EXPECT_TRUE(m->PlayPlaylist(-1));
  EXPECT_EQ(log_.Count("open only.wav"), 1);
  EXPECT_EQ(log_.Count("play only.wav"), 1);
  log_.playing["only.wav"] = false;
  m->PlayNextTrack();
  EXPECT_EQ(m->CurrentTrack(), 0);
  EXPECT_EQ(log_.Count("play only.wav"), 2);
  // Another list releases the old tracks (which stops them).
  ASSERT_TRUE(m->PlayPlaylist(7));
  EXPECT_EQ(log_.Count("release only.wav"), 1);
  EXPECT_EQ(m->CurrentPlaylist(), 7);
  EXPECT_FALSE(m->PlayPlaylist(8));
  EXPECT_EQ(m->CurrentPlaylist(), 7);
}

TEST_F(MusicManagerTest, EmptyOrUnreadableListPlaysNothingAndDoesNotLoop) {
  auto m = Make("1;" + P("empty.txt") + "\r\n2;" + P("gone.txt") + "\r\n-1;" + P("d.txt") + "\r\n",
                {{"empty.txt", "; nothing here\r\nbad1.wav\r\n\r\nbad2.ogg\r\n"}, {"d.txt", "a.wav\r\n"}});
  ASSERT_TRUE(m->PlayPlaylist(-1));
  ASSERT_TRUE(m->PlayPlaylist(1));
  EXPECT_EQ(console_.CountContaining(L"do pliku bad1.wav"), 1);
  EXPECT_EQ(console_.CountContaining(L"do pliku bad2.ogg"), 1);
  EXPECT_EQ(m->TrackCount(), 0u);
  EXPECT_EQ(m->CurrentTrack(), -1);
  EXPECT_EQ(log_.Count("release a.wav"), 1);
  const size_t before = log_.events.size();
  for (int i = 0; i < 5; ++i) m->PlayNextTrack();
  EXPECT_EQ(log_.events.size(), before);
  ASSERT_TRUE(m->PlayPlaylist(2));  // the list file itself is missing
  EXPECT_EQ(m->CurrentTrack(), -1);
  m->PlayNextTrack();
  EXPECT_EQ(log_.events.size(), before);
}

TEST_F(MusicManagerTest, NextTrackIsUniformAmongTheOthers) {
  auto m = Make("-1;" + P("d.txt") + "\r\n", {{"d.txt", "a\r\nb\r\nc\r\n"}});
  ASSERT_TRUE(m->PlayPlaylist(-1));
  int fromNone[3] = {0, 0, 0};
  int fromFirst[3] = {0, 0, 0};
  int fromLast[3] = {0, 0, 0};
  const int draws = 6000;
  for (int i = 0; i < draws; ++i) {
    ++fromNone[m->PickNextTrackIndex(-1)];
    ++fromFirst[m->PickNextTrackIndex(0)];
    ++fromLast[m->PickNextTrackIndex(2)];
  }
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(fromNone[k], draws / 3, draws / 20) << k;
  EXPECT_EQ(fromFirst[0], 0);
  EXPECT_NEAR(fromFirst[2], draws / 2, draws / 20);  // the last track has its full share
  EXPECT_EQ(fromLast[2], 0);
  EXPECT_NEAR(fromLast[0], draws / 2, draws / 20);
}

TEST_F(MusicManagerTest, VolumeReachesEveryTrackAndTheSingleFile) {
  auto m = Make("-1;" + P("d.txt") + "\r\n", {{"d.txt", "a\r\nb\r\n"}}, 0.75f);
  ASSERT_TRUE(m->PlayPlaylist(-1));
  m->PlaySpecificFile("intro.wav", true);
  EXPECT_FLOAT_EQ(log_.volume["single:intro.wav"], 0.75f);
  EXPECT_TRUE(log_.repeat["single:intro.wav"]);
  m->SetVolume(0.0f);  // muted
  for (const char* s : {"a", "b", "single:intro.wav"}) EXPECT_FLOAT_EQ(log_.volume[s], 0.0f) << s;
  m->SetVolume(0.75f);  // the setting again
  for (const char* s : {"a", "b", "single:intro.wav"}) EXPECT_FLOAT_EQ(log_.volume[s], 0.75f) << s;
  EXPECT_FLOAT_EQ(m->Volume(), 0.75f);
}

TEST_F(MusicManagerTest, SingleFileBesideTheListReplacedAndStopped) {
  auto m = Make("-1;" + P("d.txt") + "\r\n", {{"d.txt", "a\r\n"}});
  ASSERT_TRUE(m->PlayPlaylist(-1));
  m->PlaySpecificFile("one.wav", false);
  EXPECT_TRUE(log_.playing["a"]);  // the list keeps playing beside it
  EXPECT_TRUE(log_.playing["single:one.wav"]);
  m->PlaySpecificFile("two.wav", false);
  EXPECT_EQ(log_.Count("release single:one.wav"), 1);
  EXPECT_TRUE(log_.playing["single:two.wav"]);

  console_.Clear();
  m->StopSpecificFile();
  EXPECT_EQ(console_.Lines(), (std::vector<std::wstring>{L"MusicManager: Stop specific file",
                                                         L"MusicManager: Really stop specific file",
                                                         L"MusicManager: Done"}));
  EXPECT_FALSE(m->HasSingleFile());
  EXPECT_TRUE(log_.playing["a"]);
  console_.Clear();
  m->StopSpecificFile();  // nothing left to stop
  EXPECT_EQ(console_.Lines(), (std::vector<std::wstring>{L"MusicManager: Stop specific file", L"MusicManager: Done"}));

  console_.Clear();
  m->PlaySpecificFile("bad.wav", true);
  EXPECT_EQ(console_.Lines(), (std::vector<std::wstring>{L"MusicManager: Open specific file", L"MusicManager: Done"}));
  EXPECT_FALSE(m->HasSingleFile());
}

// ---- The SDL2_mixer layer ---------------------------------------------------

TEST(MixerVolume, MapsZeroToOneOntoTheMixerSteps) {
  const std::pair<float, int> cases[] = {{0.0f, 0}, {1.0f, 128}, {0.5f, 64}, {0.25f, 32}, {0.004f, 1},
                                         {0.003f, 0}, {-0.5f, 0}, {1.5f, 128}, {NAN, 0}};
  for (const auto& [v, expected] : cases) EXPECT_EQ(MixerVolume(v), expected) << v;
}

// A WAV of 8-bit mono PCM, samples of a square wave.
std::string SquareWav(int rate, int samples) {
  std::string s = "RIFF";
  auto le = [&s](uint32_t v, int n) {
    for (int i = 0; i < n; ++i) s.push_back(static_cast<char>(v >> (8 * i)));
  };
  le(36 + samples, 4);
  s += "WAVEfmt ";
  for (uint32_t v : {16u, 1u | (1u << 16), static_cast<uint32_t>(rate), static_cast<uint32_t>(rate), 1u | (8u << 16)})
    le(v, 4);
  s += "data";
  le(samples, 4);
  for (int i = 0; i < samples; ++i) s.push_back(static_cast<char>((i / 20) % 2 ? 200 : 56));
  return s;
}

class MixerLayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    device_ = OpenMusicDevice();
    ASSERT_NE(device_, nullptr);
  }
  void TearDown() override { device_.reset(); }

  static bool WaitUntilStopped(cMusicStream& s) {
    for (int i = 0; i < 300 && s.IsPlaying(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return !s.IsPlaying();
  }

  cTempDir dir_{"mixer"};
  std::unique_ptr<cMusicDevice> device_;
};

TEST_F(MixerLayerTest, TrackAndSingleFilePlayTogetherWithTheirOwnVolumes) {
  dir_.Write("t.wav", SquareWav(11025, 2205));  // 0.2 s
  dir_.Write("s.wav", SquareWav(11025, 22050));
  auto track = device_->OpenStreamedSound(dir_.File("t.wav").string(), eMusicChannel::kTrack);
  auto single = device_->OpenStreamedSound(dir_.File("s.wav").string(), eMusicChannel::kSingleFile);
  ASSERT_NE(track, nullptr);
  ASSERT_NE(single, nullptr);
  EXPECT_FALSE(track->IsPlaying());
  track->SetVolume(0.25f);
  single->SetVolume(1.0f);
  track->Play();
  single->Play();
  EXPECT_TRUE(track->IsPlaying());
  EXPECT_TRUE(single->IsPlaying());
  EXPECT_EQ(Mix_VolumeMusic(-1), 32);
  // The single file owns one channel of the device: the one sounding now.
  ASSERT_EQ(Mix_Playing(-1), 1);
  int channel = 0;
  while (!AudioChannelPlaying(channel)) ++channel;
  EXPECT_EQ(AudioChannelVolume(channel), 128);
  single->SetVolume(0.5f);
  EXPECT_EQ(AudioChannelVolume(channel), 64);
  // A sound effect's buffer gets a channel of its own, never that one.
  const int effect = AudioReserveChannel();
  EXPECT_GE(effect, 0);
  EXPECT_NE(effect, channel);
  AudioReleaseChannel(effect);
  EXPECT_TRUE(WaitUntilStopped(*track));  // a track without repeat ends by itself
  EXPECT_TRUE(single->IsPlaying());
  single->Stop();
  EXPECT_FALSE(single->IsPlaying());
  single.reset();
  EXPECT_FALSE(AudioChannelPlaying(channel));
}

TEST_F(MixerLayerTest, RepeatKeepsPlayingAndAnotherTrackTakesTheStream) {
  dir_.Write("t.wav", SquareWav(11025, 1100));  // 0.1 s
  auto a = device_->OpenStreamedSound(dir_.File("t.wav").string(), eMusicChannel::kTrack);
  auto b = device_->OpenStreamedSound(dir_.File("t.wav").string(), eMusicChannel::kTrack);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  a->SetRepeat(true);
  a->Play();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_TRUE(a->IsPlaying());
  b->Play();
  EXPECT_FALSE(a->IsPlaying());
  EXPECT_TRUE(b->IsPlaying());
  a.reset();  // releasing a stream that no longer plays leaves the other alone
  EXPECT_TRUE(b->IsPlaying());
  b.reset();
  EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(MixerLayerTest, MissingOrDamagedFilesDoNotOpen) {
  dir_.Write("junk.wav", std::string("RIFF\x10\0\0\0WAVEjunk", 16));
  dir_.Write("short.wav", SquareWav(11025, 100).substr(0, 30));
  for (const char* f : {"absent.wav", "junk.wav", "short.wav"})
    for (eMusicChannel c : {eMusicChannel::kTrack, eMusicChannel::kSingleFile})
      EXPECT_EQ(device_->OpenStreamedSound(dir_.File(f).string(), c), nullptr) << f;
}

// Runs the body in the assembled game folder, the program's working directory.
class ShippedMusicTest : public MixerLayerTest {
 protected:
  void SetUp() override {
    MixerLayerTest::SetUp();
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(BRENNMARK_GAME_DIR);
  }
  void TearDown() override {
    std::filesystem::current_path(old_);
    MixerLayerTest::TearDown();
  }
  std::filesystem::path old_;
};

TEST_F(ShippedMusicTest, PlaylistsAndTheMenusFilesResolveUnderBothSpellings) {
  // The menus spell the folder "data/music", the play lists "data/Music".
  EXPECT_TRUE(FileExists(L"data/music/playlists.csv"));
  EXPECT_TRUE(FileExists(L"data/Music/playlists.csv"));
  for (const char* f : {"data/music/IntroLogo.wav", "data/music/IntroGameLogo.wav", "data/music/MainMenuMusicLoop.wav",
                        "data/credits.ogg"})
    EXPECT_NE(device_->OpenStreamedSound(f, eMusicChannel::kSingleFile), nullptr) << f;
  cLogCapture log;
  MusicManager m(std::move(device_), 0.5f, "data/music/playlists.csv");
  ASSERT_TRUE(m.PlayPlaylist(-1));
  EXPECT_EQ(m.TrackCount(), 3u);
  EXPECT_EQ(log.CountContaining(L"ERROR"), 0);
  EXPECT_GE(m.CurrentTrack(), 0);
}

}  // namespace
