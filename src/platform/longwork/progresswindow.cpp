#include "platform/longwork/progresswindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

ProgressWindow::ProgressWindow(const QString &activity, const QString &rowsText,
                               QWidget *owner)
    : QDialog(owner), m_rowsText(rowsText) {
  setObjectName(QStringLiteral("progressWindow"));
  setWindowTitle(activity);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint |
                 Qt::WindowDoesNotAcceptFocus);
  // Modal by the long work's hold on input rather than by Qt's modality,
  // which would throw away what the user clicks in the other windows
  // instead of keeping it for later. Nor does it take the keyboard: keys
  // typed meanwhile stay with the window they were meant for.
  setAttribute(Qt::WA_ShowWithoutActivating);
  m_activity = new QLabel(activity, this);
  m_rows = new QLabel(this);
  m_rows->setVisible(!rowsText.isEmpty());
  m_elapsed = new QLabel(this);
  m_cancel = new QPushButton(QStringLiteral("取消"), this);
  m_cancel->setAutoDefault(false);
  m_cancel->setFocusPolicy(Qt::NoFocus);
  connect(m_cancel, &QPushButton::clicked, this,
          &ProgressWindow::cancelRequested);

  auto *buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(m_cancel);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(m_activity);
  layout->addWidget(m_rows);
  layout->addWidget(m_elapsed);
  layout->addLayout(buttons);
  // A fixed size, wide enough for its title: nothing to resize in a
  // progress report.
  m_activity->setMinimumWidth(240);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  showProgress(0, 0, 0);
}

void ProgressWindow::showProgress(qint64 rows, qint64 total, qint64 elapsedMs) {
  // Plain digits, the same whatever the machine's regional settings.
  const QLocale c = QLocale::c();
  QString count = m_rowsText + QLatin1Char(' ') + c.toString(rows);
  if (total > 0)
    count += QStringLiteral(" / ") + c.toString(total);
  m_rows->setText(count + QStringLiteral(" 行"));
  m_elapsed->setText(QStringLiteral("已用时间 %1 秒")
                         .arg(double(elapsedMs) / 1000.0, 0, 'f', 1));
}

void ProgressWindow::showCancelling() {
  m_activity->setText(QStringLiteral("正在取消…"));
  m_cancel->setEnabled(false);
}

void ProgressWindow::reject() { emit cancelRequested(); }

void ProgressWindow::closeEvent(QCloseEvent *event) {
  event->ignore();
  emit cancelRequested();
}
