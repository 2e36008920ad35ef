#include "auto_hide_frame.h"

#include <QDockWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

namespace orvane {
namespace {

Qt::ToolBarArea edgeOf(Qt::DockWidgetArea area) {
  switch (area) {
    case Qt::LeftDockWidgetArea:
      return Qt::LeftToolBarArea;
    case Qt::RightDockWidgetArea:
      return Qt::RightToolBarArea;
    case Qt::TopDockWidgetArea:
      return Qt::TopToolBarArea;
    default:
      return Qt::BottomToolBarArea;
  }
}

}  // namespace

CAutoHideBar::CAutoHideBar(QWidget* parent) : QToolBar(parent) {
  setObjectName(QStringLiteral("AutoHideBar"));
  setMovable(false);
  setFloatable(false);
  setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  hide();
}

QToolButton* CAutoHideBar::addTab(QDockWidget* dock, const QIcon& icon) {
  if (!tabs_.count(dock)) {
    QAction* action = addAction(icon, dock->windowTitle());
    connect(action, &QAction::triggered, this, [this, dock] { emit tabClicked(dock); });
    tabs_[dock] = action;
  }
  show();
  return tab(dock);
}

void CAutoHideBar::removeTab(QDockWidget* dock) {
  const auto found = tabs_.find(dock);
  if (found == tabs_.end()) return;
  removeAction(found->second);
  found->second->deleteLater();
  tabs_.erase(found);
  if (tabs_.empty()) hide();
}

QToolButton* CAutoHideBar::tab(QDockWidget* dock) const {
  const auto found = tabs_.find(dock);
  return found == tabs_.end() ? nullptr
                              : qobject_cast<QToolButton*>(widgetForAction(found->second));
}

CAutoHideFrame::CAutoHideFrame(QWidget* parent) : QMainWindow(parent) {}

// The docks outlive this part of the window: QWidget's destructor hides them,
// and their signals must not reach the bars that are already gone.
CAutoHideFrame::~CAutoHideFrame() {
  for (const auto& [dock, icon] : tabIcons_) disconnect(dock, nullptr, this, nullptr);
}

CAutoHideBar& CAutoHideFrame::autoHideBar(Qt::DockWidgetArea area) {
  CAutoHideBar*& bar = bars_[area];
  if (!bar) {
    bar = new CAutoHideBar(this);
    addToolBar(edgeOf(area), bar);
    bar->hide();
    connect(bar, &CAutoHideBar::tabClicked, this,
            [this](QDockWidget* dock) { setAutoHidden(dock, false); });
  }
  return *bar;
}

void CAutoHideFrame::addAutoHideDock(QDockWidget* dock, Qt::DockWidgetArea area,
                                     const QIcon& tabIcon) {
  addDockWidget(area, dock);
  tabIcons_[dock] = tabIcon;
  dock->setTitleBarWidget(titleBar(dock));
  autoHideBar(area);
  // A bar shown again by other means (its menu command) is no longer a tab.
  connect(dock, &QDockWidget::visibilityChanged, this, [this, dock](bool visible) {
    if (visible) autoHideBar(dockWidgetArea(dock)).removeTab(dock);
  });
}

void CAutoHideFrame::setAutoHidden(QDockWidget* dock, bool hidden) {
  CAutoHideBar& bar = autoHideBar(dockWidgetArea(dock));
  if (hidden) {
    bar.addTab(dock, tabIcons_[dock]);
    dock->hide();
  } else {
    bar.removeTab(dock);
    dock->show();
    dock->raise();
  }
}

bool CAutoHideFrame::autoHidden(QDockWidget* dock) const {
  const auto found = bars_.find(dockWidgetArea(dock));
  return found != bars_.end() && found->second->tab(dock) != nullptr;
}

// The title, the pin that collapses the bar into its tab, and the close button.
QWidget* CAutoHideFrame::titleBar(QDockWidget* dock) {
  auto* bar = new QWidget(dock);
  auto* title = new QLabel(dock->windowTitle(), bar);
  connect(dock, &QDockWidget::windowTitleChanged, title, &QLabel::setText);
  auto* pin = new QToolButton(bar);
  pin->setObjectName(QStringLiteral("AutoHidePin"));
  pin->setAutoRaise(true);
  pin->setIcon(style()->standardIcon(QStyle::SP_TitleBarShadeButton));
  pin->setToolTip(QStringLiteral("自动隐藏"));
  connect(pin, &QToolButton::clicked, this, [this, dock] { setAutoHidden(dock, true); });
  auto* close = new QToolButton(bar);
  close->setAutoRaise(true);
  close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
  connect(close, &QToolButton::clicked, dock, &QDockWidget::close);
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(4, 1, 1, 1);
  layout->addWidget(title, 1);
  layout->addWidget(pin);
  layout->addWidget(close);
  return bar;
}

}  // namespace orvane
