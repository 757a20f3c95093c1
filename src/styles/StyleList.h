#pragma once

#include "document/Json.h"
#include "document/MenuType.h"
#include "platform/Bitmap.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace orvane {

class Platform;
class RecordFile;

inline constexpr int kStyleSheetWidth = 136;
inline constexpr int kStyleSheetHeight = 194;
inline constexpr int kBuiltinStyleCount = 18;
inline constexpr int kMaxStyles = 31;  // 18 built in, 13 files
inline constexpr int kMyBackgroundId = 15;
inline constexpr int kFirstPhotoPosition = 11;
inline constexpr int kSharpPhotoPosition = 12;  // "MyPhoto Sharp"

// One entry of the style list.
struct MenuStyle {
    std::string Name;
    int32_t StyleId = 0;
    Bitmap Background;  // 136 x 194 artwork with its marker pixels
    Bitmap Mask;        // photo styles only
    FontSpec TitleFont;
    int32_t TitleLeft = 0;
    int32_t TitleTop = 0;
    FontSpec TextFont;
    FontSpec ButtonFont;
    int32_t Animation = 0;
};

// The parameters coded into single pixels of a style image.
struct StyleMarkers {
    std::array<uint32_t, 5> Presets{};  // colour values
    bool Photo = false;
    int TitleShadowDepth = 0;
    int TextShadowDepth = 0;
    int ButtonShadowDepth = 0;
};

// A marker is set when the red of its pixel is above 128.
StyleMarkers ReadMarkers(const Bitmap& background);

// Text colours of a (recoloured) sheet, as colour values.
struct SheetTextColours {
    uint32_t Title = 0, Text = 0, Button = 0;
    uint32_t TitleShadow = 0, TextShadow = 0, ButtonShadow = 0;
};
SheetTextColours ReadTextColours(const Bitmap& sheet);

// A menu style file's records after the header, as stored.
struct StyleFileRecords {
    std::string Magic;
    std::string Message;
    MenuStyle Style;     // Name, Animation, fonts, title place, pictures
    bool Complete = false;
    std::string Damage;  // what stopped the read when not complete
};

// Reads the records that follow an accepted header. A damaged record leaves
// the fields after it as they were; pictures keep the size they were stored
// with.
StyleFileRecords ReadStyleRecords(RecordFile& file);

// The records as `orvane-menu info` shows them.
Json StyleRecordsJson(const StyleFileRecords& records);

inline const std::string kStyleFileMagicPrefix = "OVGMENUSTYLEFILE VERSION ";
// "OVGMENUSTYLEFILE VERSION 9.0" for this editor.
std::string StyleFileMagic();

// The style list: the 18 built-in styles, then style files. Entries are never
// removed while the editor runs.
class StyleList {
public:
    // Fills the list with the built-in styles and their artwork.
    void AddBuiltinStyles();

    int Count() const { return int(entries_.size()); }
    const MenuStyle& At(int position) const { return entries_.at(size_t(position)); }
    MenuStyle& At(int position) { return entries_.at(size_t(position)); }

    // List position for a stored identifier; -1 when it names no entry.
    int PositionOf(int32_t styleId) const;
    // The identifier stored for a list position.
    int32_t IdAt(int position) const { return At(position).StyleId; }
    // The position of "My Background".
    int MyBackgroundPosition() const { return PositionOf(kMyBackgroundId); }

    // Reads a style file and appends it. False, after "Style file could not
    // be read.", when its header is refused; no change then.
    bool OpenStyle(const std::filesystem::path& path, Platform& platform);

    // Appends the style files of folder ("*.ovgsty", by name) while there is
    // room; the user is told once which files were left out.
    void GetStyles(const std::filesystem::path& folder, Platform& platform) { GetStyles(std::vector{folder}, platform); }
    // From several folders, in order; a file name met again (a user's copy
    // of an installed style) is taken from the later folder.
    void GetStyles(const std::vector<std::filesystem::path>& folders, Platform& platform);

    // Picture slot 31: the artwork (and mask) into which a custom button
    // style's strips are copied.
    Bitmap CustomCarrier{kStyleSheetWidth, kStyleSheetHeight};
    Bitmap CustomCarrierMask{kStyleSheetWidth, kStyleSheetHeight};

private:
    std::vector<MenuStyle> entries_;
    // StyleId -> list position; -1 where no entry has that identifier.
    std::vector<int> stylePositions_;
};

}  // namespace orvane
