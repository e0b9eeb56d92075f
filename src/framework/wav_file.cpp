#include "framework/wav_file.h"

#include <algorithm>
#include <cstring>

#include "core/console.h"
#include "core/paths.h"
#include "core/random.h"
#include "core/text.h"

namespace {

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
bool IsId(const uint8_t* p, const char* id) { return std::memcmp(p, id, 4) == 0; }

constexpr size_t kRiffHeader = 12;
constexpr size_t kChunkHeader = 8;
constexpr uint32_t kPcmFmtBytes = 16;

}  // namespace

HRESULT CWaveReader::Fail(const std::wstring& file, const std::wstring& reason) {
  error_ = reason;
  LogLine(WFormat(L"ERROR: WAV file \"%s\": %s", file.c_str(), reason.c_str()));
  Close();
  return E_FAIL;
}

HRESULT CWaveReader::Open(const std::wstring& file) {
  Close();
  error_.clear();
  if (!ReadWholeFile(NativePath(file), bytes_)) return Fail(file, L"cannot be read");
  const HRESULT hr = ReadMMIO(file);
  if (FAILED(hr)) return hr;
  open_ = true;
  return ResetFile();
}

HRESULT CWaveReader::ReadMMIO(const std::wstring& file) {
  const size_t size = bytes_.size();
  if (size < kRiffHeader) return Fail(file, WFormat(L"%i bytes, too short for a RIFF header", static_cast<int>(size)));
  const uint8_t* b = bytes_.data();
  if (!IsId(b, "RIFF") || !IsId(b + 8, "WAVE")) return Fail(file, L"not a RIFF file of form WAVE");
  // A RIFF size beyond the file is tolerated as long as the chunks read
  // below lie inside it; a smaller one bounds the search.
  const uint64_t riffEnd = 8ull + U32(b + 4);
  const size_t end = static_cast<size_t>(std::min<uint64_t>(riffEnd, size));

  bool haveFormat = false;
  bool haveData = false;
  size_t pos = kRiffHeader;
  while (pos + kChunkHeader <= end) {
    const uint8_t* chunk = b + pos;
    const uint32_t chunkSize = U32(chunk + 4);
    const size_t body = pos + kChunkHeader;
    const bool isFormat = IsId(chunk, "fmt ");
    const bool isData = IsId(chunk, "data");
    if (chunkSize > end - body) {
      if (isFormat || isData)
        return Fail(file, WFormat(L"chunk \"%S\" of %u bytes runs past the end of the file",
                                  std::string(reinterpret_cast<const char*>(chunk), 4).c_str(), chunkSize));
      break;  // trailing bytes that are no whole chunk
    }
    if (isFormat && !haveFormat) {
      if (chunkSize < kPcmFmtBytes)
        return Fail(file, WFormat(L"\"fmt \" chunk of %u bytes, at least 16 needed", chunkSize));
      const uint8_t* f = b + body;
      format_.formatTag = U16(f);
      format_.channels = U16(f + 2);
      format_.samplesPerSec = U32(f + 4);
      format_.avgBytesPerSec = U32(f + 8);
      format_.blockAlign = U16(f + 12);
      format_.bitsPerSample = U16(f + 14);
      if (format_.formatTag != WAVE_FORMAT_PCM) {
        if (chunkSize < kPcmFmtBytes + 2) return Fail(file, L"\"fmt \" chunk of a non-PCM format lacks its extra-bytes count");
        format_.extraSize = U16(f + 16);
        if (format_.extraSize > chunkSize - kPcmFmtBytes - 2)
          return Fail(file, WFormat(L"\"fmt \" chunk announces %u extra bytes, holds %u", format_.extraSize,
                                    chunkSize - kPcmFmtBytes - 2));
        format_.extra.assign(f + 18, f + 18 + format_.extraSize);
      }
      haveFormat = true;
    } else if (isData && !haveData) {
      dataOffset_ = body;
      dataSize_ = chunkSize;
      haveData = true;
    }
    // Chunks are padded to an even length.
    pos = body + chunkSize + (chunkSize & 1u);
  }

  if (!haveFormat) return Fail(file, L"no \"fmt \" chunk");
  if (format_.channels == 0 || format_.samplesPerSec == 0 || format_.blockAlign == 0)
    return Fail(file, L"\"fmt \" chunk gives no channels, rate or block size");
  if (format_.formatTag == WAVE_FORMAT_PCM) {
    const uint16_t bits = format_.bitsPerSample;
    if (bits == 0 || bits % 8 != 0 || bits > 32) return Fail(file, WFormat(L"%u bits per PCM sample", bits));
    if (format_.blockAlign != format_.channels * (bits / 8))
      return Fail(file, WFormat(L"block size %u does not match %u channels of %u bits", format_.blockAlign,
                                format_.channels, bits));
  }
  if (!haveData) return Fail(file, L"no \"data\" chunk");
  if (dataSize_ == 0) return Fail(file, L"empty \"data\" chunk");
  return S_OK;
}

HRESULT CWaveReader::Close() {
  bytes_.clear();
  bytes_.shrink_to_fit();
  format_ = sWaveFormat();
  dataOffset_ = 0;
  dataSize_ = 0;
  readPos_ = 0;
  open_ = false;
  return S_OK;
}

HRESULT CWaveReader::ResetFile() {
  if (!open_) return CO_E_NOTINITIALIZED;
  readPos_ = 0;
  return S_OK;
}

HRESULT CWaveReader::Read(uint8_t* buffer, uint32_t size, uint32_t* bytesRead) {
  if (bytesRead != nullptr) *bytesRead = 0;
  if (!open_) return CO_E_NOTINITIALIZED;
  if (buffer == nullptr) return E_INVALIDARG;
  const uint32_t n = std::min(size, dataSize_ - readPos_);
  std::memcpy(buffer, bytes_.data() + dataOffset_ + readPos_, n);
  readPos_ += n;
  if (bytesRead != nullptr) *bytesRead = n;
  return S_OK;
}
