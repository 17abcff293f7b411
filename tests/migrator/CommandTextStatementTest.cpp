// A dbExpress or ADO dataset's command text, read by its command type.
#include "designhost/migration/CommandTextStatement.h"

#include "MigratorTestModules.h"

#include "classes/TClassRegistry.h"
#include "classes/TypInfo.h"
#include "db/TDataSet.h"
#include "runtime/TQuelmDatabase.h"
#include "runtime/TQuelmQuery.h"

#include <gtest/gtest.h>

#include <memory>

using namespace migrator_test;

namespace {

std::unique_ptr<TDataSet> Foreign(const std::string& className, const std::string& commandType,
                                  const std::string& text) {
  const TClassInfo& cls = Registry().GetClass(className);
  std::unique_ptr<TDataSet> dataSet(dynamic_cast<TDataSet*>(cls.CreateComponent(nullptr)));
  if (!commandType.empty()) {
    const TPropInfo& prop = GetPropInfoOrRaise(*dataSet, "CommandType");
    SetOrdProp(*dataSet, "CommandType", GetEnumValue(*prop.PropType, commandType));
  }
  SetStrProp(*dataSet, "CommandText", text);
  return dataSet;
}

TEST(CommandTextStatementTest, ATableOrProcedureNameBecomesAStatement) {
  auto check = [](const char* cls, const char* type, const char* text, const char* expected) {
    EXPECT_EQ(CommandTextStatement(*Foreign(cls, type, text)), expected) << cls << " " << type << " " << text;
  };
  // A statement, whatever the class's default command type.
  check("TSQLDataSet", "", "select * from orders", "select * from orders");
  check("TSQLDataSet", "ctQuery", "select 1", "select 1");
  check("TADODataSet", "", "select 2", "select 2");
  check("TADODataSet", "cmdText", "select 3", "select 3");
  // Tables: read whole.
  check("TSQLDataSet", "ctTable", "ORDERS", "SELECT * FROM ORDERS");
  check("TSQLDataSet", "ctTable", "  shop.orders ", "SELECT * FROM shop.orders");
  check("TADODataSet", "cmdTable", "sales targets", "SELECT * FROM `sales targets`");
  check("TADODataSet", "cmdTableDirect", "\"Order Details\"", "SELECT * FROM `Order Details`");
  check("TADODataSet", "cmdTable", "[Order Details]", "SELECT * FROM `Order Details`");
  check("TADODataSet", "cmdTable", "odd`name", "SELECT * FROM `odd``name`");
  check("TADODataSet", "cmdTable", "`quoted`", "SELECT * FROM `quoted`");
  // Procedures: called.
  check("TSQLDataSet", "ctStoredProc", "ORDER_TOTALS", "CALL ORDER_TOTALS");
  check("TADODataSet", "cmdStoredProc", "sales totals", "CALL `sales totals`");
  // Nothing named: nothing made up.
  check("TSQLDataSet", "ctTable", "", "");
}

TEST(CommandTextStatementTest, TheMigratedQueryRunsTheStatement) {
  TOpenForms forms({"shared.dfm"});
  TRecordingDriver boxes;
  auto* source = Foreign("TSQLDataSet", "ctTable", "ORDERS").release();
  forms.Root().InsertComponent(source);
  source->SetName("sdsOrders");
  auto* migrator = new TBDE2QuelmDorvik(&forms.Root());
  migrator->SetDatabase(forms.Find<TQuelmDatabase>("Database2"));
  ASSERT_NE(migrator->GetDatabase(), nullptr);
  migrator->Migrate();
  auto* query = forms.Find<TQuelmQuery>("sdsOrders");
  ASSERT_NE(query, nullptr);
  ASSERT_EQ(query->GetQuery().Count(), 1);
  EXPECT_EQ(query->GetQuery()[0], "SELECT * FROM ORDERS");
}

} // namespace
