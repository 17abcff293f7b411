#include "forms/TPageControl.h"

#include "forms/TForm.h"
#include "rtl/TList.h"

#include <algorithm>

QUELM_DEFINE_CLASS(TTabSheet, TWinControl, b.ComponentFactory();
                   b.Property("Caption", TypeInfoCaption(), &TTabSheet::Caption, &TTabSheet::SetCaption);
                   b.Property("PageIndex", TypeInfoInteger(), &TTabSheet::PageIndex, &TTabSheet::SetPageIndex)
                       .Stored([](const TTabSheet&) { return false; });
                   b.Property("TabVisible", TypeInfoBoolean(), &TTabSheet::TabVisible, &TTabSheet::SetTabVisible)
                       .Default(1))

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {}

TTabSheet::~TTabSheet() { SetParent(nullptr); }

TPageControl* TTabSheet::PageControl() const { return dynamic_cast<TPageControl*>(Parent()); }

void TTabSheet::SetPageControl(TPageControl* pageControl) { SetParent(pageControl); }

int TTabSheet::PageIndex() const {
  TPageControl* pc = PageControl();
  if (!pc) return -1;
  auto it = std::find(pc->FPages.begin(), pc->FPages.end(), this);
  return it == pc->FPages.end() ? -1 : static_cast<int>(it - pc->FPages.begin());
}

void TTabSheet::SetPageIndex(int index) {
  TPageControl* pc = PageControl();
  if (!pc) return;
  auto& pages = pc->FPages;
  pages.erase(std::remove(pages.begin(), pages.end(), this), pages.end());
  index = std::clamp(index, 0, static_cast<int>(pages.size()));
  pages.insert(pages.begin() + index, this);
}

QUELM_DEFINE_CLASS(TPageControl, TWinControl, b.ComponentFactory();
                   b.Property("ActivePage", TTabSheet::StaticClass().TypeInfo(), &TPageControl::ActivePage,
                              &TPageControl::SetActivePage);
                   b.Event("OnChange", TypeInfoNotifyEvent(), &TPageControl::OnChange);
                   b.Event("OnChanging", TypeInfoTabChangingEvent(), &TPageControl::OnChanging))

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 289, 193);
}

TTabSheet* TPageControl::Pages(int index) const {
  if (index < 0 || index >= PageCount()) RaiseListIndexError(index);
  return FPages[static_cast<size_t>(index)];
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->PageControl() != this) {
    // A form definition may name the active page before the page joined.
    if (IsLoading()) {
      FPendingActivePage = page;
      return;
    }
    throw EInvalidOperation("The page belongs to another page control");
  }
  TTabSheet* old = FActivePage.Get();
  FActivePage = page;
  Changed(TControlChange::ActivePage);
  // The focus does not stay on a page that goes out of view: it moves to the
  // new page, as on the host.
  TForm* form = GetParentForm(*this);
  if (old && old != page && form && form->IsShowingModal() && old->ContainsControl(form->ActiveControl()))
    form->FocusControl(page && page->CanFocus() ? static_cast<TWinControl*>(page) : this);
}

int TPageControl::ActivePageIndex() const { return ActivePage() ? ActivePage()->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) {
  SetActivePage(index >= 0 && index < PageCount() ? Pages(index) : nullptr);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const {
  int n = PageCount();
  if (n == 0) return nullptr;
  int start = current ? current->PageIndex() : -1;
  if (start < 0) start = goForward ? n - 1 : 0;
  for (int step = 1; step <= n; ++step) {
    int i = ((start + (goForward ? step : -step)) % n + n) % n;
    TTabSheet* page = FPages[static_cast<size_t>(i)];
    if (!checkTabVisible || page->TabVisible()) return page;
  }
  return nullptr;
}

void TPageControl::SelectNextPage(bool goForward, bool checkTabVisible) {
  TTabSheet* page = FindNextPage(ActivePage(), goForward, checkTabVisible);
  if (page && page != ActivePage()) ChangePage(page);
}

bool TPageControl::ChangePage(TTabSheet* page) {
  if (page == ActivePage()) return true;
  bool allow = true;
  OnChanging(this, allow);
  if (!allow) return false;
  SetActivePage(page);
  OnChange(this);
  return true;
}

TRect TPageControl::AlignRect() const { return {4, 24, ClientWidth() - 4, ClientHeight() - 4}; }

void TPageControl::AlignControls(TRect& rect) {
  for (TTabSheet* page : FPages) page->SetAlignedBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
  TWinControl::AlignControls(rect);
}

void TPageControl::ControlInserted(TControl* control) {
  auto* page = dynamic_cast<TTabSheet*>(control);
  if (!page) return;
  FPages.push_back(page);
  if (FPendingActivePage.Get() == page) {
    FPendingActivePage = nullptr;
    FActivePage = page;
  } else if (!FActivePage) {
    FActivePage = page;
  }
  Realign();
}

void TPageControl::ControlRemoved(TControl* control) {
  auto* page = dynamic_cast<TTabSheet*>(control);
  if (!page) return;
  FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
  if (FActivePage.Get() == page) FActivePage = FPages.empty() ? nullptr : FPages.front();
}

void TPageControl::Loaded() {
  TWinControl::Loaded();
  if (TTabSheet* pending = FPendingActivePage.Get(); pending && pending->PageControl() == this) FActivePage = pending;
  FPendingActivePage = nullptr;
}
