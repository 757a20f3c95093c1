#include "ui/win32/MainWindow.h"

#include "app/ColorPicker.h"
#include "app/ShadowSets.h"
#include "app/Publish.h"
#include "app/Tips.h"
#include "platform/PathText.h"
#include "platform/win32/Wide.h"
#include "ui/win32/ColorPopups.h"
#include "ui/win32/DesignerWindow.h"
#include "ui/win32/Dialogs.h"
#include "ui/win32/TestAutorun.h"
#include "ui/win32/resource.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

namespace orvane {

namespace {

const wchar_t kClass[] = L"OrvaneGraphicMain";

// Command identifiers: the table's items from kItemBase, the menu folder's
// menus from kMenuListBase, and the context menu's own.
constexpr UINT kItemBase = 100;
constexpr UINT kMenuListBase = 2000;
constexpr UINT kCommandWizard = 3000;

constexpr UINT_PTR kStartTimer = 1;
constexpr UINT_PTR kRedrawTimer = 2;
constexpr int kStepPauseMs = 8;  // between two steps of the button animation
constexpr UINT_PTR kAnimationTimer = 3;
constexpr UINT_PTR kHandOverTimer = 4;

UINT ItemId(size_t index) { return kItemBase + UINT(index); }

std::wstring MenuLabel(const MenuItem& item) {
    std::wstring text = WideFromUtf8(MenuItemText(item));
    const std::string_view key = MenuItemKey(item);
    if (!key.empty()) text += L"\t" + WideFromUtf8(key);
    return text;
}

// The virtual key of a shortcut's key name.
WORD VirtualKey(std::string_view key) {
    if (key.size() == 1) return WORD(std::toupper(static_cast<unsigned char>(key[0])));
    if (key == "Delete") return VK_DELETE;
    if (key.size() >= 2 && key[0] == 'F') return WORD(VK_F1 + std::stoi(std::string(key.substr(1))) - 1);
    return 0;
}

bool IsEditControl(HWND w) {
    wchar_t name[16] = {};
    GetClassNameW(w, name, 16);
    return _wcsicmp(name, L"Edit") == 0 || _wcsicmp(name, L"RichEdit20W") == 0;
}

// The keys a text field edits with, which the document's commands also use.
bool TextFieldKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0, alt = GetKeyState(VK_MENU) < 0;
    if (alt || shift) return false;
    const WPARAM k = msg.wParam;
    if (!ctrl) return k == VK_DELETE;
    return k == VK_DELETE || k == VK_BACK || k == 'Z' || k == 'Y' || k == 'X' || k == 'C' || k == 'V' || k == 'A';
}

}  // namespace

MainWindow::MainWindow(const AppFolders& folders, std::vector<std::string> args)
    : model_(platform_, folders), args_(std::move(args)) {
    platform_.SetHelpFolder(model_.Folders().Help);
    model_.Session().Report = [this](const std::string& text) { platform_.DebugOutput("orvane-graphic: " + text); };

    static const bool registered = [] {
        WNDCLASSEXW c = FaceClass(kClass, &MainWindow::Proc);
        c.hIcon = static_cast<HICON>(LoadImageW(c.hInstance, MAKEINTRESOURCEW(IDI_EDITOR), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
        c.hIconSm = static_cast<HICON>(LoadImageW(c.hInstance, MAKEINTRESOURCEW(IDI_EDITOR), IMAGE_ICON,
                                                  GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
        return RegisterClassExW(&c) != 0;
    }();
    (void)registered;

    // A first size that still fits a small screen, centred on the work area.
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int dpi = int(GetDpiForSystem());
    const int w = std::min(Scale(1200, dpi), int(work.right - work.left) - 40);
    const int h = std::min(Scale(800, dpi), int(work.bottom - work.top) - 40);
    window_ = CreateWindowExW(WS_EX_ACCEPTFILES | WS_EX_CONTROLPARENT, kClass, WideFromUtf8(kAppTitle).c_str(),
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, work.left + (work.right - work.left - w) / 2,
                              work.top + (work.bottom - work.top - h) / 2, w, h, nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
    platform_.SetOwner(window_);

    surface_ = std::make_unique<DesignSurface>(model_, window_);
    surface_->SelectionChanged = [this] {
        ShowModel();
        ApplyFocusRequest();
    };
    surface_->ContextMenu = [this](int button, POINT at) { ShowContextMenu(button, at); };
    surface_->PhotoDropped = [this](const std::filesystem::path& path) { Run([this, path] { model_.DropPhoto(path); }); };
    surface_->FilesDropped = [this](HDROP drop) { DropFiles(drop); };
    palettes_ = std::make_unique<PalettePane>(model_, window_);
    palettes_->Run = [this](const std::function<void()>& command) {
        Run(command);
        ApplyFocusRequest();
    };
    palettes_->CommandWizard = [this] { RunCommandWizard(); };
    palettes_->Chosen = [this](MenuCommand command) { Execute(command, 0); };
    format_ = std::make_unique<FormatStrip>(model_.Format(), window_);
    format_->Run = [this](const std::function<void()>& command) { Run(command); };
    palettes_->Animate = [this] { ButtAni(); };
    // The colour picker and the shadow-set pop-up; the window shows the model again when one closes.
    const PopupHooks hooks{[this] { ShowModel(); },
                           [this](const std::exception& error) { ShowMessageBox(platform_, error.what(), MsgType::Error); }};
    // Not while the buttons are moving: a new colour rebuilds the pictures they are drawn from.
    format_->OpenPicker = [this, hooks](ColorTarget target, HWND button) {
        if (!model_.Preview().Playing())
            OpenColorPicker(window_, button, PopupAnchor::BelowButton, model_.OpenColorPicker(target), hooks);
    };
    format_->OpenShadowSets = [this, hooks](HWND button) {
        if (!model_.Preview().Playing()) OpenShadowSets(window_, button, model_.OpenShadowSets(), hooks);
    };
    palettes_->OpenMenuColor = [this, hooks](HWND box) {
        if (!model_.Preview().Playing())
            OpenColorPicker(window_, box, PopupAnchor::BoxCorner, model_.OpenColorPicker(ColorTarget::MenuColor), hooks);
    };

    toolbar_ = std::make_unique<MainToolbar>(window_);
    toolbar_->Chosen = [this](MenuCommand command, int index) { Execute(command, index); };

    // Tab goes as the eye does: the formatting toolbar, the palettes top to bottom, the design surface.
    const UINT order = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(format_->Handle(), HWND_TOP, 0, 0, 0, 0, order);
    SetWindowPos(palettes_->Handle(), format_->Handle(), 0, 0, 0, 0, order);
    SetWindowPos(surface_->Handle(), palettes_->Handle(), 0, 0, 0, 0, order);

    BuildMenus();
    BuildAccelerators();
    ApplyDpi(int(GetDpiForWindow(window_)));

    model_.SetDesignerWindow([this] { ShowButtonDesigner(window_, model_, platform_); });
    model_.Session().Start();
    ShowModel();  // the defaults show while start-up runs
    ShowWindow(window_, SW_SHOWDEFAULT);
    UpdateWindow(window_);
    // The second stage of start-up runs once the window is up.
    SetTimer(window_, kStartTimer, 10, nullptr);
}

MainWindow::~MainWindow() {
    if (accelerators_) DestroyAcceleratorTable(accelerators_);
    if (font_) DeleteObject(font_);
}

LRESULT CALLBACK MainWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

// Menus and shortcuts ------------------------------------------------------------------

void MainWindow::BuildMenus() {
    bar_ = CreateMenu();
    HMENU popup = nullptr;
    const auto items = MainMenuItems();
    int position = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        if (item.Depth == 0) {
            popup = CreatePopupMenu();
            AppendMenuW(bar_, MF_POPUP, UINT_PTR(popup), WideFromUtf8(item.Text).c_str());
            if (item.Text == "&File") fileMenu_ = popup;
            position = 0;
            continue;
        }
        if (item.Command == MenuCommand::MenuListEntry) {
            menuListPosition_ = position;
            continue;  // filled by RefreshMenuList
        }
        if (item.Command == MenuCommand::None)
            AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(popup, MF_STRING, ItemId(i), MenuLabel(item).c_str());
        ++position;
    }
    SetMenu(window_, bar_);
}

void MainWindow::BuildAccelerators() {
    std::vector<ACCEL> table;
    const auto items = MainMenuItems();
    for (size_t i = 0; i < items.size(); ++i) {
        const auto shortcut = ParseShortcut(MenuItemKey(items[i]));
        if (!shortcut) continue;
        BYTE flags = FVIRTKEY;
        if (shortcut->Ctrl) flags |= FCONTROL;
        if (shortcut->Shift) flags |= FSHIFT;
        if (shortcut->Alt) flags |= FALT;
        if (const WORD key = VirtualKey(shortcut->Key)) table.push_back({flags, key, WORD(ItemId(i))});
    }
    accelerators_ = CreateAcceleratorTableW(table.data(), int(table.size()));
}

bool MainWindow::PreTranslate(MSG& msg) {
    if (TranslatePopupMessage(msg)) return true;
    if (!accelerators_ || !IsWindowEnabled(window_)) return false;
    // The main window's keys work in its own controls only, not in a tool window.
    if (msg.hwnd != window_ && !IsChild(window_, msg.hwnd)) return false;
    if (IsEditControl(msg.hwnd) && TextFieldKey(msg)) return false;
    // Escape in a palette goes back to the menu on the design surface.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && IsChild(palettes_->Handle(), msg.hwnd) &&
        !SendMessageW(msg.hwnd, CB_GETDROPPEDSTATE, 0, 0)) {
        SetFocus(surface_->Handle());
        return true;
    }
    return TranslateAcceleratorW(window_, accelerators_, &msg) != 0;
}

void MainWindow::FocusMoved() {
    const HWND focus = GetFocus();
    if (focus == shownFocus_) return;
    shownFocus_ = focus;
    if (focus && palettes_ && IsChild(palettes_->Handle(), focus)) palettes_->ScrollIntoView(focus);
}

// While the buttons are moving only Exit runs: the other commands change what they are drawn from.
bool MainWindow::CanRun(MenuCommand command) const {
    return !model_.Preview().Playing() || command == MenuCommand::Exit;
}

void MainWindow::UpdateMenuStates(HMENU menu) {
    const auto items = MainMenuItems();
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        if (item.Depth == 0 || item.Command == MenuCommand::None || item.Command == MenuCommand::MenuListEntry) continue;
        const bool enabled = CanRun(item.Command) && MenuCommandEnabled(model_, item.Command);
        EnableMenuItem(menu, ItemId(i), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
        CheckMenuItem(menu, ItemId(i),
                      MF_BYCOMMAND | (MenuCommandChecked(model_, item.Command, item.Index) ? MF_CHECKED : MF_UNCHECKED));
    }
}

void MainWindow::RefreshMenuList() {
    if (!fileMenu_) return;
    for (UINT id = kMenuListBase; id < kMenuListBase + FileCommands::kMenuListSize; ++id)
        DeleteMenu(fileMenu_, id, MF_BYCOMMAND);
    const auto& names = model_.Files().MenuList();
    if (names.empty()) {
        InsertMenuW(fileMenu_, UINT(menuListPosition_), MF_BYPOSITION | MF_STRING | MF_GRAYED, kMenuListBase,
                    L"No menus found");
        return;
    }
    for (size_t i = 0; i < names.size() && i < size_t(FileCommands::kMenuListSize); ++i) {
        // A file name is no access key: a "&" in it is shown as it is.
        std::wstring label = WideFromUtf8(names[i]);
        for (size_t at = label.find(L'&'); at != std::wstring::npos; at = label.find(L'&', at + 2)) label.insert(at, 1, L'&');
        InsertMenuW(fileMenu_, UINT(menuListPosition_ + int(i)), MF_BYPOSITION | MF_STRING,
                    kMenuListBase + UINT(i), label.c_str());
    }
}

// Showing the model -------------------------------------------------------------------

void MainWindow::Run(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& error) {
        ShowMessageBox(platform_, error.what(), MsgType::Error);
    }
    ShowModel();
}

void MainWindow::ApplyFocusRequest() {
    const PropertyPanels::Focus focus = model_.Properties().TakeFocusRequest();
    switch (focus) {
        case PropertyPanels::Focus::None: return;
        case PropertyPanels::Focus::Caption: palettes_->FocusField(PalettePane::Caption); break;
        case PropertyPanels::Focus::MenuText: palettes_->FocusField(PalettePane::MenuText); break;
        case PropertyPanels::Focus::Title: palettes_->FocusField(PalettePane::Title); break;
    }
}

void MainWindow::ShowModel() {
    model_.Format().SetToolbarFormats();
    format_->Show();
    palettes_->Show();
    SetWindowTextW(window_, WideFromUtf8(model_.WindowCaption()).c_str());
    RefreshMenuList();
    if (toolbar_)
        toolbar_->Enable([this](MenuCommand c) { return c == MenuCommand::Help || (CanRun(c) && MenuCommandEnabled(model_, c)); });
    if (!surface_->Animating()) surface_->Refresh();
}

void MainWindow::Execute(MenuCommand command, int index) {
    if (!CanRun(command) || !MenuCommandEnabled(model_, command)) return;
    switch (command) {
        case MenuCommand::FileNew: Run([this] { model_.Files().New(); }); break;
        case MenuCommand::FileOpen: Run([this] { model_.Files().Open(); }); break;
        case MenuCommand::FileSave: Run([this] { model_.Files().Save(); }); break;
        case MenuCommand::FileSaveAs: Run([this] { model_.Files().SaveAs(); }); break;
        case MenuCommand::CreateAutorun: RunAutorunWizard(); break;
        case MenuCommand::TestAutorun: RunTestAutorun(); break;
        case MenuCommand::Exit: PostMessageW(window_, WM_CLOSE, 0, 0); break;
        case MenuCommand::Undo:
            Run([this] { model_.Undo().Undo(); });
            ApplyFocusRequest();
            break;
        case MenuCommand::Redo: Run([this] { model_.Undo().Redo(); }); break;
        case MenuCommand::Cut: Run([this] { model_.Buttons().Cut(); }); break;
        case MenuCommand::Copy: Run([this] { model_.Buttons().Copy(); }); break;
        case MenuCommand::Paste: Run([this] { model_.Buttons().Paste(); }); break;
        case MenuCommand::AddButton:
            Run([this] { model_.Buttons().Add(); });
            ApplyFocusRequest();
            break;
        case MenuCommand::DeleteButton: Run([this] { model_.Buttons().Delete(); }); break;
        case MenuCommand::MoveUp: Run([this] { model_.Buttons().MoveUp(); }); break;
        case MenuCommand::MoveDown: Run([this] { model_.Buttons().MoveDown(); }); break;
        case MenuCommand::AnimateButtons: ButtAni(); break;
        case MenuCommand::ViewPalette:
            Run([this, index] { model_.Palettes().Toggle(index); });
            if (model_.Palettes().IsOpen(index)) palettes_->FocusPalette(index);
            break;
        case MenuCommand::OnePalette:
            Run([this] { model_.Palettes().SetOnePaletteMode(!model_.Palettes().OnePaletteMode); });
            break;
        case MenuCommand::DisableSounds:
            Run([this] { model_.Properties().SetDisableSounds(!model_.Doc().Props.DisableSounds); });
            break;
        case MenuCommand::HighQualityScaling: Run([this] { model_.Properties().ToggleHighQualityScaling(); }); break;
        case MenuCommand::CustomButtonStyle: Run([this] { model_.AddButtonStyle1Click(); }); break;
        case MenuCommand::CopyButtonStyle:
            // However the window closed, the selected style is applied again.
            Run([this] { model_.CopyButtonStyle1Click([this](TfrmCopyCustom& copy) { ShowCopyCustom(window_, copy); }); });
            break;
        case MenuCommand::ResetTips: model_.Session().ResetTips(); break;
        case MenuCommand::Help: {
            const HelpEntry& entry = kHelpEntries[size_t(index)];
            if (entry.Page)
                platform_.OpenHelpPage(*entry.Page);
            else
                ShowAboutBox(window_, LayoutDescription(model_.Folders()));
            break;
        }
        default: break;
    }
}

void MainWindow::ShowContextMenu(int button, POINT screen) {
    const auto items = MainMenuItems();
    auto idOf = [&](MenuCommand command) {
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].Command == command) return ItemId(i);
        return 0u;
    };
    HMENU menu = CreatePopupMenu();
    auto add = [&](MenuCommand command, const wchar_t* text) {
        const UINT id = idOf(command);
        const bool enabled = CanRun(command) && MenuCommandEnabled(model_, command);
        AppendMenuW(menu, MF_STRING | (enabled ? 0 : MF_GRAYED), id, text);
    };
    if (button > 0) {
        add(MenuCommand::AddButton, L"&Add Button");
        add(MenuCommand::DeleteButton, L"&Delete Button");
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        add(MenuCommand::MoveUp, L"Move Up");
        add(MenuCommand::MoveDown, L"Move Down");
    } else {
        add(MenuCommand::FileSave, L"Save Menu");
        add(MenuCommand::AddButton, L"&Add Button");
        AppendMenuW(menu, MF_STRING, kCommandWizard, L"Launch Command Wizard");
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        add(MenuCommand::CreateAutorun, L"Create Autorun EXE");
    }
    const UINT chosen = UINT(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, window_, nullptr));
    DestroyMenu(menu);
    if (chosen) PostMessageW(window_, WM_COMMAND, chosen, 0);
}

// Tool windows ------------------------------------------------------------------------

void MainWindow::RunCommandWizard() {
    std::unique_ptr<TfrmBtnWizCls> wizard;
    Run([this, &wizard] { wizard = model_.OpenCommandWizard(); });
    if (!wizard) return;
    ShowCommandWizard(window_, *wizard);
    ShowModel();
}

void MainWindow::RunAutorunWizard() {
    std::unique_ptr<TfrmEXEWizCls> wizard;
    Run([this, &wizard] { wizard = model_.OpenAutorunWizard(); });
    if (!wizard) return;
    ShowAutorunWizard(window_, *wizard);
    ShowModel();
}

void MainWindow::RunTestAutorun() {
    TestRunModel run(model_, discFolder_, model_.Folders().Cache);
    auto rebuild = [this, &run] {
        run.Rebuild([this](TfrmEXEWizCls& wizard) {
            ShowModel();
            ShowAutorunWizard(window_, wizard);
        });
        ShowModel();
    };
    bool prepared = false;
    Run([&] { prepared = run.Prepare(rebuild); });
    if (!prepared) return;
    Run([&] { ShowTestAutorun(window_, run, rebuild); });
    discFolder_ = run.Folder;
}

// The button animation ---------------------------------------------------------------

void MainWindow::ButtAni() {
    // A second request while one plays is ignored: the first one is still moving the buttons.
    RECT client;
    GetClientRect(surface_->Handle(), &client);
    if (!model_.Preview().Start(client.right)) return;
    surface_->Refresh();
    surface_->BeginAnimation();
    QueryPerformanceCounter(&animationStart_);
    SetTimer(window_, kAnimationTimer, kStepPauseMs, nullptr);
    AnimationStep();
}

void MainWindow::AnimationStep() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    const int64_t elapsed = (now.QuadPart - animationStart_.QuadPart) * 1000000 / frequency.QuadPart;
    ShowAnimationMoves(model_.Preview().Step(elapsed));
}

void MainWindow::StopAnimation() { ShowAnimationMoves(model_.Preview().Stop()); }

void MainWindow::ShowAnimationMoves(const std::vector<AnimationMove>& moves) {
    if (!surface_->Animating()) return;
    for (const AnimationMove& move : moves) surface_->MoveButton(move.Slot, move.Left, move.Top);
    UpdateWindow(surface_->Handle());
    if (model_.Preview().Playing()) return;
    KillTimer(window_, kAnimationTimer);
    surface_->EndAnimation();
    ShowModel();
}

// Events ------------------------------------------------------------------------------

void MainWindow::DropFiles(HDROP drop) {
    std::vector<std::filesystem::path> files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        name.resize(DragQueryFileW(drop, i, name.data(), UINT(name.size())));
        files.emplace_back(name);
    }
    DragFinish(drop);
    const bool documents = !files.empty() && std::all_of(files.begin(), files.end(), [](const auto& f) {
        return EditorSession::KindOfDropped(f) == EditorSession::DroppedKind::Document;
    });
    if (!documents || !started_ || closing_ || model_.Preview().Playing()) return;
    SetForegroundWindow(window_);
    Run([this, files] { model_.Session().DropFiles(files); });
}

void MainWindow::TakeHandOver(const std::vector<std::filesystem::path>& files) {
    if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
    // A dialog of the editor's own, if one is up, is what the user must see.
    const HWND front = GetLastActivePopup(window_);
    SetForegroundWindow(front ? front : window_);
    if (files.empty()) return;
    handedOver_.insert(handedOver_.end(), files.begin(), files.end());
    OpenHandedOver();
}

void MainWindow::OpenHandedOver() {
    if (handedOver_.empty() || closing_) return;
    // The save question must not come up over a dialog (which disables this
    // window) or while the animation plays: the files wait for them to end.
    if (!started_ || !IsWindowEnabled(window_) || model_.Preview().Playing()) {
        SetTimer(window_, kHandOverTimer, 250, nullptr);
        return;
    }
    KillTimer(window_, kHandOverTimer);
    const std::vector<std::filesystem::path> files = std::move(handedOver_);
    handedOver_.clear();
    Run([this, files] { model_.Session().DropFiles(files); });
}

void MainWindow::DeferredStart() {
    model_.Session().ShowDocument = [this] { ShowModel(); };
    Run([this] { model_.Session().DeferredStart(args_); });
    SetTimer(window_, kRedrawTimer, 100, nullptr);
    started_ = true;
    ShowModel();
    if (closeAfterStart_) PostMessageW(window_, WM_CLOSE, 0, 0);
}

void MainWindow::Tick() {
    const int before = model_.RedrawCountdown();
    try {
        model_.Tick();
    } catch (const std::exception& error) {
        ShowMessageBox(platform_, error.what(), MsgType::Error);
    }
    if (before == 1 && !surface_->Animating()) {
        palettes_->Show();  // auto-sizing may have moved the size sliders
        surface_->Refresh();
    }
}

void MainWindow::Close() {
    if (closing_) return;
    if (!started_) {
        // Start-up's own steps mark the document changed; closing halfway
        // would ask to save a menu the user never touched.
        closeAfterStart_ = true;
        return;
    }
    // The buttons go to their places before any question is asked.
    StopAnimation();
    if (!model_.Session().CloseQuery()) return;
    closing_ = true;
    KillTimer(window_, kRedrawTimer);
    model_.Session().Shutdown();
    DestroyWindow(window_);
}

void MainWindow::ApplyDpi(int dpi) {
    dpi_ = dpi;
    if (font_) DeleteObject(font_);
    font_ = MessageFont(dpi);
    units_ = MeasureDialogUnits(font_);
    if (palettes_) palettes_->SetFont(font_, units_);
    if (format_) format_->SetFont(font_, units_);
    if (toolbar_) toolbar_->SetDpi(dpi);
    Layout();
}

void MainWindow::Layout() {
    RECT client;
    GetClientRect(window_, &client);
    // The tool bars wrap onto more rows rather than run off a narrow window.
    const int bar = toolbar_ ? toolbar_->FitTo(client.right) : 0;
    if (toolbar_) MoveWindow(toolbar_->Handle(), 0, 0, client.right, bar, TRUE);
    const int top = bar + (format_ ? format_->FitTo(client.right) : 0);
    if (format_) MoveWindow(format_->Handle(), 0, bar, client.right, top - bar, TRUE);
    const int column = palettes_ ? std::min(palettes_->Width(units_), int(client.right) / 2) : 0;
    if (palettes_) MoveWindow(palettes_->Handle(), 0, top, column, client.bottom - top, TRUE);
    if (surface_) MoveWindow(surface_->Handle(), column, top, client.right - column, client.bottom - top, TRUE);
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE: Layout(); return 0;
        case WM_ACTIVATE:
            // The focus goes back where it was when the window comes back.
            if (LOWORD(wParam) == WA_INACTIVE) {
                focus_ = GetFocus();
            } else if (focus_ && IsChild(window_, focus_)) {
                palettes_->FocusReturning = true;
                SetFocus(focus_);
                palettes_->FocusReturning = false;
                return 0;
            } else if (surface_) {
                SetFocus(surface_->Handle());
                return 0;
            }
            break;
        case WM_DPICHANGED: {
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            ApplyDpi(HIWORD(wParam));
            return 0;
        }
        case WM_NEXTDLGCTL: {
            // The focus moves as in a dialog: the message loop's dialog keys
            // ask this window for it when a label's access key is pressed
            // (the label first, then the control after it), and only a
            // dialog's own procedure would answer otherwise.
            HWND next = nullptr;
            if (LOWORD(lParam)) {
                const HWND target = reinterpret_cast<HWND>(wParam);
                if (!(GetWindowLongW(target, GWL_STYLE) & WS_TABSTOP)) {
                    mnemonic_ = target;
                    return 0;
                }
                next = target;
            } else {
                const HWND from = mnemonic_ ? mnemonic_ : GetFocus();
                next = GetNextDlgTabItem(window_, from, wParam != 0);
            }
            mnemonic_ = nullptr;
            if (!next) return 0;
            SetFocus(next);
            if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
            FocusMoved();
            return 0;
        }
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
            // High contrast on or off: what is drawn here takes the new colours.
            RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            break;
        case WM_INITMENUPOPUP: UpdateMenuStates(reinterpret_cast<HMENU>(wParam)); return 0;
        case WM_COMMAND: {
            // Enter on a push button in a palette or a tool bar: the dialog keys
            // tell this window, but the button's own parent acts on it.
            if (const HWND control = reinterpret_cast<HWND>(lParam); control && GetParent(control) != window_ &&
                IsChild(window_, control))
                return SendMessageW(GetParent(control), WM_COMMAND, wParam, lParam);
            const UINT id = LOWORD(wParam);
            const auto items = MainMenuItems();
            if (id >= kItemBase && id < kItemBase + items.size()) {
                const MenuItem& item = items[id - kItemBase];
                Execute(item.Command, item.Index);
            } else if (id >= kMenuListBase && id < kMenuListBase + FileCommands::kMenuListSize) {
                if (!model_.Preview().Playing()) Run([this, id] { model_.Files().OpenMenuListEntry(int(id - kMenuListBase)); });
            } else if (id == kCommandWizard) {
                if (!model_.Preview().Playing()) RunCommandWizard();
            }
            return 0;
        }
        case WM_TIMER:
            if (wParam == kStartTimer) {
                KillTimer(window_, kStartTimer);
                DeferredStart();
            } else if (wParam == kRedrawTimer) {
                Tick();
            } else if (wParam == kAnimationTimer) {
                AnimationStep();
            } else if (wParam == kHandOverTimer) {
                OpenHandedOver();
            }
            return 0;
        case WM_DROPFILES: DropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
        case WM_CLOSE: Close(); return 0;
        case WM_QUERYENDSESSION: return TRUE;
        case WM_ENDSESSION:
            // Windows is ending: nobody can answer a question; settings are written.
            if (wParam && !closing_) {
                closing_ = true;
                model_.Session().Shutdown();
            }
            return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace orvane
