#pragma once
// The game date: turn of the month, month and year. A month counts as 30
// days split evenly among its turns; how many turns each month has is a
// scenario constant, handed in by the caller (the game's constants block).
#include <span>
#include <string>

// Turns per month, January to December.
using TurnsPerMonth = std::span<const int, 12>;

struct sGameDate {
  int turn = 1;   // 1 .. turns of the current month
  int month = 1;  // 1..12
  int year = 0;
  std::wstring text;  // the last result of Format

  // The day of the month on which the current turn begins.
  int GetDayOfMonth(TurnsPerMonth tpm) const;
  bool IsDay(int day, int month, int year, TurnsPerMonth tpm) const;
  // Strictly before the given date.
  bool IsBefore(int day, int month, int year, TurnsPerMonth tpm) const;
  // Neither the given day nor before it.
  bool IsAfter(int day, int month, int year, TurnsPerMonth tpm) const;
  // "day-month name-year", the month's name from the string base; also kept in text.
  const std::wstring& Format(TurnsPerMonth tpm);
};
