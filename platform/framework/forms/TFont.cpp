#include "forms/TFont.h"

const TTypeInfo& TypeInfoFontStyles() {
  static const TTypeInfo style = MakeEnumType("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
  static const TTypeInfo info = MakeSetType("TFontStyles", style);
  return info;
}

QUELM_DEFINE_CLASS(TFont, TPersistent, b.DefaultFactory();
                   b.Property("Height", TypeInfoInteger(), &TFont::Height, &TFont::SetHeight).Default(0);
                   b.Property("Name", TypeInfoString(), &TFont::Name, &TFont::SetName);
                   b.Property("Style", TypeInfoFontStyles(), &TFont::Style, &TFont::SetStyle).Default(0))

void TFont::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TFont*>(source)) {
    FName = other->FName;
    FHeight = other->FHeight;
    FStyle = other->FStyle;
    return;
  }
  TPersistent::Assign(source);
}
