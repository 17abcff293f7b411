#include "ConnectionOptions.h"

#include "CommandSupport.h"

#include "classes/TComponent.h"
#include "classes/TComponentRef.h"
#include "classes/TypInfo.h"
#include "designhost/CommandLine.h"
#include "designhost/ModuleServices.h"
#include "rtl/Exceptions.h"

#include <charconv>
#include <cstdlib>
#include <stdexcept>

namespace {

// The component's text properties an option sets, by property name.
struct TTextOption {
  std::optional<std::string> TConnectionOptions::*Field;
  const char* Property;
};
constexpr TTextOption TextOptions[] = {
    {&TConnectionOptions::Host, "Host"},         {&TConnectionOptions::Socket, "Socket"},
    {&TConnectionOptions::User, "UserName"},     {&TConnectionOptions::Password, "UserPassword"},
    {&TConnectionOptions::Database, "DatabaseName"}, {&TConnectionOptions::SSLCert, "SSLCert"},
    {&TConnectionOptions::SSLKey, "SSLKey"},     {&TConnectionOptions::SSLCA, "SSLCA"},
    {&TConnectionOptions::Embedded, "EmbeddedDir"},
};
// Every property the override changes, and so saves and puts back.
constexpr const char* SavedTextProperties[] = {"Host",    "Socket", "UserName", "UserPassword", "DatabaseName",
                                               "SSLCert", "SSLKey", "SSLCA",    "EmbeddedDir"};

constexpr const char* ConnectionNote =
    "Without --host and --socket the embedded server runs on --embedded DIR,\n"
    "else on $QUELM_EMBEDDED_DIR, else on ~/.local/share/quelm-designer/embedded.\n";

} // namespace

bool TConnectionOptions::Any() const {
  return Host || Socket || User || Password || Database || SSLCert || SSLKey || SSLCA || Embedded || Port;
}

void TConnectionOptions::ApplyTo(TComponent& database) const {
  if (Embedded) SetStrProp(database, "Host", "");
  for (const TTextOption& o : TextOptions)
    if (const std::optional<std::string>& value = this->*o.Field) SetStrProp(database, o.Property, *value);
  if (Port) SetOrdProp(database, "Port", *Port);
}

void DeclareConnectionOptions(TCommandLine& line, TConnectionOptions& o) {
  line.Group("Connection options", ConnectionNote)
      .Option("--host", o.Host, "HOST", "server host (a host or a socket selects a server)")
      .Option("--port", "PORT", "server port",
              [&o](const std::string& v) {
                int port = 0;
                auto [end, error] = std::from_chars(v.data(), v.data() + v.size(), port);
                if (v.empty() || error != std::errc() || end != v.data() + v.size() || port < 1 || port > 65535)
                  throw std::invalid_argument("'" + v + "' is not a port number");
                o.Port = port;
              })
      .Option("--socket", o.Socket, "PATH", "server socket")
      .Option("--user", o.User, "NAME", "user name")
      .Option("--password-env", "VAR", "read the password from environment variable VAR",
              [&o](const std::string& v) {
                const char* password = std::getenv(v.c_str());
                if (!password) throw EUsageError("environment variable " + v + " is not set");
                o.Password = password;
              })
      .Option("--database", o.Database, "NAME", "database (embedded default: quelm)")
      .Option("--ssl-cert", o.SSLCert, "FILE", "client certificate")
      .Option("--ssl-key", o.SSLKey, "FILE", "client key")
      .Option("--ssl-ca", o.SSLCA, "FILE", "certificate authority that signed the server's certificate")
      .Option("--embedded", o.Embedded, "DIR", "embedded server data directory")
      .Refused("--password", "--password is not accepted: pass --password-env VAR and put the password in VAR");
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
  TComponentRef<TComponent> Database;
  std::vector<std::string> Texts;  // SavedTextProperties' values
  int64_t Port = 0;
  bool Connected = false;
};

TConnectionOverride::TConnectionOverride(const TConnectionOptions& options, TModuleServices& modules) {
  if (!options.Any()) return;
  for (int m = 0; m < modules.GetModuleCount(); ++m) {
    TComponent* root = modules.GetModule(m)->Root();
    if (!root) continue;
    for (int i = 0; i < root->ComponentCount(); ++i) {
      TComponent* database = root->Components(i);
      if (!database->ClassType().InheritsFrom(DatabaseClassName)) continue;
      auto saved = std::make_unique<TSaved>();
      saved->Database = database;
      for (const char* property : SavedTextProperties) saved->Texts.push_back(GetStrProp(*database, property));
      saved->Port = GetOrdProp(*database, "Port");
      saved->Connected = GetOrdProp(*database, "Connected") != 0;
      SetOrdProp(*database, "Connected", 0);
      options.ApplyTo(*database);
      FSaved.push_back(std::move(saved));
      // Options name the server the run works on, so the run starts connected,
      // as a developer connects before opening the editors that list tables.
      // A server that cannot be reached leaves the component closed; commands
      // that need it report the error when they use it.
      try {
        SetOrdProp(*database, "Connected", 1);
      } catch (const Exception&) {
      }
    }
  }
}

void TConnectionOverride::Restore() {
  for (auto& saved : FSaved) {
    TComponent* database = saved->Database.Get();
    if (!database) continue;
    try {
      SetOrdProp(*database, "Connected", 0);
    } catch (...) {
      // A connection that broke is closed all the same.
    }
    for (size_t i = 0; i < std::size(SavedTextProperties); ++i)
      SetStrProp(*database, SavedTextProperties[i], saved->Texts[i]);
    SetOrdProp(*database, "Port", saved->Port);
    // Reconnecting with the form's own settings may fail; the component then
    // stays closed rather than keeping the override's connection.
    if (saved->Connected) {
      try {
        SetOrdProp(*database, "Connected", 1);
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
