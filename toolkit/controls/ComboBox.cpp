#include "toolkit/controls/ComboBox.h"

#include <algorithm>
#include <iterator>

#include "toolkit/controls/ComboBoxControl.h"
#include "toolkit/window/Hooks.h"
#include "toolkit/controls/ListOperations.h"

namespace toolkit {

namespace {

constexpr DWORD BaseStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_HASSTRINGS;
static_assert(BaseStyle == 0x50210200);

// The style flag of each option bit, by bit number. Bit 1 (no automatic
// scrolling) works the other way round: see ComboBoxStyle.
constexpr std::uint16_t OptionStyles[] = {
    CBS_DROPDOWNLIST, 0,        CBS_DISABLENOSCROLL, CBS_LOWERCASE,
    CBS_NOINTEGRALHEIGHT,       CBS_OEMCONVERT,      CBS_SORT,
    CBS_UPPERCASE,              CBS_OWNERDRAWFIXED,  CBS_OWNERDRAWVARIABLE,
    CBS_SIMPLE,
};
static_assert(ComboNoAutoScroll == 1 << 1 && ComboSimple == 1 << (std::size(OptionStyles) - 1));

// The notification codes of a combo box; a selection is taken from the
// deferred code, never from CBN_SELCHANGE itself.
constexpr ControlKind ComboBoxKind = [] {
    ControlKind kind;
    kind.ClickCode = CBN_DBLCLK;
    kind.EnterCode = CBN_SETFOCUS;
    kind.LeaveCode = CBN_KILLFOCUS;
    kind.ChangeCode = CBN_EDITCHANGE;
    kind.SelChangeCode = DeferredSelChangeCode;
    kind.CountMsg = CB_GETCOUNT;
    kind.DeleteItemMsg = CB_DELETESTRING;
    kind.InsertItemMsg = CB_INSERTSTRING;
    kind.GetCurrentMsg = CB_GETCURSEL;
    kind.SetCurrentMsg = CB_SETCURSEL;
    kind.SizeMarginY = 6;
    return kind;
}();

constexpr int ExtraWidth = 36;
constexpr int BottomRaise = 42;
constexpr int MinDropDownItems = 1;
constexpr int MaxDropDownItems = 8;

} // namespace

std::uint32_t ComboBoxStyle(std::uint16_t options)
{
    DWORD style = BaseStyle;
    for (std::size_t bit = 0; bit < std::size(OptionStyles); ++bit)
        if (options & (1u << bit))
            style |= OptionStyles[bit];
    if ((options & ComboNoAutoScroll) == 0)
        style |= CBS_AUTOHSCROLL;
    if ((style & 0x1) == 0)
        style |= CBS_DROPDOWN;
    return style;
}

Control* CreateComboBox(Control* parent, std::uint16_t options)
{
    auto* combo = CreateChildControl<ComboBoxControl>(parent, "COMBOBOX", ComboBoxStyle(options),
                                                      &ComboBoxKind, true);
    combo->ClassStyle |= CS_DBLCLKS;
    combo->BoundsRect.right += ExtraWidth;
    combo->BoundsRect.bottom -= BottomRaise;
    combo->RowHeight = combo->BoundsRect.bottom - combo->BoundsRect.top;
    combo->AfterCreateProcedure = SubclassInnerWindows;
    combo->DropDownHeightProcedure = SetDropDownHeight;
    AttachHook(combo, ComboBoxHook);
    return combo;
}

void SetDropDownHeight(Control* control)
{
    ComboBoxControl* combo = control != nullptr ? control->AsComboBox() : nullptr;
    if (combo == nullptr || combo->Handle == nullptr)
        return;
    const int items = std::clamp<int>(GetItemCount(combo), MinDropDownItems, MaxDropDownItems);
    const int row = combo->RowHeight;
    const int height = (items + 1) * (row > 0 ? row : GetHeight(combo)) + 2;
    SetWindowPos(combo->Handle, nullptr, 0, 0, GetWidth(combo), height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    SetWindowPos(combo->Handle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE |
                     SWP_SHOWWINDOW);
    combo->OnDropDown.Fire(combo);
}

} // namespace toolkit
