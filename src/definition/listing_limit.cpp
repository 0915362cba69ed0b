#include "definition/listing_limit.hpp"

#include "definition/field_visits.hpp"

namespace velmorant {

namespace {

// Visits the index sets of one screen record; every other field is left alone.
class ListingVisitor {
 public:
  ListingVisitor(size_t screen, bool cut, std::vector<LongListing>& found)
      : screen_(screen), cut_(cut), found_(found) {}

  void IndexSet(const char* name, TIntWektor& set, Editions = kAlways) {
    auto& items = set.Items();
    if (items.size() <= kMaxListedValues) return;
    found_.push_back({screen_, name, items.size()});
    if (cut_) items.resize(kMaxListedValues);
  }
  void String(const char*, std::string&, Editions = kAlways) {}
  void I32(const char*, int32_t&, Editions = kAlways) {}
  void Byte(const char*, uint8_t&, Editions = kAlways) {}
  void Action(const char*, TAkc&, Editions = kAlways) {}

 private:
  size_t screen_;
  bool cut_;
  std::vector<LongListing>& found_;
};

std::vector<LongListing> Visit(std::vector<TEkr>& screens, bool cut) {
  std::vector<LongListing> found;
  for (size_t i = 0; i < screens.size(); ++i) {
    ListingVisitor v(i, cut, found);
    VisitFields(screens[i], v);
  }
  return found;
}

}  // namespace

std::vector<LongListing> FindLongListings(const Definition& definition) {
  // Without cutting, the visitor only reads: the records are not changed.
  return Visit(const_cast<std::vector<TEkr>&>(definition.TEkrany), false);
}

std::vector<LongListing> CutLongListings(Definition& definition) {
  return Visit(definition.TEkrany, true);
}

std::string DescribeCutListings(const std::vector<LongListing>& cut) {
  if (cut.empty()) return {};
  const LongListing& first = cut.front();
  std::string line = "TEkrany[" + std::to_string(first.screen) + "]." + first.field + " lists " +
                     std::to_string(first.count) + " values: only the first " +
                     std::to_string(kMaxListedValues) + " are used";
  if (cut.size() > 1) {
    line += ", and the same in " + std::to_string(cut.size() - 1) + " more index sets";
  }
  return line;
}

}  // namespace velmorant
