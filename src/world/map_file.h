#pragma once
// The binary map file "map.hwd": a 268-byte header and one 37-byte record per
// hex, row by row, little-endian. Read and written field by field.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t kMapHeaderSize = 268;
constexpr size_t kHexRecordSize = 37;
constexpr size_t kMapHeaderTextSize = 255;
constexpr char kMapMagic[5] = {'H', 'w', 'D', 'v', '1'};

struct sMapFileHeader {
  uint8_t magic[5] = {};
  // Zero-terminated text and whatever follows it up to offset 259.
  uint8_t text[kMapHeaderTextSize] = {};
  // The f32 at offset 260 as its bits; always 1.0 when we write it.
  uint32_t scaleBits = 0;
  uint16_t width = 0;
  uint16_t height = 0;
};

// Byte 35 of a record.
constexpr uint8_t kHexFlagCoastal = 0x01;
constexpr uint8_t kHexFlagNoWeatherRoll = 0x02;

struct sHexFileRecord {
  uint8_t terrain = 0;
  uint8_t fileByte1 = 0;
  uint8_t rivers = 0;
  uint16_t seaZone = 0;
  uint8_t tileVariant = 0;
  uint8_t controller = 0;
  uint8_t owner = 0;
  uint8_t originalOwner = 0;
  uint8_t fort = 0;
  uint8_t mudChance[12] = {};
  uint8_t winterChance[12] = {};
  uint8_t weather = 0;
  uint8_t flags = 0;
  uint8_t spare = 0;  // byte 36, not read by the game
  bool operator==(const sHexFileRecord&) const = default;
};

// A whole map file as it is on disk.
struct sMapFileImage {
  sMapFileHeader header;
  std::vector<sHexFileRecord> records;  // width x height, row by row
};

enum class eMapFileError {
  kNone,
  kShorterThanHeader,
  kBadMagic,
  kZeroSize,
  kTruncated,  // fewer bytes than the header's width x height records need
};

// The header of a map we write: magic, our text, 1.0, the size.
sMapFileHeader MakeMapFileHeader(int width, int height);
float HeaderScale(const sMapFileHeader& header);
// The text of the header up to its terminating zero.
std::string HeaderText(const sMapFileHeader& header);

void DecodeMapHeader(const uint8_t* p, sMapFileHeader& out);
void EncodeMapHeader(const sMapFileHeader& header, uint8_t* p);
void DecodeHexRecord(const uint8_t* p, sHexFileRecord& out);
void EncodeHexRecord(const sHexFileRecord& rec, uint8_t* p);

// Decodes the header and checks that the records it announces are there.
eMapFileError CheckMapFile(const uint8_t* data, size_t size, sMapFileHeader& header);
// Checks and decodes a whole file. Bytes beyond the last record are ignored.
eMapFileError ParseMapFile(const uint8_t* data, size_t size, sMapFileImage& out);
std::vector<uint8_t> SerializeMapFile(const sMapFileImage& image);

// The number of bytes a map of that size takes.
uint64_t MapFileSize(int width, int height);
