#include "MenuRecords.h"

#include "document/MenuFields.h"

namespace orvane {

const std::string kStyleFileMagic = "OVGMENUSTYLEFILE";
const std::string kMenuUnreadable = "Menu file could not be read.";

void ApplyStoredButton(const StoredButton& s, TOVButton& b) {
    const FieldsOf<StoredButton> from = kButtonFields<StoredButton>;
    CopyFields(from, s, kButtonFields<TOVButton>, b, [&](size_t i) { return from[i].Note != FieldNote::Layout; });
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

MenuFileRead ReadMenuFile(RecordFile& file, const StoredMenu& start) {
    MenuFileRead result;
    result.Menu = start;
    try {
        if (!file.ReadRecordHeader()) {
            result.Detail = "the header's kind or version is not accepted";
            return result;
        }
        result.Major = file.VersionMajor;
        result.Minor = file.VersionMinor;
        result.Release = file.VersionRelease;
        result.Count = file.HeaderCount;
        result.PictureCount = file.HeaderPictureCount;
        file.FileOpFailed = false;
        result.FirstText = file.ReadText();
        if (file.FileOpFailed) {
            result.Detail = "the first record is not a text record";
            return result;
        }
        if (result.FirstText.rfind(kStyleFileMagic, 0) == 0) {
            result.Status = MenuReadStatus::StyleFile;
            return result;
        }
        if (result.Count < 1 || result.Count > kMaxButtons) {
            result.Detail = "the header's button count " + std::to_string(result.Count) + " is not 1 to 30";
            return result;
        }
        result.Menu.Props.Title = result.FirstText;
        if (!ReadMenuFields(file, result.Major, result.Count, result.Menu)) {
            result.Detail = "a record of an unexpected kind";
            return result;
        }
    } catch (const RecordFormatError& e) {
        result.Detail = e.what();
        return result;
    }
    result.Status = MenuReadStatus::Ok;
    return result;
}

void BringIntoRange(StoredMenu& menu) {
    BringIntoRange(kMenuFields<StoredMenu>, menu);
}

bool ReadMenuFields(RecordFile& file, int majorVersion, int buttonCount, StoredMenu& menu) {
    FieldReader r(file);
    // The title came first, with the header.
    ReadFields(r, FieldsOf<StoredMenu>(kMenuFields<StoredMenu>).subspan(1), menu, majorVersion);
    menu.HasVersion9Fields = majorVersion > 8;
    menu.Buttons.assign(size_t(buttonCount), StoredButton{});
    for (StoredButton& b : menu.Buttons) ReadFields(r, kButtonFields<StoredButton>, b);
    BringIntoRange(menu);
    return r.Ok();
}

namespace {

std::string PictureName(int number, int state, bool strip) {
    static const char* const kStates[] = {"normal", "highlighted", "pressed"};
    const std::string which = strip ? "the window-control strip"
                              : number == 0 ? "the menu picture"
                                            : "button " + std::to_string(number);
    return which + (number == 0 && !strip ? "" : std::string(" (") + kStates[state] + ")");
}

// What each picture of a menu file may be: half again what the editor makes.
constexpr PictureBounds kButtonPictureBounds{kLargestButtonWidth * 3 / 2, kButtonHeightRange.Max * 3 / 2};
constexpr PictureBounds kStripPictureBounds{64, 64};

// Reads one picture where the writer puts it; false for a strip that refers
// to an outside file.
bool ReadExpectedPicture(RecordFile& file, int number, int state, bool strip, Bitmap& into) {
    const std::string name = PictureName(number, state, strip);
    if (file.AtEnd() || file.PeekKind() != kPictureRecord) throw RecordFormatError(name + " is missing");
    file.ReadPictureFields();
    const auto& f = file.LastPicture;
    if (strip && f.Frame == -1) return false;
    if (f.Type != 1 || f.Number != number || f.State != state || f.Frame != 0)
        throw RecordFormatError("picture " + std::to_string(f.Number) + " state " + std::to_string(f.State) +
                                " stands where " + name + " belongs");
    try {
        file.ReadPictureData(into, false,
                             strip ? kStripPictureBounds : number == 0 ? kStoredPictureBounds : kButtonPictureBounds);
    } catch (const RecordFormatError& e) {
        throw RecordFormatError(name + ": " + e.what());
    }
    return true;
}

}  // namespace

void ReadMenuPictures(RecordFile& file, int buttonCount, StoredPictures& pictures) {
    ReadExpectedPicture(file, 0, 0, false, pictures.MenuImage);
    if (pictures.MenuImage.IsEmpty()) throw RecordFormatError("the menu picture is empty");
    pictures.Buttons.assign(size_t(buttonCount), {});
    for (int n = 1; n <= buttonCount; ++n)
        for (int s = 0; s < 3; ++s) ReadExpectedPicture(file, n, s, false, pictures.Buttons[size_t(n - 1)][size_t(s)]);
    pictures.Controls = {};
    for (int s = 0; s < 3; ++s) {
        if (!ReadExpectedPicture(file, 21, s, true, pictures.Controls[size_t(s)])) {
            pictures.Controls = {};
            break;
        }
    }
}

}  // namespace orvane
