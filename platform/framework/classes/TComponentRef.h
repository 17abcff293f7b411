#pragma once
// A weak reference to a component: it clears itself when the component is
// destroyed, before the component's memory goes. Component-valued properties
// hold their component through one.
#include "classes/TComponent.h"

class TComponentRefBase {
public:
  TComponentRefBase() = default;
  TComponentRefBase(const TComponentRefBase&) = delete;
  TComponentRefBase& operator=(const TComponentRefBase&) = delete;
  ~TComponentRefBase() { Attach(nullptr); }

protected:
  void Attach(TComponent* target);
  TComponent* Target() const { return FTarget; }

private:
  friend class TComponent;
  TComponent* FTarget = nullptr;
};

template <class T>
class TComponentRef : public TComponentRefBase {
public:
  TComponentRef() = default;
  explicit TComponentRef(T* target) { Attach(target); }
  TComponentRef(const TComponentRef& other) { Attach(other.Target()); }
  TComponentRef& operator=(const TComponentRef& other) {
    Attach(other.Target());
    return *this;
  }
  TComponentRef& operator=(T* target) {
    Attach(target);
    return *this;
  }

  T* Get() const { return static_cast<T*>(Target()); }
  T* operator->() const { return Get(); }
  operator T*() const { return Get(); }
  explicit operator bool() const { return Target() != nullptr; }
};
