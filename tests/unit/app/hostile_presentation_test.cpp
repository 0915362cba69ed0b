// Presentations received from strangers: special files, links out of the folder, names that cut
// into the folder's own name, control characters. Each plays what it can or ends with the
// definition message; none blocks, and nothing outside the folder is used.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/player.hpp"
#include "definition/loader.hpp"
#include "platform/gfx/png_writer.hpp"
#include "platform/window/headless_backend.hpp"
#include "support/bmp_builder.hpp"
#include "support/test_files.hpp"

namespace velmorant {
namespace {

namespace fs = std::filesystem;

using testing::WriteBytes;

std::vector<uint8_t> Encoded(Definition definition) {
  NumberRecords(definition);
  WriteResult written = WriteDefinition(definition, 'g');
  EXPECT_EQ(written.error, "");
  return written.bytes;
}

// One page whose screen shows the given maps over background 0, if there is one.
Definition OnePage(std::vector<TMap> maps, std::vector<TTlo> backgrounds = {}) {
  Definition def;
  TEkr screen;
  screen.Background = backgrounds.empty() ? -1 : 0;
  for (size_t m = 0; m < maps.size(); ++m) screen.Maps.Add(int32_t(m));
  def.TEkrany.push_back(screen);
  def.TMedia.push_back({0, 0, -1});
  def.TMapy = std::move(maps);
  def.TTla = std::move(backgrounds);
  return def;
}

TMap MapOf(const std::string& picture, bool mask = false) {
  TMap map;
  map.FileName = picture;
  map.UseMask = uint8_t(mask);
  // At the top left corner, in its natural size.
  map.X = map.Y = map.Width = map.Height = 0;
  return map;
}

class HostilePresentation : public ::testing::Test {
 protected:
  void SetUp() override {
    work_ = testing::FreshTestFolder("velmorant-hostile-");
    show_ = work_ / "show";
    fs::create_directories(show_);
    fs::create_directories(work_ / "shots");
  }
  void TearDown() override { fs::remove_all(work_); }

  // Plays the presentation headless: the exit status; the event log goes to log_.
  int Play(const std::string& script = "snapshot shot\n") {
    platform::HeadlessOptions options;
    options.screen = {160, 120, 32};
    options.script = platform::ParseScript(script).commands;
    options.snapshots = work_ / "shots";
    platform::HeadlessBackend backend(std::move(options));
    backend.Log().Open((work_ / "log.jsonl").string());
    PlayerOptions player_options;
    player_options.presentation = show_;
    int status = 0;
    {
      Player player(backend, *platform::CodePage::Open(1250), player_options);
      status = player.Run();
    }
    std::ifstream in(work_ / "log.jsonl");
    log_.assign(std::istreambuf_iterator<char>(in), {});
    return status;
  }
  platform::Pixel ShotPixel(int32_t x, int32_t y) {
    auto shot = platform::ReadPng(work_ / "shots" / "shot.png");
    EXPECT_TRUE(shot);
    return shot ? shot->Get(x, y) : 0xDEADBEEF;
  }
  bool ShowedTheDefinitionMessage() const {
    return log_.find("\"event\":\"message\"") != std::string::npos &&
           log_.find("\"event\":\"loaded\"") == std::string::npos;
  }

  fs::path work_;
  fs::path show_;
  std::string log_;
};

TEST_F(HostilePresentation, ADefinitionThatIsNoRegularFileInsideIsNotLoaded) {
  WriteBytes(work_ / "elsewhere.med", Encoded(OnePage({})));
  const auto special = testing::MakeSpecialFiles(work_, "info", ".med");
  const fs::path definition = show_ / "info.med";
  for (const fs::path& target : {special.pipe, special.folder, special.huge, fs::path("/dev/zero"),
                                 work_ / "elsewhere.med"}) {
    SCOPED_TRACE(target);
    fs::remove(definition);
    fs::create_symlink(target, definition);
    EXPECT_EQ(Play(), 1);
    EXPECT_TRUE(ShowedTheDefinitionMessage()) << log_;
  }
  // The same kinds of file in the folder itself.
  for (const char* kind : {"pipe", "folder", "huge"}) {
    SCOPED_TRACE(kind);
    fs::remove_all(show_);
    fs::create_directories(show_);
    const auto inside = testing::MakeSpecialFiles(show_, "", ".med");
    fs::rename(show_ / (std::string(kind) + ".med"), definition);
    EXPECT_EQ(Play(), 1);
    EXPECT_TRUE(ShowedTheDefinitionMessage()) << log_;
  }
  // A link that stays inside is followed.
  fs::remove_all(show_);
  WriteBytes(show_ / "data" / "real.med", Encoded(OnePage({})));
  fs::create_symlink("data/real.med", definition);
  EXPECT_EQ(Play(), 0);
  EXPECT_NE(log_.find("\"event\":\"loaded\""), std::string::npos) << log_;
}

TEST_F(HostilePresentation, SpecialFilesAndLinksOutInPlaceOfPicturesDrawNothing) {
  const auto special = testing::MakeSpecialFiles(show_ / "przyciski", "", ".bmp");
  WriteBytes(work_ / "outside.bmp", testing::SolidBmp(30, 30, 0x00FF00));
  fs::create_symlink(work_ / "outside.bmp", show_ / "przyciski" / "out.bmp");
  fs::create_symlink(work_, show_ / "tla");
  TTlo background;
  background.FileName = "outside.bmp";
  std::vector<TMap> maps;
  for (const char* name : {"pipe.bmp", "folder.bmp", "zero.bmp", "huge.bmp", "out.bmp"}) {
    maps.push_back(MapOf(name, true));
    maps.back().HoverFileName = name;
  }
  Definition def = OnePage(maps, {background});
  def.header.PreloadFiles = 1;  // every file warmed up first
  WriteBytes(show_ / "info.med", Encoded(def));
  EXPECT_EQ(Play("move 5 5\nsnapshot shot\nclick 5 5\nwait 100\n"), 0);
  EXPECT_EQ(ShotPixel(5, 5), 0u) << "nothing from outside the folder is drawn";
}

TEST_F(HostilePresentation, AMaskBesideTheFolderIsNotUsed) {
  Definition def = OnePage({MapOf("ab", true)});
  def.header.ButtonsFolder = ".";
  WriteBytes(show_ / "info.med", Encoded(def));
  WriteBytes(show_ / "ab", testing::SolidBmp(20, 20, 0xFF0000));
  // What the rule applied to the whole path would find: white, so the picture would vanish.
  WriteBytes(work_ / "showmsk", testing::SolidBmp(20, 20, 0xFFFFFF));
  EXPECT_EQ(Play(), 0);
  EXPECT_EQ(ShotPixel(5, 5), 0xFF0000u) << "drawn without a mask, as with a missing one";
}

TEST_F(HostilePresentation, WarningsNameThePathOnceAndEscapeControlCharacters) {
  WriteBytes(show_ / "przyciski" / "broken.bmp", std::vector<uint8_t>(64, 'x'));
  WriteBytes(show_ / "info.med", Encoded(OnePage({MapOf("broken.bmp"), MapOf("\x1b[2Jgone.bmp")})));
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Play(), 0);
  const std::string warnings = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(warnings.find("velmorant: przyciski/broken.bmp: not a BMP file (no BM signature)\n"),
            std::string::npos)
      << warnings;
  EXPECT_NE(warnings.find("velmorant: przyciski/\\u001b[2Jgone.bmp: "), std::string::npos)
      << warnings;
  EXPECT_EQ(warnings.find('\x1b'), std::string::npos);
  EXPECT_EQ(warnings.find(show_.string()), std::string::npos) << "paths relative to the folder";
}

}  // namespace
}  // namespace velmorant
