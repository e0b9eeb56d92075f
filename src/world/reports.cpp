#include "world/reports.h"

#include <cstdio>
#include <cstring>

#include "core/console.h"
#include "core/front_end.h"
#include "core/paths.h"
#include "core/random.h"
#include "core/text.h"
#include "persistence/save_file.h"
#include "world/folder_template.h"
#include "world/game.h"

namespace {

constexpr char kMagic[5] = {'H', 'w', 'D', 'v', '1'};
constexpr size_t kFieldsPerEntry = 7;

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// Reads from a buffer with every read checked against its end.
class cReader {
 public:
  explicit cReader(const std::vector<uint8_t>& b) : b_(b) {}
  bool U32(uint32_t& v) {
    if (b_.size() - pos_ < 4) return false;
    v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(b_[pos_ + static_cast<size_t>(i)]) << (8 * i);
    pos_ += 4;
    return true;
  }
  bool I32(int32_t& v) {
    uint32_t u = 0;
    if (!U32(u)) return false;
    v = static_cast<int32_t>(u);
    return true;
  }
  size_t Left() const { return b_.size() - pos_; }
  const uint8_t* Here() const { return b_.data() + pos_; }
  void Skip(size_t n) { pos_ += n; }

 private:
  const std::vector<uint8_t>& b_;
  size_t pos_ = 0;
};

}  // namespace

void cRaporty::CollectReports(std::vector<sRaport>& out, int countryId, int kind) const {
  out.clear();
  for (const sRaport& r : reports)
    if (r.kind == kind && r.countryId == countryId) out.push_back(r);
}

std::vector<uint8_t> cRaporty::Serialize() const {
  std::vector<uint8_t> out(kMagic, kMagic + sizeof kMagic);
  PutU32(out, static_cast<uint32_t>(reports.size()));
  for (const sRaport& r : reports) {
    // The flag is stored before the country.
    for (int32_t v : {r.kind, r.year, r.month, r.day, r.turn, r.flag, r.countryId}) PutU32(out, static_cast<uint32_t>(v));
    const std::string units = WideToUtf16Le(r.text);
    PutU32(out, static_cast<uint32_t>(units.size() / 2));
    out.insert(out.end(), units.begin(), units.end());
  }
  return out;
}

bool cRaporty::Deserialize(const std::vector<uint8_t>& bytes) {
  reports.clear();
  if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) return false;
  cReader in(bytes);
  in.Skip(sizeof kMagic);
  uint32_t count = 0;
  if (!in.U32(count)) return false;
  // Every entry takes at least its fields and its length: a count the file
  // cannot hold is damage, not a reason to reserve memory.
  if (count > in.Left() / ((kFieldsPerEntry + 1) * 4)) return false;
  std::list<sRaport> loaded;
  for (uint32_t i = 0; i < count; ++i) {
    sRaport r;
    int32_t length = 0;
    if (!in.I32(r.kind) || !in.I32(r.year) || !in.I32(r.month) || !in.I32(r.day) || !in.I32(r.turn) ||
        !in.I32(r.flag) || !in.I32(r.countryId) || !in.I32(length))
      return false;
    if (length > 0) {
      const size_t bytesOfText = static_cast<size_t>(length) * 2;
      if (static_cast<size_t>(length) > in.Left() / 2) return false;
      r.text = Utf16LeToWide(in.Here(), bytesOfText);
      in.Skip(bytesOfText);
    }
    loaded.push_back(std::move(r));
  }
  reports.swap(loaded);
  return true;
}

void AddReport(sRaport report) {
  if (gGra == nullptr) return;
  if (gGra->reports == nullptr) gGra->reports = new cRaporty();
  report.year = gGra->date.year;
  report.month = gGra->date.month;
  report.day = gGra->date.GetDayOfMonth(gGra->consts.turnsPerMonth);
  report.turn = gGra->turn;
  gGra->reports->Append(report);
}

void AddReport(int kind, int countryId, const std::wstring& text) {
  sRaport r;
  r.kind = kind;
  r.countryId = countryId;
  r.text = text;
  AddReport(std::move(r));
}

void SaveReports(const std::wstring& folder) {
  const std::wstring path = folder + L"\\reports.dat";
  std::FILE* f = OpenGameFile(path, "wb");
  if (f == nullptr) SaveFailed(L"ERROR: Opening reports file for writing");
  LogLine(L"Reports file opened OK");
  const std::vector<uint8_t> bytes =
      gGra != nullptr && gGra->reports != nullptr ? gGra->reports->Serialize() : cRaporty().Serialize();
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (std::fclose(f) != 0 || !ok) SaveFailed(L"ERROR: Writing reports file " + path);
}

void LoadReports(const std::wstring& pathTemplate) {
  const std::wstring path = FormatFolderTemplate(pathTemplate, L"reports.dat");
  std::vector<uint8_t> bytes;
  if (!FileExists(path) || !ReadWholeFile(NativePath(path), bytes)) FatalExit(L"ERROR: Opening reports file for reading");
  if (gGra == nullptr) return;
  if (gGra->reports == nullptr) gGra->reports = new cRaporty();
  if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
    gGra->reports->reports.clear();
    return;
  }
  LogLine(L"Reports file opened OK");
  if (!gGra->reports->Deserialize(bytes))
    LogLine(L"ERROR: reports file " + path + L" is damaged (a count or a length beyond its end); no reports loaded");
}
