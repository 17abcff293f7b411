#include "forms/TControl.h"

#include "forms/TFont.h"
#include "forms/TForm.h"
#include "forms/TPageControl.h"
#include "forms/TPopupMenu.h"
#include "forms/TWinControl.h"

#include <algorithm>
#include <cctype>

QUELM_DEFINE_CLASS(TSizeConstraints, TPersistent, b.DefaultFactory();
                   b.Property("MaxHeight", TypeInfoInteger(), &TSizeConstraints::MaxHeight,
                              &TSizeConstraints::SetMaxHeight)
                       .Default(0);
                   b.Property("MaxWidth", TypeInfoInteger(), &TSizeConstraints::MaxWidth,
                              &TSizeConstraints::SetMaxWidth)
                       .Default(0);
                   b.Property("MinHeight", TypeInfoInteger(), &TSizeConstraints::MinHeight,
                              &TSizeConstraints::SetMinHeight)
                       .Default(0);
                   b.Property("MinWidth", TypeInfoInteger(), &TSizeConstraints::MinWidth,
                              &TSizeConstraints::SetMinWidth)
                       .Default(0))

int TSizeConstraints::ConstrainWidth(int width) const {
  if (FMaxWidth > 0 && width > FMaxWidth) width = FMaxWidth;
  if (FMinWidth > 0 && width < FMinWidth) width = FMinWidth;
  return width;
}

int TSizeConstraints::ConstrainHeight(int height) const {
  if (FMaxHeight > 0 && height > FMaxHeight) height = FMaxHeight;
  if (FMinHeight > 0 && height < FMinHeight) height = FMinHeight;
  return height;
}

void TSizeConstraints::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TSizeConstraints*>(source)) {
    FMinWidth = other->FMinWidth;
    FMinHeight = other->FMinHeight;
    FMaxWidth = other->FMaxWidth;
    FMaxHeight = other->FMaxHeight;
    return;
  }
  TPersistent::Assign(source);
}

QUELM_DEFINE_CLASS(
    TControl, TComponent,
    b.Property("Left", TypeInfoInteger(), &TControl::Left, &TControl::SetLeft);
    b.Property("Top", TypeInfoInteger(), &TControl::Top, &TControl::SetTop);
    b.Property("Width", TypeInfoInteger(), &TControl::Width, &TControl::SetWidth);
    b.Property("Height", TypeInfoInteger(), &TControl::Height, &TControl::SetHeight);
    b.Property("Align", TypeInfoAlign(), &TControl::Align, &TControl::SetAlign).Default(0);
    b.Property("Anchors", TypeInfoAnchors(), &TControl::Anchors, &TControl::SetAnchors).Default(3);
    b.Property("Constraints", TSizeConstraints::StaticClass().TypeInfo(), &TControl::Constraints,
               &TControl::SetConstraints);
    b.Property("Cursor", TypeInfoCursor(), &TControl::Cursor, &TControl::SetCursor).Default(0);
    b.Property("Enabled", TypeInfoBoolean(), &TControl::Enabled, &TControl::SetEnabled).Default(1);
    b.Property("Font", TFont::StaticClass().TypeInfo(), &TControl::Font, &TControl::SetFont);
    b.Property("HelpContext", TypeInfoHelpContext(), &TControl::HelpContext, &TControl::SetHelpContext)
        .Default(0);
    b.Property("Hint", TypeInfoString(), &TControl::Hint, &TControl::SetHint);
    b.Property("PopupMenu", TPopupMenu::StaticClass().TypeInfo(), &TControl::PopupMenu, &TControl::SetPopupMenu);
    b.Property("ShowHint", TypeInfoBoolean(), &TControl::ShowHint, &TControl::SetShowHint).Default(0);
    b.Property("Visible", TypeInfoBoolean(), &TControl::Visible, &TControl::SetVisible).Default(1))

TControl::TControl(TComponent* owner)
    : TComponent(owner), FConstraints(std::make_unique<TSizeConstraints>()), FFont(std::make_unique<TFont>()) {}

TControl::~TControl() {
  if (FParent) FParent->RemoveControl(this);
  WidgetSet().ControlDestroyed(*this);
}

void TControl::Changed(TControlChange change) { WidgetSet().ControlChanged(*this, change); }

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (parent) {
    auto* self = dynamic_cast<TWinControl*>(this);
    if (self && self->ContainsControl(parent))
      throw EInvalidOperation("A control cannot have itself or one of its children as its parent");
  }
  if (FParent) FParent->RemoveControl(this);
  if (parent) parent->InsertControl(this);
  Changed(TControlChange::Parent);
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* windowed = dynamic_cast<TWinControl*>(parent)) SetParent(windowed);
}

TForm* TControl::ParentForm() const { return GetParentForm(*this); }

void TControl::SetBounds(int left, int top, int width, int height) {
  width = FConstraints->ConstrainWidth(std::max(0, width));
  height = FConstraints->ConstrainHeight(std::max(0, height));
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  int oldClientWidth = ClientWidth(), oldClientHeight = ClientHeight();
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  Changed(TControlChange::Bounds);
  BoundsChanged(oldClientWidth, oldClientHeight);
  RequestAlign();
}

void TControl::SetAlignedBounds(int left, int top, int width, int height) {
  width = FConstraints->ConstrainWidth(std::max(0, width));
  height = FConstraints->ConstrainHeight(std::max(0, height));
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  int oldClientWidth = ClientWidth(), oldClientHeight = ClientHeight();
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  Changed(TControlChange::Bounds);
  BoundsChanged(oldClientWidth, oldClientHeight);
}

void TControl::RequestAlign() {
  if (FParent && FAlign != TAlign::alNone) FParent->Realign();
}

void TControl::SetAlign(TAlign align) {
  if (align == FAlign) return;
  FAlign = align;
  if (FParent) FParent->Realign();
}

void TControl::SetFont(TFont* font) { FFont->Assign(font); }

void TControl::SetConstraints(TSizeConstraints* constraints) {
  FConstraints->Assign(constraints);
  SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::SetVisible(bool visible) {
  if (visible == FVisible) return;
  FVisible = visible;
  Changed(TControlChange::Visible);
  RequestAlign();
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  Changed(TControlChange::Enabled);
}

void TControl::SetText(const std::string& text) {
  if (text == FText) return;
  FText = text;
  Changed(TControlChange::Text);
  TextChanged();
}

TPopupMenu* TControl::PopupMenu() const { return static_cast<TPopupMenu*>(FPopupMenu.Get()); }
void TControl::SetPopupMenu(TPopupMenu* menu) { FPopupMenu = menu; }

const TControl* TControl::FirstHidden() const {
  for (const TControl* c = this; c; c = c->FParent) {
    if (!c->FVisible) return c;
    if (auto* sheet = dynamic_cast<const TTabSheet*>(c))
      if (sheet->PageControl() && sheet->PageControl()->ActivePage() != sheet) return c;
    if (!c->FParent && !dynamic_cast<const TForm*>(c)) return c;  // on no form
  }
  return nullptr;
}

const TControl* TControl::FirstDisabled() const {
  for (const TControl* c = this; c; c = c->FParent)
    if (!c->FEnabled) return c;
  return nullptr;
}

void TControl::Click() { OnClick(this); }
void TControl::DblClick() { OnDblClick(this); }

void TControl::Invalidate() {
  for (TControl* c = this; c; c = c->FParent)
    if (auto* windowed = dynamic_cast<TWinControl*>(c)) {
      if (windowed->HandleAllocated()) WidgetSet().Invalidate(windowed->Handle());
      return;
    }
}

void TControl::Loaded() {
  TComponent::Loaded();
  RequestAlign();
}

std::string StripHotkey(const std::string& caption) {
  std::string text;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        text += '&';
        ++i;
      }
      continue;
    }
    text += caption[i];
  }
  return text;
}

char AcceleratorChar(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i + 1])));
  }
  return 0;
}
