#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "platform/chooser/folder_chooser.hpp"

namespace velmorant {

// Whether `folder` holds a definition file where the player looks for it (info.med in any case).
bool HoldsDefinition(const std::filesystem::path& folder);

// The chooser's title in the language of the user's locale: the values of LC_ALL, LC_MESSAGES
// and LANG, the first set one deciding.
std::string ChooserTitle(const char* lc_all, const char* lc_messages, const char* lang);

// Plays the folders the user picks with `play` (which gives an exit status, 1 when the folder
// held no definition it could load, its message shown) until one plays or the user cancels
// (status 1). A chooser that cannot be shown leaves `fallback` to `play`, as if there were none.
int PlayChosenFolder(platform::FolderChooser& chooser, const std::string& title,
                     const std::filesystem::path& fallback,
                     const std::function<int(const std::filesystem::path&)>& play);

}  // namespace velmorant
