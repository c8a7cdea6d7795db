#include "app/application.h"
#include "support/qtpoolthreads.h"

#include <clocale>
#include <gtest/gtest.h>

// Every test program gets the program's application object, so widgets,
// fonts and collation work and errors escaping event handlers are handled
// as in the program; CTest runs them on the offscreen platform.
int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  Application app(argc, argv);
  const QtPoolThreadsUnchecked qtPoolThreads;
  // The application object takes the character set of the machine's locale
  // (plain ASCII with LANG unset or LC_ALL=C); the SQLite ODBC driver turns
  // the wide text of a statement into bytes with it. The tests send Chinese
  // text, so they choose UTF-8 themselves.
  if (!std::setlocale(LC_CTYPE, "C.UTF-8"))
    std::setlocale(LC_CTYPE, "en_US.UTF-8");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
