// Started from a menu, the player asks for a presentation's folder until one plays or the user
// cancels.
#include "app/presentation_choice.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/player.hpp"
#include "platform/chooser/listed_folder_chooser.hpp"
#include "platform/window/headless_backend.hpp"
#include "support/test_files.hpp"

namespace velmorant {
namespace {

namespace fs = std::filesystem;
using Outcome = platform::FolderChoice::Outcome;

platform::FolderChoice Chosen(const fs::path& folder) {
  return {Outcome::kChosen, folder, {}};
}

TEST(PresentationChoice, AFolderThatDoesNotPlayBringsTheChooserBackUntilCancel) {
  platform::ListedFolderChooser chooser({Chosen("/a"), Chosen("/b"), {}});
  std::vector<fs::path> played;
  const int status = PlayChosenFolder(chooser, "title", "/own", [&](const fs::path& folder) {
    played.push_back(folder);
    return 1;
  });
  EXPECT_EQ(status, 1);
  EXPECT_EQ(played, (std::vector<fs::path>{"/a", "/b"}));
  EXPECT_EQ(chooser.Titles(), (std::vector<std::string>{"title", "title", "title"}));
}

TEST(PresentationChoice, TheFirstFolderThatPlaysEndsTheQuestions) {
  platform::ListedFolderChooser chooser({Chosen("/empty"), Chosen("/show"), Chosen("/never")});
  std::vector<fs::path> played;
  const int status = PlayChosenFolder(chooser, "t", "/own", [&](const fs::path& folder) {
    played.push_back(folder);
    return folder == "/show" ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(played, (std::vector<fs::path>{"/empty", "/show"}));
}

TEST(PresentationChoice, CancelPlaysNothingAndABrokenChooserFallsBackToTheOwnFolder) {
  platform::ListedFolderChooser cancelled({platform::FolderChoice{}});
  int plays = 0;
  EXPECT_EQ(PlayChosenFolder(cancelled, "t", "/own", [&](const fs::path&) { return ++plays, 0; }),
            1);
  EXPECT_EQ(plays, 0);

  platform::ListedFolderChooser broken(
      {platform::FolderChoice{Outcome::kFailed, {}, "no display"}});
  fs::path played;
  ::testing::internal::CaptureStderr();
  const int status = PlayChosenFolder(broken, "t", "/own", [&](const fs::path& folder) {
    played = folder;
    return 1;
  });
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(status, 1);
  EXPECT_EQ(played, "/own") << "today's message, from the player's own folder";
  EXPECT_NE(errors.find("no display"), std::string::npos) << errors;
  EXPECT_EQ(broken.Titles().size(), 1u) << "a chooser that failed is not asked again";
}

TEST(PresentationChoice, ADefinitionIsFoundInAnyCaseButOnlyAsAFile) {
  const fs::path work = testing::FreshTestFolder("velmorant-choice-");
  fs::create_directories(work / "upper");
  std::ofstream(work / "upper" / "INFO.MED") << "x";
  fs::create_directories(work / "folder" / "info.med");
  fs::create_directories(work / "none");
  EXPECT_TRUE(HoldsDefinition(work / "upper"));
  EXPECT_FALSE(HoldsDefinition(work / "folder"));
  EXPECT_FALSE(HoldsDefinition(work / "none"));
  EXPECT_FALSE(HoldsDefinition(work / "missing"));
  fs::remove_all(work);
}

TEST(PresentationChoice, TheTitleFollowsTheFirstLocaleVariableSet) {
  const std::string polish = ChooserTitle(nullptr, nullptr, "pl_PL.UTF-8");
  const std::string english = ChooserTitle(nullptr, nullptr, nullptr);
  EXPECT_NE(polish.find("wybierz"), std::string::npos);
  EXPECT_NE(english.find("choose"), std::string::npos);
  EXPECT_EQ(ChooserTitle("en_GB.UTF-8", nullptr, "pl_PL.UTF-8"), english) << "LC_ALL first";
  EXPECT_EQ(ChooserTitle("", "pl_PL", "C"), polish) << "an empty variable is not set";
}

// The real player, played again on the same backend: the message, then the next folder plays.
TEST(PresentationChoice, ThePlayerShowsTheMessageThenPlaysTheNextFolderOnTheSameBackend) {
  const fs::path work = testing::FreshTestFolder("velmorant-choice-");
  fs::create_directories(work / "empty");
  platform::HeadlessOptions options;
  options.screen = {800, 600, 32};
  options.script = platform::ParseScript("wait 100\n").commands;
  platform::HeadlessBackend backend(std::move(options));
  backend.Log().Open((work / "log.jsonl").string());
  platform::ListedFolderChooser chooser({Chosen(work / "empty"), Chosen(VELMORANT_DEMO_DIR)});
  const auto codepage = *platform::CodePage::Open(1250);
  ::testing::internal::CaptureStderr();
  const int status = PlayChosenFolder(chooser, "t", work, [&](const fs::path& folder) {
    PlayerOptions player_options;
    player_options.presentation = folder;
    Player player(backend, codepage, player_options);
    return player.Run();
  });
  ::testing::internal::GetCapturedStderr();
  std::ifstream in(work / "log.jsonl");
  const std::string log(std::istreambuf_iterator<char>(in), {});
  EXPECT_EQ(status, 0);
  const size_t message = log.find("\"text\":\"Nie ma definicji projekcji ...\"");
  const size_t loaded = log.find("\"event\":\"loaded\"");
  ASSERT_NE(message, std::string::npos) << log;
  ASSERT_NE(loaded, std::string::npos) << log;
  EXPECT_LT(message, loaded);
  EXPECT_NE(log.find("\"event\":\"page\",\"page\":0"), std::string::npos) << log;
  fs::remove_all(work);
}

}  // namespace
}  // namespace velmorant
