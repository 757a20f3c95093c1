#pragma once

#include "platform/FileUtil.h"
#include "app/Guards.h"

#include <string>

namespace orvane {

class EditorModel;
class Platform;

// The undo and redo history: snapshots of the document in the undo folder,
// "UD" or "RD" + a three-digit number + ".und", at most 30 of each.
class UndoHistory {
public:
    explicit UndoHistory(EditorModel& model);

    // Chooses the folder the snapshots go to (at start-up): beside the
    // editor, else a folder of this editor's own; none turns undo off.
    void Start();
    // At shutdown: discards the snapshots and a folder of this editor's own.
    void Close();

    // Takes a snapshot of the document before a change and marks it modified.
    void Make();
    void Undo();
    void Redo();
    // Discards every snapshot.
    void Kill();

    // Where the snapshots go; empty when none are taken.
    const std::string& Folder() const { return folder_; }
    // Why snapshots cannot be written (undo is off); empty while undo works.
    const std::string& Unavailable() const { return unavailable_; }
    static std::string SnapshotName(bool redo, int number);

    // A change made of several undoable ones (a photo style asking for its
    // photo, a photo bringing its style) is one undo step: only the first
    // snapshot taken while the returned guard lives is kept.
    auto OneStep() {
        if (stepDepth_++ == 0) stepTaken_ = false;
        return OnExit([this] { --stepDepth_; });
    }

private:
    EditorModel& model_;
    Platform& platform_;
    std::string folder_;
    std::string unavailable_;
    int stepDepth_ = 0;
    bool stepTaken_ = false;
    FileLock lock_;
    bool ownFolder_ = false;  // made by this editor, removed at shutdown
    bool offTold_ = false;

    std::string ChooseFolder();
    void TurnOff(const std::string& reason);
    void TakeSnapshot();
    void StepThroughHistory(bool redo);
};

}  // namespace orvane
