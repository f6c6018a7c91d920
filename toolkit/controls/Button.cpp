#include "toolkit/controls/Button.h"

#include "toolkit/control/CommonControls.h"
#include "toolkit/control/Hooks.h"
#include "toolkit/control/MouseTracking.h"

namespace toolkit {

namespace {

constexpr DWORD ButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
static_assert(ButtonStyle == 0x5001000B);
constexpr int ButtonHeight = 22;
constexpr int ButtonMargin = 8;
constexpr int GlyphSpacing = 4;
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

// The image list's frame size. comctl32 is only asked when it is already
// loaded, as it must be for an image list to exist.
bool ImageListFrame(HANDLE list, int& width, int& height)
{
    using IconSize = BOOL(WINAPI*)(HANDLE, int*, int*);
    auto getSize = reinterpret_cast<IconSize>(reinterpret_cast<void*>(
        CommonControlsEntry("ImageList_GetIconSize", CommonControlsLoad::IfLoaded)));
    return getSize != nullptr && getSize(list, &width, &height);
}

bool BitmapFrame(Button* button)
{
    BITMAP bitmap{};
    if (GetObjectA(button->Glyph, sizeof(bitmap), &bitmap) == 0)
        return false;
    if (button->GlyphCount == 0 && bitmap.bmHeight > 0)
        button->GlyphCount = bitmap.bmWidth / bitmap.bmHeight; // square frames
    button->GlyphWidth = bitmap.bmWidth;
    button->GlyphHeight = bitmap.bmHeight;
    if (button->GlyphCount > 1)
        button->GlyphWidth = bitmap.bmWidth / button->GlyphCount;
    return true;
}

void SizeForGlyph(Button* button, bool hasCaption)
{
    if (button->ButtonOptions & ButtonGlyphIsImageList) {
        if (!ImageListFrame(button->Glyph, button->GlyphWidth, button->GlyphHeight))
            return;
    } else if (!BitmapFrame(button)) {
        return;
    }
    RECT& bounds = button->BoundsRect;
    std::uint16_t& marginX = button->Kind.SizeMarginX;
    std::uint16_t& marginY = button->Kind.SizeMarginY;
    const int layout = button->GlyphLayout;
    const bool sideBySide = layout == GlyphLeft || layout == GlyphRight;
    const bool stacked = layout == GlyphTop || layout == GlyphBottom;
    if (button->GlyphWidth > 0) {
        if (!hasCaption || layout == GlyphCentre) {
            bounds.right = bounds.left + button->GlyphWidth;
            marginX = 0;
        } else if (sideBySide) {
            bounds.right += button->GlyphWidth;
            marginX = static_cast<std::uint16_t>(marginX + button->GlyphWidth);
        }
    }
    if (button->GlyphHeight > 0) {
        if (stacked) {
            bounds.bottom += button->GlyphHeight;
            marginY = static_cast<std::uint16_t>(marginY + button->GlyphHeight);
        } else {
            bounds.bottom = bounds.top + button->GlyphHeight;
            marginY = 0;
        }
    }
    if (button->ButtonOptions & ButtonNoBorder)
        return;
    if (button->GlyphWidth != 0) {
        bounds.right += GlyphSpacing;
        if (marginX != 0)
            marginX = static_cast<std::uint16_t>(marginX + GlyphSpacing);
    }
    if (button->GlyphHeight > 0) {
        bounds.bottom += GlyphSpacing;
        if (marginY != 0)
            marginY = static_cast<std::uint16_t>(marginY + GlyphSpacing);
    }
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

Button* CreateButton(Control* parent, const char* caption, std::uint8_t options,
                     std::uint8_t layout, HANDLE glyph, int glyphCount)
{
    auto* button = CreateChildControl<Button>(parent, "BUTTON", ButtonStyle, &ButtonKind, false);
    button->IsPushButton = true;
    button->Kind.SizeMarginX = ButtonMargin;
    button->Kind.SizeMarginY = ButtonMargin;
    button->ButtonOptions = options;
    button->GlyphLayout = layout <= GlyphCentre ? layout : std::uint8_t{GlyphLeft};
    button->Glyph = glyph;
    button->BoundsRect.bottom = button->BoundsRect.top + ButtonHeight;
    if (glyph != nullptr) {
        button->GlyphCount = glyphCount;
        const bool hasCaption = caption != nullptr && caption[0] != 0;
        SizeForGlyph(button, hasCaption);
    }
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
