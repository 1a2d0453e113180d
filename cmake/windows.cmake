# Windows build: quennix.exe, statically linked, and the Windows tests run under Wine.
set(win32_libs wininet comctl32 comdlg32 shell32 gdi32 user32 ole32 oleaut32 uuid windowscodecs)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)
# Small program: drop unused sections everywhere.
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(-Wl,--gc-sections)
target_link_libraries(quennix_core PUBLIC ${win32_libs})

file(GLOB window_sources CONFIGURE_DEPENDS window/*.cpp)
list(FILTER window_sources EXCLUDE REGEX "(_portable|/main)\\.cpp$")
add_library(quennix_window STATIC ${window_sources})
target_link_libraries(quennix_window PUBLIC quennix_core)
target_include_directories(quennix_window PUBLIC ${CMAKE_SOURCE_DIR}/resources)

set(program_resources)
if(EXISTS ${CMAKE_SOURCE_DIR}/resources/quennix.rc)
  set(program_resources ${CMAKE_SOURCE_DIR}/resources/quennix.rc)
  enable_language(RC)
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/resources")
endif()
add_executable(quennix WIN32 window/main.cpp ${program_resources})
target_link_libraries(quennix PRIVATE quennix_window)
set_target_properties(quennix PROPERTIES OUTPUT_NAME quennix RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_link_options(quennix PRIVATE $<$<CONFIG:MinSizeRel,Release>:-s>)

# GoogleTest from its sources, built with the cross compiler.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# GoogleTest's own sources include <chrono>, whose literals GBK cannot encode; its
# messages stay UTF-8. Our tests keep GBK literals.
target_compile_options(gtest PRIVATE -fexec-charset=UTF-8)

file(GLOB win_tests CONFIGURE_DEPENDS tests/win32/*.cpp)
add_executable(quennix_win_tests ${win_tests} ${program_resources})
target_include_directories(quennix_win_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(quennix_win_tests PRIVATE quennix_window gtest ws2_32)
set_target_properties(quennix_win_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# Each test suite is one CTest test, run by the Wine runner in a display of its own.
set(wine_run ${CMAKE_SOURCE_DIR}/tests/wine_run.sh)
set(wine_prefix ${CMAKE_BINARY_DIR}/wineprefix)
add_test(NAME win.prefix COMMAND ${wine_run} --prepare)
set_tests_properties(win.prefix PROPERTIES FIXTURES_SETUP wine ENVIRONMENT "WINEPREFIX=${wine_prefix}" TIMEOUT 300)
foreach(test_file ${win_tests})
  file(STRINGS ${test_file} suite_lines REGEX "^TEST(_F)?\\([A-Za-z0-9_]+,")
  foreach(line ${suite_lines})
    string(REGEX REPLACE "^TEST(_F)?\\(([A-Za-z0-9_]+),.*" "\\2" suite "${line}")
    list(APPEND win_suites ${suite})
  endforeach()
endforeach()
if(win_suites)
  list(REMOVE_DUPLICATES win_suites)
endif()
foreach(suite ${win_suites})
  add_test(NAME win.${suite}
           COMMAND ${wine_run} 240 $<TARGET_FILE:quennix_win_tests> --gtest_filter=${suite}.*)
  set_tests_properties(win.${suite} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300
                       ENVIRONMENT "WINEPREFIX=${wine_prefix};QUENNIX_EXE=$<TARGET_FILE:quennix>;QUENNIX_FEED=${CMAKE_SOURCE_DIR}/build/native/tools/feed/quennix-feed")
endforeach()

# The black-box tests' eyes on the running program, from another process.
add_executable(quennix_probe tests/e2e/probe.cpp)
set_target_properties(quennix_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
