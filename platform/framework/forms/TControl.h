#pragma once
// The visual component base: place in its parent, alignment and anchors,
// visibility, enabled state, caption, help context, hint and popup menu.
// A control's parent is where it sits, not who owns it: the form owns the
// controls it holds and a parent only lists its children, so destroying a
// parent detaches its children and their owner frees them.
#include "classes/TComponent.h"
#include "classes/TComponentRef.h"
#include "forms/FormTypes.h"
#include "forms/TWidgetSet.h"

#include <memory>
#include <string>

class TFont;
class TForm;
class TPopupMenu;
class TWinControl;

QUELM_EXCEPTION_CLASS(EInvalidOperation, Exception)

// The smallest and largest size a control may take; 0 means no limit.
class TSizeConstraints : public TPersistent {
  QUELM_CLASS(TSizeConstraints, TPersistent)

public:
  TSizeConstraints() = default;

  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int v) { FMinWidth = v; }
  int MinHeight() const { return FMinHeight; }
  void SetMinHeight(int v) { FMinHeight = v; }
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int v) { FMaxWidth = v; }
  int MaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(int v) { FMaxHeight = v; }

  int ConstrainWidth(int width) const;
  int ConstrainHeight(int height) const;
  void Assign(const TPersistent* source) override;

private:
  int FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
};

class TControl : public TComponent {
  QUELM_CLASS(TControl, TComponent)

public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return FParent; }
  // Raises EInvalidOperation when the parent would be the control itself or
  // one of its children.
  virtual void SetParent(TWinControl* parent);
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;
  // The form the control sits on (itself for a form), none when it sits on none.
  TForm* ParentForm() const;

  int Left() const { return FLeft; }
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  int Top() const { return FTop; }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  int Width() const { return FWidth; }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  int Height() const { return FHeight; }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  // Sizes pass through the constraints; a change realigns the parent when the
  // control is aligned, and moves the anchored children of a windowed control.
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  // Sets the bounds without asking the parent to realign: what a parent's
  // alignment uses to place its children.
  void SetAlignedBounds(int left, int top, int width, int height);

  // The inner size, without the frame a form or a bordered control draws.
  virtual int ClientWidth() const { return FWidth; }
  virtual int ClientHeight() const { return FHeight; }
  void SetClientWidth(int v) { SetWidth(v + FWidth - ClientWidth()); }
  void SetClientHeight(int v) { SetHeight(v + FHeight - ClientHeight()); }

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign align);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors anchors) { FAnchors = anchors; }
  TSizeConstraints* Constraints() const { return FConstraints.get(); }
  void SetConstraints(TSizeConstraints* constraints);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* font);

  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool enabled);

  // Caption and Text are one text, as on the host's controls; edits and
  // combo boxes publish it as Text, the others as Caption.
  virtual std::string GetText() const { return FText; }
  virtual void SetText(const std::string& text);
  std::string Caption() const { return GetText(); }
  void SetCaption(const std::string& caption) { SetText(caption); }
  std::string Text() const { return GetText(); }

  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int context) { FHelpContext = context; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& hint) { FHint = hint; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool show) { FShowHint = show; }
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor cursor) { FCursor = cursor; }
  TPopupMenu* PopupMenu() const;
  void SetPopupMenu(TPopupMenu* menu);

  // Visible on screen: visible itself, every parent visible, on the active
  // page of a page control, on a form that is shown.
  bool IsShowing() const { return FirstHidden() == nullptr; }
  // The control or ancestor that keeps it from showing: an invisible one or a
  // page that is not the active one; none when it shows.
  const TControl* FirstHidden() const;
  // Enabled with every parent.
  bool IsEffectivelyEnabled() const { return FirstDisabled() == nullptr; }
  const TControl* FirstDisabled() const;

  // What a click and a double-click do: fire OnClick or OnDblClick.
  virtual void Click();
  virtual void DblClick();
  // Asks for a repaint, which wipes whatever was drawn over the control.
  void Invalidate();
  // Tells the widgetset that a setter changed the control, so a native peer
  // re-reads it.
  void Changed(TControlChange change);
  void Loaded() override;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;

protected:
  // Called after the text changed.
  virtual void TextChanged() {}
  // Called after the bounds changed, with the client size before the change.
  virtual void BoundsChanged(int oldClientWidth, int oldClientHeight) {}
  // Realigns the parent when this control takes part in its alignment.
  void RequestAlign();

private:
  friend class TWinControl;

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = TAlign::alNone;
  TAnchors FAnchors{TAnchorKind::akLeft, TAnchorKind::akTop};
  std::unique_ptr<TSizeConstraints> FConstraints;
  std::unique_ptr<TFont> FFont;
  bool FVisible = true;
  bool FEnabled = true;
  std::string FText;
  int FHelpContext = 0;
  std::string FHint;
  bool FShowHint = false;
  TCursor FCursor = crDefault;
  TComponentRef<TComponent> FPopupMenu;
};

// The control's text with the accelerator marks removed: "&&" stands for one
// "&", a single "&" disappears ("Get &Table Fields" reads "Get Table Fields").
std::string StripHotkey(const std::string& caption);
// The letter a caption marks with "&", lower case; 0 when it marks none.
char AcceleratorChar(const std::string& caption);
