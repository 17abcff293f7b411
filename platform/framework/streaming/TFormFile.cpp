#include "streaming/TFormFile.h"

#include "classes/TClassRegistry.h"
#include "classes/TCollection.h"
#include "classes/TComponentRef.h"
#include "classes/TStrings.h"
#include "classes/TypInfo.h"
#include "db/TDataSet.h"
#include "db/TField.h"
#include "rtl/TextCompare.h"
#include "streaming/BinaryForm.h"
#include "streaming/FormEncoding.h"
#include "streaming/FormError.h"
#include "streaming/FormParser.h"
#include "streaming/TGenericComponent.h"
#include "streaming/TextFormWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <unistd.h>

namespace {

// What a property node of the file was bound to.
enum class TPropKind { Published, Strings, Left, Top };

struct TPropBinding {
  TFormProperty* Node;
  TPropKind Kind;
  const TPropInfo* Prop;  // Published and Strings: the published property
  std::string Key;        // lower-case key into the baseline
};

struct TObjectBinding {
  TFormObject* Node = nullptr;
  TComponentRef<TComponent> Component;
  TFormObject* ParentNode = nullptr;
  TComponentRef<TComponent> LookupRoot;  // the root, or the inline frame the object sits in
  std::vector<TPropBinding> Props;
  std::map<std::string, std::string> Baseline;
  // A component made after loading: its ordinal properties without a
  // declared default are written whatever their value, as the host does.
  bool New = false;
};

struct TFixup {
  size_t Object;
  TFormProperty* Node;
  const TPropInfo* Prop;
};

std::string Lower(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return r;
}

const char* const NoValue = "\x01";
constexpr int LeftOrder = 1 << 20;

bool IsBooleanType(const TTypeInfo& t) { return t.Kind == TTypeKind::tkEnumeration && SameText(t.Name, "Boolean"); }

bool IsOrdinalKind(TTypeKind k) {
  return k == TTypeKind::tkInteger || k == TTypeKind::tkInt64 || k == TTypeKind::tkEnumeration || k == TTypeKind::tkSet ||
         k == TTypeKind::tkChar;
}

bool HasDesignPosition(const TComponent& c) { return !c.ClassType().FindProperty("Left"); }

std::string ShortClassName(const std::string& name) {
  size_t slash = name.find('/');
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

// A property value from the file, as the published property's type takes it.
bool ConvertScalar(const TTypeInfo& t, const TFormValue& v, TValue& out) {
  switch (t.Kind) {
  case TTypeKind::tkInteger:
  case TTypeKind::tkInt64:
    if (v.Kind != TFormValueKind::Integer) return false;
    out = v.Int;
    return true;
  case TTypeKind::tkChar:
    if (v.Kind == TFormValueKind::Integer) out = v.Int;
    else if (v.Kind == TFormValueKind::String && v.Text.size() == 1) out = int64_t{static_cast<unsigned char>(v.Text[0])};
    else return false;
    return true;
  case TTypeKind::tkEnumeration:
    if (IsBooleanType(t)) {
      if (v.Kind == TFormValueKind::True) out = int64_t{1};
      else if (v.Kind == TFormValueKind::False) out = int64_t{0};
      else return false;
      return true;
    }
    if (v.Kind != TFormValueKind::Ident) return false;
    if (int e = GetEnumValue(t, v.Text); e >= 0) {
      out = int64_t{e};
      return true;
    }
    return false;
  case TTypeKind::tkFloat:
    if (v.Kind == TFormValueKind::Float) out = static_cast<double>(v.Float);
    else if (v.Kind == TFormValueKind::Integer) out = static_cast<double>(v.Int);
    else return false;
    return true;
  case TTypeKind::tkString:
    if (v.Kind != TFormValueKind::String) return false;
    out = v.Text;
    return true;
  case TTypeKind::tkSet: {
    if (v.Kind != TFormValueKind::Set || !t.CompType) return false;
    int64_t bits = 0;
    for (const std::string& item : v.SetItems) {
      int e = GetEnumValue(*t.CompType, item);
      if (e < 0 || e >= 64) return false;
      bits |= int64_t{1} << e;
    }
    out = bits;
    return true;
  }
  default:
    return false;
  }
}

// The name by which a form file refers to target from lookupRoot.
std::string ReferencePath(const TComponent* target, const TComponent* lookupRoot) {
  if (!target) return "";
  const TComponent* owner = target->Owner();
  if (!owner || owner == lookupRoot) return target->Name();
  return owner->Name() + "." + target->Name();
}

struct TNamedValue {
  std::string Name;
  TFormValue Value;
};

std::optional<TNamedValue> ValueOf(const TObject& obj, const TPropInfo& p, const TComponent* lookupRoot);

TFormValue CollectionValue(const TCollection& coll, const TComponent* lookupRoot) {
  TFormValue v;
  v.Kind = TFormValueKind::Collection;
  for (int i = 0; i < coll.Count(); ++i) {
    TCollectionItem* item = coll.Items(i);
    TFormItem fi;
    for (const TPropInfo* ip : item->ClassType().Properties())
      if (auto nv = ValueOf(*item, *ip, lookupRoot)) fi.Properties.push_back({nv->Name, std::move(nv->Value)});
    v.CollectionItems.push_back(std::move(fi));
  }
  return v;
}

// The property as the writer would store it; none when it is not stored
// (its default, empty, or not stored by its class's rule).
std::optional<TNamedValue> ValueOf(const TObject& obj, const TPropInfo& p, const TComponent* lookupRoot) {
  if (p.Stored && !p.Stored(obj)) return std::nullopt;
  if (!p.Getter || !p.PropType) return std::nullopt;
  TValue tv;
  try {
    tv = p.Getter(obj);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  const TTypeInfo& t = *p.PropType;
  switch (t.Kind) {
  case TTypeKind::tkInteger:
  case TTypeKind::tkInt64:
  case TTypeKind::tkEnumeration:
  case TTypeKind::tkSet:
  case TTypeKind::tkChar: {
    const int64_t* i = std::get_if<int64_t>(&tv);
    if (!i || (p.Default && *p.Default == *i)) return std::nullopt;
    if (t.Kind == TTypeKind::tkEnumeration) {
      if (IsBooleanType(t)) return TNamedValue{p.Name, TFormValue::MakeBool(*i != 0)};
      return TNamedValue{p.Name, TFormValue::MakeIdent(GetEnumName(t, *i))};
    }
    if (t.Kind == TTypeKind::tkSet) {
      TFormValue v;
      v.Kind = TFormValueKind::Set;
      for (int b = 0; b < 64; ++b)
        if (static_cast<uint64_t>(*i) & (uint64_t{1} << b))
          v.SetItems.push_back(t.CompType ? GetEnumName(*t.CompType, b) : std::to_string(b));
      return TNamedValue{p.Name, std::move(v)};
    }
    if (t.Kind == TTypeKind::tkChar) {
      std::string s;
      AppendUtf8(s, static_cast<uint32_t>(*i));
      return TNamedValue{p.Name, TFormValue::MakeString(s)};
    }
    return TNamedValue{p.Name, TFormValue::MakeInteger(*i)};
  }
  case TTypeKind::tkFloat: {
    const double* d = std::get_if<double>(&tv);
    if (!d || *d == 0) return std::nullopt;
    TFormValue v;
    v.Kind = TFormValueKind::Float;
    v.Float = *d;
    return TNamedValue{p.Name, std::move(v)};
  }
  case TTypeKind::tkString: {
    const std::string* s = std::get_if<std::string>(&tv);
    if (!s || s->empty()) return std::nullopt;
    return TNamedValue{p.Name, TFormValue::MakeString(*s)};
  }
  case TTypeKind::tkMethod: {
    const TMethod* m = std::get_if<TMethod>(&tv);
    if (!m || m->Name.empty()) return std::nullopt;
    return TNamedValue{p.Name, TFormValue::MakeIdent(m->Name)};
  }
  case TTypeKind::tkClass: {
    TObject* const* o = std::get_if<TObject*>(&tv);
    if (!o || !*o) return std::nullopt;
    if (auto* c = dynamic_cast<TComponent*>(*o)) return TNamedValue{p.Name, TFormValue::MakeIdent(ReferencePath(c, lookupRoot))};
    if (auto* list = dynamic_cast<TStrings*>(*o)) {
      if (list->Count() == 0) return std::nullopt;
      TFormValue v;
      v.Kind = TFormValueKind::List;
      for (int i = 0; i < list->Count(); ++i) v.Items.push_back(TFormValue::MakeString(list->Get(i)));
      return TNamedValue{p.Name + ".Strings", std::move(v)};
    }
    if (auto* coll = dynamic_cast<TCollection*>(*o)) return TNamedValue{p.Name, CollectionValue(*coll, lookupRoot)};
    return std::nullopt;
  }
  default:
    return std::nullopt;
  }
}

std::optional<TNamedValue> DesignValue(const TComponent& c, bool left) {
  uint32_t info = static_cast<uint32_t>(c.DesignInfo());
  int64_t v = left ? (info & 0xFFFF) : (info >> 16);
  if (v == 0) return std::nullopt;
  return TNamedValue{left ? "Left" : "Top", TFormValue::MakeInteger(v)};
}

std::string Canonical(const std::optional<TNamedValue>& nv) {
  return nv ? nv->Name + "=" + FormatFormValue(nv->Value, 0, "\n") : NoValue;
}

// What the comparisons need of a class, worked out once per pass.
struct TClassFacts {
  std::vector<std::pair<const TPropInfo*, std::string>> Props;  // with lower-case keys, Name left out
  bool DesignPosition = false;
};

class TFactsCache {
public:
  const TClassFacts& Of(const TClassInfo& cls) {
    auto it = FFacts.find(&cls);
    if (it != FFacts.end()) return it->second;
    TClassFacts facts;
    for (const TPropInfo* p : cls.Properties())
      if (!SameText(p->Name, "Name")) facts.Props.emplace_back(p, Lower(p->Name));
    facts.DesignPosition = !cls.FindProperty("Left");
    return FFacts.emplace(&cls, std::move(facts)).first->second;
  }

private:
  std::map<const TClassInfo*, TClassFacts> FFacts;
};

std::map<std::string, std::string> CanonicalAll(const TComponent& c, const TComponent* lookupRoot, TFactsCache& cache) {
  std::map<std::string, std::string> result;
  const TClassFacts& facts = cache.Of(c.ClassType());
  for (const auto& [p, key] : facts.Props) result.emplace(key, Canonical(ValueOf(c, *p, lookupRoot)));
  if (facts.DesignPosition) {
    result["left"] = Canonical(DesignValue(c, true));
    result["top"] = Canonical(DesignValue(c, false));
  }
  return result;
}

// In a file of an 8-bit code page, new text goes in as that code page's
// bytes, as the file's own writer put it; characters it lacks become #n.
void AdaptStrings(TFormValue& v, bool codePage, const std::string& name) {
  if (v.Kind == TFormValueKind::String) {
    if (codePage && v.StringForm == TFormStringForm::Wide) {
      std::string bytes;
      if (Utf8ToCodePage(v.Text, bytes, name)) {
        v.StringForm = TFormStringForm::Bytes;
        v.Bytes = std::move(bytes);
      }
    }
    return;
  }
  for (TFormValue& item : v.Items) AdaptStrings(item, codePage, name);
  for (TFormItem& item : v.CollectionItems)
    for (TFormProperty& p : item.Properties) AdaptStrings(p.Value, codePage, name);
}

void Position(const TFormDocument& doc, size_t offset, int& line, int& column) {
  if (doc.Format == TFormFormat::Binary) {
    line = 1;
    column = static_cast<int>(offset) + 1;
    return;
  }
  auto& starts = doc.LineStarts;
  if (starts.empty()) {
    starts.push_back(doc.Encoding == TTextEncoding::Utf8Bom ? 3 : 0);
    const std::string& s = doc.Source;
    for (size_t i = starts[0]; i < s.size(); ++i)
      if (s[i] == '\n' || (s[i] == '\r' && (i + 1 >= s.size() || s[i + 1] != '\n'))) starts.push_back(i + 1);
  }
  auto it = std::upper_bound(starts.begin(), starts.end(), offset);
  size_t index = it == starts.begin() ? 0 : static_cast<size_t>(it - starts.begin()) - 1;
  line = static_cast<int>(index) + 1;
  column = static_cast<int>(offset - starts[index]) + 1;
}

std::string Where(const TFormDocument& doc, size_t offset) {
  int line, column;
  Position(doc, offset, line, column);
  return doc.FileName + ":" + std::to_string(line) + ":" + std::to_string(column);
}

[[noreturn]] void FailAt(const TFormDocument& doc, size_t offset, const std::string& message) {
  int line, column;
  Position(doc, offset, line, column);
  throw EFormError(doc.FileName, line, column, message);
}

} // namespace

struct TFormFile::TBinding {
  const TClassRegistry* Registry = nullptr;
  std::vector<std::unique_ptr<TObjectBinding>> Objects;
  std::vector<TFixup> Fixups;
};

namespace {

class TBuilder {
public:
  TBuilder(TFormDocument& doc, TFormFile::TBinding& binding, std::vector<std::string>& warnings)
      : FDoc(doc), FBinding(binding), FWarnings(warnings) {}

  std::unique_ptr<TComponent> BuildRoot() {
    TFormObject& node = *FDoc.Root;
    std::unique_ptr<TComponent> root(Create(node, nullptr));
    root->SetDesigning(true);
    FRoot = root.get();
    Bind(node, *root, nullptr, root.get());
    return root;
  }

private:
  TComponent* Create(const TFormObject& node, TComponent* owner) {
    std::string className = ShortClassName(node.ClassName);
    const TClassInfo* info = FBinding.Registry->FindClass(className);
    TComponent* made = nullptr;
    try {
      if (info && info->CanCreate() && info->InheritsFrom(TComponent::StaticClass())) made = info->CreateComponent(owner);
      else made = new TGenericComponent(GenericClassInfo(className), owner);
    } catch (const std::exception& e) {
      FailAt(FDoc, node.Offset, "cannot create " + className + ": " + std::string(e.what()));
    }
    made->SetLoading(true);
    if (!node.Name.empty()) {
      try {
        made->SetName(node.Name);
      } catch (const std::exception&) {
        bool duplicate = owner && owner->FindComponent(node.Name);
        if (!owner) delete made;
        FailAt(FDoc, node.Offset,
               duplicate ? "duplicate component name '" + node.Name + "'" : "invalid component name '" + node.Name + "'");
      }
    }
    return made;
  }

  void Bind(TFormObject& node, TComponent& comp, TFormObject* parentNode, TComponent* lookupRoot) {
    auto ob = std::make_unique<TObjectBinding>();
    ob->Node = &node;
    ob->Component = &comp;
    ob->ParentNode = parentNode;
    ob->LookupRoot = lookupRoot;
    size_t index = FBinding.Objects.size();
    FBinding.Objects.push_back(std::move(ob));
    for (auto& p : node.Properties) BindProperty(index, comp, *p, lookupRoot);
    TComponent* childOwner = node.Kind == TFormObjectKind::Inline || parentNode == nullptr ? &comp : lookupRoot;
    for (auto& child : node.Children) {
      TComponent* made = Create(*child, childOwner);
      if (auto* field = dynamic_cast<TField*>(made))
        if (auto* ds = dynamic_cast<TDataSet*>(&comp)) field->SetDataSet(ds);
      Bind(*child, *made, &node, childOwner);
    }
  }

  void Warn(const TFormProperty& p, const std::string& message) { FWarnings.push_back(Where(FDoc, p.Offset) + ": " + message); }

  void BindProperty(size_t index, TComponent& comp, TFormProperty& p, TComponent* lookupRoot) {
    TObjectBinding& ob = *FBinding.Objects[index];
    std::string_view name = p.Name;
    size_t dot = name.find('.');
    try {
      if (dot != std::string_view::npos) {
        // X.Strings: the lines of a string-list property. Other dotted paths
        // (properties of nested objects) stay as read.
        if (!SameText(name.substr(dot + 1), "Strings")) return;
        const TPropInfo* info = comp.ClassType().FindProperty(name.substr(0, dot));
        if (!info || info->Kind() != TTypeKind::tkClass || p.Value.Kind != TFormValueKind::List) return;
        auto* list = dynamic_cast<TStrings*>(PropValue::From<TObject*>(info->Getter(comp)));
        if (!list) return;
        for (const TFormValue& item : p.Value.Items)
          if (item.Kind != TFormValueKind::String) return;
        {
          TUpdateGuard guard(*list);
          list->Clear();
          for (const TFormValue& item : p.Value.Items) list->Add(item.Text);
        }
        ob.Props.push_back({&p, TPropKind::Strings, info, Lower(info->Name)});
        return;
      }
      if (SameText(name, "Name")) return;
      const TPropInfo* info = comp.ClassType().FindProperty(name);
      if (!info) {
        bool left = SameText(name, "Left"), top = SameText(name, "Top");
        if ((left || top) && p.Value.Kind == TFormValueKind::Integer) {
          uint32_t di = static_cast<uint32_t>(comp.DesignInfo());
          uint32_t half = static_cast<uint32_t>(p.Value.Int) & 0xFFFF;
          di = left ? (di & 0xFFFF0000u) | half : (di & 0xFFFFu) | (half << 16);
          comp.SetDesignInfo(static_cast<int32_t>(di));
          ob.Props.push_back({&p, left ? TPropKind::Left : TPropKind::Top, nullptr, left ? "left" : "top"});
        }
        return;
      }
      TValue value;
      switch (info->Kind()) {
      case TTypeKind::tkClass: {
        if (p.Value.Kind == TFormValueKind::Ident) {
          const TClassInfo* target = info->PropType->ClassType;
          if (target && target->InheritsFrom(TComponent::StaticClass())) FBinding.Fixups.push_back({index, &p, info});
          return;
        }
        if (p.Value.Kind == TFormValueKind::Nil) {
          if (!info->IsWritable()) return;
          SetPropValue(comp, *info, TValue(static_cast<TObject*>(nullptr)));
          break;
        }
        if (p.Value.Kind == TFormValueKind::Collection) {
          auto* coll = dynamic_cast<TCollection*>(PropValue::From<TObject*>(info->Getter(comp)));
          if (!coll || !FillCollection(*coll, p.Value)) return;
          break;
        }
        return;
      }
      case TTypeKind::tkMethod: {
        TMethod method;
        if (p.Value.Kind == TFormValueKind::Ident) {
          method.Name = p.Value.Text;
          method.Data = FRoot;
          method.Code = FRoot->ClassType().FindMethod(method.Name);
        } else if (p.Value.Kind != TFormValueKind::Nil) {
          return;
        }
        SetPropValue(comp, *info, TValue(method));
        break;
      }
      default:
        if (!info->IsWritable() || !ConvertScalar(*info->PropType, p.Value, value)) return;
        SetPropValue(comp, *info, value);
        break;
      }
      ob.Props.push_back({&p, TPropKind::Published, info, Lower(info->Name)});
    } catch (const std::exception& e) {
      Warn(p, "cannot set " + p.Name + ": " + std::string(e.what()));
    }
  }

  // Items whose every property is known; otherwise the collection stays empty
  // and the property as read.
  bool FillCollection(TCollection& coll, const TFormValue& v) {
    coll.Clear();
    for (const TFormItem& item : v.CollectionItems) {
      TCollectionItem* made = coll.Add();
      for (const TFormProperty& ip : item.Properties) {
        const TPropInfo* info = made->ClassType().FindProperty(ip.Name);
        TValue value;
        if (!info || !info->IsWritable() || !ConvertScalar(*info->PropType, ip.Value, value)) {
          coll.Clear();
          return false;
        }
        SetPropValue(*made, *info, value);
      }
    }
    return true;
  }

  TFormDocument& FDoc;
  TFormFile::TBinding& FBinding;
  std::vector<std::string>& FWarnings;
  TComponent* FRoot = nullptr;
};

TComponent* FindPath(TComponent* start, const std::vector<std::string_view>& parts, size_t from) {
  TComponent* c = start;
  for (size_t i = from; c && i < parts.size(); ++i) c = c->FindComponent(std::string(parts[i]));
  return c;
}

TComponent* ResolveReference(const std::string& ref, TComponent* lookupRoot, TComponent* root,
                             const std::vector<TComponent*>& others) {
  std::vector<std::string_view> parts;
  std::string_view rest = ref;
  for (size_t dot; (dot = rest.find('.')) != std::string_view::npos; rest = rest.substr(dot + 1)) parts.push_back(rest.substr(0, dot));
  parts.push_back(rest);
  if (parts.size() == 1 && SameText(ref, "Owner")) return lookupRoot;
  for (TComponent* start : {lookupRoot, root})
    if (TComponent* found = FindPath(start, parts, 0)) return found;
  if (SameText(parts[0], root->Name())) return parts.size() == 1 ? root : FindPath(root, parts, 1);
  for (TComponent* other : others)
    if (other && other != root && SameText(parts[0], other->Name())) return parts.size() == 1 ? other : FindPath(other, parts, 1);
  return nullptr;
}

} // namespace

TFormFile::TFormFile() : FBinding(std::make_unique<TBinding>()) {}

TFormFile::~TFormFile() {
  // The components go before the document their bindings point into.
  FRoot.reset();
}

std::unique_ptr<TFormFile> TFormFile::Load(std::string bytes, std::string fileName, const TClassRegistry& registry,
                                           const std::string& codePage) {
  if (!IsKnownCodePage(codePage)) throw EConvertError("unknown code page '" + codePage + "'");
  std::unique_ptr<TFormFile> file(new TFormFile());
  file->FFileName = fileName;
  file->FDoc = IsBinaryForm(bytes) ? ParseFormBinary(std::move(bytes), std::move(fileName), codePage)
                                   : ParseFormText(std::move(bytes), std::move(fileName), codePage);
  file->FBinding->Registry = &registry;
  TBuilder builder(*file->FDoc, *file->FBinding, file->FWarnings);
  file->FRoot = builder.BuildRoot();
  return file;
}

std::unique_ptr<TFormFile> TFormFile::LoadFromFile(const std::string& path, const TClassRegistry& registry,
                                                   const std::string& codePage) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EInOutError("cannot open '" + path + "': " + std::strerror(errno));
  std::stringstream buffer;
  buffer << in.rdbuf();
  return Load(buffer.str(), path, registry, codePage);
}

void TFormFile::ResolveReferences(const std::vector<TComponent*>& otherRoots) {
  for (const TFixup& fx : FBinding->Fixups) {
    TObjectBinding& ob = *FBinding->Objects[fx.Object];
    TComponent* comp = ob.Component.Get();
    if (!comp) continue;
    const std::string& ref = fx.Node->Value.Text;
    TComponent* target = ResolveReference(ref, ob.LookupRoot.Get(), FRoot.get(), otherRoots);
    auto where = [&] { return Where(*FDoc, fx.Node->Offset); };
    if (!target) {
      FWarnings.push_back(where() + ": unresolved reference '" + ref + "'");
      continue;
    }
    const TClassInfo* wanted = fx.Prop->PropType->ClassType;
    // A component of a class the host knows by name only may well be of
    // the wanted kind: its reference is taken on trust and kept as read.
    if (wanted && !target->InheritsFrom(*wanted) && target->ClassType().IsStandIn()) continue;
    if (wanted && !target->InheritsFrom(*wanted)) {
      FWarnings.push_back(where() + ": '" + ref + "' is a " + target->ClassName() + ", not a " + wanted->ClassName());
      continue;
    }
    try {
      SetPropValue(*comp, *fx.Prop, TValue(static_cast<TObject*>(target)));
      ob.Props.push_back({fx.Node, TPropKind::Published, fx.Prop, Lower(fx.Prop->Name)});
    } catch (const std::exception& e) {
      FWarnings.push_back(where() + ": cannot set " + fx.Node->Name + ": " + std::string(e.what()));
    }
  }
  FBinding->Fixups.clear();
  // Bound properties in file order, so saving walks them as they stand.
  for (auto& ob : FBinding->Objects) {
    std::map<const TFormProperty*, size_t> order;
    for (size_t i = 0; i < ob->Node->Properties.size(); ++i) order[ob->Node->Properties[i].get()] = i;
    std::stable_sort(ob->Props.begin(), ob->Props.end(),
                     [&](const TPropBinding& a, const TPropBinding& b) { return order[a.Node] < order[b.Node]; });
  }
}

void TFormFile::ForgetReferencesInto(const TComponent* otherRoot) {
  auto rootOf = [](const TComponent* c) {
    while (c && c->Owner()) c = c->Owner();
    return c;
  };
  for (auto& ob : FBinding->Objects) {
    TComponent* comp = ob->Component.Get();
    if (!comp) continue;
    auto& props = ob->Props;
    props.erase(std::remove_if(props.begin(), props.end(),
                               [&](const TPropBinding& pb) {
                                 if (pb.Kind != TPropKind::Published || pb.Prop->Kind() != TTypeKind::tkClass) return false;
                                 TObject* value = nullptr;
                                 try {
                                   value = PropValue::From<TObject*>(pb.Prop->Getter(*comp));
                                 } catch (const std::exception&) {
                                   return false;
                                 }
                                 auto* target = dynamic_cast<TComponent*>(value);
                                 return target && rootOf(target) == otherRoot && otherRoot != FRoot.get() &&
                                        pb.Node->HasRaw();
                               }),
                props.end());
  }
}

void TFormFile::ReplaceComponent(TComponent* from, TComponent* to) {
  for (auto& ob : FBinding->Objects) {
    if (ob->Component.Get() != from) continue;
    ob->Component = to;
    ob->Props.clear();
    ob->Baseline.clear();
    try {
      if (to->ClassType().CanCreate()) {
        std::unique_ptr<TComponent> fresh(to->ClassType().CreateComponent(nullptr));
        TFactsCache cache;
        ob->Baseline = CanonicalAll(*fresh, ob->LookupRoot.Get(), cache);
      }
    } catch (const std::exception&) {
    }
    return;
  }
}

void TFormFile::FinishLoading() {
  for (auto& ob : FBinding->Objects) {
    TComponent* comp = ob->Component.Get();
    if (!comp) continue;
    try {
      comp->Loaded();
    } catch (const std::exception& e) {
      FWarnings.push_back(Where(*FDoc, ob->Node->Offset) + ": " + comp->Name() + ": " + std::string(e.what()));
    }
    comp->SetLoading(false);
  }
  TFactsCache cache;
  for (auto& ob : FBinding->Objects)
    if (TComponent* comp = ob->Component.Get()) ob->Baseline = CanonicalAll(*comp, ob->LookupRoot.Get(), cache);
}

namespace {

class TSyncer {
public:
  TSyncer(TFormDocument& doc, TFormFile::TBinding& binding, TComponent* root)
      : FDoc(doc), FBinding(binding), FRoot(root), FCodePage(doc.Encoding == TTextEncoding::CodePage) {}

  void Run() {
    for (auto& ob : FBinding.Objects) {
      FByNode[ob->Node] = ob.get();
      if (TComponent* c = ob->Component.Get()) FByComponent[c] = ob.get();
    }
    for (auto& ob : FBinding.Objects)
      if (ob->Component.Get()) SyncObject(*ob);
    Detach(*FDoc.Root);
    Rebuild(*FRoot, *FDoc.Root, FRoot);
    // Nodes of components that are gone leave with their bindings.
    std::set<const TFormObject*> dead;
    for (auto& [node, owned] : FPool) dead.insert(node);
    auto& objects = FBinding.Objects;
    objects.erase(std::remove_if(objects.begin(), objects.end(),
                                 [&](const std::unique_ptr<TObjectBinding>& ob) { return dead.count(ob->Node) > 0; }),
                  objects.end());
    FPool.clear();
  }

private:
  std::optional<TNamedValue> CurrentValue(const TComponent& c, const TPropBinding& pb, const TComponent* lookupRoot) {
    std::optional<TNamedValue> nv;
    switch (pb.Kind) {
    case TPropKind::Left: nv = DesignValue(c, true); break;
    case TPropKind::Top: nv = DesignValue(c, false); break;
    default: nv = ValueOf(c, *pb.Prop, lookupRoot); break;
    }
    if (nv) AdaptStrings(nv->Value, FCodePage, FDoc.CodePage);
    return nv;
  }

  // The place of a property in the order the class declares them.
  int OrderOf(const TComponent& c, std::string_view name) {
    std::string first(name.substr(0, name.find('.')));
    if (SameText(first, "Left") && HasDesignPosition(c)) return LeftOrder;
    if (SameText(first, "Top") && HasDesignPosition(c)) return LeftOrder + 1;
    auto cached = FProperties.find(&c.ClassType());
    if (cached == FProperties.end()) cached = FProperties.emplace(&c.ClassType(), c.ClassType().Properties()).first;
    const auto& props = cached->second;
    for (size_t i = 0; i < props.size(); ++i)
      if (SameText(props[i]->Name, first)) return static_cast<int>(i);
    return -1;
  }

  void SyncObject(TObjectBinding& ob) {
    TComponent& c = *ob.Component.Get();
    TFormObject& node = *ob.Node;
    if (node.Name != c.Name() || !SameText(ShortClassName(node.ClassName), c.ClassName())) {
      node.Name = c.Name();
      if (!SameText(ShortClassName(node.ClassName), c.ClassName())) node.ClassName = c.ClassName();
      node.HeaderBegin = node.HeaderEnd = NoSpan;
    }
    const TComponent* lookupRoot = ob.LookupRoot.Get();
    std::map<std::string, std::string> current = CanonicalAll(c, lookupRoot, FFacts);
    auto baseline = [&](const std::string& key) {
      auto it = ob.Baseline.find(key);
      return it == ob.Baseline.end() ? std::string(NoValue) : it->second;
    };
    std::set<std::string> handled;
    for (size_t i = 0; i < ob.Props.size();) {
      TPropBinding& pb = ob.Props[i];
      handled.insert(pb.Key);
      if (current[pb.Key] == baseline(pb.Key)) {
        ++i;
        continue;
      }
      auto nv = CurrentValue(c, pb, lookupRoot);
      if (!nv) {
        auto& props = node.Properties;
        props.erase(std::remove_if(props.begin(), props.end(),
                                   [&](const std::unique_ptr<TFormProperty>& p) { return p.get() == pb.Node; }),
                    props.end());
        ob.Props.erase(ob.Props.begin() + static_cast<long>(i));
        continue;
      }
      pb.Node->Name = nv->Name;
      pb.Node->Value = std::move(nv->Value);
      pb.Node->DropRaw();
      ++i;
    }
    for (const auto& p : node.Properties) handled.insert(Lower(std::string_view(p->Name).substr(0, p->Name.find('.'))));
    // Properties that were not in the file and now differ from what the file implied.
    std::vector<TPropBinding> added;
    auto consider = [&](const std::string& key, TPropKind kind, const TPropInfo* info) {
      if (handled.count(key)) return;
      bool always = ob.New && info && !info->Default && IsOrdinalKind(info->Kind());
      if (!always && current[key] == baseline(key)) return;
      TPropBinding pb{nullptr, kind, info, key};
      auto nv = CurrentValue(c, pb, lookupRoot);
      if (!nv) return;
      auto prop = std::make_unique<TFormProperty>();
      prop->Name = nv->Name;
      prop->Value = std::move(nv->Value);
      pb.Node = prop.get();
      int mine = OrderOf(c, prop->Name);
      size_t at = 0;
      for (size_t i = 0; i < node.Properties.size(); ++i) {
        int order = OrderOf(c, node.Properties[i]->Name);
        if (order >= 0 && order < mine) at = i + 1;
      }
      node.Properties.insert(node.Properties.begin() + static_cast<long>(at), std::move(prop));
      added.push_back(pb);
    };
    for (const TPropInfo* p : c.ClassType().Properties())
      if (!SameText(p->Name, "Name")) consider(Lower(p->Name), TPropKind::Published, p);
    if (HasDesignPosition(c)) {
      consider("left", TPropKind::Left, nullptr);
      consider("top", TPropKind::Top, nullptr);
    }
    for (auto& pb : added) ob.Props.push_back(pb);
  }

  void Detach(TFormObject& node) {
    std::vector<TFormObject*> order;
    for (auto& child : node.Children) {
      order.push_back(child.get());
      Detach(*child);
      FPool[child.get()] = std::move(child);
    }
    node.Children.clear();
    FOrder[&node] = std::move(order);
  }

  TComponent* ParentOf(TComponent* c) {
    if (auto* field = dynamic_cast<TField*>(c))
      if (field->DataSet()) return field->DataSet();
    auto it = FByComponent.find(c);
    if (it != FByComponent.end() && it->second->ParentNode) {
      auto p = FByNode.find(it->second->ParentNode);
      if (p != FByNode.end()) return p->second->Component.Get();
    }
    return c->Owner();
  }

  TFormObject* NodeFor(TComponent* c, TFormObject& parentNode, TComponent* lookupRoot) {
    auto it = FByComponent.find(c);
    if (it != FByComponent.end()) return it->second->Node;
    // A component made after loading: written as the host writes a new one,
    // with the properties that differ from a freshly made instance.
    auto node = std::make_unique<TFormObject>();
    node->Name = c->Name();
    node->ClassName = c->ClassName();
    auto ob = std::make_unique<TObjectBinding>();
    ob->Node = node.get();
    ob->Component = c;
    ob->ParentNode = &parentNode;
    ob->LookupRoot = lookupRoot;
    ob->New = true;
    try {
      if (c->ClassType().CanCreate()) {
        std::unique_ptr<TComponent> fresh(c->ClassType().CreateComponent(nullptr));
        ob->Baseline = CanonicalAll(*fresh, lookupRoot, FFacts);
      }
    } catch (const std::exception&) {
    }
    FByNode[node.get()] = ob.get();
    FByComponent[c] = ob.get();
    SyncObject(*ob);
    TFormObject* raw = node.get();
    FPool[raw] = std::move(node);
    FBinding.Objects.push_back(std::move(ob));
    return raw;
  }

  void Rebuild(TComponent& c, TFormObject& node, TComponent* lookupRoot) {
    std::vector<TFormObject*> desired;
    std::set<TComponent*> present;
    for (TFormObject* child : FOrder[&node]) {
      auto it = FByNode.find(child);
      TComponent* comp = it == FByNode.end() ? nullptr : it->second->Component.Get();
      if (!comp || ParentOf(comp) != &c) continue;
      desired.push_back(child);
      present.insert(comp);
    }
    if (auto* ds = dynamic_cast<TDataSet*>(&c)) {
      // Persistent fields stand in the dataset's field order.
      std::vector<TFormObject*> fieldNodes;
      for (int i = 0; i < ds->FieldCount(); ++i) {
        TField* f = ds->Fields().Items(i);
        if (!f->Owner()) continue;
        fieldNodes.push_back(NodeFor(f, node, f->Owner()));
        present.insert(f);
      }
      size_t next = 0;
      std::vector<TFormObject*> merged;
      for (TFormObject* child : desired) {
        TComponent* comp = FByNode[child]->Component.Get();
        auto* f = dynamic_cast<TField*>(comp);
        if (f && f->DataSet() == ds) {
          if (next < fieldNodes.size()) merged.push_back(fieldNodes[next++]);
        } else {
          merged.push_back(child);
        }
      }
      while (next < fieldNodes.size()) merged.push_back(fieldNodes[next++]);
      desired = std::move(merged);
    }
    if (&c == lookupRoot) {
      // Components made after loading, owned here and without a parent of their own.
      for (int i = 0; i < c.ComponentCount(); ++i) {
        TComponent* comp = c.Components(i);
        if (present.count(comp) || FByComponent.count(comp) || ParentOf(comp) != &c) continue;
        TFormObject* made = NodeFor(comp, node, lookupRoot);
        size_t at = 0;
        for (int k = i - 1; k >= 0; --k) {
          auto b = FByComponent.find(c.Components(k));
          if (b == FByComponent.end()) continue;
          auto pos = std::find(desired.begin(), desired.end(), b->second->Node);
          if (pos != desired.end()) {
            at = static_cast<size_t>(pos - desired.begin()) + 1;
            break;
          }
        }
        desired.insert(desired.begin() + static_cast<long>(at), made);
        present.insert(comp);
      }
    }
    for (TFormObject* child : desired) {
      auto owned = FPool.find(child);
      if (owned == FPool.end()) continue;  // placed once only
      node.Children.push_back(std::move(owned->second));
      FPool.erase(owned);
    }
    for (auto& child : node.Children) {
      TObjectBinding* ob = FByNode[child.get()];
      TComponent* comp = ob->Component.Get();
      Rebuild(*comp, *child, child->Kind == TFormObjectKind::Inline ? comp : lookupRoot);
    }
  }

  TFormDocument& FDoc;
  TFormFile::TBinding& FBinding;
  TComponent* FRoot;
  bool FCodePage;
  std::map<const TFormObject*, TObjectBinding*> FByNode;
  std::map<const TComponent*, TObjectBinding*> FByComponent;
  std::map<const TFormObject*, std::vector<TFormObject*>> FOrder;
  std::map<const TFormObject*, std::unique_ptr<TFormObject>> FPool;
  std::map<const TClassInfo*, std::vector<const TPropInfo*>> FProperties;
  TFactsCache FFacts;
};

} // namespace

std::vector<TFormFile::TTreeEntry> TFormFile::Tree() {
  Sync();
  std::map<const TFormObject*, TComponent*> byNode;
  for (auto& ob : FBinding->Objects) byNode[ob->Node] = ob->Component.Get();
  std::vector<TTreeEntry> entries;
  auto walk = [&](auto& self, const TFormObject& node, TComponent* parent, int depth) -> void {
    TComponent* comp = byNode[&node];
    if (!comp) return;
    entries.push_back({comp, parent, depth});
    for (const auto& child : node.Children) self(self, *child, comp, depth + 1);
  };
  if (FDoc->Root) walk(walk, *FDoc->Root, nullptr, 0);
  return entries;
}

std::vector<std::pair<std::string, TFormValue>> StoredProperties(const TComponent& c) {
  // What differs from a freshly made instance, as a new component is written.
  std::map<std::string, std::string> fresh;
  try {
    if (c.ClassType().CanCreate()) {
      std::unique_ptr<TComponent> made(c.ClassType().CreateComponent(nullptr));
      TFactsCache cache;
      fresh = CanonicalAll(*made, nullptr, cache);
    }
  } catch (const std::exception&) {
  }
  auto differs = [&](const std::string& key, const std::optional<TNamedValue>& nv) {
    auto it = fresh.find(key);
    return it == fresh.end() || it->second != Canonical(nv);
  };
  std::vector<std::pair<std::string, TFormValue>> result;
  const TComponent* lookupRoot = c.Owner();
  for (const TPropInfo* p : c.ClassType().Properties()) {
    if (SameText(p->Name, "Name")) continue;
    auto nv = ValueOf(c, *p, lookupRoot);
    if (nv && differs(Lower(p->Name), nv)) result.emplace_back(nv->Name, std::move(nv->Value));
  }
  if (HasDesignPosition(c))
    for (bool left : {true, false})
      if (auto nv = DesignValue(c, left)) result.emplace_back(nv->Name, std::move(nv->Value));
  return result;
}

void TFormFile::Sync() {
  if (FRoot) TSyncer(*FDoc, *FBinding, FRoot.get()).Run();
}

std::string TFormFile::SaveToString(std::optional<TFormFormat> format) {
  Sync();
  TFormFormat target = format.value_or(FDoc->Format);
  if (target == TFormFormat::Binary)
    return WriteFormBinary(*FDoc, FDoc->Format == TFormFormat::Text || FDoc->HasResourceHeader);
  return WriteFormText(*FDoc);
}

void TFormFile::SaveToFile(const std::string& path, std::optional<TFormFormat> format) {
  WriteFileAtomically(path, SaveToString(format));
  // What is on disk now is what later saves compare against.
  TFactsCache cache;
  for (auto& ob : FBinding->Objects)
    if (TComponent* comp = ob->Component.Get()) ob->Baseline = CanonicalAll(*comp, ob->LookupRoot.Get(), cache);
}

void WriteFileAtomically(const std::string& given, const std::string& bytes) {
  // A link stays a link: the file it points to is the one replaced.
  std::string path = given;
  std::error_code ec;
  if (std::filesystem::is_symlink(given, ec)) {
    auto target = std::filesystem::weakly_canonical(given, ec);
    if (!ec) path = target.string();
  }
  std::string tmpl = path + ".tmp-XXXXXX";
  std::vector<char> name(tmpl.begin(), tmpl.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) throw EInOutError("cannot write '" + given + "': " + std::strerror(errno));
  std::string tmp(name.data());
  size_t done = 0;
  bool ok = true;
  while (ok && done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
    } else {
      done += static_cast<size_t>(n);
    }
  }
  int saved = errno;
  if (ok && ::fsync(fd) != 0) {
    ok = false;
    saved = errno;
  }
  if (::close(fd) != 0 && ok) {
    ok = false;
    saved = errno;
  }
  if (ok) {
    // The new file gets the permissions of the one it replaces.
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) ::chmod(tmp.c_str(), st.st_mode & 07777);
    else ::chmod(tmp.c_str(), 0644);
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
      ok = false;
      saved = errno;
    } else {
      // The rename itself reaches the disk with the directory.
      std::string dir = std::filesystem::path(path).parent_path().string();
      int dirFd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY);
      if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
      }
    }
  }
  if (!ok) {
    std::remove(tmp.c_str());
    throw EInOutError("cannot write '" + given + "': " + std::strerror(saved));
  }
}

std::vector<std::unique_ptr<TFormFile>> LoadFormFiles(const std::vector<std::string>& paths,
                                                      const TClassRegistry& registry,
                                                      const std::vector<TComponent*>& openRoots,
                                                      const std::string& codePage) {
  std::vector<std::unique_ptr<TFormFile>> files;
  for (const std::string& path : paths) files.push_back(TFormFile::LoadFromFile(path, registry, codePage));
  std::vector<TComponent*> roots = openRoots;
  for (auto& f : files) roots.push_back(f->Root());
  for (auto& f : files) f->ResolveReferences(roots);
  for (auto& f : files) f->FinishLoading();
  return files;
}
