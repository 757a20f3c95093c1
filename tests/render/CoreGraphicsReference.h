#pragma once

// The pixel operations written the plain way, loop for loop, with planes
// indexed [column][row]: the yardstick the fast versions must match bit for bit.

#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/Bitmap.h"

namespace orvane::reference {

using Plane = std::vector<std::vector<uint8_t>>;  // [column][row]

struct Planes {
    Plane Red, Green, Blue;
};

inline void Resize(Plane& p, int width, int height) {
    p.assign(size_t(width + 1), std::vector<uint8_t>(size_t(height + 1), 0));
}

inline void Split(const Bitmap& b, Planes& p) {
    Resize(p.Red, b.Width(), b.Height());
    Resize(p.Green, b.Width(), b.Height());
    Resize(p.Blue, b.Width(), b.Height());
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const uint32_t v = b.At(x, y);
            p.Red[size_t(x)][size_t(y)] = uint8_t(v >> 16);
            p.Green[size_t(x)][size_t(y)] = uint8_t(v >> 8);
            p.Blue[size_t(x)][size_t(y)] = uint8_t(v);
        }
}

struct ScaleState {
    Bitmap Cache;
    bool Dirty = false;
    int CacheWidth = 0;
    int CacheHeight = 0;
    Planes Source;
};

inline void GreyBitmap(Bitmap& b) {
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const uint32_t v = b.At(x, y);
            const long double g = 0.3L * (v & 0xFF) + 0.6L * ((v >> 8) & 0xFF) + 0.1L * ((v >> 16) & 0xFF);
            const uint32_t level = uint32_t(std::trunc(g));
            b.At(x, y) = level | (level << 8) | (level << 16);
        }
}

inline void ScaleFast(ScaleState& st, const Bitmap& src, Bitmap& dst, int nw, int nh) {
    if (!st.Dirty && nw == st.CacheWidth && nh == st.CacheHeight) {
        dst = st.Cache;
        return;
    }
    dst.SetSize(nw, nh);
    const double rx = 1 / (double(nw) / src.Width());
    const double ry = 1 / (double(nh) / src.Height());
    for (int y = 0; y < nh; ++y) {
        const int sy = int(std::trunc(y * ry));
        for (int x = 0; x < nw; ++x) dst.At(x, y) = src.At(int(std::trunc(x * rx)), sy);
    }
}

inline uint8_t Finish(double v, double total) {
    if (total > 0) v = v / total;
    if (v > 255) v = 255;
    if (v < 0) v = 0;
    return uint8_t(std::trunc(v));
}

inline void ScaleSmooth(ScaleState& st, const Bitmap& src, Bitmap& dst, int nw, int nh, bool reload) {
    if (!st.Dirty && nw == st.CacheWidth && nh == st.CacheHeight && !reload) {
        dst = st.Cache;
        return;
    }
    dst.SetSize(nw, nh);
    const int sw = src.Width(), sh = src.Height();
    const double rx = 1 / (double(nw) / sw);
    const double ry = 1 / (double(nh) / sh);
    Planes result;
    Resize(result.Red, nw, nh);
    Resize(result.Green, nw, nh);
    Resize(result.Blue, nw, nh);
    if (reload) Split(src, st.Source);
    if (rx == 1 && ry == 1) {
        dst = src;
        return;
    }
    const Planes& p = st.Source;
    for (int x = 0; x < nw; ++x)
        for (int y = 0; y < nh; ++y) {
            double x0 = (x - 1) * rx, x1 = x * rx;
            double y0 = (y - 1) * ry, y1 = y * ry;
            if (x0 < 0) x0 = 0;
            if (y0 < 0) y0 = 0;
            if (x1 > sw - 1) x1 = sw - 1;
            if (y1 > sh - 1) y1 = sh - 1;
            double r = 0, g = 0, b = 0, total = 0;
            double sx = std::trunc(x0);
            while (sx <= sw) {
                double wx = 1;
                if (sx < x0) wx = 1 - (x0 - sx);
                if (sx > x1) wx = 1 - (sx - x1);
                double sy = std::trunc(y0);
                while (sy <= sh) {
                    double wy = 1;
                    if (sy < y0) wy = 1 - (y0 - sy);
                    if (sy > y1) wy = 1 - (sy - y1);
                    const double w = wx * wy;
                    total += w;
                    const size_t ix = size_t(std::trunc(sx)), iy = size_t(std::trunc(sy));
                    r += p.Red[ix][iy] * w;
                    g += p.Green[ix][iy] * w;
                    b += p.Blue[ix][iy] * w;
                    if (sy >= y1) break;
                    sy += 1;
                }
                if (sx >= x1) break;
                sx += 1;
            }
            result.Red[size_t(x)][size_t(y)] = Finish(r, total);
            result.Green[size_t(x)][size_t(y)] = Finish(g, total);
            result.Blue[size_t(x)][size_t(y)] = Finish(b, total);
        }
    for (int y = 0; y < nh; ++y)
        for (int x = 0; x < nw; ++x)
            dst.At(x, y) = uint32_t(result.Blue[size_t(x)][size_t(y)]) |
                           uint32_t(result.Green[size_t(x)][size_t(y)]) << 8 |
                           uint32_t(result.Red[size_t(x)][size_t(y)]) << 16;
    st.Dirty = false;
    st.Cache = dst;
    st.CacheWidth = nw;
    st.CacheHeight = nh;
}

inline void MaskBlend(const Bitmap& backdrop, const Bitmap& overlay, const Bitmap& mask, Bitmap& output,
                      int x, int y) {
    Planes back, over, result;
    Split(backdrop, back);
    Split(overlay, over);
    Plane m;
    Resize(m, overlay.Width(), overlay.Height());
    for (int r = 0; r < mask.Height(); ++r)
        for (int c = 0; c < mask.Width(); ++c) m[size_t(c)][size_t(r)] = uint8_t(mask.At(c, r));
    Resize(result.Red, overlay.Width(), overlay.Height());
    Resize(result.Green, overlay.Width(), overlay.Height());
    Resize(result.Blue, overlay.Width(), overlay.Height());
    auto mix = [](double a, uint8_t b, uint8_t o) {
        double v = (1 - a) * b + o * a;
        if (v > 255) v = 255;
        if (v < 0) v = 0;
        return uint8_t(std::trunc(v));
    };
    for (int c = 0; c < overlay.Width(); ++c)
        for (int r = 0; r < overlay.Height(); ++r) {
            const double a = m[size_t(c)][size_t(r)] / 255.0;
            const size_t bc = size_t(x + c), br = size_t(y + r), oc = size_t(c), orow = size_t(r);
            result.Red[oc][orow] = mix(a, back.Red[bc][br], over.Red[oc][orow]);
            result.Green[oc][orow] = mix(a, back.Green[bc][br], over.Green[oc][orow]);
            result.Blue[oc][orow] = mix(a, back.Blue[bc][br], over.Blue[oc][orow]);
        }
    for (int r = 0; r < overlay.Height(); ++r)
        for (int c = 0; c < overlay.Width(); ++c)
            output.At(c, r) = uint32_t(result.Blue[size_t(c)][size_t(r)]) |
                              uint32_t(result.Green[size_t(c)][size_t(r)]) << 8 |
                              uint32_t(result.Red[size_t(c)][size_t(r)]) << 16;
}

}  // namespace orvane::reference
