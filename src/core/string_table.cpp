#include "core/string_table.h"

StringTable gStringTable;

namespace {
const std::wstring kEmpty;
}

const std::wstring& StringTable::operator[](const std::string& key) const {
  auto it = texts_.find(key);
  return it == texts_.end() ? kEmpty : it->second;
}

bool StringTable::Load(const std::string&, bool) { return false; }
bool StringTable::LoadFile(const std::string&, bool, const std::string&, const std::string&) { return false; }

const char kOverrideDigest[] = "00000000000000000000000000000000";
