#pragma once
// The sound device on SDL2_mixer: one output device, and mixer channels
// handed out one per sound buffer so that each buffer plays, stops and
// restarts on its own. Volumes are attenuations in hundredths of a decibel
// (0 full, -10000 silent), as the sound code counts them.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct Mix_Chunk;

// A PCM sample layout: rate, interleaved channels, bits per sample, and
// whether 32-bit samples are IEEE floats. 8-bit samples are unsigned,
// wider ones signed little-endian.
struct sAudioFormat {
  int frequency = 0;
  int channels = 0;
  int bitsPerSample = 0;
  bool isFloat = false;

  int FrameBytes() const { return channels * (bitsPerSample / 8); }
};

// True when the mixer can take samples of this layout.
bool AudioFormatSupported(const sAudioFormat& format);

// Opens the output device with the wanted layout (the device may choose
// another rate or channel count; samples are converted to what it took).
// An open device is closed first. False with the reason when there is no
// device.
bool AudioOpen(const sAudioFormat& wanted, std::string& error);
void AudioClose();
bool AudioIsOpen();
// The layout the device plays; all zero while closed.
sAudioFormat AudioDeviceFormat();

// Samples converted to the device's layout, ready for a channel. Made while
// the device is open; freeing it stops every channel that plays it.
class cAudioChunk {
 public:
  ~cAudioChunk();
  cAudioChunk(const cAudioChunk&) = delete;
  cAudioChunk& operator=(const cAudioChunk&) = delete;

  // Converts bytes of the given layout; a trailing part frame is dropped.
  // Null with the reason when the device is closed or the layout unknown.
  static std::unique_ptr<cAudioChunk> FromPcm(const uint8_t* data, size_t bytes, const sAudioFormat& format,
                                               std::string& error);

  size_t DeviceBytes() const { return samples_.size(); }
  Mix_Chunk* Chunk() const { return chunk_; }

 private:
  cAudioChunk() = default;
  std::vector<uint8_t> samples_;
  Mix_Chunk* chunk_ = nullptr;
};

// A channel that only its owner plays on; -1 when the device is closed.
int AudioReserveChannel();
void AudioReleaseChannel(int channel);

// Starts the chunk from its beginning (a sounding channel restarts).
bool AudioPlay(int channel, const cAudioChunk& chunk);
// Holds a sounding channel where it is; AudioResume goes on from there.
void AudioPause(int channel);
void AudioResume(int channel);
// Stops the channel; its next play starts from the beginning.
void AudioHalt(int channel);
// Sounding now (a paused channel is not).
bool AudioChannelPlaying(int channel);
bool AudioChannelPaused(int channel);

// Attenuation in hundredths of a decibel, -10000 (silence) to 0.
void AudioSetVolume(int channel, int32_t hundredthsDb);
// The channel's mixer volume 0..128; -1 for no channel.
int AudioChannelVolume(int channel);
// Balance in hundredths of a decibel: below 0 the right side is attenuated,
// above 0 the left, each by the amount given.
void AudioSetPan(int channel, int32_t hundredthsDb);

// The mixer's linear volume 0..128 for an attenuation.
int MixerVolumeFromHundredthsDb(int32_t hundredthsDb);
