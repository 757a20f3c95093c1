#include "ui/win32/Dialogs.h"

#include "app/CopyCustom.h"
#include "app/Tips.h"
#include "distribution/AutorunWizard.h"
#include "distribution/CommandWizard.h"
#include "platform/Platform.h"
#include "platform/win32/Wide.h"
#include "ui/win32/resource.h"

#include <commctrl.h>

#include <exception>
#include <initializer_list>

namespace orvane {

namespace {

std::string ControlText(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    std::wstring text(size_t(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(control, text.data(), int(text.size()))));
    return Utf8FromWide(text);
}

// Sets a control's text only when it differs, so a field being typed in keeps its caret.
void SetControlText(HWND dialog, int id, const std::string& text) {
    if (ControlText(dialog, id) != text) SetDlgItemTextW(dialog, id, WideFromUtf8(text).c_str());
}

void Show(HWND dialog, std::initializer_list<int> ids, bool visible) {
    for (int id : ids) ShowWindow(GetDlgItem(dialog, id), visible ? SW_SHOW : SW_HIDE);
}

// What a dialog's handler threw (a file the builder could not write) is said
// there, and the dialog stays up.
void ReportError(HWND owner, const std::exception& error) {
    MessageBoxW(owner, WideFromUtf8(error.what()).c_str(), WideFromUtf8(kAppTitle).c_str(), MB_OK | MB_ICONERROR);
}

template <typename Dialog>
INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<Dialog*>(lParam)->Window = window;
    }
    auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!dialog) return FALSE;
    try {
        return dialog->Handle(message, wParam, lParam);
    } catch (const std::exception& error) {
        ReportError(window, error);
        return TRUE;
    }
}

template <typename Dialog>
void Run(HWND owner, int id, Dialog& dialog) {
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), owner, DialogProc<Dialog>, LPARAM(&dialog));
}

// The command wizard -------------------------------------------------------------------

struct CommandWizardDialog {
    TfrmBtnWizCls& Wizard;
    HWND Window = nullptr;
    bool Syncing = false;
    bool Closing = false;

    using Kind = TfrmBtnWizCls::PageKind;

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM) {
        switch (message) {
            case WM_INITDIALOG:
                for (int code : TfrmBtnWizCls::kListedCodes)
                    SetDlgItemTextW(Window, IDC_CW_ACTION0 + code, WideFromUtf8(TfrmBtnWizCls::ActionCaption(code)).c_str());
                Sync();
                SetFocus(GetDlgItem(Window, IDC_CW_ACTION0 + Wizard.WizardAction));
                return FALSE;
            case WM_COMMAND: Command(LOWORD(wParam), HIWORD(wParam)); return TRUE;
        }
        return FALSE;
    }

    void Command(int id, int code) {
        if (Syncing) return;
        if (id >= IDC_CW_ACTION0 && id <= IDC_CW_ACTION0 + 9 && code == BN_CLICKED) {
            char name[16];
            std::snprintf(name, sizeof name, "Option10%02d", id - IDC_CW_ACTION0);
            Wizard.ChooseAction(name);
            Sync();
        } else if (id >= IDC_CW_REMAIN && id <= IDC_CW_CLOSE && code == BN_CLICKED) {
            Wizard.Action = TfrmBtnWizCls::MenuAction(id - IDC_CW_REMAIN);
        } else if (id == IDC_CW_MAXIMIZE && code == BN_CLICKED) {
            Wizard.Maximize = IsDlgButtonChecked(Window, IDC_CW_MAXIMIZE) == BST_CHECKED;
        } else if (code == EN_CHANGE) {
            const std::string text = ControlText(Window, id);
            if (id == IDC_CW_TARGET) Wizard.Target = text;
            if (id == IDC_CW_ADDRESS) Wizard.Address = text;
            if (id == IDC_CW_SUBJECT) Wizard.Subject = text;
            if (id == IDC_CW_MESSAGE) Wizard.Message = text;  // the edit control breaks lines with CR LF
        } else if (id == IDC_CW_BROWSE) {
            Wizard.Browse();
            Sync();
            SetFocus(GetDlgItem(Window, IDC_CW_TARGET));
        } else if (id == IDC_CW_BACK) {
            Navigate("Command2000");
        } else if (id == IDOK) {
            Navigate("Command2001");
        } else if (id == IDCANCEL) {
            Wizard.Cancel();
            Sync();
        }
    }

    void Navigate(const char* name) {
        const int before = Wizard.Page;
        Wizard.Navigate(name);
        Sync();
        // The target page just shown, or shown again because its field was left empty.
        if (Closing || !Wizard.FocusFirstField || (Wizard.Page == before && before != 2)) return;
        switch (Wizard.ShownPage()) {
            case Kind::Target: SetFocus(GetDlgItem(Window, IDC_CW_TARGET)); break;
            case Kind::Address: SetFocus(GetDlgItem(Window, IDC_CW_ADDRESS)); break;
            case Kind::Message: SetFocus(GetDlgItem(Window, IDC_CW_MESSAGE)); break;
            default: break;
        }
    }

    void Sync() {
        if (Closing) return;
        if (Wizard.Outcome != TfrmBtnWizCls::Result::Open) {
            Closing = true;
            EndDialog(Window, Wizard.Outcome == TfrmBtnWizCls::Result::Finished ? IDOK : IDCANCEL);
            return;
        }
        Syncing = true;
        CheckRadioButton(Window, IDC_CW_ACTION0, IDC_CW_ACTION0 + 9, IDC_CW_ACTION0 + Wizard.WizardAction);
        CheckRadioButton(Window, IDC_CW_REMAIN, IDC_CW_CLOSE, IDC_CW_REMAIN + int(Wizard.Action));
        CheckDlgButton(Window, IDC_CW_MAXIMIZE, Wizard.Maximize ? BST_CHECKED : BST_UNCHECKED);
        SetControlText(Window, IDC_CW_TARGET, Wizard.Target);
        SetControlText(Window, IDC_CW_ADDRESS, Wizard.Address);
        SetControlText(Window, IDC_CW_SUBJECT, Wizard.Subject);
        SetControlText(Window, IDC_CW_MESSAGE, Wizard.Message);
        Syncing = false;

        const Kind kind = Wizard.ShownPage();
        Show(Window, {IDC_CW_QUESTION}, kind == Kind::Action);
        for (int code = 0; code <= 9; ++code) Show(Window, {IDC_CW_ACTION0 + code}, kind == Kind::Action);
        Show(Window, {IDC_CW_MENU_ASK, IDC_CW_REMAIN, IDC_CW_MINIMIZE, IDC_CW_CLOSE, IDC_CW_MAXIMIZE_ASK, IDC_CW_MAXIMIZE, IDC_CW_NOTE},
             kind == Kind::MenuAction);
        const bool third = kind != Kind::Action && kind != Kind::MenuAction;
        Show(Window, {IDC_CW_PROMPT}, third);
        Show(Window, {IDC_CW_TARGET, IDC_CW_BROWSE}, kind == Kind::Target);
        Show(Window, {IDC_CW_ADDRESS}, kind == Kind::Address);
        Show(Window, {IDC_CW_HINT}, kind == Kind::Address && !Wizard.MailPromptsVisible);
        Show(Window, {IDC_CW_SUBJECT_ASK, IDC_CW_SUBJECT}, kind == Kind::Address && Wizard.MailPromptsVisible);
        Show(Window, {IDC_CW_MESSAGE}, kind == Kind::Message);
        const std::string frame = kind == Kind::Action       ? "Step 1 - Button Action"
                                  : kind == Kind::MenuAction ? "Step 2 - Menu Action"
                                                             : Wizard.TargetCaption;
        SetControlText(Window, IDC_CW_FRAME, frame);
        SetControlText(Window, IDC_CW_PROMPT, Wizard.TargetPrompt);
        EnableWindow(GetDlgItem(Window, IDC_CW_BACK), Wizard.BackEnabled);
        SetControlText(Window, IDOK, Wizard.ForwardCaption);
    }
};

// The autorun wizard -------------------------------------------------------------------

struct AutorunWizardDialog {
    TfrmEXEWizCls& Wizard;
    HWND Window = nullptr;
    bool Syncing = false;
    bool Closing = false;
    HFONT Bold = nullptr;

    ~AutorunWizardDialog() {
        if (Bold) DeleteObject(Bold);
    }

    HWND Menus() const { return GetDlgItem(Window, IDC_AW_MENUS); }

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_INITDIALOG: {
                ListView_SetExtendedListViewStyle(Menus(), LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
                RECT r;
                GetClientRect(Menus(), &r);
                LVCOLUMNW column = {};
                column.mask = LVCF_WIDTH;
                column.cx = r.right - GetSystemMetrics(SM_CXVSCROLL);
                ListView_InsertColumn(Menus(), 0, &column);
                ApplyFonts();
                Sync();
                SetFocus(GetDlgItem(Window, IDC_AW_NAME));
                return FALSE;
            }
            case WM_DPICHANGED_AFTERPARENT:
            case WM_DPICHANGED: ApplyFonts(); return FALSE;
            case WM_COMMAND: Command(LOWORD(wParam), HIWORD(wParam)); return TRUE;
            case WM_NOTIFY: {
                const auto* header = reinterpret_cast<const NMHDR*>(lParam);
                if (header->idFrom == IDC_AW_MENUS && header->code == LVN_ITEMCHANGED && !Syncing) {
                    const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
                    const size_t i = size_t(change->iItem);
                    if ((change->uChanged & LVIF_STATE) && i < Wizard.ChkOptn.size())
                        Wizard.ChkOptn[i].Checked = ListView_GetCheckState(Menus(), change->iItem) != 0;
                }
                return FALSE;
            }
        }
        return FALSE;
    }

    // The questions and the files made are in bold, in the dialog's own font.
    void ApplyFonts() {
        LOGFONTW font = {};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Window, WM_GETFONT, 0, 0)), sizeof font, &font);
        font.lfWeight = FW_BOLD;
        if (Bold) DeleteObject(Bold);
        Bold = CreateFontIndirectW(&font);
        for (int id : {IDC_AW_QUESTION, IDC_AW_FILES}) SendDlgItemMessageW(Window, id, WM_SETFONT, WPARAM(Bold), TRUE);
    }

    void Command(int id, int code) {
        if (Syncing) return;
        if (id == IDC_AW_NAME && code == EN_CHANGE) {
            Wizard.NameField = ControlText(Window, IDC_AW_NAME);
        } else if (id == IDC_AW_BROWSE) {
            Wizard.Browse();
            Sync();
        } else if (id == IDC_AW_SELECT_ALL) {
            Wizard.SelectAll();
            Sync();
        } else if (id == IDC_AW_DEFAULT && code == LBN_SELCHANGE) {
            const LRESULT chosen = SendDlgItemMessageW(Window, IDC_AW_DEFAULT, LB_GETCURSEL, 0, 0);
            if (chosen >= 0) Wizard.ChooseRadio(size_t(chosen));
        } else if (id == IDC_AW_BACK) {
            Navigate("Command3000");
        } else if (id == IDC_AW_FORWARD || (id == IDOK && Wizard.ForwardEnabled)) {
            Navigate("Command3001");
        } else if (id == IDCANCEL || id == IDOK) {
            Wizard.Close();
            Sync();
        }
    }

    void Navigate(const char* name) {
        const int before = Wizard.Page;
        Wizard.Navigate(name);
        // The model builds its lists afresh on entering their pages.
        if (Wizard.Page != before && Wizard.Page == 2) FillMenus();
        if (Wizard.Page != before && Wizard.Page == 3) FillDefault();
        Sync();
        if (Closing) return;
        const int focus = Wizard.VisiblePage == 1 ? IDC_AW_NAME
                          : Wizard.VisiblePage == 2 ? IDC_AW_MENUS
                          : Wizard.VisiblePage == 3 ? IDC_AW_DEFAULT
                                                    : IDCANCEL;
        SendMessageW(Window, WM_NEXTDLGCTL, WPARAM(GetDlgItem(Window, focus)), TRUE);
    }

    void FillMenus() {
        Syncing = true;
        ListView_DeleteAllItems(Menus());
        for (size_t i = 0; i < Wizard.ChkOptn.size(); ++i) {
            std::wstring caption = WideFromUtf8(Wizard.ChkOptn[i].Caption);
            LVITEMW item = {};
            item.mask = LVIF_TEXT;
            item.iItem = int(i);
            item.pszText = caption.data();
            ListView_InsertItem(Menus(), &item);
        }
        if (!Wizard.ChkOptn.empty()) ListView_SetItemState(Menus(), 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
        Syncing = false;
    }

    void FillDefault() {
        SendDlgItemMessageW(Window, IDC_AW_DEFAULT, LB_RESETCONTENT, 0, 0);
        for (const auto& option : Wizard.RadOptn)
            SendDlgItemMessageW(Window, IDC_AW_DEFAULT, LB_ADDSTRING, 0, LPARAM(WideFromUtf8(option.Caption).c_str()));
    }

    void Sync() {
        if (Closing) return;
        if (Wizard.Closed) {
            Closing = true;
            EndDialog(Window, IDCANCEL);
            return;
        }
        Syncing = true;
        SetControlText(Window, IDC_AW_NAME, Wizard.NameField);
        for (size_t i = 0; i < Wizard.ChkOptn.size() && int(i) < ListView_GetItemCount(Menus()); ++i)
            ListView_SetCheckState(Menus(), int(i), Wizard.ChkOptn[i].Checked);
        for (size_t i = 0; i < Wizard.RadOptn.size(); ++i)
            if (Wizard.RadOptn[i].Checked) SendDlgItemMessageW(Window, IDC_AW_DEFAULT, LB_SETCURSEL, i, 0);
        Syncing = false;
        SetControlText(Window, IDC_AW_FILES, Wizard.BoldName + "\r\nautorun.inf");
        const int page = Wizard.VisiblePage;
        Show(Window, {IDC_AW_NAME_LABEL, IDC_AW_NAME, IDC_AW_BROWSE, IDC_AW_NAME_NOTE}, page == 1);
        Show(Window, {IDC_AW_MENUS, IDC_AW_SELECT_ALL, IDC_AW_MENUS_NOTE}, page == 2);
        Show(Window, {IDC_AW_DEFAULT, IDC_AW_DEFAULT_NOTE}, page == 3);
        Show(Window, {IDC_AW_DONE, IDC_AW_FILES, IDC_AW_DONE_NOTE}, page == 4);
        const char* question = page == 1 ? "Would you like to create your Autorun application now?"
                               : page == 2 ? "Which menus would you like to include?"
                               : page == 3 ? "Which menu would you like to be the default menu?"
                                           : "";
        SetControlText(Window, IDC_AW_QUESTION, question);
        Show(Window, {IDC_AW_QUESTION}, page != 4);
        Show(Window, {IDC_AW_BACK}, Wizard.BackVisible);
        SetControlText(Window, IDC_AW_FORWARD, Wizard.ForwardCaption);
        EnableWindow(GetDlgItem(Window, IDC_AW_FORWARD), Wizard.ForwardEnabled);
        // With nothing left to go forward to, Enter closes.
        SendMessageW(Window, DM_SETDEFID, Wizard.ForwardEnabled ? IDC_AW_FORWARD : IDCANCEL, 0);
    }
};

// Copy Button Style --------------------------------------------------------------------

struct CopyCustomDialog {
    TfrmCopyCustom& Copy;
    HWND Window = nullptr;

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM) {
        switch (message) {
            case WM_INITDIALOG: {
                SetControlText(Window, IDC_CC_INTRO, std::string(TfrmCopyCustom::kIntro));
                SetControlText(Window, IDC_CC_QUESTION, std::string(TfrmCopyCustom::kQuestion));
                SetControlText(Window, IDC_CC_FRAME, std::string(TfrmCopyCustom::kListCaption));
                const HWND list = GetDlgItem(Window, IDC_CC_LIST);
                for (std::string_view entry : TfrmCopyCustom::kEntries)
                    SendMessageW(list, LB_ADDSTRING, 0, LPARAM(WideFromUtf8(entry).c_str()));
                SendMessageW(list, LB_SETCURSEL, WPARAM(Copy.Choice), 0);
                SetFocus(list);
                return FALSE;
            }
            case WM_COMMAND: {
                const int id = LOWORD(wParam), code = HIWORD(wParam);
                if (id == IDC_CC_LIST && code == LBN_SELCHANGE) {
                    const LRESULT row = SendDlgItemMessageW(Window, IDC_CC_LIST, LB_GETCURSEL, 0, 0);
                    if (row >= 0) Copy.Select(int(row));
                } else if (id == IDOK || (id == IDC_CC_LIST && code == LBN_DBLCLK)) {
                    Copy.Ok();
                    EndDialog(Window, IDOK);
                } else if (id == IDCANCEL) {
                    Copy.Cancel();
                    EndDialog(Window, IDCANCEL);
                }
                return TRUE;
            }
        }
        return FALSE;
    }
};

}  // namespace

void ShowCopyCustom(HWND owner, TfrmCopyCustom& copy) {
    CopyCustomDialog dialog{copy};
    Run(owner, IDD_COPY_CUSTOM, dialog);
}

void ShowCommandWizard(HWND owner, TfrmBtnWizCls& wizard) {
    CommandWizardDialog dialog{wizard};
    Run(owner, IDD_COMMAND_WIZARD, dialog);
}

void ShowAutorunWizard(HWND owner, TfrmEXEWizCls& wizard) {
    AutorunWizardDialog dialog{wizard};
    Run(owner, IDD_AUTORUN_WIZARD, dialog);
}

}  // namespace orvane
