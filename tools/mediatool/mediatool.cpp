// Writes the game's music files and movies from nothing but arithmetic:
//   mediatool <repository root>
// Music: 8-bit mono PCM WAV melodies under data/Music, and the credits music
// in Ogg Vorbis (data/credits.ogg). Movies: MPEG-4 part 2
// video with 8-bit PCM sound in AVI, a few seconds of flat-coloured pictures
// each, under data/ and the test movie under tests/data/movie.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/imgutils.h>
}

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct sRgb {
  int r, g, b;
};

// ---- Music -----------------------------------------------------------------

constexpr int kMusicRate = 11025;

void PutLe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

bool WriteWav(const std::filesystem::path& path, const std::vector<uint8_t>& samples) {
  std::vector<uint8_t> out;
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  PutLe(out, static_cast<uint32_t>(36 + samples.size()), 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  PutLe(out, 16, 4);
  PutLe(out, 1, 2);  // PCM
  PutLe(out, 1, 2);  // mono
  PutLe(out, kMusicRate, 4);
  PutLe(out, kMusicRate, 4);  // bytes per second
  PutLe(out, 1, 2);           // block align
  PutLe(out, 8, 2);           // bits
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  PutLe(out, static_cast<uint32_t>(samples.size()), 4);
  out.insert(out.end(), samples.begin(), samples.end());
  std::FILE* f = std::fopen(path.string().c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  return std::fclose(f) == 0 && ok;
}

// A melody of equal notes (semitones above A3, -100 a rest), each with a
// short attack and decay, plus a quiet fifth below for body.
std::vector<uint8_t> Melody(const std::vector<int>& notes, double noteSeconds) {
  std::vector<uint8_t> s;
  const int perNote = static_cast<int>(noteSeconds * kMusicRate);
  for (int n : notes) {
    const double f = 220.0 * std::pow(2.0, n / 12.0);
    for (int i = 0; i < perNote; ++i) {
      const double t = static_cast<double>(i) / kMusicRate;
      const double env = std::min(1.0, i / 200.0) * std::min(1.0, (perNote - i) / 600.0);
      double v = 0.0;
      if (n > -100) v = env * (0.6 * std::sin(2 * kPi * f * t) + 0.2 * std::sin(2 * kPi * f * 2.0 / 3.0 * t));
      s.push_back(static_cast<uint8_t>(std::lround(128.0 + 100.0 * v)));
    }
  }
  return s;
}

// ---- Movies ----------------------------------------------------------------

constexpr int kMovieW = 160;
constexpr int kMovieH = 120;
constexpr int kMovieFps = 10;
constexpr int kMovieAudioRate = 11025;

// A picture: the colour of each pixel at frame i.
using Picture = std::function<sRgb(int frame, int x, int y)>;
// A sound: the sample (-1..1) at time t.
using Sound = std::function<double(double t)>;

uint8_t Clamp8(double v) { return static_cast<uint8_t>(std::lround(std::min(255.0, std::max(0.0, v)))); }

bool Check(int r, const char* what) {
  if (r < 0) {
    char buf[256];
    av_strerror(r, buf, sizeof buf);
    std::fprintf(stderr, "mediatool: %s: %s\n", what, buf);
    return false;
  }
  return true;
}

bool Drain(AVFormatContext* oc, AVCodecContext* c, AVStream* st, AVFrame* frame) {
  if (!Check(avcodec_send_frame(c, frame), "encode")) return false;
  AVPacket* pkt = av_packet_alloc();
  int r;
  while ((r = avcodec_receive_packet(c, pkt)) >= 0) {
    av_packet_rescale_ts(pkt, c->time_base, st->time_base);
    pkt->stream_index = st->index;
    if (!Check(av_interleaved_write_frame(oc, pkt), "write")) {
      av_packet_free(&pkt);
      return false;
    }
  }
  av_packet_free(&pkt);
  return r == AVERROR(EAGAIN) || r == AVERROR_EOF;
}

bool WriteMovie(const std::filesystem::path& path, int frames, const Picture& picture, const Sound& sound) {
  AVFormatContext* oc = nullptr;
  if (!Check(avformat_alloc_output_context2(&oc, nullptr, "avi", path.string().c_str()), "output")) return false;
  oc->flags |= AVFMT_FLAG_BITEXACT;
  bool ok = false;
  AVCodecContext* vc = nullptr;
  AVCodecContext* ac = nullptr;
  AVFrame* vf = av_frame_alloc();
  AVFrame* af = av_frame_alloc();
  do {
    const AVCodec* venc = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
    const AVCodec* aenc = avcodec_find_encoder(AV_CODEC_ID_PCM_U8);
    if (venc == nullptr || aenc == nullptr) break;
    vc = avcodec_alloc_context3(venc);
    vc->width = kMovieW;
    vc->height = kMovieH;
    vc->time_base = {1, kMovieFps};
    vc->framerate = {kMovieFps, 1};
    vc->pix_fmt = AV_PIX_FMT_YUV420P;
    vc->gop_size = kMovieFps;
    vc->bit_rate = 150000;
    vc->flags |= AV_CODEC_FLAG_BITEXACT;
    ac = avcodec_alloc_context3(aenc);
    ac->sample_fmt = AV_SAMPLE_FMT_U8;
    ac->sample_rate = kMovieAudioRate;
    av_channel_layout_default(&ac->ch_layout, 1);
    ac->time_base = {1, kMovieAudioRate};
    if (oc->oformat->flags & AVFMT_GLOBALHEADER) {
      vc->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
      ac->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    if (!Check(avcodec_open2(vc, venc, nullptr), "video codec") || !Check(avcodec_open2(ac, aenc, nullptr), "audio codec"))
      break;
    AVStream* vs = avformat_new_stream(oc, nullptr);
    AVStream* as = avformat_new_stream(oc, nullptr);
    avcodec_parameters_from_context(vs->codecpar, vc);
    avcodec_parameters_from_context(as->codecpar, ac);
    vs->time_base = vc->time_base;
    as->time_base = ac->time_base;
    if (!Check(avio_open(&oc->pb, path.string().c_str(), AVIO_FLAG_WRITE), "open")) break;
    if (!Check(avformat_write_header(oc, nullptr), "header")) break;

    vf->format = vc->pix_fmt;
    vf->width = kMovieW;
    vf->height = kMovieH;
    av_frame_get_buffer(vf, 0);
    const int perFrame = kMovieAudioRate / kMovieFps;
    af->format = ac->sample_fmt;
    af->sample_rate = kMovieAudioRate;
    av_channel_layout_copy(&af->ch_layout, &ac->ch_layout);
    af->nb_samples = perFrame;
    av_frame_get_buffer(af, 0);

    ok = true;
    for (int i = 0; i < frames && ok; ++i) {
      av_frame_make_writable(vf);
      for (int y = 0; y < kMovieH; ++y) {
        for (int x = 0; x < kMovieW; ++x) {
          const sRgb c = picture(i, x, y);
          // BT.601, limited range: what a decoder's default conversion undoes.
          vf->data[0][y * vf->linesize[0] + x] = Clamp8(16 + 0.257 * c.r + 0.504 * c.g + 0.098 * c.b);
          if (x % 2 == 0 && y % 2 == 0) {
            vf->data[1][(y / 2) * vf->linesize[1] + x / 2] = Clamp8(128 - 0.148 * c.r - 0.291 * c.g + 0.439 * c.b);
            vf->data[2][(y / 2) * vf->linesize[2] + x / 2] = Clamp8(128 + 0.439 * c.r - 0.368 * c.g - 0.071 * c.b);
          }
        }
      }
      vf->pts = i;
      ok = Drain(oc, vc, vs, vf);
      av_frame_make_writable(af);
      for (int s = 0; s < perFrame; ++s)
        af->data[0][s] = Clamp8(128.0 + 100.0 * sound(static_cast<double>(i * perFrame + s) / kMovieAudioRate));
      af->pts = static_cast<int64_t>(i) * perFrame;
      ok = ok && Drain(oc, ac, as, af);
    }
    ok = ok && Drain(oc, vc, vs, nullptr) && Drain(oc, ac, as, nullptr);
    ok = ok && Check(av_write_trailer(oc), "trailer");
  } while (false);
  av_frame_free(&vf);
  av_frame_free(&af);
  avcodec_free_context(&vc);
  avcodec_free_context(&ac);
  if (oc->pb != nullptr) avio_closep(&oc->pb);
  avformat_free_context(oc);
  if (!ok) std::fprintf(stderr, "mediatool: could not write %s\n", path.string().c_str());
  return ok;
}

// Ogg Vorbis through libavcodec's encoder, mono, 22050 samples a second.
bool WriteOgg(const std::filesystem::path& path, double seconds, const Sound& sound) {
  AVFormatContext* oc = nullptr;
  if (!Check(avformat_alloc_output_context2(&oc, nullptr, "ogg", path.string().c_str()), "output")) return false;
  // Fixed stream serials and no version strings: the same input writes the same bytes.
  oc->flags |= AVFMT_FLAG_BITEXACT;
  bool ok = false;
  AVCodecContext* ac = nullptr;
  AVFrame* af = av_frame_alloc();
  do {
    // The reference encoder; the built-in one is experimental.
    const AVCodec* enc = avcodec_find_encoder_by_name("libvorbis");
    if (enc == nullptr) enc = avcodec_find_encoder(AV_CODEC_ID_VORBIS);
    if (enc == nullptr) break;
    ac = avcodec_alloc_context3(enc);
    ac->sample_fmt = AV_SAMPLE_FMT_FLTP;
    ac->sample_rate = 22050;
    av_channel_layout_default(&ac->ch_layout, 1);
    ac->time_base = {1, ac->sample_rate};
    ac->bit_rate = 48000;
    ac->flags |= AV_CODEC_FLAG_BITEXACT;
    if (oc->oformat->flags & AVFMT_GLOBALHEADER) ac->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (!Check(avcodec_open2(ac, enc, nullptr), "vorbis")) break;
    AVStream* as = avformat_new_stream(oc, nullptr);
    avcodec_parameters_from_context(as->codecpar, ac);
    as->time_base = ac->time_base;
    if (!Check(avio_open(&oc->pb, path.string().c_str(), AVIO_FLAG_WRITE), "open")) break;
    if (!Check(avformat_write_header(oc, nullptr), "header")) break;
    const int perFrame = ac->frame_size > 0 ? ac->frame_size : 1024;
    af->format = ac->sample_fmt;
    af->sample_rate = ac->sample_rate;
    av_channel_layout_copy(&af->ch_layout, &ac->ch_layout);
    af->nb_samples = perFrame;
    av_frame_get_buffer(af, 0);
    const int64_t total = static_cast<int64_t>(seconds * ac->sample_rate);
    ok = true;
    for (int64_t at = 0; at < total && ok; at += perFrame) {
      av_frame_make_writable(af);
      af->nb_samples = static_cast<int>(std::min<int64_t>(perFrame, total - at));
      float* out = reinterpret_cast<float*>(af->data[0]);
      for (int i = 0; i < af->nb_samples; ++i) out[i] = static_cast<float>(sound(static_cast<double>(at + i) / ac->sample_rate));
      af->pts = at;
      ok = Drain(oc, ac, as, af);
    }
    ok = ok && Drain(oc, ac, as, nullptr) && Check(av_write_trailer(oc), "trailer");
  } while (false);
  av_frame_free(&af);
  avcodec_free_context(&ac);
  if (oc->pb != nullptr) avio_closep(&oc->pb);
  avformat_free_context(oc);
  if (!ok) std::fprintf(stderr, "mediatool: could not write %s\n", path.string().c_str());
  return ok;
}

Sound Tone(double hz, double amplitude = 0.5) {
  return [=](double t) { return amplitude * std::sin(2 * kPi * hz * t); };
}

// A flat background with a square of another colour travelling across.
Picture MovingSquare(sRgb back, sRgb square, int frames, bool vertical) {
  return [=](int i, int x, int y) {
    const int size = 32;
    const int travel = (vertical ? kMovieH : kMovieW) - size;
    const int at = frames > 1 ? travel * i / (frames - 1) : 0;
    const int sx = vertical ? (kMovieW - size) / 2 : at;
    const int sy = vertical ? at : (kMovieH - size) / 2;
    return (x >= sx && x < sx + size && y >= sy && y < sy + size) ? square : back;
  };
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: mediatool <repository root>\n");
    return 2;
  }
  av_log_set_level(AV_LOG_ERROR);
  const std::filesystem::path root = argv[1];
  const std::filesystem::path music = root / "data" / "Music";
  std::filesystem::create_directories(music);
  std::filesystem::create_directories(root / "tests" / "data" / "movie");
  bool ok = true;
  const int R = -100;
  ok &= WriteWav(music / "march_a.wav", Melody({0, 4, 7, 12, 7, 4, 0, R, 5, 9, 12, 9}, 0.25));
  ok &= WriteWav(music / "march_b.wav", Melody({-5, -1, 2, 7, 2, -1, -5, R, 0, 4, 7, 4}, 0.25));
  ok &= WriteWav(music / "march_c.wav", Melody({3, 7, 10, 15, 10, 7, 3, R, 2, 5, 10, 5}, 0.25));
  ok &= WriteWav(music / "IntroLogo.wav", Melody({0, 7, 12, R}, 0.5));
  ok &= WriteWav(music / "IntroGameLogo.wav", Melody({12, 7, 4, 0}, 0.5));
  ok &= WriteWav(music / "MainMenuMusicLoop.wav", Melody({0, 4, 7, 4, 5, 9, 12, 9, 7, 4, 2, -1}, 1.0 / 3.0));

  ok &= WriteMovie(root / "data" / "intro.avi", 30, MovingSquare({20, 30, 90}, {230, 200, 40}, 30, false),
                   [](double t) { return 0.4 * std::sin(2 * kPi * (220.0 + 60.0 * t) * t); });
  ok &= WriteMovie(root / "data" / "intro2.avi", 20, MovingSquare({30, 80, 30}, {200, 40, 40}, 20, true), Tone(330));
  ok &= WriteMovie(root / "data" / "intro3.avi", 20,
                   [](int i, int, int) {
                     const int v = 180 - 8 * i;
                     return sRgb{v, v, v};
                   },
                   Tone(262));
  ok &= WriteMovie(root / "data" / "credits.avi", 40,
                   [](int i, int, int y) {
                     const bool bar = ((y + 3 * i) / 12) % 3 == 0;
                     return bar ? sRgb{230, 230, 230} : sRgb{10, 10, 10};
                   },
                   Tone(196, 0.3));
  // The credits music, as long as the credits movie: a slow falling arpeggio.
  ok &= WriteOgg(root / "data" / "credits.ogg", 4.0, [](double t) {
    const double notes[] = {392.0, 329.6, 261.6, 196.0};
    const int n = static_cast<int>(t) % 4;
    const double in = t - std::floor(t);
    return 0.5 * std::min(1.0, in * 20) * (1.0 - in) * std::sin(2 * kPi * notes[n] * t);
  });
  // The test movie, whose plan the tests check against: one second at 10
  // frames a second, frames 0-4 red (200, 30, 30), 5-9 blue (30, 30, 200),
  // a 440 Hz tone.
  ok &= WriteMovie(root / "tests" / "data" / "movie" / "test_movie.avi", 10,
                   [](int i, int, int) { return i < 5 ? sRgb{200, 30, 30} : sRgb{30, 30, 200}; }, Tone(440));
  return ok ? 0 : 1;
}
