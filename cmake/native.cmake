# Native build: unit tests of the portable core, the draw feed, the benchmarks.
if(QUENNIX_FUZZ)
  add_subdirectory(tests/fuzz)
  return()
endif()

find_package(GTest REQUIRED)
include(GoogleTest)

if(EXISTS ${CMAKE_SOURCE_DIR}/tools/feed/CMakeLists.txt)
  add_subdirectory(tools/feed)
endif()

file(GLOB native_tests CONFIGURE_DEPENDS tests/*/*_test.cpp)
list(FILTER native_tests EXCLUDE REGEX "/tests/(win32|fuzz|e2e)/")
add_executable(quennix_tests ${native_tests})
target_include_directories(quennix_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(quennix_tests PRIVATE quennix_core GTest::gtest GTest::gtest_main)
if(TARGET quennix_feed_pages)
  target_link_libraries(quennix_tests PRIVATE quennix_feed_pages)
endif()
gtest_discover_tests(quennix_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)

if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()
