// What the mouse does on the module list: clicks, double clicks and right
// clicks on rows and on empty space, and the context menu (menu 138).
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QMenu>
#include <QMouseEvent>

#include "orvane/protocol/orvane_view_core.h"
#include "orvane_view.h"
#include "qt_text.h"

namespace orvane {
namespace {

struct ContextCommand {
  int command;
  std::string_view text;
};
// The first submenu of menu 138, with the settings file's two commands;
// 0 stands for the separator.
constexpr ContextCommand kContextCommands[] = {
    {kCmdBasicSettings, "基本配置..."},   {kCmdAdvancedSettings, "高级配置..."},
    {kCmdPeerSettings, "点对点配置..."}, {0, {}},
    {kCmdSaveSettings, "保存配置..."},   {kCmdLoadSettings, "载入配置..."},  {0, {}},
    {kCmdFirmwareUpgrade, "升级固件..."}, {kCmdFactoryRestore, "恢复出厂设置"},
};

}  // namespace

void COrvaneView::buildContextMenu() {
  contextMenu_ = new QMenu(this);
  for (const auto& entry : kContextCommands) {
    if (entry.command == 0) {
      contextMenu_->addSeparator();
      continue;
    }
    QAction* action = contextMenu_->addAction(qtText(entry.text));
    action->setData(entry.command);
    connect(action, &QAction::triggered, this,
            [this, command = entry.command] { runCommand(command); });
  }
}

// Greyed exactly like the main menu, from the same enabling rules.
QMenu& COrvaneView::contextMenu() {
  const auto context = commandContext();
  for (QAction* action : contextMenu_->actions())
    if (!action->isSeparator())
      action->setEnabled(orvane::commandEnabled(action->data().toInt(), context));
  return *contextMenu_;
}

void COrvaneView::contextMenuEvent(QContextMenuEvent* event) {
  contextMenu().exec(event->globalPos());
}

// A click on empty space selects the remembered row again; a click on a row
// (selected already or not) refreshes its module.
void COrvaneView::mousePressEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (!index.isValid()) {
    reselectRememberedRow();
    sendSelectionState();
    return;
  }
  QTableWidget::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) {
    rowSelected(index.row());
  } else if (event->button() == Qt::RightButton) {
    sendSelectionState();
  }
}

void COrvaneView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (!index.isValid() || event->button() != Qt::LeftButton) {
    reselectRememberedRow();
  } else {
    core_.setSelectedRow(index.row());
    basicSettings();
  }
  sendSelectionState();
}

// Files dropped on the window are opened as documents, as the shell opens
// them: only the document type .opx is taken.
namespace {
QStringList documentFiles(const QMimeData* data) {
  QStringList files;
  if (!data || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile() && url.toLocalFile().endsWith(QStringLiteral(".opx"), Qt::CaseInsensitive))
      files << url.toLocalFile();
  return files;
}
}  // namespace

void COrvaneView::dragEnterEvent(QDragEnterEvent* event) {
  if (!documentFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void COrvaneView::dragMoveEvent(QDragMoveEvent* event) {
  if (!documentFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void COrvaneView::dropEvent(QDropEvent* event) {
  const QStringList files = documentFiles(event->mimeData());
  for (const QString& file : files) emit documentDropped(file);
  if (!files.isEmpty()) event->acceptProposedAction();
}

void COrvaneView::reselectRememberedRow() {
  const int row = core_.selectedRow();
  if (row >= 0 && row < rowCount()) selectAndFocus(row);
}

}  // namespace orvane
