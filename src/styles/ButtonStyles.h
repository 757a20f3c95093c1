#pragma once

#include "document/Json.h"
#include "document/MenuType.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace orvane {

class Platform;
class RecordFile;

inline constexpr int kMaxButtonStyles = 30;
inline constexpr int kStripWidth = 96;
inline constexpr int kStripHeight = 32;
inline const std::string kStyleDefaultEntry = "[Style Default]";
inline const std::string kAddNewEntry = "Add New...";

// "OVGBUTTONSTYLEFILE VERSION 9.0" for this editor.
std::string ButtonStyleFileMagic();

// A button style file as stored: typed records without a header.
struct ButtonStyleFile {
    std::string Name;
    int32_t Animation = 0;
    FontSpec Font;
    int32_t ShadowDepth = 0;
    uint32_t ShadowColor = 0;
    int32_t PhotoFlag = 0;
    Bitmap Strip;
    Bitmap MaskStrip;
};

struct ButtonStyleRecords {
    std::string Magic;
    ButtonStyleFile Style;
    bool NameRead = false;
    bool PicturesRead = false;  // both pictures read with their records' kind
    std::string Damage;         // what stopped the read, if anything did
};

// Reads a button style file's records from the start into `start`'s values:
// what follows a damaged record keeps them, and so does a code without a
// meaning (an animation, an alignment); sizes are brought into their ranges.
ButtonStyleRecords ReadButtonStyleRecords(RecordFile& file, const ButtonStyleFile& start = {});

// The records as `orvane-menu info` shows them.
Json ButtonStyleRecordsJson(const ButtonStyleRecords& records);

// Writes the records in their fixed order (the file must be open for writing).
void WriteButtonStyleRecords(RecordFile& file, const ButtonStyleFile& style);

// The "Button Style" list: "[Style Default]", one entry per loaded file, then
// "Add New...". Slot k (1 to 30) belongs to list entry k.
class ButtonStyleList {
public:
    ButtonStyleList();

    std::vector<std::string> Entries;
    std::array<TOVCustomBtn, kMaxButtonStyles + 1> Slots;
    int Selected = 0;

    int LoadedCount() const { return int(Entries.size()) - 2; }
    bool IsAddNew(int entry) const { return entry == int(Entries.size()) - 1; }
    // The entry whose style file is exactly styleFile; -1 when none.
    int EntryOfFile(const std::string& styleFile) const;

    // Rebuilds the list and the slots from folder ("*.ovgbtn", by name), at
    // most 30 styles; "[Style Default]" is selected afterwards.
    void LoadCustomButtons(const std::filesystem::path& folder, Platform& platform) {
        LoadCustomButtons(std::vector{folder}, platform);
    }
    // From several folders, in order; a file name met again is taken from the later folder.
    void LoadCustomButtons(const std::vector<std::filesystem::path>& folders, Platform& platform);

    // Reads one file into slot and appends its name; false (no slot taken)
    // when the file is missing or of another version.
    bool OpenButton(const std::string& fileName, const std::string& folder, int slot, Platform& platform);
};

}  // namespace orvane
