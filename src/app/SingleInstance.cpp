#include "app/SingleInstance.h"

#include "platform/AsciiCase.h"
#include "platform/PathText.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <thread>

namespace orvane {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kHeader{"orvane-graphic open\n", 20};

std::uint64_t Fnv1a(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash ^= std::uint8_t(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace

std::string InstanceKey(const std::string& settingsFile, bool ignoreCase) {
    std::error_code ec;
    fs::path path = fs::absolute(PathFromUtf8(settingsFile), ec);
    // The file need not exist yet (the first start writes it at its end).
    const fs::path canonical = fs::weakly_canonical(path, ec);
    if (!ec) path = canonical;
    std::string text = Utf8FromPath(path.lexically_normal());
    if (ignoreCase) {
        std::replace(text.begin(), text.end(), '\\', '/');
        text = AsciiLower(text);
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(Fnv1a(text)));
    return std::string("orvane-graphic-") + hex;
}

InstanceChannel ChannelFor(const AppFolders& folders, const FolderEnvironment& env) {
    return {InstanceKey(folders.SettingsFile, env.Windows.has_value()), InstanceFolder(folders, env)};
}

std::vector<fs::path> FilesNamed(const std::vector<std::string>& args) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const std::string& arg : args)
        if (!arg.empty() && arg != "\"\"") files.push_back(fs::absolute(PathFromUtf8(arg), ec));
    return files;
}

std::string EncodeHandOver(const std::vector<fs::path>& files) {
    std::string bytes(kHeader);
    for (const fs::path& file : files) {
        bytes += Utf8FromPath(file);
        bytes += '\0';
    }
    return bytes + '\0';
}

std::optional<std::vector<fs::path>> DecodeHandOver(std::string_view bytes) {
    if (bytes.size() > kMaxHandOverBytes || bytes.substr(0, kHeader.size()) != kHeader) return std::nullopt;
    bytes.remove_prefix(kHeader.size());
    std::vector<fs::path> files;
    for (;;) {
        const size_t end = bytes.find('\0');
        if (end == std::string_view::npos) return std::nullopt;  // a name cut short
        // The empty name ends the list, and the message.
        if (end == 0) return bytes.size() == 1 ? std::optional(files) : std::nullopt;
        files.push_back(PathFromUtf8(bytes.substr(0, end)));
        bytes.remove_prefix(end + 1);
    }
}

bool SingleInstance::Claim() {
    std::error_code ec;
    fs::create_directories(PathFromUtf8(channel_.Folder), ec);
    return lock_.TryLock(PathFromUtf8(channel_.LockFile()));
}

StartRole SingleInstance::Decide(const std::function<Delivery()>& deliver, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (Claim()) return StartRole::First;
        // No lock can be made here (a folder nobody may write): run without one.
        std::error_code ec;
        if (!fs::exists(PathFromUtf8(channel_.LockFile()), ec)) return StartRole::First;
        switch (deliver()) {
            case Delivery::Delivered: return StartRole::HandedOver;
            // Sending again could open the files twice once it wakes.
            case Delivery::NoAnswer: return StartRole::NoAnswer;
            case Delivery::NotListening: break;
        }
        // The holder never listened (it hangs while starting).
        if (std::chrono::steady_clock::now() >= deadline) return StartRole::NoAnswer;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

}  // namespace orvane
