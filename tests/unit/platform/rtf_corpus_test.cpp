// Every RTF of the shared corpus is read, laid out and scanned for phrases, or refused cleanly;
// documents in many code pages read as their words.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/text/font_engine.hpp"
#include "platform/text/rich_layout.hpp"
#include "platform/text/rtf_reader.hpp"
#include "support/corpus_dir.hpp"

namespace velmorant::platform {
namespace {

namespace fs = std::filesystem;

class RtfCorpus : public test::CorpusTest {
 protected:
  RtfCorpus() : CorpusTest("rtf") {}
  static std::vector<uint8_t> Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  RichDocument Doc(const std::string& name) const {
    auto doc = ReadRtf(Bytes(File(name)));
    EXPECT_TRUE(doc.has_value()) << name;
    return doc ? std::move(*doc) : RichDocument{};
  }
  static bool Holds(const RichDocument& doc, std::u32string_view words) {
    return doc.text.find(words) != std::u32string::npos;
  }
};

bool HasInk(const Bitmap& b) {
  for (int32_t y = 0; y < b.Height(); ++y) {
    for (int32_t x = 0; x < b.Width(); ++x) {
      if (b.At(x, y) != 0xFFFFFF) return true;
    }
  }
  return false;
}

TEST_F(RtfCorpus, PicturesStoredAsMetafilesAreDrawn) {
  FontEngine fonts;
  size_t shown = 0;
  size_t without_metafiles = 0;
  for (const char* name :
       {"rtfpipe_Issue33.rtf", "rtfpipe_Issue46.rtf", "rtfpipe_PictureObjectEmbed2.rtf",
        "rtfpipe_phprtflite_image_from_strings.rtf", "rtfpipe_rtf2xml_old3_from_web.rtf",
        "striprtf_Example_text.rtf"}) {
    SCOPED_TRACE(name);
    std::vector<uint8_t> bytes = Bytes(File(name));
    const auto doc = ReadRtf(bytes, {1252, &fonts});
    ASSERT_TRUE(doc.has_value());
    for (const RichPicture& p : doc->pictures) EXPECT_TRUE(HasInk(*p.picture));
    // The same document with its metafiles named as something else shows fewer pictures.
    static constexpr std::string_view kWord = "\\wmetafile";
    for (auto at = std::search(bytes.begin(), bytes.end(), kWord.begin(), kWord.end());
         at != bytes.end(); at = std::search(at, bytes.end(), kWord.begin(), kWord.end())) {
      *(at + 1) = 'x';
    }
    const auto without = ReadRtf(bytes, {1252, &fonts});
    ASSERT_TRUE(without.has_value());
    shown += doc->pictures.size();
    without_metafiles += without->pictures.size();
  }
  // Some keep their metafile only as the copy for older readers, beside a picture of another kind.
  EXPECT_GE(shown, without_metafiles + 8);
}

bool StartsAsRtf(const std::vector<uint8_t>& bytes) {
  static constexpr std::string_view kMagic = "{\\rtf";
  size_t i = 0;
  while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\r' || bytes[i] == '\n')) ++i;
  return bytes.size() - i >= kMagic.size() &&
         std::equal(kMagic.begin(), kMagic.end(), bytes.begin() + std::ptrdiff_t(i));
}

TEST_F(RtfCorpus, EveryFileIsReadAndLaidOutOrRefusedCleanly) {
  FontEngine fonts;
  std::set<std::string> refused;
  int read = 0;
  for (const auto& entry : fs::directory_iterator(Dir())) {
    if (entry.path().extension() != ".rtf") continue;
    const std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    const std::vector<uint8_t> bytes = Bytes(entry.path());
    auto doc = ReadRtf(bytes);
    // Only what does not begin as RTF is refused; damaged documents are read as far as they go.
    EXPECT_EQ(doc.has_value(), StartsAsRtf(bytes));
    if (!doc) {
      refused.insert(name);
      continue;
    }
    ++read;
    for (char32_t c : doc->text)
      ASSERT_FALSE(c == 0 || (c >= 0xD800 && c < 0xE000) || c > 0x10FFFF);
    RichFonts rich_fonts(fonts, *doc);
    const RichLayout layout(*doc, rich_fonts, 400);
    if (doc->Length() > 0) {
      EXPECT_FALSE(layout.Lines().empty());
      EXPECT_EQ(layout.Lines().back().end, doc->Length());
      EXPECT_LT(size_t(layout.CharAt({399, layout.Height() / 2})), doc->Length());
    }
    FindPhrases(*doc, 1000);
  }
  EXPECT_GT(read, 150);
  EXPECT_EQ(refused, (std::set<std::string>{"pandoc_tables.rtf", "rtfpipe_RtfParserTest_fail_0.rtf",
                                            "rtfpipe_RtfParserTest_fail_4.rtf",
                                            "rtfpipe_RtfParserTest_fail_5.rtf",
                                            "rtfpipe_RtfParserTest_fail_6.rtf"}));
}

TEST_F(RtfCorpus, DocumentsInManyCodePagesReadAsTheirWords) {
  EXPECT_TRUE(Holds(Doc("striprtf_ansicpg1250.rtf"), U"Proszę o zapoznanie się z poniższą"));
  EXPECT_TRUE(Holds(Doc("striprtf_bytes.rtf"), U"УХВАЛА"));
  EXPECT_TRUE(Holds(Doc("rtfparserkit_testGreekEncoding.rtf"), U"Unicode €Ω"));
  EXPECT_TRUE(Holds(Doc("rtfparserkit_testJapaneseJisEncoding.rtf"), U"中國"));
  EXPECT_TRUE(Holds(Doc("rtfpipe_RtfParserTest_5.rtf"), U"バージョン 8.5"));
  EXPECT_TRUE(Holds(Doc("striprtf_unicode.rtf"), U"柔道"));
  EXPECT_TRUE(Holds(Doc("striprtf_issue_11.rtf"), U"测试"));
  EXPECT_TRUE(Holds(Doc("pandoc_unicode.rtf"), U"“hi”‘hi’"));
  EXPECT_TRUE(Holds(Doc("striprtf_issue_38.rtf"), U"cell 1\tcell 2\tcell 3\t"));
}

TEST_F(RtfCorpus, LinksAndPicturesOfRealDocuments) {
  const RichDocument link = Doc("striprtf_hyperlink.rtf");
  ASSERT_EQ(FindPhrases(link, 5).size(), 1u);
  const Phrase phrase = FindPhrases(link, 5).front();
  EXPECT_EQ(link.text.substr(size_t(phrase.start), size_t(phrase.end - phrase.start)),
            U"google.com");
  const RichDocument jpeg = Doc("pandoc_image.rtf");
  ASSERT_EQ(jpeg.pictures.size(), 1u);
  EXPECT_FALSE(jpeg.pictures.front().picture->IsEmpty());
  EXPECT_EQ(Doc("rtfpipe_phprtflite_images.rtf").pictures.size(), 11u);
}

}  // namespace
}  // namespace velmorant::platform
