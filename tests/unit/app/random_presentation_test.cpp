// Plays randomly made presentations, sound and absurd values mixed, hostile files and names among
// them, with random input: the player must come through every one without a crash, a hang or a
// sanitizer report.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "app/player.hpp"
#include "definition/loader.hpp"
#include "platform/window/headless_backend.hpp"
#include "support/bmp_builder.hpp"
#include "support/film_builder.hpp"
#include "support/test_files.hpp"
#include "support/wave_builder.hpp"

namespace velmorant {
namespace {

namespace fs = std::filesystem;

class Dice {
 public:
  explicit Dice(uint32_t seed) : rng_(seed) {}
  int32_t Between(int32_t lo, int32_t hi) {
    return std::uniform_int_distribution<int32_t>(lo, hi)(rng_);
  }
  bool Chance(int percent) { return Between(1, 100) <= percent; }
  template <class T>
  const T& Pick(std::initializer_list<T> items) {
    return *(items.begin() + Between(0, int32_t(items.size()) - 1));
  }
  // Mostly ordinary numbers, now and then one from the edges of the 32-bit range.
  int32_t Wild(int32_t lo, int32_t hi) {
    if (Chance(8)) return Pick<int32_t>({INT32_MIN, -1000000, 1000000, INT32_MAX});
    return Between(lo, hi);
  }

 private:
  std::mt19937 rng_;
};

void WriteText(const fs::path& path, const std::string& text) {
  testing::WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::vector<uint8_t> SolidBmp(int32_t w, int32_t h, uint8_t shade) {
  testing::BmpSpec s;
  s.width = w;
  s.height = h;
  s.bits = 24;
  s.pixels = testing::PackRows(w, h, 24, [&](int32_t x, int32_t y) {
    return uint32_t((x * 7 + y * 13 + shade) & 0xFF) * 0x010101u;
  });
  return testing::BuildBmp(s);
}

std::string AnyFile(Dice& d) {
  if (d.Chance(70)) return d.Pick<std::string>({"a.bmp", "B.BMP", "missing.bmp", ""});
  // What a stranger's presentation may hold: special files, links out, names that climb out or
  // are too short for the mask rule, control characters.
  return d.Pick<std::string>({"pipe.bmp", "dir.bmp", "zero.bmp", "huge.bmp", "out.bmp",
                              "claims.bmp", "..\\..\\a.bmp", "ab", "a", "\x1b[2J\x9b.bmp"});
}

// The hostile files of an asset folder, beside the ordinary ones.
void AddHostileFiles(const fs::path& folder, const fs::path& outside) {
  testing::MakeSpecialFiles(folder, "", ".bmp");
  fs::rename(folder / "folder.bmp", folder / "dir.bmp");
  fs::create_symlink(outside / "a.bmp", folder / "out.bmp");
  testing::WriteBytes(folder / "claims.bmp", testing::RleClaimingSize(2048, 1024));
}

// Timings from none through short to absurd, so that timers race each other and the page.
int32_t AnyDelay(Dice& d) {
  return d.Pick<int32_t>({0, 0, -5, 1, 30, 250, 900});
}

void AddRandomImagesSandwichesAndAnimations(Dice& d, Definition& def) {
  for (int i = d.Between(0, 4); i > 0; --i) {
    TObr o;
    o.FileName = AnyFile(d);
    o.Masked = uint8_t(d.Chance(50));
    o.X = d.Wild(-3, 110);
    o.Y = d.Wild(-3, 110);
    o.W = d.Wild(-5, 120);
    o.H = d.Wild(-5, 120);
    o.VisibleAtStart = uint8_t(d.Chance(60));
    o.MapIndex = d.Between(-1, 4);
    o.ShowRegion = d.Between(-1, 5);
    o.HideRegion = d.Between(-1, 5);
    o.DelayMs = AnyDelay(d);
    o.DurationMs = AnyDelay(d);
    o.TransitionIn = d.Between(-1, 6);
    o.TransitionOut = d.Between(-1, 6);
    o.FrameIndex = d.Between(-1, 4);
    def.TObrazy.push_back(o);
  }
  for (int i = d.Between(0, 3); i > 0; --i) {
    TSan s;
    s.MapIndex = d.Between(-1, 4);
    s.ControlMapIndex = d.Between(-1, 4);
    s.X = d.Wild(-3, 110);
    s.Y = d.Wild(-3, 110);
    s.Width = d.Wild(-5, 120);
    s.Height = d.Wild(-5, 120);
    s.FrameIndex = d.Between(-1, 4);
    for (int l = d.Between(0, 4); l > 0; --l) {
      s.Layers.push_back({0, AnyFile(d), uint8_t(d.Chance(60)), d.Between(-1, 5)});
    }
    def.TSandwicze.push_back(s);
  }
  for (int i = d.Between(0, 3); i > 0; --i) {
    TAni a;
    a.X = d.Wild(-3, 110);
    a.Y = d.Wild(-3, 110);
    a.Width = d.Wild(-5, 120);
    a.Height = d.Wild(-5, 120);
    a.AutoStart = uint8_t(d.Chance(60));
    a.Loop = uint8_t(d.Chance(60));
    a.MapIndex = d.Between(-1, 4);
    a.PlayRegion = d.Between(-1, 5);
    a.StopRegion = d.Between(-1, 5);
    a.StartDelay = AnyDelay(d);
    a.StopAfter = AnyDelay(d);
    a.TransitionIndex = d.Between(-1, 6);
    a.FrameIndex = d.Between(-1, 4);
    for (int f = d.Between(0, 5); f > 0; --f) {
      a.Frames.push_back({AnyFile(d), uint8_t(d.Chance(50)), d.Wild(-10, 40), d.Wild(-10, 40),
                          d.Wild(-5, 60), d.Wild(-5, 60), AnyDelay(d), d.Between(-1, 6)});
    }
    def.TAnimacje.push_back(a);
  }
}

Definition RandomDefinition(Dice& d) {
  Definition def;
  def.header.Centred = uint8_t(d.Chance(20));
  def.header.ButtonsFolder = d.Pick<std::string>({"przyciski", "przyciski", "."});
  def.header.PreloadFiles = uint8_t(d.Chance(30));
  def.header.ResolutionIndex = d.Between(-1, 4);
  def.header.ColourIndex = d.Between(-1, 4);
  for (int i = d.Between(0, 5); i > 0; --i) {
    def.TPrzeniki.push_back(
        {"t", uint8_t(d.Between(-2, 14)), d.Between(-10, 30), d.Between(-1, 5)});
  }
  // Now and then step counts and pauses no page can afford.
  if (d.Chance(25)) {
    def.TPrzeniki.push_back({"huge", uint8_t(d.Between(1, 12)),
                             d.Pick<int32_t>({0, 1, 100000, INT32_MAX}),
                             d.Pick<int32_t>({4096, 100000, INT32_MAX})});
  }
  for (int i = d.Between(0, 3); i > 0; --i) {
    def.TRamki.push_back({"r", d.Between(-1, 6), d.Wild(0, 0xFFFFFF), uint8_t(d.Between(0, 6)),
                          d.Pick<std::string>({"", "a.bmp", "missing.bmp"})});
  }
  for (int i = d.Between(0, 3); i > 0; --i) {
    TTlo t;
    t.FileName = AnyFile(d);
    t.CropLeft = d.Wild(-50, 60);
    t.CropTop = d.Wild(-50, 60);
    t.CropRight = d.Wild(40, 150);
    t.CropBottom = d.Wild(40, 150);
    def.TTla.push_back(t);
  }
  for (int i = d.Between(0, 4); i > 0; --i) {
    TMap m;
    m.FileName = AnyFile(d);
    m.HoverFileName = AnyFile(d);
    m.UseMask = uint8_t(d.Chance(50));
    m.X = d.Wild(-3, 110);
    m.Y = d.Wild(-3, 110);
    m.Width = d.Wild(-5, 120);
    m.Height = d.Wild(-5, 120);
    m.ShowDelay = d.Pick<int32_t>({0, 0, -5, 50, 400});
    m.ShowTransition = d.Between(-1, 6);
    m.HideAfter = d.Pick<int32_t>({0, 0, -1, 100, 700});
    m.HideTransition = d.Between(-1, 6);
    m.FrameIndex = d.Between(-1, 4);
    for (int r = d.Between(0, 5); r > 0; --r) {
      TReg g;
      g.X = d.Wild(-10, 60);
      g.Y = d.Wild(-10, 60);
      g.Width = d.Wild(-10, 80);
      g.Height = d.Wild(-10, 80);
      g.Action = {uint8_t(d.Pick<int32_t>({0, 1, 2, 3, 4, 5, 6, 7, 8, 200})), d.Wild(-3, 8)};
      g.Hint = d.Pick<std::string>({"", "podpowiedź", std::string(255, 'x')});
      m.Regions.push_back(g);
    }
    def.TMapy.push_back(m);
  }
  AddRandomImagesSandwichesAndAnimations(d, def);
  for (int i = d.Between(0, 3); i > 0; --i) {
    TNap n;
    n.FileName = d.Pick<std::string>({"a.txt", "A.TXT", "missing.txt", "", "pipe.txt", "huge.txt"});
    n.X = d.Wild(-3, 110);
    n.Y = d.Wild(-3, 110);
    n.W = d.Wild(-5, 120);
    n.H = d.Pick<int32_t>({0, 0, 30, -5, d.Wild(-5, 120)});
    n.TextureFile = d.Pick<std::string>({"", "", "a.bmp", "missing.bmp"});
    n.DelayMs = d.Pick<int32_t>({0, 0, -1, 300});
    n.TransitionIn = d.Between(-1, 6);
    n.DurationMs = d.Pick<int32_t>({0, 0, 500});
    n.TransitionOut = d.Between(-1, 6);
    n.FrameIndex = d.Between(-1, 4);
    n.FontName = d.Pick<std::string>({"Arial", "Times New Roman CE", "", "Nie ma takiej"});
    n.FontSize = d.Pick<int32_t>({12, 0, -3, 72, d.Wild(-5, 40)});
    n.Colour = d.Wild(0, 0xFFFFFF);
    n.Bold = uint8_t(d.Between(0, 1));
    n.Underline = uint8_t(d.Between(0, 1));
    n.Charset = d.Pick<int32_t>({0, 1, 204, 238, 128, 255, -1});
    def.TNapisy.push_back(n);
  }
  for (int i = d.Between(0, 3); i > 0; --i) {
    TTek t;
    t.FileName = d.Pick<std::string>({"a.rtf", "b.rtf", "missing.rtf", "", "pipe.rtf", "zero.rtf"});
    for (int k = d.Between(0, 3); k > 0; --k) t.Targets.Add(d.Wild(-2, 8));
    t.X = d.Wild(-3, 110);
    t.Y = d.Wild(-3, 110);
    t.W = d.Wild(-5, 120);
    t.H = d.Wild(-5, 120);
    t.VisibleAtStart = uint8_t(d.Chance(70));
    t.MapIndex = d.Between(-1, 4);
    t.ShowRegion = d.Between(-2, 5);
    t.HideRegion = d.Between(-2, 5);
    t.PrintRegion = d.Between(-2, 5);
    t.Keep = uint8_t(d.Chance(30));
    t.FrameIndex = d.Between(-1, 4);
    t.BackColour = d.Wild(0, 0xFFFFFF);
    def.TTeksty.push_back(t);
  }
  for (int i = d.Between(0, 3); i > 0; --i) {
    TDzw s;
    s.FileName = d.Pick<std::string>({"s.wav", "S.WAV", "bad.wav", "missing.wav", ""});
    s.AutoPlay = uint8_t(d.Chance(60));
    s.Loop = uint8_t(d.Chance(40));
    s.MapIndex = d.Between(-1, 4);
    s.PlayRegion = d.Between(-1, 5);
    s.StopRegion = d.Between(-1, 5);
    def.TDzwieki.push_back(s);
  }
  for (int i = d.Between(0, 3); i > 0; --i) {
    TFil f;
    f.FileName = d.Pick<std::string>({"f.avi", "F.AVI", "bad.avi", "missing.avi", ""});
    f.PosterName = d.Pick<std::string>({"", "a.bmp", "missing.bmp"});
    f.Silence = uint8_t(d.Chance(50));
    f.AutoStart = uint8_t(d.Chance(50));
    f.MapIndex = d.Between(-1, 4);
    f.PlayRegion = d.Between(-1, 5);
    f.PauseRegion = d.Between(-1, 5);
    f.StopRegion = d.Between(-1, 5);
    f.X = d.Wild(-3, 110);
    f.Y = d.Wild(-3, 110);
    f.Width = d.Wild(-5, 120);
    f.Height = d.Wild(-5, 120);
    f.StartDelay = d.Pick<int32_t>({0, 0, -5, 50, 400});
    f.StopAfter = d.Pick<int32_t>({0, 0, -1, 100, 700});
    f.FrameIndex = d.Between(-1, 4);
    def.TFilmy.push_back(f);
  }
  const auto any_name = [&d] {
    return d.Pick<std::string>({"", "a.bmp", "missing.txt", "..\\..\\out.txt", "sub\\x.sh"});
  };
  for (int i = d.Between(0, 3); i > 0; --i) {
    def.TLinki.push_back({"l", any_name(), d.Pick<std::string>({"", "https://example.org/"}),
                          uint8_t(d.Chance(50)), d.Between(-1, 4), d.Between(-1, 5),
                          d.Between(-1, 5)});
    def.TDoki.push_back({"d", d.Pick<std::string>({"", "raport", ".."}), any_name(),
                         uint8_t(d.Chance(50)), d.Between(-1, 4), d.Between(-1, 5),
                         d.Between(-1, 5)});
    def.TProcesy.push_back({"p", any_name(), d.Pick<std::string>({"", "#", "\"# a\" /p"}),
                            uint8_t(d.Chance(50)), d.Between(-1, 4), d.Between(-1, 5),
                            d.Between(-1, 5)});
  }
  const int32_t screens = d.Between(0, 4);
  for (int i = 0; i < screens; ++i) {
    TEkr e;
    e.Background = d.Between(-1, 3);
    for (int k = d.Between(0, 3); k > 0; --k) e.Maps.Add(d.Between(-1, 4));
    for (int k = d.Between(0, 3); k > 0; --k) e.Images.Add(d.Between(-1, 4));
    for (int k = d.Between(0, 2); k > 0; --k) e.Sandwiches.Add(d.Between(-1, 3));
    for (int k = d.Between(0, 2); k > 0; --k) e.Animations.Add(d.Between(-1, 3));
    for (int k = d.Between(0, 4); k > 0; --k) e.Keys.Add(d.Between(-1, 4));
    for (int k = d.Between(0, 2); k > 0; --k) e.Sounds.Add(d.Between(-1, 2));
    for (int k = d.Between(0, 2); k > 0; --k) e.Captions.Add(d.Between(-1, 3));
    for (int k = d.Between(0, 2); k > 0; --k) e.Texts.Add(d.Between(-1, 3));
    for (int k = d.Between(0, 2); k > 0; --k) e.Films.Add(d.Between(-1, 3));
    for (int k = d.Between(0, 2); k > 0; --k) e.Links.Add(d.Between(-1, 3));
    for (int k = d.Between(0, 2); k > 0; --k) e.Documents.Add(d.Between(-1, 3));
    for (int k = d.Between(0, 2); k > 0; --k) e.Processes.Add(d.Between(-1, 3));
    // A list far longer than any screen uses, of one value again and again.
    if (d.Chance(15)) {
      TIntWektor& set = *d.Pick<TIntWektor*>({&e.Images, &e.Maps, &e.Captions, &e.Keys, &e.Sounds});
      set.Items().assign(size_t(d.Between(1000, 1100)), d.Between(-1, 2));
    }
    def.TEkrany.push_back(e);
  }
  for (int i = d.Between(0, 6); i > 0; --i) {
    def.TMedia.push_back(
        {d.Between(-1, screens), d.Pick<int32_t>({0, 0, 150, 600}), d.Between(-1, 6)});
  }
  if (d.Chance(30)) def.TKlawisze.push_back({d.Pick<int32_t>({65, 32, -1}), {7, 0}});
  NumberRecords(def);
  return def;
}

std::string RandomScript(Dice& d) {
  std::string s;
  for (int i = 0; i < 40; ++i) {
    const int32_t x = d.Between(-10, 170);
    const int32_t y = d.Between(-10, 130);
    switch (d.Between(0, 6)) {
      case 0:
        s += "wait " + std::to_string(d.Between(0, 900)) + "\n";
        break;
      case 1:
        s += "move " + std::to_string(x) + " " + std::to_string(y) + "\n";
        break;
      case 2:
        s += "click " + std::to_string(x) + " " + std::to_string(y) + "\n";
        break;
      case 3:
        s += "key " + std::to_string(d.Pick<int32_t>({13, 8, 27, 65, 32, 33, 34, 38, 40})) + "\n";
        break;
      case 4:
        s += "close\n";
        break;
      case 5:
        s += "wheel " + std::to_string(x) + " " + std::to_string(y) + " -120\n";
        break;
      default:
        s += "snapshot shot\n";
        break;
    }
  }
  return s;
}

TEST(RandomPresentations, PlayWithoutCrashingWhateverTheyHold) {
  const fs::path root =
      fs::temp_directory_path() / ("velmorant-random-" + std::to_string(::getpid()));
  // More with VELMORANT_RANDOM_SEEDS=N for a longer search.
  const char* more = std::getenv("VELMORANT_RANDOM_SEEDS");
  const uint32_t seeds = more ? uint32_t(std::strtoul(more, nullptr, 10)) : 60;
  for (uint32_t seed = 1; seed <= seeds; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Dice d(seed);
    const fs::path show = root / std::to_string(seed);
    const fs::path outside = root / (std::to_string(seed) + "-outside");
    testing::WriteBytes(outside / "a.bmp", SolidBmp(8, 8, 77));
    for (const char* folder : {"tla", "przyciski", "obrazy", "filmy", ""}) {
      testing::WriteBytes(show / folder / "a.bmp",
                          SolidBmp(d.Between(1, 40), d.Between(1, 30), 10));
      testing::WriteBytes(show / folder / "b.bmp",
                          SolidBmp(d.Between(1, 40), d.Between(1, 30), 99));
      testing::WriteBytes(show / folder / "a.msk",
                          SolidBmp(d.Between(1, 40), d.Between(1, 30), 200));
      if (d.Chance(50)) AddHostileFiles(show / folder, outside);
    }
    // Now and then a whole asset folder is a link out of the presentation.
    if (d.Chance(15)) {
      fs::remove_all(show / "tla");
      fs::create_symlink(outside, show / "tla");
    }
    // Special files where captions and texts are read.
    if (d.Chance(30)) {
      testing::MakeSpecialFiles(show / "napisy", "", ".txt");
      testing::MakeSpecialFiles(show / "teksty", "", ".rtf");
    }
    WriteText(show / "napisy" / "a.txt", "Zaż\xf3\xb3\xe6 g\xea\x9cl\xb9 ja\x9f\xf1 ");
    WriteText(show / "teksty" / "a.rtf",
              "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0 Arial CE;}}\\f0 Id\\'9f "
              "{\\ul tu} albo {\\ul tam}\\par\\tab koniec\\line " +
                  std::string(size_t(d.Between(0, 3000)), 'x') + "}");
    WriteText(show / "teksty" / "b.rtf",
              d.Pick<std::string>({"{\\rtf1 {{{\\ul", "plain\r\ntext", ""}));
    testing::WriteBytes(show / "dzwieki" / "bad.wav", {'R', 'I', 'F', 'F', 9, 0, 0, 0, 'W'});
    testing::WriteBytes(show / "filmy" / "bad.avi",
                        {'R', 'I', 'F', 'F', 9, 0, 0, 0, 'A', 'V', 'I'});
    fixtures::WriteSquareWave(show / "dzwieki" / "s.wav", 8000, uint32_t(d.Between(0, 4000)));
    fixtures::WriteAvi(show / "filmy" / "f.avi", d.Between(1, 20), d.Between(1, 20), 10,
                       d.Between(1, 8), fixtures::FilmCodec::kRaw,
                       [](int f, int x, int y) { return uint32_t(f * 0x203040 + x * 9 + y); });
    const WriteResult written = WriteDefinition(RandomDefinition(d), 'g');
    ASSERT_EQ(written.error, "");
    // The definition itself is sometimes a link that stays inside.
    if (d.Chance(20)) {
      testing::WriteBytes(show / "data" / "real.med", written.bytes);
      fs::create_symlink("data/real.med", show / "info.med");
    } else {
      testing::WriteBytes(show / "info.med", written.bytes);
    }

    platform::HeadlessOptions options;
    options.screen = {160, 120, 32};
    options.script = platform::ParseScript(RandomScript(d)).commands;
    options.snapshots = show;
    platform::HeadlessBackend backend(std::move(options));
    PlayerOptions player_options;
    player_options.presentation = show;
    player_options.interval = d.Pick<std::string>({"", "1", "abc"});
    Player player(backend, *platform::CodePage::Open(1250), player_options);
    EXPECT_EQ(player.Run(), 0);
  }
  fs::remove_all(root);
}

}  // namespace
}  // namespace velmorant
