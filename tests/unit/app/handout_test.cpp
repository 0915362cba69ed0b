// velmorant --headless --handout: every entry of the play sequence gets a page, in order, each
// taken once the page has settled, with nothing but the walk moving on.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

#include "definition/loader.hpp"
#include "support/bmp_builder.hpp"
#include "support/run_player.hpp"
#include "support/test_files.hpp"

namespace velmorant {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kRed = 0xCC2020;
constexpr uint32_t kGreen = 0x20CC20;

// Entry 0: a red page that would advance after half a second, a green image that appears after
// 1.5 s and a map region with a hint. Entry 1 names no screen. Entry 2: a blue page with a
// caption. Entry 3: the first screen again.
Definition WalkedPresentation() {
  Definition d;
  d.TMedia = {{0, 500, -1}, {9, 0, -1}, {1, 0, -1}, {0, 0, -1}};
  TEkr first;
  first.Background = 0;
  first.Images = {0};
  first.Maps = {0};
  TEkr second;
  second.Background = 1;
  second.Captions = {0};
  d.TEkrany = {first, second};
  d.TTla = {{"", "czerwone.bmp"}, {"", "niebieskie.bmp"}};
  TObr image;
  image.FileName = "zielony.bmp";
  image.DelayMs = 1500;
  d.TObrazy = {image};
  TNap caption;
  caption.FileName = "napis.txt";
  caption.X = 300;
  caption.Y = 300;
  caption.W = 200;
  d.TNapisy = {caption};
  TMap map;
  map.Regions.resize(1);
  map.Regions[0].Hint = "Dalej \xBB";  // "»" in code page 1250
  map.Regions[0].Action = {kActionNext, 0};
  d.TMapy = {map};
  return d;
}

class Handout : public ::testing::Test {
 protected:
  void SetUp() override {
    work_ = testing::FreshTestFolder("velmorant-handout-");
    show_ = work_ / "show";
    log_ = work_ / "log.jsonl";
    pdf_ = work_ / "handout.pdf";
    testing::WriteBytes(show_ / "info.med", WriteDefinition(WalkedPresentation(), 'g').bytes);
    testing::WriteBytes(show_ / "tla" / "czerwone.bmp", testing::SolidBmp(64, 48, kRed));
    testing::WriteBytes(show_ / "tla" / "niebieskie.bmp", testing::SolidBmp(64, 48, 0x2020CC));
    testing::WriteBytes(show_ / "obrazy" / "zielony.bmp", testing::SolidBmp(100, 100, kGreen));
    const std::string caption =
        "Napis pr\xF3"
        "bny";  // "próbny"
    testing::WriteBytes(show_ / "napisy" / "napis.txt", {caption.begin(), caption.end()});
  }
  void TearDown() override { fs::remove_all(work_); }

  int Run(std::vector<std::string> extra) {
    std::vector<std::string> args = {"velmorant", "--headless",   "--screen", "640x480x32",
                                     "-p",        show_.string(), "--log",    log_.string(),
                                     "--handout", pdf_.string()};
    args.insert(args.end(), extra.begin(), extra.end());
    return testing::RunPlayerQuietly(args, errors_);
  }

  std::vector<nlohmann::json> Log(const std::string& event) const {
    std::ifstream in(log_);
    std::vector<nlohmann::json> events;
    for (std::string line; std::getline(in, line);) {
      auto e = nlohmann::json::parse(line);
      if (e["event"] == event) events.push_back(e);
    }
    return events;
  }

  // Counts the page objects Cairo writes uncompressed.
  size_t PdfPages() const {
    std::ifstream in(pdf_, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    size_t pages = 0;
    for (size_t at = bytes.find("/Type /Page"); at != std::string::npos;
         at = bytes.find("/Type /Page", at + 1)) {
      if (bytes.compare(at, 12, "/Type /Pages") != 0) ++pages;
    }
    return pages;
  }

  fs::path work_;
  fs::path show_;
  fs::path log_;
  fs::path pdf_;
  std::string errors_;
};

std::string Output(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

TEST_F(Handout, EveryEntryGetsAPageInOrderAndOnlyTheWalkMovesOn) {
  // A slide show of one second and the first page's half-second advance must not fire.
  ASSERT_EQ(Run({"1"}), 0) << errors_;
  EXPECT_EQ(PdfPages(), 4u);
  const auto pages = Log("page");
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[0]["page"], 0);
  EXPECT_EQ(pages[1]["page"], 2);
  EXPECT_EQ(pages[2]["page"], 3);
  for (size_t i = 1; i < pages.size(); ++i) {
    EXPECT_GE(pages[i]["t"].get<int64_t>() - pages[i - 1]["t"].get<int64_t>(), 3000);
  }
  EXPECT_EQ(Log("end").size(), 1u);
}

TEST_F(Handout, PagesShowTheSettledPictureAndSearchableTexts) {
  ASSERT_EQ(Run({}), 0) << errors_;
  if (Output("command -v pdftotext pdftoppm").empty()) GTEST_SKIP() << "no poppler-utils";
  const std::string text = Output("pdftotext '" + pdf_.string() + "' -");
  for (const char* expected : {"Page 1 of 4 (entry 0)", "Dalej »", "Page 2 of 4 (entry 1)",
                               "names no screen", "Napis próbny", "Page 4 of 4 (entry 3)"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
  }
  // At 96 dpi a picture pixel is a rendered pixel; the picture starts 48 px in and below the
  // heading. The image that appears after 1.5 s is there, on the red page.
  auto pixel = [&](int page, int x, int y) {
    const std::string ppm = Output("pdftoppm -r 96 -f " + std::to_string(page) + " -l " +
                                   std::to_string(page) + " -x " + std::to_string(48 + x) + " -y " +
                                   std::to_string(76 + y) + " -W 1 -H 1 '" + pdf_.string() + "'");
    if (ppm.size() < 3) return uint32_t(0xFFFFFFFF);
    const auto* rgb = reinterpret_cast<const uint8_t*>(ppm.data() + ppm.size() - 3);
    return uint32_t(rgb[0]) << 16 | uint32_t(rgb[1]) << 8 | rgb[2];
  };
  EXPECT_EQ(pixel(1, 400, 400), kRed);
  EXPECT_EQ(pixel(1, 110, 96), kGreen);
  EXPECT_EQ(pixel(3, 100, 100), 0x2020CCu);
}

TEST_F(Handout, AFileThatCannotBeWrittenIsAUsageErrorBeforeThePlay) {
  pdf_ = work_ / "no-such-folder" / "handout.pdf";
  EXPECT_EQ(Run({}), 2);
  EXPECT_NE(errors_.find("--handout"), std::string::npos) << errors_;
  EXPECT_TRUE(Log("loaded").empty());
}

}  // namespace
}  // namespace velmorant
