#pragma once
// Folder templates: a wide format holding one "%s" where a file name goes,
// such as "data\scenarios\Name\%s".
#include <string>

// Puts the file name in place of the first "%s" and turns "%%" into "%";
// any other '%' is kept as it stands, so a template can never act as a
// format of its own.
std::wstring FormatFolderTemplate(const std::wstring& folderTemplate, const std::wstring& fileName);
