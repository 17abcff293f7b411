#include "runtime/MySqlApi.h"

#include "rtl/Exceptions.h"
#include "rtl/Format.h"
#include "runtime/EmbeddedSystemTables.h"
#include "runtime/MySqlHandles.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <vector>

namespace {
// The client library sets itself up on the first mysql_init (its plugins and
// error texts) and keeps that until mysql_library_end. It is unloaded with
// this library when the design host unloads the package, so the end must run
// before: this object is destroyed then, or at exit, after every connection
// made through it has been closed by its component.
class TClientLibrary {
public:
  TClientLibrary() = default;
  ~TClientLibrary() { mysql_library_end(); }
  TClientLibrary(const TClientLibrary&) = delete;
  TClientLibrary& operator=(const TClientLibrary&) = delete;
};
} // namespace

const TMySqlApi& ClientApi() {
  static const TClientLibrary library;
  static const TMySqlApi api = [] {
    TMySqlApi a;
    a.Embedded = false;
    a.Init = &mysql_init;
    a.Options = &mysql_options;
    a.RealConnect = &mysql_real_connect;
    a.Close = &mysql_close;
    a.RealQuery = &mysql_real_query;
    a.StoreResult = &mysql_store_result;
    a.FreeResult = &mysql_free_result;
    a.NumFields = &mysql_num_fields;
    a.NumRows = &mysql_num_rows;
    a.FetchRow = &mysql_fetch_row;
    a.FetchLengths = &mysql_fetch_lengths;
    a.FetchFields = &mysql_fetch_fields;
    a.FieldCount = &mysql_field_count;
    a.AffectedRows = &mysql_affected_rows;
    a.Error = &mysql_error;
    a.Errno = &mysql_errno;
    a.RealEscapeString = &mysql_real_escape_string;
    a.MoreResults = &mysql_more_results;
    a.NextResult = &mysql_next_result;
    a.StmtInit = &mysql_stmt_init;
    a.StmtPrepare = &mysql_stmt_prepare;
    a.StmtResultMetadata = &mysql_stmt_result_metadata;
    a.StmtClose = &mysql_stmt_close;
    a.StmtError = &mysql_stmt_error;
    a.StmtErrno = &mysql_stmt_errno;
    return a;
  }();
  return api;
}

namespace {

// Kept outside the server object: connections that outlive it at exit still
// ask, and a constant-initialised flag is never destroyed.
constinit bool EmbeddedRunning = false;

constexpr const char* EmbeddedLibrary = "libmariadbd.so.19";

using TServerInit = int (*)(int, char**, char**);

// Collects what the server writes to standard error while it starts.
class TCaptureStderr {
public:
  TCaptureStderr() {
    std::fflush(stderr);
    FFile = std::tmpfile();
    if (!FFile) return;
    FSaved = ::dup(2);
    if (FSaved < 0 || ::dup2(::fileno(FFile), 2) < 0) Restore();
  }
  ~TCaptureStderr() { Restore(); }
  TCaptureStderr(const TCaptureStderr&) = delete;
  TCaptureStderr& operator=(const TCaptureStderr&) = delete;

  std::string Finish() {
    Restore();
    std::string text;
    if (!FFile) return text;
    std::rewind(FFile);
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, FFile)) > 0) text.append(buffer, n);
    std::fclose(FFile);
    FFile = nullptr;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
  }

private:
  void Restore() {
    if (FSaved >= 0) {
      std::fflush(stderr);
      ::dup2(FSaved, 2);
      ::close(FSaved);
      FSaved = -1;
    }
  }
  std::FILE* FFile = nullptr;
  int FSaved = -1;
};

// A fresh data directory lacks the system tables that the start-up reads;
// they are made right after it, so those complaints are dropped. Anything
// else the server said is passed on.
void ForwardStartMessages(const std::string& messages) {
  size_t start = 0;
  while (start < messages.size()) {
    size_t end = messages.find('\n', start);
    if (end == std::string::npos) end = messages.size();
    std::string line = messages.substr(start, end - start);
    start = end + 1;
    if (line.empty() || line.find("mysql.plugin") != std::string::npos || line.find("mysql.func") != std::string::npos)
      continue;
    std::fprintf(stderr, "%s\n", line.c_str());
  }
}
using TServerEnd = void (*)();

// The embedded server of this process: loaded once, started once, stopped
// at exit.
class TEmbeddedServer {
public:
  // Stopping flushes the storage engines, so the next start needs no
  // recovery. It must run before the library's own static objects go, which
  // were made when it was loaded: an exit handler registered after the start
  // runs before them.
  static void StopAtExit();

  const TMySqlApi& Start(const std::string& dataDir) {
    std::lock_guard<std::mutex> lock(FMutex);
    if (FStarted) {
      if (!SameDirectory(dataDir, FDataDir))
        throw EDatabaseError(Format("The embedded server already runs on %s; it cannot also run on %s",
                                    {FDataDir, dataDir}));
      return FApi;
    }
    if (!FFailure.empty()) throw EDatabaseError(FFailure);
    // Neither a missing directory nor a busy one is final: a later call may succeed.
    PrepareDirectory(dataDir);
    try {
      Load();
      Boot(dataDir);
    } catch (const EDatabaseError& e) {
      FFailure = e.Message();
      throw;
    }
    return FApi;
  }

private:
  static bool SameDirectory(const std::string& a, const std::string& b) {
    std::error_code ec1, ec2;
    auto ca = std::filesystem::weakly_canonical(a, ec1);
    auto cb = std::filesystem::weakly_canonical(b, ec2);
    if (ec1 || ec2) return a == b;
    return ca == cb;
  }

  template <class F>
  void Bind(F& slot, const char* name) {
    void* symbol = dlsym(FHandle, name);
    if (!symbol)
      throw EDatabaseError(Format("The embedded server library %s lacks %s", {std::string(EmbeddedLibrary), name}));
    slot = reinterpret_cast<F>(symbol);
  }

  void Load() {
    // RTLD_DEEPBIND: the library's own calls must reach its own mysql_*
    // functions, not the client library's of the same names.
    FHandle = dlopen(EmbeddedLibrary, RTLD_NOW | RTLD_LOCAL | RTLD_DEEPBIND);
    if (!FHandle) {
      const char* why = dlerror();
      throw EDatabaseError(Format("Cannot load the embedded server library %s: %s",
                                  {std::string(EmbeddedLibrary), std::string(why ? why : "unknown error")}));
    }
    FApi.Embedded = true;
    Bind(FServerInit, "mysql_server_init");
    Bind(FServerEnd, "mysql_server_end");
    Bind(FApi.Init, "mysql_init");
    Bind(FApi.Options, "mysql_options");
    Bind(FApi.RealConnect, "mysql_real_connect");
    Bind(FApi.Close, "mysql_close");
    Bind(FApi.RealQuery, "mysql_real_query");
    Bind(FApi.StoreResult, "mysql_store_result");
    Bind(FApi.FreeResult, "mysql_free_result");
    Bind(FApi.NumFields, "mysql_num_fields");
    Bind(FApi.NumRows, "mysql_num_rows");
    Bind(FApi.FetchRow, "mysql_fetch_row");
    Bind(FApi.FetchLengths, "mysql_fetch_lengths");
    Bind(FApi.FetchFields, "mysql_fetch_fields");
    Bind(FApi.FieldCount, "mysql_field_count");
    Bind(FApi.AffectedRows, "mysql_affected_rows");
    Bind(FApi.Error, "mysql_error");
    Bind(FApi.Errno, "mysql_errno");
    Bind(FApi.RealEscapeString, "mysql_real_escape_string");
    Bind(FApi.MoreResults, "mysql_more_results");
    Bind(FApi.NextResult, "mysql_next_result");
    Bind(FApi.StmtInit, "mysql_stmt_init");
    Bind(FApi.StmtPrepare, "mysql_stmt_prepare");
    Bind(FApi.StmtResultMetadata, "mysql_stmt_result_metadata");
    Bind(FApi.StmtClose, "mysql_stmt_close");
    Bind(FApi.StmtError, "mysql_stmt_error");
    Bind(FApi.StmtErrno, "mysql_stmt_errno");
  }

  void PrepareDirectory(const std::string& dataDir) {
    if (FLockFd >= 0) return;
    std::error_code ec;
    std::filesystem::create_directories(dataDir, ec);
    if (ec)
      throw EDatabaseError(Format("Cannot create the embedded data directory %s: %s", {dataDir, ec.message()}));
    LockDirectory(dataDir);
  }

  void Boot(const std::string& dataDir) {
    std::vector<std::string> args = {
        "quelm-embedded",
        "--no-defaults",  // must come first: no configuration file is read
        // The server changes into its data directory, so a relative path would not survive.
        "--datadir=" + std::filesystem::absolute(dataDir).string(),
        "--character-set-server=utf8mb4",
        "--collation-server=utf8mb4_general_ci",
        "--innodb-log-file-size=8M",
        "--innodb-buffer-pool-size=16M",
        "--log-warnings=0",
    };
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::string messages;
    int status = 0;
    {
      TCaptureStderr capture;
      status = FServerInit(static_cast<int>(args.size()), argv.data(), nullptr);
      messages = capture.Finish();
    }
    if (status != 0) {
      std::string detail = messages.empty() ? std::string() : ": " + messages;
      throw EDatabaseError(Format("The embedded server did not start on %s%s", {dataDir, detail}));
    }
    ForwardStartMessages(messages);
    FStarted = true;
    EmbeddedRunning = true;
    FDataDir = dataDir;
    std::atexit(&TEmbeddedServer::StopAtExit);
    CreateSystemTables();
  }

public:
  void Stop() {
    if (!FStarted) return;
    FStarted = false;
    EmbeddedRunning = false;
    FFailure = "The embedded server has stopped";
    FServerEnd();
  }

private:

  // Stored routines live in mysql.proc; a fresh data directory has no mysql
  // database at all.
  void CreateSystemTables() {
    TMySqlSession session(FApi.Init(nullptr), {&FApi});
    if (!session) throw EDatabaseError("Out of memory");
    MYSQL* m = session.get();
    FApi.Options(m, MYSQL_OPT_USE_EMBEDDED_CONNECTION, nullptr);
    if (!FApi.RealConnect(m, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 0))
      throw EDatabaseError(FApi.Error(m));
    for (const char* sql : EmbeddedSystemTableStatements()) {
      if (FApi.RealQuery(m, sql, std::char_traits<char>::length(sql)) != 0)
        throw EDatabaseError(FApi.Error(m));
    }
  }

  // One process at a time may run a server on a data directory. The storage
  // engine finds out only after half a minute of retries, so a lock of our
  // own, held for the life of the process, answers at once.
  void LockDirectory(const std::string& dataDir) {
    const std::string lockFile = dataDir + "/quelm-embedded.lock";
    int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) throw EDatabaseError(Format("Cannot open %s", {lockFile}));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      throw EDatabaseError(Format("The embedded data directory %s is in use by another process", {dataDir}));
    }
    FLockFd = fd;
  }

  std::mutex FMutex;
  int FLockFd = -1;
  void* FHandle = nullptr;
  TMySqlApi FApi;
  TServerInit FServerInit = nullptr;
  TServerEnd FServerEnd = nullptr;
  bool FStarted = false;
  std::string FDataDir;
  std::string FFailure;
};

TEmbeddedServer& EmbeddedServer() {
  static TEmbeddedServer server;
  return server;
}

void TEmbeddedServer::StopAtExit() { EmbeddedServer().Stop(); }

} // namespace

const TMySqlApi& EmbeddedApi(const std::string& dataDir) { return EmbeddedServer().Start(dataDir); }

bool EmbeddedServerRunning() { return EmbeddedRunning; }
