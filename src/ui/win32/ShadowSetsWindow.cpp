// The shadow-set pop-up: "None" and the depths 1 to 5, each on a panel with
// a dark shadow behind it; the frame marks the current depth.
#include "app/ShadowSets.h"
#include "platform/win32/Wide.h"
#include "ui/win32/PopupWindow.h"

namespace orvane {

namespace {

// The face of an entry leaves room at its right and bottom for the panel behind it.
constexpr int kPanelOffset = 3;
constexpr int kTextPixels = 14;

class ShadowSetsWindow : public PopupWindow {
public:
    ShadowSetsWindow(std::unique_ptr<TfrmShadowSets> model, PopupHooks hooks)
        : PopupWindow(std::move(hooks)), model_(std::move(model)) {}
    ~ShadowSetsWindow() override {
        if (bold_) DeleteObject(bold_);
    }

protected:
    SIZE ModelSize() const override { return {TfrmShadowSets::kWidth, TfrmShadowSets::kHeight}; }
    bool ModelClosed() const override { return model_->Closed; }
    void LoseFocus() override { model_->LoseFocus(); }
    void Sync() override { InvalidateRect(window_, nullptr, FALSE); }

    void DpiChanged() override {
        if (bold_) DeleteObject(bold_);
        LOGFONTW f = {};
        GetObjectW(font_, sizeof f, &f);
        f.lfHeight = -S(kTextPixels);
        f.lfWeight = FW_BOLD;
        bold_ = CreateFontIndirectW(&f);
    }

    void Paint(HDC dc, const RECT&) override {
        HGDIOBJ oldFont = SelectObject(dc, bold_);
        SetBkMode(dc, TRANSPARENT);
        for (const TfrmShadowSets::Entry& e : model_->Entries) {
            RECT face = R({e.Bounds.Left, e.Bounds.Top, e.Bounds.Right - kPanelOffset, e.Bounds.Bottom - kPanelOffset});
            RECT panel = face;
            OffsetRect(&panel, S(kPanelOffset), S(kPanelOffset));
            FillRect(dc, &panel, GetSysColorBrush(COLOR_3DDKSHADOW));
            FillRect(dc, &face, GetSysColorBrush(COLOR_WINDOW));
            Outline(dc, face, Line(), GetSysColorBrush(COLOR_BTNSHADOW));
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            const std::wstring text = WideFromUtf8(e.Text);
            DrawTextW(dc, text.c_str(), int(text.size()), &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
        SelectObject(dc, oldFont);
        if (const Rect f = model_->FrameRect(); !f.IsEmpty()) {
            RECT frame = R(f);
            InflateRect(&frame, -Line(), -Line());
            Outline(dc, frame, 2 * Line(), GetSysColorBrush(COLOR_HIGHLIGHT));
        }
    }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DLGC_WANTARROWS;
            case WM_KEYDOWN:
                switch (wParam) {
                    case VK_ESCAPE: Guard([this] { model_->LoseFocus(); }); return 0;
                    case VK_RETURN:
                    case VK_SPACE: Guard([this] { model_->ChooseFramed(); }); return 0;
                    case VK_LEFT: Guard([this] { model_->MoveFrame(-1, 0); }); return 0;
                    case VK_RIGHT: Guard([this] { model_->MoveFrame(1, 0); }); return 0;
                    case VK_UP: Guard([this] { model_->MoveFrame(0, -1); }); return 0;
                    case VK_DOWN: Guard([this] { model_->MoveFrame(0, 1); }); return 0;
                }
                break;
            case WM_LBUTTONDOWN: {
                SetCapture(window_);
                const int entry = EntryAt(lParam);
                Guard([this, entry] { model_->Press(entry); });
                return 0;
            }
            case WM_LBUTTONUP: {
                ReleaseCapture();
                const int entry = EntryAt(lParam);
                Guard([this, entry] { model_->Release(entry); });
                return 0;
            }
        }
        return PopupWindow::Handle(message, wParam, lParam);
    }

private:
    int EntryAt(LPARAM at) const {
        return model_->EntryAt(Unscale(short(LOWORD(at))), Unscale(short(HIWORD(at))));
    }

    std::unique_ptr<TfrmShadowSets> model_;
    HFONT bold_ = nullptr;
};

}  // namespace

void OpenShadowSets(HWND owner, HWND anchor, std::unique_ptr<TfrmShadowSets> model, PopupHooks hooks) {
    auto* window = new ShadowSetsWindow(std::move(model), std::move(hooks));
    window->Open(owner, anchor, PopupAnchor::BelowButton, L"Shadow Depth");
}

}  // namespace orvane
