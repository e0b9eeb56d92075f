#pragma once
// An INI file held as a sorted map from "Section/Key" to a text value.
// Getters add a missing key with their default, so that a file saved later
// lists every key the program asked for.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

class cIniFile {
 public:
  struct sEntry {
    std::string comment;                 // comment lines above, each with CR LF
    std::unique_ptr<std::string> value;  // none for a section entry
  };

  cIniFile() = default;
  // Reads the file (a game path); false when it cannot be opened, leaving
  // the store empty and unsaveable.
  bool Load(const std::wstring& path);
  // Rewrites the file of the last load; nothing unless that load succeeded.
  void Save();
  // Writes the store to another file, loaded or not; false when it cannot
  // be written.
  bool SaveAs(const std::wstring& path) const;
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
  // The value text of a key, or null when it is missing (then added with
  // defText when auto-create is on).
  std::string* Lookup(const std::string& key, std::string_view defText);
  void Store(const std::string& key, std::string text);

  std::map<std::string, sEntry> entries_;
  std::wstring fileName_;
  uint8_t loaded_ = 0;
};
