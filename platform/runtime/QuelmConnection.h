#pragma once
// One open session with a server, or with the embedded server, through the
// C API table of its library. Every failure raises EDatabaseError carrying
// the server's message (prefixed by the component's name when it has one).
#include "db/FieldTypes.h"
#include "runtime/MySqlHandles.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TComponent;
struct TMySqlApi;

struct TQuelmConnectParams {
  std::string Host;
  unsigned Port = 0;
  std::string UserName;
  std::string Password;
  std::string DatabaseName;
  std::string Socket;
  std::string SSLCert;
  std::string SSLKey;
  std::string SSLCA;
  std::string CharacterSet;  // empty: utf8mb4
  std::string Collation;     // empty: the character set's default
  std::string EmbeddedDir;   // used only without host and socket
  bool UseEmbedded() const { return Host.empty() && Socket.empty() && !EmbeddedDir.empty(); }
};

// A column of a result as the server describes it.
struct TQuelmColumn {
  std::string Name;
  std::string Table;
  TFieldType DataType = TFieldType::ftUnknown;
  int Size = 0;       // characters for text, bytes for binary data, scale for decimals
  int Precision = 0;  // decimals: the number of digits
  bool Required = false;
};

using TQuelmRow = std::vector<std::optional<std::string>>;

// The server's answer to a statement prepared without being run: accepted, or
// refused with its error number and message.
struct TQuelmStatementCheck {
  bool Ok = true;
  unsigned ErrorCode = 0;
  std::string Message;
};

struct TQuelmResult {
  std::vector<TQuelmColumn> Columns;
  std::vector<TQuelmRow> Rows;
  std::vector<std::string> ColumnNames() const;
  int ColumnIndex(std::string_view name) const;  // ignoring case; -1 when absent
};

class TQuelmConnection {
public:
  // Connects; errorSource names the component in error messages (may be none).
  TQuelmConnection(const TQuelmConnectParams& params, const TComponent* errorSource);
  ~TQuelmConnection();
  TQuelmConnection(const TQuelmConnection&) = delete;
  TQuelmConnection& operator=(const TQuelmConnection&) = delete;

  bool Embedded() const;
  // True once the server closed the session (it went away, or killed it);
  // the database component then counts as disconnected.
  bool Lost() const { return FLost; }
  const std::string& DatabaseName() const { return FDatabaseName; }

  // Runs sql and returns its first result set (empty for a statement without
  // one); further result sets, as a CALL sends them, are read and dropped.
  TQuelmResult Query(std::string_view sql);
  // Runs sql and returns every result set it sends.
  std::vector<TQuelmResult> QueryAll(std::string_view sql);
  // Runs a statement and returns the number of affected rows.
  uint64_t Execute(std::string_view sql);
  // The columns sql would return, from the server's description of the
  // prepared statement: no row is fetched and the statement is not run.
  std::vector<TQuelmColumn> Describe(std::string_view sql);
  // Prepares sql (placeholders "?" for its parameters) and closes it again
  // without running it. The server's refusal of sql is the result, not an
  // exception; a lost connection still raises.
  TQuelmStatementCheck Prepare(std::string_view sql);

  // value as a string literal of this connection's character set.
  std::string QuoteValue(std::string_view value) const;

  // Called with every statement before it is sent.
  std::function<void(const std::string&)> OnStatement;

private:
  [[noreturn]] void RaiseError() const;
  void CheckRunning() const;
  void Send(std::string_view sql);
  // The pending result set; ok is false when the statement sent none.
  TQuelmResult ReadResult(bool& ok);
  void DrainResults();

  const TMySqlApi& FApi;
  TMySqlSession FMySql;
  const TComponent* FErrorSource;
  std::string FDatabaseName;
  mutable bool FLost = false;
};

// name as an identifier: in backticks, with every backtick doubled. A name
// with a NUL byte, or an empty one, raises EDatabaseError.
std::string QuoteName(std::string_view name);
