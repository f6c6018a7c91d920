#include <cstring>
#include <string>
#include <vector>

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

using Fonts = FormTest;

TEST_F(Fonts, ChangesNotifyOnceWithoutAHandleAndTwiceWithOne)
{
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
    form = nullptr;
    EXPECT_FALSE(IsLiveFont(shared));
}

// The parent's font changes while a window below it uses its handle: a child
// (depth 1), or a grandchild that reaches it through its own parent (depth 2).
class FontsBelow : public FormTest, public ::testing::WithParamInterface<int> {};

TEST_P(FontsBelow, NoWindowEverHoldsADeletedFont)
{
    SetToolField(GetControlFont(form), FontHeight, 15);
    std::vector<Control*> chain;
    for (Control* parent = form; static_cast<int>(chain.size()) < GetParam(); parent = chain.back())
        chain.push_back(NewChild(parent));
    Control* leaf = chain.back();
    if (chain.size() > 1) {
        ASSERT_EQ(leaf->Font->ParentTool, chain[chain.size() - 2]->Font);
    }
    ASSERT_NE(GetWindowHandle(leaf), nullptr);
    HGDIOBJ before = WindowFont(leaf);
    EXPECT_EQ(before, form->Font->Handle.Get());

    SetToolField(form->Font, FontHeight, 30);
    EXPECT_FALSE(IsLiveFont(before));
    for (Control* control : chain)
        EXPECT_TRUE(IsLiveFont(WindowFont(control)));
    LOGFONTA seen{};
    GetObjectA(WindowFont(leaf), sizeof(seen), &seen);
    EXPECT_EQ(seen.lfHeight, 15) << "the children keep their own font data";

    SetFontName(leaf->Font, "Arial");
    EXPECT_TRUE(IsLiveFont(WindowFont(leaf)));

}

INSTANTIATE_TEST_SUITE_P(Depth, FontsBelow, ::testing::Values(1, 2));

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

// A grandchild tool reaches the handle through its parent, which borrows it
// too: both change over before the lender's handle goes.
TEST_F(Fonts, GrandchildrenChangeOverBeforeTheLenderGoes)
{
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
