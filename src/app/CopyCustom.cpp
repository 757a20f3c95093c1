#include "CopyCustom.h"

#include "app/EditorModel.h"

#include <algorithm>

namespace orvane {

namespace {
// The button face strip of a style image: three 32 x 32 faces.
constexpr Rect kFaceStrip{0, 162, 96, 194};
}  // namespace

TfrmCopyCustom::TfrmCopyCustom(EditorModel& editor) : editor_(editor) {
    Choice = std::clamp(editor.copyCustomChoice_, 0, int(kEntries.size()) - 1);
}

void TfrmCopyCustom::Select(int entry) {
    if (entry >= 0 && entry < int(kEntries.size())) Choice = entry;
}

void TfrmCopyCustom::Ok() {
    StyleList& styles = editor_.styles_;
    const int target = styles.MyBackgroundPosition();
    const int source = styles.PositionOf(Choice);
    if (target < 0 || source < 0) {
        Closed = true;
        return;
    }
    if (editor_.selectedStyle_ != target) editor_.ComboBox1Select(target);

    const MenuStyle& from = styles.At(source);
    MenuStyle& to = styles.At(target);
    const bool photo = ReadMarkers(from.Background).Photo;
    StretchCopy(from.Background, kFaceStrip, to.Background, kFaceStrip);
    if (to.Mask.Width() < kStyleSheetWidth || to.Mask.Height() < kStyleSheetHeight)
        to.Mask = Bitmap(kStyleSheetWidth, kStyleSheetHeight, 0xFFFFFF);
    if (photo && !from.Mask.IsEmpty())
        StretchCopy(from.Mask, kFaceStrip, to.Mask, kFaceStrip);
    else
        FillRect(to.Mask, kFaceStrip, 0xFFFFFF);

    editor_.copyCustomChoice_ = Choice;
    Closed = true;
}

}  // namespace orvane
