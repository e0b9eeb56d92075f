#pragma once
// The number fields of the scenario tables. A field is read as the number
// it starts with; a field that is no number reads as 0.
#include <string>

// The decimal integer at the start of the field, blanks before it allowed;
// values beyond the 32-bit range are held at its ends.
int ReadIntField(const std::wstring& field);
// The decimal real at the start of the field, blanks before it allowed.
double ReadRealField(const std::wstring& field);
