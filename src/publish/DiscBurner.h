#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace burn {
struct burn_drive;
struct burn_drive_info;
}  // namespace burn

namespace orvane {

struct BurnDrive {
    std::string Address;  // "/dev/sr0", or "stdio:/path" for a file
    std::string Name;     // the maker's and the model's names
};

// The optical drives of this computer. Opening each needs read and write
// permission on its device (the "cdrom" group on Debian).
std::vector<BurnDrive> ListBurnDrives();

enum class DiscState { NoDisc, Blank, Appendable, Full, Unknown };

struct MediumInfo {
    DiscState State = DiscState::Unknown;
    std::string Kind;        // "CD-R", "DVD+RW", "stdio file"
    uint64_t FreeBytes = 0;  // what fits on it
};

// The words for a medium in a list of drives: "blank DVD+R, 4.7 GB free".
std::string DescribeMedium(const MediumInfo& medium);

enum class BurnOutcome { Verified, Cancelled, Failed };

struct BurnResult {
    BurnOutcome Outcome = BurnOutcome::Failed;
    std::string Error;
};

// One drive, held for this program while the object lives.
class DiscBurner {
public:
    // Takes the drive at address; null with the reason when it cannot. A
    // "stdio:" address naming a file (or a file to be made) is written as a
    // temporary file beside it, renamed over it once verified.
    static std::unique_ptr<DiscBurner> Open(const std::string& address, std::string& error);
    ~DiscBurner();
    DiscBurner(const DiscBurner&) = delete;
    DiscBurner& operator=(const DiscBurner&) = delete;

    const MediumInfo& Medium() const { return medium_; }
    const std::string& Address() const { return address_; }

    // Why the image cannot go onto the medium in the drive, or empty.
    std::string Unsuitable(uint64_t imageBytes) const;

    enum class Stage { Writing, Verifying };
    // The stage, bytes done and bytes in all; returning false cancels.
    using Progress = std::function<bool(Stage, uint64_t done, uint64_t total)>;

    // Writes the image as one closed session, then reads it back and compares
    // it with the image byte for byte.
    BurnResult Burn(const std::filesystem::path& image, const Progress& progress);

private:
    DiscBurner() = default;
    bool Grab(std::string& error);
    void Release();
    void ReadMedium();
    BurnResult Verify(const std::filesystem::path& image, uint64_t size, const Progress& progress);

    std::string address_;      // as the user gave it
    std::string driveAddress_;  // as the drive is taken: the temporary file for stdio files
    std::filesystem::path file_;  // stdio files: the target
    burn::burn_drive_info* infos_ = nullptr;
    burn::burn_drive* drive_ = nullptr;
    MediumInfo medium_;
};

}  // namespace orvane
