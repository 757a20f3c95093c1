#include "platform/PictureChecks.h"

namespace orvane {

std::string PictureSideProblem(const char* format, const char* side, uint64_t value) {
    if (value >= 1 && value <= uint64_t(kMaxBitmapSide)) return {};
    return std::string(format) + ": image " + side + " " + std::to_string(value) + " is not in 1 to " +
           std::to_string(kMaxBitmapSide);
}

std::string PictureDataProblem(const char* format, size_t dataSize, uint64_t width, uint64_t height) {
    return std::string(format) + ": " + std::to_string(dataSize) + " bytes cannot hold a " + std::to_string(width) +
           " x " + std::to_string(height) + " picture";
}

std::string PictureMemoryProblem(const char* format) {
    return std::string(format) + ": decoding needs more than " + std::to_string(kMaxWholeImageBuffers >> 20) + " MB";
}

}  // namespace orvane
