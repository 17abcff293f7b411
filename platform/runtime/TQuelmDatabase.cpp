#include "runtime/TQuelmDatabase.h"

#include "classes/TStrings.h"
#include "db/DatabaseError.h"
#include "runtime/DBListRegistry.h"
#include "rtl/Format.h"
#include "rtl/TextCompare.h"
#include "runtime/QuelmConnection.h"
#include "runtime/QuelmSqlModeScope.h"
#include "runtime/TQuelmDataSet.h"
#include "runtime/TQuelmMonitor.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace {
const char* const EmbeddedDirVariable = "QUELM_EMBEDDED_DIR";
const char* const DatabaseOpen = "Cannot perform this operation on an open database";

void FillFirstColumn(const TQuelmResult& result, TStrings& list) {
  TUpdateGuard guard(list);
  list.Clear();
  for (const TQuelmRow& row : result.Rows)
    if (!row.empty() && row[0]) list.Add(*row[0]);
}
} // namespace

QUELM_DEFINE_CLASS(
    TQuelmDatabase, TComponent, b.ComponentFactory();
    b.Property("About", TypeInfoQuelmDorvikAbout(), &TQuelmDatabase::About, &TQuelmDatabase::SetAbout);
    b.Property("ConnectionCharacterSet", TypeInfoString(), &TQuelmDatabase::ConnectionCharacterSet,
               &TQuelmDatabase::SetConnectionCharacterSet);
    b.Property("ConnectionCollation", TypeInfoString(), &TQuelmDatabase::ConnectionCollation,
               &TQuelmDatabase::SetConnectionCollation);
    b.Property("DatabaseName", TypeInfoString(), &TQuelmDatabase::DatabaseName, &TQuelmDatabase::SetDatabaseName);
    b.Property("EmbeddedDir", TypeInfoFileName(), &TQuelmDatabase::EmbeddedDir, &TQuelmDatabase::SetEmbeddedDir);
    b.Property("Host", TypeInfoString(), &TQuelmDatabase::Host, &TQuelmDatabase::SetHost);
    b.Property("Port", TypeInfoInteger(), &TQuelmDatabase::Port, &TQuelmDatabase::SetPort).Default(0);
    b.Property("Socket", TypeInfoFileName(), &TQuelmDatabase::Socket, &TQuelmDatabase::SetSocket);
    b.Property("SSLCA", TypeInfoFileName(), &TQuelmDatabase::SSLCA, &TQuelmDatabase::SetSSLCA);
    b.Property("SSLCert", TypeInfoFileName(), &TQuelmDatabase::SSLCert, &TQuelmDatabase::SetSSLCert);
    b.Property("SSLKey", TypeInfoFileName(), &TQuelmDatabase::SSLKey, &TQuelmDatabase::SetSSLKey);
    b.Property("UserName", TypeInfoString(), &TQuelmDatabase::UserName, &TQuelmDatabase::SetUserName);
    b.Property("UserPassword", TypeInfoString(), &TQuelmDatabase::UserPassword, &TQuelmDatabase::SetUserPassword);
    b.Property("Connected", TypeInfoBoolean(), &TQuelmDatabase::Connected, &TQuelmDatabase::SetConnected)
        .Default(0);
    b.Event("AfterConnect", TypeInfoNotifyEvent(), &TQuelmDatabase::AfterConnect);
    b.Event("AfterDisconnect", TypeInfoNotifyEvent(), &TQuelmDatabase::AfterDisconnect);
    b.Event("BeforeConnect", TypeInfoNotifyEvent(), &TQuelmDatabase::BeforeConnect);
    b.Event("BeforeDisconnect", TypeInfoNotifyEvent(), &TQuelmDatabase::BeforeDisconnect))

TQuelmDatabase::TQuelmDatabase(TComponent* owner) : TComponent(owner) { DBListRegistry::Add(this); }

TQuelmDatabase::~TQuelmDatabase() {
  DBListRegistry::Remove(this);
  // Close the datasets without events: the database is going.
  FConnection.reset();
  for (TQuelmDataSet* dataSet : std::vector<TQuelmDataSet*>(FDataSets)) {
    if (dataSet->Active()) dataSet->Close();
    dataSet->FDatabase = nullptr;
  }
}

void TQuelmDatabase::CheckDisconnected() const {
  if (Connected()) DatabaseError(DatabaseOpen, this);
}

void TQuelmDatabase::SetConnectionProperty(std::string& field, const std::string& value) {
  if (field == value) return;
  CheckDisconnected();
  field = value;
}

void TQuelmDatabase::SetPort(int32_t v) {
  if (v == FPort) return;
  CheckDisconnected();
  if (v < 0 || v > 65535) DatabaseError("Port must be between 0 and 65535", this);
  FPort = v;
}

std::string TQuelmDatabase::EffectiveEmbeddedDir() const {
  if (!FEmbeddedDir.empty()) return FEmbeddedDir;
  const char* env = std::getenv(EmbeddedDirVariable);
  return env ? std::string(env) : std::string();
}

bool TQuelmDatabase::UsesEmbedded() const {
  return FHost.empty() && FSocket.empty() && !EffectiveEmbeddedDir().empty();
}

bool TQuelmDatabase::Connected() const { return FConnection && !FConnection->Lost(); }

void TQuelmDatabase::SetConnected(bool connected) {
  if (IsLoading()) {
    FStreamedConnected = connected;
    return;
  }
  if (connected) {
    if (Connected()) return;
    FConnection.reset();  // a session the server closed
    BeforeConnect(this);
    TQuelmConnectParams params;
    params.Host = FHost;
    params.Port = static_cast<unsigned>(FPort);
    params.UserName = FUserName;
    params.Password = FUserPassword.empty() ? FSessionPassword : FUserPassword;
    params.DatabaseName = FDatabaseName;
    params.Socket = FSocket;
    params.SSLCert = FSSLCert;
    params.SSLKey = FSSLKey;
    params.SSLCA = FSSLCA;
    params.CharacterSet = FConnectionCharacterSet;
    params.Collation = FConnectionCollation;
    params.EmbeddedDir = EffectiveEmbeddedDir();
    auto connection = std::make_unique<TQuelmConnection>(params, this);
    connection->OnStatement = [this](const std::string& sql) { MonitorSQL(*this, sql); };
    FConnection = std::move(connection);
    AfterConnect(this);
  } else {
    if (!FConnection) return;
    BeforeDisconnect(this);
    for (TQuelmDataSet* dataSet : std::vector<TQuelmDataSet*>(FDataSets))
      if (dataSet->Active()) dataSet->Close();
    FConnection.reset();
    AfterDisconnect(this);
  }
}

void TQuelmDatabase::Loaded() {
  TComponent::Loaded();
  if (FStreamedConnected) {
    FStreamedConnected = false;
    SetConnected(true);
  }
}

TQuelmConnection& TQuelmDatabase::Connection() {
  if (!Connected()) Open();
  return *FConnection;
}

void TQuelmDatabase::RegisterDataSet(TQuelmDataSet* dataSet) {
  if (std::find(FDataSets.begin(), FDataSets.end(), dataSet) == FDataSets.end()) FDataSets.push_back(dataSet);
}

void TQuelmDatabase::UnregisterDataSet(TQuelmDataSet* dataSet) {
  FDataSets.erase(std::remove(FDataSets.begin(), FDataSets.end(), dataSet), FDataSets.end());
}

void TQuelmDatabase::GetTableNames(const std::string& pattern, TStrings& list, bool includeViews) {
  TQuelmConnection& c = Connection();
  std::string sql =
      "SELECT TABLE_NAME FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE()";
  if (!includeViews) sql += " AND TABLE_TYPE = 'BASE TABLE'";
  if (!pattern.empty()) sql += " AND TABLE_NAME LIKE " + c.QuoteValue(pattern);
  sql += " ORDER BY TABLE_NAME";
  FillFirstColumn(c.Query(sql), list);
}

void TQuelmDatabase::GetFieldNames(const std::string& tableName, TStrings& list) {
  TQuelmConnection& c = Connection();
  FillFirstColumn(c.Query("SHOW COLUMNS FROM " + QuoteName(tableName)), list);
}

void TQuelmDatabase::GetCharacterSetList(TStrings& list) {
  FillFirstColumn(
      Connection().Query("SELECT CHARACTER_SET_NAME FROM information_schema.CHARACTER_SETS ORDER BY CHARACTER_SET_NAME"),
      list);
}

void TQuelmDatabase::GetCollationList(TStrings& list) {
  TQuelmConnection& c = Connection();
  std::string sql = "SELECT COLLATION_NAME FROM information_schema.COLLATIONS";
  if (!FConnectionCharacterSet.empty()) sql += " WHERE CHARACTER_SET_NAME = " + c.QuoteValue(FConnectionCharacterSet);
  sql += " ORDER BY COLLATION_NAME";
  FillFirstColumn(c.Query(sql), list);
}

void TQuelmDatabase::GetRoutinesNames(const std::string& pattern, TStrings& list,
                                      TQuelmInternalSelectRoutinesType kind) {
  TQuelmConnection& c = Connection();
  std::string sql = "SELECT ROUTINE_NAME FROM information_schema.ROUTINES WHERE ROUTINE_SCHEMA = DATABASE()";
  sql += kind == TQuelmInternalSelectRoutinesType::srtFunctions ? " AND ROUTINE_TYPE = 'FUNCTION'"
                                                                 : " AND ROUTINE_TYPE = 'PROCEDURE'";
  if (!pattern.empty()) sql += " AND ROUTINE_NAME LIKE " + c.QuoteValue(pattern);
  sql += " ORDER BY ROUTINE_NAME";
  FillFirstColumn(c.Query(sql), list);
}

uint64_t TQuelmDatabase::ExecSQL(const std::string& sql) { return Connection().Execute(sql); }

void TQuelmDatabase::GetColumnInfo(const std::string& tableName, std::vector<TQuelmColumnInfo>& columns) {
  TQuelmResult result = Connection().Query("SHOW COLUMNS FROM " + QuoteName(tableName));
  const int field = result.ColumnIndex("Field");
  const int extra = result.ColumnIndex("Extra");
  columns.clear();
  if (field < 0) return;
  for (const TQuelmRow& row : result.Rows) {
    TQuelmColumnInfo info;
    info.Name = row[static_cast<size_t>(field)].value_or("");
    // "auto_increment", "VIRTUAL GENERATED", "STORED GENERATED", "PERSISTENT GENERATED"
    std::string what = extra >= 0 ? row[static_cast<size_t>(extra)].value_or("") : std::string();
    for (char& ch : what) ch = AsciiUpper(ch);
    info.AutoIncrement = what.find("AUTO_INCREMENT") != std::string::npos;
    info.Generated = what.find("GENERATED") != std::string::npos;
    info.Virtual = info.Generated && what.find("VIRTUAL") != std::string::npos;
    columns.push_back(std::move(info));
  }
}

TQuelmStatementCheck TQuelmDatabase::CheckSQL(const std::string& text, TSqlQuoting quoting) {
  TQuelmConnection& c = Connection();
  const std::string sql = SqlReplaceParams(text, [](const std::string&) { return std::string("?"); }, quoting);
  TQuelmStatementCheck check;
  {
    std::optional<TQuelmAnsiQuotesScope> ansiQuotes;
    if (quoting == TSqlQuoting::sqAnsiQuotes) ansiQuotes.emplace(c);
    check = c.Prepare(sql);
  }
  if (!check.Ok) return check;
  // The server prepares a statement that gives a generated column a value,
  // and refuses it only when it runs with one (error 1906): the table's
  // definition tells beforehand.
  TSqlWrittenColumns written = SqlWrittenColumns(text, quoting);
  if (written.Columns.empty() && !written.AllColumns) return check;
  std::vector<TQuelmColumnInfo> columns;
  try {
    GetColumnInfo(written.Table, columns);
  } catch (const EDatabaseError&) {
    return check;  // a table of another database, a view the server hides: nothing more is known
  }
  auto writes = [&](const TQuelmColumnInfo& column) {
    if (written.AllColumns) return true;
    for (const std::string& name : written.Columns)
      if (SameText(column.Name, name)) return true;
    return false;
  };
  for (const TQuelmColumnInfo& column : columns) {
    if (!column.Generated || !writes(column)) continue;
    check.Ok = false;
    check.ErrorCode = 1906;
    check.Message = Format("Generated column '%s' of table '%s' cannot be written: the server refuses a value for it "
                           "when the statement runs",
                           {column.Name, written.Table});
    break;
  }
  return check;
}
