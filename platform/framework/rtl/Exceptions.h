#pragma once
// The host runtime's exception family. Every error the framework, the runtime
// library and the package raise is one of these, carrying the user-visible text.
#include <stdexcept>
#include <string>

class Exception : public std::exception {
public:
  explicit Exception(std::string message) : FMessage(std::move(message)) {}
  const char* what() const noexcept override { return FMessage.c_str(); }
  const std::string& Message() const { return FMessage; }
  // The class name as the host shows it in a message box title.
  virtual const char* ClassName() const { return "Exception"; }

private:
  std::string FMessage;
};

#define QUELM_EXCEPTION_CLASS(Name, Base)                                  \
  class Name : public Base {                                               \
  public:                                                                  \
    using Base::Base;                                                      \
    const char* ClassName() const override { return #Name; }               \
  };

// The silent abort: the host's error reporting never shows it.
class EAbort : public Exception {
public:
  EAbort() : Exception("Operation aborted") {}
  const char* ClassName() const override { return "EAbort"; }
};

QUELM_EXCEPTION_CLASS(EDatabaseError, Exception)
QUELM_EXCEPTION_CLASS(EListError, Exception)
QUELM_EXCEPTION_CLASS(EStringListError, EListError)
QUELM_EXCEPTION_CLASS(EInvalidCast, Exception)
QUELM_EXCEPTION_CLASS(EPropertyError, Exception)
QUELM_EXCEPTION_CLASS(EComponentError, Exception)
QUELM_EXCEPTION_CLASS(EAbstractError, Exception)
QUELM_EXCEPTION_CLASS(EConvertError, Exception)
QUELM_EXCEPTION_CLASS(EClassNotFound, Exception)
QUELM_EXCEPTION_CLASS(EInOutError, Exception)

// Raises the silent abort, as the host runtime's Abort does.
[[noreturn]] void Abort();

// Host message texts that more than one unit raises.
namespace HostText {
inline constexpr const char* ListIndexError = "List index out of bounds (%d)";
inline constexpr const char* InvalidCast = "Invalid class typecast";
inline constexpr const char* UnknownProperty = "Property %s does not exist";
inline constexpr const char* DuplicateName = "A component named %s already exists";
inline constexpr const char* InvalidName = "'%s' is not a valid component name";
inline constexpr const char* DuplicateString = "String list does not allow duplicates";
inline constexpr const char* SortedListError = "Operation not allowed on sorted list";
inline constexpr const char* AbstractError = "Abstract Error";
inline constexpr const char* ClassNotFound = "Class %s not found";
} // namespace HostText
