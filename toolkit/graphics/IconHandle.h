#pragma once

#include <windows.h>

#include "toolkit/graphics/ObjectTally.h"
#include "toolkit/object/UniqueHandle.h"

namespace toolkit {

struct OwnedIconTraits {
    using Handle = HICON;
    static HICON Empty() { return nullptr; }
    static void Close(HICON icon) { DropIcon(icon); }
};

// An icon its holder made or was handed, destroyed with it.
using OwnedIcon = UniqueHandle<OwnedIconTraits>;

// An icon its holder shows but does not own, such as a resource icon that the
// platform shares with every user of the module: nothing here can destroy it.
class BorrowedIcon {
public:
    BorrowedIcon() = default;
    explicit BorrowedIcon(HICON icon) : icon(icon) {}

    HICON Get() const { return icon; }

private:
    HICON icon = nullptr;
};

} // namespace toolkit
