#pragma once
// The help panels' page viewer: shows a local HTML file, or a blank page
// when the file is missing.
#include <QTextBrowser>

namespace orvane {

class WebBrowser final : public QTextBrowser {
  Q_OBJECT

 public:
  explicit WebBrowser(QWidget* parent = nullptr);

  // False, and a blank page, when the file does not exist.
  bool navigate(const QString& path);
  QString location() const { return location_; }

 private:
  QString location_;
};

}  // namespace orvane
