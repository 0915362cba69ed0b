// RTF reading and layout of arbitrary bytes: never a crash, a hang, an over-read or a document
// whose parts point outside its text.

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/text/font_engine.hpp"
#include "platform/text/rich_layout.hpp"
#include "platform/text/rtf_reader.hpp"

namespace {

using namespace velmorant::platform;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckRuns(const std::vector<StyleRun>& runs, size_t length, size_t styles) {
  for (size_t i = 0; i < runs.size(); ++i) {
    Check(runs[i].start < length || (length == 0 && runs[i].start == 0));
    Check(runs[i].style < styles);
    if (i > 0) Check(runs[i].start > runs[i - 1].start);
  }
  if (length > 0) Check(!runs.empty() && runs.front().start == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto doc = ReadRtf(std::span<const uint8_t>(data, size), {1250});
  if (!doc) return 0;
  CheckRuns(doc->char_runs, doc->Length(), doc->char_styles.size());
  CheckRuns(doc->paragraphs, doc->Length(), doc->paragraph_styles.size());
  Check(!doc->fonts.empty());
  for (const CharStyle& s : doc->char_styles) Check(s.font < doc->fonts.size());
  for (const RichPicture& p : doc->pictures) {
    Check(p.position < doc->Length() && doc->text[p.position] == kObjectMark);
    Check(p.picture && !p.picture->IsEmpty());
  }
  for (const Phrase& p : FindPhrases(*doc, 100))
    Check(p.start < p.end && size_t(p.end) <= doc->Length());
  // One engine for the whole run: opening fontconfig per input would be most of the time.
  static const FontEngine fonts;
  RichFonts rich_fonts(fonts, *doc);
  const RichLayout layout(*doc, rich_fonts, 120);
  if (doc->Length() > 0) {
    Check(!layout.Lines().empty() && layout.Lines().back().end == doc->Length());
    Check(size_t(layout.CharAt({60, layout.Height() / 2})) < doc->Length());
  }
  return 0;
}
