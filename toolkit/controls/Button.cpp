#include "toolkit/controls/Button.h"

#include "toolkit/window/Hooks.h"
#include "toolkit/window/MouseTracking.h"

namespace toolkit {

namespace {

constexpr DWORD ButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
static_assert(ButtonStyle == 0x5001000B);
constexpr int ButtonHeight = 22;
constexpr int ButtonMargin = 8;
constexpr UINT_PTR RepeatTimer = 1;

constexpr ControlKind ButtonKind = [] {
    ControlKind kind;
    kind.ClickCode = BN_CLICKED;
    kind.SizeMarginX = 14;
    return kind;
}();

// None for any other kind, whatever hooks it has been given.
Button* AsButton(Control* control)
{
    return control != nullptr ? control->AsButton() : nullptr;
}

void ToggleChecked(Button* button)
{
    if ((button->ButtonOptions & ButtonCheckStyle) == 0)
        return;
    button->Checked = !button->Checked;
    button->OnChange.Fire(button);
}

void Repeat(Button* button)
{
    const LRESULT state = Perform(button, BM_GETSTATE, 0, 0);
    if ((state & BST_PUSHED) == 0) {
        KillTimer(button->Handle, RepeatTimer);
        ReleaseCapture();
        return;
    }
    ToggleChecked(button);
    button->OnClick.Fire(button);
    Invalidate(button);
}

bool ButtonHook(Control* control, MessageRecord& record, LRESULT& result)
{
    Button* button = AsButton(control);
    if (button == nullptr)
        return false;
    switch (record.Message) {
    case WM_LBUTTONDBLCLK:
        // A double click is a second press.
        result = Perform(button, WM_LBUTTONDOWN, record.WParam, record.LParam);
        return true;
    case ReflectedDrawItem:
        if (record.LParam != 0)
            DrawButton(button, *reinterpret_cast<const DRAWITEMSTRUCT*>(record.LParam));
        result = 1;
        return true;
    case WM_KEYDOWN:
        if (record.WParam == VK_SPACE)
            ToggleChecked(button);
        return false;
    case WM_LBUTTONDOWN:
        ToggleChecked(button);
        if (button->RepeatInterval > 0) {
            SetTimer(button->Handle, RepeatTimer, static_cast<UINT>(button->RepeatInterval),
                     nullptr);
            Invalidate(button);
        }
        return false;
    case WM_KILLFOCUS:
        Invalidate(button);
        return false;
    case WM_TIMER:
        if (record.WParam == RepeatTimer)
            Repeat(button);
        return false;
    default:
        return false;
    }
}

} // namespace

Button* CreateButtonControl(Control* parent, std::uint8_t options, std::uint8_t layout,
                            HANDLE glyph)
{
    auto* button = CreateChildControl<Button>(parent, "BUTTON", ButtonStyle, &ButtonKind, false);
    button->IsPushButton = true;
    button->Kind.SizeMarginX = ButtonMargin;
    button->Kind.SizeMarginY = ButtonMargin;
    button->ButtonOptions = options;
    button->GlyphLayout = layout <= GlyphCentre ? layout : std::uint8_t{GlyphLeft};
    button->Glyph = glyph;
    button->BoundsRect.bottom = button->BoundsRect.top + ButtonHeight;
    return button;
}

Button* FinishButton(Button* button, Control* parent, const char* caption)
{
    AttachHook(parent, DrawItemReflectHook);
    AttachHook(button, ButtonHook);
    SetCaption(button, caption);
    button->TextAlign = TextAlignCentre;
    return button;
}

void SetFlatLook(Button* button, bool on)
{
    if (button == nullptr)
        return;
    button->FlatLook = on;
    button->MouseInside = false;
    AttachHook(button, MouseTrackingHook);
    Invalidate(button);
}

} // namespace toolkit
