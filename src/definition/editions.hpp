#pragma once

namespace velmorant {

// The first byte of a definition names its edition, 'a' to 'g'; readers compare it as a signed
// byte.
inline constexpr char kFirstEdition = 'a';
inline constexpr char kLastEdition = 'g';

inline bool IsKnownEdition(signed char edition) {
  return edition >= kFirstEdition && edition <= kLastEdition;
}

// The editions in which a field is present in the file.
struct Editions {
  char first = kFirstEdition;
  char last = kLastEdition;
  bool Has(char edition) const { return edition >= first && edition <= last; }
};

inline constexpr Editions kAlways{};
inline constexpr Editions Since(char first) {
  return {first, kLastEdition};
}
inline constexpr Editions Through(char last) {
  return {kFirstEdition, last};
}

}  // namespace velmorant
