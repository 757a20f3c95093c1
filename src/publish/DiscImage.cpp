#include "DiscImage.h"

#include "platform/Errors.h"
#include "platform/FileUtil.h"
#include "platform/PathText.h"

// Only libisofs's own copy of the data source interface is used here.
#define LIBISOFS_WITHOUT_LIBBURN
#include <libisofs/libisofs.h>

#include <cstdlib>

#include <memory>
#include <mutex>
#include <vector>

namespace orvane {
namespace fs = std::filesystem;

namespace {

void InitLibrary() {
    static std::once_flag once;
    std::call_once(once, [] {
        iso_init();
        // File names in memory are UTF-8 whatever the process's locale says.
        iso_set_local_charset(const_cast<char*>("UTF-8"), 0);
        // Messages are collected for the report, never printed.
        iso_set_msgs_severities(const_cast<char*>("SORRY"), const_cast<char*>("NEVER"), const_cast<char*>(""));
    });
}

// The library's own account of what went wrong, after its error code's text.
std::string LibraryError(int code) {
    std::string text = iso_error_to_msg(code);
    char message[4096];
    char severity[80];
    int error = 0, image = 0;
    while (iso_obtain_msgs(const_cast<char*>("SORRY"), &error, &image, message, severity) > 0) {
        if (text.find(message) == std::string::npos) text += std::string(": ") + message;
    }
    return text;
}

struct ImageDeleter {
    void operator()(IsoImage* image) const { iso_image_unref(image); }
};
struct OptsDeleter {
    void operator()(IsoWriteOpts* opts) const { iso_write_opts_free(opts); }
};
// A source still producing is cancelled first, which ends the library's writer thread.
struct SourceDeleter {
    bool Finished = false;
    void operator()(burn_source* source) const {
        if (!Finished) source->cancel(source);
        source->free_data(source);
        std::free(source);
    }
};

uint64_t LargestFile(const fs::path& folder) {
    uint64_t largest = 0;
    std::error_code ec;
    const auto options = fs::directory_options::follow_directory_symlink | fs::directory_options::skip_permission_denied;
    for (fs::recursive_directory_iterator it(folder, options, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code sizeError;
        if (it->is_regular_file(sizeError)) largest = std::max<uint64_t>(largest, it->file_size(sizeError));
    }
    return largest;
}

ImageResult Failed(std::string text) {
    ImageResult r;
    r.Outcome = ImageOutcome::Failed;
    r.Error = std::move(text);
    return r;
}

}  // namespace

std::string DiscPublishingUnavailable() { return {}; }

ImageResult WriteDiscImage(const fs::path& folder, const fs::path& target, const std::string& label,
                           const ImageProgress& progress) {
    InitLibrary();
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return Failed("The disc folder " + Utf8FromPath(folder) + " does not exist.");
    if (const std::string problem = ImageTargetProblem(folder, target); !problem.empty()) return Failed(problem);

    IsoImage* rawImage = nullptr;
    int r = iso_image_new(label.c_str(), &rawImage);
    if (r < 0) return Failed("The image could not be started: " + LibraryError(r));
    std::unique_ptr<IsoImage, ImageDeleter> image(rawImage);
    // Windows reads the files a link points to, not the link.
    iso_tree_set_follow_symlinks(image.get(), 1);
    iso_tree_set_ignore_special(image.get(), 1);
    iso_tree_set_ignore_hidden(image.get(), 0);
    iso_image_set_application_id(image.get(), const_cast<char*>("ORVANE GRAPHIC MENU EDITOR"));
    r = iso_tree_add_dir_rec(image.get(), iso_image_get_root(image.get()), fs::absolute(folder).c_str());
    if (r < 0) return Failed("The disc folder could not be read: " + LibraryError(r));

    IsoWriteOpts* rawOpts = nullptr;
    r = iso_write_opts_new(&rawOpts, 2);  // for distribution: Rock Ridge and Joliet, readable by everyone
    if (r < 0) return Failed(LibraryError(r));
    std::unique_ptr<IsoWriteOpts, OptsDeleter> opts(rawOpts);
    // Level 3 only when a file needs it (4 GiB or more): older readers prefer level 2.
    iso_write_opts_set_iso_level(opts.get(), LargestFile(folder) >= (uint64_t(4) << 30) ? 3 : 2);
    iso_write_opts_set_rockridge(opts.get(), 1);
    iso_write_opts_set_joliet(opts.get(), 1);
    // Windows reads Joliet names of up to 103 characters; 64 would cut long document names.
    iso_write_opts_set_joliet_long_names(opts.get(), 1);
    // Keep the files' own dates.
    iso_write_opts_set_replace_timestamps(opts.get(), 0);

    burn_source* rawSource = nullptr;
    r = iso_image_create_burn_source(image.get(), opts.get(), &rawSource);
    if (r < 0) return Failed("The image could not be prepared: " + LibraryError(r));
    SourceDeleter release;
    std::unique_ptr<burn_source, SourceDeleter&> source(rawSource, release);
    const uint64_t total = uint64_t(source->get_size(source.get()));

    ReplacingFileWriter out(target);
    std::vector<unsigned char> buffer(32 * 2048);
    uint64_t done = 0;
    if (progress && !progress(0, total)) return ImageResult{ImageOutcome::Cancelled, {}, 0};
    while (done < total) {
        const int want = int(std::min<uint64_t>(buffer.size(), total - done));
        const int got = source->read_xt(source.get(), buffer.data(), want);
        if (got < 0) return Failed("The image could not be written: " + LibraryError(ISO_CANCELED));
        if (got == 0) break;
        out.Write(buffer.data(), size_t(got));
        done += uint64_t(got);
        if (progress && !progress(done, total)) return ImageResult{ImageOutcome::Cancelled, {}, 0};
    }
    if (done != total) return Failed("The image ended early: " + LibraryError(ISO_CANCELED));
    release.Finished = true;
    out.Commit();
    return ImageResult{ImageOutcome::Written, {}, done};
}

}  // namespace orvane
