// Controls dropped into containers: the Parent a dropped control gets, where
// the form file writes it, and the drops that are refused.
#include "designhost/session/TDesignSession.h"
#include "support/ExpectRaises.h"
#include "support/Files.h"

#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "designhost/DesignRegistry.h"
#include "designhost/foreign/ForeignClasses.h"
#include "forms/TButton.h"
#include "forms/TCustomEdit.h"
#include "forms/TForm.h"
#include "forms/TGroupBox.h"
#include "forms/TPageControl.h"
#include "forms/TPanel.h"
#include "forms/TRadioGroup.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;
using TestSupport::ErrorOf;
using TestSupport::ReadFile;
using TestSupport::WriteFile;

namespace {

const char* const PanelDfm =
    "object Entry: TEntry\n"
    "  Caption = 'Entry'\n"
    "  object Panel1: TPanel\n"
    "    Left = 40\n"
    "    Top = 30\n"
    "    Width = 200\n"
    "    Height = 100\n"
    "    object Edit1: TEdit\n"
    "      Left = 8\n"
    "      Top = 8\n"
    "      Width = 80\n"
    "      Height = 21\n"
    "    end\n"
    "  end\n"
    "  object Options: TRadioGroup\n"
    "    Left = 40\n"
    "    Top = 140\n"
    "  end\n"
    "  object Table1: TTable\n"
    "  end\n"
    "end\n";

struct ControlParentTest : ::testing::Test {
  TClassRegistry Registry;
  TDesignRegistry Design;
  fs::path Dir = fs::temp_directory_path() / ("quelm-parents-" + std::to_string(::getpid()));
  ControlParentTest() {
    RegisterForeignClasses(Registry);
    for (const TClassInfo* cls : {&TForm::StaticClass(), &TPanel::StaticClass(), &TEdit::StaticClass(),
                                  &TButton::StaticClass(), &TGroupBox::StaticClass(), &TRadioGroup::StaticClass(),
                                  &TPageControl::StaticClass(), &TTabSheet::StaticClass()})
      Registry.RegisterClass(*cls, "StdCtrls");
    fs::create_directories(Dir);
  }
  ~ControlParentTest() override { fs::remove_all(Dir); }
  std::string Write(const std::string& name, const std::string& text) {
    WriteFile(Dir / name, text);
    return (Dir / name).string();
  }
};

fs::path Corpus() {
  std::vector<fs::path> roots;
  if (const char* env = std::getenv("QUELM_SHARED"); env && *env) roots.emplace_back(env);
  roots.push_back(fs::path(__FILE__).parent_path().parent_path().parent_path().parent_path() / "shared");
  for (const auto& r : roots)
    if (fs::is_directory(r / "corpus" / "dfm")) return r / "corpus";
  return {};
}

} // namespace

TEST_F(ControlParentTest, AControlDroppedIntoAPanelIsWrittenAfterThePanelsChildren) {
  std::string form = Write("Entry.dfm", PanelDfm);
  TDesignSession session(Registry, Design);
  TDesignModule& m = *session.Open({form}).front();
  auto& panel = dynamic_cast<TPanel&>(session.FindComponent(m, "Panel1"));
  auto& edit = dynamic_cast<TEdit&>(session.AddComponent(m, "TEdit", {"Edit2", 8, 40, "Panel1"}));
  EXPECT_EQ(&panel, edit.Parent());
  EXPECT_EQ(8, edit.Left());
  // Named by the form's own name, a control sits on the form.
  TComponent& button = session.AddComponent(m, "TButton", {"", 300, 10, "Entry"});
  session.Save();
  std::string dfm = ReadFile(form);
  EXPECT_NE(std::string::npos, dfm.find("      Height = 21\n"
                                        "    end\n"
                                        "    object Edit2: TEdit\n"
                                        "      Left = 8\n"
                                        "      Top = 40\n"))
      << dfm;
  EXPECT_NE(std::string::npos, dfm.find("\n  object " + button.Name() + ": TButton\n    Left = 300\n")) << dfm;
  // Read again, the new control is the panel's.
  TDesignSession again(Registry, Design);
  TDesignModule& reread = *again.Open({form}).front();
  EXPECT_EQ(&again.FindComponent(reread, "Panel1"),
            dynamic_cast<TControl&>(again.FindComponent(reread, "Edit2")).Parent());
}

TEST_F(ControlParentTest, AContainerDroppedInTheSameRunTakesControlsToo) {
  std::string form = Write("Entry.dfm", PanelDfm);
  TDesignSession session(Registry, Design);
  TDesignModule& m = *session.Open({form}).front();
  session.AddComponent(m, "TGroupBox", {"Box", 4, 4, "Panel1"});
  session.AddComponent(m, "TButton", {"Ok", 2, 16, "Box"});
  session.Save();
  std::string dfm = ReadFile(form);
  size_t box = dfm.find("    object Box: TGroupBox\n");
  ASSERT_NE(std::string::npos, box) << dfm;
  size_t ok = dfm.find("      object Ok: TButton\n        Left = 2\n        Top = 16\n", box);
  EXPECT_NE(std::string::npos, ok) << dfm;
  EXPECT_LT(ok, dfm.find("\n    end\n", box)) << dfm;
}

TEST_F(ControlParentTest, AControlWithoutParentSitsOnAFormTheHostKnows) {
  std::string form = Write("Plain.dfm", "object Plain: TForm\n  object Panel1: TPanel\n  end\nend\n");
  TDesignSession session(Registry, Design);
  TDesignModule& m = *session.Open({form}).front();
  auto& edit = dynamic_cast<TEdit&>(session.AddComponent(m, "TEdit"));
  EXPECT_EQ(m.Root(), edit.Parent());
  session.Save();
  EXPECT_NE(std::string::npos, ReadFile(form).find("  end\n  object Edit1: TEdit\n")) << ReadFile(form);
}

TEST_F(ControlParentTest, DropsIntoWhatHoldsNoControlsAreRefusedAndNothingChanges) {
  std::string form = Write("Entry.dfm", PanelDfm);
  TDesignSession session(Registry, Design);
  TDesignModule& m = *session.Open({form}).front();
  struct TRow {
    const char* Class;
    const char* Parent;
    const char* Error;
  };
  const TRow rows[] = {
      {"TEdit", "Edit1", "Edit1 (TEdit) cannot hold controls"},
      {"TEdit", "Options", "Options (TRadioGroup) cannot hold controls"},
      {"TEdit", "Table1", "Table1 (TTable) cannot hold controls"},
      {"TEdit", "Panel9", "has no component Panel9"},
      {"TTable", "Panel1", "Panel1 cannot hold a TTable"},
  };
  for (const TRow& row : rows) {
    std::string error = ErrorOf<EComponentError>([&] { session.AddComponent(m, row.Class, {"", 1, 1, row.Parent}); });
    EXPECT_NE(std::string::npos, error.find(row.Error)) << row.Class << " in " << row.Parent << ": " << error;
  }
  EXPECT_EQ(4, m.Root()->ComponentCount());
  EXPECT_FALSE(session.IsModified());
  EXPECT_TRUE(session.Save().empty());
  EXPECT_EQ(PanelDfm, ReadFile(form));
}

// A real form: a control dropped on a panel and one on a page of a page
// control are written inside them, the unit declares both, and the rest of
// both files stays as it was.
TEST_F(ControlParentTest, CorpusFormTakesControlsIntoItsPanelAndPage) {
  fs::path corpus = Corpus();
  if (corpus.empty()) GTEST_SKIP() << "no shared corpus";
  const std::string base = "frones__ZeosLib__examples__controls__main";
  std::string originalDfm = ReadFile(corpus / "dfm" / (base + ".dfm"));
  std::string originalPas = ReadFile(corpus / "pas" / (base + ".pas"));
  std::string form = Write("main.dfm", originalDfm);
  std::string unit = Write("main.pas", originalPas);
  TDesignSession session(Registry, Design);
  TDesignModule& m = *session.Open({form}).front();
  session.AddComponent(m, "TEdit", {"ZPortEdit", 315, 18, "Panel1"});
  session.AddComponent(m, "TButton", {"ClearBtn", 8, 300, "TabSheet1"});
  EXPECT_EQ((std::vector<std::string>{form, unit}), session.Save());
  std::string dfm = ReadFile(form);
  // Panel1's last child was ZUername; TabSheet1's was DBDepartment.
  size_t panelEdit = dfm.find("    object ZPortEdit: TEdit\n      Left = 315\n      Top = 18\n");
  ASSERT_NE(std::string::npos, panelEdit) << dfm;
  EXPECT_LT(dfm.find("    object ZUername: TEdit"), panelEdit);
  EXPECT_EQ(panelEdit, dfm.find("  end\n", dfm.find("    object ZUername: TEdit")) + 6) << "not right after ZUername";
  size_t pageButton = dfm.find("      object ClearBtn: TButton\n        Left = 8\n        Top = 300\n");
  ASSERT_NE(std::string::npos, pageButton) << dfm;
  EXPECT_LT(dfm.find("      object DBDepartment: TDBLookupComboBox"), pageButton);
  EXPECT_GT(dfm.find("    object TabSheet3: TTabSheet"), pageButton);
  // Taking the two new objects out again gives the file as it was.
  auto cut = [&](size_t at) {
    size_t indent = dfm.find_first_not_of(' ', at) - at;
    size_t end = dfm.find("\n" + std::string(indent, ' ') + "end\n", at);
    dfm.erase(at, end + indent + 5 - at);
  };
  cut(pageButton);
  cut(panelEdit);
  EXPECT_EQ(originalDfm, dfm);
  std::string pas = ReadFile(unit);
  for (const std::string declaration : {"    ZPortEdit: TEdit;\n", "    ClearBtn: TButton;\n"}) {
    size_t at = pas.find(declaration);
    ASSERT_NE(std::string::npos, at) << declaration << pas;
    pas.erase(at, declaration.size());
  }
  EXPECT_EQ(originalPas, pas);
}
