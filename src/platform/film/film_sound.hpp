#pragma once

#include <string>

#include "platform/audio/shared_samples.hpp"
#include "platform/audio/sound_format.hpp"
#include "platform/memory_budget.hpp"

namespace velmorant::platform {

// A film's whole sound in `format`, each block where its time puts it (gaps silent), as every
// backend that plays a film's sound from memory plays it. Empty for a film without sound; with a
// budget, charged before it grows, and empty with `*too_large` set when the budget refuses it.
SharedSamples DecodeFilmSound(const std::string& path, const SoundFormat& format,
                              MemoryBudget* budget = nullptr, bool* too_large = nullptr);

}  // namespace velmorant::platform
