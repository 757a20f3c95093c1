#include "ui/win32/Palettes.h"

#include "app/EditorModel.h"
#include "document/MenuFields.h"
#include "platform/Text.h"
#include "platform/win32/Wide.h"
#include "ui/win32/ColorPopups.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

namespace orvane {

namespace {

const wchar_t kClass[] = L"OrvanePalettes";
constexpr int kWidthDlu = 132;  // the column's controls, inside its margins
constexpr int kMargin = 4;
constexpr int kGap = 2;

enum Id {
    kHeader = 4000,  // + palette
    kTitleLabel = 4010, kTitle, kMenuTextLabel, kMenuText, kAnimateTitle,
    kPositionLabel = 4020, kPosition,
    kStyleLabel = 4030, kStyle, kPresetLabel, kPreset0, kPreset4 = kPreset0 + 4, kAutoAdjust, kAnimationLabel, kAnimation, kAnimateNow, kButtonStyleLabel,
    kButtonStyle, kTextVisLabel, kTextVis, kTitleVisLabel, kTitleVis,
    kMenuWidthLabel = 4050, kMenuWidth, kMenuHeightLabel, kMenuHeight, kPhotoAspect, kAutoSizeMenu,
    kButtonWidthLabel, kButtonWidth, kButtonHeightLabel, kButtonHeight, kAutoSizeButtons, kButtonGapLabel,
    kButtonGap, kBackground,
    kCaptionLabel = 4070, kCaption, kCommandLabel, kCommand, kArgumentLabel, kArgument, kDescriptionLabel,
    kDescription, kExit, kMinimize, kMaximize, kQuickInfo, kWizard,
};

enum ColorId { kMenuColorLabel = 3021, kMenuColor };
// The Button Properties palette's row of button commands, two rows of three.
enum ButtonToolId { kPrevious = 4500, kNext, kMoveUp, kMoveDown, kAddButton, kDeleteButton };

const wchar_t* const kPaletteNames[] = {L"Menu &Description", L"Display &Position", L"Menu &Style",
                                        L"&Custom Properties", L"&Button Properties"};

// The menu's texts break lines with CR LF, as the edit control does.
std::string Text(HWND control) {
    std::wstring text(size_t(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(control, text.data(), int(text.size()))));
    return Utf8FromWide(text);
}

void SetText(HWND control, const std::string& text) {
    if (Text(control) != text) SetWindowTextW(control, WideFromUtf8(text).c_str());
}

void SetCheck(HWND control, bool on) { Button_SetCheck(control, on ? BST_CHECKED : BST_UNCHECKED); }

struct Slider {
    int Id;
    const char* Caption;
    ValueRange Range;
    int Page;
    void (PropertyPanels::*Set)(int);
};

const Slider kSliders[] = {
    {kTextVis, "Text Box Visibility (Photo Skins)", MenuFieldRange("TextBoxVisibility"), 4, &PropertyPanels::SetTextBoxVisibility},
    {kTitleVis, "Title Box Visibility (Photo Skins)", MenuFieldRange("TitleBoxVisibility"), 4, &PropertyPanels::SetTitleBoxVisibility},
    {kMenuWidth, "Menu &Width", MenuFieldRange("MenuWidth"), 40, &PropertyPanels::SetMenuWidth},
    {kMenuHeight, "Menu &Height", MenuFieldRange("MenuHeight"), 40, &PropertyPanels::SetMenuHeight},
    {kButtonWidth, "Button W&idth", MenuFieldRange("ButtonWidth"), 10, &PropertyPanels::SetButtonWidth},
    {kButtonHeight, "Button Hei&ght", MenuFieldRange("ButtonHeight"), 10, &PropertyPanels::SetButtonHeight},
    {kButtonGap, "Button Gap", MenuFieldRange("ButtonGap"), 4, &PropertyPanels::SetButtonGap},
};

}  // namespace

PalettePane::PalettePane(EditorModel& model, HWND parent) : model_(model) {
    static const bool registered = [] {
        const WNDCLASSEXW c = FaceClass(kClass, &PalettePane::Proc);
        return RegisterClassExW(&c) != 0;
    }();
    (void)registered;
    column_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClass, L"Palettes", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPCHILDREN,
                              0, 0, 10, 10, parent, nullptr, GetModuleHandleW(nullptr), this);

    auto header = [&](int palette) {
        Add(-1, WC_BUTTONW, kPaletteNames[palette], BS_PUSHBUTTON | BS_LEFT | WS_TABSTOP, kHeader + palette, 14);
    };
    auto label = [&](int palette, const char* text, int id) {
        Add(palette, WC_STATICW, WideFromUtf8(text), SS_LEFT, id, 9);
    };
    auto edit = [&](int palette, int id, int height = 12, DWORD more = ES_AUTOHSCROLL) {
        Add(palette, WC_EDITW, L"", WS_BORDER | WS_TABSTOP | more, id, height);
    };
    auto check = [&](int palette, const char* text, int id) {
        Add(palette, WC_BUTTONW, WideFromUtf8(text), BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP, id, 10);
    };
    auto list = [&](int palette, int id) {
        Add(palette, WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, id, 12);
    };
    auto slider = [&](int palette, int id) {
        for (const Slider& s : kSliders)
            if (s.Id == id) {
                label(palette, s.Caption, id - 1);
                HWND bar = Add(palette, TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_NOTICKS | WS_TABSTOP, id, 12);
                SendMessageW(bar, TBM_SETRANGEMIN, FALSE, s.Range.Min);
                SendMessageW(bar, TBM_SETRANGEMAX, TRUE, s.Range.Max);
                SendMessageW(bar, TBM_SETPAGESIZE, 0, s.Page);
            }
    };
    auto button = [&](int palette, const char* text, int id) {
        Add(palette, WC_BUTTONW, WideFromUtf8(text), BS_PUSHBUTTON | WS_TABSTOP, id, 14);
    };

    header(0);
    label(0, "Menu &Title", kTitleLabel);
    edit(0, kTitle);
    label(0, "Default Menu &Text", kMenuTextLabel);
    edit(0, kMenuText, 44, ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL);
    check(0, "Animate title in taskbar", kAnimateTitle);
    header(1);
    label(1, "Where would you like the menu to &appear?", kPositionLabel);
    list(1, kPosition);
    header(2);
    label(2, "Menu St&yle", kStyleLabel);
    list(2, kStyle);
    label(2, "Menu Co&lor", kMenuColorLabel);
    MakeDropButton(Add(2, WC_BUTTONW, L"Menu Color", BS_OWNERDRAW | WS_TABSTOP, kMenuColor, 12), L"Menu Color");
    label(2, "Presets", kPresetLabel);
    for (int i = 0; i < 5; ++i) {
        // The five preset colours, drawn by the column; a click applies one.
        Add(2, WC_BUTTONW, L"Preset " + std::to_wstring(i + 1), BS_OWNERDRAW | WS_TABSTOP, kPreset0 + i, 12);
        items_.back().Column = i;
        items_.back().Columns = 5;
    }
    check(2, "Auto Adjust", kAutoAdjust);
    label(2, "Button A&nimation", kAnimationLabel);
    list(2, kAnimation);
    button(2, "Animate Buttons", kAnimateNow);
    label(2, "B&utton Style", kButtonStyleLabel);
    list(2, kButtonStyle);
    slider(2, kTextVis);
    slider(2, kTitleVis);
    header(3);
    slider(3, kMenuWidth);
    slider(3, kMenuHeight);
    check(3, "Use Photo Aspect Ratio", kPhotoAspect);
    check(3, "Auto Size Menu", kAutoSizeMenu);
    slider(3, kButtonWidth);
    slider(3, kButtonHeight);
    check(3, "Auto Size Buttons", kAutoSizeButtons);
    slider(3, kButtonGap);
    button(3, "Set Background Image...", kBackground);
    header(4);
    const std::pair<const wchar_t*, int> buttonTools[] = {{L"< Previous", kPrevious}, {L"Next >", kNext},
                                                          {L"Add", kAddButton},        {L"Move Up", kMoveUp},
                                                          {L"Move Down", kMoveDown},   {L"Delete", kDeleteButton}};
    for (size_t i = 0; i < std::size(buttonTools); ++i) {
        Add(4, WC_BUTTONW, buttonTools[i].first, BS_PUSHBUTTON | WS_TABSTOP, buttonTools[i].second, 13);
        items_.back().Column = int(i % 3);
        items_.back().Columns = 3;
    }
    label(4, "Button &Caption", kCaptionLabel);
    edit(4, kCaption);
    label(4, "Co&mmand", kCommandLabel);
    edit(4, kCommand);
    label(4, "Ar&gument", kArgumentLabel);
    edit(4, kArgument);
    label(4, "D&escription", kDescriptionLabel);
    edit(4, kDescription, 30, ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL);
    check(4, "E&xit menu when this button clicked", kExit);
    Add(4, WC_BUTTONW, L"Minimi&ze menu when this button clicked", BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP,
        kMinimize, 18);
    check(4, "Maximize the &opened window", kMaximize);
    button(4, "&Quick Info", kQuickInfo);
    button(4, "&Wizard >", kWizard);

    // The button fields' hints, over the field.
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX, 0, 0, 0, 0, column_,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    const std::pair<int, const wchar_t*> hints[] = {
        {kCaption, L"The text shown on your button"},
        {kCommand, L"The action to take when this button is clicked"},
        {kArgument, L"Advanced instructions for applications (advanced users only)"},
        {kDescription, L"Button description to show on menu"}};
    for (const auto& [id, hint] : hints) {
        TOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = column_;
        tool.uId = UINT_PTR(GetDlgItem(column_, id));
        tool.lpszText = const_cast<wchar_t*>(hint);
        SendMessageW(tip, TTM_ADDTOOLW, 0, LPARAM(&tool));
    }
    for (const char* name : kPositionNames) ComboBox_AddString(GetDlgItem(column_, kPosition), WideFromUtf8(name).c_str());
    for (const char* name : kAnimationNames) ComboBox_AddString(GetDlgItem(column_, kAnimation), WideFromUtf8(name).c_str());
}

HWND PalettePane::Add(int palette, const wchar_t* kind, const std::wstring& text, DWORD style, int id, int heightDlu,
                      int indentDlu) {
    HWND w = CreateWindowExW(0, kind, text.c_str(), WS_CHILD | style, 0, 0, 10, 10, column_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    items_.push_back({w, palette, heightDlu, indentDlu});
    return w;
}

int PalettePane::Width(const DialogUnits& units) const {
    return units.X(kWidthDlu + 2 * kMargin) + GetSystemMetricsForDpi(SM_CXVSCROLL, GetDpiForWindow(column_));
}

void PalettePane::SetFont(HFONT font, const DialogUnits& units) {
    units_ = units;
    for (const Item& item : items_) SendMessageW(item.Window, WM_SETFONT, WPARAM(font), FALSE);
    Layout();
}

void PalettePane::Layout() {
    RECT client;
    GetClientRect(column_, &client);
    int y = units_.Y(kMargin);
    int palette = -1;
    // A column narrower than its controls (a small screen at 200 %) narrows them rather than cut them off.
    const int x = units_.X(kMargin), width = std::max(units_.X(kWidthDlu / 2), std::min(units_.X(kWidthDlu), int(client.right) - 2 * x));
    HDWP moves = BeginDeferWindowPos(int(items_.size()));
    for (const Item& item : items_) {
        if (item.Palette < 0) ++palette;
        const bool shown = item.Palette < 0 || model_.Palettes().IsOpen(palette);
        if (shown) {
            // A drop-down list is as tall as its list when open.
            const bool list = GetDlgCtrlID(item.Window) == kPosition || GetDlgCtrlID(item.Window) == kStyle ||
                              GetDlgCtrlID(item.Window) == kAnimation || GetDlgCtrlID(item.Window) == kButtonStyle;
            const int h = units_.Y(item.Height) + (list ? units_.Y(120) : 0);
            const int gap = units_.X(kGap), cell = (width - gap * (item.Columns - 1)) / item.Columns;
            const int left = x + units_.X(item.Indent) + item.Column * (cell + gap);
            const int w = item.Columns > 1 ? cell : width - units_.X(item.Indent);
            moves = DeferWindowPos(moves, item.Window, nullptr, left, y - scroll_, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
            if (item.Column == item.Columns - 1) y += units_.Y(item.Height + kGap);
        }
        ShowWindow(item.Window, shown ? SW_SHOWNA : SW_HIDE);
    }
    EndDeferWindowPos(moves);
    // Controls that moved or went leave their old pixels behind otherwise.
    RedrawWindow(column_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    contentHeight_ = y + units_.Y(kMargin);
    scroll_ = std::clamp(scroll_, 0, std::max(0, contentHeight_ - int(client.bottom)));
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, contentHeight_ - 1, UINT(client.bottom), scroll_, 0};
    SetScrollInfo(column_, SB_VERT, &info, TRUE);
}

void PalettePane::ScrollIntoView(HWND control) {
    for (const Item& item : items_) {
        if (item.Window != control || !IsWindowVisible(control)) continue;
        RECT client, at;
        GetClientRect(column_, &client);
        GetWindowRect(control, &at);
        MapWindowPoints(nullptr, column_, reinterpret_cast<POINT*>(&at), 2);
        const int top = at.top, bottom = at.top + units_.Y(item.Height), margin = units_.Y(kMargin);
        if (top < 0)
            scroll_ += top - margin;
        else if (bottom > client.bottom)
            scroll_ += std::min(top - margin, bottom - int(client.bottom) + margin);
        else
            return;
        Layout();
        return;
    }
}

void PalettePane::Scroll(int request, int delta) {
    RECT client;
    GetClientRect(column_, &client);
    SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(column_, SB_VERT, &info);
    int pos = scroll_;
    const int line = units_.Y(12);
    switch (request) {
        case SB_LINEUP: pos -= line; break;
        case SB_LINEDOWN: pos += line; break;
        case SB_PAGEUP: pos -= client.bottom; break;
        case SB_PAGEDOWN: pos += client.bottom; break;
        case SB_THUMBTRACK: pos = info.nTrackPos; break;
        case -1: pos -= delta * line * 3 / WHEEL_DELTA; break;
        default: return;
    }
    scroll_ = pos;
    Layout();
}

void PalettePane::Show() {
    syncing_ = true;
    const MenuProperties& p = model_.Doc().Props;
    auto item = [this](int id) { return GetDlgItem(column_, id); };
    SetText(item(kTitle), p.Title);
    SetText(item(kMenuText), p.MenuText);
    SetCheck(item(kAnimateTitle), p.AnimateTitle);
    ComboBox_SetCurSel(item(kPosition), std::clamp(int(model_.Doc().Menu.Position), 0, kPositionCount - 1));
    HWND styles = item(kStyle);
    if (ComboBox_GetCount(styles) != model_.Styles().Count()) {
        ComboBox_ResetContent(styles);
        for (int i = 0; i < model_.Styles().Count(); ++i)
            ComboBox_AddString(styles, WideFromUtf8(model_.Styles().At(i).Name).c_str());
    }
    ComboBox_SetCurSel(styles, model_.SelectedStyle());
    SetCheck(item(kAutoAdjust), p.AutoAdjust);
    InvalidateRect(item(kMenuColor), nullptr, FALSE);
    for (int i = 0; i < 5; ++i) InvalidateRect(item(kPreset0 + i), nullptr, FALSE);
    ComboBox_SetCurSel(item(kAnimation), std::clamp(int(p.ButtonAnimation), 0, kAnimationCount - 1));
    HWND buttonStyles = item(kButtonStyle);
    ComboBox_ResetContent(buttonStyles);
    for (const std::string& entry : model_.ButtonStyles().Entries)
        ComboBox_AddString(buttonStyles, WideFromUtf8(entry).c_str());
    ComboBox_SetCurSel(buttonStyles, model_.ButtonStyles().Selected);
    const std::pair<int, int> values[] = {{kTextVis, p.TextBoxVisibility}, {kTitleVis, p.TitleBoxVisibility},
                                          {kMenuWidth, p.MenuWidth},       {kMenuHeight, p.MenuHeight},
                                          {kButtonWidth, p.ButtonWidth},   {kButtonHeight, p.ButtonHeight},
                                          {kButtonGap, p.ButtonGap}};
    for (const auto& [id, value] : values) {
        SendMessageW(item(id), TBM_SETPOS, TRUE, value);
        for (const Slider& s : kSliders)
            if (s.Id == id) SetText(item(id - 1), std::string(s.Caption) + ": " + std::to_string(value));
    }
    for (int id : {kTextVis, kTitleVis, kTextVisLabel, kTitleVisLabel})
        EnableWindow(item(id), model_.PhotoControlsEnabled());
    SetCheck(item(kPhotoAspect), p.PhotoAspect);
    SetCheck(item(kAutoSizeMenu), p.AutoSizeMenu);
    SetCheck(item(kAutoSizeButtons), p.AutoSizeButtons);
    for (int id : {kMenuWidth, kMenuHeight, kMenuWidthLabel, kMenuHeightLabel}) EnableWindow(item(id), model_.Properties().MenuSizeEnabled());
    for (int id : {kButtonWidth, kButtonHeight, kButtonWidthLabel, kButtonHeightLabel})
        EnableWindow(item(id), model_.Properties().ButtonSizeEnabled());
    model_.Properties().ShowButtonProps();
    const auto& panel = model_.Properties().ButtonPanel();
    SetText(item(kCaption), panel.Caption);
    SetText(item(kCommand), panel.Command);
    SetText(item(kArgument), panel.Argument);
    SetText(item(kDescription), panel.Description);
    SetCheck(item(kExit), panel.Exit);
    SetCheck(item(kMinimize), panel.Minimize);
    SetCheck(item(kMaximize), panel.Maximize);
    for (int palette = 0; palette < PaletteColumn::kCount; ++palette)
        SetWindowTextW(item(kHeader + palette), (std::wstring(model_.Palettes().IsOpen(palette) ? L"\u2013  " : L"+  ") +
                                                 kPaletteNames[palette]).c_str());
    syncing_ = false;
    Layout();
}

void PalettePane::FocusField(Field field) {
    const int id = field == Title ? kTitle : field == MenuText ? kMenuText : kCaption;
    HWND control = GetDlgItem(column_, id);
    Layout();
    // Scrolled into view, then focused (taking the focus is not an edit).
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, column_, reinterpret_cast<POINT*>(&r), 2);
    RECT client;
    GetClientRect(column_, &client);
    if (r.top < 0 || r.bottom > client.bottom) {
        scroll_ += r.top - units_.Y(20);
        Layout();
    }
    FlagSet updating = model_.FillingControls();
    SetFocus(control);
    if (field == MenuText) Edit_SetSel(control, INT_MAX, INT_MAX);
}

void PalettePane::FocusPalette(int palette) {
    Layout();
    for (const Item& item : items_)
        if (item.Palette == palette && (GetWindowLongW(item.Window, GWL_STYLE) & WS_TABSTOP) &&
            IsWindowEnabled(item.Window)) {
            FlagSet updating = model_.FillingControls();  // taking the focus is not an edit
            SetFocus(item.Window);
            return;
        }
}

void PalettePane::SliderMoved(HWND slider) {
    const int id = GetDlgCtrlID(slider);
    const int value = int(SendMessageW(slider, TBM_GETPOS, 0, 0));
    for (const Slider& s : kSliders)
        if (s.Id == id) {
            (model_.Properties().*s.Set)(value);
            syncing_ = true;
            SetText(GetDlgItem(column_, id - 1), std::string(s.Caption) + ": " + std::to_string(value));
            syncing_ = false;
        }
}

void PalettePane::Command(int id, int code) {
    if (syncing_) return;
    HWND control = GetDlgItem(column_, id);
    if (id >= kHeader && id < kHeader + PaletteColumn::kCount) {
        Run([this, id] { model_.Palettes().Toggle(id - kHeader); });
        if (model_.Palettes().IsOpen(id - kHeader)) FocusPalette(id - kHeader);
        return;
    }
    if (code == EN_SETFOCUS) {
        // Focus coming back with the window (after a tip, a dialog) is no entry
        // by the user: the field's tip would come back every time it is closed.
        if (FocusReturning) return;
        if (id == kTitle) model_.Properties().EnterTitleField();
        if (id == kCommand) model_.Properties().EnterCommandField();
        if (id == kArgument) model_.Properties().EnterArgumentField();
        return;
    }
    if (code == CBN_SETFOCUS && id == kAnimation && !FocusReturning) {
        model_.Properties().EnterAnimationList();
        return;
    }
    if (code == EN_CHANGE) {
        // Typing renders later, through the model's countdown.
        const std::string text = Text(control);
        if (id == kTitle) model_.Properties().SetTitle(text);
        if (id == kMenuText) model_.Properties().SetMenuText(text);
        if (id == kCaption) model_.Properties().SetCaption(text);
        if (id == kCommand) model_.Properties().SetCommand(text);
        if (id == kArgument) model_.Properties().SetArgument(text);
        if (id == kDescription) model_.Properties().SetDescription(text);
        return;
    }
    if (code == CBN_SELCHANGE) {
        const int chosen = ComboBox_GetCurSel(control);
        if (chosen < 0) return;
        if (id == kPosition) Run([this, chosen] { model_.Properties().ChooseDisplayPosition(chosen); });
        if (id == kStyle) Run([this, chosen] { model_.ComboBox1Select(chosen); });
        if (id == kButtonStyle) Run([this, chosen] { model_.ComboBox2Select(chosen); });
        if (id == kAnimation) {
            bool play = false;
            Run([this, chosen, &play] { play = model_.Properties().ChooseAnimation(chosen); });
            if (play && Animate) Animate();
        }
        return;
    }
    if (code != BN_CLICKED) return;
    const bool on = Button_GetCheck(control) == BST_CHECKED;
    switch (id) {
        case kAnimateTitle:
            Run([this, on] {
                model_.Properties().AnimateTitleClicked(on, Button_GetCheck(GetDlgItem(column_, kMinimize)) == BST_CHECKED);
            });
            break;
        case kAutoAdjust: Run([this, on] { model_.Properties().SetAutoAdjust(on); }); break;
        case kPreset0:
        case kPreset0 + 1:
        case kPreset0 + 2:
        case kPreset0 + 3:
        case kPreset4: Run([this, id] { model_.Properties().ChoosePreset(id - kPreset0); }); break;
        case kMenuColor:
            if (OpenMenuColor) OpenMenuColor(control);
            break;
        case kAnimateNow:
            if (Animate) Animate();
            break;
        case kPhotoAspect: Run([this, on] { model_.Properties().SetPhotoAspect(on); }); break;
        case kAutoSizeMenu: Run([this, on] { model_.Properties().SetAutoSizeMenu(on); }); break;
        case kAutoSizeButtons: Run([this, on] { model_.Properties().SetAutoSizeButtons(on); }); break;
        case kBackground: Run([this] { model_.SetBackgroundImage(); }); break;
        case kExit: Run([this, on] { model_.Properties().SetExitOnClick(on); }); break;
        case kMinimize: Run([this, on] { model_.Properties().SetMinimizeOnClick(on); }); break;
        case kMaximize: Run([this, on] { model_.Properties().SetMaximizeWindow(on); }); break;
        case kQuickInfo: Run([this] { model_.Properties().QuickInfo(); }); break;
        case kPrevious:
        case kNext:
            // Not while the buttons are moving: the selection box would be drawn among them.
            if (!model_.Preview().Playing())
                Run([this, id] { id == kNext ? model_.Buttons().Next() : model_.Buttons().Previous(); });
            break;
        // The main window's commands, so they wait for the buttons to stop moving.
        case kMoveUp:
        case kMoveDown:
        case kAddButton:
        case kDeleteButton:
            if (Chosen)
                Chosen(id == kMoveUp     ? MenuCommand::MoveUp
                       : id == kMoveDown ? MenuCommand::MoveDown
                       : id == kAddButton ? MenuCommand::AddButton
                                          : MenuCommand::DeleteButton);
            break;
        case kWizard:
            if (CommandWizard) CommandWizard();
            break;
    }
}

LRESULT CALLBACK PalettePane::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<PalettePane*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->column_) return DefWindowProcW(window, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

void PalettePane::DrawPreset(const DRAWITEMSTRUCT& item) {
    const int index = int(item.CtlID) - kPreset0;
    const uint32_t colour = ResolveColor(model_.Presets()[size_t(index)]);
    RECT r = item.rcItem;
    // A framed swatch; the frame is the text colour, so high contrast shows it.
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNTEXT));
    InflateRect(&r, -1, -1);
    HBRUSH brush = CreateSolidBrush(RGB(ColorRed(colour), ColorGreen(colour), ColorBlue(colour)));
    FillRect(item.hDC, &r, brush);
    DeleteObject(brush);
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&r, -2, -2);
        DrawFocusRect(item.hDC, &r);
    }
}

LRESULT PalettePane::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DRAWITEM:
            if (wParam == kMenuColor)
                DrawDropButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), DropGlyph::ColorBox, model_.Doc().Props.MenuColor);
            else
                DrawPreset(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_COMMAND: Command(LOWORD(wParam), HIWORD(wParam)); return 0;
        case WM_HSCROLL:
            if (!lParam || syncing_) return 0;
            if (LOWORD(wParam) == TB_ENDTRACK) {
                sliding_ = false;
            } else {
                // One undo step per move: the snapshot as the slider starts to go.
                if (!sliding_) model_.Properties().SliderFocus();
                sliding_ = true;
                SliderMoved(reinterpret_cast<HWND>(lParam));
            }
            return 0;
        case WM_VSCROLL: Scroll(LOWORD(wParam)); return 0;
        case WM_MOUSEWHEEL: Scroll(-1, GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
        case WM_SIZE: Layout(); return 0;
    }
    return DefWindowProcW(column_, message, wParam, lParam);
}

}  // namespace orvane
