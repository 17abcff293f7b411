// Editing a form with the framework's own controls in the main window:
// dragging a control inside its parent, renaming through the context menu,
// and the question closing asks about unsaved changes.
#include "support/TestFolder.h"
#include "support/Files.h"
#include "DialogAnswer.h"
#include "GuiTestHost.h"
#include "TDesignerWindow.h"
#include "TFormView.h"
#include "TInspectorView.h"

#include "forms/TControl.h"
#include "forms/TWinControl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <optional>
#include <fstream>
#include <functional>
#include <utility>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using TestSupport::ReadFile;

const char* SmallForm =
    "object Small: TSmall\r\n"
    "  Left = 0\r\n"
    "  Top = 0\r\n"
    "  Caption = 'Small'\r\n"
    "  ClientHeight = 200\r\n"
    "  ClientWidth = 300\r\n"
    "  object Panel1: TPanel\r\n"
    "    Left = 10\r\n"
    "    Top = 20\r\n"
    "    Width = 200\r\n"
    "    Height = 120\r\n"
    "    Constraints.MaxHeight = 200\r\n"
    "    Caption = 'Panel1'\r\n"
    "    object Button1: TButton\r\n"
    "      Left = 16\r\n"
    "      Top = 24\r\n"
    "      Width = 75\r\n"
    "      Height = 25\r\n"
    "      Caption = 'OK'\r\n"
    "    end\r\n"
    "  end\r\n"
    "end\r\n";

class FormEditingTest : public ::testing::Test {
protected:
  void SetUp() override {
    TGuiHost::Instance();
    FDir = FFolder.emplace("quelm-gui-edit").Path();
    FForm = FDir / "Small.dfm";
    std::ofstream(FForm, std::ios::binary) << SmallForm;
    FWindow = std::make_unique<TDesignerWindow>(TGuiHost::Instance().Resources(), TConnectionOptions{});
    ASSERT_TRUE(FWindow->OpenFiles({FForm.string()})) << FWindow->LastError().toStdString();
    FWindow->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FWindow.get()));
  }
  void TearDown() override {
    FWindow.reset();
    FFolder.reset();
  }
  TComponent* Component(const char* name) {
    return FWindow->CurrentModule() ? FWindow->CurrentModule()->Root()->FindComponent(name) : nullptr;
  }
  void Drag(const char* name, QPoint by) {
    TFormView* view = FWindow->FormView();
    QPoint from = view->ComponentRect(Component(name)).center();
    QTest::mousePress(view, Qt::LeftButton, {}, from);
    QTest::mouseMove(view, from + by / 2);
    QTest::mouseMove(view, from + by);
    QTest::mouseRelease(view, Qt::LeftButton, {}, from + by);
  }

  std::optional<TestSupport::TTestFolder> FFolder;

  fs::path FDir, FForm;
  std::unique_ptr<TDesignerWindow> FWindow;
};

} // namespace

TEST_F(FormEditingTest, DraggingAControlWritesItsPlaceInsideItsParent) {
  TFormView* view = FWindow->FormView();
  QPoint form = view->ComponentRect(FWindow->CurrentModule()->Root()).topLeft();
  EXPECT_EQ(QRect(form + QPoint(26, 44), QSize(75, 25)), view->ComponentRect(Component("Button1")));
  Drag("Button1", QPoint(30, 8));
  EXPECT_EQ(QRect(form + QPoint(56, 52), QSize(75, 25)), view->ComponentRect(Component("Button1")));
  ASSERT_TRUE(FWindow->SaveCurrent());
  std::string saved = ReadFile(FForm);
  std::string expected = SmallForm;
  expected.replace(expected.find("      Left = 16"), 15, "      Left = 46");
  expected.replace(expected.find("      Top = 24"), 14, "      Top = 32");
  EXPECT_EQ(expected, saved);
}

TEST_F(FormEditingTest, AControlDroppedOnAPanelIsThePanelsAndPlacedInsideIt) {
  TFormView* view = FWindow->FormView();
  // The palette's choice, one class per click as a palette button gives it.
  std::vector<std::string> choices{"TEdit", "TEdit"};
  view->TakeDropClass = [&] {
    std::string next = choices.empty() ? std::string() : choices.front();
    if (!choices.empty()) choices.erase(choices.begin());
    return next;
  };
  QPoint form = view->ComponentRect(FWindow->CurrentModule()->Root()).topLeft();
  // Inside Panel1 (10,20 on the form) and beside its button; then on the form.
  QTest::mouseClick(view, Qt::LeftButton, {}, form + QPoint(60, 90));
  QTest::mouseClick(view, Qt::LeftButton, {}, form + QPoint(230, 160));
  ASSERT_TRUE(choices.empty());
  auto* inPanel = dynamic_cast<TControl*>(Component("Edit1"));
  auto* onForm = dynamic_cast<TControl*>(Component("Edit2"));
  ASSERT_NE(nullptr, inPanel) << FWindow->LastError().toStdString();
  ASSERT_NE(nullptr, onForm);
  EXPECT_EQ(Component("Panel1"), static_cast<TComponent*>(inPanel->Parent()));
  EXPECT_EQ(form + QPoint(60, 90), view->ComponentRect(inPanel).topLeft());
  ASSERT_TRUE(FWindow->SaveCurrent());
  std::string expected = SmallForm;
  expected.insert(expected.find("  end\r\nend\r\n"), "    object Edit1: TEdit\r\n      Left = 50\r\n      Top = 70\r\n");
  std::string saved = ReadFile(FForm);
  EXPECT_EQ(0u, saved.find(expected.substr(0, expected.find("      Top = 70\r\n") + 16))) << saved;
  EXPECT_NE(std::string::npos, saved.find("  end\r\n  object Edit2: TEdit\r\n    Left = 230\r\n    Top = 160\r\n")) << saved;
}

TEST_F(FormEditingTest, AControlDroppedOnAPageControlGoesToItsActivePage) {
  fs::path pages = FDir / "Pages.dfm";
  std::ofstream(pages, std::ios::binary) << "object Pages: TPages\n"
                                            "  ClientHeight = 200\n"
                                            "  ClientWidth = 300\n"
                                            "  Caption = 'Pages'\n"
                                            "  object PageControl1: TPageControl\n"
                                            "    Left = 10\n"
                                            "    Top = 10\n"
                                            "    Width = 280\n"
                                            "    Height = 180\n"
                                            "    ActivePage = Second\n"
                                            "    object First: TTabSheet\n"
                                            "      Caption = 'First'\n"
                                            "    end\n"
                                            "    object Second: TTabSheet\n"
                                            "      Caption = 'Second'\n"
                                            "    end\n"
                                            "    object Third: TTabSheet\n"
                                            "      Caption = 'Third'\n"
                                            "    end\n"
                                            "  end\n"
                                            "end\n";
  ASSERT_TRUE(FWindow->OpenFiles({pages.string()})) << FWindow->LastError().toStdString();
  TFormView* view = FWindow->FormView();
  bool offered = false;
  view->TakeDropClass = [&] { return std::exchange(offered, true) ? std::string() : std::string("TButton"); };
  QPoint form = view->ComponentRect(FWindow->CurrentModule()->Root()).topLeft();
  EXPECT_TRUE(view->ComponentRect(Component("First")).isEmpty()) << "an inactive page is not drawn";
  QTest::mouseClick(view, Qt::LeftButton, {}, form + QPoint(60, 80));
  auto* button = dynamic_cast<TControl*>(Component("Button1"));
  ASSERT_NE(nullptr, button) << FWindow->LastError().toStdString();
  EXPECT_EQ(Component("Second"), static_cast<TComponent*>(button->Parent()));
  EXPECT_EQ(form + QPoint(60, 80), view->ComponentRect(button).topLeft());
}

TEST_F(FormEditingTest, RenameFromTheContextMenuRenamesTheComponent) {
  std::unique_ptr<QMenu> menu(FWindow->ContextMenu(Component("Button1")));
  QAction* rename = nullptr;
  for (QAction* a : menu->actions())
    if (a->text() == "&Rename...") rename = a;
  ASSERT_NE(nullptr, rename);
  TDialogAnswer answer([](QWidget* dialog) {
    auto* input = qobject_cast<QInputDialog*>(dialog);
    ASSERT_NE(nullptr, input);
    input->setTextValue("OkButton");
    input->accept();
  });
  rename->trigger();
  EXPECT_TRUE(answer.Shown());
  EXPECT_EQ(nullptr, Component("Button1"));
  ASSERT_NE(nullptr, Component("OkButton"));
  EXPECT_TRUE(FWindow->SaveAction()->isEnabled());
}

TEST_F(FormEditingTest, ASubPropertyTypedInTheInspectorIsSavedAsItsDottedLine) {
  FWindow->SelectComponents({Component("Panel1")});
  TInspectorView* inspector = FWindow->Inspector();
  QTableWidget* grid = inspector->Properties();
  ASSERT_LT(inspector->RowOf("Constraints.MaxHeight"), 0);
  int parent = inspector->RowOf("Constraints");
  ASSERT_GE(parent, 0);
  EXPECT_EQ(QString::fromUtf8("\u25B8 Constraints"), grid->item(parent, 0)->text());
  // The arrow opens the row: its sub-properties follow it, indented.
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(parent, 0)).center());
  for (int i = 0; i < 50 && inspector->RowOf("Constraints.MaxHeight") < 0; ++i) QTest::qWait(10);
  int row = inspector->RowOf("Constraints.MaxHeight");
  ASSERT_EQ(parent + 1, row);
  EXPECT_EQ(QString::fromUtf8("\u25BE Constraints"), grid->item(parent, 0)->text());
  EXPECT_EQ("   MaxHeight", grid->item(row, 0)->text().toStdString());
  EXPECT_EQ("200", grid->item(row, 1)->text().toStdString());
  EXPECT_EQ(parent + 4, inspector->RowOf("Constraints.MinWidth"));
  fs::create_directories(QUELM_SCREENSHOT_DIR);
  FWindow->grab().save(QString::fromStdString((fs::path(QUELM_SCREENSHOT_DIR) / "inspector-sub-properties.png").string()));
  // Typed as a user types into the value cell.
  grid->setCurrentCell(row, 1);
  grid->editItem(grid->item(row, 1));
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(nullptr, editor);
  editor->selectAll();
  QTest::keyClicks(editor, "150");
  QTest::keyClick(editor, Qt::Key_Return);
  QTest::qWait(20);
  row = inspector->RowOf("Constraints.MaxHeight");
  ASSERT_GE(row, 0);
  EXPECT_EQ("150", grid->item(row, 1)->text().toStdString());
  EXPECT_EQ(150, static_cast<TControl*>(Component("Panel1"))->Constraints()->MaxHeight());
  ASSERT_TRUE(FWindow->SaveCurrent());
  std::string expected = SmallForm;
  expected.replace(expected.find("MaxHeight = 200"), 15, "MaxHeight = 150");
  EXPECT_EQ(expected, ReadFile(FForm));
}

TEST_F(FormEditingTest, AFileThatCannotBeOpenedIsNamedWithItsPlaceInABoxAndTheOthersOpen) {
  fs::path broken = FDir / "Broken.dfm";
  std::ofstream(broken, std::ios::binary) << "object Broken: TForm\r\n  Caption = 'open\r\nend\r\n";
  fs::path good = FDir / "Good.dfm";
  std::ofstream(good, std::ios::binary) << "object Good: TForm\r\n  Caption = 'Good'\r\nend\r\n";
  QString informative;
  TDialogAnswer answer([&](QWidget* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    ASSERT_NE(nullptr, box);
    informative = box->informativeText();
    box->button(QMessageBox::Ok)->click();
  });
  EXPECT_FALSE(FWindow->OpenFiles({broken.string(), good.string()}));
  EXPECT_TRUE(answer.Shown());
  EXPECT_EQ("This file could not be opened:", answer.Text().toStdString());
  EXPECT_EQ(broken.string() + ":2:13: unterminated string", informative.toStdString());
  EXPECT_EQ(2, FWindow->Session().ModuleCount());
  EXPECT_NE(nullptr, FWindow->Session().FindModule(good.string()));
  EXPECT_EQ(nullptr, FWindow->Session().FindModule(broken.string()));
}

struct TCloseCase {
  QMessageBox::StandardButton Answer;
  bool StaysOpen;
  bool FileChanged;
};

class CloseQuestionTest : public FormEditingTest, public ::testing::WithParamInterface<TCloseCase> {};

TEST_P(CloseQuestionTest, ClosingAModifiedModuleAsksYesNoCancel) {
  const TCloseCase& c = GetParam();
  Drag("Panel1", QPoint(16, 16));
  ASSERT_TRUE(FWindow->CurrentModule()->IsModified());
  TDialogAnswer answer([&](QWidget* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, box->standardButtons());
    box->button(c.Answer)->click();
  });
  bool closed = FWindow->CloseCurrent();
  EXPECT_TRUE(answer.Shown());
  EXPECT_EQ("Save changes to Small.dfm?", answer.Text().toStdString());
  EXPECT_EQ(!c.StaysOpen, closed);
  EXPECT_EQ(c.StaysOpen, FWindow->CurrentModule() != nullptr);
  EXPECT_EQ(c.FileChanged, ReadFile(FForm) != SmallForm);
}

INSTANTIATE_TEST_SUITE_P(Answers, CloseQuestionTest,
                         ::testing::Values(TCloseCase{QMessageBox::Cancel, true, false},
                                           TCloseCase{QMessageBox::No, false, false},
                                           TCloseCase{QMessageBox::Yes, false, true}),
                         [](const ::testing::TestParamInfo<TCloseCase>& info) {
                           return info.param.Answer == QMessageBox::Cancel ? std::string("Cancel")
                                  : info.param.Answer == QMessageBox::No   ? std::string("No")
                                                                           : std::string("Yes");
                         });
