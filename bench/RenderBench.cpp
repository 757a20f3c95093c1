// Recolouring plus rendering, as every edit of the menu runs them.
#include "app/EditorModel.h"
#include "platform/ScriptedPlatform.h"
#include "EditorModelAccess.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using namespace orvane;

struct Editor {
    ScriptedPlatform platform;
    EditorModel model{platform, std::filesystem::temp_directory_path()};
    Editor() { model.StartNewMenu(); }
};

// A new menu: title, text, one button, auto-sized, "XP Style".
void BM_DefaultMenu(benchmark::State& state) {
    Editor e;
    for (auto _ : state) {
        e.model.ColorSkin(true);
        benchmark::DoNotOptimize(e.model.Doc().MenuImage.Data());
    }
}
BENCHMARK(BM_DefaultMenu)->Unit(benchmark::kMillisecond)->UseRealTime();

// Thirty buttons on a 1024 x 768 menu, sizes set by hand.
void BM_ThirtyButtons1024(benchmark::State& state) {
    Editor e;
    MenuDocument& d = EditorModelAccess::Doc(e.model);
    d.Props.AutoSizeMenu = false;
    d.Props.AutoSizeButtons = false;
    d.Props.MenuWidth = 1024;
    d.Props.MenuHeight = 768;
    d.Props.ButtonWidth = 160;
    d.Props.ButtonHeight = 18;
    d.Props.ButtonGap = 4;
    d.Menu.ButtonCount = 30;
    for (int i = 1; i <= 30; ++i) d.Menu.Buttons[size_t(i)].Caption = "Button &" + std::to_string(i);
    for (auto _ : state) {
        e.model.ColorSkin(true);
        benchmark::DoNotOptimize(e.model.Doc().MenuImage.Data());
    }
}
BENCHMARK(BM_ThirtyButtons1024)->Unit(benchmark::kMillisecond)->UseRealTime();

// A photo style at 1024 x 768 with the smooth-scaled photo cached.
void BM_PhotoStyle1024(benchmark::State& state) {
    Editor e;
    MenuDocument& d = EditorModelAccess::Doc(e.model);
    d.BackgroundPhoto = Bitmap(2000, 1500);
    for (size_t i = 0; i < d.BackgroundPhoto.PixelCount(); ++i) d.BackgroundPhoto.Data()[i] = uint32_t(i * 2654435761u);
    if (e.model.FastScaling()) e.model.Properties().ToggleHighQualityScaling();  // the smooth scaler
    e.model.PhotoChanged();
    e.model.ComboBox1Select(kSharpPhotoPosition);
    d.Props.AutoSizeMenu = false;
    d.Props.MenuWidth = 1024;
    d.Props.MenuHeight = 768;
    d.Menu.ButtonCount = 5;
    e.model.ColorSkin(true);  // fills the cache
    for (auto _ : state) {
        e.model.ColorSkin(true);
        benchmark::DoNotOptimize(e.model.Doc().MenuImage.Data());
    }
}
BENCHMARK(BM_PhotoStyle1024)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
