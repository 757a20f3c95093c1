// Failures halfway through an operation: a render that throws, snapshots that
// cannot be written, and every file operation of the saving paths failing in
// turn. After each: the files that were there are intact, no temporary file
// is left, the user was told once, and the editor goes on working.
#include "Faults.h"
#include "ScopedVariable.h"
#include "StyleFiles.h"
#include "TempFolder.h"

#include "app/ButtonDesigner.h"
#include "app/EditorModel.h"
#include "platform/Errors.h"
#include "platform/FileUtil.h"
#include "platform/PathText.h"
#include "platform/ScriptedPlatform.h"
#include "EditorModelAccess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <iostream>

using namespace orvane;
namespace fs = std::filesystem;

namespace {

struct Editor {
    TempFolder app, disc, runtime;
    ScriptedPlatform platform;
    EditorModel model{platform, app.Path()};
    std::unique_ptr<TfrmCustomBtnCls> designer;

    TfrmCustomBtnCls& Designer() {
        if (!designer) designer = std::make_unique<TfrmCustomBtnCls>(model, std::vector<std::string>{"DejaVu Sans"});
        return *designer;
    }

    // Where undo goes on Linux when the application folder takes nothing.
    ScopedVariable runtimeFolder{"XDG_RUNTIME_DIR", runtime.Path().string()};

    Editor() {
        model.Session().Start();
        model.Session().DeferredStart({});
        platform.Messages.clear();
    }

    bool Consistent() const {
        return !model.Flags().Loading && !model.Flags().Updating && !model.Flags().UndoBusy && model.RenderSuspended() == 0 &&
               !model.StyleChanging();
    }
    std::vector<std::string> Captions() const {
        std::vector<std::string> c;
        for (int i = 1; i <= model.Doc().Menu.ButtonCount; ++i) c.push_back(model.Doc().Menu.Buttons[size_t(i)].Caption);
        return c;
    }
    // No error or warning was shown (questions aside).
    bool NothingWentWrong() const {
        for (const auto& m : platform.Messages)
            if (m.Request.Buttons == MsgButtons::Ok && (m.Request.Type == MsgType::Error || m.Request.Type == MsgType::Warning))
                return false;
        return true;
    }
    void SaveAs(const fs::path& path) {
        platform.DialogAnswers.push_back(path);
        ASSERT_TRUE(model.Files().SaveAs());
        platform.Messages.clear();
    }
};

}  // namespace

TEST(Failure, ARenderThatThrowsWhileOpeningLeavesTheEditorWorking) {
    Editor e;
    EditorModelAccess::Doc(e.model).Props.Title = "Second";
    e.SaveAs(e.disc.Path() / "second.mng");
    e.model.StartNewMenu();
    EditorModelAccess::Doc(e.model).Props.Title = "First";
    EditorModelAccess::Flags(e.model).Modified = true;

    auto measure = e.model.Renderer().Measure;
    EditorModelAccess::Renderer(e.model).Measure = [](const FontSpec&, std::string_view) -> TextExtent { throw std::bad_alloc(); };
    EXPECT_FALSE(e.model.BinMenuOpen("second.mng", e.disc.Folder(), false));
    EditorModelAccess::Renderer(e.model).Measure = measure;

    EXPECT_EQ(e.platform.MessageTexts(), std::vector<std::string>{kMenuUnreadable});
    EXPECT_TRUE(e.Consistent());
    EXPECT_EQ(e.model.Doc().Props.Title, "First") << "the old document, whole";
    EXPECT_TRUE(e.model.Flags().Modified);

    // Later opens work, edits take snapshots and count as changes, closing asks.
    ASSERT_TRUE(e.model.BinMenuOpen("second.mng", e.disc.Folder(), false));
    EXPECT_EQ(e.model.Doc().Props.Title, "Second");
    e.model.Buttons().Add();
    EXPECT_TRUE(e.model.Flags().Modified);
    EXPECT_EQ(e.model.Doc().Menu.UndoCount, 1);
    e.platform.Messages.clear();
    e.platform.Answers = {MsgResult::Cancel};
    EXPECT_FALSE(e.model.Session().CloseQuery());
    EXPECT_EQ(e.platform.Messages.size(), 1u);
}

TEST(Failure, AnApplicationFolderThatTakesNoFilesKeepsEditing) {
    const struct {
        const char* name;
        bool runtimeWritable;
        int messages;
    } cases[] = {
        {"snapshots move to the runtime folder", true, 0},
        {"no folder takes them: undo is off, said once", false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Editor e;
        const std::string appFolder = e.app.Folder();
        Faults faults;
        // The application folder takes nothing; with no other folder (on
        // Windows the local application data, not the runtime folder) taking
        // snapshots either, nothing is written at all.
        SetFileFaultHook([&](FileOp, const fs::path& path) {
            return !c.runtimeWritable || Utf8FromPath(path).rfind(appFolder, 0) == 0;
        });
        for (int i = 0; i < 3; ++i) e.model.Buttons().Add();
        EXPECT_EQ(e.model.Doc().Menu.ButtonCount, 4) << "editing never stops";
        EXPECT_TRUE(e.model.Flags().Modified);
        EXPECT_EQ(int(e.platform.Messages.size()), c.messages);
        EXPECT_TRUE(e.Consistent());
        EXPECT_FALSE(TemporaryLeft(e.app.Path()));
        if (c.runtimeWritable) {
            EXPECT_EQ(e.model.Doc().Menu.UndoCount, 3);
            e.model.Undo().Undo();
            EXPECT_EQ(e.model.Doc().Menu.ButtonCount, 3) << "undo works from its new folder";
        } else {
            EXPECT_EQ(e.model.Doc().Menu.UndoCount, 0);
            EXPECT_FALSE(e.model.Undo().Unavailable().empty());
        }
        SetFileFaultHook(nullptr);
    }
}

// Each saving path, with every one of its file operations failing in turn.
TEST(Failure, EveryFileOperationOfEverySavingPathMayFail) {
    struct Scenario {
        const char* name;
        std::function<void(Editor&)> prepare;          // before each try, without faults
        std::function<bool(Editor&)> act;              // true when it succeeded
        std::function<void(Editor&, bool)> check;      // after a failed (false) or the clean (true) run
        int maxMessages = 1;
    };
    const std::vector<Scenario> scenarios = {
        {"Save",
         [](Editor& e) {
             if (!e.model.Doc().Menu.HasFile) e.SaveAs(e.disc.Path() / "menu.mng");
             EditorModelAccess::Flags(e.model).Modified = true;
         },
         [](Editor& e) { return e.model.Files().Save(); },
         [](Editor& e, bool ok) {
             EXPECT_EQ(e.model.Flags().Modified, !ok);
         }},
        {"Save As",
         [](Editor& e) {
             WriteFileReplacing(e.disc.Path() / "other.mng", std::vector<uint8_t>{'o', 'l', 'd'});
             EditorModelAccess::Doc(e.model).Menu.FileName = "first.mng";
             EditorModelAccess::Doc(e.model).Menu.Folder = e.disc.Folder();
             e.platform.DialogAnswers = {e.disc.Path() / "other.mng"};
         },
         [](Editor& e) { return e.model.Files().SaveAs(); },
         [](Editor& e, bool ok) {
             EXPECT_EQ(e.model.Doc().Menu.FileName, ok ? "other.mng" : "first.mng") << "the name changes with the file only";
         }},
        {"undo snapshot",
         [](Editor& e) {
             while (e.model.Doc().Menu.ButtonCount > 2) {
                 EditorModelAccess::Doc(e.model).Menu.SelectedButton = 1;
                 e.model.Buttons().Delete();
             }
         },
         [](Editor& e) {
             const int before = e.model.Doc().Menu.ButtonCount;
             e.model.Buttons().Add();
             return e.model.Doc().Menu.ButtonCount == before + 1;
         },
         [](Editor& e, bool) { EXPECT_TRUE(e.model.Flags().Modified); }},
        {"undo",
         [](Editor& e) {
             e.model.Undo().Kill();
             e.model.Buttons().Add();
             e.model.Buttons().Add();
         },
         [](Editor& e) {
             const int before = e.model.Doc().Menu.ButtonCount;
             e.model.Undo().Undo();
             return e.model.Doc().Menu.ButtonCount == before - 1;
         },
         [](Editor& e, bool ok) { EXPECT_EQ(e.model.Doc().Menu.UndoCount, ok ? 1 : 2); }},
        {"redo",
         [](Editor& e) {
             e.model.Undo().Kill();
             e.model.Buttons().Add();
             e.model.Undo().Undo();
         },
         [](Editor& e) {
             const int before = e.model.Doc().Menu.ButtonCount;
             e.model.Undo().Redo();
             return e.model.Doc().Menu.ButtonCount == before + 1;
         },
         [](Editor& e, bool ok) { EXPECT_EQ(e.model.Doc().Menu.RedoCount, ok ? 0 : 1); }},
        {"settings file",
         [](Editor& e) { EditorModelAccess::Prefs(e.model).MenuFolder = e.disc.Folder(); },
         [](Editor& e) { return e.model.Session().SaveSettings(); },
         [](Editor&, bool) {}},
        {"style installation",
         [](Editor& e) {
             CreateFolders(e.model.StylesFolder());
             WriteFileReplacing(e.model.StylesFolder() + "Sea.ovgsty", std::vector<uint8_t>{'o', 'l', 'd'});
             WriteStyleFile(e.disc.Path() / "Sea.mng", StyleFileMagic(), "Sea", "");
             e.platform.Answers = {MsgResult::Yes};
         },
         [](Editor& e) {
             e.model.BinMenuOpen("Sea.mng", e.disc.Folder(), false);
             return e.NothingWentWrong();
         },
         [](Editor&, bool) {},
         2},  // the question comes first
        {"button style save",
         [](Editor& e) {
             e.Designer();
             WriteFileReplacing(e.model.ButtonsFolder() + "mine.ovgbtn", std::vector<uint8_t>{'o', 'l', 'd'});
             e.platform.DialogAnswers = {e.model.ButtonsFolder() + "mine.ovgbtn"};
         },
         [](Editor& e) { return e.Designer().SaveAs(); },
         [](Editor&, bool) {}},
        {"slot picture save",
         [](Editor& e) {
             e.Designer();
             WriteFileReplacing(e.disc.Path() / "slot.bmp", std::vector<uint8_t>{'o', 'l', 'd'});
             e.platform.DialogAnswers = {e.disc.Path() / "slot.bmp"};
             e.platform.Answers = {MsgResult::Yes};
         },
         [](Editor& e) {
             e.Designer().SavePicture(false);
             return e.NothingWentWrong();
         },
         [](Editor&, bool) {},
         2},  // the overwrite question comes first
        {"autorun build",
         [](Editor& e) {
             if (!e.model.Doc().Menu.HasFile) e.SaveAs(e.disc.Path() / "menu.mng");
             WriteFileReplacing(e.disc.Path() / "Autorun.exe", std::vector<uint8_t>{'o', 'l', 'd'});
             WriteFileReplacing(e.disc.Path() / "Autorun.inf", std::vector<uint8_t>{'o', 'l', 'd'});
             // The editor file with a player block, where the builder looks for it.
             std::vector<uint8_t> editor(16, 0xEE);
             for (uint8_t b : std::initializer_list<uint8_t>{'A', 'p', 'E', 'X', 'M', 'Z', 9, 9, 16, 0, 0, 0}) editor.push_back(b);
             WriteFileReplacing(e.model.Builder().EditorFile(), editor);
         },
         [](Editor& e) {
             EditorModelAccess::Builder(e.model).CompileAutorunApp(e.disc.Folder() + "Autorun.exe", {"menu"}, "menu", e.disc.Folder());
             return !e.model.Builder().FileOpFailed;
         },
         [](Editor&, bool) {}},
    };

    // Files below a folder by their place in it, so runs in fresh folders compare.
    auto relative = [](const fs::path& root) {
        std::map<std::string, std::vector<uint8_t>> files;
        for (auto& [path, bytes] : FilesUnder(root))
            if (path.filename().string().rfind(".", 0) != 0) files[fs::relative(path, root).string()] = bytes;
        return files;
    };
    const bool showMatrix = std::getenv("ORVANE_FAULT_MATRIX") != nullptr;
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.name);
        // A clean run counts the operations to fail and shows what a whole write leaves.
        int operations = 0;
        std::map<std::string, std::vector<uint8_t>> written;
        {
            Editor e;
            s.prepare(e);
            e.platform.Messages.clear();
            Faults count;
            ASSERT_TRUE(s.act(e));
            operations = int(count.Seen.size());
            written = relative(e.disc.Path());
        }
        ASSERT_GT(operations, 0);
        for (int k = 1; k <= operations; ++k) {
            SCOPED_TRACE("failing operation " + std::to_string(k));
            Editor e;
            s.prepare(e);
            const auto before = relative(e.disc.Path());
            const std::string undoFolder = e.model.Undo().Folder();
            e.platform.Messages.clear();
            bool succeeded;
            std::string failed;
            {
                Faults faults(k);
                succeeded = s.act(e);
                if (int(faults.Seen.size()) >= k)
                    failed = std::string(FileOpName(faults.Seen[size_t(k - 1)].first)) + " " +
                             faults.Seen[size_t(k - 1)].second.filename().string();
            }
            // Every file that was there is as it was, or wholly what a clean run writes.
            const auto after = relative(e.disc.Path());
            for (const auto& [path, bytes] : before) {
                ASSERT_TRUE(after.count(path)) << path << " was destroyed";
                const auto& now = after.at(path);
                EXPECT_TRUE(now == bytes || (written.count(path) && now == written.at(path))) << path << " is cut short";
            }
            EXPECT_FALSE(TemporaryLeft(e.disc.Path()));
            EXPECT_FALSE(TemporaryLeft(e.app.Path()));
            EXPECT_FALSE(TemporaryLeft(e.runtime.Path()));
            EXPECT_LE(int(e.platform.Messages.size()), s.maxMessages) << "told once";
            if (!succeeded) {
                EXPECT_GE(e.platform.Messages.size(), 1u) << "a failure is said";
            }
            EXPECT_TRUE(e.Consistent());
            s.check(e, succeeded);
            if (showMatrix) {
                std::string outcome = succeeded ? "done" : "refused, told once";
                if (!e.model.Undo().Unavailable().empty())
                    outcome = "went on; undo off, told once";
                else if (e.model.Undo().Folder() != undoFolder)
                    outcome = "went on; snapshots moved to the runtime folder";
                std::cout << s.name << " | " << k << " | " << failed << " | " << outcome << "\n";
            }
            // The next try works.
            s.prepare(e);
            e.platform.Messages.clear();
            EXPECT_TRUE(s.act(e)) << "the next try works";
            s.check(e, true);
        }
    }
}
