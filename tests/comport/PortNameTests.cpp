#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "comport/MachinePorts.h"
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
    for (std::string_view name : {"COM257", "COM0", "COM-3", "LPT1", "COM 3", "", "-", "+", "COM",
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

// The machine's device names, each ended by a zero byte, as QueryDosDeviceA
// gives them; a buffer too small for them is refused with `refusal`.
struct DeviceList {
    static inline std::string names;
    static inline DWORD refusal;
    static inline std::vector<DWORD> sizes;

    static DWORD WINAPI Query(LPCSTR name, LPSTR list, DWORD size)
    {
        sizes.push_back(size);
        if (name != nullptr || size <= names.size()) {
            SetLastError(name != nullptr ? ERROR_FILE_NOT_FOUND : refusal);
            return 0;
        }
        names.copy(list, names.size());
        list[names.size()] = '\0';
        return static_cast<DWORD>(names.size() + 1);
    }
};

// The device list of a busy machine outgrows the first buffer; Windows then
// answers ERROR_MORE_DATA, Wine ERROR_INSUFFICIENT_BUFFER.
TEST(MachinePorts, EveryPortNameOfTheDeviceListInNumberOrder)
{
    for (const DWORD refusal : {ERROR_MORE_DATA, ERROR_INSUFFICIENT_BUFFER}) {
        DeviceList::refusal = refusal;
        DeviceList::sizes.clear();
        DeviceList::names.clear();
        for (int i = 0; i < 5000; ++i)
            DeviceList::names.append("Global", 7);
        for (const char* name : {"COM23", "LPT1", "COM3", "com256", "COM0", "COM03", "COM7x",
                                 "COM257", "COM19"})
            DeviceList::names.append(name).append(1, '\0');
        comport::PortSet ports;
        ASSERT_TRUE(comport::ListMachinePorts(ports, DeviceList::Query)) << refusal;
        std::vector<int> numbers;
        for (int number = ports.Next(0); number != 0; number = ports.Next(number))
            numbers.push_back(number);
        EXPECT_EQ(numbers, (std::vector<int>{3, 19, 23, 256})) << refusal;
        EXPECT_EQ(ports.Count(), 4) << refusal;
        EXPECT_EQ(ports.Next(-5), 3) << refusal;
        EXPECT_EQ(ports.Next(INT_MAX), 0) << refusal;
        EXPECT_EQ(DeviceList::sizes.size(), 3u) << refusal;
    }
}

TEST(MachinePorts, APlatformThatDoesNotListItsDevicesGivesNoList)
{
    DeviceList::names = std::string(40000, 'x');
    DeviceList::refusal = ERROR_ACCESS_DENIED;
    comport::PortSet ports;
    EXPECT_FALSE(comport::ListMachinePorts(ports, DeviceList::Query));
}

} // namespace
