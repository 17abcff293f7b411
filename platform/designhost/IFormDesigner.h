#pragma once
// The designer of one open form or data module, as editors see it.
#include <functional>
#include <string>

class TComponent;
struct TTypeInfo;

class IFormDesigner {
public:
  virtual ~IFormDesigner() = default;
  // The form changed: the host marks it for saving.
  virtual void Modified() = 0;
  // The form's component of that name (the root itself included); none when absent.
  virtual TComponent* GetComponent(const std::string& name) = 0;
  virtual TComponent* GetRoot() = 0;
  // Hands the name of every component of the form whose class is the type's
  // class or a descendant to proc, in the form's order.
  virtual void GetComponentNames(const TTypeInfo& type, const std::function<void(const std::string&)>& proc) = 0;
  virtual std::string GetComponentName(const TComponent* component) = 0;
};
