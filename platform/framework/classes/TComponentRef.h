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
  // typed is the same object as target, seen as the reference's own class, so
  // that reading the reference needs no complete type.
  void Attach(TComponent* target, void* typed = nullptr);
  TComponent* Target() const { return FTarget; }
  void* TypedTarget() const { return FTypedTarget; }

private:
  friend class TComponent;
  TComponent* FTarget = nullptr;
  void* FTypedTarget = nullptr;
};

template <class T>
class TComponentRef : public TComponentRefBase {
public:
  TComponentRef() = default;
  explicit TComponentRef(T* target) { Set(target); }
  TComponentRef(const TComponentRef& other) { Attach(other.Target(), other.TypedTarget()); }
  TComponentRef& operator=(const TComponentRef& other) {
    Attach(other.Target(), other.TypedTarget());
    return *this;
  }
  TComponentRef& operator=(T* target) {
    Set(target);
    return *this;
  }

  T* Get() const { return static_cast<T*>(TypedTarget()); }
  T* operator->() const { return Get(); }
  operator T*() const { return Get(); }
  explicit operator bool() const { return Target() != nullptr; }

private:
  void Set(T* target) { Attach(target, target); }
};
