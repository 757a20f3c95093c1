// The share of computers that have a font: the font availability indicator's data.
#include "app/FormatBar.h"

namespace orvane {

const std::vector<std::string>& FontPopularityTable() {
    // "name|percentage", by falling percentage; fonts missing here count as 0.
    static const std::vector<std::string> table = {
        "Arial|99", "Times New Roman|99", "Arial Black|98", "Courier New|98", "Verdana|98", "Comic Sans MS|97",
        "Courier|97", "Monospace|97", "Sans-Serif|97", "Serif|97", "Trebuchet MS|96", "Georgia|95", "Impact|95",
        "Arial Narrow|88", "Helvetica|88", "Tahoma|88", "Times|87", "Century Gothic|79", "MS Sans Serif|78",
        "Lucida Console|76", "Garamond|75", "Lucida Sans Unicode|74", "Bookman Old Style|72", "Book Antiqua|71",
        "Microsoft Sans Serif|69", "Palatino Linotype|69", "Monotype Corsiva|64", "Terminal|64",
        "Haettenschweiler|63", "Modern|53", "Franklin Gothic Medium|52", "Script|52", "Sylfaen|46", "Wingdings|46",
        "Symbol|46", "Webdings|46", "Marlett|46", "Papyrus|45", "MS Serif|45", "Small Fonts|45", "Roman|45",
        "System|45", "Fixedsys|45", "Mangal|44", "Estrangelo Edessa|44", "Gautami|44", "Latha|44", "Raavi|44",
        "Shruti|44", "Tunga|44", "Mv Boli|44", "Arial Rounded MT Bold|43", "Lucida Handwriting|43",
        "Lucida Bright|43", "Lucida Calligraphy|43", "Lucida Fax|43", "Lucida Sans Typewriter|43", "Century|42",
        "Bookshelf Symbol 7|42", "Wingdings 2|42", "Wingdings 3|42", "MS Outlook|42", "Arial Unicode MS|42",
        "Calibri|41", "Cambria|41", "Cambria Math|41", "Candara|41", "Consolas|41", "Constantia|41", "Corbel|41",
        "Segoe UI|40", "Segoe Print|40", "Segoe Script|40", "Franklin Gothic Book|40", "Franklin Gothic Demi|40",
        "Franklin Gothic Heavy|40", "Tw Cen MT|39", "Tw Cen MT Condensed|39", "Rockwell|39",
        "Rockwell Condensed|39", "Rockwell Extra Bold|39", "Gill Sans Ultra Bold|39", "Perpetua|38",
        "Perpetua Titling MT|38", "Goudy Old Style|38", "Goudy Stout|38", "Copperplate Gothic Bold|38",
        "Copperplate Gothic Light|38", "Lucida Sans|37", "Bodoni MT|37", "Bodoni MT Black|37",
        "Bodoni MT Condensed|37", "Californian FB|37", "Calisto MT|37", "Centaur|37", "Agency FB|36",
        "Algerian|36", "Baskerville Old Face|36", "Bauhaus 93|36", "Bell MT|36", "Berlin Sans FB|36",
        "Berlin Sans FB Demi|36", "Bernard MT Condensed|35", "Blackadder ITC|35", "Bradley Hand ITC|35",
        "Britannic Bold|35", "Broadway|35", "Brush Script MT|35", "Castellar|34", "Chiller|34", "Colonna MT|34",
        "Cooper Black|34", "Curlz MT|34", "Edwardian Script ITC|34", "Elephant|34", "Engravers MT|33",
        "Eras Bold ITC|33", "Eras Demi ITC|33", "Eras Light ITC|33", "Eras Medium ITC|33", "Felix Titling|33",
        "Footlight MT Light|32", "Forte|32", "Freestyle Script|32", "French Script MT|32", "Gigi|32",
        "Gloucester MT Extra Condensed|32", "Harlow Solid Italic|31", "Harrington|31", "High Tower Text|31",
        "Imprint MT Shadow|31", "Informal Roman|31", "Jokerman|31", "Juice ITC|31", "Kristen ITC|30",
        "Kunstler Script|30", "Magneto|30", "Maiandra GD|30", "Matura MT Script Capitals|30", "Mistral|30",
        "Niagara Engraved|29", "Niagara Solid|29", "OCR A Extended|29", "Old English Text MT|29", "Onyx|29",
        "Palace Script MT|29", "Parchment|28", "Playbill|28", "Poor Richard|28", "Pristina|28", "Rage Italic|28",
        "Ravie|28", "Showcard Gothic|27", "Snap ITC|27", "Stencil|27", "Tempus Sans ITC|27", "Viner Hand ITC|27",
        "Vivaldi|27", "Vladimir Script|27", "Wide Latin|27", "Century Schoolbook|26",
        "Tw Cen MT Condensed Extra Bold|26", "Gill Sans MT Condensed|26", "Gill Sans MT Ext Condensed Bold|26",
        "Verdana Ref|25", "Georgia Ref|25", "Andale Mono|24", "Lucida Grande|24", "Geneva|24", "Monaco|24",
        "Helvetica Neue|23", "Optima|23", "Futura|23", "Gill Sans|23", "Didot|23", "Baskerville|23",
        "Hoefler Text|22", "American Typewriter|22", "Marker Felt|22", "Zapfino|22", "Apple Chancery|22",
        "Skia|22", "Gill Sans MT|21", "Copperplate|21", "Herculanum|21", "Cochin|21", "Big Caslon|21",
        "Chalkboard|21", "Ebrima|20", "Gabriola|20", "Nyala|20", "Leelawadee|20", "Kalinga|20", "Iskoola Pota|20",
        "Segoe UI Light|19", "Segoe UI Semibold|19", "Segoe UI Symbol|19", "Microsoft Himalaya|19",
        "Microsoft Yi Baiti|19", "Mongolian Baiti|19", "SimSun|18", "NSimSun|18", "SimHei|18", "MingLiU|18",
        "PMingLiU|18", "Microsoft YaHei|18", "Batang|17", "Gulim|17", "Dotum|17", "Gungsuh|17", "Malgun Gothic|17",
        "Meiryo|17", "MS Mincho|16", "MS PGothic|16", "MS PMincho|16", "MS UI Gothic|16", "Microsoft JhengHei|16",
        "KaiTi|16", "DejaVu Sans|15", "DejaVu Serif|15", "DejaVu Sans Mono|15", "Bitstream Vera Sans|15",
        "Bitstream Vera Serif|15", "Bitstream Vera Sans Mono|15", "MS Gothic|14", "Liberation Sans|14",
        "Liberation Serif|14", "Liberation Mono|14", "FreeSans|14", "FreeSerif|14", "FreeMono|14",
        "Nimbus Sans L|13", "Nimbus Roman No9 L|13", "Nimbus Mono L|13", "URW Chancery L|13", "URW Bookman L|13",
        "URW Gothic L|13", "URW Palladio L|13", "Century Schoolbook L|12", "Utopia|12", "Charter|12",
        "Bitstream Charter|12", "Luxi Sans|12", "Luxi Serif|12", "Luxi Mono|12", "Tahoma Small Cap|11",
        "Palatino|11", "New York|11", "Chicago|11", "Charcoal|11", "Capitals|11", "Sand|11",
        "MS Reference Sans Serif|10", "MS Reference Specialty|10", "Arial Baltic|10", "Arial CE|10",
        "Arial CYR|10", "Arial Greek|10", "Arial TUR|10", "Courier New Baltic|10", "Courier New CE|10",
        "Times New Roman CE|10",
    };
    return table;
}

}  // namespace orvane
