#pragma once
// The progress dialog "进度" of the firmware upgrade. It opens on the latest
// progress the upgrade has reported: the worker runs before the dialog
// exists, so a run that has already ended (100 came first) must close it at
// once rather than leave it waiting for a report that never comes.
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace orvane {

class CDlgProgress final : public QDialog {
  Q_OBJECT

 public:
  explicit CDlgProgress(int latest, QWidget* parent = nullptr);

  // UWM_PROGRESS: "当前进度：n%" and the bar at n; at 100 or more "取消"
  // is enabled and the dialog closes.
  void progress(int percent);

  // Returns at once when the run ended before the dialog opened.
  int exec() override;

  int position() const;
  QString text() const;
  bool cancelEnabled() const;

 private:
  QProgressBar* bar_;
  QLabel* text_;
  QPushButton* cancel_;
  bool done_ = false;
};

}  // namespace orvane
