#include "dlg_p2p_config.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "dialog_parts.h"
#include "dlg_add_device.h"
#include "qt_text.h"
#include "orvane/forms/form_texts.h"
#include "orvane/protocol/user_texts.h"

namespace orvane {
namespace {

struct ListColumn {
  const char* header;
  int width;
};
constexpr ListColumn kColumns[] = {{"RX/WX设备号", 85}, {"协议类型", 70}, {"配置", 195}};

QPushButton* button(QWidget* parent, const char* text, const char* name) {
  auto* b = new QPushButton(QString::fromUtf8(text), parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  return b;
}

}  // namespace

CDlgP2PConfig::CDlgP2PConfig(std::vector<PeerEntry> entries, Prompt& prompt, QWidget* parent)
    : QDialog(parent), entries_(std::move(entries)), prompt_(prompt) {
  setObjectName(QStringLiteral("CDlgP2PConfig"));
  setWindowTitle(qtText(forms::texts::kPeerCaption));
  entryDialog_ = [this](PeerEntry& entry) {
    CDlgAddDevice dialog(entry, prompt_, this);
    if (dialog.exec() != QDialog::Accepted) return false;
    entry = dialog.entry();
    return true;
  };

  list_ = new QTableWidget(0, 3, this);
  list_->setObjectName(QStringLiteral("peerList"));
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setShowGrid(true);
  list_->verticalHeader()->hide();
  for (int i = 0; i < 3; ++i) {
    auto* header = new QTableWidgetItem(QString::fromUtf8(kColumns[i].header));
    header->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    list_->setHorizontalHeaderItem(i, header);
    list_->setColumnWidth(i, kColumns[i].width);
  }
  auto* add = button(this, "添加...", "add");
  auto* edit = button(this, "编辑...", "edit");
  auto* remove = button(this, "删除", "delete");
  auto* removeAll = button(this, "全部删除", "deleteAll");
  auto* buttons = new QHBoxLayout;
  for (auto* b : {add, edit, remove, removeAll}) buttons->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addLayout(buttons);
  layout->addWidget(okCancelButtons(this));
  resize(400, 320);

  connect(add, &QPushButton::clicked, this, &CDlgP2PConfig::addEntry);
  connect(edit, &QPushButton::clicked, this, &CDlgP2PConfig::editEntry);
  connect(list_, &QTableWidget::cellDoubleClicked, this, &CDlgP2PConfig::editEntry);
  connect(remove, &QPushButton::clicked, this, &CDlgP2PConfig::deleteEntry);
  connect(removeAll, &QPushButton::clicked, this, &CDlgP2PConfig::deleteAllEntries);

  const auto shown = std::min(entries_.size(), kMaxPeerEntries);
  for (std::size_t i = 0; i < shown; ++i) appendRow(forms::peerRow(entries_[i]));
}

void CDlgP2PConfig::appendRow(const forms::PeerRow& row) {
  list_->insertRow(list_->rowCount());
  setRow(list_->rowCount() - 1, row);
}

void CDlgP2PConfig::setRow(int index, const forms::PeerRow& row) {
  const std::string* texts[] = {&row.device, &row.kind, &row.config};
  for (int column = 0; column < 3; ++column) {
    auto* item = new QTableWidgetItem(qtText(*texts[column]));
    item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    list_->setItem(index, column, item);
  }
}

forms::PeerRow CDlgP2PConfig::row(int index) const {
  const auto text = [&](int column) {
    const auto* item = list_->item(index, column);
    return item ? utf8Text(item->text()) : std::string();
  };
  return {text(0), text(1), text(2)};
}

int CDlgP2PConfig::firstSelectedRow() const {
  int first = -1;
  for (const auto& index : list_->selectionModel()->selectedRows())
    if (first < 0 || index.row() < first) first = index.row();
  return first;
}

bool CDlgP2PConfig::confirm(std::string_view question) {
  return prompt_.messageBox(question, texts::kCaptionWarning, MessageIcon::Warning,
                            MessageButtons::OkCancel) == MessageAnswer::Ok;
}

void CDlgP2PConfig::addEntry() {
  if (static_cast<std::size_t>(list_->rowCount()) >= kMaxPeerEntries) {
    prompt_.messageBox(forms::texts::kTooManyPeers, texts::kCaptionWarning, MessageIcon::Warning,
                       MessageButtons::Ok);
    return;
  }
  PeerEntry entry;
  if (entryDialog_(entry)) appendRow(forms::peerRow(entry));
}

void CDlgP2PConfig::editEntry() {
  const int index = firstSelectedRow();
  if (index < 0) return;
  auto edited = forms::entryForEdit(row(index));
  if (!edited.parsed)
    prompt_.messageBox(forms::texts::kPeerRowInvalid, texts::kCaptionError, MessageIcon::Error,
                       MessageButtons::Ok);
  if (entryDialog_(edited.entry)) setRow(index, forms::peerRow(edited.entry));
}

void CDlgP2PConfig::deleteEntry() {
  const int index = firstSelectedRow();
  if (index >= 0 && confirm(forms::texts::kDeleteRow)) list_->removeRow(index);
}

void CDlgP2PConfig::deleteAllEntries() {
  if (confirm(forms::texts::kDeleteAllRows)) list_->setRowCount(0);
}

void CDlgP2PConfig::accept() {
  std::vector<forms::PeerRow> rows;
  for (int i = 0; i < list_->rowCount(); ++i) rows.push_back(row(i));
  entries_ = forms::peerEntriesFromRows(rows, entries_);
  QDialog::accept();
}

}  // namespace orvane
