/* Tethra: the serial connection layer under Wirelet.
 *
 * A handful of plain C calls, by connection handle except the time-out pair:
 *
 *   OpenConnection(reserved, port, baud, dataBits, stopBits, parity)
 *       Opens COM<port> through the suite's COM map (TRAX_COM<port>, else
 *       /dev/ttyS*, /dev/ttyUSB*, /dev/ttyACM*) in raw mode at the given
 *       speed and framing. `reserved` is accepted and ignored. dataBits 5-8;
 *       stopBits 1 or 2 (0 also means 1); parity 0 none, 1 odd, 2 even.
 *       Returns a handle (never 0), or 0 when the port or a setting is refused.
 *   CloseConnection(handle)          1, or 0 for an unknown handle or a failed close.
 *   FlushCom(handle)                 discards the received bytes the port holds; bytes
 *                                    already written still go out. 1, or 0 on failure.
 *   WriteCom(handle, bytes, count)   sends the bytes in order; returns how many went out.
 *   ReadComNum(handle)               received bytes waiting (0 when none); never blocks.
 *   ReadCom(handle, buffer, count)   copies up to count waiting bytes; returns how many.
 *   SetTimeOut(milliseconds)         arms the one process-wide time-out.
 *   GetTimeOut()                     non-zero once the time-out armed last has expired.
 *
 * One time-out serves the whole process, so one transaction at a time. */
#ifndef TRAX_TETHRA_H
#define TRAX_TETHRA_H

#if defined(_WIN32)
#define TETHRA_API __declspec(dllexport)
#else
#define TETHRA_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

TETHRA_API int OpenConnection(int reserved, int port, int baud, int dataBits, int stopBits,
                              int parity);
TETHRA_API int CloseConnection(int handle);
TETHRA_API int FlushCom(int handle);
TETHRA_API int WriteCom(int handle, const unsigned char* bytes, int count);
TETHRA_API int ReadComNum(int handle);
TETHRA_API int ReadCom(int handle, unsigned char* buffer, int count);
TETHRA_API void SetTimeOut(int milliseconds);
TETHRA_API int GetTimeOut(void);

#ifdef __cplusplus
}
#endif

#endif
