// The drop-down lists of index field names, against a table whose index
// definitions the test sets as the server would report them.
#include "editors/NameListPropertyEditors.h"

#include "support/TestFormDesigner.h"
#include "classes/TypInfo.h"
#include "db/TIndexDefs.h"
#include "runtime/TQuelmTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TServerIndex {
  std::string Name, Fields;
  TIndexOptions Options;
  std::string Expression;
};

// A table whose index definitions come from ServerIndexes instead of a
// server, counting how often they are read.
class TProbeTable : public TQuelmTable {
  QUELM_CLASS(TProbeTable, TQuelmTable)

public:
  using TQuelmTable::TQuelmTable;
  void UpdateIndexDefs() override {
    ++Reads;
    GetIndexDefs().Clear();
    for (const TServerIndex& index : ServerIndexes) {
      TIndexDef* def = GetIndexDefs().Add(index.Name, index.Fields, index.Options);
      def->SetExpression(index.Expression);
    }
  }
  std::vector<TServerIndex> ServerIndexes;
  int Reads = 0;
};

std::vector<std::string> IndexFieldNameValues(TProbeTable& table, IFormDesigner& designer) {
  TQuelmIndexFieldNamesPropertyEditor editor(&designer, 1);
  editor.SetPropEntry(0, &table, GetPropInfo(table, "IndexFieldNames"));
  std::vector<std::string> values;
  editor.GetValues([&](const std::string& v) { values.push_back(v); });
  return values;
}

} // namespace

QUELM_DEFINE_CLASS(TProbeTable, TQuelmTable)

TEST(IndexFieldNamesPropertyEditor, OffersEachPlainIndexInServerOrderReadAfresh) {
  TComponent form(nullptr);
  TestSupport::TTestFormDesigner designer(form);
  auto* table = new TProbeTable(&form);
  table->ServerIndexes = {
      {"", "region;id", {TIndexOption::ixPrimary, TIndexOption::ixUnique}, ""},
      {"name_desc", "name;id", {TIndexOption::ixDescending}, ""},
      {"email_unique", "email", {TIndexOption::ixUnique}, ""},
      {"sku_lower", "sku", {TIndexOption::ixExpression}, "lower(sku)"},
      {"no_fields", "", {}, ""},
      {"email_again", "email", {}, ""},
      {"by_city", "city", {}, ""},
  };
  // Descending, expression and field-less indexes are left out; two indexes
  // on the same fields are both offered; the order is the server's.
  EXPECT_EQ((std::vector<std::string>{"region;id", "email", "email", "city"}), IndexFieldNameValues(*table, designer));
  // The list is read from the server each time it drops down, so an index
  // made in between is offered at once.
  table->ServerIndexes.push_back({"by_zip", "zip", {}, ""});
  EXPECT_EQ((std::vector<std::string>{"region;id", "email", "email", "city", "zip"}),
            IndexFieldNameValues(*table, designer));
  EXPECT_EQ(2, table->Reads);
}
