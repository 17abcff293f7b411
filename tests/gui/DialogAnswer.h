#pragma once
// Answers the next modal dialog of a window test once it shows.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <functional>

// Runs answer on the next modal dialog once it shows, then returns what it
// said; the dialog must have shown before the action returned.
class TDialogAnswer {
public:
  explicit TDialogAnswer(std::function<void(QWidget*)> answer) : FAnswer(std::move(answer)) { Poll(); }
  bool Shown() const { return FShown; }
  const QString& Text() const { return FText; }

private:
  void Poll() {
    QTimer::singleShot(10, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) return Poll();
      FShown = true;
      if (auto* box = qobject_cast<QMessageBox*>(modal)) FText = box->text();
      FAnswer(modal);
    });
  }
  std::function<void(QWidget*)> FAnswer;
  bool FShown = false;
  QString FText;
};

