// Disc images and burning on Windows: libisofs and libburn are Linux
// libraries, so in this version these are Linux features. Each entry point
// says so, and how Windows burns a disc itself.
#include "publish/DiscBurner.h"
#include "publish/DiscImage.h"

namespace orvane {
namespace fs = std::filesystem;

namespace {

const std::string kLinuxOnly =
    "Create Disc Image and Burn Disc are Linux features in this version. On Windows, burn the disc folder "
    "with File Explorer (select everything in it, then Send to, DVD RW Drive, \"With a CD/DVD player\"), or "
    "an image you have with Windows Disc Image Burner (right-click the .iso file, Burn disc image).";

}  // namespace

std::string DiscPublishingUnavailable() { return kLinuxOnly; }

ImageResult WriteDiscImage(const fs::path&, const fs::path&, const std::string&, const ImageProgress&) {
    return {ImageOutcome::Failed, kLinuxOnly, 0};
}

std::vector<BurnDrive> ListBurnDrives() { return {}; }

std::unique_ptr<DiscBurner> DiscBurner::Open(const std::string&, std::string& error) {
    error = kLinuxOnly;
    return nullptr;
}

// No burner is ever made here; these complete the class for the editor's model.
DiscBurner::~DiscBurner() = default;

std::string DiscBurner::Unsuitable(uint64_t) const { return kLinuxOnly; }

BurnResult DiscBurner::Burn(const fs::path&, const Progress&) { return {BurnOutcome::Failed, kLinuxOnly}; }

}  // namespace orvane
