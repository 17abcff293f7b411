#include "migrator/TBDE2QuelmDorvik.h"

#include "MigratorTestModules.h"

#include "runtime/DBList.h"
#include "runtime/TQuelmDatabase.h"

#include <gtest/gtest.h>

using namespace migrator_test;

namespace {

TEST(TBDE2QuelmDorvikTest, ADroppedMigratorTakesADatabaseOfItsFormElseTheLastOne) {
  {
    // No database anywhere: none.
    TComponent form(nullptr);
    form.SetDesigning(true);
    ASSERT_TRUE(DBList().IsEmpty());
    EXPECT_EQ((new TBDE2QuelmDorvik(&form))->GetDatabase(), nullptr);
  }
  TOpenForms forms({"orders.dfm", "dm.dfm", "shared.dfm"});
  auto* database1 = forms.Find<TQuelmDatabase>("Database1");
  auto* database2 = forms.Find<TQuelmDatabase>("Database2", 2);
  EXPECT_EQ((new TBDE2QuelmDorvik(&forms.Root(0)))->GetDatabase(), database1);
  EXPECT_EQ((new TBDE2QuelmDorvik(&forms.Root(1)))->GetDatabase(), database2);
  auto* database3 = new TQuelmDatabase(&forms.Root(0));
  EXPECT_EQ((new TBDE2QuelmDorvik(&forms.Root(0)))->GetDatabase(), database3);
  // Made outside a designer (a form being run), it takes none.
  TComponent running(nullptr);
  EXPECT_EQ((new TBDE2QuelmDorvik(&running))->GetDatabase(), nullptr);
  EXPECT_EQ(TBDE2QuelmDorvik(nullptr).GetDatabase(), nullptr);
}

} // namespace
