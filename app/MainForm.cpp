#include "app/MainForm.h"

#include <windows.h>

#include <span>

#include "app/ConfigureHandlers.h"
#include "app/DisplayPort.h"
#include "app/DisplayProtocol.h"
#include "comport/ComPort.h"
#include "comport/MachinePorts.h"
#include "runtime/Program.h"
#include "toolkit/window/ApplicationState.h"
#include "toolkit/window/Control.h"
#include "toolkit/window/KeyButton.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/ListOperations.h"
#include "toolkit/controls/SizeToText.h"
#include "toolkit/window/ControlGraphics.h"
#include "toolkit/graphics/DrawingTool.h"

namespace app {

namespace {

using toolkit::Control;

// The window's texts, Windows-1251.
constexpr const char* Caption = "Config Quarnel";
constexpr const char* RowsText = "\xCA\xEE\xEB-\xE2\xEE \xF1\xF2\xF0\xEE\xEA";          // Кол-во строк
constexpr const char* TypeText = "\xD2\xE8\xEF \xE4\xE8\xF1\xEF\xEB\xE5\xFF";           // Тип дисплея
constexpr const char* ColumnsText = "\xCA\xEE\xEB-\xE2\xEE \xF1\xE8\xEC\xE2\xEE\xEB\xEE\xE2"; // Кол-во символов
constexpr const char* PortText = "COM \xEF\xEE\xF0\xF2";                                 // COM порт
constexpr const char* ConfigureText =
    "\xCA\xEE\xED\xF4\xE8\xE3\xF3\xF0\xE8\xF0\xEE\xE2\xE0\xF2\xFC"; // Конфигурировать

constexpr std::uint16_t ListOptions = toolkit::ComboDropDownList | toolkit::ComboNoIntegralHeight;

void SetChildFont(Control* control)
{
    toolkit::DrawingTool* font = toolkit::GetControlFont(control);
    toolkit::SetToolField(font, toolkit::FontHeight, 17);
    toolkit::SetFontName(font, "Arial");
}

Control* CreateCaption(Control* form, const char* text, int left, int top)
{
    Control* label = toolkit::CreateLabel(form, text);
    toolkit::SetControlPosition(label, left, top);
    toolkit::SetSizeToText(label, true);
    SetChildFont(label);
    return label;
}

// A drop-down list, placed and filled, its selection made; the items are
// added one after the other, each at the index that appends it.
template <typename ItemText>
Control* CreateList(Control* form, int left, int top, int width, int count, ItemText itemText,
                    int selected)
{
    Control* list = toolkit::CreateComboBox(form, ListOptions);
    toolkit::SetControlPosition(list, left, top);
    toolkit::SetWidth(list, width);
    toolkit::SetBackgroundColor(list, toolkit::ColorWindow);
    SetChildFont(list);
    for (int i = 0; i < count; ++i)
        toolkit::SetItemText(list, i, itemText(i));
    toolkit::SetCurrentIndex(list, selected);
    return list;
}

Control* CreateChoiceList(Control* form, int left, int top, int width,
                          std::span<const Choice> choices, int selected)
{
    return CreateList(
        form, left, top, width, static_cast<int>(choices.size()),
        [choices](int i) { return choices[static_cast<std::size_t>(i)].Text; }, selected);
}

// "Com1" … "Com16", whether the machine has them or not, then every port
// the machine has above them (a USB adapter is often given COM17 or more),
// in number order. The port component turns them into the platform's names.
Control* CreatePortList(Control* form)
{
    comport::PortSet ports;
    for (int number = 1; number <= PortCount; ++number)
        ports.Add(number);
    // Where the platform lists nothing, the sixteen stay.
    comport::ListMachinePorts(ports);
    int number = 0;
    comport::PortName item;
    return CreateList(
        form, 98, 3, 87, ports.Count(),
        [&](int) {
            number = ports.Next(number);
            item = comport::PortName(number, comport::PortName::Spelling::Title);
            return item.Text();
        },
        DefaultPortNumber - 1);
}

} // namespace

void BuildMainForm(MainForm*& mainForm, Control* parent)
{
    mainForm = toolkit::CreateObject<MainForm>();
    MainForm& record = *mainForm;

    Control* form = toolkit::CreateForm(parent, Caption);
    toolkit::SetControlPosition(form, 192, 114);
    toolkit::SetControlSize(form, 198, 171);
    record.Form = form;
    // Operations that look for the main window find it from here on.
    toolkit::MainControl = form;
    toolkit::AddOwnedObject(form, mainForm);

    // No minimise and no maximise box.
    toolkit::SetWindowStyle(form, form->Style & ~static_cast<DWORD>(WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    // The resources hold no "APP": the main window then shows "MAINICON".
    toolkit::SetIconFromResource(form, static_cast<HINSTANCE>(runtime::MainInstance), "APP");

    record.ComPort = CreateDisplayPort();
    toolkit::AddOwnedObject(form, record.ComPort);

    record.RowsLabel = CreateCaption(form, RowsText, 5, 32);
    record.TypeLabel = CreateCaption(form, TypeText, 5, 85);
    record.ColumnsLabel = CreateCaption(form, ColumnsText, 5, 58);
    record.PortLabel = CreateCaption(form, PortText, 5, 7);

    record.PortList = CreatePortList(form);

    auto* button = toolkit::CreateButton(form, ConfigureText, 0, toolkit::GlyphLeft, nullptr, 0);
    toolkit::SetControlPosition(button, 8, 111);
    toolkit::SetControlSize(button, 177, 26);
    toolkit::MakeNonFocusable(button);
    SetChildFont(button);
    toolkit::SetFlatLook(button, true);
    button->PressedShiftX = 1;
    button->PressedShiftY = 1;
    record.ConfigureButton = button;

    record.RowsList = CreateChoiceList(form, 109, 29, 76, RowsChoices, DefaultRowsIndex);
    record.ColumnsList = CreateChoiceList(form, 128, 55, 57, ColumnsChoices, DefaultColumnsIndex);
    record.TypeList = CreateChoiceList(form, 96, 81, 89, TypeChoices, DefaultTypeIndex);

    record.PortList->OnChange = {PortListChange, mainForm};
    record.ConfigureButton->OnClick = {ConfigureClick, mainForm};

    toolkit::AssignKeyButton(record.ConfigureButton, VK_RETURN, true);
    // The layout needs 190 x 144 inside the frame, what 198 x 171 give under
    // the classic frame; the frame of other systems takes more.
    toolkit::SetClientSize(form, 190, 144);
    toolkit::CenterWindow(form);
}

} // namespace app
