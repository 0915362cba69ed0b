#pragma once

#include <string>
#include <utility>
#include <variant>

namespace velmorant::platform {

// Why a file could not be decoded, in words fit for a warning line.
struct DecodeError {
  std::string message;
};

// A decoded value or the reason there is none: the part of std::expected (C++23) the decoders need.
template <typename T>
class DecodeResult {
 public:
  DecodeResult(T value) : state_(std::move(value)) {}
  DecodeResult(DecodeError error) : state_(std::move(error)) {}

  bool has_value() const { return std::holds_alternative<T>(state_); }
  explicit operator bool() const { return has_value(); }

  // Precondition: has_value(). std::get throws rather than reading the wrong member.
  T& value() & { return std::get<T>(state_); }
  const T& value() const& { return std::get<T>(state_); }
  T&& value() && { return std::get<T>(std::move(state_)); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  // Precondition: !has_value().
  const std::string& error() const { return std::get<DecodeError>(state_).message; }

 private:
  std::variant<T, DecodeError> state_;
};

}  // namespace velmorant::platform
