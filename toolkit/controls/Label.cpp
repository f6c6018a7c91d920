#include "toolkit/controls/Label.h"

#include "toolkit/window/Control.h"

namespace toolkit {

namespace {

constexpr DWORD LabelStyle = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_NOPREFIX | SS_LEFTNOWORDWRAP;
static_assert(LabelStyle == 0x5000018C);
constexpr int LabelHeight = 22;

constexpr ControlKind LabelKind = [] {
    ControlKind kind;
    kind.ClickCode = STN_CLICKED;
    kind.SizeMarginX = 1;
    kind.SizeMarginY = 1;
    return kind;
}();

} // namespace

Control* CreateLabel(Control* parent, const char* text)
{
    Control* label = CreateChildControl(parent, "STATIC", LabelStyle, &LabelKind, false);
    label->BoundsRect.bottom = label->BoundsRect.top + LabelHeight;
    SetCaption(label, text);
    return label;
}

} // namespace toolkit
