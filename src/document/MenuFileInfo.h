#pragma once

#include "document/AutorunPackage.h"
#include "document/JsonSink.h"
#include "document/MenuRecords.h"

#include <string>

namespace orvane {

// What a file the editor is given holds, told by its first bytes.
enum class FileKind { Menu, MenuStyle, ButtonStyle, Autorun };
FileKind KindOfStored(std::span<const uint8_t> data);

// One picture record as stored.
struct StoredPicture {
    int Type = 0;
    int Number = 0;
    int State = 0;
    int32_t Frame = 0;
    int32_t Width = 0;
    int32_t Height = 0;
};

struct MenuFileDescription {
    MenuFileRead Read;                  // header, properties and buttons
    std::vector<StoredPicture> Pictures;
    std::string PictureError;           // set when a picture record is damaged
};

// Reads a whole menu file or undo snapshot as stored, pictures included
// (each one inflated, so a damaged picture is found).
MenuFileDescription DescribeMenuFile(RecordFile& file);

// The stored properties and buttons, as the keys "properties" and "buttons"
// of the object being written.
void WriteMenuFieldsJson(JsonSink& json, const StoredMenu& menu);

// An autorun package as the keys "playerSize", "count" and "files" (each
// file's name, offset and size): what orvane-menu info and the player's
// test mode both report.
void WritePackageJson(JsonSink& json, const AutorunPackage& package);

// The description as JSON text: header, properties, buttons, pictures. The
// editor's side only (MenuFileJson.cpp).
std::string MenuFileJson(const MenuFileDescription& description);

}  // namespace orvane
