// Timings of the render layer's pixel operations at the sizes the editor
// meets: a camera photo scaled to a menu, a menu scaled to a preview, and a
// menu blended over its photo.
//
// ORVANE_BENCH_PICTURE and ORVANE_BENCH_MENU_PICTURE may name binary PPMs
// (P6) to use instead of the built-in random 4000 x 3000 photo and 1024 x 768
// menu, so other programs can be timed on the same pixels.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>

#include "render/CoreGraphics.h"
#include "render/CoreGraphicsReference.h"

namespace {

using orvane::Bitmap;
using orvane::CoreGraphics;

Bitmap RandomPicture(int w, int h, uint32_t seed) {
    std::mt19937 rng(seed);
    Bitmap b(w, h);
    for (size_t i = 0; i < b.PixelCount(); ++i) b.Data()[i] = rng() & 0xFFFFFF;
    return b;
}

// Header fields may be separated by any white space; comments are not expected.
Bitmap ReadPpm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int w = 0, h = 0, maxval = 0;
    in >> magic >> w >> h >> maxval;
    in.get();
    if (!in || magic != "P6" || maxval != 255 || w < 1 || h < 1 || w > orvane::kMaxBitmapSide ||
        h > orvane::kMaxBitmapSide)
        throw std::runtime_error(path + ": not an 8-bit binary PPM");
    Bitmap b(w, h);
    std::string row(size_t(w) * 3, '\0');
    for (int y = 0; y < h; ++y) {
        if (!in.read(row.data(), std::streamsize(row.size()))) throw std::runtime_error(path + ": truncated");
        for (int x = 0; x < w; ++x)
            b.At(x, y) = orvane::MakePixel(uint8_t(row[size_t(3 * x)]), uint8_t(row[size_t(3 * x + 1)]),
                                           uint8_t(row[size_t(3 * x + 2)]));
    }
    return b;
}

Bitmap PictureFrom(const char* variable, int w, int h, uint32_t seed) {
    const char* path = std::getenv(variable);
    return path && *path ? ReadPpm(path) : RandomPicture(w, h, seed);
}

const Bitmap& Photo() {
    static const Bitmap photo = PictureFrom("ORVANE_BENCH_PICTURE", 4000, 3000, 1);
    return photo;
}

const Bitmap& Menu() {
    static const Bitmap menu = PictureFrom("ORVANE_BENCH_MENU_PICTURE", 1024, 768, 2);
    return menu;
}

// Argument of the engine benchmarks: 0 = widest kernels on all cores, 1 = on
// one core; 2 = 256-bit and 3 = portable kernels, on one core.
void Configure(CoreGraphics& cg, int engine) {
    cg.SetThreads(engine == 0 ? int(std::max(1u, std::thread::hardware_concurrency())) : 1);
    cg.SetVectorWidth(engine <= 1 ? 512 : engine == 2 ? 256 : 0);
}

void SetEngineLabel(benchmark::State& state, int engine, const CoreGraphics& cg) {
    state.SetLabel(std::to_string(cg.VectorWidth()) + "-bit kernels, " + (engine == 0 ? "all cores" : "one core"));
}

void ScaleSmoothBench(benchmark::State& state, const Bitmap& src, int w, int h, bool reload) {
    const int engine = int(state.range(0));
    CoreGraphics cg;
    Configure(cg, engine);
    Bitmap dst;
    cg.ScaleSmooth(src, dst, w, h, true);  // planes and destination allocated once
    for (auto _ : state) {
        cg.ScaleCacheDirty = true;
        cg.ScaleSmooth(src, dst, w, h, reload);
        benchmark::DoNotOptimize(dst.Data());
    }
    SetEngineLabel(state, engine, cg);
}

void BM_ScaleSmooth_Photo_To_1024x768(benchmark::State& state) {
    ScaleSmoothBench(state, Photo(), 1024, 768, true);
}
void BM_ScaleSmooth_Photo_To_1024x768_KeptPlanes(benchmark::State& state) {
    ScaleSmoothBench(state, Photo(), 1024, 768, false);
}
void BM_ScaleSmooth_1024x768_To_480x320(benchmark::State& state) {
    ScaleSmoothBench(state, Menu(), 480, 320, true);
}

// The plain loops as defined, for scale.
void DirectBench(benchmark::State& state, const Bitmap& src, int w, int h) {
    orvane::reference::ScaleState ref;
    Bitmap dst;
    for (auto _ : state) {
        orvane::reference::ScaleSmooth(ref, src, dst, w, h, true);
        benchmark::DoNotOptimize(dst.Data());
    }
}
void BM_ScaleSmooth_Photo_To_1024x768_Direct(benchmark::State& state) { DirectBench(state, Photo(), 1024, 768); }
void BM_ScaleSmooth_1024x768_To_480x320_Direct(benchmark::State& state) { DirectBench(state, Menu(), 480, 320); }

void BM_ScaleFast_Photo_To_1024x768(benchmark::State& state) {
    const int engine = int(state.range(0));
    CoreGraphics cg;
    Configure(cg, engine);
    cg.ScaleCacheDirty = true;
    Bitmap dst;
    cg.ScaleFast(Photo(), dst, 1024, 768, true);
    for (auto _ : state) {
        cg.ScaleFast(Photo(), dst, 1024, 768, true);
        benchmark::DoNotOptimize(dst.Data());
    }
    SetEngineLabel(state, engine, cg);
}

void BM_MaskBlend_1024x768(benchmark::State& state) {
    const int engine = int(state.range(0));
    CoreGraphics cg;
    Configure(cg, engine);
    static const Bitmap backdrop = RandomPicture(1024, 768, 3);
    static const Bitmap mask = RandomPicture(1024, 768, 4);
    Bitmap out(1024, 768);
    for (auto _ : state) {
        cg.MaskBlend(backdrop, Menu(), mask, out, 0, 0);
        benchmark::DoNotOptimize(out.Data());
    }
    SetEngineLabel(state, engine, cg);
}

void Engines(benchmark::internal::Benchmark* b) {
    b->DenseRange(0, 3);
    b->UseRealTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_ScaleSmooth_Photo_To_1024x768)->Apply(Engines);
BENCHMARK(BM_ScaleSmooth_Photo_To_1024x768_KeptPlanes)->Apply(Engines);
BENCHMARK(BM_ScaleSmooth_1024x768_To_480x320)->Apply(Engines);
BENCHMARK(BM_ScaleSmooth_Photo_To_1024x768_Direct)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScaleSmooth_1024x768_To_480x320_Direct)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScaleFast_Photo_To_1024x768)->Apply(Engines);
BENCHMARK(BM_MaskBlend_1024x768)->Apply(Engines);

}  // namespace

BENCHMARK_MAIN();
