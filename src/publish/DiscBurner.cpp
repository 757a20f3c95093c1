#include "DiscBurner.h"

#include "platform/PathText.h"
#include "publish/DiscFolder.h"

#include <libburn/libburn.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <mutex>
#include <random>
#include <thread>

namespace orvane {
namespace fs = std::filesystem;
using namespace burn;

namespace {

constexpr char kStdio[] = "stdio:";

bool InitLibrary(std::string& error) {
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] {
        ready = burn_initialize() == 1;
        if (!ready) return;
        // Messages are collected for the report, never printed. The library's
        // own signal handlers stay off: the program around it has its own.
        burn_msgs_set_severities(const_cast<char*>("SORRY"), const_cast<char*>("NEVER"), const_cast<char*>(""));
    });
    if (!ready) error = "The disc burning library could not start.";
    return ready;
}

// The library's last complaints, joined.
std::string LibraryMessages() {
    std::string text;
    char message[BURN_MSGS_MESSAGE_LEN];
    char severity[80];
    int code = 0, osError = 0;
    while (burn_msgs_obtain(const_cast<char*>("SORRY"), &code, message, &osError, severity) > 0) {
        if (!text.empty()) text += "; ";
        text += message;
    }
    return text;
}

std::string WithDetail(std::string text) {
    const std::string detail = LibraryMessages();
    if (!detail.empty()) text += " (" + detail + ")";
    return text;
}

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(100)); }

BurnResult Result(BurnOutcome outcome, std::string error = {}) { return BurnResult{outcome, std::move(error)}; }

}  // namespace

std::vector<BurnDrive> ListBurnDrives() {
    std::string error;
    if (!InitLibrary(error)) return {};
    burn_drive_info* infos = nullptr;
    unsigned int count = 0;
    while (burn_drive_scan(&infos, &count) == 0) Pause();
    std::vector<BurnDrive> drives;
    for (unsigned int i = 0; i < count; ++i) {
        char address[BURN_DRIVE_ADR_LEN];
        if (burn_drive_d_get_adr(infos[i].drive, address) <= 0) continue;
        std::string name = std::string(infos[i].vendor) + " " + infos[i].product;
        while (!name.empty() && name.back() == ' ') name.pop_back();
        drives.push_back({address, name});
        // Not kept: another program may want the drive.
        burn_drive_info_forget(&infos[i], 0);
    }
    if (infos) burn_drive_info_free(infos);
    LibraryMessages();
    return drives;
}

std::unique_ptr<DiscBurner> DiscBurner::Open(const std::string& address, std::string& error) {
    if (!InitLibrary(error)) return nullptr;
    std::unique_ptr<DiscBurner> burner(new DiscBurner);
    burner->address_ = address;
    burner->driveAddress_ = address;
    if (address.rfind(kStdio, 0) == 0) {
        const fs::path file = PathFromUtf8(address.substr(sizeof kStdio - 1));
        std::error_code ec;
        const fs::file_status status = fs::status(file, ec);
        if (file.empty() || fs::is_directory(status)) {
            error = "\"" + address + "\" names no file to write the disc to.";
            return nullptr;
        }
        if (!fs::exists(status) || fs::is_regular_file(status)) {
            static std::mt19937 random{std::random_device{}()};
            burner->file_ = fs::absolute(file);
            burner->driveAddress_ = std::string(kStdio) + Utf8FromPath(burner->file_.parent_path() /
                                    (".orvane-" + std::to_string(random() % 1000000) + ".burn"));
        }
    }
    if (!burner->Grab(error)) return nullptr;
    return burner;
}

DiscBurner::~DiscBurner() {
    Release();
    if (!file_.empty()) {
        std::error_code ec;
        fs::remove(PathFromUtf8(driveAddress_.substr(sizeof kStdio - 1)), ec);
    }
}

bool DiscBurner::Grab(std::string& error) {
    std::vector<char> address(driveAddress_.begin(), driveAddress_.end());
    address.push_back(0);
    if (burn_drive_scan_and_grab(&infos_, address.data(), 1) != 1) {
        infos_ = nullptr;
        error = WithDetail("The drive " + address_ + " could not be opened. Check that it exists and that you may use it"
                           " (on Debian, members of the group \"cdrom\" may).");
        return false;
    }
    drive_ = infos_[0].drive;
    ReadMedium();
    return true;
}

void DiscBurner::Release() {
    if (drive_) burn_drive_release(drive_, 0);
    if (infos_) burn_drive_info_free(infos_);
    drive_ = nullptr;
    infos_ = nullptr;
}

void DiscBurner::ReadMedium() {
    enum burn_disc_status status;
    while ((status = burn_disc_get_status(drive_)) == BURN_DISC_UNREADY) Pause();
    switch (status) {
        case BURN_DISC_EMPTY: medium_.State = DiscState::NoDisc; break;
        case BURN_DISC_BLANK: medium_.State = DiscState::Blank; break;
        case BURN_DISC_APPENDABLE: medium_.State = DiscState::Appendable; break;
        case BURN_DISC_FULL: medium_.State = DiscState::Full; break;
        default: medium_.State = DiscState::Unknown; break;
    }
    int profile = 0;
    char name[80] = "";
    if (burn_disc_get_profile(drive_, &profile, name) == 1) medium_.Kind = name;
    if (medium_.Kind.empty()) medium_.Kind = "disc";
    const off_t space = burn_disc_available_space(drive_, nullptr);
    medium_.FreeBytes = space > 0 ? uint64_t(space) : 0;
    LibraryMessages();
}

std::string DiscBurner::Unsuitable(uint64_t imageBytes) const {
    switch (medium_.State) {
        case DiscState::NoDisc: return "There is no disc in the drive. Insert a blank disc.";
        case DiscState::Appendable:
        case DiscState::Full:
            return "The " + medium_.Kind + " in the drive already holds data. Insert a blank disc "
                   "(a rewritable disc must be erased first).";
        case DiscState::Unknown: return "The disc in the drive cannot be written.";
        case DiscState::Blank: break;
    }
    if (imageBytes > medium_.FreeBytes)
        return "The image (" + SizeText(imageBytes) + ") does not fit on the " + medium_.Kind + " (" +
               SizeText(medium_.FreeBytes) + " free).";
    return {};
}

BurnResult DiscBurner::Burn(const fs::path& image, const Progress& progress) {
    std::error_code ec;
    const uint64_t size = fs::file_size(image, ec);
    if (ec || size == 0 || size % 2048 != 0)
        return Result(BurnOutcome::Failed, Utf8FromPath(image) + " is not a disc image.");
    if (const std::string problem = Unsuitable(size); !problem.empty()) return Result(BurnOutcome::Failed, problem);
    if (progress && !progress(Stage::Writing, 0, size)) return Result(BurnOutcome::Cancelled);

    burn_source* file = burn_file_source_new(image.c_str(), nullptr);
    if (!file) return Result(BurnOutcome::Failed, WithDetail("The image " + Utf8FromPath(image) + " cannot be read."));
    // A 4 MB buffer keeps the drive fed while the disk holding the image is slow.
    burn_source* fifo = burn_fifo_source_new(file, 2048, 2048, 0);
    burn_disc* disc = burn_disc_create();
    burn_session* session = burn_session_create();
    burn_track* track = burn_track_create();
    burn_disc_add_session(disc, session, BURN_POS_END);
    burn_track_define_data(track, 0, 0, 1, BURN_MODE1);
    const bool sourced = burn_track_set_source(track, fifo ? fifo : file) == BURN_SOURCE_OK;
    burn_session_add_track(session, track, BURN_POS_END);
    burn_write_opts* opts = burn_write_opts_new(drive_);
    burn_write_opts_set_perform_opc(opts, 0);
    burn_write_opts_set_multi(opts, 0);  // closed: nothing can be added later
    burn_write_opts_set_underrun_proof(opts, 1);
    char reasons[BURN_REASONS_LEN] = "";
    const bool writable = sourced && burn_write_opts_auto_write_type(opts, disc, reasons, 0) != BURN_WRITE_NONE;

    bool cancelled = false;
    bool wrote = false;
    std::string error;
    if (writable) {
        burn_disc_write(opts, disc);
        burn_progress p{};
        enum burn_drive_status status;
        while ((status = burn_drive_get_status(drive_, &p)) == BURN_DRIVE_SPAWNING) Pause();
        while ((status = burn_drive_get_status(drive_, &p)) != BURN_DRIVE_IDLE) {
            const uint64_t done = std::min<uint64_t>(uint64_t(std::max(p.sector, 0)) * 2048, size);
            if (!cancelled && progress && !progress(Stage::Writing, done, size)) {
                cancelled = true;
                burn_drive_cancel(drive_);
            }
            Pause();
        }
        wrote = !cancelled && burn_drive_wrote_well(drive_);
        if (!wrote && !cancelled) error = WithDetail("The disc could not be written.");
    } else {
        error = "The disc cannot be written" + std::string(*reasons ? ": " : ".") + reasons;
        LibraryMessages();
    }
    burn_write_opts_free(opts);
    burn_track_free(track);
    burn_session_free(session);
    burn_disc_free(disc);
    if (fifo) burn_source_free(fifo);
    burn_source_free(file);

    if (cancelled)
        return Result(BurnOutcome::Cancelled,
                      file_.empty() ? "The burn was cancelled. A disc that can be written only once may now be unusable."
                                    : std::string());
    if (!wrote) return Result(BurnOutcome::Failed, error);
    BurnResult verified = Verify(image, size, progress);
    if (verified.Outcome == BurnOutcome::Verified && !file_.empty()) {
        Release();
        fs::rename(PathFromUtf8(driveAddress_.substr(sizeof kStdio - 1)), file_, ec);
        if (ec) return Result(BurnOutcome::Failed, "Cannot replace " + Utf8FromPath(file_) + ": " + ec.message());
        driveAddress_ = std::string(kStdio) + Utf8FromPath(file_);
        file_.clear();
        std::string again;
        Grab(again);
    }
    return verified;
}

BurnResult DiscBurner::Verify(const fs::path& image, uint64_t size, const Progress& progress) {
    // The drive is taken again so it reads the disc as it is now.
    Release();
    std::string error;
    if (!Grab(error)) return Result(BurnOutcome::Failed, error);
    std::ifstream in(image, std::ios::binary);
    if (!in) return Result(BurnOutcome::Failed, "The image " + Utf8FromPath(image) + " cannot be read to compare.");
    constexpr size_t kChunk = 32 * 2048;
    std::vector<char> expected(kChunk), actual(kChunk);
    for (uint64_t at = 0; at < size; at += kChunk) {
        if (progress && !progress(Stage::Verifying, at, size)) return Result(BurnOutcome::Cancelled);
        const size_t n = size_t(std::min<uint64_t>(kChunk, size - at));
        if (!in.read(expected.data(), std::streamsize(n)))
            return Result(BurnOutcome::Failed, "The image " + Utf8FromPath(image) + " cannot be read to compare.");
        off_t got = 0;
        if (burn_read_data(drive_, off_t(at), actual.data(), off_t(n), &got, 2) != 1 || uint64_t(got) != n)
            return Result(BurnOutcome::Failed, WithDetail("The disc could not be read back at byte " +
                                                          std::to_string(at) + " to check it."));
        if (std::memcmp(expected.data(), actual.data(), n) != 0)
            return Result(BurnOutcome::Failed, "The disc differs from the image near byte " + std::to_string(at) +
                                                   ". It is not safe to use.");
    }
    if (progress) progress(Stage::Verifying, size, size);
    return Result(BurnOutcome::Verified);
}

}  // namespace orvane
