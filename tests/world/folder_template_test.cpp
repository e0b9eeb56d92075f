// Folder templates: the file name goes where the template's "%s" stands and
// nothing else in the template acts as a format.
#include "world/folder_template.h"

#include <gtest/gtest.h>

namespace {

TEST(FolderTemplate, FileNameTakesThePlaceOfTheFirstConversion) {
  EXPECT_EQ(FormatFolderTemplate(L"data\\scenarios\\Europe\\%s", L"map.hwd"), L"data\\scenarios\\Europe\\map.hwd");
  // A doubled percent sign is one percent sign of the folder's name.
  EXPECT_EQ(FormatFolderTemplate(L"data\\scenarios\\100%% War\\%s", L"countries.csv"),
            L"data\\scenarios\\100% War\\countries.csv");
  // Only the first "%s" is the file name; a later one stays as written.
  EXPECT_EQ(FormatFolderTemplate(L"a\\%s\\%s", L"x.csv"), L"a\\x.csv\\%s");
}

TEST(FolderTemplate, OtherPercentSignsAreKeptAsText) {
  EXPECT_EQ(FormatFolderTemplate(L"data\\%d %n %\\%s", L"f"), L"data\\%d %n %\\f");
  EXPECT_EQ(FormatFolderTemplate(L"folder\\%", L"f"), L"folder\\%");
  // A template without a conversion names the folder alone.
  EXPECT_EQ(FormatFolderTemplate(L"folder", L"f"), L"folder");
  EXPECT_EQ(FormatFolderTemplate(L"%s", L""), L"");
}

}  // namespace
