#include "render/CoreGraphics.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "render/CoreGraphicsReference.h"

namespace orvane {
namespace {

Bitmap RandomPicture(int w, int h, uint32_t seed) {
    std::mt19937 rng(seed);
    Bitmap b(w, h);
    for (size_t i = 0; i < b.PixelCount(); ++i) b.Data()[i] = rng();
    return b;
}

// Smooth gradients: equal-weight averages land on whole numbers, where a sum
// taken in another order would fall just below and truncate one lower.
Bitmap GradientPicture(int w, int h) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.At(x, y) = MakePixel(uint8_t(x * 7 + y), uint8_t(255 - (x + y) % 256), uint8_t(3 * y));
    return b;
}

// Bitmap equality reports only sizes and the first differing pixel.
::testing::AssertionResult SamePixels(const Bitmap& want, const Bitmap& got) {
    if (want.Width() != got.Width() || want.Height() != got.Height())
        return ::testing::AssertionFailure() << "size " << got.Width() << "x" << got.Height()
                                             << ", want " << want.Width() << "x" << want.Height();
    for (int y = 0; y < want.Height(); ++y)
        for (int x = 0; x < want.Width(); ++x)
            if (want.At(x, y) != got.At(x, y))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << std::hex << got.At(x, y)
                       << ", want " << want.At(x, y);
    return ::testing::AssertionSuccess();
}

struct Engine {
    const char* Name;
    int Threads;
    int VectorWidth;
};

// Kernels the processor lacks fall back to narrower ones; the cases still run.
const Engine kEngines[] = {
    {"portable, one thread", 1, 0},   {"portable, two threads", 2, 0},
    {"256-bit, one thread", 1, 256},  {"256-bit, two threads", 2, 256},
    {"512-bit, one thread", 1, 512},  {"512-bit, two threads", 2, 512},
};

void Configure(CoreGraphics& cg, const Engine& e) {
    cg.SetThreads(e.Threads);
    cg.SetVectorWidth(e.VectorWidth);
}

// ---------------------------------------------------------------------------

TEST(GreyBitmap, WeightsFallOnBlueGreenRedAsDefined) {
    struct Case {
        uint32_t Pixel;
        uint32_t Want;
    } cases[] = {
        {MakePixel(0, 0, 255), 0x4C4C4C},     // blue 255 -> 76
        {MakePixel(255, 0, 0), 0x191919},     // red 255 -> 25
        {0xFFFFFFFF, 0x00FFFFFF},             // white stays white, byte 3 cleared
        {0xAB000000, 0},                      // byte 3 carries no colour
    };
    for (const Case& c : cases) {
        Bitmap b(1, 1, c.Pixel);
        CoreGraphics::GreyBitmap(b);
        EXPECT_EQ(b.At(0, 0), c.Want) << std::hex << c.Pixel;
    }
}

TEST(GreyBitmap, GreyLevelsKeepTheirLevel) {
    Bitmap b(256, 1);
    for (int v = 0; v < 256; ++v) b.At(v, 0) = MakePixel(uint8_t(v), uint8_t(v), uint8_t(v));
    CoreGraphics::GreyBitmap(b);
    for (int v = 0; v < 256; ++v) EXPECT_EQ(b.At(v, 0), uint32_t(v) * 0x010101) << v;
}

TEST(GreyBitmap, MatchesReferenceOnRandomPixels) {
    Bitmap fast = RandomPicture(257, 129, 7);
    Bitmap slow = fast;
    CoreGraphics::GreyBitmap(fast);
    reference::GreyBitmap(slow);
    EXPECT_TRUE(SamePixels(slow, fast));
}

// ---------------------------------------------------------------------------

struct SizeCase {
    int SourceWidth, SourceHeight, Width, Height;
};

const SizeCase kSizes[] = {
    {37, 23, 11, 7},      // down, non-integer ratios
    {4, 3, 2, 3},         // halving one axis, the other unchanged
    {3, 5, 6, 10},        // doubling
    {1, 1, 5, 3},         // one source pixel
    {1, 17, 1, 5},        // one column
    {13, 1, 40, 1},       // one row, up
    {50, 40, 17, 93},     // down one way, up the other
    {7, 9, 7, 20},        // width kept, height up
    {31, 29, 29, 31},     // near 1:1
    {100, 80, 33, 27},    // ratio ~3
    {203, 151, 23, 19},   // ratio ~8.8: windows of 8 columns span over 64 bytes
    {331, 200, 17, 11},   // ratio ~19.5: spans beyond 128 bytes
    {997, 61, 9, 60},     // very wide windows
    {641, 479, 200, 151}, // large enough for two threads
    {150, 101, 641, 307}, // large upscale
};

std::string Describe(const SizeCase& s, const Engine& e) {
    return std::to_string(s.SourceWidth) + "x" + std::to_string(s.SourceHeight) + " -> " +
           std::to_string(s.Width) + "x" + std::to_string(s.Height) + ", " + e.Name;
}

TEST(ScaleSmooth, MatchesReferenceOnRandomAndGradientPictures) {
    uint32_t seed = 1;
    for (const SizeCase& s : kSizes)
        for (const Engine& e : kEngines)
            for (bool gradient : {false, true}) {
                const Bitmap src = gradient ? GradientPicture(s.SourceWidth, s.SourceHeight)
                                            : RandomPicture(s.SourceWidth, s.SourceHeight, seed++);
                CoreGraphics cg;
                Configure(cg, e);
                reference::ScaleState ref;
                Bitmap got, want;
                cg.ScaleSmooth(src, got, s.Width, s.Height, true);
                reference::ScaleSmooth(ref, src, want, s.Width, s.Height, true);
                EXPECT_TRUE(SamePixels(want, got)) << Describe(s, e) << (gradient ? ", gradient" : "");
                EXPECT_TRUE(SamePixels(want, cg.ScaleCache)) << Describe(s, e);
            }
}

TEST(ScaleSmooth, EveryTargetWidthOfAWideStrip) {
    // Ratios from 1 to 50 in small steps: the windows of neighbouring columns
    // straddle every limit on how far apart the columns fetched together may be.
    const Bitmap src = RandomPicture(1000, 4, 5);
    for (const Engine& e : kEngines) {
        CoreGraphics cg;
        Configure(cg, e);
        for (int w = 20; w <= 1000; w += w < 200 ? 1 : 37) {
            reference::ScaleState ref;
            Bitmap got, want;
            cg.ScaleSmooth(src, got, w, 3, true);
            reference::ScaleSmooth(ref, src, want, w, 3, true);
            ASSERT_TRUE(SamePixels(want, got)) << "width " << w << ", " << e.Name;
        }
    }
}

TEST(ScaleSmooth, FlatPicturesStayExactlyWhatTheSumsGive) {
    // A constant picture averages to its own level only if the weights sum
    // back exactly; where they do not, the reference's truncation decides.
    const uint32_t levels[] = {0x00FFFFFF, 0x00010203, 0x00808080};
    for (uint32_t level : levels)
        for (const Engine& e : kEngines) {
            const Bitmap src(97, 89, level);
            CoreGraphics cg;
            Configure(cg, e);
            reference::ScaleState ref;
            Bitmap got, want;
            cg.ScaleSmooth(src, got, 41, 35, true);
            reference::ScaleSmooth(ref, src, want, 41, 35, true);
            EXPECT_TRUE(SamePixels(want, got)) << std::hex << level << " " << e.Name;
        }
}

TEST(ScaleSmooth, HalvingAWidthOfFour) {
    // Red: 30 per column plus 6 per row; green and blue mirror it.
    Bitmap src(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            src.At(x, y) = MakePixel(uint8_t(30 * x + 6 * y), uint8_t(100 + x), uint8_t(200 - 6 * y));
    for (const Engine& e : kEngines) {
        CoreGraphics cg;
        Configure(cg, e);
        Bitmap dst;
        cg.ScaleSmooth(src, dst, 2, 3, true);
        struct Want {
            int X, Y;
            uint32_t Pixel;
        } wants[] = {
            {0, 0, MakePixel(0, 100, 200)},   // column 0 and row 0 alone
            {0, 1, MakePixel(3, 100, 197)},   // rows 0 and 1
            {0, 2, MakePixel(9, 100, 191)},   // rows 1 and 2
            {1, 0, MakePixel(30, 101, 200)},  // columns 0, 1, 2 equally
            {1, 1, MakePixel(33, 101, 197)},
            {1, 2, MakePixel(39, 101, 191)},
        };
        for (const Want& w : wants)
            EXPECT_EQ(dst.At(w.X, w.Y), w.Pixel) << w.X << "," << w.Y << " " << e.Name;
    }
}

TEST(ScaleSmooth, DoublingWeighsTheNextColumnByHalf) {
    Bitmap src(3, 1);
    src.At(0, 0) = MakePixel(200, 90, 30);
    src.At(1, 0) = MakePixel(50, 30, 0);
    src.At(2, 0) = MakePixel(0, 0, 0);
    for (const Engine& e : kEngines) {
        CoreGraphics cg;
        Configure(cg, e);
        Bitmap dst;
        cg.ScaleSmooth(src, dst, 6, 1, true);
        // (c0 * 1 + c1 * 0.5) / 1.5
        EXPECT_EQ(dst.At(1, 0), MakePixel(150, 70, 20)) << e.Name;
        EXPECT_EQ(dst.At(0, 0), MakePixel(200, 90, 30)) << e.Name;
    }
}

TEST(ScaleSmooth, SameSizeCopiesTheSourceAndLeavesTheCache) {
    CoreGraphics cg;
    cg.ScaleCache = Bitmap(2, 2, 0x123456);
    cg.ScaleCacheDirty = true;
    cg.ScaleCacheWidth = 2;
    cg.ScaleCacheHeight = 2;
    const Bitmap src = RandomPicture(9, 5, 3);  // byte 3 set: copied as it is
    Bitmap dst;
    cg.ScaleSmooth(src, dst, 9, 5, true);
    EXPECT_TRUE(SamePixels(src, dst));
    EXPECT_TRUE(SamePixels(Bitmap(2, 2, 0x123456), cg.ScaleCache));
    EXPECT_TRUE(cg.ScaleCacheDirty);
    EXPECT_EQ(cg.ScaleCacheWidth, 2);
    EXPECT_EQ(cg.ScaleCacheHeight, 2);
}

TEST(ScaleSmooth, CacheAndKeptPlanes) {
    const Bitmap a = RandomPicture(40, 30, 11);
    const Bitmap b = RandomPicture(40, 30, 12);
    auto scaled = [](const Bitmap& src, int w, int h) {
        reference::ScaleState ref;
        Bitmap out;
        reference::ScaleSmooth(ref, src, out, w, h, true);
        return out;
    };
    struct Case {
        const char* Name;
        bool DirtyBefore;
        int Width, Height;
        bool Reload;
        Bitmap Want;  // second call gets picture b
    } cases[] = {
        {"clean cache, same size, no reload: cached a", false, 13, 11, false, scaled(a, 13, 11)},
        {"clean cache, same size, reload: b afresh", false, 13, 11, true, scaled(b, 13, 11)},
        {"dirty, same size, no reload: kept planes of a", true, 13, 11, false, scaled(a, 13, 11)},
        {"clean cache, new size, no reload: kept planes of a", false, 17, 9, false, scaled(a, 17, 9)},
        {"dirty, new size, reload: b afresh", true, 17, 9, true, scaled(b, 17, 9)},
    };
    for (Case& c : cases)
        for (const Engine& e : kEngines) {
            CoreGraphics cg;
            Configure(cg, e);
            Bitmap first, second;
            cg.ScaleSmooth(a, first, 13, 11, true);
            EXPECT_FALSE(cg.ScaleCacheDirty);
            EXPECT_EQ(cg.ScaleCacheWidth, 13);
            EXPECT_EQ(cg.ScaleCacheHeight, 11);
            cg.ScaleCacheDirty = c.DirtyBefore;
            cg.ScaleSmooth(b, second, c.Width, c.Height, c.Reload);
            EXPECT_TRUE(SamePixels(c.Want, second)) << c.Name << ", " << e.Name;
            EXPECT_TRUE(SamePixels(c.Want, cg.ScaleCache)) << c.Name << ", " << e.Name;
            EXPECT_FALSE(cg.ScaleCacheDirty) << c.Name;
            EXPECT_EQ(cg.ScaleCacheWidth, c.Width) << c.Name;
        }
}

TEST(ScaleSmooth, ReloadFalseWithoutMatchingPlanesReadsTheSource) {
    const Bitmap a = RandomPicture(20, 10, 21);
    const Bitmap b = RandomPicture(21, 10, 22);
    CoreGraphics cg;
    reference::ScaleState ref;
    Bitmap got, want;
    cg.ScaleSmooth(a, got, 7, 7, false);  // nothing kept yet
    reference::ScaleSmooth(ref, a, want, 7, 7, true);
    EXPECT_TRUE(SamePixels(want, got));
    cg.ScaleCacheDirty = true;
    cg.ScaleSmooth(b, got, 7, 7, false);  // kept planes are 20 wide
    reference::ScaleSmooth(ref, b, want, 7, 7, true);
    EXPECT_TRUE(SamePixels(want, got));
}

// ---------------------------------------------------------------------------

TEST(ScaleFast, MatchesReferenceOnRandomPictures) {
    uint32_t seed = 100;
    for (const SizeCase& s : kSizes)
        for (const Engine& e : kEngines) {
            const Bitmap src = RandomPicture(s.SourceWidth, s.SourceHeight, seed++);
            CoreGraphics cg;
            Configure(cg, e);
            cg.ScaleCacheDirty = true;
            reference::ScaleState ref;
            ref.Dirty = true;
            Bitmap got, want;
            cg.ScaleFast(src, got, s.Width, s.Height, true);
            reference::ScaleFast(ref, src, want, s.Width, s.Height);
            EXPECT_TRUE(SamePixels(want, got)) << Describe(s, e);
            EXPECT_TRUE(cg.ScaleCache.IsEmpty()) << "never writes the cache";
        }
}

TEST(ScaleFast, CleanCacheOfTheSameSizeGivesTheSmoothResult) {
    const Bitmap src = RandomPicture(30, 20, 41);
    struct Case {
        bool Dirty;
        int Width, Height;
        bool WantSmooth;
    } cases[] = {
        {false, 12, 8, true},
        {true, 12, 8, false},
        {false, 12, 9, false},
        {false, 11, 8, false},
    };
    for (const Case& c : cases) {
        CoreGraphics cg;
        Bitmap smooth, fast, want;
        cg.ScaleSmooth(src, smooth, 12, 8, true);
        cg.ScaleCacheDirty = c.Dirty;
        cg.ScaleFast(RandomPicture(30, 20, 42), fast, c.Width, c.Height, false);
        if (c.WantSmooth) {
            want = smooth;
        } else {
            reference::ScaleState ref;
            ref.Dirty = true;
            reference::ScaleFast(ref, RandomPicture(30, 20, 42), want, c.Width, c.Height);
        }
        EXPECT_TRUE(SamePixels(want, fast)) << c.Dirty << " " << c.Width << "x" << c.Height;
    }
}

TEST(Scaling, BadSizesAreRejectedBeforeAnythingIsWritten) {
    struct Case {
        int SourceWidth, SourceHeight, Width, Height;
    } cases[] = {
        {10, 10, 0, 5}, {10, 10, 5, 0}, {10, 10, -3, 5}, {10, 10, 5, -1},
        {0, 0, 5, 5},   {10, 10, kMaxBitmapSide + 1, 5},
    };
    for (const Case& c : cases)
        for (bool smooth : {false, true}) {
            CoreGraphics cg;
            const Bitmap cached(3, 3, 0x010101);
            cg.ScaleCache = cached;
            cg.ScaleCacheDirty = true;
            cg.ScaleCacheWidth = 3;
            cg.ScaleCacheHeight = 3;
            const Bitmap src = RandomPicture(c.SourceWidth, c.SourceHeight, 61);
            const Bitmap before(4, 2, 0xABCDEF);
            Bitmap dst = before;
            auto call = [&] {
                if (smooth)
                    cg.ScaleSmooth(src, dst, c.Width, c.Height, true);
                else
                    cg.ScaleFast(src, dst, c.Width, c.Height, true);
            };
            if (c.Width > kMaxBitmapSide)
                EXPECT_THROW(call(), std::length_error);
            else
                EXPECT_THROW(call(), std::invalid_argument);
            EXPECT_TRUE(SamePixels(before, dst)) << c.Width << "x" << c.Height;
            EXPECT_TRUE(SamePixels(cached, cg.ScaleCache));
            EXPECT_TRUE(cg.ScaleCacheDirty);
        }
}

// ---------------------------------------------------------------------------

TEST(MaskBlend, MatchesReferenceOnRandomPictures) {
    struct Case {
        int BackWidth, BackHeight, Width, Height, X, Y;
    } cases[] = {
        {1, 1, 1, 1, 0, 0},       {20, 15, 7, 3, 13, 12},  {33, 9, 33, 9, 0, 0},
        {50, 50, 17, 1, 5, 49},   {50, 50, 1, 23, 49, 2},  {700, 500, 613, 431, 80, 60},
    };
    uint32_t seed = 200;
    for (const Case& c : cases)
        for (const Engine& e : kEngines) {
            const Bitmap back = RandomPicture(c.BackWidth, c.BackHeight, seed++);
            const Bitmap over = RandomPicture(c.Width, c.Height, seed++);
            const Bitmap mask = RandomPicture(c.Width, c.Height, seed++);
            CoreGraphics cg;
            Configure(cg, e);
            Bitmap got(c.Width, c.Height, 0xFFFFFFFF), want(c.Width, c.Height);
            cg.MaskBlend(back, over, mask, got, c.X, c.Y);
            reference::MaskBlend(back, over, mask, want, c.X, c.Y);
            EXPECT_TRUE(SamePixels(want, got)) << c.Width << "x" << c.Height << " " << e.Name;
        }
}

TEST(MaskBlend, FullAndEmptyMasks) {
    const Bitmap back = RandomPicture(12, 10, 301);
    Bitmap over = RandomPicture(5, 4, 302);
    for (size_t i = 0; i < over.PixelCount(); ++i) over.Data()[i] &= 0xFFFFFF;
    for (const Engine& e : kEngines) {
        CoreGraphics cg;
        Configure(cg, e);
        Bitmap out(5, 4);
        // Only byte 0 of the mask counts.
        cg.MaskBlend(back, over, Bitmap(5, 4, 0x000000FF), out, 6, 5);
        EXPECT_TRUE(SamePixels(over, out)) << e.Name;
        cg.MaskBlend(back, over, Bitmap(5, 4, 0xFFFFFF00), out, 6, 5);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 5; ++c)
                EXPECT_EQ(out.At(c, r), back.At(6 + c, 5 + r) & 0xFFFFFF) << c << "," << r << " " << e.Name;
    }
}

TEST(MaskBlend, BadArgumentsAreRejectedBeforeAnythingIsWritten) {
    struct Case {
        const char* Name;
        int MaskWidth, OutputWidth, X, Y;
    } cases[] = {
        {"region past the right edge", 4, 4, 7, 0},
        {"region past the bottom edge", 4, 4, 0, 8},
        {"negative x", 4, 4, -1, 0},
        {"negative y", 4, 4, 0, -1},
        {"mask of another size", 5, 4, 0, 0},
        {"output of another size", 4, 3, 0, 0},
    };
    const Bitmap back(10, 10, 0x111111);
    const Bitmap over(4, 3, 0x222222);
    for (const Case& c : cases) {
        CoreGraphics cg;
        const Bitmap before(c.OutputWidth, 3, 0xABCDEF);
        Bitmap out = before;
        EXPECT_THROW(cg.MaskBlend(back, over, Bitmap(c.MaskWidth, 3, 0x80), out, c.X, c.Y),
                     std::invalid_argument)
            << c.Name;
        EXPECT_TRUE(SamePixels(before, out)) << c.Name;
    }
    CoreGraphics cg;
    Bitmap empty;
    EXPECT_THROW(cg.MaskBlend(back, empty, empty, empty, 0, 0), std::invalid_argument);
}

// ---------------------------------------------------------------------------

TEST(CoreGraphics, TheResultMayOverwriteAnInput) {
    const Bitmap back = RandomPicture(30, 30, 401);
    const Bitmap over = RandomPicture(19, 13, 402);
    const Bitmap mask = RandomPicture(19, 13, 403);
    Bitmap smooth, fast, blend(19, 13);
    reference::ScaleState ref;
    reference::ScaleSmooth(ref, over, smooth, 12, 40, true);
    ref.Dirty = true;
    reference::ScaleFast(ref, over, fast, 40, 5);
    reference::MaskBlend(back, over, mask, blend, 4, 9);

    CoreGraphics cg;
    Bitmap pic = over;
    cg.ScaleSmooth(pic, pic, 12, 40, true);
    EXPECT_TRUE(SamePixels(smooth, pic));
    pic = over;
    cg.ScaleCacheDirty = true;
    cg.ScaleFast(pic, pic, 40, 5, false);
    EXPECT_TRUE(SamePixels(fast, pic));
    pic = over;
    cg.MaskBlend(back, pic, mask, pic, 4, 9);
    EXPECT_TRUE(SamePixels(blend, pic));
}

}  // namespace
}  // namespace orvane
