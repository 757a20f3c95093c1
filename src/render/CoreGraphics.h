#pragma once

#include <memory>

#include "platform/Bitmap.h"

namespace orvane {

// The four pixel operations the renderer and the button style designer rest
// on: grey conversion, fast and smooth scaling, and blending through a mask.
//
// One instance lives for the editor's whole run (the editor model owns it):
// the smooth-scaling cache and the source planes it keeps must survive from
// one call to the next. Calls come from one thread; the operations are not
// re-entrant. Large calls split their loops over worker threads internally.
// A destination may be the source bitmap itself, and MaskBlend's output the
// overlay or the mask.
//
// Arguments outside the callers' contract (a size below 1, an empty source, a
// blend region outside the backdrop, an output of the wrong size) throw
// std::invalid_argument before anything is written; a side above
// kMaxBitmapSide throws std::length_error, as Bitmap does.
class CoreGraphics {
public:
    CoreGraphics();
    ~CoreGraphics();
    CoreGraphics(const CoreGraphics&) = delete;
    CoreGraphics& operator=(const CoreGraphics&) = delete;

    // The last ScaleSmooth result and the size it was made for. The result is
    // valid while ScaleCacheDirty is false; whoever may have changed the
    // picture being scaled sets the flag, and only ScaleSmooth clears it.
    Bitmap ScaleCache;
    bool ScaleCacheDirty = false;
    int ScaleCacheWidth = 0;
    int ScaleCacheHeight = 0;

    // In place: g = trunc(0.3 blue + 0.6 green + 0.1 red) in extended
    // precision into bytes 0..2, byte 3 cleared.
    static void GreyBitmap(Bitmap& bitmap);

    // Nearest sample, all four bytes copied. Returns the cached smooth result
    // instead when it is valid for the requested size. reload is not used.
    void ScaleFast(const Bitmap& src, Bitmap& dst, int newWidth, int newHeight, bool reload);

    // Area-weighted scaling with the cache. reload = false reuses the source
    // planes of the previous call (the caller promises they hold src); if
    // those planes have another size than src, src is read anyway.
    void ScaleSmooth(const Bitmap& src, Bitmap& dst, int newWidth, int newHeight, bool reload);

    // output (overlay's size) = overlay blended into backdrop's region at
    // (x, y), weight mask byte 0 / 255 on the overlay.
    void MaskBlend(const Bitmap& backdrop, const Bitmap& overlay, const Bitmap& mask,
                   Bitmap& output, int x, int y);

    // Tuning for benchmarks and tests; every setting gives the same pixels.
    // SetThreads: most threads one call uses (1 to 64; default: the cores, up to 8).
    // SetVectorWidth: widest vector kernels to use, in bits (0, 256 or 512),
    // limited to what the processor has, which is the default.
    void SetThreads(int threads);
    void SetVectorWidth(int bits);
    int VectorWidth() const;

private:
    // Planes, window tables and thread settings; they keep their storage
    // between calls so repeated calls neither allocate nor fault pages in.
    struct State;
    std::unique_ptr<State> state_;

    void SplitSource(const Bitmap& src);
};

}  // namespace orvane
