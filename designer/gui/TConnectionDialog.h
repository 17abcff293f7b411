#pragma once
// The dialog that points the window's editors at a server: host, port or
// socket, user, the environment variable holding the password, database, or
// the embedded server's data directory. The options live for the window's
// run only; they never reach a form file.
#include "ConnectionOptions.h"

#include <QDialog>

class QLineEdit;
class QSpinBox;

class TConnectionDialog : public QDialog {
public:
  TConnectionDialog(const TConnectionOptions& options, QWidget* parent = nullptr);
  // The options as the dialog's fields give them (empty fields: not given).
  TConnectionOptions Options() const;

private:
  QLineEdit* FHost;
  QSpinBox* FPort;
  QLineEdit* FSocket;
  QLineEdit* FUser;
  QLineEdit* FPassword;
  QLineEdit* FDatabase;
  QLineEdit* FEmbedded;
};
