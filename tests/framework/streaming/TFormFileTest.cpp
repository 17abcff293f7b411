#include "streaming/TFormFile.h"
#include "support/ExpectRaises.h"

#include "FormTestSupport.h"
#include "classes/TClassRegistry.h"
#include "classes/TStringList.h"
#include "classes/TypInfo.h"
#include "db/FieldClasses.h"
#include "db/TDataSource.h"
#include "streaming/FormError.h"
#include "streaming/TGenericComponent.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace FormTest;

namespace {

// A query of the test's own, so the tests hold exactly the classes they need.
class TTestQuery : public TDataSet {
  QUELM_CLASS(TTestQuery, TDataSet)
public:
  explicit TTestQuery(TComponent* owner) : TDataSet(owner) {}
  TStrings* SQL() const { return FSQL.get(); }
  void SetSQL(TStrings* lines) { FSQL->Assign(lines); }
  const std::string& TableName() const { return FTableName; }
  void SetTableName(const std::string& name) { FTableName = name; }
  bool RequestLive() const { return FRequestLive; }
  void SetRequestLive(bool live) { FRequestLive = live; }

private:
  bool FRequestLive = false;
  std::unique_ptr<TStringList> FSQL = std::make_unique<TStringList>();
  std::string FTableName;
};

} // namespace

QUELM_DEFINE_CLASS(TTestQuery, TDataSet, b.ComponentFactory();
                   b.Property("SQL", TStrings::StaticClass().TypeInfo(), &TTestQuery::SQL, &TTestQuery::SetSQL);
                   b.Property("TableName", TypeInfoString(), &TTestQuery::TableName, &TTestQuery::SetTableName);
                   // No declared default: the host writes it always.
                   b.Property("RequestLive", TypeInfoBoolean(), &TTestQuery::RequestLive, &TTestQuery::SetRequestLive))

namespace {

struct TRegistryFixture : ::testing::Test {
  TClassRegistry Registry;
  TRegistryFixture() {
    for (const TClassInfo* c : {&TTestQuery::StaticClass(), &TDataSource::StaticClass(), &TIntegerField::StaticClass(),
                                &TStringField::StaticClass()})
      Registry.RegisterClass(*c);
  }
  std::unique_ptr<TFormFile> Open(const std::string& text, const std::string& name = "form.dfm") {
    auto f = TFormFile::Load(text, name, Registry);
    f->ResolveReferences({});
    f->FinishLoading();
    return f;
  }
};

const char* const QueryForm =
    "object Form1: TForm1\r\n"
    "  Caption = 'Main'\r\n"
    "  object Query1: TTestQuery\r\n"
    "    SQL.Strings = (\r\n"
    "      'select * from t')\r\n"
    "    Left = 40\r\n"
    "    Top = 16\r\n"
    "    object Query1ID: TIntegerField\r\n"
    "      FieldName = 'ID'\r\n"
    "    end\r\n"
    "  end\r\n"
    "  object Button1: TButton\r\n"
    "    Caption = 'OK'\r\n"
    "  end\r\n"
    "end\r\n";

} // namespace

TEST_F(TRegistryFixture, BadFilesRaiseWithTheirPosition) {
  auto check = [&](const std::string& text, const std::string& expected) {
    EXPECT_TRUE(TestSupport::Raises<EFormError>([&] { Open(text, "bad.dfm"); }, expected)) << text;
  };
  check("object F: TF\n  object A: TButton\n  end\n  object A: TEdit\n  end\nend\n",
        "bad.dfm:4:3: duplicate component name 'A'");
  check("object F: TF\n  object 1A: TButton\n  end\nend\n", "bad.dfm:2:10: expected a component name or class, found '1'");
  check("TPF0", "bad.dfm:1:5: unexpected end of binary data");
  check("TPF0\x05" "TForm\x05" "Form1\x04" "Left\x63", "bad.dfm:1:22: unknown value type 99");
  check(std::string("\xFF\xFEo\0b\0", 6), "bad.dfm:1:1: utf-16 text form files are not supported");
  check(std::string("\xFF\x0A\0TFORM1\0\x30\x10\xFF\0\0\0TPF0", 20), "bad.dfm:1:13: resource size exceeds the file");
}

TEST_F(TRegistryFixture, BuildsTheComponentTree) {
  auto f = Open(QueryForm);
  TComponent* root = f->Root();
  EXPECT_EQ(root->ClassName(), "TForm1");
  EXPECT_EQ(root->Name(), "Form1");
  ASSERT_EQ(root->ComponentCount(), 3);
  auto* query = dynamic_cast<TTestQuery*>(root->Components(0));
  ASSERT_NE(query, nullptr);
  EXPECT_EQ(query->SQL()->Text(), "select * from t\n");
  EXPECT_EQ(query->DesignInfo(), (16 << 16) | 40);
  // A persistent field belongs to the root and to its dataset.
  auto* field = dynamic_cast<TIntegerField*>(root->Components(1));
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->Owner(), root);
  EXPECT_EQ(field->DataSet(), query);
  EXPECT_EQ(field->FieldName(), "ID");
  EXPECT_FALSE(query->DefaultFields() && query->FieldCount() == 0);
  EXPECT_EQ(root->Components(2)->ClassName(), "TButton");
  EXPECT_NE(dynamic_cast<TGenericComponent*>(root->Components(2)), nullptr);
  EXPECT_EQ(f->SaveToString(), QueryForm);
}

TEST_F(TRegistryFixture, ChangesAreWrittenInTheHostsLayoutAndTheRestIsKept) {
  auto f = Open(QueryForm);
  TComponent* root = f->Root();
  auto* query = static_cast<TTestQuery*>(root->Components(0));
  TStringList lines{"select id,", "  name from customers"};
  query->SetSQL(&lines);
  query->SetTableName("CUSTOMERS");
  query->SetName("qCustomers");
  query->SetDesignInfo((16 << 16) | 48);
  EXPECT_EQ(f->SaveToString(),
            "object Form1: TForm1\r\n"
            "  Caption = 'Main'\r\n"
            "  object qCustomers: TTestQuery\r\n"
            "    SQL.Strings = (\r\n"
            "      'select id,'\r\n"
            "      '  name from customers')\r\n"
            "    TableName = 'CUSTOMERS'\r\n"
            "    Left = 48\r\n"
            "    Top = 16\r\n"
            "    object Query1ID: TIntegerField\r\n"
            "      FieldName = 'ID'\r\n"
            "    end\r\n"
            "  end\r\n"
            "  object Button1: TButton\r\n"
            "    Caption = 'OK'\r\n"
            "  end\r\n"
            "end\r\n");
}

TEST_F(TRegistryFixture, NewComponentsAndMovedFieldsFollowTheTree) {
  auto f = Open(QueryForm);
  TComponent* root = f->Root();
  auto* old = static_cast<TTestQuery*>(root->Components(0));
  auto* made = new TTestQuery(root);
  made->SetDesignInfo(old->DesignInfo());
  made->SQL()->Assign(old->SQL());
  while (old->FieldCount() > 0) old->Fields().Items(0)->SetDataSet(made);
  old->SetName("Die_Query1");
  made->SetName("Query1");
  auto* source = new TDataSource(root);
  source->SetName("DataSource1");
  source->SetDataSet(made);
  delete old;
  EXPECT_EQ(f->SaveToString(),
            "object Form1: TForm1\r\n"
            "  Caption = 'Main'\r\n"
            "  object Button1: TButton\r\n"
            "    Caption = 'OK'\r\n"
            "  end\r\n"
            "  object Query1: TTestQuery\r\n"
            "    SQL.Strings = (\r\n"
            "      'select * from t')\r\n"
            "    RequestLive = False\r\n"
            "    Left = 40\r\n"
            "    Top = 16\r\n"
            "    object Query1ID: TIntegerField\r\n"
            "      FieldName = 'ID'\r\n"
            "    end\r\n"
            "  end\r\n"
            "  object DataSource1: TDataSource\r\n"
            "    DataSet = Query1\r\n"
            "  end\r\n"
            "end\r\n");
  // Saved once, the new elements are stable.
  std::string again = f->SaveToString();
  EXPECT_EQ(f->SaveToString(), again);
}

TEST_F(TRegistryFixture, ReferencesAcrossFilesAreFixedUpAfterAllAreLoaded) {
  auto form = TFormFile::Load("object Form1: TForm1\n  object DataSource1: TDataSource\n    DataSet = DataMod.tblCustomer\n"
                              "  end\n  object DataSource2: TDataSource\n    DataSet = Missing.Table\n  end\nend\n",
                              "form.dfm", Registry);
  auto module = TFormFile::Load("object DataMod: TDataModule\n  object tblCustomer: TTestQuery\n  end\nend\n", "dm.dfm", Registry);
  std::vector<TComponent*> roots{form->Root(), module->Root()};
  form->ResolveReferences(roots);
  module->ResolveReferences(roots);
  form->FinishLoading();
  module->FinishLoading();
  auto* ds1 = static_cast<TDataSource*>(form->Root()->Components(0));
  EXPECT_EQ(ds1->DataSet(), module->Root()->Components(0));
  EXPECT_EQ(form->Warnings(), (std::vector<std::string>{"form.dfm:6:5: unresolved reference 'Missing.Table'"}));
  // The unresolved one is kept as read; a change to the resolved one is
  // written by the name the other module knows it by.
  module->Root()->Components(0)->SetName("tblClients");
  EXPECT_EQ(form->SaveToString(), "object Form1: TForm1\n  object DataSource1: TDataSource\n    DataSet = DataMod.tblClients\n"
                                  "  end\n  object DataSource2: TDataSource\n    DataSet = Missing.Table\n  end\nend\n");
}

TEST_F(TRegistryFixture, CodePageFilesKeepTheirBytes) {
  std::string text = ReadBytes(FixturePath("codepage.dfm"));
  text.replace(text.find("TQuery"), 6, "TTestQuery");
  auto f = Open(text);
  auto* query = dynamic_cast<TTestQuery*>(f->Root()->Components(0));
  ASSERT_NE(query, nullptr);
  EXPECT_EQ(query->SQL()->Get(0), "select c\xC3\xB3" "digo from t");
  query->SQL()->Add("where n\xC3\xA3o = 1");
  std::string saved = f->SaveToString();
  EXPECT_NE(saved.find("'select c\xF3" "digo from t'\n      'where n\xE3o = 1')"), std::string::npos) << saved;
}

TEST_F(TRegistryFixture, SavingIsAtomicAndWritesNothingOnFailure) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("quelm-save-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  auto f = Open(QueryForm);
  EXPECT_THROW(f->SaveToFile((dir / "missing" / "out.dfm").string()), EInOutError);
  EXPECT_FALSE(fs::exists(dir / "missing"));
  std::string target = (dir / "out.dfm").string();
  { std::ofstream(target) << "old"; }
  f->SaveToFile(target, TFormFormat::Binary);
  std::string binary = ReadBytes(target);
  EXPECT_EQ(binary.substr(0, 10), std::string("\xFF\x0A\x00TFORM1\x00", 10));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
  auto back = TFormFile::Load(binary, target, Registry);
  back->ResolveReferences({});
  back->FinishLoading();
  EXPECT_EQ(back->SaveToString(TFormFormat::Text), QueryForm);
  fs::remove_all(dir);
}

TEST_F(TRegistryFixture, OtherCodePagesDecodeAndEncodeBack) {
  // "Клиенты" in Windows-1251, and in GBK a byte that starts no character.
  std::string text = "object Form1: TForm1\n  object Query1: TTestQuery\n    SQL.Strings = (\n"
                     "      'select * from \xCA\xEB\xE8\xE5\xED\xF2\xFB')\n  end\nend\n";
  auto f = TFormFile::Load(text, "ru.dfm", Registry, "windows-1251");
  f->ResolveReferences({});
  f->FinishLoading();
  auto* query = static_cast<TTestQuery*>(f->Root()->Components(0));
  EXPECT_EQ(query->SQL()->Get(0), "select * from \xD0\x9A\xD0\xBB\xD0\xB8\xD0\xB5\xD0\xBD\xD1\x82\xD1\x8B");
  query->SQL()->Add("-- \xD0\xB4\xD0\xB0");  // "да"
  std::string saved = f->SaveToString();
  EXPECT_NE(saved.find("'select * from \xCA\xEB\xE8\xE5\xED\xF2\xFB'\n      '-- \xE4\xE0')"), std::string::npos) << saved;
  EXPECT_THROW(TFormFile::Load(text, "ru.dfm", Registry, "no-such-code-page"), EConvertError);

  std::string gbk = "object Form1: TForm1\n  object Query1: TTestQuery\n    SQL.Strings = (\n      'a\xFF" "b')\n  end\nend\n";
  auto g = TFormFile::Load(gbk, "gbk.dfm", Registry, "gbk");
  g->ResolveReferences({});
  g->FinishLoading();
  auto* q = static_cast<TTestQuery*>(g->Root()->Components(0));
  TStringList copy;
  copy.Assign(q->SQL());
  q->SQL()->Clear();
  q->SQL()->Assign(&copy);
  q->SQL()->Add("x");
  EXPECT_NE(g->SaveToString().find("'a\xFF" "b'\n      'x')"), std::string::npos);
}

TEST_F(TRegistryFixture, SavingThroughALinkReplacesTheLinkedFile) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("quelm-link-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  fs::path real = dir / "real.dfm", link = dir / "link.dfm";
  { std::ofstream(real) << "old"; }
  fs::create_symlink(real, link);
  auto f = Open(QueryForm);
  f->SaveToFile(link.string());
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(real.string()), QueryForm);
  fs::remove_all(dir);
}

TEST_F(TRegistryFixture, PersistentFieldsAreWrittenInTheDatasetsFieldOrder) {
  const std::string fieldA = "    object Query1A: TIntegerField\n      FieldName = 'A'\n    end\n";
  const std::string fieldB = "    object Query1B: TStringField\n      FieldName = 'B'\n    end\n";
  auto f = Open("object Form1: TForm1\n  object Query1: TTestQuery\n" + fieldA + fieldB + "  end\nend\n");
  auto* query = static_cast<TTestQuery*>(f->Root()->Components(0));
  ASSERT_EQ(query->FieldCount(), 2);
  TField* a = query->Fields().Items(0);
  a->SetDataSet(nullptr);
  a->SetDataSet(query);  // now after B
  EXPECT_EQ(f->SaveToString(), "object Form1: TForm1\n  object Query1: TTestQuery\n" + fieldB + fieldA + "  end\nend\n");
}
