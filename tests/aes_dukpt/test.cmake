# test.cmake: the AES DUKPT test program reads tests/data/aes_dukpt.jsonl with nlohmann-json. The
# Windows builds take that header-only library from the Debian package: its nlohmann/ folder alone is
# copied into the build, so the cross compiler never sees the rest of /usr/include.
if(TARGET test_aes_dukpt)
  target_compile_definitions(test_aes_dukpt PRIVATE TABRIX_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")
  if(WIN32)
    find_path(TABRIX_NLOHMANN_JSON nlohmann/json.hpp PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    file(COPY ${TABRIX_NLOHMANN_JSON}/nlohmann DESTINATION ${CMAKE_BINARY_DIR}/nlohmann-json)
    target_include_directories(test_aes_dukpt SYSTEM PRIVATE ${CMAKE_BINARY_DIR}/nlohmann-json)
  endif()
endif()
