#include "classes/TPersistent.h"

#include "rtl/Format.h"

QUELM_DEFINE_CLASS(TPersistent, TObject)

void TPersistent::Assign(const TPersistent* source) {
  if (source) {
    source->AssignTo(this);
    return;
  }
  throw EConvertError(Format("Cannot assign a %s to a %s", {std::string("nil"), ClassName()}));
}

void TPersistent::AssignTo(TPersistent* dest) const {
  throw EConvertError(Format("Cannot assign a %s to a %s", {ClassName(), dest ? dest->ClassName() : std::string("nil")}));
}

std::string TPersistent::GetNamePath() const { return ClassName(); }
