#pragma once
// What the design host's own commands ask of a database server beyond the
// published properties of the connection component: the names the server
// holds, and running a script. The design host links no runtime library; it
// knows the connection component by class name, and the package that brings
// the component registers these services for its class while it is loaded.
#include <memory>
#include <string>

class TClassInfo;
class TComponent;
class TStrings;

enum class TRoutineKind { Procedures, Functions };

class IDatabaseServices {
public:
  virtual ~IDatabaseServices() = default;
  // Each connects database when it is closed, and replaces list's content.
  // The tables and views of the current database, sorted by name.
  virtual void GetTableNames(TComponent& database, TStrings& list) = 0;
  // A table's column names in column order.
  virtual void GetFieldNames(TComponent& database, const std::string& table, TStrings& list) = 0;
  virtual void GetCharacterSets(TComponent& database, TStrings& list) = 0;
  virtual void GetCollations(TComponent& database, TStrings& list) = 0;
  virtual void GetRoutineNames(TComponent& database, TRoutineKind kind, TStrings& list) = 0;
  // Runs the statements of script one after another; how many ran.
  virtual int ExecuteScript(TComponent& database, const std::string& script) = 0;
};

// Registers services for connection components of databaseClass and its
// descendants, on behalf of the package being registered.
void RegisterDatabaseServices(const TClassInfo& databaseClass, std::shared_ptr<IDatabaseServices> services);
// The services registered for database's class or its nearest ancestor;
// raises Exception when no loaded package offers any.
IDatabaseServices& GetDatabaseServices(const TComponent& database);
