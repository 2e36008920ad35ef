#pragma once
// The two help panels of the docking bar: each shows its local page from
// the program directory, "ModuleHelpcn.htm" (CDlgHelpE) or
// "GeneralHelpcn.htm" (CDlgHelpG), filling the panel.
#include <QString>
#include <QWidget>

namespace orvane {

class WebBrowser;

class CDlgHelpPanel : public QWidget {
  Q_OBJECT

 public:
  WebBrowser& browser() { return *browser_; }

 protected:
  CDlgHelpPanel(const QString& programDirectory, const QString& page, QWidget* parent);

 private:
  WebBrowser* browser_;
};

class CDlgHelpE final : public CDlgHelpPanel {
  Q_OBJECT

 public:
  explicit CDlgHelpE(const QString& programDirectory, QWidget* parent = nullptr);
};

class CDlgHelpG final : public CDlgHelpPanel {
  Q_OBJECT

 public:
  explicit CDlgHelpG(const QString& programDirectory, QWidget* parent = nullptr);
};

}  // namespace orvane
