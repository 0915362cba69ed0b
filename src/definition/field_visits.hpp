#pragma once

// The single description of every record's file fields, in file order, with the editions that
// carry them. Reading, writing and both JSON directions are visitors over these functions.
//
// A visitor offers: String, I32, Byte, IndexSet, Action (name, field, editions), Table (name,
// vector, editions) and Record (name, nested record).

#include "definition/definition.hpp"
#include "definition/editions.hpp"

namespace velmorant {

template <class V>
void VisitFields(TOgolneFields& r, V& v) {
  v.String("BackgroundsFolder", r.BackgroundsFolder);
  v.String("ImagesFolder", r.ImagesFolder);
  v.String("CaptionsFolder", r.CaptionsFolder);
  v.String("TextsFolder", r.TextsFolder);
  v.String("SoundsFolder", r.SoundsFolder);
  v.String("FilmsFolder", r.FilmsFolder);
  v.String("LinksFolder", r.LinksFolder);
  v.String("ProcessesFolder", r.ProcessesFolder);
  v.String("ButtonsFolder", r.ButtonsFolder);
  v.String("DocumentsFolder", r.DocumentsFolder, Since('e'));
  v.I32("ColourIndex", r.ColourIndex);
  v.I32("ResolutionIndex", r.ResolutionIndex);
  v.Byte("Centred", r.Centred);
  v.String("BorderPicture", r.BorderPicture);
  v.Byte("PreloadFiles", r.PreloadFiles);
}

template <class V>
void VisitFields(TMed& r, V& v) {
  v.I32("Screen", r.Screen);
  v.I32("AdvanceMs", r.AdvanceMs, Since('d'));
  v.I32("TransitionIndex", r.TransitionIndex);
}

template <class V>
void VisitFields(TEkr& r, V& v) {
  v.String("Name", r.Name);
  v.I32("Background", r.Background);
  v.IndexSet("Images", r.Images);
  v.IndexSet("Captions", r.Captions);
  v.IndexSet("Texts", r.Texts);
  v.IndexSet("Sounds", r.Sounds);
  v.IndexSet("Films", r.Films);
  v.IndexSet("Animations", r.Animations, Since('d'));
  v.IndexSet("Links", r.Links);
  v.IndexSet("Documents", r.Documents, Since('e'));
  v.IndexSet("Processes", r.Processes);
  v.IndexSet("Maps", r.Maps);
  v.IndexSet("Sandwiches", r.Sandwiches);
  v.IndexSet("Keys", r.Keys);
  v.I32("Tag", r.Tag);
}

template <class V>
void VisitFields(TTlo& r, V& v) {
  v.String("Name", r.Name);
  v.String("FileName", r.FileName);
  v.I32("CropLeft", r.CropLeft);
  v.I32("CropTop", r.CropTop);
  v.I32("CropRight", r.CropRight);
  v.I32("CropBottom", r.CropBottom);
}

template <class V>
void VisitFields(TObr& r, V& v) {
  v.String("Name", r.Name);
  v.String("FileName", r.FileName);
  v.Byte("Masked", r.Masked);
  v.I32("X", r.X);
  v.I32("Y", r.Y);
  v.I32("W", r.W);
  v.I32("H", r.H);
  v.Byte("VisibleAtStart", r.VisibleAtStart);
  v.I32("MapIndex", r.MapIndex);
  v.I32("ShowRegion", r.ShowRegion);
  v.I32("HideRegion", r.HideRegion);
  v.I32("DelayMs", r.DelayMs, Since('d'));
  v.I32("TransitionIn", r.TransitionIn);
  v.I32("DurationMs", r.DurationMs, Since('d'));
  v.I32("TransitionOut", r.TransitionOut, Since('d'));
  v.I32("FrameIndex", r.FrameIndex);
}

template <class V>
void VisitFields(TNap& r, V& v) {
  v.String("Name", r.Name);
  v.String("FileName", r.FileName);
  v.I32("X", r.X);
  v.I32("Y", r.Y);
  v.I32("W", r.W);
  v.I32("H", r.H);
  v.String("TextureFile", r.TextureFile, Since('d'));
  v.I32("DelayMs", r.DelayMs, Since('d'));
  v.I32("TransitionIn", r.TransitionIn, Since('d'));
  v.I32("DurationMs", r.DurationMs, Since('d'));
  v.I32("TransitionOut", r.TransitionOut, Since('d'));
  v.I32("FrameIndex", r.FrameIndex);
  v.String("FontName", r.FontName);
  v.I32("FontSize", r.FontSize);
  v.I32("Colour", r.Colour);
  v.Byte("Bold", r.Bold);
  v.Byte("Italic", r.Italic);
  v.Byte("Underline", r.Underline);
  v.Byte("StrikeOut", r.StrikeOut);
  v.I32("Charset", r.Charset, Since('f'));
}

template <class V>
void VisitFields(TTek& r, V& v) {
  v.String("Name", r.Name);
  v.String("FileName", r.FileName);
  v.IndexSet("Targets", r.Targets);
  v.I32("X", r.X);
  v.I32("Y", r.Y);
  v.I32("W", r.W);
  v.I32("H", r.H);
  v.Byte("VisibleAtStart", r.VisibleAtStart);
  v.I32("MapIndex", r.MapIndex);
  v.I32("ShowRegion", r.ShowRegion);
  v.I32("HideRegion", r.HideRegion);
  v.I32("PrintRegion", r.PrintRegion);
  v.Byte("Keep", r.Keep, Since('d'));
  v.I32("FrameIndex", r.FrameIndex);
  v.I32("BackColour", r.BackColour);
}

template <class V>
void VisitFields(TDzw& r, V& v) {
  v.String("Name", r.Name);
  v.String("FileName", r.FileName);
  v.Byte("AutoPlay", r.AutoPlay);
  v.I32("MapIndex", r.MapIndex);
  v.I32("PlayRegion", r.PlayRegion);
  v.I32("StopRegion", r.StopRegion);
  v.Byte("Loop", r.Loop);
}

template <class V>
void VisitFields(TFil& r, V& v) {
  v.String("Name", r.Name);
  v.String("FileName", r.FileName);
  v.String("PosterName", r.PosterName, Since('d'));
  v.Byte("Silence", r.Silence);
  v.Byte("AutoStart", r.AutoStart);
  v.I32("MapIndex", r.MapIndex);
  v.I32("PlayRegion", r.PlayRegion);
  v.I32("PauseRegion", r.PauseRegion);
  v.I32("StopRegion", r.StopRegion);
  v.I32("X", r.X);
  v.I32("Y", r.Y);
  v.I32("Width", r.Width);
  v.I32("Height", r.Height);
  v.I32("StartDelay", r.StartDelay, Since('d'));
  v.I32("StopAfter", r.StopAfter, Since('d'));
  v.I32("FrameIndex", r.FrameIndex);
}

template <class V>
void VisitFields(TKlt& r, V& v) {
  v.String("FileName", r.FileName);
  v.Byte("UseMask", r.UseMask);
  v.I32("X", r.X);
  v.I32("Y", r.Y);
  v.I32("Width", r.Width);
  v.I32("Height", r.Height);
  v.I32("Duration", r.Duration);
  v.I32("TransitionIndex", r.TransitionIndex);
}

template <class V>
void VisitFields(TAni& r, V& v) {
  v.String("Name", r.Name);
  v.I32("X", r.X);
  v.I32("Y", r.Y);
  v.I32("Width", r.Width);
  v.I32("Height", r.Height);
  v.Byte("AutoStart", r.AutoStart);
  v.Byte("Loop", r.Loop);
  v.I32("MapIndex", r.MapIndex);
  v.I32("PlayRegion", r.PlayRegion);
  v.I32("StopRegion", r.StopRegion);
  v.I32("StartDelay", r.StartDelay);
  v.I32("StopAfter", r.StopAfter);
  v.I32("TransitionIndex", r.TransitionIndex);
  v.I32("FrameIndex", r.FrameIndex);
  v.Table("Frames", r.Frames);
}

template <class V>
void VisitFields(TLin& r, V& v) {
  v.String("Name", r.Name);
  v.String("FileName", r.FileName);
  v.String("Target", r.Target);
  v.Byte("AutoOpen", r.AutoOpen, Since('e'));
  v.I32("MapIndex", r.MapIndex);
  v.I32("OpenRegion", r.OpenRegion);
  v.I32("CloseRegion", r.CloseRegion, Since('e'));
}

template <class V>
void VisitFields(TDok& r, V& v) {
  v.String("Name", r.Name);
  v.String("Folder", r.Folder);
  v.String("FileName", r.FileName);
  v.Byte("AutoOpen", r.AutoOpen);
  v.I32("MapIndex", r.MapIndex);
  v.I32("OpenRegion", r.OpenRegion);
  v.I32("CloseRegion", r.CloseRegion);
}

template <class V>
void VisitFields(TPro& r, V& v) {
  v.String("Name", r.Name);
  v.String("FileName", r.FileName);
  v.String("Parameters", r.Parameters);
  v.Byte("AutoStart", r.AutoStart);
  v.I32("MapIndex", r.MapIndex);
  v.I32("StartRegion", r.StartRegion);
  v.I32("StopRegion", r.StopRegion);
}

template <class V>
void VisitFields(TReg& r, V& v) {
  v.String("LegacyName", r.LegacyName, Through('c'));
  v.Byte("LegacyByte", r.LegacyByte, Through('c'));
  v.I32("X", r.X);
  v.I32("Y", r.Y);
  v.I32("Width", r.Width);
  v.I32("Height", r.Height);
  v.Action("Action", r.Action);
  v.String("Hint", r.Hint, Since('c'));
}

template <class V>
void VisitFields(TMap& r, V& v) {
  v.String("Name", r.Name);
  v.String("FileName", r.FileName);
  v.String("HoverFileName", r.HoverFileName);
  v.Byte("UseMask", r.UseMask);
  v.I32("X", r.X);
  v.I32("Y", r.Y);
  v.I32("Width", r.Width);
  v.I32("Height", r.Height);
  v.I32("ShowDelay", r.ShowDelay, Since('d'));
  v.I32("ShowTransition", r.ShowTransition);
  v.I32("HideAfter", r.HideAfter, Since('d'));
  v.I32("HideTransition", r.HideTransition, Since('d'));
  v.I32("FrameIndex", r.FrameIndex);
  v.Table("Regions", r.Regions);
}

template <class V>
void VisitFields(TWar& r, V& v) {
  v.String("FileName", r.FileName);
  v.Byte("Visible", r.Visible);
  v.I32("Region", r.Region);
}

template <class V>
void VisitFields(TSan& r, V& v) {
  v.String("Name", r.Name);
  v.I32("MapIndex", r.MapIndex);
  v.I32("ControlMapIndex", r.ControlMapIndex);
  v.I32("X", r.X);
  v.I32("Y", r.Y);
  v.I32("Width", r.Width);
  v.I32("Height", r.Height);
  v.I32("FrameIndex", r.FrameIndex);
  v.Table("Layers", r.Layers);
}

template <class V>
void VisitFields(TKla& r, V& v) {
  v.I32("key", r.key);
  v.Action("action", r.action);
}

template <class V>
void VisitFields(TRam& r, V& v) {
  v.String("Name", r.Name);
  v.I32("Width", r.Width);
  v.I32("Color", r.Color);
  v.Byte("Kind", r.Kind, Since('d'));
  v.String("PatternFile", r.PatternFile, Since('d'));
}

template <class V>
void VisitFields(TPrz& r, V& v) {
  v.String("Name", r.Name);
  v.Byte("Kind", r.Kind);
  v.I32("DelayMs", r.DelayMs);
  v.I32("Steps", r.Steps);
}

// The whole file after the edition byte: the header, then the seventeen tables in file order.
template <class V>
void VisitDefinition(Definition& d, V& v) {
  v.Record("header", d.header);
  v.Table("TMedia", d.TMedia);
  v.Table("TEkrany", d.TEkrany);
  v.Table("TTla", d.TTla);
  v.Table("TObrazy", d.TObrazy);
  v.Table("TNapisy", d.TNapisy);
  v.Table("TTeksty", d.TTeksty);
  v.Table("TDzwieki", d.TDzwieki);
  v.Table("TFilmy", d.TFilmy);
  v.Table("TAnimacje", d.TAnimacje, Since('d'));
  v.Table("TLinki", d.TLinki);
  v.Table("TDoki", d.TDoki, Since('e'));
  v.Table("TProcesy", d.TProcesy);
  v.Table("TMapy", d.TMapy);
  v.Table("TSandwicze", d.TSandwicze);
  v.Table("TKlawisze", d.TKlawisze);
  v.Table("TRamki", d.TRamki);
  v.Table("TPrzeniki", d.TPrzeniki);
}

}  // namespace velmorant
