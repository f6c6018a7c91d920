#include "toolkit/window/ApplicationState.h"
#include "toolkit/window/Control.h"
#include "toolkit/window/Dispatch.h"
#include "toolkit/window/ControlGraphics.h"
#include "toolkit/text/WideText.h"

namespace toolkit {

namespace {

constexpr std::size_t ClassNameBufferSize = 64;
constexpr UINT DerivedClassStyleMask = 0xFFFFBF1F; // no OWNDC, CLASSDC, PARENTDC, GLOBALCLASS

// "obj_" + the native class name, cut to fit 63 characters.
void DerivedClassName(const char* className, char (&name)[ClassNameBufferSize])
{
    std::size_t length = 0;
    for (const char* part : {"obj_", className})
        for (; part != nullptr && *part != 0 && length < sizeof(name) - 1; ++part)
            name[length++] = *part;
    name[length] = 0;
}

int SizeOrDefault(LONG size)
{
    return size == 0 ? CW_USEDEFAULT : static_cast<int>(size);
}

} // namespace

bool Control::CreateNativeWindow()
{
    if (Parent != nullptr && GetWindowHandle(Parent) == nullptr)
        return false;
    if (Handle != nullptr) {
        CreateChildWindows(this);
        if (ShowPending) {
            SetVisible(this, true);
            ShowPending = false;
        }
        return true;
    }

    HINSTANCE module = GetModuleHandleA(nullptr);
    WNDCLASSW windowClass{};
    windowClass.style = ClassStyle;
    windowClass.lpfnWndProc = NativeClassProc;
    windowClass.hInstance = module;
    windowClass.hCursor = ArrowCursor();

    char derived[ClassNameBufferSize];
    DerivedClassName(ClassName, derived);
    const WideText name(derived);

    const int width = SizeOrDefault(BoundsRect.right - BoundsRect.left);
    const int height = SizeOrDefault(BoundsRect.bottom - BoundsRect.top);
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    if (IsChild || (PositionSet & (LeftSet | TopSet)) != 0) {
        x = BoundsRect.left;
        y = BoundsRect.top;
    }

    if (ClassName != nullptr) {
        // Succeeds for the platform's control classes, whose data the derived
        // class takes over; fails for "Form", which keeps the prepared values.
        WNDCLASSW native{};
        const WideText nativeName(ClassName);
        if (GetClassInfoW(module, nativeName.Text(), &native))
            windowClass = native;
        windowClass.hInstance = module;
        windowClass.style &= DerivedClassStyleMask;
        if (NativeClassProc == nullptr)
            NativeClassProc = windowClass.lpfnWndProc;
    }

    HWND parentWindow = Parent != nullptr ? Parent->Handle : nullptr;
    if ((Style & WS_CHILD) != 0 && parentWindow == nullptr)
        return false;

    WNDCLASSW registered{};
    if (!GetClassInfoW(module, name.Text(), &registered)) {
        windowClass.lpszClassName = name.Text();
        windowClass.lpfnWndProc = WindowProcedure;
        if (RegisterClassW(&windowClass) == 0)
            return false;
    }

    ControlBeingCreated = this;
    // A child's menu parameter is its identifier.
    auto menu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IsChild ? ControlId : 0));
    const WideText text(WindowTextOf(Caption.Get()));
    Handle = CreateWindowExW(ExStyle, name.Text(), text.Text(), Style, x, y, width, height,
                             parentWindow, menu, module, nullptr);
    if (ControlBeingCreated == this)
        ControlBeingCreated = nullptr;
    if (Handle == nullptr)
        return false;

    SendMessageW(Handle, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    if (ControlOfWindow(Handle) == nullptr)
        BindWindow(Handle, this);
    if (!IsChild)
        Perform(this, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(GetIcon(this)));

    if (AfterCreateProcedure != nullptr)
        AfterCreateProcedure(this);
    ApplyControlFont(this);
    CreateChildWindows(this);
    return true;
}

HWND GetWindowHandle(Control* control)
{
    if (control == nullptr)
        return nullptr;
    if (control->Handle != nullptr)
        return control->Handle;
    if (!control->CreatedHidden) {
        control->CreatedHidden = true;
        // Only a control that was to be seen waits to be shown.
        const bool wasVisible = control->Visible;
        SetVisible(control, false);
        control->CreateNativeWindow();
        control->ShowPending = wasVisible;
    } else {
        control->CreateNativeWindow();
    }
    return control->Handle;
}

LRESULT Perform(Control* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageW(GetWindowHandle(control), message, wParam, lParam);
}

void CreateChildWindows(Control* control)
{
    for (std::int32_t i = 0; i < ChildCount(control); ++i)
        if (Control* child = ChildAt(control, i))
            child->CreateNativeWindow();
}

} // namespace toolkit
