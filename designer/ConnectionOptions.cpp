#include "ConnectionOptions.h"

#include "classes/TComponentRef.h"
#include "designhost/ModuleServices.h"
#include "rtl/Exceptions.h"
#include "runtime/TQuelmDatabase.h"

#include <charconv>
#include <cstdlib>
#include <stdexcept>

bool TConnectionOptions::Any() const {
  return Host || Socket || User || PasswordEnv || Database || SSLCert || SSLKey || SSLCA || Embedded || Port;
}

void TConnectionOptions::ApplyTo(TQuelmDatabase& database) const {
  if (Embedded) {
    database.SetHost("");
    database.SetEmbeddedDir(*Embedded);
  }
  if (Host) database.SetHost(*Host);
  if (Port) database.SetPort(*Port);
  if (Socket) database.SetSocket(*Socket);
  if (User) database.SetUserName(*User);
  if (PasswordEnv) {
    const char* password = std::getenv(PasswordEnv->c_str());
    database.SetUserPassword(password ? password : "");
  }
  if (Database) database.SetDatabaseName(*Database);
  if (SSLCert) database.SetSSLCert(*SSLCert);
  if (SSLKey) database.SetSSLKey(*SSLKey);
  if (SSLCA) database.SetSSLCA(*SSLCA);
}

TConnectionOptions TakeConnectionOptions(std::vector<std::string>& args) {
  TConnectionOptions options;
  std::vector<std::string> rest;
  struct TOption {
    const char* Name;
    std::optional<std::string> TConnectionOptions::*Field;
  };
  const TOption textOptions[] = {
      {"--host", &TConnectionOptions::Host},         {"--socket", &TConnectionOptions::Socket},
      {"--user", &TConnectionOptions::User},         {"--password-env", &TConnectionOptions::PasswordEnv},
      {"--database", &TConnectionOptions::Database}, {"--ssl-cert", &TConnectionOptions::SSLCert},
      {"--ssl-key", &TConnectionOptions::SSLKey},    {"--ssl-ca", &TConnectionOptions::SSLCA},
      {"--embedded", &TConnectionOptions::Embedded},
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    bool taken = false;
    for (const TOption& o : textOptions)
      if (a == o.Name) {
        if (i + 1 >= args.size()) throw std::invalid_argument(a + " needs a value");
        options.*o.Field = args[++i];
        taken = true;
      }
    if (!taken && a == "--port") {
      if (i + 1 >= args.size()) throw std::invalid_argument("--port needs a value");
      const std::string& v = args[++i];
      int port = 0;
      auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), port);
      if (ec != std::errc() || ptr != v.data() + v.size() || port <= 0 || port > 65535)
        throw std::invalid_argument("--port takes a number from 1 to 65535, not " + v);
      options.Port = port;
      taken = true;
    }
    if (!taken && a == "--password") throw std::invalid_argument("give the password with --password-env VAR, never on the command line");
    if (!taken) rest.push_back(a);
  }
  args = std::move(rest);
  return options;
}

std::string EnsureEmbeddedDefault() {
  if (const char* set = std::getenv("QUELM_EMBEDDED_DIR"); set && *set) return set;
  std::string base;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) base = data;
  else if (const char* home = std::getenv("HOME"); home && *home) base = std::string(home) + "/.local/share";
  else base = "/tmp";
  std::string dir = base + "/quelm-designer/embedded";
  setenv("QUELM_EMBEDDED_DIR", dir.c_str(), 1);
  return dir;
}

struct TConnectionOverride::TSaved {
  TComponentRef<TQuelmDatabase> Database;
  std::string Host, Socket, User, Password, DatabaseName, SSLCert, SSLKey, SSLCA, EmbeddedDir;
  int Port = 0;
  bool Connected = false;
};

TConnectionOverride::TConnectionOverride(const TConnectionOptions& options, TModuleServices& modules) {
  if (!options.Any()) return;
  for (int m = 0; m < modules.GetModuleCount(); ++m) {
    TComponent* root = modules.GetModule(m)->Root();
    if (!root) continue;
    for (int i = 0; i < root->ComponentCount(); ++i) {
      auto* database = dynamic_cast<TQuelmDatabase*>(root->Components(i));
      if (!database) continue;
      auto saved = std::make_unique<TSaved>();
      saved->Database = database;
      saved->Host = database->Host();
      saved->Socket = database->Socket();
      saved->User = database->UserName();
      saved->Password = database->UserPassword();
      saved->DatabaseName = database->DatabaseName();
      saved->SSLCert = database->SSLCert();
      saved->SSLKey = database->SSLKey();
      saved->SSLCA = database->SSLCA();
      saved->EmbeddedDir = database->EmbeddedDir();
      saved->Port = database->Port();
      saved->Connected = database->Connected();
      database->SetConnected(false);
      options.ApplyTo(*database);
      FSaved.push_back(std::move(saved));
      // Options name the server the run works on, so the run starts connected,
      // as a developer connects before opening the editors that list tables.
      // A server that cannot be reached leaves the component closed; commands
      // that need it report the error when they use it.
      try {
        database->SetConnected(true);
      } catch (const Exception&) {
      }
    }
  }
}

void TConnectionOverride::Restore() {
  for (auto& saved : FSaved) {
    TQuelmDatabase* database = saved->Database.Get();
    if (!database) continue;
    try {
      database->SetConnected(false);
    } catch (...) {
      // A connection that broke is closed all the same.
    }
    database->SetHost(saved->Host);
    database->SetSocket(saved->Socket);
    database->SetUserName(saved->User);
    database->SetUserPassword(saved->Password);
    database->SetDatabaseName(saved->DatabaseName);
    database->SetSSLCert(saved->SSLCert);
    database->SetSSLKey(saved->SSLKey);
    database->SetSSLCA(saved->SSLCA);
    database->SetEmbeddedDir(saved->EmbeddedDir);
    database->SetPort(saved->Port);
    // Reconnecting with the form's own settings may fail; the component then
    // stays closed rather than keeping the override's connection.
    if (saved->Connected) {
      try {
        database->SetConnected(true);
      } catch (...) {
      }
    }
  }
  FSaved.clear();
}

TConnectionOverride::~TConnectionOverride() {
  try {
    Restore();
  } catch (...) {
    // Closing a connection that already failed; the settings are back.
  }
}
