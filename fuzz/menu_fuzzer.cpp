// Feeds arbitrary bytes to the menu file reader as the command-line tool and
// the editor read them: header, properties, buttons and every picture.
#include "document/MenuFileInfo.h"
#include "platform/ScriptedPlatform.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    orvane::ScriptedPlatform platform;
    orvane::RecordFile file(platform);
    file.OpenRecordData(std::vector<uint8_t>(data, data + size));
    const orvane::MenuFileDescription description = orvane::DescribeMenuFile(file);
    if (description.Read.Status == orvane::MenuReadStatus::Ok) (void)orvane::MenuFileJson(description);
    file.CloseRecordFile();
    return 0;
}
