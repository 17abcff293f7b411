#include "runtime/TQuelmConnectForm.h"

#include "forms/FormControl.h"

#include "classes/TClassRegistry.h"
#include "forms/TButton.h"
#include "forms/TCheckBox.h"
#include "forms/TCustomEdit.h"
#include "forms/TLabel.h"
#include "rtl/Exceptions.h"
#include "runtime/TQuelmConnectFormDefinition.h"
#include "runtime/TQuelmDatabase.h"
#include "streaming/FormDefinitionReader.h"

#include <charconv>

namespace {
constexpr int MaxPort = 65535;

} // namespace

QUELM_DEFINE_CLASS(TQuelmConnectForm, TForm,
                   b.Method("FormCreate", &TQuelmConnectForm::FormCreate);
                   b.Method("FormCloseQuery", &TQuelmConnectForm::FormCloseQuery);
                   b.Method("TestButtonClick", &TQuelmConnectForm::TestButtonClick))

TQuelmConnectForm::TQuelmConnectForm(TComponent* owner) : TForm(owner) {}

TFormPtr<TQuelmConnectForm> CreateQuelmConnectForm(TComponent* owner) {
  TFormPtr<TQuelmConnectForm> form(new TQuelmConnectForm(owner));
  ReadFormDefinition(*form, QuelmConnectFormDefinition, "QuelmDorvik5(TQUELMCONNECTFORM)", TClassRegistry::Global());
  form->InitializeForm();
  return form;
}

void TQuelmConnectForm::FormCreate(TObject*) {
  HostEdit = FindFormControl<TEdit>(*this, "HostEdit");
  PortEdit = FindFormControl<TEdit>(*this, "PortEdit");
  SocketEdit = FindFormControl<TEdit>(*this, "SocketEdit");
  UserEdit = FindFormControl<TEdit>(*this, "UserEdit");
  PasswordEdit = FindFormControl<TEdit>(*this, "PasswordEdit");
  StorePasswordBox = FindFormControl<TCheckBox>(*this, "StorePasswordBox");
  DatabaseEdit = FindFormControl<TEdit>(*this, "DatabaseEdit");
  CharacterSetEdit = FindFormControl<TEdit>(*this, "CharacterSetEdit");
  SSLCertEdit = FindFormControl<TEdit>(*this, "SSLCertEdit");
  SSLKeyEdit = FindFormControl<TEdit>(*this, "SSLKeyEdit");
  SSLCAEdit = FindFormControl<TEdit>(*this, "SSLCAEdit");
  TestButton = FindFormControl<TButton>(*this, "TestButton");
  TestResultLabel = FindFormControl<TLabel>(*this, "TestResultLabel");
}

std::string TQuelmConnectForm::TestResult() const { return TestResultLabel->Caption(); }

int TQuelmConnectForm::PortValue() const {
  const std::string text = PortEdit->Text();
  if (text.empty()) return 0;
  int port = -1;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
  if (error != std::errc() || end != text.data() + text.size() || port < 0 || port > MaxPort)
    throw EConvertError("'" + text + "' is not a port number (0 to 65535)");
  return port;
}

void TQuelmConnectForm::LoadFrom(const TQuelmDatabase& database) {
  HostEdit->SetText(database.Host());
  PortEdit->SetText(database.Port() ? std::to_string(database.Port()) : std::string());
  SocketEdit->SetText(database.Socket());
  UserEdit->SetText(database.UserName());
  const bool stored = !database.UserPassword().empty();
  PasswordEdit->SetText(stored ? database.UserPassword() : database.SessionPassword());
  StorePasswordBox->SetChecked(stored);
  DatabaseEdit->SetText(database.DatabaseName());
  CharacterSetEdit->SetText(database.ConnectionCharacterSet());
  SSLCertEdit->SetText(database.SSLCert());
  SSLKeyEdit->SetText(database.SSLKey());
  SSLCAEdit->SetText(database.SSLCA());
}

void TQuelmConnectForm::StoreTo(TQuelmDatabase& database) const {
  const int port = PortValue();
  database.SetHost(HostEdit->Text());
  database.SetPort(port);
  database.SetSocket(SocketEdit->Text());
  database.SetUserName(UserEdit->Text());
  if (StorePasswordBox->Checked()) {
    database.SetUserPassword(PasswordEdit->Text());
    database.SetSessionPassword("");
  } else {
    database.SetUserPassword("");
    database.SetSessionPassword(PasswordEdit->Text());
  }
  database.SetDatabaseName(DatabaseEdit->Text());
  database.SetConnectionCharacterSet(CharacterSetEdit->Text());
  database.SetSSLCert(SSLCertEdit->Text());
  database.SetSSLKey(SSLKeyEdit->Text());
  database.SetSSLCA(SSLCAEdit->Text());
}

void TQuelmConnectForm::TestButtonClick(TObject*) {
  try {
    // A connection of the dialog's own: the component stays as it is until OK.
    TQuelmDatabase probe(nullptr);
    StoreTo(probe);
    probe.SetConnected(true);
    TestResultLabel->SetCaption("Connected to the server.");
  } catch (const Exception& e) {
    TestResultLabel->SetCaption(e.Message());
  }
}

void TQuelmConnectForm::FormCloseQuery(TObject*, bool& canClose) {
  if (ModalResult() != mrOk) return;
  try {
    PortValue();
  } catch (const EConvertError& e) {
    TestResultLabel->SetCaption(e.Message());
    canClose = false;
  }
}

bool TQuelmConnectForm::Edit(TQuelmDatabase& database) {
  LoadFrom(database);
  if (ShowModal() != mrOk) return false;
  TQuelmDatabase edited(nullptr);
  StoreTo(edited);
  const bool changed = edited.Host() != database.Host() || edited.Port() != database.Port() ||
                       edited.Socket() != database.Socket() || edited.UserName() != database.UserName() ||
                       edited.UserPassword() != database.UserPassword() ||
                       edited.SessionPassword() != database.SessionPassword() ||
                       edited.DatabaseName() != database.DatabaseName() ||
                       edited.ConnectionCharacterSet() != database.ConnectionCharacterSet() ||
                       edited.SSLCert() != database.SSLCert() || edited.SSLKey() != database.SSLKey() ||
                       edited.SSLCA() != database.SSLCA();
  if (changed) {
    database.SetConnected(false);
    StoreTo(database);
  }
  return true;
}
