#pragma once
// Sound effects: the sound device, effects that each own one or more
// buffers (mixer channels of their own) so that an effect can sound several
// times at once, and the bank of effects loaded at start-up and played by
// slot from both game threads.
#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "framework/wav_file.h"
#include "platform/audio.h"
#include "platform/hresult.h"

class CFWControl;

// Creation flags of an effect's buffers.
constexpr uint32_t DSBCAPS_CTRLFREQUENCY = 0x20;
constexpr uint32_t DSBCAPS_CTRLPAN = 0x40;
constexpr uint32_t DSBCAPS_CTRLVOLUME = 0x80;
constexpr uint32_t DSBCAPS_CTRLFX = 0x200;
// Cooperative level asked of the device.
constexpr uint32_t DSSCL_PRIORITY = 2;
// Volumes are attenuations in hundredths of a decibel.
constexpr int32_t DSBVOLUME_MIN = -10000;
constexpr int32_t DSBVOLUME_MAX = 0;

class CSound;

class CSoundDevice {
 public:
  CSoundDevice() = default;
  ~CSoundDevice();
  CSoundDevice(const CSoundDevice&) = delete;
  CSoundDevice& operator=(const CSoundDevice&) = delete;

  // Opens the output device (an open one is closed first). The level is
  // kept for the record: the mixer shares the device with nobody.
  HRESULT Initialize(uint32_t cooperativeLevel);
  // The layout the effects are mixed in; CO_E_NOTINITIALIZED without a device.
  HRESULT SetPrimaryBufferFormat(int channels, int samplesPerSec, int bitsPerSample);
  // Loads a WAV file into a new effect with the given number of buffers.
  HRESULT Create(std::unique_ptr<CSound>* sound, const std::wstring& file, uint32_t creationFlags, int buffers);

  bool IsInitialized() const { return initialized_; }
  // Why the last Initialize or SetPrimaryBufferFormat failed.
  const std::string& Error() const { return error_; }

 private:
  bool initialized_ = false;
  uint32_t cooperativeLevel_ = 0;
  std::string error_;
};

class CSound {
 public:
  // Takes the reserved channels and the open reader and fills the buffers
  // with the sound.
  CSound(std::vector<int> channels, uint32_t bufferBytes, std::unique_ptr<CWaveReader> reader, uint32_t flags);
  virtual ~CSound();
  CSound(const CSound&) = delete;
  CSound& operator=(const CSound&) = delete;

  // Plays on a free buffer; when every buffer sounds, one of them chosen at
  // random starts again. Volume and pan in hundredths of a decibel, each
  // applied when the creation flags allow it; frequency -1 keeps the rate.
  HRESULT Play(uint32_t priority, uint32_t flags, int32_t volume, int32_t frequency, int32_t pan);
  // Stops every buffer where it is.
  HRESULT Stop();
  // Every buffer back to its start (a sounding one starts again).
  HRESULT Reset();
  // The first buffer that does not sound, else a random one; -1 without buffers.
  int GetFreeBuffer();
  // Mixer channels are never taken away by another program, so there is
  // never anything to restore: S_FALSE with wasRestored false.
  HRESULT RestoreBuffer(int buffer, bool* wasRestored);
  // Reads the sound into the buffers; the room behind it is silence, or the
  // sound again with repeat.
  HRESULT FillBufferWithSound(int buffer, bool repeat);

  int BufferCount() const { return static_cast<int>(channels_.size()); }
  uint32_t BufferBytes() const { return bufferBytes_; }
  bool IsBufferPlaying(int buffer) const;
  // The mixer channel that stands for a buffer; -1 for none.
  int BufferChannel(int buffer) const;
  // The buffer's bytes as last filled, in the WAV file's sample layout.
  const std::vector<uint8_t>& BufferBytesData() const { return samples_; }

 private:
  int FreeBufferLocked();
  HRESULT FillLocked(bool repeat);

  // Both game threads play effects: the choice of a buffer and its start
  // happen under this lock, so two plays never take the same free buffer.
  mutable std::mutex mutex_;
  std::vector<int> channels_;
  uint32_t bufferBytes_ = 0;
  std::unique_ptr<CWaveReader> reader_;
  uint32_t flags_ = 0;
  // The buffers share their samples, as duplicated buffers do.
  std::vector<uint8_t> samples_;
  std::unique_ptr<cAudioChunk> chunk_;
};

// The bank: 36 slots, 28 of them loaded from "data\sound\" by InitSounds.
constexpr int kSoundSlots = 36;
struct sSoundBankFile {
  int slot;
  const wchar_t* file;
  int buffers;
};
extern const std::array<sSoundBankFile, 28> kSoundBankFiles;

// Opens the device and loads the bank. Without a sound device the game goes
// on silent: a log line tells why, and every slot stays empty.
void InitSounds();
// Frees the bank and closes the device.
void ReleaseSounds();
// The effect of a slot, null when empty or out of range.
CSound* GetSound(int slot);
CSoundDevice* GetSoundDevice();

// The effects volume in hundredths of a decibel for a setting of 0.0 to 1.0
// (truncated: 1 gives 0, 0 gives -10000), and for the current setting.
int32_t SfxVolumeFromSetting(float sfx);
int32_t SfxVolume();

// The sound of a control's event (button click, selection, change...);
// played without stopping or rewinding the effect. Nothing for a null
// control or an event without a sound.
void PlayControlSound(uint32_t event, int controlId, const CFWControl* control);
// The bank slot of a control event's sound, -1 for none.
int ControlSoundSlot(uint32_t event);
// What the game code does with an effect: stop, rewind and play it at the
// effects volume. The file is its game path ("data\sound\Buying.wav");
// unknown or unloaded effects are skipped.
void PlayGameSound(const std::wstring& file);
