# Test programs: one GoogleTest program per area, run by CTest (through wine64 in the
# x86_64 tree). The i686 tree builds them too but runs only tests labelled "host",
# which inspect the built files without executing Windows code.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# qv_add_test(<name> SOURCES <files...> [LIBS <libs...>] [SERIAL] [TIMEOUT <s>])
# SERIAL marks programs that drive windows on the shared display, so they never overlap.
function(qv_add_test name)
  cmake_parse_arguments(T "SERIAL" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_SERIAL)
    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE LABELS gui)
  endif()
endfunction()

# qv_add_window_test(<name> SOURCES <files...> [LIBS <libs...>] [TIMEOUT <s>]
#                    [OPENGL_RENDERER] [ENVIRONMENT <var=value...>])
# A test program that drives windows on the shared display: it runs alone (SERIAL, label
# gui), and Wine's DirectDraw presents through GDI so that the screen can be read back
# (its OpenGL renderer shows nothing to a screenshot on Xvfb, and a second window's GL
# child fails with BadWindow there). OPENGL_RENDERER keeps Wine's OpenGL renderer
# instead: the only one with Direct3D devices.
function(qv_add_window_test name)
  cmake_parse_arguments(W "OPENGL_RENDERER" "TIMEOUT" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  set(timeout)
  if(W_TIMEOUT)
    set(timeout TIMEOUT ${W_TIMEOUT})
  endif()
  qv_add_test(${name} SOURCES ${W_SOURCES} LIBS ${W_LIBS} SERIAL ${timeout})
  if(NOT W_OPENGL_RENDERER)
    list(PREPEND W_ENVIRONMENT "WINE_D3D_CONFIG=renderer=gdi")
  endif()
  if(W_ENVIRONMENT)
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT ${W_ENVIRONMENT})
  endif()
endfunction()

# qv_test_disks(<test>): <test> gets a full disk and a read-only folder of its own
# (tests/filesave/test-disks.sh), mounted before it runs and removed after it; their paths
# reach it as QV_FULL_DISK and QV_READONLY_DIR, as the test program sees them.
function(qv_test_disks test)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${test}-disks)
  set(script ${PROJECT_SOURCE_DIR}/tests/filesave/test-disks.sh)
  add_test(NAME ${test}_disks_mount COMMAND sh ${script} mount ${dir})
  add_test(NAME ${test}_disks_unmount COMMAND sh ${script} unmount ${dir})
  set_tests_properties(${test}_disks_mount PROPERTIES FIXTURES_SETUP ${test}_disks)
  set_tests_properties(${test}_disks_unmount PROPERTIES FIXTURES_CLEANUP ${test}_disks)
  set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED ${test}_disks)
  if(WIN32)
    set(dir "Z:${dir}")
  endif()
  set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT
    "QV_FULL_DISK=${dir}/full" "QV_READONLY_DIR=${dir}/readonly")
endfunction()

# The 64-bit native tree beside this one (tools/build keeps every tree in one folder), whose
# fuzz runs leave the corpora that the 32-bit tree replays.
get_filename_component(QV_NATIVE_TREE ${CMAKE_BINARY_DIR}/../native ABSOLUTE)

# qv_add_fuzz_replay(<name> SOURCES <files...> [LIBS <libs...>] INPUTS <args...>)
# A fuzz target's entry point with the plain driver tests/support/FuzzReplay.cpp instead
# of libFuzzer, for the emulated 32-bit tree, where the fuzzers' address sanitizer does not
# run: the undefined-behaviour sanitizer and the C++ library's own checks watch each input
# of INPUTS (folders and files; "--if-present <folder>" for one that may be missing) once.
function(qv_add_fuzz_replay name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS;INPUTS" ${ARGN})
  add_executable(${name} ${PROJECT_SOURCE_DIR}/tests/support/FuzzReplay.cpp ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_compile_definitions(${name} PRIVATE _GLIBCXX_ASSERTIONS)
  target_compile_options(${name} PRIVATE -fsanitize=undefined -fno-sanitize-recover=undefined -g)
  target_link_options(${name} PRIVATE -fsanitize=undefined)
  add_test(NAME ${name} COMMAND ${name} ${F_INPUTS})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()
