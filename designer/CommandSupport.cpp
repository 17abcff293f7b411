#include "CommandSupport.h"

#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "designhost/DesignTools.h"
#include "forms/TModalDriver.h"

#include <ostream>

std::vector<std::string> SplitNames(const std::string& text) {
  std::vector<std::string> names;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    std::string name = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (!name.empty()) names.push_back(name);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return names;
}

void PrintMessages(TDesignToolContext& ctx, const TModalDriver& driver) {
  for (const TMessageBoxInfo& box : driver.Messages())
    *ctx.Err << "message: " << box.Text << " [" << ModalResultName(box.Answer) << "]\n";
}

TComponent& CreateComponentByName(const std::string& className, TComponent& owner) {
  return *TClassRegistry::Global().GetClass(className).CreateComponent(&owner);
}
