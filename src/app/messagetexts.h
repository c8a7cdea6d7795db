#pragma once

#include <QString>

// The fixed texts the windows show. Captions of message boxes:
inline const QString NoticeCaption = QStringLiteral("提示");
inline const QString ErrorCaption = QStringLiteral("错误信息");

// Start-up connection (main window).
inline const QString StartupSettingsErrorText =
    QStringLiteral("建立数据库连接时发现错误,请点击连接重新设置！");
inline const QString StartupConnectFailedText =
    QStringLiteral("数据库连接失败,请点击连接重新设置!");
inline const QString ClassListFailedText = QStringLiteral("读取存货大类出错！");

// Connection dialog.
inline const QString ServerRequiredText = QStringLiteral("服务器不能为空！");
inline const QString DatabaseRequiredText = QStringLiteral("数据库不能为空！");
inline const QString UserRequiredText = QStringLiteral("用户名不能为空！");
inline const QString DialogConnectFailedText =
    QStringLiteral("数据库连接失败！");
inline const QString LoginSucceededText = QStringLiteral("登录成功！");
inline const QString SettingsAccessErrorText =
    QStringLiteral("在对系统注册表进行操作时发现错误！");

// Header query and expansion query.
inline const QString BomDataReadFailedText =
    QStringLiteral("读取BOM数据错误！");
inline const QString BomDetailReadFailedText =
    QStringLiteral("读取BOM信息出错！");

// Help of the component window, when the system can open neither the help
// file nor its page.
inline const QString HelpUnavailableText = QStringLiteral(
    "无法打开帮助：本机没有能打开帮助文件 hlp\\bomdetail_hlp.chm "
    "或其网页 hlp\\bomdetail_hlp.html 的程序，或文件不存在。");

// The record-count text of both windows: "记录数为：" and the count.
inline QString recordCountText(int count) {
  return QStringLiteral("记录数为：") + QString::number(count);
}
