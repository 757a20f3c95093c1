#pragma once

// The one fixture of the editor model's tests: a model over a scripted
// desktop, its application folder and a folder for the user's files.

#include "TempFolder.h"

#include "app/EditorModel.h"
#include "platform/FileUtil.h"
#include "platform/ImageIO.h"
#include "platform/ScriptedPlatform.h"
#include "EditorModelAccess.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct EditorFixture : ::testing::Test {
    TempFolder app;   // the application folder: settings, undo snapshots, styles
    TempFolder work;  // the user's menus and pictures
    orvane::ScriptedPlatform platform;
    orvane::EditorModel model{platform, app.Path()};

    // Start-up as the main window runs it: settings, then the files named
    // (none: a new menu).
    void Start(const std::vector<std::string>& args = {}) {
        model.Session().Start();
        model.Session().DeferredStart(args);
    }
    orvane::TOVMenu& M() { return orvane::EditorModelAccess::Doc(model).Menu; }
    orvane::MenuProperties& P() { return orvane::EditorModelAccess::Doc(model).Props; }
    std::vector<std::string> Captions() const {
        std::vector<std::string> c;
        for (int i = 1; i <= model.Doc().Menu.ButtonCount; ++i)
            c.push_back(model.Doc().Menu.Buttons[size_t(i)].Caption);
        return c;
    }
    // A file of the application folder, as written.
    std::vector<uint8_t> Saved(const std::string& name) const { return orvane::ReadWholeFile(app.Path() / name); }
    // A 40 x 30 photo in the user's folder.
    std::filesystem::path Photo() {
        const std::filesystem::path path = work.Path() / "sea.bmp";
        orvane::WriteFileReplacing(path, orvane::WriteBmp(orvane::Bitmap(40, 30, 0x2080C0), 24));
        return path;
    }
};
