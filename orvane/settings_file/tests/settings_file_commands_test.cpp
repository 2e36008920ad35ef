#include <gtest/gtest.h>

#include <fstream>

#include "orvane/forms/form_texts.h"
#include "orvane/protocol/tests/settings_commands_fixture.h"
#include "orvane/settings_file/settings_file_commands.h"

namespace orvane::settings_file {
namespace {

// The editor's two context menu commands over the settings commands, with
// the editor's own dialogs (scripted) forwarded to outside a file flow.
class SettingsFileCommandsTest : public orvane::testing::SettingsCommandsTest {
 protected:
  SettingsFileDialogs fileDialogs{&dialogs};
  SettingsCommands fileCommands{core, fileDialogs, [](std::chrono::milliseconds) {}};
  SettingsFileCommands editor{fileCommands, fileDialogs, prompt};
};

TEST_F(SettingsFileCommandsTest, SavedSettingsLoadBackAfterTheQuestion) {
  scan({fake(1)});
  const auto file = dir.path() / "module.json";
  prompt.files = {file};
  ASSERT_EQ(editor.saveSettings(0), SettingsOutcome::Done);
  EXPECT_EQ(dialogs.opened(), 0);  // the editor's dialogs stay closed

  fakes[0].module.name = "changed";
  prompt.files = {file};
  ASSERT_EQ(editor.loadSettings(0), SettingsOutcome::Done) << boxTexts().back();
  EXPECT_EQ(fakes[0].module.name, "module");
  ASSERT_EQ(prompt.boxes.size(), 2u);
  EXPECT_EQ(prompt.boxes[0].text, "载入配置将修改以下设置：\nbasic.name: \"changed\" → \"module\"\n\n写入模块吗？");
  EXPECT_EQ(prompt.boxes[1].caption, "成功");

  AdvancedSettings block;
  EXPECT_FALSE(fileDialogs.editAdvancedSettings(block));
  EXPECT_EQ(dialogs.opened(), 1);  // outside a file flow: the editor's dialog
}

TEST_F(SettingsFileCommandsTest, AFileFailingACheckShowsTheDialogsMessageAndSendsNothing) {
  scan({fake(1)});
  const auto file = dir.path() / "module.json";
  prompt.files = {file};
  ASSERT_EQ(editor.saveSettings(0), SettingsOutcome::Done);
  std::ifstream in(file);
  std::string text{std::istreambuf_iterator<char>(in), {}};
  text.replace(text.find("\"masterTimeoutMs\": 500"), 22, "\"masterTimeoutMs\": 0");
  std::ofstream(file) << text;
  sentBefore = transport.sent().size();
  prompt.files = {file};
  EXPECT_EQ(editor.loadSettings(0), SettingsOutcome::Cancelled);
  EXPECT_EQ(boxTexts(), (std::vector<std::string>{std::string(forms::texts::kMasterTimeout)}));
  EXPECT_TRUE(codesSent().empty());
}

}  // namespace
}  // namespace orvane::settings_file
