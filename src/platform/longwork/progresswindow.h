#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The small window that long work shows once it has taken a while, in
// front of the window whose work it is, which gets no input meanwhile:
// what is being done ("正在查询…"), the rows so far (of how many, when
// known), the time taken, and "取消".
class ProgressWindow : public QDialog {
  Q_OBJECT
public:
  // `rowsText` says what the rows are ("已读取", "已输出"); empty for work
  // without rows.
  ProgressWindow(const QString &activity, const QString &rowsText,
                 QWidget *owner);

  // `total` 0 when unknown.
  void showProgress(qint64 rows, qint64 total, qint64 elapsedMs);
  // After "取消": says so and takes the button away.
  void showCancelling();

  QPushButton *cancelButton() const { return m_cancel; }

signals:
  void cancelRequested();

public slots:
  // Esc or the close box: cancel the work; the window stays until it ends.
  void reject() override;

protected:
  void closeEvent(QCloseEvent *event) override;

private:
  QString m_rowsText;
  QLabel *m_activity;
  QLabel *m_rows;
  QLabel *m_elapsed;
  QPushButton *m_cancel;
};
