#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace velmorant::site {

// Appends the standard base64 form (with "=" padding) of `size` bytes.
void AppendBase64(std::string& out, const uint8_t* data, size_t size);

}  // namespace velmorant::site
