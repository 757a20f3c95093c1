#pragma once

#include "app/Settings.h"
#include "platform/Platform.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace orvane {

class EditorModel;

// The editor's run: start-up (settings, undo folder, button styles, the files
// named on the command line), the user's settings and first-use tips, files
// dropped on the window, and shutdown.
class EditorSession {
public:
    explicit EditorSession(EditorModel& model);

    // The main window's creation: settings, undo folder, button styles, menu list.
    void Start();
    // The deferred second stage: style files, then the files named on the
    // command line ("\"\"" counts as none): style files and button style
    // files install, the first menu opens; otherwise a new menu.
    void DeferredStart(const std::vector<std::string>& args);
    // Files named on the command line or dropped on the window: style files
    // and button style files install, the first menu opens. True when the
    // document was replaced (a menu opened, or a style installed in a new menu).
    bool OpenFiles(const std::vector<std::filesystem::path>& files);
    // Files dropped on the window: opened as on the command line, after the
    // save question when they would replace the document.
    void DropFiles(const std::vector<std::filesystem::path>& files);
    // What a file dragged over the window would be taken as, by its name.
    enum class DroppedKind { None, Document, Picture };
    static DroppedKind KindOfDropped(const std::filesystem::path& path);
    // Copies a button style file into the user's folder and lists it.
    void InstallButtonStyleFile(const std::filesystem::path& path);

    // Closing the window: the save-changes question. False keeps it open.
    bool CloseQuery();
    // After closing: writes the settings and discards the undo snapshots.
    void Shutdown();
    // Writes the settings file; false (after saying so) when it cannot.
    bool SaveSettings();

    // The user's settings, read at start-up and written at shutdown.
    const Settings& Prefs() const { return prefs_; }
    // The colour picker's custom swatches and its gradient saturation, kept
    // for the next run.
    void SetCustomColor(int index, uint32_t color) { prefs_.CustomColors.at(size_t(index)) = color; }
    void SetGradientSaturation(int value) { prefs_.GradientSaturation = value; }
    // "Reset First Use Tips": every tip shows again at its next trigger.
    void ResetTips();
    // Offers first-use tip n unless the user asked not to see it again.
    void ShowTip(Tip tip);
    bool TipSuppressed(Tip tip) const;

    // Shows the new document before the start-up tip covers the window.
    std::function<void()> ShowDocument;
    // Where the start-up tells what it refused, beside the message box (the
    // editor prints it on its error stream).
    std::function<void(const std::string&)> Report;

private:
    friend struct EditorModelAccess;  // test set-up (tests/support)
    EditorModel& model_;
    Platform& platform_;
    Settings prefs_;

    void Say(const std::string& text);
};

}  // namespace orvane
