# Target x64: the same product as 64-bit Windows programs, for machines that run no 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(GLM_TOOL_PREFIX x86_64-w64-mingw32)
set(GLM_TARGET x64)

# Platform facts of this target, said once here. x86-64 names are undecorated.
set(GLM_SETUP_ENTRY SetupEntry)
set(GLM_STUB_ENTRY StubEntry)
set(GLM_DLL_ENTRY DllMain)
# How objdump names this target's image format and optional header.
set(GLM_PE_FORMAT pei-x86-64)
set(GLM_PE_MAGIC "020b[[:space:]]+\\(PE32\\+\\)")

include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
