#pragma once
// Text conversions at the edges of the program and the one wide formatter.
// Data tables are Windows-1252, the log and the string base UTF-16LE, file
// names on disk UTF-8; inside the program text is std::wstring.
#include <cstdarg>
#include <cstdint>
#include <string>
#include <string_view>

std::wstring Cp1252ToWide(std::string_view s);
// The same conversion into out, keeping its storage, for readers that turn
// many short fields into text: bytes are widened as they stand, a few at a
// time, and only a text holding bytes 0x80..0x9F goes through the code page.
void AssignCp1252(std::wstring& out, std::string_view s);
// Characters the code page cannot hold become '?'.
std::string WideToCp1252(std::wstring_view s);

// Decodes UTF-16LE bytes; an odd trailing byte is ignored, an unpaired
// surrogate becomes U+FFFD.
std::wstring Utf16LeToWide(const uint8_t* data, size_t bytes);
std::string WideToUtf16Le(std::wstring_view s);

// Malformed sequences, overlong forms and surrogates become U+FFFD.
std::wstring Utf8ToWide(std::string_view s);
std::string WideToUtf8(std::wstring_view s);

// Widens or narrows one byte per character, as the INI store and the lock
// trace do with their ASCII keys.
std::wstring WidenAscii(std::string_view s);
std::string NarrowAscii(std::wstring_view s);

// printf-style wide formatting with the Windows meaning of the conversions:
// %s and %c take wide arguments, %S and %C narrow ones, %ls/%lS/%lc wide,
// %hs/%hS/%hc narrow. Narrow arguments are Windows-1252 text; %I64 and %I32
// are understood; %n writes nothing. Never hand a raw format to swprintf.
std::wstring WFormat(const wchar_t* fmt, ...);
std::wstring WFormatV(const wchar_t* fmt, va_list args);

std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
