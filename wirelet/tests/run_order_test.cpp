#include <gtest/gtest.h>

#include <array>

#include "wirelet/order_requests.h"
#include "wirelet/run_order.h"
#include "wirelet/tests/fake_link.h"
#include "wirelet/tests/hex.h"

namespace {

using wirelet::OrderResult;
using wirelet_test::FakeLink;
using wirelet_test::fromHex;
using wirelet_test::toHex;
using Bytes = std::vector<std::uint8_t>;

const Bytes kEnquiry{0x4B, 0x21, 0x05};

// A PLC reply given without its check byte; the check (XOR of everything
// between the first byte and ETB) is appended.
Bytes withCheck(const std::string& hex) {
  Bytes bytes = fromHex(hex);
  std::uint8_t check = 0;
  for (std::size_t i = 1; i + 1 < bytes.size(); ++i) check ^= bytes[i];
  bytes.push_back(check);
  return bytes;
}

Bytes cat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// What the PLC does: answers enquiries from a given attempt on, sends
// scripted chunks after the request, ends with EOT after the master's ACK.
struct ScriptedPlc {
  Bytes enquiryAnswer = fromHex("4B 21 06");
  int answerFromAttempt = 1;
  std::vector<std::pair<unsigned, Bytes>> onRequest;
  bool eotAfterAck = true;
  int enquiries = 0;

  FakeLink::Peer peer() {
    return [this](FakeLink& link, const Bytes& w) {
      if (w == kEnquiry) {
        if (++enquiries >= answerFromAttempt) link.deliver(enquiryAnswer, 5);
      } else if (!w.empty() && w[0] == 0x01) {
        for (const auto& [ms, bytes] : onRequest) link.deliver(bytes, ms);
      } else if (w == Bytes{0x06} && eotAfterAck) {
        link.deliver({0x04}, 5);
      }
    };
  }
};

// The writes of a transaction as names: ENQ, REQ, ACK, EOT.
std::string writesOf(const FakeLink& link) {
  std::string names;
  for (const auto& w : link.writes) {
    if (!names.empty()) names += ' ';
    if (w == kEnquiry) names += "ENQ";
    else if (w == Bytes{0x06}) names += "ACK";
    else if (w == Bytes{0x04}) names += "EOT";
    else if (!w.empty() && w[0] == 0x01) names += "REQ";
    else names += "?" + toHex(w);
  }
  return names;
}

const Bytes kGood = withCheck("01 48 01 00 00 17");

struct Outcome {
  OrderResult result;
  std::array<std::uint8_t, 1024> reply;
  FakeLink link;
};

// Order48 (7 reply bytes expected) against the script; the caller's buffer
// starts out filled with 0xEE.
Outcome runOrder48(ScriptedPlc& plc) {
  Outcome run{OrderResult::NoReply, {}, FakeLink(plc.peer())};
  run.reply.fill(0xEE);
  run.result = wirelet::carryOutOrder(run.link, wirelet::orders::order48(), run.reply.data());
  return run;
}

std::string untouched(std::size_t n) { return toHex(Bytes(n, 0xEE)); }

struct ReplyRow {
  const char* name;
  std::vector<std::pair<unsigned, Bytes>> onRequest;
  OrderResult result;
  std::string reply;  // hex of the caller's buffer afterwards (its first bytes)
  const char* writes;
  std::uint64_t minMs, maxMs;  // fake time the transaction takes
};

TEST(RunOrder, ReplyOutcomes) {
  const Bytes badCheck = cat(fromHex("01 48 01 00 00 17"), {0x00});
  const Bytes fc = withCheck("01 48 01 FC 00 00 17");
  const Bytes fd = withCheck("01 48 01 FD 00 00 00 17");
  const Bytes fe = withCheck("01 48 01 FE 00 00 00 00 02 00 00 00 00 00 00 00 17");  // (2 + 4) x 3
  const Bytes nak{0x15};
  const ReplyRow rows[] = {
      {"good reply", {{0, cat({0x06}, kGood)}}, OrderResult::GoodReply, toHex(kGood),
       "ENQ REQ ACK EOT", 0, 200},
      {"bad check byte", {{0, cat({0x06}, badCheck)}}, OrderResult::BadCheck, toHex(badCheck),
       "ENQ REQ ACK EOT", 0, 200},
      {"0xFC marker", {{0, cat({0x06}, fc)}}, OrderResult::MarkerReply, toHex(fc), "ENQ REQ ACK EOT", 0, 200},
      {"0xFD marker", {{0, cat({0x06}, fd)}}, OrderResult::MarkerReply, toHex(fd), "ENQ REQ ACK EOT", 0, 200},
      {"0xFE marker", {{0, cat({0x06}, fe)}}, OrderResult::MarkerReply, toHex(fe), "ENQ REQ ACK EOT", 0, 200},
      {"three NAKs, then the reply", {{0, nak}, {50, nak}, {100, nak}, {150, cat({0x06}, kGood)}},
       OrderResult::GoodReply, toHex(kGood), "ENQ REQ ACK EOT", 150, 400},
      {"four NAKs", {{0, nak}, {50, nak}, {100, nak}, {150, nak}}, OrderResult::NoReply, untouched(7),
       "ENQ REQ EOT", 150, 400},
      {"neither ACK nor NAK", {{0, cat({0x3F}, kGood)}}, OrderResult::NotAnswered, untouched(7),
       "ENQ REQ EOT", 0, 200},
      {"silence", {}, OrderResult::NoReply, untouched(7), "ENQ REQ EOT", 65535, 66000},
      // The old contents of the buffer are not checked as if they were a reply.
      {"stops half-way", {{0, fromHex("06 01 48 01")}}, OrderResult::NoReply, untouched(7),
       "ENQ REQ EOT", 65535, 66000},
      {"byte by byte", {{0, {0x06}}, {15, {kGood[0]}}, {30, {kGood[1]}}, {45, {kGood[2]}},
        {60, {kGood[3]}}, {75, {kGood[4]}}, {90, {kGood[5]}}, {105, {kGood[6]}}},
       OrderResult::GoodReply, toHex(kGood), "ENQ REQ ACK EOT", 105, 400},
      // The reply phase ends when the reply is in, even when the last
      // chunk brings more than was missing.
      {"last chunk longer than missing", {{0, fromHex("06 01 48")}, {30, cat(Bytes(kGood.begin() + 2, kGood.end()), fromHex("AA BB CC"))}},
       OrderResult::GoodReply, toHex(kGood), "ENQ REQ ACK EOT", 30, 300},
  };
  for (const ReplyRow& row : rows) {
    ScriptedPlc plc;
    plc.onRequest = row.onRequest;
    Outcome run = runOrder48(plc);
    EXPECT_EQ(run.result, row.result) << row.name;
    const std::size_t shown = fromHex(row.reply).size();
    EXPECT_EQ(toHex(std::span(run.reply).first(shown)), row.reply) << row.name;
    EXPECT_EQ(writesOf(run.link), row.writes) << row.name;
    EXPECT_EQ(run.link.flushes, 1) << row.name;
    EXPECT_GE(run.link.now, row.minMs) << row.name;
    EXPECT_LE(run.link.now, row.maxMs) << row.name;
  }
}

TEST(RunOrder, UnansweredEnquiryGivesUpAfterSixAttemptsAndSendsNothingElse) {
  ScriptedPlc plc;
  plc.enquiryAnswer.clear();
  Outcome run = runOrder48(plc);
  EXPECT_EQ(run.result, OrderResult::NotAnswered);
  EXPECT_EQ(writesOf(run.link), "ENQ ENQ ENQ ENQ ENQ ENQ");
  EXPECT_GE(run.link.now, 6u * 800);
  EXPECT_LE(run.link.now, 6u * 800 + 6 * 20);
  EXPECT_EQ(toHex(std::span(run.reply).first(7)), untouched(7));
}

TEST(RunOrder, EnquiryAnsweredWithNakCountsAsUnanswered) {
  ScriptedPlc plc;
  plc.enquiryAnswer = {0x4B, 0x21, 0x15};
  Outcome refused = runOrder48(plc);
  EXPECT_EQ(refused.result, OrderResult::NotAnswered);

  // A PLC that wakes up at the third attempt is served.
  ScriptedPlc late;
  late.answerFromAttempt = 3;
  late.onRequest = {{0, cat({0x06}, kGood)}};
  Outcome run = runOrder48(late);
  EXPECT_EQ(run.result, OrderResult::GoodReply);
  EXPECT_EQ(writesOf(run.link), "ENQ ENQ ENQ REQ ACK EOT");
  EXPECT_GE(run.link.now, 2u * 800);
}

TEST(RunOrder, MissingEndOfTransmissionCostsTheEndWaitOnly) {
  ScriptedPlc plc;
  plc.onRequest = {{0, cat({0x06}, kGood)}};
  plc.eotAfterAck = false;
  Outcome run = runOrder48(plc);
  EXPECT_EQ(run.result, OrderResult::GoodReply);
  EXPECT_EQ(writesOf(run.link), "ENQ REQ ACK EOT");
  EXPECT_GE(run.link.now, 2000u);
  EXPECT_LE(run.link.now, 2200u);
}

TEST(RunOrder, RefusedRequestTouchesNeitherLinkNorBuffer) {
  FakeLink link(nullptr);
  std::array<std::uint8_t, 16> reply;
  reply.fill(0xEE);
  const std::vector<std::uint8_t> data(2000);
  EXPECT_EQ(wirelet::carryOutOrder(link, wirelet::orders::order51(1, 2000, data.data()), reply.data()),
            OrderResult::NoReply);
  EXPECT_EQ(wirelet::carryOutOrder(link, wirelet::orders::order48(), nullptr), OrderResult::NoReply);
  EXPECT_TRUE(link.writes.empty());
  EXPECT_EQ(link.flushes, 0);
  EXPECT_EQ(toHex(reply), untouched(16));
}

// Replies longer than the 1024-byte buffers, and floods after the reply,
// stay within the buffers.
TEST(RunOrder, LongRepliesAndFloodsStayInBounds) {
  Bytes data(2000);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7);
  const Bytes longReply = withCheck(toHex(cat(cat(fromHex("01 50 01 00"), data), {0x17})));
  ScriptedPlc plc;
  plc.onRequest = {{0, {0x06}}, {10, Bytes(longReply.begin(), longReply.begin() + 900)},
                   {40, Bytes(longReply.begin() + 900, longReply.end())}};
  FakeLink link(plc.peer());
  std::vector<std::uint8_t> reply(2006);
  EXPECT_EQ(wirelet::carryOutOrder(link, wirelet::orders::order50(0, 2000), reply.data()),
            OrderResult::GoodReply);
  EXPECT_EQ(reply, longReply);

  ScriptedPlc flood;
  flood.onRequest = {{0, cat(cat({0x06}, kGood), Bytes(5000, 0x55))}};
  Outcome run = runOrder48(flood);
  EXPECT_EQ(run.result, OrderResult::GoodReply);
  EXPECT_EQ(toHex(std::span(run.reply).first(8)), toHex(kGood) + " EE");
}

}  // namespace
