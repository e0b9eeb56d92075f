#pragma once
// A readable text form of the map file, for reviewing and authoring maps by
// hand and for diffs: the size and header, then one section per cell field
// with one line per row. Converting a map file to text and back gives the
// same bytes; text written by MapFileToText reads back to the same text.
//
//   size <width> <height>
//   header-text <text>          or  header-bytes <510 hex digits>
//   header-scale <8 hex digits> (the bits of the f32)
//   [terrain]                   one letter per cell: W water, P plain,
//                               F forest, R rough, S swamp, H hill,
//                               M mountain, D desert, ? another code
//   [terrain-codes]             "x y code" for every '?' cell
//   [rivers] [sea-zones] ...    numbers separated by blanks, one line per row
//
// Number sections whose values are all 0 are left out; a section that is
// not given reads as 0. Lines starting with '#' and empty lines between
// sections are ignored.
#include <string>

#include "world/map_file.h"

std::string MapFileToText(const sMapFileImage& image);
// False with a message naming the line when the text is not a map.
bool MapTextToFile(const std::string& text, sMapFileImage& out, std::string& error);
