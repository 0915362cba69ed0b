// Every place the platform reads a file refuses what is not a regular file, without blocking on a
// pipe, and refuses files beyond its size bound before reading them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/fs/warm_up.hpp"
#include "platform/gfx/bmp_decoder.hpp"
#include "platform/gfx/file_bytes.hpp"
#include "platform/gfx/picture_store.hpp"
#include "platform/gfx/png_writer.hpp"
#include "platform/window/headless_script.hpp"
#include "support/test_files.hpp"

namespace velmorant::platform {
namespace {

namespace fs = std::filesystem;

class SpecialFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::FreshTestFolder("velmorant-special-");
    files_ = testing::MakeSpecialFiles(dir_, "", ".bmp");
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
  testing::SpecialFiles files_;
};

TEST_F(SpecialFilesTest, EveryReaderRefusesThemWithoutBlocking) {
  for (const fs::path& file : {files_.pipe, files_.folder, files_.device, files_.huge}) {
    SCOPED_TRACE(file.filename());
    EXPECT_FALSE(ReadFileBytes(file, kMaxBmpFileBytes));
    EXPECT_FALSE(LoadBmpFile(file));
    EXPECT_FALSE(ReadPng(file));
    EXPECT_NE(ReadScriptFile(file).error, "");
    PictureStore store;
    EXPECT_FALSE(store.Load(file));
    EXPECT_EQ(store.HeldBytes(), 0u);
  }
  // Warming up a large file is harmless: the kernel reads ahead only what it chooses.
  for (const fs::path& file : {files_.pipe, files_.folder, files_.device}) {
    EXPECT_FALSE(WarmUpFile(file)) << file;
  }
}

TEST_F(SpecialFilesTest, TheReasonSaysWhatTheFileIs) {
  auto reason = [](const fs::path& file) { return ReadFileBytes(file, 1000).error(); };
  EXPECT_EQ(reason(files_.pipe), "not a regular file (a pipe)");
  EXPECT_EQ(reason(files_.folder), "not a regular file (a folder)");
  EXPECT_EQ(reason(files_.device), "not a regular file (a device)");
  EXPECT_EQ(reason(files_.huge), "file too large (8589934592 bytes, at most 1000)");
  EXPECT_EQ(reason(dir_ / "missing.bmp"), "No such file or directory");
}

TEST_F(SpecialFilesTest, RegularFilesAreReadUpToTheirBound) {
  std::ofstream(dir_ / "ten", std::ios::binary) << "0123456789";
  std::ofstream(dir_ / "empty", std::ios::binary);
  auto ten = ReadFileBytes(dir_ / "ten", 10);
  ASSERT_TRUE(ten) << ten.error();
  EXPECT_EQ(std::string(ten->begin(), ten->end()), "0123456789");
  EXPECT_FALSE(ReadFileBytes(dir_ / "ten", 9));
  auto empty = ReadFileBytes(dir_ / "empty", 0);
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->empty());
  EXPECT_TRUE(WarmUpFile((dir_ / "ten").string()));
}

TEST_F(SpecialFilesTest, ScriptsBeyondTheirBoundAreRefusedUnread) {
  testing::MakeSparseFile(dir_ / "long.txt", kMaxScriptBytes + 1);
  EXPECT_NE(ReadScriptFile(dir_ / "long.txt").error.find("too large"), std::string::npos);
  std::ofstream(dir_ / "bom.txt", std::ios::binary) << "\xEF\xBB\xBFwait 5\r\nclose\r\n";
  const auto script = ReadScriptFile(dir_ / "bom.txt");
  ASSERT_EQ(script.error, "");
  ASSERT_EQ(script.commands.size(), 2u);
  EXPECT_EQ(script.commands[0].ms, 5);
}

}  // namespace
}  // namespace velmorant::platform
