#include "designhost/modules/FormTreeReport.h"

#include "classes/TClassRegistry.h"
#include "db/FieldClasses.h"
#include "db/TDataSource.h"
#include "designhost/ModuleServices.h"
#include "designhost/foreign/ForeignClasses.h"
#include "rtl/JsonWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct TFormTreeReportTest : ::testing::Test {
  TClassRegistry Registry;
  fs::path Dir = fs::temp_directory_path() / ("quelm-report-" + std::to_string(::getpid()));
  std::unique_ptr<TModuleServices> Services;
  TFormTreeReportTest() {
    RegisterForeignClasses(Registry);
    for (const TClassInfo* c : {&TDataSource::StaticClass(), &TStringField::StaticClass(), &TIntegerField::StaticClass()})
      Registry.RegisterClass(*c);
    fs::create_directories(Dir);
    Services = std::make_unique<TModuleServices>(Registry);
  }
  ~TFormTreeReportTest() override {
    Services.reset();
    fs::remove_all(Dir);
  }
  TModule& Open(const std::string& text) {
    std::string path = (Dir / "f.dfm").string();
    std::ofstream(path, std::ios::binary) << text;
    return *Services->OpenModules({path}).at(0);
  }
};

const char* const Form =
    "object Form1: TForm1\n"
    "  object Panel1: TPanel\n"
    "    object Grid1: TDBGrid\n"
    "      DataSource = DataSource1\n"
    "    end\n"
    "  end\n"
    "  object Query1: TQuery\n"
    "    SQL.Strings = (\n"
    "      'select id,'\n"
    "      '  name from t')\n"
    "    AfterPost = Query1AfterPost\n"
    "    Left = 8\n"
    "    Top = 16\n"
    "    object Query1NAME: TStringField\n"
    "      FieldName = 'NAME'\n"
    "      Size = 40\n"
    "    end\n"
    "  end\n"
    "  object DataSource1: TDataSource\n"
    "    DataSet = Query1\n"
    "  end\n"
    "end\n";

} // namespace

TEST_F(TFormTreeReportTest, TextShowsTheTreeOwnersAndDataAccessProperties) {
  TModule& module = Open(Form);
  std::ostringstream out;
  PrintFormTree(out, module);
  EXPECT_EQ(out.str(), module.FileName() +
                           "\n"
                           "  Form1: TForm1\n"
                           "    Panel1: TPanel\n"
                           "      Grid1: TDBGrid (owner Form1)\n"
                           "        DataSource = DataSource1\n"
                           "    Query1: TQuery\n"
                           "      AfterPost = Query1AfterPost\n"
                           "      SQL.Strings = (\n"
                           "        'select id,'\n"
                           "        '  name from t')\n"
                           "      Left = 8\n"
                           "      Top = 16\n"
                           "      Query1NAME: TStringField (owner Form1)\n"
                           "        FieldName = 'NAME'\n"
                           "        Size = 40\n"
                           "    DataSource1: TDataSource\n"
                           "      DataSet = Query1\n");
}

TEST_F(TFormTreeReportTest, JsonGivesTheSameAsData) {
  TModule& module = Open("object DM: TDataModule\n  object T1: TTable\n    TableName = 'A'\n    Filtered = True\n"
                         "  end\n  object X: TThing\n    Ref = Nowhere\n  end\nend\n");
  std::ostringstream out;
  TJsonWriter json(out);
  WriteFormTreeJson(json, module);
  EXPECT_EQ(out.str(),
            "{\"file\":" + JsonQuoted(module.FileName()) +
                ",\"components\":["
                "{\"name\":\"DM\",\"class\":\"TDataModule\",\"depth\":0,\"parent\":\"\",\"known\":false},"
                "{\"name\":\"T1\",\"class\":\"TTable\",\"depth\":1,\"parent\":\"DM\",\"known\":true,"
                "\"properties\":{\"Filtered\":true,\"TableName\":\"A\"}},"
                "{\"name\":\"X\",\"class\":\"TThing\",\"depth\":1,\"parent\":\"DM\",\"known\":false}],"
                "\"warnings\":[]}");
}
