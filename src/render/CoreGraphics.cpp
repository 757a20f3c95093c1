#include "render/CoreGraphics.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

// ORVANE_PLAYER_GRAPHICS: the menu player's build, smooth scaling alone,
// with neither threads (its Windows runtime has none) nor the wide kernels
// (its stack is not aligned for their spills, and it must stay small).
#if !defined(ORVANE_PLAYER_GRAPHICS)
#include <thread>
#endif

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__) && !defined(ORVANE_PLAYER_GRAPHICS)
#include <immintrin.h>
#define ORVANE_X86_KERNELS 1
#define ORVANE_AVX2 __attribute__((target("avx2")))
#define ORVANE_AVX512 __attribute__((target("avx512f,avx512bw,avx512dq,avx512vl,avx512vbmi")))
#else
#define ORVANE_X86_KERNELS 0
#endif

// This file is built with -ffp-contract=off: a fused multiply-add would round
// differently from the separate multiply and add the results are defined by.

namespace orvane {
namespace {

// Below this many multiply-adds a second thread costs more than it saves.
constexpr double kWorkPerExtraThread = 150000;

// Bytes readable past the start of the last plane row: a vector kernel reads
// a 128-byte stretch from any column, and a gather 8 bytes.
constexpr size_t kPlaneSlack = 128;

// Planes larger than this are written around the cache.
constexpr size_t kStreamAbove = size_t(16) << 20;

// The source windows of the destination pixels along one axis. Destination d
// covers source indices First[d] .. First[d] + Count[d] - 1 with the weights
// at Weight[Offset[d] ...], in the order the sums must run.
struct Windows {
    std::vector<int> First, Count, Offset;
    std::vector<double> Weight;

    void Build(int count, double ratio, int sourceSize) {
        First.resize(size_t(count));
        Count.resize(size_t(count));
        Offset.resize(size_t(count));
        Weight.clear();
        const double last = double(sourceSize - 1);
        for (int d = 0; d < count; ++d) {
            // The window ends at d * ratio, so destination 0 samples source 0 alone.
            double lo = double(d - 1) * ratio;
            double hi = double(d) * ratio;
            if (lo < 0) lo = 0;
            if (hi > last) hi = last;
            double s = std::trunc(lo);
            First[size_t(d)] = int(s);
            Offset[size_t(d)] = int(Weight.size());
            while (s <= double(sourceSize)) {
                double w = 1;
                if (s < lo) w = 1 - (lo - s);
                if (s > hi) w = 1 - (s - hi);
                Weight.push_back(w);
                if (s >= hi) break;
                s += 1;
            }
            Count[size_t(d)] = int(Weight.size()) - Offset[size_t(d)];
        }
    }
};

// Destination columns in groups of Lanes vector lanes (8 or 4). Lane l of
// group g is column Lanes * g + l; its tap t reads one source column with one
// weight. Taps past a lane's own window (and lanes past the last column)
// carry weight 0, which leaves every sum bit-for-bit unchanged: adding +0.0
// to a non-negative finite sum is exact.
struct LaneGroups {
    int Lanes = 8;
    std::vector<int> Base;        // first source column the group reads
    std::vector<int> Span;        // columns from Base to the last one read
    std::vector<int> Taps;
    std::vector<int> Offset;      // first tap of the group in the arrays below
    std::vector<int32_t> Column;  // per tap and lane: source column
    std::vector<double> Weight;   // per tap and lane: weight
    std::vector<uint8_t> Index;   // per tap and lane: column - Base

    // With 4 lanes, lanes 0-1 and lanes 2-3 are fetched as two 16-byte runs
    // from Base and HalfBase, when HalvesFit; Shuffle holds the 32 control
    // bytes per tap that move each lane's byte into place.
    std::vector<int> HalfBase;
    std::vector<uint8_t> HalvesFit;
    std::vector<uint8_t> Shuffle;

    void Build(const Windows& wx, int width, int lanes) {
        Lanes = lanes;
        const int groups = (width + lanes - 1) / lanes;
        for (auto* v : {&Base, &Span, &Taps, &Offset, &HalfBase}) v->resize(size_t(groups));
        HalvesFit.resize(size_t(groups));
        Column.clear();
        Weight.clear();
        Index.clear();
        Shuffle.clear();
        for (int g = 0; g < groups; ++g) {
            const int x0 = g * lanes;
            const int used = std::min(lanes, width - x0);
            const int base = wx.First[size_t(x0)];
            const int halfBase = wx.First[size_t(x0 + std::min(2, used - 1))];
            int taps = 0, hi = 0;
            bool halvesFit = true;
            for (int l = 0; l < used; ++l) {
                const size_t x = size_t(x0 + l);
                const int last = wx.First[x] + wx.Count[x] - 1;
                taps = std::max(taps, wx.Count[x]);
                hi = std::max(hi, last);
                halvesFit = halvesFit && last - (l < 2 ? base : halfBase) < 16;
            }
            Base[size_t(g)] = base;
            Span[size_t(g)] = hi - base + 1;
            Taps[size_t(g)] = taps;
            Offset[size_t(g)] = int(Weight.size()) / lanes;
            HalfBase[size_t(g)] = halfBase;
            HalvesFit[size_t(g)] = halvesFit;
            for (int t = 0; t < taps; ++t) {
                uint8_t shuffle[32];
                std::memset(shuffle, 0x80, sizeof shuffle);  // 0x80: a zero byte
                for (int l = 0; l < lanes; ++l) {
                    const size_t x = size_t(x0 + l);
                    int column = l < used ? wx.First[x] : lanes == 4 && l >= 2 ? halfBase : base;
                    double weight = 0;
                    if (l < used && t < wx.Count[x]) {
                        column += t;
                        weight = wx.Weight[size_t(wx.Offset[x] + t)];
                    }
                    Column.push_back(column);
                    Weight.push_back(weight);
                    Index.push_back(uint8_t(column - base));
                    // Lanes 0-1 land in dwords 0-1 of the low half, lanes 2-3 in dwords 2-3 of the high one.
                    if (lanes == 4) shuffle[l < 2 ? 4 * l : 16 + 4 * l] = uint8_t(column - (l < 2 ? base : halfBase));
                }
                if (lanes == 4) Shuffle.insert(Shuffle.end(), shuffle, shuffle + 32);
            }
        }
    }
};

// Where part t of `parts` contiguous parts of [0, count) starts.
int PartStart(int count, int t, int parts) { return int(int64_t(count) * t / parts); }

// Runs body(begin, end) over [0, count) in `threads` contiguous parts, the
// first on the calling thread. A part whose thread cannot start runs here.
template <class Body>
void RunParts(int threads, int count, const Body& body) {
    threads = std::max(1, std::min(threads, count));
#if defined(ORVANE_PLAYER_GRAPHICS)
    threads = 1;
#endif
    if (threads == 1) {
        if (count > 0) body(0, count);
        return;
    }
#if !defined(ORVANE_PLAYER_GRAPHICS)
    auto part = [&](int t) { return PartStart(count, t, threads); };
    std::vector<std::thread> pool;
    std::vector<int> leftOver;
    pool.reserve(size_t(threads - 1));
    for (int t = 1; t < threads; ++t) {
        try {
            pool.emplace_back([&body, b = part(t), e = part(t + 1)] { body(b, e); });
        } catch (...) {
            leftOver.push_back(t);
        }
    }
    body(0, part(1));
    for (int t : leftOver) body(part(t), part(t + 1));
    for (auto& th : pool) th.join();
#endif
}

uint32_t FinishChannel(double acc, double total, int shift) {
    if (total > 0) acc /= total;
    if (acc > 255) acc = 255;
    if (acc < 0) acc = 0;
    return uint32_t(int(acc)) << shift;
}

void CheckSide(int side) {
    if (side < 1) throw std::invalid_argument("picture side below 1");
    if (side > kMaxBitmapSide) throw std::length_error("picture side above the largest allowed");
}

void CheckScaleArguments(const Bitmap& src, int newWidth, int newHeight) {
    if (src.IsEmpty()) throw std::invalid_argument("empty source picture");
    CheckSide(newWidth);
    CheckSide(newHeight);
}

}  // namespace

struct CoreGraphics::State {
    // Source planes, one byte per channel: each source row holds its red,
    // green and blue runs next to each other (ChannelStride bytes apart), so
    // the rows a window reads are few, short memory streams. (Height + 1)
    // rows of 3 * ChannelStride bytes, then kPlaneSlack bytes.
    int PlaneWidth = 0;
    int PlaneHeight = 0;
    size_t ChannelStride = 0;
    std::vector<uint8_t> Planes;
    bool PlanesFilled = false;

    Windows ColumnWindows, RowWindows;
    LaneGroups Groups;
    std::vector<int> FastColumns;
    std::vector<int> SplitBounds;

    int Threads = 1;
    int VectorWidth = 0;         // widest kernels in use: 0, 256 or 512 bits
    int VectorWidthPresent = 0;  // what the processor has

    size_t RowStride() const { return 3 * ChannelStride; }
    const uint8_t* Plane(int channel) const { return Planes.data() + size_t(channel) * ChannelStride; }
    uint8_t* Plane(int channel) { return Planes.data() + size_t(channel) * ChannelStride; }
    int ThreadsFor(double work) const {
        return std::max(1, std::min(Threads, int(work / kWorkPerExtraThread) + 1));
    }
};

namespace {

// ---------------------------------------------------------------------------
// Portable kernels

#if defined(__SSE2__)
// 16 pixels' byte `shift / 8` as 16 bytes.
inline __m128i ChannelBytes(const __m128i p[4], int shift) {
    const __m128i low = _mm_set1_epi32(0xFF);
    const __m128i c0 = _mm_and_si128(_mm_srli_epi32(p[0], shift), low);
    const __m128i c1 = _mm_and_si128(_mm_srli_epi32(p[1], shift), low);
    const __m128i c2 = _mm_and_si128(_mm_srli_epi32(p[2], shift), low);
    const __m128i c3 = _mm_and_si128(_mm_srli_epi32(p[3], shift), low);
    return _mm_packus_epi16(_mm_packs_epi32(c0, c1), _mm_packs_epi32(c2, c3));
}
#endif

void SplitRowsPortable(const Bitmap& src, uint8_t* red, uint8_t* green, uint8_t* blue,
                       size_t stride, int yBegin, int yEnd) {
    const int w = src.Width();
    for (int y = yBegin; y < yEnd; ++y) {
        const uint32_t* in = src.Row(y);
        const size_t row = size_t(y) * stride;
        int x = 0;
#if defined(__SSE2__)
        for (; x + 16 <= w; x += 16) {
            const __m128i* from = reinterpret_cast<const __m128i*>(in + x);
            const __m128i p[4] = {_mm_loadu_si128(from), _mm_loadu_si128(from + 1),
                                  _mm_loadu_si128(from + 2), _mm_loadu_si128(from + 3)};
            _mm_storeu_si128(reinterpret_cast<__m128i*>(red + row + size_t(x)), ChannelBytes(p, 16));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(green + row + size_t(x)), ChannelBytes(p, 8));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(blue + row + size_t(x)), ChannelBytes(p, 0));
        }
#endif
        for (; x < w; ++x) {
            const uint32_t p = in[x];
            red[row + size_t(x)] = PixelRed(p);
            green[row + size_t(x)] = PixelGreen(p);
            blue[row + size_t(x)] = PixelBlue(p);
        }
    }
}

void SmoothRowsPortable(const uint8_t* red, const uint8_t* green, const uint8_t* blue,
                        size_t stride, const Windows& wx, const Windows& wy, Bitmap& dst,
                        int yBegin, int yEnd) {
    const int width = dst.Width();
    for (int y = yBegin; y < yEnd; ++y) {
        const int ny = wy.Count[size_t(y)];
        const double* rowWeight = &wy.Weight[size_t(wy.Offset[size_t(y)])];
        const size_t row0 = size_t(wy.First[size_t(y)]) * stride;
        uint32_t* out = dst.Row(y);
        for (int x = 0; x < width; ++x) {
            const int nx = wx.Count[size_t(x)];
            const double* columnWeight = &wx.Weight[size_t(wx.Offset[size_t(x)])];
            const size_t at0 = row0 + size_t(wx.First[size_t(x)]);
            double total = 0, r = 0, g = 0, b = 0;
            for (int i = 0; i < nx; ++i) {
                const double cw = columnWeight[i];
                size_t at = at0 + size_t(i);
                for (int j = 0; j < ny; ++j, at += stride) {
                    const double w = cw * rowWeight[j];
                    total += w;
                    r += double(red[at]) * w;
                    g += double(green[at]) * w;
                    b += double(blue[at]) * w;
                }
            }
            out[x] = FinishChannel(b, total, 0) | FinishChannel(g, total, 8) |
                     FinishChannel(r, total, 16);
        }
    }
}

#if !defined(ORVANE_PLAYER_GRAPHICS)
struct BlendTables {
    double Alpha[256];
    double Rest[256];
    BlendTables() {
        for (int m = 0; m < 256; ++m) {
            Alpha[m] = double(m) / 255;
            Rest[m] = 1 - Alpha[m];
        }
    }
};

uint32_t BlendChannel(uint32_t back, uint32_t over, double rest, double alpha, int shift) {
    double v = rest * double((back >> shift) & 0xFF) + double((over >> shift) & 0xFF) * alpha;
    if (v > 255) v = 255;
    if (v < 0) v = 0;
    return uint32_t(int(v)) << shift;
}

void BlendRowsPortable(const Bitmap& backdrop, const Bitmap& overlay, const Bitmap& mask,
                       Bitmap& output, int x, int y, int rBegin, int rEnd) {
    static const BlendTables tables;
    const int w = overlay.Width();
    for (int r = rBegin; r < rEnd; ++r) {
        const uint32_t* back = backdrop.Row(y + r) + x;
        const uint32_t* over = overlay.Row(r);
        const uint32_t* m = mask.Row(r);
        uint32_t* out = output.Row(r);
        for (int c = 0; c < w; ++c) {
            const uint32_t k = m[c] & 0xFF;
            const double alpha = tables.Alpha[k], rest = tables.Rest[k];
            const uint32_t bp = back[c], op = over[c];
            out[c] = BlendChannel(bp, op, rest, alpha, 0) | BlendChannel(bp, op, rest, alpha, 8) |
                     BlendChannel(bp, op, rest, alpha, 16);
        }
    }
}

#endif

// ---------------------------------------------------------------------------
// Vector kernels, chosen at run time by what the processor has.

#if ORVANE_X86_KERNELS

// GCC 12 reports its own intrinsics' deliberately undefined operands.
#pragma GCC diagnostic push
#if !defined(__clang__)  // clang has no such warning and would warn about the name
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

int DetectVectorWidth() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
        __builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx512vl") &&
        __builtin_cpu_supports("avx512vbmi"))
        return 512;
    return __builtin_cpu_supports("avx2") ? 256 : 0;
}

// --- 256-bit kernel: 4 lanes -----------------------------------------------

enum class Fetch4 {
    Halves,  // lanes 0-1 within 16 bytes of Base, lanes 2-3 within 16 of HalfBase
    Gather,
};

template <Fetch4 Mode>
ORVANE_AVX2 __attribute__((always_inline)) inline __m256d FetchLanes4(const uint8_t* row, size_t base,
                                                                      size_t halfBase, __m256i shuffle,
                                                                      __m128i columns) {
    __m128i dwords;
    if constexpr (Mode == Fetch4::Halves) {
        const __m256i runs = _mm256_inserti128_si256(
            _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + base))),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + halfBase)), 1);
        const __m256i placed = _mm256_shuffle_epi8(runs, shuffle);
        dwords = _mm_or_si128(_mm256_castsi256_si128(placed), _mm256_extracti128_si256(placed, 1));
    } else {
        dwords = _mm_and_si128(_mm_i32gather_epi32(reinterpret_cast<const int*>(row), columns, 1),
                               _mm_set1_epi32(0xFF));
    }
    return _mm256_cvtepi32_pd(dwords);
}

// As SumGroup below, one destination row, 4 lanes.
template <Fetch4 Mode>
ORVANE_AVX2 __attribute__((always_inline)) inline void SumGroup4(const uint8_t* const rows[3], size_t stride,
                                                                 const LaneGroups& lg, int g,
                                                                 const double* rowWeight, int ny,
                                                                 __m256d sums[4]) {
    const int taps = lg.Taps[size_t(g)];
    const size_t first = size_t(lg.Offset[size_t(g)]);
    const size_t base = size_t(lg.Base[size_t(g)]);
    const size_t halfBase = size_t(lg.HalfBase[size_t(g)]);
    __m256d t = _mm256_setzero_pd(), r = t, gr = t, b = t;
    for (int k = 0; k < taps; ++k) {
        const size_t tap = first + size_t(k);
        const __m256d columnWeight = _mm256_loadu_pd(&lg.Weight[tap * 4]);
        __m256i shuffle = _mm256_setzero_si256();
        __m128i columns = _mm_setzero_si128();
        if constexpr (Mode == Fetch4::Halves)
            shuffle = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(&lg.Shuffle[tap * 32]));
        else
            columns = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&lg.Column[tap * 4]));
        const uint8_t* pr = rows[0];
        const uint8_t* pg = rows[1];
        const uint8_t* pb = rows[2];
        for (int j = 0; j < ny; ++j, pr += stride, pg += stride, pb += stride) {
            const __m256d w = _mm256_mul_pd(columnWeight, _mm256_set1_pd(rowWeight[j]));
            t = _mm256_add_pd(t, w);
            r = _mm256_add_pd(r, _mm256_mul_pd(FetchLanes4<Mode>(pr, base, halfBase, shuffle, columns), w));
            gr = _mm256_add_pd(gr, _mm256_mul_pd(FetchLanes4<Mode>(pg, base, halfBase, shuffle, columns), w));
            b = _mm256_add_pd(b, _mm256_mul_pd(FetchLanes4<Mode>(pb, base, halfBase, shuffle, columns), w));
        }
    }
    sums[0] = t;
    sums[1] = r;
    sums[2] = gr;
    sums[3] = b;
}

ORVANE_AVX2 __attribute__((always_inline)) inline __m128i FinishChannel4(__m256d acc, __m256d total,
                                                                         __m256d positive, int shift) {
    __m256d v = _mm256_blendv_pd(acc, _mm256_div_pd(acc, total), positive);
    v = _mm256_min_pd(v, _mm256_set1_pd(255));
    v = _mm256_max_pd(v, _mm256_setzero_pd());
    return _mm_slli_epi32(_mm256_cvttpd_epi32(v), shift);
}

ORVANE_AVX2 void SmoothRowsAvx2(const uint8_t* const planes[3], size_t stride, const LaneGroups& lg,
                                const Windows& wy, Bitmap& dst, int yBegin, int yEnd) {
    const int width = dst.Width();
    const int groups = int(lg.Base.size());
    for (int y = yBegin; y < yEnd; ++y) {
        const int ny = wy.Count[size_t(y)];
        const double* rowWeight = &wy.Weight[size_t(wy.Offset[size_t(y)])];
        const size_t row0 = size_t(wy.First[size_t(y)]) * stride;
        const uint8_t* rows[3] = {planes[0] + row0, planes[1] + row0, planes[2] + row0};
        uint32_t* out = dst.Row(y);
        const int ahead = std::min(y + 1, yEnd - 1);
        const int aheadCount = wy.Count[size_t(ahead)];
        const size_t aheadRow0 = size_t(wy.First[size_t(ahead)]) * stride;
        for (int g = 0; g < groups; ++g) {
            const size_t base = size_t(lg.Base[size_t(g)]);
            for (int c = 0; c < 3; ++c) {
                const char* p = reinterpret_cast<const char*>(planes[c] + aheadRow0 + base);
                for (int j = 0; j < aheadCount; ++j, p += stride) _mm_prefetch(p, _MM_HINT_T0);
            }
            __m256d sums[4];
            if (lg.HalvesFit[size_t(g)])
                SumGroup4<Fetch4::Halves>(rows, stride, lg, g, rowWeight, ny, sums);
            else
                SumGroup4<Fetch4::Gather>(rows, stride, lg, g, rowWeight, ny, sums);
            const __m256d positive = _mm256_cmp_pd(sums[0], _mm256_setzero_pd(), _CMP_GT_OQ);
            const __m128i pixel = _mm_or_si128(_mm_or_si128(FinishChannel4(sums[3], sums[0], positive, 0),
                                                            FinishChannel4(sums[2], sums[0], positive, 8)),
                                               FinishChannel4(sums[1], sums[0], positive, 16));
            const int x = g * 4;
            if (width - x >= 4) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), pixel);
            } else {
                alignas(16) uint32_t lanes[4];
                _mm_store_si128(reinterpret_cast<__m128i*>(lanes), pixel);
                std::copy(lanes, lanes + (width - x), out + x);
            }
        }
    }
}

// --- 512-bit kernels: 8 lanes, byte permutes -------------------------------

// Stream = true writes around the cache: a photo's planes are far larger than
// the cache, and a streaming store skips reading each line before writing it.
template <bool Stream>
ORVANE_AVX512 void SplitRowsAvx512(const Bitmap& src, uint8_t* red, uint8_t* green,
                                   uint8_t* blue, size_t stride, int yBegin, int yEnd) {
    auto store = [](uint8_t* to, __m128i v) ORVANE_AVX512 {
        if constexpr (Stream)
            _mm_stream_si128(reinterpret_cast<__m128i*>(to), v);
        else
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to), v);
    };
    const int w = src.Width();
    for (int y = yBegin; y < yEnd; ++y) {
        const uint32_t* in = src.Row(y);
        const size_t row = size_t(y) * stride;
        int x = 0;
        for (; x + 16 <= w; x += 16) {
            const __m512i p = _mm512_loadu_si512(in + x);
            store(blue + row + size_t(x), _mm512_cvtepi32_epi8(p));
            store(green + row + size_t(x), _mm512_cvtepi32_epi8(_mm512_srli_epi32(p, 8)));
            store(red + row + size_t(x), _mm512_cvtepi32_epi8(_mm512_srli_epi32(p, 16)));
        }
        for (; x < w; ++x) {
            const uint32_t p = in[x];
            red[row + size_t(x)] = PixelRed(p);
            green[row + size_t(x)] = PixelGreen(p);
            blue[row + size_t(x)] = PixelBlue(p);
        }
    }
    if constexpr (Stream) _mm_sfence();
}

// Mode of fetching one byte per lane from a plane row.
enum class Fetch {
    OneLoad,   // the group's columns lie within 64 bytes of its base
    TwoLoads,  // within 128 bytes
    Gather,    // anywhere: one gather per row
};

template <Fetch Mode>
ORVANE_AVX512 __attribute__((always_inline)) inline __m512d FetchLanes(const uint8_t* row, size_t base,
                                                                       __m512i index, __m256i columns) {
    const __mmask64 lowBytes = 0x0101010101010101ULL;
    __m512i bytes;
    if constexpr (Mode == Fetch::OneLoad) {
        bytes = _mm512_maskz_permutexvar_epi8(lowBytes, index, _mm512_loadu_si512(row + base));
    } else if constexpr (Mode == Fetch::TwoLoads) {
        bytes = _mm512_maskz_permutex2var_epi8(lowBytes, _mm512_loadu_si512(row + base), index,
                                               _mm512_loadu_si512(row + base + 64));
    } else {
        bytes = _mm512_and_si512(_mm512_i32gather_epi64(columns, row, 1), _mm512_set1_epi64(0xFF));
    }
    return _mm512_cvtepi64_pd(bytes);
}

struct LaneSums {
    __m512d Total, Red, Green, Blue;
};

// The rows one destination row reads: its window's weights, and where the
// window starts counted from the first row that the pair being worked reads.
struct RowWindow {
    const double* Weight;
    int Start, Count;
};

template <bool Accumulate>
ORVANE_AVX512 __attribute__((always_inline)) inline void AddTerm(LaneSums& s, __m512d columnWeight,
                                                                 double rowWeight, __m512d r, __m512d g,
                                                                 __m512d b) {
    if constexpr (Accumulate) {
        const __m512d w = _mm512_mul_pd(columnWeight, _mm512_set1_pd(rowWeight));
        s.Total = _mm512_add_pd(s.Total, w);
        s.Red = _mm512_add_pd(s.Red, _mm512_mul_pd(r, w));
        s.Green = _mm512_add_pd(s.Green, _mm512_mul_pd(g, w));
        s.Blue = _mm512_add_pd(s.Blue, _mm512_mul_pd(b, w));
    }
}

// The channel sums of one group of 8 destination pixels in up to two
// neighbouring destination rows, which share the source row where their
// windows meet: it is fetched once for both. Per lane and row the terms are
// added in the defining order: source column outer, source row inner.
template <Fetch Mode, bool Pair>
ORVANE_AVX512 __attribute__((always_inline)) inline void SumGroup(
    const uint8_t* const rows[3], size_t stride, const LaneGroups& lg, int g, RowWindow a, RowWindow b,
    int rowCount, LaneSums& sa, LaneSums& sb) {
    const int taps = lg.Taps[size_t(g)];
    const size_t first = size_t(lg.Offset[size_t(g)]);
    const size_t base = size_t(lg.Base[size_t(g)]);
    const __m512d zero = _mm512_setzero_pd();
    LaneSums ta{zero, zero, zero, zero}, tb{zero, zero, zero, zero};
    for (int k = 0; k < taps; ++k) {
        const size_t tap = first + size_t(k);
        const __m512d columnWeight = _mm512_loadu_pd(&lg.Weight[tap * 8]);
        __m512i index = _mm512_setzero_si512();
        __m256i columns = _mm256_setzero_si256();
        if constexpr (Mode == Fetch::Gather)
            columns = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(&lg.Column[tap * 8]));
        else
            index = _mm512_cvtepu8_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(&lg.Index[tap * 8])));
        const uint8_t* pr = rows[0];
        const uint8_t* pg = rows[1];
        const uint8_t* pb = rows[2];
        for (int j = 0; j < rowCount; ++j, pr += stride, pg += stride, pb += stride) {
            const __m512d r = FetchLanes<Mode>(pr, base, index, columns);
            const __m512d gr = FetchLanes<Mode>(pg, base, index, columns);
            const __m512d bl = FetchLanes<Mode>(pb, base, index, columns);
            if (j < a.Count) AddTerm<true>(ta, columnWeight, a.Weight[j], r, gr, bl);
            if (Pair && j >= b.Start && j < b.Start + b.Count)
                AddTerm<Pair>(tb, columnWeight, b.Weight[j - b.Start], r, gr, bl);
        }
    }
    sa = ta;
    sb = tb;
}

ORVANE_AVX512 __attribute__((always_inline)) inline __m256i FinishChannel(__m512d acc, __m512d total,
                                                                          __mmask8 positive, int shift) {
    __m512d v = _mm512_mask_div_pd(acc, positive, acc, total);
    v = _mm512_min_pd(v, _mm512_set1_pd(255));
    v = _mm512_max_pd(v, _mm512_setzero_pd());
    return _mm256_slli_epi32(_mm512_cvttpd_epi32(v), shift);
}

ORVANE_AVX512 __attribute__((always_inline)) inline void StoreLanes(uint32_t* out, int x, int width,
                                                                    const LaneSums& s) {
    const __mmask8 positive = _mm512_cmp_pd_mask(s.Total, _mm512_setzero_pd(), _CMP_GT_OQ);
    const __m256i pixel = _mm256_or_si256(_mm256_or_si256(FinishChannel(s.Blue, s.Total, positive, 0),
                                                          FinishChannel(s.Green, s.Total, positive, 8)),
                                          FinishChannel(s.Red, s.Total, positive, 16));
    const int lanes = std::min(8, width - x);
    if (lanes == 8)
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), pixel);
    else
        _mm256_mask_storeu_epi32(out + x, __mmask8((1u << lanes) - 1), pixel);
}

template <Fetch Mode, bool Pair>
ORVANE_AVX512 __attribute__((always_inline)) inline void SumAndStore(
    const uint8_t* const rows[3], size_t stride, const LaneGroups& lg, int g, RowWindow a, RowWindow b,
    int rowCount, uint32_t* outA, uint32_t* outB, int width) {
    LaneSums sa, sb;
    SumGroup<Mode, Pair>(rows, stride, lg, g, a, b, rowCount, sa, sb);
    StoreLanes(outA, g * 8, width, sa);
    if constexpr (Pair) StoreLanes(outB, g * 8, width, sb);
}

// Destination rows are worked two at a time (the last alone when their number
// is odd), every group of 8 columns across both.
ORVANE_AVX512 void SmoothRowsAvx512(const uint8_t* const planes[3], size_t stride,
                                    const LaneGroups& lg, const Windows& wy, Bitmap& dst,
                                    int yBegin, int yEnd) {
    const int width = dst.Width();
    const int groups = int(lg.Base.size());
    auto window = [&wy](int y, int from) {
        return RowWindow{&wy.Weight[size_t(wy.Offset[size_t(y)])], wy.First[size_t(y)] - from,
                         wy.Count[size_t(y)]};
    };
    for (int y = yBegin; y < yEnd; y += 2) {
        const bool pair = y + 1 < yEnd;
        const int from = wy.First[size_t(y)];
        const RowWindow a = window(y, from);
        const RowWindow b = pair ? window(y + 1, from) : a;
        const int rowCount = std::max(a.Start + a.Count, b.Start + b.Count);
        const size_t row0 = size_t(from) * stride;
        const uint8_t* rows[3] = {planes[0] + row0, planes[1] + row0, planes[2] + row0};
        uint32_t* outA = dst.Row(y);
        uint32_t* outB = pair ? dst.Row(y + 1) : outA;
        // The next pair's source rows are fetched into the cache while this
        // pair is worked; left to the hardware they arrive too late.
        const int ahead = std::min(y + 2, yEnd - 1);
        const int aheadEnd = std::min(ahead + 1, yEnd - 1);
        const int aheadCount = wy.First[size_t(aheadEnd)] + wy.Count[size_t(aheadEnd)] - wy.First[size_t(ahead)];
        const size_t aheadRow0 = size_t(wy.First[size_t(ahead)]) * stride;
        for (int g = 0; g < groups; ++g) {
            const size_t base = size_t(lg.Base[size_t(g)]);
            for (int c = 0; c < 3; ++c) {
                const char* p = reinterpret_cast<const char*>(planes[c] + aheadRow0 + base);
                for (int j = 0; j < aheadCount; ++j, p += stride) _mm_prefetch(p, _MM_HINT_T0);
            }
            const int span = lg.Span[size_t(g)];
            if (pair) {
                if (span <= 64)
                    SumAndStore<Fetch::OneLoad, true>(rows, stride, lg, g, a, b, rowCount, outA, outB, width);
                else if (span <= 128)
                    SumAndStore<Fetch::TwoLoads, true>(rows, stride, lg, g, a, b, rowCount, outA, outB, width);
                else
                    SumAndStore<Fetch::Gather, true>(rows, stride, lg, g, a, b, rowCount, outA, outB, width);
            } else {
                if (span <= 64)
                    SumAndStore<Fetch::OneLoad, false>(rows, stride, lg, g, a, b, rowCount, outA, outB, width);
                else if (span <= 128)
                    SumAndStore<Fetch::TwoLoads, false>(rows, stride, lg, g, a, b, rowCount, outA, outB, width);
                else
                    SumAndStore<Fetch::Gather, false>(rows, stride, lg, g, a, b, rowCount, outA, outB, width);
            }
        }
    }
}

ORVANE_AVX512 inline __m256i BlendChannelsAvx512(__m256i back, __m256i over, __m512d rest,
                                                  __m512d alpha) {
    const __m256i low = _mm256_set1_epi32(0xFF);
    __m256i pixel = _mm256_setzero_si256();
    for (int shift = 0; shift <= 16; shift += 8) {
        const __m512d b = _mm512_cvtepi32_pd(_mm256_and_si256(_mm256_srli_epi32(back, shift), low));
        const __m512d o = _mm512_cvtepi32_pd(_mm256_and_si256(_mm256_srli_epi32(over, shift), low));
        __m512d v = _mm512_add_pd(_mm512_mul_pd(rest, b), _mm512_mul_pd(o, alpha));
        v = _mm512_min_pd(v, _mm512_set1_pd(255));
        v = _mm512_max_pd(v, _mm512_setzero_pd());
        pixel = _mm256_or_si256(pixel, _mm256_slli_epi32(_mm512_cvttpd_epi32(v), shift));
    }
    return pixel;
}

ORVANE_AVX512 void BlendRowsAvx512(const Bitmap& backdrop, const Bitmap& overlay,
                                   const Bitmap& mask, Bitmap& output, int x, int y, int rBegin,
                                   int rEnd) {
    const int w = overlay.Width();
    const __m256i low = _mm256_set1_epi32(0xFF);
    for (int r = rBegin; r < rEnd; ++r) {
        const uint32_t* back = backdrop.Row(y + r) + x;
        const uint32_t* over = overlay.Row(r);
        const uint32_t* m = mask.Row(r);
        uint32_t* out = output.Row(r);
        for (int c = 0; c < w; c += 8) {
            const __mmask8 lanes = c + 8 <= w ? __mmask8(0xFF) : __mmask8((1u << (w - c)) - 1);
            const __m256i k = _mm256_and_si256(_mm256_maskz_loadu_epi32(lanes, m + c), low);
            const __m512d alpha = _mm512_div_pd(_mm512_cvtepi32_pd(k), _mm512_set1_pd(255));
            const __m512d rest = _mm512_sub_pd(_mm512_set1_pd(1), alpha);
            const __m256i pixel = BlendChannelsAvx512(_mm256_maskz_loadu_epi32(lanes, back + c),
                                                      _mm256_maskz_loadu_epi32(lanes, over + c),
                                                      rest, alpha);
            _mm256_mask_storeu_epi32(out + c, lanes, pixel);
        }
    }
}

#pragma GCC diagnostic pop

#else

int DetectVectorWidth() { return 0; }

#endif

}  // namespace

// ---------------------------------------------------------------------------

CoreGraphics::CoreGraphics() : state_(std::make_unique<State>()) {
#if defined(ORVANE_PLAYER_GRAPHICS)
    state_->Threads = 1;
#else
    state_->Threads = int(std::max(1u, std::min(8u, std::thread::hardware_concurrency())));
#endif
    state_->VectorWidthPresent = DetectVectorWidth();
    state_->VectorWidth = state_->VectorWidthPresent;
}

CoreGraphics::~CoreGraphics() = default;

#if !defined(ORVANE_PLAYER_GRAPHICS)
void CoreGraphics::SetThreads(int threads) { state_->Threads = std::clamp(threads, 1, 64); }

void CoreGraphics::SetVectorWidth(int bits) {
    const int present = state_->VectorWidthPresent;
    state_->VectorWidth = bits >= 512 ? present : bits >= 256 ? std::min(present, 256) : 0;
}

int CoreGraphics::VectorWidth() const { return state_->VectorWidth; }

void CoreGraphics::GreyBitmap(Bitmap& bitmap) {
    uint32_t* p = bitmap.Data();
    const size_t n = bitmap.PixelCount();
    for (size_t i = 0; i < n; ++i) {
        const uint32_t v = p[i];
        // Extended precision and this order of additions are part of the result.
        const long double g = 0.3L * PixelBlue(v) + 0.6L * PixelGreen(v) + 0.1L * PixelRed(v);
        const uint32_t level = uint32_t(int(g)) & 0xFF;
        p[i] = level | (level << 8) | (level << 16);
    }
}

void CoreGraphics::ScaleFast(const Bitmap& src, Bitmap& dst, int newWidth, int newHeight,
                             bool /*reload*/) {
    CheckScaleArguments(src, newWidth, newHeight);
    if (!ScaleCacheDirty && newWidth == ScaleCacheWidth && newHeight == ScaleCacheHeight) {
        dst = ScaleCache;
        return;
    }
    if (&src == &dst) {
        const Bitmap copy = src;
        ScaleFast(copy, dst, newWidth, newHeight, false);
        return;
    }
    State& s = *state_;
    const int sw = src.Width(), sh = src.Height();
    const double rx = 1 / (double(newWidth) / double(sw));
    const double ry = 1 / (double(newHeight) / double(sh));
    s.FastColumns.resize(size_t(newWidth));
    for (int x = 0; x < newWidth; ++x)
        s.FastColumns[size_t(x)] = std::min(int(double(x) * rx), sw - 1);
    dst.SetSize(newWidth, newHeight);
    const int* columns = s.FastColumns.data();
    RunParts(s.ThreadsFor(double(newWidth) * newHeight / 4), newHeight, [&](int yBegin, int yEnd) {
        for (int y = yBegin; y < yEnd; ++y) {
            const int sy = std::min(int(double(y) * ry), sh - 1);
            uint32_t* out = dst.Row(y);
            // Upscaled rows repeat: copy the row above when it read the same source row.
            if (y > yBegin && sy == std::min(int(double(y - 1) * ry), sh - 1)) {
                std::memcpy(out, dst.Row(y - 1), size_t(newWidth) * sizeof(uint32_t));
                continue;
            }
            const uint32_t* in = src.Row(sy);
            for (int x = 0; x < newWidth; ++x) out[x] = in[columns[x]];
        }
    });
}

#endif

// Splits src into the planes, source rows SplitBounds[t] .. SplitBounds[t + 1]
// on thread t.
void CoreGraphics::SplitSource(const Bitmap& src) {
    State& s = *state_;
    const int sw = src.Width(), sh = src.Height();
    s.PlaneWidth = sw;
    s.PlaneHeight = sh;
    s.ChannelStride = (size_t(sw) + 1 + 63) & ~size_t(63);
    s.Planes.resize(s.RowStride() * size_t(sh + 1) + kPlaneSlack);
    uint8_t* red = s.Plane(0);
    uint8_t* green = s.Plane(1);
    uint8_t* blue = s.Plane(2);
    const size_t stride = s.RowStride();
    const bool wide = s.VectorWidth >= 512;
    const bool stream = s.Planes.size() > kStreamAbove;
    const std::vector<int>& bounds = s.SplitBounds;
    const int parts = int(bounds.size()) - 1;
    RunParts(parts, parts, [&](int tBegin, int tEnd) {
        for (int t = tBegin; t < tEnd; ++t) {
            const int yBegin = bounds[size_t(t)], yEnd = bounds[size_t(t) + 1];
#if ORVANE_X86_KERNELS
            if (wide) {
                if (stream)
                    SplitRowsAvx512<true>(src, red, green, blue, stride, yBegin, yEnd);
                else
                    SplitRowsAvx512<false>(src, red, green, blue, stride, yBegin, yEnd);
                continue;
            }
#endif
            (void)stream;
            (void)wide;
            SplitRowsPortable(src, red, green, blue, stride, yBegin, yEnd);
        }
    });
    s.PlanesFilled = true;
}

void CoreGraphics::ScaleSmooth(const Bitmap& src, Bitmap& dst, int newWidth, int newHeight,
                               bool reload) {
    CheckScaleArguments(src, newWidth, newHeight);
    if (!ScaleCacheDirty && newWidth == ScaleCacheWidth && newHeight == ScaleCacheHeight &&
        !reload) {
        dst = ScaleCache;
        return;
    }
    State& s = *state_;
    const int sw = src.Width(), sh = src.Height();
    const double rx = 1 / (double(newWidth) / double(sw));
    const double ry = 1 / (double(newHeight) / double(sh));
    // Planes of another size cannot be what the caller meant to reuse.
    const bool split = reload || !s.PlanesFilled || s.PlaneWidth != sw || s.PlaneHeight != sh;

    // Even parts for the split alone: only a photo too big for the cache gains
    // from a second thread there.
    auto evenSplit = [&] {
        const int parts = double(sw) * sh * 3 > double(kStreamAbove) ? s.ThreadsFor(double(sw) * sh / 8) : 1;
        s.SplitBounds.resize(size_t(parts) + 1);
        for (int t = 0; t <= parts; ++t) s.SplitBounds[size_t(t)] = PartStart(sh, t, parts);
    };

    if (rx == 1 && ry == 1) {
        if (split) {
            evenSplit();
            SplitSource(src);
        }
        dst = src;
        return;
    }

    s.ColumnWindows.Build(newWidth, rx, sw);
    s.RowWindows.Build(newHeight, ry, sh);
    const Windows& wx = s.ColumnWindows;
    const Windows& wy = s.RowWindows;
    const int threads = std::min(s.ThreadsFor(double(wx.Weight.size()) * double(wy.Weight.size())), newHeight);

    if (split) {
        if (threads > 1) {
            // Each thread splits the source rows its own destination rows
            // start in, so they are in its core's cache when it reads them;
            // fetching lines another core has just written is slow.
            s.SplitBounds.resize(size_t(threads) + 1);
            s.SplitBounds[0] = 0;
            for (int t = 1; t < threads; ++t)
                s.SplitBounds[size_t(t)] = wy.First[size_t(PartStart(newHeight, t, threads))];
            s.SplitBounds[size_t(threads)] = sh;
        } else {
            evenSplit();
        }
        SplitSource(src);
    }

    dst.SetSize(newWidth, newHeight);
    Bitmap* cache = &dst == &ScaleCache ? nullptr : &ScaleCache;
    if (cache) cache->SetSize(newWidth, newHeight);
    const size_t stride = s.RowStride();
    const uint8_t* planes[3] = {s.Plane(0), s.Plane(1), s.Plane(2)};
    const size_t rowBytes = size_t(newWidth) * sizeof(uint32_t);
    auto keep = [&](int yBegin, int yEnd) {
        if (cache)
            for (int y = yBegin; y < yEnd; ++y) std::memcpy(cache->Row(y), dst.Row(y), rowBytes);
    };

#if ORVANE_X86_KERNELS
    if (s.VectorWidth >= 256) {
        const bool wide = s.VectorWidth >= 512;
        s.Groups.Build(wx, newWidth, wide ? 8 : 4);
        const LaneGroups& lg = s.Groups;
        RunParts(threads, newHeight, [&](int yBegin, int yEnd) {
            if (wide)
                SmoothRowsAvx512(planes, stride, lg, wy, dst, yBegin, yEnd);
            else
                SmoothRowsAvx2(planes, stride, lg, wy, dst, yBegin, yEnd);
            keep(yBegin, yEnd);
        });
    } else
#endif
    {
        RunParts(threads, newHeight, [&](int yBegin, int yEnd) {
            SmoothRowsPortable(planes[0], planes[1], planes[2], stride, wx, wy, dst, yBegin, yEnd);
            keep(yBegin, yEnd);
        });
    }

    ScaleCacheDirty = false;
    ScaleCacheWidth = newWidth;
    ScaleCacheHeight = newHeight;
}

#if !defined(ORVANE_PLAYER_GRAPHICS)
void CoreGraphics::MaskBlend(const Bitmap& backdrop, const Bitmap& overlay, const Bitmap& mask,
                             Bitmap& output, int x, int y) {
    const int w = overlay.Width(), h = overlay.Height();
    if (overlay.IsEmpty()) throw std::invalid_argument("empty overlay");
    if (mask.Width() != w || mask.Height() != h)
        throw std::invalid_argument("mask and overlay differ in size");
    if (output.Width() != w || output.Height() != h)
        throw std::invalid_argument("output and overlay differ in size");
    if (x < 0 || y < 0 || int64_t(x) + w > backdrop.Width() || int64_t(y) + h > backdrop.Height())
        throw std::invalid_argument("blend region outside the backdrop");

    // Each output pixel depends on the same position of the inputs only, so
    // the output may be one of them.
    State& s = *state_;
    const bool wide = s.VectorWidth >= 512;
    RunParts(s.ThreadsFor(double(w) * h), h, [&](int rBegin, int rEnd) {
#if ORVANE_X86_KERNELS
        if (wide) {
            BlendRowsAvx512(backdrop, overlay, mask, output, x, y, rBegin, rEnd);
            return;
        }
#endif
        (void)wide;
        BlendRowsPortable(backdrop, overlay, mask, output, x, y, rBegin, rEnd);
    });
}

#endif

}  // namespace orvane
