#include "check/ignored_fields.hpp"

#include <string>

namespace velmorant::check {

namespace {

constexpr const char* kNeverRead = "the player never reads this value";

void Header(const TOgolneFields& h, Findings& findings) {
  if (!h.BorderPicture.empty() && !h.Centred) {
    findings.Add(Severity::kNote, {"header", -1, "BorderPicture"}, {},
                 "a border shows only around a centred presentation");
  }
  if (h.ResolutionIndex < 0 || h.ResolutionIndex > 3) {
    findings.Add(Severity::kNote, {"header", -1, "ResolutionIndex"}, {},
                 std::to_string(h.ResolutionIndex) + " is no resolution: it asks for none");
  }
  if (h.ColourIndex < 0 || h.ColourIndex > 3) {
    findings.Add(Severity::kNote, {"header", -1, "ColourIndex"}, {},
                 std::to_string(h.ColourIndex) + " is no colour depth: it asks for none");
  }
}

void Records(const Definition& d, Findings& findings) {
  for (size_t i = 0; i < d.TEkrany.size(); ++i) {
    if (d.TEkrany[i].Tag != 0) {
      findings.Add(Severity::kNote, {"TEkrany", int64_t(i), "Tag"}, {}, kNeverRead);
    }
  }
  for (size_t i = 0; i < d.TDoki.size(); ++i) {
    if (d.TDoki[i].Folder.empty() && !d.TDoki[i].FileName.empty()) {
      findings.Add(Severity::kWarning, {"TDoki", int64_t(i), "FileName"}, {},
                   "a document is found only in its folder: without one it opens nothing");
    }
  }
  for (size_t i = 0; i < d.TMapy.size(); ++i) {
    const auto& regions = d.TMapy[i].Regions;
    for (size_t k = 0; k < regions.size(); ++k) {
      const Where region = Where{"TMapy", int64_t(i), {}}.Item("Regions", k);
      if (!regions[k].LegacyName.empty()) {
        findings.Add(Severity::kNote, region.Field("LegacyName"), {}, kNeverRead);
      }
      if (regions[k].LegacyByte != 0) {
        findings.Add(Severity::kNote, region.Field("LegacyByte"), {}, kNeverRead);
      }
    }
  }
}

}  // namespace

void CheckIgnoredFields(const Definition& definition, size_t file_size, size_t end_offset,
                        Findings& findings) {
  Header(definition.header, findings);
  Records(definition, findings);
  if (file_size > end_offset) {
    findings.Add(
        Severity::kNote, {}, "info.med",
        std::to_string(file_size - end_offset) + " bytes after the last table are ignored");
  }
}

}  // namespace velmorant::check
