#pragma once
// The settings dialogs of orvane-cli. The edit step of each command fills
// the dialog from the options instead of the keyboard and presses OK, which
// runs the dialog's own checks; a refused input shows the dialog's message
// (through the prompt, on standard error) and ends the dialog without
// writing. Without changes the dialog prints what it was opened with and is
// cancelled, so nothing is written.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "orvane/protocol/prompt.h"
#include "orvane/protocol/settings_dialogs.h"

namespace orvane::cli {

struct BasicChanges {
  std::optional<std::string> id, name, description;  // as typed into the edits
  bool automatic = false;                            // --dhcp
  bool manual = false;  // "手动设置IP地址" without new addresses (apply's dhcp column)
  std::optional<Ipv4Bytes> ip, mask, gateway;        // --ip, --mask, --gateway
  bool any() const {
    return id || name || description || automatic || manual || ip || mask || gateway;
  }
};

struct AdvancedChanges {
  std::optional<std::string> master, slave;  // the edits' texts
  bool any() const { return master || slave; }
};

class CliDialogs final : public SettingsDialogs {
 public:
  CliDialogs(Prompt& prompt, std::ostream& out, bool json) : prompt_(prompt), out_(out), json_(json) {}

  BasicChanges basic;
  AdvancedChanges advanced;
  std::optional<std::vector<PeerEntry>> peers;  // --set: the file's entries

  // Whether a dialog refused its input (its message has been shown).
  bool refused() const { return refused_; }

  bool editBasicSettings(ModuleRecord& record, int protocolType) override;
  bool editAdvancedSettings(AdvancedSettings& settings) override;
  bool editPeerTable(std::vector<PeerEntry>& entries) override;

 private:
  void refuse(std::string_view message);

  Prompt& prompt_;
  std::ostream& out_;
  bool json_;
  bool refused_ = false;
};

// The one text orvane-cli adds to the dialog's: the ID edit is disabled when
// the module fixes its own ID.
std::string fixedIdRefusal(int fixedId);

}  // namespace orvane::cli
