#include "persistence/auto_events.h"

#include <cstdio>
#include <string_view>

#include "core/console.h"
#include "core/front_end.h"
#include "core/paths.h"
#include "core/string_table.h"
#include "core/table_fields.h"
#include "core/text.h"
#include "core/text_file.h"
#include "persistence/save_file.h"
#include "world/folder_template.h"

namespace {

bool IsBlank(std::string_view s) {
  for (char c : s)
    if (c != ' ' && c != '\t' && c != '\r' && c != '\v' && c != '\f') return false;
  return true;
}

// The ';'-separated fields of a line; a last field of white space only is
// what a trailing ';' leaves and is not counted.
std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (;;) {
    const size_t end = line.find(';', start);
    fields.push_back(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  if (fields.size() > 1 && IsBlank(fields.back())) fields.pop_back();
  return fields;
}

int ReadNumber(std::string_view field) { return ReadIntField(Cp1252ToWide(field)); }

}  // namespace

void cAutoEventsRepository::AddBestOptions(const std::vector<sAutoEventCandidate>& events) {
  for (const sAutoEventCandidate& e : events) {
    int32_t bestChance = -1;
    const sAutoEventCandidate::sOption* best = nullptr;
    for (const auto& o : e.options) {
      if (o.chanceAI > bestChance) {
        bestChance = o.chanceAI;
        best = &o;
      }
    }
    if (best == nullptr) {
      LogF(L"WARNING: event %i has no option the computer could choose, no automatic choice stored", e.eventId);
      continue;
    }
    Add(e.eventId, best->optionId);
  }
}

void cAutoEventsRepository::SaveAutoEvents(const std::wstring& folder) const {
  const std::wstring path = WFormat(L"%s\\auto_events.csv", folder.c_str());
  const sSaveFileMessages messages{Txt("opening_file_for_writing..."), Txt("error_opening_file_for_writing"),
                                   Txt("file_opened_ok")};
  std::FILE* f = OpenSaveFileOrDie(path, messages);
  for (const sPair& p : pairs_) WriteTextLine(f, Format("%i;%i", p.eventId, p.optionId));
  CloseSaveFileOrDie(f, path);
}

void cAutoEventsRepository::LoadAutoEvents(const std::wstring& pathTemplate) {
  const std::wstring path = FormatFolderTemplate(pathTemplate, L"auto_events.csv");
  LogLine(path);
  std::FILE* f = OpenGameFile(path, "rb");
  if (f == nullptr) FatalExit(L"Blad otwarcia pliku! (nie istnieje?)", 1, false);
  LogLine(L"Otwarcie OK");

  Clear();
  const int first = std::fgetc(f);
  if (first == EOF) {
    std::fclose(f);
    return;
  }
  std::ungetc(first, f);

  std::string line;
  int lineNumber = 0;
  while (!std::feof(f)) {
    if (!ReadTextLine(f, line)) {
      LogLine(Txt("empty_line..."));
      continue;
    }
    ++lineNumber;
    if (!line.empty() && line[0] == '#') continue;
    const std::vector<std::string_view> fields = SplitFields(line);
    if (fields.size() >= 3) {
      std::fclose(f);
      FatalExit(WFormat(Txt("error:_cannot_handle_word_from_column_%i_for_auto_events_repository.").c_str(), 3), 1,
                false);
    }
    // The writer never leaves a line without its two numbers: such a line
    // carries no pair.
    if (fields.size() < 2 || IsBlank(fields[1])) {
      LogF(L"WARNING: %s line %i holds no event;option pair, skipped", path.c_str(), lineNumber);
      continue;
    }
    Add(ReadNumber(fields[0]), ReadNumber(fields[1]));
  }
  std::fclose(f);
}
