#include "platform/movie_decoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/imgutils.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

namespace {

std::string AvError(int code) {
  char buf[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, buf, sizeof buf);
  return buf;
}

// Opens a decoder for one stream; null when the codec is unknown or fails.
AVCodecContext* OpenCodec(AVFormatContext* format, int stream) {
  const AVCodecParameters* par = format->streams[stream]->codecpar;
  const AVCodec* codec = avcodec_find_decoder(par->codec_id);
  if (codec == nullptr) return nullptr;
  AVCodecContext* ctx = avcodec_alloc_context3(codec);
  if (ctx == nullptr) return nullptr;
  if (avcodec_parameters_to_context(ctx, par) < 0 || avcodec_open2(ctx, codec, nullptr) < 0) {
    avcodec_free_context(&ctx);
    return nullptr;
  }
  return ctx;
}

}  // namespace

cMovieDecoder::~cMovieDecoder() {
  Stop();
  sws_freeContext(sws_);
  swr_free(&swr_);
  avcodec_free_context(&videoCtx_);
  avcodec_free_context(&audioCtx_);
  avformat_close_input(&format_);
}

namespace {
AVSampleFormat SampleFormatOf(const sAudioFormat& f) {
  switch (f.bitsPerSample) {
    case 8:
      return f.isFloat ? AV_SAMPLE_FMT_NONE : AV_SAMPLE_FMT_U8;
    case 16:
      return f.isFloat ? AV_SAMPLE_FMT_NONE : AV_SAMPLE_FMT_S16;
    case 32:
      return f.isFloat ? AV_SAMPLE_FMT_FLT : AV_SAMPLE_FMT_S32;
    default:
      return AV_SAMPLE_FMT_NONE;
  }
}
}  // namespace

bool cMovieDecoder::Open(const std::string& path, const sAudioFormat* sound, std::string& error) {
  av_log_set_level(AV_LOG_QUIET);
  int r = avformat_open_input(&format_, path.c_str(), nullptr, nullptr);
  if (r < 0) {
    error = AvError(r);
    return false;
  }
  r = avformat_find_stream_info(format_, nullptr);
  if (r < 0) {
    error = AvError(r);
    return false;
  }
  videoStream_ = av_find_best_stream(format_, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  if (videoStream_ < 0) {
    error = "no video stream";
    return false;
  }
  videoCtx_ = OpenCodec(format_, videoStream_);
  if (videoCtx_ == nullptr || videoCtx_->width <= 0 || videoCtx_->height <= 0) {
    error = "no decoder for the video stream";
    return false;
  }
  width_ = videoCtx_->width;
  height_ = videoCtx_->height;
  const AVStream* vs = format_->streams[videoStream_];
  AVRational rate = av_guess_frame_rate(format_, const_cast<AVStream*>(vs), nullptr);
  if (rate.num > 0 && rate.den > 0) frameDuration_ = av_q2d(av_inv_q(rate));
  videoStart_ = vs->start_time != AV_NOPTS_VALUE ? vs->start_time * av_q2d(vs->time_base) : 0.0;

  if (sound != nullptr && sound->frequency > 0 && sound->channels > 0 && SampleFormatOf(*sound) != AV_SAMPLE_FMT_NONE) {
    audioStream_ = av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, videoStream_, nullptr, 0);
    if (audioStream_ >= 0) audioCtx_ = OpenCodec(format_, audioStream_);
    if (audioCtx_ != nullptr) {
      sound_ = *sound;
      AVChannelLayout out;
      av_channel_layout_default(&out, sound_.channels);
      const int ok = swr_alloc_set_opts2(&swr_, &out, SampleFormatOf(sound_), sound_.frequency, &audioCtx_->ch_layout, audioCtx_->sample_fmt,
                                         audioCtx_->sample_rate, 0, nullptr);
      av_channel_layout_uninit(&out);
      // A movie whose sound cannot be converted plays without it.
      if (ok < 0 || swr_init(swr_) < 0) {
        swr_free(&swr_);
        avcodec_free_context(&audioCtx_);
      }
    }
    if (audioCtx_ == nullptr) audioStream_ = -1;
  }
  return true;
}

void cMovieDecoder::Start() {
  if (worker_.joinable() || videoCtx_ == nullptr) return;
  stop_ = false;
  worker_ = std::thread([this] { Run(); });
}

void cMovieDecoder::Stop() {
  {
    std::lock_guard<std::mutex> g(mutex_);
    stop_ = true;
  }
  space_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void cMovieDecoder::Run() {
  AVPacket* pkt = av_packet_alloc();
  while (!stop_ && pkt != nullptr) {
    const int r = av_read_frame(format_, pkt);
    // The end, or a file damaged past here: what was read still plays.
    if (r < 0) break;
    if (pkt->stream_index == videoStream_) {
      if (avcodec_send_packet(videoCtx_, pkt) >= 0) DecodeVideo();
    } else if (pkt->stream_index == audioStream_) {
      if (avcodec_send_packet(audioCtx_, pkt) >= 0) DecodeSound();
    }
    av_packet_unref(pkt);
  }
  av_packet_free(&pkt);
  if (!stop_) {
    avcodec_send_packet(videoCtx_, nullptr);
    DecodeVideo();
    if (audioCtx_ != nullptr) {
      avcodec_send_packet(audioCtx_, nullptr);
      DecodeSound();
    }
  }
  eof_ = true;
}

void cMovieDecoder::DecodeVideo() {
  AVFrame* frame = av_frame_alloc();
  if (frame == nullptr) return;
  while (!stop_ && avcodec_receive_frame(videoCtx_, frame) >= 0) {
    // The stream's size is the picture's; frames of another size are scaled to it.
    sws_ = sws_getCachedContext(sws_, frame->width, frame->height, static_cast<AVPixelFormat>(frame->format), width_,
                                height_, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (sws_ == nullptr) break;
    sMovieFrame out;
    out.width = width_;
    out.height = height_;
    out.argb.resize(static_cast<size_t>(width_) * height_);
    // A8R8G8B8 in a little-endian word is B, G, R, A in memory.
    uint8_t* dst[1] = {reinterpret_cast<uint8_t*>(out.argb.data())};
    const int dstStride[1] = {width_ * 4};
    sws_scale(sws_, frame->data, frame->linesize, 0, frame->height, dst, dstStride);
    const int64_t ts = frame->best_effort_timestamp;
    const AVStream* vs = format_->streams[videoStream_];
    out.time = ts != AV_NOPTS_VALUE ? ts * av_q2d(vs->time_base) - videoStart_ : framesDecoded_ * frameDuration_;
    if (out.time < 0) out.time = 0;
    ++framesDecoded_;
    PushFrame(std::move(out));
    av_frame_unref(frame);
  }
  av_frame_free(&frame);
}

void cMovieDecoder::DecodeSound() {
  AVFrame* frame = av_frame_alloc();
  if (frame == nullptr) return;
  const int bpf = sound_.FrameBytes();
  while (!stop_ && avcodec_receive_frame(audioCtx_, frame) >= 0) {
    const int outSamples = swr_get_out_samples(swr_, frame->nb_samples);
    if (outSamples > 0) {
      soundScratch_.resize(static_cast<size_t>(outSamples) * bpf);
      uint8_t* dst[1] = {soundScratch_.data()};
      const int got = swr_convert(swr_, dst, outSamples, const_cast<const uint8_t**>(frame->extended_data),
                                  frame->nb_samples);
      if (got > 0) PushSound(soundScratch_.data(), static_cast<size_t>(got) * bpf);
    }
    av_frame_unref(frame);
  }
  av_frame_free(&frame);
}

void cMovieDecoder::PushFrame(sMovieFrame&& f) {
  std::unique_lock<std::mutex> lock(mutex_);
  space_.wait(lock, [this] { return stop_ || frames_.size() < kMaxQueuedFrames; });
  if (stop_) return;
  const double end = f.time + frameDuration_;
  if (end > endTime_.load()) endTime_ = end;
  frames_.push_back(std::move(f));
}

void cMovieDecoder::PushSound(const uint8_t* data, size_t bytes) {
  std::lock_guard<std::mutex> g(mutex_);
  sound_queue_.insert(sound_queue_.end(), data, data + bytes);
  const size_t bpf = static_cast<size_t>(sound_.FrameBytes());
  const size_t cap = static_cast<size_t>(kMaxQueuedSoundSeconds * sound_.frequency) * bpf;
  if (sound_queue_.size() > cap) {
    // Whole sample frames only, so the channels stay in step.
    const size_t excess = (sound_queue_.size() - cap + bpf - 1) / bpf * bpf;
    sound_queue_.erase(sound_queue_.begin(), sound_queue_.begin() + std::min(excess, sound_queue_.size()));
  }
}

bool cMovieDecoder::TakeFrameDue(double now, sMovieFrame& out) {
  bool got = false;
  {
    std::lock_guard<std::mutex> g(mutex_);
    while (!frames_.empty() && frames_.front().time <= now) {
      if (got) dropped_.fetch_add(1);
      out = std::move(frames_.front());
      frames_.pop_front();
      got = true;
    }
  }
  if (got) space_.notify_all();
  return got;
}

bool cMovieDecoder::Finished() {
  if (!eof_) return false;
  std::lock_guard<std::mutex> g(mutex_);
  return frames_.empty();
}

size_t cMovieDecoder::ReadSound(uint8_t* out, size_t bytes) {
  std::lock_guard<std::mutex> g(mutex_);
  const size_t n = std::min(bytes, sound_queue_.size());
  std::copy(sound_queue_.begin(), sound_queue_.begin() + static_cast<std::ptrdiff_t>(n), out);
  sound_queue_.erase(sound_queue_.begin(), sound_queue_.begin() + static_cast<std::ptrdiff_t>(n));
  return n;
}

namespace {
template <typename T, typename Wide>
void MixAs(uint8_t* into, const uint8_t* sound, size_t bytes, float gain, Wide lo, Wide hi, Wide centre) {
  const size_t n = bytes / sizeof(T);
  for (size_t i = 0; i < n; ++i) {
    T a, b;
    std::memcpy(&a, into + i * sizeof(T), sizeof(T));
    std::memcpy(&b, sound + i * sizeof(T), sizeof(T));
    Wide v;
    if constexpr (std::is_floating_point_v<T>) {
      v = static_cast<Wide>(a) + static_cast<Wide>(b) * gain;
    } else {
      v = static_cast<Wide>(a) + std::llround((static_cast<double>(b) - centre) * gain);
    }
    const T out = static_cast<T>(std::clamp(v, lo, hi));
    std::memcpy(into + i * sizeof(T), &out, sizeof(T));
  }
}
}  // namespace

bool MixMovieSound(uint8_t* into, const uint8_t* sound, size_t bytes, const sAudioFormat& format, float gain) {
  switch (format.bitsPerSample) {
    case 8:
      if (format.isFloat) return false;
      // Unsigned: silence is 128.
      MixAs<uint8_t, long long>(into, sound, bytes, gain, 0, 255, 128);
      return true;
    case 16:
      if (format.isFloat) return false;
      MixAs<int16_t, long long>(into, sound, bytes, gain, -32768, 32767, 0);
      return true;
    case 32:
      if (format.isFloat)
        MixAs<float, float>(into, sound, bytes, gain, -1.0f, 1.0f, 0.0f);
      else
        MixAs<int32_t, long long>(into, sound, bytes, gain, INT32_MIN, INT32_MAX, 0);
      return true;
    default:
      return false;
  }
}

float MovieSoundGain(int hundredthsOfDb) {
  if (hundredthsOfDb <= -10000) return 0.0f;
  if (hundredthsOfDb >= 0) return 1.0f;
  return static_cast<float>(std::pow(10.0, hundredthsOfDb / 2000.0));
}
