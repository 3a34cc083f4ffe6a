#include "link/serial_latency.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

namespace velmar {

bool RequestLowLatency(int fd) {
    serial_struct serial{};
    if (fd < 0 || ::ioctl(fd, TIOCGSERIAL, &serial) != 0)
        return false;
    if (serial.flags & ASYNC_LOW_LATENCY)
        return true;
    serial.flags |= ASYNC_LOW_LATENCY;
    return ::ioctl(fd, TIOCSSERIAL, &serial) == 0;
}

} // namespace velmar
