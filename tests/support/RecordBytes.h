#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Builds record-file bytes by hand, one call per field, so tests state the
// expected layout independently of the writer.
class RecordBytes {
public:
    std::vector<uint8_t> Data;

    RecordBytes& Raw(std::initializer_list<uint8_t> bytes) {
        Data.insert(Data.end(), bytes);
        return *this;
    }
    RecordBytes& U32(uint32_t v) {
        for (int i = 0; i < 4; ++i) Data.push_back(uint8_t(v >> (8 * i)));
        return *this;
    }
    // "MENU", kind, major, minor, release, count, 16-bit picture count
    RecordBytes& Header(uint8_t kind, uint8_t major, uint8_t count, int16_t pictures, uint8_t minor = 0,
                        uint8_t release = 0) {
        Raw({'M', 'E', 'N', 'U', kind, major, minor, release, count});
        Data.push_back(uint8_t(uint16_t(pictures)));
        Data.push_back(uint8_t(uint16_t(pictures) >> 8));
        return *this;
    }
    RecordBytes& Text(const std::string& s) {  // kind 4, length, bytes
        Data.push_back(4);
        U32(uint32_t(s.size()));
        Data.insert(Data.end(), s.begin(), s.end());
        return *this;
    }
    RecordBytes& Int(int32_t v) {  // kind 2, length word 2, four bytes
        Data.push_back(2);
        U32(2);
        return U32(uint32_t(v));
    }
    RecordBytes& Long(uint32_t v) {  // kind 3, length word 4, four bytes
        Data.push_back(3);
        U32(4);
        return U32(v);
    }
    RecordBytes& Font(const std::string& name, int32_t size, bool bold, bool italic, bool underline,
                      int32_t alignment, uint32_t colour) {
        return Text(name).Long(uint32_t(size)).Int(bold ? -1 : 0).Int(italic ? -1 : 0).Int(underline ? -1 : 0)
            .Int(alignment).Long(colour);
    }
    RecordBytes& End() {
        Data.push_back(0);
        return *this;
    }
};
