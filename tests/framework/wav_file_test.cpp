#include "framework/wav_file.h"

#include <gtest/gtest.h>

#include "framework/wav_builder.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"

namespace {

using namespace std::string_literals;

class WaveReaderTest : public cOneFileTest {
 protected:
  WaveReaderTest() : cOneFileTest("wav", "sound.wav") {}
};

struct sBadWav {
  const char* what;
  std::string bytes;
  const wchar_t* reason;  // a part of the logged reason
};

std::string FloatFmtWithExtra(uint16_t announced, size_t present) {
  std::string b = FmtBody(3, 1, 22050, 32);
  PutLe(b, announced, 2);
  b += std::string(present, 'x');
  return b;
}

TEST_F(WaveReaderTest, RefusesEveryMalformedHeaderWithItsReason) {
  const std::string data = SquareSamples(100);
  const std::vector<sBadWav> cases = {
      {"shorter than a RIFF header", "RIFF\x04\0\0\0WA"s, L"too short"},
      {"not RIFF", "RIFX" + Pcm8(data).substr(4), L"not a RIFF file"},
      {"form not WAVE", Riff({{"fmt ", FmtBody(1, 1, 22050, 8)}, {"data", data}}, 0, "AVI "), L"not a RIFF file"},
      {"fmt of 14 bytes", Riff({{"fmt ", FmtBody(1, 1, 22050, 8).substr(0, 14)}, {"data", data}}), L"at least 16"},
      {"non-PCM fmt without its count", Riff({{"fmt ", FmtBody(3, 1, 22050, 32)}, {"data", data}}),
       L"extra-bytes count"},
      {"extra bytes beyond the fmt chunk", Riff({{"fmt ", FloatFmtWithExtra(10, 4)}, {"data", data}}),
       L"announces 10 extra bytes"},
      {"no fmt chunk", Riff({{"data", data}}), L"no \"fmt \" chunk"},
      {"no data chunk", Riff({{"fmt ", FmtBody(1, 1, 22050, 8)}}), L"no \"data\" chunk"},
      {"empty data chunk", Riff({{"fmt ", FmtBody(1, 1, 22050, 8)}, {"data", ""}}), L"empty \"data\" chunk"},
      {"data past the end of the file", Riff({{"fmt ", FmtBody(1, 1, 22050, 8)}, {"data", data, 5000}}, 0),
       L"runs past the end"},
      {"fmt past the end of the file", Riff({{"fmt ", FmtBody(1, 1, 22050, 8), 400}}), L"runs past the end"},
      {"block size that does not match", Riff({{"fmt ", FmtBody(1, 2, 22050, 16, 2)}, {"data", data}}),
       L"block size 2"},
      {"no channels", Riff({{"fmt ", FmtBody(1, 0, 22050, 8, 1)}, {"data", data}}), L"no channels"},
      {"12-bit samples", Riff({{"fmt ", FmtBody(1, 1, 22050, 12, 2)}, {"data", data}}), L"12 bits"},
  };
  for (const sBadWav& c : cases) {
    SCOPED_TRACE(c.what);
    Write(c.bytes);
    cLogCapture log;
    CWaveReader reader;
    EXPECT_EQ(reader.Open(Path()), E_FAIL);
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_NE(reader.Error().find(c.reason), std::wstring::npos) << WideToUtf8(reader.Error());
    EXPECT_EQ(log.CountContaining(L"ERROR: WAV file \"" + Path() + L"\""), 1);
    uint8_t buf[4];
    EXPECT_EQ(reader.Read(buf, 4, nullptr), CO_E_NOTINITIALIZED);
  }
}

TEST_F(WaveReaderTest, MissingFileIsRefused) {
  cLogCapture log;
  CWaveReader reader;
  EXPECT_EQ(reader.Open(Path()), E_FAIL);
  EXPECT_TRUE(log.HasPrefix(L"ERROR: WAV file"));
}

TEST_F(WaveReaderTest, ReadsSamplesInPiecesNeverPastTheDataChunk) {
  const std::string data = SquareSamples(101);  // odd: the chunk is padded
  // A list chunk before the format and one after the data, as editors write them.
  Write(Riff({{"LIST", "INFOISFT\x03\0\0\0abc"s}, {"fmt ", FmtBody(1, 1, 11025, 8)}, {"data", data}, {"junk", "zz"}}));
  CWaveReader reader;
  ASSERT_EQ(reader.Open(Path()), S_OK);
  EXPECT_EQ(reader.GetSize(), 101u);
  EXPECT_EQ(reader.GetFormat().samplesPerSec, 11025u);
  EXPECT_EQ(reader.GetFormat().bitsPerSample, 8);

  std::vector<uint8_t> got(150, 0xEE);
  uint32_t n = 0;
  ASSERT_EQ(reader.Read(got.data(), 60, &n), S_OK);
  EXPECT_EQ(n, 60u);
  ASSERT_EQ(reader.Read(got.data() + 60, 90, &n), S_OK);
  EXPECT_EQ(n, 41u);
  EXPECT_EQ(std::string(got.begin(), got.begin() + 101), data);
  EXPECT_EQ(got[101], 0xEE);  // nothing written past the samples
  ASSERT_EQ(reader.Read(got.data(), 10, &n), S_OK);
  EXPECT_EQ(n, 0u);

  ASSERT_EQ(reader.ResetFile(), S_OK);
  ASSERT_EQ(reader.Read(got.data(), 3, &n), S_OK);
  EXPECT_EQ(std::string(got.begin(), got.begin() + 3), data.substr(0, 3));
  EXPECT_EQ(reader.Read(nullptr, 3, &n), E_INVALIDARG);
}

TEST_F(WaveReaderTest, AcceptsDataBeforeFormatExtraBytesAndAnOverstatedRiffSize) {
  const std::string data = SquareSamples(64);
  std::string fmt = FloatFmtWithExtra(2, 2);
  Write(Riff({{"data", data}, {"fmt ", fmt}}, 1000));
  CWaveReader reader;
  ASSERT_EQ(reader.Open(Path()), S_OK);
  EXPECT_EQ(reader.GetFormat().formatTag, 3);
  EXPECT_EQ(reader.GetFormat().extraSize, 2);
  EXPECT_EQ(reader.GetFormat().extra, std::vector<uint8_t>({'x', 'x'}));
  EXPECT_EQ(reader.GetSize(), 64u);
  // Reopening another file forgets the first.
  Write(Pcm8(SquareSamples(10)));
  ASSERT_EQ(reader.Open(Path()), S_OK);
  EXPECT_EQ(reader.GetFormat().formatTag, 1);
  EXPECT_TRUE(reader.GetFormat().extra.empty());
  EXPECT_EQ(reader.GetSize(), 10u);
}

}  // namespace
