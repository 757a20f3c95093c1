#pragma once

#include <string>
#include <vector>

namespace orvane {

class EditorModel;
class Platform;

// The commands that add, remove, reorder and step through the menu's buttons,
// and the button clipboard (slot 33).
class ButtonCommands {
public:
    explicit ButtonCommands(EditorModel& model);

    void Add();
    void Delete();
    void MoveUp();
    void MoveDown();
    void Cut();
    void Copy();
    void Paste();
    // Selects the previous or next button, wrapping round.
    void Previous();
    void Next();
    // A new menu's buttons from their captions, its Close Menu button kept last.
    void Replace(const std::vector<std::string>& captions);

private:
    EditorModel& model_;
    Platform& platform_;
};

}  // namespace orvane
