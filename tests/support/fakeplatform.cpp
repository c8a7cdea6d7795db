#include "support/fakeplatform.h"

#include "platform/longwork/longwork.h"
#include "platform/longwork/onscreenstart.h"

#include "app/application.h"
#include "app/errordisplay.h"
#include "support/demodatabase.h"

#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

void FakeMessageBoxes::showMessage(QWidget *owner, const QString &caption,
                                   const QString &text, MessageIcon icon) {
  shown.append({owner, owner != nullptr, caption, text, icon});
  if (whenShown)
    whenShown();
}

YesNoAnswer FakeMessageBoxes::askYesNo(QWidget *owner, const QString &caption,
                                       const QString &text) {
  asked.append({owner, owner != nullptr, caption, text, MessageIcon::None});
  return answers.isEmpty() ? YesNoAnswer::No : answers.takeFirst();
}

QStringList FakeMessageBoxes::texts() const {
  QStringList result;
  for (const ShownMessage &message : shown)
    result.append(message.text);
  return result;
}

std::optional<SaveDialogChoice>
FakeSaveDialog::execute(QWidget *, const SaveDialogOptions &options) {
  opened.append(options);
  return choice;
}

bool FakeShell::execute(QWidget *, const QString &verb, const QString &target,
                        ShellShowMode showMode) {
  calls.append({verb, target, showMode});
  return opened.isEmpty() || opened.takeFirst();
}

namespace {

// Hands every call to the one fake store of the test.
class SharedStore : public SettingsStore {
public:
  explicit SharedStore(std::shared_ptr<FakeSettingsStore> store)
      : m_store(std::move(store)) {}
  bool openKey(const QString &path) override { return m_store->openKey(path); }
  QString readString(const QString &name) override {
    return m_store->readString(name);
  }
  void writeString(const QString &name, const QString &value) override {
    m_store->writeString(name, value);
  }

private:
  std::shared_ptr<FakeSettingsStore> m_store;
};

} // namespace

FakePlatform::FakePlatform(DbEngineFactory engines)
    : services{messages,
               saveDialog,
               shell,
               clock,
               [store = store] { return std::make_unique<SharedStore>(store); },
               std::move(engines)} {}

void storeDemoSettings(FakeSettingsStore &store) {
  const DbLinkInfo info = demoLinkInfo();
  store.values = {{"dbserver", info.server},
                  {"dbdatabase", info.database},
                  {"dbuser", info.user},
                  {"dbpassword", info.password}};
}

namespace {

void whenNoLongWork(int delayMs, std::function<void()> step) {
  QTimer::singleShot(delayMs, [step = std::move(step)]() mutable {
    if (LongWork::anyRunning() || anyStartPending())
      whenNoLongWork(5, std::move(step));
    else
      step();
  });
}

} // namespace

void whenModal(std::function<void()> step) {
  // A window's long work serves the event loop too, and starts once the
  // window is on screen; the step is for the window once that work is done.
  whenNoLongWork(0, std::move(step));
}

void showStarted(QWidget &window) {
  window.show();
  waitForStarts();
}

void waitForStarts() {
  EXPECT_TRUE(QTest::qWaitFor(
      [] { return !anyStartPending() && !LongWork::anyRunning(); }, 60000))
      << "a window's work was still starting or running after 60 s";
}

RecordedErrors::RecordedErrors() {
  Application::instance()->setErrorHandler([this](const std::exception &error) {
    messages << errorMessageOf(error);
  });
}

RecordedErrors::~RecordedErrors() {
  Application::instance()->setErrorHandler(nullptr);
}
