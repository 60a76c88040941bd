#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

namespace sorvane::test {

// Under CI every test the suite relies on must run: what would skip on a
// user's machine (a missing tool, display, schema or privilege) fails there.
inline bool EverythingRequired() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && *ci != '\0' && std::string_view(ci) != "false";
}

}  // namespace sorvane::test

// Skips the test for `what` (streamable) when `have` is false, or fails it
// under CI, naming what is missing.
#define SORVANE_NEEDS(have, what)                                                     \
    do {                                                                              \
        if (!(have)) {                                                                \
            if (::sorvane::test::EverythingRequired()) FAIL() << "missing: " << what; \
            GTEST_SKIP() << what;                                                     \
        }                                                                             \
    } while (0)
