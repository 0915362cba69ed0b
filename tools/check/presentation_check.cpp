#include "check/presentation_check.hpp"

#include "app/settings.hpp"
#include "check/asset_probe.hpp"
#include "check/ignored_fields.hpp"
#include "check/index_ranges.hpp"
#include "check/reachable_pages.hpp"
#include "check/record_files.hpp"
#include "check/unused_files.hpp"
#include "definition/listing_limit.hpp"
#include "definition/loader.hpp"

namespace velmorant::check {

Findings CheckPresentation(const std::filesystem::path& folder, const platform::CodePage& codes) {
  Findings findings;
  TOgolne settings(folder, codes);
  // Found as the player finds it: INFO.MED is the same file.
  const std::string path = settings.AssetPath(kAssetAsGiven, "info.med", false);
  const std::string relative = settings.LogPath(path);
  auto bytes = settings.ReadFile(path, kMaxDefinitionBytes);
  if (!bytes) {
    findings.Add(Severity::kError, {}, relative, "no definition: " + bytes.error());
    return findings;
  }
  if (relative != "info.med") {
    findings.Add(Severity::kWarning, {}, relative,
                 "the definition is found only ignoring case: the player looks for info.med");
  }
  LoadResult loaded = LoadDefinition(*bytes, "??????");
  if (!loaded.definition) {
    const LoadError& e = loaded.error;
    findings.Add(Severity::kError, {e.table, e.record, e.field}, relative,
                 "the definition cannot be loaded: " + e.Message());
    return findings;
  }
  // Checked as the player plays it: long index sets cut.
  Definition& definition = *loaded.definition;
  for (const LongListing& cut : CutLongListings(definition)) {
    findings.Add(Severity::kWarning, {"TEkrany", int64_t(cut.screen), cut.field}, {},
                 "lists " + std::to_string(cut.count) + " values: the player uses only the first " +
                     std::to_string(kMaxListedValues));
  }
  settings.SetHeader(definition.header);

  AssetProbe probe(settings, findings);
  const std::vector<bool> films_play = CheckRecordFiles(definition, probe);
  CheckIndexes(definition, findings);
  CheckReachable(definition, films_play, findings);
  CheckIgnoredFields(definition, bytes->size(), loaded.end_offset, findings);
  CheckUnusedFiles(settings, probe, findings);
  return findings;
}

}  // namespace velmorant::check
