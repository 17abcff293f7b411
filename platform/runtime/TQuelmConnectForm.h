#pragma once
// The connection dialog of a database component: the server's address
// (host, port, socket), the login, the database, the connection character
// set and the SSL files. "Test connection" connects with what the dialog
// holds, on a connection of its own, and says on the form whether the server
// took it or what the server answered. OK writes the settings to the
// component. The password is written to the stored property only when the
// user ticks "Store the password in the form"; otherwise the component keeps
// it for this session and the form file holds none.
#include "forms/TForm.h"

class TButton;
class TCheckBox;
class TEdit;
class TLabel;
class TQuelmDatabase;

class TQuelmConnectForm : public TForm {
  QUELM_CLASS(TQuelmConnectForm, TForm)

public:
  explicit TQuelmConnectForm(TComponent* owner);

  // Fills the dialog from the database, runs it, and on OK writes it back
  // (the database is closed first when a connection setting changes).
  // True when the user confirmed.
  bool Edit(TQuelmDatabase& database);

  // What the last test said; empty before one.
  std::string TestResult() const;

  // Event handlers, bound by name from the form definition.
  void FormCreate(TObject* sender);
  void FormCloseQuery(TObject* sender, bool& canClose);
  void TestButtonClick(TObject* sender);

  TEdit* HostEdit = nullptr;
  TEdit* PortEdit = nullptr;
  TEdit* SocketEdit = nullptr;
  TEdit* UserEdit = nullptr;
  TEdit* PasswordEdit = nullptr;
  TCheckBox* StorePasswordBox = nullptr;
  TEdit* DatabaseEdit = nullptr;
  TEdit* CharacterSetEdit = nullptr;
  TEdit* SSLCertEdit = nullptr;
  TEdit* SSLKeyEdit = nullptr;
  TEdit* SSLCAEdit = nullptr;
  TButton* TestButton = nullptr;
  TLabel* TestResultLabel = nullptr;

private:
  void LoadFrom(const TQuelmDatabase& database);
  // Writes every setting but the password choice; raises on a bad port.
  void StoreTo(TQuelmDatabase& database) const;
  // The port as typed; raises EConvertError naming the text when it is
  // not a number from 0 to 65535.
  int PortValue() const;
};

// Makes the dialog with its form definition read in.
TFormPtr<TQuelmConnectForm> CreateQuelmConnectForm(TComponent* owner);
