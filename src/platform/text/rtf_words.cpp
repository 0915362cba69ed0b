#include "platform/text/rtf_words.hpp"

#include <algorithm>
#include <array>
#include <utility>

namespace velmorant::platform {

namespace {

using W = RtfWord;

constexpr auto kWords = std::to_array<std::pair<std::string_view, RtfWord>>({
    {"ansi", W::kAnsi},
    {"ansicpg", W::kAnsiCpg},
    {"b", W::kBold},
    {"bin", W::kBin},
    {"blue", W::kBlue},
    {"bullet", W::kBullet},
    {"cell", W::kCell},
    {"cf", W::kColour},
    {"colortbl", W::kColourTable},
    {"cpg", W::kCodePage},
    {"deff", W::kDeff},
    {"dibitmap", W::kDib},
    {"dn", W::kDown},
    {"emdash", W::kEmDash},
    {"emspace", W::kEmSpace},
    {"endash", W::kEnDash},
    {"enspace", W::kEnSpace},
    {"f", W::kFont},
    {"fcharset", W::kFontCharset},
    {"fi", W::kFirstIndent},
    {"fonttbl", W::kFontTable},
    {"fs", W::kFontSize},
    {"green", W::kGreen},
    {"i", W::kItalic},
    {"jpegblip", W::kJpegBlip},
    {"ldblquote", W::kLeftDoubleQuote},
    {"li", W::kLeftIndent},
    {"lin", W::kLeftIndent},
    {"line", W::kLine},
    {"lquote", W::kLeftQuote},
    {"mac", W::kMac},
    {"nestcell", W::kCell},
    {"nestrow", W::kRow},
    {"nosupersub", W::kNoSuperSub},
    {"page", W::kPar},
    {"par", W::kPar},
    {"pard", W::kPard},
    {"pc", W::kPc},
    {"pca", W::kPca},
    {"pich", W::kPicHeight},
    {"pichgoal", W::kPicGoalHeight},
    {"picscalex", W::kPicScaleX},
    {"picscaley", W::kPicScaleY},
    {"pict", W::kPicture},
    {"picw", W::kPicWidth},
    {"picwgoal", W::kPicGoalWidth},
    {"plain", W::kPlain},
    {"pngblip", W::kPngBlip},
    {"qc", W::kCentre},
    {"qd", W::kJustify},
    {"qj", W::kJustify},
    {"ql", W::kLeft},
    {"qmspace", W::kQuarterEmSpace},
    {"qr", W::kRight},
    {"rdblquote", W::kRightDoubleQuote},
    {"red", W::kRed},
    {"ri", W::kRightIndent},
    {"rin", W::kRightIndent},
    {"row", W::kRow},
    {"rquote", W::kRightQuote},
    {"sa", W::kSpaceAfter},
    {"sb", W::kSpaceBefore},
    {"scaps", W::kSmallCaps},
    {"sect", W::kPar},
    {"shppict", W::kShapePicture},
    {"strike", W::kStrike},
    {"striked", W::kStrike},
    {"sub", W::kSub},
    {"super", W::kSuper},
    {"tab", W::kTab},
    {"tx", W::kTabStop},
    {"u", W::kU},
    {"uc", W::kUc},
    {"ulnone", W::kUnderlineNone},
    {"up", W::kUp},
    {"v", W::kHidden},
    {"wmetafile", W::kWindowsMetafile},
});

constexpr auto kHiddenDestinations = std::to_array<std::string_view>({
    "aftncn",
    "aftnsep",
    "aftnsepc",
    "annotation",
    "atnauthor",
    "atndate",
    "atnicn",
    "atnid",
    "atnref",
    "atntime",
    "atrfend",
    "atrfstart",
    "author",
    "bkmkend",
    "bkmkstart",
    "blipuid",
    "buptim",
    "category",
    "comment",
    "company",
    "creatim",
    "datafield",
    "datastore",
    "do",
    "doccomm",
    "docvar",
    "falt",
    "fchars",
    "fldinst",
    "fname",
    "footer",
    "footerf",
    "footerl",
    "footerr",
    "footnote",
    "ftncn",
    "ftnsep",
    "ftnsepc",
    "generator",
    "header",
    "headerf",
    "headerl",
    "headerr",
    "hlinkbase",
    "info",
    "keywords",
    "latentstyles",
    "lchars",
    "listoverridetable",
    "listpicture",
    "listtable",
    "manager",
    "mmathPr",
    "nonshppict",
    "objclass",
    "objdata",
    "objname",
    "operator",
    "panose",
    "pgdsctbl",
    "picprop",
    "pn",
    "pnseclvl",
    "printim",
    "private",
    "protusertbl",
    "revtbl",
    "revtim",
    "rsidtbl",
    "rxe",
    "shpinst",
    "sp",
    "stylesheet",
    "subject",
    "tc",
    "template",
    "themedata",
    "title",
    "txe",
    "userprops",
    "wgrffmtfilter",
    "xe",
    "xmlnstbl",
});

static_assert(std::is_sorted(kWords.begin(), kWords.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; }));
static_assert(std::is_sorted(kHiddenDestinations.begin(), kHiddenDestinations.end()));

constexpr auto kCharacters = std::to_array<std::pair<RtfWord, char32_t>>({
    {W::kEmDash, U'\u2014'},
    {W::kEnDash, U'\u2013'},
    {W::kBullet, U'\u2022'},
    {W::kLeftQuote, U'\u2018'},
    {W::kRightQuote, U'\u2019'},
    {W::kLeftDoubleQuote, U'\u201C'},
    {W::kRightDoubleQuote, U'\u201D'},
    {W::kEmSpace, U'\u2003'},
    {W::kEnSpace, U'\u2002'},
    {W::kQuarterEmSpace, U'\u2005'},
});

bool IsUnderlineVariant(std::string_view word) {
  // \ul, \uldb, \ulwave, ...: every kind of underline; \ulc is the underline's colour.
  return word.starts_with("ul") && !word.starts_with("ulc") && word != "ulnone";
}

}  // namespace

RtfWord LookUpRtfWord(std::string_view word) {
  const auto it =
      std::lower_bound(kWords.begin(), kWords.end(), word,
                       [](const auto& entry, std::string_view w) { return entry.first < w; });
  if (it != kWords.end() && it->first == word) return it->second;
  if (IsUnderlineVariant(word)) return W::kUnderline;
  return W::kUnknown;
}

bool IsHiddenRtfDestination(std::string_view word) {
  return std::binary_search(kHiddenDestinations.begin(), kHiddenDestinations.end(), word);
}

char32_t CharacterOfRtfWord(RtfWord word) {
  for (const auto& [w, c] : kCharacters) {
    if (w == word) return c;
  }
  return 0;
}

}  // namespace velmorant::platform
