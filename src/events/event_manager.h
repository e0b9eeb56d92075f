#pragma once
// The scenario events of a game: the records read from the XML files that
// "event_files.txt" lists, their conditions and options, and the manager
// that checks and fires them at the end of a turn.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/calendar.h"

class TiXmlDocument;
class TiXmlElement;
class TiXmlNode;

// Markers of a value that the file did not give.
inline constexpr int32_t kEventUndefinedInt = -2147483647;
inline constexpr double kEventUndefinedDouble = -2147483647.0;
// Event ids run from 0 to this; the checked flags are sized by the largest.
inline constexpr int32_t kMaxEventId = 40000;
// Far deeper than any real event; a deeper file is refused before parsing.
inline constexpr int kMaxEventNesting = 256;
inline constexpr int kEventParamCount = 10;
inline constexpr int kEventParamStringCount = 4;

inline bool IsDefined(double v) { return v != kEventUndefinedDouble; }
inline bool IsDefined(int32_t v) { return v != kEventUndefinedInt; }
// A number of an event file truncated toward zero, held inside the int
// range (not-a-number gives 0).
inline int EventInt(double v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(v);
}

// A text of an event file: a string-base key gives its translated text,
// trimmed; anything else is UTF-8. Null gives an empty text.
void ConvertXmlText(const char* narrow, std::wstring& wide);
std::wstring ConvertXmlText(const char* narrow);

// One effect of an option: a method of the effects table and its numbers
// and texts.
struct sEfekt {
  bool known = false;
  int32_t line = kEventUndefinedInt;
  std::wstring method;
  double params[kEventParamCount] = {kEventUndefinedDouble, kEventUndefinedDouble, kEventUndefinedDouble,
                                     kEventUndefinedDouble, kEventUndefinedDouble, kEventUndefinedDouble,
                                     kEventUndefinedDouble, kEventUndefinedDouble, kEventUndefinedDouble,
                                     kEventUndefinedDouble};
  std::wstring paramStrings[kEventParamStringCount];
  // Index of the method in the effects table once known; -1 before.
  int tableIndex = -1;

  // The load check against the effects table; logs and returns false on
  // the first fault.
  bool Validate();
  bool CheckMethod(const wchar_t* name, int paramCount, int stringCount);
  bool CheckParams(int count) const;
  bool CheckParamStrings(int count) const;
  bool CheckParamString(int index) const;
  // The ids and indexes the method names must name something of the
  // running game; false (with a log line) when one does not.
  bool CheckIds() const;
  std::wstring Describe() const;
};

struct sOperand {
  bool known = false;
  int32_t line = kEventUndefinedInt;
  std::wstring method;
  double constValue = kEventUndefinedDouble;
  double params[kEventParamCount] = {kEventUndefinedDouble, kEventUndefinedDouble, kEventUndefinedDouble,
                                     kEventUndefinedDouble, kEventUndefinedDouble, kEventUndefinedDouble,
                                     kEventUndefinedDouble, kEventUndefinedDouble, kEventUndefinedDouble,
                                     kEventUndefinedDouble};
  // Index of the method in the operands table once known; -1 before.
  int tableIndex = -1;

  bool Validate();
  bool CheckMethod(const wchar_t* name, int paramCount);
  bool CheckParams(int count) const;
  bool HasAnyParam() const;
};

struct sOperator {
  enum eKind { kUnknown, kEquals, kNotEquals, kGreater, kLess, kGreaterOrEqual, kLessOrEqual };
  int32_t line = kEventUndefinedInt;
  std::wstring value;
  eKind kind = kUnknown;  // set by Validate

  bool Validate();
  bool Compare(double l, double r) const;
};

struct sWyrazenie {
  // The line of the <expression> element, for the messages naming its file.
  int32_t line = kEventUndefinedInt;
  sOperand left;
  sOperand right;
  sOperator op;

  // Checks all three sides, each with its own messages; the caller ends
  // the process on false.
  bool Validate();
};

struct sWarunek {
  std::vector<sWyrazenie> expressions;
  std::vector<sWarunek> children;
  int32_t isOr = 0;

  std::wstring Describe(std::wstring& indent) const;
};

struct sEventOption {
  int32_t optionID = -1;
  int32_t chanceAI = -1;
  std::wstring text;
  std::wstring tooltip;
  std::vector<sEfekt> effects;

  void ExecuteEffects() const;
  std::wstring Describe() const;
};

struct sZdarzenie {
  int32_t eventID = 0;
  int32_t countryID = 0;
  int32_t visibleByPlayer = 0;
  int32_t oneTimeChecking = 0;
  int32_t enableInPbem = 1;
  int32_t beginDay = kEventUndefinedInt;
  int32_t beginMonth = kEventUndefinedInt;
  int32_t beginYear = kEventUndefinedInt;
  int32_t endDay = kEventUndefinedInt;
  int32_t endMonth = kEventUndefinedInt;
  int32_t endYear = kEventUndefinedInt;
  std::wstring title;
  std::wstring description;
  std::wstring image;
  sWarunek condition;
  std::vector<sEventOption> options;

  bool IsInDateWindow(const sGameDate& date, TurnsPerMonth tpm) const;
  // An option number from 1 drawn by the options' computer chances; -1
  // when no option has a chance.
  int32_t ChooseAiOption() const;
  void GetOptionTexts(int option, std::wstring& text, std::wstring& tooltip) const;
  // Runs the effects of option n (from 1) through the game's event manager;
  // false with nothing run when there is no such option.
  bool ExecuteOption(int option) const;
  std::wstring Describe() const;
};

// Set by the event dialog of a PBEM game when the player saves and leaves.
extern std::atomic<bool> gEventSaveAndExitRequest;
// Set at the end of the events phase of a PBEM game; the game screen
// clears it and ends the player's turn.
extern std::atomic<bool> gPbemEventsEndTurnRequest;

class cZdarzenia {
 public:
  cZdarzenia();
  virtual ~cZdarzenia();
  cZdarzenia(const cZdarzenia&) = delete;
  cZdarzenia& operator=(const cZdarzenia&) = delete;

  // Loading: the file list, the load check, the events.
  void InitFromXmlFiles(const std::string& scenarioName);
  // The same with an explicit list file (tests and tools).
  void InitFromListFile(const std::string& listPath);
  void Validate();
  void LoadAllEventsFromDom();
  void LoadEventsFromDocument(TiXmlDocument& document, int32_t& largestId);

  // Conditions.
  bool EvaluateCondition(const sWarunek& node);
  bool EvaluateExpression(sWyrazenie& expression);
  double EvaluateOperand(const sOperand& operand);

  // Checking and firing.
  void ClearEventFlags();
  bool CheckEvents();
  bool ForceFireEvent(int32_t eventId);
  void ExecuteEffect(const sEfekt& effect);
  // A text for the player, shown after the running option's firing.
  void QueueMessage(const std::wstring& text) { messages.push_back(text); }
  // How many options have run, so the events phase can tell whether the
  // event dialog ran one.
  int OptionsRun() const { return optionsRun_; }
  void NoteOptionRun() { ++optionsRun_; }

  // Text descriptions, one file per listed XML file.
  void WriteAllEventsAsText();
  void WriteEventsAsText(TiXmlDocument& document, const std::string& path);
  // The text file's name for a listed XML file: the name without its
  // ".xml"; empty for a name without that extension.
  static std::string TextFileNameFor(const std::string& xmlPath);

  std::vector<bool> checkedFlags;
  // Events that fired in the current phase, which may not fire again in it.
  std::vector<bool> firedFlags;
  std::vector<std::unique_ptr<TiXmlDocument>> documents;
  std::vector<std::string> documentPaths;  // as listed, one per document
  std::vector<sWyrazenie> expressionsToValidate;
  std::vector<sEfekt> effectsToValidate;
  std::vector<sZdarzenie> events;
  sZdarzenie currentEvent;
  std::vector<std::wstring> messages;

 private:
  void ParseConditionNode(const TiXmlElement& element, sWarunek& node);
  void ReadExpression(const TiXmlElement& element, sWyrazenie& expression);
  void ReadOperand(const TiXmlElement& element, sOperand& operand);
  void ReadOption(const TiXmlElement& element, sEventOption& option);
  void ReadEffect(const TiXmlElement& element, sEfekt& effect);
  bool ReadEvent(const TiXmlElement& element, sZdarzenie& event);
  void CollectExpressions(const TiXmlNode& element);
  void CollectEffects(const TiXmlNode& element);
  [[noreturn]] void LoadError(const std::wstring& message, int line);

  std::string currentFile_;
  // Where the event with the largest id stands, for the message when it is
  // too large.
  std::string largestIdFile_;
  int largestIdLine_ = 0;
  int optionsRun_ = 0;
  std::vector<bool> boundReported_;
};

// The effects table, for the load check and the dispatch.
struct sEffectMethod {
  const wchar_t* name;
  int paramCount;
  int stringCount;
  // Which parameters name a country ('c'), a sea node ('s'), or an index
  // with its bounds ('r'): "c0", "s0 c2", "c0 r1:0:6".
  const char* ids;
  void (*run)(const sEfekt&);
};
const std::vector<sEffectMethod>& EffectMethods();

// The operands table.
struct sOperandMethod {
  const wchar_t* name;
  int paramCount;
  const char* ids;
  // False for the two names that are effects, which no condition can ask.
  bool evaluable;
};
const std::vector<sOperandMethod>& OperandMethods();

// Checks one id pattern ("c0 r1:0:6") against the parameters and the running
// game; on a fault writes what and where and returns false. Without a game
// every id passes.
bool CheckParamIds(const char* ids, const double* params, const wchar_t* what, int line, const std::wstring& method);
