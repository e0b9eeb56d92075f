#include "platform/music_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>

#include "core/console.h"
#include "core/paths.h"
#include "core/text.h"
#include "platform/audio.h"

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

// Owns its channel, so nothing else plays on it.
class cSingleFileStream : public cMusicStream {
 public:
  cSingleFileStream(Mix_Chunk* chunk, int channel) : chunk_(chunk), channel_(channel) {}
  ~cSingleFileStream() override {
    AudioReleaseChannel(channel_);  // halts it
    Mix_FreeChunk(chunk_);
  }
  void Play() override {
    Mix_Volume(channel_, MixerVolume(volume_));
    if (Mix_PlayChannel(channel_, chunk_, repeat_ ? -1 : 0) < 0)
      LogLine(L"MusicManager: " + Utf8ToWide(Mix_GetError()));
  }
  void Stop() override { Mix_HaltChannel(channel_); }
  bool IsPlaying() override { return Mix_Playing(channel_) != 0; }
  void SetRepeat(bool repeat) override { repeat_ = repeat; }
  void SetVolume(float volume) override {
    volume_ = volume;
    Mix_Volume(channel_, MixerVolume(volume_));
  }

 private:
  Mix_Chunk* chunk_;
  int channel_;
  bool repeat_ = false;
  float volume_ = 1.0f;
};

class cMixerMusicDevice : public cMusicDevice {
 public:
  explicit cMixerMusicDevice(bool ownsDevice) : ownsDevice_(ownsDevice) {}
  ~cMixerMusicDevice() override {
    if (ownsDevice_) AudioClose();
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
    const int mixerChannel = AudioReserveChannel();
    if (mixerChannel < 0) {
      Mix_FreeChunk(c);
      return nullptr;
    }
    return std::make_unique<cSingleFileStream>(c, mixerChannel);
  }

 private:
  bool ownsDevice_;
};

}  // namespace

std::unique_ptr<cMusicDevice> OpenMusicDevice() {
  // Ogg Vorbis is loaded on first use otherwise, in the middle of a game.
  Mix_Init(MIX_INIT_OGG);
  if (AudioIsOpen()) return std::make_unique<cMixerMusicDevice>(false);
  sAudioFormat format;
  format.frequency = 44100;
  format.channels = 2;
  format.bitsPerSample = 16;
  std::string error;
  if (!AudioOpen(format, error)) {
    LogLine(L"MusicManager: no audio device: " + Utf8ToWide(error));
    return nullptr;
  }
  return std::make_unique<cMixerMusicDevice>(true);
}
