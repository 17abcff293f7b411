#pragma once
// The connection options of the commands that use a database server, one
// declaration for all of them. They apply for one run only: the form's
// database components get their own values back before anything is saved.
// The program links no runtime library: it sets the connection component's
// published properties by name.
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TCommandLine;
class TComponent;
class TModuleServices;

struct TConnectionOptions {
  std::optional<std::string> Host, Socket, User, Password, Database, SSLCert, SSLKey, SSLCA, Embedded;
  std::optional<int> Port;

  bool Any() const;
  // Sets what was given on database, a TQuelmDatabase.
  void ApplyTo(TComponent& database) const;
};

// Declares the connection options, under their own heading, into options.
// --password-env VAR reads the password from VAR at once: an unset VAR is a
// usage error, and so is --password.
void DeclareConnectionOptions(TCommandLine& line, TConnectionOptions& options);

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
