#pragma once
// The root of every class that carries class information. Each class names its
// TClassInfo through QUELM_CLASS, so code can ask an object for its class name,
// test descent and find published properties, as the host's objects allow.
#include <string>

class TClassInfo;

class TObject {
public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static const TClassInfo& StaticClass();
  virtual const TClassInfo& ClassType() const { return StaticClass(); }

  const std::string& ClassName() const;
  bool InheritsFrom(const TClassInfo& cls) const;
};

// Declares the class information of a class derived from Base. Put it first in
// the class body; define the information with QUELM_DEFINE_CLASS in the .cpp.
#define QUELM_CLASS(Class, Base)                                           \
public:                                                                    \
  using inherited = Base;                                                  \
  static const TClassInfo& StaticClass();                                  \
  const TClassInfo& ClassType() const override { return StaticClass(); }   \
                                                                           \
private:

// Verifying conversion: the host's "as". Raises EInvalidCast for another class.
template <class T>
T& As(TObject& object);
template <class T>
T* As(TObject* object);
