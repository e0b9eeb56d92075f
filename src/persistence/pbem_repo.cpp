// "data\pbem\repo.dat": records of 504 bytes, a PBEM game name of 250
// UTF-16LE code units (zero-terminated) and the u32 PBEM player id whose
// turn it is.
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "core/console.h"
#include "core/front_end.h"
#include "core/paths.h"
#include "core/text.h"
#include "persistence/saver.h"
#include "world/country.h"
#include "world/game.h"

namespace {

constexpr const wchar_t* kRepoPath = L"data\\pbem\\repo.dat";
constexpr size_t kNameBytes = kPbemRepoNameUnits * 2;

using tRecord = std::array<uint8_t, kPbemRepoRecordSize>;

// The name's code units as a record holds them: at most 249 and the
// terminator, never half a surrogate pair.
std::string NameUnits(const std::wstring& name) {
  std::string units = WideToUtf16Le(name);
  const size_t maxBytes = kNameBytes - 2;
  if (units.size() > maxBytes) {
    units.resize(maxBytes);
    const unsigned last = static_cast<uint8_t>(units[maxBytes - 2]) | (static_cast<uint8_t>(units[maxBytes - 1]) << 8);
    if (last >= 0xD800 && last <= 0xDBFF) units.resize(maxBytes - 2);
  }
  return units;
}

// The zero-terminated name of a record, as code-unit bytes.
std::string RecordNameUnits(const tRecord& r) {
  size_t end = 0;
  while (end + 1 < kNameBytes && (r[end] != 0 || r[end + 1] != 0)) end += 2;
  return std::string(reinterpret_cast<const char*>(r.data()), end);
}

uint32_t RecordId(const tRecord& r) {
  return static_cast<uint32_t>(r[500]) | (static_cast<uint32_t>(r[501]) << 8) | (static_cast<uint32_t>(r[502]) << 16) |
         (static_cast<uint32_t>(r[503]) << 24);
}

tRecord MakeRecord(uint32_t id, const std::string& nameUnits) {
  tRecord r{};
  std::copy(nameUnits.begin(), nameUnits.end(), r.begin());
  for (int i = 0; i < 4; ++i) r[500 + static_cast<size_t>(i)] = static_cast<uint8_t>(id >> (8 * i));
  return r;
}

// Opens the repository for reading and updating, created empty (with its
// folder) when missing; ends the program when that cannot be done.
std::FILE* OpenRepo() {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(NativePath(std::wstring(L"data\\pbem"))), ec);
  std::FILE* f = OpenGameFile(kRepoPath, "r+b");
  if (f == nullptr) f = OpenGameFile(kRepoPath, "w+b");
  if (f == nullptr) FatalExit(L"ERROR: unable to open repo.dat. Exiting", 1, false);
  return f;
}

long FileLength(std::FILE* f) {
  std::fseek(f, 0, SEEK_END);
  return std::ftell(f);
}

// The index of the first whole record holding the name, -1 for none.
long FindRecord(std::FILE* f, const std::string& nameUnits, tRecord& found) {
  const long records = FileLength(f) / static_cast<long>(kPbemRepoRecordSize);
  std::fseek(f, 0, SEEK_SET);
  for (long i = 0; i < records; ++i) {
    if (std::fread(found.data(), 1, found.size(), f) != found.size()) return -1;
    if (RecordNameUnits(found) == nameUnits) return i;
  }
  return -1;
}

}  // namespace

void WritePbemRepoEntry(uint32_t playerId, const std::wstring& gameName) {
  const std::string units = NameUnits(gameName);
  const tRecord record = MakeRecord(playerId, units);
  std::FILE* f = OpenRepo();
  tRecord existing{};
  const long index = FindRecord(f, units, existing);
  const long size = static_cast<long>(kPbemRepoRecordSize);
  if (index >= 0) {
    std::fseek(f, index * size, SEEK_SET);
  } else {
    // Records are read in steps of 504 bytes from the start: one behind a
    // record cut off by a failed write would never be found again, and the
    // step over it would read ids out of the wrong bytes. The new record
    // takes the cut one's place.
    const long length = FileLength(f);
    if (length % size != 0)
      LogLine(WFormat(L"WARNING: repo.dat ends in %i bytes of a cut-off record; the record of %s takes their place",
                      static_cast<int>(length % size), gameName.c_str()));
    std::fseek(f, length / size * size, SEEK_SET);
  }
  const bool written = std::fwrite(record.data(), 1, record.size(), f) == record.size();
  if (std::fclose(f) != 0 || !written) LogLine(L"ERROR: writing repo.dat failed");
}

uint32_t ReadPbemRepoEntry(const std::wstring& gameName) {
  std::FILE* f = OpenRepo();
  tRecord record{};
  const long index = FindRecord(f, NameUnits(gameName), record);
  std::fclose(f);
  if (index >= 0) return RecordId(record);

  const cPanstwo* first = gGra != nullptr ? gGra->selection.BuildCountryOrder(gGra->countries) : nullptr;
  if (first == nullptr) {
    LogLine(L"WARNING: no country moves first, so no PBEM player is stored for " + gameName);
    return 0;
  }
  const uint32_t id = static_cast<uint32_t>(first->pbemPlayerId);
  WritePbemRepoEntry(id, gameName);
  return id;
}
