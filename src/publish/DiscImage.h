#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace orvane {

// Empty when this build writes disc images and burns discs; else, in one
// line, why not and how Windows does it itself.
std::string DiscPublishingUnavailable();

enum class ImageOutcome { Written, Cancelled, Failed };

struct ImageResult {
    ImageOutcome Outcome = ImageOutcome::Failed;
    std::string Error;   // why it failed, in the user's words
    uint64_t Bytes = 0;  // the image's size once written
};

// Bytes written so far and the image's size; returning false cancels.
using ImageProgress = std::function<bool(uint64_t done, uint64_t total)>;

// Why an image of folder cannot be written to target, or empty when it can:
// the image must not go inside the folder it is made of.
std::string ImageTargetProblem(const std::filesystem::path& folder, const std::filesystem::path& target);

// Writes an ISO 9660 image of everything in folder, with Joliet names for
// Windows and Rock Ridge names for other systems, labelled label (a volume
// label as VolumeLabelFrom makes). The image is written beside target and
// renamed over it only when complete, so a cancelled or failed image leaves
// no file behind and an older image at target stays as it was. Errors of the
// disk being written are FileError; those of the folder are a Failed result.
ImageResult WriteDiscImage(const std::filesystem::path& folder, const std::filesystem::path& target,
                           const std::string& label, const ImageProgress& progress = {});

}  // namespace orvane
