#pragma once
// Owning handles to the C API's objects: a session, a result set and a
// prepared statement, each freed through the function table that made it.
#include <memory>

struct TMySqlApi;
struct st_mysql;
struct st_mysql_res;
struct st_mysql_stmt;

// Frees one kind of C API object through api. A session of the embedded
// server is dropped without a call once the server has stopped at exit.
template <class T>
struct TMySqlRelease {
  const TMySqlApi* Api = nullptr;
  void operator()(T* object) const;
};

template <> void TMySqlRelease<st_mysql>::operator()(st_mysql* mysql) const;
template <> void TMySqlRelease<st_mysql_res>::operator()(st_mysql_res* result) const;
template <> void TMySqlRelease<st_mysql_stmt>::operator()(st_mysql_stmt* stmt) const;

using TMySqlSession = std::unique_ptr<st_mysql, TMySqlRelease<st_mysql>>;
using TMySqlResultSet = std::unique_ptr<st_mysql_res, TMySqlRelease<st_mysql_res>>;
using TMySqlStatement = std::unique_ptr<st_mysql_stmt, TMySqlRelease<st_mysql_stmt>>;
