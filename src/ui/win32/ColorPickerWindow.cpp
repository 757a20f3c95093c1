// The colour picker: 35 basic and 7 custom swatches, and the full editor
// ("Define Custom Colors") with its gradient, saturation bar, fields, thumbs
// and preview. Painted in the model's pixels scaled to the window's DPI.
#include "app/ColorPicker.h"
#include "platform/win32/Wide.h"
#include "ui/win32/PopupWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <array>
#include <cstdlib>

namespace orvane {

namespace {

using Layout = TfrmColorsCls::Layout;
using Field = TfrmColorsCls::Field;
using Thumb = TfrmColorsCls::Thumb;

const wchar_t kSwatchClass[] = L"OrvaneSwatches";

enum Id {
    kSwatches = 3101,
    kDefine,
    kAdd,
    kReset,
    kSaturation,
    kLabel0 = 3111,  // + field
    kField0 = 3121,  // + field
    kOk = 3131,
    kCancel,
};

// The swatches' part of the window, above "Define Custom Colors".
constexpr Rect kSwatchArea{0, 0, TfrmColorsCls::kSmallWidth, Layout::DefineButton.Top - 3};
constexpr int kCustomRule = 99;  // the line between the basic and the custom colours

const wchar_t* const kLabels[6] = {L"&Red:", L"&Green:", L"&Blue:", L"&Hue:", L"&Sat:", L"&Lum:"};

struct ButtonPart {
    int Id;
    const wchar_t* Text;
    Rect Bounds;
    bool Full;  // shown in the full editor only
};
const ButtonPart kButtons[] = {
    {kDefine, L"&Define Custom Colors", Layout::DefineButton, false},
    {kAdd, L"&Add to Custom Colors", Layout::AddButton, true},
    {kReset, L"Reset Custom Colors", Layout::ResetButton, true},
};

Rect FieldRect(int i, bool label) {
    const bool rgb = i < 3;
    const int top = Layout::FieldTop + (i % 3) * Layout::FieldStep;
    const int labelLeft = rgb ? Layout::RgbLabelLeft : Layout::HlsLabelLeft;
    const int editLeft = rgb ? Layout::RgbEditLeft : Layout::HlsEditLeft;
    if (label) return {labelLeft, top, editLeft - 3, top + Layout::FieldHeight};
    return {editLeft, top, editLeft + Layout::EditWidth, top + Layout::FieldHeight};
}

std::string Text(HWND control) {
    std::wstring text(size_t(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(control, text.data(), int(text.size()))));
    return Utf8FromWide(text);
}

class ColorPickerWindow : public PopupWindow {
public:
    ColorPickerWindow(std::unique_ptr<TfrmColorsCls> model, PopupHooks hooks)
        : PopupWindow(std::move(hooks)), model_(std::move(model)) {}

    bool DialogKeys() const override { return true; }

protected:
    SIZE ModelSize() const override { return {model_->Width, model_->Height}; }
    bool ModelClosed() const override { return model_->Closed; }
    void LoseFocus() override { model_->LoseFocus(); }
    HWND FirstFocus() const override { return swatches_; }

    void DpiChanged() override {
        MoveWindow(swatches_, 0, 0, S(kSwatchArea.Right), S(kSwatchArea.Bottom), TRUE);
        auto place = [this](int id, const Rect& r) {
            HWND control = GetDlgItem(window_, id);
            SendMessageW(control, WM_SETFONT, WPARAM(font_), FALSE);
            MoveWindow(control, S(r.Left), S(r.Top), S(r.Width()), S(r.Height()), TRUE);
        };
        for (const ButtonPart& b : kButtons) place(b.Id, b.Bounds);
        place(kOk, Layout::OkButton);
        place(kCancel, Layout::CancelButton);
        place(kSaturation, Layout::SaturationBar);
        SendDlgItemMessageW(window_, kSaturation, TBM_SETTHUMBLENGTH, WPARAM(S(16)), 0);
        for (int i = 0; i < 6; ++i) {
            place(kLabel0 + i, FieldRect(i, true));
            place(kField0 + i, FieldRect(i, false));
        }
    }

    void Sync() override {
        const TfrmColorsCls& m = *model_;
        syncing_ = true;
        for (int i = 0; i < 6; ++i) {
            HWND field = GetDlgItem(window_, kField0 + i);
            if (Text(field) == m.Fields[size_t(i)]) continue;
            SetWindowTextW(field, WideFromUtf8(m.Fields[size_t(i)]).c_str());
            // A correction of what is being typed leaves the caret after it.
            if (GetFocus() == field) Edit_SetSel(field, INT_MAX, INT_MAX);
        }
        SendDlgItemMessageW(window_, kSaturation, TBM_SETPOS, TRUE, m.SaturationBar);
        // The full editor's controls leave the tab order while the small form hides them.
        const int full[] = {kAdd, kReset, kSaturation, kOk, kCancel};
        for (int id : full) ShowFull(id, m.Expanded);
        for (int i = 0; i < 6; ++i) {
            ShowFull(kLabel0 + i, m.Expanded);
            ShowFull(kField0 + i, m.Expanded);
        }
        syncing_ = false;
        FitToModel();
        InvalidateRect(window_, nullptr, FALSE);
        InvalidateRect(swatches_, nullptr, FALSE);
    }

    void Paint(HDC dc, const RECT&) override {
        const TfrmColorsCls& m = *model_;
        if (!m.Expanded) return;
        const RECT gradient = R(Layout::Gradient);
        const Bitmap& g = m.Gradient;
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), g.Width(), -g.Height(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchDIBits(dc, gradient.left, gradient.top, gradient.right - gradient.left, gradient.bottom - gradient.top, 0, 0,
                      g.Width(), g.Height(), g.Row(0), &info, DIB_RGB_COLORS, SRCCOPY);
        HBRUSH edge = GetSysColorBrush(COLOR_BTNSHADOW);
        RECT around = gradient;
        InflateRect(&around, Line(), Line());
        Outline(dc, around, Line(), edge);

        RECT preview = R(Layout::Preview);
        HBRUSH colour = CreateSolidBrush(ColorRefOf(m.PreviewColor));
        FillRect(dc, &preview, colour);
        DeleteObject(colour);
        InflateRect(&preview, Line(), Line());
        Outline(dc, preview, Line(), edge);
        PaintThumbBars(dc);
    }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_CREATE: Create(); return 0;
            case WM_COMMAND: Command(LOWORD(wParam), HIWORD(wParam)); return 0;
            case WM_HSCROLL:
                if (!syncing_ && reinterpret_cast<HWND>(lParam) == GetDlgItem(window_, kSaturation)) {
                    const int position = int(SendMessageW(reinterpret_cast<HWND>(lParam), TBM_GETPOS, 0, 0));
                    Guard([this, position] { model_->SetSaturationBar(position); });
                }
                return 0;
            case WM_LBUTTONDOWN: MouseDown(ModelPoint(lParam)); return 0;
            case WM_MOUSEMOVE: MouseMove(ModelPoint(lParam)); return 0;
            case WM_LBUTTONUP:
                last_ = ModelPoint(lParam);
                ReleaseCapture();  // ends the drag through WM_CAPTURECHANGED
                return 0;
            case WM_CAPTURECHANGED: EndDrag(); return 0;
        }
        return PopupWindow::Handle(message, wParam, lParam);
    }

private:
    void Create() {
        static const bool registered = [] {
            WNDCLASSEXW c = {};
            c.cbSize = sizeof c;
            c.lpfnWndProc = &ColorPickerWindow::SwatchProc;
            c.hInstance = GetModuleHandleW(nullptr);
            c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            c.lpszClassName = kSwatchClass;
            return RegisterClassExW(&c) != 0;
        }();
        (void)registered;
        auto add = [this](const wchar_t* kind, const wchar_t* text, DWORD style, int id) {
            return CreateWindowExW(0, kind, text, WS_CHILD | style, 0, 0, 10, 10, window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), this);
        };
        // In tab order: the swatches, the buttons, the saturation bar, the fields, OK and Cancel.
        swatches_ = add(kSwatchClass, L"Colors", WS_VISIBLE | WS_TABSTOP | WS_GROUP, kSwatches);
        for (const ButtonPart& b : kButtons)
            add(WC_BUTTONW, b.Text, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP | (b.Full ? 0 : WS_VISIBLE), b.Id);
        HWND bar = add(TRACKBAR_CLASSW, L"Saturation of the colour field",
                       TBS_HORZ | TBS_NOTICKS | TBS_FIXEDLENGTH | WS_TABSTOP | WS_GROUP, kSaturation);
        SendMessageW(bar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
        SendMessageW(bar, TBM_SETPAGESIZE, 0, 10);
        for (int i = 0; i < 6; ++i) {
            add(WC_STATICW, kLabels[i], SS_RIGHT | SS_CENTERIMAGE, kLabel0 + i);
            HWND field = add(WC_EDITW, L"", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, kField0 + i);
            Edit_LimitText(field, 6);
        }
        add(WC_BUTTONW, L"&OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, kOk);
        add(WC_BUTTONW, L"&Cancel", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, kCancel);
    }

    void ShowFull(int id, bool shown) {
        HWND control = GetDlgItem(window_, id);
        if (bool(IsWindowVisible(control)) != shown) ShowWindow(control, shown ? SW_SHOWNA : SW_HIDE);
    }

    void Command(int id, int code) {
        if (syncing_) return;
        if (id >= kField0 && id < kField0 + 6) {
            const Field f = Field(id - kField0);
            HWND field = GetDlgItem(window_, id);
            if (code == EN_SETFOCUS) {
                model_->EnterField(f);
                // After the click that gave the focus has placed the caret.
                PostMessageW(field, EM_SETSEL, 0, -1);
            } else if (code == EN_CHANGE) {
                const std::string text = Text(field);
                Guard([this, f, text] { model_->SetFieldText(f, text); });
            }
            return;
        }
        switch (id) {
            // Enter and Escape from the dialog manager: Enter on a focused
            // button presses it.
            case IDOK:
                if (HWND focus = GetFocus(); focus && GetParent(focus) == window_ && IsPushButton(focus)) {
                    Command(GetDlgCtrlID(focus), BN_CLICKED);
                    return;
                }
                Guard([this] { model_->EnterKey(); });
                return;
            case IDCANCEL: Guard([this] { model_->Cancel(); }); return;
        }
        if (code != BN_CLICKED) return;
        switch (id) {
            case kDefine: Guard([this] { model_->DefineCustomColors(); }); break;
            case kAdd: Guard([this] { model_->AddToCustomColors(); }); break;
            case kReset: Guard([this] { model_->ResetCustomColors(); }); break;
            case kOk: Guard([this] { model_->Ok(); }); break;
            case kCancel: Guard([this] { model_->Cancel(); }); break;
        }
    }

    static bool IsPushButton(HWND control) {
        wchar_t name[16] = {};
        GetClassNameW(control, name, 16);
        const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
        return _wcsicmp(name, WC_BUTTONW) == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
    }

    POINT ModelPoint(LPARAM at) const { return {Unscale(GET_X_LPARAM(at)), Unscale(GET_Y_LPARAM(at))}; }

    void MouseDown(POINT at) {
        TfrmColorsCls& m = *model_;
        if (!m.Expanded) return;
        SetCapture(window_);
        if (Layout::Gradient.Contains(at.x, at.y)) {
            Guard([&] { m.GradientPress(at.x - Layout::Gradient.Left, at.y - Layout::Gradient.Top); });
        } else if (m.ThumbRect(Thumb::Saturation).Contains(at.x, at.y)) {
            Guard([&] { m.ThumbPress(Thumb::Saturation); });
        } else if (m.ThumbRect(Thumb::Luminosity).Contains(at.x, at.y)) {
            Guard([&] { m.ThumbPress(Thumb::Luminosity); });
        } else if (Layout::SatThumbBar.Contains(at.x, at.y)) {
            Guard([&] { m.ThumbBarClick(Thumb::Saturation, at.x - Layout::SatThumbBar.Left); });
        } else if (Layout::LumThumbBar.Contains(at.x, at.y)) {
            Guard([&] { m.ThumbBarClick(Thumb::Luminosity, at.y - Layout::LumThumbBar.Top); });
        }
        last_ = at;
    }

    void MouseMove(POINT at) {
        TfrmColorsCls& m = *model_;
        if (m.GradientDragging) {
            Guard([&] { m.GradientMove(at.x - Layout::Gradient.Left, at.y - Layout::Gradient.Top); });
        } else if (m.ThumbDragging) {
            const Rect thumb = m.ThumbRect(m.DraggedThumb);
            const int p = m.DraggedThumb == Thumb::Saturation ? at.x - thumb.Left : at.y - thumb.Top;
            Guard([&] { m.ThumbMove(p); });
        }
        last_ = at;
    }

    void EndDrag() {
        TfrmColorsCls& m = *model_;
        if (m.GradientDragging) {
            const POINT at = last_;
            Guard([&] { m.GradientRelease(at.x - Layout::Gradient.Left, at.y - Layout::Gradient.Top); });
        } else if (m.ThumbDragging) {
            Guard([&] { m.ThumbRelease(); });
        }
    }

    void PaintThumbBars(HDC dc) {
        const TfrmColorsCls& m = *model_;
        const int hue = std::atoi(m.FieldText(Field::Hue).c_str());
        const int lum = std::atoi(m.FieldText(Field::Lum).c_str());
        const int sat = std::atoi(m.FieldText(Field::Sat).c_str());
        const int half = TfrmColorsCls::kThumbSize / 2;
        auto fill = [&](const Rect& r, uint32_t colour) {
            const RECT d = R(r);
            HBRUSH brush = CreateSolidBrush(ColorRefOf(colour));
            FillRect(dc, &d, brush);
            DeleteObject(brush);
        };
        HPEN pen = CreatePen(PS_SOLID, Line(), GetSysColor(COLOR_BTNTEXT));
        HGDIOBJ oldPen = SelectObject(dc, pen);
        HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(COLOR_WINDOW));

        // Saturation: a strip from grey to the full colour, the thumb below it pointing up.
        const Rect& sb = Layout::SatThumbBar;
        for (int i = 0; i <= TfrmColorsCls::kThumbRange; ++i)
            fill({sb.Left + half + i, sb.Top, sb.Left + half + i + 1, sb.Top + 6}, HlsToRgb(hue, lum, i * 48 / 10));
        const RECT st = R(m.ThumbRect(Thumb::Saturation));
        const POINT up[] = {{(st.left + st.right) / 2, st.top + S(7)}, {st.left + Line(), st.bottom - Line()},
                            {st.right - Line(), st.bottom - Line()}};
        Polygon(dc, up, 3);

        // Luminosity: a strip from white to black, the thumb to its right pointing left.
        const Rect& lb = Layout::LumThumbBar;
        for (int i = 0; i <= TfrmColorsCls::kThumbRange; ++i)
            fill({lb.Left, lb.Top + half + i, lb.Left + 6, lb.Top + half + i + 1}, HlsToRgb(hue, (50 - i) * 48 / 10, sat));
        const RECT lt = R(m.ThumbRect(Thumb::Luminosity));
        const POINT left[] = {{lt.left + S(7), (lt.top + lt.bottom) / 2}, {lt.right - Line(), lt.top + Line()},
                              {lt.right - Line(), lt.bottom - Line()}};
        Polygon(dc, left, 3);

        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }

    // The swatches: a child window of their own, so that they take the
    // keyboard focus in the tab order and the arrows walk them.
    static LRESULT CALLBACK SwatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE)
            SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<ColorPickerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (!self || !self->swatches_) return DefWindowProcW(window, message, wParam, lParam);
        return self->SwatchMessage(message, wParam, lParam);
    }

    LRESULT SwatchMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        TfrmColorsCls& m = *model_;
        switch (message) {
            case WM_GETDLGCODE: return DLGC_WANTARROWS;
            case WM_SETFOCUS:
            case WM_KILLFOCUS: InvalidateRect(swatches_, nullptr, FALSE); return 0;
            case WM_KEYDOWN: {
                const int dx = wParam == VK_LEFT ? -1 : wParam == VK_RIGHT ? 1 : 0;
                const int dy = wParam == VK_UP ? -1 : wParam == VK_DOWN ? 1 : 0;
                if (dx || dy) Guard([&] { m.MoveSwatch(dx, dy); });
                // Enter and Escape come here only where no dialog manager turned them into commands.
                if (wParam == VK_SPACE || wParam == VK_RETURN) Guard([&] { m.EnterKey(); });
                if (wParam == VK_ESCAPE) Guard([&] { m.Cancel(); });
                return 0;
            }
            case WM_LBUTTONDOWN: {
                SetFocus(swatches_);
                const POINT at = ModelPoint(lParam);
                pressed_ = m.SwatchAt(at.x, at.y);
                if (!pressed_) return 0;
                SetCapture(swatches_);
                Guard([&] { m.SwatchPress(pressed_); });
                return 0;
            }
            case WM_LBUTTONUP: {
                const int swatch = pressed_;
                pressed_ = 0;
                if (GetCapture() == swatches_) ReleaseCapture();
                if (swatch) Guard([&] { m.SwatchRelease(swatch); });
                return 0;
            }
            case WM_ERASEBKGND: return 1;
            case WM_PAINT: {
                PAINTSTRUCT ps;
                HDC dc = BeginPaint(swatches_, &ps);
                RECT client;
                GetClientRect(swatches_, &client);
                HDC buffer = CreateCompatibleDC(dc);
                HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
                HGDIOBJ old = SelectObject(buffer, bitmap);
                FillRect(buffer, &client, GetSysColorBrush(COLOR_BTNFACE));
                PaintSwatches(buffer);
                // The window's own edge runs along the swatches' top and left.
                const RECT top{0, 0, client.right, 1}, left{0, 0, 1, client.bottom};
                FillRect(buffer, &top, GetSysColorBrush(COLOR_BTNSHADOW));
                FillRect(buffer, &left, GetSysColorBrush(COLOR_BTNSHADOW));
                BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
                SelectObject(buffer, old);
                DeleteObject(bitmap);
                DeleteDC(buffer);
                EndPaint(swatches_, &ps);
                return 0;
            }
        }
        return DefWindowProcW(swatches_, message, wParam, lParam);
    }

    void PaintSwatches(HDC dc) {
        const TfrmColorsCls& m = *model_;
        const int line = Line();
        for (const TfrmColorsCls::Swatch& s : m.Swatches) {
            RECT r = R(s.Bounds);
            // Sunken: shadow above and left, light below and right.
            FillRect(dc, &r, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
            const RECT shade{r.left, r.top, r.right - line, r.bottom - line};
            FillRect(dc, &shade, GetSysColorBrush(COLOR_BTNSHADOW));
            const RECT inside{r.left + line, r.top + line, r.right - line, r.bottom - line};
            HBRUSH brush = CreateSolidBrush(ColorRefOf(s.Color));
            FillRect(dc, &inside, brush);
            DeleteObject(brush);
        }
        const RECT rule{S(3), S(kCustomRule), S(154), S(kCustomRule) + line};
        FillRect(dc, &rule, GetSysColorBrush(COLOR_BTNSHADOW));
        const bool focused = GetFocus() == swatches_;
        if (const Rect f = m.FrameRect(); !f.IsEmpty()) {
            // With the keyboard focus the frame is twice as thick.
            Outline(dc, R(f), focused ? 2 * line : line, GetSysColorBrush(COLOR_BTNTEXT));
        } else if (focused) {
            RECT all = R(kSwatchArea);
            InflateRect(&all, -line, -line);
            DrawFocusRect(dc, &all);
        }
    }

    std::unique_ptr<TfrmColorsCls> model_;
    HWND swatches_ = nullptr;
    int pressed_ = 0;
    POINT last_{};
    bool syncing_ = false;
};

}  // namespace

void OpenColorPicker(HWND owner, HWND anchor, PopupAnchor how, std::unique_ptr<TfrmColorsCls> model, PopupHooks hooks) {
    auto* window = new ColorPickerWindow(std::move(model), std::move(hooks));
    window->Open(owner, anchor, how, L"Colors");
}

}  // namespace orvane
