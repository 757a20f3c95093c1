#include "ui/win32/MainToolbar.h"

#include "app/Tips.h"
#include "platform/ProgramResource.h"
#include "platform/win32/Com.h"
#include "platform/win32/Wide.h"
#include "ui/win32/Layout.h"
#include "ui/win32/resource.h"

#include <commctrl.h>
#include <wincodec.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace orvane {

namespace {

const wchar_t kClass[] = L"OrvaneMainToolbar";
constexpr int kBarId = 4200;
constexpr int kFirstButton = 4201;  // + the item's place in the tool bar table
constexpr UINT kFirstHelpEntry = 4300;  // + the help entry's index

// The glyph sizes drawn for the tool bar, each a strip of its own.
constexpr std::array kGlyphSizes = {16, 20, 24, 28, 32};

// A strip's pixels as premultiplied BGRA rows, top down; empty when the
// picture cannot be read. The platform's PNG reader drops the alpha the
// glyphs' soft edges need, so the system's codecs read it here.
std::vector<uint32_t> ReadGlyphStrip(int resource, int& width, int& height) {
    const auto data = ProgramResourceData(resource);
    if (!data || data->empty()) return {};
    Com<IWICImagingFactory> factory;
    Com<IWICStream> stream;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    Com<IWICFormatConverter> converter;
    UINT w = 0, h = 0;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.out()))) ||
        FAILED(factory->CreateStream(stream.out())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data->data()), DWORD(data->size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.out())) ||
        FAILED(decoder->GetFrame(0, frame.out())) || FAILED(factory->CreateFormatConverter(converter.out())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&w, &h)) || w == 0 || h == 0 || w > 4096 || h > 256)
        return {};
    std::vector<uint32_t> pixels(size_t(w) * h);
    if (FAILED(converter->CopyPixels(nullptr, w * 4, UINT(pixels.size() * 4), reinterpret_cast<BYTE*>(pixels.data()))))
        return {};
    width = int(w);
    height = int(h);
    return pixels;
}

// The greyed glyphs of disabled buttons: grey, and half see-through, as the
// system draws a disabled picture.
void Grey(std::vector<uint32_t>& pixels) {
    for (uint32_t& p : pixels) {
        const uint32_t b = p & 0xFF, g = (p >> 8) & 0xFF, r = (p >> 16) & 0xFF, a = p >> 24;
        const uint32_t grey = (r * 30 + g * 59 + b * 11) / 100 * 45 / 100, alpha = a * 45 / 100;
        p = (alpha << 24) | (grey << 16) | (grey << 8) | grey;
    }
}

HIMAGELIST ImageList(const std::vector<uint32_t>& pixels, int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP strip = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!strip) return nullptr;
    std::memcpy(bits, pixels.data(), pixels.size() * 4);
    HIMAGELIST list = ImageList_Create(height, height, ILC_COLOR32, width / height, 0);
    if (list) ImageList_Add(list, strip, nullptr);
    DeleteObject(strip);
    return list;
}

}  // namespace

std::vector<uint32_t> ReadGlyphResource(int resource, int& width, int& height) {
    return ReadGlyphStrip(resource, width, height);
}

HIMAGELIST GlyphImageList(const std::vector<uint32_t>& pixels, int width, int height) {
    return ImageList(pixels, width, height);
}

MainToolbar::MainToolbar(HWND parent) {
    static const bool registered = [] {
        WNDCLASSEXW c = {};
        c.cbSize = sizeof c;
        c.lpfnWndProc = &MainToolbar::Proc;
        c.hInstance = GetModuleHandleW(nullptr);
        c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        c.lpszClassName = kClass;
        return RegisterClassExW(&c) != 0;
    }();
    (void)registered;
    frame_ = CreateWindowExW(0, kClass, L"Main tool bar", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 10, 10, parent,
                             nullptr, GetModuleHandleW(nullptr), this);
    bar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"Main", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_WRAPABLE |
                               TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                           0, 0, 10, 10, frame_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBarId)),
                           GetModuleHandleW(nullptr), nullptr);
    SendMessageW(bar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // The buttons show no text; their text is their tool tip.
    SendMessageW(bar_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS | TBSTYLE_EX_DRAWDDARROWS);
    std::vector<TBBUTTON> buttons;
    int glyph = 0;
    const auto items = MainToolbarItems();
    for (size_t i = 0; i < items.size(); ++i) {
        TBBUTTON b = {};
        b.idCommand = kFirstButton + int(i);
        if (items[i].Command == MenuCommand::None) {
            b.fsStyle = BTNS_SEP;
        } else {
            b.iBitmap = glyph++;
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = BTNS_BUTTON | (items[i].Command == MenuCommand::Help ? BTNS_WHOLEDROPDOWN : 0);
        }
        buttons.push_back(b);
    }
    // The bar keeps the texts' addresses: the wide copies live as long as the program.
    static std::vector<std::wstring> tips;
    if (tips.empty())
        for (const ToolbarItem& item : items) tips.push_back(WideFromUtf8(item.Tip));
    for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].fsStyle != BTNS_SEP) buttons[i].iString = INT_PTR(tips[i].c_str());
    SendMessageW(bar_, TB_ADDBUTTONSW, buttons.size(), LPARAM(buttons.data()));
}

MainToolbar::~MainToolbar() {
    if (images_) ImageList_Destroy(images_);
    if (disabled_) ImageList_Destroy(disabled_);
}

void MainToolbar::SetDpi(int dpi) {
    // The largest drawn size that fits the DPI's: never a stretched glyph.
    int size = kGlyphSizes.front();
    for (int s : kGlyphSizes)
        if (s <= Scale(16, dpi)) size = s;
    int width = 0, height = 0;
    std::vector<uint32_t> pixels = ReadGlyphStrip(IDR_TOOLBAR_16 + (size - 16) / 4, width, height);
    if (pixels.empty()) return;
    HIMAGELIST images = ImageList(pixels, width, height);
    Grey(pixels);
    HIMAGELIST disabled = ImageList(pixels, width, height);
    SendMessageW(bar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(height, height));
    SendMessageW(bar_, TB_SETIMAGELIST, 0, LPARAM(images));
    SendMessageW(bar_, TB_SETDISABLEDIMAGELIST, 0, LPARAM(disabled));
    SendMessageW(bar_, TB_SETPADDING, 0, MAKELPARAM(Scale(7, dpi), Scale(6, dpi)));
    const auto items = MainToolbarItems();
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].Command != MenuCommand::None) continue;
        TBBUTTONINFOW info = {};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_SIZE;
        info.cx = WORD(Scale(8, dpi));
        SendMessageW(bar_, TB_SETBUTTONINFOW, kFirstButton + int(i), LPARAM(&info));
    }
    SendMessageW(bar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(height + Scale(7, dpi), height + Scale(6, dpi)));
    if (images_) ImageList_Destroy(images_);
    if (disabled_) ImageList_Destroy(disabled_);
    images_ = images;
    disabled_ = disabled;
}

int MainToolbar::FitTo(int width) {
    // Laid out on a tall bar first, so every row it wraps into is counted.
    MoveWindow(bar_, 0, 0, width, 1000, FALSE);
    SendMessageW(bar_, TB_AUTOSIZE, 0, 0);
    int bottom = 0;
    const int count = int(SendMessageW(bar_, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT r;
        if (SendMessageW(bar_, TB_GETITEMRECT, i, LPARAM(&r))) bottom = std::max(bottom, int(r.bottom));
    }
    const int height = bottom + Scale(2, int(GetDpiForWindow(frame_)));
    MoveWindow(bar_, 0, 0, width, height, TRUE);
    return height;
}

void MainToolbar::Enable(const std::function<bool(MenuCommand)>& enabled) {
    const auto items = MainToolbarItems();
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].Command != MenuCommand::None)
            SendMessageW(bar_, TB_ENABLEBUTTON, kFirstButton + int(i), MAKELPARAM(enabled(items[i].Command), 0));
}

void MainToolbar::DropHelpMenu() {
    HMENU menu = CreatePopupMenu();
    for (size_t i = 0; i < kHelpEntries.size(); ++i) {
        const HelpEntry& entry = kHelpEntries[i];
        if (entry.Place != HelpPlace::HelpButtonMenu) continue;
        if (!entry.Page || entry.Page == HelpPage::Troubleshooting) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, kFirstHelpEntry + UINT(i), WideFromUtf8(entry.Text).c_str());
    }
    const auto items = MainToolbarItems();
    int help = 0;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].Command == MenuCommand::Help) help = kFirstButton + int(i);
    RECT button = {};
    SendMessageW(bar_, TB_GETRECT, help, LPARAM(&button));
    MapWindowPoints(bar_, nullptr, reinterpret_cast<POINT*>(&button), 2);
    SendMessageW(bar_, TB_PRESSBUTTON, help, TRUE);
    const UINT chosen =
        UINT(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, button.left, button.bottom, 0, frame_, nullptr));
    SendMessageW(bar_, TB_PRESSBUTTON, help, FALSE);
    DestroyMenu(menu);
    if (chosen >= kFirstHelpEntry && Chosen) Chosen(MenuCommand::Help, int(chosen - kFirstHelpEntry));
}

LRESULT CALLBACK MainToolbar::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<MainToolbar*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->frame_) return DefWindowProcW(window, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

LRESULT MainToolbar::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto items = MainToolbarItems();
    switch (message) {
        case WM_COMMAND: {
            const int at = int(LOWORD(wParam)) - kFirstButton;
            if (at < 0 || at >= int(items.size())) break;
            if (items[size_t(at)].Command == MenuCommand::Help)
                DropHelpMenu();
            else if (Chosen)
                Chosen(items[size_t(at)].Command, 0);
            return 0;
        }
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->code == TBN_DROPDOWN) {
                DropHelpMenu();
                return TBDDRET_DEFAULT;
            }
            if (header->code == TTN_GETDISPINFOW) {
                auto* tip = reinterpret_cast<NMTTDISPINFOW*>(lParam);
                const int at = int(tip->hdr.idFrom) - kFirstButton;
                if (at >= 0 && at < int(items.size())) {
                    static std::wstring text;
                    text = WideFromUtf8(items[size_t(at)].Tip);
                    tip->lpszText = text.data();
                }
                return 0;
            }
            break;
        }
    }
    return DefWindowProcW(frame_, message, wParam, lParam);
}

}  // namespace orvane
