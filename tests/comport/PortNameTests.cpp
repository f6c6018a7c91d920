#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "comport/PortName.h"

using comport::NormalisePortName;

namespace {

std::string Normalised(std::string_view name)
{
    return std::string(NormalisePortName(name).View());
}

TEST(PortName, PrefixInAnyCaseAndLeadingZerosAreDropped)
{
    EXPECT_EQ(Normalised("com5"), "COM5");
    EXPECT_EQ(Normalised("COM5"), "COM5");
    EXPECT_EQ(Normalised("Com5"), "COM5");
    EXPECT_EQ(Normalised("5"), "COM5");
    EXPECT_EQ(Normalised("COM03"), "COM3");
    EXPECT_EQ(Normalised("COM16"), "COM16");
    EXPECT_EQ(Normalised("+7"), "COM7");
}

TEST(PortName, DigitsEndAtTheFirstOtherCharacter)
{
    EXPECT_EQ(Normalised("COM12x"), "COM12");
    EXPECT_EQ(Normalised(std::string_view("COM1\0" "2", 6)), "COM1");
    EXPECT_EQ(Normalised(std::string_view("COM\0" "5", 5)), "COM1");
}

TEST(PortName, NamesWithoutAUsableNumberBecomeCom1)
{
    for (std::string_view name : {"COM17", "COM0", "COM-3", "LPT1", "COM 3", "", "-", "+", "COM",
                                  "CO", "C", "COMX", "-0", "COM+"})
        EXPECT_EQ(Normalised(name), "COM1") << "name: " << name;
    EXPECT_EQ(Normalised(std::string_view("\0COM5", 5)), "COM1");
}

TEST(PortName, NumbersWrapAroundInThirtyTwoBits)
{
    // 2^32 + 5 and -(2^32 - 5) both wrap to 5.
    EXPECT_EQ(Normalised("COM4294967301"), "COM5");
    EXPECT_EQ(Normalised("-4294967291"), "COM5");
    EXPECT_EQ(Normalised("COM2147483648"), "COM1"); // wraps to the most negative value
    EXPECT_EQ(Normalised("99999999999999999999"), "COM1");
}

TEST(PortName, LongNamesAreReadToTheirEnd)
{
    EXPECT_EQ(Normalised("COM" + std::string(10000, '0') + "9"), "COM9");
    // 10^10000 - 1 wraps to -1; 10^40 + 5 wraps to 5.
    EXPECT_EQ(Normalised(std::string(10000, '9')), "COM1");
    EXPECT_EQ(Normalised("1" + std::string(39, '0') + "5"), "COM5");
    EXPECT_EQ(Normalised(std::string(10000, 'x')), "COM1");
}

} // namespace
