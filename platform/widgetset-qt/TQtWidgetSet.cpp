#include "widgetset-qt/TQtWidgetSet.h"

#include "forms/TApplication.h"
#include "forms/TForm.h"
#include "forms/TFormUser.h"
#include "forms/TModalDriver.h"
#include "forms/TOpenDialog.h"
#include "forms/TPopupMenu.h"
#include "widgetset-qt/QtImages.h"
#include "widgetset-qt/QtKeys.h"
#include "widgetset-qt/TCanvasOverlay.h"
#include "widgetset-qt/TQtPeer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include <cstdio>

namespace {
QMessageBox::StandardButton StandardButtonOf(TMsgDlgBtn button) {
  switch (button) {
  case TMsgDlgBtn::mbYes: return QMessageBox::Yes;
  case TMsgDlgBtn::mbNo: return QMessageBox::No;
  case TMsgDlgBtn::mbOK: return QMessageBox::Ok;
  case TMsgDlgBtn::mbCancel: return QMessageBox::Cancel;
  case TMsgDlgBtn::mbAbort: return QMessageBox::Abort;
  case TMsgDlgBtn::mbRetry: return QMessageBox::Retry;
  case TMsgDlgBtn::mbIgnore: return QMessageBox::Ignore;
  case TMsgDlgBtn::mbAll: return QMessageBox::YesAll;
  case TMsgDlgBtn::mbNoToAll: return QMessageBox::NoToAll;
  case TMsgDlgBtn::mbYesToAll: return QMessageBox::YesToAll;
  case TMsgDlgBtn::mbHelp: return QMessageBox::Help;
  }
  return QMessageBox::NoButton;
}

QMessageBox::Icon IconOf(TMsgDlgType type) {
  switch (type) {
  case TMsgDlgType::mtWarning: return QMessageBox::Warning;
  case TMsgDlgType::mtError: return QMessageBox::Critical;
  case TMsgDlgType::mtInformation: return QMessageBox::Information;
  case TMsgDlgType::mtConfirmation: return QMessageBox::Question;
  case TMsgDlgType::mtCustom: return QMessageBox::NoIcon;
  }
  return QMessageBox::NoIcon;
}

// "SQL files (*.sql)|*.sql|All files (*.*)|*.*" as Qt's filter list.
QString QtFilter(const std::string& filter) {
  QStringList parts = QtString(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    filters << parts[i] + " (" + patterns + ")";
  }
  return filters.join(";;");
}

TWinControl* FocusTarget(TControl& control) {
  for (TControl* c = &control; c; c = c->Parent())
    if (auto* windowed = dynamic_cast<TWinControl*>(c)) return windowed;
  return nullptr;
}
} // namespace

// Native input that the model owns: keys (the form's key dispatch),
// context menus (the control's popup menu) and focus moves.
class TQtEventFilter : public QObject {
public:
  explicit TQtEventFilter(TQtWidgetSet& widgetSet) : FWidgetSet(widgetSet) {
    QObject::connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FocusChanged(now); });
  }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) return KeyPressed(watched, static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::ContextMenu) return ContextMenu(watched, static_cast<QContextMenuEvent*>(event));
    return false;
  }

private:
  bool KeyPressed(QObject* watched, QKeyEvent* event) {
    // A key a widget ignores travels on to its parents: it was dispatched
    // once, at the widget it was sent to.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;
    if (event == FLastKey && FLastReceiver && FLastReceiver != widget && widget->isAncestorOf(FLastReceiver)) {
      FLastReceiver = widget;
      return FLastKeyUsed;
    }
    TQtPeer* peer = FWidgetSet.PeerOfWidget(watched);
    if (!peer) return false;
    TWinControl* control = FocusTarget(peer->Control());
    TForm* form = control ? control->ParentForm() : nullptr;
    if (!form || !form->IsShowingModal()) return false;
    std::optional<char> key = QtKeys::KeyChar(*event);
    if (!key) return false;
    FLastKey = event;
    FLastReceiver = widget;
    FLastKeyUsed = false;
    char left = *key;
    {
      TShiftStateOverride held(QtKeys::ShiftOf(event->modifiers()));
      FWidgetSet.UserAction(*control, [&] { left = form->DispatchKey(*control, *key); });
    }
    // What the model left goes to the native widget: typing, Enter in a
    // memo, Ctrl+C and the other editing keys no handler took.
    FLastKeyUsed = left == 0;
    return FLastKeyUsed;
  }

  bool ContextMenu(QObject* watched, QContextMenuEvent* event) {
    TQtPeer* peer = FWidgetSet.PeerOfWidget(watched);
    if (!peer) return false;
    TControl& control = peer->Control();
    TPopupMenu* menu = control.PopupMenu();
    if (!menu || !menu->AutoPopup()) return false;
    QPoint at = event->globalPos();
    FWidgetSet.UserAction(control, [&] {
      menu->SetPopupComponent(&control);
      menu->Popup(at.x(), at.y());
    });
    return true;
  }

  void FocusChanged(QWidget* now) {
    TQtPeer* peer = FWidgetSet.PeerOfWidget(now);
    if (!peer || peer->Reading()) return;
    TWinControl* control = FocusTarget(peer->Control());
    TForm* form = control ? control->ParentForm() : nullptr;
    if (!form || form == control || !form->IsShowingModal() || form->ActiveControl() == control) return;
    if (!control->CanFocus()) return;
    FWidgetSet.UserAction(*control, [&] { form->FocusControl(control); });
  }

  TQtWidgetSet& FWidgetSet;
  QEvent* FLastKey = nullptr;
  QPointer<QWidget> FLastReceiver;
  bool FLastKeyUsed = false;
};

namespace {
int& ArgCount() {
  static int argc = 1;
  return argc;
}
char** ArgValues() {
  static char name[] = "quelm";
  static char* argv[] = {name, nullptr};
  return argv;
}
} // namespace

TQtWidgetSet::TQtWidgetSet(TQtWidgetSetOptions options) : FOptions(std::move(options)) {
  if (!qApp) FOwnApplication = std::make_unique<QApplication>(ArgCount(), ArgValues());
  // One font everywhere, so that text measures and screenshots are the same
  // on every machine that has it.
  QFont font("DejaVu Sans");
  font.setPixelSize(11);
  // A touch narrower, as the fonts the forms were laid out in.
  font.setStretch(94);
  QApplication::setFont(font);
  FFilter = std::make_unique<TQtEventFilter>(*this);
  qApp->installEventFilter(FFilter.get());
}

TQtWidgetSet::~TQtWidgetSet() {
  if (qApp) qApp->removeEventFilter(FFilter.get());
  while (FCursorDepth > 0) {
    QApplication::restoreOverrideCursor();
    --FCursorDepth;
  }
  // Children first, so no widget is deleted twice.
  std::vector<std::unique_ptr<TQtPeer>> peers;
  for (auto& [control, peer] : FPeers) peers.push_back(std::move(peer));
  FPeers.clear();
  for (auto it = peers.rbegin(); it != peers.rend(); ++it) it->reset();
  FFilter.reset();
}

TQtWidgetSet* QtWidgetSet() { return dynamic_cast<TQtWidgetSet*>(&WidgetSet()); }

TQtPeer* TQtWidgetSet::FindPeer(const TControl& control) const {
  auto it = FPeers.find(&control);
  return it == FPeers.end() ? nullptr : it->second.get();
}

TQtPeer* TQtWidgetSet::PeerOfWidget(QObject* object) const {
  for (QObject* o = object; o; o = o->parent()) {
    QVariant value = o->property("quelmPeer");
    if (!value.isValid()) continue;
    auto* peer = static_cast<TQtPeer*>(value.value<void*>());
    for (auto& [control, known] : FPeers)
      if (known.get() == peer) return peer;
    return nullptr;
  }
  return nullptr;
}

TQtPeer& TQtWidgetSet::PeerOf(TControl& control) {
  if (TQtPeer* peer = FindPeer(control)) return *peer;
  QWidget* parent = control.Parent() ? PeerOf(*control.Parent()).ChildParent() : nullptr;
  std::unique_ptr<TQtPeer> made = MakeQtPeer(*this, control, parent);
  TQtPeer& peer = *made;
  FPeers[&control] = std::move(made);
  peer.ReadAll();
  return peer;
}

QWidget* TQtWidgetSet::WidgetOf(TControl& control) { return PeerOf(control).Widget(); }

void TQtWidgetSet::MakeTree(TControl& control) {
  PeerOf(control);
  if (auto* windowed = dynamic_cast<TWinControl*>(&control))
    for (int i = 0; i < windowed->ControlCount(); ++i) MakeTree(*windowed->Controls(i));
}

void TQtWidgetSet::DeletePeer(TQtPeer* peer) {
  for (auto it = FPeers.begin(); it != FPeers.end(); ++it)
    if (it->second.get() == peer) {
      std::unique_ptr<TQtPeer> gone = std::move(it->second);
      FPeers.erase(it);
      return;
    }
}

THandle TQtWidgetSet::CreateHandle(TWinControl& control) { return reinterpret_cast<THandle>(&PeerOf(control)); }

void TQtWidgetSet::DestroyHandle(THandle handle) { DeletePeer(reinterpret_cast<TQtPeer*>(handle)); }

void TQtWidgetSet::ControlDestroyed(TControl& control) {
  if (TQtPeer* peer = FindPeer(control)) DeletePeer(peer);
}

void TQtWidgetSet::ControlChanged(TControl& control, TControlChange change) {
  TQtPeer* peer = FindPeer(control);
  if (change == TControlChange::Parent) {
    // A control that joins a parent with a peer gets one there.
    if (peer) {
      QWidget* parent = control.Parent() && FindPeer(*control.Parent()) ? FindPeer(*control.Parent())->ChildParent() : nullptr;
      if (peer->Widget()) {
        // Without a parent the widget leaves the window (and hides).
        peer->Widget()->setParent(parent);
        if (parent) peer->ReadAll();
      }
    } else if (control.Parent() && FindPeer(*control.Parent())) {
      MakeTree(control);
    }
    return;
  }
  if (peer) peer->Read(change);
}

void TQtWidgetSet::Invalidate(THandle handle) {
  auto* peer = reinterpret_cast<TQtPeer*>(handle);
  peer->ClearOverlay();
  if (peer->Widget()) peer->Widget()->update();
}

void TQtWidgetSet::DrawGraphic(THandle handle, int x, int y, const TGraphic& graphic) {
  auto* peer = reinterpret_cast<TQtPeer*>(handle);
  if (!peer->Widget()) return;
  peer->Overlay().Draw(x, y, QtImages::ImageOf(graphic));
}

TTextExtent TQtWidgetSet::TextExtent(std::string_view text) {
  QFontMetrics metrics(QApplication::font());
  QStringList lines = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).split('\n');
  int width = 0;
  for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
  return {width, static_cast<int>(lines.size()) * metrics.height()};
}

TTextExtent TQtWidgetSet::ControlTextExtent(TControl& control, std::string_view text) {
  return PeerOf(control).TextExtent(text);
}

TRect TQtWidgetSet::WorkArea() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return TWidgetSet::WorkArea();
  QRect area = screen->availableGeometry();
  return {area.left(), area.top(), area.right() + 1, area.bottom() + 1};
}

void TQtWidgetSet::ProcessMessages() { QCoreApplication::processEvents(); }

bool TQtWidgetSet::Interactive() const { return !CurrentModalDriver().PlaysUser(); }

void TQtWidgetSet::UserAction(TControl& control, const std::function<void()>& action) {
  TForm* form = control.ParentForm();
  bool closed = false;
  try {
    if (form && form->IsShowingModal()) closed = form->UserAction(action);
    else action();
  } catch (const std::exception& e) {
    try {
      Application().ShowException(e);
    } catch (...) {
    }
  } catch (...) {
  }
  if (closed) {
    if (auto it = FModalLoops.find(form); it != FModalLoops.end()) it->second->quit();
    return;
  }
  // What the model refused goes back to the widget.
  if (TQtPeer* peer = FindPeer(control)) peer->ReadAll();
}

void TQtWidgetSet::ShowPopupMenu(TPopupMenu& menu, int x, int y) {
  if (!Interactive()) return;
  QMenu native;
  std::function<void(QMenu&, TMenuItem&)> fill = [&](QMenu& into, TMenuItem& parent) {
    for (int i = 0; i < parent.Count(); ++i) {
      TMenuItem* item = parent.Items(i);
      if (!item->Visible()) continue;
      if (item->Caption() == "-") {
        into.addSeparator();
        continue;
      }
      if (item->Count() > 0) {
        QMenu* sub = into.addMenu(QtString(item->Caption()));
        fill(*sub, *item);
        continue;
      }
      QAction* action = into.addAction(QtString(item->Caption()));
      action->setEnabled(item->Enabled());
      action->setCheckable(item->Checked());
      action->setChecked(item->Checked());
      action->setData(QVariant::fromValue(static_cast<void*>(item)));
    }
  };
  fill(native, *menu.Items());
  QAction* chosen = native.exec(QPoint(x, y));
  // The item is clicked on the model's side, inside the user action that
  // opened the menu.
  if (chosen) static_cast<TMenuItem*>(chosen->data().value<void*>())->Click();
}

void TQtWidgetSet::Screenshot(TForm& form, const char* moment) {
  if (FOptions.ScreenshotDir.empty()) return;
  TQtPeer* peer = FindPeer(form);
  if (!peer || !peer->Widget()) return;
  QDir().mkpath(QtString(FOptions.ScreenshotDir));
  QString name = QString("%1/%2-%3-%4.png")
                     .arg(QtString(FOptions.ScreenshotDir))
                     .arg(++FScreenshotCount, 2, 10, QChar('0'))
                     .arg(QtString(form.Name().empty() ? form.ClassName() : form.Name()))
                     .arg(moment);
  peer->Widget()->grab().save(name, "PNG");
}

void TQtWidgetSet::RunModal(TForm& form) {
  MakeTree(form);
  TQtPeer& peer = PeerOf(form);
  peer.ReadAll();
  peer.Widget()->show();
  peer.Widget()->raise();
  peer.Widget()->activateWindow();
  peer.Read(TControlChange::Focus);
  QCoreApplication::processEvents();
  Screenshot(form, "shown");
  if (!Interactive()) {
    TFormUser user(form);
    user.CheckClose();
    if (!user.IsClosed()) CurrentModalDriver().Run(user);
    QCoreApplication::processEvents();
    if (user.IsClosed()) Screenshot(form, "closing");
    // A driver that leaves the form open has given up: Cancel.
    if (!user.IsClosed()) form.SetModalResult(mrCancel);
    return;
  }
  if (!form.CloseIfResultSet()) {
    QEventLoop loop;
    FModalLoops[&form] = &loop;
    struct TForget {
      std::map<TForm*, QEventLoop*>& Loops;
      TForm* Form;
      ~TForget() { Loops.erase(Form); }
    } forget{FModalLoops, &form};
    loop.exec();
  }
  QCoreApplication::processEvents();
  Screenshot(form, "closing");
}

TModalResult TQtWidgetSet::MessageBox(const TMessageBoxInfo& info) {
  if (!Interactive()) return CurrentModalDriver().Answer(info);
  QMessageBox box(IconOf(info.Icon), QtString(info.Caption), QtString(info.Text), QMessageBox::NoButton,
                  QApplication::activeWindow());
  std::map<QAbstractButton*, TMsgDlgBtn> buttons;
  for (int i = 0; i <= static_cast<int>(TMsgDlgBtn::mbHelp); ++i) {
    auto kind = static_cast<TMsgDlgBtn>(i);
    if (!info.Buttons.Contains(kind)) continue;
    QAbstractButton* button = box.addButton(StandardButtonOf(kind));
    button->setText(ButtonName(kind));
    buttons[button] = kind;
  }
  box.exec();
  auto it = buttons.find(box.clickedButton());
  if (it == buttons.end() || it->second == TMsgDlgBtn::mbHelp) return CautiousAnswer(info);
  return ButtonResult(it->second);
}

bool TQtWidgetSet::ExecuteOpenDialog(TOpenDialog& dialog) {
  if (!Interactive()) return dialog.ExecuteWith([&] { return CurrentModalDriver().ChooseFile(dialog); });
  return dialog.ExecuteWith([&]() -> std::optional<std::string> {
    QFileDialog native(QApplication::activeWindow(), QtString(dialog.Title().empty() ? "Open" : dialog.Title()),
                       QtString(dialog.InitialDir()), QtFilter(dialog.Filter()));
    native.setOption(QFileDialog::DontUseNativeDialog);
    native.setFileMode(QFileDialog::AnyFile);
    if (!dialog.FileName().empty()) native.selectFile(QtString(dialog.FileName()));
    if (native.exec() != QDialog::Accepted || native.selectedFiles().isEmpty()) return std::nullopt;
    return ModelString(native.selectedFiles().front());
  });
}

bool TQtWidgetSet::ShowHelp(const std::string& helpFile, int context) {
  FHelpRequests.push_back({helpFile, context});
  std::fprintf(stderr, "help: topic %d of %s\n", context, helpFile.empty() ? "(no help file)" : helpFile.c_str());
  return true;
}

void TQtWidgetSet::SetCursor(TCursor cursor) {
  if (cursor == crDefault) {
    while (FCursorDepth > 0) {
      QApplication::restoreOverrideCursor();
      --FCursorDepth;
    }
    return;
  }
  Qt::CursorShape shape = Qt::ArrowCursor;
  if (cursor == crHourGlass || cursor == crSQLWait) shape = Qt::WaitCursor;
  else if (cursor == crIBeam) shape = Qt::IBeamCursor;
  if (FCursorDepth == 0) {
    QApplication::setOverrideCursor(QCursor(shape));
    ++FCursorDepth;
  } else {
    QApplication::changeOverrideCursor(QCursor(shape));
  }
}

TShiftState TQtWidgetSet::QueryKeyboardState() { return QtKeys::ShiftOf(QGuiApplication::queryKeyboardModifiers()); }

extern "C" TWidgetSet* QuelmCreateQtWidgetSet(const char* screenshotDir) {
  try {
    TQtWidgetSetOptions options;
    if (screenshotDir) options.ScreenshotDir = screenshotDir;
    return new TQtWidgetSet(std::move(options));
  } catch (...) {
    return nullptr;
  }
}
