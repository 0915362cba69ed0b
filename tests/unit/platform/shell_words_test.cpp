// How the shell reads what it is given: Windows command lines, '#' for the presentation folder,
// which files are programs, and which wine can run 32-bit programs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "platform/shell/command_line_words.hpp"
#include "platform/shell/file_role.hpp"
#include "platform/shell/wine_probe.hpp"

namespace velmorant::platform {
namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;

TEST(WindowsArguments, SplitAsWindowsProgramsSplitThem) {
  const std::vector<std::pair<std::string, Words>> cases{
      {"", {}},
      {"  \t ", {}},
      {"a b\tc", {"a", "b", "c"}},
      {R"("two words" x)", {"two words", "x"}},
      {R"(pre"quoted part"post)", {"prequoted partpost"}},
      {R"("")", {""}},
      {R"(a\\b)", {R"(a\\b)"}},                     // backslashes before no quote stay
      {R"(a\"b)", {R"(a"b)"}},                      // odd: a literal quote
      {R"(a\\"b c")", {R"(a\b c)"}},                // even: half of them, and the quote groups
      {R"(a\\\"b)", {R"(a\"b)"}},                   // 2n+1: n and a literal quote
      {R"("say ""hi""" x)", {R"(say "hi")", "x"}},  // "" inside quotes: a literal quote
      {R"("unterminated  x)", {"unterminated  x"}},
      {R"(C:\dir\ "D:\other dir\\")", {R"(C:\dir\)", R"(D:\other dir\)"}},
  };
  for (const auto& [line, words] : cases) {
    EXPECT_EQ(SplitWindowsArguments(line), words) << line;
  }
}

TEST(WindowsArguments, HashesBecomeTheFolderWithoutEscape) {
  EXPECT_EQ(ReplaceHashes(R"(#dane\plik.txt /p)", R"(D:\pokaz\)"), R"(D:\pokaz\dane\plik.txt /p)");
  EXPECT_EQ(ReplaceHashes("##", "/s/"), "/s//s/");
  EXPECT_EQ(ReplaceHashes("none", "/s/"), "none");
  EXPECT_EQ(WineDrivePath("/home/ala/pokaz/"), R"(Z:\home\ala\pokaz\)");
}

TEST(StartedCommandLine, ANativeProgramReadsTheFolderAndThePathAfterItWithSlashes) {
  const std::string show = "/home/ala/pokaz/";
  const StartedCommandLine plain = NativeCommandLine(R"(#dane\plik.txt /p)", show);
  EXPECT_EQ(plain.line, "/home/ala/pokaz/dane/plik.txt /p");
  EXPECT_EQ(plain.arguments, (Words{"/home/ala/pokaz/dane/plik.txt", "/p"}));
  // Only the argument holding '#' is a path; a backslash before it, or in another argument, stays.
  const StartedCommandLine mixed = NativeCommandLine(R"(x\y\#a\b c\d "#e f\g" h)", show);
  EXPECT_EQ(mixed.arguments,
            (Words{R"(x\y\/home/ala/pokaz/a/b)", R"(c\d)", "/home/ala/pokaz/e f/g", "h"}));
  EXPECT_EQ(mixed.line, R"(x\y\/home/ala/pokaz/a/b c\d "/home/ala/pokaz/e f/g" h)");
  // Backslashes before a quote keep what they mean: 2n give n characters, 2n+1 a literal quote.
  EXPECT_EQ(NativeCommandLine(R"("#a\\" x)", show).arguments, (Words{"/home/ala/pokaz/a/", "x"}));
  EXPECT_EQ(NativeCommandLine(R"(#a\\\"b)", show).arguments, (Words{R"(/home/ala/pokaz/a/"b)"}));
  // A folder with blanks in its name stays one argument.
  EXPECT_EQ(NativeCommandLine("#plik /p", "/media/My Show/").arguments,
            (Words{"/media/My Show/plik", "/p"}));
}

TEST(StartedCommandLine, AWindowsProgramSeesTheFolderOnDriveZWithBackslashes) {
  const StartedCommandLine started = WindowsCommandLine(R"(#dane\plik.txt /p "#")", "/srv/pokaz/");
  EXPECT_EQ(started.line, R"(Z:\srv\pokaz\dane\plik.txt /p "Z:\srv\pokaz\")");
  // Split before the folder goes in: its trailing backslash does not swallow the quote.
  EXPECT_EQ(started.arguments, (Words{R"(Z:\srv\pokaz\dane\plik.txt)", "/p", R"(Z:\srv\pokaz\)"}));
  EXPECT_EQ(NativeCommandLine("# x", "").line, "# x") << "no folder: nothing replaced";
}

class ShellFiles : public ::testing::Test {
 protected:
  ShellFiles() { fs::create_directories(dir_); }
  ~ShellFiles() override { fs::remove_all(dir_); }

  fs::path Write(const std::string& name, const std::string& bytes, bool runnable) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    fs::permissions(path, runnable ? fs::perms::owner_all : fs::perms::owner_read);
    return path;
  }

  fs::path dir_ =
      fs::temp_directory_path() / ("velmorant-shell-files-" + std::to_string(::getpid()));
};

TEST_F(ShellFiles, OnlyElfFilesAndScriptsWithTheRunBitRunNatively) {
  EXPECT_EQ(RoleOfFile(Write("tool",
                             "\x7f"
                             "ELF\x02\x01",
                             true)),
            FileRole::kNativeProgram);
  EXPECT_EQ(RoleOfFile(Write("run.sh", "#!/bin/sh\n", true)), FileRole::kNativeProgram);
  EXPECT_EQ(RoleOfFile(Write("notes.txt", "plain words", true)), FileRole::kDocument);
  EXPECT_EQ(RoleOfFile(Write("idle.sh", "#!/bin/sh\n", false)), FileRole::kDocument);
  EXPECT_EQ(RoleOfFile(Write("e", "", true)), FileRole::kDocument);
  EXPECT_EQ(RoleOfFile(Write("SETUP.EXE", "MZ", false)), FileRole::kWindowsProgram);
  EXPECT_EQ(RoleOfFile(Write("go.Bat", "@echo", false)), FileRole::kWindowsBatch);
  EXPECT_EQ(RoleOfFile(Write("old.com", "\xb4", true)), FileRole::kDosProgram);
  EXPECT_EQ(RoleOfFile((dir_ / "missing").string()), FileRole::kDocument);
}

TEST_F(ShellFiles, AnythingThatCouldStartAProgramLooksLikeOneRunBitOrNot) {
  for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
           {"tool.pdf",
            "\x7f"
            "ELF\x02"},
           {"notes.txt", "#!/bin/sh\n"},
           {"setup.dat", "MZ\x90"},
           {"SETUP.EXE", "x"},
           {"go.bat", "x"},
           {"start.desktop", "[Desktop Entry]"},
           {"run.sh", "echo"},
       }) {
    EXPECT_TRUE(LooksLikeProgram(Write(name, bytes, false))) << name;
  }
  EXPECT_FALSE(LooksLikeProgram(Write("strona.html", "<html>", true)));
  EXPECT_FALSE(LooksLikeProgram(Write("raport.pdf", "%PDF-1.4", false)));
  EXPECT_FALSE(LooksLikeProgram((dir_ / "missing.txt").string()));
  fs::create_directories(dir_ / "folder");
  EXPECT_FALSE(LooksLikeProgram((dir_ / "folder").string()));
}

TEST_F(ShellFiles, WineCountsOnlyWhenItCanRun32BitPrograms) {
  const fs::path loader = dir_ / "lib/wine";
  fs::create_directories(dir_ / "bin");
  fs::create_directories(dir_ / "lib");
  const std::string path = "/nonexistent:" + (dir_ / "bin").string();
  EXPECT_EQ(FindUsableWine(path, loader), std::nullopt) << "no wine at all";

  // A wrapper that picks the 32-bit loader when it is installed, as Debian's does.
  Write("bin/wine", "#!/bin/sh\nwine32=" + loader.string() + "\nexec $wine32 \"$@\"\n", true);
  EXPECT_EQ(FindUsableWine(path, loader), std::nullopt) << "without the 32-bit loader";
  Write("lib/wine",
        "\x7f"
        "ELF",
        true);
  EXPECT_EQ(FindUsableWine(path, loader), dir_ / "bin/wine");

  // A wine that is the loader itself, or a wrapper that does not name it.
  fs::remove(loader);
  Write("bin/wine",
        "\x7f"
        "ELF",
        true);
  EXPECT_EQ(FindUsableWine(path, loader), dir_ / "bin/wine");
  Write("bin/wine", "#!/bin/sh\nexec /opt/wine/bin/wine \"$@\"\n", true);
  EXPECT_EQ(FindUsableWine(path, loader), dir_ / "bin/wine");
  // Not runnable: not there.
  Write("bin/wine",
        "\x7f"
        "ELF",
        false);
  EXPECT_EQ(FindUsableWine(path, loader), std::nullopt);
}

}  // namespace
}  // namespace velmorant::platform
