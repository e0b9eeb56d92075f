#include "platform/music_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>

#include "core/console.h"
#include "core/paths.h"
#include "core/text.h"

int MixerVolume(float volume) {
  if (!(volume > 0.0f)) return 0;  // NaN and negatives are silence
  if (volume >= 1.0f) return MIX_MAX_VOLUME;
  return static_cast<int>(std::lround(volume * MIX_MAX_VOLUME));
}

namespace {

// The track stream that owns the mixer's music stream right now, so that a
// stream that was replaced by another does not answer "playing".
class cTrackStream;
cTrackStream* gMusicOwner = nullptr;

class cTrackStream : public cMusicStream {
 public:
  explicit cTrackStream(Mix_Music* music) : music_(music) {}
  ~cTrackStream() override {
    Stop();
    Mix_FreeMusic(music_);
  }
  void Play() override {
    gMusicOwner = this;
    Mix_VolumeMusic(MixerVolume(volume_));
    // Loops: -1 forever, 0 once.
    if (Mix_PlayMusic(music_, repeat_ ? -1 : 0) != 0) {
      gMusicOwner = nullptr;
      LogLine(L"MusicManager: " + Utf8ToWide(Mix_GetError()));
    }
  }
  void Stop() override {
    if (gMusicOwner != this) return;
    Mix_HaltMusic();
    gMusicOwner = nullptr;
  }
  bool IsPlaying() override { return gMusicOwner == this && Mix_PlayingMusic() != 0; }
  void SetRepeat(bool repeat) override { repeat_ = repeat; }
  void SetVolume(float volume) override {
    volume_ = volume;
    if (gMusicOwner == this) Mix_VolumeMusic(MixerVolume(volume_));
  }

 private:
  Mix_Music* music_;
  bool repeat_ = false;
  float volume_ = 1.0f;
};

class cSingleFileStream : public cMusicStream {
 public:
  explicit cSingleFileStream(Mix_Chunk* chunk) : chunk_(chunk) {}
  ~cSingleFileStream() override {
    Stop();
    Mix_FreeChunk(chunk_);
  }
  void Play() override {
    Mix_Volume(kMusicSingleFileChannel, MixerVolume(volume_));
    if (Mix_PlayChannel(kMusicSingleFileChannel, chunk_, repeat_ ? -1 : 0) < 0)
      LogLine(L"MusicManager: " + Utf8ToWide(Mix_GetError()));
  }
  void Stop() override {
    if (Mine()) Mix_HaltChannel(kMusicSingleFileChannel);
  }
  bool IsPlaying() override { return Mine() && Mix_Playing(kMusicSingleFileChannel) != 0; }
  void SetRepeat(bool repeat) override { repeat_ = repeat; }
  void SetVolume(float volume) override {
    volume_ = volume;
    if (Mine()) Mix_Volume(kMusicSingleFileChannel, MixerVolume(volume_));
  }

 private:
  bool Mine() const { return Mix_GetChunk(kMusicSingleFileChannel) == chunk_; }
  Mix_Chunk* chunk_;
  bool repeat_ = false;
  float volume_ = 1.0f;
};

class cMixerMusicDevice : public cMusicDevice {
 public:
  ~cMixerMusicDevice() override {
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  std::unique_ptr<cMusicStream> OpenStreamedSound(const std::string& file, eMusicChannel channel) override {
    const std::string path = NativePath(file);
    if (channel == eMusicChannel::kTrack) {
      Mix_Music* m = Mix_LoadMUS(path.c_str());
      if (m == nullptr) return nullptr;
      return std::make_unique<cTrackStream>(m);
    }
    Mix_Chunk* c = Mix_LoadWAV(path.c_str());
    if (c == nullptr) return nullptr;
    return std::make_unique<cSingleFileStream>(c);
  }
};

}  // namespace

std::unique_ptr<cMusicDevice> OpenMusicDevice() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    LogLine(L"MusicManager: no audio device: " + Utf8ToWide(SDL_GetError()));
    return nullptr;
  }
  Mix_Init(MIX_INIT_OGG);
  int frequency = 0;
  Uint16 format = 0;
  int channels = 0;
  // Opening with the format the mixer already has only counts one more user.
  const bool open = Mix_QuerySpec(&frequency, &format, &channels) != 0;
  const int result = open ? Mix_OpenAudio(frequency, format, channels, 2048)
                          : Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 2048);
  if (result != 0) {
    LogLine(L"MusicManager: no audio device: " + Utf8ToWide(Mix_GetError()));
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  if (Mix_AllocateChannels(-1) <= kMusicSingleFileChannel) Mix_AllocateChannels(MIX_CHANNELS);
  Mix_ReserveChannels(kMusicSingleFileChannel + 1);
  return std::make_unique<cMixerMusicDevice>();
}
