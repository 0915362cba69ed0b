#include <gtest/gtest.h>

#include <filesystem>

#include "platform/text/family_preferences.hpp"
#include "platform/text/listed_face.hpp"
#include "platform/text/listed_font_catalog.hpp"
#include "support/test_files.hpp"
#include "unit/platform/web_fonts_list.hpp"

namespace velmorant::platform {
namespace {

TEST(ListedFace, OpenTypeWeightsMapOntoTheSetupScale) {
  EXPECT_EQ(WeightFromOpenType(400), kWeightRegular);
  EXPECT_EQ(WeightFromOpenType(700), kWeightBold);
  EXPECT_EQ(WeightFromOpenType(600), kWeightDemibold);
  EXPECT_EQ(WeightFromOpenType(550), 140);        // between medium and demibold
  EXPECT_EQ(WeightFromOpenType(7), kWeightBold);  // old fonts give 1..9
  EXPECT_EQ(WeightFromOpenType(5000), 215);
  EXPECT_EQ(WeightFromOpenType(-3), 0);
}

const ListedFace* FaceOf(const ListedFontCatalog& catalog, std::string_view file_end) {
  for (const ListedFace& face : catalog.Faces()) {
    if (face.file.ends_with(file_end)) return &face;
  }
  return nullptr;
}

TEST(ListedFace, FacesDescribeThemselvesFromTheirTables) {
  const ListedFontCatalog catalog(velmorant::testing::WebFontsHere());
  const ListedFace* oblique = FaceOf(catalog, "/DejaVuSans-BoldOblique.ttf");
  const ListedFace* narrow = FaceOf(catalog, "/LiberationSansNarrow-Italic.ttf");
  if (!oblique || !narrow) GTEST_SKIP() << "DejaVu Sans or Liberation Sans Narrow is not installed";
  EXPECT_EQ(oblique->families, std::vector<std::string>{"DejaVu Sans"});
  EXPECT_EQ(oblique->weight, kWeightBold);
  EXPECT_EQ(oblique->slant, kSlantOblique);
  EXPECT_EQ(narrow->families.front(), "Liberation Sans Narrow");
  EXPECT_EQ(narrow->weight, kWeightRegular);
  EXPECT_EQ(narrow->slant, kSlantItalic);
  EXPECT_EQ(narrow->width, 75);
  EXPECT_GT(oblique->version, 0);
}

TEST(ListedCatalog, OnlyReadableFontFilesCount) {
  const auto dir = velmorant::testing::FreshTestFolder("listed_fonts_");
  velmorant::testing::WriteBytes(dir / "broken.ttf", {0, 1, 0, 0, 'x', 'y'});
  velmorant::testing::WriteBytes(dir / "notes.txt", {'h', 'i'});
  std::filesystem::create_directories(dir / "folder.ttf");
  const std::vector<std::string> files = velmorant::testing::WebFontsHere();
  if (!files.empty()) std::filesystem::copy_file(files.front(), dir / "a.TTF");

  EXPECT_EQ(ListedFontCatalog::FontFilesIn(dir.string()),
            (std::vector<std::string>{(dir / "a.TTF").string(), (dir / "broken.ttf").string()}));
  const ListedFontCatalog catalog = ListedFontCatalog::FromFolder(dir.string());
  EXPECT_EQ(catalog.HasFonts(), !files.empty());
  EXPECT_EQ(catalog.Faces().size(), files.empty() ? 0u : 1u);

  const ListedFontCatalog none = ListedFontCatalog::FromFolder((dir / "missing").string());
  EXPECT_FALSE(none.HasFonts());
  EXPECT_FALSE(none.Find({{"Arial"}, false, false}));
  EXPECT_TRUE(none.InstalledFamilies().empty());
}

// Strong stand-ins keep their place; weak ones and the generic faces follow every name asked for.
TEST(FamilyPreferences, AliasesFollowTheDefaultRulesOrder) {
  const auto keys = [](const std::vector<FamilyPreference>& list) {
    std::string out;
    for (const FamilyPreference& p : list) out += p.key + (p.strong ? "! " : " ");
    return out;
  };
  EXPECT_EQ(
      keys(ExpandFamilies({"Arial", "Courier New"})),
      "arial! liberationsans! couriernew! liberationmono! dejavusans sans-serif dejavusansmono "
      "monospace ");
  EXPECT_EQ(keys(ExpandFamilies({"Courier", "monospace"})),
            "courier! dejavusansmono monospace! liberationmono dejavusansmono monospace ");
  EXPECT_EQ(keys(ExpandFamilies({"Wingdings"})), "wingdings! dejavusans sans-serif ");
  EXPECT_EQ(keys(ExpandFamilies({"Georgia"})), "georgia! dejavuserif serif ");
}

}  // namespace
}  // namespace velmorant::platform
