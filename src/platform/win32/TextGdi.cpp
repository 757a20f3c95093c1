// Text with GDI at 96 DPI, as the menu player draws it: the font mapper finds
// a face for any name and GDI hints and rasterises the glyphs. Each glyph's
// grey coverage is blended onto the picture here, glyph by glyph, as on
// Linux, so a run drawn in pieces gives the same pixels as the whole run and
// every size is smoothed, whatever the user's ClearType setting or the
// font's own wishes (the pictures are stored in files and shown elsewhere).
#include "platform/Text.h"

#include "platform/Cp1252.h"
#include "platform/GlyphCoverage.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Windows.h"

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>
#include <unordered_map>

namespace orvane {

namespace {

// As on Linux: sizes beyond this are clamped.
constexpr int kMaxPixelEm = 2048;
// Fonts kept at once; the cache is emptied before it grows further.
constexpr size_t kMaxFonts = 64;

using Glyph = GlyphCoverage;

struct Font {
    HFONT Handle = nullptr;
    int Ascent = 0;
    int Descent = 0;
    int UnderlineTop = 0;  // rows below the baseline
    int UnderlineThickness = 1;
    std::unordered_map<wchar_t, Glyph> Glyphs;
};

using FontKey = std::tuple<std::string, int, bool, bool>;

struct Engine {
    HDC Dc = nullptr;
    std::map<FontKey, std::unique_ptr<Font>> Fonts;
};

Engine& TheEngine() {
    // Lives for the whole process, like the Linux engine's faces.
    static Engine* engine = [] {
        auto* e = new Engine;
        e->Dc = CreateCompatibleDC(nullptr);
        return e;
    }();
    return *engine;
}

std::unique_ptr<Font> MakeFont(const TextFont& wanted, int em) {
    // A negative height asks for the em, not the cell, as the player does.
    const std::wstring face = WideFromUtf8(wanted.Name).substr(0, LF_FACESIZE - 1);
    const HFONT handle = CreateFontW(-em, 0, 0, 0, wanted.Bold ? FW_BOLD : FW_NORMAL, wanted.Italic, FALSE, FALSE,
                                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                     DEFAULT_PITCH | FF_DONTCARE, face.c_str());
    if (!handle) return nullptr;
    auto font = std::make_unique<Font>();
    font->Handle = handle;
    const HDC dc = TheEngine().Dc;
    SelectObject(dc, handle);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    font->Ascent = metrics.tmAscent;
    font->Descent = metrics.tmDescent;
    OUTLINETEXTMETRICW outline{};
    outline.otmSize = sizeof outline;
    if (GetOutlineTextMetricsW(dc, sizeof outline, &outline)) {
        font->UnderlineThickness = std::max(1, int(outline.otmsUnderscoreSize));
        // The position is the top of the stroke, above the baseline when positive.
        font->UnderlineTop = -outline.otmsUnderscorePosition;
    } else {
        font->UnderlineThickness = std::max(1, em / 14);
        font->UnderlineTop = std::max(1, font->Descent / 2);
    }
    font->UnderlineTop = std::max(1, std::min(font->UnderlineTop, font->Descent - font->UnderlineThickness));
    return font;
}

Font* FindFont(const TextFont& wanted) {
    Engine& engine = TheEngine();
    const int em = std::clamp(PixelEm(wanted.PointSize), 1, kMaxPixelEm);
    FontKey key{wanted.Name, em, wanted.Bold, wanted.Italic};
    if (const auto it = engine.Fonts.find(key); it != engine.Fonts.end()) return it->second.get();
    if (engine.Fonts.size() >= kMaxFonts) {
        SelectObject(engine.Dc, GetStockObject(SYSTEM_FONT));
        for (const auto& [unused, font] : engine.Fonts) DeleteObject(font->Handle);
        engine.Fonts.clear();
    }
    std::unique_ptr<Font> font = MakeFont(wanted, em);
    if (!font) return nullptr;
    return engine.Fonts.emplace(std::move(key), std::move(font)).first->second.get();
}

const Glyph& GlyphOf(Font& font, wchar_t c) {
    const auto it = font.Glyphs.find(c);
    if (it != font.Glyphs.end()) return it->second;
    Glyph& glyph = font.Glyphs[c];
    const HDC dc = TheEngine().Dc;
    SelectObject(dc, font.Handle);
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    GLYPHMETRICS metrics{};
    const DWORD size = GetGlyphOutlineW(dc, c, GGO_GRAY8_BITMAP, &metrics, 0, nullptr, &identity);
    if (size == GDI_ERROR) return glyph;
    glyph.Advance = metrics.gmCellIncX;
    if (size == 0) return glyph;  // a blank: only its advance
    std::vector<uint8_t> levels(size);
    if (GetGlyphOutlineW(dc, c, GGO_GRAY8_BITMAP, &metrics, size, levels.data(), &identity) == GDI_ERROR) return glyph;
    glyph.Left = metrics.gmptGlyphOrigin.x;
    glyph.Top = metrics.gmptGlyphOrigin.y;
    glyph.Width = int(metrics.gmBlackBoxX);
    glyph.Rows = int(metrics.gmBlackBoxY);
    const size_t pitch = (size_t(glyph.Width) + 3) & ~size_t(3);  // rows are whole double words
    if (pitch * size_t(glyph.Rows) > levels.size()) {
        glyph.Width = glyph.Rows = 0;
        return glyph;
    }
    glyph.Coverage.resize(size_t(glyph.Width) * size_t(glyph.Rows));
    for (int r = 0; r < glyph.Rows; ++r)
        for (int col = 0; col < glyph.Width; ++col)  // 65 levels, 0 to 64
            glyph.Coverage[size_t(r) * size_t(glyph.Width) + size_t(col)] =
                uint8_t(std::min<unsigned>(64, levels[size_t(r) * pitch + size_t(col)]) * 255 / 64);
    return glyph;
}

// The next character as the menu's files will hold it: a character
// Windows-1252 lacks is the "?" that reopening the menu would draw.
wchar_t NextCharacter(std::string_view text, size_t& i) { return wchar_t(AsStoredCharacter(DecodeUtf8(text, i))); }

}  // namespace

TextExtent MeasureText(const TextFont& font, std::string_view text) {
    Font* f = FindFont(font);
    if (!f) return {};
    int width = 0;
    for (size_t i = 0; i < text.size();) width += GlyphOf(*f, NextCharacter(text, i)).Advance;
    return {width, f->Ascent + f->Descent};
}

void DrawTransparentText(Bitmap& target, int x, int y, const TextFont& font, uint32_t colour, std::string_view text) {
    Font* f = FindFont(font);
    if (!f || target.IsEmpty()) return;
    const uint32_t c = ResolveColor(colour);
    const uint8_t r = ColorRed(c), g = ColorGreen(c), b = ColorBlue(c);
    const int baseline = y + f->Ascent;
    int pen = x;
    for (size_t i = 0; i < text.size();) {
        const Glyph& glyph = GlyphOf(*f, NextCharacter(text, i));
        DrawGlyph(target, pen, baseline, glyph, r, g, b);
        pen += glyph.Advance;
    }
    if (font.Underline && pen > x) {
        const int top = baseline + f->UnderlineTop;
        FillRect(target, Rect{x, top, pen, top + f->UnderlineThickness}, MakePixel(r, g, b));
    }
}

std::vector<std::string> InstalledFontFamilies() {
    std::vector<std::string> names;
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;  // every face, once per script it covers
    auto collect = [](const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM list) -> int {
        // "@" names are the same faces turned for vertical writing.
        if (font->lfFaceName[0] != L'@')
            reinterpret_cast<std::vector<std::string>*>(list)->push_back(Utf8FromWide(font->lfFaceName));
        return 1;
    };
    EnumFontFamiliesExW(TheEngine().Dc, &wanted, collect, reinterpret_cast<LPARAM>(&names), 0);
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

}  // namespace orvane
