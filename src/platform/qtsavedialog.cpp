#include "platform/qtsavedialog.h"

#include <QFileDialog>

QList<DialogFilterEntry> dialogFilterEntries(const QString &filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QList<DialogFilterEntry> entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    entries.append(
        {parts[i], parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)});
  return entries;
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
  if (options.filterIndex >= 1 && options.filterIndex <= nameFilters.size())
    dialog.selectNameFilter(nameFilters[options.filterIndex - 1]);
  dialog.setDefaultSuffix(options.defaultExt);
  dialog.selectFile(options.fileName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return std::nullopt;
  const int index = int(nameFilters.indexOf(dialog.selectedNameFilter()));
  return SaveDialogChoice{dialog.selectedFiles().constFirst(),
                          index < 0 ? options.filterIndex : index + 1};
}
