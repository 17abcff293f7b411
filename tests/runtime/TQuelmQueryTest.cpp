#include "support/ExpectRaises.h"
#include "TestBackends.h"

#include "classes/TStringList.h"
#include "runtime/QuelmConnection.h"
#include "runtime/TQuelmMacroQuery.h"
#include "runtime/TQuelmQuery.h"

#include <memory>

namespace {

std::string ErrorOf(const std::function<void()>& action) { return TestSupport::ErrorOf<Exception>(action); }

std::vector<std::string> Column(TQuelmQuery& query, const std::string& field) {
  std::vector<std::string> values;
  for (query.First(); !query.Eof(); query.Next())
    values.push_back(query.FieldValue(*query.FieldByName(field)).value_or("NULL"));
  return values;
}

class QueryTest : public ::testing::TestWithParam<TBackend> {
protected:
  void SetUp() override {
    FDatabase = std::make_unique<TQuelmDatabase>(nullptr);
    FQuery = std::make_unique<TQuelmQuery>(nullptr);
    FQuery->SetName("Query1");
  }
  bool Connect() {
    if (GetParam() == TBackend::Server && !HasTestServer()) return false;
    ConnectTestDatabase(*FDatabase, GetParam());
    FQuery->SetDatabase(FDatabase.get());
    return true;
  }
  std::unique_ptr<TQuelmDatabase> FDatabase;
  std::unique_ptr<TQuelmQuery> FQuery;
};

#define CONNECT()                                      \
  do {                                                 \
    if (!Connect()) {                                  \
      if (InCI()) FAIL() << NoServerMessage();         \
      GTEST_SKIP() << NoServerMessage();               \
    }                                                  \
  } while (0)

TEST(QueryWithoutServer, ParametersFollowTheText) {
  TQuelmQuery query(nullptr);
  query.SetName("Query1");
  EXPECT_EQ(ErrorOf([&] { query.Open(); }), "Query1: No SQL statement available");
  query.GetQuery().SetText("SELECT * FROM t WHERE a = :a AND b = :B -- :c\n AND d = ':d' AND e = :a AND f::int = 1");
  ASSERT_EQ(query.Params()->Count(), 2);
  EXPECT_EQ(query.Params()->Items(0)->Name(), "a");
  EXPECT_EQ(query.Params()->Items(1)->Name(), "B");
  query.Params()->ParamByName("a")->SetAsString("kept");
  query.GetQuery().SetText("SELECT :x, :a");
  ASSERT_EQ(query.Params()->Count(), 2);
  EXPECT_EQ(query.Params()->Items(0)->Name(), "x");
  EXPECT_TRUE(query.Params()->Items(0)->IsNull());
  EXPECT_EQ(query.Params()->Items(1)->AsString(), "kept");
  EXPECT_EQ(ErrorOf([&] { query.Open(); }), "Query1: Database not assigned");
}

TEST_P(QueryTest, FieldDefinitionsWithoutRunningTheStatement) {
  CONNECT();
  // Preparing does not run the statement: the variable stays unset.
  FQuery->GetQuery().SetText("SELECT c.name, c.balance, @quelm_probe := 1 AS probe FROM customer c WHERE c.region = :region");
  FQuery->FieldDefs().Update();
  std::vector<std::string> names;
  for (int i = 0; i < FQuery->FieldDefs().Count(); ++i) names.push_back(FQuery->FieldDefs().Items(i)->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"name", "balance", "probe"}));
  EXPECT_EQ(FQuery->FieldDefs().Items(1)->DataType(), TFieldType::ftBCD);
  TQuelmResult probe = FDatabase->Connection().Query("SELECT @quelm_probe");
  EXPECT_FALSE(probe.Rows[0][0].has_value());
}

TEST_P(QueryTest, OpenRunsTheStatementWithEscapedParameters) {
  CONNECT();
  FQuery->GetQuery().SetText("SELECT name FROM customer WHERE region = :region ORDER BY id");
  FQuery->Params()->ParamByName("region")->SetAsString("EU");
  FQuery->Open();
  EXPECT_EQ(Column(*FQuery, "name"), (std::vector<std::string>{"Anton", "Berta"}));
  FQuery->Close();
  FQuery->Params()->ParamByName("region")->SetAsString("x' OR '1'='1");
  FQuery->Open();
  EXPECT_TRUE(FQuery->IsEmpty());
  FQuery->Close();
  FQuery->Params()->ParamByName("region")->Clear();
  FQuery->Open();
  EXPECT_TRUE(FQuery->IsEmpty());
}

TEST_P(QueryTest, ValuesStayValuesWithoutBackslashEscapes) {
  CONNECT();
  // Backslashes are plain characters in this mode; quotes must be doubled.
  FDatabase->ExecSQL("SET SESSION sql_mode = 'NO_BACKSLASH_ESCAPES'");
  FQuery->GetQuery().SetText("SELECT :v AS v, (SELECT COUNT(*) FROM customer WHERE name = :v) AS n");
  auto check = [&](const std::string& value) {
    FQuery->Params()->ParamByName("v")->SetAsString(value);
    FQuery->Open();
    EXPECT_EQ(Column(*FQuery, "v"), (std::vector<std::string>{value}));
    EXPECT_EQ(Column(*FQuery, "n"), (std::vector<std::string>{"0"}));
    FQuery->Close();
  };
  check("x' OR '1'='1");
  check("back\\' OR 1 -- ");
  check("it's");
}

TEST_P(QueryTest, ACallGetsItsFieldsFromItsResult) {
  CONNECT();
  FQuery->GetQuery().SetText("CALL list_customers(:r)");
  FQuery->Params()->ParamByName("r")->SetAsString("EU");
  FQuery->Open();
  ASSERT_EQ(FQuery->FieldCount(), 2);
  EXPECT_EQ(Column(*FQuery, "name"), (std::vector<std::string>{"Anton", "Berta"}));
}

TEST_P(QueryTest, ServerErrorsPassWithTheServersMessage) {
  CONNECT();
  FQuery->GetQuery().SetText("SELEKT 1");
  std::string message = ErrorOf([&] { FQuery->Open(); });
  EXPECT_EQ(message.rfind("You have an error in your SQL syntax", 0), 0u) << message;
  EXPECT_FALSE(FQuery->Active());
}

TEST_P(QueryTest, MacrosAreTextParametersAreValues) {
  if (GetParam() == TBackend::Server && !HasTestServer()) {
    if (InCI()) FAIL() << NoServerMessage();
    GTEST_SKIP() << NoServerMessage();
  }
  ConnectTestDatabase(*FDatabase, GetParam());
  TQuelmMacroQuery query(nullptr);
  query.SetDatabase(FDatabase.get());
  query.Macros()->Add("table=customer");
  query.Macros()->Add("order=name DESC");
  query.GetQuery().SetText("SELECT name FROM &table WHERE region = :r ORDER BY &order");
  ASSERT_EQ(query.Params()->Count(), 1);
  query.Params()->ParamByName("r")->SetAsString("EU");
  query.Open();
  EXPECT_EQ(Column(query, "name"), (std::vector<std::string>{"Berta", "Anton"}));
  EXPECT_EQ(query.ExpandMacros("'&table' &unknown &table"), "'&table' &unknown customer");
}

INSTANTIATE_TEST_SUITE_P(Backends, QueryTest, ::testing::ValuesIn(BackendsToTest()), BackendName);

} // namespace
