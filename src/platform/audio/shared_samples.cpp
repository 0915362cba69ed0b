#include "platform/audio/shared_samples.hpp"

namespace velmorant::platform {

namespace {

struct ChargedSamples {
  std::vector<int16_t> samples;
  MemoryBudget::Charge charge;
};

}  // namespace

SharedSamples ShareSamples(std::vector<int16_t> samples, MemoryBudget::Charge charge) {
  auto held =
      std::make_shared<ChargedSamples>(ChargedSamples{std::move(samples), std::move(charge)});
  return SharedSamples(held, &held->samples);
}

}  // namespace velmorant::platform
