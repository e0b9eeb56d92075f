#include "framework/video_player.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <system_error>

#include "core/console.h"
#include "core/paths.h"
#include "core/random.h"
#include "core/text.h"
#include "framework/fw_state.h"
#include "platform/device.h"

namespace {

double SteadySeconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

cVideoPlayer::cVideoPlayer() : cVideoPlayer(nullptr) {
  // The framework's device as it is at each picture: none while it is lost
  // or gone, its new renderer after a reset.
  ownScreen_ = std::make_unique<cRendererMovieScreen>([]() -> SDL_Renderer* {
    cPlatformDevice* device = FWGetD3DDevice();
    return device != nullptr && !device->IsLost() ? device->Renderer() : nullptr;
  });
  screen_ = ownScreen_.get();
}

cVideoPlayer::cVideoPlayer(cMovieScreen* screen, Clock clock)
    : screen_(screen), clock_(clock ? std::move(clock) : Clock(SteadySeconds)) {}

cVideoPlayer::~cVideoPlayer() { Halt(); }

double cVideoPlayer::Now() const { return clock_() - start_; }

bool cVideoPlayer::Open(const std::wstring& file) {
  Halt();
  decoder_.reset();
  state_ = eState::kClosed;
  if (!FileExists(file)) {
    LogF(L"-----Could not open video file: %ls", file.c_str());
    return false;
  }
  soundFormat_ = AudioDeviceFormat();
  const bool withSound = AudioIsOpen();
  auto decoder = std::make_unique<cMovieDecoder>();
  std::string error;
  if (!decoder->Open(NativePath(file), withSound ? &soundFormat_ : nullptr, error)) {
    LogF(L"-----Could not open video file: %ls", file.c_str());
    return false;
  }
  decoder_ = std::move(decoder);
  state_ = eState::kOpen;
  return true;
}

void cVideoPlayer::Play() {
  if (state_ != eState::kOpen) return;
  try {
    decoder_->Start();
  } catch (const std::system_error&) {
    LogLine(L"-----Error when trying to play video");
    state_ = eState::kFailed;
    return;
  }
  if (decoder_->HasSound()) {
    Mix_SetPostMix(&cVideoPlayer::MixSound, this);
    soundHooked_ = true;
  }
  start_ = clock_();
  state_ = eState::kRunning;
}

void cVideoPlayer::Stop() {
  if (state_ != eState::kRunning) return;
  Halt();
  state_ = eState::kStopped;
}

void cVideoPlayer::Halt() {
  if (soundHooked_) {
    // Returns only when the mixer is not inside MixSound.
    Mix_SetPostMix(nullptr, nullptr);
    soundHooked_ = false;
  }
  if (decoder_ != nullptr) decoder_->Stop();
}

bool cVideoPlayer::IsPlaying() {
  if (state_ != eState::kRunning) return false;
  if (SDL_WasInit(SDL_INIT_EVENTS) != 0) {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) SDL_PumpEvents();
    // The player closed the window: the movie is aborted; the quit stays
    // queued for the main loop.
    SDL_Event e;
    if (SDL_PeepEvents(&e, 1, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT) > 0) {
      Stop();
      return false;
    }
  }
  const double now = Now();
  sMovieFrame frame;
  if (decoder_->TakeFrameDue(now, frame)) {
    if (screen_ != nullptr) screen_->ShowFrame(frame);
    ++framesShown_;
  }
  if (decoder_->Finished() && now >= decoder_->EndTime()) {
    Stop();
    return false;
  }
  return true;
}

void cVideoPlayer::SetVolume(int volume) {
  volume = std::clamp(volume, 0, 100);
  soundVolume_ = (volume - 100) * 100;
}

void cVideoPlayer::MixSound(void* player, uint8_t* stream, int length) {
  auto* self = static_cast<cVideoPlayer*>(player);
  if (length <= 0) return;
  self->soundScratch_.resize(static_cast<size_t>(length));
  const size_t got = self->decoder_->ReadSound(self->soundScratch_.data(), static_cast<size_t>(length));
  self->soundBytesMixed_ += got;
  const float gain = MovieSoundGain(self->soundVolume_.load());
  MixMovieSound(stream, self->soundScratch_.data(), got, self->soundFormat_, gain);
}
