#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "definition/definition.hpp"
#include "platform/fs/codepage.hpp"

namespace velmorant {

// The JSON form of a definition: `edition`, `header`, then one array per manager named by its
// class, each record an object of its file fields. Strings are UTF-8.
std::string DefinitionToJson(const Definition& definition, const platform::CodePage& code_page);

struct JsonReadResult {
  std::optional<Definition> definition;
  std::string error;  // names the JSON path when there is no definition
};

// Reads the JSON form. Missing keys keep their defaults; unknown keys and values out of range are
// errors. `edition` overrides the one in the JSON when given.
JsonReadResult DefinitionFromJson(std::string_view json, const platform::CodePage& code_page,
                                  std::optional<char> edition = std::nullopt);

}  // namespace velmorant
