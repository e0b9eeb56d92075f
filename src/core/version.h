#pragma once
// The program's title and version, shown in the window title and the log
// and written into the maps it makes.
constexpr const char* kProgramTitle = "Brennmark";
constexpr const wchar_t* kProgramTitleW = L"Brennmark";
constexpr double kProgramVersion = 1.05;
// The build number: shown in titles and version labels when it is not a
// multiple of 100.
constexpr int kProgramBuild = 500;
