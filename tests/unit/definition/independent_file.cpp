#include "independent_file.hpp"

namespace velmorant::test {

namespace {

void Header(ByteBuilder& f, char ed, TOgolneFields& h) {
  h.BackgroundsFolder = f.Str();
  h.ImagesFolder = f.Str();
  h.CaptionsFolder = f.Str();
  h.TextsFolder = f.Str();
  h.SoundsFolder = f.Str();
  h.FilmsFolder = f.Str();
  h.LinksFolder = f.Str();
  h.ProcessesFolder = f.Str();
  h.ButtonsFolder = f.Str();
  if (ed >= 'e') h.DocumentsFolder = f.Str();
  h.ColourIndex = f.I32();
  h.ResolutionIndex = f.I32();
  h.Centred = f.Byte();
  h.BorderPicture = f.Str();
  h.PreloadFiles = f.Byte();
}

TEkr Screen(ByteBuilder& f, char ed) {
  TEkr s;
  s.Name = f.Str();
  s.Background = f.I32();
  s.Images = f.Set(2);
  s.Captions = f.Set(1);
  s.Texts = f.Set(0);
  s.Sounds = f.Set(3);
  s.Films = f.Set(1);
  if (ed >= 'd') s.Animations = f.Set(2);
  s.Links = f.Set(1);
  if (ed >= 'e') s.Documents = f.Set(2);
  s.Processes = f.Set(1);
  s.Maps = f.Set(2);
  s.Sandwiches = f.Set(1);
  s.Keys = f.Set(3);
  s.Tag = f.I32();
  return s;
}

TObr Image(ByteBuilder& f, char ed) {
  TObr r;
  r.Name = f.Str();
  r.FileName = f.Str();
  r.Masked = f.Byte();
  r.X = f.I32();
  r.Y = f.I32();
  r.W = f.I32();
  r.H = f.I32();
  r.VisibleAtStart = f.Byte();
  r.MapIndex = f.I32();
  r.ShowRegion = f.I32();
  r.HideRegion = f.I32();
  if (ed >= 'd') r.DelayMs = f.I32();
  r.TransitionIn = f.I32();
  if (ed >= 'd') {
    r.DurationMs = f.I32();
    r.TransitionOut = f.I32();
  }
  r.FrameIndex = f.I32();
  return r;
}

TNap Caption(ByteBuilder& f, char ed) {
  TNap r;
  r.Name = f.Str();
  r.FileName = f.Str();
  r.X = f.I32();
  r.Y = f.I32();
  r.W = f.I32();
  r.H = f.I32();
  if (ed >= 'd') {
    r.TextureFile = f.Str();
    r.DelayMs = f.I32();
    r.TransitionIn = f.I32();
    r.DurationMs = f.I32();
    r.TransitionOut = f.I32();
  }
  r.FrameIndex = f.I32();
  r.FontName = f.Str();
  r.FontSize = f.I32();
  r.Colour = f.I32();
  r.Bold = f.Byte();
  r.Italic = f.Byte();
  r.Underline = f.Byte();
  r.StrikeOut = f.Byte();
  if (ed >= 'f') r.Charset = f.I32();
  return r;
}

TTek Text(ByteBuilder& f, char ed) {
  TTek r;
  r.Name = f.Str();
  r.FileName = f.Str();
  r.Targets = f.Set(3);
  r.X = f.I32();
  r.Y = f.I32();
  r.W = f.I32();
  r.H = f.I32();
  r.VisibleAtStart = f.Byte();
  r.MapIndex = f.I32();
  r.ShowRegion = f.I32();
  r.HideRegion = f.I32();
  r.PrintRegion = f.I32();
  if (ed >= 'd') r.Keep = f.Byte();
  r.FrameIndex = f.I32();
  r.BackColour = f.I32();
  return r;
}

TFil Film(ByteBuilder& f, char ed) {
  TFil r;
  r.Name = f.Str();
  r.FileName = f.Str();
  if (ed >= 'd') r.PosterName = f.Str();
  r.Silence = f.Byte();
  r.AutoStart = f.Byte();
  r.MapIndex = f.I32();
  r.PlayRegion = f.I32();
  r.PauseRegion = f.I32();
  r.StopRegion = f.I32();
  r.X = f.I32();
  r.Y = f.I32();
  r.Width = f.I32();
  r.Height = f.I32();
  if (ed >= 'd') {
    r.StartDelay = f.I32();
    r.StopAfter = f.I32();
  }
  r.FrameIndex = f.I32();
  return r;
}

TAni Animation(ByteBuilder& f, uint32_t frames) {
  TAni r;
  r.Name = f.Str();
  r.X = f.I32();
  r.Y = f.I32();
  r.Width = f.I32();
  r.Height = f.I32();
  r.AutoStart = f.Byte();
  r.Loop = f.Byte();
  r.MapIndex = f.I32();
  r.PlayRegion = f.I32();
  r.StopRegion = f.I32();
  r.StartDelay = f.I32();
  r.StopAfter = f.I32();
  r.TransitionIndex = f.I32();
  r.FrameIndex = f.I32();
  r.Frames.resize(f.Count(frames));
  for (auto& k : r.Frames) {
    k.FileName = f.Str();
    k.UseMask = f.Byte();
    k.X = f.I32();
    k.Y = f.I32();
    k.Width = f.I32();
    k.Height = f.I32();
    k.Duration = f.I32();
    k.TransitionIndex = f.I32();
  }
  return r;
}

TMap Map(ByteBuilder& f, char ed, uint32_t regions) {
  TMap r;
  r.Name = f.Str();
  r.FileName = f.Str();
  r.HoverFileName = f.Str();
  r.UseMask = f.Byte();
  r.X = f.I32();
  r.Y = f.I32();
  r.Width = f.I32();
  r.Height = f.I32();
  if (ed >= 'd') r.ShowDelay = f.I32();
  r.ShowTransition = f.I32();
  if (ed >= 'd') {
    r.HideAfter = f.I32();
    r.HideTransition = f.I32();
  }
  r.FrameIndex = f.I32();
  r.Regions.resize(f.Count(regions));
  for (size_t i = 0; i < r.Regions.size(); ++i) {
    auto& g = r.Regions[i];
    g.Number = int32_t(i);
    if (ed <= 'c') {
      g.LegacyName = f.Str();
      g.LegacyByte = f.Byte();
    }
    g.X = f.I32();
    g.Y = f.I32();
    g.Width = f.I32();
    g.Height = f.I32();
    g.Action = f.Action();
    if (ed >= 'c') g.Hint = f.Str();
  }
  return r;
}

TSan Sandwich(ByteBuilder& f, uint32_t layers) {
  TSan r;
  r.Name = f.Str();
  r.MapIndex = f.I32();
  r.ControlMapIndex = f.I32();
  r.X = f.I32();
  r.Y = f.I32();
  r.Width = f.I32();
  r.Height = f.I32();
  r.FrameIndex = f.I32();
  r.Layers.resize(f.Count(layers));
  for (auto& w : r.Layers) {
    w.FileName = f.Str();
    w.Visible = f.Byte();
    w.Region = f.I32();
  }
  return r;
}

}  // namespace

IndependentFile BuildIndependentFile(char ed) {
  ByteBuilder f;
  Definition d;
  d.edition = ed;
  f.PutByte(uint8_t(ed));
  Header(f, ed, d.header);

  d.TMedia.resize(f.Count(2));
  for (auto& m : d.TMedia) {
    m.Screen = f.I32();
    if (ed >= 'd') m.AdvanceMs = f.I32();
    m.TransitionIndex = f.I32();
  }
  f.Count(2);
  d.TEkrany = {Screen(f, ed), Screen(f, ed)};
  d.TTla.resize(f.Count(1));
  for (auto& t : d.TTla) {
    t.Name = f.Str();
    t.FileName = f.Str();
    t.CropLeft = f.I32();
    t.CropTop = f.I32();
    t.CropRight = f.I32();
    t.CropBottom = f.I32();
  }
  f.Count(1);
  d.TObrazy = {Image(f, ed)};
  f.Count(1);
  d.TNapisy = {Caption(f, ed)};
  f.Count(1);
  d.TTeksty = {Text(f, ed)};
  d.TDzwieki.resize(f.Count(2));
  for (size_t i = 0; i < d.TDzwieki.size(); ++i) {
    auto& s = d.TDzwieki[i];
    s.Number = int32_t(i);
    s.Name = f.Str();
    s.FileName = f.Str();
    s.AutoPlay = f.Byte();
    s.MapIndex = f.I32();
    s.PlayRegion = f.I32();
    s.StopRegion = f.I32();
    s.Loop = f.Byte();
  }
  f.Count(1);
  d.TFilmy = {Film(f, ed)};
  if (ed >= 'd') {
    f.Count(2);
    d.TAnimacje = {Animation(f, 2), Animation(f, 0)};
  }
  d.TLinki.resize(f.Count(1));
  for (auto& l : d.TLinki) {
    l.Name = f.Str();
    l.FileName = f.Str();
    l.Target = f.Str();
    if (ed >= 'e') l.AutoOpen = f.Byte();
    l.MapIndex = f.I32();
    l.OpenRegion = f.I32();
    if (ed >= 'e') l.CloseRegion = f.I32();
  }
  if (ed >= 'e') {
    d.TDoki.resize(f.Count(1));
    for (auto& k : d.TDoki) {
      k.Name = f.Str();
      k.Folder = f.Str();
      k.FileName = f.Str();
      k.AutoOpen = f.Byte();
      k.MapIndex = f.I32();
      k.OpenRegion = f.I32();
      k.CloseRegion = f.I32();
    }
  }
  d.TProcesy.resize(f.Count(1));
  for (auto& p : d.TProcesy) {
    p.Name = f.Str();
    p.FileName = f.Str();
    p.Parameters = f.Str();
    p.AutoStart = f.Byte();
    p.MapIndex = f.I32();
    p.StartRegion = f.I32();
    p.StopRegion = f.I32();
  }
  f.Count(2);
  d.TMapy = {Map(f, ed, 2), Map(f, ed, 1)};
  d.TMapy[1].Number = 1;
  f.Count(2);
  d.TSandwicze = {Sandwich(f, 2), Sandwich(f, 1)};
  d.TSandwicze[1].Number = 1;
  for (auto& w : d.TSandwicze[1].Layers) w.Owner = 1;
  d.TKlawisze.resize(f.Count(4));
  for (auto& k : d.TKlawisze) {
    k.key = f.I32();
    k.action = f.Action();
  }
  d.TRamki.resize(f.Count(1));
  for (auto& r : d.TRamki) {
    r.Name = f.Str();
    r.Width = f.I32();
    r.Color = f.I32();
    if (ed >= 'd') {
      r.Kind = f.Byte();
      r.PatternFile = f.Str();
    }
  }
  d.TPrzeniki.resize(f.Count(1));
  for (auto& p : d.TPrzeniki) {
    p.Name = f.Str();
    p.Kind = f.Byte();
    p.DelayMs = f.I32();
    p.Steps = f.I32();
  }
  return {std::move(f.bytes), std::move(d)};
}

}  // namespace velmorant::test
