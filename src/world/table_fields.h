#pragma once
// Strict reading of the number fields of the scenario tables.
#include <string>

// A whole field as a decimal integer, blanks around it allowed.
bool ParseIntField(const std::wstring& field, int& value);
// A whole field as a decimal real, blanks around it allowed.
bool ParseRealField(const std::wstring& field, double& value);
