#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "runtime/ErrorMessage.h"
#include "runtime/ErrorNumbers.h"

namespace {

std::string Text(std::uint8_t number, std::uintptr_t address)
{
    return runtime::FormatErrorMessage(number, address).Text;
}

TEST(ErrorMessage, EveryErrorNumberFillsPlacesFourteenToSixteen)
{
    for (int number = 200; number <= 255; ++number) {
        char expected[32];
        std::snprintf(expected, sizeof(expected), "Runtime error %d at 00000000", number);
        EXPECT_EQ(Text(static_cast<std::uint8_t>(number), 0), expected);
    }
}

TEST(ErrorMessage, AddressesKeepTheTemplatesLeadingZeros)
{
    EXPECT_EQ(Text(216, 0), "Runtime error 216 at 00000000");
    EXPECT_EQ(Text(216, 0x1234ABCD), "Runtime error 216 at 1234ABCD");
    EXPECT_EQ(Text(203, 0xFFFFFFFF), "Runtime error 203 at FFFFFFFF");
    EXPECT_EQ(Text(200, 0xA), "Runtime error 200 at 0000000A");
    EXPECT_EQ(Text(216, 0x00401000), "Runtime error 216 at 00401000");
}

TEST(ErrorMessage, NumbersBelowTwoHundredStayRightAligned)
{
    EXPECT_EQ(Text(5, 0x10), "Runtime error   5 at 00000010");
    EXPECT_EQ(Text(99, 0x10), "Runtime error  99 at 00000010");
}

TEST(ErrorMessage, SixtyFourBitAddressesShowAllSixteenDigits)
{
    if constexpr (sizeof(std::uintptr_t) == 8) {
        const std::uint64_t high = 0x100000000ull;
        EXPECT_EQ(Text(216, static_cast<std::uintptr_t>(high)), "Runtime error 216 at 0000000100000000");
        EXPECT_EQ(Text(216, static_cast<std::uintptr_t>(0x000000014000152Full)),
                  "Runtime error 216 at 000000014000152F");
        EXPECT_EQ(Text(255, static_cast<std::uintptr_t>(~0ull)), "Runtime error 255 at FFFFFFFFFFFFFFFF");
    } else {
        GTEST_SKIP() << "32-bit addresses always fit the template";
    }
}

TEST(ExceptionToErrorNumber, MapsEveryExceptionOfTheTable)
{
    const struct { DWORD code; int number; } table[] = {
        {EXCEPTION_INT_DIVIDE_BY_ZERO, 200},    {EXCEPTION_FLT_DIVIDE_BY_ZERO, 200},
        {EXCEPTION_ARRAY_BOUNDS_EXCEEDED, 201}, {EXCEPTION_STACK_OVERFLOW, 202},
        {EXCEPTION_FLT_OVERFLOW, 205},          {EXCEPTION_FLT_UNDERFLOW, 206},
        {EXCEPTION_FLT_DENORMAL_OPERAND, 206},  {EXCEPTION_FLT_INVALID_OPERATION, 207},
        {EXCEPTION_FLT_INEXACT_RESULT, 207},    {EXCEPTION_FLT_STACK_CHECK, 207},
        {EXCEPTION_INT_OVERFLOW, 215},          {EXCEPTION_ACCESS_VIOLATION, 216},
        {0xC000013A, 217},                      {EXCEPTION_PRIV_INSTRUCTION, 218},
    };
    for (const auto& entry : table)
        EXPECT_EQ(runtime::ExceptionToErrorNumber(entry.code), entry.number) << std::hex << entry.code;
}

TEST(ExceptionToErrorNumber, AnyOtherCodeIs255)
{
    for (DWORD code : {DWORD{0}, DWORD{EXCEPTION_BREAKPOINT}, DWORD{EXCEPTION_ILLEGAL_INSTRUCTION},
                       DWORD{EXCEPTION_IN_PAGE_ERROR}, DWORD{0xE0001234}, DWORD{0xFFFFFFFF}})
        EXPECT_EQ(runtime::ExceptionToErrorNumber(code), 255) << std::hex << code;
}

} // namespace
