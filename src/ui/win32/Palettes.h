#pragma once

#include "app/MainMenu.h"
#include "platform/win32/Windows.h"
#include "ui/win32/Layout.h"

#include <functional>
#include <string>
#include <vector>

namespace orvane {

class EditorModel;

// The column of the five property palettes, left of the design surface: each
// a header button that opens and closes it and its controls below, laid out
// in dialog units. It shows the model and forwards what the user does.
class PalettePane {
public:
    PalettePane(EditorModel& model, HWND parent);
    HWND Handle() const { return column_; }

    // Runs a command, reports what it threw, shows the model again.
    std::function<void(const std::function<void()>&)> Run;
    // The command wizard for the selected button; the animation preview.
    std::function<void()> CommandWizard, Animate;
    // A command of the main menu chosen in a palette (Add Button, Move Up, ...).
    std::function<void(MenuCommand)> Chosen;
    // The colour picker for the menu colour, opened at the colour box.
    std::function<void(HWND)> OpenMenuColor;

    // Set while the window gives the focus back to the control that had it.
    bool FocusReturning = false;

    // Width in pixels for the font's dialog units.
    int Width(const DialogUnits& units) const;
    void SetFont(HFONT font, const DialogUnits& units);
    void Layout();
    // Sets every control from the model (a field being typed in keeps its caret).
    void Show();
    // Puts the keyboard focus in a field the model asked for.
    enum Field { Title, MenuText, Caption };
    void FocusField(Field field);
    // A palette opened from the keyboard takes the focus into its first control.
    void FocusPalette(int palette);
    // Scrolls the column so that a control of it (the focus) shows whole.
    void ScrollIntoView(HWND control);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    HWND Add(int palette, const wchar_t* kind, const std::wstring& text, DWORD style, int id, int heightDlu,
             int indentDlu = 0);
    void Command(int id, int code);
    void Scroll(int request, int delta = 0);
    void SliderMoved(HWND slider);
    void DrawPreset(const DRAWITEMSTRUCT& item);

    struct Item {
        HWND Window;
        int Palette;  // -1: a palette's header
        int Height;   // in dialog units
        int Indent;
        int Column = 0, Columns = 1;  // side by side in a row of Columns
    };
    EditorModel& model_;
    HWND column_ = nullptr;
    std::vector<Item> items_;
    DialogUnits units_;
    int scroll_ = 0;
    int contentHeight_ = 0;
    bool syncing_ = false;
    bool sliding_ = false;  // a slider is being moved: one undo step for the move
};

}  // namespace orvane
