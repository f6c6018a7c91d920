#pragma once

#include <cstdint>

namespace lcdsim {

// The largest display a controller of this family drives.
inline constexpr int MaxRows = 4;
inline constexpr int MaxColumns = 40;

// What the simulated controller keeps: its geometry, the module type, the
// characters on the screen and the cursor. Every change keeps the cursor
// inside the screen, so no input can reach a cell that does not exist.
class Display {
public:
    Display();

    // A geometry a real display cannot have (0, or more than the largest)
    // is refused: the call answers false and nothing changes. An accepted
    // one clears the screen, as the old text has no place on the new one.
    bool SetRows(std::uint8_t rows);
    bool SetColumns(std::uint8_t columns);

    void SetType(std::uint8_t code);
    void Clear();

    // Writes one character at the cursor and moves it on: past the end of a
    // row to the start of the next, past the last cell back to the first.
    void Put(char character);

    int Rows() const { return rows; }
    int Columns() const { return columns; }
    bool HasType() const { return hasType; }
    std::uint8_t TypeCode() const { return typeCode; }
    int CursorRow() const { return cursorRow; }
    int CursorColumn() const { return cursorColumn; }

    // The character in a cell; a blank for a cell outside the screen.
    char At(int row, int column) const;

private:
    int rows = 2;
    int columns = 16;
    bool hasType = false;
    std::uint8_t typeCode = 0;
    int cursorRow = 0;
    int cursorColumn = 0;
    char cells[MaxRows][MaxColumns];
};

} // namespace lcdsim
