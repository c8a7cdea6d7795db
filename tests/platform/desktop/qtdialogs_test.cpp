// The real Qt dialogs behind the message-box and save-dialog interfaces,
// opened offscreen and worked through their own widgets and keys.
#include "platform/desktop/qtmessageboxes.h"
#include "platform/desktop/qtsavedialog.h"
#include "support/qtprint.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString Filter = QStringLiteral(
    "Excel 文档( *.xls)|*.xls|Word 文档(*.RTF)|*.rtf|Html 网页(*.html)|*.html|"
    "纯文本  文档 (*.txt)|*.TXT|Excel 工作簿(*.xlsx)|*.xlsx");

// Runs `act` on the modal window of type Box once it is shown; fails the
// test and closes the window when it does not appear, or does not go after
// `act`, within five seconds.
template <class Box> void whenShown(std::function<void(Box &)> act) {
  // The application owns the poll, so one left over when a test ends is
  // still freed.
  auto *poll = new QTimer(QCoreApplication::instance());
  poll->setInterval(10);
  const QDeadlineTimer deadline(5000);
  QObject::connect(poll, &QTimer::timeout, [=] {
    auto *box = qobject_cast<Box *>(QApplication::activeModalWidget());
    if (box && box->isVisible()) {
      poll->stop();
      poll->deleteLater();
      act(*box);
      QTimer::singleShot(5000, [still = QPointer<Box>(box)] {
        if (still && still->isVisible()) {
          ADD_FAILURE() << "the modal window stayed open";
          still->close();
        }
      });
    } else if (deadline.hasExpired()) {
      poll->stop();
      poll->deleteLater();
      ADD_FAILURE() << "no modal window appeared";
      if (QWidget *modal = QApplication::activeModalWidget())
        modal->close();
    }
  });
  poll->start();
}

QStringList buttonTexts(const QMessageBox &box) {
  QStringList texts;
  for (QAbstractButton *button : box.buttons())
    if (button->isVisibleTo(&box))
      texts.append(button->text());
  texts.sort();
  return texts;
}

TEST(QtMessageBoxesTest, ANoticeShowsCaptionTextIconAndClosesOnEnterOrEsc) {
  QtMessageBoxes boxes;
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
    SCOPED_TRACE(int(key));
    bool seen = false;
    whenShown<QMessageBox>([&](QMessageBox &box) {
      seen = true;
      EXPECT_EQ(box.windowTitle(), "提示");
      EXPECT_EQ(box.text(), "登录成功！");
      EXPECT_EQ(box.icon(), QMessageBox::Information);
      EXPECT_EQ(buttonTexts(box), QStringList{"确定"});
      QTest::keyClick(&box, key);
    });
    boxes.showMessage(nullptr, "提示", "登录成功！", MessageIcon::Information);
    EXPECT_TRUE(seen);
  }

  whenShown<QMessageBox>([](QMessageBox &box) {
    EXPECT_EQ(box.icon(), QMessageBox::Critical);
    box.close();
  });
  boxes.showMessage(nullptr, "错误信息", "x", MessageIcon::Error);
}

TEST(QtMessageBoxesTest, AQuestionAnswersByButtonAndBackingOutAnswersNeither) {
  struct Case {
    const char *name;
    std::function<void(QMessageBox &)> act;
    YesNoAnswer answer;
  };
  const auto clickButton = [](const char *text) {
    return [text](QMessageBox &box) {
      for (QAbstractButton *button : box.buttons())
        if (button->text() == QString::fromUtf8(text))
          button->click();
    };
  };
  const Case cases[] = {
      {"Enter", [](QMessageBox &box) { QTest::keyClick(&box, Qt::Key_Return); },
       YesNoAnswer::Yes},
      {"是", clickButton("是(&Y)"), YesNoAnswer::Yes},
      {"否", clickButton("否(&N)"), YesNoAnswer::No},
      {"Esc", [](QMessageBox &box) { QTest::keyClick(&box, Qt::Key_Escape); },
       YesNoAnswer::Dismissed},
      {"close box", [](QMessageBox &box) { box.close(); },
       YesNoAnswer::Dismissed},
  };
  QtMessageBoxes boxes;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    whenShown<QMessageBox>([&](QMessageBox &box) {
      EXPECT_EQ(box.windowTitle(), "提示");
      EXPECT_EQ(box.text(), "是否到末级？");
      EXPECT_EQ(box.icon(), QMessageBox::Question);
      EXPECT_EQ(buttonTexts(box), (QStringList{"否(&N)", "是(&Y)"}));
      c.act(box);
    });
    EXPECT_EQ(boxes.askYesNo(nullptr, "提示", "是否到末级？"), c.answer);
  }
}

// Picks type `entry` (1 the first) in the dialog's type list as a user
// steps through it, types `name` and presses Enter.
void pickTypeAndSave(QFileDialog &dialog, int entry, const QString &name) {
  auto *types = dialog.findChild<QComboBox *>("fileTypeCombo");
  auto *edit = dialog.findChild<QLineEdit *>("fileNameEdit");
  ASSERT_TRUE(types && edit);
  types->setFocus();
  QTest::keyClick(types, Qt::Key_Home);
  for (int step = 1; step < entry; ++step)
    QTest::keyClick(types, Qt::Key_Down);
  edit->setFocus();
  edit->setText(name);
  QTest::keyClick(edit, Qt::Key_Return);
}

// The type picked is the index returned, and a name typed without an
// extension gets the one of that type, whatever the proposed type was; a
// name with an extension of its own keeps it.
TEST(QtSaveDialogTest, EachTypePickedIsTheIndexReturnedAndItsExtensionAdded) {
  QTemporaryDir folder;
  const struct {
    int entry;
    const char *typed;
    const char *saved;
  } cases[] = {
      {1, "t", "t.xls"},
      {2, "t", "t.rtf"},
      {3, "t", "t.html"},
      {4, "t", "t.txt"},
      {5, "t", "t.xlsx"},
      {5, "报表.2026", "报表.2026.xlsx"},
      {2, "报表.final", "报表.final"},
      {5, "t.xls", "t.xls"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.typed + std::to_string(c.entry));
    QStringList shownTypes, filters;
    int preselected = -1;
    whenShown<QFileDialog>([&](QFileDialog &dialog) {
      filters = dialog.nameFilters();
      auto *types = dialog.findChild<QComboBox *>("fileTypeCombo");
      ASSERT_TRUE(types);
      for (int i = 0; i < types->count(); ++i)
        shownTypes.append(types->itemText(i));
      preselected = types->currentIndex();
      pickTypeAndSave(dialog, c.entry,
                      folder.filePath(QString::fromUtf8(c.typed)));
    });
    const std::optional<SaveDialogChoice> choice =
        QtSaveDialog().execute(nullptr, {Filter, "xls", "BOM查询-20240305", 2});
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->filterIndex, c.entry);
    EXPECT_EQ(choice->fileName, folder.filePath(QString::fromUtf8(c.saved)));
    EXPECT_EQ(preselected, 1);
    EXPECT_EQ(shownTypes,
              (QStringList{"Excel 文档( *.xls)", "Word 文档(*.RTF)",
                           "Html 网页(*.html)", "纯文本  文档 (*.txt)",
                           "Excel 工作簿(*.xlsx)"}));
    // What a system's dialog appends is the pattern as written.
    EXPECT_TRUE(filters.value(3).endsWith(" (*.txt)"))
        << qPrintable(filters.value(3));
  }
}

// The dialog asks before replacing the file the completed name names, also
// for a name that Qt alone would take as having an extension.
TEST(QtSaveDialogTest, AsksBeforeReplacingTheFileOfTheCompletedName) {
  QTemporaryDir folder;
  QFile existing(folder.filePath("报表.2026.rtf"));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  QString question;
  whenShown<QFileDialog>([&](QFileDialog &dialog) {
    whenShown<QMessageBox>([&](QMessageBox &box) {
      question = box.text();
      box.button(QMessageBox::Yes)->click();
    });
    pickTypeAndSave(dialog, 2, folder.filePath("报表.2026"));
  });
  const std::optional<SaveDialogChoice> choice =
      QtSaveDialog().execute(nullptr, {Filter, "xls", "x", 1});
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->fileName, folder.filePath("报表.2026.rtf"));
  EXPECT_TRUE(question.contains("报表.2026.rtf")) << question.toStdString();
}

// What counts as an extension of a typed name, and what the types add.
TEST(FileExtensionTest, ANameWithoutOneGetsTheExtensionOfTheType) {
  const struct {
    const char *path;
    const char *completed;
  } cases[] = {
      {"t", "t.xlsx"},          {"a.b", "a.b"},
      {"报表.XLS", "报表.XLS"}, {"报表.2026", "报表.2026.xlsx"},
      {"v1.2", "v1.2.xlsx"},    {"清单.最终版", "清单.最终版.xlsx"},
      {"a.b c", "a.b c.xlsx"},  {"名称.", "名称.xlsx"},
      {".xlsx", ".xlsx.xlsx"},  {"/home/u/v1.5/t", "/home/u/v1.5/t.xlsx"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(withFileExtension(QString::fromUtf8(c.path), "xlsx"),
              QString::fromUtf8(c.completed))
        << c.path;
  EXPECT_EQ(withFileExtension("t", ""), "t");

  QStringList extensions;
  for (const DialogFilterEntry &entry :
       dialogFilterEntries(Filter + "|全部|*.*"))
    extensions.append(filterEntryExtension(entry));
  EXPECT_EQ(extensions, (QStringList{"xls", "rtf", "html", "txt", "xlsx", ""}));
}

TEST(QtSaveDialogTest, CancellingReturnsNothing) {
  whenShown<QFileDialog>(
      [](QFileDialog &dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
  EXPECT_FALSE(QtSaveDialog().execute(nullptr, {Filter, "xls", "x", 1}));
}

TEST(SelectedFilterIndexTest, FindsTheFilterWholeOrWithoutItsDetails) {
  const QStringList filters{"Excel 文档( *.xls) (*.xls)",
                            "纯文本 文档 (*.txt) (*.TXT)", "Plain (*.a *.b)"};
  struct Case {
    const char *selected;
    int index;
  };
  const Case cases[] = {
      {"Excel 文档( *.xls) (*.xls)", 1},
      {"Excel 文档( *.xls)", 1},
      {"纯文本 文档 (*.txt)", 2},
      {"Plain", 3},
      {"纯文本  文档 (*.txt)", 0}, // not the dialog's own form
      {"Excel", 0},
      {"", 0},
  };
  for (const Case &c : cases)
    EXPECT_EQ(selectedFilterIndex(filters, QString::fromUtf8(c.selected)),
              c.index)
        << c.selected;
}

} // namespace
