#pragma once

#include <QString>

class QWidget;

// How a window opened by the shell is shown, as the system numbers it.
enum class ShellShowMode {
  Normal = 1, // a normal window
  Show = 5,   // in its current size and position
};

// Hands a document or an address to the system, which opens it with the
// program registered for it.
class Shell {
public:
  virtual ~Shell() = default;

  // `verb` is the action asked for ("open"; empty for the default one);
  // `target` a file path or an address. Returns at once: true when the
  // system took the target, false when it has no way to open it (a missing
  // file, no program for its type).
  virtual bool execute(QWidget *owner, const QString &verb,
                       const QString &target, ShellShowMode showMode) = 0;
};
