#pragma once

#include "document/MenuType.h"
#include "document/mdlfilebin.h"

#include <string>
#include <vector>

namespace orvane {

// A button as a menu file stores it.
struct StoredButton {
    std::string Caption;
    std::string Command;
    std::string Argument;
    std::string Description;
    int32_t MinimizeOnClick = 0;
    int32_t ExitOnClick = 0;
    std::string AccessKey;
    int32_t MaximizeWindow = 0;
    int32_t Left = 0;
    int32_t Top = 0;
};

// Everything a menu file stores besides the pictures.
struct StoredMenu {
    MenuProperties Props;
    int32_t Position = 0;
    int32_t TextShadowDepth = 0;
    int32_t TitleShadowDepth = 0;
    int32_t ButtonShadowDepth = 0;
    std::string BackgroundFile;
    bool HasVersion9Fields = false;  // properties 52 to 55 were read
    std::vector<StoredButton> Buttons;
};

// Writes the 55 property records and the ten records of each button, with
// every access key recomputed from its caption (and stored back into the
// document). Returns whether the menu has an exit button.
bool WriteMenuFields(RecordFile& file, MenuDocument& doc);

// Writes the picture records: the menu image, three states of each button,
// then the window-control strip as number 21.
void WriteMenuPictures(RecordFile& file, const MenuDocument& doc);

// Reads properties 2 to 55 (52 to 55 only from major version 9 on) and
// buttonCount buttons after the title record. `menu` starts as the values the
// file may leave alone (a version-8 file keeps the current sounds and box
// visibilities). Returns false at the first record of an unexpected kind;
// throws RecordFormatError when the data ends early.
bool ReadMenuFields(RecordFile& file, int majorVersion, int buttonCount, StoredMenu& menu);

// Brings every value that has a range (sizes, gap, visibilities, font sizes
// and alignments, shadow depths, position and animation codes) into it, so a
// damaged or hostile file cannot ask the renderer for an absurd picture. The
// readers call it; files the editor writes are always in range.
void BringIntoRange(StoredMenu& menu);

// Defined once (MenuRecords.cpp), as in MenuType.h.
extern const std::string kStyleFileMagic;  // "OVGMENUSTYLEFILE"
extern const std::string kMenuUnreadable;  // "Menu file could not be read."

enum class MenuReadStatus { Refused, Ok, StyleFile };

struct MenuFileRead {
    MenuReadStatus Status = MenuReadStatus::Refused;
    std::string Detail;     // why a file was refused, for developers and the command line
    std::string FirstText;  // the first text record: the title, or a style file's magic
    int Major = 0;
    int Minor = 0;
    int Release = 0;
    int Count = 0;
    int16_t PictureCount = 0;
    StoredMenu Menu;
};

// Reads a menu file's header, title, properties and buttons (not the
// pictures). A header the editor does not accept shows the version message;
// every other refusal is silent here and the caller says "Menu file could not
// be read.". Refused: a header count outside 1 to 30, a record of an
// unexpected kind, data that ends early.
MenuFileRead ReadMenuFile(RecordFile& file, const StoredMenu& start);

// The pictures a menu file stores after its fields: what the player shows.
struct StoredPictures {
    Bitmap MenuImage;
    std::vector<std::array<Bitmap, 3>> Buttons;  // normal, highlighted, pressed; button 1 first
    std::array<Bitmap, 3> Controls;              // the window-control strip; empty when not stored
};

// Reads the picture records after the fields (ReadMenuFile), in the order
// WriteMenuPictures writes them, checking each record's type, number, state
// and frame. A strip stored as a reference to an outside file (frame -1) is
// left empty. Throws RecordFormatError naming the picture that is missing,
// out of place or damaged.
void ReadMenuPictures(RecordFile& file, int buttonCount, StoredPictures& pictures);

// Gives a document button the stored texts and flags; the access key comes
// along, the place (Left, Top) is left to the layout.
void ApplyStoredButton(const StoredButton& stored, TOVButton& button);

// Menu text line breaks are stored as CR LF.
std::string WithCrLf(const std::string& text);

}  // namespace orvane
