#pragma once
// Menus: a tree of menu items under a menu's root item, and the popup menu
// that a control opens on a right click. While it is open the popup menu
// knows the component it was opened on (PopupComponent), so one menu can
// serve several controls. Items sit in their parent item but, like
// controls, are owned by the form.
#include "classes/TComponent.h"
#include "classes/TComponentRef.h"
#include "forms/FormTypes.h"

#include <memory>
#include <vector>

class TMenu;

class TMenuItem : public TComponent {
  QUELM_CLASS(TMenuItem, TComponent)

public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption) { FCaption = caption; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled) { FEnabled = enabled; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool visible) { FVisible = visible; }
  bool Checked() const { return FChecked; }
  void SetChecked(bool checked) { FChecked = checked; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& hint) { FHint = hint; }
  int ShortCut() const { return FShortCut; }
  void SetShortCut(int shortCut) { FShortCut = shortCut; }

  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) const;
  TMenuItem* Parent() const { return FParent; }
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  // The item under this one whose name or caption (without its accelerator
  // mark) is text, ignoring case; none when absent.
  TMenuItem* Find(const std::string& text) const;
  // The menu whose tree holds the item.
  TMenu* GetParentMenu() const;

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;

  virtual void Click();
  TNotifyEvent OnClick;

private:
  friend class TMenu;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on the root item only
  std::vector<TMenuItem*> FItems;
  std::string FCaption;
  bool FEnabled = true;
  bool FVisible = true;
  bool FChecked = false;
  std::string FHint;
  int FShortCut = 0;
};

class TMenu : public TComponent {
  QUELM_CLASS(TMenu, TComponent)

public:
  explicit TMenu(TComponent* owner);
  // The root item; the menu's entries are its items.
  TMenuItem* Items() const { return FItems.get(); }

private:
  std::unique_ptr<TMenuItem> FItems;
};

class TPopupMenu : public TMenu {
  QUELM_CLASS(TPopupMenu, TMenu)

public:
  explicit TPopupMenu(TComponent* owner);

  TComponent* PopupComponent() const { return FPopupComponent.Get(); }
  void SetPopupComponent(TComponent* component) { FPopupComponent = component; }
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool autoPopup) { FAutoPopup = autoPopup; }
  // Opens the menu at a screen position: fires OnPopup, then the widgetset
  // shows it.
  void Popup(int x, int y);

  TNotifyEvent OnPopup;

private:
  TComponentRef<TComponent> FPopupComponent;
  bool FAutoPopup = true;
};
