#include "check/reachable_pages.hpp"

#include <deque>
#include <set>
#include <utility>

#include "check/index_ranges.hpp"

namespace velmorant::check {

namespace {

using MapRegion = std::pair<int32_t, int32_t>;

// Where one page can lead: the actions it can post and the entries its phrases go to.
class PageExits {
 public:
  PageExits(const Definition& d, const std::vector<bool>& films_play, const TEkr& screen)
      : d_(d), films_play_(films_play), screen_(screen) {}

  std::vector<TAkc> Actions(const TMed& page) {
    CollectElementMaps();
    std::vector<TAkc> actions;
    for (int32_t map : maps_) {
      const auto& regions = d_.TMapy[size_t(map)].Regions;
      for (size_t r = 0; r < regions.size(); ++r) {
        // A region an element took as its control runs that element instead of its action.
        if (!controls_.count({map, int32_t(r)})) actions.push_back(regions[r].Action);
      }
    }
    for (int32_t key : screen_.Keys.Items()) {
      if (key >= 0 && size_t(key) < d_.TKlawisze.size()) {
        actions.push_back(d_.TKlawisze[size_t(key)].action);
      }
    }
    if (page.AdvanceMs > 0 || AFilmEndsThePage()) actions.push_back({kActionNext, 0});
    for (int32_t text : screen_.Texts.Items()) {
      if (text < 0 || size_t(text) >= d_.TTeksty.size()) continue;
      for (int32_t target : d_.TTeksty[size_t(text)].Targets.Items()) {
        actions.push_back({kActionGoTo, target});
      }
    }
    return actions;
  }

 private:
  void AddMap(int32_t map) {
    if (map >= 0 && size_t(map) < d_.TMapy.size()) maps_.insert(map);
  }
  void AddControl(int32_t map, int32_t region) {
    if (region >= 0) controls_.insert({map, region});
  }
  template <class Record>
  void Elements(const TIntWektor& set, const std::vector<Record>& table,
                std::initializer_list<int32_t Record::*> regions) {
    for (int32_t index : set.Items()) {
      if (index < 0 || size_t(index) >= table.size()) continue;
      const Record& r = table[size_t(index)];
      AddMap(r.MapIndex);
      for (auto region : regions) AddControl(r.MapIndex, r.*region);
    }
  }

  void CollectElementMaps() {
    for (int32_t map : screen_.Maps.Items()) AddMap(map);
    Elements(screen_.Images, d_.TObrazy, {&TObr::ShowRegion, &TObr::HideRegion});
    Elements(screen_.Texts, d_.TTeksty, {&TTek::ShowRegion, &TTek::HideRegion, &TTek::PrintRegion});
    Elements(screen_.Sounds, d_.TDzwieki, {&TDzw::PlayRegion, &TDzw::StopRegion});
    Elements(screen_.Films, d_.TFilmy, {&TFil::PlayRegion, &TFil::PauseRegion, &TFil::StopRegion});
    Elements(screen_.Animations, d_.TAnimacje, {&TAni::PlayRegion, &TAni::StopRegion});
    Elements(screen_.Links, d_.TLinki, {&TLin::OpenRegion, &TLin::CloseRegion});
    Elements(screen_.Documents, d_.TDoki, {&TDok::OpenRegion, &TDok::CloseRegion});
    Elements(screen_.Processes, d_.TProcesy, {&TPro::StartRegion, &TPro::StopRegion});
    for (int32_t index : screen_.Sandwiches.Items()) {
      if (index < 0 || size_t(index) >= d_.TSandwicze.size()) continue;
      const TSan& s = d_.TSandwicze[size_t(index)];
      AddMap(s.MapIndex);
      AddMap(s.ControlMapIndex);
      for (const TWar& layer : s.Layers) AddControl(s.ControlMapIndex, layer.Region);
    }
  }

  // A film without a play button moves on when it has played to its end.
  bool AFilmEndsThePage() const {
    for (int32_t index : screen_.Films.Items()) {
      if (index < 0 || size_t(index) >= d_.TFilmy.size()) continue;
      const TFil& f = d_.TFilmy[size_t(index)];
      const bool starts = f.AutoStart || f.StartDelay > 0;
      const bool without_controls = f.MapIndex == -1 || f.PlayRegion == -1;
      if (starts && without_controls && films_play_[size_t(index)]) return true;
    }
    return false;
  }

  const Definition& d_;
  const std::vector<bool>& films_play_;
  const TEkr& screen_;
  std::set<int32_t> maps_;
  std::set<MapRegion> controls_;
};

// The entry an action leads to from `page`, or -1 when it stays.
int64_t Target(const Definition& d, int64_t page, const TAkc& action) {
  int64_t target = -1;
  switch (int8_t(action.code)) {
    case kActionPrevious:
      target = page - 1;
      break;
    case kActionNext:
      target = page + 1;
      break;
    case kActionGoTo:
      target = action.argument;
      break;
    case kActionMoveBy:
      target = page + action.argument;
      break;
    default:
      // Back leads only where the viewer has been already.
      break;
  }
  return IsShowablePage(d, target) ? target : -1;
}

}  // namespace

std::vector<bool> ReachablePages(const Definition& d, const std::vector<bool>& films_play) {
  std::vector<bool> reached(d.TMedia.size(), false);
  std::deque<int64_t> queue;
  // The player starts at the first entry that names a valid screen.
  for (size_t page = 0; page < d.TMedia.size(); ++page) {
    if (IsShowablePage(d, int64_t(page))) {
      reached[page] = true;
      queue.push_back(int64_t(page));
      break;
    }
  }
  while (!queue.empty()) {
    const int64_t page = queue.front();
    queue.pop_front();
    const TMed& entry = d.TMedia[size_t(page)];
    PageExits exits(d, films_play, d.TEkrany[size_t(entry.Screen)]);
    for (const TAkc& action : exits.Actions(entry)) {
      const int64_t target = Target(d, page, action);
      if (target >= 0 && !reached[size_t(target)]) {
        reached[size_t(target)] = true;
        queue.push_back(target);
      }
    }
  }
  return reached;
}

void CheckReachable(const Definition& d, const std::vector<bool>& films_play, Findings& findings) {
  const std::vector<bool> reached = ReachablePages(d, films_play);
  for (size_t page = 0; page < reached.size(); ++page) {
    if (reached[page] || !IsShowablePage(d, int64_t(page))) continue;
    findings.Add(Severity::kWarning, {"TMedia", int64_t(page), {}}, {},
                 "no action, key, phrase or advance leads to this page from the first one");
  }
}

}  // namespace velmorant::check
