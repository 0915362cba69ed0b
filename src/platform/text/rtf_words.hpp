#pragma once

#include <cstdint>
#include <string_view>

namespace velmorant::platform {

// The RTF control words the reader acts on.
enum class RtfWord : uint8_t {
  kUnknown,
  // document
  kAnsi,
  kAnsiCpg,
  kDeff,
  kMac,
  kPc,
  kPca,
  kUc,
  kU,
  kBin,
  // destinations read
  kFontTable,
  kColourTable,
  kPicture,
  kShapePicture,
  // characters
  kPlain,
  kBold,
  kItalic,
  kUnderline,
  kUnderlineNone,
  kStrike,
  kFont,
  kFontSize,
  kColour,
  kHidden,
  kSuper,
  kSub,
  kNoSuperSub,
  kUp,
  kDown,
  kSmallCaps,
  kFontCharset,
  kCodePage,
  kRed,
  kGreen,
  kBlue,
  // paragraphs
  kPard,
  kPar,
  kLine,
  kTab,
  kCell,
  kRow,
  kLeft,
  kCentre,
  kRight,
  kJustify,
  kLeftIndent,
  kRightIndent,
  kFirstIndent,
  kSpaceBefore,
  kSpaceAfter,
  kTabStop,
  // pictures
  kPngBlip,
  kJpegBlip,
  kDib,
  kWindowsMetafile,
  kPicWidth,
  kPicHeight,
  kPicGoalWidth,
  kPicGoalHeight,
  kPicScaleX,
  kPicScaleY,
  // characters written as words
  kEmDash,
  kEnDash,
  kBullet,
  kLeftQuote,
  kRightQuote,
  kLeftDoubleQuote,
  kRightDoubleQuote,
  kEmSpace,
  kEnSpace,
  kQuarterEmSpace,
};

RtfWord LookUpRtfWord(std::string_view word);

// Destinations whose content is never shown, whether or not they carry \*.
bool IsHiddenRtfDestination(std::string_view word);

// The character a character word stands for.
char32_t CharacterOfRtfWord(RtfWord word);

}  // namespace velmorant::platform
