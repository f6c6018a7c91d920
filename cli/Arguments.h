#pragma once

#include <span>
#include <string_view>

#include "app/DisplayProtocol.h"
#include "cli/Text.h"

namespace cli {

enum class Command { Configure, DryRun, List, Help, Version };

// What the command line asks for: the port by number and each choice by its
// index in the window's lists, so that both send the same bytes.
struct Request {
    Command What = Command::Configure;
    int Port = app::DefaultPortNumber;
    int Rows = app::DefaultRowsIndex;
    int Columns = app::DefaultColumnsIndex;
    int Type = app::DefaultTypeIndex;
};

struct ParseResult {
    bool Valid = false;
    Request Request;
    // When not valid: what is wrong, naming the value and what is allowed.
    Text Error;
};

// The arguments after the program's name. Accepts
//   [PORT] [--rows N] [--columns N] [--type NAME] [--dry-run]
//   --list | --help | --version
// with "--option value" and "--option=value" alike, ports COM1 to COM256 and
// type names in any letter case. Anything else, of any length or bytes, is a
// usage error: a port is never guessed.
ParseResult ParseArguments(std::span<const std::string_view> arguments);

} // namespace cli
