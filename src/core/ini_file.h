#pragma once
// An INI file held as a sorted map from "Section/Key" to a text value.
#include <map>
#include <memory>
#include <string>

class cIniFile {
 public:
  struct sEntry {
    std::string comment;                 // comment lines above, each with CR LF
    std::unique_ptr<std::string> value;  // none for a section entry
  };

  cIniFile() = default;
  bool Load(const std::wstring& path);
  void Save();
  void EnsureSection(const std::string& key);

  std::wstring GetString(const std::string& key, const std::wstring& def);
  int GetInt(const std::string& key, int def);
  bool GetBool(const std::string& key, bool def);
  void SetString(const std::string& key, const std::wstring& value);
  void SetInt(const std::string& key, int value);
  void SetBool(const std::string& key, bool value);

  bool IsLoaded() const { return loaded_ != 0; }
  const std::wstring& FileName() const { return fileName_; }
  const std::map<std::string, sEntry>& Entries() const { return entries_; }
  bool HasKey(const std::string& key) const { return entries_.count(key) != 0; }

  uint8_t autoCreate = 1;
  uint8_t trace = 0;

 private:
  std::map<std::string, sEntry> entries_;
  std::wstring fileName_;
  uint8_t loaded_ = 0;
};
