# Cross-compiles for 64-bit Windows with mingw-w64: the same Win32 code as the 32-bit product,
# for running it under a Wine that can start only 64-bit programs (a kernel without 32-bit
# support). The product itself stays 32-bit; this build serves the bench and the tests there.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
