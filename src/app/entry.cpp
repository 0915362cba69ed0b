#include "app/entry.hpp"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include "app/command_line.hpp"
#include "app/handout.hpp"
#include "app/player.hpp"
#include "app/presentation_choice.hpp"
#include "app/run_options.hpp"
#include "app/user_settings.hpp"
#include "platform/chooser/desktop_folder_chooser.hpp"
#include "platform/hang_up_signals.hpp"
#include "platform/record/video_recording_backend.hpp"
#include "platform/single_instance.hpp"
#include "platform/text/guarded_run.hpp"
#include "platform/text/warning_line.hpp"
#include "platform/window/headless_backend.hpp"
#include "platform/window/headless_script.hpp"
#include "platform/window/sdl_backend.hpp"
#include "velmorant/version.hpp"

namespace velmorant {

namespace {

// The presentation folder defaults to the folder of the player's own program file.
std::filesystem::path ExecutableFolder(const char* argv0) {
  std::error_code ec;
  auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) self = std::filesystem::absolute(argv0, ec);
  return self.parent_path();
}

int UsageError(const std::string& message) {
  std::cerr << "velmorant: " << platform::EscapeControls(message) << "\n(see velmorant --help)\n";
  return 2;
}

// The desktop as the command line says, and as the user's settings file says where it is silent.
std::unique_ptr<platform::Backend> MakeDesktop(const CommandLine& cl) {
  const std::filesystem::path settings_path =
      UserSettingsPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  const UserSettings user = ReadUserSettings(settings_path);
  for (const std::string& warning : user.warnings) {
    std::cerr << platform::WarningLine(settings_path.string(), warning);
  }
  platform::SdlOptions desktop;
  desktop.window = cl.window;
  desktop.display = cl.display;
  desktop.preferred_display = user.display;
  desktop.scale = cl.scale ? cl.scale : user.scale;
  desktop.no_launch = cl.no_launch;
  desktop.print_to = cl.print_to;
  return std::make_unique<platform::SdlBackend>(desktop);
}

// One presentation folder played as the command line says: the exit status.
int PlayFolder(const CommandLine& cl, platform::Backend& backend,
               const platform::CodePage& codepage, const std::filesystem::path& folder,
               platform::VideoRecordingBackend* recording) {
  Player player(backend, codepage, PlayerOptionsFor(cl, folder));
  std::optional<platform::HandoutPdf> handout;
  std::optional<HandoutWalk> walk;
  if (cl.handout) {
    handout.emplace(*cl.handout, "Velmorant handout", backend.Fonts());
    if (const std::string problem = handout->Problem(); !problem.empty()) {
      return UsageError("--handout " + cl.handout->string() + ": " + problem);
    }
    walk.emplace(player, *handout);
  }
  int status = player.Run();
  if (recording) {
    std::string problem;
    if (!recording->Finish(&problem)) {
      std::cerr << platform::WarningLine(cl.record->string(), problem);
      status = 1;
    }
  }
  if (handout) {
    std::string problem;
    if (!handout->Finish(&problem)) {
      std::cerr << platform::WarningLine(cl.handout->string(), problem);
      status = 1;
    }
  }
  return status;
}

int Play(int argc, const char* const* argv) {
  const CommandLineResult parsed = ParseCommandLine(argc, argv);
  if (!parsed.error.empty()) return UsageError(parsed.error);
  const CommandLine& cl = parsed.options;
  if (cl.help) {
    std::cout << UsageText();
    return 0;
  }
  if (cl.version) {
    std::cout << VersionLine("velmorant");
    return 0;
  }
  // One copy at a time on a desktop: a second one brings the first to the front and gives way.
  std::unique_ptr<platform::Backend> backend;
  platform::VideoRecordingBackend* recording = nullptr;
  std::optional<platform::SingleInstance> instance;
  if (!cl.headless) {
    instance.emplace(platform::SingleInstance::NameForThisSession("VELMORANT.MUTEX"));
    if (instance->Result() == platform::SingleInstance::Outcome::kAnotherRuns) return 0;
    platform::EndOnHangUpAndQuitAsOnTerminate();
    try {
      backend = MakeDesktop(cl);
    } catch (const std::exception& e) {
      return UsageError(std::string(e.what()) + " (without a display, use --headless)");
    }
    auto* desktop = static_cast<platform::SdlBackend*>(backend.get());
    instance->Listen([desktop] { desktop->RequestRaise(); });
  } else {
    platform::HeadlessOptions headless;
    if (std::string problem = HeadlessOptionsFor(cl, headless); !problem.empty()) {
      return UsageError(problem);
    }
    auto run = std::make_unique<platform::HeadlessBackend>(std::move(headless));
    if (cl.record) {
      platform::VideoFileOptions video;
      video.size = {cl.screen.width, cl.screen.height};
      video.fps = cl.fps;
      std::string problem;
      auto file = platform::VideoFile::Create(*cl.record, video, &problem);
      if (!file) return UsageError("--record " + cl.record->string() + ": " + problem);
      auto recorder = std::make_unique<platform::VideoRecordingBackend>(std::move(run),
                                                                        std::move(file), cl.fps);
      recording = recorder.get();
      backend = std::move(recorder);
    } else {
      backend = std::move(run);
    }
  }
  if (std::string problem = OpenLogFor(cl, backend->Log()); !problem.empty()) {
    return UsageError(problem);
  }

  std::string codepage_error;
  const auto codepage = CodePageFor(cl, codepage_error);
  if (!codepage) return UsageError(codepage_error);

  const std::filesystem::path own_folder =
      cl.presentation ? *cl.presentation : ExecutableFolder(argv[0]);
  auto play = [&](const std::filesystem::path& folder) {
    return PlayFolder(cl, *backend, *codepage, folder, recording);
  };
  // Started from a menu: no presentation named and none beside the player, so ask for one.
  std::unique_ptr<platform::FolderChooser> chooser;
  if (!cl.headless && !cl.presentation && !HoldsDefinition(own_folder)) {
    chooser =
        platform::FindDesktopFolderChooser(std::getenv("DBUS_SESSION_BUS_ADDRESS"),
                                           std::getenv("XDG_RUNTIME_DIR"), std::getenv("PATH"));
  }
  const int status =
      chooser ? PlayChosenFolder(*chooser,
                                 ChooserTitle(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                              std::getenv("LANG")),
                                 own_folder, play)
              : play(own_folder);
  if (status == 1) {
    std::cerr << "velmorant: choose a presentation: velmorant DIR, velmorant DIR/info.med or"
                 " velmorant -p DIR\n";
  }
  return status;
}

}  // namespace

int RunPlayer(int argc, const char* const* argv) {
  return platform::GuardedRun("velmorant", [&] { return Play(argc, argv); });
}

}  // namespace velmorant
