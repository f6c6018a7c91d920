#pragma once

#include <cstdint>

namespace comport {

// The values of the port's index settings, named by what they mean. Each
// enumerator's number is the index stored in the setting, so a stored byte
// reads the same under its name.

// Bits per second; Custom stands for the port's CustomBaudRate.
enum class BaudRate : std::uint8_t {
    Custom,
    B110,
    B300,
    B600,
    B1200,
    B2400,
    B4800,
    B9600,
    B14400,
    B19200,
    B38400,
    B56000,
    B57600,
    B115200,
    B128000,
    B256000,
};

enum class DataBits : std::uint8_t { Five, Six, Seven, Eight };

enum class StopBits : std::uint8_t { One, OneAndHalf, Two };

// Equal to the platform's NOPARITY .. SPACEPARITY.
enum class ParityMode : std::uint8_t { None, Odd, Even, Mark, Space };

enum class DtrControl : std::uint8_t { Disable, Enable, Handshake };

enum class RtsControl : std::uint8_t { Disable, Enable, Handshake, Toggle };

// How line events reach the owner: Message sends one window message per
// event to the port's NotifyWindow; Handlers and Direct both have the event
// thread call the handlers itself.
enum class SyncMethod : std::uint8_t { Handlers, Message, Direct };

// The last value of each: a setter ignores any value above it.
inline constexpr BaudRate HighestBaudRate = BaudRate::B256000;
inline constexpr DataBits HighestDataBits = DataBits::Eight;
inline constexpr StopBits HighestStopBits = StopBits::Two;
inline constexpr ParityMode HighestParityMode = ParityMode::Space;
inline constexpr DtrControl HighestDtrControl = DtrControl::Handshake;
inline constexpr RtsControl HighestRtsControl = RtsControl::Toggle;
inline constexpr SyncMethod HighestSyncMethod = SyncMethod::Direct;

} // namespace comport
