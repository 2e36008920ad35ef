#pragma once
// A dockable, resizable bar that holds several pages, each a child window
// with a title and an icon, switched by tabs along the bar's lower edge.
// The bar's title is that of the page shown.
#include <QDockWidget>

class QTabWidget;

namespace orvane {

class CDockPageBar : public QDockWidget {
  Q_OBJECT

 public:
  // `defaultSize` is the bar's size when it is first docked.
  CDockPageBar(const QString& name, QSize defaultSize, QWidget* parent = nullptr);

  void addPage(QWidget* page, const QString& title, const QIcon& icon);
  int pageCount() const;
  QWidget* page(int index) const;
  QString pageTitle(int index) const;
  QIcon pageIcon(int index) const;
  void showPage(int index);
  int currentPage() const;

  QSize sizeHint() const override;

 private:
  QTabWidget* pages_;
  QSize defaultSize_;
};

}  // namespace orvane
