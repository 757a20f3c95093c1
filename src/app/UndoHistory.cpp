// Undo and redo by snapshots of the document.
#include "app/UndoHistory.h"

#include "app/AppFolders.h"
#include "app/EditorModel.h"
#include "app/Guards.h"
#include "platform/Errors.h"
#include "platform/PathText.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace orvane {
namespace fs = std::filesystem;

UndoHistory::UndoHistory(EditorModel& model) : model_(model), platform_(model.Desktop()) {}

void UndoHistory::Start() { folder_ = ChooseFolder(); }

void UndoHistory::Close() {
    Kill();
    if (ownFolder_) RemoveEmptyFolder(PathFromUtf8(folder_));
    lock_.Unlock();
}

std::string UndoHistory::SnapshotName(bool redo, int number) {
    char name[32];
    std::snprintf(name, sizeof name, "%s%.3d.und", redo ? "RD" : "UD", number);
    return name;
}

// The snapshots go beside the editor. Two editors started from one folder
// would overwrite each other's: the second keeps its own in a folder of its
// own, as does an editor whose folder takes no files.
std::string UndoHistory::ChooseFolder() {
    ownFolder_ = false;
    if (!model_.folders_.Portable) {
        // Installed, every editor has a folder of its own in the runtime folder.
        try {
            if (model_.folders_.Undo.empty()) throw FileError("no runtime or cache folder");
            CreateFolders(PathFromUtf8(model_.folders_.Undo));
            ownFolder_ = true;
            return model_.folders_.Undo;
        } catch (const FileError& e) {
            TurnOff(e.what());
            return {};
        }
    }
    const std::string lock = model_.appFolder_ + ".undo.lock";
    if (CanReplace(PathFromUtf8(lock)) && lock_.TryLock(PathFromUtf8(lock))) return model_.appFolder_;
    const std::string beside =
        CanReplace(PathFromUtf8(lock)) ? model_.appFolder_ + ".undo-" + std::to_string(CurrentProcessId()) + "/" : "";
    for (const std::string& folder : {beside, PrivateUndoFolder()}) {
        if (folder.empty()) continue;
        try {
            CreateFolders(PathFromUtf8(folder));
            ownFolder_ = true;
            return folder;
        } catch (const FileError& e) {
            platform_.Trace(e.what());
        }
    }
    TurnOff("there is no folder it can write to");
    return {};
}

void UndoHistory::TurnOff(const std::string& reason) {
    folder_.clear();
    model_.doc_.Menu.UndoCount = 0;
    model_.doc_.Menu.RedoCount = 0;
    unavailable_ = reason;
}

void UndoHistory::TakeSnapshot() {
    TOVMenu& m = model_.doc_.Menu;
    m.RedoCount = 0;
    if (++m.UndoCount == 31) {
        m.UndoCount = 30;
        for (int k = 2; k <= 30; ++k)
            CopyFileReplacing(PathFromUtf8(folder_ + SnapshotName(false, k)),
                              PathFromUtf8(folder_ + SnapshotName(false, k - 1)));
    }
    model_.BinMenuSave(SaveMode::Snapshot, folder_, SnapshotName(false, m.UndoCount));
}

void UndoHistory::Make() {
    if (model_.flags_.UndoBusy || model_.flags_.Loading) return;
    model_.flags_.Modified = true;
    if (stepDepth_ > 0) {
        if (stepTaken_) return;
        stepTaken_ = true;
    }
    if (!unavailable_.empty() && !offTold_) {
        offTold_ = true;
        ShowMessageBox(platform_,
                       "Undo is not available: the editor cannot keep its undo history (" + unavailable_ +
                           ").\r\rYou can go on editing; saving your menu is not affected.",
                       MsgType::Warning);
    }
    // Without the main window (the command-line tool) there is no history to keep.
    if (folder_.empty()) return;
    try {
        TakeSnapshot();
    } catch (const FileError& first) {
        // A history that could not be written whole cannot be trusted: it
        // starts again, in a folder of this editor's own if that works.
        platform_.Trace(first.what());
        Kill();
        const std::string elsewhere = PrivateUndoFolder();
        bool kept = false;
        if (!elsewhere.empty() && elsewhere != folder_) {
            try {
                CreateFolders(PathFromUtf8(elsewhere));
                if (ownFolder_) RemoveEmptyFolder(PathFromUtf8(folder_));
                folder_ = elsewhere;
                ownFolder_ = true;
                TakeSnapshot();
                kept = true;
            } catch (const FileError& second) {
                platform_.Trace(second.what());
                Kill();
            }
        }
        if (!kept) {
            TurnOff(first.what());
            Make();  // tells the user, once
        }
    }
    platform_.ProcessMessages();
}

// Undo and redo write the present state before reading the other; a failure
// on the way leaves the document and the history as they were.
void UndoHistory::StepThroughHistory(bool redo) {
    TOVMenu& m = model_.doc_.Menu;
    const int available = redo ? m.RedoCount : m.UndoCount;
    if (available < 1 || model_.flags_.Loading || folder_.empty()) return;
    FlagSet busy(model_.flags_.UndoBusy);
    platform_.ProcessMessages();
    const int undo = m.UndoCount, redoCount = m.RedoCount, selected = m.SelectedButton;
    auto putBack = [&] {
        m.UndoCount = undo;
        m.RedoCount = redoCount;
        m.SelectedButton = selected;
    };
    m.SelectedButton = -1;
    int& written = redo ? m.UndoCount : m.RedoCount;
    ++written;
    try {
        model_.BinMenuSave(SaveMode::Snapshot, folder_, SnapshotName(!redo, written));
    } catch (const FileError& e) {
        putBack();
        platform_.Trace(e.what());
        ShowMessageBox(platform_,
                       std::string(redo ? "The change could not be redone" : "The change could not be undone") +
                           ", because the undo history could not be written.\r\r" + e.what(),
                       MsgType::Error);
        return;
    }
    // A snapshot that cannot be read has been reported by the reader.
    if (!model_.BinMenuOpen(SnapshotName(redo, available), folder_, true)) {
        putBack();
        return;
    }
    --(redo ? m.RedoCount : m.UndoCount);
    m.SelectedButton = -1;
}

void UndoHistory::Undo() { StepThroughHistory(false); }
void UndoHistory::Redo() { StepThroughHistory(true); }

void UndoHistory::Kill() {
    std::error_code ec;
    const std::string folder = folder_.empty() ? model_.appFolder_ : folder_;
    for (fs::directory_iterator it(PathFromUtf8(folder), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = Utf8FromPath(it->path().filename());
        const bool snapshot = name.size() >= 6 && name[1] == 'D' && name.compare(name.size() - 4, 4, ".und") == 0;
        if (!snapshot || (name[0] != 'U' && name[0] != 'R')) continue;
        try {
            RemoveFile(it->path());
        } catch (const FileError& e) {
            platform_.Trace(e.what());  // a stale snapshot harms nothing; the next run overwrites it
        }
    }
    model_.doc_.Menu.UndoCount = 0;
    model_.doc_.Menu.RedoCount = 0;
}

}  // namespace orvane
