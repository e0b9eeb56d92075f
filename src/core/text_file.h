#pragma once
// Line input and output for the text files the game reads and writes.
// Readers drop a CR in front of LF; writers emit CR LF themselves.
#include <cstdio>
#include <string>
#include <string_view>

// Reads one line (without its line end) from f. Returns false at end of file
// when nothing was read.
bool ReadTextLine(std::FILE* f, std::string& line);

// Takes the next line out of a buffer, advancing pos; false when pos is at the end.
bool NextTextLine(std::string_view buf, size_t& pos, std::string_view& line);

// Writes the text followed by CR LF.
bool WriteTextLine(std::FILE* f, std::string_view line);

// Turns every lone LF of a text into CR LF (a CR LF stays as it is).
std::string ToCrLf(std::string_view text);
