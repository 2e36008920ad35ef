// Check byte and number/text conversions, with guard characters around the
// caller's n so that a write outside them shows.
#include <gtest/gtest.h>

#include <string>

#include "corvel/corvel.h"

namespace {

constexpr char kGuard = '#';

// A buffer of n characters with guards on both sides.
struct Guarded {
  explicit Guarded(int n) : storage(static_cast<std::size_t>(n) + 8, kGuard) {}
  char* data() { return storage.data() + 4; }
  std::string text(int n) const { return storage.substr(4, static_cast<std::size_t>(n)); }
  bool guardsIntact(int n) const {
    return storage.substr(0, 4) == "####" && storage.substr(4 + static_cast<std::size_t>(n)) == "####";
  }
  std::string storage;
};

TEST(CorvelMakeLrc, XorsTheBytesBetweenTheFirstAndTheLastTwo) {
  const unsigned char frame[] = {0x01, 0x48, 0x01, 0x17, 0x49};
  struct Row { int length; int lrc; };
  for (const Row& row : {Row{5, 0x49}, Row{4, 0x48}, Row{3, 0}, Row{0, 0}, Row{-5, 0},
                         Row{0x10005, 0x49}}) {  // the length is taken as 16 bits
    EXPECT_EQ(LIB_MakeLRC(frame, row.length), row.lrc) << row.length;
  }
}

TEST(CorvelNumberToText, WritesExactlyNCharacters) {
  struct Row { const char* name; int (*convert)(char*, int, int); int value; int n; std::string text; int result; };
  const Row rows[] = {
      {"bN", LIB_stci_bN, 5, 16, "1010000000000000", 16},
      {"bN", LIB_stci_bN, 0x18001, 20, "10000000000000010000", 20},  // bits from 16 on are 0
      {"bN", LIB_stci_bN, 3, 1, "1", 1},
      {"dn", LIB_stci_dn, 42, 5, "00042", 5},
      {"dn", LIB_stci_dn, 98765, 3, "987", 5},
      {"dn", LIB_stci_dn, -42, 5, "-0042", 5},
      {"dn", LIB_stci_dn, -2147483647 - 1, 11, "-2147483648", 11},
      {"hn", LIB_stci_hn, 255, 4, "00FF", 4},
      {"hn", LIB_stci_hn, -1, 4, "FFFF", 8},
      {"hn", LIB_stci_hn, 0xABC, 0, "", 3},
  };
  for (const Row& row : rows) {
    Guarded buffer(row.n);
    EXPECT_EQ(row.convert(buffer.data(), row.value, row.n), row.result) << row.name << " " << row.value;
    EXPECT_EQ(buffer.text(row.n), row.text) << row.name << " " << row.value;
    EXPECT_TRUE(buffer.guardsIntact(row.n)) << row.name << " " << row.value;
  }
}

TEST(CorvelNumberToText, SixteenBitsAndOctal) {
  Guarded bits(16);
  LIB_stci_b(bits.data(), 0x0005);
  EXPECT_EQ(bits.text(16), "1010000000000000");
  EXPECT_TRUE(bits.guardsIntact(16));
  Guarded octal(6);
  LIB_stci_on(octal.data(), 8 * 8 + 7, 6);
  EXPECT_EQ(octal.text(6), "000107");
  EXPECT_TRUE(octal.guardsIntact(6));
}

TEST(CorvelNumberToText, RefusesWidthsBeyondTheWorkBuffer) {
  for (int n : {12, 20, -1, -5}) {
    Guarded buffer(24);
    EXPECT_EQ(LIB_stci_dn(buffer.data(), 7, n), -1) << n;
    EXPECT_EQ(LIB_stci_hn(buffer.data(), 7, n), -1) << n;
    LIB_stci_on(buffer.data(), 7, n);
    EXPECT_EQ(buffer.storage, std::string(32, kGuard)) << n;  // nothing written
  }
  EXPECT_EQ(LIB_stci_bN(nullptr, 5, 16), 0);
  EXPECT_EQ(LIB_stci_dn(nullptr, 5, 3), -1);
}

TEST(CorvelTextToNumber, ReadsTheFirstNCharacters) {
  struct Row { const char* name; int (*convert)(const char*, int); const char* text; int n; int value; };
  const Row rows[] = {
      {"bN", LIB_wcst_bN, "1010000000000000", 16, 5},
      {"bN", LIB_wcst_bN, "11", 1, 1},
      {"bN", LIB_wcst_bN, "0000000000000000000000000000000011", 34, 0},  // bits past 31 are dropped
      {"bN", LIB_wcst_bN, "101", 16, 5},  // stops at the terminator
      {"bN", LIB_wcst_bN, "qa", 2, 3},    // lowest bit of each character
      {"hn", LIB_icst_hn, "00FFxyz", 4, 255},
      {"hn", LIB_icst_hn, "ff", 2, 255},
      {"hn", LIB_icst_hn, "FFFFFFFF", 8, -1},
      {"hn", LIB_icst_hn, "12", 11, 0x12},  // a short text ends at its terminator
      {"dn", LIB_icst_dn, "0004299", 5, 42},
      {"dn", LIB_icst_dn, "-0042", 5, -42},
      {"dn", LIB_icst_dn, "abc", 3, 0},
      {"dn", LIB_icst_dn, "12345678901", 11, static_cast<int>(12345678901LL & 0xFFFFFFFF)},
      {"dn", LIB_icst_dn, "123456789012", 12, 0},  // refused: beyond the work buffer
      {"dn", LIB_icst_dn, "12", -1, 0},
  };
  for (const Row& row : rows) EXPECT_EQ(row.convert(row.text, row.n), row.value) << row.name << " " << row.text;
  EXPECT_EQ(LIB_wcst_b("1010000000000000"), 5);
  EXPECT_EQ(LIB_wcst_b("1111111111111111111"), 0xFFFF);
  EXPECT_EQ(LIB_wcst_b(nullptr), 0);
  EXPECT_EQ(LIB_icst_hn(nullptr, 4), 0);
}

TEST(CorvelTextToNumber, ReadsBackWhatWasWritten) {
  for (int value : {0, 1, 255, 4095, 65535}) {
    char text[8];
    LIB_stci_hn(text, value, 4);
    EXPECT_EQ(LIB_icst_hn(text, 4), value);
    LIB_stci_dn(text, value, 5);
    EXPECT_EQ(LIB_icst_dn(text, 5), value);
    char bits[16];
    LIB_stci_b(bits, value);
    EXPECT_EQ(LIB_wcst_b(bits), value);
  }
}

}  // namespace
