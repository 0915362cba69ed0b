#pragma once

#include <set>
#include <string>
#include <string_view>

#include "platform/fs/codepage.hpp"

namespace velmorant::site {

// One segment of a file's name as UTF-8: kept when it is valid UTF-8 on disk, else decoded from
// the code page (`decoded` says which).
std::string DecodeSegment(std::string_view raw, const platform::CodePage& code_page,
                          bool* decoded = nullptr);

// Why a segment cannot name a published file (".", "..", empty, a slash, a backslash, NUL), or
// nothing.
std::string SegmentProblem(std::string_view segment);

// The segment with every byte outside RFC 3986's unreserved characters written as %XX.
std::string PercentEncode(std::string_view segment);

// The names given out in one folder. A page holds one file a name, and a site may be served from
// a file system that ignores case: equal names get "~2", "~3", ... appended to the name as well as
// the url, names that differ only in case get it on the url alone.
class FolderNames {
 public:
  struct Given {
    std::string name;  // the segment in the manifest's name
    std::string url;   // the segment on disk and, percent-encoded, in the url
  };
  Given Take(const std::string& wanted);

 private:
  std::set<std::string> names_;
  std::set<std::string> folded_urls_;
};

}  // namespace velmorant::site
