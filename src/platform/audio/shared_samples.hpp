#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/memory_budget.hpp"

namespace velmorant::platform {

// Decoded sound shared by whoever plays it: 16-bit interleaved samples.
using SharedSamples = std::shared_ptr<const std::vector<int16_t>>;

// Samples that keep their charge for as long as anyone holds them.
SharedSamples ShareSamples(std::vector<int16_t> samples, MemoryBudget::Charge charge);

}  // namespace velmorant::platform
