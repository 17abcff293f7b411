// "fields": persistent fields from the test server's field definitions, made
// by the program as a user runs it and read back from the saved form file.
#include "support/TestFolder.h"
#include "support/Files.h"
#include "support/RunProgram.h"
#include "support/TestServer.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using TestSupport::ReadFile;

// The object block of one component of the saved form, up to its "end".
std::string Block(const std::string& form, const std::string& header) {
  size_t start = form.find("object " + header);
  if (start == std::string::npos) return "(no " + header + ")";
  size_t end = form.find("    end", start);
  return form.substr(start, end - start);
}

class FieldsCommandTest : public ::testing::Test {
protected:
  void SetUp() override {
    REQUIRE_TEST_SERVER();
    FDir = FFolder.emplace("quelm-fields-test").Path();
    FForm = FDir / "Types.dfm";
    std::ofstream(FForm, std::ios::binary) << Form;
  }
  void TearDown() override {
    FFolder.reset();
  }

  TestSupport::TProgramRun Designer(const std::string& args, const std::string& command = "fields") {
    return TestSupport::RunCommandLine(std::string(QUELM_DESIGNER_FILE) + " " + command + " " + FForm.string() + " Types " + args +
                                       TestSupport::TestServerOptions());
  }

  // A query whose columns cover the kinds of field, one column each.
  const std::string Form =
      "object TypesForm: TTypesForm\n"
      "  object Db: TQuelmDatabase\n"
      "    DatabaseName = 'quelm_test'\n"
      "  end\n"
      "  object Types: TQuelmQuery\n"
      "    Database = Db\n"
      "    SQL.Strings = (\n"
      "      'select id, sku, price, cast(price as float) as single_price,'\n"
      "      'cast(id as decimal(9,3)) as amount, current_date as day,'\n"
      "      'current_time as clock, now() as stamp, repeat(sku, 1000) as long_text,'\n"
      "      'cast(repeat(sku, 20000) as binary) as data, cast(id as signed) as big,'\n"
      "      'cast(sku as char(35)) as code35, sku_lower as `sku lower` from item')\n"
      "  end\n"
      "end\n";
  std::optional<TestSupport::TTestFolder> FFolder;
  fs::path FDir, FForm;
};

} // namespace

TEST_F(FieldsCommandTest, AddAllMakesEachFieldOfItsTypesClassWithItsSizeAndSavesThem) {
  TestSupport::TProgramRun run = Designer("--add-all");
  ASSERT_EQ(run.Code, 0) << run.Out;
  EXPECT_NE(run.Out.find("saved "), std::string::npos) << run.Out;
  std::string form = ReadFile(FForm);
  struct Row {
    const char* header;
    const char* needs;  // a line the block must hold, or ""
  };
  const Row rows[] = {
      {"Typesid: TAutoIncField", "FieldName = 'id'"},
      {"Typescode35: TStringField", "Size = 35"},
      {"Typesprice: TFloatField", ""},
      {"Typessingle_price: TSingleField", ""},
      {"Typesamount: TBCDField", "Precision = 9"},
      {"Typesamount: TBCDField", "Size = 3"},
      {"Typesday: TDateField", ""},
      {"Typesclock: TTimeField", ""},
      {"Typesstamp: TDateTimeField", ""},
      {"Typeslong_text: TMemoField", ""},
      {"Typesdata: TBlobField", ""},
      {"Typesbig: TLargeintField", ""},
      // A field name that is no identifier gives a component name that is one.
      {"Typesskulower: TStringField", "FieldName = 'sku lower'"},
  };
  for (const Row& row : rows) {
    std::string block = Block(form, row.header);
    EXPECT_EQ(block.rfind("object ", 0), 0u) << row.header << "\n" << form;
    EXPECT_NE(block.find(row.needs), std::string::npos) << row.header << " lacks " << row.needs << "\n" << block;
  }

  // Again: every field has its persistent field, so nothing changes or is saved.
  TestSupport::TProgramRun again = Designer("--add-all");
  ASSERT_EQ(again.Code, 0) << again.Out;
  EXPECT_EQ(again.Out.find("saved "), std::string::npos) << again.Out;
  EXPECT_EQ(ReadFile(FForm), form);
}

TEST_F(FieldsCommandTest, AddNamedNewAndDeleteEditTheFieldListAndRefuseWhatTheEditorDoesNotOffer) {
  TestSupport::TProgramRun run = Designer("--add sku,price --new Total:Float:Calculated,Code:String:InternalCalc:12");
  ASSERT_EQ(run.Code, 0) << run.Out;
  std::string form = ReadFile(FForm);
  EXPECT_EQ(Block(form, "Typesid:"), "(no Typesid:)");
  EXPECT_NE(Block(form, "TypesTotal: TFloatField").find("FieldKind = fkCalculated"), std::string::npos) << form;
  std::string code = Block(form, "TypesCode: TStringField");
  EXPECT_NE(code.find("FieldKind = fkInternalCalc"), std::string::npos) << form;
  EXPECT_NE(code.find("Size = 12"), std::string::npos) << form;
  // The fields stay in the order they were added.
  EXPECT_LT(form.find("Typessku:"), form.find("Typesprice:"));
  EXPECT_LT(form.find("Typesprice:"), form.find("TypesTotal:"));

  // Refused, and the file stays as it was.
  struct Case {
    std::string args, message;
  };
  const Case cases[] = {
      {"--new Sum:Integer:Aggregate", "'Aggregate' is not a kind of field this dataset offers"},
      {"--new X:NoType:Data", "'NoType' is not a field type"},
      {"--add nosuch", "Field 'nosuch' not found"},
      {"--add sku", "Field 'sku' is a persistent field already"},
      {"--delete nosuch", "Field 'nosuch' not found"},
  };
  for (const Case& c : cases) {
    TestSupport::TProgramRun refused = Designer(c.args);
    EXPECT_NE(refused.Code, 0) << c.args;
    EXPECT_NE(refused.Out.find(c.message), std::string::npos) << c.args << ": " << refused.Out;
    EXPECT_EQ(ReadFile(FForm), form) << c.args;
  }

  TestSupport::TProgramRun deleted = Designer("--delete price,Total");
  ASSERT_EQ(deleted.Code, 0) << deleted.Out;
  form = ReadFile(FForm);
  EXPECT_EQ(Block(form, "Typesprice:"), "(no Typesprice:)");
  EXPECT_EQ(Block(form, "TypesTotal:"), "(no TypesTotal:)");
  EXPECT_NE(form.find("object Typessku: TStringField"), std::string::npos);
}

TEST_F(FieldsCommandTest, TheUnitBesideTheFormDeclaresTheFieldsMadeAndForgetsTheDeletedOnes) {
  const std::string unit = "unit Types;\n\ninterface\n\nuses\n  Classes, Forms, QuelmAccess;\n\ntype\n"
                           "  TTypesForm = class(TForm)\n"
                           "    Db: TQuelmDatabase;\n"
                           "    Types: TQuelmQuery;\n"
                           "  private\n"
                           "    procedure Recalc; { keeps Typessku }\n"
                           "  end;\n\nimplementation\n\nend.\n";
  fs::path pas = FDir / "Types.pas";
  std::ofstream(pas, std::ios::binary) << unit;
  TestSupport::TProgramRun run = Designer("--add sku --new Total:Float:Calculated");
  ASSERT_EQ(run.Code, 0) << run.Out;
  EXPECT_NE(run.Out.find("saved " + pas.string() + "\n"), std::string::npos) << run.Out;
  std::string declared = unit;
  declared.replace(declared.find("Forms, QuelmAccess;"), 19, "Forms, QuelmAccess, DB;");
  declared.insert(declared.find("  private"), "    Typessku: TStringField;\n    TypesTotal: TFloatField;\n");
  EXPECT_EQ(declared, ReadFile(pas));

  TestSupport::TProgramRun deleted = Designer("--delete sku");
  ASSERT_EQ(deleted.Code, 0) << deleted.Out;
  std::string after = declared;
  after.erase(after.find("    Typessku: TStringField;\n"), 28);
  EXPECT_EQ(after, ReadFile(pas));
}

// The form with a second dataset a lookup field of Types can look up in.
std::string WithItems(const std::string& form) {
  std::string withItems = form;
  withItems.insert(withItems.rfind("end\n"), "  object Items: TQuelmQuery\n"
                                             "    Database = Db\n"
                                             "    SQL.Strings = (\n"
                                             "      'select id as item_id, sku as item_sku from item')\n"
                                             "  end\n");
  return withItems;
}

TEST_F(FieldsCommandTest, ALookupFieldGetsItsDatasetKeysAndResultAndAnIncompleteOneIsRefused) {
  const std::string before = WithItems(Form);
  std::ofstream(FForm, std::ios::binary) << before;
  struct TCase {
    std::string Args, Message;
  };
  const std::string lookup = "--new ItemSku:String:Lookup:30 ";
  const TCase refused[] = {
      {lookup, "A lookup field needs the lookup dataset, the key fields, the lookup key fields and the result field"},
      {lookup + "--lookup-dataset Items --key-fields id --lookup-key-fields item_id",
       "A lookup field needs the result field"},
      {lookup + "--lookup-dataset Nope --key-fields id --lookup-key-fields item_id --result-field item_sku",
       "The form has no dataset Nope"},
      {lookup + "--lookup-dataset Types --key-fields id --lookup-key-fields id --result-field sku",
       "A lookup field cannot look up in its own dataset"},
      {lookup + "--lookup-dataset Items --key-fields 'id;sku' --lookup-key-fields item_id --result-field item_sku",
       "The key fields id;sku and the lookup key fields item_id are not as many"},
      {lookup + "--lookup-dataset Items --key-fields nosuch --lookup-key-fields item_id --result-field item_sku",
       "Types has no field 'nosuch'"},
      {lookup + "--lookup-dataset Items --key-fields id --lookup-key-fields item_id --result-field sku",
       "Items has no field 'sku'"},
      {"--new Total:Float:Calculated --lookup-dataset Items", "go with a Lookup field in --new"},
  };
  for (const TCase& c : refused) {
    TestSupport::TProgramRun run = Designer(c.Args);
    EXPECT_NE(run.Code, 0) << c.Args;
    EXPECT_NE(run.Out.find(c.Message), std::string::npos) << c.Args << ": " << run.Out;
    EXPECT_EQ(ReadFile(FForm), before) << c.Args;
  }

  TestSupport::TProgramRun run = Designer(lookup + "--lookup-dataset Items --key-fields id --lookup-key-fields item_id "
                                                   "--result-field item_sku");
  ASSERT_EQ(run.Code, 0) << run.Out;
  std::string field = Block(ReadFile(FForm), "TypesItemSku: TStringField");
  for (const char* line : {"FieldKind = fkLookup", "FieldName = 'ItemSku'", "LookupDataSet = Items",
                           "LookupKeyFields = 'item_id'", "LookupResultField = 'item_sku'", "KeyFields = 'id'",
                           "Size = 30"})
    EXPECT_NE(field.find(line), std::string::npos) << line << " in\n" << field;
}

TEST_F(FieldsCommandTest, TheNewFieldDialogMakesALookupFieldFromItsDropDowns) {
  std::ofstream(FForm, std::ios::binary) << WithItems(Form);
  const std::string unit = "unit Types;\ninterface\nuses DB;\ntype\n  TTypesForm = class(TForm)\n"
                           "    Db: TQuelmDatabase;\n    Types: TQuelmQuery;\n    Items: TQuelmQuery;\n"
                           "  end;\nimplementation\nend.\n";
  fs::path pas = FDir / "Types.pas";
  std::ofstream(pas, std::ios::binary) << unit;
  fs::path script = FDir / "lookup.txt";
  // The first New is refused (nothing chosen for the lookup yet) and keeps
  // the name typed; the second makes the field.
  std::ofstream(script) << "type NewNameEdit \"ItemSku\"\n"
                           "pick NewTypeCombo String\n"
                           "type NewSizeEdit \"20\"\n"
                           "pick NewKindCombo Lookup\n"
                           "click NewFieldButton\n"
                           "pick LookupDataSetCombo Items\n"
                           "pick KeyFieldsCombo id\n"
                           "pick LookupKeysCombo item_id\n"
                           "pick ResultFieldCombo item_sku\n"
                           "click NewFieldButton\n"
                           "click CloseButton\n";
  TestSupport::TProgramRun run = Designer("0 --script " + script.string(), "verb");
  ASSERT_EQ(run.Code, 0) << run.Out;
  std::string form = ReadFile(FForm);
  std::string field = Block(form, "TypesItemSku: TStringField");
  for (const char* line : {"FieldKind = fkLookup", "LookupDataSet = Items", "KeyFields = 'id'",
                           "LookupKeyFields = 'item_id'", "LookupResultField = 'item_sku'"})
    EXPECT_NE(field.find(line), std::string::npos) << line << " in\n" << form;
  EXPECT_EQ(form.find("object TypesItemSku1"), std::string::npos) << form;
  // The field the dialog made is declared in the form class.
  std::string declared = unit;
  declared.insert(declared.find("  end;"), "    TypesItemSku: TStringField;\n");
  EXPECT_EQ(declared, ReadFile(pas));
}

TEST_F(FieldsCommandTest, TheFieldsEditorWindowAddsMovesMakesAndDeletesFieldsThroughItsControls) {
  fs::path script = FDir / "fields.txt";
  std::ofstream(script) << "select AvailableList sku price\n"
                           "click AddFieldsButton\n"
                           "select FieldList price\n"
                           "click UpButton\n"
                           "type NewNameEdit \"Code\"\n"
                           "pick NewTypeCombo String\n"
                           "type NewSizeEdit \"12\"\n"
                           "pick NewKindCombo InternalCalc\n"
                           "click NewFieldButton\n"
                           "type NewNameEdit \"Sum\"\n"
                           "click NewFieldButton\n"
                           "select FieldList Sum\n"
                           "click DeleteButton\n"
                           "click CloseButton\n";
  TestSupport::TProgramRun run = Designer("0 --script " + script.string(), "verb");
  ASSERT_EQ(run.Code, 0) << run.Out;
  EXPECT_NE(run.Out.find("saved "), std::string::npos) << run.Out;
  std::string form = ReadFile(FForm);
  // Up moved price before sku.
  EXPECT_LT(form.find("Typesprice:"), form.find("Typessku:")) << form;
  EXPECT_LT(form.find("Typessku:"), form.find("TypesCode:")) << form;
  std::string code = Block(form, "TypesCode: TStringField");
  EXPECT_NE(code.find("FieldKind = fkInternalCalc"), std::string::npos) << form;
  EXPECT_NE(code.find("Size = 12"), std::string::npos) << form;
  // Sum was made (the name edit was cleared after Code), then deleted.
  EXPECT_EQ(Block(form, "TypesSum:"), "(no TypesSum:)") << form;
}
