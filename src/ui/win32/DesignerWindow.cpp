#include "ui/win32/DesignerWindow.h"

#include "app/ButtonDesigner.h"
#include "app/ColorPicker.h"
#include "app/DesignerMenu.h"
#include "app/EditorModel.h"
#include "app/MainMenu.h"
#include "app/ShadowSets.h"
#include "platform/Text.h"
#include "platform/win32/Wide.h"
#include "ui/win32/ColorPopups.h"
#include "ui/win32/Layout.h"
#include "ui/win32/Win32Platform.h"
#include "ui/win32/resource.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <exception>
#include <memory>
#include <vector>

namespace orvane {

namespace {

using Designer = TfrmCustomBtnCls;

const wchar_t kSlotClass[] = L"OrvaneDesignerSlot";
const wchar_t kSampleClass[] = L"OrvaneDesignerSample";
constexpr UINT_PTR kSampleTimer = 1;

// Tool rows, in dialog units: the file and picture row, the formatting row
// (the font and size lists first), and the rule under them.
constexpr int kRowTop[2] = {4, 21};
constexpr int kRowLeft = 6, kToolSide = 15, kToolHeight = 14, kGap = 5;
constexpr int kMaskCaptionWidth = 24, kFontListWidth = 100, kSizeListWidth = 30;
constexpr int kRuleTop = 38;

// The art keeps its pixels: a slot picture with its frame, the sample panel
// with its 4-pixel border, and the Qt face's slot column in 96-DPI pixels.
constexpr int kSlotSide = 34, kSlotStep = 46, kMaskOffset = 44, kSlotLeft = 16;
constexpr int kPanelWidth = Designer::kBackgroundWidth + 8, kPanelHeight = Designer::kBackgroundHeight + 8;
constexpr int kFrameMargin = 4, kFrameWidth = 2;

std::string ControlText(HWND control) {
    std::wstring text(size_t(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(control, text.data(), int(text.size()))));
    return Utf8FromWide(text);
}

// Sets a control's text only when it differs, so a field being typed in keeps its caret.
void SetControlText(HWND control, const std::string& text) {
    if (ControlText(control) != text) SetWindowTextW(control, WideFromUtf8(text).c_str());
}

void Paint(HDC dc, const Bitmap& picture, int x, int y, int width, int height) {
    if (picture.IsEmpty()) return;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, picture.Width(), -picture.Height(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    // Whole pixels, never blurred.
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, x, y, width, height, 0, 0, picture.Width(), picture.Height(), picture.Data(), &info,
                  DIB_RGB_COLORS, SRCCOPY);
}

COLORREF ColorRef(uint32_t colour) {
    const uint32_t c = ResolveColor(colour);
    return RGB(ColorRed(c), ColorGreen(c), ColorBlue(c));
}

// The virtual key of a shortcut's key name ("N", "F1").
WORD ShortcutKey(std::string_view key) {
    if (key.size() == 1) return WORD(std::toupper(static_cast<unsigned char>(key[0])));
    if (key.size() >= 2 && key[0] == 'F') return WORD(VK_F1 + std::stoi(std::string(key.substr(1))) - 1);
    return 0;
}

bool IsEditControl(HWND w) {
    wchar_t name[16] = {};
    GetClassNameW(w, name, 16);
    return _wcsicmp(name, L"Edit") == 0;
}

// The keys a text field edits with, which the designer's commands also use.
bool TextFieldKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_MENU) < 0) return false;
    const WPARAM k = msg.wParam;
    return k == 'C' || k == 'V' || k == 'X' || k == 'Z' || k == 'A';
}

// Tool glyphs --------------------------------------------------------------------------

// A glyph is drawn in layers, each in black on white for its coverage and
// then laid over the glyph in its ink, so it is sharp at any size.
struct GlyphLayer {
    std::function<void(HDC dc, int side)> Draw;
    COLORREF Ink;
};

HICON MakeGlyph(int side, const std::vector<GlyphLayer>& layers) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, side, -side, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP cover = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, cover);
    std::vector<uint32_t> argb(size_t(side) * size_t(side), 0);
    for (const GlyphLayer& layer : layers) {
        RECT all = {0, 0, side, side};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        layer.Draw(dc, side);
        GdiFlush();
        const auto* pixels = static_cast<const uint32_t*>(bits);
        for (size_t i = 0; i < argb.size(); ++i) {
            const uint32_t a = 255 - ((pixels[i] >> 8) & 0xFF);
            if (!a) continue;
            const uint32_t under = argb[i], ua = under >> 24;
            const uint32_t out = a + ua * (255 - a) / 255;
            auto mix = [&](int shift, uint32_t ink) {
                const uint32_t u = (under >> shift) & 0xFF;
                return ((ink * a + u * ua * (255 - a) / 255) / out) << shift;
            };
            argb[i] = (out << 24) | mix(16, GetRValue(layer.Ink)) | mix(8, GetGValue(layer.Ink)) |
                      mix(0, GetBValue(layer.Ink));
        }
    }
    std::copy(argb.begin(), argb.end(), static_cast<uint32_t*>(bits));
    SelectObject(dc, old);
    DeleteDC(dc);
    // The mask says where the glyph is, for the system's greyed drawing of a disabled button.
    const size_t stride = size_t((side + 15) / 16 * 2);
    std::vector<uint8_t> maskBits(stride * size_t(side), 0);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            if (argb[size_t(y) * size_t(side) + size_t(x)] >> 24 == 0) maskBits[size_t(y) * stride + size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
    HBITMAP mask = CreateBitmap(side, side, 1, 1, maskBits.data());
    ICONINFO icon = {TRUE, 0, 0, mask, cover};
    HICON result = CreateIconIndirect(&icon);
    DeleteObject(mask);
    DeleteObject(cover);
    return result;
}

// Text in a face at a share of the glyph's height, centred in a box.
std::function<void(HDC, int)> Letters(std::wstring text, const wchar_t* face, int percent, int weight = FW_BOLD,
                                      bool italic = false, bool underline = false, int dx = 0, int dy = 0,
                                      int boxPercent = 100) {
    std::wstring name = face;
    return [=](HDC dc, int side) {
        HFONT font = CreateFontW(-side * percent / 100, 0, 0, 0, weight, italic, underline, FALSE,
                                 DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 ANTIALIASED_QUALITY, DEFAULT_PITCH, name.c_str());
        HGDIOBJ old = SelectObject(dc, font);
        const int shift = std::max(1, side / 16);
        RECT box = {dx * shift, dy * shift, side + dx * shift, side * boxPercent / 100 + dy * shift};
        DrawTextW(dc, text.c_str(), int(text.size()), &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, old);
        DeleteObject(font);
    };
}

// Outlines and solid shapes on a 16 x 16 grid, drawn at the glyph's size.
struct Stroke {
    std::vector<POINT> Points;
    bool Closed = false;
    bool Filled = false;
};

std::function<void(HDC, int)> Shapes(std::vector<Stroke> strokes) {
    return [=](HDC dc, int side) {
        const int width = std::max(1, side / 16);
        LOGBRUSH brush = {BS_SOLID, RGB(0, 0, 0), 0};
        HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE | PS_JOIN_MITER, DWORD(width), &brush, 0, nullptr);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        for (const Stroke& stroke : strokes) {
            std::vector<POINT> at;
            for (const POINT& p : stroke.Points) at.push_back({p.x * side / 16, p.y * side / 16});
            if (stroke.Filled) {
                HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
                Polygon(dc, at.data(), int(at.size()));
                SelectObject(dc, oldBrush);
            } else {
                if (stroke.Closed) at.push_back(at.front());
                Polyline(dc, at.data(), int(at.size()));
            }
        }
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    };
}

const std::vector<Stroke> kPage = {{{{3, 1}, {9, 1}, {13, 5}, {13, 14}, {3, 14}}, true}, {{{9, 1}, {9, 5}, {13, 5}}}};
const std::vector<Stroke> kFolder = {{{{1, 3}, {6, 3}, {7, 5}, {14, 5}, {14, 13}, {1, 13}}, true}, {{{1, 7}, {14, 7}}}};
const std::vector<Stroke> kDisk = {{{{2, 2}, {13, 2}, {14, 3}, {14, 14}, {2, 14}}, true},
                                   {{{5, 2}, {11, 2}, {11, 6}, {5, 6}}, true, true},
                                   {{{4, 9}, {12, 9}, {12, 14}, {4, 14}}, true}};
const std::vector<Stroke> kArrowLeft = {{{{10, 3}, {10, 13}, {5, 8}}, true, true}};
const std::vector<Stroke> kArrowRight = {{{{6, 3}, {6, 13}, {11, 8}}, true, true}};
const std::vector<Stroke> kArrowUp = {{{{3, 10}, {13, 10}, {8, 5}}, true, true}};
const std::vector<Stroke> kArrowDown = {{{{3, 6}, {13, 6}, {8, 11}}, true, true}};

// Four lines of text, aligned 0 left, 1 right, 2 centre.
std::function<void(HDC, int)> AlignLines(int alignment) {
    return [=](HDC dc, int side) {
        const int unit = std::max(1, side / 16);
        for (int line = 0; line < 4; ++line) {
            const int length = (line % 2 ? 8 : 12) * unit;
            const int left = alignment == 0 ? 2 * unit : alignment == 1 ? side - 2 * unit - length : (side - length) / 2;
            const RECT bar = {left, (3 + 3 * line) * unit, left + length, (3 + 3 * line) * unit + unit + unit / 2};
            FillRect(dc, &bar, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        }
    };
}

std::function<void(HDC, int)> ColourBar() {
    return [](HDC dc, int side) {
        const int unit = std::max(1, side / 16);
        const RECT bar = {unit, side - 4 * unit, side - unit, side};
        FillRect(dc, &bar, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    };
}

std::vector<GlyphLayer> ToolGlyph(const DesignerItem& item, const Designer& model, const std::wstring& face,
                                  COLORREF ink) {
    using C = DesignerCommand;
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    switch (item.Command) {
        case C::New: return {{Shapes(kPage), ink}};
        case C::Open:
        case C::LoadPicture: return {{Shapes(kFolder), ink}};
        case C::Save:
        case C::SavePicture: return {{Shapes(kDisk), ink}};
        case C::CopyPicture: return {{Letters(L"Cp", face.c_str(), 62), ink}};
        case C::PastePicture: return {{Letters(L"Ps", face.c_str(), 62), ink}};
        case C::CopyMap: return {{Letters(L"#", face.c_str(), 80), ink == grey ? grey : RGB(160, 0, 160)}};
        case C::PhotoButton: return {{Letters(L"Ph", face.c_str(), 62), ink}};
        case C::Bold: return {{Letters(L"B", face.c_str(), 80), ink}};
        case C::Italic: return {{Letters(L"I", L"Times New Roman", 85, FW_BOLD, true), ink}};
        case C::Underline: return {{Letters(L"U", face.c_str(), 80, FW_BOLD, false, true), ink}};
        case C::Align: return {{AlignLines(item.Index), ink}};
        case C::NudgeLeft: return {{Shapes(kArrowLeft), ink}};
        case C::NudgeRight: return {{Shapes(kArrowRight), ink}};
        case C::NudgeUp: return {{Shapes(kArrowUp), ink}};
        case C::NudgeDown: return {{Shapes(kArrowDown), ink}};
        case C::FontColor:
            return {{Letters(L"A", face.c_str(), 70, FW_BOLD, false, false, 0, -1, 80), ink},
                    {ColourBar(), ink == grey ? grey : ColorRef(model.CaptionFont.Color)}};
        case C::ShadowColor:
            return {{Letters(L"A", face.c_str(), 70, FW_BOLD, false, false, 1, 0, 80), grey},
                    {Letters(L"A", face.c_str(), 70, FW_BOLD, false, false, 0, -1, 80), ink},
                    {ColourBar(), ink == grey ? grey : ColorRef(model.ShadowColor)}};
        case C::ShadowDepth:
            return {{Letters(L"S", face.c_str(), 80, FW_BOLD, false, false, 2, 1), grey},
                    {Letters(L"S", face.c_str(), 80), ink}};
        default: return {};
    }
}

// The window ----------------------------------------------------------------------------

struct DesignerDialog {
    Win32Platform& Desktop;
    std::unique_ptr<Designer> Model;
    HWND Window = nullptr;
    HMENU Bar = nullptr;
    HACCEL Accelerators = nullptr;
    HWND Tips = nullptr;
    HWND Rule = nullptr;
    std::vector<HWND> Tools;          // by place in the tool table; null for separators
    std::vector<HICON> Icons;         // the tools' glyphs
    std::vector<std::wstring> IconKeys;  // what each glyph was drawn for
    bool Syncing = false;
    bool Done = false;
    bool Hovering = false;
    Bitmap Shown;                     // the sample state on screen

    explicit DesignerDialog(Win32Platform& desktop) : Desktop(desktop) {}

    ~DesignerDialog() {
        for (HICON icon : Icons)
            if (icon) DestroyIcon(icon);
        if (Accelerators) DestroyAcceleratorTable(Accelerators);
    }

    HWND Item(int id) const { return GetDlgItem(Window, id); }
    int Dpi() const { return int(GetDpiForWindow(Window)); }
    int Px(int pixels96) const { return Scale(pixels96, Dpi()); }
    RECT Dlu(int left, int top, int width, int height) const {
        RECT r = {left, top, left + width, top + height};
        MapDialogRect(Window, &r);
        return r;
    }

    // Building ----------------------------------------------------------------------------

    void Create() {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(Window, WM_GETFONT, 0, 0));
        const auto tools = DesignerToolItems();
        Tools.assign(tools.size(), nullptr);
        Icons.assign(tools.size(), nullptr);
        IconKeys.assign(tools.size(), L"");
        Tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                               0, Window, nullptr, instance, nullptr);
        auto make = [&](const wchar_t* kind, const std::wstring& text, DWORD style, int id) {
            HWND control = CreateWindowExW(0, kind, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, Window,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
            SendMessageW(control, WM_SETFONT, WPARAM(font), FALSE);
            return control;
        };
        int row = -1;
        for (size_t i = 0; i < tools.size(); ++i) {
            const DesignerItem& item = tools[i];
            const int id = IDC_DZ_TOOL0 + int(i);
            if (item.Depth != row) {
                row = item.Depth;
                if (row == 1) {
                    // The formatting row starts with the font and size lists.
                    HWND fonts = make(WC_COMBOBOXW, L"Font", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_GROUP | WS_TABSTOP,
                                      IDC_DZ_FONTS);
                    for (const std::string& name : Model->FontList)
                        ComboBox_AddString(fonts, WideFromUtf8(name).c_str());
                    HWND sizes = make(WC_COMBOBOXW, L"Font Size", CBS_DROPDOWN | WS_VSCROLL | WS_GROUP | WS_TABSTOP,
                                      IDC_DZ_SIZES);
                    for (const std::string& size : Model->SizeList) ComboBox_AddString(sizes, WideFromUtf8(size).c_str());
                    for (HWND list : {fonts, sizes}) AddTip(list, list == fonts ? "Font" : "Font Size");
                }
            }
            if (item.Command == DesignerCommand::None) continue;
            const std::wstring text = WideFromUtf8(DesignerItemText(item));
            if (item.Command == DesignerCommand::MaskCaption) {
                Tools[i] = make(WC_STATICW, text, SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, id);
                continue;
            }
            const bool first = i == 0 || tools[i - 1].Depth != item.Depth;
            const bool toggle = item.Command == DesignerCommand::Bold || item.Command == DesignerCommand::Italic ||
                                item.Command == DesignerCommand::Underline || item.Command == DesignerCommand::PhotoButton;
            const bool radio = item.Command == DesignerCommand::Align;
            const DWORD kind = toggle ? BS_CHECKBOX | BS_PUSHLIKE : radio ? BS_RADIOBUTTON | BS_PUSHLIKE : BS_PUSHBUTTON;
            // One tab stop per row; the arrow keys move along it.
            Tools[i] = make(WC_BUTTONW, text, kind | BS_ICON | (first ? WS_GROUP | WS_TABSTOP : 0), id);
            AddTip(Tools[i], std::string(DesignerItemText(item)));
        }
        Rule = make(WC_STATICW, L"", SS_ETCHEDHORZ, -1);

        HWND animation = Item(IDC_DZ_ANIMATION);
        for (const char* name : kAnimationNames) ComboBox_AddString(animation, WideFromUtf8(name).c_str());
        BuildMenus();
        BuildAccelerators();
    }

    void AddTip(HWND control, const std::string& text) {
        std::wstring wide = WideFromUtf8(text);
        TOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Window;
        tool.uId = UINT_PTR(control);
        tool.lpszText = wide.data();
        SendMessageW(Tips, TTM_ADDTOOLW, 0, LPARAM(&tool));
    }

    void BuildMenus() {
        Bar = CreateMenu();
        HMENU popups[3] = {Bar, nullptr, nullptr};
        const auto items = DesignerMenuItems();
        for (size_t i = 0; i < items.size(); ++i) {
            const DesignerItem& item = items[i];
            HMENU into = popups[item.Depth];
            const bool opensMenu = item.Command == DesignerCommand::None && !item.Text.empty();
            if (opensMenu) {
                popups[item.Depth + 1] = CreatePopupMenu();
                AppendMenuW(into, MF_POPUP, UINT_PTR(popups[item.Depth + 1]), WideFromUtf8(item.Text).c_str());
            } else if (item.Command == DesignerCommand::None) {
                AppendMenuW(into, MF_SEPARATOR, 0, nullptr);
            } else {
                std::wstring label = WideFromUtf8(DesignerItemText(item));
                if (!DesignerItemKey(item).empty()) label += L"\t" + WideFromUtf8(DesignerItemKey(item));
                AppendMenuW(into, MF_STRING, IDC_DZ_MENU0 + UINT(i), label.c_str());
            }
        }
        SetMenu(Window, Bar);
    }

    void BuildAccelerators() {
        std::vector<ACCEL> table;
        const auto items = DesignerMenuItems();
        for (size_t i = 0; i < items.size(); ++i) {
            const auto shortcut = ParseShortcut(DesignerItemKey(items[i]));
            if (!shortcut) continue;
            BYTE flags = FVIRTKEY;
            if (shortcut->Ctrl) flags |= FCONTROL;
            if (shortcut->Shift) flags |= FSHIFT;
            if (shortcut->Alt) flags |= FALT;
            if (const WORD key = ShortcutKey(shortcut->Key)) table.push_back({flags, key, WORD(IDC_DZ_MENU0 + i)});
        }
        Accelerators = CreateAcceleratorTableW(table.data(), int(table.size()));
    }

    // Places what the template cannot: the tool rows, and the art at its pixel sizes.
    void Layout() {
        const auto tools = DesignerToolItems();
        int x = kRowLeft, row = -1;
        for (size_t i = 0; i < tools.size(); ++i) {
            const DesignerItem& item = tools[i];
            if (item.Depth != row) {
                row = item.Depth;
                x = kRowLeft;
                if (row == 1) {
                    const RECT fonts = Dlu(x, kRowTop[1], kFontListWidth, 150);
                    MoveWindow(Item(IDC_DZ_FONTS), fonts.left, fonts.top, fonts.right - fonts.left, fonts.bottom - fonts.top, TRUE);
                    x += kFontListWidth + 2;
                    const RECT sizes = Dlu(x, kRowTop[1], kSizeListWidth, 150);
                    MoveWindow(Item(IDC_DZ_SIZES), sizes.left, sizes.top, sizes.right - sizes.left, sizes.bottom - sizes.top, TRUE);
                    x += kSizeListWidth + kGap;
                }
            }
            if (item.Command == DesignerCommand::None) {
                x += kGap;
                continue;
            }
            const int width = item.Command == DesignerCommand::MaskCaption ? kMaskCaptionWidth : kToolSide;
            const RECT r = Dlu(x, kRowTop[row], width, kToolHeight);
            MoveWindow(Tools[i], r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
            x += width + 1;
        }
        const RECT rule = Dlu(0, kRuleTop, 400, 1);
        RECT client;
        GetClientRect(Window, &client);
        MoveWindow(Rule, 0, rule.top, client.right, 2, TRUE);
        PlaceArt();
        Glyphs();
    }

    RECT ChildRect(int id) const {
        RECT r;
        GetWindowRect(Item(id), &r);
        MapWindowPoints(nullptr, Window, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    // Where the slot column's pixel layout starts: the first button picture
    // stands where the template puts it.
    POINT SlotOrigin() const {
        const RECT anchor = Dlu(8, 108, 1, 1);
        return {anchor.left - Px(kSlotLeft), anchor.top};
    }

    RECT SlotRect(int slot) const {
        const POINT o = SlotOrigin();
        const int row = (slot - 1) % 3;
        const int left = o.x + Px(kSlotLeft) + (slot > 3 ? Px(kMaskOffset) : 0);
        const int top = o.y + row * Px(kSlotStep);
        return {left, top, left + Px(kSlotSide), top + Px(kSlotSide)};
    }

    RECT SelectionFrame() const {
        const RECT button = SlotRect(Model->SelectedSlot);
        const RECT last = SlotRect(Model->MaskColumnVisible() ? Model->SelectedSlot + 3 : Model->SelectedSlot);
        return {button.left - Px(kFrameMargin), button.top - Px(kFrameMargin), last.right + Px(kFrameMargin),
                last.bottom + Px(kFrameMargin)};
    }

    void PlaceArt() {
        const POINT o = SlotOrigin();
        for (int s = 1; s <= 6; ++s) {
            const RECT r = SlotRect(s);
            MoveWindow(Item(IDC_DZ_SLOT0 + s), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
        }
        const RECT labelWidth = Dlu(0, 0, 120, 1);
        for (int s = 1; s <= 3; ++s) {
            const RECT slot = SlotRect(s);
            MoveWindow(Item(IDC_DZ_SLOT_LABEL0 + s), o.x + Px(Model->SlotCaptionX()), slot.top, labelWidth.right,
                       slot.bottom - slot.top, TRUE);
        }
        const RECT above = Dlu(0, 98, 1, 9);
        const int captionHeight = above.bottom - above.top;
        const RECT button = SlotRect(1), mask = SlotRect(4);
        const int captionTop = button.top - Px(kFrameMargin) - captionHeight - Px(2);
        MoveWindow(Item(IDC_DZ_BUTTON_CAPTION), button.left, captionTop, mask.left - button.left, captionHeight, TRUE);
        MoveWindow(Item(IDC_DZ_MASK_CAPTION), mask.left, captionTop, Px(kMaskOffset), captionHeight, TRUE);

        const RECT panel = ChildRect(IDC_DZ_SAMPLE);
        const int width = Px(kPanelWidth), height = Px(kPanelHeight);
        MoveWindow(Item(IDC_DZ_SAMPLE), panel.left, panel.top, width, height, TRUE);
        const RECT caption = ChildRect(IDC_DZ_SAMPLE_CAPTION);
        MoveWindow(Item(IDC_DZ_SAMPLE_CAPTION), panel.left, panel.top + height + Px(4), width,
                   caption.bottom - caption.top, TRUE);
    }

    // The window's client area: the template's, which the menu bar must not take from.
    void FitWindow() {
        const RECT want = Dlu(0, 0, 400, 250);
        RECT frame = want;
        AdjustWindowRectExForDpi(&frame, DWORD(GetWindowLongW(Window, GWL_STYLE)), TRUE,
                                 DWORD(GetWindowLongW(Window, GWL_EXSTYLE)), UINT(Dpi()));
        const int w = frame.right - frame.left, h = frame.bottom - frame.top;
        RECT work;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        const int x = std::max(int(work.left), int(work.left + (work.right - work.left - w) / 2));
        const int y = std::max(int(work.top), int(work.top + (work.bottom - work.top - h) / 2));
        SetWindowPos(Window, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // Draws each tool's glyph again when what it shows has changed.
    void Glyphs() {
        const auto tools = DesignerToolItems();
        LOGFONTW base = {};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Window, WM_GETFONT, 0, 0)), sizeof base, &base);
        const std::wstring face = base.lfFaceName;
        const int side = Px(16);
        for (size_t i = 0; i < tools.size(); ++i) {
            if (!Tools[i] || tools[i].Command == DesignerCommand::MaskCaption) continue;
            const bool enabled = IsWindowEnabled(Tools[i]) != FALSE;
            const COLORREF ink = enabled ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT);
            const std::wstring key = std::to_wstring(side) + L"/" + std::to_wstring(ink) + L"/" +
                                     std::to_wstring(Model->CaptionFont.Color) + L"/" + std::to_wstring(Model->ShadowColor);
            if (key == IconKeys[i]) continue;
            HICON icon = MakeGlyph(side, ToolGlyph(tools[i], *Model, face, ink));
            SendMessageW(Tools[i], BM_SETIMAGE, IMAGE_ICON, LPARAM(icon));
            if (Icons[i]) DestroyIcon(Icons[i]);
            Icons[i] = icon;
            IconKeys[i] = key;
        }
    }

    // Showing the model ----------------------------------------------------------------------

    void Sync() {
        if (Done) return;
        Syncing = true;
        Designer& m = *Model;
        for (int s = 1; s <= 6; ++s) InvalidateRect(Item(IDC_DZ_SLOT0 + s), nullptr, FALSE);
        for (int s = 4; s <= 6; ++s) ShowWindow(Item(IDC_DZ_SLOT0 + s), m.MaskColumnVisible() ? SW_SHOW : SW_HIDE);
        ShowWindow(Item(IDC_DZ_MASK_CAPTION), m.MaskColumnVisible() ? SW_SHOW : SW_HIDE);
        for (int s = 1; s <= 3; ++s) {
            // The Tab key comes back to the selected slot.
            HWND slot = Item(IDC_DZ_SLOT0 + s);
            const LONG style = GetWindowLongW(slot, GWL_STYLE);
            SetWindowLongW(slot, GWL_STYLE, s == m.SelectedSlot ? style | WS_TABSTOP : style & ~WS_TABSTOP);
            InvalidateRect(Item(IDC_DZ_SLOT_LABEL0 + s), nullptr, TRUE);
        }
        const auto tools = DesignerToolItems();
        for (size_t i = 0; i < tools.size(); ++i) {
            if (!Tools[i]) continue;
            EnableWindow(Tools[i], DesignerCommandEnabled(m, tools[i]));
            if (tools[i].Command != DesignerCommand::MaskCaption)
                Button_SetCheck(Tools[i], DesignerCommandChecked(m, tools[i]) ? BST_CHECKED : BST_UNCHECKED);
        }

        HWND fonts = Item(IDC_DZ_FONTS);
        if (m.FontIndex >= 0 && m.FontIndex < ComboBox_GetCount(fonts) && ComboBox_GetCurSel(fonts) != m.FontIndex)
            ComboBox_SetCurSel(fonts, m.FontIndex);
        SetControlText(fonts, m.CaptionFont.Name);
        SetControlText(Item(IDC_DZ_SIZES), m.SizeText);
        SetControlText(Item(IDC_DZ_NAME), m.StyleName);
        ComboBox_SetCurSel(Item(IDC_DZ_ANIMATION), m.Animation);
        Syncing = false;
        PlaceArt();
        Glyphs();
        RedrawFrameArea();
        ShowSample();
    }

    void RedrawFrameArea() {
        RECT area = SlotRect(1);
        const RECT last = SlotRect(6);
        area = {area.left - Px(kFrameMargin) - 1, area.top - Px(kFrameMargin) - 1, last.right + Px(kFrameMargin) + 1,
                last.bottom + Px(kFrameMargin) + 1};
        InvalidateRect(Window, &area, TRUE);
    }

    void ShowSample() {
        const Bitmap& b = Model->ShownSample();
        if (b.IsEmpty() || b == Shown) return;
        Shown = b;
        InvalidateRect(Item(IDC_DZ_SAMPLE), nullptr, FALSE);
    }

    // Forwarding -----------------------------------------------------------------------------

    template <typename F>
    void Run(F&& handler) {
        if (Syncing) return;
        try {
            handler(*Model);
        } catch (const std::exception& error) {
            ShowMessageBox(Desktop, error.what(), MsgType::Error);
        }
        Sync();
    }

    void Execute(const DesignerItem& item, HWND anchor) {
        switch (item.Command) {
            case DesignerCommand::Exit: Close(); return;
            case DesignerCommand::Help: Desktop.OpenHelpPage(DesignerHelpPage(item.Index)); return;
            case DesignerCommand::FontColor:
            case DesignerCommand::ShadowColor:
            case DesignerCommand::ShadowDepth: OpenPopup(item.Command, anchor); return;
            default: Run([&item](Designer& m) { RunDesignerCommand(m, item); }); return;
        }
    }

    // The pop-up shows beside its tool button, also when the menu bar asked for it.
    void OpenPopup(DesignerCommand command, HWND anchor) {
        const auto tools = DesignerToolItems();
        for (size_t i = 0; !anchor && i < tools.size(); ++i)
            if (tools[i].Command == command) anchor = Tools[i];
        if (!anchor) return;
        // Closing with the designer (Done) there is nothing left to show.
        const bool colour = command != DesignerCommand::ShadowDepth;
        const PopupHooks hooks{[this, colour] {
                                   if (Done) return;
                                   if (colour) Model->ComposeSample();
                                   Sync();
                               },
                               [this](const std::exception& error) {
                                   ShowMessageBox(Desktop, error.what(), MsgType::Error);
                               }};
        try {
            if (colour)
                OpenColorPicker(Window, anchor, PopupAnchor::BelowButton,
                                command == DesignerCommand::FontColor ? Model->OpenFontColor() : Model->OpenShadowColor(),
                                hooks);
            else
                OpenShadowSets(Window, anchor, Model->OpenShadowDepth(), hooks);
        } catch (const std::exception& error) {
            ShowMessageBox(Desktop, error.what(), MsgType::Error);
        }
    }

    void Close() {
        bool close = false;
        Run([&close](Designer& m) { close = m.CloseQuery(); });
        if (close) Done = true;
    }

    // The font or size typed into its list counts when Enter is pressed or the list is left.
    void ApplyTyped(int id) {
        const std::string text = ControlText(Item(id));
        if (id == IDC_DZ_FONTS && text != Model->CaptionFont.Name)
            Run([text](Designer& m) { m.SetFontText(text); });
        else if (id == IDC_DZ_SIZES && text != Model->SizeText)
            Run([text](Designer& m) { m.SetSizeText(text); });
    }

    std::string ListItemText(HWND list, int index) {
        std::wstring item(size_t(ComboBox_GetLBTextLen(list, index)) + 1, L'\0');
        item.resize(size_t(ComboBox_GetLBText(list, index, item.data())));
        return Utf8FromWide(item);
    }

    void Command(int id, int code, HWND control) {
        const auto menu = DesignerMenuItems();
        const auto tools = DesignerToolItems();
        if (id >= IDC_DZ_MENU0 && id < IDC_DZ_MENU0 + int(menu.size())) {
            const DesignerItem& item = menu[size_t(id - IDC_DZ_MENU0)];
            if (DesignerCommandEnabled(*Model, item)) Execute(item, nullptr);
            return;
        }
        if (id >= IDC_DZ_TOOL0 && id < IDC_DZ_TOOL0 + int(tools.size())) {
            if (code == BN_CLICKED) Execute(tools[size_t(id - IDC_DZ_TOOL0)], control);
            return;
        }
        switch (id) {
            case IDC_DZ_FONTS:
                if (code == CBN_SELCHANGE) {
                    const int chosen = ComboBox_GetCurSel(control);
                    if (chosen >= 0) Run([chosen](Designer& m) { m.SelectFontEntry(chosen); });
                } else if (code == CBN_KILLFOCUS) {
                    ApplyTyped(id);
                }
                break;
            case IDC_DZ_SIZES:
                if (code == CBN_SELCHANGE) {
                    const int chosen = ComboBox_GetCurSel(control);
                    if (chosen >= 0) {
                        const std::string text = ListItemText(control, chosen);
                        Run([text](Designer& m) { m.SetSizeText(text); });
                    }
                } else if (code == CBN_EDITCHANGE || code == CBN_KILLFOCUS) {
                    ApplyTyped(id);
                }
                break;
            case IDC_DZ_NAME:
                if (code == EN_CHANGE && !Syncing) Model->SetStyleName(ControlText(control));
                break;
            case IDC_DZ_ANIMATION:
                if (code == CBN_SELCHANGE && !Syncing) Model->SetAnimation(ComboBox_GetCurSel(control));
                break;
            case IDC_DZ_HELP: Desktop.OpenHelpPage(DesignerHelpPage(0)); break;
            case IDC_DZ_CLOSE:
            case IDCANCEL: Close(); break;
            default:
                if (id > IDC_DZ_SLOT_LABEL0 && id <= IDC_DZ_SLOT_LABEL0 + 3 && code == STN_CLICKED) SelectSlot(id - IDC_DZ_SLOT_LABEL0, true);
                break;
        }
    }

    void SelectSlot(int slot, bool focus) {
        const std::string name = "Label0" + std::to_string(slot);
        Run([&name](Designer& m) { m.SelectSlotByName(name); });
        if (focus) SetFocus(Item(IDC_DZ_SLOT0 + Model->SelectedSlot));
    }

    void UpdateMenu(HMENU menu) {
        const auto items = DesignerMenuItems();
        for (size_t i = 0; i < items.size(); ++i) {
            const DesignerItem& item = items[i];
            if (item.Command == DesignerCommand::None) continue;
            const UINT id = IDC_DZ_MENU0 + UINT(i);
            EnableMenuItem(menu, id, MF_BYCOMMAND | (DesignerCommandEnabled(*Model, item) ? MF_ENABLED : MF_GRAYED));
            CheckMenuItem(menu, id, MF_BYCOMMAND | (DesignerCommandChecked(*Model, item) ? MF_CHECKED : MF_UNCHECKED));
        }
    }

    void PaintFrame(HDC dc) {
        const RECT frame = SelectionFrame();
        HBRUSH ink = GetSysColorBrush(COLOR_WINDOWTEXT);
        const int w = Px(kFrameWidth);
        const RECT sides[] = {{frame.left, frame.top, frame.right, frame.top + w},
                              {frame.left, frame.bottom - w, frame.right, frame.bottom},
                              {frame.left, frame.top, frame.left + w, frame.bottom},
                              {frame.right - w, frame.top, frame.right, frame.bottom}};
        for (const RECT& r : sides) FillRect(dc, &r, ink);
    }

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_INITDIALOG: {
                Create();
                FitWindow();
                Layout();
                Sync();
                SetTimer(Window, kSampleTimer, 10, nullptr);
                // The caret at the end of the style name.
                HWND name = Item(IDC_DZ_NAME);
                SetFocus(name);
                Edit_SetSel(name, GetWindowTextLengthW(name), GetWindowTextLengthW(name));
                return FALSE;
            }
            case WM_DPICHANGED: {
                const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
                SetWindowPos(Window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                             suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
                HFONT font = reinterpret_cast<HFONT>(SendMessageW(Window, WM_GETFONT, 0, 0));
                for (HWND tool : Tools)
                    if (tool) SendMessageW(tool, WM_SETFONT, WPARAM(font), FALSE);
                for (int id : {IDC_DZ_FONTS, IDC_DZ_SIZES}) SendMessageW(Item(id), WM_SETFONT, WPARAM(font), FALSE);
                Layout();
                InvalidateRect(Window, nullptr, TRUE);
                return TRUE;
            }
            case WM_TIMER:
                if (wParam == kSampleTimer) {
                    try {
                        Model->Tick();
                    } catch (const std::exception& error) {
                        KillTimer(Window, kSampleTimer);
                        ShowMessageBox(Desktop, error.what(), MsgType::Error);
                        SetTimer(Window, kSampleTimer, 10, nullptr);
                    }
                    ShowSample();
                }
                return TRUE;
            case WM_INITMENUPOPUP: UpdateMenu(reinterpret_cast<HMENU>(wParam)); return TRUE;
            case WM_COMMAND: Command(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return TRUE;
            case WM_CTLCOLORSTATIC: {
                const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
                if (id <= IDC_DZ_SLOT_LABEL0 || id > IDC_DZ_SLOT_LABEL0 + 3) return FALSE;
                HDC dc = reinterpret_cast<HDC>(wParam);
                const bool selected = id - IDC_DZ_SLOT_LABEL0 == Model->SelectedSlot;
                SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOWTEXT));
                SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
                return INT_PTR(GetSysColorBrush(COLOR_BTNFACE));
            }
            case WM_PAINT: {
                PAINTSTRUCT paint;
                HDC dc = BeginPaint(Window, &paint);
                PaintFrame(dc);
                EndPaint(Window, &paint);
                return TRUE;
            }
            case WM_CLOSE: Close(); return TRUE;
        }
        return FALSE;
    }

    // The modal loop: the designer's shortcuts, then the dialog's keys.
    void RunModal(HWND owner) {
        const HWND oldOwner = Desktop.Owner();
        Desktop.SetOwner(Window);
        EnableWindow(owner, FALSE);
        ShowWindow(Window, SW_SHOW);
        MSG msg;
        bool quit = false;
        while (!Done) {
            const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
            if (got <= 0) {
                quit = got == 0;
                break;
            }
            if (TranslatePopupMessage(msg) || PreTranslate(msg)) continue;
            if (IsDialogMessageW(Window, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        KillTimer(Window, kSampleTimer);
        // The owner comes back before this window goes, so it takes the activation.
        EnableWindow(owner, TRUE);
        Desktop.SetOwner(oldOwner);
        DestroyWindow(Window);
        SetActiveWindow(owner);
        if (quit) PostQuitMessage(int(msg.wParam));
    }

    bool PreTranslate(MSG& msg) {
        if (msg.hwnd != Window && !IsChild(Window, msg.hwnd)) return false;
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
            // Enter in the font or size list applies what was typed, rather than closing.
            for (int id : {IDC_DZ_FONTS, IDC_DZ_SIZES})
                if (msg.hwnd == Item(id) || IsChild(Item(id), msg.hwnd)) {
                    if (SendMessageW(Item(id), CB_GETDROPPEDSTATE, 0, 0)) return false;
                    ApplyTyped(id);
                    return true;
                }
        }
        if (msg.message == WM_KEYDOWN && MoveAlongRow(msg.hwnd, msg.wParam)) return true;
        if (IsEditControl(msg.hwnd) && TextFieldKey(msg)) return false;
        return Accelerators && TranslateAcceleratorW(Window, Accelerators, &msg) != 0;
    }

    // The arrows, Home and End move along a tool row, round at its ends, over
    // its enabled buttons only: the dialog manager's own walk would stop on the
    // row's caption and click the alignments as it passed them.
    bool MoveAlongRow(HWND from, WPARAM key) {
        const int step = key == VK_LEFT || key == VK_UP ? -1 : key == VK_RIGHT || key == VK_DOWN ? 1 : 0;
        if (!step && key != VK_HOME && key != VK_END) return false;
        const auto tools = DesignerToolItems();
        const auto at = std::find(Tools.begin(), Tools.end(), from);
        if (from == nullptr || at == Tools.end()) return false;
        const int row = tools[size_t(at - Tools.begin())].Depth;
        std::vector<HWND> stops;
        for (size_t i = 0; i < tools.size(); ++i)
            if (tools[i].Depth == row && Tools[i] && tools[i].Command != DesignerCommand::MaskCaption &&
                IsWindowEnabled(Tools[i]))
                stops.push_back(Tools[i]);
        if (stops.empty()) return false;
        const auto here = std::find(stops.begin(), stops.end(), from);
        const int n = int(stops.size()), i = here == stops.end() ? 0 : int(here - stops.begin());
        const HWND next = key == VK_HOME ? stops.front() : key == VK_END ? stops.back() : stops[size_t((i + step + n) % n)];
        SendMessageW(Window, WM_NEXTDLGCTL, WPARAM(next), TRUE);
        return true;
    }
};

DesignerDialog* DialogOf(HWND control) {
    return reinterpret_cast<DesignerDialog*>(GetWindowLongPtrW(GetParent(control), DWLP_USER));
}

// A slot picture: the 32 x 32 picture, whole pixels, in a sunken frame. The
// button pictures take the focus; the arrow keys move between the slots.
LRESULT CALLBACK SlotProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DesignerDialog* dialog = DialogOf(window);
    const int slot = GetDlgCtrlID(window) - IDC_DZ_SLOT0;
    if (!dialog || !dialog->Model) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_GETDLGCODE: return DLGC_WANTARROWS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: InvalidateRect(window, nullptr, FALSE); return 0;
        case WM_LBUTTONDOWN: dialog->SelectSlot((slot - 1) % 3 + 1, true); return 0;
        case WM_KEYDOWN: {
            const int row = dialog->Model->SelectedSlot;
            if (wParam == VK_UP || wParam == VK_LEFT) dialog->SelectSlot(row > 1 ? row - 1 : 3, true);
            if (wParam == VK_DOWN || wParam == VK_RIGHT) dialog->SelectSlot(row < 3 ? row + 1 : 1, true);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            RECT r;
            GetClientRect(window, &r);
            FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
            DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
            const int border = (r.right - Scale(32, dialog->Dpi())) / 2;
            Paint(dc, dialog->Model->SlotPictures[size_t(slot)], border, border, r.right - 2 * border,
                  r.bottom - 2 * border);
            if (GetFocus() == window) {
                RECT focus = r;
                InflateRect(&focus, -1, -1);
                SetTextColor(dc, RGB(0, 0, 0));
                SetBkColor(dc, RGB(255, 255, 255));
                DrawFocusRect(dc, &focus);
            }
            EndPaint(window, &paint);
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The sample: its background picture in a sunken panel, and on it the
// composed state the pointer asks for, drawn through one buffer.
LRESULT CALLBACK SampleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DesignerDialog* dialog = DialogOf(window);
    if (!dialog || !dialog->Model) return DefWindowProcW(window, message, wParam, lParam);
    Designer& m = *dialog->Model;
    const int dpi = dialog->Dpi();
    const RECT button = {Scale(4 + Designer::kSampleX, dpi), Scale(4 + Designer::kSampleY, dpi),
                         Scale(4 + Designer::kSampleX + Designer::kSampleWidth, dpi),
                         Scale(4 + Designer::kSampleY + Designer::kSampleHeight, dpi)};
    auto over = [&](LPARAM at) {
        const POINT p = {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
        return PtInRect(&button, p) != FALSE;
    };
    auto show = [&] { dialog->ShowSample(); };
    switch (message) {
        case WM_MOUSEMOVE: {
            const bool inside = over(lParam);
            if (inside != dialog->Hovering) {
                dialog->Hovering = inside;
                if (inside) {
                    if (GetCapture() == window) m.PointerDown();
                    else m.PointerEnter();
                    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
                    TrackMouseEvent(&track);
                } else {
                    m.PointerLeave();
                }
                show();
            }
            return 0;
        }
        case WM_MOUSELEAVE:
            if (GetCapture() != window && dialog->Hovering) {
                dialog->Hovering = false;
                m.PointerLeave();
                show();
            }
            return 0;
        case WM_LBUTTONDOWN:
            if (over(lParam)) {
                SetCapture(window);
                m.PointerDown();
                show();
            }
            return 0;
        case WM_LBUTTONUP:
            if (GetCapture() == window) {
                ReleaseCapture();
                if (over(lParam)) m.PointerUp();
                else m.PointerLeave();
                show();
            }
            return 0;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC target = BeginPaint(window, &paint);
            RECT r;
            GetClientRect(window, &r);
            HDC dc = CreateCompatibleDC(target);
            HBITMAP buffer = CreateCompatibleBitmap(target, std::max(1L, r.right), std::max(1L, r.bottom));
            HGDIOBJ old = SelectObject(dc, buffer);
            FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
            DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
            Paint(dc, m.SampleBackground, Scale(4, dpi), Scale(4, dpi), Scale(Designer::kBackgroundWidth, dpi),
                  Scale(Designer::kBackgroundHeight, dpi));
            Paint(dc, m.ShownSample(), button.left, button.top, button.right - button.left, button.bottom - button.top);
            BitBlt(target, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
            SelectObject(dc, old);
            DeleteObject(buffer);
            DeleteDC(dc);
            EndPaint(window, &paint);
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterClasses() {
    static const bool done = [] {
        for (auto [name, proc] : {std::pair{kSlotClass, &SlotProc}, std::pair{kSampleClass, &SampleProc}}) {
            WNDCLASSEXW c = {};
            c.cbSize = sizeof c;
            c.lpfnWndProc = proc;
            c.hInstance = GetModuleHandleW(nullptr);
            c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            c.lpszClassName = name;
            RegisterClassExW(&c);
        }
        return true;
    }();
    (void)done;
}

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<DesignerDialog*>(lParam)->Window = window;
    }
    auto* dialog = reinterpret_cast<DesignerDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!dialog) return FALSE;
    try {
        return dialog->Handle(message, wParam, lParam);
    } catch (const std::exception& error) {
        ShowMessageBox(dialog->Desktop, error.what(), MsgType::Error);
        return TRUE;
    }
}

}  // namespace

void ShowButtonDesigner(HWND owner, EditorModel& editor, Win32Platform& platform) {
    RegisterClasses();
    DesignerDialog dialog(platform);
    dialog.Model = std::make_unique<Designer>(editor, InstalledFontFamilies());
    if (!CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_DESIGNER), owner, DialogProc,
                            LPARAM(&dialog)))
        return;
    dialog.RunModal(owner);
}

}  // namespace orvane
