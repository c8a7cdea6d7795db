#pragma once

#include <QString>
#include <optional>

class QWidget;

// What the save-file dialog is opened with. `filter` pairs descriptions and
// patterns separated by "|" ("Text (*.txt)|*.txt|..."); `filterIndex`
// counts its entries from 1. A typed name without an extension gets the
// extension of the entry left selected (its first pattern's); `defaultExt`
// (without the dot) is the one added for an entry whose pattern names none.
struct SaveDialogOptions {
  QString filter;
  QString defaultExt;
  QString fileName;
  int filterIndex = 1;
};

// The file the user chose and the 1-based filter entry left selected; 0 when
// the dialog could not tell which entry that was.
struct SaveDialogChoice {
  QString fileName;
  int filterIndex = 1;
};

// The system's save-file dialog.
class SaveDialog {
public:
  virtual ~SaveDialog() = default;

  // Runs the dialog modally; nothing when the user cancelled.
  virtual std::optional<SaveDialogChoice>
  execute(QWidget *owner, const SaveDialogOptions &options) = 0;
};
