#pragma once

#include <string>
#include <string_view>

namespace velmorant {

// What a link's target names. Only web addresses lead out of the presentation; anything else is
// a file or folder inside its folder, or is not opened at all.
struct LinkTarget {
  enum class Kind {
    kWebAddress,      // `text`: the address
    kInLinksFolder,   // a relative name, found in the links folder
    kInPresentation,  // `text`: the path relative to the presentation folder, '/' separated
    kRefused,         // `text`: why
  };
  Kind kind = Kind::kRefused;
  std::string text;
};

// `target` in UTF-8; `presentation_folder` absolute, ending in '/'. A name starting "www." is a
// web address; an absolute name or a file: address (percent-decoded first) must lie inside the
// presentation folder; no name may climb out with "..".
LinkTarget ClassifyLinkTarget(std::string_view target, std::string_view presentation_folder);

}  // namespace velmorant
