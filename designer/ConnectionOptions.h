#pragma once
// The connection options the database-using commands take. They apply for
// one run only: the form's database components get their own values back
// before anything is saved.
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TComponent;
class TModuleServices;
class TQuelmDatabase;

inline constexpr const char* ConnectionOptionsUsage =
    "Connection options:\n"
    "  --host HOST --port N --socket PATH --user NAME --database NAME\n"
    "  --password-env VAR   the password is read from the environment variable VAR\n"
    "  --ssl-cert FILE --ssl-key FILE --ssl-ca FILE\n"
    "  --embedded DIR       the embedded server on the data directory DIR\n"
    "Without a host the embedded server is used, on $QUELM_EMBEDDED_DIR or\n"
    "~/.local/share/quelm-designer/embedded.\n";

struct TConnectionOptions {
  std::optional<std::string> Host, Socket, User, PasswordEnv, Database, SSLCert, SSLKey, SSLCA, Embedded;
  std::optional<int> Port;

  bool Any() const;
  // Sets what was given on database; the password comes from PasswordEnv.
  void ApplyTo(TQuelmDatabase& database) const;
};

// Takes the connection options out of args, leaving the other words; raises
// std::invalid_argument for an option without its value or a bad port.
TConnectionOptions TakeConnectionOptions(std::vector<std::string>& args);

// The embedded data directory the program uses when none is configured, and
// sets QUELM_EMBEDDED_DIR to it when that is unset.
std::string EnsureEmbeddedDefault();

// Applies options to every database component of the open modules for the
// guard's life, connecting them, and puts the components' own settings (and
// connection state) back at its end.
class TConnectionOverride {
public:
  TConnectionOverride(const TConnectionOptions& options, TModuleServices& modules);
  ~TConnectionOverride();
  TConnectionOverride(const TConnectionOverride&) = delete;
  TConnectionOverride& operator=(const TConnectionOverride&) = delete;
  // Puts the settings back now (the destructor then does nothing).
  void Restore();

private:
  struct TSaved;
  std::vector<std::unique_ptr<TSaved>> FSaved;
};
