# Shared build rules: compiler flags per tree, subsystem libraries by folder, tests and fuzz targets.
#
# Conventions every folder follows:
#   <dir>/*.cpp          portable code, built in both trees
#   <dir>/win32/*.cpp    Win32-only code (and the Win32 side of a platform seam)
#   <dir>/posix/*.cpp    the host side of a platform seam
# Includes are written from the project root: #include "foundation/QXTStream.h".

if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
  set(VC_WIN32 ON)
else()
  set(VC_WIN32 OFF)
endif()

# The host tree runs the tests under the sanitizers; a tree configured with VC_HOST_SANITIZE=OFF
# is plain, for benchmarks (tools/bench --plain). A tree configured with VC_HOST_TSAN=ON runs the
# threaded code under ThreadSanitizer instead (build/tsan): the item pool is real there, not the
# heap the address sanitizer needs, so a thread that touches it shows as a race.
option(VC_HOST_SANITIZE "build the host tree with AddressSanitizer and UBSan" ON)
option(VC_HOST_TSAN "build the host tree with ThreadSanitizer" OFF)

if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(VC_CLANG ON)
else()
  set(VC_CLANG OFF)
endif()

include_directories(${CMAKE_SOURCE_DIR})
add_compile_options(-Wall -Wextra -Wno-unused-parameter)

if(VC_WIN32)
  enable_language(RC)
  # Plain ANSI Win32: every text of the system is code page 1252.
  add_compile_definitions(_WIN32_WINNT=0x0501 WINVER=0x0501 NOMINMAX STRICT)
  add_link_options(-static -static-libgcc -static-libstdc++)
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR} -c 1252")
  find_library(VC_ZLIB NAMES libz.a z REQUIRED)
  set(VC_ZLIB_LIBS ${VC_ZLIB})
elseif(VC_HOST_TSAN)
  add_compile_options(-g -O1 -fno-omit-frame-pointer -fsanitize=thread)
  add_link_options(-fsanitize=thread)
  find_package(ZLIB REQUIRED)
  set(VC_ZLIB_LIBS ZLIB::ZLIB)
elseif(VC_HOST_SANITIZE)
  add_compile_options(-g -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  if(VC_CLANG)
    # Coverage for the fuzz targets; the sanitizer runtime answers the hooks in ordinary programs.
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
  find_package(ZLIB REQUIRED)
  set(VC_ZLIB_LIBS ZLIB::ZLIB)
else()
  # A plain native build, for timing the portable core with nothing slowing it.
  add_compile_options(-g -fno-omit-frame-pointer)
  find_package(ZLIB REQUIRED)
  set(VC_ZLIB_LIBS ZLIB::ZLIB)
endif()

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# GoogleTest from Debian's sources, built into each tree (Win32 test programs are Win32 executables).
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# vc_sources(<out-var> <dir>): the sources of one folder for this tree.
function(vc_sources out dir)
  file(GLOB portable CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.c)
  if(VC_WIN32)
    file(GLOB seam CONFIGURE_DEPENDS ${dir}/win32/*.cpp ${dir}/win32/*.c)
  else()
    file(GLOB seam CONFIGURE_DEPENDS ${dir}/posix/*.cpp ${dir}/posix/*.c)
  endif()
  set(${out} ${portable} ${seam} PARENT_SCOPE)
endfunction()

# vc_folder_library(<target> <dir> [WIN32_ONLY] [DEFINES ...] [LIBS ...]):
# a static library of one folder; WIN32_ONLY folders are skipped in the host tree.
function(vc_folder_library target dir)
  cmake_parse_arguments(A "WIN32_ONLY" "" "DEFINES;LIBS;EXTRA_DIRS" ${ARGN})
  if(A_WIN32_ONLY AND NOT VC_WIN32)
    return()
  endif()
  vc_sources(srcs ${dir})
  foreach(extra ${A_EXTRA_DIRS})
    vc_sources(more ${extra})
    list(APPEND srcs ${more})
  endforeach()
  if(NOT srcs)
    # An empty folder still yields a target, so dependants link before the code lands.
    add_library(${target} INTERFACE)
    if(A_LIBS)
      target_link_libraries(${target} INTERFACE ${A_LIBS})
    endif()
    return()
  endif()
  add_library(${target} STATIC ${srcs})
  if(A_DEFINES)
    target_compile_definitions(${target} PUBLIC ${A_DEFINES})
  endif()
  if(A_LIBS)
    target_link_libraries(${target} PUBLIC ${A_LIBS})
  endif()
endfunction()

# vc_test(<name> SOURCES ... [LIBS ...] [PORTABLE] [GUI] [THREADED] [TIMEOUT s]):
# one test program. PORTABLE tests build in both trees; the rest only as Win32 programs run by Wine.
# GUI tests need the X display that tools/test provides, and take turns on it. THREADED tests
# exercise code that runs on several threads: tools/test also runs them under ThreadSanitizer.
function(vc_test name)
  cmake_parse_arguments(A "PORTABLE;GUI;THREADED" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT VC_WIN32 AND NOT A_PORTABLE)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} gtest gmock gtest_main)
  if(VC_WIN32)
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tools/wine-exec)
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1 WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set(labels unit)
  if(A_GUI)
    set(labels gui)
  endif()
  if(A_THREADED)
    list(APPEND labels threaded)
  endif()
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES LABELS "${labels}" TIMEOUT ${A_TIMEOUT}
                       ENVIRONMENT "VC_SOURCE_DIR=${CMAKE_SOURCE_DIR};VC_SHARED_DIR=${CMAKE_SOURCE_DIR}/../shared")
  if(A_GUI)
    # GUI tests share one desktop: real input, the focus, the cursor, the caret and the clipboard
    # belong to it, and a window another test shows and activates takes the keyboard input a test
    # sends or lies under its click. They run one at a time.
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK vc_desktop_input)
  endif()
endfunction()

# vc_fuzz_target(<name> SOURCES ... [LIBS ...]): a libFuzzer target (host tree with clang only),
# run for a few seconds by ctest; tools/fuzz runs it longer.
set(VC_FUZZ_SECONDS 5 CACHE STRING "seconds each fuzz target runs under ctest")
function(vc_fuzz_target name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  if(VC_WIN32 OR NOT VC_CLANG OR NOT VC_HOST_SANITIZE OR VC_HOST_TSAN)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set(corpus ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME ${name}
           COMMAND ${name} -max_total_time=${VC_FUZZ_SECONDS} -rss_limit_mb=2048 -print_final_stats=0 ${corpus})
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 120)
endfunction()

# vc_bench(<name> SOURCES ... [LIBS ...] [PORTABLE]): a benchmark program, built but never run by
# the tests; tools/bench runs it. PORTABLE benchmarks build natively too.
function(vc_bench name)
  cmake_parse_arguments(A "PORTABLE" "" "SOURCES;LIBS" ${ARGN})
  if(NOT VC_WIN32 AND NOT A_PORTABLE)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS})
endfunction()
