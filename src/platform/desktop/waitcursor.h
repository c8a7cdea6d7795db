#pragma once

// Shows the wait cursor over the whole application for as long as it
// lives, so a query or an export that blocks the windows says so; the
// previous cursor comes back however the scope is left. Nests.
class WaitCursor {
public:
  WaitCursor();
  ~WaitCursor();
  WaitCursor(const WaitCursor &) = delete;
  WaitCursor &operator=(const WaitCursor &) = delete;
};
