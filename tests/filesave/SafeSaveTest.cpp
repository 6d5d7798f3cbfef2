// SafeSave on real disks: the target changes only when the whole new file is in place,
// and a full disk, a read-only folder, a folder of the target's name or a missing folder
// leave the old file as it was, leave no new file, and say what went wrong.
#include "filesave/SafeSave.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/filesave/TestDisks.h"

namespace {

class SafeSaveTest : public ::testing::Test {
 protected:
  void SetUp() override { QV_REQUIRE_TEST_DISKS(); }
  void TearDown() override {
    for (const std::string& name : FilesIn(FullDisk()))
      std::filesystem::remove_all(FullDisk() + "/" + name);
  }
};

TEST_F(SafeSaveTest, TheTargetChangesOnlyAtCommit) {
  const std::string target = FullDisk() + "/view.qvl";
  SetFileContents(target, TextBytes("old file"));
  {
    SafeSave save(target);
    ASSERT_TRUE(save.Begin().ok());
    ASSERT_TRUE(save.Write("new ", 4).ok());
    ASSERT_TRUE(save.Write("contents", 8).ok());
    EXPECT_EQ(TextBytes("old file"), FileContents(target));
    EXPECT_EQ(2u, FilesIn(FullDisk()).size()) << "the new file is written beside the target";
    ASSERT_TRUE(save.Commit().ok());
  }
  EXPECT_EQ(TextBytes("new contents"), FileContents(target));
  EXPECT_EQ(std::vector<std::string>{"view.qvl"}, FilesIn(FullDisk()));
}

TEST_F(SafeSaveTest, ASaveNotCommittedLeavesTheTargetAndNoNewFile) {
  const std::string target = FullDisk() + "/view.qvl";
  SetFileContents(target, TextBytes("old file"));
  {
    SafeSave save(target);
    ASSERT_TRUE(save.Begin().ok());
    ASSERT_TRUE(save.Write("new", 3).ok());
  }
  EXPECT_EQ(TextBytes("old file"), FileContents(target));
  EXPECT_EQ(std::vector<std::string>{"view.qvl"}, FilesIn(FullDisk()));
}

TEST_F(SafeSaveTest, SaveWholeFileCreatesANewFile) {
  const std::string target = FullDisk() + "/new.bin";
  ASSERT_TRUE(SaveWholeFile(target, "abc", 3).ok());
  EXPECT_EQ(TextBytes("abc"), FileContents(target));
}

TEST_F(SafeSaveTest, FailuresLeaveTheOldFileAndSayWhy) {
  const std::string full = FullDisk(), readonly = ReadOnlyDir();
  std::filesystem::create_directory(full + "/folder");
  SetFileContents(full + "/old.bin", TextBytes("old file"));
  const std::vector<unsigned char> big(64 * 1024, 'n');
  const struct {
    const char* what;
    std::string dir, name;
    SaveCode code;
    const char* words;
  } cases[] = {
      {"full disk, old file", full, "old.bin", SaveCode::DiskFull, "the disk is full"},
      {"full disk, new file", full, "new.bin", SaveCode::DiskFull, "the disk is full"},
      {"read-only folder, old file", readonly, "old.bin", SaveCode::AccessDenied, "access"},
      {"read-only folder, new file", readonly, "new.bin", SaveCode::AccessDenied, "access"},
      {"folder of that name", full, "folder", SaveCode::IsFolder, "a folder of that name"},
      {"missing folder", full + "/missing", "new.bin", SaveCode::PathNotFound, "folder does not exist"},
  };
  DiskFiller filler;
  for (const auto& c : cases) {
    const std::string target = c.dir + "/" + c.name;
    const std::vector<unsigned char> before = FileContents(target);
    const std::vector<std::string> files = FilesIn(c.dir == full + "/missing" ? full : c.dir);
    const SaveStatus status = SaveWholeFile(target, big.data(), big.size());
    EXPECT_EQ(c.code, status.code) << c.what << ": " << status.Message(target);
    const std::string message = status.Message(target);
    EXPECT_NE(std::string::npos, message.find(c.words)) << c.what << ": " << message;
    EXPECT_NE(std::string::npos, message.find(target)) << c.what << ": " << message;
    EXPECT_EQ(before, FileContents(target)) << c.what;
    EXPECT_EQ(files, FilesIn(c.dir == full + "/missing" ? full : c.dir)) << c.what;
  }
}

}  // namespace
