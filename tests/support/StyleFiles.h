#pragma once

#include "document/mdlfilebin.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace style_files {
using namespace orvane;

// A menu style file as the editor reads one: magic, name, message, the
// style's records and its sheet (first preset colour 10, 20, 30).
inline void WriteStyleFile(const std::filesystem::path& path, const std::string& magic, const std::string& name,
                    const std::string& message) {
    ScriptedPlatform platform;
    RecordFile f(platform);
    ASSERT_TRUE(f.OpenRecordFile(path.filename().string(), path.parent_path().string() + "/", true, false));
    f.WriteRecordHeader(0, 0);
    f.WriteField(kTextRecord, 0, magic);
    f.WriteField(kTextRecord, 0, name);
    f.WriteField(kTextRecord, 0, message);
    f.WriteField(kIntegerRecord, 4, {});
    for (int i = 0; i < 3; ++i) {
        f.WriteField(kTextRecord, 0, "Georgia");
        f.WriteField(kLongRecord, 13, {});
        for (int k = 0; k < 3; ++k) f.WriteField(kIntegerRecord, 0, {});
        f.WriteField(kIntegerRecord, 2, {});
        f.WriteField(kLongRecord, 0, {});
    }
    f.WriteField(kIntegerRecord, 20, {});
    f.WriteField(kIntegerRecord, 20, {});
    Bitmap sheet(136, 194, 0x808080);
    sheet.At(98, 191) = MakePixel(10, 20, 30);
    f.WritePicture(1, 0, 0, 0, sheet, {}, false);
    f.WriteEnd();
    f.CloseRecordFile();
}

}  // namespace style_files
using style_files::WriteStyleFile;
