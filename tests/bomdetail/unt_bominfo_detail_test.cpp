#include "app/bomheaderquery.h"
#include "app/messagetexts.h"
#include "bomdetail/unt_bominfo_detail.h"
#include "connection/startupconnection.h"
#include "grid/columneh.h"
#include "grid/dbgrideh.h"
#include "platform/dataset/query.h"
#include "platform/text/codepage936.h"
#include "support/demodatabase.h"
#include "support/fakeplatform.h"
#include "support/qtprint.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// The component window over the demo header of BOM 1001, shown.
class ComponentWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(connectAtStartup(connection, demoLinkInfo()),
              StartupConnectResult::Connected);
    header.setConnection(&connection);
    declareBomHeaderFields(header);
    BomHeaderFilters filters;
    filters.code = QStringLiteral("0201010001");
    ASSERT_TRUE(runBomHeaderQuery(header, filters));
    ASSERT_EQ(header.FieldByName("BomId")->AsInteger(), 1001);
    showStarted(window);
  }

  FakePlatform platform{demoEngineFactory(DemoEngine::Embedded)};
  DbConnection connection{demoEngineFactory(DemoEngine::Embedded)};
  Query header{QStringLiteral("ado_bominfomain")};
  Tfrm_bominfo_detail window{platform.services, connection, header,
                             ExpandMode::OneLevel};
};

TEST_F(ComponentWindowTest, ShowsTheHeaderAndItsComponents) {
  EXPECT_EQ(window.windowTitle(), "BOM查询_细表");
  EXPECT_EQ(window.dbe_code->text(), header.FieldByName("InvCode")->AsString());
  EXPECT_EQ(window.dbe_name->text(),
            header.FieldByName("cInvName")->AsString());
  EXPECT_TRUE(window.dbe_std->isReadOnly());
  EXPECT_FALSE(window.cb_level->isChecked());
  EXPECT_EQ(window.ado_bomdetail->sqlText(),
            "exec Pellamar_ExpandCompQty  1001," +
                header.FieldByName("parentId")->AsString() + ",1");
  EXPECT_EQ(window.recordCountPanel()->text(),
            recordCountText(window.ado_bomdetail->recordCount()));
  EXPECT_EQ(window.dbg_bomdetail->Columns().Count(), 6);
  // The header panel starts below the 45-pixel toolbar band.
  EXPECT_EQ(window.dbe_code->parentWidget()->mapTo(&window, QPoint()),
            QPoint(0, 45));
}

TEST_F(ComponentWindowTest, AFailedExpansionKeepsTheCountAndSaysSo) {
  const QString count = window.recordCountPanel()->text();
  connection.close();
  connection.setConnectionString(
      "gone", {"embedded", BOMQUERY_BINARY_DIR "/gone.sqlite3", "demo", ""});
  window.tbn_query->click();
  EXPECT_EQ(platform.messages.texts(), QStringList{BomDetailReadFailedText});
  EXPECT_EQ(platform.messages.shown[0].owner, &window);
  EXPECT_EQ(window.recordCountPanel()->text(), count);
}

// The help files are those beside the program, whatever the working folder.
TEST_F(ComponentWindowTest, HelpOpensTheFileOrItsPageOrSaysWhyNot) {
  const QDir programFolder(QCoreApplication::applicationDirPath());
  const QString chm =
      QDir::toNativeSeparators(programFolder.filePath("hlp/bomdetail_hlp.chm"));
  const QString html = QDir::toNativeSeparators(
      programFolder.filePath("hlp/bomdetail_hlp.html"));
  struct Case {
    QList<bool> opened;
    QStringList targets;
    QStringList messages;
  };
  const Case cases[] = {
      {{true}, {chm}, {}},
      {{false, true}, {chm, html}, {}},
      {{false, false}, {chm, html}, {HelpUnavailableText}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.targets.size() + c.messages.size());
    platform.shell.calls.clear();
    platform.messages.shown.clear();
    platform.shell.opened = c.opened;
    window.tbn_help->click();
    QStringList targets;
    for (const ShellCall &call : platform.shell.calls) {
      targets.append(call.target);
      EXPECT_EQ(call.verb, "open");
      EXPECT_EQ(call.showMode, ShellShowMode::Show);
    }
    EXPECT_EQ(targets, c.targets);
    EXPECT_EQ(platform.messages.texts(), c.messages);
  }
}

TEST_F(ComponentWindowTest, ExportProposesTodaysNameAndReportsACancel) {
  window.tbn_export->click();
  ASSERT_EQ(platform.saveDialog.opened.size(), 1);
  EXPECT_EQ(platform.saveDialog.opened[0].fileName, "BOM信息查询明细-20240305");
  EXPECT_EQ(platform.messages.texts(),
            QStringList{"BOM信息查询明细输出未完成！"});
  EXPECT_EQ(platform.messages.shown[0].owner, &window);
}

TEST_F(ComponentWindowTest, AnExportAfterASortFollowsItAndWritesTheMarker) {
  TColumnEh &quantity = window.dbg_bomdetail->Columns()[5];
  window.dbg_bomdetail->OnTitleClick(quantity);
  window.dbg_bomdetail->OnTitleClick(quantity);
  ASSERT_EQ(window.ado_bomdetail->sort(), "CQty1 DESC");

  QTemporaryDir folder;
  const QString path = folder.filePath("components.xls");
  platform.saveDialog.choice = SaveDialogChoice{path, 4};
  window.tbn_export->click();
  EXPECT_TRUE(platform.messages.shown.isEmpty());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QStringList lines =
      fromCodePage936(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), window.ado_bomdetail->recordCount() + 1);
  EXPECT_TRUE(lines[0].endsWith("\t▼单件用量")) << lines[0];
  double previous = 1e9;
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const double value = lines[i].section('\t', 5, 5).toDouble();
    EXPECT_LE(value, previous) << lines[i];
    previous = value;
  }
}

} // namespace
