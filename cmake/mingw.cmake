# Cross-compiling for Windows with mingw-w64, included by the target's toolchain file after it set
# GLM_TOOL_PREFIX (posix thread model: GoogleTest needs std::mutex).
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${GLM_TOOL_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GLM_TOOL_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${GLM_TOOL_PREFIX}-windres)
set(GLM_OBJDUMP        ${GLM_TOOL_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${GLM_TOOL_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test programs run under Wine through this wrapper: the configuration's loader, prefix and locale
# (tools/env.sh). The argument is the configuration this build's tests run in by default.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh ${GLM_TARGET})
