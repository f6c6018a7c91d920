#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "toolkit/graphics/Color.h"
#include "toolkit/graphics/GdiHandle.h"
#include "toolkit/object/EventSlot.h"
#include "toolkit/object/ToolkitObject.h"

namespace toolkit {

class PointerList;

// The data that make a tool's platform object: compared and copied as one
// 64-byte block. For a font, the colour is the text colour.
struct ToolData {
    toolkit::Color Color;
    LOGFONTA Font;
};
static_assert(sizeof(ToolData) == 64, "the tool data block is 64 bytes");

// Byte positions of the 32-bit fields of the data block (SetToolField).
enum ToolField : int {
    ToolColor = 0,
    FontHeight = 4,
    FontWidth = 8,
    FontEscapement = 12,
    FontOrientation = 16,
    FontWeight = 20,
};

enum class ToolKind : std::uint8_t { None = 0, Font = 1 };

// A platform graphics object made on demand from its data block. A tool with
// a ParentTool whose data are equal uses the parent's handle and never owns
// it; the parent tells such borrowers before it lets its handle go.
// Made by CreateObject: members without an initializer start at zero.
class DrawingTool : public ToolkitObject {
public:
    toolkit::ToolKind ToolKind = ToolKind::None;
    // 0 until made by GetToolHandle; owned by the tool.
    GdiObject<HGDIOBJ> Handle;
    DrawingTool* ParentTool;
    EventSlot<void(DrawingTool* tool)> OnChange;
    COLORREF MadeColor;
    ToolData Data;

    // A new, empty tool of this one's kind.
    virtual DrawingTool* CreateSameKind() const = 0;
    // Makes the platform object from the data block into Handle.
    virtual HGDIOBJ MakeHandle() = 0;

    void SetParentTool(DrawingTool* parent);

protected:
    void Destroy() override;

private:
    friend void ToolChanged(DrawingTool* tool);
    // Tells the tools that use this one's handle, directly or through their
    // own parents, that it goes: each changes over before it is deleted.
    void TellBorrowers(int depth);
    PointerList* borrowers;
};

class FontTool : public DrawingTool {
public:
    DrawingTool* CreateSameKind() const override;
    HGDIOBJ MakeHandle() override;

protected:
    void Init() override;
};

inline constexpr std::size_t MaxFaceNameLength = LF_FACESIZE - 1;

DrawingTool* CreateFontTool();
HGDIOBJ GetToolHandle(DrawingTool* tool);
// Positions other than those of ToolField are ignored.
void SetToolField(DrawingTool* tool, int position, std::int32_t value);
std::int32_t GetToolField(const DrawingTool* tool, int position);
void SetFontName(DrawingTool* font, const char* name);
DrawingTool* AssignTool(DrawingTool* dest, DrawingTool* source);
void ToolChanged(DrawingTool* tool);

} // namespace toolkit
