#include "cli/Arguments.h"

#include "comport/PortName.h"

namespace cli {

namespace {

using app::Choice;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    }
    return true;
}

// The index of the item a value names; -1 when none does.
int ChoiceIndex(std::span<const Choice> choices, std::string_view value)
{
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (SameIgnoringCase(value, choices[i].Text))
            return static_cast<int>(i);
    }
    return -1;
}

void ListChoices(Text& text, std::span<const Choice> choices)
{
    for (std::size_t i = 0; i < choices.size(); ++i)
        text << (i == 0 ? "" : ", ") << choices[i].Text;
}

// An option that takes one of a list's items.
struct ListOption {
    std::string_view Name;
    std::span<const Choice> Choices;
    int Request::*Index;
};

constexpr ListOption ListOptions[] = {
    {"--rows", app::RowsChoices, &Request::Rows},
    {"--columns", app::ColumnsChoices, &Request::Columns},
    {"--type", app::TypeChoices, &Request::Type},
};

struct FlagOption {
    std::string_view Name;
    Command What;
};

constexpr FlagOption FlagOptions[] = {
    {"--dry-run", Command::DryRun},
    {"--list", Command::List},
    {"--help", Command::Help},
    {"--version", Command::Version},
};

class Parser {
public:
    explicit Parser(std::span<const std::string_view> arguments) : arguments(arguments) {}

    ParseResult Parse()
    {
        while (next < arguments.size() && result.Error.View().empty())
            Take(arguments[next++]);
        if (result.Error.View().empty())
            CheckStandAlone();
        result.Valid = result.Error.View().empty();
        return result;
    }

private:
    void Take(std::string_view argument)
    {
        if (argument.empty() || argument[0] != '-')
            return TakePort(argument);
        const std::size_t equals = argument.find('=');
        const std::string_view name = Head(argument, equals);
        for (const ListOption& option : ListOptions) {
            if (name == option.Name)
                return TakeListOption(option, argument, equals);
        }
        for (const FlagOption& flag : FlagOptions) {
            if (name == flag.Name)
                return TakeFlag(flag, equals != std::string_view::npos);
        }
        result.Error << "unknown option ";
        result.Error.Quoted(argument)
            << ": the options are --rows, --columns, --type, --dry-run, --list, --help, --version";
    }

    void TakePort(std::string_view argument)
    {
        if (portGiven) {
            result.Error << "a second port ";
            result.Error.Quoted(argument) << ": name one port, COM1 to COM256";
            return;
        }
        portGiven = true;
        const int number = comport::PortNumberOf(argument);
        if (number == 0) {
            result.Error << "no port ";
            result.Error.Quoted(argument) << ": the ports are COM1 to COM256";
            return;
        }
        result.Request.Port = number;
    }

    void TakeListOption(const ListOption& option, std::string_view argument, std::size_t equals)
    {
        const auto seen = static_cast<unsigned>(&option - ListOptions);
        if (listSeen & (1u << seen)) {
            result.Error << option.Name << " is given twice";
            return;
        }
        listSeen |= 1u << seen;
        std::string_view value;
        if (equals != std::string_view::npos) {
            value = After(argument, equals + 1);
        } else if (next < arguments.size()) {
            value = arguments[next++];
        } else {
            result.Error << option.Name << " needs a value: one of ";
            ListChoices(result.Error, option.Choices);
            return;
        }
        const int index = ChoiceIndex(option.Choices, value);
        if (index < 0) {
            result.Error << option.Name << ' ';
            result.Error.Quoted(value) << " is not one of ";
            ListChoices(result.Error, option.Choices);
            return;
        }
        result.Request.*option.Index = index;
    }

    void TakeFlag(const FlagOption& flag, bool hasValue)
    {
        if (hasValue) {
            result.Error << flag.Name << " takes no value";
            return;
        }
        if (flagGiven) {
            result.Error << (flag.Name == flagName ? flag.Name : flagName);
            if (flag.Name == flagName)
                result.Error << " is given twice";
            else
                result.Error << " and " << flag.Name << " do not go together";
            return;
        }
        flagGiven = true;
        flagName = flag.Name;
        result.Request.What = flag.What;
    }

    // --list, --help and --version take nothing else with them.
    void CheckStandAlone()
    {
        const Command what = result.Request.What;
        if (what == Command::Configure || what == Command::DryRun)
            return;
        if (arguments.size() > 1)
            result.Error << flagName << " stands alone: it takes no port and no other option";
    }

    std::span<const std::string_view> arguments;
    std::size_t next = 0;
    ParseResult result;
    bool portGiven = false;
    unsigned listSeen = 0;
    bool flagGiven = false;
    std::string_view flagName;
};

} // namespace

ParseResult ParseArguments(std::span<const std::string_view> arguments)
{
    return Parser(arguments).Parse();
}

} // namespace cli
