#include "app/ConfigureAction.h"

#include "app/DisplayProtocol.h"
#include "comport/ComPort.h"

namespace app {

namespace {

// One write for the command; false when the index has no byte, so that the
// controller never gets a byte that was not chosen.
bool SendSetting(comport::ComPort& port, char code, std::span<const Choice> choices,
                 std::intptr_t index)
{
    const std::optional<std::uint8_t> parameter = ChoiceByte(choices, index);
    if (!parameter)
        return false;
    port.WriteString(SettingCommand(code, *parameter).Bytes());
    return true;
}

} // namespace

void ConfigureDisplay(comport::ComPort& port, DisplayChoices& choices)
{
    if (port.Connected())
        return;
    port.SetPort(choices.PortText());
    port.Open();
    bool allSent = SendSetting(port, SetRowsCode, RowsChoices, choices.RowsIndex());
    allSent = SendSetting(port, SetColumnsCode, ColumnsChoices, choices.ColumnsIndex()) && allSent;
    allSent = SendSetting(port, SetTypeCode, TypeChoices, choices.TypeIndex()) && allSent;
    if (allSent)
        port.WriteString(ClearAndShowComplete);
    port.Close();
}

} // namespace app
