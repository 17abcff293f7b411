#pragma once
// Properties that hold secrets (a database password): the design host never
// shows their values, it shows that one is set.
#include <string>
#include <string_view>

bool IsSecretProperty(std::string_view propertyName);
// What the host shows for a secret: "(set)" or "" when there is none.
std::string SecretShown(bool isSet);
