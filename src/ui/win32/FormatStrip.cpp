#include "ui/win32/FormatStrip.h"

#include "app/FormatBar.h"
#include "platform/win32/Wide.h"
#include "ui/win32/ColorPopups.h"
#include "ui/win32/MainToolbar.h"
#include "ui/win32/resource.h"

#include <commctrl.h>
#include <windowsx.h>

#include <iterator>
#include <string>

namespace orvane {

namespace {

const wchar_t kClass[] = L"OrvaneFormatStrip";
constexpr int kHeightDlu = 16;

enum Id { kFontName = 5000, kFontSize, kBold, kItalic, kUnderline, kAlignLeft, kAlignCentre, kAlignRight, kAvailability };
enum DropId { kFontColor = 3011, kShadowColor, kShadowDepth };

struct Part {
    int Id;
    const wchar_t* Kind;
    const wchar_t* Text;
    DWORD Style;
    int WidthDlu;
};

// Left to right; the alignments in the order the buttons show them. Each
// button's text is its access key's name, so a screen reader says it.
const Part kParts[] = {
    {kFontName, WC_COMBOBOXW, L"Font", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 110},
    {kFontSize, WC_COMBOBOXW, L"Font Size", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 30},
    {kFontColor, WC_BUTTONW, L"Font Color", BS_OWNERDRAW | WS_TABSTOP, 22},
    {kBold, WC_BUTTONW, L"B", BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_TABSTOP, 14},
    {kItalic, WC_BUTTONW, L"I", BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_TABSTOP, 14},
    {kUnderline, WC_BUTTONW, L"U", BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_TABSTOP, 14},
    {kAlignLeft, WC_BUTTONW, L"Left", BS_AUTORADIOBUTTON | BS_PUSHLIKE | WS_GROUP | WS_TABSTOP, 24},
    {kAlignCentre, WC_BUTTONW, L"Center", BS_AUTORADIOBUTTON | BS_PUSHLIKE, 28},
    {kAlignRight, WC_BUTTONW, L"Right", BS_AUTORADIOBUTTON | BS_PUSHLIKE, 24},
    {kShadowColor, WC_BUTTONW, L"Shadow Color", BS_OWNERDRAW | WS_GROUP | WS_TABSTOP, 22},
    {kShadowDepth, WC_BUTTONW, L"Shadow Depth", BS_OWNERDRAW | WS_TABSTOP, 22},
    {kAvailability, WC_BUTTONW, L"Font Availability", BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP, 78},
};

// The font availability glyph, side pixels square: the safe and low glyphs
// as drawn, the popularity bar from the model, black around it see-through.
std::vector<uint32_t> AvailabilityPixels(const FormatBar& format, int side) {
    int w = 0, h = 0;
    const bool big = side >= 32;
    if (format.AvailabilityGlyph == FormatBar::Glyph::Safe)
        return ReadGlyphResource(big ? IDR_FONT_SAFE_32 : IDR_FONT_SAFE_16, w, h);
    if (format.AvailabilityGlyph == FormatBar::Glyph::Low)
        return ReadGlyphResource(big ? IDR_FONT_LOW_32 : IDR_FONT_LOW_16, w, h);
    Bitmap shade;
    if (const auto pixels = ReadGlyphResource(IDR_BAR_TEMPLATE, w, h); !pixels.empty()) {
        shade = Bitmap(w, h, 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) shade.At(x, y) = pixels[size_t(y) * size_t(w) + size_t(x)] & 0xFFFFFF;
    }
    const Bitmap bar = PopularityBarGlyph(format.Percentage, shade);
    const int scale = big ? 2 : 1;
    std::vector<uint32_t> pixels(size_t(bar.Width() * scale) * size_t(bar.Height() * scale), 0);
    for (int y = 0; y < bar.Height() * scale; ++y)
        for (int x = 0; x < bar.Width() * scale; ++x) {
            const uint32_t p = bar.At(x / scale, y / scale) & 0xFFFFFF;
            pixels[size_t(y) * size_t(bar.Width() * scale) + size_t(x)] = p ? p | 0xFF000000u : 0;
        }
    return pixels;
}

std::string Text(HWND control) {
    std::wstring text(size_t(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(control, text.data(), int(text.size()))));
    return Utf8FromWide(text);
}

}  // namespace

FormatStrip::FormatStrip(FormatBar& format, HWND parent) : format_(format) {
    static const bool registered = [] {
        const WNDCLASSEXW c = FaceClass(kClass, &FormatStrip::Proc);
        return RegisterClassExW(&c) != 0;
    }();
    (void)registered;
    strip_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClass, L"Formatting", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                             10, 10, parent, nullptr, GetModuleHandleW(nullptr), this);
    for (const Part& part : kParts)
        CreateWindowExW(0, part.Kind, part.Text, WS_CHILD | WS_VISIBLE | part.Style, 0, 0, 10, 10, strip_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(part.Id)), GetModuleHandleW(nullptr), nullptr);
    for (int id : {kFontColor, kShadowColor, kShadowDepth}) {
        HWND button = GetDlgItem(strip_, id);
        wchar_t hint[32] = {};
        GetWindowTextW(button, hint, 32);
        MakeDropButton(button, hint);
    }
    // The availability button's hint says what its glyph shows.
    availabilityTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX, 0, 0, 0, 0,
                                       strip_, nullptr, GetModuleHandleW(nullptr), nullptr);
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = strip_;
    tool.uId = UINT_PTR(GetDlgItem(strip_, kAvailability));
    tool.lpszText = const_cast<wchar_t*>(L"Font Availability");
    SendMessageW(availabilityTip_, TTM_ADDTOOLW, 0, LPARAM(&tool));
    format_.ListFonts();
    HWND names = GetDlgItem(strip_, kFontName);
    for (const std::string& name : format_.FontNames) ComboBox_AddString(names, WideFromUtf8(name).c_str());
    HWND sizes = GetDlgItem(strip_, kFontSize);
    for (const std::string& size : FontSizeList()) ComboBox_AddString(sizes, WideFromUtf8(size).c_str());
}

int FormatStrip::Height() const { return units_.Y(kHeightDlu) + (rows_ - 1) * units_.Y(kHeightDlu - 2); }

int FormatStrip::FitTo(int width) {
    width_ = width;
    Layout();
    return Height();
}

void FormatStrip::SetFont(HFONT font, const DialogUnits& units) {
    units_ = units;
    LOGFONTW base = {};
    GetObjectW(font, sizeof base, &base);
    for (HFONT* f : {&bold_, &italic_, &underline_})
        if (*f) DeleteObject(*f);
    LOGFONTW style = base;
    style.lfWeight = FW_BOLD;
    bold_ = CreateFontIndirectW(&style);
    style = base;
    style.lfItalic = TRUE;
    italic_ = CreateFontIndirectW(&style);
    style = base;
    style.lfUnderline = TRUE;
    underline_ = CreateFontIndirectW(&style);
    for (const Part& part : kParts) {
        HFONT f = part.Id == kBold ? bold_ : part.Id == kItalic ? italic_ : part.Id == kUnderline ? underline_ : font;
        SendDlgItemMessageW(strip_, part.Id, WM_SETFONT, WPARAM(f), FALSE);
    }
    ShowAvailability();  // the glyph's size follows the DPI
    Layout();
}

void FormatStrip::Layout() {
    auto groupEnds = [](const Part& part) {
        return part.Id == kFontSize || part.Id == kFontColor || part.Id == kUnderline || part.Id == kAlignRight ||
               part.Id == kShadowDepth;
    };
    const int left = units_.X(4), height = units_.Y(12), rowHeight = units_.Y(kHeightDlu - 2);
    int x = left, top = units_.Y(2);
    rows_ = 1;
    for (size_t i = 0; i < std::size(kParts); ++i) {
        // A group (the font, the styles, the alignments) goes whole onto the next row when it does not fit.
        if (width_ > 0 && x > left && (i == 0 || groupEnds(kParts[i - 1]))) {
            int group = 0;
            for (size_t j = i; j < std::size(kParts); ++j) {
                group += units_.X(kParts[j].WidthDlu + 1);
                if (groupEnds(kParts[j])) break;
            }
            if (x + group > width_) {
                x = left;
                top += rowHeight;
                ++rows_;
            }
        }
        const Part& part = kParts[i];
        const bool list = part.Kind == std::wstring_view(WC_COMBOBOXW);
        MoveWindow(GetDlgItem(strip_, part.Id), x, top, units_.X(part.WidthDlu), list ? units_.Y(160) : height, TRUE);
        x += units_.X(part.WidthDlu + (groupEnds(part) ? 6 : 1));
    }
}

void FormatStrip::Show() {
    syncing_ = true;
    HWND names = GetDlgItem(strip_, kFontName);
    const int index = ComboBox_FindStringExact(names, -1, WideFromUtf8(format_.FontName).c_str());
    if (index >= 0)
        ComboBox_SetCurSel(names, index);
    else  // a name the list lacks still shows, so it is not applied to the next target by mistake
        SetWindowTextW(names, WideFromUtf8(format_.FontName).c_str());
    SetWindowTextW(GetDlgItem(strip_, kFontSize), std::to_wstring(format_.FontSize).c_str());
    Button_SetCheck(GetDlgItem(strip_, kBold), format_.Bold ? BST_CHECKED : BST_UNCHECKED);
    Button_SetCheck(GetDlgItem(strip_, kItalic), format_.Italic ? BST_CHECKED : BST_UNCHECKED);
    Button_SetCheck(GetDlgItem(strip_, kUnderline), format_.Underline ? BST_CHECKED : BST_UNCHECKED);
    const int aligned[] = {kAlignLeft, kAlignRight, kAlignCentre};  // by Alignment
    for (int code = 0; code < 3; ++code)
        Button_SetCheck(GetDlgItem(strip_, aligned[code]),
                        format_.Alignment == Alignment(code) ? BST_CHECKED : BST_UNCHECKED);
    for (int id : {kFontColor, kShadowColor}) InvalidateRect(GetDlgItem(strip_, id), nullptr, FALSE);
    ShowAvailability();
    syncing_ = false;
}

void FormatStrip::ShowAvailability() {
    HWND button = GetDlgItem(strip_, kAvailability);
    const int side = MulDiv(16, int(GetDpiForWindow(strip_)), 96) >= 32 ? 32 : 16;
    const int percentage = format_.AvailabilityGlyph == FormatBar::Glyph::Bar ? format_.Percentage : -1;
    if (!availabilityImages_ || side != availabilitySide_ || format_.AvailabilityGlyph != availabilityGlyph_ ||
        percentage != availabilityPercentage_) {
        const std::vector<uint32_t> pixels = AvailabilityPixels(format_, side);
        HIMAGELIST images = pixels.size() == size_t(side) * size_t(side) ? GlyphImageList(pixels, side, side) : nullptr;
        BUTTON_IMAGELIST list = {images, {2, 0, 2, 0}, BUTTON_IMAGELIST_ALIGN_LEFT};
        SendMessageW(button, BCM_SETIMAGELIST, 0, LPARAM(&list));
        if (availabilityImages_) ImageList_Destroy(availabilityImages_);
        availabilityImages_ = images;
        availabilitySide_ = side;
        availabilityGlyph_ = format_.AvailabilityGlyph;
        availabilityPercentage_ = percentage;
        InvalidateRect(button, nullptr, TRUE);
    }
    const std::wstring hint = WideFromUtf8(format_.AvailabilityHint);
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = strip_;
    tool.uId = UINT_PTR(button);
    tool.lpszText = const_cast<wchar_t*>(hint.c_str());
    SendMessageW(availabilityTip_, TTM_UPDATETIPTEXTW, 0, LPARAM(&tool));
}

void FormatStrip::Command(int id, int code) {
    if (syncing_) return;
    HWND control = GetDlgItem(strip_, id);
    if (id == kFontName || id == kFontSize) {
        std::string text;
        if (code == CBN_SELCHANGE) {
            const int chosen = ComboBox_GetCurSel(control);
            if (chosen < 0) return;
            std::wstring item(size_t(ComboBox_GetLBTextLen(control, chosen)) + 1, L'\0');
            item.resize(size_t(ComboBox_GetLBText(control, chosen, item.data())));
            text = Utf8FromWide(item);
        } else if (code == CBN_KILLFOCUS) {
            text = Text(control);  // a typed name or size counts when the field is left
            if (id == kFontName ? text == format_.FontName : text == std::to_string(format_.FontSize)) return;
        } else {
            return;
        }
        if (id == kFontName)
            Run([this, text] { format_.FontNameChanged(text); });
        else
            Run([this, text] { format_.FontSizeChanged(text); });
        return;
    }
    if (code != BN_CLICKED) return;
    if (id == kFontColor || id == kShadowColor) {
        if (OpenPicker) OpenPicker(id == kFontColor ? ColorTarget::FontColor : ColorTarget::ShadowColor, control);
        return;
    }
    if (id == kShadowDepth) {
        if (OpenShadowSets) OpenShadowSets(control);
        return;
    }
    const bool down = Button_GetCheck(control) == BST_CHECKED;
    switch (id) {
        case kBold: Run([this, down] { format_.SetBold(down); }); break;
        case kItalic: Run([this, down] { format_.SetItalic(down); }); break;
        case kUnderline: Run([this, down] { format_.SetUnderline(down); }); break;
        case kAlignLeft: Run([this] { format_.SetAlignment(Alignment::Left); }); break;
        case kAlignRight: Run([this] { format_.SetAlignment(Alignment::Right); }); break;
        case kAlignCentre: Run([this] { format_.SetAlignment(Alignment::Centre); }); break;
        case kAvailability: Run([this] { format_.ShowAvailabilityMessage(); }); break;
    }
}

LRESULT CALLBACK FormatStrip::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<FormatStrip*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->strip_) return DefWindowProcW(window, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

LRESULT FormatStrip::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        Command(LOWORD(wParam), HIWORD(wParam));
        return 0;
    }
    if (message == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const DropGlyph glyph = item.CtlID == kFontColor     ? DropGlyph::FontColor
                                : item.CtlID == kShadowColor ? DropGlyph::ShadowColor
                                                             : DropGlyph::ShadowDepth;
        DrawDropButton(item, glyph, glyph == DropGlyph::FontColor ? format_.FontColor : format_.ShadowColor);
        return TRUE;
    }
    return DefWindowProcW(strip_, message, wParam, lParam);
}

}  // namespace orvane
