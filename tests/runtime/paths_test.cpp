#include "runtime/paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/module_services.h"

TEST(Paths, SuffixAndPrefixTestsAnswerFalseForShortTexts) {
  EXPECT_TRUE(EndsWith("image.png", ".png"));
  EXPECT_FALSE(EndsWith("png", ".png"));
  EXPECT_FALSE(EndsWith("", "\\"));
  EXPECT_TRUE(StartsWith("C:\\x", "C:"));
  EXPECT_FALSE(StartsWith("C", "C:"));
  EXPECT_FALSE(EndsWithSeparator(""));
  EXPECT_TRUE(EndsWithSeparator("a/"));
  EXPECT_TRUE(StartsWithSeparator("\\a"));
}

TEST(Paths, SeparatorsAreAddedOnlyWhenMissing) {
  const std::string separator(1, PreferredSeparator());  // '/' on Linux, '\\' on Windows
  EXPECT_EQ(WithTrailingSeparator("dir\\"), "dir\\");
  EXPECT_EQ(WithTrailingSeparator("dir/"), "dir/");
  EXPECT_EQ(WithTrailingSeparator(""), separator);
  EXPECT_EQ(WithLeadingSeparator("\\a.bin"), "\\a.bin");
  EXPECT_EQ(WithLeadingSeparator("a.bin"), separator + "a.bin");
  EXPECT_EQ(WithoutLeadingSeparator("\\a.bin"), "a.bin");
  EXPECT_EQ(WithoutLeadingSeparator("a.bin"), "a.bin");
  EXPECT_EQ(WithoutLeadingSeparator(""), "");
}

TEST(Paths, PartsSplitAtTheLastSeparatorOfEitherKind) {
  EXPECT_EQ(LastSeparator("C:\\x/y\\z.png"), 6);
  EXPECT_EQ(LastSeparator("z.png"), -1);
  EXPECT_EQ(DirectoryPart("C:\\x\\a.bin"), "C:\\x\\");
  EXPECT_EQ(DirectoryPart("a.bin"), "");
  EXPECT_EQ(FilePart("/usr/lib/vst/m.so"), "m.so");
  EXPECT_EQ(FilePart("m.so"), "m.so");
  EXPECT_EQ(Extension("/a/b.tar.gz"), ".gz");
  EXPECT_EQ(Extension("README"), "");
}

TEST(Paths, FullPathDropsOneLeadingSeparatorOfTheName) {
  const std::string directory = ModuleDirectory();
  ASSERT_FALSE(directory.empty());
  EXPECT_TRUE(EndsWithSeparator(directory));
  EXPECT_EQ(FullPath("\\a.bin"), directory + "a.bin");
  EXPECT_EQ(FullPath("a.bin"), directory + "a.bin");
}

TEST(Paths, ListFilesGivesVisiblePlainFilesOnly) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "paths_test_listing";
  fs::remove_all(dir);
  fs::create_directories(dir / "sub");
  for (const char* name : {"b.png", "a.wav", ".hidden"})
    std::ofstream(dir / name) << "x";

  std::vector<std::string> names = ListFiles(dir.string() + "/");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.wav", "b.png"}));
  EXPECT_TRUE(ListFiles(dir.string()).empty());  // a directory text ends with a separator
  EXPECT_TRUE(ListFiles("/no/such/folder/").empty());
  fs::remove_all(dir);
}
