#pragma once
// Checks that an action raises an exception of a given class with a given
// message. Unlike a try/catch around the action, the check fails when nothing
// is raised, and when something of another class is:
//   EXPECT_TRUE(Raises<EListError>([&] { list.Get(5); }, "List index out of bounds (5)"));
#include <gtest/gtest.h>

#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <typeinfo>

namespace TestSupport {

// The message of the E the action raised; nullopt when it raised nothing.
// Anything else it raises passes through and fails the test.
template <class E>
std::optional<std::string> MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const E& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

template <class E>
::testing::AssertionResult Raises(const std::function<void()>& action, const std::string& message) {
  try {
    action();
  } catch (const E& e) {
    if (message == e.what()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "raised \"" << e.what() << "\", expected \"" << message << "\"";
  } catch (const std::exception& e) {
    return ::testing::AssertionFailure() << "raised " << typeid(e).name() << " \"" << e.what() << "\", expected "
                                         << typeid(E).name() << " \"" << message << "\"";
  }
  return ::testing::AssertionFailure() << "raised nothing, expected " << typeid(E).name() << " \"" << message
                                       << "\"";
}

// The message of the E the action raised, or "(nothing raised)": for tables
// of expected messages.
template <class E>
std::string ErrorOf(const std::function<void()>& action) {
  return MessageOf<E>(action).value_or("(nothing raised)");
}

} // namespace TestSupport
