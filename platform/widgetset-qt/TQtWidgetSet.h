#pragma once
// The Qt 6 widgetset. Every control gets a native peer (see TQtPeer) made
// when its form is shown or its handle is asked for; the peer re-reads the
// model when a setter tells it something changed, and hands user input to
// the model through the form's one user-action path. A modal run shows the
// form and, while the current modal driver plays the user, lets it play on
// the shown windows; otherwise a person uses them until the model closes
// the form. Message boxes and the file-open dialog follow the same rule.
// No exception crosses Qt's event loop.
#include "forms/TWidgetSet.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QApplication;
class QEventLoop;
class QObject;
class QWidget;
class TControl;
class TQtPeer;
class TQtEventFilter;

struct TQtWidgetSetOptions {
  // Where each modal form is saved as PNG when shown and before it closes;
  // empty for none.
  std::string ScreenshotDir;
};

class TQtWidgetSet : public TWidgetSet {
public:
  explicit TQtWidgetSet(TQtWidgetSetOptions options = {});
  ~TQtWidgetSet() override;

  THandle CreateHandle(TWinControl& control) override;
  void DestroyHandle(THandle handle) override;
  void Invalidate(THandle handle) override;
  void DrawGraphic(THandle handle, int x, int y, const TGraphic& graphic) override;
  TTextExtent TextExtent(std::string_view text) override;
  TTextExtent ControlTextExtent(TControl& control, std::string_view text) override;
  void ControlChanged(TControl& control, TControlChange change) override;
  void ControlDestroyed(TControl& control) override;
  TRect WorkArea() override;
  void ProcessMessages() override;
  void ShowPopupMenu(TPopupMenu& menu, int x, int y) override;
  void RunModal(TForm& form) override;
  TModalResult MessageBox(const TMessageBoxInfo& box) override;
  bool ExecuteOpenDialog(TOpenDialog& dialog) override;
  bool ShowHelp(const std::string& helpFile, int context) override;
  void SetCursor(TCursor cursor) override;

  // The peer of a control, made with those of its parents when missing.
  TQtPeer& PeerOf(TControl& control);
  // The peer if there is one.
  TQtPeer* FindPeer(const TControl& control) const;
  // The peer a native widget belongs to (the nearest up its parents).
  TQtPeer* PeerOfWidget(QObject* widget) const;
  QWidget* WidgetOf(TControl& control);
  // Runs a user action from native input on the control's form through the
  // form's user-action path; nothing escapes. Ends the form's modal loop when
  // the action closed it, and lets the peer re-read what the model refused.
  void UserAction(TControl& control, const std::function<void()>& action);
  // A person plays the forms (no driver does).
  bool Interactive() const;
  // Help requests as they came, for the log and for tests.
  const std::vector<std::pair<std::string, int>>& HelpRequests() const { return FHelpRequests; }
  // Saves the form's window as PNG in the screenshot folder.
  void Screenshot(TForm& form, const char* moment);

protected:
  TShiftState QueryKeyboardState() override;

private:
  friend class TQtEventFilter;
  void MakeTree(TControl& control);
  void DeletePeer(TQtPeer* peer);

  TQtWidgetSetOptions FOptions;
  std::unique_ptr<QApplication> FOwnApplication;
  std::unique_ptr<TQtEventFilter> FFilter;
  std::map<const TControl*, std::unique_ptr<TQtPeer>> FPeers;
  std::map<TForm*, QEventLoop*> FModalLoops;
  std::vector<std::pair<std::string, int>> FHelpRequests;
  int FCursorDepth = 0;
  int FScreenshotCount = 0;
};

// The Qt widgetset as the process's widgetset, none when another is installed.
TQtWidgetSet* QtWidgetSet();

// The entry point a program that does not link Qt finds with dlsym: makes
// the widgetset (and the QApplication when there is none). The caller owns it.
extern "C" TWidgetSet* QuelmCreateQtWidgetSet(const char* screenshotDir);
