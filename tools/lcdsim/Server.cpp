#include "Server.h"

namespace lcdsim {

ServeEnd Serve(Line& line, Clock& clock, Decoder& decoder, const Options& options)
{
    const std::uint64_t start = clock.Milliseconds();
    std::uint64_t lastByte = start;
    std::uint64_t received = 0;
    std::uint8_t buffer[256];
    for (;;) {
        long count = line.Read(buffer, sizeof buffer);
        const std::uint64_t now = clock.Milliseconds();
        if (count < 0) {
            decoder.Quiet();
            return ServeEnd::LineFailed;
        }
        std::size_t size = static_cast<std::size_t>(count);
        if (size > sizeof buffer)
            size = sizeof buffer;
        if (size > 0) {
            if (options.byteLimit != 0 && size > options.byteLimit - received)
                size = static_cast<std::size_t>(options.byteLimit - received);
            decoder.Feed(buffer, size);
            received += size;
            lastByte = now;
            if (options.byteLimit != 0 && received >= options.byteLimit) {
                decoder.Quiet();
                return ServeEnd::ByteLimit;
            }
            continue;
        }
        decoder.Quiet();
        if (received == 0) {
            if (options.wait != 0 && now - start >= options.wait)
                return ServeEnd::NothingArrived;
        } else if (options.idleExit != 0 && now - lastByte >= options.idleExit) {
            return ServeEnd::Idle;
        }
    }
}

} // namespace lcdsim
