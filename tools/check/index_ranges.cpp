#include "check/index_ranges.hpp"

#include <string>

namespace velmorant::check {

bool IsShowablePage(const Definition& d, int64_t page) {
  if (page < 0 || size_t(page) >= d.TMedia.size()) return false;
  const int32_t screen = d.TMedia[size_t(page)].Screen;
  return screen >= 0 && size_t(screen) < d.TEkrany.size();
}

namespace {

class IndexCheck {
 public:
  IndexCheck(const Definition& d, Findings& findings) : d_(d), findings_(findings) {}

  void Run() {
    Sequence();
    Screens();
    Visuals();
    Media();
    Interactive();
    Shortcuts();
  }

 private:
  // Negative values mean none; the rest must lie in the table.
  void Scalar(const Where& where, int32_t value, size_t count, const char* table) {
    if (value >= 0 && size_t(value) >= count) Outside(where, value, count, table);
  }
  void Set(const Where& record, const char* field, const TIntWektor& set, size_t count,
           const char* table) {
    for (size_t k = 0; k < set.Items().size(); ++k) {
      const int32_t value = set[k];
      if (value < 0 || size_t(value) >= count) Outside(record.Item(field, k), value, count, table);
    }
  }
  void Outside(const Where& where, int32_t value, size_t count, const char* table) {
    findings_.Add(Severity::kError, where, {},
                  std::to_string(value) + " is outside " + table + " (" + std::to_string(count) +
                      " records): the player skips it");
  }
  // A region of a map: checked only when the map itself is valid.
  void Region(const Where& where, int32_t map, int32_t region) {
    if (region < 0 || map < 0 || size_t(map) >= d_.TMapy.size()) return;
    const size_t count = d_.TMapy[size_t(map)].Regions.size();
    if (size_t(region) >= count) {
      findings_.Add(Severity::kError, where, {},
                    std::to_string(region) + " is outside the " + std::to_string(count) +
                        " regions of TMapy[" + std::to_string(map) + "]: the player skips it");
    }
  }
  void Map(const Where& record, int32_t map) {
    Scalar(record.Field("MapIndex"), map, d_.TMapy.size(), "TMapy");
  }
  void Frame(const Where& record, int32_t frame) {
    Scalar(record.Field("FrameIndex"), frame, d_.TRamki.size(), "TRamki");
  }
  void Transition(const Where& where, int32_t transition) {
    Scalar(where, transition, d_.TPrzeniki.size(), "TPrzeniki");
  }
  void PageTarget(const Where& where, int64_t page, const std::string& what) {
    if (page < 0 || size_t(page) >= d_.TMedia.size()) {
      findings_.Add(Severity::kWarning, where, {},
                    what + " entry " + std::to_string(page) + ", outside the play sequence (" +
                        std::to_string(d_.TMedia.size()) + " entries): the page is shown again");
    } else if (!IsShowablePage(d_, page)) {
      findings_.Add(Severity::kWarning, where, {},
                    what + " entry " + std::to_string(page) +
                        ", which has no valid screen: the page is shown again");
    }
  }
  void Action(const Where& where, const TAkc& action) {
    if (action.code == kActionGoTo) PageTarget(where, action.argument, "goes to");
    if (action.code > kActionAltAssets) {
      findings_.Add(Severity::kNote, where, {},
                    "action code " + std::to_string(action.code) + " does nothing");
    }
  }

  void Sequence() {
    for (size_t i = 0; i < d_.TMedia.size(); ++i) {
      const TMed& r = d_.TMedia[i];
      const Where at{"TMedia", int64_t(i), {}};
      if (!IsShowablePage(d_, int64_t(i))) {
        findings_.Add(Severity::kError, at.Field("Screen"), {},
                      "screen " + std::to_string(r.Screen) + " is not in TEkrany (" +
                          std::to_string(d_.TEkrany.size()) +
                          " records): the entry is never shown");
      }
      Transition(at.Field("TransitionIndex"), r.TransitionIndex);
    }
  }

  void Screens() {
    for (size_t i = 0; i < d_.TEkrany.size(); ++i) {
      const TEkr& r = d_.TEkrany[i];
      const Where at{"TEkrany", int64_t(i), {}};
      Scalar(at.Field("Background"), r.Background, d_.TTla.size(), "TTla");
      Set(at, "Images", r.Images, d_.TObrazy.size(), "TObrazy");
      Set(at, "Captions", r.Captions, d_.TNapisy.size(), "TNapisy");
      Set(at, "Texts", r.Texts, d_.TTeksty.size(), "TTeksty");
      Set(at, "Sounds", r.Sounds, d_.TDzwieki.size(), "TDzwieki");
      Set(at, "Films", r.Films, d_.TFilmy.size(), "TFilmy");
      Set(at, "Animations", r.Animations, d_.TAnimacje.size(), "TAnimacje");
      Set(at, "Links", r.Links, d_.TLinki.size(), "TLinki");
      Set(at, "Documents", r.Documents, d_.TDoki.size(), "TDoki");
      Set(at, "Processes", r.Processes, d_.TProcesy.size(), "TProcesy");
      Set(at, "Maps", r.Maps, d_.TMapy.size(), "TMapy");
      Set(at, "Sandwiches", r.Sandwiches, d_.TSandwicze.size(), "TSandwicze");
      Set(at, "Keys", r.Keys, d_.TKlawisze.size(), "TKlawisze");
    }
  }

  void Visuals() {
    for (size_t i = 0; i < d_.TObrazy.size(); ++i) {
      const TObr& r = d_.TObrazy[i];
      const Where at{"TObrazy", int64_t(i), {}};
      Map(at, r.MapIndex);
      Region(at.Field("ShowRegion"), r.MapIndex, r.ShowRegion);
      Region(at.Field("HideRegion"), r.MapIndex, r.HideRegion);
      Transition(at.Field("TransitionIn"), r.TransitionIn);
      Transition(at.Field("TransitionOut"), r.TransitionOut);
      Frame(at, r.FrameIndex);
    }
    for (size_t i = 0; i < d_.TNapisy.size(); ++i) {
      const TNap& r = d_.TNapisy[i];
      const Where at{"TNapisy", int64_t(i), {}};
      Transition(at.Field("TransitionIn"), r.TransitionIn);
      Transition(at.Field("TransitionOut"), r.TransitionOut);
      Frame(at, r.FrameIndex);
    }
    for (size_t i = 0; i < d_.TTeksty.size(); ++i) {
      const TTek& r = d_.TTeksty[i];
      const Where at{"TTeksty", int64_t(i), {}};
      for (size_t k = 0; k < r.Targets.Items().size(); ++k) {
        PageTarget(at.Item("Targets", k), r.Targets[k],
                   "phrase " + std::to_string(k) + " leads to");
      }
      Map(at, r.MapIndex);
      Region(at.Field("ShowRegion"), r.MapIndex, r.ShowRegion);
      Region(at.Field("HideRegion"), r.MapIndex, r.HideRegion);
      Region(at.Field("PrintRegion"), r.MapIndex, r.PrintRegion);
      Frame(at, r.FrameIndex);
    }
  }

  void Media() {
    for (size_t i = 0; i < d_.TDzwieki.size(); ++i) {
      const TDzw& r = d_.TDzwieki[i];
      const Where at{"TDzwieki", int64_t(i), {}};
      Map(at, r.MapIndex);
      Region(at.Field("PlayRegion"), r.MapIndex, r.PlayRegion);
      Region(at.Field("StopRegion"), r.MapIndex, r.StopRegion);
    }
    for (size_t i = 0; i < d_.TFilmy.size(); ++i) {
      const TFil& r = d_.TFilmy[i];
      const Where at{"TFilmy", int64_t(i), {}};
      Map(at, r.MapIndex);
      Region(at.Field("PlayRegion"), r.MapIndex, r.PlayRegion);
      Region(at.Field("PauseRegion"), r.MapIndex, r.PauseRegion);
      Region(at.Field("StopRegion"), r.MapIndex, r.StopRegion);
      Frame(at, r.FrameIndex);
    }
    for (size_t i = 0; i < d_.TAnimacje.size(); ++i) {
      const TAni& r = d_.TAnimacje[i];
      const Where at{"TAnimacje", int64_t(i), {}};
      Map(at, r.MapIndex);
      Region(at.Field("PlayRegion"), r.MapIndex, r.PlayRegion);
      Region(at.Field("StopRegion"), r.MapIndex, r.StopRegion);
      Transition(at.Field("TransitionIndex"), r.TransitionIndex);
      Frame(at, r.FrameIndex);
      for (size_t k = 0; k < r.Frames.size(); ++k) {
        Transition(at.Item("Frames", k).Field("TransitionIndex"), r.Frames[k].TransitionIndex);
      }
    }
  }

  // Links, documents and processes share their controls' layout.
  template <class Record>
  void Launchers(const char* table, const std::vector<Record>& records, int32_t Record::*open,
                 const char* open_name, int32_t Record::*close, const char* close_name) {
    for (size_t i = 0; i < records.size(); ++i) {
      const Record& r = records[i];
      const Where at{table, int64_t(i), {}};
      Map(at, r.MapIndex);
      Region(at.Field(open_name), r.MapIndex, r.*open);
      Region(at.Field(close_name), r.MapIndex, r.*close);
    }
  }

  void Interactive() {
    Launchers("TLinki", d_.TLinki, &TLin::OpenRegion, "OpenRegion", &TLin::CloseRegion,
              "CloseRegion");
    Launchers("TDoki", d_.TDoki, &TDok::OpenRegion, "OpenRegion", &TDok::CloseRegion,
              "CloseRegion");
    Launchers("TProcesy", d_.TProcesy, &TPro::StartRegion, "StartRegion", &TPro::StopRegion,
              "StopRegion");
    for (size_t i = 0; i < d_.TMapy.size(); ++i) {
      const TMap& r = d_.TMapy[i];
      const Where at{"TMapy", int64_t(i), {}};
      Transition(at.Field("ShowTransition"), r.ShowTransition);
      Transition(at.Field("HideTransition"), r.HideTransition);
      Frame(at, r.FrameIndex);
      for (size_t k = 0; k < r.Regions.size(); ++k) {
        Action(at.Item("Regions", k).Field("Action"), r.Regions[k].Action);
      }
    }
    for (size_t i = 0; i < d_.TSandwicze.size(); ++i) {
      const TSan& r = d_.TSandwicze[i];
      const Where at{"TSandwicze", int64_t(i), {}};
      Map(at, r.MapIndex);
      Scalar(at.Field("ControlMapIndex"), r.ControlMapIndex, d_.TMapy.size(), "TMapy");
      Frame(at, r.FrameIndex);
      for (size_t k = 0; k < r.Layers.size(); ++k) {
        Region(at.Item("Layers", k).Field("Region"), r.ControlMapIndex, r.Layers[k].Region);
      }
    }
  }

  void Shortcuts() {
    for (size_t i = 0; i < d_.TKlawisze.size(); ++i) {
      Action({"TKlawisze", int64_t(i), "action"}, d_.TKlawisze[i].action);
    }
  }

  const Definition& d_;
  Findings& findings_;
};

}  // namespace

void CheckIndexes(const Definition& definition, Findings& findings) {
  IndexCheck(definition, findings).Run();
}

}  // namespace velmorant::check
