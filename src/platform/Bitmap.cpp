#include "Bitmap.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <stdexcept>

namespace orvane {

Bitmap::Bitmap(int width, int height, uint32_t fill) {
    SetSize(width, height);
    Fill(fill);
}

void Bitmap::SetSize(int width, int height) {
    if (width < 0 || height < 0 || width > kMaxBitmapSide || height > kMaxBitmapSide)
        throw std::length_error("bitmap size out of range");
    width_ = width;
    height_ = height;
    pixels_.resize(size_t(width) * size_t(height));
}

void Bitmap::Fill(uint32_t pixel) { std::fill(pixels_.begin(), pixels_.end(), pixel); }

uint32_t* Bitmap::Row(int y) {
    assert(y >= 0 && y < height_ && "row outside the bitmap");
    return pixels_.data() + size_t(y) * size_t(width_);
}

const uint32_t* Bitmap::Row(int y) const {
    assert(y >= 0 && y < height_ && "row outside the bitmap");
    return pixels_.data() + size_t(y) * size_t(width_);
}

uint32_t& Bitmap::At(int x, int y) {
    assert(x >= 0 && x < width_ && "column outside the bitmap");
    return Row(y)[x];
}

uint32_t Bitmap::At(int x, int y) const {
    assert(x >= 0 && x < width_ && "column outside the bitmap");
    return Row(y)[x];
}

void StretchCopy(const Bitmap& src, const Rect& s, Bitmap& dst, const Rect& d) {
    const int sw = s.Width(), sh = s.Height(), dw = d.Width(), dh = d.Height();
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
    const int x0 = std::max(d.Left, 0), x1 = std::min(d.Right, dst.Width());
    const int y0 = std::max(d.Top, 0), y1 = std::min(d.Bottom, dst.Height());
    if (x0 >= x1 || y0 >= y1) return;

    // Source column of each destination column, sampled at pixel centres.
    std::vector<int> column(size_t(x1 - x0));
    bool inside = true;
    for (int x = x0; x < x1; ++x) {
        const int64_t offset = (int64_t(2 * (x - d.Left) + 1) * sw) / (int64_t(2) * dw);
        column[size_t(x - x0)] = s.Left + int(offset);
        inside = inside && column[size_t(x - x0)] >= 0 && column[size_t(x - x0)] < src.Width();
    }
    // A row stretched from the source row of the row above is that row again.
    const bool reuse = inside && &src != &dst;
    const uint32_t* previous = nullptr;
    int previousSy = -1;
    for (int y = y0; y < y1; ++y) {
        const int sy = s.Top + int((int64_t(2 * (y - d.Top) + 1) * sh) / (int64_t(2) * dh));
        if (sy < 0 || sy >= src.Height()) continue;
        uint32_t* out = dst.Row(y);
        if (reuse && sy == previousSy) {
            std::memcpy(out + x0, previous + x0, size_t(x1 - x0) * sizeof(uint32_t));
            previous = out;
            continue;
        }
        const uint32_t* in = src.Row(sy);
        for (int x = x0; x < x1; ++x) {
            const int sx = column[size_t(x - x0)];
            if (sx >= 0 && sx < src.Width()) out[x] = in[sx];
        }
        previous = out;
        previousSy = sy;
    }
}

void FillRect(Bitmap& bitmap, const Rect& r, uint32_t pixel) {
    const int x0 = std::max(r.Left, 0), x1 = std::min(r.Right, bitmap.Width());
    const int y0 = std::max(r.Top, 0), y1 = std::min(r.Bottom, bitmap.Height());
    if (x0 >= x1) return;
    for (int y = y0; y < y1; ++y) std::fill(bitmap.Row(y) + x0, bitmap.Row(y) + x1, pixel);
}

void CopyInto(const Bitmap& src, Bitmap& dst, int x, int y) {
    StretchCopy(src, {0, 0, src.Width(), src.Height()}, dst,
                {x, y, x + src.Width(), y + src.Height()});
}

}  // namespace orvane
