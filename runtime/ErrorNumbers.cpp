#include "runtime/ErrorNumbers.h"

#include <windows.h>

namespace runtime {

std::uint8_t ExceptionToErrorNumber(std::uint32_t code)
{
    switch (code) {
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
        return 200;
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        return 201;
    case EXCEPTION_STACK_OVERFLOW:
        return 202;
    case EXCEPTION_FLT_OVERFLOW:
        return 205;
    case EXCEPTION_FLT_UNDERFLOW:
    case EXCEPTION_FLT_DENORMAL_OPERAND:
        return 206;
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_INEXACT_RESULT:
    case EXCEPTION_FLT_STACK_CHECK:
        return 207;
    case EXCEPTION_INT_OVERFLOW:
        return 215;
    case EXCEPTION_ACCESS_VIOLATION:
        return 216;
    case STATUS_CONTROL_C_EXIT:
        return 217;
    case EXCEPTION_PRIV_INSTRUCTION:
        return 218;
    default:
        return 255;
    }
}

} // namespace runtime
