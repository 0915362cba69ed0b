#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <sstream>

#include "platform/gfx/colour.hpp"
#include "platform/web/web_backend.hpp"
#include "platform/window/virtual_keys.hpp"
#include "support/test_files.hpp"
#include "unit/web/fake_audio.hpp"
#include "unit/web/fake_opener.hpp"
#include "unit/web/fake_page.hpp"

namespace velmorant::platform {
namespace {

using testing::FakeAudio;
using testing::FakePage;

constexpr Pixel kRed = 0xFF0000;
constexpr Pixel kBlue = 0x0000FF;

// Records what reaches a window, in the order it arrives.
class RecordingEvents final : public WindowEvents {
 public:
  void OnMouseMove(int32_t x, int32_t y) override { Note("move", x, y); }
  void OnMouseDown(MouseButton b, int32_t x, int32_t y) override {
    Note(b == MouseButton::kRight ? "rdown" : "down", x, y);
  }
  void OnMouseUp(MouseButton /*b*/, int32_t x, int32_t y) override { Note("up", x, y); }
  void OnWheel(int32_t x, int32_t y, int32_t delta) override {
    Note("wheel" + std::to_string(delta), x, y);
  }
  void OnKeyDown(uint16_t& key) override { seen << "key" << key << " "; }
  void OnSystemClose() override { seen << "close "; }
  std::string Seen() const { return seen.str(); }

 private:
  void Note(const std::string& what, int32_t x, int32_t y) {
    seen << what << "@" << x << "," << y << " ";
  }
  std::ostringstream seen;
};

PageInput At(PageInput::Kind kind, int32_t x, int32_t y) {
  PageInput in;
  in.kind = kind;
  in.x = x;
  in.y = y;
  return in;
}

PageInput Key(std::string code, std::string key) {
  PageInput in;
  in.kind = PageInput::Kind::kKey;
  in.code = std::move(code);
  in.key = std::move(key);
  return in;
}

struct WebFixture : ::testing::Test {
  FakePage page;
  FakeAudio audio;
  testing::FakeOpener opener;
  testing::FakePrintDialog print_dialog;
  WebBackend backend{WebOptions{}, page, audio, opener, print_dialog};

  std::unique_ptr<Window> ShownWindow(const Rect& bounds, Pixel fill) {
    auto w = backend.CreateWindow("w");
    w->SetBounds(bounds);
    w->Surface().Fill(fill);
    w->Show();
    return w;
  }
  void Settle() { backend.Loop().ProcessMessages(); }
};

TEST_F(WebFixture, TheScreenIsTheDesignSizeAtThirtyTwoBits) {
  EXPECT_EQ(backend.Screen().width, 1024);
  EXPECT_EQ(backend.Screen().height, 768);
  backend.SetDesignSize({0, 0});
  EXPECT_EQ(backend.Screen().width, 1024);
  backend.SetDesignSize({640, 480});
  EXPECT_EQ(backend.Screen().width, 640);
  EXPECT_EQ(backend.Screen().height, 480);
  EXPECT_EQ(backend.Screen().bits, 32);
}

TEST_F(WebFixture, TheCanvasShowsTheWindowsStackedAndWhatAHiddenOneCovered) {
  backend.SetDesignSize({100, 80});
  auto below = ShownWindow({0, 0, 100, 80}, kRed);
  ASSERT_EQ(page.shown.GetSize(), (Size{100, 80}));
  EXPECT_EQ(page.shown.At(50, 40), kRed);
  auto dialog = ShownWindow({10, 10, 30, 20}, kBlue);
  EXPECT_EQ(page.shown.At(15, 15), kBlue);
  EXPECT_EQ(page.shown.At(50, 40), kRed);
  // Only what the dialog covers is presented anew.
  EXPECT_EQ(page.presents.back(), (Rect{10, 10, 30, 20}));
  dialog->Hide();
  EXPECT_EQ(page.shown.At(15, 15), kRed);
  below->Hide();
  EXPECT_EQ(page.shown.At(15, 15), kBlack);
}

TEST_F(WebFixture, NothingIsPresentedBeforeAWindowShows) {
  auto hidden = backend.CreateWindow("w");
  hidden->SetBounds({0, 0, 10, 10});
  hidden->Present();
  backend.WaitForInput(backend.GetClock().NowMs());
  EXPECT_TRUE(page.presents.empty());
}

TEST_F(WebFixture, PointerInputReachesTheWindowUnderItInItsOwnCoordinates) {
  auto below = ShownWindow({0, 0, 200, 100}, kRed);
  auto dialog = ShownWindow({50, 20, 150, 80}, kBlue);
  RecordingEvents below_seen;
  RecordingEvents dialog_seen;
  below->SetEvents(&below_seen);
  dialog->SetEvents(&dialog_seen);
  // Moves merge; the click's own move comes first.
  page.inputs = {At(PageInput::Kind::kMove, 5, 5), At(PageInput::Kind::kMove, 6, 7),
                 At(PageInput::Kind::kDown, 60, 30), At(PageInput::Kind::kUp, 60, 30)};
  backend.PollInput();
  Settle();
  EXPECT_EQ(below_seen.Seen(), "move@6,7 ");
  EXPECT_EQ(dialog_seen.Seen(), "move@10,10 down@10,10 up@10,10 ");
  PageInput wheel = At(PageInput::Kind::kWheel, 0, 0);
  wheel.wheel_turns = -1;
  page.inputs = {wheel};
  backend.PollInput();
  Settle();
  EXPECT_EQ(dialog_seen.Seen(), "move@10,10 down@10,10 up@10,10 wheel-120@10,10 ");
}

TEST_F(WebFixture, KeysAndTheCloseRequestGoToTheTopWindow) {
  auto below = ShownWindow({0, 0, 200, 100}, kRed);
  auto dialog = ShownWindow({50, 20, 150, 80}, kBlue);
  RecordingEvents dialog_seen;
  dialog->SetEvents(&dialog_seen);
  page.inputs = {Key("Enter", "Enter"), Key("KeyY", "z"), Key("Unidentified", "Dead")};
  PageInput close;
  close.kind = PageInput::Kind::kClose;
  page.inputs.push_back(close);
  backend.PollInput();
  Settle();
  EXPECT_EQ(dialog_seen.Seen(), "key13 key90 close ");
}

TEST_F(WebFixture, AWaitEndsAtTheNextTimerAndNeverSleepsPastASecond) {
  const int64_t now = backend.GetClock().NowMs();
  EXPECT_EQ(now, 0) << "the clock counts from the player's start";
  backend.WaitForInput(now + 40);
  backend.WaitForInput(std::numeric_limits<int64_t>::max());
  backend.WaitForInput(now - 100);
  ASSERT_EQ(page.waits.size(), 3u);
  EXPECT_EQ(page.waits[0], 40);
  EXPECT_EQ(page.waits[1], 1000);
  EXPECT_EQ(page.waits[2], 0);
}

TEST_F(WebFixture, InputThatWaitsIsHandledBeforeAnyWait) {
  auto w = ShownWindow({0, 0, 10, 10}, kRed);
  page.inputs = {Key("Escape", "Escape")};
  EXPECT_TRUE(backend.WaitForInput(backend.GetClock().NowMs() + 500));
  EXPECT_TRUE(page.waits.empty());
}

TEST_F(WebFixture, OurOwnCursorsGoAsPicturesAndEachChangeOnce) {
  auto w = ShownWindow({0, 0, 10, 10}, kRed);
  w->SetCursor(kCrHandPoint);
  page.inputs = {At(PageInput::Kind::kMove, 3, 3)};
  backend.PollInput();
  Settle();
  backend.WaitForInput(backend.GetClock().NowMs());
  backend.WaitForInput(backend.GetClock().NowMs());
  backend.SetScreenCursor(kCrMultiDrag);
  backend.WaitForInput(backend.GetClock().NowMs());
  ASSERT_EQ(page.cursors.size(), 2u);
  EXPECT_EQ(page.cursors[0].cursor, kCrHandPoint);
  EXPECT_FALSE(page.cursors[0].with_picture);
  EXPECT_EQ(page.cursors[1].cursor, kCrMultiDrag);
  EXPECT_TRUE(page.cursors[1].with_picture);
}

TEST_F(WebFixture, MessagesAskThePageAndAreLoggedWithTheAnswer) {
  const auto folder = testing::FreshTestFolder("web_message");
  backend.Log().Open((folder / "log.jsonl").string());
  page.answer = MessageAnswer::kYes;
  EXPECT_EQ(backend.ShowMessage("Pytanie", "Czy zakończyć?", MessageButtons::kYesNo,
                                MessageIcon::kQuestion),
            MessageAnswer::kYes);
  EXPECT_EQ(backend.ShowMessage("Błąd", "Nie ma pliku", MessageButtons::kOk, MessageIcon::kError),
            MessageAnswer::kOk);
  EXPECT_EQ(page.asked, 2);
  std::ifstream log(folder / "log.jsonl");
  std::string first;
  std::string second;
  std::getline(log, first);
  std::getline(log, second);
  EXPECT_NE(first.find("\"answer\":\"yes\""), std::string::npos) << first;
  EXPECT_NE(second.find("\"caption\":\"Błąd\""), std::string::npos) << second;
  EXPECT_NE(second.find("\"answer\":\"ok\""), std::string::npos) << second;
}

TEST_F(WebFixture, LaunchesGoToThePageAndPrintsToItsPrintDialog) {
  EXPECT_TRUE(backend.Launcher().Launch({"open", "https://example.org/", {}, {}, {}}).ok);
  EXPECT_EQ(opener.calls, std::vector<std::string>{"tab https://example.org/"});
  EXPECT_TRUE(backend.Printing().Print("Wydruk pliku t.rtf", "t.rtf", RichDocument{}));
  EXPECT_EQ(print_dialog.titles, std::vector<std::string>{"Wydruk pliku t.rtf"});
  EXPECT_EQ(print_dialog.sheets.size(), 1u);
  EXPECT_EQ(print_dialog.opened, 1);
}

}  // namespace
}  // namespace velmorant::platform
