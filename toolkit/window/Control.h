#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "toolkit/window/ControlKind.h"
#include "toolkit/window/MessageRecord.h"
#include "toolkit/graphics/Color.h"
#include "toolkit/graphics/GdiHandle.h"
#include "toolkit/graphics/IconHandle.h"
#include "toolkit/object/EventSlot.h"
#include "toolkit/object/ToolkitObject.h"
#include "toolkit/text/OwnedText.h"

namespace toolkit {

class Button;
class Canvas;
class ComboBoxControl;
class DrawingTool;
class PointerList;

using ControlProcedure = void (*)(Control* control);

struct ClientInsets {
    int Top = 0;
    int Bottom = 0;
    int Left = 0;
    int Right = 0;
};

// PositionSet bits.
inline constexpr std::uint8_t LeftSet = 0x01;
inline constexpr std::uint8_t TopSet = 0x02;

// One native window: a form or a child control. The window is made when an
// operation first needs it; until then every setter only stores its value.
// Made by CreateObject: members without an initializer start at zero.
class Control : public ToolkitObject {
public:
    HWND Handle;
    UINT ClassStyle = CS_OWNDC;
    DWORD Style = WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW;
    DWORD ExStyle = WS_EX_CONTROLPARENT;
    HCURSOR Cursor;
    // The window's icon: one the control owns and destroys with its window,
    // or one it only shows (a resource icon; InvalidIcon = no icon). Neither
    // set = not yet resolved.
    OwnedIcon Icon;
    BorrowedIcon SharedIcon;
    OwnedText Caption;
    std::uint8_t SizeState;
    int SavedShowCommand;
    toolkit::Canvas* Canvas;
    WNDPROC NativeClassProc;
    bool WindowGone;
    Control* Parent;
    bool Visible = true;
    bool TabStop;
    int TabOrder;
    PointerList* Children;
    // Made for the background colour by GetControlBrush; owned by the control.
    GdiObject<HBRUSH> BackgroundBrush;
    COLORREF BackgroundBrushColor;
    bool Destroyed;
    std::uint16_t ControlId;
    bool IsForm;
    bool IsChild;
    std::uint8_t PositionSet;
    PointerList* Hooks;
    EventSlot<void(Control* sender)> OnLeave;
    // The native class this control's window class derives from.
    const char* ClassName;
    bool Look3D = true;
    bool Edge3D = true;
    toolkit::Color TextColor = ColorWindowText;
    DrawingTool* Font;
    toolkit::Color Color = ColorButtonFace;
    int Margin = 2;
    RECT BoundsRect;
    toolkit::ClientInsets ClientInsets{};
    bool Transparent;
    EventSlot<bool(MessageRecord& record, LRESULT& result)> OnMessage;
    EventSlot<bool(MessageRecord& record, LRESULT& result)> SavedOnMessage;
    EventSlot<void(Control* sender)> OnClick;
    Control* CurrentControl;
    bool CreatedHidden;
    bool ShowPending;
    // Raised while the toolkit itself moves the focus.
    std::int8_t FocusGuard;
    bool IsDefaultButton;
    bool IsCancelButton;
    bool IsPushButton;
    Control* DefaultButton;
    Control* CancelButton;
    EventSlot<void(Control* sender)> OnChange;
    EventSlot<void(Control* sender)> OnEnter;
    ControlKind Kind{};
    EventSlot<void(Control* sender)> OnSelChange;
    EventSlot<void(Control* sender)> OnMouseLeave;
    EventSlot<void(Control* sender)> OnMouseEnter;
    EventSlot<bool(Control* sender)> OnTestMouseOver;
    bool MouseInside;
    EventSlot<void(Control* sender, bool& accept)> OnClose;
    // Runs right after the native window is made.
    ControlProcedure AfterCreateProcedure;
    // Runs after the caption or the font changes.
    ControlProcedure SizeToTextProcedure;

    // Sets up the fields that depend on the parent and joins its Children.
    virtual void InitUnderParent(Control* parent);
    // Makes the native window (and those of the parents first); shows a
    // window made hidden when it waits for that. Returns success.
    virtual bool CreateNativeWindow();
    virtual LRESULT HandleMessage(MessageRecord& record);
    // A kind with fields of its own answers with itself: its routines ask
    // before they take a Control as theirs (the product has no RTTI).
    virtual Button* AsButton() { return nullptr; }
    virtual ComboBoxControl* AsComboBox() { return nullptr; }

    bool DestructionBegun() const { return destructionBegun; }

protected:
    // Out of line: the kinds derived from Control share it.
    ~Control() override;
    void Init() override;
    void Destroy() override;

private:
    bool destructionBegun;
};

inline const HICON InvalidIcon = reinterpret_cast<HICON>(static_cast<INT_PTR>(-1));

// Tells whether a Control was destroyed while the watch was in scope: lets a
// caller that hands a Control to other code know whether it may touch it again.
class DestroyWatch {
public:
    explicit DestroyWatch(Control* control);
    ~DestroyWatch();
    DestroyWatch(const DestroyWatch&) = delete;
    DestroyWatch& operator=(const DestroyWatch&) = delete;

    bool Destroyed() const { return destroyed; }

private:
    friend class Control;
    Control* control;
    bool destroyed = false;
    DestroyWatch* next;
};

// Construction. A kind that needs fields of its own derives from Control and
// passes its type; the object is then set up exactly as a plain Control.
void SetUpForm(Control* form, Control* parent, const char* caption);
void SetUpChildControl(Control* control, Control* parent, const char* className, DWORD style,
                       const ControlKind* kind, bool edge);

template <typename T = Control>
T* CreateForm(Control* parent, const char* caption)
{
    T* form = CreateObject<T>();
    SetUpForm(form, parent, caption);
    return form;
}

template <typename T = Control>
T* CreateChildControl(Control* parent, const char* className, DWORD style,
                      const ControlKind* kind, bool edge)
{
    T* control = CreateObject<T>();
    SetUpChildControl(control, parent, className, style, kind, edge);
    return control;
}

// Native window.
HWND GetWindowHandle(Control* control);
LRESULT Perform(Control* control, UINT message, WPARAM wParam, LPARAM lParam);
void CreateChildWindows(Control* control);
// The platform's arrow cursor. It is one shared handle for the whole process,
// and loading it is a walk through the system's resources each time, so it is
// loaded once.
HCURSOR ArrowCursor();

// Tree.
void SetParent(Control* control, Control* parent);
Control* ParentForm(Control* control);
void DestroyChildren(Control* control);
std::int32_t ChildCount(const Control* control);
Control* ChildAt(const Control* control, std::int32_t index);

// Properties.

// The caption as the platform takes it: a window text longer than
// MaxWindowTextLength is refused (the window is not made, or its text is
// emptied), so a longer caption reaches the window cut to that length.
inline constexpr std::size_t MaxWindowTextLength = 32766;
std::string_view WindowTextOf(const char* caption);

void SetCaption(Control* control, const char* text);
void SetWindowStyle(Control* control, DWORD style);
void SetVisible(Control* control, bool visible);
bool IsVisible(Control* control);
bool IsEnabled(Control* control);
void Invalidate(Control* control);
HICON GetIcon(Control* control);
// The control shows the icon and never destroys it.
void SetIcon(Control* control, BorrowedIcon icon);
void SetIconFromResource(Control* control, HINSTANCE module, const char* name);
void SetBackgroundColor(Control* control, toolkit::Color color);
void SetFocused(Control* control, bool focused);

// Bounds.
RECT GetBounds(Control* control);
void SetBounds(Control* control, const RECT& bounds);
void SetLeft(Control* control, int left);
void SetTop(Control* control, int top);
void SetWidth(Control* control, int width);
void SetHeight(Control* control, int height);
int GetWidth(Control* control);
int GetHeight(Control* control);
Control* SetControlPosition(Control* control, int left, int top);
Control* SetControlSize(Control* control, int width, int height);
// Sizes the control so that its client area is width x height under the
// platform's frame for its styles.
Control* SetClientSize(Control* control, int width, int height);
RECT GetClientBounds(Control* control);
void CenterWindow(Control* control);

} // namespace toolkit
