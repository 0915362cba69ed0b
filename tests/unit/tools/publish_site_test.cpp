#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "site/site_folder.hpp"
#include "site_fixture.hpp"

namespace velmorant::site {
namespace {

namespace fs = std::filesystem;

std::string Subjects(const PublishResult& result) {
  std::string text;
  for (const Warning& w : result.warnings) text += w.subject + ": " + w.why + "\n";
  return text;
}

TEST_F(SiteFixture, ManifestHoldsEveryFileAndFolderAPageMayRead) {
  testing::WriteBytes(show_ / "Bitmapy" / "Tlo.bmp", Bytes("BMpicture"));
  fs::create_directories(show_ / "Bitmapy" / "Puste" / "Glebiej");
  testing::WriteBytes(show_ / "\xA3\xB9ka.txt", Bytes("meadow"));  // "Łąka.txt" in CP1250
  testing::WriteBytes(show_ / "a b%.txt", Bytes("x"));
  testing::WriteBytes(show_ / "run.sh", Bytes("#!/bin/sh\n"));
  fs::permissions(show_ / "run.sh", fs::perms::owner_exec, fs::perm_options::add);
  testing::WriteBytes(root_ / "secret.txt", Bytes("outside"));
  fs::create_symlink(root_ / "secret.txt", show_ / "link_out");
  fs::create_symlink("Bitmapy/Tlo.bmp", show_ / "link_in");
  fs::create_directory_symlink("..", show_ / "Bitmapy" / "up");
  testing::MakeFifo(show_ / "pipe");

  const PublishResult result = Publish();
  ASSERT_EQ(result.status, 0) << result.error;

  const nlohmann::json expected = nlohmann::json::parse(R"({"format": 1, "codepage": 1250,
    "files": [
      {"name": "Bitmapy/Tlo.bmp", "url": "show/Bitmapy/Tlo.bmp", "size": 9, "executable": false},
      {"name": "a b%.txt", "url": "show/a%20b%25.txt", "size": 1, "executable": false},
      {"name": "info.med", "url": "show/info.med", "size": 10, "executable": false},
      {"name": "link_in", "url": "show/link_in", "size": 9, "executable": false},
      {"name": "run.sh", "url": "show/run.sh", "size": 10, "executable": true},
      {"name": "Łąka.txt", "url": "show/%C5%81%C4%85ka.txt", "size": 6, "executable": false}],
    "folders": ["Bitmapy", "Bitmapy/Puste", "Bitmapy/Puste/Glebiej"]})");
  EXPECT_EQ(Manifest(), expected);
  // Key order as documented, for people reading the file.
  EXPECT_EQ(ReadText(site_ / "show.json").rfind("{\n \"format\": 1,\n \"codepage\": 1250,", 0), 0u);

  const std::string warnings = Subjects(result);
  EXPECT_NE(warnings.find("link_out: left out: a link to outside"), std::string::npos) << warnings;
  EXPECT_NE(warnings.find("Bitmapy/up: left out: a link to a folder that holds it"),
            std::string::npos)
      << warnings;
  EXPECT_NE(warnings.find("pipe: left out: not a regular file"), std::string::npos) << warnings;
  EXPECT_EQ(result.warnings.size(), 3u) << warnings;

  // Every file sits at its url, with its bytes; the player's files are all there.
  EXPECT_EQ(ReadText(site_ / "show" / "Łąka.txt"), "meadow");
  EXPECT_EQ(ReadText(site_ / "show" / "link_in"), "BMpicture");
  EXPECT_TRUE(fs::is_directory(site_ / "show" / "Bitmapy" / "Puste" / "Glebiej"));
  EXPECT_FALSE(fs::exists(site_ / "show" / "link_out"));
  EXPECT_EQ(ReadText(site_ / "index.html"), "<canvas id=velmorant-screen>");
  EXPECT_EQ(ReadText(site_ / "licences" / "font.txt"), "licence");
  EXPECT_TRUE(fs::is_regular_file(site_ / kSiteMarker));
  EXPECT_TRUE(LeftBeside().empty());
}

TEST_F(SiteFixture, ChunksCarryEveryFilesExactBytesAcrossChunks) {
  std::map<std::string, std::vector<uint8_t>> wanted{{"info.med", Bytes("definition")}};
  for (size_t size : {0, 1, 2, 3, 4, 29, 100}) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = uint8_t(i * 37 + size);
    const std::string name = "Pliki/" + std::to_string(size) + ".bin";
    testing::WriteBytes(show_ / name, bytes);
    wanted[name] = bytes;
  }
  constexpr uint64_t kChunk = 30;
  ASSERT_EQ(Publish(kChunk).status, 0);

  EXPECT_EQ(ChunkedBytes(kChunk), wanted);
  const nlohmann::json show = ScriptArguments(ReadText(site_ / "show.js"), "velmorantShow")[0];
  EXPECT_GT(show["chunks"].size(), 5u) << "the 100-byte file spans several chunks";
  nlohmann::json without_chunks = show;
  without_chunks.erase("chunks");
  EXPECT_EQ(without_chunks, Manifest());
  for (const auto& [name, bytes] : wanted) {
    EXPECT_EQ(Bytes(ReadText(site_ / "show" / name)), bytes) << name;
  }
}

TEST_F(SiteFixture, NamesThatClashKeepBothFiles) {
  testing::WriteBytes(show_ / "a.bmp", Bytes("lower"));
  testing::WriteBytes(show_ / "A.bmp", Bytes("upper"));
  testing::WriteBytes(show_ / "Łąka.txt", Bytes("utf-8"));
  testing::WriteBytes(show_ / "\xA3\xB9ka.txt", Bytes("cp1250"));
  testing::WriteBytes(show_ / "back\\slash.bmp", Bytes("x"));
  const PublishResult result = Publish();
  ASSERT_EQ(result.status, 0) << result.error;

  std::map<std::string, std::string> url_of;
  for (const auto& file : Manifest()["files"]) url_of[file["name"]] = file["url"];
  EXPECT_EQ(url_of["A.bmp"], "show/A.bmp");
  EXPECT_EQ(url_of["a.bmp"], "show/a.bmp~2");
  EXPECT_EQ(url_of["Łąka.txt"], "show/%C5%81%C4%85ka.txt");
  EXPECT_EQ(url_of["Łąka.txt~2"], "show/%C5%81%C4%85ka.txt~2");
  EXPECT_EQ(url_of.count("back\\slash.bmp"), 0u);
  EXPECT_EQ(ReadText(site_ / "show" / "a.bmp~2"), "lower");
  EXPECT_EQ(ReadText(site_ / "show" / "Łąka.txt~2"), "cp1250");
  const auto chunked = ChunkedBytes(ChunkWriter::kDefaultChunkBytes);
  EXPECT_EQ(chunked.at("Łąka.txt"), Bytes("utf-8"));
  EXPECT_EQ(chunked.at("Łąka.txt~2"), Bytes("cp1250"));
  EXPECT_EQ(result.warnings.size(), 3u) << Subjects(result);
}

TEST_F(SiteFixture, OnlyAnEarlierSiteIsReplaced) {
  testing::WriteBytes(show_ / "old.txt", Bytes("old"));
  ASSERT_EQ(Publish().status, 0);
  fs::remove(show_ / "old.txt");
  testing::WriteBytes(show_ / "new.txt", Bytes("new"));
  ASSERT_EQ(Publish().status, 0);
  EXPECT_FALSE(fs::exists(site_ / "show" / "old.txt"));
  EXPECT_EQ(ReadText(site_ / "show" / "new.txt"), "new");
  EXPECT_TRUE(LeftBeside().empty());

  // An empty folder is taken; one holding anything else is refused and left as it was.
  fs::remove_all(site_);
  fs::create_directory(site_);
  EXPECT_EQ(Publish().status, 0);
  fs::remove(site_ / kSiteMarker);
  const PublishResult refused = Publish();
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.error.find(kSiteMarker), std::string::npos) << refused.error;
  EXPECT_EQ(ReadText(site_ / "show" / "new.txt"), "new");
  EXPECT_FALSE(fs::exists(site_ / kSiteMarker));

  fs::remove_all(site_);
  testing::WriteBytes(site_ / "thesis.doc", Bytes("months of work"));
  EXPECT_EQ(Publish().status, 2);
  EXPECT_EQ(ReadText(site_ / "thesis.doc"), "months of work");
  EXPECT_EQ(std::distance(fs::directory_iterator(site_), fs::directory_iterator()), 1);
  EXPECT_TRUE(LeftBeside().empty());
}

TEST_F(SiteFixture, RefusesWhatIsNoPresentationPlayerOrPlace) {
  // info.med is found whatever its case.
  fs::rename(show_ / "info.med", show_ / "INFO.MED");
  EXPECT_EQ(Publish().status, 0);
  fs::remove_all(site_);

  fs::remove(show_ / "INFO.MED");
  PublishResult result = Publish();
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.error.find("info.med"), std::string::npos) << result.error;
  testing::WriteBytes(show_ / "info.med", Bytes("definition"));

  fs::remove(player_ / "index.html");
  result = Publish();
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.error.find("make web"), std::string::npos) << result.error;
  testing::WriteBytes(player_ / "index.html", Bytes("page"));

  // A site inside the presentation would publish itself.
  site_ = show_ / "site";
  EXPECT_EQ(Publish().status, 2);
  EXPECT_FALSE(fs::exists(site_));
}

TEST_F(SiteFixture, RefusesATooBigPresentationBeforeWritingAnything) {
  testing::WriteBytes(show_ / "a.bin", std::vector<uint8_t>(100));
  limits_.max_bytes = 100;
  PublishResult result = Publish();
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.error.find("too big"), std::string::npos) << result.error;

  limits_ = {};
  limits_.max_entries = 2;
  fs::create_directories(show_ / "empty");
  result = Publish();
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.error.find("more than 2 files"), std::string::npos) << result.error;
  EXPECT_FALSE(fs::exists(site_));
  EXPECT_TRUE(LeftBeside().empty());
}

}  // namespace
}  // namespace velmorant::site
