#include <cstring>
#include <string>

#include "tests/support/ToolkitFixture.h"
#include "toolkit/window/ControlGraphics.h"
#include "toolkit/graphics/DrawingTool.h"

using namespace toolkit;

namespace {

int notifications = 0;

// Counts, then does what a control font's listener does.
void CountAndForward(void* control, DrawingTool* font)
{
    ++notifications;
    if (control != nullptr)
        ControlFontChangedEvent(control, font);
}

HGDIOBJ WindowFont(Control* control)
{
    return reinterpret_cast<HGDIOBJ>(SendMessageA(control->Handle, WM_GETFONT, 0, 0));
}

bool IsLiveFont(HGDIOBJ object)
{
    return object != nullptr && GetObjectType(object) == OBJ_FONT;
}

using Fonts = ToolkitTest;

TEST_F(Fonts, ChangesNotifyOnceWithoutAHandleAndTwiceWithOne)
{
    Control* form = NewForm();
    Control* label = NewChild(form);
    DrawingTool* font = GetControlFont(label);
    EXPECT_EQ(font->Data.Color, label->TextColor);
    font->OnChange = {CountAndForward, label};

    notifications = 0;
    SetToolField(font, FontHeight, 17);
    EXPECT_EQ(notifications, 1);
    SetToolField(font, FontHeight, 17);
    EXPECT_EQ(notifications, 1) << "an equal value changes nothing";

    ASSERT_NE(GetWindowHandle(label), nullptr); // applies the font, so makes its handle
    ASSERT_NE(font->Handle.Get(), nullptr);
    EXPECT_EQ(WindowFont(label), font->Handle.Get());

    notifications = 0;
    SetFontName(font, "Arial");
    EXPECT_EQ(notifications, 2);
    EXPECT_STREQ(font->Data.Font.lfFaceName, "Arial");
    EXPECT_TRUE(IsLiveFont(WindowFont(label)));
    EXPECT_EQ(WindowFont(label), font->Handle.Get());
    SetFontName(font, "Arial");
    EXPECT_EQ(notifications, 2);

    EXPECT_EQ(GetToolField(font, FontHeight), 17);
    EXPECT_EQ(GetToolField(font, FontWeight), 0);
    EXPECT_EQ(font->Data.Font.lfCharSet, RUSSIAN_CHARSET);
    FreeObject(form);
}

TEST_F(Fonts, FaceNamesKeep31CharactersAndFieldsOutsideTheBlockAreIgnored)
{
    DrawingTool* font = CreateFontTool();
    EXPECT_STREQ(font->Data.Font.lfFaceName, "MS Sans Serif");
    const std::string longName(40, 'N');
    SetFontName(font, longName.c_str());
    EXPECT_EQ(std::string(font->Data.Font.lfFaceName), std::string(31, 'N'));
    SetFontName(font, nullptr);
    EXPECT_STREQ(font->Data.Font.lfFaceName, "");

    const ToolData before = font->Data;
    SetToolField(font, 60, 0x41414141);
    SetToolField(font, -4, 1);
    SetToolField(font, 6, 1);
    EXPECT_EQ(std::memcmp(&before, &font->Data, sizeof(ToolData)), 0);
    FreeObject(font);
}

TEST_F(Fonts, AssignToolCopiesDataOnlyAndHandlesItsEdgeCases)
{
    DrawingTool* source = CreateFontTool();
    SetToolField(source, FontHeight, 23);
    EXPECT_EQ(AssignTool(nullptr, nullptr), nullptr);

    DrawingTool* copy = AssignTool(nullptr, source);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(GetToolField(copy, FontHeight), 23);
    EXPECT_EQ(copy->ParentTool, nullptr);
    EXPECT_EQ(AssignTool(copy, copy), copy);

    notifications = 0;
    copy->OnChange = {CountAndForward, nullptr};
    EXPECT_EQ(AssignTool(copy, source), copy);
    EXPECT_EQ(notifications, 2);
    EXPECT_EQ(AssignTool(copy, nullptr), nullptr); // frees the copy
    FreeObject(source);
}

TEST_F(Fonts, AChildFontEqualToItsParentsBorrowsTheHandleAndNeverDeletesIt)
{
    Control* form = NewForm();
    DrawingTool* formFont = GetControlFont(form);
    SetToolField(formFont, FontHeight, 17);
    HGDIOBJ shared = GetToolHandle(formFont);
    ASSERT_TRUE(IsLiveFont(shared));

    Control* child = NewChild(form);
    ASSERT_NE(child->Font, nullptr);
    EXPECT_NE(child->Font, formFont);
    EXPECT_EQ(child->Font->ParentTool, formFont);
    EXPECT_EQ(GetToolHandle(child->Font), shared);
    EXPECT_EQ(child->Font->Handle.Get(), nullptr);

    Control* other = NewChild(form);
    SetToolField(GetControlFont(other), FontWeight, FW_BOLD);
    HGDIOBJ own = GetToolHandle(other->Font);
    EXPECT_NE(own, shared);
    EXPECT_EQ(other->Font->Handle.Get(), own);

    FreeObject(child);
    FreeObject(other);
    EXPECT_TRUE(IsLiveFont(shared));
    EXPECT_FALSE(IsLiveFont(own));
    FreeObject(form);
    EXPECT_FALSE(IsLiveFont(shared));
}

TEST_F(Fonts, NoWindowEverHoldsADeletedFont)
{
    Control* form = NewForm();
    SetToolField(GetControlFont(form), FontHeight, 15);
    Control* child = NewChild(form);
    ASSERT_NE(GetWindowHandle(child), nullptr);
    HGDIOBJ before = WindowFont(child);
    EXPECT_EQ(before, form->Font->Handle.Get());

    // The parent's font changes: the child's window was using its handle.
    SetToolField(form->Font, FontHeight, 30);
    EXPECT_FALSE(IsLiveFont(before));
    EXPECT_TRUE(IsLiveFont(WindowFont(child)));
    LOGFONTA seen{};
    GetObjectA(WindowFont(child), sizeof(seen), &seen);
    EXPECT_EQ(seen.lfHeight, 15) << "the child keeps its own font data";

    SetFontName(child->Font, "Arial");
    EXPECT_TRUE(IsLiveFont(WindowFont(child)));

    FreeObject(form);
}

HGDIOBJ heldByWindow = nullptr;
void TakeNewHandle(void*, DrawingTool* tool)
{
    heldByWindow = GetToolHandle(tool);
}

TEST_F(Fonts, ABorrowerMakesItsOwnHandleBeforeTheLenderGoes)
{
    DrawingTool* lender = CreateFontTool();
    DrawingTool* borrower = AssignTool(nullptr, lender);
    borrower->SetParentTool(lender);
    borrower->OnChange = {TakeNewHandle, nullptr};
    HGDIOBJ lent = GetToolHandle(borrower);
    EXPECT_EQ(lent, lender->Handle.Get());

    FreeObject(lender);
    EXPECT_EQ(borrower->ParentTool, nullptr);
    EXPECT_TRUE(IsLiveFont(heldByWindow));
    EXPECT_EQ(heldByWindow, borrower->Handle.Get());
    EXPECT_FALSE(IsLiveFont(lent));
    FreeObject(borrower);
    EXPECT_FALSE(IsLiveFont(heldByWindow));
}

// A grandchild reaches the handle through its parent, which borrows it too.
TEST_F(Fonts, GrandchildrenChangeOverBeforeTheHandleTheyBorrowGoes)
{
    Control* form = NewForm();
    SetToolField(GetControlFont(form), FontHeight, 15);
    Control* panel = NewChild(form);
    Control* label = NewChild(panel);
    ASSERT_EQ(label->Font->ParentTool, panel->Font);
    ASSERT_NE(GetWindowHandle(label), nullptr);
    HGDIOBJ before = WindowFont(label);
    EXPECT_EQ(before, form->Font->Handle.Get());
    SetToolField(form->Font, FontHeight, 30);
    EXPECT_FALSE(IsLiveFont(before));
    EXPECT_TRUE(IsLiveFont(WindowFont(panel)));
    EXPECT_TRUE(IsLiveFont(WindowFont(label)));
    FreeObject(form);

    // And when the lender itself goes.
    DrawingTool* lender = CreateFontTool();
    DrawingTool* borrower = AssignTool(nullptr, lender);
    borrower->SetParentTool(lender);
    DrawingTool* grandchild = AssignTool(nullptr, borrower);
    grandchild->SetParentTool(borrower);
    grandchild->OnChange = {TakeNewHandle, nullptr};
    heldByWindow = GetToolHandle(grandchild);
    HGDIOBJ lent = lender->Handle.Get();
    EXPECT_EQ(heldByWindow, lent);
    FreeObject(lender);
    EXPECT_FALSE(IsLiveFont(lent));
    EXPECT_TRUE(IsLiveFont(heldByWindow));
    FreeObject(grandchild);
    FreeObject(borrower);
}

TEST_F(Fonts, ASystemColourChangeRemakesTheHandle)
{
    DrawingTool* font = CreateFontTool();
    HGDIOBJ first = GetToolHandle(font);
    EXPECT_EQ(GetToolHandle(font), first);
    font->MadeColor ^= 0x00FFFFFF; // as if COLOR_WINDOWTEXT had changed since
    notifications = 0;
    font->OnChange = {CountAndForward, nullptr};
    HGDIOBJ second = GetToolHandle(font);
    EXPECT_EQ(notifications, 2);
    EXPECT_TRUE(IsLiveFont(second));
    EXPECT_EQ(font->MadeColor, ResolveColor(font->Data.Color));
    FreeObject(font);
}

} // namespace
