#pragma once
// Whether this test process can load the embedded server library. It is
// loaded with RTLD_DEEPBIND (its own calls must reach its own functions, not
// the client library's of the same names), which AddressSanitizer's runtime
// refuses: in the sanitizer build the embedded backend's tests are skipped,
// and the normal build runs them.
#include <gtest/gtest.h>

namespace TestSupport {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool EmbeddedServerLoadable = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool EmbeddedServerLoadable = false;
#else
inline constexpr bool EmbeddedServerLoadable = true;
#endif
#else
inline constexpr bool EmbeddedServerLoadable = true;
#endif

} // namespace TestSupport

#define SKIP_WITHOUT_EMBEDDED_SERVER()                                                                  \
  do {                                                                                                  \
    if (!::TestSupport::EmbeddedServerLoadable)                                                         \
      GTEST_SKIP() << "the embedded server library needs RTLD_DEEPBIND, which AddressSanitizer refuses"; \
  } while (0)
