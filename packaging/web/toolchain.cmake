# Building the browser version: WebAssembly for a WASI C library, with Debian's clang, lld,
# wasi-libc and libc++ for wasm32, without Emscripten. The module is a reactor: the page calls
# its exported functions after its constructors have run (_initialize). QUORVEX_CLANG_VERSION
# names the clang release whose wasm32 libraries are installed (scripts/build-web.sh sets it).
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
if(NOT QUORVEX_CLANG_VERSION)
    set(QUORVEX_CLANG_VERSION 14)
endif()
# CMake reads this file again for each of its own test projects; they get the release too, or they
# would look for the default release's tools.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUORVEX_CLANG_VERSION)
set(CMAKE_CXX_COMPILER clang++-${QUORVEX_CLANG_VERSION})
# LLVM's archiver and its index, which know wasm objects; binutils' ar, which CMake would find
# otherwise, makes archives without the index that wasm-ld needs.
find_program(CMAKE_AR llvm-ar-${QUORVEX_CLANG_VERSION} REQUIRED)
find_program(CMAKE_RANLIB llvm-ranlib-${QUORVEX_CLANG_VERSION} REQUIRED)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_SYSROOT /usr)
set(CMAKE_CXX_FLAGS_INIT "-isystem /usr/include/wasm32-wasi/c++/v1 -fno-exceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld")
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
