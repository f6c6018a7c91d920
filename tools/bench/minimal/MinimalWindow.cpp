// A raw Win32 program with ConfigQuarnel's window and action, the yardstick of
// tools/benchmark: the same caption, labels, lists with their items and
// defaults, flat button, Arial 17, Enter and serial writes, written straight
// against user32, gdi32 and kernel32 as the smallest program that does the
// same job would be. Whatever the utility costs beyond this, in start time,
// memory or latency, is the price of its own layers.
#include <windows.h>

#include <cstddef>

#include "SerialAction.h"

namespace {

constexpr char ClassName[] = "MinimalQuarnel";
constexpr char Caption[] = "Config Quarnel";
constexpr char ConfigureText[] = "\xCA\xEE\xED\xF4\xE8\xE3\xF3\xF0\xE8\xF0\xEE\xE2\xE0\xF2\xFC";

struct Choice {
    const char* Text;
    BYTE Byte;
};

constexpr Choice PortChoices[] = {
    {"Com1", 0},  {"Com2", 0},  {"Com3", 0},  {"Com4", 0},  {"Com5", 0},  {"Com6", 0},
    {"Com7", 0},  {"Com8", 0},  {"Com9", 0},  {"Com10", 0}, {"Com11", 0}, {"Com12", 0},
    {"Com13", 0}, {"Com14", 0}, {"Com15", 0}, {"Com16", 0},
};
constexpr Choice RowsChoices[] = {{"2", 0x02}, {"4", 0x04}};
constexpr Choice ColumnsChoices[] = {
    {"8", 0x08}, {"16", 0x10}, {"20", 0x14}, {"24", 0x18}, {"40", 0x28},
};
constexpr Choice TypeChoices[] = {
    {"LCD0821", 0x01},  {"LCD2021", 0x02},  {"LCD2041", 0x05},    {"LCD4021", 0x06},
    {"LCD4041", 0x07},  {"LK202-25", 0x08}, {"LK204-25", 0x09},   {"LK404-55", 0x0A},
    {"LK404-AT", 0x31}, {"LK402-12", 0x33}, {"LK162-12", 0x34},   {"LK204-25PC", 0x35},
    {"LK082-12", 0x48}, {"LK402-25", 0x4B}, {"LK404-25", 0x73},
};

struct LabelSpec {
    const char* Text;
    int Left, Top;
};

// In the utility's creation order, which is also the z-order.
constexpr LabelSpec Labels[] = {
    {"\xCA\xEE\xEB-\xE2\xEE \xF1\xF2\xF0\xEE\xEA", 5, 32},                 // Кол-во строк
    {"\xD2\xE8\xEF \xE4\xE8\xF1\xEF\xEB\xE5\xFF", 5, 85},                  // Тип дисплея
    {"\xCA\xEE\xEB-\xE2\xEE \xF1\xE8\xEC\xE2\xEE\xEB\xEE\xE2", 5, 58},     // Кол-во символов
    {"COM \xEF\xEE\xF0\xF2", 5, 7},                                        // COM порт
};

struct ListSpec {
    const Choice* Items;
    int Count;
    int Left, Top, Width;
    int Selected;
};

template <std::size_t N>
constexpr ListSpec List(const Choice (&items)[N], int left, int top, int width, int selected)
{
    return {items, static_cast<int>(N), left, top, width, selected};
}

enum ListIndex { PortList, RowsList, ColumnsList, TypeList, ListCount };
constexpr ListSpec Lists[ListCount] = {
    List(PortChoices, 98, 3, 87, 0),
    List(RowsChoices, 109, 29, 76, 0),
    List(ColumnsChoices, 128, 55, 57, 1),
    List(TypeChoices, 96, 81, 89, 10),
};

constexpr DWORD FormStyle = WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
constexpr DWORD ChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD LabelStyle = ChildStyle | SS_NOTIFY | SS_NOPREFIX | SS_LEFTNOWORDWRAP;
constexpr DWORD ListStyle = ChildStyle | WS_VSCROLL | WS_TABSTOP | CBS_HASSTRINGS | CBS_DROPDOWNLIST |
                            CBS_AUTOHSCROLL | CBS_NOINTEGRALHEIGHT;
constexpr DWORD ButtonStyle = ChildStyle | BS_OWNERDRAW;
constexpr int ListRowHeight = 22;
constexpr int MostDropDownRows = 8;

HFONT font = nullptr;
HWND lists[ListCount] = {};
HWND button = nullptr;
HWND currentList = nullptr;
WNDPROC nativeButtonProc = nullptr;
bool mouseInside = false;

HWND Child(HWND form, DWORD exStyle, const char* className, const char* text, DWORD style, int left,
           int top, int width, int height, int id)
{
    HWND window = CreateWindowExA(exStyle, className, text, style, left, top, width, height, form,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleA(nullptr), nullptr);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return window;
}

SIZE TextSize(const char* text)
{
    SIZE size{};
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return size;
}

// The button never takes the focus and is raised only while the mouse is on it.
LRESULT CALLBACK ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
        return 0;
    case WM_MOUSEMOVE:
        if (!mouseInside) {
            mouseInside = true;
            TRACKMOUSEEVENT request{sizeof request, TME_LEAVE, window, 0};
            TrackMouseEvent(&request);
            InvalidateRect(window, nullptr, FALSE);
        }
        break;
    case WM_MOUSELEAVE:
        mouseInside = false;
        InvalidateRect(window, nullptr, FALSE);
        break;
    default:
        break;
    }
    return CallWindowProcA(nativeButtonProc, window, message, wParam, lParam);
}

void CreateChildren(HWND form)
{
    int id = 1;
    for (const LabelSpec& label : Labels) {
        const SIZE size = TextSize(label.Text);
        Child(form, 0, "STATIC", label.Text, LabelStyle, label.Left, label.Top, size.cx + 1,
              size.cy + 1, id++);
    }
    auto createList = [&](ListIndex index) {
        const ListSpec& spec = Lists[index];
        const int rows = spec.Count < MostDropDownRows ? spec.Count : MostDropDownRows;
        // The height includes the dropped-down list.
        HWND list = Child(form, WS_EX_CLIENTEDGE, "COMBOBOX", "", ListStyle, spec.Left, spec.Top,
                          spec.Width, (rows + 1) * ListRowHeight + 2, id++);
        for (int i = 0; i < spec.Count; ++i)
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(spec.Items[i].Text));
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(spec.Selected), 0);
        lists[index] = list;
    };
    createList(PortList);
    button = Child(form, 0, "BUTTON", ConfigureText, ButtonStyle, 8, 111, 177, 26, id++);
    nativeButtonProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ButtonProc)));
    createList(RowsList);
    createList(ColumnsList);
    createList(TypeList);
    currentList = lists[PortList];
}

void DrawButton(const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    if (focused) {
        FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&rect, -1, -1);
    }
    if (mouseInside || focused) {
        DrawEdge(dc, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
        InflateRect(&rect, -1, -1);
    }
    const int saved = SaveDC(dc);
    SelectObject(dc, font);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const int length = sizeof ConfigureText - 1;
    SIZE extent{};
    GetTextExtentPoint32A(dc, ConfigureText, length, &extent);
    int left = rect.left + (rect.right - rect.left - extent.cx) / 2;
    int top = rect.top + (rect.bottom - rect.top - extent.cy) / 2;
    if (pressed) {
        ++left;
        ++top;
    }
    ExtTextOutA(dc, left < rect.left ? rect.left : left, top < 0 ? 0 : top,
                ETO_CLIPPED | ETO_OPAQUE, &rect, ConfigureText, length, nullptr);
    RestoreDC(dc, saved);
}

bool ChosenByte(ListIndex index, BYTE& byte)
{
    const LRESULT chosen = SendMessageA(lists[index], CB_GETCURSEL, 0, 0);
    if (chosen < 0 || chosen >= Lists[index].Count)
        return false;
    byte = Lists[index].Items[chosen].Byte;
    return true;
}

void Configure()
{
    char port[16] = {};
    GetWindowTextA(lists[PortList], port, sizeof port);
    BYTE rows = 0, columns = 0, type = 0;
    if (ChosenByte(RowsList, rows) && ChosenByte(ColumnsList, columns) && ChosenByte(TypeList, type))
        minimal::ConfigureDisplay(port, rows, columns, type);
}

LRESULT CALLBACK FormProc(HWND form, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
        // The focus goes back to the list that had it.
        SetFocus(currentList);
        return 0;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == button && HIWORD(wParam) == BN_CLICKED)
            Configure();
        else if (HIWORD(wParam) == CBN_SETFOCUS)
            currentList = reinterpret_cast<HWND>(lParam);
        return 0;
    case WM_DRAWITEM:
        DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(form, message, wParam, lParam);
    }
}

// Enter anywhere in the window presses the button, as a Space press would:
// down on key-down, a click on key-up.
bool PressedEnter(const MSG& message)
{
    if ((message.message != WM_KEYDOWN && message.message != WM_KEYUP) || message.wParam != VK_RETURN)
        return false;
    if (message.message == WM_KEYDOWN)
        SetFocus(button);
    SendMessageA(button, message.message, VK_SPACE, message.lParam);
    return true;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = FormProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = ClassName;
    if (RegisterClassA(&windowClass) == 0)
        return 1;

    font = CreateFontA(17, 0, 0, 0, 0, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    constexpr int width = 198;
    constexpr int height = 171;
    HWND form = CreateWindowExA(WS_EX_CONTROLPARENT, ClassName, Caption, FormStyle,
                                (GetSystemMetrics(SM_CXSCREEN) - width) >> 1,
                                (GetSystemMetrics(SM_CYSCREEN) - height) >> 1, width, height,
                                nullptr, nullptr, instance, nullptr);
    if (form == nullptr)
        return 1;
    SendMessageA(form, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(instance, "MAINICON")));
    CreateChildren(form);
    SendMessageA(form, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    ShowWindow(form, SW_SHOW);

    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (PressedEnter(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DeleteObject(font);
    return static_cast<int>(message.wParam);
}
