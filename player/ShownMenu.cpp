#include "player/ShownMenu.h"

#include "document/mdlfilebin.h"

namespace orvane::player {

Rect ShownMenu::ButtonRect(int i) const {
    const StoredButton& b = Button(i);
    const Bitmap& normal = Pictures.Buttons[size_t(i)][0];
    return {b.Left, b.Top, b.Left + normal.Width(), b.Top + normal.Height()};
}

Rect ShownMenu::ControlsRect() const {
    const Bitmap& strip = Pictures.Controls[0];
    if (Stored.Props.PhotoSkin || strip.Width() < kControlsWidth || strip.Height() < kControlsHeight) return {};
    const int left = Width() - 22;
    return {left, 5, left + kControlsWidth, 5 + kControlsHeight};
}

std::string SpokenCaption(const std::string& caption) {
    std::string spoken = caption;
    if (const size_t marker = spoken.find('&'); marker != std::string::npos) spoken.erase(marker, 1);
    return spoken;
}

MenuLoad ReadShownMenu(std::span<const uint8_t> bytes, const std::string& fileName) {
    MenuLoad load;
    RecordFile file;
    file.OpenRecordView(bytes);
    MenuFileRead read = ReadMenuFile(file, StoredMenu{});
    if (read.Status == MenuReadStatus::StyleFile) {
        load.Error = "it is a menu style file, not a menu";
        return load;
    }
    if (read.Status != MenuReadStatus::Ok) {
        load.Error = read.Detail.empty() ? "it is not a menu file" : read.Detail;
        return load;
    }
    ShownMenu menu;
    menu.FileName = fileName;
    menu.Stored = std::move(read.Menu);
    try {
        ReadMenuPictures(file, read.Count, menu.Pictures);
    } catch (const RecordFormatError& e) {
        load.Error = e.what();
        return load;
    }
    load.Menu = std::move(menu);
    return load;
}

}  // namespace orvane::player
