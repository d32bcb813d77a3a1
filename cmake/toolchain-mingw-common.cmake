# The -posix thread model gives std::mutex and std::thread, which GoogleTest needs.
set(CMAKE_C_COMPILER ${VORLUNE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORLUNE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VORLUNE_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VORLUNE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Static linking: the executables import system DLLs only.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
