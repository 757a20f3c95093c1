#include "document/MenuFileInfo.h"

#include "document/Json.h"

#include <nlohmann/json.hpp>

namespace orvane {

std::string MenuFileJson(const MenuFileDescription& d) {
    Json json = Json::object();
    json["header"] = {{"kind", int(kRecordFileKind)},
                      {"version", {d.Read.Major, d.Read.Minor, d.Read.Release}},
                      {"count", d.Read.Count},
                      {"pictureCount", d.Read.PictureCount}};
    JsonTree tree(json);
    WriteMenuFieldsJson(tree, d.Read.Menu);
    Json& pictures = json["pictures"] = Json::array();
    for (const StoredPicture& s : d.Pictures)
        pictures.push_back({{"type", s.Type}, {"number", s.Number}, {"state", s.State}, {"frame", s.Frame},
                            {"width", s.Width}, {"height", s.Height}});
    return JsonText(json);
}

}  // namespace orvane
