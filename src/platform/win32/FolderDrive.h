#pragma once

#include <filesystem>
#include <string>

namespace orvane {

// A folder seen as a drive of its own, as "subst" makes one: for this user's
// session, until Unmap or the end of the object. Windows only.
class FolderDrive {
public:
    FolderDrive() = default;
    ~FolderDrive() { Unmap(); }
    FolderDrive(const FolderDrive&) = delete;
    FolderDrive& operator=(const FolderDrive&) = delete;

    // Takes the first free letter from D: on; false with the system's reason
    // when there is none or Windows refuses.
    bool Map(const std::filesystem::path& folder, std::string& error);
    void Unmap();
    char Letter() const { return letter_; }

private:
    char letter_ = 0;
    std::wstring target_;
};

}  // namespace orvane
