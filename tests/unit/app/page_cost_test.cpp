// What one page may cost: its transitions together, and how many times its screen lists one
// element. Pages within the bounds play exactly as defined; a page past them plays what it can in
// bounded time and says so once.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/player.hpp"
#include "definition/loader.hpp"
#include "platform/gfx/png_writer.hpp"
#include "platform/window/headless_backend.hpp"
#include "support/bmp_builder.hpp"
#include "support/costly_pages.hpp"
#include "support/film_builder.hpp"
#include "support/test_files.hpp"

namespace velmorant {
namespace {

namespace fs = std::filesystem;

class PageCost : public ::testing::Test {
 protected:
  void SetUp() override { work_ = testing::FreshTestFolder("velmorant-page-cost-"); }
  void TearDown() override { fs::remove_all(work_); }

  void Write(Definition def) {
    NumberRecords(def);
    const WriteResult written = WriteDefinition(def, 'g');
    ASSERT_EQ(written.error, "");
    testing::WriteBytes(work_ / "show" / "info.med", written.bytes);
  }
  // Plays headless with the script; the event log is returned, the warnings kept in warnings_.
  std::string Play(const std::string& script) {
    platform::HeadlessOptions options;
    options.screen = {64, 48, 32};
    options.script = platform::ParseScript(script).commands;
    options.snapshots = work_;
    platform::HeadlessBackend backend(std::move(options));
    const fs::path log = work_ / "log.jsonl";
    backend.Log().Open(log.string());
    PlayerOptions player_options;
    player_options.presentation = work_ / "show";
    ::testing::internal::CaptureStderr();
    {
      Player player(backend, *platform::CodePage::Open(1250), player_options);
      EXPECT_EQ(player.Run(), 0);
    }
    warnings_ = ::testing::internal::GetCapturedStderr();
    std::ifstream in(log);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  platform::Pixel ShotPixel(int32_t x, int32_t y) {
    auto shot = platform::ReadPng(work_ / "shot.png");
    EXPECT_TRUE(shot);
    return shot ? shot->Get(x, y) : 0xDEADBEEF;
  }

  fs::path work_;
  std::string warnings_;
};

// When each page became active, in virtual milliseconds. A plain scan: std::regex trips GCC 12's
// maybe-uninitialized warning in the sanitized build.
std::vector<int64_t> PageTimes(const std::string& log) {
  std::vector<int64_t> times;
  const std::string marker = R"(,"event":"page")";
  for (size_t at = log.find(marker); at != std::string::npos; at = log.find(marker, at + 1)) {
    const size_t key = log.rfind(R"("t":)", at);
    if (key == std::string::npos) continue;
    times.push_back(std::stoll(log.substr(key + 4, at - key - 4)));
  }
  return times;
}

int64_t PageTime(const std::string& log) {
  const std::vector<int64_t> times = PageTimes(log);
  return times.empty() ? -1 : times.front();
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// One page of `images` full-window pictures, each appearing with a wipe.
Definition WipedImages(int images, int32_t steps, int32_t delay_ms) {
  return fixtures::FullWindowImages(images, {"wipe", 1, delay_ms, steps});
}

void WritePictures(const fs::path& show, int count) {
  for (int i = 0; i < count; ++i) {
    testing::WriteBytes(show / "obrazy" / fixtures::PictureName(i),
                        testing::SolidBmp(64, 48, 0x100000u * uint32_t(i + 1)));
  }
}

TEST_F(PageCost, OrdinaryTransitionsOfAPageAllAnimate) {
  WritePictures(work_ / "show", 3);
  Write(WipedImages(3, 10, 5));
  const std::string log = Play("snapshot shot\n");
  EXPECT_EQ(PageTime(log), 3 * 10 * 5) << log;
  EXPECT_EQ(ShotPixel(30, 30), 0x300000u);
}

TEST_F(PageCost, APageOfLongTransitionsAnimatesWhatFitsAndDrawsTheRestAtOnce) {
  WritePictures(work_ / "show", 5);
  Write(WipedImages(5, 4096, 1));
  const std::string log = Play("snapshot shot\n");
  // The first wipe takes the whole budget of the page change; the others cost nothing.
  EXPECT_EQ(PageTime(log), 4096) << log;
  EXPECT_EQ(ShotPixel(30, 30), 0x500000u) << "every picture is drawn, the last on top";

  // Pauses have their own bound: 50 steps of 300 ms fill the 15 s, the next transition is refused.
  Write(WipedImages(5, 50, 300));
  EXPECT_EQ(PageTime(Play("snapshot shot\n")), 15000);
  EXPECT_EQ(ShotPixel(30, 30), 0x500000u);

  // A single pause of 24 days is refused, so Escape can end the show at once.
  Write(WipedImages(1, 1, INT32_MAX));
  EXPECT_EQ(PageTime(Play("key 27\n")), 0);
}

TEST_F(PageCost, EachLaterEventHasItsOwnBudget) {
  // The page change spends every step on the first picture; the second appears by a timer 100 ms
  // later and still animates: 4,096 steps of 1 ms, before the page's advance timer can fire.
  WritePictures(work_ / "show", 2);
  Definition def = WipedImages(2, 4096, 0);
  def.TPrzeniki.push_back({"slow", 1, 1, 4096});
  def.TObrazy[1].TransitionIn = 1;
  def.TObrazy[1].VisibleAtStart = 0;
  def.TObrazy[1].DelayMs = 100;
  def.TMedia[0].AdvanceMs = 150;
  def.TMedia.push_back({0, 0, -1});
  Write(def);
  const std::vector<int64_t> pages = PageTimes(Play("wait 5000\n"));
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0], 0);
  EXPECT_GE(pages[1], 4196);
  EXPECT_LT(pages[1], 4300);
}

TEST_F(PageCost, AScreenUsesTheFirst1024ValuesOfASetWithOneWarning) {
  fs::create_directories(work_ / "show" / "filmy");
  ASSERT_TRUE(fixtures::WriteAvi(work_ / "show" / "filmy" / "f.avi", 8, 8, 10, 3,
                                 fixtures::FilmCodec::kRaw, [](int, int, int) { return 0u; }));
  const std::string script = "wait 50\nkey 13\nwait 50\n";
  Write(fixtures::FilmListed(1));
  const std::string once = Play(script);
  Write(fixtures::FilmListed(1024));
  const std::string at_the_limit = Play(script);
  EXPECT_EQ(warnings_, "");
  Write(fixtures::FilmListed(1100));
  const std::string past_it = Play(script);

  EXPECT_GT(Count(at_the_limit, "\"event\":\"film\""), Count(once, "\"event\":\"film\""))
      << "a value listed twice is visited twice";
  EXPECT_EQ(past_it, at_the_limit);
  EXPECT_EQ(warnings_,
            "velmorant: info.med: TEkrany[0].Films lists 1100 values: only the first 1024 are "
            "used\n");
}

}  // namespace
}  // namespace velmorant
