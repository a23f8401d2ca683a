#pragma once
#include <gtest/gtest.h>

#include "platform/headless/headless_backend.h"
#include "toolkit/application.h"
#include "toolkit/form.h"
#include "toolkit/random.h"

namespace frost::testing {

// A shown 200 x 150 pixel window on the headless backend, pacing off unless a test sets it.
class ToolkitTest : public ::testing::Test {
 protected:
  explicit ToolkitTest(double twipsPerPixel = 15) : backend(twipsPerPixel) {
    app.SetPacing(0);
    form.Move(0, 0, 200 * twipsPerPixel, 150 * twipsPerPixel);
    form.SetVisible(true);
  }

  HeadlessBackend backend;
  Random random{1};
  Application app{backend, random};
  Form form{app, "Form1"};
};

}  // namespace frost::testing
