# Build-wide settings and the helpers every folder uses.

option(DROVEL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

# DROVEL_WINDOWS: a mingw build (win64 or win32). DROVEL_RUNS_TESTS: programs of this build can
# execute here (natively, or the x86_64 build under Wine); the i686 build is only inspected.
if(WIN32)
  set(DROVEL_WINDOWS ON)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(DROVEL_RUNS_TESTS ON)
  else()
    set(DROVEL_RUNS_TESTS OFF)
  endif()
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  add_compile_options(-Wall -Wextra -Wno-unused-parameter -Wno-cast-function-type)
  if(DROVEL_RUNS_TESTS)
    # Tests run through scripts/wine-run.sh: own prefix in the build folder, one Xvfb display,
    # one persistent wineserver, crash debugger off.
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh ${CMAKE_BINARY_DIR})
  endif()
else()
  set(DROVEL_WINDOWS OFF)
  set(DROVEL_RUNS_TESTS ON)
  add_compile_options(-Wall -Wextra -Wno-unused-parameter)
  if(DROVEL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()

# Default limit for every test: a hung Wine program must never hold the run.
set(DROVEL_TEST_TIMEOUT 120)

# drovel_test(NAME n SOURCES ... [LIBS ...] [LABELS ...] [TIMEOUT s] [WINDOWS_ONLY] [ARGS ...])
# A doctest program registered with CTest. Portable tests build in every preset; WINDOWS_ONLY
# tests only in the mingw presets. Nothing is registered in a build whose programs cannot run.
function(drovel_test)
  cmake_parse_arguments(T "WINDOWS_ONLY;GUI" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS;ARGS" ${ARGN})
  if(T_WINDOWS_ONLY AND NOT DROVEL_WINDOWS)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE doctest_main ${T_LIBS})
  if(NOT DROVEL_RUNS_TESTS)
    return()
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} ${T_ARGS})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT ${DROVEL_TEST_TIMEOUT})
  endif()
  set(labels ${T_LABELS})
  if(T_WINDOWS_ONLY)
    list(APPEND labels windows)
  else()
    list(APPEND labels portable)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "${labels}")
endfunction()

# drovel_script_test(NAME n COMMAND ... [LABELS ...] [TIMEOUT s])
# A host-side script test (PE inspection and the like); runs natively in any preset.
function(drovel_script_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "COMMAND;LABELS" ${ARGN})
  add_test(NAME ${T_NAME} COMMAND ${T_COMMAND})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT ${DROVEL_TEST_TIMEOUT})
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "script;${T_LABELS}")
endfunction()

# drovel_windows_program(target): statically linked image importing system DLLs only.
# Release images carry no symbol tables (the static runtime libraries bring large ones); the
# linker drops them, so post-link steps such as the PE-header move still come last.
function(drovel_static target)
  if(DROVEL_WINDOWS)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
  endif()
endfunction()

# Adds every immediate subfolder that has a CMakeLists.txt, so a new module folder joins the
# build without editing its parent.
function(drovel_add_subdirs)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# drovel_module_libs(NAME n [LIBS ...] [WINLIBS ...])
# The sources of a folder split by name: *Win.cpp files are Windows-only (library n), every
# other .cpp is portable (library n_portable, built in every preset). n links n_portable.
function(drovel_module_libs)
  cmake_parse_arguments(M "" "NAME" "LIBS;WINLIBS" ${ARGN})
  file(GLOB all CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(portable)
  set(windows)
  foreach(f ${all})
    if(f MATCHES "Win\\.cpp$")
      list(APPEND windows ${f})
    else()
      list(APPEND portable ${f})
    endif()
  endforeach()
  add_library(${M_NAME}_portable STATIC ${portable} ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  target_include_directories(${M_NAME}_portable PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${M_NAME}_portable PUBLIC ${M_LIBS})
  if(DROVEL_WINDOWS)
    add_library(${M_NAME} STATIC ${windows} ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
    target_link_libraries(${M_NAME} PUBLIC ${M_NAME}_portable ${M_WINLIBS})
  endif()
endfunction()

# drovel_glob_tests(PREFIX p LIBS ...): every *_test.cpp of the folder becomes the doctest
# program p.<stem>; a file named *Win_test.cpp is a Windows-only test.
function(drovel_glob_tests)
  cmake_parse_arguments(G "" "PREFIX;TIMEOUT" "LIBS;WINLIBS;LABELS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  foreach(f ${tests})
    get_filename_component(stem ${f} NAME_WE)
    string(REGEX REPLACE "_test$" "" stem ${stem})
    set(timeout_arg)
    if(G_TIMEOUT)
      set(timeout_arg TIMEOUT ${G_TIMEOUT})
    endif()
    if(stem MATCHES "Win$")
      drovel_test(NAME ${G_PREFIX}.${stem} SOURCES ${f} LIBS ${G_LIBS} ${G_WINLIBS} LABELS ${G_LABELS} WINDOWS_ONLY ${timeout_arg})
    else()
      drovel_test(NAME ${G_PREFIX}.${stem} SOURCES ${f} LIBS ${G_LIBS} LABELS ${G_LABELS} ${timeout_arg})
    endif()
  endforeach()
endfunction()

# drovel_uses_trace_viewer(test): the test starts a real trace viewer (tests/support/
# TraceViewerProcess.h) or a program that traces to one. Only one viewer window may exist per
# wineserver, so these tests share a lock and never run at the same time.
function(drovel_uses_trace_viewer target)
  target_link_libraries(${target} PRIVATE test_support)
  add_dependencies(${target} trace-viewer)
  if(DROVEL_RUNS_TESTS)
    set_tests_properties(${target} PROPERTIES RESOURCE_LOCK trace_viewer)
  endif()
endfunction()
# drovel_move_pe_headers(target): after each link, moves the image's PE headers to offset 256
# (the stub keeps the package end in the DOS-stub dwords at 248 and 252). The mover is a host
# program, built with the host compiler even in the cross builds.
function(drovel_move_pe_headers target)
  if(NOT DROVEL_WINDOWS)
    return()
  endif()
  set(mover ${CMAKE_BINARY_DIR}/host/pe-move-headers)
  set(source ${PROJECT_SOURCE_DIR}/tools/pe-headers/pe-move-headers.cpp)
  if(NOT TARGET pe_move_headers_host)
    find_program(DROVEL_HOST_CXX NAMES g++ c++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)
    add_custom_command(OUTPUT ${mover}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host
      COMMAND ${DROVEL_HOST_CXX} -std=c++17 -O2 -Wall -o ${mover} ${source}
      DEPENDS ${source} COMMENT "Building the host tool pe-move-headers")
    add_custom_target(pe_move_headers_host DEPENDS ${mover})
  endif()
  add_dependencies(${target} pe_move_headers_host)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${mover} $<TARGET_FILE:${target}> 256
    COMMENT "Moving the PE headers of ${target} to offset 256")
endfunction()

# DROVEL_FUZZ: a clang build (its own folder, build/fuzz) whose code is instrumented for
# libFuzzer; the targets live in fuzz/. scripts/fuzz.sh configures, builds and runs it.
option(DROVEL_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(DROVEL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "DROVEL_FUZZ needs clang (-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
endif()
