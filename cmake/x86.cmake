# Target x86: 32-bit Windows programs, what we ship.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(GLM_TOOL_PREFIX i686-w64-mingw32)
set(GLM_TARGET x86)

# Platform facts of this target, said once here. C names carry a leading underscore on i386 and
# stdcall names end in "@" and their argument bytes.
set(GLM_SETUP_ENTRY _SetupEntry)
set(GLM_STUB_ENTRY _StubEntry)
set(GLM_DLL_ENTRY _DllMain@12)
# The 32-bit Windows calling convention aligns the stack to 4 bytes only, and the product code uses
# no instruction that needs more: keeping it aligned to 16 costs code (about 220 bytes of setup.exe).
set(GLM_TARGET_PRODUCT_FLAGS -mpreferred-stack-boundary=2)
# How objdump names this target's image format and optional header.
set(GLM_PE_FORMAT pei-i386)
set(GLM_PE_MAGIC "010b[[:space:]]+\\(PE32\\)")

include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
