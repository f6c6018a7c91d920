#include "Display.h"

namespace lcdsim {

Display::Display()
{
    Clear();
}

bool Display::SetRows(std::uint8_t value)
{
    if (value < 1 || value > MaxRows)
        return false;
    rows = value;
    Clear();
    return true;
}

bool Display::SetColumns(std::uint8_t value)
{
    if (value < 1 || value > MaxColumns)
        return false;
    columns = value;
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
