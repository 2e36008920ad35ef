#pragma once
// "点对点配置": the module's peer-to-peer table. While the dialog is open its
// list rows are the working copy of the table; add, edit and delete change
// only the rows, and OK parses the row texts back onto the entries the
// dialog was opened with.
#include <QDialog>
#include <functional>
#include <vector>

#include "orvane/forms/peer_rows.h"
#include "orvane/protocol/prompt.h"

class QTableWidget;

namespace orvane {

class CDlgP2PConfig final : public QDialog {
  Q_OBJECT

 public:
  // The entry dialog ("添加设备") for one entry: true and the edited entry
  // on OK. By default CDlgAddDevice; tests script it.
  using EntryDialog = std::function<bool(PeerEntry& entry)>;

  CDlgP2PConfig(std::vector<PeerEntry> entries, Prompt& prompt, QWidget* parent = nullptr);

  void setEntryDialog(EntryDialog dialog) { entryDialog_ = std::move(dialog); }
  // After OK: the entries, their number being the count to write.
  const std::vector<PeerEntry>& entries() const { return entries_; }

  void addEntry();
  void editEntry();
  void deleteEntry();
  void deleteAllEntries();

 public slots:
  void accept() override;

 private:
  void appendRow(const forms::PeerRow& row);
  void setRow(int index, const forms::PeerRow& row);
  forms::PeerRow row(int index) const;
  int firstSelectedRow() const;
  bool confirm(std::string_view question);

  std::vector<PeerEntry> entries_;
  Prompt& prompt_;
  EntryDialog entryDialog_;
  QTableWidget* list_ = nullptr;
};

}  // namespace orvane
