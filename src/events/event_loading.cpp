// Reading the event files: the list, the XML documents, and the event
// records built from them.
#include <tinyxml.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/console.h"
#include "core/front_end.h"
#include "core/paths.h"
#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "core/text_file.h"
#include "events/event_manager.h"
#include "world/game.h"

std::atomic<bool> gEventSaveAndExitRequest{false};
std::atomic<bool> gPbemEventsEndTurnRequest{false};

namespace {

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f'; }

std::wstring Trim(const std::wstring& s) {
  size_t b = 0;
  size_t e = s.size();
  while (b < e && IsSpace(s[b])) ++b;
  while (e > b && IsSpace(s[e - 1])) --e;
  return s.substr(b, e - b);
}

// A floating-point attribute; a missing or non-numeric value stays undefined.
double ReadDouble(const TiXmlElement& e, const char* name) {
  double v = 0.0;
  return e.QueryDoubleAttribute(name, &v) == TIXML_SUCCESS ? v : kEventUndefinedDouble;
}

const char* kParamNames[kEventParamCount] = {"param0", "param1", "param2", "param3", "param4",
                                             "param5", "param6", "param7", "param8", "param9"};
const char* kParamStringNames[kEventParamStringCount] = {"paramString0", "paramString1", "paramString2",
                                                         "paramString3"};

bool NameIs(const TiXmlElement& e, const char* name) { return std::strcmp(e.Value(), name) == 0; }

// The countries, sea nodes and indexes an operand's parameters name.
bool OperandIdsValid(const sOperand& o) {
  if (o.tableIndex < 0) return true;
  return CheckParamIds(OperandMethods()[static_cast<size_t>(o.tableIndex)].ids, o.params, L"operand", o.line, o.method);
}

// The deepest element nesting of an XML text, counted before the parser sees
// it: the parser and the readers of the tree recurse once per level, so a
// hostile file must be turned away before either runs. Comments, CDATA,
// declarations and quoted attribute values are skipped; the count stops as
// soon as it passes the limit.
int XmlNestingDepth(const std::vector<uint8_t>& text, int limit) {
  const size_t n = text.size();
  auto at = [&](size_t i) { return i < n ? static_cast<char>(text[i]) : '\0'; };
  auto startsWith = [&](size_t i, const char* s) {
    for (; *s != '\0'; ++s, ++i)
      if (at(i) != *s) return false;
    return true;
  };
  auto skipPast = [&](size_t i, const char* end) {
    while (i < n && !startsWith(i, end)) ++i;
    return i < n ? i + std::strlen(end) : n;
  };
  int depth = 0;
  int deepest = 0;
  size_t i = 0;
  while (i < n && deepest <= limit) {
    if (at(i) != '<') {
      ++i;
    } else if (startsWith(i, "<!--")) {
      i = skipPast(i + 4, "-->");
    } else if (startsWith(i, "<![CDATA[")) {
      i = skipPast(i + 9, "]]>");
    } else if (startsWith(i, "<?")) {
      i = skipPast(i + 2, "?>");
    } else if (startsWith(i, "<!")) {
      i = skipPast(i + 2, ">");
    } else if (startsWith(i, "</")) {
      if (depth > 0) --depth;
      i = skipPast(i + 2, ">");
    } else {
      // An element's start tag; one that ends in "/>" opens no level.
      ++i;
      char quote = '\0';
      char last = '\0';
      while (i < n && (quote != '\0' || at(i) != '>')) {
        const char c = at(i);
        if (quote != '\0') {
          if (c == quote) quote = '\0';
        } else if (c == '"' || c == '\'') {
          quote = c;
        }
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') last = c;
        ++i;
      }
      ++i;
      if (last != '/') deepest = std::max(deepest, ++depth);
    }
  }
  return deepest;
}

}  // namespace

void ConvertXmlText(const char* narrow, std::wstring& wide) {
  if (narrow == nullptr) {
    wide.clear();
    return;
  }
  const std::string key(narrow);
  if (gStringTable.Contains(key)) {
    wide = Trim(gStringTable[key]);
    return;
  }
  wide = Utf8ToWide(key);
}

std::wstring ConvertXmlText(const char* narrow) {
  std::wstring w;
  ConvertXmlText(narrow, w);
  return w;
}

cZdarzenia::cZdarzenia() = default;

cZdarzenia::~cZdarzenia() {
  documents.clear();
  messages.clear();
  events.clear();
  expressionsToValidate.clear();
  effectsToValidate.clear();
  checkedFlags.clear();
}

void cZdarzenia::InitFromXmlFiles(const std::string& scenarioName) {
  LogLine(L"Initializing XML events file");
  InitFromListFile(NativePath(std::string("data\\scenarios\\") + scenarioName + "\\event_files.txt"));
}

void cZdarzenia::InitFromListFile(const std::string& listPath) {
  documents.clear();
  documentPaths.clear();
  std::FILE* f = std::fopen(listPath.c_str(), "rb");
  // Without a list the scenario simply has no events.
  if (f == nullptr) return;
  std::string line;
  while (ReadTextLine(f, line)) {
    if (line.empty() || line[0] == ';') continue;
    auto doc = std::make_unique<TiXmlDocument>();
    std::vector<uint8_t> text;
    bool ok = true;
    if (ReadWholeFile(NativePath(line), text) && XmlNestingDepth(text, kMaxEventNesting) > kMaxEventNesting) {
      LogF(L"ERROR: elements of events file %s are nested deeper than %d levels", Utf8ToWide(line).c_str(),
           kMaxEventNesting);
      ok = false;
    }
    ok = ok && doc->LoadFile(NativePath(line).c_str());
    documents.push_back(std::move(doc));
    documentPaths.push_back(line);
    if (!ok) {
      std::fclose(f);
      // A scenario whose events cannot be read cannot be played: a data error.
      FatalExit(WFormat(L"ERROR initializing events from file %s. Exiting...", Utf8ToWide(line).c_str()), 1);
    }
  }
  std::fclose(f);
}

void cZdarzenia::LoadError(const std::wstring& message, int line) {
  LogLine(message);
  FatalExit(WFormat(L"ERROR in events file %s at line %i. Exiting...", Utf8ToWide(currentFile_).c_str(), line), 1);
}

void cZdarzenia::LoadAllEventsFromDom() {
  LogLine(L"*****************************");
  LogLine(L"*LOADING ALL EVENTS FROM DOM*");
  LogLine(L"*****************************");
  int32_t largestId = -1;
  events.clear();
  for (size_t i = 0; i < documents.size(); ++i) {
    currentFile_ = i < documentPaths.size() ? documentPaths[i] : std::string();
    LoadEventsFromDocument(*documents[i], largestId);
  }
  LogF(L"Reserving memory for event bool vector... Max no. of events is %d, event with ID higher than %d will crash...",
       kMaxEventId, kMaxEventId);
  if (largestId != -1 && (largestId < 0 || largestId > kMaxEventId)) {
    currentFile_ = largestIdFile_;
    LoadError(WFormat(L"ERROR: maxID = %d (have to be >= 0 && <= %d", largestId, kMaxEventId), largestIdLine_);
  }
  const size_t size = static_cast<size_t>(largestId + 1);
  checkedFlags.assign(size, false);
  firedFlags.assign(size, false);
  boundReported_.assign(size, false);
  LogLine(L"*****************************");
  LogLine(L"*  FINISHED LOADING EVENTS  *");
  LogLine(L"*****************************");
}

void cZdarzenia::LoadEventsFromDocument(TiXmlDocument& document, int32_t& largestId) {
  if (currentFile_.empty() && document.Value() != nullptr) currentFile_ = document.Value();
  const TiXmlElement* root = document.RootElement();
  if (root == nullptr) return;
  for (const TiXmlElement* e = root->FirstChildElement(); e != nullptr; e = e->NextSiblingElement()) {
    if (!NameIs(*e, "event")) continue;
    sZdarzenie event;
    if (!ReadEvent(*e, event)) continue;
    if (event.eventID > largestId) {
      largestId = event.eventID;
      largestIdFile_ = currentFile_;
      largestIdLine_ = e->Row();
    }
    events.push_back(std::move(event));
  }
}

bool cZdarzenia::ReadEvent(const TiXmlElement& e, sZdarzenie& event) {
  const int line = e.Row();
  if (e.QueryIntAttribute("eventID", &event.eventID) != TIXML_SUCCESS)
    LoadError(WFormat(L"ERROR: <event> at line %i has no eventID attribute or it's not an integer!", line), line);
  LogF(L"Loading event id=%i at line %i", event.eventID, line);
  // A negative id could index no checked flag.
  if (event.eventID < 0)
    LoadError(WFormat(L"ERROR: <event> at line %i has a negative eventID (%i)!", line, event.eventID), line);
  if (e.QueryIntAttribute("countryID", &event.countryID) != TIXML_SUCCESS)
    LoadError(WFormat(L"ERROR: <event> at line %i has no countryID attribute or it's not an integer!", line), line);
  if (e.QueryIntAttribute("visibleByPlayer", &event.visibleByPlayer) != TIXML_SUCCESS)
    LoadError(WFormat(L"ERROR: <event> at line %i has no visibleByPlayer attribute or it's not an integer!", line),
              line);
  if (e.QueryIntAttribute("oneTimeChecking", &event.oneTimeChecking) != TIXML_SUCCESS)
    LoadError(WFormat(L"ERROR: <event> at line %i has no oneTimeChecking attribute or it's not an integer!", line),
              line);
  if (e.QueryIntAttribute("enableInPbem", &event.enableInPbem) != TIXML_SUCCESS) event.enableInPbem = 1;
  // The events phase looks the country up when the event is checked.
  if (gGra != nullptr && (event.countryID < 1 || static_cast<size_t>(event.countryID) > gGra->countries.size()))
    LoadError(WFormat(L"ERROR: <event> at line %i has countryID %i, which names no country!", line, event.countryID),
              line);

  for (const TiXmlElement* c = e.FirstChildElement(); c != nullptr; c = c->NextSiblingElement()) {
    if (NameIs(*c, "title")) {
      ConvertXmlText(c->GetText(), event.title);
    } else if (NameIs(*c, "description")) {
      ConvertXmlText(c->GetText(), event.description);
    } else if (NameIs(*c, "image")) {
      ConvertXmlText(c->GetText(), event.image);
    } else if (NameIs(*c, "beginDate") || NameIs(*c, "endDate")) {
      const bool begin = NameIs(*c, "beginDate");
      const wchar_t* tag = begin ? L"<beginDate>" : L"<endDate>";
      int32_t* fields[3] = {begin ? &event.beginDay : &event.endDay, begin ? &event.beginMonth : &event.endMonth,
                            begin ? &event.beginYear : &event.endYear};
      const char* names[3] = {"day", "month", "year"};
      for (int i = 0; i < 3; ++i) {
        if (c->QueryIntAttribute(names[i], fields[i]) != TIXML_SUCCESS)
          LoadError(WFormat(L"ERROR: %s at line %i has no '%S' attribute or it's not an integer!", tag, c->Row(),
                            names[i]),
                    c->Row());
      }
    } else if (NameIs(*c, "condition")) {
      for (const TiXmlElement* n = c->FirstChildElement(); n != nullptr; n = n->NextSiblingElement()) {
        if (NameIs(*n, "and") || NameIs(*n, "or")) {
          ParseConditionNode(*n, event.condition);
          break;
        }
      }
    } else if (NameIs(*c, "options")) {
      for (const TiXmlElement* o = c->FirstChildElement("option"); o != nullptr; o = o->NextSiblingElement("option")) {
        sEventOption option;
        ReadOption(*o, option);
        event.options.push_back(std::move(option));
      }
    }
  }
  return true;
}

void cZdarzenia::ParseConditionNode(const TiXmlElement& element, sWarunek& node) {
  node.isOr = NameIs(element, "or") ? 1 : 0;
  for (const TiXmlElement* c = element.FirstChildElement("expression"); c != nullptr;
       c = c->NextSiblingElement("expression")) {
    sWyrazenie x;
    ReadExpression(*c, x);
    node.expressions.push_back(std::move(x));
  }
  for (const TiXmlElement* c = element.FirstChildElement(); c != nullptr; c = c->NextSiblingElement()) {
    if (!NameIs(*c, "and") && !NameIs(*c, "or")) continue;
    sWarunek child;
    ParseConditionNode(*c, child);
    node.children.push_back(std::move(child));
  }
}

void cZdarzenia::ReadExpression(const TiXmlElement& element, sWyrazenie& x) {
  x.line = element.Row();
  for (const TiXmlElement* c = element.FirstChildElement(); c != nullptr; c = c->NextSiblingElement()) {
    if (NameIs(*c, "leftOperand")) {
      ReadOperand(*c, x.left);
    } else if (NameIs(*c, "rightOperand")) {
      ReadOperand(*c, x.right);
    } else if (NameIs(*c, "operator")) {
      x.op.line = c->Row();
      ConvertXmlText(c->Attribute("value"), x.op.value);
    }
  }
}

void cZdarzenia::ReadOperand(const TiXmlElement& element, sOperand& operand) {
  operand.line = element.Row();
  ConvertXmlText(element.Attribute("method"), operand.method);
  operand.constValue = ReadDouble(element, "constValue");
  for (int i = 0; i < kEventParamCount; ++i) operand.params[i] = ReadDouble(element, kParamNames[i]);
}

void cZdarzenia::ReadOption(const TiXmlElement& element, sEventOption& option) {
  if (element.QueryIntAttribute("optionID", &option.optionID) != TIXML_SUCCESS) option.optionID = -1;
  if (element.QueryIntAttribute("chanceAI", &option.chanceAI) != TIXML_SUCCESS) option.chanceAI = -1;
  for (const TiXmlElement* c = element.FirstChildElement(); c != nullptr; c = c->NextSiblingElement()) {
    if (NameIs(*c, "description")) {
      ConvertXmlText(c->GetText(), option.text);
    } else if (NameIs(*c, "tooltip")) {
      ConvertXmlText(c->GetText(), option.tooltip);
    } else if (NameIs(*c, "effects")) {
      for (const TiXmlElement* f = c->FirstChildElement("effect"); f != nullptr; f = f->NextSiblingElement("effect")) {
        sEfekt effect;
        ReadEffect(*f, effect);
        // The dispatch goes by the table index the load check found.
        effect.Validate();
        option.effects.push_back(std::move(effect));
      }
    }
  }
}

void cZdarzenia::ReadEffect(const TiXmlElement& element, sEfekt& effect) {
  effect.line = element.Row();
  ConvertXmlText(element.Attribute("method"), effect.method);
  for (int i = 0; i < kEventParamCount; ++i) effect.params[i] = ReadDouble(element, kParamNames[i]);
  for (int i = 0; i < kEventParamStringCount; ++i)
    ConvertXmlText(element.Attribute(kParamStringNames[i]), effect.paramStrings[i]);
}

// ---- the load check ------------------------------------------------------

void cZdarzenia::CollectExpressions(const TiXmlNode& element) {
  for (const TiXmlElement* c = element.FirstChildElement(); c != nullptr; c = c->NextSiblingElement()) {
    if (NameIs(*c, "expression")) {
      LogF(L"<expression> found at row %i", c->Row());
      sWyrazenie x;
      ReadExpression(*c, x);
      expressionsToValidate.push_back(std::move(x));
    } else {
      CollectExpressions(*c);
    }
  }
}

void cZdarzenia::CollectEffects(const TiXmlNode& element) {
  for (const TiXmlElement* c = element.FirstChildElement(); c != nullptr; c = c->NextSiblingElement()) {
    if (NameIs(*c, "effect")) {
      LogF(L"<effect> found at row %i", c->Row());
      sEfekt effect;
      ReadEffect(*c, effect);
      effectsToValidate.push_back(std::move(effect));
    } else {
      CollectEffects(*c);
    }
  }
}

void cZdarzenia::Validate() {
  expressionsToValidate.clear();
  effectsToValidate.clear();
  LogLine(L"Validation of events XML file. Searching for expressions...");
  std::vector<size_t> expressionFiles;
  for (size_t i = 0; i < documents.size(); ++i) {
    // The root element is walked too: an expression may stand anywhere.
    CollectExpressions(*documents[i]);
    expressionFiles.resize(expressionsToValidate.size(), i);
  }
  for (size_t i = 0; i < expressionsToValidate.size(); ++i) {
    sWyrazenie& x = expressionsToValidate[i];
    if (!x.Validate() || !OperandIdsValid(x.left) || !OperandIdsValid(x.right)) {
      currentFile_ = documentPaths.size() > expressionFiles[i] ? documentPaths[expressionFiles[i]] : std::string();
      LoadError(L"CRITICAL: Expression was incorrect. Terminating program. See errors above.", x.line);
    }
  }
  LogLine(L"Validation of events XML file. Searching for effects...");
  std::vector<size_t> effectFiles;
  for (size_t i = 0; i < documents.size(); ++i) {
    CollectEffects(*documents[i]);
    effectFiles.resize(effectsToValidate.size(), i);
  }
  for (size_t i = 0; i < effectsToValidate.size(); ++i) {
    sEfekt& f = effectsToValidate[i];
    if (!f.Validate() || !f.CheckIds()) {
      currentFile_ = documentPaths.size() > effectFiles[i] ? documentPaths[effectFiles[i]] : std::string();
      LoadError(WFormat(L"CRITICAL: Effect at line %i is not correct. See error messages above. Exiting...", f.line),
                f.line);
    }
  }
}
