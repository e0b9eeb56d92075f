#pragma once
// Builds RIFF WAVE files byte by byte for the reader's tests, including
// malformed ones.
#include <cstdint>
#include <string>
#include <vector>

inline void PutLe(std::string& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

struct sWavChunk {
  std::string id;
  std::string body;
  // The size written in the header; -1 for the body's length.
  int64_t declaredSize = -1;
};

// The body of a "fmt " chunk; block align 0 means channels * bits / 8.
inline std::string FmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, uint16_t blockAlign = 0) {
  if (blockAlign == 0) blockAlign = static_cast<uint16_t>(channels * (bits / 8));
  std::string b;
  PutLe(b, tag, 2);
  PutLe(b, channels, 2);
  PutLe(b, rate, 4);
  PutLe(b, rate * blockAlign, 4);
  PutLe(b, blockAlign, 2);
  PutLe(b, bits, 2);
  return b;
}

// Chunks are padded to even length; riffSizeDelta is added to the true RIFF size.
inline std::string Riff(const std::vector<sWavChunk>& chunks, int64_t riffSizeDelta = 0, const char* form = "WAVE") {
  std::string body = form;
  for (const sWavChunk& c : chunks) {
    body += c.id;
    PutLe(body, static_cast<uint32_t>(c.declaredSize >= 0 ? c.declaredSize : static_cast<int64_t>(c.body.size())), 4);
    body += c.body;
    if (c.body.size() % 2 != 0) body.push_back('\0');
  }
  std::string out = "RIFF";
  PutLe(out, static_cast<uint32_t>(static_cast<int64_t>(body.size()) + riffSizeDelta), 4);
  return out + body;
}

// A mono 22050 Hz 8-bit PCM file of the given samples.
inline std::string Pcm8(const std::string& samples, uint32_t rate = 22050) {
  return Riff({{"fmt ", FmtBody(1, 1, rate, 8)}, {"data", samples}});
}

// n samples of a square wave, loud enough to hear.
inline std::string SquareSamples(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i / 25) % 2 != 0 ? 200 : 56);
  return s;
}
