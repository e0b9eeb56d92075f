#pragma once
// Reader of RIFF WAVE files: the whole file is read at once and every chunk
// it relies on is checked against the file's bounds before use. A file the
// reader refuses logs one line that names the file and the reason.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/hresult.h"

constexpr uint16_t WAVE_FORMAT_PCM = 1;

// The "fmt " chunk.
struct sWaveFormat {
  uint16_t formatTag = 0;
  uint16_t channels = 0;
  uint32_t samplesPerSec = 0;
  uint32_t avgBytesPerSec = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
  // Only formats other than PCM carry a count and extra bytes.
  uint16_t extraSize = 0;
  std::vector<uint8_t> extra;
};

class CWaveReader {
 public:
  // Reads and checks the file (a game path, backslashes allowed): S_OK, or
  // E_FAIL when it is missing, malformed or holds no samples.
  HRESULT Open(const std::wstring& file);
  HRESULT Close();
  // Back to the first sample.
  HRESULT ResetFile();
  // Copies up to size bytes of samples from the read position, never past
  // the data chunk; bytesRead (optional) receives the count.
  HRESULT Read(uint8_t* buffer, uint32_t size, uint32_t* bytesRead);

  bool IsOpen() const { return open_; }
  // Bytes of sample data.
  uint32_t GetSize() const { return dataSize_; }
  const sWaveFormat& GetFormat() const { return format_; }
  // Why the last Open failed; empty after a success.
  const std::wstring& Error() const { return error_; }

 private:
  HRESULT Fail(const std::wstring& file, const std::wstring& reason);
  HRESULT ReadMMIO(const std::wstring& file);

  std::vector<uint8_t> bytes_;
  sWaveFormat format_;
  size_t dataOffset_ = 0;
  uint32_t dataSize_ = 0;
  uint32_t readPos_ = 0;
  bool open_ = false;
  std::wstring error_;
};
