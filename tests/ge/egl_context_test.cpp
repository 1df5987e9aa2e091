// The EGL context: a context that cannot be had leaves the program's environment as it was, since
// another thread (the toolkit's) may read the environment at any time.
#include "ge/egl_context.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(EglContextDeathTest, ContextTheDriversCannotGiveLeavesTheEnvironmentAlone) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // Each outcome is an exit code of the child, which has no other thread when it sets its variable.
  enum Outcome { kEnvironmentKept = 0, kNoDisplay = 2, kContextCreated = 3, kEnvironmentChanged = 4 };
  EXPECT_EXIT(
      {
        // Mesa then offers OpenGL 3.0 at most, on every driver: no 3.3 core context anywhere.
        setenv("MESA_GL_VERSION_OVERRIDE", "3.0", 1);
        unsetenv("LIBGL_ALWAYS_SOFTWARE");
        ge::EglContext context;
        if (!context.OpenHeadlessDisplay()) std::_Exit(kNoDisplay);
        if (context.CreateContext()) std::_Exit(kContextCreated);
        std::_Exit(std::getenv("LIBGL_ALWAYS_SOFTWARE") == nullptr ? kEnvironmentKept : kEnvironmentChanged);
      },
      testing::ExitedWithCode(kEnvironmentKept), "");
}

}  // namespace
