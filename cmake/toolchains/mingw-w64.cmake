# What both MinGW-w64 cross-builds share; the target's file sets
# CMAKE_SYSTEM_PROCESSOR and TOOLCHAIN_PREFIX, then includes this one.
set(CMAKE_SYSTEM_NAME Windows)
# The -posix compilers carry std::mutex, which GoogleTest needs; the product
# links statically and uses no threading from the C++ library.
set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
