#include "MenuReader.h"

#include "document/ByteStream.h"

#include <zlib.h>

#include <bit>
#include <cstring>
#include <limits>

namespace orvane::player {
namespace {

// The pixel block is little-endian and is inflated straight into the pixels.
static_assert(std::endian::native == std::endian::little);

constexpr int kPropertyRecords = 55;
constexpr int kPropertyRecordsBefore9 = 51;  // version 8 files end at PhotoSkin
constexpr int kButtonRecords = 10;
constexpr int kTitleRecord = 1;
constexpr int kPositionRecord = 4;

[[noreturn]] void Refuse(const std::string& why) { throw RecordFormatError("menu: " + why); }

struct Header {
    int Major = 0;
    int ButtonCount = 0;
};

Header ReadHeader(ByteSource& in) {
    const auto magic = in.Take(4);
    if (std::memcmp(magic.data(), "MENU", 4) != 0) Refuse("not a menu file");
    if (in.U8() != 3) Refuse("not a menu file");
    Header h;
    h.Major = in.U8();
    if (h.Major < 8) Refuse("written by a version before 8");
    in.U8();  // minor
    in.U8();  // release
    h.ButtonCount = in.U8();
    if (h.ButtonCount < 1 || h.ButtonCount > 30) Refuse("button count " + std::to_string(h.ButtonCount) + " is out of range");
    in.I16();  // picture count; the picture records themselves are checked
    return h;
}

// One field record. Kinds 1 to 3 carry fixed-size data whatever the length
// word says; kind 4 carries length-word bytes of text.
struct Field {
    uint8_t Kind = 0;
    int32_t Number = 0;
    std::span<const uint8_t> Text;
};

Field ReadField(ByteSource& in, int index) {
    Field f;
    f.Kind = in.U8();
    const uint32_t length = in.U32();
    switch (f.Kind) {
    case 1: f.Number = in.U8(); break;
    case 2:
    case 3: f.Number = in.I32(); break;
    case 4:
        if (length > in.Remaining()) Refuse("text record " + std::to_string(index) + " runs past the end");
        f.Text = in.Take(length);
        break;
    default: Refuse("record " + std::to_string(index) + " has kind " + std::to_string(f.Kind));
    }
    return f;
}

// The compressed bitmap record: width, height, L, then L bytes holding the
// unpacked length and a zlib stream.
void ReadCompressedPicture(ByteSource& in, PlayerMenu& menu) {
    const int32_t width = in.I32();
    const int32_t height = in.I32();
    if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide)
        Refuse("picture size " + std::to_string(width) + " x " + std::to_string(height) + " is out of range");
    const uint32_t packed = in.U32();
    if (packed < 4 || packed > in.Remaining()) Refuse("the picture runs past the end");
    ByteSource part(in.Take(packed));
    const uint64_t needed = uint64_t(width) * uint64_t(height) * 4;
    if (part.U32() != needed) Refuse("the picture length does not match its size");
    // Deflate packs at most about 1032 to 1: refuse a size the data cannot
    // hold before allocating for it.
    const auto zipped = part.Take(part.Remaining());
    if (needed > uint64_t(zipped.size()) * 1032 + 1024) Refuse("the picture data is too short");
    if (zipped.size() > std::numeric_limits<uInt>::max()) Refuse("the picture data is too long");

    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    z_stream z{};
    if (inflateInit(&z) != Z_OK) Refuse("the picture does not inflate");
    z.next_in = const_cast<Bytef*>(zipped.data());
    z.avail_in = uInt(zipped.size());
    z.next_out = reinterpret_cast<Bytef*>(pixels.data());
    z.avail_out = uInt(needed);
    const int status = inflate(&z, Z_FINISH);
    // The stream must end, checksum included, exactly where the block does.
    const bool complete = z.avail_out == 0 && status == Z_STREAM_END;
    inflateEnd(&z);
    if (!complete) Refuse("the picture does not inflate");

    menu.Width = width;
    menu.Height = height;
    menu.Pixels = std::move(pixels);
}

}  // namespace

PlayerMenu ReadMenu(std::span<const uint8_t> file) {
    ByteSource in(file);
    const Header header = ReadHeader(in);
    PlayerMenu menu;

    const int properties = header.Major >= 9 ? kPropertyRecords : kPropertyRecordsBefore9;
    const int records = properties + header.ButtonCount * kButtonRecords;
    for (int index = 1; index <= records; ++index) {
        const Field f = ReadField(in, index);
        if (index == kTitleRecord) {
            if (f.Kind != 4) Refuse("the title is not a text record");
            menu.Title.assign(reinterpret_cast<const char*>(f.Text.data()), f.Text.size());
            if (menu.Title.starts_with("OVGMENUSTYLEFILE")) Refuse("a menu style file, not a menu");
        } else if (index == kPositionRecord) {
            if (f.Kind != 2) Refuse("the position is not an integer record");
            menu.Position = f.Number >= 0 && f.Number < kPositionCount ? f.Number : 0;
        }
    }

    if (in.U8() != 5) Refuse("the menu picture is missing");
    in.U8();  // picture type
    const int number = in.U8();
    in.U8();  // state
    const int32_t frame = in.I32();
    if (number != 0 || frame != 0) Refuse("the first picture is not the menu picture");
    ReadCompressedPicture(in, menu);
    return menu;
}

}  // namespace orvane::player
