#include "dock_page_bar.h"

#include <QTabWidget>

namespace orvane {

CDockPageBar::CDockPageBar(const QString& name, QSize defaultSize, QWidget* parent)
    : QDockWidget(parent), pages_(new QTabWidget(this)), defaultSize_(defaultSize) {
  setObjectName(name);
  setAllowedAreas(Qt::AllDockWidgetAreas);
  setFeatures(DockWidgetClosable | DockWidgetMovable | DockWidgetFloatable);
  pages_->setTabPosition(QTabWidget::South);
  pages_->setDocumentMode(true);
  setWidget(pages_);
  connect(pages_, &QTabWidget::currentChanged, this,
          [this](int index) { setWindowTitle(pageTitle(index)); });
}

void CDockPageBar::addPage(QWidget* page, const QString& title, const QIcon& icon) {
  pages_->addTab(page, icon, title);
  if (pages_->count() == 1) setWindowTitle(title);
}

int CDockPageBar::pageCount() const { return pages_->count(); }
QWidget* CDockPageBar::page(int index) const { return pages_->widget(index); }
QString CDockPageBar::pageTitle(int index) const { return pages_->tabText(index); }
QIcon CDockPageBar::pageIcon(int index) const { return pages_->tabIcon(index); }
void CDockPageBar::showPage(int index) { pages_->setCurrentIndex(index); }
int CDockPageBar::currentPage() const { return pages_->currentIndex(); }

QSize CDockPageBar::sizeHint() const { return defaultSize_.expandedTo(QDockWidget::sizeHint()); }

}  // namespace orvane
