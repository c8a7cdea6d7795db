#pragma once

#include "platform/desktop/savedialog.h"

#include <QStringList>

// One entry of a "|"-separated dialog filter.
struct DialogFilterEntry {
  QString description;
  QStringList patterns; // the entry's patterns, split at ";"
};

// The entries of `filter` ("description|patterns|description|patterns"),
// in order; a description without patterns is dropped.
QList<DialogFilterEntry> dialogFilterEntries(const QString &filter);

// The 1-based position in `dialogFilters` (the name filters as the dialog
// holds them) of the filter the dialog reports as `selected`, either whole
// or without its pattern details; 0 when none is.
int selectedFilterIndex(const QStringList &dialogFilters,
                        const QString &selected);

// The save dialog shown with QFileDialog.
class QtSaveDialog final : public SaveDialog {
public:
  std::optional<SaveDialogChoice>
  execute(QWidget *owner, const SaveDialogOptions &options) override;
};
