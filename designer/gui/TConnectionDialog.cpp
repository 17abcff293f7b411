#include "TConnectionDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QLineEdit* Field(const std::optional<std::string>& value, const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(QString::fromStdString(value.value_or("")), parent);
  edit->setObjectName(name);
  return edit;
}

std::optional<std::string> Given(const QLineEdit* edit) {
  QString text = edit->text().trimmed();
  if (text.isEmpty()) return std::nullopt;
  return text.toStdString();
}

} // namespace

TConnectionDialog::TConnectionDialog(const TConnectionOptions& options, QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Connection"));
  FHost = Field(options.Host, "host", this);
  FPort = new QSpinBox(this);
  FPort->setObjectName("port");
  FPort->setRange(0, 65535);
  FPort->setSpecialValueText(tr("default"));
  FPort->setValue(options.Port.value_or(0));
  FSocket = Field(options.Socket, "socket", this);
  FUser = Field(options.User, "user", this);
  FPassword = Field(options.Password, "password", this);
  FPassword->setEchoMode(QLineEdit::Password);
  FDatabase = Field(options.Database, "database", this);
  FEmbedded = Field(options.Embedded, "embedded", this);
  FHost->setPlaceholderText(tr("none: the embedded server"));

  auto* form = new QFormLayout;
  form->addRow(tr("&Host:"), FHost);
  form->addRow(tr("&Port:"), FPort);
  form->addRow(tr("&Socket:"), FSocket);
  form->addRow(tr("&User:"), FUser);
  form->addRow(tr("Pass&word:"), FPassword);
  form->addRow(tr("&Database:"), FDatabase);
  form->addRow(tr("&Embedded data:"), FEmbedded);
  auto* note = new QLabel(tr("Used by the lists and editors that read the server, for this run only; "
                             "form files keep their own settings."),
                          this);
  note->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(note);
  layout->addWidget(buttons);
  // Wide enough for the hint and for a data folder's whole path.
  FHost->setMinimumWidth(FHost->fontMetrics().horizontalAdvance(FHost->placeholderText()) + 24);
  // A long data folder shows from its start.
  FEmbedded->setCursorPosition(0);
  setMinimumWidth(460);
}

TConnectionOptions TConnectionDialog::Options() const {
  TConnectionOptions options;
  options.Host = Given(FHost);
  if (FPort->value() > 0) options.Port = FPort->value();
  options.Socket = Given(FSocket);
  options.User = Given(FUser);
  options.Password = Given(FPassword);
  options.Database = Given(FDatabase);
  options.Embedded = Given(FEmbedded);
  return options;
}
