/* Corvel: serial port access for PLC drivers that share the tagPPARAM
 * communication record, plus a frame check byte, fixed-width number/text
 * conversions and a debug line to a message viewer.
 *
 * Every function keeps its state in the caller's record; results follow the
 * record's conventions: 16-bit statuses are 0 for success and -1 for failure,
 * with the library error code in the record's errorCode field and the
 * platform error (errno) in osError. README.md beside this file documents
 * each export. */
#ifndef TRAX_CORVEL_CORVEL_H
#define TRAX_CORVEL_CORVEL_H

#include "common/tag_pparam.h"

#if defined(_WIN32)
#define CORVEL_API __declspec(dllexport)
#else
#define CORVEL_API __attribute__((visibility("default")))
#endif

/* Library error codes stored in errorCode. */
#define CORVEL_ERR_BAD_PORT 1011    /* port is not 1 to 4, or the record holds no port Corvel opened */
#define CORVEL_ERR_READ 1019        /* a read failed or the line reported an error */
#define CORVEL_ERR_OPEN 1020        /* the port could not be opened; osError says why */
#define CORVEL_ERR_SETUP 1022       /* buffers, time-outs or line settings refused; osError says why */

/* Largest n of the decimal/hex/octal conversions: their work buffer holds 12 characters. */
#define CORVEL_MAX_DIGITS 11

#ifdef __cplusplus
extern "C" {
#else
#include <stdbool.h>
#endif

/* Port control. */
CORVEL_API short LIB_COMMOpen(tagPPARAM* p);
CORVEL_API short LIB_COMMSetDCB(tagPPARAM* p);
CORVEL_API short LIB_COMMClose(tagPPARAM* p);
CORVEL_API short LIB_ParamCheck(tagPPARAM* a, tagPPARAM* b);
CORVEL_API short LIB_SetLastError(tagPPARAM* p, int code);

/* Data transfer. Counts are taken as 16 bits. */
CORVEL_API bool LIB_WriteComm(tagPPARAM* p, const unsigned char* bytes, int count);
CORVEL_API bool LIB_CommPutc(tagPPARAM* p, int byte);
CORVEL_API short LIB_ReadComm(tagPPARAM* p, unsigned char* buffer, int count);
CORVEL_API int LIB_CommGetc(tagPPARAM* p, int timeoutMs);
CORVEL_API int LIB_CommClear(tagPPARAM* p);
CORVEL_API bool LIB_SetReadTimeOut(tagPPARAM* p, int multiplier, int constant);
CORVEL_API bool LIB_SetRTS(tagPPARAM* p);
CORVEL_API bool LIB_ResetRTS(tagPPARAM* p);
CORVEL_API void LIB_SetRS485(tagPPARAM* ignored, int on);
CORVEL_API void LIB_SetDIO(tagPPARAM* ignored, int on);

/* Check byte of a serial order frame. */
CORVEL_API int LIB_MakeLRC(const unsigned char* bytes, int length);

/* Number to text: exactly n characters, no terminator. */
CORVEL_API void LIB_stci_b(char* buffer, int value);
CORVEL_API int LIB_stci_bN(char* buffer, int value, int n);
CORVEL_API int LIB_stci_dn(char* buffer, int value, int n);
CORVEL_API int LIB_stci_hn(char* buffer, int value, int n);
CORVEL_API void LIB_stci_on(char* buffer, int value, int n);

/* Text to number: the first n characters (16 for LIB_wcst_b). */
CORVEL_API int LIB_wcst_b(const char* text);
CORVEL_API int LIB_wcst_bN(const char* text, int n);
CORVEL_API int LIB_icst_hn(const char* text, int n);
CORVEL_API int LIB_icst_dn(const char* text, int n);

/* One formatted line to a listening message viewer. */
CORVEL_API void LIB_dbgm(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

#ifdef __cplusplus
}  // extern "C"

/* These four are published under their C++ (Itanium ABI) names:
 *   _Z17LIB_CheckNextByteP9tagPPARAM  _Z14LIB_IsInternalh
 *   _Z12LIB_IsSerialh                 _Z14LIB_IsEtherneth
 * so they are declared for C++ callers only; C callers look them up by those names. */
CORVEL_API unsigned char LIB_CheckNextByte(tagPPARAM* p);
CORVEL_API int LIB_IsInternal(unsigned char b);
CORVEL_API int LIB_IsSerial(unsigned char b);
CORVEL_API int LIB_IsEthernet(unsigned char b);
#endif

#endif /* TRAX_CORVEL_CORVEL_H */
