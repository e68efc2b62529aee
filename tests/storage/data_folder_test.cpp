#include "storage/data_folder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace vernium {
namespace {

struct FolderCase {
  std::optional<std::string> xdg;
  std::optional<std::string> home;
  std::string expected;
};

TEST(DataFolder, FollowsTheXdgRule) {
  const FolderCase cases[] = {
      {"/data", "/home/tech", "/data/vernium"},
      {std::nullopt, "/home/tech", "/home/tech/.local/share/vernium"},
      {"", "/home/tech", "/home/tech/.local/share/vernium"},
      {"relative/dir", "/home/tech", "/home/tech/.local/share/vernium"},
      {std::nullopt, std::nullopt, ""},
      {std::nullopt, "nothome", ""},
  };
  for (const FolderCase& c : cases) {
    EXPECT_EQ(DataFolderFrom(c.xdg, c.home).string(), c.expected)
        << (c.xdg ? *c.xdg : "(unset)") << " / " << (c.home ? *c.home : "(unset)");
  }
}

TEST(DataFolder, PreparesAMissingFolderAndRefusesAFile) {
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / "vernium-data-folder-test";
  std::filesystem::remove_all(root);
  EXPECT_EQ(PrepareDataFolder(root / "a" / "b"), "");
  EXPECT_TRUE(std::filesystem::is_directory(root / "a" / "b"));
  EXPECT_TRUE(std::filesystem::is_empty(root / "a" / "b"));
  std::ofstream(root / "file") << "x";
  EXPECT_NE(PrepareDataFolder(root / "file"), "");
  EXPECT_NE(PrepareDataFolder({}), "");
  std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace vernium
