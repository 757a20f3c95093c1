#pragma once

// The editor as the fuzz targets run it: the model started as the main window
// starts it, on the workspace's application folder, with a desktop that
// answers every question Yes and every photo dialog with app/photo.bmp.

#include "FuzzSupport.h"
#include "FuzzTool.h"

#include "player/ShownMenu.h"
#include "app/EditorModel.h"
#include "platform/FileUtil.h"
#include "platform/ScriptedPlatform.h"

#include <string>

namespace orvane::fuzz {

class FuzzEditor {
public:
    ScriptedPlatform Desktop;
    EditorModel Model;

    explicit FuzzEditor(const Workspace& workspace) : Model(Desktop, workspace.App()) {
        Desktop.DefaultAnswer = MsgResult::Yes;
        Desktop.SuppressTips = true;
        for (int i = 0; i < 8; ++i) Desktop.DialogAnswers.push_back(workspace.App() / "photo.bmp");
        Model.Session().Start();
        Model.LoadStyleFolders();
    }

    // File, Open (or, with snapshot set, undo). Whatever the file held, the
    // model must come back ready for the next command.
    bool Open(const std::string& fileName, const std::string& folder, bool snapshot) {
        const bool opened =
            Guarded("BinMenuOpen", [&] { return Model.BinMenuOpen(fileName, folder, snapshot); });
        CheckSettled();
        if (opened) CheckDocument();
        return opened;
    }

    // A menu that opened saves, and what was saved reads back everywhere:
    // in the editor, in orvane-menu info and (for a menu file) in the player.
    void SaveAndReopen(const std::string& folder, bool snapshot) {
        const std::string name = snapshot ? UndoHistory::SnapshotName(false, 2) : std::string("saved.mng");
        const bool saved = Guarded("BinMenuSave", [&] {
            return Model.BinMenuSave(snapshot ? SaveMode::Snapshot : SaveMode::Menu, folder, name);
        });
        Check(saved, "a menu that opened was not saved");
        const ToolRun info = Guarded("orvane-menu info", [&] { return RunTool({"info", folder + name}); });
        Check(info.Status == 0, "orvane-menu info refuses what the editor saved: " + info.Err);
        Check(ParsesAsJson(info.Out), "orvane-menu info wrote JSON that does not parse");
        if (!snapshot) {
            const player::MenuLoad load = Guarded("ReadShownMenu", [&] {
                return player::ReadShownMenu(ReadWholeFile(folder + name), name);
            });
            Check(load.Menu.has_value(), "the player refuses a menu the editor saved: " + load.Error);
        }
        Check(Open(name, folder, snapshot), "what the editor saved does not open again");
    }

private:
    void CheckSettled() const {
        Check(!Model.Flags().Loading && !Model.Flags().Updating && !Model.StyleChanging() &&
                  Model.RenderSuspended() == 0,
              "a flag of the open was left set");
    }

    void CheckDocument() {
        const MenuDocument& doc = Model.Doc();
        Check(doc.Menu.ButtonCount >= 1 && doc.Menu.ButtonCount <= kMaxButtons, "the button count is out of range");
        Check(Model.SelectedStyle() >= 0 && Model.SelectedStyle() < Model.Styles().Count(), "no style is selected");
        Check(!doc.MenuImage.IsEmpty() && doc.MenuImage.Width() <= kMaxBitmapSide &&
                  doc.MenuImage.Height() <= kMaxBitmapSide,
              "the rendered menu has no sane size");
        const Bitmap surface = Guarded("DesignSurfaceImage", [&] { return Model.DesignSurfaceImage(1, 1); });
        Check(surface.Width() == doc.MenuImage.Width() && surface.Height() == doc.MenuImage.Height(),
              "the design surface is not the menu's size");
    }
};

}  // namespace orvane::fuzz
