/* The clock behind Tethra's time-out, and the sleep that Wirelet polls with.
 *
 * Both normally follow the system's monotonic clock. Tests replace them with
 * a clock of their own so that the long waits of the serial order protocol
 * (800 ms enquiries, a 2000 ms end wait, a 65535 ms reply time-out) cost no
 * real time. */
#ifndef TRAX_TETHRA_CLOCK_H
#define TRAX_TETHRA_CLOCK_H

#include "wirelet/tethra/tethra.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct TethraClock {
  void* context;
  /* Milliseconds on a monotonic scale. */
  unsigned long long (*nowMs)(void* context);
  /* Lets `milliseconds` pass. */
  void (*sleepMs)(void* context, unsigned int milliseconds);
} TethraClock;

/* Replaces the clock; NULL restores the system clock. The record must stay
 * valid until it is replaced. Not to be called while a transaction runs. */
TETHRA_API void TethraSetClock(const TethraClock* clock);

/* Sleeps on the current clock. */
TETHRA_API void TethraSleep(unsigned int milliseconds);

#ifdef __cplusplus
}
#endif

#endif
