#include "db/TIndexDefs.h"

#include "db/TDataSet.h"
#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& e) {
    return e.Message();
  }
  ADD_FAILURE() << "no exception was raised";
  return "(no exception)";
}

} // namespace

TEST(TIndexDefsTest, AFieldListFindsTheIndexThatCoversIt) {
  TDataSet table(nullptr);
  table.SetName("Orders");
  TIndexDefs defs(&table);
  defs.Add("", "order_no", TIndexOptions{TIndexOption::ixPrimary});
  defs.Add("by_customer_date", "region;customer_id;created", {});
  defs.Add("by_customer", "region;customer_id", {});
  defs.Add("by_reg", "regional", {});
  auto found = [&](const std::string& fields) {
    const TIndexDef* def = defs.GetIndexForFields(fields);
    return def ? "'" + def->Name() + "'" : std::string("none");
  };
  // An exact list wins over a longer index listed earlier; a leading part
  // finds the first index it starts; a name prefix is no field prefix.
  EXPECT_EQ(found("region;customer_id"), "'by_customer'");
  EXPECT_EQ(found("REGION;Customer_Id"), "'by_customer'");
  EXPECT_EQ(found("region"), "'by_customer_date'");
  EXPECT_EQ(found("order_no"), "''");
  EXPECT_EQ(found("reg"), "none");
  EXPECT_EQ(found("customer_id"), "none");
  EXPECT_EQ(found(""), "none");
  EXPECT_EQ(defs.FindIndexForFields("region")->Name(), "by_customer_date");
  EXPECT_EQ(ErrorOf([&] { defs.FindIndexForFields("customer_id;region"); }),
            "Orders: No index for fields 'customer_id;region'");
}

TEST(TIndexDefsTest, NamesAreLookedUpIgnoringCase) {
  TDataSet table(nullptr);
  TIndexDefs defs(&table);
  defs.Add("", "id", TIndexOptions{TIndexOption::ixPrimary});
  defs.Add("ByName", "name", {});
  EXPECT_EQ(defs.IndexOf("byname"), 1);
  EXPECT_EQ(defs.IndexOf(""), 0);
  EXPECT_EQ(defs.IndexOf("nope"), -1);
  EXPECT_EQ(ErrorOf([&] { defs.Find("nope"); }), "Index 'nope' not found");
}
