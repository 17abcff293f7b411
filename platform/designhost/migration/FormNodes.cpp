#include "designhost/migration/FormNodes.h"

#include <cctype>

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string Shorten(std::string s) {
  constexpr size_t Max = 60;
  for (char& c : s)
    if (c == '\r' || c == '\n') c = ' ';
  if (s.size() > Max) s = s.substr(0, Max) + "...";
  return s;
}

void CollectNodes(const TFormObject& object, const TFormObject* inlineFrame, std::map<std::string, TNodeInfo>& own,
                  std::vector<TNodeInfo>& framed) {
  for (const auto& child : object.Children) {
    const TFormObject* frame = inlineFrame;
    if (inlineFrame) framed.push_back({child.get(), inlineFrame});
    else if (!child->Name.empty()) own.emplace(Lower(child->Name), TNodeInfo{child.get(), nullptr});
    if (child->Kind == TFormObjectKind::Inline && !frame) frame = child.get();
    CollectNodes(*child, frame, own, framed);
  }
}

} // namespace

std::string ValueSummary(const TFormValue& v) {
  switch (v.Kind) {
  case TFormValueKind::Integer: return std::to_string(v.Int);
  case TFormValueKind::Float: return std::to_string(static_cast<double>(v.Float));
  case TFormValueKind::String: return "'" + Shorten(v.Text) + "'";
  case TFormValueKind::Ident: return v.Text;
  case TFormValueKind::Nil: return "nil";
  case TFormValueKind::True: return "True";
  case TFormValueKind::False: return "False";
  case TFormValueKind::Set: {
    std::string s = "[";
    for (size_t i = 0; i < v.SetItems.size(); ++i) s += (i ? ", " : "") + v.SetItems[i];
    return s + "]";
  }
  case TFormValueKind::List:
    if (v.Items.size() == 1 && v.Items[0].Kind == TFormValueKind::String) return "('" + Shorten(v.Items[0].Text) + "')";
    return "(" + std::to_string(v.Items.size()) + " lines)";
  case TFormValueKind::Binary: return "{" + std::to_string(v.Bytes.size()) + " bytes}";
  case TFormValueKind::Collection: return "<" + std::to_string(v.CollectionItems.size()) + " items>";
  }
  return "";
}

TFormNodes CollectFormNodes(const TFormObject& root) {
  TFormNodes nodes;
  CollectNodes(root, nullptr, nodes.Own, nodes.Framed);
  return nodes;
}
