// Effects of event options: the load check against the effects table,
// running an option, and the dispatch of one effect under the game lock.
#include <unordered_map>

#include "core/console.h"
#include "core/game_lock.h"
#include "core/text.h"
#include "events/effect_table.h"
#include "events/event_manager.h"
#include "world/game.h"

namespace {

#define BRENNMARK_EFFECT_ENTRY(A, B, N, S, IDS) {L"" #A "." #B, N, S, IDS, &Effect##A##_##B},
const std::vector<sEffectMethod> kEffects = {
    BRENNMARK_EFFECTS_WITH_CHANGES(BRENNMARK_EFFECT_ENTRY) BRENNMARK_EFFECTS_WITHOUT_CHANGES(BRENNMARK_EFFECT_ENTRY)};
#undef BRENNMARK_EFFECT_ENTRY

const std::unordered_map<std::wstring, int>& EffectIndex() {
  static const std::unordered_map<std::wstring, int> index = [] {
    std::unordered_map<std::wstring, int> m;
    for (size_t i = 0; i < kEffects.size(); ++i) m.emplace(kEffects[i].name, static_cast<int>(i));
    return m;
  }();
  return index;
}

}  // namespace

const std::vector<sEffectMethod>& EffectMethods() { return kEffects; }

bool sEfekt::CheckParams(int count) const {
  if (count < 0 || count > 9) return false;
  for (int i = 0; i < count; ++i) {
    if (!IsDefined(params[i])) {
      LogF(L"ERROR: param%i for effect at line %i is not defined!", i, line);
      return false;
    }
  }
  return true;
}

bool sEfekt::CheckParamString(int index) const {
  if (index < 0 || index >= kEventParamStringCount) return false;
  if (!paramStrings[index].empty()) return true;
  LogF(L"ERROR: paramString%i for effect at line %i is not defined!", index, line);
  return false;
}

bool sEfekt::CheckParamStrings(int count) const {
  if (count < 0 || count > 3) return false;
  for (int i = 0; i < count; ++i)
    if (!CheckParamString(i)) return false;
  return true;
}

bool sEfekt::CheckMethod(const wchar_t* name, int paramCount, int stringCount) {
  if (method != name) return true;
  if (!CheckParams(paramCount) || !CheckParamStrings(stringCount)) return false;
  known = true;
  return true;
}

bool sEfekt::Validate() {
  // The names are distinct: the lookup finds the one entry whose check
  // can fail or mark the effect.
  const auto it = EffectIndex().find(method);
  if (it != EffectIndex().end()) {
    const sEffectMethod& m = kEffects[static_cast<size_t>(it->second)];
    if (!CheckMethod(m.name, m.paramCount, m.stringCount)) return false;
    tableIndex = it->second;
  }
  if (!known) {
    LogF(L"ERROR: Effect at line %i has unknown method (%s)!", line, method.c_str());
    return false;
  }
  return true;
}

bool sEfekt::CheckIds() const {
  if (tableIndex < 0) return true;
  return CheckParamIds(kEffects[static_cast<size_t>(tableIndex)].ids, params, L"effect", line, method);
}

void cZdarzenia::ExecuteEffect(const sEfekt& effect) {
  cGameLockGuard lock(__FILE__, __LINE__);
  int index = effect.tableIndex;
  if (index < 0) {
    const auto it = EffectIndex().find(effect.method);
    index = it == EffectIndex().end() ? -1 : it->second;
  }
  if (index < 0) {
    LogF(L"ERROR: Effect at line %i has unknown method (%s)! Skipped", effect.line, effect.method.c_str());
    return;
  }
  const sEffectMethod& m = kEffects[static_cast<size_t>(index)];
  // The world may have changed since the load check: an id that names
  // nothing now skips the effect rather than touch what is not there.
  if (!CheckParamIds(m.ids, effect.params, L"effect", effect.line, effect.method)) {
    LogF(L"Effect %s at line %i skipped", effect.method.c_str(), effect.line);
    return;
  }
  m.run(effect);
}

void sEventOption::ExecuteEffects() const {
  if (gGra == nullptr || gGra->events == nullptr) return;
  for (const sEfekt& e : effects) gGra->events->ExecuteEffect(e);
}

bool sZdarzenie::ExecuteOption(int option) const {
  if (option < 1 || static_cast<size_t>(option) > options.size()) return false;
  if (gGra == nullptr || gGra->events == nullptr) return false;
  gGra->events->messages.clear();
  gGra->events->NoteOptionRun();
  options[static_cast<size_t>(option) - 1].ExecuteEffects();
  return true;
}
