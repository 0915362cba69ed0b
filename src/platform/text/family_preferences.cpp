#include "platform/text/family_preferences.hpp"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/text/font_names.hpp"

namespace velmorant::platform {

namespace {

struct Alias {
  std::string_view name;
  std::string_view family;
  bool strong;  // it takes the place of the name; a weak one is only tried after all asked for
};

constexpr std::array<Alias, 35> kAliases = {{
    {"Arial", "Liberation Sans", true},
    {"Times New Roman", "Liberation Serif", true},
    {"Courier New", "Liberation Mono", true},
    {"Arial Narrow", "Liberation Sans Narrow", true},
    {"Bitstream Vera Sans", "DejaVu Sans", true},
    {"DejaVu LGC Sans", "DejaVu Sans", true},
    {"Bitstream Vera Serif", "DejaVu Serif", true},
    {"DejaVu LGC Serif", "DejaVu Serif", true},
    {"Bitstream Vera Sans Mono", "DejaVu Sans Mono", true},
    {"DejaVu LGC Sans Mono", "DejaVu Sans Mono", true},
    {"Helvetica", "Liberation Sans", false},
    {"Arimo", "Liberation Sans", false},
    {"Albany", "Liberation Sans", false},
    {"Albany AMT", "Liberation Sans", false},
    {"Nimbus Sans", "Liberation Sans", false},
    {"Nimbus Sans L", "Liberation Sans", false},
    {"TeX Gyre Heros", "Liberation Sans", false},
    {"Helvetica Narrow", "Liberation Sans Narrow", false},
    {"Nimbus Sans Narrow", "Liberation Sans Narrow", false},
    {"TeX Gyre Heros Cn", "Liberation Sans Narrow", false},
    {"Times", "Liberation Serif", false},
    {"Tinos", "Liberation Serif", false},
    {"Thorndale", "Liberation Serif", false},
    {"Thorndale AMT", "Liberation Serif", false},
    {"Nimbus Roman", "Liberation Serif", false},
    {"Nimbus Roman No9 L", "Liberation Serif", false},
    {"TeX Gyre Termes", "Liberation Serif", false},
    {"Courier", "Liberation Mono", false},
    {"Cousine", "Liberation Mono", false},
    {"Cumberland", "Liberation Mono", false},
    {"Cumberland AMT", "Liberation Mono", false},
    {"Nimbus Mono", "Liberation Mono", false},
    {"Nimbus Mono L", "Liberation Mono", false},
    {"Nimbus Mono PS", "Liberation Mono", false},
    {"TeX Gyre Cursor", "Liberation Mono", false},
}};

struct Generic {
  std::string_view name;
  std::string_view preferred;  // the bundled face the default setup puts first for it
};

// In the order the default setup adds them.
constexpr std::array<Generic, 3> kGenerics = {{
    {"serif", "DejaVu Serif"},
    {"sans-serif", "DejaVu Sans"},
    {"monospace", "DejaVu Sans Mono"},
}};

// The generic family each well-known face belongs to; a name in none of these lists that asks
// for no generic family gets sans-serif.
constexpr std::array<std::string_view, 17> kSerifFaces = {"Bitstream Vera Serif",
                                                          "Cambria",
                                                          "Constantia",
                                                          "DejaVu Serif",
                                                          "Elephant",
                                                          "Garamond",
                                                          "Georgia",
                                                          "Liberation Serif",
                                                          "Luxi Serif",
                                                          "MS Serif",
                                                          "Nimbus Roman No9 L",
                                                          "Nimbus Roman",
                                                          "Palatino Linotype",
                                                          "Thorndale AMT",
                                                          "Thorndale",
                                                          "Times New Roman",
                                                          "Times"};
constexpr std::array<std::string_view, 22> kSansFaces = {
    "Albany AMT",          "Albany",          "Arial Unicode MS", "Arial",
    "Bitstream Vera Sans", "Britannic",       "Calibri",          "Candara",
    "Century Gothic",      "Corbel",          "DejaVu Sans",      "Helvetica",
    "Haettenschweiler",    "Liberation Sans", "MS Sans Serif",    "Nimbus Sans L",
    "Nimbus Sans",         "Luxi Sans",       "Tahoma",           "Trebuchet MS",
    "Twentieth Century",   "Verdana"};
constexpr std::array<std::string_view, 17> kMonospaceFaces = {
    "Andale Mono",      "Bitstream Vera Sans Mono",
    "Consolas",         "Courier New",
    "Courier",          "Courier Std",
    "Cumberland AMT",   "Cumberland",
    "DejaVu Sans Mono", "Fixedsys",
    "Inconsolata",      "Liberation Mono",
    "Luxi Mono",        "Nimbus Mono L",
    "Nimbus Mono",      "Nimbus Mono PS",
    "Terminal"};

template <size_t N>
bool Lists(const std::array<std::string_view, N>& faces, std::string_view key) {
  return std::any_of(faces.begin(), faces.end(),
                     [&](std::string_view face) { return FamilyKey(face) == key; });
}

bool InClass(std::string_view generic, std::string_view key) {
  if (generic == "serif") return Lists(kSerifFaces, key);
  if (generic == "sans-serif") return Lists(kSansFaces, key);
  return Lists(kMonospaceFaces, key);
}

const Generic* GenericNamed(std::string_view key) {
  for (const Generic& g : kGenerics) {
    if (FamilyKey(g.name) == key) return &g;
  }
  return nullptr;
}

}  // namespace

std::vector<FamilyPreference> ExpandFamilies(const std::vector<std::string>& families) {
  std::vector<FamilyPreference> list;
  for (const std::string& family : families) {
    const std::string key = FamilyKey(family);
    list.push_back({key, true});
    for (const Alias& alias : kAliases) {
      if (alias.strong && FamilyKey(alias.name) == key)
        list.push_back({FamilyKey(alias.family), true});
    }
  }
  const size_t asked = list.size();
  for (size_t i = 0; i < asked; ++i) {
    for (const Alias& alias : kAliases) {
      if (!alias.strong && FamilyKey(alias.name) == list[i].key) {
        list.push_back({FamilyKey(alias.family), false});
      }
    }
  }
  const size_t named = list.size();
  for (const Generic& generic : kGenerics) {
    for (size_t i = 0; i < named; ++i) {
      if (InClass(generic.name, list[i].key)) {
        list.push_back({FamilyKey(generic.name), false});
        break;
      }
    }
  }
  const bool has_generic = std::any_of(list.begin(), list.end(), [](const FamilyPreference& p) {
    return GenericNamed(p.key) != nullptr;
  });
  if (!has_generic) list.push_back({FamilyKey("sans-serif"), false});

  std::vector<FamilyPreference> expanded;
  for (FamilyPreference& p : list) {
    if (const Generic* generic = GenericNamed(p.key)) {
      expanded.push_back({FamilyKey(generic->preferred), false});
    }
    expanded.push_back(std::move(p));
  }
  return expanded;
}

}  // namespace velmorant::platform
