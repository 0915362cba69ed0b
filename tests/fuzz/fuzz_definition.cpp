// Loads arbitrary bytes as an info.med; whatever loads must write and reload to the same records,
// and writing the reloaded definition must give the same bytes again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "definition/loader.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmorant;
  auto loaded = LoadDefinition(std::span<const uint8_t>(data, size), "??????");
  if (!loaded.definition) return 0;
  const Definition& first = *loaded.definition;
  auto written = WriteDefinition(first, first.edition);
  if (!written.error.empty()) std::abort();  // loaded strings are never longer than 255 bytes
  auto reloaded = LoadDefinition(written.bytes, "??????");
  if (!reloaded.definition || !(*reloaded.definition == first)) std::abort();
  auto again = WriteDefinition(*reloaded.definition, first.edition);
  if (again.bytes != written.bytes) std::abort();
  return 0;
}
