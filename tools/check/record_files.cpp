#include "check/record_files.hpp"

namespace velmorant::check {

namespace {

Where At(const char* table, size_t index) {
  return {table, int64_t(index), {}};
}

void CheckPictures(const Definition& d, AssetProbe& probe) {
  const TOgolneFields& h = d.header;
  probe.File({"header", -1, "BorderPicture"}, kAssetBackgrounds, h.BorderPicture,
             FileType::kPicture);
  for (size_t i = 0; i < d.TTla.size(); ++i) {
    probe.File(At("TTla", i).Field("FileName"), kAssetBackgrounds, d.TTla[i].FileName,
               FileType::kPicture);
  }
  for (size_t i = 0; i < d.TObrazy.size(); ++i) {
    const TObr& r = d.TObrazy[i];
    const Where field = At("TObrazy", i).Field("FileName");
    if (probe.File(field, kAssetImages, r.FileName, FileType::kPicture) && r.Masked) {
      probe.Mask(field, kAssetImages, r.FileName);
    }
  }
  for (size_t i = 0; i < d.TNapisy.size(); ++i) {
    const TNap& r = d.TNapisy[i];
    probe.File(At("TNapisy", i).Field("FileName"), kAssetCaptions, r.FileName, FileType::kCaption);
    // The texture fills the letters only of a caption that has a file.
    if (!r.FileName.empty()) {
      probe.File(At("TNapisy", i).Field("TextureFile"), kAssetBackgrounds, r.TextureFile,
                 FileType::kPicture);
    }
  }
}

std::vector<bool> CheckMedia(const Definition& d, AssetProbe& probe) {
  for (size_t i = 0; i < d.TTeksty.size(); ++i) {
    probe.File(At("TTeksty", i).Field("FileName"), kAssetTexts, d.TTeksty[i].FileName,
               FileType::kRichText);
  }
  for (size_t i = 0; i < d.TDzwieki.size(); ++i) {
    probe.File(At("TDzwieki", i).Field("FileName"), kAssetSounds, d.TDzwieki[i].FileName,
               FileType::kWave);
  }
  std::vector<bool> films_play(d.TFilmy.size(), false);
  for (size_t i = 0; i < d.TFilmy.size(); ++i) {
    const TFil& r = d.TFilmy[i];
    films_play[i] = !r.FileName.empty() && probe.File(At("TFilmy", i).Field("FileName"),
                                                      kAssetFilms, r.FileName, FileType::kFilm);
    probe.File(At("TFilmy", i).Field("PosterName"), kAssetImages, r.PosterName, FileType::kPicture);
  }
  for (size_t i = 0; i < d.TAnimacje.size(); ++i) {
    const auto& frames = d.TAnimacje[i].Frames;
    for (size_t k = 0; k < frames.size(); ++k) {
      const Where field = At("TAnimacje", i).Item("Frames", k).Field("FileName");
      if (probe.File(field, kAssetAnimationFrames, frames[k].FileName, FileType::kPicture) &&
          frames[k].UseMask) {
        probe.Mask(field, kAssetAnimationFrames, frames[k].FileName);
      }
    }
  }
  return films_play;
}

void CheckShellFiles(const Definition& d, AssetProbe& probe) {
  for (size_t i = 0; i < d.TLinki.size(); ++i) {
    const TLin& r = d.TLinki[i];
    // The file wins when both are given.
    if (!r.FileName.empty()) {
      probe.File(At("TLinki", i).Field("FileName"), kAssetLinks, r.FileName, FileType::kOpened);
    } else {
      probe.LinkTarget(At("TLinki", i).Field("Target"), r.Target);
    }
  }
  for (size_t i = 0; i < d.TDoki.size(); ++i) {
    const TDok& r = d.TDoki[i];
    // A document without a folder opens nothing: its file is an ignored value.
    if (r.Folder.empty()) continue;
    if (r.FileName.empty()) {
      probe.Folder(At("TDoki", i).Field("Folder"), kAssetDocuments, r.Folder);
    } else {
      probe.File(At("TDoki", i).Field("FileName"), kAssetDocuments, r.Folder + "\\" + r.FileName,
                 FileType::kOpened);
    }
  }
  for (size_t i = 0; i < d.TProcesy.size(); ++i) {
    probe.File(At("TProcesy", i).Field("FileName"), kAssetProcesses, d.TProcesy[i].FileName,
               FileType::kAny);
  }
}

void CheckMapsLayersAndFrames(const Definition& d, AssetProbe& probe) {
  for (size_t i = 0; i < d.TMapy.size(); ++i) {
    const TMap& r = d.TMapy[i];
    const Where field = At("TMapy", i).Field("FileName");
    if (probe.File(field, kAssetButtons, r.FileName, FileType::kPicture) && r.UseMask) {
      probe.Mask(field, kAssetButtons, r.FileName);
    }
    probe.File(At("TMapy", i).Field("HoverFileName"), kAssetButtons, r.HoverFileName,
               FileType::kPicture);
  }
  for (size_t i = 0; i < d.TSandwicze.size(); ++i) {
    const auto& layers = d.TSandwicze[i].Layers;
    for (size_t k = 0; k < layers.size(); ++k) {
      const Where field = At("TSandwicze", i).Item("Layers", k).Field("FileName");
      // Every layer is drawn through its own mask.
      if (probe.File(field, kAssetImages, layers[k].FileName, FileType::kPicture)) {
        probe.Mask(field, kAssetImages, layers[k].FileName);
      }
    }
  }
  for (size_t i = 0; i < d.TRamki.size(); ++i) {
    probe.File(At("TRamki", i).Field("PatternFile"), kAssetBackgrounds, d.TRamki[i].PatternFile,
               FileType::kPicture);
  }
}

}  // namespace

std::vector<bool> CheckRecordFiles(const Definition& definition, AssetProbe& probe) {
  CheckPictures(definition, probe);
  std::vector<bool> films_play = CheckMedia(definition, probe);
  CheckShellFiles(definition, probe);
  CheckMapsLayersAndFrames(definition, probe);
  return films_play;
}

}  // namespace velmorant::check
