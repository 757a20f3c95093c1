#pragma once

#include "document/FieldTable.h"
#include "document/MenuRecords.h"

// The fields of a font record, of a menu's properties and of a button, in the
// order the files store them. Each table serves the record types that hold
// its fields: the menu table the stored form (StoredMenu) and the document
// (MenuDocument), the button table StoredButton and TOVButton.

namespace orvane {

// Where a record keeps the TOVMenu fields that are stored among the
// properties: a stored menu holds them itself, a document in its TOVMenu.
inline StoredMenu& MenuPart(StoredMenu& menu) { return menu; }
inline TOVMenu& MenuPart(MenuDocument& doc) { return doc.Menu; }

inline constexpr std::array<Field<FontSpec>, 7> kFontFields{{
    {"Name", FieldType::Text, In<FontSpec>([](auto& f) -> auto& { return f.Name; }), kAnyValue, RangeRule::None,
     FieldNote::FontName},
    {"Size", FieldType::Size, In<FontSpec>([](auto& f) -> auto& { return f.Size; }), kFontSizeRange, RangeRule::Clamp},
    {"Bold", FieldType::StyleFlag, In<FontSpec>([](auto& f) -> auto& { return f.Bold; })},
    {"Italic", FieldType::StyleFlag, In<FontSpec>([](auto& f) -> auto& { return f.Italic; })},
    {"Underline", FieldType::StyleFlag, In<FontSpec>([](auto& f) -> auto& { return f.Underline; })},
    {"Alignment", FieldType::Integer, In<FontSpec>([](auto& f) -> auto& { return f.Alignment; }), {0, 2},
     RangeRule::Code},
    {"Color", FieldType::Colour, In<FontSpec>([](auto& f) -> auto& { return f.Color; })},
}};
static_assert(MembersFitTypes(kFontFields));

// The 55 property records of a menu file, fonts and the text rectangle taken
// as one field each.
template <class R>
inline constexpr std::array<Field<R>, 34> kMenuFields{{
    {"Title", FieldType::Text, In<R>([](auto& m) -> auto& { return m.Props.Title; })},
    {"AnimateTitle", FieldType::Flag, In<R>([](auto& m) -> auto& { return m.Props.AnimateTitle; })},
    {"MenuText", FieldType::LineText, In<R>([](auto& m) -> auto& { return m.Props.MenuText; })},
    {"Position", FieldType::Integer, In<R>([](auto& m) -> auto& { return MenuPart(m).Position; }),
     {0, kPositionCount - 1}, RangeRule::Code},
    // Identifiers of style files follow the built-in ones; the reader maps
    // one without an entry to the first style.
    {"StyleId", FieldType::Integer, In<R>([](auto& m) -> auto& { return m.Props.StyleId; }), {0, 255}},
    {"MenuColor", FieldType::Colour, In<R>([](auto& m) -> auto& { return m.Props.MenuColor; })},
    {"AutoAdjust", FieldType::Flag, In<R>([](auto& m) -> auto& { return m.Props.AutoAdjust; })},
    {"ButtonAnimation", FieldType::Integer, In<R>([](auto& m) -> auto& { return m.Props.ButtonAnimation; }),
     {0, kAnimationCount - 1}, RangeRule::Code},
    {"BackgroundFile", FieldType::EditorText, In<R>([](auto& m) -> auto& { return MenuPart(m).BackgroundFile; })},
    {"AutoSizeMenu", FieldType::Flag, In<R>([](auto& m) -> auto& { return m.Props.AutoSizeMenu; })},
    {"MenuWidth", FieldType::Integer, In<R>([](auto& m) -> auto& { return m.Props.MenuWidth; }), kMenuWidthRange,
     RangeRule::Clamp},
    {"MenuHeight", FieldType::Integer, In<R>([](auto& m) -> auto& { return m.Props.MenuHeight; }),
     kMenuHeightRange, RangeRule::Clamp},
    {"PhotoAspect", FieldType::Flag, In<R>([](auto& m) -> auto& { return m.Props.PhotoAspect; })},
    {"AutoSizeButtons", FieldType::Flag, In<R>([](auto& m) -> auto& { return m.Props.AutoSizeButtons; })},
    {"ButtonWidth", FieldType::Integer, In<R>([](auto& m) -> auto& { return m.Props.ButtonWidth; }),
     kButtonWidthRange, RangeRule::Clamp},
    {"ButtonHeight", FieldType::Integer, In<R>([](auto& m) -> auto& { return m.Props.ButtonHeight; }),
     kButtonHeightRange, RangeRule::Clamp},
    {"ButtonGap", FieldType::Integer, In<R>([](auto& m) -> auto& { return m.Props.ButtonGap; }), kButtonGapRange,
     RangeRule::Clamp},
    {"TextFont", FieldType::Font, In<R>([](auto& m) -> auto& { return m.Props.TextFont; })},
    {"ButtonFont", FieldType::Font, In<R>([](auto& m) -> auto& { return m.Props.ButtonFont; })},
    {"TitleFont", FieldType::Font, In<R>([](auto& m) -> auto& { return m.Props.TitleFont; })},
    {"TextShadowDepth", FieldType::Integer, In<R>([](auto& m) -> auto& { return MenuPart(m).TextShadowDepth; }),
     kShadowDepthRange, RangeRule::Clamp},
    {"TextShadowColor", FieldType::Colour, In<R>([](auto& m) -> auto& { return m.Props.TextShadowColor; })},
    {"TitleShadowDepth", FieldType::Integer, In<R>([](auto& m) -> auto& { return MenuPart(m).TitleShadowDepth; }),
     kShadowDepthRange, RangeRule::Clamp},
    {"TitleShadowColor", FieldType::Colour, In<R>([](auto& m) -> auto& { return m.Props.TitleShadowColor; })},
    {"ButtonShadowDepth", FieldType::Integer,
     In<R>([](auto& m) -> auto& { return MenuPart(m).ButtonShadowDepth; }), kShadowDepthRange, RangeRule::Clamp},
    {"ButtonShadowColor", FieldType::Colour, In<R>([](auto& m) -> auto& { return m.Props.ButtonShadowColor; })},
    {"FirstButtonLeft", FieldType::Integer, In<R>([](auto& m) -> auto& { return m.Props.FirstButtonLeft; }),
     kAnyValue, RangeRule::None, FieldNote::Layout},
    {"FirstButtonTop", FieldType::Integer, In<R>([](auto& m) -> auto& { return m.Props.FirstButtonTop; }),
     kAnyValue, RangeRule::None, FieldNote::Layout},
    {"TextRect", FieldType::Rect, In<R>([](auto& m) -> auto& { return m.Props.TextRect; }), kAnyValue,
     RangeRule::None, FieldNote::Layout},
    // Set by the style, not by the file.
    {"PhotoSkin", FieldType::StyleFlag, In<R>([](auto& m) -> auto& { return m.Props.PhotoSkin; }), kAnyValue,
     RangeRule::None, FieldNote::Derived},
    {"DisableSounds", FieldType::MinusOneFlag, In<R>([](auto& m) -> auto& { return m.Props.DisableSounds; }),
     kAnyValue, RangeRule::None, FieldNote::Version9},
    {"TitleBoxVisibility", FieldType::Integer, In<R>([](auto& m) -> auto& { return m.Props.TitleBoxVisibility; }),
     kVisibilityRange, RangeRule::Clamp, FieldNote::Version9},
    {"TextBoxVisibility", FieldType::Integer, In<R>([](auto& m) -> auto& { return m.Props.TextBoxVisibility; }),
     kVisibilityRange, RangeRule::Clamp, FieldNote::Version9},
    {"ButtonStyleName", FieldType::EditorText, In<R>([](auto& m) -> auto& { return m.Props.ButtonStyleName; }),
     kAnyValue, RangeRule::None, FieldNote::Version9},
}};
static_assert(MembersFitTypes(kMenuFields<StoredMenu>));

// The ten records of each button.
template <class R>
inline constexpr std::array<Field<R>, 10> kButtonFields{{
    {"Caption", FieldType::Text, In<R>([](auto& b) -> auto& { return b.Caption; })},
    {"Command", FieldType::Text, In<R>([](auto& b) -> auto& { return b.Command; })},
    {"Argument", FieldType::Text, In<R>([](auto& b) -> auto& { return b.Argument; })},
    {"Description", FieldType::Text, In<R>([](auto& b) -> auto& { return b.Description; })},
    {"MinimizeOnClick", FieldType::IntFlag, In<R>([](auto& b) -> auto& { return b.MinimizeOnClick; })},
    {"ExitOnClick", FieldType::IntFlag, In<R>([](auto& b) -> auto& { return b.ExitOnClick; })},
    // Taken from the caption each time the menu is written.
    {"AccessKey", FieldType::Text, In<R>([](auto& b) -> auto& { return b.AccessKey; }), kAnyValue, RangeRule::None,
     FieldNote::Derived},
    {"MaximizeWindow", FieldType::IntFlag, In<R>([](auto& b) -> auto& { return b.MaximizeWindow; })},
    {"Left", FieldType::Integer, In<R>([](auto& b) -> auto& { return b.Left; }), kAnyValue, RangeRule::None,
     FieldNote::Layout},
    {"Top", FieldType::Integer, In<R>([](auto& b) -> auto& { return b.Top; }), kAnyValue, RangeRule::None,
     FieldNote::Layout},
}};
static_assert(MembersFitTypes(kButtonFields<StoredButton>));

// The range of a menu property as the editor offers it.
consteval ValueRange MenuFieldRange(std::string_view name) { return FieldNamed(kMenuFields<StoredMenu>, name).Range; }

}  // namespace orvane
