#pragma once
// The pattern every scenario table reader follows: log the opening line and
// the path, end the program when the file cannot be read, log
// "Otwarcie OK", then hand out the rows that carry fields.
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/csv_file.h"

// Opens the table into file; a file that cannot be read whole is fatal.
void OpenTableOrDie(cCsvFile& file, const std::wstring& openingLine, const std::wstring& path);
// The same for a table read line by line as text: the open file, for the
// caller to close.
std::FILE* OpenTableOrDie(const std::wstring& openingLine, const std::wstring& path);

// Calls onShort(count) for rows with fewer than minFields fields and
// onRow(count) for the others; comment lines and empty lines are passed over.
template <class OnRow, class OnShort>
void ForEachTableRow(cCsvFile& file, uint16_t minFields, OnRow onRow, OnShort onShort) {
  for (;;) {
    const uint16_t count = file.ReadLine(false);
    if (count == 0) {
      if (file.Eof()) break;
      continue;
    }
    if (count < minFields)
      onShort(count);
    else
      onRow(count);
  }
  file.Close();
}
