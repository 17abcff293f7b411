// Screenshots of the main window with real forms from the shared corpus
// open: saved for people to look at, and checked for what must be on them.
#include "GuiTestHost.h"
#include "TDesignerWindow.h"
#include "TFormView.h"
#include "TInspectorView.h"

#include "forms/TControl.h"

#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

struct TScreenshotCase {
  const char* Form;        // in the corpus
  const char* Select;      // the component the inspector shows
  const char* Picture;     // the screenshot's file name
  int MinControls;         // drawn controls at least
  int MinNonVisual;        // drawn non-visual components at least
};

const TScreenshotCase Cases[] = {
    {"servisoft-cb__Aposentadoria_Paradox__UProcuracao1.dfm", "tProcuracao", "main-window-procuracao.png", 20, 6},
    {"YihShuo__ERP__Account__Source__SN27__PayMentCon1.dfm", "PayMas", "main-window-paymentcon.png", 10, 8},
    {"Philin-coder__delphirep__code__menpers_r__Un_dm.dfm", "userQuery", "main-window-datamodule.png", 0, 20},
};

fs::path Corpus() {
  const char* shared = std::getenv("QUELM_SHARED");
  fs::path root = shared && *shared ? fs::path(shared) : fs::path(QUELM_SOURCE_DIR) / ".." / "shared";
  return root / "corpus" / "dfm";
}

bool SameColour(QRgb a, QRgb b) { return (a | 0xFF000000u) == (b | 0xFF000000u); }

// Whether the picture has a pixel in rect (window coordinates) other than colour.
bool HasOtherThan(const QImage& shot, const QRect& rect, QRgb colour) {
  QRect r = rect.intersected(shot.rect());
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (!SameColour(shot.pixel(x, y), colour)) return true;
  return false;
}

class ScreenshotTest : public ::testing::TestWithParam<TScreenshotCase> {};

} // namespace

TEST_P(ScreenshotTest, MainWindowShowsPaletteTreeInspectorAndTheDrawnForm) {
  TGuiHost::Instance();
  const TScreenshotCase& c = GetParam();
  fs::path source = Corpus() / c.Form;
  ASSERT_TRUE(fs::exists(source)) << source;
  fs::path dir = fs::temp_directory_path() / ("quelm-gui-shot-" + std::to_string(getpid()));
  fs::create_directories(dir);
  fs::path form = dir / c.Form;
  fs::copy_file(source, form, fs::copy_options::overwrite_existing);

  TDesignerWindow window(TGuiHost::Instance().Resources(), {});
  ASSERT_TRUE(window.OpenFiles({form.string()})) << window.LastError().toStdString();
  window.resize(1440, 900);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  TDesignModule& module = *window.CurrentModule();
  TComponent* selected = module.Root()->FindComponent(c.Select);
  ASSERT_NE(nullptr, selected) << c.Select;
  window.SelectComponents({selected});
  QTest::qWait(50);

  QImage shot = window.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  fs::create_directories(QUELM_SCREENSHOT_DIR);
  fs::path png = fs::path(QUELM_SCREENSHOT_DIR) / c.Picture;
  ASSERT_TRUE(shot.save(QString::fromStdString(png.string()))) << png;
  EXPECT_EQ(window.size(), shot.size());

  auto inWindow = [&](QWidget* w) { return QRect(w->mapTo(&window, QPoint(0, 0)), w->size()); };
  // The palette: its first button's picture is on the screenshot.
  auto* first = window.Palette()->findChild<QToolButton*>("TQuelmDatabase");
  ASSERT_NE(nullptr, first);
  EXPECT_TRUE(first->isVisible());
  QRect button = inWindow(first);
  EXPECT_TRUE(HasOtherThan(shot, button, shot.pixel(button.topLeft())));
  // The tree lists every component; the inspector shows the selection.
  int items = 0;
  for (QTreeWidgetItemIterator it(window.Tree()); *it; ++it) ++items;
  EXPECT_EQ(static_cast<int>(window.Session().ComponentTree(module).size()), items);
  EXPECT_GT(items, 20);  // the datasets' fields count too
  EXPECT_TRUE(window.Tree()->isVisible());
  EXPECT_GT(inWindow(window.Tree()).height(), 100);
  EXPECT_TRUE(window.Inspector()->isVisible());
  EXPECT_GT(window.Inspector()->Properties()->rowCount(), 5);
  EXPECT_GT(inWindow(window.Inspector()).height(), 200);

  // The form: its title bar, and each drawn control inside the visible part
  // differs from the workspace around the form.
  TFormView* view = window.FormView();
  QRect visible = inWindow(view->parentWidget());  // the scroll area's viewport
  QPoint viewAt = view->mapTo(&window, QPoint(0, 0));
  QRect client = view->ComponentRect(module.Root()).translated(viewAt);
  QRgb workspace = view->palette().color(QPalette::Window).rgb();
  EXPECT_FALSE(SameColour(shot.pixel(client.left() + 40, client.top() - 12), workspace)) << "title bar";
  int controls = 0, nonVisual = 0;
  for (int i = 0; i < module.Root()->ComponentCount(); ++i) {
    TComponent* comp = module.Root()->Components(i);
    QRect r = view->ComponentRect(comp).translated(viewAt);
    if (r.isEmpty() || !visible.contains(r.center())) continue;
    if (HasOtherThan(shot, r.adjusted(1, 1, -1, -1), workspace)) {
      if (dynamic_cast<TControl*>(comp) || r.width() != 28) ++controls;
      else ++nonVisual;
    } else {
      ADD_FAILURE() << comp->Name() << " is not drawn";
    }
  }
  EXPECT_GE(controls, c.MinControls);
  EXPECT_GE(nonVisual, c.MinNonVisual);
  std::error_code ec;
  fs::remove_all(dir, ec);
}

INSTANTIATE_TEST_SUITE_P(Corpus, ScreenshotTest, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<TScreenshotCase>& info) {
                           std::string name = info.param.Picture;
                           name = name.substr(0, name.find('.'));
                           std::erase(name, '-');
                           return name;
                         });
