#include "AutorunPackage.h"

#include "document/ByteStream.h"
#include "platform/Cp1252.h"

#include <algorithm>
#include <cstring>

namespace orvane {
namespace {

constexpr size_t kTrailerSize = 4;

[[noreturn]] void Refuse(const std::string& why) { throw RecordFormatError(why); }

// The marker, the version bytes and the two field records before the count.
void ReadHead(ByteSource& in) {
    const auto magic = in.Take(4);
    if (std::memcmp(magic.data(), "FPAK", 4) != 0) Refuse("no \"FPAK\" marker where the trailer points");
    const auto version = in.Take(3);
    if (version[0] != 2 || version[1] != 0 || version[2] != 0) Refuse("the package version is not 2.0.0");
    if (in.U8() != 4) Refuse("the package's first field is not a text record");
    const uint32_t textLength = in.U32();
    if (textLength > in.Remaining()) Refuse("the package's text field runs past the end");
    in.Take(textLength);
    if (in.U8() != 1) Refuse("the package's second field is not a byte record");
    in.U32();  // the length word of a fixed-size record is never used
    in.U8();
}

}  // namespace

std::string UnusableFileName(std::string_view name) {
    if (name.empty()) return "is empty";
    if (name.find_first_of("/\\") != std::string_view::npos) return "holds a folder";
    if (name.find(':') != std::string_view::npos) return "holds a drive or a colon";
    if (name == "." || name.find("..") != std::string_view::npos) return "holds \"..\"";
    if (std::any_of(name.begin(), name.end(), [](char c) { return uint8_t(c) < 0x20; }))
        return "holds a control character";
    return {};
}

const PackagedFile* AutorunPackage::Find(std::string_view name) const {
    for (const PackagedFile& f : Files)
        if (SameWindowsName(f.Name, name)) return &f;
    return nullptr;
}

AutorunPackage ReadAutorunPackage(std::span<const uint8_t> data) {
    AutorunPackage p;
    try {
        if (data.size() < kTrailerSize + sizeof kPackageHead + 1) Refuse("the file is too short to hold a package");
        // Everything the package describes lies before the trailer.
        const auto body = data.first(data.size() - kTrailerSize);
        ByteSource trailer(data.last(kTrailerSize));
        const uint32_t markerOneBased = trailer.U32();
        if (markerOneBased == 0 || markerOneBased > body.size())
            Refuse("the package position points outside the file");
        p.PlayerSize = markerOneBased - 1;

        ByteSource in(body);
        in.Take(p.PlayerSize);
        ReadHead(in);
        const size_t count = in.U8();
        if (count < 1 || count > kMaxPackageFiles)
            Refuse("the package says it holds " + std::to_string(count) + " files");
        if (in.Remaining() < count * kDirectoryEntry) Refuse("the directory runs past the end of the file");
        const size_t contents = in.Position() + count * kDirectoryEntry;

        for (size_t k = 0; k < count; ++k) {
            const auto field = in.Take(kDirectoryName);
            size_t used = field.size();
            while (used > 0 && field[used - 1] == ' ') --used;
            PackagedFile f;
            f.Name = Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(field.data()), used));
            const std::string problem = UnusableFileName(f.Name);
            if (!problem.empty()) Refuse("the packed name \"" + f.Name + "\" " + problem);
            if (p.Find(f.Name)) Refuse("the name \"" + f.Name + "\" is packed twice");
            const uint32_t offset = in.U32();
            if (offset == 0 || offset - 1 < contents || offset - 1 > body.size())
                Refuse("the offset of \"" + f.Name + "\" points outside the package");
            f.Offset = offset - 1;
            p.Files.push_back(std::move(f));
        }
        // The contents follow the directory back to back: each file ends where
        // the next begins, the last one at the trailer.
        if (p.Files.front().Offset != contents) Refuse("the first file does not follow the directory");
        for (size_t k = 0; k < count; ++k) {
            const size_t end = k + 1 < count ? p.Files[k + 1].Offset : body.size();
            if (end < p.Files[k].Offset) Refuse("the files of the package are out of order");
            p.Files[k].Size = uint32_t(end - p.Files[k].Offset);
        }
    } catch (const RecordFormatError& e) {
        p.Files.clear();
        p.Error = e.what();
    }
    return p;
}

}  // namespace orvane
