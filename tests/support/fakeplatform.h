#pragma once

#include "platform/desktop/clock.h"
#include "platform/desktop/messageboxes.h"
#include "platform/desktop/savedialog.h"
#include "platform/desktop/shell.h"
#include "platform/platformservices.h"
#include "support/fakesettingsstore.h"

#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

struct ShownMessage {
  QPointer<QWidget> owner;
  bool owned = false; // an owner window was given
  QString caption;
  QString text;
  MessageIcon icon = MessageIcon::None;
};

// Message boxes that record what they show and answer questions from a
// list (No once the list is used up).
class FakeMessageBoxes : public MessageBoxes {
public:
  void showMessage(QWidget *owner, const QString &caption, const QString &text,
                   MessageIcon icon) override;
  YesNoAnswer askYesNo(QWidget *owner, const QString &caption,
                       const QString &text) override;

  // The texts shown, in order.
  QStringList texts() const;

  QList<ShownMessage> shown;
  QList<ShownMessage> asked;
  QList<YesNoAnswer> answers;
  // Called as each message is shown, for looking at the windows then.
  std::function<void()> whenShown;
};

// A save dialog that records the options it was opened with and gives the
// prepared choice (nothing: the user cancelled).
class FakeSaveDialog : public SaveDialog {
public:
  std::optional<SaveDialogChoice>
  execute(QWidget *owner, const SaveDialogOptions &options) override;

  std::optional<SaveDialogChoice> choice;
  QList<SaveDialogOptions> opened;
};

struct ShellCall {
  QString verb;
  QString target;
  ShellShowMode showMode;
};

class FakeShell : public Shell {
public:
  bool execute(QWidget *owner, const QString &verb, const QString &target,
               ShellShowMode showMode) override;
  QList<ShellCall> calls;
  // What the calls answer, in order; true once the list is used up.
  QList<bool> opened;
};

class FixedClock : public Clock {
public:
  QDate today() const override { return date; }
  QDate date{2024, 3, 5};
};

// Fakes for everything outside the program, the settings store shared by
// every store object the windows create, and the database engines given.
struct FakePlatform {
  explicit FakePlatform(DbEngineFactory engines);

  FakeMessageBoxes messages;
  FakeSaveDialog saveDialog;
  FakeShell shell;
  FixedClock clock;
  std::shared_ptr<FakeSettingsStore> store =
      std::make_shared<FakeSettingsStore>();
  PlatformServices services;
};

// The demo database's settings as the store holds them.
void storeDemoSettings(FakeSettingsStore &store);

// Runs `step` as soon as the event loop runs again, for acting inside a
// modal window that is about to open, once the work it starts on screen
// has ended.
void whenModal(std::function<void()> step);

// Shows `window` and returns once the work it starts on screen (the main
// window's login and class list) has ended.
void showStarted(QWidget &window);
// Returns once no window waits to start its work and no work runs.
void waitForStarts();

// While it lives, errors reaching the application's default error display
// are recorded here instead of shown.
class RecordedErrors {
public:
  RecordedErrors();
  ~RecordedErrors();
  RecordedErrors(const RecordedErrors &) = delete;
  RecordedErrors &operator=(const RecordedErrors &) = delete;

  QStringList messages;
};
