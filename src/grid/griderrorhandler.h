#pragma once

#include <exception>
#include <functional>

// Errors raised inside a grid's painting, input handling or dataset
// notifications are caught where Qt hands the event to the grid and passed
// here, so that they never cross Qt's event dispatch and the grid goes on.
// The program installs its default error display; until then the message
// goes to the warning log.
using GridErrorHandler = std::function<void(const std::exception &)>;

// Replaces the process-wide handler; an empty handler restores the default.
void setGridErrorHandler(GridErrorHandler handler);
void reportGridError(const std::exception &error);
