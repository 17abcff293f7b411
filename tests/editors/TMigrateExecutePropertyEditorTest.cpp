#include "support/TestFormDesigner.h"
#include "support/ExpectRaises.h"
#include "editors/TMigrateExecutePropertyEditor.h"

#include "classes/TypInfo.h"
#include "designhost/DesignRegistry.h"
#include "forms/TModalDriver.h"
#include "migrator/TBDE2QuelmDorvik.h"
#include "package/QuelmCOMP.h"
#include "rtl/Exceptions.h"
#include "runtime/TQuelmDatabase.h"

#include <gtest/gtest.h>

namespace {

using TCountingDesigner = TestSupport::TTestFormDesigner;

struct TMigrateExecutePropertyEditorTest : ::testing::Test {
  TComponent Form{nullptr};
  TCountingDesigner Designer{Form};
  TFunctionModalDriver Driver;
  std::unique_ptr<TModalDriverGuard> Guard;
  TBDE2QuelmDorvik* Migrator;

  TMigrateExecutePropertyEditorTest() {
    Form.SetDesigning(true);
    Migrator = new TBDE2QuelmDorvik(&Form);
    Migrator->SetName("Migrator1");
    Driver.AnswerWith([](const TMessageBoxInfo&) { return mrOk; });
    Guard = std::make_unique<TModalDriverGuard>(Driver);
  }
  std::unique_ptr<TMigrateExecutePropertyEditor> EditorOn(TPersistent* component) {
    auto editor = std::make_unique<TMigrateExecutePropertyEditor>(&Designer, 1);
    editor->SetPropEntry(0, component, GetPropInfo(*Migrator, "Execute"));
    return editor;
  }
};

TEST_F(TMigrateExecutePropertyEditorTest, AFailedMigrationIsNotReportedAsAChange) {
  auto editor = EditorOn(Migrator);
  EXPECT_TRUE(TestSupport::Raises<EDatabaseError>([&] { editor->Edit(); }, "Migrator1: Database not assigned"));
  EXPECT_EQ(Designer.Changes, 0);
  EXPECT_TRUE(Driver.Messages().empty());
  // Anything but a migrator is refused rather than called.
  TComponent other(nullptr);
  EXPECT_THROW(EditorOn(&other)->Edit(), EInvalidCast);
  EXPECT_EQ(Designer.Changes, 0);
}

TEST_F(TMigrateExecutePropertyEditorTest, PressingTheButtonMigratesAndMarksTheForm) {
  auto* database = new TQuelmDatabase(&Form);
  Migrator->SetDatabase(database);
  auto editor = EditorOn(Migrator);
  EXPECT_EQ(editor->GetAttributes().Bits(), 0x44u);
  EXPECT_EQ(editor->GetValue(), "Press to Migrate...");
  editor->Edit();
  EXPECT_EQ(Designer.Changes, 1);
  ASSERT_EQ(Driver.Messages().size(), 1u);
  EXPECT_EQ(Driver.Messages()[0].Text, "0 dataset descendants processed successfully");
  EXPECT_FALSE(Migrator->Execute());
}

TEST_F(TMigrateExecutePropertyEditorTest, TheExecutePropertyOfTheMigratorGetsThisEditor) {
  TDesignRegistry& registry = TDesignRegistry::Instance();
  constexpr int Package = 7305;
  int previous = registry.CurrentPackage();
  registry.SetCurrentPackage(Package);
  RegisterPropertyEditors();
  registry.SetCurrentPackage(previous);
  struct TUnregister {
    ~TUnregister() { TDesignRegistry::Instance().UnregisterPackage(Package); }
  } unregister;
  std::vector<std::string> mine;
  for (const TPropertyEditorRegistration& r : registry.PropertyEditors())
    if (r.Package == Package) mine.push_back(r.PropertyName);
  auto at = std::find(mine.begin(), mine.end(), "Execute");
  ASSERT_NE(at, mine.end());
  EXPECT_EQ(*(at - 1), "SSLKey");
  EXPECT_EQ(*(at + 1), "ProcedureName");
  const TPropertyEditorRegistration* found =
      registry.FindPropertyEditor(*GetPropInfo(*Migrator, "Execute"), Migrator->ClassType());
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->Editor.ClassName(), "TMigrateExecutePropertyEditor");
  EXPECT_EQ(registry.FindPropertyEditor(*GetPropInfo(*Migrator, "DeleteSourceComponents"), Migrator->ClassType()),
            nullptr);
}

} // namespace
