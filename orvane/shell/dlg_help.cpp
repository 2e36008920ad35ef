#include "dlg_help.h"

#include <QDir>
#include <QVBoxLayout>

#include "frame_texts.h"
#include "orvane/widgets/web_browser.h"
#include "qt_text.h"

namespace orvane {

CDlgHelpPanel::CDlgHelpPanel(const QString& programDirectory, const QString& page,
                             QWidget* parent)
    : QWidget(parent), browser_(new WebBrowser(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  browser_->navigate(QDir(programDirectory).filePath(page));
}

CDlgHelpE::CDlgHelpE(const QString& programDirectory, QWidget* parent)
    : CDlgHelpPanel(programDirectory, qtText(frame_texts::kModuleHelpPage), parent) {}

CDlgHelpG::CDlgHelpG(const QString& programDirectory, QWidget* parent)
    : CDlgHelpPanel(programDirectory, qtText(frame_texts::kGeneralHelpPage), parent) {}

}  // namespace orvane
