// Printing: documents laid out on A4 pages of a PDF whose text stays text, numbered files under
// --print-to, and a real print through CUPS to its PDF printer.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/loop/clock.hpp"
#include "platform/text/cups_printer.hpp"
#include "platform/text/pdf_writer.hpp"
#include "platform/text/print_folder.hpp"
#include "platform/text/recording_printer.hpp"
#include "platform/text/rtf_reader.hpp"

namespace velmorant::platform {
namespace {

namespace fs = std::filesystem;

RichDocument Doc(std::string_view rtf) {
  return *ReadRtf({reinterpret_cast<const uint8_t*>(rtf.data()), rtf.size()});
}

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

class Printing : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("velmorant-print-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;  // a daemon of the CUPS test may still be leaving its folder
    fs::remove_all(dir_, ignored);
  }

  fs::path dir_;
  FontEngine fonts_;
  VirtualClock clock_;
  EventLog log_{clock_};
};

TEST_F(Printing, FilesAreNamedAfterTheDocumentAndNumberedWhenTaken) {
  EXPECT_EQ(NextPrintFile(dir_, "t.rtf"), dir_ / "t.pdf");
  std::ofstream(dir_ / "t.pdf") << "x";
  EXPECT_EQ(NextPrintFile(dir_, "T.rtf"), dir_ / "T.pdf");
  EXPECT_EQ(NextPrintFile(dir_, "teksty\\t.rtf"), dir_ / "t-2.pdf");
  std::ofstream(dir_ / "t-2.pdf") << "x";
  EXPECT_EQ(NextPrintFile(dir_, "a/b/t.rtf"), dir_ / "t-3.pdf");
  EXPECT_EQ(NextPrintFile(dir_, "no_extension"), dir_ / "no_extension.pdf");
  EXPECT_EQ(NextPrintFile(dir_, ".."), dir_ / "document.pdf");
  EXPECT_EQ(NextPrintFile(dir_, "a\\"), dir_ / "document.pdf");
  EXPECT_EQ(NextPrintFile(dir_, ".hidden"), dir_ / ".hidden.pdf");
}

TEST_F(Printing, EveryPrintIsLoggedAndGoesToTheFolderAsAPdf) {
  log_.Open((dir_ / "log.jsonl").string());
  RecordingPrinter printer(log_, fonts_, dir_ / "out");
  const RichDocument doc = Doc("{\\rtf1 Hello}");
  EXPECT_TRUE(printer.Print("Wydruk pliku t.rtf", "t.rtf", doc));
  EXPECT_TRUE(printer.Print("Wydruk pliku t.rtf", "t.rtf", doc));
  EXPECT_EQ(Contents(dir_ / "out" / "t.pdf").substr(0, 5), "%PDF-");
  EXPECT_EQ(Contents(dir_ / "out" / "t-2.pdf").substr(0, 5), "%PDF-");
  EXPECT_EQ(Count(Contents(dir_ / "log.jsonl"), R"("event":"print","title":"Wydruk pliku t.rtf")"),
            2u);
  // Without a folder it is only logged.
  RecordingPrinter headless(log_, fonts_);
  EXPECT_TRUE(headless.Print("x", "x.rtf", doc));
  EXPECT_FALSE(fs::exists(dir_ / "x.pdf"));
}

TEST_F(Printing, LongDocumentsFillSeveralA4PagesOfText) {
  std::string rtf = "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 ";
  for (int i = 0; i < 120; ++i) rtf += "Line " + std::to_string(i) + "\\par ";
  const fs::path pdf = dir_ / "long.pdf";
  ASSERT_TRUE(WriteRichTextPdf(Doc(rtf + "}"), fonts_, "Long", pdf));
  const std::string bytes = Contents(pdf);
  const size_t pages =
      Count(bytes, "/Type /Page\n") + Count(bytes, "/Type /Page ") + Count(bytes, "/Type /Page>");
  EXPECT_GE(pages, 3u);
  EXPECT_NE(bytes.find("/MediaBox [ 0 0 595.275"), std::string::npos) << "A4";
  // The text is text: an embedded font with a map back to the characters.
  EXPECT_NE(bytes.find("/FontFile2"), std::string::npos);
  EXPECT_NE(bytes.find("/ToUnicode"), std::string::npos);
  // An empty document is one blank page.
  EXPECT_TRUE(WriteRichTextPdf(RichDocument{}, fonts_, "Empty", dir_ / "empty.pdf"));
}

TEST_F(Printing, AFileThatCannotBeWrittenIsAFailureThatSaysWhy) {
  std::string error;
  EXPECT_FALSE(
      WriteRichTextPdf(Doc("{\\rtf1 x}"), fonts_, "t", dir_ / "no" / "such" / "t.pdf", &error));
  EXPECT_NE(error, "");
  std::ofstream(dir_ / "taken") << "a file where the folder should be";
  RecordingPrinter printer(log_, fonts_, dir_ / "taken");
  EXPECT_FALSE(printer.Print("t", "t.rtf", Doc("{\\rtf1 x}")));
}

// cups-pdf writes where its configuration says: "Out" with ${HOME} and ${USER} filled in.
fs::path CupsPdfOutput() {
  std::ifstream conf("/etc/cups/cups-pdf.conf");
  std::string line;
  std::string out = "/var/spool/cups-pdf/${USER}";
  while (std::getline(conf, line)) {
    if (line.rfind("Out ", 0) == 0) out = line.substr(4);
  }
  auto fill = [&](const std::string& name, const char* value) {
    const std::string key = "${" + name + "}";
    if (const size_t at = out.find(key); at != std::string::npos && value) {
      out.replace(at, key.size(), value);
    }
  };
  fill("HOME", std::getenv("HOME"));
  fill("USER", std::getenv("USER") ? std::getenv("USER") : "root");
  return out;
}

TEST_F(Printing, ThroughARealCupsToItsPdfPrinter) {
  const std::string server =
      std::string(VELMORANT_SOURCE_DIR) + "/tests/support/cups_pdf_server.sh";
  const fs::path cups = dir_ / "cups";
  const std::string start = server + " start " + cups.string() + " > " + (dir_ / "why").string();
  if (std::system(start.c_str()) != 0) {
    GTEST_SKIP() << "cupsd cannot start here: " << Contents(dir_ / "why");
  }
  const char* before = std::getenv("CUPS_SERVER");
  const std::string saved = before ? before : "";
  setenv("CUPS_SERVER", (cups / "cups.sock").c_str(), 1);
  const std::string title = "velmorant test " + std::to_string(::getpid());
  CupsPrinter printer(log_, fonts_);
  EXPECT_EQ(DefaultPrintDestination(), "PDF");
  const bool printed = printer.Print(title, "t.rtf", Doc("{\\rtf1 Printed through CUPS}"));
  // cups-pdf names its file after the job's title and writes it while the job runs; the daemon
  // works on its own time, so wait for the whole file (up to half a minute).
  const fs::path out = CupsPdfOutput();
  const std::string stem = "velmorant_test_" + std::to_string(::getpid());
  fs::path found;
  for (int i = 0; printed && i < 300; ++i) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(out, ec)) {
      if (e.path().filename().string().rfind(stem, 0) == 0) found = e.path();
    }
    if (!found.empty() && Contents(found).find("%%EOF") != std::string::npos) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  std::system((server + " stop " + cups.string()).c_str());
  if (before) {
    setenv("CUPS_SERVER", saved.c_str(), 1);
  } else {
    unsetenv("CUPS_SERVER");
  }
  EXPECT_TRUE(printed);
  ASSERT_FALSE(found.empty()) << "no PDF in " << out;
  EXPECT_EQ(Contents(found).substr(0, 5), "%PDF-");
  fs::remove(found);
}

}  // namespace
}  // namespace velmorant::platform
