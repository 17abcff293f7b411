#include "designhost/SecretProperties.h"

#include "rtl/TextCompare.h"

bool IsSecretProperty(std::string_view propertyName) {
  // Any property whose name mentions a password, in whatever case.
  constexpr std::string_view word = "password";
  for (size_t i = 0; i + word.size() <= propertyName.size(); ++i)
    if (SameText(propertyName.substr(i, word.size()), word)) return true;
  return false;
}

std::string SecretShown(bool isSet) { return isSet ? "(set)" : ""; }
