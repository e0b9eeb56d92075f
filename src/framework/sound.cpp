#include "framework/sound.h"

#include <cstring>

#include "core/console.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text.h"

namespace {

CSoundDevice* gSoundDevice = nullptr;
// Raw pointers: the bank lives to the end of the process, and no static
// destructor may reach the mixer after it has gone.
std::array<CSound*, kSoundSlots> gSoundBank{};

const wchar_t kSoundFolder[] = L"data\\sound\\";

sAudioFormat FormatOf(const sWaveFormat& w) {
  sAudioFormat f;
  f.frequency = static_cast<int>(w.samplesPerSec);
  f.channels = w.channels;
  f.bitsPerSample = w.bitsPerSample;
  // IEEE float samples are the one other format the mixer takes.
  f.isFloat = w.formatTag == 3;
  if (w.formatTag != WAVE_FORMAT_PCM && !f.isFloat) f.bitsPerSample = 0;
  return f;
}

}  // namespace

const std::array<sSoundBankFile, 28> kSoundBankFiles = {{
    {0, L"AirStrike.wav", 1},
    {1, L"AirToAirCombat.wav", 1},
    {2, L"ButtonClick.wav", 3},
    {3, L"CheckboxChanged.wav", 3},
    {4, L"ComboboxChanged.wav", 1},
    {5, L"EditboxChanged.wav", 5},
    {6, L"EditboxString.wav", 1},
    {7, L"InfantryMarching.wav", 1},
    {10, L"ItemClick.wav", 3},
    {11, L"LandCombat.wav", 3},
    {12, L"ListboxDoubleClick.wav", 3},
    {13, L"ListboxSelection.wav", 3},
    {15, L"NuclearAttack.wav", 1},
    {16, L"PlaneFlying.wav", 1},
    {17, L"RadiobuttonChanged.wav", 3},
    {18, L"Scrolling.wav", 1},
    {19, L"ShoreBombardment.wav", 1},
    {20, L"SliderChanged.wav", 1},
    {21, L"StrategicBombardment.wav", 1},
    {22, L"TankRolling.wav", 1},
    {23, L"TruckDriving.wav", 1},
    {24, L"drum_roll.wav", 1},
    {25, L"NavalGun.wav", 1},
    {26, L"AirRecon.wav", 1},
    {27, L"StrategicDeployLand.wav", 1},
    {28, L"Paradrop.wav", 1},
    {29, L"Invasion.wav", 1},
    {30, L"Buying.wav", 1},
}};

// ---------------------------------------------------------------- device

CSoundDevice::~CSoundDevice() {
  if (initialized_) AudioClose();
}

HRESULT CSoundDevice::Initialize(uint32_t cooperativeLevel) {
  cooperativeLevel_ = cooperativeLevel;
  initialized_ = false;
  error_.clear();
  sAudioFormat standard;
  standard.frequency = 22050;
  standard.channels = 2;
  standard.bitsPerSample = 16;
  if (!AudioOpen(standard, error_)) return E_FAIL;
  initialized_ = true;
  return S_OK;
}

HRESULT CSoundDevice::SetPrimaryBufferFormat(int channels, int samplesPerSec, int bitsPerSample) {
  if (!initialized_) return CO_E_NOTINITIALIZED;
  sAudioFormat wanted;
  wanted.frequency = samplesPerSec;
  wanted.channels = channels;
  wanted.bitsPerSample = bitsPerSample;
  if (!AudioFormatSupported(wanted)) {
    error_ = "unsupported primary format";
    return E_INVALIDARG;
  }
  // Sounds are made after this, so nothing is lost by opening the device anew.
  if (!AudioOpen(wanted, error_)) {
    initialized_ = false;
    return E_FAIL;
  }
  return S_OK;
}

HRESULT CSoundDevice::Create(std::unique_ptr<CSound>* sound, const std::wstring& file, uint32_t creationFlags,
                             int buffers) {
  if (!initialized_ || !AudioIsOpen()) return CO_E_NOTINITIALIZED;
  if (sound == nullptr || file.empty() || buffers < 1) return E_INVALIDARG;
  auto reader = std::make_unique<CWaveReader>();
  if (FAILED(reader->Open(file)) || reader->GetSize() == 0) return E_FAIL;
  if (!AudioFormatSupported(FormatOf(reader->GetFormat()))) {
    LogLine(WFormat(L"ERROR: WAV file \"%s\": sample format %u with %u bits cannot be played", file.c_str(),
                    reader->GetFormat().formatTag, reader->GetFormat().bitsPerSample));
    return E_FAIL;
  }
  std::vector<int> channels;
  for (int i = 0; i < buffers; ++i) {
    const int channel = AudioReserveChannel();
    if (channel < 0) {
      for (int c : channels) AudioReleaseChannel(c);
      return E_OUTOFMEMORY;
    }
    channels.push_back(channel);
  }
  const uint32_t bytes = reader->GetSize();
  auto made = std::make_unique<CSound>(std::move(channels), bytes, std::move(reader), creationFlags);
  if (made->BufferBytesData().empty()) return E_FAIL;  // the sound could not be put into the buffers
  *sound = std::move(made);
  return S_OK;
}

// ---------------------------------------------------------------- sound

CSound::CSound(std::vector<int> channels, uint32_t bufferBytes, std::unique_ptr<CWaveReader> reader, uint32_t flags)
    : channels_(std::move(channels)), bufferBytes_(bufferBytes), reader_(std::move(reader)), flags_(flags) {
  if (!channels_.empty()) FillBufferWithSound(0, false);
}

CSound::~CSound() {
  std::lock_guard<std::mutex> g(mutex_);
  for (int c : channels_) AudioReleaseChannel(c);
  chunk_.reset();
  if (reader_) reader_->Close();
}

bool CSound::IsBufferPlaying(int buffer) const {
  std::lock_guard<std::mutex> g(mutex_);
  return buffer >= 0 && buffer < static_cast<int>(channels_.size()) && AudioChannelPlaying(channels_[buffer]);
}

int CSound::BufferChannel(int buffer) const {
  std::lock_guard<std::mutex> g(mutex_);
  return buffer >= 0 && buffer < static_cast<int>(channels_.size()) ? channels_[buffer] : -1;
}

int CSound::FreeBufferLocked() {
  const int n = static_cast<int>(channels_.size());
  if (n == 0) return -1;
  for (int i = 0; i < n; ++i)
    if (!AudioChannelPlaying(channels_[i])) return i;
  return RandomIndex(n);
}

int CSound::GetFreeBuffer() {
  std::lock_guard<std::mutex> g(mutex_);
  return FreeBufferLocked();
}

HRESULT CSound::RestoreBuffer(int buffer, bool* wasRestored) {
  if (wasRestored != nullptr) *wasRestored = false;
  if (buffer < 0 || buffer >= BufferCount()) return E_INVALIDARG;
  return S_FALSE;
}

HRESULT CSound::FillBufferWithSound(int buffer, bool repeat) {
  std::lock_guard<std::mutex> g(mutex_);
  if (buffer < 0 || buffer >= static_cast<int>(channels_.size())) return E_INVALIDARG;
  return FillLocked(repeat);
}

HRESULT CSound::FillLocked(bool repeat) {
  if (!reader_ || !reader_->IsOpen() || bufferBytes_ == 0) return CO_E_NOTINITIALIZED;
  std::vector<uint8_t> bytes(bufferBytes_);
  reader_->ResetFile();
  uint32_t read = 0;
  HRESULT hr = reader_->Read(bytes.data(), bufferBytes_, &read);
  if (FAILED(hr)) return hr;
  if (read == 0) return E_FAIL;
  if (read < bufferBytes_) {
    if (repeat) {
      for (uint32_t i = read; i < bufferBytes_; ++i) bytes[i] = bytes[i % read];
    } else {
      const uint8_t silence = reader_->GetFormat().bitsPerSample == 8 ? 128 : 0;
      std::memset(bytes.data() + read, silence, bufferBytes_ - read);
    }
  }
  std::string error;
  std::unique_ptr<cAudioChunk> chunk = cAudioChunk::FromPcm(bytes.data(), bytes.size(), FormatOf(reader_->GetFormat()), error);
  if (!chunk) {
    LogLine(WFormat(L"ERROR: sound samples cannot be prepared: %S", error.c_str()));
    return E_FAIL;
  }
  chunk_ = std::move(chunk);
  samples_ = std::move(bytes);
  return S_OK;
}

HRESULT CSound::Play(uint32_t priority, uint32_t flags, int32_t volume, int32_t frequency, int32_t pan) {
  // The mixer knows no voice priorities, and no caller asks for a loop.
  (void)priority;
  (void)flags;
  std::lock_guard<std::mutex> g(mutex_);
  if (channels_.empty()) return CO_E_NOTINITIALIZED;
  const int buffer = FreeBufferLocked();
  if (buffer < 0) return E_FAIL;
  bool restored = false;
  RestoreBuffer(buffer, &restored);
  if (restored && FAILED(FillLocked(false))) return E_FAIL;
  if (!chunk_) return E_FAIL;
  const int channel = channels_[buffer];
  if ((flags_ & DSBCAPS_CTRLVOLUME) != 0) AudioSetVolume(channel, volume);
  // A mixer channel cannot be retuned; the rate given stays unused.
  (void)frequency;
  if ((flags_ & DSBCAPS_CTRLPAN) != 0) AudioSetPan(channel, pan);
  if (AudioChannelPaused(channel)) {
    AudioResume(channel);
    return S_OK;
  }
  return AudioPlay(channel, *chunk_) ? S_OK : E_FAIL;
}

HRESULT CSound::Stop() {
  std::lock_guard<std::mutex> g(mutex_);
  if (channels_.empty()) return CO_E_NOTINITIALIZED;
  for (int c : channels_) AudioPause(c);
  return S_OK;
}

HRESULT CSound::Reset() {
  std::lock_guard<std::mutex> g(mutex_);
  if (channels_.empty()) return CO_E_NOTINITIALIZED;
  HRESULT result = S_OK;
  for (int c : channels_) {
    if (AudioChannelPlaying(c)) {
      if (!chunk_ || !AudioPlay(c, *chunk_)) result = E_FAIL;
    } else {
      AudioHalt(c);
    }
  }
  return result;
}

// ---------------------------------------------------------------- bank

void ReleaseSounds() {
  for (CSound*& s : gSoundBank) {
    if (s != nullptr) s->Stop();
    delete s;
    s = nullptr;
  }
  delete gSoundDevice;
  gSoundDevice = nullptr;
}

void InitSounds() {
  ReleaseSounds();
  gSoundDevice = new CSoundDevice();
  // The game can be played without sound: a missing device is told in the
  // log and the bank stays empty, where it used to end the process.
  if (FAILED(gSoundDevice->Initialize(DSSCL_PRIORITY))) {
    const std::wstring& text = Txt("error_initializing_directsound._exiting.");
    if (!text.empty()) LogLine(text);
    LogLine(WFormat(L"WARNING: no sound device (%S); the game goes on without sound effects",
                    gSoundDevice->Error().c_str()));
    return;
  }
  if (FAILED(gSoundDevice->SetPrimaryBufferFormat(1, 22050, 8))) {
    const std::wstring& text = Txt("error_while_setting_primary_buffer_for_sound._exiting.");
    if (!text.empty()) LogLine(text);
    LogLine(WFormat(L"WARNING: the sound device refused mono 22050 Hz 8-bit (%S); the game goes on without sound "
                    L"effects",
                    gSoundDevice->Error().c_str()));
    return;
  }
  for (const sSoundBankFile& f : kSoundBankFiles) {
    std::unique_ptr<CSound> sound;
    if (FAILED(gSoundDevice->Create(&sound, std::wstring(kSoundFolder) + f.file, DSBCAPS_CTRLVOLUME, f.buffers))) {
      LogF(L"Error while loading %s!", f.file);
      continue;
    }
    gSoundBank[static_cast<size_t>(f.slot)] = sound.release();
  }
}

CSound* GetSound(int slot) {
  if (slot < 0 || slot >= kSoundSlots) return nullptr;
  return gSoundBank[static_cast<size_t>(slot)];
}

CSoundDevice* GetSoundDevice() { return gSoundDevice; }

int32_t SfxVolumeFromSetting(float sfx) {
  // Computed in single precision and truncated, as the setting is a float.
  const float hundredths = sfx * 10000.0f - 10000.0f;
  if (!(hundredths > static_cast<float>(DSBVOLUME_MIN))) return DSBVOLUME_MIN;
  if (hundredths > static_cast<float>(DSBVOLUME_MAX)) return DSBVOLUME_MAX;
  return static_cast<int32_t>(hundredths);
}

int32_t SfxVolume() { return SfxVolumeFromSetting(gProgramSettings.sfxVolume); }

int ControlSoundSlot(uint32_t event) {
  switch (event) {
    case 0x101: return 2;   // button or icon clicked
    case 0x201: return 4;   // combo box selection
    case 0x301: return 17;  // radio button changed
    case 0x401: return 3;   // check box changed
    case 0x501: return 20;  // slider changed
    case 0x601: return 6;   // edit box string entered
    case 0x602: return 5;   // edit box changed
    case 0x701: return 12;  // list box double click
    case 0x702: return 13;  // list box selection
    default: return -1;
  }
}

void PlayControlSound(uint32_t event, int controlId, const CFWControl* control) {
  (void)controlId;
  if (control == nullptr) return;
  CSound* sound = GetSound(ControlSoundSlot(event));
  if (sound != nullptr) sound->Play(0, 0, SfxVolume(), -1, 0);
}

void PlayGameSound(const std::wstring& file) {
  for (const sSoundBankFile& f : kSoundBankFiles) {
    if (std::wstring(kSoundFolder) + f.file != file) continue;
    CSound* sound = GetSound(f.slot);
    if (sound == nullptr) return;
    sound->Stop();
    sound->Reset();
    sound->Play(0, 0, SfxVolume(), -1, 0);
    return;
  }
}
