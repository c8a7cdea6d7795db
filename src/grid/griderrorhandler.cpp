#include "grid/griderrorhandler.h"

#include <QtGlobal>

namespace {

GridErrorHandler &installedHandler() {
  static GridErrorHandler handler;
  return handler;
}

} // namespace

void setGridErrorHandler(GridErrorHandler handler) {
  installedHandler() = std::move(handler);
}

void reportGridError(const std::exception &error) {
  if (const GridErrorHandler &handler = installedHandler()) {
    handler(error);
    return;
  }
  // what() of the program's own errors is UTF-8.
  qWarning("%s", error.what());
}
