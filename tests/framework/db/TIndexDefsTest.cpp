// Index definitions as tables and the index editors use them: finding an
// index for a field list, by name, and the refresh from the dataset.
#include "db/TIndexDefs.h"

#include "support/ExpectRaises.h"
#include "classes/TStringList.h"
#include "db/TDataSet.h"
#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

// A dataset whose index definitions are read from Indexes, counting reads.
class TIndexedDataSet : public TDataSet {
public:
  using TDataSet::TDataSet;
  void UpdateIndexDefs() override {
    ++Reads;
    Defs.Clear();
    for (const auto& [name, fields] : Indexes) Defs.Add(name, fields, {});
  }
  TIndexDefs Defs{this};
  std::vector<std::pair<std::string, std::string>> Indexes;
  int Reads = 0;
};

} // namespace

TEST(TIndexDefs, AnIndexServesTheFieldsItStartsWithWholeFieldsOnly) {
  TIndexDefs defs(nullptr);
  defs.Add("by_region_id", "Region;Id", {});
  defs.Add("by_regionname", "RegionName", {});
  struct TCase {
    const char* Fields;
    const char* Index;  // nullptr: none
  };
  const TCase cases[] = {
      {"region;id", "by_region_id"},  // whole list, ignoring case
      {"Region", "by_region_id"},     // a leading part of the list
      {"RegionName", "by_regionname"},
      {"Regio", nullptr},             // part of a field name is no field
      {"Id", nullptr},                // a later field alone is no leading part
      {"Region;Id;Name", nullptr},    // longer than every index
  };
  for (const TCase& c : cases) {
    const TIndexDef* found = defs.GetIndexForFields(c.Fields);
    EXPECT_EQ(c.Index ? std::string(c.Index) : std::string("(none)"), found ? found->Name() : std::string("(none)"))
        << c.Fields;
  }
}

TEST(TIndexDefs, NamesAreFoundIgnoringCaseAndAMissingOneIsNamedInTheError) {
  TIndexDefs defs(nullptr);
  defs.Add("", "Id", {TIndexOption::ixPrimary});
  defs.Add("ByName", "Name", {});
  EXPECT_EQ(1, defs.IndexOf("BYNAME"));
  EXPECT_EQ(-1, defs.IndexOf("ByCity"));
  EXPECT_EQ("Name", defs.Find("byname")->Fields());
  EXPECT_TRUE(TestSupport::Raises<EDatabaseError>([&] { defs.Find("ByCity"); }, "Index 'ByCity' not found"));
  // The primary index has no name and is no item of the name list.
  TStringList names;
  names.Add("stale");
  defs.GetItemNames(names);
  EXPECT_EQ((std::vector<std::string>{"ByName"}), names.ToVector());
}

TEST(TIndexDefs, UpdateReadsFromTheDataSetOnlyWhenMarkedOutOfDate) {
  TIndexedDataSet dataSet(nullptr);
  dataSet.Indexes = {{"ByName", "Name"}};
  dataSet.Defs.Update();
  dataSet.Defs.Update();
  EXPECT_EQ(1, dataSet.Reads);
  dataSet.Indexes.push_back({"ByCity", "City"});
  dataSet.Defs.SetUpdated(false);
  dataSet.Defs.Update();
  EXPECT_EQ(2, dataSet.Reads);
  EXPECT_EQ(2, dataSet.Defs.Count());
}


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
  EXPECT_EQ(TestSupport::ErrorOf<Exception>([&] { defs.FindIndexForFields("customer_id;region"); }),
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
  EXPECT_EQ(TestSupport::ErrorOf<Exception>([&] { defs.Find("nope"); }), "Index 'nope' not found");
}
