// The window as BuildMainForm leaves it, read back from the real windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "RecordingLine.h"
#include "tests/support/ToolkitFixture.h"
#include "app/MainForm.h"
#include "comport/ComPort.h"
#include "comport/PortSettings.h"
#include "tests/support/MainWindowLine.h"
#include "toolkit/window/ApplicationState.h"
#include "toolkit/window/Control.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/ListOperations.h"

namespace {

using toolkit::Control;

std::wstring FromWindows1251(const std::string& bytes)
{
    wchar_t wide[256] = {};
    const int length = MultiByteToWideChar(1251, 0, bytes.data(), static_cast<int>(bytes.size()),
                                           wide, 255);
    return std::wstring(wide, static_cast<std::size_t>(length));
}

std::string WindowText(HWND window)
{
    char text[256] = {};
    const int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, static_cast<std::size_t>(length));
}

std::vector<std::string> Items(Control* list)
{
    std::vector<std::string> items;
    HWND window = toolkit::GetWindowHandle(list);
    const auto count = SendMessageA(window, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = SendMessageA(window, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
        // The list writes the text and a terminating zero.
        text.resize(text.size() + 1);
        SendMessageA(window, CB_GETLBTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(text.data()));
        text.resize(text.size() - 1);
        items.push_back(std::move(text));
    }
    return items;
}

// The child's window rectangle within the form's client area.
RECT PlaceOnForm(Control* child)
{
    RECT rect{};
    GetWindowRect(toolkit::GetWindowHandle(child), &rect);
    MapWindowPoints(nullptr, GetParent(toolkit::GetWindowHandle(child)),
                    reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class MainFormTest : public ToolkitTest {
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        app::BuildMainForm(mainForm, nullptr);
        ASSERT_NE(mainForm, nullptr);
        form = mainForm->Form;
    }
    void TearDown() override
    {
        if (form != nullptr)
            toolkit::FreeObject(form);
        ToolkitTest::TearDown();
    }

    app::MainForm* mainForm = nullptr;
    Control* form = nullptr;
};

TEST_F(MainFormTest, TheFormIsTheMainControlAndOwnsThePortBeforeItsRecord)
{
    EXPECT_EQ(toolkit::MainControl, form);
    std::vector<const toolkit::ToolkitObject*> freed;
    auto note = [](void* log, toolkit::ToolkitObject* sender) {
        static_cast<std::vector<const toolkit::ToolkitObject*>*>(log)->push_back(sender);
    };
    const toolkit::ToolkitObject* port = mainForm->ComPort;
    const toolkit::ToolkitObject* record = mainForm;
    mainForm->ComPort->OnDestroy = {note, &freed};
    mainForm->OnDestroy = {note, &freed};
    toolkit::FreeObject(form);
    form = nullptr;
    EXPECT_EQ(freed, (std::vector<const toolkit::ToolkitObject*>{port, record}));
}

TEST_F(MainFormTest, TheWindowHasACloseBoxAndASizingBorderButNoMinimiseOrMaximiseBox)
{
    HWND window = toolkit::GetWindowHandle(form);
    const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME),
              static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME));
    EXPECT_EQ(WindowText(window), "Config Quarnel");
    EXPECT_FALSE(IsWindowVisible(window)) << "shown only by the application loop";
}

TEST_F(MainFormTest, TheWindowIs198By171AndCentredOnTheScreen)
{
    RECT rect{};
    GetWindowRect(toolkit::GetWindowHandle(form), &rect);
    EXPECT_EQ(rect.right - rect.left, 198);
    EXPECT_EQ(rect.bottom - rect.top, 171);
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 198) >> 1);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 171) >> 1);
}

TEST_F(MainFormTest, TheWindowShowsTheProgramsIcon)
{
    HWND window = toolkit::GetWindowHandle(form);
    const auto icon = SendMessageA(window, WM_GETICON, ICON_BIG, 0);
    EXPECT_NE(icon, 0);
}

TEST_F(MainFormTest, ChildrenComeInCreationOrderWithTheirTexts)
{
    // Filling the lists made the windows of everything before them; nothing
    // asks for the button's window before the loop, which makes it last.
    EXPECT_EQ(mainForm->ConfigureButton->Handle, nullptr);
    toolkit::GetWindowHandle(mainForm->ConfigureButton);
    const Control* expected[] = {mainForm->RowsLabel,   mainForm->TypeLabel,
                                 mainForm->ColumnsLabel, mainForm->PortLabel,
                                 mainForm->PortList,    mainForm->RowsList,
                                 mainForm->ColumnsList, mainForm->TypeList,
                                 mainForm->ConfigureButton};
    HWND child = GetWindow(toolkit::GetWindowHandle(form), GW_CHILD);
    for (const Control* control : expected) {
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(child, control->Handle);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr);

    EXPECT_EQ(FromWindows1251(WindowText(mainForm->RowsLabel->Handle)), L"Кол-во строк");
    EXPECT_EQ(FromWindows1251(WindowText(mainForm->TypeLabel->Handle)), L"Тип дисплея");
    EXPECT_EQ(FromWindows1251(WindowText(mainForm->ColumnsLabel->Handle)), L"Кол-во символов");
    EXPECT_EQ(FromWindows1251(WindowText(mainForm->PortLabel->Handle)), L"COM порт");
    EXPECT_EQ(FromWindows1251(WindowText(mainForm->ConfigureButton->Handle)), L"Конфигурировать");
}

TEST_F(MainFormTest, LabelsSitAtFiveOnTheLinesOfTheirListsAndEveryListEndsAt185)
{
    struct Line {
        Control* label;
        Control* list;
        int labelTop, listLeft, listTop;
    };
    const Line lines[] = {
        {mainForm->PortLabel, mainForm->PortList, 7, 98, 3},
        {mainForm->RowsLabel, mainForm->RowsList, 32, 109, 29},
        {mainForm->ColumnsLabel, mainForm->ColumnsList, 58, 128, 55},
        {mainForm->TypeLabel, mainForm->TypeList, 85, 96, 81},
    };
    for (const Line& line : lines) {
        const RECT label = PlaceOnForm(line.label);
        EXPECT_EQ(label.left, 5);
        EXPECT_EQ(label.top, line.labelTop);
        EXPECT_LT(label.right, line.listLeft) << "a label runs into its list";
        const RECT list = PlaceOnForm(line.list);
        EXPECT_EQ(list.left, line.listLeft);
        EXPECT_EQ(list.top, line.listTop);
        EXPECT_EQ(list.right, 185);
    }
    const RECT button = PlaceOnForm(mainForm->ConfigureButton);
    EXPECT_EQ(button.left, 8);
    EXPECT_EQ(button.top, 111);
    EXPECT_EQ(button.right, 185);
    EXPECT_EQ(button.bottom, 137);
}

TEST_F(MainFormTest, EveryChildWritesInArialOfHeight17)
{
    for (Control* child : {mainForm->RowsLabel, mainForm->TypeLabel, mainForm->ColumnsLabel,
                           mainForm->PortLabel, mainForm->PortList, mainForm->ConfigureButton,
                           mainForm->RowsList, mainForm->ColumnsList, mainForm->TypeList}) {
        const auto font = reinterpret_cast<HFONT>(
            SendMessageA(toolkit::GetWindowHandle(child), WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr);
        LOGFONTA face{};
        GetObjectA(font, sizeof face, &face);
        EXPECT_EQ(face.lfHeight, 17);
        EXPECT_STREQ(face.lfFaceName, "Arial");
    }
}

TEST_F(MainFormTest, ListsHoldTheirItemsWithTheDefaultsSelected)
{
    std::vector<std::string> ports;
    for (int i = 1; i <= 16; ++i)
        ports.push_back("Com" + std::to_string(i));
    EXPECT_EQ(Items(mainForm->PortList), ports);
    EXPECT_EQ(Items(mainForm->RowsList), (std::vector<std::string>{"2", "4"}));
    EXPECT_EQ(Items(mainForm->ColumnsList), (std::vector<std::string>{"8", "16", "20", "24", "40"}));
    const std::vector<std::string> types = {
        "LCD0821",  "LCD2021",  "LCD2041",  "LCD4021",    "LCD4041",  "LK202-25", "LK204-25", "LK404-55",
        "LK404-AT", "LK402-12", "LK162-12", "LK204-25PC", "LK082-12", "LK402-25", "LK404-25"};
    EXPECT_EQ(Items(mainForm->TypeList), types);

    EXPECT_EQ(WindowText(mainForm->PortList->Handle), "Com1");
    EXPECT_EQ(WindowText(mainForm->RowsList->Handle), "2");
    EXPECT_EQ(WindowText(mainForm->ColumnsList->Handle), "16");
    EXPECT_EQ(WindowText(mainForm->TypeList->Handle), "LK162-12");

    for (Control* list : {mainForm->PortList, mainForm->RowsList, mainForm->ColumnsList,
                          mainForm->TypeList}) {
        const auto style = static_cast<DWORD>(GetWindowLongA(list->Handle, GWL_STYLE));
        EXPECT_EQ(style & 0x0FFF, 0x643u) << "a drop-down list without integral height";
        EXPECT_EQ(list->Color, toolkit::ColorWindow);
    }
}

TEST_F(MainFormTest, TheButtonNeverTakesTheFocusAndIsFlatWithAPressedShift)
{
    auto* button = static_cast<toolkit::Button*>(mainForm->ConfigureButton);
    EXPECT_EQ(GetWindowLongA(button->Handle, GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_TRUE(button->FlatLook);
    EXPECT_EQ(button->PressedShiftX, 1);
    EXPECT_EQ(button->PressedShiftY, 1);
    EXPECT_EQ(form->DefaultButton, button);

    // The native button never hears of the focus: it draws no focus frame,
    // and the form's current control stays the list that had it.
    ShowWindow(form->Handle, SW_SHOW);
    SetFocus(mainForm->TypeList->Handle);
    SetFocus(toolkit::GetWindowHandle(button));
    EXPECT_EQ(SendMessageA(button->Handle, BM_GETSTATE, 0, 0) & BST_FOCUS, 0);
    EXPECT_EQ(form->CurrentControl, mainForm->TypeList);
}

TEST_F(MainFormTest, ThePortStartsClosedOnCom1With9600EightDataBitsNoParityOneStopBit)
{
    EXPECT_FALSE(mainForm->ComPort->Connected());
    ASSERT_NO_FATAL_FAILURE(ExpectMainWindowSettings(*mainForm->ComPort));
}

// The handlers as the toolkit calls them, with the port on a recorded line.
class WiredForm : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        mainForm->ComPort->UsePlatform(line);
    }

    RecordingLine line;
    Journal& journal = line.journal;
};

TEST_F(WiredForm, TheButtonConfiguresFromWhatTheListsShowAtTheClick)
{
    mainForm->ConfigureButton->OnClick.Fire(mainForm->ConfigureButton);
    EXPECT_EQ(journal.Writes(), (Strings{"FE 04 02", "FE 03 10", "FE 05 34",
                                         "FE 58 43 6F 6D 70 6C 65 74 65 21"}));

    journal = Journal();
    toolkit::SetCurrentIndex(mainForm->PortList, 11);
    toolkit::SetCurrentIndex(mainForm->RowsList, 1);
    toolkit::SetCurrentIndex(mainForm->ColumnsList, 4);
    toolkit::SetCurrentIndex(mainForm->TypeList, 14);
    mainForm->ConfigureButton->OnClick.Fire(mainForm->ConfigureButton);
    EXPECT_EQ(journal.Entries().front(), "open \\\\.\\COM12");
    EXPECT_EQ(journal.Writes(), (Strings{"FE 04 04", "FE 03 28", "FE 05 73",
                                         "FE 58 43 6F 6D 70 6C 65 74 65 21"}));
    EXPECT_FALSE(mainForm->ComPort->Connected());
}

TEST_F(WiredForm, ChoosingAPortOnlyRenamesTheClosedPort)
{
    toolkit::SetCurrentIndex(mainForm->PortList, 2);
    mainForm->PortList->OnChange.Fire(mainForm->PortList);
    EXPECT_EQ(mainForm->ComPort->Port(), "COM3");
    EXPECT_TRUE(journal.Entries().empty());
    EXPECT_FALSE(mainForm->ComPort->Connected());
}

// What the builder's settings become on the line when the port opens, every
// member of both records.
TEST_F(WiredForm, TheLineIsOpenedAt9600EightNoneOneWithoutFlowControlMemberByMember)
{
    mainForm->ComPort->Open();
    const DCB dcb = line.LastDeviceControl();
    const COMMTIMEOUTS timeouts = line.LastTimeouts();
    EXPECT_EQ(line.CallsNamed("SetupComm"), (Strings{"SetupComm device 1024 1024"}));
    mainForm->ComPort->Close();

    ExpectMainWindowDeviceControl(dcb);

    EXPECT_EQ(timeouts.ReadIntervalTimeout, MAXDWORD);
    EXPECT_EQ(timeouts.ReadTotalTimeoutMultiplier, 0u);
    EXPECT_EQ(timeouts.ReadTotalTimeoutConstant, 0u);
    EXPECT_EQ(timeouts.WriteTotalTimeoutMultiplier, 100u);
    EXPECT_EQ(timeouts.WriteTotalTimeoutConstant, 1000u);
}

} // namespace
