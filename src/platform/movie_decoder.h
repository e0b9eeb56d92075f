#pragma once
// One movie file decoded by FFmpeg on a worker thread of its own: pictures
// as A8R8G8B8 frames with their times into a small bounded queue, and the
// sound converted to the mixer's format into a bounded byte queue. The main
// thread takes the frames that are due; the sound thread takes the bytes.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/audio.h"

struct AVCodecContext;
struct AVFormatContext;
struct SwrContext;
struct SwsContext;

struct sMovieFrame {
  double time = 0.0;  // seconds from the start of the movie
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;  // row by row, width per row
};


class cMovieDecoder {
 public:
  // At most this many decoded pictures wait for their time.
  static constexpr size_t kMaxQueuedFrames = 8;
  // At most this much decoded sound waits for the mixer; older sound is
  // dropped beyond it so that the pictures never wait on the sound.
  static constexpr double kMaxQueuedSoundSeconds = 2.0;

  cMovieDecoder() = default;
  ~cMovieDecoder();
  cMovieDecoder(const cMovieDecoder&) = delete;
  cMovieDecoder& operator=(const cMovieDecoder&) = delete;

  // Opens the file and its video stream (and its sound stream, converted to
  // the given layout of the sound device, when a layout is given and the
  // file has one). False with a reason otherwise.
  bool Open(const std::string& path, const sAudioFormat* sound, std::string& error);
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool HasSound() const { return audioCtx_ != nullptr; }

  // Starts and stops the worker thread; Stop waits for it.
  void Start();
  void Stop();

  // Main thread: the latest picture whose time has come, dropping earlier
  // ones that were not shown in time; false when none is due.
  bool TakeFrameDue(double now, sMovieFrame& out);
  // True when the worker has read the whole file (or given up on it) and
  // every picture has been taken.
  bool Finished();
  // The end of the last picture decoded so far (its time plus its duration).
  double EndTime() const { return endTime_.load(); }
  int DroppedFrames() const { return dropped_.load(); }

  // Sound thread: copies up to the given number of bytes of sound; returns
  // how many were copied.
  size_t ReadSound(uint8_t* out, size_t bytes);

 private:
  void Run();
  // Take every frame the decoder has ready.
  void DecodeVideo();
  void DecodeSound();
  void PushFrame(sMovieFrame&& f);
  void PushSound(const uint8_t* data, size_t bytes);

  AVFormatContext* format_ = nullptr;
  AVCodecContext* videoCtx_ = nullptr;
  AVCodecContext* audioCtx_ = nullptr;
  SwsContext* sws_ = nullptr;
  SwrContext* swr_ = nullptr;
  int videoStream_ = -1;
  int audioStream_ = -1;
  int width_ = 0;
  int height_ = 0;
  double frameDuration_ = 0.04;
  double videoStart_ = 0.0;
  int64_t framesDecoded_ = 0;
  sAudioFormat sound_;
  std::vector<uint8_t> soundScratch_;

  std::thread worker_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> eof_{false};
  std::atomic<double> endTime_{0.0};
  std::atomic<int> dropped_{0};
  std::mutex mutex_;
  std::condition_variable space_;
  std::deque<sMovieFrame> frames_;
  std::deque<uint8_t> sound_queue_;
};

// Adds movie sound of the device's layout into a mixed buffer with a gain,
// saturating at the limits of the sample type. False for a layout it does
// not know (the buffer is left as it was).
bool MixMovieSound(uint8_t* into, const uint8_t* sound, size_t bytes, const sAudioFormat& format, float gain);
// The gain of a volume in hundredths of a decibel: 0 gives 1, -10000 and
// below silence.
float MovieSoundGain(int hundredthsOfDb);
