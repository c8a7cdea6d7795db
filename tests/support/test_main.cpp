#include "app/application.h"

#include <gtest/gtest.h>

// Every test program gets the program's application object, so widgets,
// fonts and collation work and errors escaping event handlers are handled
// as in the program; CTest runs them on the offscreen platform.
int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  Application app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
