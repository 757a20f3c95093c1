// The ceilings: time and peak memory of opening, rendering and saving the
// largest everyday menu (a 1024 x 768 photo style with 30 buttons of 240 x 120
// and a 3000 x 2000 photo), and of redrawing the largest menu the editor can
// make at all: an auto-sized photo style grown to its 4096 x 4800 cap by a
// 500-character title and a long text, as each key typed into the title
// redraws it. "peak_MB" is the most heap the step held above what was held
// before it; "held_MB" the whole heap at that peak; "rss_MB" the process's
// high-water mark.
#include "app/EditorModel.h"
#include "platform/ImageIO.h"
#include "platform/ScriptedPlatform.h"
#include "EditorModelAccess.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/resource.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>

namespace {

std::atomic<long long> gHeld{0};
std::atomic<long long> gPeak{0};

void* Counted(std::size_t size) {
    void* p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    const long long now = gHeld += (long long)malloc_usable_size(p);
    for (long long peak = gPeak; now > peak && !gPeak.compare_exchange_weak(peak, now);) {
    }
    return p;
}

void Uncounted(void* p) {
    if (!p) return;
    gHeld -= (long long)malloc_usable_size(p);
    std::free(p);
}

}  // namespace

void* operator new(std::size_t size) { return Counted(size); }
void* operator new[](std::size_t size) { return Counted(size); }
void operator delete(void* p) noexcept { Uncounted(p); }
void operator delete[](void* p) noexcept { Uncounted(p); }
void operator delete(void* p, std::size_t) noexcept { Uncounted(p); }
void operator delete[](void* p, std::size_t) noexcept { Uncounted(p); }

namespace {

using namespace orvane;
namespace fs = std::filesystem;

// Measures a step's peak heap above what was held when it began.
class PeakHeap {
public:
    PeakHeap() : base_(gHeld) { gPeak = base_; }
    double Megabytes() const { return double(gPeak - base_) / (1024.0 * 1024.0); }
    // The whole heap at the step's peak, the editor's own images included.
    static double HeldMegabytes() { return double(gPeak) / (1024.0 * 1024.0); }

private:
    long long base_;
};

double MaxRssMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

struct Largest {
    fs::path folder = fs::temp_directory_path() / ("orvane-ceilings-" + std::to_string(::getpid()));
    ScriptedPlatform platform;
    EditorModel model{platform, folder};

    Largest() {
        fs::create_directories(folder);
        Bitmap photo(3000, 2000);
        for (size_t i = 0; i < photo.PixelCount(); ++i) photo.Data()[i] = uint32_t(i * 2654435761u) & 0xFFFFFF;
        const std::vector<uint8_t> bmp = WriteBmp(photo, 24);
        std::FILE* f = std::fopen((folder / "photo.bmp").c_str(), "wb");
        std::fwrite(bmp.data(), 1, bmp.size(), f);
        std::fclose(f);

        model.StartNewMenu();
        platform.DialogAnswers = {folder / "photo.bmp"};
        model.SetBackgroundImage();
        MenuProperties& p = EditorModelAccess::Doc(model).Props;
        p.AutoSizeMenu = false;
        p.MenuWidth = kMenuWidthRange.Max;
        p.MenuHeight = kMenuHeightRange.Max;
        p.AutoSizeButtons = false;
        p.ButtonWidth = kButtonWidthRange.Max;
        p.ButtonHeight = kButtonHeightRange.Max;
        while (model.Doc().Menu.ButtonCount < kMaxButtons) model.Buttons().Add();
        if (model.FastScaling()) model.Properties().ToggleHighQualityScaling();  // the smooth scaler
        model.PhotoChanged();
        model.ColorSkin(true);
        EditorModelAccess::Doc(model).Menu.FileName = "largest.mng";
        EditorModelAccess::Doc(model).Menu.Folder = folder.string() + "/";
        model.BinMenuSave(SaveMode::Menu, model.Doc().Menu.Folder, "largest.mng");
        platform.Messages.clear();
    }
    ~Largest() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
};

// The menu at the editor's size cap, auto-sized, with the smooth scaler.
struct Capped {
    fs::path folder = fs::temp_directory_path() / ("orvane-capped-" + std::to_string(::getpid()));
    ScriptedPlatform platform;
    EditorModel model{platform, folder};

    Capped() {
        fs::create_directories(folder);
        Bitmap photo(2560, 3000);  // the cap's own proportion
        for (size_t i = 0; i < photo.PixelCount(); ++i) photo.Data()[i] = uint32_t(i * 2654435761u) & 0xFFFFFF;
        const std::vector<uint8_t> bmp = WriteBmp(photo, 24);
        std::FILE* f = std::fopen((folder / "photo.bmp").c_str(), "wb");
        std::fwrite(bmp.data(), 1, bmp.size(), f);
        std::fclose(f);

        model.StartNewMenu();
        platform.DialogAnswers = {folder / "photo.bmp"};
        model.ComboBox1Select(11);  // "MyPhoto Smooth"
        while (model.Doc().Menu.ButtonCount < kMaxButtons) model.Buttons().Add();
        std::string title;
        while (title.size() < 500) title += "Holiday " + std::to_string(title.size()) + " ";
        EditorModelAccess::Doc(model).Props.Title = title.substr(0, 500);
        std::string text;
        for (int line = 0; line < 120; ++line) text += "Line " + std::to_string(line) + " of the menu text\r\n";
        EditorModelAccess::Doc(model).Props.MenuText = text;
        if (model.FastScaling()) model.Properties().ToggleHighQualityScaling();  // the smooth scaler
        model.PhotoChanged();
        model.ColorSkin(true);
        platform.Messages.clear();
    }
    ~Capped() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
};

Largest& Menu() {
    static Largest largest;
    return largest;
}

void Report(benchmark::State& state, double peak) {
    state.counters["peak_MB"] = peak;
    state.counters["rss_MB"] = MaxRssMegabytes();
}

void BM_OpenLargest(benchmark::State& state) {
    Largest& m = Menu();
    double peak = 0;
    for (auto _ : state) {
        PeakHeap heap;
        m.model.BinMenuOpen("largest.mng", m.model.Doc().Menu.Folder, false);
        peak = std::max(peak, heap.Megabytes());
    }
    Report(state, peak);
}
BENCHMARK(BM_OpenLargest)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RenderLargest(benchmark::State& state) {
    Largest& m = Menu();
    double peak = 0;
    for (auto _ : state) {
        PeakHeap heap;
        m.model.PhotoChanged();  // the smooth scaler works from the photo afresh
        m.model.ColorSkin(false);
        peak = std::max(peak, heap.Megabytes());
    }
    Report(state, peak);
}
BENCHMARK(BM_RenderLargest)->Unit(benchmark::kMillisecond)->UseRealTime();

// One key typed into the title: the deferred redraw of the capped menu and
// what the design surface then shows (the menu with its text label).
void BM_RedrawCapped(benchmark::State& state) {
    static Capped m;
    static Bitmap shown;  // the surface's own copy, kept from one redraw to the next
    if (shown.IsEmpty()) m.model.DesignSurfaceBack(shown);
    if (m.model.Renderer().Layout.MenuWidth != kLargestMenuWidth ||
        m.model.Renderer().Layout.MenuHeight != kLargestMenuHeight) {
        const std::string size = std::to_string(m.model.Renderer().Layout.MenuWidth) + " x " +
                                 std::to_string(m.model.Renderer().Layout.MenuHeight);
        state.SkipWithError(("the menu did not reach the size cap: " + size).c_str());
        return;
    }
    double peak = 0, held = 0;
    std::string& title = EditorModelAccess::Doc(m.model).Props.Title;
    for (auto _ : state) {
        title.back() = title.back() == 'x' ? 'y' : 'x';
        PeakHeap heap;
        EditorModelAccess::RedrawCountdown(m.model) = 1;
        m.model.Tick();
        m.model.DesignSurfaceBack(shown);
        peak = std::max(peak, heap.Megabytes());
        held = std::max(held, PeakHeap::HeldMegabytes());
    }
    Report(state, peak);
    state.counters["held_MB"] = held;
}
BENCHMARK(BM_RedrawCapped)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveLargest(benchmark::State& state) {
    Largest& m = Menu();
    double peak = 0;
    for (auto _ : state) {
        PeakHeap heap;
        m.model.BinMenuSave(SaveMode::Menu, m.model.Doc().Menu.Folder, "saved.mng");
        peak = std::max(peak, heap.Megabytes());
    }
    Report(state, peak);
}
BENCHMARK(BM_SaveLargest)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
