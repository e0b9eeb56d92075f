#pragma once
// The bytes of files, for comparing what two saves wrote.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

inline std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every file of a folder (not its subfolders' files) by name.
inline std::map<std::string, std::string> FolderBytes(const std::filesystem::path& folder) {
  std::map<std::string, std::string> bytes;
  for (const std::filesystem::directory_entry& e : std::filesystem::directory_iterator(folder))
    if (e.is_regular_file()) bytes[e.path().filename().string()] = ReadFileBytes(e.path());
  return bytes;
}
