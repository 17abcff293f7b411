#pragma once
// Pages with tabs. A tab sheet whose parent is a page control is one of its
// pages, in the order the sheets joined; only the active page shows. The
// first page to join becomes active when no page is. When the page that
// goes out of view holds the focus, the focus moves to the new page.
// Setting ActivePage from code fires no event; ChangePage is what clicking a tab does
// (OnChanging may refuse, then OnChange).
#include "forms/TWinControl.h"

#include <vector>

class TPageControl;

class TTabSheet : public TWinControl {
  QUELM_CLASS(TTabSheet, TWinControl)

public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;

  TPageControl* PageControl() const;
  void SetPageControl(TPageControl* pageControl);
  int PageIndex() const;
  void SetPageIndex(int index);
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool visible) { FTabVisible = visible; }
  bool AcceptsControls() const override { return true; }

private:
  bool FTabVisible = true;
};

class TPageControl : public TWinControl {
  QUELM_CLASS(TPageControl, TWinControl)

public:
  explicit TPageControl(TComponent* owner);

  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int index) const;
  TTabSheet* ActivePage() const { return FActivePage.Get(); }
  // Raises EInvalidOperation for a sheet of another page control.
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  // The next (or previous) page with a visible tab after the active one,
  // wrapping around; none when there is no other.
  TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const;
  // Moves to the next page as Ctrl+Tab does, with the events of a tab click.
  void SelectNextPage(bool goForward, bool checkTabVisible = true);
  // A click on a page's tab; false when OnChanging refused.
  bool ChangePage(TTabSheet* page);

  // The area under the tabs, where every page lies.
  TRect AlignRect() const override;
  void Loaded() override;

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

protected:
  void AlignControls(TRect& rect) override;
  void ControlInserted(TControl* control) override;
  void ControlRemoved(TControl* control) override;

private:
  friend class TTabSheet;
  std::vector<TTabSheet*> FPages;
  TComponentRef<TTabSheet> FActivePage;
  TComponentRef<TTabSheet> FPendingActivePage;
};
