#pragma once
// The floor a load is measured against: the same files read with no work
// beyond it, tables split into fields by the table reader, the rest read
// as plain bytes.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/csv_file.h"
#include "core/text.h"

inline size_t ReadFilesAtTheFloor(const std::vector<std::filesystem::path>& files) {
  size_t work = 0;
  for (const std::filesystem::path& p : files) {
    const std::string ext = p.extension().string();
    if (ext == ".csv" || ext == ".txt") {
      cCsvFile csv(Utf8ToWide(p.string()));
      while (!csv.Eof()) work += csv.ReadLine(false);
    } else {
      std::FILE* f = std::fopen(p.string().c_str(), "rb");
      if (f == nullptr) continue;
      char buffer[65536];
      size_t got = 0;
      while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) work += got;
      std::fclose(f);
    }
  }
  return work;
}
