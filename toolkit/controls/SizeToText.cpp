#include "toolkit/controls/SizeToText.h"

#include <cstring>
#include <string_view>

#include "toolkit/window/Control.h"
#include "toolkit/graphics/Canvas.h"
#include "toolkit/window/ControlGraphics.h"
#include "toolkit/graphics/DrawingTool.h"

namespace toolkit {

namespace {

// An italic caption leans past its measured extent by about one space.
SIZE MeasureCaption(Control* control)
{
    const char* caption = control->Caption.Get() != nullptr ? control->Caption.Get() : "";
    const std::size_t length = std::strlen(caption);
    if (length == 0)
        return {0, 0};
    const bool italic = control->Font != nullptr && control->Font->Data.Font.lfItalic != 0;
    if (!italic)
        return TextExtent(GetControlCanvas(control), {caption, length});
    char* padded = new char[length + 2];
    std::memcpy(padded, caption, length);
    padded[length] = ' ';
    padded[length + 1] = 0;
    const SIZE size = TextExtent(GetControlCanvas(control), {padded, length + 1});
    delete[] padded;
    return size;
}

} // namespace

void SizeToText(Control* control)
{
    if (control == nullptr)
        return;
    const SIZE text = MeasureCaption(control);
    RECT bounds = GetBounds(control);
    if (control->Kind.SizeMarginX > 0)
        bounds.right = bounds.left + text.cx + control->Kind.SizeMarginX;
    if (control->Kind.SizeMarginY > 0)
        bounds.bottom = bounds.top + text.cy + control->Kind.SizeMarginY;
    SetBounds(control, bounds);
}

Control* SetSizeToText(Control* control, bool on)
{
    if (control == nullptr)
        return nullptr;
    control->SizeToTextProcedure = on ? SizeToText : nullptr;
    if (on)
        SizeToText(control);
    return control;
}

} // namespace toolkit
