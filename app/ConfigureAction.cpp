#include "app/ConfigureAction.h"

#include "app/DisplayProtocol.h"
#include "comport/ComPort.h"

namespace app {

std::uint32_t SendConfiguration(CommandTarget target, DisplayChoices& choices,
                                ShortWrite shortWrite)
{
    std::uint32_t sent = 0;
    bool goOn = true;      // false once a write fell short, when stopping there
    bool allChosen = true; // false when a list's index has no byte
    const auto write = [&](std::string_view bytes) {
        const std::uint32_t count = target.Write(target.Target, bytes);
        sent += count;
        goOn = count == bytes.size() || shortWrite == ShortWrite::Continue;
    };
    // Each list is read just before its command is built. An index without
    // a byte gets no command, so that the controller never gets a byte that
    // was not chosen.
    const auto setting = [&](char code, std::span<const Choice> list, std::intptr_t index) {
        const std::optional<std::uint8_t> parameter = ChoiceByte(list, index);
        if (parameter)
            write(SettingCommand(code, *parameter).Bytes());
        else
            allChosen = false;
    };
    setting(SetRowsCode, RowsChoices, choices.RowsIndex());
    if (goOn)
        setting(SetColumnsCode, ColumnsChoices, choices.ColumnsIndex());
    if (goOn)
        setting(SetTypeCode, TypeChoices, choices.TypeIndex());
    if (goOn && allChosen)
        write(ClearAndShowComplete);
    return sent;
}

std::uint32_t SendConfiguration(comport::ComPort& port, DisplayChoices& choices,
                                ShortWrite shortWrite)
{
    const auto toPort = [](void* port, std::string_view bytes) {
        return static_cast<comport::ComPort*>(port)->WriteString(bytes);
    };
    return SendConfiguration({toPort, &port}, choices, shortWrite);
}

void ConfigureDisplay(comport::ComPort& port, DisplayChoices& choices)
{
    if (port.Connected())
        return;
    port.SetPort(choices.PortText());
    port.Open();
    SendConfiguration(port, choices, ShortWrite::Continue);
    port.Close();
}

} // namespace app
