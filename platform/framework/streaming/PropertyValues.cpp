#include "streaming/PropertyValues.h"

#include "classes/TCollection.h"
#include "classes/TComponent.h"
#include "classes/TStrings.h"
#include "rtl/TextCompare.h"
#include "streaming/FormEncoding.h"

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

std::string LowerName(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return r;
}

bool ConvertFormValue(const TTypeInfo& t, const TFormValue& v, TValue& out, std::string* badItem) {
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
      if (e < 0 || e >= 64) {
        if (badItem) *badItem = item;
        return false;
      }
      bits |= int64_t{1} << e;
    }
    out = bits;
    return true;
  }
  default:
    return false;
  }
}

void SetDesignPosition(TComponent& c, bool left, int64_t value) {
  auto info = static_cast<uint32_t>(c.DesignInfo());
  auto half = static_cast<uint32_t>(value) & 0xFFFFu;
  info = left ? (info & 0xFFFF0000u) | half : (info & 0xFFFFu) | (half << 16);
  c.SetDesignInfo(static_cast<int32_t>(info));
}

std::string ReferencePath(const TComponent* target, const TComponent* lookupRoot) {
  if (!target) return "";
  const TComponent* owner = target->Owner();
  if (!owner || owner == lookupRoot) return target->Name();
  return owner->Name() + "." + target->Name();
}

namespace {

TFormValue CollectionValue(const TCollection& coll, const TComponent* lookupRoot) {
  TFormValue v;
  v.Kind = TFormValueKind::Collection;
  for (int i = 0; i < coll.Count(); ++i) {
    TCollectionItem* item = coll.Items(i);
    TFormItem fi;
    for (const TPropInfo* ip : item->ClassType().Properties())
      if (auto nv = StoredValue(*item, *ip, lookupRoot)) fi.Properties.push_back({nv->Name, std::move(nv->Value)});
    v.CollectionItems.push_back(std::move(fi));
  }
  return v;
}

std::optional<TNamedValue> OrdinalValue(const TPropInfo& p, const TTypeInfo& t, int64_t i) {
  if (p.Default && *p.Default == i) return std::nullopt;
  if (t.Kind == TTypeKind::tkEnumeration) {
    if (IsBooleanType(t)) return TNamedValue{p.Name, TFormValue::MakeBool(i != 0)};
    return TNamedValue{p.Name, TFormValue::MakeIdent(GetEnumName(t, i))};
  }
  if (t.Kind == TTypeKind::tkSet) {
    TFormValue v;
    v.Kind = TFormValueKind::Set;
    for (int b = 0; b < 64; ++b)
      if (static_cast<uint64_t>(i) & (uint64_t{1} << b))
        v.SetItems.push_back(t.CompType ? GetEnumName(*t.CompType, b) : std::to_string(b));
    return TNamedValue{p.Name, std::move(v)};
  }
  if (t.Kind == TTypeKind::tkChar) {
    std::string s;
    AppendUtf8(s, static_cast<uint32_t>(i));
    return TNamedValue{p.Name, TFormValue::MakeString(s)};
  }
  return TNamedValue{p.Name, TFormValue::MakeInteger(i)};
}

std::optional<TNamedValue> ObjectValue(const TPropInfo& p, TObject* o, const TComponent* lookupRoot) {
  if (!o) return std::nullopt;
  if (auto* c = dynamic_cast<TComponent*>(o)) return TNamedValue{p.Name, TFormValue::MakeIdent(ReferencePath(c, lookupRoot))};
  if (auto* list = dynamic_cast<TStrings*>(o)) {
    if (list->Count() == 0) return std::nullopt;
    TFormValue v;
    v.Kind = TFormValueKind::List;
    for (int i = 0; i < list->Count(); ++i) v.Items.push_back(TFormValue::MakeString(list->Get(i)));
    return TNamedValue{p.Name + ".Strings", std::move(v)};
  }
  if (auto* coll = dynamic_cast<TCollection*>(o)) return TNamedValue{p.Name, CollectionValue(*coll, lookupRoot)};
  return std::nullopt;
}

} // namespace

std::optional<TNamedValue> StoredValue(const TObject& obj, const TPropInfo& p, const TComponent* lookupRoot) {
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
    return i ? OrdinalValue(p, t, *i) : std::nullopt;
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
    return o ? ObjectValue(p, *o, lookupRoot) : std::nullopt;
  }
  default:
    return std::nullopt;
  }
}

TPersistent* SubObject(const TObject& object, const TPropInfo& prop) {
  if (prop.Kind() != TTypeKind::tkClass || !prop.Getter) return nullptr;
  TObject* value = nullptr;
  try {
    value = PropValue::From<TObject*>(prop.Getter(object));
  } catch (const std::exception&) {
    return nullptr;
  }
  auto* sub = dynamic_cast<TPersistent*>(value);
  if (!sub || dynamic_cast<TComponent*>(sub) || dynamic_cast<TStrings*>(sub) || dynamic_cast<TCollection*>(sub))
    return nullptr;
  return sub;
}

std::optional<TPropertyPath> ResolvePropertyPath(const TObject& object, std::string_view name) {
  size_t dot = name.find('.');
  if (dot == std::string_view::npos) return std::nullopt;
  const TPropInfo* head = object.ClassType().FindProperty(name.substr(0, dot));
  TPersistent* sub = head ? SubObject(object, *head) : nullptr;
  if (!sub) return std::nullopt;
  std::string_view rest = name.substr(dot + 1);
  std::optional<TPropertyPath> path;
  if (rest.find('.') != std::string_view::npos) {
    path = ResolvePropertyPath(*sub, rest);
  } else if (const TPropInfo* leaf = sub->ClassType().FindProperty(rest)) {
    path = TPropertyPath{sub, leaf, leaf->Name};
  }
  if (path) path->Name = head->Name + "." + path->Name;
  return path;
}

std::vector<TPropertyPath> SubProperties(const TObject& object, const TPropInfo& prop) {
  std::vector<TPropertyPath> result;
  TPersistent* sub = SubObject(object, prop);
  if (!sub) return result;
  for (const TPropInfo* p : sub->ClassType().Properties()) {
    std::vector<TPropertyPath> nested = SubProperties(*sub, *p);
    if (nested.empty() && !SubObject(*sub, *p)) result.push_back({sub, p, prop.Name + "." + p->Name});
    for (TPropertyPath& n : nested) {
      n.Name = prop.Name + "." + n.Name;
      result.push_back(std::move(n));
    }
  }
  return result;
}

std::optional<TNamedValue> StoredValue(const TPropertyPath& path, const TComponent* lookupRoot) {
  auto nv = StoredValue(*path.Object, *path.Prop, lookupRoot);
  // The leaf's own name may grow (".Strings"); the path before it stays.
  if (nv) nv->Name = path.Name.substr(0, path.Name.size() - path.Prop->Name.size()) + nv->Name;
  return nv;
}

std::optional<TNamedValue> DesignValue(const TComponent& c, bool left) {
  auto info = static_cast<uint32_t>(c.DesignInfo());
  int64_t v = left ? (info & 0xFFFF) : (info >> 16);
  if (v == 0) return std::nullopt;
  return TNamedValue{left ? "Left" : "Top", TFormValue::MakeInteger(v)};
}

void AdaptStrings(TFormValue& v, bool codePageFile, const std::string& codePage) {
  if (v.Kind == TFormValueKind::String) {
    if (codePageFile && v.StringForm == TFormStringForm::Wide) {
      std::string bytes;
      if (Utf8ToCodePage(v.Text, bytes, codePage)) {
        v.StringForm = TFormStringForm::Bytes;
        v.Bytes = std::move(bytes);
      }
    }
    return;
  }
  for (TFormValue& item : v.Items) AdaptStrings(item, codePageFile, codePage);
  for (TFormItem& item : v.CollectionItems)
    for (TFormProperty& p : item.Properties) AdaptStrings(p.Value, codePageFile, codePage);
}
