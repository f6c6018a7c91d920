// The window "Config Quarnel" of a running ConfigQuarnel.exe, read from
// outside through the platform's Unicode functions alone, so that what it
// reads does not depend on the code page either program runs under. Prints
// the form and each child as read, then one line for each way the window
// differs from what it is meant to show:
//
//   WindowInspector [--code-page N] [--frame LEFT,TOP]
//
//   --code-page N      the ANSI code page this runs under is N (so the check
//                      ran where it was meant to)
//   --frame LEFT,TOP   the client area starts LEFT, TOP pixels into the window
//                      and the frame is as wide on the right and bottom as on
//                      the left
//
// Always checked: the texts, the list items and selections, where each child
// lies, that the client area is 190 x 144 and every child inside it, that each
// label is as wide as its text in Arial 17 plus one, and that the form is
// centred on the screen. Exit code 0 when nothing differs, 1 when something
// does, 2 when there is no such window or the arguments are wrong.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "app/DisplayProtocol.h"

namespace {

constexpr int ClientWidth = 190;
constexpr int ClientHeight = 144;

// What a child is meant to be. Width 0: a label, as wide as its text.
struct Child {
    const wchar_t* Class;
    int Left;
    int Top;
    int Width;
    std::wstring Text;
    std::vector<std::wstring> Items;
};

std::vector<std::wstring> ChoiceTexts(std::span<const app::Choice> choices)
{
    std::vector<std::wstring> texts;
    for (const app::Choice& choice : choices)
        texts.emplace_back(choice.Text, choice.Text + std::strlen(choice.Text));
    return texts;
}

// The sixteen, then every port above them that the platform knows, asked
// name by name.
std::vector<std::wstring> PortTexts()
{
    std::vector<std::wstring> texts;
    wchar_t target[MAX_PATH];
    for (int number = 1; number <= 256; ++number)
        if (number <= app::PortCount ||
            QueryDosDeviceW((L"COM" + std::to_wstring(number)).c_str(), target, MAX_PATH) != 0)
            texts.push_back(L"Com" + std::to_wstring(number));
    return texts;
}

std::vector<Child> ExpectedChildren()
{
    const auto ports = PortTexts();
    const auto rows = ChoiceTexts(app::RowsChoices);
    const auto columns = ChoiceTexts(app::ColumnsChoices);
    const auto types = ChoiceTexts(app::TypeChoices);
    return {
        {L"obj_STATIC", 5, 7, 0, L"COM порт", {}},
        {L"obj_STATIC", 5, 32, 0, L"Кол-во строк", {}},
        {L"obj_STATIC", 5, 58, 0, L"Кол-во символов", {}},
        {L"obj_STATIC", 5, 85, 0, L"Тип дисплея", {}},
        {L"obj_COMBOBOX", 98, 3, 87, ports[app::DefaultPortNumber - 1], ports},
        {L"obj_COMBOBOX", 109, 29, 76, rows[app::DefaultRowsIndex], rows},
        {L"obj_COMBOBOX", 128, 55, 57, columns[app::DefaultColumnsIndex], columns},
        {L"obj_COMBOBOX", 96, 81, 89, types[app::DefaultTypeIndex], types},
        {L"obj_BUTTON", 8, 111, 177, L"Конфигурировать", {}},
    };
}

std::wstring report;
std::wstring differences;

void Differs(const std::wstring& what) { differences += L"differs: " + what + L"\n"; }

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

std::wstring Number(long value) { return std::to_wstring(value); }

std::wstring Place(const RECT& rect)
{
    return Number(rect.left) + L"," + Number(rect.top) + L" " + Number(rect.right - rect.left) +
           L"x" + Number(rect.bottom - rect.top);
}

// Texts of another process come back through SendMessageW in UTF-16
// whatever either side's code page. Longer texts than this are a fault too.
constexpr std::size_t TextCapacity = 256;

std::wstring WindowText(HWND window)
{
    wchar_t text[TextCapacity] = {};
    const LRESULT length =
        SendMessageW(window, WM_GETTEXT, TextCapacity, reinterpret_cast<LPARAM>(text));
    return std::wstring(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::vector<std::wstring> Items(HWND list)
{
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        // CB_GETLBTEXT writes the whole item and its zero, however long.
        if (length < 0 || static_cast<std::size_t>(length) >= TextCapacity) {
            items.push_back(L"(an item of " + Number(static_cast<long>(length)) + L" characters)");
            continue;
        }
        wchar_t text[TextCapacity] = {};
        SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.emplace_back(text, static_cast<std::size_t>(length));
    }
    return items;
}

std::wstring Joined(const std::vector<std::wstring>& texts)
{
    std::wstring joined;
    for (const std::wstring& text : texts)
        joined += (joined.empty() ? L"" : L" ") + text;
    return joined;
}

// The width the label's text needs, as the window draws it: Arial of cell
// height 17 with the Cyrillic character set, on the screen.
int TextWidth(const std::wstring& text)
{
    HDC screen = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontW(17, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, 0, 0,
                             0, 0, L"Arial");
    HGDIOBJ before = SelectObject(screen, font);
    SIZE extent{};
    GetTextExtentPoint32W(screen, text.data(), static_cast<int>(text.size()), &extent);
    SelectObject(screen, before);
    DeleteObject(font);
    DeleteDC(screen);
    return extent.cx;
}

// The child's window rectangle within the form's client area.
RECT OnForm(HWND child, HWND form)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[TextCapacity] = {};
    const int length = GetClassNameW(window, name, static_cast<int>(TextCapacity));
    return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

void CheckChild(HWND child, HWND form, const RECT& client, const std::vector<Child>& expected)
{
    const std::wstring name = ClassOf(child);
    const RECT place = OnForm(child, form);
    const std::wstring text = WindowText(child);
    std::wstring line = name + L" " + Place(place) + L" " + Quoted(text);
    const bool list = name == L"obj_COMBOBOX";
    const std::vector<std::wstring> items = list ? Items(child) : std::vector<std::wstring>{};
    if (list)
        line += L" items: " + Joined(items);
    report += line + L"\n";

    if (place.left < 0 || place.top < 0 || place.right > client.right - client.left ||
        place.bottom > client.bottom - client.top)
        Differs(name + L" " + Quoted(text) + L" at " + Place(place) +
                L" lies outside the client area");
    for (const Child& meant : expected) {
        if (place.left != meant.Left || place.top != meant.Top)
            continue;
        if (name != meant.Class)
            Differs(L"at " + Number(meant.Left) + L"," + Number(meant.Top) + L": " + name +
                    L", not " + meant.Class);
        if (text != meant.Text)
            Differs(name + L" at " + Number(meant.Left) + L"," + Number(meant.Top) + L": " +
                    Quoted(text) + L", not " + Quoted(meant.Text));
        if (items != meant.Items)
            Differs(name + L" " + Quoted(meant.Text) + L" lists: " + Joined(items) + L"; not: " +
                    Joined(meant.Items));
        const int width = meant.Width != 0 ? meant.Width : TextWidth(meant.Text) + 1;
        if (place.right - place.left != width)
            Differs(name + L" " + Quoted(meant.Text) + L" is " + Number(place.right - place.left) +
                    L" wide, not " + Number(width));
        return;
    }
    Differs(L"a child that is not meant to be there: " + line);
}

std::string Utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                        size, nullptr, nullptr);
    return bytes;
}

// Byte for byte: the console's code page plays no part.
void Print(const std::wstring& text)
{
    const std::string bytes = Utf8(text);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
              &written, nullptr);
}

struct Options {
    long CodePage = 0;
    long FrameLeft = -1;
    long FrameTop = -1;
};

bool ParseOptions(int argc, char** argv, Options& options)
{
    if (argc % 2 == 0)
        return false;
    for (int i = 1; i < argc; i += 2) {
        char* end = nullptr;
        if (std::strcmp(argv[i], "--code-page") == 0) {
            options.CodePage = std::strtol(argv[i + 1], &end, 10);
        } else if (std::strcmp(argv[i], "--frame") == 0) {
            options.FrameLeft = std::strtol(argv[i + 1], &end, 10);
            if (*end != ',')
                return false;
            options.FrameTop = std::strtol(end + 1, &end, 10);
        } else {
            return false;
        }
        if (*end != '\0')
            return false;
    }
    return true;
}

// The form: its caption, the size of its client area, its place on the
// screen and, when asked, its frame. Its client area on the screen.
RECT CheckForm(HWND form, const Options& options)
{
    RECT window{};
    GetWindowRect(form, &window);
    RECT client{};
    GetClientRect(form, &client);
    MapWindowPoints(form, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const std::wstring caption = WindowText(form);
    report += L"form " + Quoted(caption) + L": window " + Place(window) + L", client " +
              Place(client) + L"\n";

    if (caption != L"Config Quarnel")
        Differs(L"the caption is " + Quoted(caption));
    const long clientWidth = client.right - client.left;
    const long clientHeight = client.bottom - client.top;
    if (clientWidth != ClientWidth || clientHeight != ClientHeight)
        Differs(L"the client area is " + Number(clientWidth) + L"x" + Number(clientHeight) +
                L", not " + Number(ClientWidth) + L"x" + Number(ClientHeight));
    const long width = window.right - window.left;
    const long height = window.bottom - window.top;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (window.left != (screenWidth - width) >> 1 || window.top != (screenHeight - height) >> 1)
        Differs(L"the form at " + Place(window) + L" is not centred on the screen of " +
                Number(screenWidth) + L"x" + Number(screenHeight));
    if (options.FrameLeft >= 0) {
        const long left = client.left - window.left;
        const long top = client.top - window.top;
        const long right = window.right - client.right;
        const long bottom = window.bottom - client.bottom;
        const long side = options.FrameLeft;
        if (left != side || top != options.FrameTop || right != side || bottom != side)
            Differs(L"the frame is " + Number(left) + L" left, " + Number(top) + L" above, " +
                    Number(right) + L" right and " + Number(bottom) +
                    L" below the client area, not " + Number(side) + L", " +
                    Number(options.FrameTop) + L", " + Number(side) + L" and " + Number(side));
    }
    return client;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        Print(L"usage: WindowInspector [--code-page N] [--frame LEFT,TOP]\n");
        return 2;
    }
    HWND form = FindWindowW(nullptr, L"Config Quarnel");
    if (form == nullptr) {
        Print(L"no window \"Config Quarnel\"\n");
        return 2;
    }
    // Whatever the window still has to draw, it draws now, before this
    // returns: a picture taken next shows it whole.
    RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);

    const UINT codePage = GetACP();
    report += L"code page " + Number(static_cast<long>(codePage)) + L"\n";
    if (options.CodePage != 0 && codePage != static_cast<UINT>(options.CodePage))
        Differs(L"runs under code page " + Number(static_cast<long>(codePage)) + L", not " +
                Number(options.CodePage));

    const RECT client = CheckForm(form, options);
    const std::vector<Child> expected = ExpectedChildren();
    std::size_t children = 0;
    for (HWND child = GetWindow(form, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        CheckChild(child, form, client, expected);
        ++children;
    }
    if (children != expected.size())
        Differs(Number(static_cast<long>(children)) + L" children, not " +
                Number(static_cast<long>(expected.size())));

    Print(report + differences);
    return differences.empty() ? 0 : 1;
}
