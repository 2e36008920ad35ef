// upgrade-bench: the firmware upgrade of the largest image (393216 bytes,
// 768 blocks) to one module of trax-sim on 127.0.0.1, through the editor's
// core with its real time-outs. Prints the whole upgrade and the download in
// seconds, the blocks per second, and the download against its floor: 768
// block exchanges times the loopback round trip measured in the same run.
// usage: upgrade-bench [--samples N]   (round-trip samples, 10-1000, default 300)
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "common/help_and_version.h"
#include "orvane/firmware/firmware_upgrade.h"
#include "orvane/protocol/row_format.h"
#include "platform/program_dir.h"
#include "test_support/child_process.h"
#include "test_support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t kImageSize = 393216;
constexpr int kBlocks = 768;
constexpr orvane::MacAddress kMac{0x02, 0x54, 0x52, 0x58, 0x00, 0x01};

const char* const kUsage =
    "usage: upgrade-bench [--samples N]\n"
    "The firmware upgrade of a 393216-byte image to one module of trax-sim on 127.0.0.1, in\n"
    "seconds and blocks per second, against 768 times the loopback round trip.\n"
    "  --samples N   round trips measured, 10 to 1000 (default 300)\n"
    "  --help        this text\n"
    "  --version     the suite's version\n";

// The largest image: magic, version 4.1.0.9, a body that does not end in
// two 0xFF bytes, and the check byte.
std::vector<std::uint8_t> largestImage() {
  std::vector<std::uint8_t> image(kImageSize, 0);
  std::memcpy(image.data(), "M4-TRAX100", 10);
  image[32] = 9, image[33] = 0, image[34] = 1, image[35] = 4;
  std::uint32_t seed = 12345;
  for (std::size_t i = 38; i + 1 < kImageSize; ++i) {
    seed = seed * 1103515245u + 12345u;
    image[i] = static_cast<std::uint8_t>((seed >> 16) & 0x7F);
  }
  for (std::size_t i = 0; i + 1 < kImageSize; ++i) image.back() ^= image[i];
  return image;
}

// Records when the download starts (5) and ends (95); the list has one row.
class BenchUi final : public orvane::UiPort {
 public:
  orvane::StatusText* status = nullptr;
  Clock::time_point downloadStart, downloadEnd;

  void refreshList(int) override {}
  void statusPosted() override {}
  void setStatusText() override {}
  void showVersions(std::uint8_t, const orvane::ModuleVersionInfo&) override {}
  void selectionState(int, std::uint8_t) override {}
  void progress(int percent) override {
    std::lock_guard lock(mutex_);
    if (percent == 5) downloadStart = Clock::now();
    if (percent == 95) downloadEnd = Clock::now();
  }
  void busyIndicator(bool) override {}
  bool hasProgressControl() const override { return false; }
  void portButton(const std::string&, bool) override {}
  bool hasPortButton() const override { return false; }
  void waitCursor(bool) override {}
  void setRowText(int, int, const std::string&) override {}
  std::string rowMacText(int) override { return orvane::macText(kMac); }

 private:
  std::mutex mutex_;
};

// Says yes to every question and prints the other boxes.
class BenchPrompt final : public orvane::Prompt {
 public:
  orvane::MessageAnswer messageBox(std::string_view text, std::string_view caption,
                                   orvane::MessageIcon, orvane::MessageButtons buttons) override {
    if (buttons == orvane::MessageButtons::Ok)
      std::printf("%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                  static_cast<int>(text.size()), text.data());
    return orvane::MessageAnswer::Ok;
  }
  std::optional<std::filesystem::path> chooseFile(const std::filesystem::path& initial,
                                                  std::string_view) override {
    return initial;
  }
  std::optional<int> choosePort(int) override { return std::nullopt; }
};

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The mean round trip of `samples` ReadSystemInfo exchanges, in seconds.
double loopbackRoundTrip(orvane::ModuleLink& link, int samples) {
  orvane::BootLoaderRequests requests(link);
  int answered = 0;
  const auto start = Clock::now();
  for (int i = 0; i < samples; ++i) answered += requests.readSystemInfo(kMac, 100);
  const double total = seconds(Clock::now() - start);
  if (answered != samples) std::printf("note: %d of %d round trips unanswered\n", samples - answered, samples);
  return total / samples;
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto answered = trax::answerHelpOrVersion(argc, argv, "upgrade-bench", kUsage)) return *answered;
  int samples = 300;
  if (argc == 3 && std::strcmp(argv[1], "--samples") == 0) samples = std::atoi(argv[2]);
  if ((argc != 1 && argc != 3) || samples < 10 || samples > 1000) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  test_support::TempDir dir;
  const auto image = largestImage();
  {
    std::FILE* f = std::fopen((dir.path() / "fw.bin").c_str(), "wb");
    if (!f || std::fwrite(image.data(), 1, image.size(), f) != image.size()) return 1;
    std::fclose(f);
  }
  test_support::ChildProcess sim((platform::programDirectory() / "trax-sim").string(),
                                 {"--listen", "127.0.0.1:0", "--no-scan", "--enter-delay", "0",
                                  "--erase-delay", "0", "--restart-delay", "0", "--module",
                                  R"({"mac":"02-54-52-58-00-01","firmwareVersion":"4.1.0.3"})"});
  const auto ready = sim.waitForLine("listening ", 1);
  const auto endpoint = ready ? platform::parseEndpoint(*ready) : std::nullopt;
  if (!endpoint || (endpoint->address >> 24) != 127) {
    std::fprintf(stderr, "upgrade-bench: trax-sim gave no loopback address\n");
    return 1;
  }

  orvane::ConfigStore config(dir.path() / "Lumen_.ini");
  config.writeText("FirmwareFileName", "fw.bin");
  config.writeText("BroadcastAddress", "127.0.0.1");
  config.writeInt("BroadcastPort", endpoint->port);
  BenchUi ui;
  BenchPrompt prompt;
  orvane::ProcessFlags flags;
  orvane::UdpTransport transport;
  orvane::OrvaneViewCore core(ui, prompt, transport, config, flags);
  orvane::FirmwareUpgrade upgrade(core);
  core.loadSettings();
  core.runOperation(orvane::kOperationScan, 0);
  if (core.table().count() != 1) {
    std::fprintf(stderr, "upgrade-bench: the simulated module did not answer\n");
    return 1;
  }

  const double roundTrip = loopbackRoundTrip(core.link(), samples);
  const auto start = Clock::now();
  upgrade.start(0);
  core.worker().end(orvane::BackgroundOperation::kNoLimit);
  const double total = seconds(Clock::now() - start);
  if (upgrade.outcome().result != orvane::UpgradeResult::Succeeded) {
    std::fprintf(stderr, "upgrade-bench: the upgrade failed: %s\n", upgrade.outcome().text.c_str());
    return 1;
  }
  const double download = seconds(ui.downloadEnd - ui.downloadStart);
  const double floor = kBlocks * roundTrip;
  std::printf("upgrade-bench: %zu-byte image, %d blocks, one module of trax-sim on %s\n",
              kImageSize, kBlocks, endpoint->text().c_str());
  std::printf("loopback round trip  %.3f ms (mean of %d ReadSystemInfo exchanges)\n",
              roundTrip * 1000, samples);
  std::printf("whole upgrade        %.3f s (boot loader, erase, download, verify, restart, scan)\n", total);
  std::printf("download             %.3f s, %.0f blocks/s\n", download, kBlocks / download);
  std::printf("floor                %.3f s (768 x round trip); download / floor = %.2f\n", floor,
              download / floor);
  return 0;
}
