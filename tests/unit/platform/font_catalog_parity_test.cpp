#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text/font_lookup.hpp"
#include "platform/text/fontconfig_catalog.hpp"
#include "platform/text/listed_font_catalog.hpp"
#include "unit/platform/web_fonts_list.hpp"

namespace velmorant::platform {
namespace {

using velmorant::testing::WebFontsHere;

// Every name the substitute table knows, the generic names, bundled families, names nothing
// answers to, and script-suffixed names.
const std::vector<std::string> kRequestedNames = {"Arial",
                                                  "Helvetica",
                                                  "Arial Narrow",
                                                  "Times New Roman",
                                                  "Times",
                                                  "Courier New",
                                                  "Courier",
                                                  "MS Sans Serif",
                                                  "Microsoft Sans Serif",
                                                  "MS Shell Dlg",
                                                  "Tahoma",
                                                  "Verdana",
                                                  "sans-serif",
                                                  "serif",
                                                  "monospace",
                                                  "DejaVu Sans",
                                                  "DejaVu Serif",
                                                  "DejaVu Sans Mono",
                                                  "Liberation Sans Narrow",
                                                  "liberation  serif",
                                                  "Wingdings",
                                                  "Comic Sans MS",
                                                  "",
                                                  "   ",
                                                  "Arial CE",
                                                  "Times New Roman CYR",
                                                  "Courier New Baltic",
                                                  "Tahoma Greek",
                                                  "Verdana Tur",
                                                  "Arial Narrow CE"};

// Names asked of the catalogs directly, as the default rules alias them.
const std::vector<std::vector<std::string>> kQueries = {{"Arimo"},
                                                        {"Tinos"},
                                                        {"Cousine"},
                                                        {"Albany AMT"},
                                                        {"Thorndale"},
                                                        {"Cumberland AMT"},
                                                        {"Nimbus Sans"},
                                                        {"Nimbus Roman"},
                                                        {"Nimbus Mono PS"},
                                                        {"Helvetica Narrow"},
                                                        {"Georgia"},
                                                        {"Consolas"},
                                                        {"Bitstream Vera Sans"},
                                                        {"DejaVu LGC Serif"},
                                                        {"Impact"},
                                                        {"Courier", "monospace"},
                                                        {"Wingdings", "serif"},
                                                        {"Liberation Sans", "DejaVu Serif"},
                                                        {"Arial", "Courier New"},
                                                        {"Times", "sans-serif"},
                                                        {"monospace", "serif"}};

std::string Describe(const std::optional<FontMatch>& m) {
  if (!m) return "(none)";
  return m->file + "#" + std::to_string(m->index) + " " + m->family +
         (m->face_is_bold ? " bold" : "") + (m->face_is_italic ? " italic" : "");
}

FontSources OnlyFiles(const std::vector<std::string>& files) {
  FontSources sources;
  sources.system_fonts = false;
  sources.font_files = files;
  return sources;
}

// Both catalogs over `files`, compared on every request as the engine makes it.
void ExpectSameAnswers(const std::vector<std::string>& files) {
  const FontconfigCatalog native(OnlyFiles(files));
  const ListedFontCatalog listed(files);
  ASSERT_EQ(native.HasFonts(), listed.HasFonts());
  EXPECT_EQ(native.InstalledFamilies(), listed.InstalledFamilies());
  FontLookup native_lookup(native);
  FontLookup listed_lookup(listed);
  for (const std::string& name : kRequestedNames) {
    for (bool bold : {false, true}) {
      for (bool italic : {false, true}) {
        FontRequest wanted;
        wanted.name = name;
        wanted.bold = bold;
        wanted.italic = italic;
        const std::string what =
            "\"" + name + "\"" + (bold ? " bold" : "") + (italic ? " italic" : "");
        EXPECT_EQ(Describe(listed_lookup.Match(wanted)), Describe(native_lookup.Match(wanted)))
            << what;
        EXPECT_EQ(Describe(MatchFont(listed, wanted)), Describe(MatchFont(native, wanted))) << what;
      }
    }
  }
  for (const std::vector<std::string>& families : kQueries) {
    for (bool bold : {false, true}) {
      for (bool italic : {false, true}) {
        const FontQuery query{families, bold, italic};
        const auto native_answer = native.Find(query);
        const auto listed_answer = listed.Find(query);
        EXPECT_EQ(Describe(listed_answer ? std::optional(listed_answer->match) : std::nullopt),
                  Describe(native_answer ? std::optional(native_answer->match) : std::nullopt))
            << families.front() << (families.size() > 1 ? ", " + families[1] : "")
            << (bold ? " bold" : "") << (italic ? " italic" : "");
      }
    }
  }
}

class CatalogParity : public ::testing::Test {
 protected:
  void SetUp() override {
    files_ = WebFontsHere();
    if (files_.empty()) GTEST_SKIP() << "none of the files of web_fonts.txt is installed";
  }
  std::vector<std::string> Keep(const std::string& part) const {
    std::vector<std::string> kept;
    for (const std::string& f : files_) {
      if (f.find(part) != std::string::npos) kept.push_back(f);
    }
    return kept;
  }
  std::vector<std::string> files_;
};

TEST_F(CatalogParity, BundledFontsGetTheSameFaceForEveryRequest) {
  ExpectSameAnswers(files_);
}

TEST_F(CatalogParity, ListedInReverseTheTiesStillGoAlike) {
  ExpectSameAnswers(std::vector<std::string>(files_.rbegin(), files_.rend()));
}

// Without DejaVu the generic names match no family: style and file order decide alone.
TEST_F(CatalogParity, WithoutTheGenericFacesBothFallBackAlike) {
  ExpectSameAnswers(Keep("/liberation"));
  ExpectSameAnswers(Keep("Mono"));
}

// One upright regular face: every bold and italic request is answered by it, and neither catalog
// pretends it is bold or italic itself.
TEST_F(CatalogParity, ASingleRegularFaceIsNotCalledBoldOrItalic) {
  const std::vector<std::string> regular = Keep("LiberationSans-Regular");
  if (regular.empty()) GTEST_SKIP() << "LiberationSans-Regular.ttf is not installed";
  ExpectSameAnswers(regular);
  const FontconfigCatalog native(OnlyFiles(regular));
  const auto answer = native.Find({{"Liberation Sans"}, true, true});
  ASSERT_TRUE(answer);
  EXPECT_FALSE(answer->match.face_is_bold);
  EXPECT_FALSE(answer->match.face_is_italic);
}

// The given files alone still come with the default rules: "sans-serif" is DejaVu Sans and
// "Helvetica" Liberation Sans, even with the other family's faces listed first.
TEST_F(CatalogParity, GivenFilesKeepTheDefaultAliases) {
  std::vector<std::string> files = Keep("/liberation2/");
  const std::vector<std::string> dejavu = Keep("/dejavu/");
  if (files.empty() || dejavu.empty()) GTEST_SKIP() << "Liberation or DejaVu is not installed";
  files.insert(files.end(), dejavu.begin(), dejavu.end());
  const FontconfigCatalog native(OnlyFiles(files));
  const ListedFontCatalog listed(files);
  for (const FontCatalog* catalog :
       {static_cast<const FontCatalog*>(&native), static_cast<const FontCatalog*>(&listed)}) {
    const auto sans = MatchGenericFont(*catalog, "sans-serif", false, false);
    ASSERT_TRUE(sans);
    EXPECT_EQ(sans->family, "DejaVu Sans");
    const auto helvetica = catalog->Find({{"Helvetica"}, false, false});
    ASSERT_TRUE(helvetica);
    EXPECT_EQ(helvetica->match.family, "Liberation Sans");
  }
}

}  // namespace
}  // namespace velmorant::platform
