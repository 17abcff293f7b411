#pragma once
// The connection component. With a host or a socket it talks to a server
// through the client library; with neither, and an embedded data directory
// set (the EmbeddedDir property or the QUELM_EMBEDDED_DIR environment
// variable), it runs on the embedded server inside this process.
#include "classes/TComponent.h"
#include "classes/TMethod.h"
#include "runtime/QuelmTypes.h"
#include "runtime/SqlText.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TStrings;
class TQuelmConnection;
class TQuelmDataSet;
struct TQuelmStatementCheck;

// What the server says of a table's column beyond its name.
struct TQuelmColumnInfo {
  std::string Name;
  bool AutoIncrement = false;
  // Computed by the server from other columns: no statement may write it.
  bool Generated = false;
  bool Virtual = false;  // generated and never stored
};

class TQuelmDatabase : public TComponent {
  QUELM_CLASS(TQuelmDatabase, TComponent)

public:
  explicit TQuelmDatabase(TComponent* owner);
  ~TQuelmDatabase() override;

  const std::string& Host() const { return FHost; }
  void SetHost(const std::string& v) { SetConnectionProperty(FHost, v); }
  int32_t Port() const { return FPort; }  // 0: the client library's default
  void SetPort(int32_t v);
  const std::string& UserName() const { return FUserName; }
  void SetUserName(const std::string& v) { SetConnectionProperty(FUserName, v); }
  // Stored in form files as the user set it, never shown in messages or traces.
  const std::string& UserPassword() const { return FUserPassword; }
  void SetUserPassword(const std::string& v) { SetConnectionProperty(FUserPassword, v); }
  // A password kept for this session only, never stored in a form file: the
  // connection uses it while UserPassword is empty.
  const std::string& SessionPassword() const { return FSessionPassword; }
  void SetSessionPassword(const std::string& v) { SetConnectionProperty(FSessionPassword, v); }
  const std::string& DatabaseName() const { return FDatabaseName; }
  void SetDatabaseName(const std::string& v) { SetConnectionProperty(FDatabaseName, v); }
  const std::string& Socket() const { return FSocket; }
  void SetSocket(const std::string& v) { SetConnectionProperty(FSocket, v); }
  const std::string& SSLCert() const { return FSSLCert; }
  void SetSSLCert(const std::string& v) { SetConnectionProperty(FSSLCert, v); }
  const std::string& SSLKey() const { return FSSLKey; }
  void SetSSLKey(const std::string& v) { SetConnectionProperty(FSSLKey, v); }
  const std::string& SSLCA() const { return FSSLCA; }
  void SetSSLCA(const std::string& v) { SetConnectionProperty(FSSLCA, v); }
  const std::string& ConnectionCharacterSet() const { return FConnectionCharacterSet; }
  void SetConnectionCharacterSet(const std::string& v) { SetConnectionProperty(FConnectionCharacterSet, v); }
  const std::string& ConnectionCollation() const { return FConnectionCollation; }
  void SetConnectionCollation(const std::string& v) { SetConnectionProperty(FConnectionCollation, v); }
  const std::string& EmbeddedDir() const { return FEmbeddedDir; }
  void SetEmbeddedDir(const std::string& v) { SetConnectionProperty(FEmbeddedDir, v); }
  const std::string& About() const { return FAbout; }
  void SetAbout(const std::string& v) { FAbout = v; }

  // The embedded data directory this component would use: the property, else
  // the environment variable; empty when neither is set.
  std::string EffectiveEmbeddedDir() const;
  // True when connecting would use (or uses) the embedded server.
  bool UsesEmbedded() const;

  // False also when the server has closed the session; connecting again
  // then opens a new one.
  bool Connected() const;
  void SetConnected(bool connected);
  void Open() { SetConnected(true); }
  void Close() { SetConnected(false); }

  // Table names of the current database, sorted by name. Pattern is an SQL
  // LIKE pattern (empty: every table); includeViews adds the views.
  void GetTableNames(const std::string& pattern, TStrings& list, bool includeViews);
  // Replaces list's content with the table's column names, in column order.
  void GetFieldNames(const std::string& tableName, TStrings& list);
  void GetCharacterSetList(TStrings& list);
  // The collations of ConnectionCharacterSet, or every collation when it is empty.
  void GetCollationList(TStrings& list);
  void GetRoutinesNames(const std::string& pattern, TStrings& list, TQuelmInternalSelectRoutinesType kind);

  // The table's columns in column order, with what the server computes itself.
  void GetColumnInfo(const std::string& tableName, std::vector<TQuelmColumnInfo>& columns);

  // Runs a statement that returns no rows; the number of affected rows.
  uint64_t ExecSQL(const std::string& sql);

  // Asks the server whether it accepts the statement text, without running
  // it: the text is prepared with its parameters as placeholders, under the
  // quoting given (ANSI quoting runs it in a session mode with ANSI_QUOTES,
  // as the update object's statements run). An INSERT or UPDATE that writes
  // a generated column is refused as the server refuses it when it runs.
  TQuelmStatementCheck CheckSQL(const std::string& text, TSqlQuoting quoting);

  // The open connection; connects first when closed. For the suite's datasets.
  TQuelmConnection& Connection();

  TNotifyEvent BeforeConnect, AfterConnect, BeforeDisconnect, AfterDisconnect;

  void Loaded() override;

private:
  friend class TQuelmDataSet;
  void SetConnectionProperty(std::string& field, const std::string& value);
  void CheckDisconnected() const;
  void RegisterDataSet(TQuelmDataSet* dataSet);
  void UnregisterDataSet(TQuelmDataSet* dataSet);

  std::string FHost;
  int32_t FPort = 0;
  std::string FUserName;
  std::string FUserPassword;
  std::string FSessionPassword;
  std::string FDatabaseName;
  std::string FSocket;
  std::string FSSLCert;
  std::string FSSLKey;
  std::string FSSLCA;
  std::string FConnectionCharacterSet;
  std::string FConnectionCollation;
  std::string FEmbeddedDir;
  std::string FAbout;
  bool FStreamedConnected = false;
  std::unique_ptr<TQuelmConnection> FConnection;
  std::vector<TQuelmDataSet*> FDataSets;  // not owned; each unregisters itself
};
