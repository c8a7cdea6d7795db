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

// Whether the file name at the end of `path` has an extension: a "." that
// is not its first character, followed by ASCII letters and digits, at
// least one of them a letter ("报表.xlsx", "a.b"). A number after the dot
// ("报表.2026", "v1.2") or other characters ("清单.最终版") are part of the
// name.
bool hasFileExtension(QStringView path);

// `path` with "." and `extension` added when it has no extension of its own
// (hasFileExtension); after a final "." only the extension is added. As it
// is for an empty `extension`.
QString withFileExtension(const QString &path, const QString &extension);

// The extension an entry gives a name typed without one: its first
// pattern's, in lower case ("*.TXT" gives "txt"); empty when that pattern
// names none ("*", "*.*").
QString filterEntryExtension(const DialogFilterEntry &entry);

// The save dialog shown with QFileDialog. A name typed without an extension
// gets the one of the file type left selected (or `defaultExt`), as the
// system's own dialog does, before the dialog asks whether to replace an
// existing file of that name.
class QtSaveDialog final : public SaveDialog {
public:
  std::optional<SaveDialogChoice>
  execute(QWidget *owner, const SaveDialogOptions &options) override;
};
