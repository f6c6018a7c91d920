#pragma once

#include <windows.h>

#include "toolkit/window/Control.h"

namespace toolkit {

// A combo box's own state: whether its list is down, and which item was
// current when it dropped, so that Escape can put that item back.
// Made by CreateObject: members without an initializer start at zero.
class ComboBoxControl : public Control {
public:
    bool DroppedDown;
    int DropDownIndex = -1;
    // The height the combo box was given. The platform sizes the window to
    // its font's selection field, which is no measure for the list.
    int RowHeight;
    // Sizes the window so that the list has room when it drops down.
    ControlProcedure DropDownHeightProcedure;
    EventSlot<void(Control* sender)> OnDropDown;
    EventSlot<void(Control* sender)> OnCloseUp;

    ComboBoxControl* AsComboBox() override { return this; }

protected:
    void Destroy() override;
};

// The window property that keeps an inner window's own procedure.
inline constexpr const wchar_t* PreviousProcProperty = L"PREV_PROC";

// Reflected colours, the deferred selection code and the drop-down
// bookkeeping of a combo box; attached by the combo box's constructor.
bool ComboBoxHook(Control* control, MessageRecord& record, LRESULT& result);

// The selection notification that arrives through the queue, once the
// combo box's selection and text are final.
inline constexpr WORD DeferredSelChangeCode = 15;

// The AfterCreateProcedure of a combo box: routes the messages of its inner
// windows (the edit field of a combo with one) through InnerWindowProcedure.
void SubclassInnerWindows(Control* combo);
LRESULT CALLBACK InnerWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Gives the inner windows of `window` their own procedures back and removes
// the property.
void RemoveInnerWindowProperties(HWND window);

} // namespace toolkit
