#pragma once
// A control's font as its form file stores it: Font.Name, Font.Height (in
// pixels, negative without the leading) and Font.Style. The colour and the
// character set, which files give as the host's constant names, stay in the
// file as read.
#include "classes/TPersistent.h"
#include "classes/TValue.h"
#include "classes/TypeInfo.h"

#include <string>

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
const TTypeInfo& TypeInfoFontStyles();

class TFont : public TPersistent {
  QUELM_CLASS(TFont, TPersistent)

public:
  TFont() = default;

  const std::string& Name() const { return FName; }
  void SetName(const std::string& name) { FName = name; }
  int Height() const { return FHeight; }
  void SetHeight(int height) { FHeight = height; }
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles style) { FStyle = style; }
  void Assign(const TPersistent* source) override;

private:
  std::string FName;
  int FHeight = 0;
  TFontStyles FStyle;
};
