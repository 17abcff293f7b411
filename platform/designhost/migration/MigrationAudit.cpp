#include "designhost/migration/MigrationAudit.h"

#include "classes/TComponent.h"
#include "classes/TypInfo.h"
#include "db/TDataSet.h"
#include "db/TDataSource.h"
#include "db/TField.h"
#include "designhost/ModuleServices.h"
#include "designhost/migration/ApplicationMigration.h"
#include "designhost/migration/FormNodes.h"
#include "rtl/TextCompare.h"
#include "streaming/TFormFile.h"
#include "streaming/TextFormWriter.h"

#include <cctype>
#include <set>

struct TMigrationAudit::TDataSetBefore {
  size_t File;
  TComponent* Root;
  TComponentRef<TComponent> Component;
  std::string Name;
  std::string Class;
  struct TProperty {
    std::string Name, Summary, Text;  // Text: the value as a form file writes it
  };
  std::vector<TProperty> Properties;  // as read
  TComponentRef<TComponent> UpdateObject;
  std::string UpdateName, UpdateClass;
};

struct TMigrationAudit::TLinkBefore {
  size_t File;
  TComponentRef<TComponent> Holder;
  TComponentRef<TComponent> Target;
};

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Properties of a source that the new dataset has under another name.
const char* CarriedAs(const std::string& property) {
  if (SameText(property, "CommandText")) return "SQL.Strings";
  if (SameText(property, "StoredProcName")) return "ProcedureName";
  return nullptr;
}

std::string NoteFor(const std::string& p, const std::string& database) {
  auto is = [&](std::initializer_list<const char*> names) {
    for (const char* n : names)
      if (SameText(p, n)) return true;
    return false;
  };
  if (is({"DatabaseName", "Connection", "SQLConnection", "ConnectionString", "SessionName", "ConnectionName"}))
    return "connection: the new dataset uses Database = " + (database.empty() ? std::string("(none)") : database);
  if (is({"MasterSource", "MasterFields", "LinkedFields", "DetailFields", "MasterFieldNames"}))
    return "master link: not carried";
  if (is({"IndexName", "IndexFieldNames", "IndexDefs"})) return "index: not carried";
  if (is({"DataSource"})) return "the query's data source (parameters from a master): not carried";
  if (is({"Params", "ParamData", "Parameters", "ParamCheck"})) return "parameters: not carried";
  if (is({"CommandType"})) return "the SQL was made from the command text by its command type";
  if (is({"CachedUpdates"})) return "the new dataset has cached updates off";
  if (is({"Active"})) return "the new dataset is not opened";
  if (is({"UpdateObject"})) return "update object not carried";
  if (is({"Filter", "Filtered"})) return "filters are carried for tables only";
  return "not carried";
}

} // namespace

std::string QualifiedName(const TComponent* component) {
  if (!component) return "";
  if (component->Owner() && !component->Owner()->Name().empty())
    return component->Owner()->Name() + "." + component->Name();
  return component->Name();
}

TMigrationAudit::TMigrationAudit(TModuleServices& modules, const std::map<const TModule*, size_t>& fileOf,
                                 bool withTextViews, const std::function<std::string(const TModule&)>& savedText) {
  for (int i = 0; i < modules.GetModuleCount(); ++i) {
    TModule* module = modules.GetModule(i);
    size_t file = fileOf.at(module);
    std::string known = savedText ? savedText(*module) : std::string();
    FTexts.push_back(known.empty() ? module->File().SaveToString() : std::move(known));
    FTextViews.push_back(withTextViews && module->File().Format() == TFormFormat::Binary
                             ? module->File().SaveToString(TFormFormat::Text)
                             : std::string());
    TComponent* root = module->Root();
    const TFormObject* doc = module->File().Document().Root.get();
    if (!root || !doc) continue;
    TFormNodes nodes = CollectFormNodes(*doc);
    for (int k = 0; k < root->ComponentCount(); ++k) {
      TComponent* c = root->Components(k);
      if (dynamic_cast<TDataSet*>(c)) {
        TDataSetBefore d{file, root, TComponentRef<TComponent>(c), c->Name(), c->ClassName(), {}, {}, "", ""};
        if (auto it = nodes.Own.find(Lower(c->Name())); it != nodes.Own.end())
          for (const auto& p : it->second.Node->Properties)
            d.Properties.push_back({p->Name, ValueSummary(p->Value), FormatFormValue(p->Value, 0)});
        if (IsPublishedProp(*c, "UpdateObject"))
          if (auto* update = dynamic_cast<TComponent*>(GetObjectProp(*c, "UpdateObject"))) {
            d.UpdateObject = update;
            d.UpdateName = QualifiedName(update);
            d.UpdateClass = update->ClassName();
          }
        FDataSets.push_back(std::move(d));
      }
      if (auto* source = dynamic_cast<TDataSource*>(c))
        FSources.push_back({file, TComponentRef<TComponent>(c), TComponentRef<TComponent>(source->DataSet())});
      if (auto* field = dynamic_cast<TField*>(c); field && field->IsLookup())
        FLookups.push_back({file, TComponentRef<TComponent>(c), TComponentRef<TComponent>(field->LookupDataSet())});
    }
  }
}

TMigrationAudit::~TMigrationAudit() = default;

void TMigrationAudit::Compare(TApplicationMigrationReport& report) const {
  for (const auto& d : FDataSets) {
    TComponent* now = d.Root->FindComponent(d.Name);
    TComponent* before = d.Component.Get();
    if (!now || now == before) continue;
    TFileMigration& file = report.Files[d.File];
    TConvertedDataSet c{QualifiedName(now), d.Class, now->ClassName(), before ? QualifiedName(before) : "", {}, {}};
    if (auto* made = dynamic_cast<TDataSet*>(now))
      for (int i = 0; i < made->FieldCount(); ++i) c.MovedFields.push_back(made->Fields()[i]->Name());
    file.Converted.push_back(c);
    // Properties the source had that the new dataset does not.
    // A property counts as carried when the new dataset has it with the
    // same value, or has what it became (CommandText the SQL).
    std::map<std::string, TFormValue> has;
    for (const auto& [name, value] : StoredProperties(*now)) has.emplace(Lower(name), value);
    for (const auto& p : d.Properties) {
      if (SameText(p.Name, "Left") || SameText(p.Name, "Top")) continue;
      if (const char* as = CarriedAs(p.Name); as && has.count(Lower(as))) continue;
      if (SameText(p.Name, "CommandType") && (p.Summary == "ctQuery" || p.Summary == "cmdText")) continue;
      std::string note = NoteFor(p.Name, report.Database);
      if (auto it = has.find(Lower(p.Name)); it != has.end()) {
        if (FormatFormValue(it->second, 0) == p.Text) continue;
        note += " (the new dataset has " + ValueSummary(it->second) + " of its own)";
      }
      file.LeftBehind.push_back({d.Root->Name() + "." + d.Name, p.Name, p.Summary, note});
    }
    // Its update object.
    if (!d.UpdateName.empty()) {
      TUpdateObjectFate fate{QualifiedName(now), d.UpdateName, d.UpdateClass, "", ""};
      TComponent* made = IsPublishedProp(*now, "UpdateObject")
                             ? dynamic_cast<TComponent*>(GetObjectProp(*now, "UpdateObject"))
                             : nullptr;
      if (made) {
        fate.NewName = QualifiedName(made);
        fate.Action = fate.NewName == d.UpdateName ? "carried" : "copied";
      } else {
        fate.Action = d.UpdateObject.Get() ? "kept" : "deleted";
      }
      file.UpdateObjects.push_back(fate);
    }
  }
  auto links = [&](const std::vector<TLinkBefore>& list, bool lookup) {
    for (const auto& link : list) {
      TComponent* holder = link.Holder.Get();
      if (!holder) continue;
      TComponent* now = lookup ? static_cast<TField*>(holder)->LookupDataSet()
                               : static_cast<TDataSource*>(holder)->DataSet();
      if (now == link.Target.Get()) continue;
      auto& out = lookup ? report.Files[link.File].LookupFields : report.Files[link.File].DataSources;
      out.push_back({QualifiedName(holder), QualifiedName(now)});
    }
  };
  links(FSources, false);
  links(FLookups, true);
}
