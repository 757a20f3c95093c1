#include "mdlfilebin.h"

#include "platform/FileUtil.h"
#include "platform/PathText.h"
#include "platform/Platform.h"

#include <cassert>

// The record file's disk side: opening a file to read or replace, and the
// commit of a finished write. The rest of the record file works in memory.

namespace orvane {
namespace fs = std::filesystem;

bool RecordFile::OpenRecordFile(const std::string& fileName, const std::string& folder, bool replace, bool ask) {
    assert(platform_ && "opening a record file on disk needs a platform to ask");
    target_ = folder + fileName;
    out_ = ByteSink();
    endWritten_ = false;
    writing_ = false;
    if (!replace) {
        OpenRecordData(ReadWholeFile(PathFromUtf8(target_)));
        return true;
    }
    std::error_code ec;
    if (fs::exists(PathFromUtf8(target_), ec)) {
        if (ask && ShowMessageBox(*platform_, "File exists, do you wish to overwrite it?", MsgType::Confirmation,
                                  MsgButtons::YesNoCancel) != MsgResult::Yes) {
            FileOpFailed = true;
            return false;
        }
        if (IsReadOnly(PathFromUtf8(target_))) {
            if (ShowMessageBox(*platform_,
                               "The menu file is marked as Read Only, would you like to save to it anyway?",
                               MsgType::Confirmation, MsgButtons::YesNoCancel) != MsgResult::Yes) {
                FileOpFailed = true;
                return false;
            }
            ClearReadOnly(PathFromUtf8(target_));
        }
    }
    writing_ = true;
    return true;
}

void RecordFile::CloseRecordFile() {
    if (writing_) {
        writing_ = false;
        if (endWritten_) WriteFileReplacing(PathFromUtf8(target_), out_.Data());
    }
    in_ = ByteSource();
    data_.clear();
}

}  // namespace orvane
