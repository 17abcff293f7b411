#include "DesignerWindowEntry.h"

#include "TDesignerWindow.h"

#include "ConnectionOptions.h"
#include "designhost/CommandLine.h"
#include "forms/TApplication.h"

#include <QApplication>

#include <iostream>
#include <memory>
#include <stdexcept>

extern "C" int QuelmRunDesignerWindow(const TDesignerWindowStart* start) {
  if (!start || start->Size != static_cast<int>(sizeof(TDesignerWindowStart))) {
    std::cerr << "quelm-designer: the graphical host does not match the program\n";
    return 1;
  }
  std::vector<std::string> words;
  TConnectionOptions connection;
  try {
    TCommandLine line("--gui", "The main window over the form files.");
    line.Words("[FORM...]", words);
    DeclareConnectionOptions(line, connection);
    line.Parse(std::vector<std::string>(start->Words, start->Words + start->WordCount));
  } catch (const std::invalid_argument& e) {
    std::cerr << "quelm-designer: " << e.what() << "\n";
    return 2;
  }
  static int argc = 1;
  static char name[] = "quelm-designer";
  static char* argv[] = {name, nullptr};
  // The Qt widgetset, which shows the package's dialogs, may have made the
  // application already.
  std::unique_ptr<QApplication> ownApplication;
  if (!qApp) ownApplication = std::make_unique<QApplication>(argc, argv);
  // Windows and message boxes without a caption of their own show the
  // program's name.
  QApplication::setApplicationName("Quelm Designer");
  Application().SetTitle("Quelm Designer");
  TDesignerWindow window(start->Resources, connection);
  // Shown first, so that a file that cannot be opened is reported in a box
  // over the window (the others open), and on the terminal too.
  window.show();
  if (!words.empty() && !window.OpenFiles(words))
    std::cerr << "quelm-designer: " << window.LastError().toStdString() << "\n";
  return QApplication::exec();
}
