#include "world/relations.h"

#include <cmath>
#include <cstdio>

#include "core/console.h"
#include "core/csv_file.h"
#include "core/front_end.h"
#include "core/paths.h"
#include "core/string_table.h"
#include "core/table_fields.h"
#include "core/text.h"
#include "core/text_file.h"
#include "world/folder_template.h"
#include "world/table_reader.h"

namespace {

// The folder of a template, without the separator before the file name.
std::wstring FolderOf(const std::wstring& folderTemplate) {
  std::wstring folder = FormatFolderTemplate(folderTemplate, L"");
  while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  return folder;
}

}  // namespace

void cRelacje::Resize(int n) {
  count_ = n > 0 ? n : 0;
  const size_t cells = static_cast<size_t>(count_) * static_cast<size_t>(count_);
  cells_.assign(cells, sCell{});
  shares_.assign(cells, 0.0f);
}

bool cRelacje::CheckIds(int a, int b, const std::wstring& zeroLine) const {
  if (a == 0 || b == 0) FatalExit(zeroLine);
  if (Valid(a) && Valid(b)) return true;
  LogF(L"WARNING: country ID parameter out of range (%i, %i) in relations matrix of %i countries", a, b, count_);
  return false;
}

uint8_t cRelacje::IsAtWar(int a, int b) const {
  if (a == b || !Valid(a) || !Valid(b)) return 0;
  return cells_[Index(a, b)].war;
}

void cRelacje::SetWar(int a, int b, uint8_t value) {
  if (!CheckIds(a, b, Txt("country_id_parameter_was_0_while_setting_war."))) return;
  cells_[Index(a, b)].war = value;
}

void cRelacje::ChangeLosses(int a, int b, float amount) {
  if (!CheckIds(a, b, Txt("country_id_parameter_was_0_while_changing_losses"))) return;
  cells_[Index(a, b)].losses += amount;
}

float cRelacje::GetLosses(int a, int b) const {
  if (!CheckIds(a, b, Txt("country_id_parameter_was_0_while_checking_losses"))) return 0.0f;
  return cells_[Index(a, b)].losses;
}

float cRelacje::GetTotalLossesSuffered(int b) const {
  float total = 0.0f;
  if (!Valid(b)) return total;
  for (int a = 1; a <= count_; ++a) total += cells_[Index(a, b)].losses;
  return total;
}

void cRelacje::ComputeLossShares() {
  for (int b = 1; b <= count_; ++b) {
    const float total = GetTotalLossesSuffered(b);
    const bool none = total == 0.0f || std::isnan(total);
    for (int a = 1; a <= count_; ++a) shares_[Index(a, b)] = none ? 0.0f : cells_[Index(a, b)].losses / total;
  }
}

float cRelacje::GetLossShare(int a, int b) const {
  if (!CheckIds(a, b, Txt("country_id_parameter_was_0_while_checking_losses'_share"))) return 0.0f;
  return shares_[Index(a, b)];
}

void cRelacje::MakePeaceWithAll(int id) {
  if (id == 0) FatalExit(L"ERROR: Country ID parameter was 0 while checking relations");
  if (!Valid(id)) return;
  // A war flagged in either direction ends in both.
  for (int b = 1; b <= count_; ++b) {
    if (b == id) continue;
    cells_[Index(id, b)].war = 0;
    cells_[Index(b, id)].war = 0;
  }
}

// ---- reading -------------------------------------------------------------

void cRelacje::LoadFromCsv(const std::wstring& folderTemplate, int n) {
  Resize(n);
  ReadTable(folderTemplate, L"relations.csv", false);
  ReadTable(folderTemplate, L"losses.csv", true);
}

void cRelacje::ReadTable(const std::wstring& folderTemplate, const wchar_t* fileName, bool losses) {
  const std::wstring path = FormatFolderTemplate(folderTemplate, fileName);
  std::FILE* f = OpenTableOrDie(
      losses ? L"Otwieram plik ze stratami ze sciezka..." : L"Otwieram plik z relacjami ze sciezka...", path);

  std::string line;
  int lineNumber = 0;
  while (ReadTextLine(f, line)) {
    ++lineNumber;
    // The line's break counts towards its length.
    if (line.size() + 1 <= 2 || line[0] == '#') continue;
    bool shifted = false;
    const std::vector<std::wstring> fields = SplitTableLine(Cp1252ToWide(line), &shifted);
    if (fields.empty()) continue;
    const int a = ReadIntField(fields[0]);
    if (!Valid(a)) {
      std::fclose(f);
      // The losses table names only the error, not the place.
      if (!losses)
        LogLine(WFormat(L"Error in file %lS\\relations.csv line no. %i", FolderOf(folderTemplate).c_str(), lineNumber));
      FatalExit(Txt("wrong_country_id"));
    }
    if (shifted)
      LogLine(WFormat(L"WARNING: empty field in %s line %i; the later columns move left", path.c_str(), lineNumber));
    if (fields.size() < static_cast<size_t>(count_) + 2)
      WarnShortRow(path, lineNumber, static_cast<int>(fields.size()), count_ + 2);
    for (int b = 1; b <= count_ && static_cast<size_t>(b) + 1 < fields.size(); ++b) {
      sCell& cell = cells_[Index(a, b)];
      const std::wstring& field = fields[static_cast<size_t>(b) + 1];
      if (losses) {
        cell.losses = static_cast<float>(RangedRealField(field, kRealAmountRange, {path, lineNumber, L"losses"}));
      } else {
        cell.war = ReadIntField(field) != 0 ? 1 : 0;
        cell.losses = 0.0f;
      }
    }
  }
  std::fclose(f);
}
