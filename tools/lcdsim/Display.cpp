#include "Display.h"

namespace lcdsim {

Display::Display()
{
    Clear();
}

namespace {

// Takes a size from 1 to the largest; answers whether it was taken.
bool TakeSize(std::uint8_t value, int largest, int& size)
{
    if (value < 1 || value > largest)
        return false;
    size = value;
    return true;
}

} // namespace

bool Display::SetRows(std::uint8_t value)
{
    if (!TakeSize(value, MaxRows, rows))
        return false;
    Clear();
    return true;
}

bool Display::SetColumns(std::uint8_t value)
{
    if (!TakeSize(value, MaxColumns, columns))
        return false;
    Clear();
    return true;
}

void Display::SetType(std::uint8_t code)
{
    hasType = true;
    typeCode = code;
}

void Display::Clear()
{
    for (auto& row : cells) {
        for (char& cell : row)
            cell = ' ';
    }
    cursorRow = 0;
    cursorColumn = 0;
}

void Display::Put(char character)
{
    cells[cursorRow][cursorColumn] = character;
    if (++cursorColumn < columns)
        return;
    cursorColumn = 0;
    if (++cursorRow >= rows)
        cursorRow = 0;
}

char Display::At(int row, int column) const
{
    if (row < 0 || row >= rows || column < 0 || column >= columns)
        return ' ';
    return cells[row][column];
}

} // namespace lcdsim
