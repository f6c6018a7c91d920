#include <gtest/gtest.h>

#include "Display.h"
#include "DisplayTypes.h"
#include "RecordingSink.h"

using lcdsim::Display;

TEST(DisplayGeometry, StartsAsTwoBySixteenBlankWithNoType)
{
    Display display;
    EXPECT_EQ(display.Rows(), 2);
    EXPECT_EQ(display.Columns(), 16);
    EXPECT_FALSE(display.HasType());
    EXPECT_EQ(Row(display, 0), std::string(16, ' '));
    EXPECT_EQ(Row(display, 1), std::string(16, ' '));
}

TEST(DisplayGeometry, TakesEveryRealSizeAndRefusesTheRest)
{
    for (int value = 0; value < 256; ++value) {
        Display display;
        const bool rowsTaken = display.SetRows(static_cast<std::uint8_t>(value));
        EXPECT_EQ(rowsTaken, value >= 1 && value <= lcdsim::MaxRows) << value;
        EXPECT_EQ(display.Rows(), rowsTaken ? value : 2) << value;

        const bool columnsTaken = display.SetColumns(static_cast<std::uint8_t>(value));
        EXPECT_EQ(columnsTaken, value >= 1 && value <= lcdsim::MaxColumns) << value;
        EXPECT_EQ(display.Columns(), columnsTaken ? value : 16) << value;
    }
}

TEST(DisplayGeometry, ANewGeometryClearsTheScreenButARefusedOneKeepsIt)
{
    Display display;
    display.Put('A');
    display.Put('B');
    EXPECT_FALSE(display.SetRows(0));
    EXPECT_FALSE(display.SetColumns(255));
    EXPECT_EQ(display.At(0, 0), 'A');
    EXPECT_EQ(display.CursorColumn(), 2);

    EXPECT_TRUE(display.SetColumns(20));
    EXPECT_EQ(display.At(0, 0), ' ');
    EXPECT_EQ(display.CursorRow(), 0);
    EXPECT_EQ(display.CursorColumn(), 0);
}

TEST(DisplayCursor, WrapsToTheNextRowAndFromTheLastCellToTheFirst)
{
    Display display;
    ASSERT_TRUE(display.SetRows(2));
    ASSERT_TRUE(display.SetColumns(8));
    for (char c : std::string("0123456789ABCDEF"))
        display.Put(c);
    EXPECT_EQ(Row(display, 0), "01234567");
    EXPECT_EQ(Row(display, 1), "89ABCDEF");
    EXPECT_EQ(display.CursorRow(), 0);
    EXPECT_EQ(display.CursorColumn(), 0);

    display.Put('x');
    EXPECT_EQ(Row(display, 0), "x1234567");
}

TEST(DisplayCursor, ShrinkingTheScreenNeverLeavesTheCursorOutside)
{
    Display display;
    ASSERT_TRUE(display.SetRows(4));
    ASSERT_TRUE(display.SetColumns(40));
    for (int i = 0; i < 150; ++i)
        display.Put('#');
    ASSERT_TRUE(display.SetRows(1));
    ASSERT_TRUE(display.SetColumns(1));
    display.Put('z');
    EXPECT_EQ(display.At(0, 0), 'z');
    EXPECT_EQ(display.CursorRow(), 0);
    EXPECT_EQ(display.CursorColumn(), 0);
}

TEST(DisplayCells, ReadsOutsideTheScreenGiveBlanks)
{
    Display display;
    display.Put('Q');
    EXPECT_EQ(display.At(0, 0), 'Q');
    EXPECT_EQ(display.At(-1, 0), ' ');
    EXPECT_EQ(display.At(0, -1), ' ');
    EXPECT_EQ(display.At(2, 0), ' ');
    EXPECT_EQ(display.At(0, 16), ' ');
    EXPECT_EQ(display.At(lcdsim::MaxRows, lcdsim::MaxColumns), ' ');
}

TEST(DisplayTypes, NamesEachOfTheFifteenModulesByItsCode)
{
    const std::pair<int, const char*> table[] = {
        {0x01, "LCD0821"},  {0x02, "LCD2021"},  {0x05, "LCD2041"},    {0x06, "LCD4021"},
        {0x07, "LCD4041"},  {0x08, "LK202-25"}, {0x09, "LK204-25"},   {0x0A, "LK404-55"},
        {0x31, "LK404-AT"}, {0x33, "LK402-12"}, {0x34, "LK162-12"},   {0x35, "LK204-25PC"},
        {0x48, "LK082-12"}, {0x4B, "LK402-25"}, {0x73, "LK404-25"},
    };
    int named = 0;
    for (int code = 0; code < 256; ++code) {
        if (lcdsim::TypeName(static_cast<std::uint8_t>(code)) != nullptr)
            ++named;
    }
    EXPECT_EQ(named, 15);
    for (const auto& [code, name] : table)
        EXPECT_STREQ(lcdsim::TypeName(static_cast<std::uint8_t>(code)), name) << code;
}
