#include "app/application.h"
#include "app/errordisplay.h"
#include "app/openmodal.h"
#include "platform/errors.h"
#include "support/fakeplatform.h"
#include "support/qtprint.h"

#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

TEST(ApplicationTitleTest,
     IsTheFileNameUpToTheFirstDotLowerCasedAfterItsFirst) {
  const struct {
    const char *path, *title;
  } cases[] = {
      {"/opt/bom/prj_lorquin", "prj_lorquin"},
      {"/opt/bom/PRJ_LORQUIN.EXE", "Prj_lorquin"},
      {"prj_Lorquin.old.exe", "prj_lorquin"},
      {"/opt/bom/.hidden", ""},
  };
  for (const auto &c : cases)
    EXPECT_EQ(applicationTitle(c.path), c.title) << c.path;
}

TEST(ErrorDisplayTest, AppendsAFullStopAfterCharactersSortingAfterIt) {
  const struct {
    const char *message, *shown;
  } cases[] = {
      {"", ""},
      {"Stream write error", "Stream write error."},
      {"Cannot create file x.xls", "Cannot create file x.xls."},
      {"done.", "done."},
      {"50%", "50%"}, // '%' sorts before '.'
      {"a-", "a-"},
      {"读取失败！", "读取失败！."},
  };
  for (const auto &c : cases)
    EXPECT_EQ(errorDisplayText(QString::fromUtf8(c.message)),
              QString::fromUtf8(c.shown))
        << c.message;
}

TEST(ErrorDisplayTest, ShowsTheErrorIconAndTheTitleWithoutOwner) {
  FakeMessageBoxes boxes;
  showDefaultError(boxes, "prj_lorquin",
                   DatabaseError("ado_bomdetail: Cannot perform this "
                                 "operation on a closed dataset"));
  showDefaultError(boxes, "prj_lorquin", std::runtime_error("界外"));
  ASSERT_EQ(boxes.shown.size(), 2);
  EXPECT_EQ(boxes.shown[0].text, "ado_bomdetail: Cannot perform this "
                                 "operation on a closed dataset.");
  EXPECT_EQ(boxes.shown[0].caption, "prj_lorquin");
  EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Error);
  EXPECT_FALSE(boxes.shown[0].owned);
  EXPECT_EQ(boxes.shown[1].text, "界外.");
}

// An object whose events throw, as a faulty event handler would.
class Throwing : public QObject {
public:
  bool event(QEvent *event) override {
    if (event->type() == QEvent::User)
      throw FieldError(QStringLiteral("bad value"));
    return QObject::event(event);
  }
};

class ErrorHandlerTest : public ::testing::Test {
protected:
  RecordedErrors recorded;
  QStringList &errors = recorded.messages;
};

TEST_F(ErrorHandlerTest,
       AnErrorEscapingAnEventGoesToTheHandlerAndTheLoopGoesOn) {
  Throwing object;
  QCoreApplication::postEvent(&object, new QEvent(QEvent::User));
  bool later = false;
  QTimer::singleShot(0, [&] { later = true; });
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(errors, QStringList{"bad value"});
  EXPECT_TRUE(later);

  // A guarded slot hands its error over the same way.
  guarded([] { throw StreamError(QStringLiteral("Stream write error")); })();
  EXPECT_EQ(errors.last(), "Stream write error");
}

// A window whose modal run fails.
class FailingWindow : public QDialog {
public:
  explicit FailingWindow(bool *destroyed) : m_destroyed(destroyed) {}
  ~FailingWindow() override { *m_destroyed = true; }
  int exec() override { throw DatabaseError(QStringLiteral("lost")); }

private:
  bool *m_destroyed;
};

TEST(OpenModalTest, AnErrorOutOfTheModalRunStillDestroysTheWindow) {
  FailingWindow *reference = nullptr;
  bool destroyed = false;
  EXPECT_THROW(OpenModal(reference, &destroyed), DatabaseError);
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(reference, nullptr);
}

TEST(OpenModalTest, TheReferenceIsSetOnlyDuringTheModalRun) {
  QDialog *reference = nullptr;
  QDialog *seen = nullptr;
  QTimer::singleShot(0, [&] {
    seen = reference;
    reference->accept();
  });
  EXPECT_EQ(OpenModal(reference), QDialog::Accepted);
  EXPECT_NE(seen, nullptr);
  EXPECT_EQ(reference, nullptr);
}

} // namespace
