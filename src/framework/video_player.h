#pragma once
// One movie played into the game window: FFmpeg decodes it on a worker
// thread, and every poll of IsPlaying (main thread) shows the picture that
// is due, stretched over the whole window, and tells whether the movie
// still runs. Its sound is mixed into the mixer's output after the
// channels, so it takes neither the music's stream nor an effect channel.
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/movie_decoder.h"
#include "platform/movie_screen.h"

class cVideoPlayer {
 public:
  // Seconds on a steady clock; tests drive the movie's time with their own.
  using Clock = std::function<double()>;

  // Draws into the framework's window.
  cVideoPlayer();
  // Draws on the given screen (not owned; null draws nothing) by the clock.
  explicit cVideoPlayer(cMovieScreen* screen, Clock clock = {});
  ~cVideoPlayer();
  cVideoPlayer(const cVideoPlayer&) = delete;
  cVideoPlayer& operator=(const cVideoPlayer&) = delete;

  // True when the movie is ready to play; a missing or unreadable file
  // writes its log line and gives false.
  bool Open(const std::wstring& file);
  void Play();
  void Stop();
  // Shows the picture that is due; false once the movie has ended, was
  // stopped or aborted (the window was closed), or could not play.
  bool IsPlaying();
  // 0 to 100, clamped; 100 is full volume.
  void SetVolume(int volume);

  // The sound volume in hundredths of a decibel: 0 full, -10000 silent.
  int SoundVolume() const { return soundVolume_; }
  int FramesShown() const { return framesShown_; }
  int MovieWidth() const { return decoder_ != nullptr ? decoder_->Width() : 0; }
  int MovieHeight() const { return decoder_ != nullptr ? decoder_->Height() : 0; }
  bool HasSound() const { return soundHooked_; }
  // Bytes of movie sound handed to the mixer so far.
  size_t SoundBytesMixed() const { return soundBytesMixed_.load(); }

 private:
  enum class eState { kClosed, kOpen, kRunning, kStopped, kFailed };
  double Now() const;
  void Halt();
  static void MixSound(void* player, uint8_t* stream, int length);

  cMovieScreen* screen_ = nullptr;
  std::unique_ptr<cMovieScreen> ownScreen_;
  Clock clock_;
  double start_ = 0.0;
  eState state_ = eState::kClosed;
  std::unique_ptr<cMovieDecoder> decoder_;
  sAudioFormat soundFormat_;
  bool soundHooked_ = false;
  std::atomic<int> soundVolume_{0};
  std::atomic<size_t> soundBytesMixed_{0};
  std::vector<uint8_t> soundScratch_;
  int framesShown_ = 0;
};
