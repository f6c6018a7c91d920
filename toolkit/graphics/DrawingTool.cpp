#include "toolkit/graphics/DrawingTool.h"

#include <cstring>
#include <utility>

#include "toolkit/graphics/ObjectTally.h"
#include "toolkit/object/PointerList.h"

namespace toolkit {

namespace {

bool SameData(const DrawingTool* a, const DrawingTool* b)
{
    const auto* x = reinterpret_cast<const unsigned char*>(&a->Data);
    const auto* y = reinterpret_cast<const unsigned char*>(&b->Data);
    for (std::size_t i = 0; i < sizeof(ToolData); ++i)
        if (x[i] != y[i])
            return false;
    return true;
}

// Compared up to and including the terminator, within the face name's room.
bool SameFaceName(const char* face, const char* name)
{
    for (std::size_t i = 0; i < LF_FACESIZE; ++i) {
        if (face[i] != name[i])
            return false;
        if (face[i] == 0)
            return true;
    }
    return true;
}

bool IsToolField(int position)
{
    return position >= ToolColor && position <= FontWeight && position % 4 == 0;
}

// The longest chain of parent tools that is followed.
constexpr int MaxToolDepth = 64;

} // namespace

void FontTool::Init()
{
    ToolKind = ToolKind::Font;
    Data.Color = ColorWindowText;
    // The toolkit's texts are Cyrillic: a font that may hold any other set
    // first is, outside a Russian system, one without those letters (and
    // under some code pages not even an Arial with Latin ones).
    Data.Font.lfCharSet = RUSSIAN_CHARSET;
    std::memcpy(Data.Font.lfFaceName, "MS Sans Serif", sizeof("MS Sans Serif"));
}

DrawingTool* FontTool::CreateSameKind() const
{
    return CreateFontTool();
}

HGDIOBJ FontTool::MakeHandle()
{
    if (!Handle)
        Handle.Take(MakeFont(Data.Font));
    return Handle.Get();
}

DrawingTool* CreateFontTool()
{
    return CreateObject<FontTool>();
}

void DrawingTool::SetParentTool(DrawingTool* parent)
{
    if (parent == ParentTool || parent == this)
        return;
    if (ParentTool != nullptr && ParentTool->borrowers != nullptr)
        ParentTool->borrowers->Remove(reinterpret_cast<PointerList::Value>(this));
    ParentTool = parent;
    if (parent != nullptr) {
        if (parent->borrowers == nullptr)
            parent->borrowers = CreateList();
        parent->borrowers->Add(reinterpret_cast<PointerList::Value>(this));
    }
}

void DrawingTool::Destroy()
{
    SetParentTool(nullptr);
    // A borrower may be using our handle, and its own borrowers through it:
    // they make their own from now on.
    if (PointerList* list = std::exchange(borrowers, nullptr)) {
        for (PointerList::Value value : *list) {
            auto* borrower = reinterpret_cast<DrawingTool*>(value);
            const bool borrowed = !borrower->Handle;
            borrower->ParentTool = nullptr;
            ToolChanged(borrower);
            if (borrowed)
                borrower->TellBorrowers(1);
        }
        FreeObject(list);
    }
    Handle.Reset();
    ToolkitObject::Destroy();
}

void DrawingTool::TellBorrowers(int depth)
{
    if (borrowers == nullptr || depth >= MaxToolDepth)
        return;
    for (std::int32_t i = 0; i < borrowers->Count(); ++i) {
        auto* borrower = reinterpret_cast<DrawingTool*>(borrowers->Get(i));
        if (borrower->Handle)
            continue; // its own handle, which its borrowers use as well
        borrower->OnChange.Fire(borrower);
        borrower->TellBorrowers(depth + 1);
    }
}

HGDIOBJ GetToolHandle(DrawingTool* tool)
{
    DrawingTool* current = tool;
    // Bounded by the depth of the chain; a cycle cannot be built (SetParentTool).
    for (int depth = 0; current != nullptr && depth < MaxToolDepth; ++depth) {
        if (current->Handle && ResolveColor(current->Data.Color) != current->MadeColor)
            ToolChanged(current); // a system colour changed since the handle was made
        if (current->Handle)
            return current->Handle.Get();
        if (current->ParentTool != nullptr && SameData(current, current->ParentTool)) {
            current = current->ParentTool;
            continue;
        }
        current->MadeColor = ResolveColor(current->Data.Color);
        return current->MakeHandle();
    }
    return nullptr;
}

// The listeners hear of the change while the old object still exists (a
// window is given the new font before the old one is deleted), and again
// after it has gone.
void ToolChanged(DrawingTool* tool)
{
    if (tool == nullptr)
        return;
    GdiObject<HGDIOBJ> old(std::move(tool->Handle));
    if (!old) {
        tool->OnChange.Fire(tool);
        return;
    }
    tool->OnChange.Fire(tool);
    // Tools that borrowed the old handle, at any depth, change over first.
    tool->TellBorrowers(0);
    old.Reset();
    tool->OnChange.Fire(tool);
}

void SetToolField(DrawingTool* tool, int position, std::int32_t value)
{
    if (tool == nullptr || !IsToolField(position) || GetToolField(tool, position) == value)
        return;
    std::memcpy(reinterpret_cast<unsigned char*>(&tool->Data) + position, &value, sizeof(value));
    ToolChanged(tool);
}

std::int32_t GetToolField(const DrawingTool* tool, int position)
{
    std::int32_t value = 0;
    if (tool != nullptr && IsToolField(position))
        std::memcpy(&value, reinterpret_cast<const unsigned char*>(&tool->Data) + position,
                    sizeof(value));
    return value;
}

void SetFontName(DrawingTool* font, const char* name)
{
    if (font == nullptr)
        return;
    if (name == nullptr)
        name = "";
    char* face = font->Data.Font.lfFaceName;
    // The stored name is always terminated.
    if (SameFaceName(face, name))
        return;
    std::memset(face, 0, LF_FACESIZE);
    for (std::size_t i = 0; i < MaxFaceNameLength && name[i] != 0; ++i)
        face[i] = name[i];
    ToolChanged(font);
}

DrawingTool* AssignTool(DrawingTool* dest, DrawingTool* source)
{
    if (source == nullptr) {
        FreeObject(dest);
        return nullptr;
    }
    if (dest == nullptr)
        dest = source->CreateSameKind();
    if (dest == source)
        return dest;
    if (dest->Handle && dest->Handle.Get() == source->Handle.Get())
        return dest;
    ToolChanged(dest);
    dest->Data = source->Data;
    ToolChanged(dest);
    return dest;
}

} // namespace toolkit
