#pragma once

#include "EditorFile.h"

#include "app/EditorModel.h"
#include "platform/ScriptedPlatform.h"
#include "EditorModelAccess.h"

#include <chrono>
#include <string>
#include <utility>
#include <vector>

// A disc folder whose autorun application the builder made, with a small
// player, from menus the editor model saved.
struct DiscFolderFixture {
    using Buttons = std::vector<std::pair<std::string, std::string>>;  // caption, command

    TempFolder app, disc;
    orvane::ScriptedPlatform platform;
    orvane::EditorModel model{platform, app.Path()};

    DiscFolderFixture() { WriteEditorWithPlayer(app); }

    // Saves name (with ".mng") into folder (the disc folder when empty).
    void SaveMenu(const std::string& name, const std::string& title, const Buttons& buttons,
                  std::filesystem::path folder = {}) {
        if (folder.empty()) folder = disc.Path();
        model.StartNewMenu();
        orvane::EditorModelAccess::Doc(model).Props.Title = title;
        orvane::EditorModelAccess::Doc(model).Menu.ButtonCount = int(buttons.size());
        for (size_t i = 0; i < buttons.size(); ++i) {
            orvane::EditorModelAccess::Doc(model).Menu.Buttons[i + 1].Caption = buttons[i].first;
            orvane::EditorModelAccess::Doc(model).Menu.Buttons[i + 1].Command = buttons[i].second;
        }
        model.BinMenuSave(orvane::SaveMode::Snapshot, folder.string() + "/", name);
    }

    // Autorun.exe and Autorun.inf in the disc folder, packing the named menus
    // (without ".mng"; the first is the default) from menuFolder.
    void Build(const std::vector<std::string>& menus, std::filesystem::path menuFolder = {}) {
        if (menuFolder.empty()) menuFolder = disc.Path();
        orvane::AutorunBuilder builder(platform, app.Folder());
        builder.CompileAutorunApp((disc.Path() / "Autorun.exe").string(), menus, menus.front(), menuFolder.string());
        if (builder.FileOpFailed) throw std::runtime_error("the test's autorun application was not built");
    }

    // A main menu with a button opening docs\notes.txt, built into the disc folder.
    void Standard() {
        std::filesystem::create_directories(disc.Path() / "docs");
        orvane::WriteFileReplacing(disc.Path() / "docs" / "notes.txt", std::vector<uint8_t>{'h', 'i'});
        SaveMenu("Main.mng", "Summer Holiday 2026", {{"&Notes", "docs\\notes.txt"}, {"&Close Menu", ""}});
        Build({"Main"});
    }

    // Moves a file's modification time by the given seconds.
    static void Shift(const std::filesystem::path& file, int seconds) {
        std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) + std::chrono::seconds(seconds));
    }
};
