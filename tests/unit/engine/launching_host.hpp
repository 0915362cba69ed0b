#pragma once

#include "elements/interactive/documents.hpp"
#include "elements/interactive/links.hpp"
#include "elements/interactive/maps.hpp"
#include "elements/interactive/processes.hpp"
#include "unit/engine/fake_engine_host.hpp"

namespace velmorant::testing {

// Maps and the kinds that launch, on a fake host that launches through `platform`.
inline void UseLaunchingKinds(FakeEngineHost& host, platform::Backend& platform) {
  host.platform_override = &platform;
  auto maps = std::make_unique<TMapy>(host);
  host.kinds.SetControls(*maps);
  host.kinds.Add(ElementSet::kMaps, std::move(maps));
  host.kinds.Add(ElementSet::kLinks, std::make_unique<TLinki>(host));
  host.kinds.Add(ElementSet::kDocuments, std::make_unique<TDoki>(host));
  host.kinds.Add(ElementSet::kProcesses, std::make_unique<TProcesy>(host));
}

}  // namespace velmorant::testing
