#include "support/ExpectRaises.h"
#include "TestBackends.h"

#include "classes/TStringList.h"
#include "classes/TypInfo.h"
#include "db/DatabaseError.h"
#include "db/TDataSource.h"
#include "runtime/TQuelmTable.h"

#include <algorithm>
#include <memory>

namespace {

std::string ErrorOf(const std::function<void()>& action) { return TestSupport::ErrorOf<Exception>(action); }

std::string IndexText(const TIndexDef& def) {
  const TIndexOptions o = def.Options();
  std::string flags;
  if (o.Contains(TIndexOption::ixPrimary)) flags += "P";
  if (o.Contains(TIndexOption::ixUnique)) flags += "U";
  if (o.Contains(TIndexOption::ixDescending)) flags += "D";
  return "'" + def.Name() + "' " + flags + " " + def.Fields() + (def.DescFields().empty() ? "" : " desc " + def.DescFields());
}

// Column values of the open table, one string per row, fields joined by "|".
std::vector<std::string> Rows(TQuelmTable& table, std::vector<std::string> fields) {
  std::vector<std::string> rows;
  for (table.First(); !table.Eof(); table.Next()) {
    std::string row;
    for (const std::string& f : fields) {
      if (!row.empty()) row += "|";
      row += table.FieldValue(*table.FieldByName(f)).value_or("NULL");
    }
    rows.push_back(row);
  }
  return rows;
}

class TableTest : public ::testing::TestWithParam<TBackend> {
protected:
  void SetUp() override {
    FDatabase = std::make_unique<TQuelmDatabase>(nullptr);
    FTable = std::make_unique<TQuelmTable>(nullptr);
    FTable->SetName("Table1");
  }
  void Connect() { ASSERT_TRUE(ConnectTestDatabase(*FDatabase, GetParam())); FTable->SetDatabase(FDatabase.get()); }
  std::unique_ptr<TQuelmDatabase> FDatabase;
  std::unique_ptr<TQuelmTable> FTable;
};

#define CONNECT()                                                       \
  do {                                                                  \
    if (GetParam() == TBackend::Server && !HasTestServer()) {           \
      if (InCI()) FAIL() << NoServerMessage();                          \
      GTEST_SKIP() << NoServerMessage();                                \
    }                                                                   \
    Connect();                                                          \
  } while (0)

TEST(TableWithoutServer, OpenNeedsDatabaseAndTableName) {
  TQuelmTable table(nullptr);
  table.SetName("Table1");
  EXPECT_EQ(ErrorOf([&] { table.Open(); }), "Table1: Missing TableName property");
  table.SetTableName("customer");
  EXPECT_EQ(ErrorOf([&] { table.Open(); }), "Table1: Database not assigned");
  EXPECT_FALSE(table.Active());
  // Without a table name there are no index definitions to read.
  TStringList names;
  table.SetTableName("");
  table.GetIndexNames(names);
  EXPECT_EQ(names.Count(), 0);
  EXPECT_EQ(table.GetIndexFieldCount(), 0);
}

TEST(TableWithoutServer, MasterSourceLinks) {
  TQuelmTable master(nullptr), detail(nullptr), other(nullptr);
  master.SetName("Master");
  TDataSource masterSource(nullptr), detailSource(nullptr);
  masterSource.SetDataSet(&master);
  detailSource.SetDataSet(&detail);
  detail.SetMasterSource(&masterSource);
  EXPECT_TRUE(masterSource.IsLinkedTo(&detail));
  EXPECT_FALSE(masterSource.IsLinkedTo(&other));
  EXPECT_FALSE(detailSource.IsLinkedTo(&master));
  // The master following its own detail would close a loop.
  EXPECT_EQ(ErrorOf([&] { master.SetMasterSource(&detailSource); }), "Master: Circular datalinks are not allowed");
  EXPECT_EQ(master.MasterSource(), nullptr);
  // A freed data source clears the reference.
  {
    TDataSource temporary(nullptr);
    other.SetMasterSource(&temporary);
  }
  EXPECT_EQ(other.MasterSource(), nullptr);
}

TEST_P(TableTest, IndexDefinitionsFromTheServer) {
  CONNECT();
  auto check = [&](const std::string& table, std::vector<std::string> expected) {
    FTable->SetTableName(table);
    TIndexDefs& defs = FTable->GetIndexDefs();
    defs.SetUpdated(false);
    defs.Update();
    std::vector<std::string> actual;
    for (int i = 0; i < defs.Count(); ++i) actual.push_back(IndexText(*defs.Items(i)));
    EXPECT_EQ(actual, expected) << table;
  };
  check("no_key", {});
  check("customer", {"'' PU region;id", "'email_unique' U email", "'name_desc' D name;id desc name"});
  check("item", {"'' PU id", "'sku_lower_idx'  sku_lower"});
  check("a`b", {"'' PU c`d", "'k`1'  e'f"});
  check("Grüße", {"'schlüssel'  Straße"});
}

TEST_P(TableTest, IndexNamesAndTheCurrentIndexFields) {
  CONNECT();
  FTable->SetTableName("customer");
  TStringList names;
  names.Add("stale");
  FTable->GetIndexNames(names);
  EXPECT_EQ(names.ToVector(), (std::vector<std::string>{"email_unique", "name_desc"}));

  FTable->Open();
  auto fields = [&] {
    std::vector<std::string> list;
    for (int i = 0; i < FTable->GetIndexFieldCount(); ++i) list.push_back(FTable->GetIndexField(i)->FieldName());
    return list;
  };
  EXPECT_EQ(fields(), (std::vector<std::string>{"region", "id"}));
  FTable->SetIndexName("name_desc");
  EXPECT_EQ(fields(), (std::vector<std::string>{"name", "id"}));
  FTable->SetIndexFieldNames("email");
  EXPECT_EQ(FTable->IndexName(), "");
  EXPECT_EQ(fields(), (std::vector<std::string>{"email"}));
  EXPECT_EQ(ErrorOf([&] { FTable->GetIndexField(1); }), "List index out of bounds (1)");
  // An unknown index: the open table cannot reorder and closes.
  EXPECT_EQ(ErrorOf([&] { FTable->SetIndexName("nope"); }), "Table1: Index 'nope' not found");
  EXPECT_FALSE(FTable->Active());
  EXPECT_EQ(ErrorOf([&] { FTable->GetIndexFieldCount(); }), "Table1: Index 'nope' not found");
}

TEST_P(TableTest, OpenReadsTheRowsInIndexOrder) {
  CONNECT();
  FTable->SetTableName("customer");
  FTable->Open();
  EXPECT_EQ(Rows(*FTable, {"region", "id", "name", "email"}),
            (std::vector<std::string>{"EU|1|Anton|anton@example.org", "EU|2|Berta|berta@example.org", "US|1|Carol|NULL"}));
  FTable->SetIndexName("name_desc");
  EXPECT_EQ(Rows(*FTable, {"name"}), (std::vector<std::string>{"Carol", "Berta", "Anton"}));
  FTable->SetIndexFieldNames("balance");
  EXPECT_EQ(Rows(*FTable, {"balance"}), (std::vector<std::string>{"0.00", "10.50", "99.99"}));
  FTable->Close();

  FTable->SetIndexFieldNames("");
  FTable->SetTableName("a`b");
  FTable->Open();
  EXPECT_EQ(Rows(*FTable, {"c`d", "e'f"}), (std::vector<std::string>{"1|it's"}));
  FTable->Close();
  FTable->SetTableName("Grüße");
  FTable->Open();
  EXPECT_EQ(Rows(*FTable, {"Straße", "名前"}), (std::vector<std::string>{"Hauptstraße|山田"}));
}

TEST_P(TableTest, FieldDefinitionsFromTheServer) {
  CONNECT();
  FTable->SetTableName("customer");
  FTable->FieldDefs().Update();
  auto text = [](const TFieldDef& d) {
    return d.Name() + " " + GetEnumName(TypeInfoFieldType(), static_cast<int>(d.DataType())) + " " +
           std::to_string(d.Size()) + (d.Precision() ? "." + std::to_string(d.Precision()) : "") +
           (d.Required() ? " required" : "");
  };
  std::vector<std::string> defs;
  for (int i = 0; i < FTable->FieldDefs().Count(); ++i) defs.push_back(text(*FTable->FieldDefs().Items(i)));
  EXPECT_EQ(defs, (std::vector<std::string>{"region ftFixedChar 2 required", "id ftInteger 0 required",
                                            "name ftString 40 required", "email ftString 80", "balance ftBCD 2.12",
                                            "created ftDateTime 0"}));
  FTable->SetTableName("item");
  FTable->FieldDefs().Update();
  defs.clear();
  for (int i = 0; i < FTable->FieldDefs().Count(); ++i) defs.push_back(text(*FTable->FieldDefs().Items(i)));
  EXPECT_EQ(defs, (std::vector<std::string>{"id ftAutoInc 0", "sku ftString 20 required", "sku_lower ftString 20",
                                            "price ftFloat 0"}));
  FTable->SetTableName("wide");
  FTable->FieldDefs().Update();
  EXPECT_EQ(FTable->FieldDefs().Count(), 1000);
}

TEST_P(TableTest, MissingTableRaisesTheServersMessage) {
  CONNECT();
  FTable->SetTableName("nope");
  EXPECT_EQ(ErrorOf([&] { FTable->Open(); }), "Table 'quelm_test.nope' doesn't exist");
  EXPECT_FALSE(FTable->Active());
}

TEST_P(TableTest, DetailFollowsTheMastersCurrentRecord) {
  CONNECT();
  FTable->SetTableName("customer");
  FTable->Open();
  TDataSource source(nullptr);
  source.SetDataSet(FTable.get());
  TQuelmTable orders(nullptr);
  orders.SetDatabase(FDatabase.get());
  orders.SetTableName("orders");
  orders.SetIndexFieldNames("region;customer_id");
  orders.SetMasterFields("region;id");
  orders.SetMasterSource(&source);
  orders.Open();
  std::vector<std::string> numbers;
  for (orders.First(); !orders.Eof(); orders.Next())
    numbers.push_back(*orders.FieldValue(*orders.FieldByName("order_no")));
  std::sort(numbers.begin(), numbers.end());
  EXPECT_EQ(numbers, (std::vector<std::string>{"10", "12"}));
}

INSTANTIATE_TEST_SUITE_P(Backends, TableTest, ::testing::ValuesIn(BackendsToTest()), BackendName);

} // namespace
