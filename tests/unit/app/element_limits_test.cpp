// What one element may cost and start: its pictures against the memory budget (refusals warned
// once, never tried again at every page), its caption file's length, and the clicks that reach a
// page after it stopped.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/player.hpp"
#include "definition/loader.hpp"
#include "elements/visual/captions.hpp"
#include "platform/gfx/png_writer.hpp"
#include "platform/window/headless_backend.hpp"
#include "support/bmp_builder.hpp"
#include "support/test_files.hpp"

namespace velmorant {
namespace {

namespace fs = std::filesystem;

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// Two pages on screens 0 and 1.
void AddPages(Definition& def, TEkr first, TEkr second = {}) {
  def.TEkrany = {std::move(first), std::move(second)};
  def.TMedia = {{0, 0, -1}, {1, 0, -1}};
}

class ElementLimits : public ::testing::Test {
 protected:
  void SetUp() override {
    work_ = testing::FreshTestFolder("velmorant-element-limits-");
    show_ = work_ / "show";
  }
  void TearDown() override { fs::remove_all(work_); }

  void Write(Definition def) {
    NumberRecords(def);
    const WriteResult written = WriteDefinition(def, 'g');
    ASSERT_EQ(written.error, "");
    testing::WriteBytes(show_ / "info.med", written.bytes);
  }
  // Plays headless on a 64 x 48 screen with the budget's limit set to `limit`; the event log is
  // returned, the warnings kept in warnings_. `on_page` runs as each page is shown.
  std::string Play(const std::string& script, uint64_t limit = platform::kMemoryBudgetBytes,
                   std::function<void(platform::HeadlessBackend&, int32_t)> on_page = nullptr,
                   const std::string& interval = {}) {
    platform::HeadlessOptions options;
    options.screen = {64, 48, 32};
    options.script = platform::ParseScript(script).commands;
    options.snapshots = work_;
    platform::HeadlessBackend backend(std::move(options));
    backend.Memory().SetLimit(limit);
    const fs::path log = work_ / "log.jsonl";
    backend.Log().Open(log.string());
    PlayerOptions player_options;
    player_options.presentation = show_;
    player_options.interval = interval;
    ::testing::internal::CaptureStderr();
    {
      Player player(backend, *platform::CodePage::Open(1250), player_options);
      if (on_page) player.OnPageShown = [&](int32_t page) { on_page(backend, page); };
      EXPECT_EQ(player.Run(), 0);
    }
    warnings_ = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(backend.Memory().Used(), 0u) << "everything charged is given back";
    std::ifstream in(log);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  platform::Pixel ShotPixel(int32_t x, int32_t y) {
    auto shot = platform::ReadPng(work_ / "shot.png");
    EXPECT_TRUE(shot);
    return shot ? shot->Get(x, y) : 0xDEADBEEF;
  }

  fs::path work_;
  fs::path show_;
  std::string warnings_;
};

TEST_F(ElementLimits, AClickQueuedBehindThePageChangeStartsNothing) {
  // A map whose left button goes on and whose right one starts a program.
  testing::WriteBytes(show_ / "przyciski" / "m.bmp", testing::SolidBmp(40, 10, 0x808080));
  testing::WriteBytes(show_ / "procesy" / "run.sh", std::vector<uint8_t>{'#', '!'});
  Definition def;
  TMap map;
  map.FileName = "m.bmp";
  map.X = map.Y = map.Width = map.Height = 0;
  TReg next;
  next.X = next.Y = 0;
  next.Width = next.Height = 10;
  next.Action = {kActionNext, 0};
  TReg start = next;
  start.X = 20;
  start.Action = {};
  map.Regions = {next, start};
  def.TMapy = {map};
  TPro program;
  program.FileName = "run.sh";
  program.AutoStart = 0;
  program.MapIndex = 0;
  program.StartRegion = 1;
  def.TProcesy = {program};
  TEkr first;
  first.Maps = {0};
  first.Processes = {0};
  AddPages(def, first);
  Write(def);

  const auto click = [](int32_t x) {
    platform::ScriptCommand c;
    c.kind = platform::ScriptCommand::Kind::kClick;
    c.x = x;
    c.y = 5;
    return c;
  };
  // Both clicks wait in the queue when the first leaves the page.
  const auto both = [&](platform::HeadlessBackend& backend, int32_t page) {
    if (page != 0) return;
    backend.Post(click(5));
    backend.Post(click(25));
  };
  std::string log = Play("", platform::kMemoryBudgetBytes, both);
  EXPECT_EQ(Count(log, R"("event":"page")"), 2u) << log;
  EXPECT_EQ(Count(log, R"("event":"launch")"), 0u) << log;

  // The same program button clicked on its own page starts it: the click is not lost for good.
  const auto alone = [&](platform::HeadlessBackend& backend, int32_t page) {
    if (page == 0) backend.Post(click(25));
  };
  log = Play("", platform::kMemoryBudgetBytes, alone);
  EXPECT_EQ(Count(log, R"("event":"launch")"), 1u) << log;
}

TEST_F(ElementLimits, ARefusedFramePatternIsWarnedOnceAndItsImagesStillShow) {
  testing::WriteBytes(show_ / "tla" / "ramka.bmp", testing::RleClaimingSize(8192, 8192));
  testing::WriteBytes(show_ / "obrazy" / "o.bmp", testing::SolidBmp(8, 8, 0x00FF00));
  Definition def;
  TRam style;
  style.Kind = 1;
  style.Width = 2;
  style.PatternFile = "ramka.bmp";
  def.TRamki = {style};
  TEkr screen;
  for (int32_t i = 0; i < 8; ++i) {
    TObr image;
    image.FileName = "o.bmp";
    image.X = 4 + 7 * i;
    image.Y = 10;
    image.W = image.H = 0;
    image.FrameIndex = 0;
    def.TObrazy.push_back(image);
    screen.Images.Add(i);
  }
  AddPages(def, screen, screen);
  Write(def);
  // Slide show: both pages pass, the second with the same frames.
  Play("wait 1500\nsnapshot shot\nwait 1500\n", platform::kMemoryBudgetBytes, nullptr, "1");
  EXPECT_EQ(Count(warnings_, "tla/ramka.bmp"), 1u) << warnings_;
  EXPECT_EQ(ShotPixel(6, 8), 0x00FF00u);
}

TEST_F(ElementLimits, CaptionsPastTheBudgetShowNothingWithOneWarningEach) {
  Definition def;
  TEkr screen;
  for (int32_t i = 0; i < 40; ++i) {
    TNap nap;
    nap.FileName = "n" + std::to_string(i) + ".txt";
    const std::string text = "Ala " + std::to_string(i);
    testing::WriteBytes(show_ / "napisy" / nap.FileName, {text.begin(), text.end()});
    nap.FontName = "Arial";
    nap.FontSize = 10;
    nap.X = nap.Y = 0;
    nap.W = nap.H = 100;  // the whole window
    def.TNapisy.push_back(nap);
    screen.Captions.Add(i);
  }
  AddPages(def, screen, screen);
  Write(def);
  // Room for the pictures of four captions: 40 would take ten times that.
  const uint64_t one = 2 * platform::PictureBytes(64, 48);
  Play("wait 1500\nwait 1500\n", 4 * one + one / 2, nullptr, "1");
  EXPECT_EQ(Count(warnings_, "refused"), 36u) << warnings_;
  for (int32_t i = 0; i < 40; ++i) {
    EXPECT_LE(Count(warnings_, "napisy/n" + std::to_string(i) + ".txt:"), 1u) << warnings_;
  }
}

TEST_F(ElementLimits, CaptionsDrawnAlikeShareTheirPictures) {
  testing::WriteBytes(show_ / "napisy" / "n.txt", std::vector<uint8_t>{'A', 'l', 'a'});
  Definition def;
  TEkr screen;
  for (int32_t i = 0; i < 400; ++i) {
    TNap nap;
    nap.FileName = "n.txt";
    nap.FontName = "Arial";
    nap.FontSize = 10;
    nap.X = nap.Y = 0;
    nap.W = nap.H = 100;
    def.TNapisy.push_back(nap);
    screen.Captions.Add(i);
  }
  AddPages(def, screen);
  Write(def);
  // One caption's pictures fit (with its glyphs while it is drawn); so do all 400, alike.
  Play("wait 100\n", 2 * platform::PictureBytes(64, 48) + platform::PictureBytes(64, 48) / 2);
  EXPECT_EQ(warnings_, "");
}

TEST_F(ElementLimits, ALongCaptionFileIsCutWithOneWarning) {
  std::vector<uint8_t> text(kMaxCaptionBytes + 100, ' ');
  for (size_t i = 0; i < text.size(); i += 2) text[i] = 'x';
  testing::WriteBytes(show_ / "napisy" / "n.txt", text);
  Definition def;
  TNap nap;
  nap.FileName = "n.txt";
  nap.FontName = "Arial";
  nap.FontSize = 10;
  nap.X = nap.Y = 0;
  nap.W = nap.H = 100;
  nap.Colour = 0x0000FF;
  def.TNapisy = {nap};
  TEkr screen;
  screen.Captions = {0};
  AddPages(def, screen, screen);
  Write(def);
  Play("snapshot shot\nwait 1500\n", platform::kMemoryBudgetBytes, nullptr, "1");
  EXPECT_EQ(Count(warnings_, "napisy/n.txt"), 1u) << warnings_;
  EXPECT_NE(warnings_.find("only its first 1048576 of 1048676 bytes are read"), std::string::npos)
      << warnings_;
}

}  // namespace
}  // namespace velmorant
