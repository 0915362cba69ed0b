#include "platform/single_instance.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace velmorant::platform {
namespace {

using Outcome = SingleInstance::Outcome;

// A name no other test process uses.
std::string TestName(const char* what) {
  return SingleInstance::NameFor(std::string("VELMORANT.TEST.") + what, unsigned(::getuid()),
                                 std::to_string(::getpid()));
}

// Counts the raise requests the listener thread reports.
class Raises {
 public:
  std::function<void()> Callback() {
    return [this] {
      std::lock_guard lock(mutex_);
      ++count_;
      changed_.notify_all();
    };
  }
  bool WaitFor(int count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return count_ >= count; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int count_ = 0;
};

TEST(SingleInstance, SecondCopyAsksTheFirstToComeToTheFront) {
  const std::string name = TestName("raise");
  SingleInstance first(name);
  ASSERT_EQ(first.Result(), Outcome::kFirst);
  Raises raises;
  {
    // Asked before the first listens: the request waits for it.
    SingleInstance early(name);
    EXPECT_EQ(early.Result(), Outcome::kAnotherRuns);
  }
  first.Listen(raises.Callback());
  EXPECT_TRUE(raises.WaitFor(1));
  SingleInstance later(name);
  EXPECT_EQ(later.Result(), Outcome::kAnotherRuns);
  EXPECT_TRUE(raises.WaitFor(2));
}

TEST(SingleInstance, NameIsFreeAgainWhenTheHolderEnds) {
  const std::string name = TestName("free");
  {
    SingleInstance first(name);
    ASSERT_EQ(first.Result(), Outcome::kFirst);
    first.Listen([] {});
  }
  SingleInstance next(name);
  EXPECT_EQ(next.Result(), Outcome::kFirst);
}

TEST(SingleInstance, DisplaysAndUsersDoNotMeet) {
  EXPECT_NE(SingleInstance::NameFor("M", 1000, ":1"), SingleInstance::NameFor("M", 1000, ":2"));
  EXPECT_NE(SingleInstance::NameFor("M", 1000, ":1"), SingleInstance::NameFor("M", 1001, ":1"));
  SingleInstance one(TestName("one"));
  SingleInstance two(TestName("two"));
  EXPECT_EQ(one.Result(), Outcome::kFirst);
  EXPECT_EQ(two.Result(), Outcome::kFirst);
}

}  // namespace
}  // namespace velmorant::platform
