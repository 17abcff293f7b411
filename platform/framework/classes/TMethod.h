#pragma once
// Method pointers: a handler (the code, found by name in the handler object's
// class) and the handler object. A handler read from a form file keeps its
// method name even when no code of that name is known here, so writing the
// file back reproduces it and moving it to another component carries it.
#include "rtl/Exceptions.h"

#include <functional>
#include <memory>
#include <string>
#include <typeindex>

class TObject;

// A published method of a class: its name and a call wrapper taking the
// handler object first.
class TMethodEntry {
public:
  template <class... Args>
  static TMethodEntry Make(std::string name, std::function<void(TObject*, Args...)> invoke) {
    TMethodEntry entry;
    entry.FName = std::move(name);
    entry.FSignature = typeid(void(Args...));
    entry.FInvoker = std::make_shared<std::function<void(TObject*, Args...)>>(std::move(invoke));
    return entry;
  }

  const std::string& Name() const { return FName; }
  std::type_index Signature() const { return FSignature; }

  template <class... Args>
  const std::function<void(TObject*, Args...)>* Invoker() const {
    if (FSignature != std::type_index(typeid(void(Args...)))) return nullptr;
    return static_cast<const std::function<void(TObject*, Args...)>*>(FInvoker.get());
  }

private:
  TMethodEntry() : FSignature(typeid(void)) {}
  std::string FName;
  std::type_index FSignature;
  std::shared_ptr<void> FInvoker;
};

struct TMethod {
  const TMethodEntry* Code = nullptr;  // none when the name is not bound to code
  TObject* Data = nullptr;             // the handler object
  std::string Name;                    // the method name, as form files store it

  bool IsAssigned() const { return Code != nullptr || !Name.empty(); }
  bool operator==(const TMethod& other) const {
    return Code == other.Code && Data == other.Data && Name == other.Name;
  }
};

// An event property's storage: a method pointer, or a closure set from C++.
template <class... Args>
class TEvent {
public:
  TEvent() = default;
  TEvent(std::function<void(Args...)> closure) : FClosure(std::move(closure)) {}

  explicit operator bool() const { return static_cast<bool>(FClosure) || FMethod.Code != nullptr; }

  // Calls the handler; a method pointer without code (a name only) does nothing.
  void operator()(Args... args) const {
    if (FClosure) {
      FClosure(args...);
      return;
    }
    if (FMethod.Code) {
      if (auto* invoke = FMethod.Code->template Invoker<Args...>()) (*invoke)(FMethod.Data, args...);
    }
  }

  const TMethod& Method() const { return FMethod; }
  void SetMethod(const TMethod& method) {
    FMethod = method;
    FClosure = nullptr;
  }
  void Clear() {
    FMethod = TMethod{};
    FClosure = nullptr;
  }

private:
  TMethod FMethod;
  std::function<void(Args...)> FClosure;
};

using TNotifyEvent = TEvent<TObject*>;
