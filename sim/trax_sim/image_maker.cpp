#include "image_maker.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include <nlohmann/json.hpp>

#include "value_parsers.h"

namespace trax_sim {
namespace {

constexpr std::size_t kHeaderBytes = 38;
constexpr char kLabel[] = "trax-sim image";

struct MakeImageArgs {
  ImageSpec spec;
  std::string out;
};

MakeImageArgs parseArgs(const std::vector<std::string>& args) {
  MakeImageArgs r;
  bool kind = false, version = false, size = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw std::runtime_error(a + " needs a value");
      return args[++i];
    };
    if (a == "--kind") {
      const std::string& k = value();
      if (k != "boot" && k != "system") throw std::runtime_error("--kind: boot or system");
      r.spec.kind = k == "boot" ? 1 : 2;
      kind = true;
    } else if (a == "--version") {
      r.spec.version = parseVersion4(value(), "--version");
      version = true;
    } else if (a == "--size") {
      r.spec.size = static_cast<std::size_t>(parseUnsigned(nlohmann::json(value()), kMaxImageBytes, "--size"));
      size = true;
    } else if (a == "--seed") {
      r.spec.seed = static_cast<std::uint32_t>(parseUnsigned(nlohmann::json(value()), 0xFFFFFFFFu, "--seed"));
    } else if (a == "--bad-check") {
      r.spec.badCheck = true;
    } else if (!a.empty() && a[0] == '-') {
      throw std::runtime_error("make-image: unknown option " + a);
    } else if (r.out.empty()) {
      r.out = a;
    } else {
      throw std::runtime_error("make-image: one output file only");
    }
  }
  if (!kind || !version || !size || r.out.empty())
    throw std::runtime_error("make-image needs --kind, --version, --size and the output file");
  return r;
}

}  // namespace

Bytes makeImage(const ImageSpec& spec) {
  if (spec.size < kHeaderBytes || spec.size > kMaxImageBytes)
    throw std::runtime_error("an image holds 38 to 393216 bytes");
  Bytes image(spec.size, 0);
  std::memcpy(image.data(), spec.kind == 1 ? "BOOTLOADER" : "M4-TRAX100", 10);
  std::memcpy(image.data() + 10, kLabel, sizeof kLabel - 1);
  std::copy(spec.version.begin(), spec.version.end(), image.begin() + 32);
  // xorshift32: the same arguments give the same file.
  std::uint32_t state = spec.seed ^ 0x9E3779B9u ^ static_cast<std::uint32_t>(spec.size);
  if (state == 0) state = 1;
  for (std::size_t i = kHeaderBytes; i + 1 < spec.size; ++i) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    image[i] = static_cast<std::uint8_t>(state);
  }
  // A last data byte of 0xFF could be mistaken for padding by a module.
  if (spec.size > kHeaderBytes && image[spec.size - 2] == 0xFF) image[spec.size - 2] = 0xFE;
  image.back() = xorOf(std::span(image).first(spec.size - 1));
  if (spec.badCheck) image.back() ^= 0x5A;
  return image;
}

int runMakeImage(const std::vector<std::string>& args) {
  try {
    const auto parsed = parseArgs(args);
    const Bytes image = makeImage(parsed.spec);
    std::ofstream file(parsed.out, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    file.close();
    if (!file) throw std::runtime_error("cannot write " + parsed.out);
    std::printf("%s: %s image V%s, %zu bytes, check byte %02X\n", parsed.out.c_str(),
                parsed.spec.kind == 1 ? "BOOTLOADER" : "M4-TRAX100", versionText(parsed.spec.version).c_str(),
                image.size(), image.back());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "trax-sim: %s\n", e.what());
    return 2;
  }
}

}  // namespace trax_sim
