// Text with FreeType and fontconfig, measured and hinted as the Windows desktop
// measures it.
#include "platform/Text.h"

#include "platform/Cp1252.h"
#include "platform/GlyphCoverage.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace orvane {

namespace {

// Sizes beyond this are clamped: a caption never needs more, and the glyph
// cache holds rendered bitmaps.
constexpr int kMaxPixelEm = 2048;

// A glyph at one pixel size: its advance in whole pixels and its coverage
// bitmap, placed relative to the pen position on the baseline.
struct Glyph : GlyphCoverage {
    bool Loaded = false;
};

struct Face;

// A face at one pixel em, with its own FreeType size so switching sizes does
// not rerun the hinting set-up.
struct SizedFont {
    Face* Owner = nullptr;
    FT_Size Size = nullptr;
    int Em = 0;
    int Ascent = 0;
    int Descent = 0;
    int UnderlineTop = 0;  // rows below the baseline
    int UnderlineThickness = 1;
    std::array<Glyph, 128> Ascii;
    std::unordered_map<char32_t, Glyph> Others;
};

struct Face {
    FT_Face Ft = nullptr;
    bool SynthBold = false;
    bool SynthItalic = false;
    std::map<int, std::unique_ptr<SizedFont>> Sizes;
};

struct Engine {
    FT_Library Library = nullptr;
    bool FontconfigReady = false;
    std::map<std::tuple<std::string, bool, bool>, std::unique_ptr<Face>> Faces;

    // The font of the previous call: captions come in runs of one font.
    bool HasLast = false;
    std::string LastName;
    int LastPointSize = 0;
    bool LastBold = false;
    bool LastItalic = false;
    SizedFont* Last = nullptr;
};

Engine& TheEngine() {
    // Faces live for the whole process; never destroyed, so nothing depends on
    // the order of static destruction.
    static Engine* engine = [] {
        auto* e = new Engine;
        if (FT_Init_FreeType(&e->Library) != 0) {
            e->Library = nullptr;
        } else {
            // The classic TrueType interpreter hints advances the way the
            // Windows rasteriser does (the newer one keeps them unhinted in x).
            FT_UInt version = TT_INTERPRETER_VERSION_35;
            FT_Property_Set(e->Library, "truetype", "interpreter-version", &version);
        }
        e->FontconfigReady = FcInit() == FcTrue;
        return e;
    }();
    return *engine;
}

int ScaleRound(long value, int em, int unitsPerEm) {
    const int64_t n = int64_t(value) * em;
    const int64_t d = unitsPerEm;
    return int(n >= 0 ? (2 * n + d) / (2 * d) : -((-2 * n + d) / (2 * d)));
}

int RoundPixels(FT_Pos v) { return int((v + 32) >> 6); }

// Asks fontconfig for the file of a font; an unknown name gets its substitute.
std::unique_ptr<Face> OpenFace(Engine& engine, const std::string& name, bool bold, bool italic) {
    auto face = std::make_unique<Face>();
    if (!engine.Library || !engine.FontconfigReady) return face;

    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return face;
    if (!name.empty()) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    // Any pixel em must be available, so bitmap-only fonts lose to outlines.
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return face;

    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        if (FT_New_Face(engine.Library, reinterpret_cast<const char*>(file), index, &face->Ft) != 0) face->Ft = nullptr;
    }
    FcPatternDestroy(match);
    if (!face->Ft) return face;

    // The style of the file itself: fontconfig reports the weight and slant
    // asked for when it expects them to be synthesised.
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face->Ft, FT_SFNT_OS2));
    const bool isBold = (face->Ft->style_flags & FT_STYLE_FLAG_BOLD) || (os2 && os2->usWeightClass >= 600);
    const bool isItalic = (face->Ft->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
    face->SynthBold = bold && !isBold;
    face->SynthItalic = italic && !isItalic;
    return face;
}

bool SetPixelEm(FT_Face ft, int em) {
    if (FT_IS_SCALABLE(ft)) return FT_Set_Pixel_Sizes(ft, 0, FT_UInt(em)) == 0;
    // Bitmap-only face: the nearest strike will have to do.
    if (ft->num_fixed_sizes <= 0) return false;
    int best = 0;
    for (int i = 1; i < ft->num_fixed_sizes; ++i) {
        const int d = std::abs(ft->available_sizes[i].height - em);
        if (d < std::abs(ft->available_sizes[best].height - em)) best = i;
    }
    return FT_Select_Size(ft, best) == 0;
}

std::unique_ptr<SizedFont> MakeSized(Face& face, int em) {
    FT_Face ft = face.Ft;
    FT_Size size = nullptr;
    if (FT_New_Size(ft, &size) != 0) return nullptr;
    FT_Activate_Size(size);
    if (!SetPixelEm(ft, em)) {
        FT_Done_Size(size);
        return nullptr;
    }
    auto sized = std::make_unique<SizedFont>();
    sized->Owner = &face;
    sized->Size = size;
    sized->Em = em;

    // Height as the Windows desktop gives it: the OS/2 Windows ascent and
    // descent, each scaled and rounded on its own.
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
    const int upem = ft->units_per_EM;
    if (os2 && os2->version != 0xFFFF && upem > 0 && os2->usWinAscent + os2->usWinDescent > 0) {
        sized->Ascent = ScaleRound(os2->usWinAscent, em, upem);
        sized->Descent = ScaleRound(os2->usWinDescent, em, upem);
    } else {
        sized->Ascent = RoundPixels(size->metrics.ascender);
        sized->Descent = -RoundPixels(size->metrics.descender);
    }

    // FreeType gives the centre of the underline stem; keep it inside the cell.
    if (upem > 0 && ft->underline_thickness > 0) {
        const int thickness = std::max(1, ScaleRound(ft->underline_thickness, em, upem));
        const int64_t centre2 = -int64_t(ft->underline_position) * em * 2;  // twice the centre, in units
        sized->UnderlineThickness = thickness;
        sized->UnderlineTop = int((centre2 - int64_t(thickness) * upem + upem) / (2 * int64_t(upem)));
    } else {
        sized->UnderlineThickness = std::max(1, em / 14);
        sized->UnderlineTop = std::max(1, sized->Descent / 2);
    }
    if (sized->UnderlineTop + sized->UnderlineThickness > sized->Descent)
        sized->UnderlineTop = sized->Descent - sized->UnderlineThickness;
    return sized;
}

SizedFont* FindFont(const TextFont& font) {
    Engine& engine = TheEngine();
    if (engine.HasLast && engine.LastPointSize == font.PointSize && engine.LastBold == font.Bold &&
        engine.LastItalic == font.Italic && engine.LastName == font.Name)
        return engine.Last;

    auto key = std::make_tuple(font.Name, font.Bold, font.Italic);
    auto it = engine.Faces.find(key);
    if (it == engine.Faces.end())
        it = engine.Faces.emplace(std::move(key), OpenFace(engine, font.Name, font.Bold, font.Italic)).first;
    Face& face = *it->second;

    SizedFont* sized = nullptr;
    if (face.Ft) {
        // A size of zero or less still has to measure something.
        const int em = std::clamp(PixelEm(font.PointSize), 1, kMaxPixelEm);
        auto s = face.Sizes.find(em);
        if (s == face.Sizes.end()) s = face.Sizes.emplace(em, MakeSized(face, em)).first;
        sized = s->second.get();
    }

    engine.HasLast = true;
    engine.LastName = font.Name;
    engine.LastPointSize = font.PointSize;
    engine.LastBold = font.Bold;
    engine.LastItalic = font.Italic;
    engine.Last = sized;
    return sized;
}

void CopyCoverage(const FT_Bitmap& bitmap, Glyph& glyph) {
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.pixel_mode != FT_PIXEL_MODE_MONO) return;
    glyph.Width = int(bitmap.width);
    glyph.Rows = int(bitmap.rows);
    glyph.Coverage.resize(size_t(glyph.Width) * size_t(glyph.Rows));
    for (int r = 0; r < glyph.Rows; ++r) {
        const unsigned char* in = bitmap.buffer + ptrdiff_t(r) * bitmap.pitch;
        uint8_t* out = glyph.Coverage.data() + size_t(r) * size_t(glyph.Width);
        if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
            const int grays = std::max<int>(2, bitmap.num_grays);
            for (int c = 0; c < glyph.Width; ++c) out[c] = uint8_t(in[c] * 255 / (grays - 1));
        } else {
            for (int c = 0; c < glyph.Width; ++c) out[c] = (in[c >> 3] & (0x80 >> (c & 7))) ? 255 : 0;
        }
    }
}

void LoadGlyph(SizedFont& sized, char32_t codePoint, Glyph& glyph) {
    glyph.Loaded = true;
    FT_Face ft = sized.Owner->Ft;
    FT_Activate_Size(sized.Size);
    const FT_UInt index = FT_Get_Char_Index(ft, codePoint);
    // Outlines only, so synthetic styles apply alike to every glyph.
    const FT_Int32 flags = FT_LOAD_DEFAULT | (FT_IS_SCALABLE(ft) ? FT_LOAD_NO_BITMAP : 0);
    if (FT_Load_Glyph(ft, index, flags) != 0) return;
    FT_GlyphSlot slot = ft->glyph;

    // The hinted advance at this pixel size, whole pixels: the Windows desktop
    // rounds each glyph's advance (hdmx or hinted widths), and so do we, which
    // also makes the drawn width equal the measured width.
    glyph.Advance = RoundPixels(slot->advance.x);

    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (sized.Owner->SynthItalic) {
            // About 12 degrees, sheared about the baseline.
            FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};
            FT_Outline_Transform(&slot->outline, &shear);
        }
        if (sized.Owner->SynthBold) {
            // Thicken to the right by whole pixels so hinted stems stay crisp.
            const int px = std::max(1, (sized.Em + 12) / 24);
            FT_Outline_EmboldenXY(&slot->outline, px * 64, 0);
            FT_Outline_Translate(&slot->outline, px * 32, 0);
            glyph.Advance += px;
        }
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return;
    glyph.Left = slot->bitmap_left;
    glyph.Top = slot->bitmap_top;
    CopyCoverage(slot->bitmap, glyph);
}

const Glyph& GlyphOf(SizedFont& sized, char32_t codePoint) {
    Glyph& glyph = codePoint < 128 ? sized.Ascii[codePoint] : sized.Others[codePoint];
    if (!glyph.Loaded) LoadGlyph(sized, codePoint, glyph);
    return glyph;
}

// The next character as the menu's files and the player will hold it: the
// pictures show what reopening the menu would draw again.
char32_t NextCodePoint(std::string_view text, size_t& i) { return AsStoredCharacter(DecodeUtf8(text, i)); }

}  // namespace

TextExtent MeasureText(const TextFont& font, std::string_view text) {
    SizedFont* sized = FindFont(font);
    if (!sized) return {};
    int width = 0;
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80 && sized->Ascii[c].Loaded) {
            width += sized->Ascii[c].Advance;
            ++i;
            continue;
        }
        width += GlyphOf(*sized, NextCodePoint(text, i)).Advance;
    }
    return {width, sized->Ascent + sized->Descent};
}

void DrawTransparentText(Bitmap& target, int x, int y, const TextFont& font, uint32_t colour, std::string_view text) {
    SizedFont* sized = FindFont(font);
    if (!sized || target.IsEmpty()) return;
    const uint32_t c = ResolveColor(colour);
    const uint8_t r = ColorRed(c), g = ColorGreen(c), b = ColorBlue(c);
    const int baseline = y + sized->Ascent;

    int pen = x;
    for (size_t i = 0; i < text.size();) {
        const Glyph& glyph = GlyphOf(*sized, NextCodePoint(text, i));
        DrawGlyph(target, pen, baseline, glyph, r, g, b);
        pen += glyph.Advance;
    }

    if (font.Underline && pen > x) {
        const int top = baseline + sized->UnderlineTop;
        const Rect line{x, top, pen, top + sized->UnderlineThickness};
        FillRect(target, line, MakePixel(r, g, b));
    }
}

std::vector<std::string> InstalledFontFamilies() {
    std::vector<std::string> names;
    if (!TheEngine().FontconfigReady) return names;
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = pattern && objects ? FcFontList(nullptr, pattern, objects) : nullptr;
    if (fonts) {
        for (int i = 0; i < fonts->nfont; ++i) {
            // A font may list several families (localised names); each is offered.
            FcChar8* family = nullptr;
            for (int n = 0; FcPatternGetString(fonts->fonts[i], FC_FAMILY, n, &family) == FcResultMatch; ++n)
                if (family && *family) names.emplace_back(reinterpret_cast<const char*>(family));
        }
        FcFontSetDestroy(fonts);
    }
    if (objects) FcObjectSetDestroy(objects);
    if (pattern) FcPatternDestroy(pattern);
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

}  // namespace orvane
