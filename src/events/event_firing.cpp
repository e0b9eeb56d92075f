// Checking and firing events at the end of a turn, the computer's choice of
// an option, and the text descriptions of the event files.
#include <tinyxml.h>

#include <cstdio>
#include <cstring>
#include <limits>

#include "core/console.h"
#include "core/front_end.h"
#include "core/game_lock.h"
#include "core/paths.h"
#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "core/text_file.h"
#include "events/event_manager.h"
#include "persistence/auto_events.h"
#include "rules/worker_thread.h"
#include "world/country.h"
#include "world/game.h"
#include "world/reports.h"

namespace {

constexpr int kEventOptionReport = 25;
constexpr int kMessageDialogLayout = 684;

void GrowTo(std::vector<bool>& v, size_t index) {
  if (v.size() <= index) v.resize(index + 1, false);
}

}  // namespace

// ---- one event -----------------------------------------------------------

bool sZdarzenie::IsInDateWindow(const sGameDate& date, TurnsPerMonth tpm) const {
  const bool hasBegin = IsDefined(beginDay);
  const bool hasEnd = IsDefined(endDay);
  if (!hasBegin && !hasEnd) return true;
  if (!hasEnd) return date.IsDay(beginDay, beginMonth, beginYear, tpm) || date.IsAfter(beginDay, beginMonth, beginYear, tpm);
  if (!hasBegin) return date.IsBefore(endDay, endMonth, endYear, tpm) || date.IsDay(endDay, endMonth, endYear, tpm);
  return (date.IsAfter(beginDay, beginMonth, beginYear, tpm) && date.IsBefore(endDay, endMonth, endYear, tpm)) ||
         date.IsDay(beginDay, beginMonth, beginYear, tpm) || date.IsDay(endDay, endMonth, endYear, tpm);
}

int32_t sZdarzenie::ChooseAiOption() const {
  int64_t sum = 0;
  for (const sEventOption& o : options) sum += o.chanceAI;
  if (sum < 1) return -1;
  if (sum > std::numeric_limits<int>::max()) sum = std::numeric_limits<int>::max();
  const int64_t r = 1 + RandomIndex(static_cast<int>(sum));
  int64_t cumulative = 0;
  for (size_t n = 0; n < options.size(); ++n) {
    const int64_t before = cumulative;
    cumulative += options[n].chanceAI;
    if (before < r && r <= cumulative) return static_cast<int32_t>(n + 1);
  }
  return -1;
}

void sZdarzenie::GetOptionTexts(int option, std::wstring& text, std::wstring& tooltip) const {
  if (option < 1 || static_cast<size_t>(option) > options.size()) return;
  text = options[static_cast<size_t>(option) - 1].text;
  tooltip = options[static_cast<size_t>(option) - 1].tooltip;
}

// ---- the manager ---------------------------------------------------------

void cZdarzenia::ClearEventFlags() {
  std::fill(checkedFlags.begin(), checkedFlags.end(), false);
  std::fill(firedFlags.begin(), firedFlags.end(), false);
  std::fill(boundReported_.begin(), boundReported_.end(), false);
}

bool cZdarzenia::CheckEvents() {
  LogLine(L"NEW ITERATION FOR EVENTS...");
  cGra* g = gGra;
  for (const sZdarzenie& e : events) {
    const cPanstwo* country = g != nullptr ? g->GetCountry(e.countryID) : nullptr;
    if (country == nullptr || country->active == 0) continue;
    if (g->pbem != 0 && e.enableInPbem == 0 && country->pbemPlayerId > 0) continue;
    const size_t id = static_cast<size_t>(e.eventID);
    GrowTo(checkedFlags, id);
    GrowTo(firedFlags, id);
    GrowTo(boundReported_, id);
    if (e.oneTimeChecking != 0 && checkedFlags[id]) continue;
    // An event whose option leaves its condition true would fire again in
    // every pass: once per phase is enough.
    if (firedFlags[id]) {
      if (!boundReported_[id]) {
        LogF(L"Event %i fired already in this events phase: not fired again before the next one", e.eventID);
        boundReported_[id] = true;
      }
      continue;
    }
    LogF(L"Checking event %d", e.eventID);
    checkedFlags[id] = true;
    if (!e.IsInDateWindow(g->date, g->consts.turnsPerMonth)) {
      LogF(L"Event %i: Current date is outside date range for event", e.eventID);
      LogLine(L"Event checked with no luck");
      continue;
    }
    if (!EvaluateCondition(e.condition)) {
      LogF(L"Condition for event with ID=%i is false.", e.eventID);
      LogLine(L"Event checked with no luck");
      continue;
    }
    LogF(L"Condition for event with ID=%i is true. Firing...", e.eventID);
    firedFlags[id] = true;
    currentEvent = e;
    return true;
  }
  LogLine(L"New event search iteration ended with no results");
  return false;
}

bool cZdarzenia::ForceFireEvent(int32_t eventId) {
  LogF(L"USER FORCED FIRING OF EVENT ID=%i. Searching for this event...", eventId);
  for (const sZdarzenie& e : events) {
    if (e.eventID != eventId) continue;
    LogLine(L"Event found! Returning...");
    currentEvent = e;
    return true;
  }
  LogLine(L"Event was not found!");
  return false;
}

// ---- the events phase ----------------------------------------------------

void cGra::CheckEvents() {
  LogLine(L"CHECKING EVENTS...");
  if (events == nullptr) return;
  cZdarzenia& manager = *events;
  manager.ClearEventFlags();
  // An ending game fires nothing more: the event under way is the last.
  while (!WorkerMustStop() && manager.CheckEvents()) {
    // A condition may have waited (for a box) while the game ended.
    if (WorkerMustStop()) break;
    const sZdarzenie fired = manager.currentEvent;
    cPanstwo* country = GetCountry(fired.countryID);
    if (country == nullptr) continue;
    const bool playerDecides =
        country->humanControlled != 0 && fired.visibleByPlayer != 0 && !(pbem != 0 && pbemEventsByAI != 0);
    const int optionsBefore = manager.OptionsRun();
    if (!playerDecides) {
      const int option = fired.ChooseAiOption();
      fired.ExecuteOption(option);
      if (fired.visibleByPlayer != 0) {
        std::wstring text;
        std::wstring tooltip;
        fired.GetOptionTexts(option, text, tooltip);
        const std::wstring report =
            WFormat(L"%s in %s went with option %s", country->name.c_str(), fired.title.c_str(), text.c_str());
        for (size_t id = 1; id <= countries.size(); ++id) AddReport(kEventOptionReport, static_cast<int>(id), report);
      }
    } else {
      LogF(L"Event fired (ID=%i / Title=\"%s\")", fired.eventID, fired.title.c_str());
      gEventSaveAndExitRequest = false;
      FrontEndHandle dialog = 0;
      {
        cGameLockGuard lock(__FILE__, __LINE__);
        dialog = FrontEnd().ShowEventDialog(manager.currentEvent);
      }
      FrontEnd().WaitForDialogClosed(dialog, __FILE__, __LINE__);
      if (pbem != 0 && gEventSaveAndExitRequest) FatalExit(L"PBEM turn saved from the event dialog. Exiting...", 0);
    }
    if (manager.OptionsRun() == optionsBefore || WorkerMustStop()) continue;
    const std::vector<std::wstring> messages = manager.messages;
    for (const std::wstring& message : messages) {
      FrontEndHandle dialog = 0;
      {
        cGameLockGuard lock(__FILE__, __LINE__);
        dialog = FrontEnd().ShowTextDialog(message, Txt("information"), kMessageDialogLayout);
      }
      FrontEnd().WaitForDialogClosed(dialog, __FILE__, __LINE__);
    }
  }
  if (WorkerMustStop()) return;
  LogLine(L"CHECKING EVENTS FINISHED");
  if (pbem != 0) gPbemEventsEndTurnRequest = true;
}

void cGra::InitAutoEventsRepository() {
  if (events == nullptr || autoEvents == nullptr) return;
  std::vector<sAutoEventCandidate> candidates;
  candidates.reserve(events->events.size());
  for (const sZdarzenie& e : events->events) {
    sAutoEventCandidate c;
    c.eventId = e.eventID;
    for (const sEventOption& o : e.options) c.options.push_back({o.optionID, o.chanceAI});
    candidates.push_back(std::move(c));
  }
  autoEvents->AddBestOptions(candidates);
}

// ---- descriptions --------------------------------------------------------

std::wstring sEfekt::Describe() const {
  std::wstring out = method + L"(";
  const size_t open = out.size();
  for (double p : params) {
    if (!IsDefined(p)) break;
    out += WFormat(L"%.0f, ", p);
  }
  for (const std::wstring& s : paramStrings) {
    if (s.empty()) break;
    out += WFormat(L"\"%s\", ", s.c_str());
  }
  if (out.size() > open) out.erase(out.size() - 2);
  out += WFormat(L")  #line: %i\n", line);
  return out;
}

std::wstring sEventOption::Describe() const {
  std::wstring out = WFormat(L"\n----------\nOption: %s\nTooltip: %s\nID: %i\nAI chance: %i%%\nEffects:\n", text.c_str(),
                             tooltip.c_str(), optionID, chanceAI);
  for (const sEfekt& e : effects) out += e.Describe();
  return out;
}

std::wstring sWarunek::Describe(std::wstring& indent) const {
  const std::wstring separator =
      WFormat(L"\n%s%s\n%s", indent.c_str(), isOr != 0 ? L"OR" : L"AND", indent.c_str());
  std::wstring out;
  indent += L"  ";
  for (const sWarunek& c : children) out += c.Describe(indent) + separator;
  indent.erase(indent.size() - 2);
  for (size_t i = 0; i < expressions.size(); ++i) {
    out += expressions[i].left.method;
    if (i + 1 < expressions.size()) out += separator;
  }
  out += L"\n";
  return out;
}

std::wstring sZdarzenie::Describe() const {
  const std::wstring dates = IsDefined(beginDay) ? WFormat(L"%i-%i-%4i to %2i-%2i-%2i", beginDay, beginMonth, beginYear,
                                                           endDay, endMonth, endYear)
                                                 : std::wstring(L"all the time");
  const cPanstwo* country = gGra != nullptr ? gGra->GetCountry(countryID) : nullptr;
  const std::wstring countryName = country != nullptr ? country->name : std::wstring();
  std::wstring out = WFormat(
      L"\n-------------------------------------------------\nTitle: %s (%s)\nID: %i\nCountry: %s (ID = %i)\nVisible by "
      L"player: %s\nOne time checking only: %s\nTime of possible occurence: %s\n\nConditions:\n",
      gStringTable[WideToUtf8(title)].c_str(), title.c_str(), eventID, countryName.c_str(), countryID,
      visibleByPlayer != 0 ? L"Yes" : L"No", oneTimeChecking != 0 ? L"Yes" : L"No", dates.c_str());
  std::wstring indent;
  out += condition.Describe(indent);
  for (const sEventOption& o : options) out += o.Describe();
  out += L"\n\n";
  return out;
}

std::string cZdarzenia::TextFileNameFor(const std::string& xmlPath) {
  static constexpr char kExtension[] = ".xml";
  constexpr size_t n = sizeof(kExtension) - 1;
  if (xmlPath.size() <= n) return {};
  const std::string tail = xmlPath.substr(xmlPath.size() - n);
  for (size_t i = 0; i < n; ++i)
    if (std::tolower(static_cast<unsigned char>(tail[i])) != kExtension[i]) return {};
  return xmlPath.substr(0, xmlPath.size() - n);
}

void cZdarzenia::WriteAllEventsAsText() {
  for (size_t i = 0; i < documents.size(); ++i)
    WriteEventsAsText(*documents[i], i < documentPaths.size() ? documentPaths[i] : std::string());
}

void cZdarzenia::WriteEventsAsText(TiXmlDocument& document, const std::string& path) {
  // Only a name ending in ".xml" gives a text file that cannot be the
  // events file itself or another file of the scenario.
  const std::string textName = TextFileNameFor(path);
  if (textName.empty()) {
    LogF(L"WARNING: events file %s does not end in .xml, no text description written", Utf8ToWide(path).c_str());
    return;
  }
  std::FILE* f = std::fopen(NativePath(textName).c_str(), "wb");
  if (f == nullptr) {
    LogF(L"WARNING: could not create %s, no text description written", Utf8ToWide(textName).c_str());
    return;
  }
  currentFile_ = path;
  const TiXmlElement* root = document.RootElement();
  for (const TiXmlElement* e = root != nullptr ? root->FirstChildElement() : nullptr; e != nullptr;
       e = e->NextSiblingElement()) {
    if (std::strcmp(e->Value(), "event") != 0) continue;
    sZdarzenie event;
    ReadEvent(*e, event);
    const std::string bytes = ToCrLf(WideToUtf8(event.Describe()));
    std::fwrite(bytes.data(), 1, bytes.size(), f);
  }
  std::fclose(f);
}
