# Compiler and linker settings shared by every target of the project.

option(CQ_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

# Tables aligned as the processor needs them, not to 32 bytes. Every object
# of the build lays its data out alike, so that a table defined in a header
# comes out the same size in the product's objects and the tests'.
if(NOT MSVC)
  add_compile_options(-malign-data=abi)
endif()

# Warnings for all of our own code, product and tests alike.
function(cq_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /permissive-)
    if(CQ_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(CQ_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
endfunction()

# The product: no exceptions, no RTTI, no run-time DLLs beyond the system's,
# and nothing linked that is not called.
function(cq_product target)
  cq_warnings(${target})
  target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
  if(MSVC)
    target_compile_options(${target} PRIVATE /GR- /Gy /Os)
    target_compile_definitions(${target} PRIVATE _HAS_EXCEPTIONS=0)
  else()
    target_compile_options(${target} PRIVATE
      -fno-exceptions -fno-rtti -fno-threadsafe-statics
      -ffunction-sections -fdata-sections
      $<$<CONFIG:Release,MinSizeRel>:-Oz>)
    # (-Oz: the smallest code; nothing of the product runs long enough to
    # want the speed of -Os.)
    # Fat objects: the whole-program link of a lean program (cq_program_entry)
    # optimises across them, every other link takes their plain code.
    target_compile_options(${target} PRIVATE
      $<$<CONFIG:Release,MinSizeRel>:-flto -ffat-lto-objects>)
    # 32-bit Windows unwinds through its own frame chain; the DWARF unwind
    # tables would serve only C++ exceptions, which the product never throws.
    # (64-bit Windows needs its unwind data to walk the stack: kept there.)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      target_compile_options(${target} PRIVATE
        -fno-asynchronous-unwind-tables -fno-unwind-tables)
      # Arguments pushed rather than stored, and no frame pointer: the
      # toolchain's defaults for 32-bit Windows cost 8% of the exe's code.
      # Pushed arguments rule out the probe of frames larger than a page, so
      # no frame may need one (the platform grows the stack only through the
      # one guard page below it). A target with such frames sets
      # CQ_STACK_PROBES and keeps the defaults.
      set(small_code -fomit-frame-pointer -mno-accumulate-outgoing-args -mno-stack-arg-probe
                     -Werror=frame-larger-than=4000)
      target_compile_options(${target} PRIVATE
        "$<$<NOT:$<BOOL:$<TARGET_PROPERTY:CQ_STACK_PROBES>>>:${small_code}>")
    endif()
  endif()
endfunction()

# Every executable, product or test, is self-contained: system DLLs only. Its
# PE header holds no time stamp, so that one commit built twice gives the same
# bytes.
function(cq_executable_links target)
  if(NOT MSVC)
    target_link_options(${target} PRIVATE -static -Wl,--gc-sections -Wl,--no-insert-timestamp
      $<$<CONFIG:Release,MinSizeRel>:-s>
      $<IF:$<BOOL:$<TARGET_PROPERTY:CQ_WHOLE_PROGRAM>>,-flto,-fno-lto>)
    # A whole program keeps the stack as aligned as 32-bit Windows hands it
    # over, four bytes, instead of padding every call to sixteen: none of its
    # code needs more. (Only there: the test programs mix the product's code
    # with code built for sixteen.)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      target_link_options(${target} PRIVATE
        $<$<BOOL:$<TARGET_PROPERTY:CQ_WHOLE_PROGRAM>>:-mpreferred-stack-boundary=2>)
    endif()
  endif()
endfunction()

# Cross-built programs (tests, tools) run under Wine in a prefix of the build
# tree's own; see tools/wine-run.
if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CQ_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")
  set(CMAKE_CROSSCOMPILING_EMULATOR "${PROJECT_SOURCE_DIR}/tools/wine-run;--prefix;${CQ_WINEPREFIX}")
endif()
