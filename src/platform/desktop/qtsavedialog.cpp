#include "platform/desktop/qtsavedialog.h"

#include <QComboBox>
#include <QFileDialog>

QList<DialogFilterEntry> dialogFilterEntries(const QString &filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QList<DialogFilterEntry> entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    entries.append(
        {parts[i], parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)});
  return entries;
}

int selectedFilterIndex(const QStringList &dialogFilters,
                        const QString &selected) {
  for (qsizetype i = 0; i < dialogFilters.size(); ++i) {
    const QString &filter = dialogFilters[i];
    if (filter == selected)
      return int(i + 1);
    // With the details hidden the dialog reports the entry without its
    // last " (patterns)" group.
    if (!selected.isEmpty() && filter.startsWith(selected)) {
      const QString details = filter.mid(selected.size()).trimmed();
      if (details.startsWith(QLatin1Char('(')) &&
          details.endsWith(QLatin1Char(')')) &&
          details.count(QLatin1Char('(')) == 1)
        return int(i + 1);
    }
  }
  return 0;
}

std::optional<SaveDialogChoice>
QtSaveDialog::execute(QWidget *owner, const SaveDialogOptions &options) {
  // Qt reads the patterns from the last parentheses of a name filter; the
  // description is shown alone, as the user knows it.
  const QList<DialogFilterEntry> entries = dialogFilterEntries(options.filter);
  QStringList nameFilters;
  for (const DialogFilterEntry &entry : entries)
    nameFilters.append(entry.description + QStringLiteral(" (") +
                       entry.patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')'));

  QFileDialog dialog(owner);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilters(nameFilters);
  // The dialog keeps its own copies of the filters, blanks collapsed:
  // entries are selected and recognised by position, never by our texts.
  const QStringList dialogFilters = dialog.nameFilters();
  if (options.filterIndex >= 1 && options.filterIndex <= dialogFilters.size())
    dialog.selectNameFilter(dialogFilters[options.filterIndex - 1]);
  // Qt's own dialog lists the filters in order in its file-type box, where
  // the descriptions can be shown exactly as written; a native dialog has
  // no such box and reports the selected filter as one of its own.
  QComboBox *types =
      dialog.findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
  if (types && types->count() == entries.size())
    for (qsizetype i = 0; i < entries.size(); ++i)
      types->setItemText(int(i), entries[i].description);
  else
    types = nullptr;
  dialog.setDefaultSuffix(options.defaultExt);
  dialog.selectFile(options.fileName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return std::nullopt;
  const int index =
      types ? types->currentIndex() + 1
            : selectedFilterIndex(dialogFilters, dialog.selectedNameFilter());
  return SaveDialogChoice{dialog.selectedFiles().constFirst(), index};
}
