#include "designhost/migration/ConnectionSettings.h"

#include "designhost/ModuleServices.h"
#include "rtl/TextCompare.h"
#include "streaming/TFormFile.h"

#include <functional>

namespace {

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

const TFormProperty* Prop(const TFormObject& object, const char* name) {
  for (const auto& p : object.Properties)
    if (SameText(p->Name, name)) return p.get();
  return nullptr;
}

std::string Text(const TFormObject& object, const char* name) {
  const TFormProperty* p = Prop(object, name);
  if (!p) return "";
  if (p->Value.Kind == TFormValueKind::Integer) return std::to_string(p->Value.Int);
  return p->Value.Text;
}

// "Key=Value" pairs, from a list of lines or one text with separators; the
// first value of each wanted key (letter case ignored) goes to its slot.
struct TKey {
  const char* Name;
  std::string* Slot;
};
void TakePairs(const std::vector<std::string>& pairs, std::initializer_list<TKey> keys) {
  for (const std::string& pair : pairs) {
    size_t eq = pair.find('=');
    if (eq == std::string::npos) continue;
    std::string key = Trim(pair.substr(0, eq));
    for (const TKey& k : keys)
      if (SameText(key, k.Name) && k.Slot->empty()) *k.Slot = Trim(pair.substr(eq + 1));
  }
}

std::vector<std::string> Lines(const TFormObject& object, const char* name) {
  std::vector<std::string> lines;
  if (const TFormProperty* p = Prop(object, name); p && p->Value.Kind == TFormValueKind::List)
    for (const TFormValue& item : p->Value.Items) lines.push_back(item.Text);
  return lines;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(separator, start);
    if (end == std::string::npos) end = text.size();
    parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

} // namespace

bool ReadConnectionSettings(const TFormObject& object, TConnectionSettings& s) {
  const std::string& cls = object.ClassName;
  s.SourceClass = cls;
  if (SameText(cls, "TZConnection")) {
    s.Host = Text(object, "HostName");
    s.Port = Text(object, "Port");
    s.Database = Text(object, "Database");
    s.User = Text(object, "User");
    if (s.Port == "0") s.Port.clear();
    return true;
  }
  if (SameText(cls, "TSQLConnection")) {
    TakePairs(Lines(object, "Params.Strings"),
              {{"HostName", &s.Host}, {"Port", &s.Port}, {"Database", &s.Database}, {"User_Name", &s.User}});
    return true;
  }
  if (SameText(cls, "TADOConnection")) {
    TakePairs(Split(Text(object, "ConnectionString"), ';'),
              {{"Server", &s.Host}, {"Data Source", &s.Host}, {"Host", &s.Host}, {"Port", &s.Port},
               {"Initial Catalog", &s.Database}, {"Database", &s.Database}, {"User ID", &s.User}, {"UID", &s.User},
               {"User", &s.User}});
    return true;
  }
  if (SameText(cls, "TDatabase")) {
    TakePairs(Lines(object, "Params.Strings"),
              {{"SERVER NAME", &s.Host}, {"HOST NAME", &s.Host}, {"PORT", &s.Port}, {"DATABASE NAME", &s.Database},
               {"DATABASE", &s.Database}, {"USER NAME", &s.User}});
    return true;
  }
  return false;
}

std::vector<TConnectionSettings> FindConnectionSettings(TModuleServices& modules) {
  std::vector<TConnectionSettings> found;
  for (int i = 0; i < modules.GetModuleCount(); ++i) {
    TModule* module = modules.GetModule(i);
    const TFormObject* root = module->File().Document().Root.get();
    if (!root) continue;
    std::function<void(const TFormObject&)> walk = [&](const TFormObject& object) {
      TConnectionSettings s;
      if (ReadConnectionSettings(object, s)) {
        s.Source = root->Name + "." + object.Name;
        found.push_back(s);
      }
      for (const auto& child : object.Children) walk(*child);
    };
    for (const auto& child : root->Children) walk(*child);
  }
  return found;
}
