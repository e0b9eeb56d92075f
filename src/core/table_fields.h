#pragma once
// The fields of the semicolon tables: the scenario's and the GUI layout's.
// A number field is read as the number it starts with; a field that is no
// number reads as 0.
#include <string>
#include <string_view>
#include <vector>

// The decimal integer at the start of the field, blanks before it allowed;
// values beyond the 32-bit range are held at its ends.
int ReadIntField(const std::wstring& field);
// The decimal real at the start of the field, blanks before it allowed.
double ReadRealField(const std::wstring& field);

// The fields of one line of a table read line by line, split at ';'. A run
// of separators counts as one, so an empty field vanishes and the later
// fields move left. When shifted is given it tells whether that happened
// before the last field (a trailing ';' moves nothing).
std::vector<std::wstring> SplitTableLine(std::wstring_view line, bool* shifted = nullptr);
