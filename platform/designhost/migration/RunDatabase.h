#pragma once
// The database component the datasets of a migration run use: one that an
// open form has, or one made for the run, on the open module of the given
// root or on a new data module (form file and unit) made for it. A made
// database takes the connection settings of the application's own
// connection component (host, port, database, user; never a password).
#include <string>
#include <utility>
#include <vector>

class TComponent;
class TModule;
class TModuleServices;

struct TRunDatabase {
  TComponent* Database = nullptr;
  bool Created = false;
  std::string File;          // the form file that holds a made database
  TModule* NewModule = nullptr;  // the data module made for it; none when an open one took it
  std::string NewUnitPath;
  std::string NewUnitText;
  std::string ConnectionFrom;  // "Root.Name (TClass)" whose settings were carried
  std::vector<std::pair<std::string, std::string>> Carried;  // property, value
};

// The database component name names ("Root.Name", or a name on any open
// form, the first form first). Raises std::invalid_argument when there is
// none or it is no database.
TRunDatabase FindRunDatabase(TModuleServices& modules, const std::string& name);

// moduleAndName is "MODULE.NAME". The new data module's files go to newFilesDir; a
// form file there that is not open is not overwritten unless
// mayReplaceFiles (an output folder's own file). carry names the connection
// component whose settings the database takes ("Root.Name"; empty: the
// first that has any; "none": none). Raises std::invalid_argument.
TRunDatabase CreateRunDatabase(TModuleServices& modules, const std::string& moduleAndName,
                               const std::string& newFilesDir, bool mayReplaceFiles, const std::string& carry);
