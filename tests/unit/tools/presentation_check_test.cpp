// velmorant-med check on folders with planted faults: each kind of fault is found where it is,
// with its severity, and a sound presentation gives nothing.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "check_fixture.hpp"
#include "support/wave_builder.hpp"

namespace velmorant::check {
namespace {

// Two pages on two screens, a map whose region goes on, the files all there.
Definition SoundPresentation() {
  Definition d;
  d.TMedia = {{0, 0, -1}, {1, 0, 0}};
  TEkr first;
  first.Background = 0;
  first.Maps = {0};
  TEkr second;
  second.Background = 0;
  second.Keys = {2};
  d.TEkrany = {first, second};
  d.TTla = {{"", "tlo.bmp"}};
  TMap map;
  map.FileName = "mapa.bmp";
  map.UseMask = 1;
  map.Regions.push_back({});
  map.Regions[0].Action = {kActionNext, 0};
  d.TMapy = {map};
  d.TPrzeniki = {{"", 1, 10, 2}};
  return d;
}

class PresentationCheckTest : public CheckFixture {
 protected:
  void WriteSoundFiles() {
    Picture("tla/tlo.bmp");
    Picture("przyciski/mapa.bmp");
    Picture("przyciski/mapa.msk");
  }
};

TEST_F(PresentationCheckTest, ASoundPresentationGivesNothing) {
  WriteDefinition(SoundPresentation());
  WriteSoundFiles();
  const Findings findings = Run();
  EXPECT_TRUE(findings.All().empty()) << AllLines(findings);
}

TEST_F(PresentationCheckTest, FilesThatAreMissingMisspeltOutsideOrUnreadableAreNamed) {
  Definition d = SoundPresentation();
  d.TTla.push_back({"", "Tlo.BMP"});             // 1: only ignoring case
  d.TTla.push_back({"", "brak.bmp"});            // 2: missing
  d.TTla.push_back({"", "..\\..\\etc\\x.bmp"});  // 3: outside
  d.TTla.push_back({"", "zepsute.bmp"});         // 4: no picture
  TObr image;
  image.FileName = "obraz.bmp";
  image.Masked = 1;  // its mask is missing
  d.TObrazy = {image};
  d.TDzwieki = {TDzw{0, "", "dzwiek.wav"}};
  TFil film;
  film.FileName = "film.avi";
  d.TFilmy = {film};
  TTek text;
  text.FileName = "tekst.rtf";
  d.TTeksty = {text};
  TDok document;
  document.Folder = "brak";
  TDok without_folder;
  without_folder.FileName = "raport.pdf";  // never looked for
  d.TDoki = {document, without_folder};
  WriteDefinition(d);
  WriteSoundFiles();
  Garbage("tla/zepsute.bmp");
  Picture("obrazy/obraz.bmp");
  Garbage("dzwieki/dzwiek.wav");
  Garbage("filmy/film.avi");
  Garbage("teksty/tekst.rtf");
  const Findings findings = Run();

  const Finding* case_only = FindingAt(findings, "TTla[1].FileName");
  ASSERT_NE(case_only, nullptr) << AllLines(findings);
  EXPECT_EQ(case_only->severity, Severity::kWarning);
  EXPECT_EQ(case_only->file, "tla/tlo.bmp");
  const Finding* missing = FindingAt(findings, "TTla[2].FileName");
  ASSERT_NE(missing, nullptr);
  EXPECT_EQ(missing->severity, Severity::kError);
  EXPECT_EQ(missing->file, "tla/brak.bmp");
  EXPECT_EQ(missing->message, "the file is missing");
  const Finding* outside = FindingAt(findings, "TTla[3].FileName");
  ASSERT_NE(outside, nullptr);
  EXPECT_EQ(outside->severity, Severity::kError);
  EXPECT_EQ(outside->file, "../../etc/x.bmp");
  for (const char* record :
       {"TTla[4].FileName", "TDzwieki[0].FileName", "TFilmy[0].FileName", "TDoki[0].Folder"}) {
    const Finding* broken = FindingAt(findings, record);
    ASSERT_NE(broken, nullptr) << record << "\n" << AllLines(findings);
    EXPECT_EQ(broken->severity, Severity::kError) << record;
  }
  // A document that is no RTF is shown as plain text.
  const Finding* plain = FindingAt(findings, "TTeksty[0].FileName");
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->severity, Severity::kWarning);
  EXPECT_NE(plain->message.find("shown as plain text"), std::string::npos);
  const Finding* lone = FindingAt(findings, "TDoki[1].FileName");
  ASSERT_NE(lone, nullptr);
  EXPECT_EQ(lone->severity, Severity::kWarning);
  EXPECT_TRUE(lone->file.empty());
  const Finding* mask = FindingAt(findings, "TObrazy[0].FileName");
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(mask->severity, Severity::kWarning);
  EXPECT_EQ(mask->file, "obrazy/obraz.msk");
}

TEST_F(PresentationCheckTest, LinkTargetsThePlayerRefusesAndProgramsOpenedAsDocumentsAreErrors) {
  Definition d = SoundPresentation();
  d.TLinki = {TLin{"web", "", "https://example.org/"},
              TLin{"web name", "", "www.example.org"},
              TLin{"in links", "", "strona.html"},
              TLin{"inside", "", "file://" + root_.string() + "/linki/a%20b.html"},
              TLin{"program", "", "/usr/bin/xterm"},
              TLin{"climbing", "", "..\\..\\bin\\prog.sh"},
              TLin{"share", "", "smb://host/share/x.exe"},
              TLin{"program file", "tool.pdf", ""}};
  TDok document;
  document.Folder = "raport";
  document.FileName = "setup.exe";
  d.TDoki = {document};
  WriteDefinition(d);
  WriteSoundFiles();
  testing::WriteBytes(root_ / "linki/strona.html", {'<', 'p', '>'});
  testing::WriteBytes(root_ / "linki/a b.html", {'<', 'p', '>'});
  testing::WriteBytes(root_ / "linki/tool.pdf", {0x7f, 'E', 'L', 'F'});
  testing::WriteBytes(root_ / "dokumenty/raport/setup.exe", {'M', 'Z'});
  const Findings findings = Run();

  for (const char* fine :
       {"TLinki[0].Target", "TLinki[1].Target", "TLinki[2].Target", "TLinki[3].Target"}) {
    EXPECT_EQ(FindingAt(findings, fine), nullptr) << fine << "\n" << AllLines(findings);
  }
  for (const char* refused : {"TLinki[4].Target", "TLinki[5].Target", "TLinki[6].Target",
                              "TLinki[7].FileName", "TDoki[0].FileName"}) {
    const Finding* f = FindingAt(findings, refused);
    ASSERT_NE(f, nullptr) << refused << "\n" << AllLines(findings);
    EXPECT_EQ(f->severity, Severity::kError) << refused;
  }
  EXPECT_EQ(FindingAt(findings, "TLinki[4].Target")->file, "/usr/bin/xterm");
  EXPECT_NE(FindingAt(findings, "TDoki[0].FileName")->message.find("a program"), std::string::npos);
  // The files a target names are used.
  EXPECT_EQ(FindingAt(findings, "linki/strona.html"), nullptr) << AllLines(findings);
}

TEST_F(PresentationCheckTest, ACaseMismatchOfAFolderIsReportedOnceOnTheHeader) {
  Definition d = SoundPresentation();
  d.header.BackgroundsFolder = "TLA";
  d.TTla.push_back({"", "tlo.bmp"});
  d.TRamki = {{"", 1, 0, 1, "tlo.bmp"}};
  WriteDefinition(d);
  WriteSoundFiles();
  const Findings findings = Run();
  ASSERT_EQ(findings.All().size(), 1u) << AllLines(findings);
  EXPECT_EQ(FormatLine(findings.All()[0]).substr(0, 36), "warning: header.BackgroundsFolder: t");
}

TEST_F(PresentationCheckTest, GoodFilesAreDecodedWithThePlayersReaders) {
  Definition d = SoundPresentation();
  d.TDzwieki = {TDzw{0, "", "dzwiek.wav"}};
  TTek text;
  text.FileName = "tekst.rtf";
  d.TTeksty = {text};
  d.TEkrany[1].Sounds = {0};
  d.TEkrany[1].Texts = {0};
  WriteDefinition(d);
  WriteSoundFiles();
  std::filesystem::create_directories(root_ / "dzwieki");
  ASSERT_TRUE(fixtures::WriteSquareWave(root_ / "dzwieki" / "dzwiek.wav", 8000, 800));
  const std::string rtf = "{\\rtf1\\ansi Dzie\\'f1 dobry}";
  testing::WriteBytes(root_ / "teksty" / "tekst.rtf", {rtf.begin(), rtf.end()});
  const Findings findings = Run();
  EXPECT_TRUE(findings.All().empty()) << AllLines(findings);
}

// The player's own bounds: a picture claiming more than one picture may take is refused from its
// header (not decoded), and a caption past what the player reads is cut.
TEST_F(PresentationCheckTest, PicturesAndCaptionsPastThePlayersBoundsAreNamed) {
  Definition d = SoundPresentation();
  TNap nap;
  nap.FileName = "napis.txt";
  d.TNapisy = {nap};
  d.TEkrany[1].Captions = {0};
  WriteDefinition(d);
  WriteSoundFiles();
  testing::WriteBytes(root_ / "tla" / "tlo.bmp", testing::RleClaimingSize(8192, 8192));
  testing::WriteBytes(root_ / "napisy" / "napis.txt", std::vector<uint8_t>((1 << 20) + 1, 'x'));
  const Findings findings = Run();
  const Finding* picture = FindingAt(findings, "TTla[0].FileName");
  ASSERT_NE(picture, nullptr) << AllLines(findings);
  EXPECT_EQ(picture->severity, Severity::kError);
  EXPECT_NE(FormatLine(*picture).find("8192 x 8192 refused"), std::string::npos)
      << FormatLine(*picture);
  const Finding* caption = FindingAt(findings, "TNapisy[0].FileName");
  ASSERT_NE(caption, nullptr) << AllLines(findings);
  EXPECT_EQ(caption->severity, Severity::kWarning);
  EXPECT_NE(FormatLine(*caption).find("the rest is cut"), std::string::npos);
}

TEST_F(PresentationCheckTest, IndexesOutsideTheirTablesAreErrors) {
  Definition d = SoundPresentation();
  d.TMedia.push_back({7, 0, 5});  // entry 2: no such screen, no such transition
  d.TEkrany[0].Images = {3};
  d.TEkrany[0].Keys = {0, 9};
  TObr image;
  image.MapIndex = 0;
  image.ShowRegion = 4;
  image.FrameIndex = 2;
  d.TObrazy = {image};
  d.TMapy[0].ShowTransition = 1;
  WriteDefinition(d);
  WriteSoundFiles();
  const Findings findings = Run();
  for (const char* record : {"TMedia[2].Screen", "TMedia[2].TransitionIndex",
                             "TEkrany[0].Images[0]", "TEkrany[0].Keys[1]", "TObrazy[0].ShowRegion",
                             "TObrazy[0].FrameIndex", "TMapy[0].ShowTransition"}) {
    const Finding* found = FindingAt(findings, record);
    ASSERT_NE(found, nullptr) << record << "\n" << AllLines(findings);
    EXPECT_EQ(found->severity, Severity::kError) << record;
  }
  EXPECT_EQ(FindingAt(findings, "TEkrany[0].Keys[0]"), nullptr);
  EXPECT_EQ(FindingAt(findings, "TMedia[2].TransitionIndex")->message,
            "5 is outside TPrzeniki (1 records): the player skips it");
}

TEST_F(PresentationCheckTest, LongIndexSetsAreCutAsThePlayerCutsThem) {
  Definition d = SoundPresentation();
  // The map 1,500 times, then a value outside the table that the player never reaches.
  for (int i = 0; i < 1500; ++i) d.TEkrany[0].Maps.Add(0);
  d.TEkrany[0].Maps.Add(99);
  d.TEkrany[1].Keys.Items().assign(1024, 2);  // exactly as many as are used: nothing to say
  WriteDefinition(d);
  WriteSoundFiles();
  const Findings findings = Run();
  const Finding* cut = FindingAt(findings, "TEkrany[0].Maps");
  ASSERT_NE(cut, nullptr) << AllLines(findings);
  EXPECT_EQ(cut->severity, Severity::kWarning);
  EXPECT_EQ(cut->message, "lists 1502 values: the player uses only the first 1024");
  EXPECT_EQ(findings.Count(Severity::kError), 0u) << AllLines(findings);
  EXPECT_EQ(findings.All().size(), 1u) << AllLines(findings);
}

TEST_F(PresentationCheckTest, UnusedFilesIgnoredValuesAndTrailingBytesAreNotes) {
  Definition d = SoundPresentation();
  d.edition = 'c';  // the last edition that still writes the regions' old values
  d.TEkrany[1].Tag = 42;
  d.TMapy[0].Regions[0].LegacyByte = 3;
  WriteDefinition(d, 5);
  WriteSoundFiles();
  Picture("tla/stare.bmp");
  Picture("obrazy/podfolder/inne.bmp");
  Picture("poza_folderami.bmp");  // not in an asset folder: no concern of the definition
  const Findings findings = Run();
  EXPECT_EQ(findings.Count(Severity::kError), 0u);
  EXPECT_EQ(findings.Count(Severity::kWarning), 0u);
  std::vector<std::string> lines;
  for (const Finding& f : findings.All()) lines.push_back(FormatLine(f));
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "note: TEkrany[1].Tag: the player never reads this value",
                       "note: TMapy[0].Regions[0].LegacyByte: the player never reads this value",
                       "note: info.med: 5 bytes after the last table are ignored",
                       "note: obrazy/podfolder/inne.bmp: no record uses this file",
                       "note: tla/stare.bmp: no record uses this file",
                   }));
}

TEST_F(PresentationCheckTest, AlternateFilesAndDocumentFoldersCountAsUsed) {
  Definition d = SoundPresentation();
  TDok folder;
  folder.Folder = "raport";
  d.TDoki = {folder};
  WriteDefinition(d);
  WriteSoundFiles();
  Picture("tla/ext_tlo.bmp");
  Picture("dokumenty/raport/strona.bmp");
  Garbage("przyciski/ext_mapa.bmp");
  const Findings findings = Run();
  ASSERT_EQ(findings.All().size(), 1u) << AllLines(findings);
  EXPECT_EQ(FormatLine(findings.All()[0])
                .rfind("error: TMapy[0].FileName: przyciski/ext_mapa.bmp: "
                       "the alternate file: the picture cannot be read",
                       0),
            0u);
}

TEST_F(PresentationCheckTest, ADefinitionThatDoesNotLoadIsOneError) {
  testing::WriteBytes(root_ / "INFO.MED", {'z', 1, 2});
  const Findings findings = Run();
  ASSERT_EQ(findings.Count(Severity::kError), 1u) << AllLines(findings);
  const Finding& error = findings.All().back();
  EXPECT_EQ(error.file, "INFO.MED");
  EXPECT_NE(error.message.find("is not one of 'a' to 'g'"), std::string::npos);
}

TEST_F(PresentationCheckTest, LinesAndJsonNameTheSameThingsSafely) {
  Finding finding{
      Severity::kWarning, {"TMapy", 3, "Regions[1].Hint"}, "przyciski/a\x1b.bmp", "bad \xff byte"};
  EXPECT_EQ(FormatLine(finding),
            "warning: TMapy[3].Regions[1].Hint: przyciski/a\\u001b.bmp: bad \\xFF byte");
  const auto json = nlohmann::json::parse(FormatJson(finding));
  EXPECT_EQ(json["severity"], "warning");
  EXPECT_EQ(json["table"], "TMapy");
  EXPECT_EQ(json["index"], 3);
  EXPECT_EQ(json["field"], "Regions[1].Hint");
  EXPECT_EQ(json["file"], "przyciski/a\x1b.bmp");
  const auto bare = nlohmann::json::parse(FormatJson({Severity::kNote, {}, "x", "y"}));
  EXPECT_TRUE(bare["table"].is_null());
  EXPECT_TRUE(bare["index"].is_null());
  EXPECT_TRUE(bare["field"].is_null());
}

}  // namespace
}  // namespace velmorant::check
