#pragma once
// Low-latency mode of a serial port. Most USB-serial adapters hold received
// bytes for a latency timer (16 ms on FTDI chips) before handing them over;
// with 704 short read replies that time adds up to more than the line's own.
// In low-latency mode the driver hands every byte on at once.

namespace velmar {

// Asks the driver of the open serial port `fd` for low-latency mode
// (TIOCGSERIAL, then TIOCSSERIAL with ASYNC_LOW_LATENCY). True when the port
// is in that mode now; false, with the port as it was, where the driver does
// not offer it (a pseudo-terminal, a driver without the request) or refuses.
bool RequestLowLatency(int fd);

} // namespace velmar
