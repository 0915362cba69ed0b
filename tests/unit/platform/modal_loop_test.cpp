#include "platform/loop/modal_loop.hpp"

#include <gtest/gtest.h>

#include "platform/window/headless_backend.hpp"

namespace velmorant::platform {
namespace {

HeadlessOptions ScriptOf(const std::string& text) {
  HeadlessOptions o;
  o.script = ParseScript(text).commands;
  return o;
}

TEST(ModalLoop, CloseIsARequestAnsweredAfterTheCurrentMessage) {
  HeadlessBackend backend(ScriptOf(""));
  ModalLoop modal(backend);
  std::vector<std::string> order;
  backend.Loop().Post([&] {
    modal.RequestClose();
    order.push_back("handler done");
  });
  const bool closed = modal.Run([&] {
    order.push_back("close query");
    return true;
  });
  EXPECT_TRUE(closed);
  EXPECT_EQ(order, (std::vector<std::string>{"handler done", "close query"}));
}

TEST(ModalLoop, RefusedCloseDropsRequestsMadeDuringTheQuery) {
  HeadlessBackend backend(ScriptOf("wait 10\n"));
  ModalLoop modal(backend);
  int queries = 0;
  backend.Loop().Post([&] { modal.RequestClose(); });
  const bool closed = modal.Run([&] {
    ++queries;
    modal.RequestClose();  // lost with the refusal
    return false;
  });
  EXPECT_FALSE(closed) << "the script ran out";
  EXPECT_EQ(queries, 1);
  EXPECT_EQ(backend.GetClock().NowMs(), 10);
}

TEST(ModalLoop, TwoRequestsBeforeTheLoopLooksAreOne) {
  HeadlessBackend backend(ScriptOf(""));
  ModalLoop modal(backend);
  int queries = 0;
  backend.Loop().Post([&] {
    modal.RequestClose();
    modal.RequestClose();
  });
  modal.Run([&] {
    ++queries;
    return false;
  });
  EXPECT_EQ(queries, 1);
}

TEST(ModalLoop, TimersDueInsideAWaitRunAtTheirOwnTime) {
  HeadlessBackend backend(ScriptOf("wait 250\nclose\n"));
  ModalLoop modal(backend);
  auto window = backend.CreateWindow("w");
  struct Closer : WindowEvents {
    ModalLoop* modal;
    void OnSystemClose() override { modal->RequestClose(); }
  } closer;
  closer.modal = &modal;
  window->SetEvents(&closer);
  window->Show();
  Timer timer(backend.Loop());
  std::vector<int64_t> ticks;
  timer.Arm(100, [&] { ticks.push_back(backend.GetClock().NowMs()); });
  int64_t closed_at = -1;
  EXPECT_TRUE(modal.Run([&] {
    closed_at = backend.GetClock().NowMs();
    return true;
  }));
  EXPECT_EQ(ticks, (std::vector<int64_t>{100, 200}));
  EXPECT_EQ(closed_at, 250);
}

}  // namespace
}  // namespace velmorant::platform
