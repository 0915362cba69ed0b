#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "definition/json_form.hpp"
#include "definition/loader.hpp"
#include "independent_file.hpp"

namespace velmorant {
namespace {

platform::CodePage Cp1250() {
  return *platform::CodePage::Open(1250);
}

TEST(JsonForm, DumpThenBuildGivesTheSameBytesInEveryEdition) {
  const auto cp = Cp1250();
  for (char edition : std::string_view("abcdefg")) {
    SCOPED_TRACE(edition);
    auto file = test::BuildIndependentFile(edition);
    auto loaded = LoadDefinition(file.bytes, "??????");
    ASSERT_TRUE(loaded.definition);
    const std::string json = DefinitionToJson(*loaded.definition, cp);
    auto parsed = DefinitionFromJson(json, cp);
    ASSERT_TRUE(parsed.definition) << parsed.error;
    EXPECT_EQ(*parsed.definition, *loaded.definition);
    auto written = WriteDefinition(*parsed.definition, parsed.definition->edition);
    EXPECT_EQ(written.bytes, file.bytes);
  }
}

TEST(JsonForm, DumpHasTheFixedShape) {
  Definition d;
  d.edition = 'c';
  d.TEkrany.resize(1);
  d.TEkrany[0].Name = "\xa5\xb9";  // Ą ą in 1250
  d.TEkrany[0].Keys = {0, 1, 2};
  d.TMapy.resize(1);
  d.TMapy[0].Regions.resize(1);
  d.TMapy[0].Regions[0].Action = {4, -7};
  d.TObrazy.resize(1);
  d.TObrazy[0].Masked = 200;
  auto json = nlohmann::ordered_json::parse(DefinitionToJson(d, Cp1250()));
  std::vector<std::string> keys;
  for (auto& [key, value] : json.items()) keys.push_back(key);
  const std::vector<std::string> expected{
      "edition", "header",     "TMedia",    "TEkrany",   "TTla",     "TObrazy", "TNapisy",
      "TTeksty", "TDzwieki",   "TFilmy",    "TAnimacje", "TLinki",   "TDoki",   "TProcesy",
      "TMapy",   "TSandwicze", "TKlawisze", "TRamki",    "TPrzeniki"};
  EXPECT_EQ(keys, expected);
  EXPECT_EQ(json["edition"], "c");
  EXPECT_EQ(json["header"]["DocumentsFolder"], "dokumenty");
  EXPECT_EQ(json["TEkrany"][0]["Name"], "Ąą");
  EXPECT_EQ(json["TEkrany"][0]["Keys"], nlohmann::ordered_json::parse("[0,1,2]"));
  EXPECT_EQ(json["TObrazy"][0]["Masked"], 200);
  EXPECT_EQ(json["TKlawisze"][0],
            nlohmann::ordered_json::parse(R"({"key":13,"action":{"code":3,"argument":0}})"));
  EXPECT_EQ(json["TMapy"][0]["Regions"][0]["Action"],
            nlohmann::ordered_json::parse(R"({"code":4,"argument":-7})"));
  EXPECT_EQ(json["TMapy"][0]["Regions"][0]["LegacyName"], "");
}

TEST(JsonForm, ShortFixturesTakeDefaults) {
  auto parsed = DefinitionFromJson(
      R"({"edition":"e","TMedia":[{"Screen":0}],"TObrazy":[{"FileName":"a.bmp"}]})", Cp1250());
  ASSERT_TRUE(parsed.definition) << parsed.error;
  const Definition& d = *parsed.definition;
  EXPECT_EQ(d.edition, 'e');
  EXPECT_EQ(d.header, TOgolneFields{});
  EXPECT_EQ(d.TMedia[0].TransitionIndex, -1);
  EXPECT_EQ(d.TObrazy[0].X, 10);
  EXPECT_EQ(d.TObrazy[0].VisibleAtStart, 1);
  EXPECT_EQ(d.TKlawisze, BuiltInShortcuts());
  // No edition given: the newest; --edition overrides the JSON's.
  EXPECT_EQ(DefinitionFromJson("{}", Cp1250()).definition->edition, 'g');
  EXPECT_EQ(DefinitionFromJson(R"({"edition":"b"})", Cp1250(), 'd').definition->edition, 'd');
}

TEST(JsonForm, MistakesAreNamedWithTheirPath) {
  const auto cp = Cp1250();
  auto error = [&](std::string_view json) { return DefinitionFromJson(json, cp).error; };
  EXPECT_EQ(error(R"({"TObrazy":[{"Maskd":1}]})"), "TObrazy[0] has an unknown key \"Maskd\"");
  EXPECT_EQ(error(R"({"TObrazy":[{"Masked":256}]})"),
            "TObrazy[0].Masked must be an integer from 0 to 255");
  EXPECT_EQ(error(R"({"TMedia":[{"Screen":2147483648}]})"),
            "TMedia[0].Screen must be an integer from -2147483648 to 2147483647");
  EXPECT_EQ(error(R"({"TMapy":[{"Regions":[{"Action":{"code":1,"arg":2}}]}]})"),
            "TMapy[0].Regions[0].Action has an unknown key \"arg\"");
  EXPECT_EQ(error(R"({"header":{"ImagesFolder":"日本"}})"),
            "header.ImagesFolder the character U+65E5 is not in code page 1250");
  EXPECT_EQ(error(R"({"TTla":[{"Name":")" + std::string(256, 'x') + R"("}]})"),
            "TTla[0].Name is 256 bytes long, more than 255");
  EXPECT_EQ(error(R"({"edition":"h"})"), "edition must be one letter from \"a\" to \"g\"");
  EXPECT_EQ(error(R"({"Tmedia":[]})"), "the top level has an unknown key \"Tmedia\"");
  EXPECT_EQ(error("[1,"), "the text is not valid JSON");
  EXPECT_EQ(error(R"({"TEkrany":[{"Keys":[0,"1"]}]})"), "TEkrany[0].Keys must be an integer");
}

}  // namespace
}  // namespace velmorant
