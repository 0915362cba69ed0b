#include "platform/text/listed_face.hpp"

#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_IDS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "platform/fs/codepage.hpp"
#include "platform/text/font_names.hpp"

namespace velmorant::platform {

namespace {

constexpr FT_UShort kWwsFamily = 21;
constexpr FT_UShort kWwsSubfamily = 22;

// Family names come from these records, in this order; style words from the second list.
constexpr std::array<FT_UShort, 3> kFamilyIds = {kWwsFamily, TT_NAME_ID_TYPOGRAPHIC_FAMILY,
                                                 TT_NAME_ID_FONT_FAMILY};
constexpr std::array<FT_UShort, 3> kStyleIds = {kWwsSubfamily, TT_NAME_ID_TYPOGRAPHIC_SUBFAMILY,
                                                TT_NAME_ID_FONT_SUBFAMILY};

bool IsEnglish(const FT_SfntName& name) {
  if (name.platform_id == TT_PLATFORM_MACINTOSH) return name.language_id == TT_MAC_LANGID_ENGLISH;
  return (name.language_id & 0x3FF) == 0x09;  // any English sublanguage
}

// The record's text as UTF-8; empty for encodings a family name is never read from.
std::string Decode(const FT_SfntName& name) {
  std::string text;
  if (name.platform_id == TT_PLATFORM_MACINTOSH) {
    if (name.encoding_id != TT_MAC_ID_ROMAN) return text;
    for (FT_UInt i = 0; i < name.string_len; ++i) {
      AppendUtf8(text, name.string[i] < 0x80 ? char32_t(name.string[i]) : U'\uFFFD');
    }
    return text;
  }
  if (name.platform_id != TT_PLATFORM_MICROSOFT && name.platform_id != TT_PLATFORM_APPLE_UNICODE) {
    return text;
  }
  for (FT_UInt i = 0; i + 1 < name.string_len; i += 2) {
    char32_t unit = char32_t(name.string[i]) << 8 | name.string[i + 1];
    if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < name.string_len) {
      const char32_t low = char32_t(name.string[i + 2]) << 8 | name.string[i + 3];
      if (low >= 0xDC00 && low < 0xE000) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    if (unit >= 0xD800 && unit < 0xE000) unit = U'\uFFFD';
    AppendUtf8(text, unit);
  }
  return text;
}

// The names of the given records, English ones first within each record kind.
std::vector<std::string> NamesOf(FT_Face face, const std::array<FT_UShort, 3>& ids) {
  std::vector<std::string> names;
  const FT_UInt count = FT_Get_Sfnt_Name_Count(face);
  for (FT_UShort id : ids) {
    for (bool english : {true, false}) {
      for (FT_UInt i = 0; i < count; ++i) {
        FT_SfntName name;
        if (FT_Get_Sfnt_Name(face, i, &name) != 0 || name.name_id != id) continue;
        if (IsEnglish(name) != english) continue;
        std::string text = Decode(name);
        if (!text.empty() && std::find(names.begin(), names.end(), text) == names.end()) {
          names.push_back(std::move(text));
        }
      }
    }
  }
  return names;
}

bool Contains(std::string_view text, std::string_view word) {
  return FamilyKey(text).find(word) != std::string::npos;
}

int SlantFromStyle(const std::vector<std::string>& styles) {
  for (const std::string& style : styles) {
    if (Contains(style, "italic")) return kSlantItalic;
    if (Contains(style, "oblique") || Contains(style, "kursiv")) return kSlantOblique;
  }
  return -1;
}

// Only for faces without an OS/2 table: the weight words a style name may hold, heaviest first so
// that "extrabold" is not read as "bold".
double WeightFromStyle(const std::vector<std::string>& styles) {
  static constexpr std::array<std::pair<std::string_view, double>, 14> kWords = {{
      {"extrablack", 215},
      {"ultrablack", 215},
      {"extrabold", 205},
      {"ultrabold", 205},
      {"semibold", 180},
      {"demibold", 180},
      {"black", 210},
      {"heavy", 210},
      {"bold", 200},
      {"medium", 100},
      {"extralight", 40},
      {"ultralight", 40},
      {"light", 50},
      {"thin", 0},
  }};
  for (const std::string& style : styles) {
    for (const auto& [word, weight] : kWords) {
      if (Contains(style, word)) return weight;
    }
  }
  return -1;
}

double WidthFromOpenType(int width_class) {
  static constexpr std::array<double, 9> kWidths = {50, 62.5, 75, 87.5, 100, 112.5, 125, 150, 200};
  if (width_class < 1 || width_class > 9) return kWidthNormal;
  return kWidths[size_t(width_class - 1)];
}

ListedFace Describe(FT_Face face, const std::string& file, int index) {
  ListedFace listed;
  listed.file = file;
  listed.index = index;
  listed.families = NamesOf(face, kFamilyIds);
  if (listed.families.empty() && face->family_name) listed.families.emplace_back(face->family_name);
  std::vector<std::string> styles = NamesOf(face, kStyleIds);
  if (face->style_name) styles.emplace_back(face->style_name);

  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  double weight = -1;
  if (os2 && os2->version != 0xFFFF) {
    weight = WeightFromOpenType(os2->usWeightClass);
    listed.width = WidthFromOpenType(os2->usWidthClass);
  }
  if (const auto* head = static_cast<const TT_Header*>(FT_Get_Sfnt_Table(face, FT_SFNT_HEAD))) {
    listed.version = head->Font_Revision;
  }
  if (weight < 0) weight = WeightFromStyle(styles);
  if (weight < 0) weight = (face->style_flags & FT_STYLE_FLAG_BOLD) ? kWeightBold : 100;
  listed.weight = weight;
  int slant = SlantFromStyle(styles);
  if (slant < 0) slant = (face->style_flags & FT_STYLE_FLAG_ITALIC) ? kSlantItalic : kSlantRoman;
  listed.slant = slant;
  return listed;
}

}  // namespace

double WeightFromOpenType(int weight_class) {
  static constexpr std::array<std::pair<int, double>, 13> kMap = {{
      {0, 0},
      {100, 0},
      {200, 40},
      {300, 50},
      {350, 55},
      {380, 75},
      {400, 80},
      {500, 100},
      {600, 180},
      {700, 200},
      {800, 205},
      {900, 210},
      {1000, 215},
  }};
  if (weight_class >= 1 && weight_class <= 9) weight_class *= 100;
  weight_class = std::clamp(weight_class, 0, 1000);
  for (size_t i = 1; i < kMap.size(); ++i) {
    if (weight_class > kMap[i].first) continue;
    const auto [x0, y0] = kMap[i - 1];
    const auto [x1, y1] = kMap[i];
    return y0 + (y1 - y0) * (weight_class - x0) / (x1 - x0);
  }
  return kMap.back().second;
}

std::vector<ListedFace> ScanFontFile(FT_Library library, const std::string& file) {
  std::vector<ListedFace> faces;
  if (!library) return faces;
  FT_Long count = 1;
  for (FT_Long index = 0; index < count; ++index) {
    FT_Face raw = nullptr;
    if (FT_New_Face(library, file.c_str(), index, &raw) != 0) break;
    FtFacePtr face(raw);
    count = face->num_faces;
    if (FT_IS_SCALABLE(face.get())) faces.push_back(Describe(face.get(), file, int(index)));
  }
  return faces;
}

}  // namespace velmorant::platform
