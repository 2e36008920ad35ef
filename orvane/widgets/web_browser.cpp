#include "web_browser.h"

#include <QFileInfo>
#include <QUrl>

namespace orvane {

WebBrowser::WebBrowser(QWidget* parent) : QTextBrowser(parent) {
  setOpenExternalLinks(true);
  setFrameShape(QFrame::NoFrame);
}

bool WebBrowser::navigate(const QString& path) {
  if (!QFileInfo(path).isFile()) {
    location_.clear();
    clear();
    return false;
  }
  location_ = path;
  setSource(QUrl::fromLocalFile(path), QTextDocument::HtmlResource);
  return true;
}

}  // namespace orvane
