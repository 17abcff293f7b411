#include "FormSession.h"

#include "classes/TClassRegistry.h"
#include "designhost/DesignRegistry.h"
#include "rtl/Exceptions.h"
#include "streaming/TFormFile.h"

#include <fstream>
#include <sstream>

TFormSession::TFormSession(const std::vector<std::string>& files)
    : FSession(TClassRegistry::Global(), TDesignRegistry::Instance()) {
  std::vector<TDesignModule*> opened = FSession.Open(files);
  if (opened.empty()) throw Exception("no form file given");
  FMain = opened.front();
}
