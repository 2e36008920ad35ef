/* Quorra: the Modbus TCP client library Tessor links. Five calls, each taking the
 * caller's communication record (common/tag_pparam.h) and returning a 16-bit
 * status: 0 on success, otherwise an error code whose text ErrorText gives.
 * The read and write calls also leave that code in the record (offset 62).
 *
 * Record fields read at open: server IPv4 address (offset 164, network byte order),
 * TCP port (174, plain little-endian), response time-out in ms (52), retries (220,
 * at most 10 are used), station (60, sent as the unit identifier), and the pointer
 * to a caller-allocated 4-byte block (212) in which the library keeps the number
 * of the connection it opened. The caller need not initialise the block: a
 * connection is reached only through the block that opened it. The caller frees
 * the block after zCOMMClose.
 *
 * Area codes: 0x0200 coils, 0x0201 discrete inputs, 0x0103 holding registers,
 * 0x0102 input registers. Bits travel packed 16 to a word, least significant bit
 * first (bit 0 of word 0 is the bit at the start address).
 *
 * A reply answers a request only when its protocol identifier is 0 (else 1705),
 * its unit identifier is the station (else 1021), and a write's reply echoes the
 * address (else 1008), the count of FC15/FC16 (else 1010) and the value of FC5/FC6
 * (else 1016); a read's data are stored only from a reply that answers it.
 *
 * A request that fails for want of an answer (time-out, broken connection, garbled
 * reply or one that does not answer it) is repeated up to `retries` times on a fresh
 * connection; a Modbus exception reply is the server's answer and is not repeated.
 * When the server has closed an idle connection, the next request reconnects and is
 * sent again once, without counting as a retry. */
#ifndef TRAX_TESSOR_QUORRA_H
#define TRAX_TESSOR_QUORRA_H

#include "common/tag_pparam.h"

#if defined(_WIN32)
#define QUORRA_API __declspec(dllexport)
#else
#define QUORRA_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define QUORRA_AREA_COILS 0x0200
#define QUORRA_AREA_DISCRETE_INPUTS 0x0201
#define QUORRA_AREA_HOLDING_REGISTERS 0x0103
#define QUORRA_AREA_INPUT_REGISTERS 0x0102

/* Opens the connection the record describes. Returns 0, or the error code
 * (also left at offset 62): 1015 refused/unreachable, 1001 no answer within the
 * time-out, 1021 a station (248-254) that cannot be sent, 1020 no 4-byte block,
 * 1012 no record. A connection this block opened before and did not close is closed;
 * whatever number the block holds is ignored. */
QUORRA_API unsigned short zCOMMOpen(tagPPARAM* record);

/* Closes the record's connection, if the number in its block is that of a connection
 * this block opened. Closing a connection that is not open succeeds. */
QUORRA_API unsigned short zCOMMClose(tagPPARAM* record);

/* Reads `count` values of `area` from `address` into `buffer`: FC1 (coils, up to
 * 2000), FC2 (discrete inputs, up to 2000), FC3 (holding registers, up to 125),
 * FC4 (input registers, up to 125). Bit reads fill ceil(count / 16) words. */
QUORRA_API unsigned short zRead_PLC(tagPPARAM* record, unsigned short area, unsigned int address,
                                    unsigned short* buffer, short count);

/* Writes from `buffer`. Holding registers: `count` words, one as FC6, 2-123 as
 * FC16. Coils: `count` is the number of coils (not of words), 1-1968, sent as
 * FC15 that writes exactly those coils from the packed bits. */
QUORRA_API unsigned short zWrite_PLC(tagPPARAM* record, unsigned short area, unsigned int address,
                                     const unsigned short* buffer, short count);

/* Sets one coil (area 0x0200 only) to `value` (0 off, anything else on) with FC5. */
QUORRA_API unsigned short zSetBit_PLC(tagPPARAM* record, unsigned short area, unsigned int address,
                                      int value);

#ifdef __cplusplus
}
#endif

#endif /* TRAX_TESSOR_QUORRA_H */
