/* Wirelet: serial orders to a PLC (libWirelet.so on Linux, Wirelet.dll on
 * Windows, libWirelet.dylib on macOS).
 *
 * OpenCom(reserved, port, baud, dataBits, stopBits, parity) opens COM<port>
 * through Tethra and returns a connection handle, 0 when the link did not
 * open; the usual call is OpenCom(0, port, 9600, 8, 1, 0). CloseCom(handle)
 * closes it and returns 0 on failure.
 *
 * Every order takes the handle first and the caller's reply buffer last,
 * which must hold the order's expected reply length (listed below) and at
 * least 777 bytes, the longest marker reply that any order may receive; 1024
 * bytes is enough for all but Order50 and Order61_12 with counts above 1018.
 * Integer arguments are cut to their width on the wire: 16 bits
 * for addresses, words and the counts marked 16-bit, 8 bits for values and
 * other counts, 32 bits for the address of Order61_12/13. The result is one
 * byte:
 *   6  normal reply, acknowledged, check byte correct; the buffer holds it
 *   3  marker reply (0xFC, 0xFD or 0xFE in reply byte 3), check byte correct;
 *      the buffer holds 8, 9 or (reply byte 8 + 4) x 3 bytes
 *   4  reply received and acknowledged, check byte wrong; the buffer holds it
 *   2  enquiry unanswered after six attempts (nothing else sent), or a reply
 *      that began with neither ACK nor NAK
 *   1  no complete reply within 65.535 s, a fourth NAK, or a request refused
 *      without sending anything: longer than the 1024-byte request buffer
 *      (Order51 above 1015 bytes, Order61_13 above 1011), or data/reply
 *      pointer missing
 * With 1 and 2 the reply buffer is left as it was. Orders are not
 * re-entrant: one transaction at a time per process. */
#ifndef TRAX_WIRELET_H
#define TRAX_WIRELET_H

#if defined(_WIN32)
#define WIRELET_API __declspec(dllexport)
#else
#define WIRELET_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef unsigned char OrderResult;
typedef const unsigned char* OrderData;
typedef unsigned char* OrderReply;

WIRELET_API int OpenCom(int reserved, int port, int baud, int dataBits, int stopBits, int parity);
WIRELET_API int CloseCom(int handle);

/* Orders. Expected reply length L after the name; c is count, c' is count
 * with 0 read as 256, m is 3c or 768 when c is 0. "marker" orders expect
 * 1024 bytes and in practice end with a marker reply.
 *   Order00 7      Order01 8      Order10 10     Order20 marker  Order21 marker
 *   Order22 marker Order23 m + 9  Order24 3c + 9 Order25 marker  Order26 7
 *   OrderA6 7      Order27 7      Order29 7      Order2A 3c + 7  Order2B 7
 *   Order2C marker Order40 2c'+8  OrderC0 2c'+8  Order41 2c'+12  Order43 10
 *   Order44 7      OrderC4 7      Order45 7      OrderC5 7       Order46 7
 *   Order48 7      Order49 7      Order50 c + 6  Order51 7       Order61_00 38
 *   Order61_02 7   Order61_12 c + 6              Order61_13 7    Order70 c + 6
 *   Order71 7
 * Data sent: Order21/Order24 3c bytes, Order23/Order2B m bytes, Order2C 3 bytes
 * of each pointer, Order46 2c' bytes, Order51/Order61_13/Order71 c bytes. */
WIRELET_API OrderResult Order00(int h, int value, int value2, OrderReply reply);
WIRELET_API OrderResult Order01(int h, OrderReply reply);
WIRELET_API OrderResult Order10(int h, OrderReply reply);
WIRELET_API OrderResult Order20(int h, int address, OrderReply reply);
WIRELET_API OrderResult Order21(int h, int address, int count, OrderData data, OrderReply reply);
WIRELET_API OrderResult Order22(int h, int address, int word, OrderReply reply);
WIRELET_API OrderResult Order23(int h, int address, int count, OrderData data, OrderReply reply);
WIRELET_API OrderResult Order24(int h, int address, int count, OrderData data, OrderReply reply);
WIRELET_API OrderResult Order25(int h, int address, int word, OrderReply reply);
WIRELET_API OrderResult Order26(int h, int address, OrderReply reply);
WIRELET_API OrderResult OrderA6(int h, int address, OrderReply reply);
WIRELET_API OrderResult Order27(int h, OrderReply reply);
WIRELET_API OrderResult Order29(int h, int address, int word, OrderReply reply);
WIRELET_API OrderResult Order2A(int h, int address, int count, OrderReply reply);
WIRELET_API OrderResult Order2B(int h, int address, int count, OrderData data, OrderReply reply);
WIRELET_API OrderResult Order2C(int h, int address, OrderData data, OrderData data2,
                                OrderReply reply);
WIRELET_API OrderResult Order40(int h, int address, int count, OrderReply reply);
WIRELET_API OrderResult OrderC0(int h, int address, int count, OrderReply reply);
WIRELET_API OrderResult Order41(int h, int address, int count, int word, OrderReply reply);
WIRELET_API OrderResult Order43(int h, int address, int address2, int word, OrderReply reply);
WIRELET_API OrderResult Order44(int h, int address, OrderReply reply);
WIRELET_API OrderResult OrderC4(int h, int address, OrderReply reply);
WIRELET_API OrderResult Order45(int h, int address, OrderReply reply);
WIRELET_API OrderResult OrderC5(int h, int address, OrderReply reply);
WIRELET_API OrderResult Order46(int h, int address, int count, OrderData data, OrderReply reply);
WIRELET_API OrderResult Order48(int h, OrderReply reply);
WIRELET_API OrderResult Order49(int h, int address, int word, OrderReply reply);
WIRELET_API OrderResult Order50(int h, int address, int count16, OrderReply reply);
WIRELET_API OrderResult Order51(int h, int address, int count16, OrderData data, OrderReply reply);
WIRELET_API OrderResult Order61_00(int h, int value, OrderReply reply);
WIRELET_API OrderResult Order61_02(int h, int value, OrderReply reply);
WIRELET_API OrderResult Order61_12(int h, int value, int address32, int count16, OrderReply reply);
WIRELET_API OrderResult Order61_13(int h, int value, int address32, int count16, OrderData data,
                                   OrderReply reply);
WIRELET_API OrderResult Order70(int h, int value, int count, int address, OrderReply reply);
WIRELET_API OrderResult Order71(int h, int value, int count, int address, OrderData data,
                                OrderReply reply);

#ifdef __cplusplus
}
#endif

#endif
