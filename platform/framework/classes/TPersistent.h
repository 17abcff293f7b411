#pragma once
// Objects that can copy themselves from another (Assign) and carry published
// properties that form files store.
#include "classes/TClassInfo.h"

#include <string>

class TPersistent : public TObject {
  QUELM_CLASS(TPersistent, TObject)

public:
  TPersistent() = default;

  // Copies from source; a class that does not know the source's class asks
  // the source to AssignTo it, and raises EConvertError when neither knows.
  virtual void Assign(const TPersistent* source);
  virtual std::string GetNamePath() const;
  virtual TPersistent* GetOwner() const { return nullptr; }

protected:
  virtual void AssignTo(TPersistent* dest) const;
};
