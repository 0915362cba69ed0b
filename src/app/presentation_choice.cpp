#include "app/presentation_choice.hpp"

#include <iostream>
#include <string_view>

#include "platform/fs/asset_finder.hpp"
#include "platform/text/warning_line.hpp"

namespace velmorant {

bool HoldsDefinition(const std::filesystem::path& folder) {
  platform::AssetFinder finder(folder, *platform::CodePage::Open(platform::CodePage::kDefault));
  return finder.IsRegularFile(finder.ResolveAsGiven("info.med"));
}

std::string ChooserTitle(const char* lc_all, const char* lc_messages, const char* lang) {
  std::string_view locale;
  for (const char* value : {lc_all, lc_messages, lang}) {
    if (value && value[0] != '\0') {
      locale = value;
      break;
    }
  }
  if (locale.starts_with("pl")) return "Velmorant: wybierz folder prezentacji (z plikiem info.med)";
  return "Velmorant: choose a presentation folder (one with info.med)";
}

int PlayChosenFolder(platform::FolderChooser& chooser, const std::string& title,
                     const std::filesystem::path& fallback,
                     const std::function<int(const std::filesystem::path&)>& play) {
  while (true) {
    const platform::FolderChoice choice = chooser.Choose(title);
    switch (choice.outcome) {
      case platform::FolderChoice::Outcome::kCancelled:
        return 1;
      case platform::FolderChoice::Outcome::kFailed:
        std::cerr << platform::WarningLine("the folder chooser", choice.problem);
        return play(fallback);
      case platform::FolderChoice::Outcome::kChosen:
        if (const int status = play(choice.folder); status != 1) return status;
        break;
    }
  }
}

}  // namespace velmorant
