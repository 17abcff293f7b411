// Editing a form with the framework's own controls in the main window:
// dragging a control inside its parent, renaming through the context menu,
// and the question closing asks about unsaved changes.
#include "DialogAnswer.h"
#include "GuiTestHost.h"
#include "TDesignerWindow.h"
#include "TFormView.h"
#include "TInspectorView.h"

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
#include <fstream>
#include <functional>
#include <utility>
#include <sstream>

namespace fs = std::filesystem;

namespace {

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

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class FormEditingTest : public ::testing::Test {
protected:
  void SetUp() override {
    TGuiHost::Instance();
    FDir = fs::temp_directory_path() / ("quelm-gui-edit-" + std::to_string(getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(FDir);
    FForm = FDir / "Small.dfm";
    std::ofstream(FForm, std::ios::binary) << SmallForm;
    FWindow = std::make_unique<TDesignerWindow>(TGuiHost::Instance().Resources(), TConnectionOptions{});
    ASSERT_TRUE(FWindow->OpenFiles({FForm.string()})) << FWindow->LastError().toStdString();
    FWindow->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FWindow.get()));
  }
  void TearDown() override {
    FWindow.reset();
    std::error_code ec;
    fs::remove_all(FDir, ec);
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
