#include <gtest/gtest.h>

#include "sim/plc_sim/link_session.h"
#include "wirelet/tests/hex.h"

namespace {

using plc_sim::LinkFaults;
using plc_sim::LinkSession;
using plc_sim::PlcMemory;
using wirelet_test::fromHex;
using wirelet_test::toHex;

// What the session sends, as "hex" or "hex@pause" per send, joined by " | ".
std::string feed(LinkSession& session, const std::string& hex, std::int64_t atMs = 0) {
  std::string text;
  for (const auto& send : session.receive(fromHex(hex), atMs)) {
    if (!text.empty()) text += " | ";
    text += toHex(send.bytes);
    if (send.delayMs) text += "@" + std::to_string(send.delayMs);
  }
  return text;
}

const char* const kEnquiry = "4B 21 05";
const char* const kOrder48 = "01 48 01 17 49";

struct FaultRow {
  const char* name;
  LinkFaults faults;
  const char* onEnquiry;
  const char* onRequest;
  const char* onAck;
};

LinkFaults with(void (*set)(LinkFaults&)) {
  LinkFaults f;
  set(f);
  return f;
}

TEST(PlcLinkSession, FaultsChangeWhatThePlcSends) {
  const FaultRow rows[] = {
      {"none", {}, "4B 21 06", "06 01 48 01 00 00 17 49", "04"},
      {"no enquiry answer", with([](LinkFaults& f) { f.noEnquiryAnswer = true; }), "", "", ""},
      {"enquiry NAK", with([](LinkFaults& f) { f.enquiryNak = true; }), "4B 21 15", "", ""},
      {"two NAKs", with([](LinkFaults& f) { f.naks = 2; }), "4B 21 06",
       "15 | 15@50 | 06 01 48 01 00 00 17 49@50", "04"},
      {"four NAKs", with([](LinkFaults& f) { f.naks = 9; }), "4B 21 06", "15 | 15@50 | 15@50 | 15@50", ""},
      {"bad check", with([](LinkFaults& f) { f.badCheck = true; }), "4B 21 06",
       "06 01 48 01 00 00 17 B6", "04"},
      {"0xFC marker", with([](LinkFaults& f) { f.marker = 0xFC; }), "4B 21 06",
       "06 01 48 01 FC 00 00 17 B5", "04"},
      {"0xFE marker", with([](LinkFaults& f) { f.marker = 0xFE; }), "4B 21 06",
       "06 01 48 01 FE 00 00 00 00 01 00 00 00 00 17 B6", "04"},
      {"stops half-way", with([](LinkFaults& f) { f.stopHalfWay = true; }), "4B 21 06", "06 01 48 01", ""},
      {"neither ACK nor NAK", with([](LinkFaults& f) { f.badFirstByte = true; }), "4B 21 06", "3F", ""},
  };
  for (const FaultRow& row : rows) {
    PlcMemory memory;
    LinkSession session(memory, row.faults);
    EXPECT_EQ(feed(session, kEnquiry), row.onEnquiry) << row.name;
    EXPECT_EQ(feed(session, kOrder48), row.onRequest) << row.name;
    EXPECT_EQ(feed(session, "06"), row.onAck) << row.name;
    EXPECT_EQ(feed(session, "04"), "") << row.name;
  }
}

// Data bytes that look like control bytes belong to the request, whichever
// way the stream is cut.
TEST(PlcLinkSession, RequestDataMayHoldControlBytesAndArriveInPieces) {
  const auto request = fromHex("01 51 01 10 00 06 00 4B 21 05 17 04 06 17 3C");
  for (const std::size_t piece : {std::size_t{1}, std::size_t{4}, request.size()}) {
    PlcMemory memory;
    LinkSession session(memory, {});
    EXPECT_EQ(feed(session, kEnquiry), "4B 21 06");
    std::string sent;
    for (std::size_t at = 0; at < request.size(); at += piece) {
      const auto end = std::min(request.size(), at + piece);
      sent += feed(session, toHex(std::span(request).subspan(at, end - at)));
    }
    EXPECT_EQ(sent, "06 01 51 01 00 00 17 50") << piece;
    EXPECT_EQ(toHex(*memory.readBytes(16, 6)), "4B 21 05 17 04 06") << piece;
  }
}

TEST(PlcLinkSession, RefusesRequestsItCannotTakeAndRecovers) {
  for (const char* bad : {"01 99 01 17 98", "01 48 01 17 00", "01 48 02 17 4A"}) {
    PlcMemory memory;
    LinkSession session(memory, {});
    feed(session, kEnquiry);
    EXPECT_EQ(feed(session, bad), "15 | 15@50 | 15@50 | 15@50") << bad;
    EXPECT_EQ(feed(session, "04"), "") << bad;
    EXPECT_EQ(feed(session, std::string(kEnquiry) + " " + kOrder48), "4B 21 06 | 06 01 48 01 00 00 17 49")
        << bad;
    EXPECT_EQ(session.transactions(), 1) << bad;
  }
}

// Order51 announcing 16 bytes to write sends 2 of them: the PLC gives the
// request up after the time-out and answers the next enquiry.
TEST(PlcLinkSession, AbandonsARequestThatStopsArriving) {
  PlcMemory memory;
  LinkSession session(memory, {});
  EXPECT_EQ(feed(session, kEnquiry, 0), "4B 21 06");
  EXPECT_EQ(feed(session, "01 51 01 10 00 10 00 4B 21", 0), "");
  EXPECT_EQ(feed(session, kEnquiry, plc_sim::kRequestTimeOutMs - 1), "") << "still part of the request";
  EXPECT_EQ(feed(session, kEnquiry, plc_sim::kRequestTimeOutMs), "4B 21 06");
  EXPECT_EQ(feed(session, kOrder48, plc_sim::kRequestTimeOutMs), "06 01 48 01 00 00 17 49");
  EXPECT_EQ(session.transactions(), 1);
}

TEST(PlcLinkSession, RepeatedEnquiryIsAnsweredAndStrayBytesIgnored) {
  PlcMemory memory;
  LinkSession session(memory, {});
  EXPECT_EQ(feed(session, "06 04 4B 4B 21 05"), "4B 21 06");
  EXPECT_EQ(feed(session, kEnquiry), "4B 21 06");
  EXPECT_EQ(feed(session, kOrder48), "06 01 48 01 00 00 17 49");
  // The master gave up (EOT): a late ACK is no longer answered.
  EXPECT_EQ(feed(session, "04 06"), "");
}

}  // namespace
