#include "platform/desktop/qtsavedialog.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <algorithm>
#include <functional>

namespace {

bool isAsciiLetter(QChar c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// The extension of the file name at the end of `path` (without the dot);
// empty when it has none.
QStringView fileExtension(QStringView path) {
  qsizetype nameStart = path.lastIndexOf(u'/') + 1;
#ifdef Q_OS_WIN
  nameStart = std::max(nameStart, path.lastIndexOf(u'\\') + 1);
#endif
  const qsizetype dot = path.lastIndexOf(u'.');
  if (dot <= nameStart)
    return {};
  const QStringView extension = path.sliced(dot + 1);
  bool letter = false;
  for (const QChar c : extension) {
    if (!isAsciiLetter(c) && !isAsciiDigit(c))
      return {};
    letter = letter || isAsciiLetter(c);
  }
  return letter ? extension : QStringView();
}

// Qt's own dialog, completing a name typed without an extension before it
// takes the name, so that the question whether to replace an existing file
// asks about the file that will be written.
class CompletingFileDialog final : public QFileDialog {
public:
  using QFileDialog::QFileDialog;

  // The extension of the file type selected now; unset for a dialog that
  // is not Qt's own.
  std::function<QString()> extension;

  void accept() override {
    auto *name = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    const QStringList files = selectedFiles();
    // A folder typed is opened, not saved into.
    if (name && extension && files.size() == 1 &&
        !QFileInfo(files.constFirst()).isDir()) {
      const QString typed = name->text();
      const QString completed = withFileExtension(typed, extension());
      if (completed != typed)
        name->setText(completed);
    }
    QFileDialog::accept();
  }
};

} // namespace

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

bool hasFileExtension(QStringView path) {
  return !fileExtension(path).isEmpty();
}

QString withFileExtension(const QString &path, const QString &extension) {
  if (extension.isEmpty() || hasFileExtension(path))
    return path;
  return path.endsWith(u'.') ? path + extension : path + u'.' + extension;
}

QString filterEntryExtension(const DialogFilterEntry &entry) {
  if (entry.patterns.isEmpty())
    return QString();
  return fileExtension(entry.patterns.constFirst().trimmed())
      .toString()
      .toLower();
}

std::optional<SaveDialogChoice>
QtSaveDialog::execute(QWidget *owner, const SaveDialogOptions &options) {
  // Qt reads the patterns from the last parentheses of a name filter; the
  // description is shown alone, as the user knows it. The patterns go in
  // lower case, as the extensions the program adds: the system's dialog on
  // Windows appends the extension of the type's pattern as it is written
  // ("*.TXT" would give "name.TXT").
  const QList<DialogFilterEntry> entries = dialogFilterEntries(options.filter);
  QStringList nameFilters;
  for (const DialogFilterEntry &entry : entries)
    nameFilters.append(entry.description + QStringLiteral(" (") +
                       entry.patterns.join(QLatin1Char(' ')).toLower() +
                       QLatin1Char(')'));

  CompletingFileDialog dialog(owner);
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
  const auto extensionOfEntry = [&](int index) {
    const QString extension = index >= 1 && index <= entries.size()
                                  ? filterEntryExtension(entries[index - 1])
                                  : QString();
    return extension.isEmpty() ? options.defaultExt : extension;
  };
  if (types) {
    dialog.extension = [&] {
      return extensionOfEntry(types->currentIndex() + 1);
    };
  }
  // Where Qt's own dialog does not complete the name, the system's dialog
  // adds the suffix it is given, which follows the type selected.
  dialog.setDefaultSuffix(extensionOfEntry(options.filterIndex));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&](const QString &selected) {
                     dialog.setDefaultSuffix(extensionOfEntry(
                         types ? types->currentIndex() + 1
                               : selectedFilterIndex(dialogFilters, selected)));
                   });
  dialog.selectFile(options.fileName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return std::nullopt;
  const int index =
      types ? types->currentIndex() + 1
            : selectedFilterIndex(dialogFilters, dialog.selectedNameFilter());
  return SaveDialogChoice{dialog.selectedFiles().constFirst(), index};
}
