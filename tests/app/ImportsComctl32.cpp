// A program as the utility once was: it imports comctl32 and makes a window,
// with the platform's search order for libraries. Run beside the planted
// DLLs, it shows that the platform would load them.
#include <windows.h>

#include <commctrl.h>

int main()
{
    InitCommonControls();
    // The first window makes user32 load uxtheme.
    DestroyWindow(CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                                nullptr));
    return 0;
}
