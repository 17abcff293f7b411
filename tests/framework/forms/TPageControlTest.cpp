#include "forms/TPageControl.h"

#include "TestDialog.h"
#include "forms/TApplication.h"
#include "forms/TFormUser.h"
#include "forms/TRadioGroup.h"

#include <gtest/gtest.h>

TEST(TPageControl, APageOfAnotherControlCannotBeActive) {
  TForm form(nullptr);
  TPageControl a(&form), b(&form);
  TTabSheet sheet(&form);
  sheet.SetPageControl(&b);
  EXPECT_THROW(a.SetActivePage(&sheet), EInvalidOperation);
  EXPECT_EQ(&sheet, b.ActivePage());  // the first page to join became active
  EXPECT_EQ(0, sheet.PageIndex());
}

TEST(TPageControl, ChangingPagesAsksAndReports) {
  auto dialog = CreateForm<TTestDialog>(&Application());
  TPageControl& pages = *dialog->PageControl;
  EXPECT_EQ(2, pages.PageCount());
  EXPECT_EQ(0, pages.ActivePageIndex());
  std::vector<std::string> log;
  bool allow = false;
  pages.OnChanging = TTabChangingEvent([&](TObject*, bool& allowChange) {
    log.push_back("changing " + pages.ActivePage()->Name());
    allowChange = allow;
  });
  pages.OnChange = TNotifyEvent([&](TObject*) { log.push_back("change " + pages.ActivePage()->Name()); });
  pages.SelectNextPage(true);
  EXPECT_EQ(0, pages.ActivePageIndex());
  allow = true;
  pages.SelectNextPage(true);
  pages.SelectNextPage(true);  // wraps around
  dialog->TextPage->SetTabVisible(false);
  pages.SelectNextPage(false);  // no other page with a visible tab
  pages.SetActivePageIndex(1);  // from code: no events
  EXPECT_EQ((std::vector<std::string>{"changing OptionsPage", "changing OptionsPage", "change TextPage",
                                      "changing TextPage", "change OptionsPage"}),
            log);
  EXPECT_EQ(dialog->TextPage, pages.ActivePage());
  dialog->TextPage->SetPageIndex(0);
  EXPECT_EQ(0, pages.ActivePageIndex());
  EXPECT_EQ(dialog->OptionsPage, pages.Pages(1));
}

TEST(TRadioGroup, ChoosingAnotherItemFiresClick) {
  TRadioGroup group(nullptr);
  int clicks = 0;
  group.OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
  for (const char* item : {"&Modify", "&Insert", "&Delete", "&Refresh Record"}) group.Items()->Add(item);
  group.SetColumns(4);
  group.SetItemIndex(0);
  group.SetItemIndex(0);  // the same item: no click
  group.SetItemIndex(9);  // past the end: the last item
  EXPECT_EQ(3, group.ItemIndex());
  EXPECT_EQ(2, clicks);
  group.Items()->Delete(3);
  EXPECT_EQ(-1, group.ItemIndex());
  // While loading, the index waits for the items.
  group.Items()->Clear();
  group.SetLoading(true);
  group.SetItemIndex(1);
  group.Items()->Add("a");
  group.Items()->Add("b");
  group.Loaded();
  EXPECT_EQ(1, group.ItemIndex());
  EXPECT_EQ(2, clicks);
}
