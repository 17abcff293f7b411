#include "editors/TAboutProperty.h"

#include "classes/TPersistent.h"
#include "forms/TApplication.h"
#include "rtl/TextCompare.h"
#include "runtime/TQuelmAboutComp.h"

#include <algorithm>
#include <charconv>
#include <memory>

QUELM_DEFINE_CLASS(TAboutProperty, TPropertyEditor)

namespace {
// Removes the first occurrence of what, ignoring ASCII case.
std::string RemoveFirst(const std::string& text, const std::string& what) {
  for (size_t i = 0; i + what.size() <= text.size(); ++i)
    if (SameText(std::string_view(text).substr(i, what.size()), what)) return text.substr(0, i) + text.substr(i + what.size());
  return text;
}
} // namespace

int RevisionOf(const std::string& keyword) {
  std::string number = RemoveFirst(RemoveFirst(keyword, "$Revision: "), " $");
  int value = 0;
  auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  return ec == std::errc() && ptr == number.data() + number.size() ? value : 0;
}

TPropertyAttributes TAboutProperty::GetAttributes() {
  return {TPropertyAttribute::paDialog, TPropertyAttribute::paReadOnly};
}

std::string TAboutProperty::GetValue() { return "About..."; }

void TAboutProperty::Edit() {
  std::string className = GetComponent(0)->ClassName();
  int revision = std::max(RevisionOf("$Revision: 1201 $"), RevisionOf("$Revision: 1198 $"));
  // Owned by the application and freed here, also when showing raises.
  std::unique_ptr<TQuelmAboutComp> about(new TQuelmAboutComp(&Application()));
  about->VersionLabel = "v.3.0.7 (r" + std::to_string(revision) + ")";
  about->ComponentLabel = className;
  about->ShowModal();
}
