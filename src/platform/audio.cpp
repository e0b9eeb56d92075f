#include "platform/audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <cstring>
#include <mutex>

namespace {

// Channel bookkeeping; the mixer itself locks its own calls, this guards
// the table when sounds are made or freed.
std::mutex gChannelMutex;
std::vector<bool> gChannelUsed;
bool gOpen = false;
sAudioFormat gDeviceFormat;

constexpr int kChunkSize = 1024;
constexpr int32_t kSilence = -10000;

SDL_AudioFormat ToSdl(const sAudioFormat& f) {
  switch (f.bitsPerSample) {
    case 8:
      return f.isFloat ? 0 : AUDIO_U8;
    case 16:
      return f.isFloat ? 0 : AUDIO_S16LSB;
    case 32:
      return f.isFloat ? AUDIO_F32LSB : AUDIO_S32LSB;
    default:
      return 0;
  }
}

sAudioFormat FromSdl(int frequency, SDL_AudioFormat format, int channels) {
  sAudioFormat f;
  f.frequency = frequency;
  f.channels = channels;
  f.bitsPerSample = SDL_AUDIO_BITSIZE(format);
  f.isFloat = SDL_AUDIO_ISFLOAT(format);
  return f;
}

bool ValidChannel(int channel) {
  std::lock_guard<std::mutex> g(gChannelMutex);
  return gOpen && channel >= 0 && channel < static_cast<int>(gChannelUsed.size()) && gChannelUsed[channel];
}

}  // namespace

bool AudioFormatSupported(const sAudioFormat& format) {
  return ToSdl(format) != 0 && format.channels >= 1 && format.channels <= 8 && format.frequency > 0;
}

bool AudioOpen(const sAudioFormat& wanted, std::string& error) {
  AudioClose();
  if (!AudioFormatSupported(wanted)) {
    error = "unsupported sample layout";
    return false;
  }
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    error = SDL_GetError();
    return false;
  }
  if (Mix_OpenAudioDevice(wanted.frequency, ToSdl(wanted), wanted.channels, kChunkSize, nullptr,
                          SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE) != 0) {
    error = Mix_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  int frequency = 0;
  int channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&frequency, &format, &channels);
  std::lock_guard<std::mutex> g(gChannelMutex);
  gDeviceFormat = FromSdl(frequency, format, channels);
  gChannelUsed.clear();
  // Every channel belongs to one sound buffer; none is handed out by the mixer.
  Mix_AllocateChannels(0);
  gOpen = true;
  return true;
}

void AudioClose() {
  {
    std::lock_guard<std::mutex> g(gChannelMutex);
    if (!gOpen) return;
    gOpen = false;
    gChannelUsed.clear();
    gDeviceFormat = sAudioFormat();
  }
  Mix_HaltChannel(-1);
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool AudioIsOpen() {
  std::lock_guard<std::mutex> g(gChannelMutex);
  return gOpen;
}

sAudioFormat AudioDeviceFormat() {
  std::lock_guard<std::mutex> g(gChannelMutex);
  return gDeviceFormat;
}

cAudioChunk::~cAudioChunk() {
  // Frees the chunk record only: the samples are ours (allocated is 0).
  if (chunk_ != nullptr) Mix_FreeChunk(chunk_);
}

std::unique_ptr<cAudioChunk> cAudioChunk::FromPcm(const uint8_t* data, size_t bytes, const sAudioFormat& format,
                                                   std::string& error) {
  const sAudioFormat device = AudioDeviceFormat();
  if (device.frequency == 0) {
    error = "no sound device";
    return nullptr;
  }
  if (!AudioFormatSupported(format)) {
    error = "unsupported sample layout";
    return nullptr;
  }
  const size_t frame = static_cast<size_t>(format.FrameBytes());
  bytes -= bytes % frame;
  if (bytes == 0 || data == nullptr) {
    error = "no samples";
    return nullptr;
  }
  if (bytes > static_cast<size_t>(INT32_MAX / 16)) {
    error = "too many samples";
    return nullptr;
  }
  SDL_AudioCVT cvt;
  if (SDL_BuildAudioCVT(&cvt, ToSdl(format), static_cast<Uint8>(format.channels), format.frequency, ToSdl(device),
                        static_cast<Uint8>(device.channels), device.frequency) < 0) {
    error = SDL_GetError();
    return nullptr;
  }
  std::unique_ptr<cAudioChunk> chunk(new cAudioChunk());
  cvt.len = static_cast<int>(bytes);
  chunk->samples_.assign(bytes * static_cast<size_t>(cvt.len_mult > 0 ? cvt.len_mult : 1), 0);
  std::memcpy(chunk->samples_.data(), data, bytes);
  if (cvt.needed) {
    cvt.buf = chunk->samples_.data();
    if (SDL_ConvertAudio(&cvt) != 0) {
      error = SDL_GetError();
      return nullptr;
    }
    chunk->samples_.resize(static_cast<size_t>(cvt.len_cvt));
  } else {
    chunk->samples_.resize(bytes);
  }
  if (chunk->samples_.empty()) {
    error = "no samples after conversion";
    return nullptr;
  }
  chunk->chunk_ = Mix_QuickLoad_RAW(chunk->samples_.data(), static_cast<Uint32>(chunk->samples_.size()));
  if (chunk->chunk_ == nullptr) {
    error = Mix_GetError();
    return nullptr;
  }
  return chunk;
}

int AudioReserveChannel() {
  std::lock_guard<std::mutex> g(gChannelMutex);
  if (!gOpen) return -1;
  for (size_t i = 0; i < gChannelUsed.size(); ++i) {
    if (!gChannelUsed[i]) {
      gChannelUsed[i] = true;
      return static_cast<int>(i);
    }
  }
  const int channel = static_cast<int>(gChannelUsed.size());
  if (Mix_AllocateChannels(channel + 1) != channel + 1) return -1;
  Mix_ReserveChannels(channel + 1);
  gChannelUsed.push_back(true);
  Mix_Volume(channel, MIX_MAX_VOLUME);
  return channel;
}

void AudioReleaseChannel(int channel) {
  if (!ValidChannel(channel)) return;
  Mix_HaltChannel(channel);
  Mix_SetPanning(channel, 255, 255);
  std::lock_guard<std::mutex> g(gChannelMutex);
  gChannelUsed[static_cast<size_t>(channel)] = false;
}

bool AudioPlay(int channel, const cAudioChunk& chunk) {
  if (!ValidChannel(channel) || chunk.Chunk() == nullptr) return false;
  return Mix_PlayChannel(channel, chunk.Chunk(), 0) == channel;
}

void AudioPause(int channel) {
  if (ValidChannel(channel) && Mix_Playing(channel)) Mix_Pause(channel);
}

void AudioResume(int channel) {
  if (ValidChannel(channel)) Mix_Resume(channel);
}

void AudioHalt(int channel) {
  if (ValidChannel(channel)) Mix_HaltChannel(channel);
}

bool AudioChannelPlaying(int channel) {
  return ValidChannel(channel) && Mix_Playing(channel) != 0 && Mix_Paused(channel) == 0;
}

bool AudioChannelPaused(int channel) {
  return ValidChannel(channel) && Mix_Playing(channel) != 0 && Mix_Paused(channel) != 0;
}

int MixerVolumeFromHundredthsDb(int32_t hundredthsDb) {
  if (hundredthsDb <= kSilence) return 0;
  if (hundredthsDb >= 0) return MIX_MAX_VOLUME;
  const double gain = std::pow(10.0, hundredthsDb / 2000.0);
  return static_cast<int>(std::lround(gain * MIX_MAX_VOLUME));
}

void AudioSetVolume(int channel, int32_t hundredthsDb) {
  if (ValidChannel(channel)) Mix_Volume(channel, MixerVolumeFromHundredthsDb(hundredthsDb));
}

int AudioChannelVolume(int channel) { return ValidChannel(channel) ? Mix_Volume(channel, -1) : -1; }

void AudioSetPan(int channel, int32_t hundredthsDb) {
  if (!ValidChannel(channel)) return;
  // The side away from the pan keeps full level; the other is attenuated.
  const int32_t left = hundredthsDb > 0 ? -hundredthsDb : 0;
  const int32_t right = hundredthsDb < 0 ? hundredthsDb : 0;
  const auto level = [](int32_t db) {
    return static_cast<Uint8>(MixerVolumeFromHundredthsDb(db) * 255 / MIX_MAX_VOLUME);
  };
  Mix_SetPanning(channel, level(left), level(right));
}
