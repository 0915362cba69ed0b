#include <gtest/gtest.h>

#include "site/chunk_writer.hpp"
#include "site/site_names.hpp"
#include "site_fixture.hpp"

namespace velmorant::site {
namespace {

TEST(SiteNames, SegmentsAreDecodedOnlyWhenNotUtf8AndEncodedForUrls) {
  const auto cp1250 = *platform::CodePage::Open(1250);
  bool decoded = true;
  EXPECT_EQ(DecodeSegment("Łąka", cp1250, &decoded), "Łąka");
  EXPECT_FALSE(decoded);
  EXPECT_EQ(DecodeSegment("\xA3\xB9ka", cp1250, &decoded), "Łąka");
  EXPECT_TRUE(decoded);
  // A lone continuation byte or a cut sequence is not UTF-8.
  EXPECT_EQ(DecodeSegment("\xC5", cp1250, &decoded), "Ĺ");
  EXPECT_TRUE(decoded);

  EXPECT_EQ(PercentEncode("Az09-._~"), "Az09-._~");
  EXPECT_EQ(PercentEncode("a b?#%&+/Ł"), "a%20b%3F%23%25%26%2B%2F%C5%81");

  for (const char* bad : {"", ".", "..", "a\\b", "a/b"}) EXPECT_NE(SegmentProblem(bad), "") << bad;
  EXPECT_NE(SegmentProblem(std::string("a\0b", 3)), "");
  EXPECT_EQ(SegmentProblem("..a"), "");
}

TEST(SiteNames, ClashingNamesGetDistinctNamesOrUrls) {
  FolderNames names;
  auto take = [&](const std::string& wanted) {
    const auto given = names.Take(wanted);
    return given.name + " " + given.url;
  };
  EXPECT_EQ(take("Tlo.bmp"), "Tlo.bmp Tlo.bmp");
  EXPECT_EQ(take("TLO.BMP"), "TLO.BMP TLO.BMP~2");
  EXPECT_EQ(take("tlo.bmp"), "tlo.bmp tlo.bmp~3");
  EXPECT_EQ(take("Tlo.bmp"), "Tlo.bmp~2 Tlo.bmp~2~2");
  EXPECT_EQ(take("Łąka"), "Łąka Łąka");
  EXPECT_EQ(take("ŁĄKA"), "ŁĄKA ŁĄKA~2");
}

// Pieces that split groups of three, so that the writer must carry bytes between them.
TEST(SiteChunks, OddPiecesReassembleAndPadOnlyAtAFilesEnd) {
  const auto folder = testing::FreshTestFolder("velmorant-chunks-");
  ChunkWriter chunks(folder, "c/", 7);  // six bytes a chunk
  std::vector<uint8_t> a(17), b(2);
  for (size_t i = 0; i < a.size(); ++i) a[i] = uint8_t(255 - i);
  b = {0, 1};
  chunks.BeginFile("a");
  for (size_t at = 0; at < a.size(); at += 4) {
    ASSERT_TRUE(chunks.Append(a.data() + at, std::min<size_t>(4, a.size() - at)));
  }
  ASSERT_TRUE(chunks.EndFile());
  chunks.BeginFile("b");
  ASSERT_TRUE(chunks.Append(&b[0], 1));
  ASSERT_TRUE(chunks.Append(&b[1], 1));
  ASSERT_TRUE(chunks.EndFile());
  ASSERT_TRUE(chunks.Finish());

  std::map<std::string, std::vector<uint8_t>> got;
  ASSERT_EQ(chunks.Urls().size(), 3u);
  for (size_t n = 0; n < chunks.Urls().size(); ++n) {
    EXPECT_EQ(chunks.Urls()[n], "c/000" + std::to_string(n) + ".js");
    const auto args =
        ScriptArguments(ReadText(folder / chunks.Urls()[n].substr(2)), "velmorantShowChunk");
    EXPECT_EQ(args[0], n);
    for (const auto& entry : args[1]) {
      const auto part = DecodeBase64(entry[1]);
      got[entry[0]].insert(got[entry[0]].end(), part.begin(), part.end());
    }
  }
  EXPECT_EQ(got["a"], a);
  EXPECT_EQ(got["b"], b);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace velmorant::site
