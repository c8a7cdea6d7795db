#pragma once

#include "platform/savedialog.h"

#include <QStringList>

// One entry of a "|"-separated dialog filter.
struct DialogFilterEntry {
  QString description;
  QStringList patterns; // the entry's patterns, split at ";"
};

// The entries of `filter` ("description|patterns|description|patterns"),
// in order; a description without patterns is dropped.
QList<DialogFilterEntry> dialogFilterEntries(const QString &filter);

// The save dialog shown with QFileDialog.
class QtSaveDialog final : public SaveDialog {
public:
  std::optional<SaveDialogChoice>
  execute(QWidget *owner, const SaveDialogOptions &options) override;
};
