#pragma once
// The automatic-events repository: for each scenario event, the option
// chosen for it in advance, kept in a saved game as "auto_events.csv".
#include <cstdint>
#include <string>
#include <vector>

// An event as the automatic choice sees it: its id and, in document order,
// the id and the computer-player chance of each option.
struct sAutoEventCandidate {
  struct sOption {
    int32_t optionId = -1;
    int32_t chanceAI = -1;
  };
  int32_t eventId = 0;
  std::vector<sOption> options;
};

class cAutoEventsRepository {
 public:
  struct sPair {
    int32_t eventId = 0;
    int32_t optionId = 0;
    bool operator==(const sPair&) const = default;
  };

  void Add(int32_t eventId, int32_t optionId) { pairs_.push_back({eventId, optionId}); }
  void Clear() { pairs_.clear(); }
  const std::vector<sPair>& Pairs() const { return pairs_; }

  // Appends, for every event in order, the option with the highest chance
  // (the first on ties). An event none of whose options has a chance of 0
  // or more has no choice to store and is left out with a log line.
  void AddBestOptions(const std::vector<sAutoEventCandidate>& events);

  // Writes "folder\auto_events.csv": one "event;option" line per pair.
  void SaveAutoEvents(const std::wstring& folder) const;
  // Replaces the pairs by those of "auto_events.csv" of the folder the
  // template names; a missing file or a row of three fields is fatal.
  void LoadAutoEvents(const std::wstring& pathTemplate);

 private:
  std::vector<sPair> pairs_;
};
