#include "MenuSize.h"

#include "document/MenuRecords.h"
#include "document/mdlfilebin.h"

namespace orvane {

std::string LargeMenuWarning(const std::vector<MenuSize>& menus) {
    std::vector<const MenuSize*> large;
    for (const MenuSize& m : menus)
        if (m.Width > kCommonScreenWidth || m.Height > kCommonScreenHeight) large.push_back(&m);
    if (large.empty()) return {};
    auto sized = [](const MenuSize& m) {
        return "\"" + m.Name + "\" (" + std::to_string(m.Width) + " x " + std::to_string(m.Height) + " pixels)";
    };
    std::string names;
    for (size_t i = 0; i < large.size(); ++i)
        names += (i == 0 ? "" : i + 1 == large.size() ? " and " : ", ") + sized(*large[i]);
    const bool one = large.size() == 1;
    return std::string(one ? "The menu " : "The menus ") + names + (one ? " is" : " are") + " larger than " +
           std::to_string(kCommonScreenWidth) + " x " + std::to_string(kCommonScreenHeight) +
           ", the room a window has on the most common laptop screen. Where " + (one ? "it does" : "they do") +
           " not fit, the menu player shows " + (one ? "it" : "them") +
           " smaller, down to half size, and in a window that scrolls when even that is too large, so the "
           "text may be hard to read.\r\r" + (one ? "To make the menu smaller" : "To make a menu smaller") +
           ": use fewer buttons, a smaller button font or a smaller \"Button Gap\"; shorten the title, the menu "
           "text and the button descriptions; or switch off \"Auto Size Menu\" and set \"Menu Width\" and "
           "\"Menu Height\".";
}

std::optional<MenuSize> StoredMenuSize(std::span<const uint8_t> bytes, const std::string& name) {
    try {
        RecordFile file;
        file.OpenRecordView(bytes);
        if (ReadMenuFile(file, StoredMenu{}).Status != MenuReadStatus::Ok || file.PeekKind() != kPictureRecord)
            return std::nullopt;
        // The first picture is the menu's.
        Bitmap picture;
        if (!file.ReadPicture(picture, false)) return std::nullopt;
        return MenuSize{name, picture.Width(), picture.Height()};
    } catch (const RecordFormatError&) {
        return std::nullopt;
    }
}

}  // namespace orvane
