#pragma once
// The connection settings an application's own connection component holds
// (a BDE database, an ADO, dbExpress or Zeos connection), read from its
// form-file properties: host, port, database and user. A password is never
// read.
#include <string>
#include <vector>

class TModuleServices;
struct TFormObject;

struct TConnectionSettings {
  std::string Source;       // "Root.Name" of the connection component
  std::string SourceClass;
  std::string Host;
  std::string Port;
  std::string Database;
  std::string User;
  bool IsEmpty() const { return Host.empty() && Port.empty() && Database.empty() && User.empty(); }
};

// The settings of one object of a form file; none for a class that is no
// connection component the reader knows.
bool ReadConnectionSettings(const TFormObject& object, TConnectionSettings& settings);

// Every connection component on the open forms, in module and file order.
std::vector<TConnectionSettings> FindConnectionSettings(TModuleServices& modules);
