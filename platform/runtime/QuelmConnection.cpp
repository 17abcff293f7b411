#include "runtime/QuelmConnection.h"

#include "db/DatabaseError.h"
#include "rtl/Format.h"
#include "rtl/TextCompare.h"
#include "runtime/MySqlApi.h"

#include <mysql.h>

#include <cctype>
#include <cstring>

namespace {

// Character set and collation names go into the connection's first
// statement before any escaping is possible, so only plain names pass.
bool IsPlainName(const std::string& name) {
  if (name.empty() || name.size() > 64) return false;
  for (unsigned char c : name)
    if (!(std::isalnum(c) || c == '_')) return false;
  return true;
}

int MaxBytesPerChar(unsigned charsetNr) {
  if (charsetNr == 63) return 1;  // binary
  const MARIADB_CHARSET_INFO* info = mariadb_get_charset_by_nr(charsetNr);
  if (info && info->char_maxlen > 0) return static_cast<int>(info->char_maxlen);
  return 4;  // a collation newer than the client's table: assume the widest
}

TQuelmColumn DescribeField(const MYSQL_FIELD& f) {
  TQuelmColumn c;
  c.Name.assign(f.name, f.name_length);
  if (f.org_table) c.Table.assign(f.org_table, f.org_table_length);
  const bool isUnsigned = (f.flags & UNSIGNED_FLAG) != 0;
  const bool isBinary = f.charsetnr == 63;
  const int chars = static_cast<int>(f.length / static_cast<unsigned long>(MaxBytesPerChar(f.charsetnr)));
  switch (f.type) {
  case MYSQL_TYPE_TINY:
    c.DataType = f.length == 1 ? TFieldType::ftBoolean : (isUnsigned ? TFieldType::ftByte : TFieldType::ftShortint);
    break;
  case MYSQL_TYPE_SHORT: c.DataType = isUnsigned ? TFieldType::ftWord : TFieldType::ftSmallint; break;
  case MYSQL_TYPE_YEAR: c.DataType = TFieldType::ftSmallint; break;
  case MYSQL_TYPE_INT24:
  case MYSQL_TYPE_LONG:
    if (f.flags & AUTO_INCREMENT_FLAG) c.DataType = TFieldType::ftAutoInc;
    else c.DataType = isUnsigned ? TFieldType::ftLongWord : TFieldType::ftInteger;
    break;
  case MYSQL_TYPE_LONGLONG: c.DataType = TFieldType::ftLargeint; break;
  case MYSQL_TYPE_FLOAT: c.DataType = TFieldType::ftSingle; break;
  case MYSQL_TYPE_DOUBLE: c.DataType = TFieldType::ftFloat; break;
  case MYSQL_TYPE_DECIMAL:
  case MYSQL_TYPE_NEWDECIMAL: {
    // The display length counts the sign and the decimal point.
    int digits = static_cast<int>(f.length) - (f.decimals > 0 ? 1 : 0) - (isUnsigned ? 0 : 1);
    c.Precision = digits;
    c.Size = static_cast<int>(f.decimals);
    c.DataType = digits > 18 ? TFieldType::ftFMTBcd : TFieldType::ftBCD;
    break;
  }
  case MYSQL_TYPE_DATE:
  case MYSQL_TYPE_NEWDATE: c.DataType = TFieldType::ftDate; break;
  case MYSQL_TYPE_TIME: c.DataType = TFieldType::ftTime; break;
  case MYSQL_TYPE_DATETIME:
  case MYSQL_TYPE_TIMESTAMP: c.DataType = TFieldType::ftDateTime; break;
  case MYSQL_TYPE_BIT: c.DataType = TFieldType::ftLargeint; break;
  case MYSQL_TYPE_VARCHAR:
  case MYSQL_TYPE_VAR_STRING:
    c.DataType = isBinary ? TFieldType::ftVarBytes : TFieldType::ftString;
    c.Size = isBinary ? static_cast<int>(f.length) : chars;
    break;
  case MYSQL_TYPE_STRING:
    if (f.flags & (ENUM_FLAG | SET_FLAG)) c.DataType = TFieldType::ftString;
    else c.DataType = isBinary ? TFieldType::ftBytes : TFieldType::ftFixedChar;
    c.Size = isBinary ? static_cast<int>(f.length) : chars;
    break;
  case MYSQL_TYPE_TINY_BLOB:
  case MYSQL_TYPE_MEDIUM_BLOB:
  case MYSQL_TYPE_LONG_BLOB:
  case MYSQL_TYPE_BLOB:
  case MYSQL_TYPE_JSON: c.DataType = isBinary ? TFieldType::ftBlob : TFieldType::ftMemo; break;
  case MYSQL_TYPE_GEOMETRY: c.DataType = TFieldType::ftBlob; break;
  default: c.DataType = TFieldType::ftUnknown; break;
  }
  c.Required = (f.flags & NOT_NULL_FLAG) && (f.flags & NO_DEFAULT_VALUE_FLAG) && !(f.flags & AUTO_INCREMENT_FLAG);
  return c;
}

} // namespace

std::vector<std::string> TQuelmResult::ColumnNames() const {
  std::vector<std::string> names;
  names.reserve(Columns.size());
  for (const TQuelmColumn& c : Columns) names.push_back(c.Name);
  return names;
}

int TQuelmResult::ColumnIndex(std::string_view name) const {
  for (size_t i = 0; i < Columns.size(); ++i)
    if (SameText(Columns[i].Name, name)) return static_cast<int>(i);
  return -1;
}

std::string QuoteName(std::string_view name) {
  if (name.empty()) DatabaseError("Empty name");
  if (name.find('\0') != std::string_view::npos) DatabaseError("Invalid name: it contains a NUL character");
  std::string quoted;
  quoted.reserve(name.size() + 2);
  quoted += '`';
  for (char c : name) {
    if (c == '`') quoted += '`';
    quoted += c;
  }
  quoted += '`';
  return quoted;
}

TQuelmConnection::TQuelmConnection(const TQuelmConnectParams& params, const TComponent* errorSource)
    : FApi(params.UseEmbedded() ? EmbeddedApi(params.EmbeddedDir) : ClientApi()), FErrorSource(errorSource) {
  const std::string charset = params.CharacterSet.empty() ? std::string("utf8mb4") : params.CharacterSet;
  if (!IsPlainName(charset)) DatabaseErrorFmt("Invalid character set name '%s'", charset, errorSource);
  if (!params.Collation.empty() && !IsPlainName(params.Collation))
    DatabaseErrorFmt("Invalid collation name '%s'", params.Collation, errorSource);

  FMySql = TMySqlSession(FApi.Init(nullptr), {&FApi});
  if (!FMySql) DatabaseError("Out of memory", errorSource);
  FApi.Options(FMySql.get(), MYSQL_SET_CHARSET_NAME, charset.c_str());
  // Without this the session collation is the character set's default, not
  // the one the user chose.
  const std::string initCommand =
      params.Collation.empty() ? std::string() : "SET NAMES " + charset + " COLLATE " + params.Collation;
  if (!initCommand.empty()) FApi.Options(FMySql.get(), MYSQL_INIT_COMMAND, initCommand.c_str());

  const bool embedded = FApi.Embedded;
  if (embedded) {
    FApi.Options(FMySql.get(), MYSQL_OPT_USE_EMBEDDED_CONNECTION, nullptr);
  } else {
    unsigned timeout = 10;
    FApi.Options(FMySql.get(), MYSQL_OPT_CONNECT_TIMEOUT, &timeout);
    if (!params.SSLKey.empty()) FApi.Options(FMySql.get(), MYSQL_OPT_SSL_KEY, params.SSLKey.c_str());
    if (!params.SSLCert.empty()) FApi.Options(FMySql.get(), MYSQL_OPT_SSL_CERT, params.SSLCert.c_str());
    if (!params.SSLCA.empty()) {
      FApi.Options(FMySql.get(), MYSQL_OPT_SSL_CA, params.SSLCA.c_str());
      my_bool verify = 1;
      FApi.Options(FMySql.get(), MYSQL_OPT_SSL_VERIFY_SERVER_CERT, &verify);
    }
  }

  // The embedded server makes the database on first use, so a user can try
  // everything on an empty data directory.
  const bool createDatabase = embedded && !params.DatabaseName.empty();
  const char* host = embedded || params.Host.empty() ? nullptr : params.Host.c_str();
  const char* socket = embedded || params.Socket.empty() ? nullptr : params.Socket.c_str();
  const char* db = params.DatabaseName.empty() || createDatabase ? nullptr : params.DatabaseName.c_str();
  if (!FApi.RealConnect(FMySql.get(), host, params.UserName.empty() ? nullptr : params.UserName.c_str(),
                        params.Password.c_str(), db, params.Port, socket, CLIENT_MULTI_RESULTS)) {
    std::string message = FApi.Error(FMySql.get());
    FMySql.reset();
    DatabaseError(message, errorSource);
  }
  FDatabaseName = params.DatabaseName;
  // A constructor that raises runs no destructor: the session member closes
  // itself.
  if (createDatabase) {
    Execute("CREATE DATABASE IF NOT EXISTS " + QuoteName(params.DatabaseName));
    Execute("USE " + QuoteName(params.DatabaseName));
  }
}

TQuelmConnection::~TQuelmConnection() = default;

bool TQuelmConnection::Embedded() const { return FApi.Embedded; }

void TQuelmConnection::RaiseError() const {
  const unsigned code = FApi.Errno(FMySql.get());
  // Server gone away, connection lost, connection killed.
  if (code == 2006 || code == 2013 || code == 1927) FLost = true;
  std::string message = FApi.Error(FMySql.get());
  if (message.empty()) message = Format("Server error %d", {static_cast<int>(code)});
  DatabaseError(message, FErrorSource);
}

void TQuelmConnection::CheckRunning() const {
  if (FApi.Embedded && !EmbeddedServerRunning()) DatabaseError("The embedded server has stopped", FErrorSource);
}

void TQuelmConnection::Send(std::string_view sql) {
  CheckRunning();
  if (OnStatement) OnStatement(std::string(sql));
  if (FApi.RealQuery(FMySql.get(), sql.data(), static_cast<unsigned long>(sql.size())) != 0) RaiseError();
}

TQuelmResult TQuelmConnection::ReadResult(bool& ok) {
  TQuelmResult result;
  TMySqlResultSet owned(FApi.StoreResult(FMySql.get()), {&FApi});
  if (!owned) {
    if (FApi.FieldCount(FMySql.get()) != 0) RaiseError();
    ok = false;
    return result;
  }
  ok = true;
  MYSQL_RES* res = owned.get();
  const unsigned n = FApi.NumFields(res);
  const MYSQL_FIELD* fields = FApi.FetchFields(res);
  result.Columns.reserve(n);
  for (unsigned i = 0; i < n; ++i) result.Columns.push_back(DescribeField(fields[i]));
  result.Rows.reserve(static_cast<size_t>(FApi.NumRows(res)));
  while (MYSQL_ROW row = FApi.FetchRow(res)) {
    const unsigned long* lengths = FApi.FetchLengths(res);
    TQuelmRow values(n);
    for (unsigned i = 0; i < n; ++i)
      if (row[i]) values[i].emplace(row[i], lengths[i]);
    result.Rows.push_back(std::move(values));
  }
  return result;
}

void TQuelmConnection::DrainResults() {
  while (FApi.MoreResults(FMySql.get())) {
    int status = FApi.NextResult(FMySql.get());
    if (status > 0) RaiseError();
    if (status < 0) break;
    bool ok = false;
    ReadResult(ok);
  }
}

TQuelmResult TQuelmConnection::Query(std::string_view sql) {
  Send(sql);
  bool ok = false;
  TQuelmResult result = ReadResult(ok);
  DrainResults();
  return result;
}

std::vector<TQuelmResult> TQuelmConnection::QueryAll(std::string_view sql) {
  Send(sql);
  std::vector<TQuelmResult> results;
  bool ok = false;
  TQuelmResult first = ReadResult(ok);
  if (ok) results.push_back(std::move(first));
  while (FApi.MoreResults(FMySql.get())) {
    int status = FApi.NextResult(FMySql.get());
    if (status > 0) RaiseError();
    if (status < 0) break;
    TQuelmResult next = ReadResult(ok);
    if (ok) results.push_back(std::move(next));
  }
  return results;
}

uint64_t TQuelmConnection::Execute(std::string_view sql) {
  Send(sql);
  bool ok = false;
  ReadResult(ok);
  uint64_t affected = FApi.AffectedRows(FMySql.get());
  DrainResults();
  return affected == static_cast<uint64_t>(-1) ? 0 : affected;
}

std::vector<TQuelmColumn> TQuelmConnection::Describe(std::string_view sql) {
  CheckRunning();
  if (OnStatement) OnStatement(std::string(sql));
  TMySqlStatement owned(FApi.StmtInit(FMySql.get()), {&FApi});
  if (!owned) RaiseError();
  MYSQL_STMT* stmt = owned.get();
  if (FApi.StmtPrepare(stmt, sql.data(), static_cast<unsigned long>(sql.size())) != 0) {
    std::string message = FApi.StmtError(stmt);
    DatabaseError(message, FErrorSource);
  }
  std::vector<TQuelmColumn> columns;
  TMySqlResultSet ownedMeta(FApi.StmtResultMetadata(stmt), {&FApi});
  if (!ownedMeta) return columns;
  MYSQL_RES* meta = ownedMeta.get();
  const unsigned n = FApi.NumFields(meta);
  const MYSQL_FIELD* fields = FApi.FetchFields(meta);
  columns.reserve(n);
  for (unsigned i = 0; i < n; ++i) columns.push_back(DescribeField(fields[i]));
  return columns;
}

TQuelmStatementCheck TQuelmConnection::Prepare(std::string_view sql) {
  CheckRunning();
  if (OnStatement) OnStatement(std::string(sql));
  TMySqlStatement owned(FApi.StmtInit(FMySql.get()), {&FApi});
  if (!owned) RaiseError();
  MYSQL_STMT* stmt = owned.get();
  TQuelmStatementCheck check;
  if (FApi.StmtPrepare(stmt, sql.data(), static_cast<unsigned long>(sql.size())) != 0) {
    check.Ok = false;
    check.ErrorCode = FApi.StmtErrno(stmt);
    check.Message = FApi.StmtError(stmt);
    // Client-side errors (2000 and up) say the session is gone, not that sql is wrong.
    if (check.ErrorCode >= 2000 && check.ErrorCode < 3000) {
      if (check.ErrorCode == 2006 || check.ErrorCode == 2013) FLost = true;
      DatabaseError(check.Message, FErrorSource);
    }
  }
  return check;
}

std::string TQuelmConnection::QuoteValue(std::string_view value) const {
  std::string buffer(value.size() * 2 + 1, '\0');
  unsigned long n =
      FApi.RealEscapeString(FMySql.get(), buffer.data(), value.data(), static_cast<unsigned long>(value.size()));
  if (n == static_cast<unsigned long>(-1)) DatabaseError("Cannot escape a value in this character set", FErrorSource);
  buffer.resize(n);
  return "'" + buffer + "'";
}
