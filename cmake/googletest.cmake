# googletest.cmake: builds GoogleTest for the Windows builds from the source that Debian's googletest
# package installs, and names its libraries as the native find_package(GTest) does.
include_guard(GLOBAL)

set(GOOGLETEST_DIR /usr/src/googletest/googletest)
if(NOT EXISTS ${GOOGLETEST_DIR}/src/gtest-all.cc)
  message(FATAL_ERROR "GoogleTest source not found in ${GOOGLETEST_DIR} (Debian package googletest)")
endif()

add_library(tabrix_gtest STATIC ${GOOGLETEST_DIR}/src/gtest-all.cc)
target_include_directories(tabrix_gtest SYSTEM PUBLIC ${GOOGLETEST_DIR}/include)
target_include_directories(tabrix_gtest PRIVATE ${GOOGLETEST_DIR})
target_compile_options(tabrix_gtest PRIVATE -w -O1) # third-party code: its warnings are not ours to fix;
# -O1 takes half the time of -O3 for the largest file of the build, and the tests do not time it

add_library(tabrix_gtest_main STATIC ${GOOGLETEST_DIR}/src/gtest_main.cc)
target_link_libraries(tabrix_gtest_main PUBLIC tabrix_gtest)
target_compile_options(tabrix_gtest_main PRIVATE -w)

add_library(GTest::gtest ALIAS tabrix_gtest)
add_library(GTest::gtest_main ALIAS tabrix_gtest_main)
