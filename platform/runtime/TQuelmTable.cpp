#include "runtime/TQuelmTable.h"

#include "classes/TStrings.h"
#include "db/DatabaseError.h"
#include "rtl/TList.h"
#include "rtl/TextCompare.h"
#include "runtime/QuelmConnection.h"

namespace {
std::vector<std::string> SplitFieldList(const std::string& list) {
  std::vector<std::string> names;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(';', start);
    if (end == std::string::npos) end = list.size();
    std::string name = list.substr(start, end - start);
    if (!name.empty()) names.push_back(name);
    start = end + 1;
  }
  return names;
}

std::string JoinFieldList(const std::vector<std::string>& names) {
  std::string joined;
  for (const std::string& n : names) {
    if (!joined.empty()) joined += ';';
    joined += n;
  }
  return joined;
}
} // namespace

QUELM_DEFINE_CLASS(
    TQuelmTable, TQuelmDataSet, b.ComponentFactory();
    b.Property("IndexDefs", TIndexDefs::StaticClass().TypeInfo(), &TQuelmTable::IndexDefs,
               &TQuelmTable::SetIndexDefs)
        .Stored([](const TQuelmTable&) { return false; });
    b.Property("IndexFieldNames", TypeInfoString(), &TQuelmTable::IndexFieldNames, &TQuelmTable::SetIndexFieldNames);
    b.Property("IndexName", TypeInfoString(), &TQuelmTable::IndexName, &TQuelmTable::SetIndexName);
    b.Property("MasterFields", TypeInfoString(), &TQuelmTable::MasterFields, &TQuelmTable::SetMasterFields);
    b.Property("MasterSource", TDataSource::StaticClass().TypeInfo(), &TQuelmTable::MasterSource,
               &TQuelmTable::SetMasterSource);
    b.Property("ReadOnly", TypeInfoBoolean(), &TQuelmTable::ReadOnly, &TQuelmTable::SetReadOnly).Default(0);
    b.Property("TableName", TypeInfoFileName(), &TQuelmTable::TableName, &TQuelmTable::SetTableName))

TQuelmTable::TQuelmTable(TComponent* owner) : TQuelmDataSet(owner), FIndexDefs(std::make_unique<TIndexDefs>(this)) {}

TQuelmTable::~TQuelmTable() = default;

void TQuelmTable::SetTableName(const std::string& name) {
  if (name == FTableName) return;
  CheckInactive();
  FTableName = name;
  FieldDefs().SetUpdated(false);
  FIndexDefs->SetUpdated(false);
}

void TQuelmTable::SetIndexName(const std::string& name) {
  FIndexName = name;
  // One of the two names the current index; a form file may hold both.
  if (!IsLoading()) FIndexFieldNames.clear();
  if (Active() && !IsLoading()) {
    Close();
    Open();
  }
}

void TQuelmTable::SetIndexFieldNames(const std::string& names) {
  FIndexFieldNames = names;
  if (!IsLoading()) FIndexName.clear();
  if (Active() && !IsLoading()) {
    Close();
    Open();
  }
}

void TQuelmTable::SetMasterSource(TDataSource* source) {
  if (source == FMasterSource.Get()) return;
  // Following a source whose dataset follows this table would close a loop.
  for (const TDataSet* ds = source ? source->DataSet() : nullptr; ds;) {
    if (ds == this) DatabaseError(DBText::CircularDataLink, this);
    TDataSource* next = ds->GetDataSource();
    ds = next ? next->DataSet() : nullptr;
  }
  FMasterSource = source;
}

void TQuelmTable::SetIndexDefs(TIndexDefs* defs) {
  if (defs && defs != FIndexDefs.get()) FIndexDefs->Assign(defs);
}

void TQuelmTable::GetIndexNames(TStrings& list) {
  FIndexDefs->Update();
  FIndexDefs->GetItemNames(list);
}

std::vector<std::string> TQuelmTable::IndexFieldList() const {
  if (!FIndexFieldNames.empty()) return SplitFieldList(FIndexFieldNames);
  if (FTableName.empty()) return {};
  FIndexDefs->Update();
  const TIndexDef* def = nullptr;
  if (FIndexName.empty() || SameText(FIndexName, "PRIMARY")) {
    for (int i = 0; i < FIndexDefs->Count() && !def; ++i)
      if (FIndexDefs->Items(i)->Options().Contains(TIndexOption::ixPrimary)) def = FIndexDefs->Items(i);
    if (!def) return {};
  } else {
    def = FIndexDefs->Find(FIndexName);
  }
  return SplitFieldList(def->Fields());
}

int TQuelmTable::GetIndexFieldCount() const { return static_cast<int>(IndexFieldList().size()); }

TField* TQuelmTable::GetIndexField(int index) const {
  std::vector<std::string> names = IndexFieldList();
  if (index < 0 || index >= static_cast<int>(names.size())) RaiseListIndexError(index);
  return FieldByName(names[static_cast<size_t>(index)]);
}

void TQuelmTable::UpdateIndexDefs() {
  FIndexDefs->Clear();
  if (FTableName.empty()) return;
  TQuelmResult result = CheckDatabase().Connection().Query("SHOW INDEX FROM " + QuoteName(FTableName));
  const int keyName = result.ColumnIndex("Key_name");
  const int nonUnique = result.ColumnIndex("Non_unique");
  const int columnName = result.ColumnIndex("Column_name");
  const int collation = result.ColumnIndex("Collation");
  const int expression = result.ColumnIndex("Expression");
  if (keyName < 0 || nonUnique < 0 || columnName < 0)
    DatabaseError("The server's index list lacks Key_name, Non_unique or Column_name", this);

  struct TPending {
    std::string Name;
    std::vector<std::string> Fields, DescFields;
    TIndexOptions Options;
    std::string Expression;
  };
  std::vector<TPending> indexes;
  for (const TQuelmRow& row : result.Rows) {
    auto value = [&](int column) { return column >= 0 && row[static_cast<size_t>(column)] ? *row[static_cast<size_t>(column)] : std::string(); };
    std::string name = value(keyName);
    if (indexes.empty() || indexes.back().Name != name) {
      TPending next;
      next.Name = name;
      if (name == "PRIMARY") next.Options.Include(TIndexOption::ixPrimary).Include(TIndexOption::ixUnique);
      else if (value(nonUnique) == "0") next.Options.Include(TIndexOption::ixUnique);
      indexes.push_back(std::move(next));
    }
    TPending& index = indexes.back();
    if (columnName >= 0 && row[static_cast<size_t>(columnName)]) {
      std::string field = value(columnName);
      index.Fields.push_back(field);
      if (value(collation) == "D") {
        index.Options.Include(TIndexOption::ixDescending);
        index.DescFields.push_back(field);
      }
    } else {
      index.Options.Include(TIndexOption::ixExpression);
      std::string part = value(expression);
      index.Expression += index.Expression.empty() ? part : ";" + part;
    }
  }
  for (const TPending& index : indexes) {
    // The primary index has no name of its own: an empty IndexName selects it.
    TIndexDef* def = FIndexDefs->Add(index.Name == "PRIMARY" ? std::string() : index.Name,
                                     JoinFieldList(index.Fields), index.Options);
    def->SetDescFields(JoinFieldList(index.DescFields));
    def->SetExpression(index.Expression);
  }
}

void TQuelmTable::CheckSelectSQL() const {
  if (FTableName.empty()) DatabaseError("Missing TableName property", this);
}

std::string TQuelmTable::DescribeSQL() const {
  if (FTableName.empty()) return {};
  return "SELECT * FROM " + QuoteName(FTableName);
}

std::string TQuelmTable::MasterCondition() const {
  TDataSource* source = FMasterSource.Get();
  TDataSet* master = source ? source->DataSet() : nullptr;
  if (!master || !master->Active() || FMasterFields.empty()) return {};
  std::vector<std::string> masterFields = SplitFieldList(FMasterFields);
  std::vector<std::string> detailFields = IndexFieldList();
  if (detailFields.size() < masterFields.size())
    DatabaseError("The current index has fewer fields than MasterFields", this);
  TQuelmConnection& c = CheckDatabase().Connection();
  std::string where;
  for (size_t i = 0; i < masterFields.size(); ++i) {
    std::optional<std::string> value = master->FieldValue(*master->FieldByName(masterFields[i]));
    if (!where.empty()) where += " AND ";
    where += QuoteName(detailFields[i]) + (value ? " = " + c.QuoteValue(*value) : std::string(" IS NULL"));
  }
  return where;
}

std::string TQuelmTable::SelectSQL() const {
  if (FTableName.empty()) return {};
  std::string sql = "SELECT * FROM " + QuoteName(FTableName);
  std::string where = MasterCondition();
  if (!where.empty()) sql += " WHERE " + where;
  std::vector<std::string> order = IndexFieldList();
  if (!order.empty()) {
    // A descending index orders its descending fields that way.
    std::vector<std::string> desc;
    if (FIndexFieldNames.empty()) {
      for (int i = 0; i < FIndexDefs->Count(); ++i) {
        const TIndexDef* def = FIndexDefs->Items(i);
        bool current = FIndexName.empty() || SameText(FIndexName, "PRIMARY")
                           ? def->Options().Contains(TIndexOption::ixPrimary)
                           : SameText(def->Name(), FIndexName);
        if (current) desc = SplitFieldList(def->DescFields());
      }
    }
    sql += " ORDER BY ";
    for (size_t i = 0; i < order.size(); ++i) {
      if (i) sql += ", ";
      sql += QuoteName(order[i]);
      for (const std::string& d : desc)
        if (SameText(d, order[i])) sql += " DESC";
    }
  }
  return sql;
}
