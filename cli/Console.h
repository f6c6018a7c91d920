#pragma once

#include <string_view>

namespace cli {

// One line to standard output, or to standard error with the program's name
// before it. Lines end as Windows ends them.
void PrintLine(std::string_view line);
void PrintError(std::string_view message);

} // namespace cli
