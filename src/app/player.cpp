#include "app/player.hpp"

#include <iostream>

#include "definition/listing_limit.hpp"
#include "definition/loader.hpp"
#include "definition/size_stamp.hpp"
#include "platform/text/warning_line.hpp"

namespace velmorant {

namespace {

constexpr const char* kAppTitle = "Velmorant 2005";
constexpr const char* kNoDefinition = "Nie ma definicji projekcji ...";

}  // namespace

Player::Player(platform::Backend& backend_in, platform::CodePage codepage_in,
               PlayerOptions options_in)
    : backend(backend_in),
      options(std::move(options_in)),
      codepage(codepage_in),
      about(std::make_unique<Tffprmain>(backend, options.no_launch)),
      window(std::make_unique<Tffmexec>(*this, options.interval)),
      border(std::make_unique<Tffmborder>(*this)),
      settings(options.presentation, codepage) {
  backend.Log().SetFolder(settings.ExeFolder);
}

Player::~Player() = default;

void Player::LeavePage(const TAkc& action) {
  if (!options.hold_pages) LeaveFor(action);
}

void Player::LeaveFor(const TAkc& action) {
  display.PendingAction = action;
  window->Close();
}

void Player::StopAllSound() {
  backend.Sounds().PlaySound("", platform::kSndFilename | platform::kSndAsync);
}

std::filesystem::path Player::DefinitionPath() {
  // Written on a case-insensitive file system: INFO.MED is the same file.
  return settings.AssetPath(kAssetAsGiven, "info.med", false);
}

bool Player::LoadDefinitionFile() {
  const std::string path = DefinitionPath().string();
  auto bytes = settings.ReadFile(path, kMaxDefinitionBytes);
  if (!bytes) {
    std::cerr << platform::WarningLine(settings.LogPath(path), bytes.error());
    return false;
  }
  LoadResult result = LoadDefinition(*bytes, BuiltInSizeStamp());
  if (!result.definition) {
    std::cerr << platform::WarningLine(settings.LogPath(path), result.error.Message());
    return false;
  }
  definition = std::move(*result.definition);
  if (const std::string cut = DescribeCutListings(CutLongListings(definition)); !cut.empty()) {
    std::cerr << platform::WarningLine(settings.LogPath(path), cut);
  }
  settings.SetHeader(definition.header);
  media.OnDefinitionLoaded();
  screens.OnDefinitionLoaded();
  kinds.OnDefinitionLoaded();
  backend.Log().Write("loaded", {{"edition", std::string(1, definition.edition)},
                                 {"pages", definition.TMedia.size()},
                                 {"screens", definition.TEkrany.size()}});
  return true;
}

bool Player::CheckDisplay() {
  backend.SetDesignSize(settings.DesignSize());
  const platform::ScreenInfo screen = backend.Screen();
  const DisplayCheck check = settings.DisplayRect(screen.width, screen.height, screen.bits);
  backend.Loop().ProcessMessages();
  if (check.result != 0) {
    const auto answer = backend.ShowMessage(
        std::string(kDisplayCheckCaption), std::string(DisplayQuestion(check.result)),
        platform::MessageButtons::kYesNo, platform::MessageIcon::kQuestion);
    if (answer != platform::MessageAnswer::kYes) return false;
  }
  platform::Rect rect = check.rect;
  // A centred presentation without a design size uses the whole screen.
  if (rect.IsEmpty()) rect = {0, 0, screen.width, screen.height};
  window->SetBounds(rect);
  display.ResizeBackBuffer(window->ClientSize());
  return true;
}

int32_t Player::FirstPageWithScreen() const {
  for (int32_t page = 0; page < media.Count(); ++page) {
    if (screens.IsValid(media.ScreenOf(page))) return page;
  }
  return 0;
}

int Player::Run() {
  if (!LoadDefinitionFile()) {
    backend.ShowMessage(kAppTitle, kNoDefinition, platform::MessageButtons::kOk,
                        platform::MessageIcon::kError);
    return 1;
  }
  if (!CheckDisplay()) return 0;
  border->ShowBorder();
  const bool ended = display.RunPresentation(FirstPageWithScreen());
  // Ctrl+C and SIGTERM end the program without the about box.
  if (ended && !backend.EndRequested() && !options.hold_pages)
    about->ShowAboutBox(window->Bounds());
  return 0;
}

}  // namespace velmorant
