#include "support/TestFormDesigner.h"
#include "support/ExpectRaises.h"
#include "editors/NameListPropertyEditors.h"
#include "editors/TAboutProperty.h"
#include "editors/TQuelmDataSourcePropertyEditor.h"
#include "editors/TQuelmFileNameProperty.h"
#include "editors/TQuelmSPParamsProperty.h"

#include "../runtime/TestBackends.h"
#include "classes/TStringList.h"
#include "classes/TypInfo.h"
#include "db/TDataSource.h"
#include "designhost/CollectionEditor.h"
#include "forms/TModalDriver.h"
#include "forms/TOpenDialog.h"
#include "runtime/TQuelmAboutComp.h"
#include "runtime/TQuelmDatabase.h"
#include "runtime/TQuelmStoredProc.h"
#include "runtime/TQuelmTable.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

using TTestDesigner = TestSupport::TTestFormDesigner;

template <class E>
std::unique_ptr<E> EditorOn(IFormDesigner* designer, std::vector<TPersistent*> selection, const char* property) {
  auto editor = std::make_unique<E>(designer, static_cast<int>(selection.size()));
  for (size_t i = 0; i < selection.size(); ++i)
    editor->SetPropEntry(static_cast<int>(i), selection[i], GetPropInfo(*selection[i], property));
  return editor;
}

std::vector<std::string> Values(TPropertyEditor& editor) {
  std::vector<std::string> values;
  editor.GetValues([&](const std::string& v) { values.push_back(v); });
  return values;
}

bool Has(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

class PropertyEditorsTest : public ::testing::Test {
protected:
  TComponent FForm{nullptr};
  TTestDesigner FDesigner{FForm};
};

} // namespace

TEST_F(PropertyEditorsTest, NameListsNeedADatabaseWhereTheyReadFromIt) {
  auto* table = new TQuelmTable(&FForm);
  auto* proc = new TQuelmStoredProc(&FForm);
  for (auto* editor : std::initializer_list<TPropertyEditor*>{
           EditorOn<TQuelmTableNamePropertyEditor>(&FDesigner, {table}, "TableName").release(),
           EditorOn<TQuelmStoredProcNamePropertyEditor>(&FDesigner, {proc}, "ProcedureName").release()}) {
    std::unique_ptr<TPropertyEditor> owned(editor);
    EXPECT_TRUE(TestSupport::Raises<EDatabaseError>([&] { Values(*owned); }, "Database property is not set"));
    EXPECT_EQ(0x29u, owned->GetAttributes().Bits());
  }
  // The table name editor verifies its component's class.
  auto* other = new TQuelmStoredProc(&FForm);
  auto wrong = std::make_unique<TQuelmTableNamePropertyEditor>(&FDesigner, 1);
  wrong->SetPropEntry(0, other, GetPropInfo(*other, "ProcedureName"));
  EXPECT_THROW(Values(*wrong), EInvalidCast);
  // Typing stores the text unchanged.
  auto name = EditorOn<TQuelmTableNamePropertyEditor>(&FDesigner, {table}, "TableName");
  name->SetValue(" Sales Lines ");
  EXPECT_EQ(" Sales Lines ", table->TableName());
}

TEST_F(PropertyEditorsTest, NameListsComeFromTheServer) {
  auto* database = new TQuelmDatabase(&FForm);
  REQUIRE_BACKEND(*database, TBackend::Server);
  auto* table = new TQuelmTable(&FForm);
  table->SetDatabase(database);
  table->SetTableName("customer");
  auto tables = Values(*EditorOn<TQuelmTableNamePropertyEditor>(&FDesigner, {table}, "TableName"));
  EXPECT_TRUE(Has(tables, "customer"));
  EXPECT_TRUE(Has(tables, "a`b"));
  // Descending indexes are never offered; the primary key and the unique key are.
  auto fields = Values(*EditorOn<TQuelmIndexFieldNamesPropertyEditor>(&FDesigner, {table}, "IndexFieldNames"));
  EXPECT_TRUE(Has(fields, "region;id"));
  EXPECT_TRUE(Has(fields, "email"));
  EXPECT_FALSE(Has(fields, "name;id"));
  auto indexes = Values(*EditorOn<TQuelmIndexNamePropertyEditor>(&FDesigner, {table}, "IndexName"));
  EXPECT_TRUE(Has(indexes, "name_desc"));
  // Any non-zero routine kind lists the same routines.
  auto* proc = new TQuelmStoredProc(&FForm);
  proc->SetDatabase(database);
  proc->SetRoutineKind(0);
  auto procedures = Values(*EditorOn<TQuelmStoredProcNamePropertyEditor>(&FDesigner, {proc}, "ProcedureName"));
  EXPECT_TRUE(Has(procedures, "add_numbers"));
  proc->SetRoutineKind(1);
  auto functions = Values(*EditorOn<TQuelmStoredProcNamePropertyEditor>(&FDesigner, {proc}, "ProcedureName"));
  proc->SetRoutineKind(7);
  EXPECT_EQ(functions, Values(*EditorOn<TQuelmStoredProcNamePropertyEditor>(&FDesigner, {proc}, "ProcedureName")));
  EXPECT_TRUE(Has(functions, "greet"));
  EXPECT_FALSE(Has(functions, "add_numbers"));
  auto charsets = Values(*EditorOn<TQuelmDatabaseCharsetPropertyEditor>(&FDesigner, {database}, "ConnectionCharacterSet"));
  EXPECT_TRUE(Has(charsets, "utf8mb4"));
  EXPECT_FALSE(Has(charsets, "utf8mb4_general_ci"));
  auto collations = Values(*EditorOn<TQuelmDatabaseCollationPropertyEditor>(&FDesigner, {database}, "ConnectionCollation"));
  EXPECT_TRUE(Has(collations, "utf8mb4_general_ci"));
  EXPECT_FALSE(Has(collations, "utf8mb4"));
  // Each list is handed out in the order the server's list has.
  TStringList serverTables;
  database->GetTableNames("", serverTables, true);
  ASSERT_GE(serverTables.Count(), 2);
  EXPECT_EQ(serverTables.ToVector(), tables);
}

TEST_F(PropertyEditorsTest, MasterSourceLeavesOutLinkedDataSources) {
  auto* master = new TQuelmTable(&FForm);
  master->SetName("Master");
  auto* detail = new TQuelmTable(&FForm);
  detail->SetName("Detail");
  auto* masterSource = new TDataSource(&FForm);
  masterSource->SetName("MasterSource1");
  masterSource->SetDataSet(master);
  auto* detailSource = new TDataSource(&FForm);
  detailSource->SetName("DetailSource1");
  detailSource->SetDataSet(detail);
  detail->SetMasterSource(masterSource);
  // For the master, the detail's source would close a circle.
  auto forMaster = Values(*EditorOn<TQuelmDataSourcePropertyEditor>(&FDesigner, {master}, "MasterSource"));
  EXPECT_EQ((std::vector<std::string>{}), forMaster);
  auto forDetail = Values(*EditorOn<TQuelmDataSourcePropertyEditor>(&FDesigner, {detail}, "MasterSource"));
  EXPECT_EQ((std::vector<std::string>{"MasterSource1"}), forDetail);
  // With both selected, a source linked to either is left out.
  auto* other = new TQuelmTable(&FForm);
  other->SetName("Other");
  auto both = Values(*EditorOn<TQuelmDataSourcePropertyEditor>(&FDesigner, {other, master}, "MasterSource"));
  EXPECT_FALSE(Has(both, "MasterSource1"));
  EXPECT_FALSE(Has(both, "DetailSource1"));
  // Every selected table is asked, not only the last selected one.
  auto masterFirst = Values(*EditorOn<TQuelmDataSourcePropertyEditor>(&FDesigner, {master, other}, "MasterSource"));
  EXPECT_EQ((std::vector<std::string>{}), masterFirst);
}

TEST_F(PropertyEditorsTest, AboutShowsTheVersionAndTheComponentsClass) {
  EXPECT_EQ(1201, RevisionOf("$Revision: 1201 $"));
  EXPECT_EQ(1198, RevisionOf("$REVISION: 1198 $"));
  EXPECT_EQ(0, RevisionOf("$Revision: 12x $"));
  EXPECT_EQ(0, RevisionOf(""));
  auto* table = new TQuelmTable(&FForm);
  auto about = EditorOn<TAboutProperty>(&FDesigner, {table}, "About");
  EXPECT_EQ("About...", about->GetValue());
  EXPECT_EQ(0x44u, about->GetAttributes().Bits());
  std::string version, component;
  auto previous = TQuelmAboutComp::SetShowHandler([&](TQuelmAboutComp& box) {
    version = box.VersionLabel;
    component = box.ComponentLabel;
    return TQuelmAboutComp::mrOk;
  });
  about->Edit();
  TQuelmAboutComp::SetShowHandler(previous);
  EXPECT_EQ("v.3.0.7 (r1201)", version);
  EXPECT_EQ("TQuelmTable", component);
  EXPECT_EQ(0, FDesigner.Changes);
}

TEST_F(PropertyEditorsTest, FileNamesMustExist) {
  namespace fs = std::filesystem;
  fs::path cert = fs::temp_directory_path() / ("quelm-cert-" + std::to_string(getpid()) + ".pem");
  std::ofstream(cert) << "cert";
  auto* database = new TQuelmDatabase(&FForm);
  auto editor = EditorOn<TQuelmFileNameProperty>(&FDesigner, {database}, "SSLCert");
  EXPECT_EQ(0x04u, editor->GetAttributes().Bits());
  TFunctionModalDriver driver;
  driver.QueueFile((fs::temp_directory_path() / "no-such-file.pem").string());  // refused
  driver.QueueAnswer(mrOk);                                                     // its message box
  driver.QueueFile(std::nullopt);                                               // then Cancel
  {
    TModalDriverGuard guard(driver);
    editor->Edit();
  }
  EXPECT_EQ("", database->SSLCert());
  driver.QueueFile(cert.string());
  {
    TModalDriverGuard guard(driver);
    editor->Edit();
  }
  EXPECT_EQ(cert.string(), database->SSLCert());
  EXPECT_EQ(1, FDesigner.Changes);
  // The dialog is titled with the property, filters all files and starts at
  // the current value.
  std::string title, filter, initial;
  driver.ChooseFileWith([&](const TOpenDialog& dialog) -> std::optional<std::string> {
    title = dialog.Title();
    filter = dialog.Filter();
    initial = dialog.FileName();
    return std::nullopt;
  });
  {
    TModalDriverGuard guard(driver);
    editor->Edit();
  }
  EXPECT_EQ("SSLCert", title);
  EXPECT_EQ("All Files (*.*)|*.*", filter);
  EXPECT_EQ(cert.string(), initial);
  EXPECT_EQ(cert.string(), database->SSLCert());
  fs::remove(cert);
}

TEST_F(PropertyEditorsTest, ParamsNeedADatabaseThenOpenTheCollectionEditor) {
  auto* proc = new TQuelmStoredProc(&FForm);
  auto editor = EditorOn<TQuelmSPParamsProperty>(&FDesigner, {proc}, "Params");
  int opened = 0;
  TCollectionEditorGuard guard([&](IFormDesigner*, const TCollectionEditorRequest& request) {
    ++opened;
    EXPECT_EQ("Params", request.PropertyName);
  });
  EXPECT_TRUE(TestSupport::Raises<EDatabaseError>([&] { editor->Edit(); }, "Database property is not set"));
  EXPECT_EQ(0, opened);
  auto* database = new TQuelmDatabase(&FForm);
  REQUIRE_BACKEND(*database, TBackend::Server);
  proc->SetDatabase(database);
  proc->SetProcedureName("add_numbers");
  editor->Edit();
  EXPECT_EQ(1, opened);
  EXPECT_EQ(3, proc->GetParamsCount());
  // Parameters the developer has edited are kept: a removed one stays removed.
  proc->Params()->Delete(2);
  editor->Edit();
  EXPECT_EQ(2, opened);
  EXPECT_EQ(2, proc->GetParamsCount());
  // With none left, they are read from the server again.
  proc->Params()->Clear();
  editor->Edit();
  EXPECT_EQ(3, opened);
  EXPECT_EQ(3, proc->GetParamsCount());
}
