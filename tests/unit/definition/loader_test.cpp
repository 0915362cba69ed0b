#include <gtest/gtest.h>

#include "definition/loader.hpp"
#include "independent_file.hpp"

namespace velmorant {
namespace {

constexpr std::string_view kUnstamped = "??????";
constexpr std::string_view kEditions = "abcdefg";

LoadResult Load(const std::vector<uint8_t>& bytes) {
  return LoadDefinition(bytes, kUnstamped);
}

// The smallest file of an edition: the header with empty strings and every table empty.
std::vector<uint8_t> EmptyFile(char edition) {
  test::ByteBuilder f;
  f.PutByte(uint8_t(edition));
  const int strings = edition >= 'e' ? 10 : 9;
  for (int i = 0; i < strings; ++i) f.PutString("");
  f.PutU32(0);
  f.PutU32(0);
  f.PutByte(0);
  f.PutString("");
  f.PutByte(0);
  int tables = 15 + (edition >= 'd') + (edition >= 'e');
  for (int i = 0; i < tables; ++i) f.PutU32(0);
  return f.bytes;
}

TEST(Loader, EveryEditionLoadsExactlyTheValuesWritten) {
  for (char edition : kEditions) {
    SCOPED_TRACE(edition);
    auto file = test::BuildIndependentFile(edition);
    auto loaded = Load(file.bytes);
    ASSERT_TRUE(loaded.definition) << loaded.error.Message();
    const Definition& d = *loaded.definition;
    const Definition& e = file.expected;
    EXPECT_EQ(d.edition, edition);
    EXPECT_EQ(d.header, e.header);
    EXPECT_EQ(d.TMedia, e.TMedia);
    EXPECT_EQ(d.TEkrany, e.TEkrany);
    EXPECT_EQ(d.TTla, e.TTla);
    EXPECT_EQ(d.TObrazy, e.TObrazy);
    EXPECT_EQ(d.TNapisy, e.TNapisy);
    EXPECT_EQ(d.TTeksty, e.TTeksty);
    EXPECT_EQ(d.TDzwieki, e.TDzwieki);
    EXPECT_EQ(d.TFilmy, e.TFilmy);
    EXPECT_EQ(d.TAnimacje, e.TAnimacje);
    EXPECT_EQ(d.TLinki, e.TLinki);
    EXPECT_EQ(d.TDoki, e.TDoki);
    EXPECT_EQ(d.TProcesy, e.TProcesy);
    EXPECT_EQ(d.TMapy, e.TMapy);
    EXPECT_EQ(d.TSandwicze, e.TSandwicze);
    EXPECT_EQ(d.TKlawisze, e.TKlawisze);
    EXPECT_EQ(d.TRamki, e.TRamki);
    EXPECT_EQ(d.TPrzeniki, e.TPrzeniki);
  }
}

TEST(Loader, WritingALoadedFileGivesTheSameBytesInEveryEdition) {
  for (char edition : kEditions) {
    SCOPED_TRACE(edition);
    auto file = test::BuildIndependentFile(edition);
    auto loaded = Load(file.bytes);
    ASSERT_TRUE(loaded.definition);
    auto written = WriteDefinition(*loaded.definition, edition);
    ASSERT_EQ(written.error, "");
    EXPECT_EQ(written.bytes, file.bytes);
  }
}

TEST(Loader, FieldsAnOlderEditionLacksKeepTheirDefaults) {
  auto loaded = Load(test::BuildIndependentFile('c').bytes);
  ASSERT_TRUE(loaded.definition);
  const Definition& d = *loaded.definition;
  EXPECT_EQ(d.header.DocumentsFolder, "dokumenty");
  EXPECT_EQ(d.TMedia[0].AdvanceMs, 0);
  EXPECT_TRUE(d.TEkrany[0].Animations.Empty());
  EXPECT_TRUE(d.TEkrany[0].Documents.Empty());
  EXPECT_EQ(d.TObrazy[0].DelayMs, 0);
  EXPECT_EQ(d.TObrazy[0].TransitionOut, -1);
  EXPECT_EQ(d.TNapisy[0].TextureFile, "");
  EXPECT_EQ(d.TNapisy[0].TransitionIn, -1);
  EXPECT_EQ(d.TNapisy[0].Charset, kDefaultCharset);
  EXPECT_EQ(d.TTeksty[0].Keep, 0);
  EXPECT_EQ(d.TFilmy[0].PosterName, "");
  EXPECT_TRUE(d.TAnimacje.empty());
  EXPECT_EQ(d.TLinki[0].AutoOpen, 0);
  EXPECT_EQ(d.TLinki[0].CloseRegion, -1);
  EXPECT_TRUE(d.TDoki.empty());
  EXPECT_EQ(d.TMapy[0].HideAfter, 0);
  EXPECT_EQ(d.TMapy[0].HideTransition, -1);
  EXPECT_EQ(d.TRamki[0].Kind, 0);
  EXPECT_EQ(d.TRamki[0].PatternFile, "");
  // Regions of 'a' and 'b' carry no hint; 'c' does.
  auto b = Load(test::BuildIndependentFile('b').bytes);
  ASSERT_TRUE(b.definition);
  EXPECT_EQ(b.definition->TMapy[0].Regions[0].Hint, "");
  EXPECT_NE(d.TMapy[0].Regions[0].Hint, "");
}

TEST(Loader, LoaderNumbersSoundsMapsRegionsSandwichesAndLayers) {
  auto loaded = Load(test::BuildIndependentFile('g').bytes);
  ASSERT_TRUE(loaded.definition);
  const Definition& d = *loaded.definition;
  EXPECT_EQ(d.TDzwieki[1].Number, 1);
  EXPECT_EQ(d.TMapy[1].Number, 1);
  EXPECT_EQ(d.TMapy[0].Regions[1].Number, 1);
  EXPECT_EQ(d.TSandwicze[1].Number, 1);
  EXPECT_EQ(d.TSandwicze[1].Layers[0].Owner, 1);
}

TEST(Loader, EditionByteMustBeALowerCaseLetterFromAToG) {
  for (uint8_t first : {uint8_t('h'), uint8_t('A'), uint8_t('`'), uint8_t(0), uint8_t(0xE1)}) {
    auto bytes = EmptyFile('g');
    bytes[0] = first;
    auto loaded = Load(bytes);
    EXPECT_FALSE(loaded.definition) << int(first);
    EXPECT_EQ(loaded.error.offset, 0u);
  }
  EXPECT_TRUE(Load(EmptyFile('a')).definition);
  EXPECT_TRUE(Load(EmptyFile('g')).definition);
  auto empty = Load({});
  EXPECT_FALSE(empty.definition);
  EXPECT_EQ(empty.error.what, "the file is empty");
}

TEST(Loader, EmptyTablesGiveEmptyManagersAndNoShortcuts) {
  auto loaded = Load(EmptyFile('g'));
  ASSERT_TRUE(loaded.definition);
  EXPECT_TRUE(loaded.definition->TKlawisze.empty());
  EXPECT_EQ(loaded.definition->header.ImagesFolder, "");
  EXPECT_EQ(Definition{}.TKlawisze, BuiltInShortcuts());
}

TEST(Loader, EditionDLacksDocumentsAndCLacksAnimationsToo) {
  // Sizes: 9 strings + 2 i32 + 2 bytes + 1 string, then 4 bytes per table.
  EXPECT_EQ(EmptyFile('e').size(), 1 + 10 + 8 + 3 + 17 * 4u);
  EXPECT_EQ(EmptyFile('d').size(), 1 + 9 + 8 + 3 + 16 * 4u);
  EXPECT_EQ(EmptyFile('c').size(), 1 + 9 + 8 + 3 + 15 * 4u);
  // An 'e' body read as 'd' leaves four bytes over, which are ignored.
  auto bytes = EmptyFile('e');
  bytes[0] = 'd';
  EXPECT_TRUE(Load(bytes).definition);
}

TEST(Loader, FileCutAtAnyLengthIsRefusedWithWhereItEnded) {
  for (char edition : kEditions) {
    const auto bytes = test::BuildIndependentFile(edition).bytes;
    for (size_t length = 0; length < bytes.size(); ++length) {
      std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + std::ptrdiff_t(length));
      auto loaded = Load(cut);
      ASSERT_FALSE(loaded.definition) << edition << " cut at " << length;
      ASSERT_LE(loaded.error.offset, length);
    }
  }
}

TEST(Loader, BytesAfterTheLastTableAreIgnored) {
  auto file = test::BuildIndependentFile('f');
  file.bytes.insert(file.bytes.end(), {1, 2, 3, 4, 5, 6, 7});
  auto loaded = Load(file.bytes);
  ASSERT_TRUE(loaded.definition);
  EXPECT_EQ(loaded.definition->TPrzeniki, file.expected.TPrzeniki);
}

// The offset of the TMedia count in an empty 'g' file.
constexpr size_t kFirstTableOffset = 1 + 10 + 8 + 3;

void PutU32At(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + size_t(i)] = uint8_t(value >> (8 * i));
}

TEST(Loader, AbsurdTableCountFailsAtOnceNamingTheTable) {
  auto bytes = EmptyFile('g');
  PutU32At(bytes, kFirstTableOffset, 0xFFFFFFFFu);
  auto loaded = Load(bytes);
  ASSERT_FALSE(loaded.definition);
  EXPECT_EQ(loaded.error.table, "TMedia");
  EXPECT_EQ(loaded.error.offset, kFirstTableOffset);
  EXPECT_NE(loaded.error.what.find("4294967295"), std::string::npos);
  // A count that would fit as one-byte records but not as 8-byte ones is refused too.
  PutU32At(bytes, kFirstTableOffset, uint32_t(bytes.size()));
  EXPECT_FALSE(Load(bytes).definition);
}

TEST(Loader, AbsurdNestedCountsNameTableRecordAndField) {
  test::ByteBuilder f;
  auto base = EmptyFile('g');
  // Replace the TEkrany table (second count) by one screen whose Images set claims 10^9 items.
  base.resize(kFirstTableOffset + 4);
  f.bytes = base;
  f.PutU32(1);
  f.PutString("screen");
  f.PutU32(uint32_t(-1));  // Background
  f.PutU32(1000000000);    // Images count
  f.bytes.resize(f.bytes.size() + 64, 0);
  auto loaded = Load(f.bytes);
  ASSERT_FALSE(loaded.definition);
  EXPECT_EQ(loaded.error.table, "TEkrany");
  EXPECT_EQ(loaded.error.record, 0);
  EXPECT_EQ(loaded.error.field, "Images");
  EXPECT_NE(loaded.error.Message().find("TEkrany record 0, field Images"), std::string::npos);

  // A map whose region count cannot fit.
  auto file = test::BuildIndependentFile('g');
  Definition d = file.expected;
  d.TMapy[1].Regions.clear();
  auto written = WriteDefinition(d, 'g');
  ASSERT_EQ(written.error, "");
  // The last map's region count is the 4 bytes before TSandwicze; find it by writing a marker.
  d.TMapy[1].FrameIndex = 0x5A5A5A5A;
  written = WriteDefinition(d, 'g');
  auto& bytes = written.bytes;
  const uint8_t marker[] = {0x5A, 0x5A, 0x5A, 0x5A};
  auto at = std::search(bytes.begin(), bytes.end(), std::begin(marker), std::end(marker));
  ASSERT_NE(at, bytes.end());
  PutU32At(bytes, size_t(at - bytes.begin()) + 4, 0x7FFFFFFF);
  loaded = Load(bytes);
  ASSERT_FALSE(loaded.definition);
  EXPECT_EQ(loaded.error.table, "TMapy");
  EXPECT_EQ(loaded.error.record, 1);
  EXPECT_EQ(loaded.error.field, "Regions");
}

TEST(Loader, StringsEndAtTheirFirstNulButConsumeAllTheirBytes) {
  auto bytes = EmptyFile('g');
  // The first header string becomes "ab\0cd".
  const uint8_t text[] = {5, 'a', 'b', 0, 'c', 'd'};
  bytes.erase(bytes.begin() + 1);
  bytes.insert(bytes.begin() + 1, std::begin(text), std::end(text));
  auto loaded = Load(bytes);
  ASSERT_TRUE(loaded.definition) << loaded.error.Message();
  EXPECT_EQ(loaded.definition->header.BackgroundsFolder, "ab");
  EXPECT_EQ(loaded.definition->header.ImagesFolder, "");
}

TEST(Loader, StringOf255BytesRoundTripsAndLongerIsRefusedByTheWriter) {
  Definition d;
  d.header.BorderPicture = std::string(255, 'x');
  auto written = WriteDefinition(d, 'g');
  ASSERT_EQ(written.error, "");
  auto loaded = Load(written.bytes);
  ASSERT_TRUE(loaded.definition);
  EXPECT_EQ(loaded.definition->header.BorderPicture.size(), 255u);
  d.TObrazy.resize(3);
  d.TObrazy[2].FileName = std::string(256, 'x');
  written = WriteDefinition(d, 'g');
  EXPECT_NE(written.error.find("TObrazy record 2, field FileName"), std::string::npos)
      << written.error;
  EXPECT_TRUE(WriteDefinition(d, 'h').error.size() > 0);
}

TEST(Loader, SizeStampIsChecked) {
  const auto bytes = EmptyFile('g');
  const std::string size = std::to_string(bytes.size());
  EXPECT_TRUE(LoadDefinition(bytes, size).definition);
  EXPECT_TRUE(LoadDefinition(bytes, "?12345").definition);
  EXPECT_FALSE(LoadDefinition(bytes, std::to_string(bytes.size() + 1)).definition);
  EXPECT_FALSE(LoadDefinition(bytes, "").definition);
  EXPECT_FALSE(LoadDefinition(bytes, "+" + size).definition);
  EXPECT_FALSE(LoadDefinition(bytes, size + "x").definition);
}

}  // namespace
}  // namespace velmorant
