#include "DisplayTypes.h"

namespace lcdsim {

namespace {

struct DisplayType {
    std::uint8_t code;
    const char* name;
};

// The codes are the controller's own and do not run in steps.
constexpr DisplayType displayTypes[] = {
    {0x01, "LCD0821"},  {0x02, "LCD2021"},  {0x05, "LCD2041"},    {0x06, "LCD4021"},
    {0x07, "LCD4041"},  {0x08, "LK202-25"}, {0x09, "LK204-25"},   {0x0A, "LK404-55"},
    {0x31, "LK404-AT"}, {0x33, "LK402-12"}, {0x34, "LK162-12"},   {0x35, "LK204-25PC"},
    {0x48, "LK082-12"}, {0x4B, "LK402-25"}, {0x73, "LK404-25"},
};

} // namespace

const char* TypeName(std::uint8_t code)
{
    for (const DisplayType& type : displayTypes) {
        if (type.code == code)
            return type.name;
    }
    return nullptr;
}

} // namespace lcdsim
