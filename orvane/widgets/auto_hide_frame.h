#pragma once
// A main window whose docked bars can collapse into tabs along the window's
// edges. Each bar added here carries a pin button in its title: a click
// collapses it into a tab of the edge's auto-hide bar (CAutoHideBar); a
// click on that tab brings the bar back where it was docked.
#include <QMainWindow>
#include <QToolBar>
#include <map>

class QDockWidget;
class QToolButton;

namespace orvane {

class CAutoHideBar final : public QToolBar {
  Q_OBJECT

 public:
  explicit CAutoHideBar(QWidget* parent = nullptr);
  QToolButton* addTab(QDockWidget* dock, const QIcon& icon);
  void removeTab(QDockWidget* dock);
  QToolButton* tab(QDockWidget* dock) const;

 signals:
  void tabClicked(QDockWidget* dock);

 private:
  std::map<QDockWidget*, QAction*> tabs_;
};

class CAutoHideFrame : public QMainWindow {
  Q_OBJECT

 public:
  explicit CAutoHideFrame(QWidget* parent = nullptr);
  ~CAutoHideFrame() override;

  // Docks `dock` at `area` and gives it the pin button.
  void addAutoHideDock(QDockWidget* dock, Qt::DockWidgetArea area, const QIcon& tabIcon);
  // Collapses a bar into its edge's tab, or brings it back.
  void setAutoHidden(QDockWidget* dock, bool hidden);
  bool autoHidden(QDockWidget* dock) const;
  CAutoHideBar& autoHideBar(Qt::DockWidgetArea area);

 private:
  QWidget* titleBar(QDockWidget* dock);

  std::map<Qt::DockWidgetArea, CAutoHideBar*> bars_;
  std::map<QDockWidget*, QIcon> tabIcons_;
};

}  // namespace orvane
