#include "dlg_about.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "frame_commands.h"
#include "frame_texts.h"
#include "orvane/widgets/svg_icon.h"
#include "qt_text.h"
#include "shell_texts.h"

namespace orvane {

CAboutDlg::CAboutDlg(const FrameVersion& version, QWidget* parent)
    : QDialog(parent),
      version_(new QLabel(qtText(aboutVersionLine(version.numbers, version.debugVersion)), this)) {
  loadFrameIcons();
  setWindowTitle(qtText(frame_texts::kAboutCaption));
  auto* icon = new QLabel(this);
  icon->setPixmap(svgPixmap(QStringLiteral(":/icons/logo.svg"), QSize(32, 32)));
  auto* texts = new QVBoxLayout;
  texts->addWidget(new QLabel(qtText(version.productName), this));
  texts->addWidget(version_);
  texts->addWidget(new QLabel(qtText(version.copyright), this));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->button(QDialogButtonBox::Ok)->setText(qtText(shell_texts::kOk));
  connect(buttons, &QDialogButtonBox::accepted, this, &CAboutDlg::accept);
  auto* body = new QHBoxLayout;
  body->addWidget(icon, 0, Qt::AlignTop);
  body->addLayout(texts, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addWidget(buttons);
}

QString CAboutDlg::versionText() const { return version_->text(); }

}  // namespace orvane
