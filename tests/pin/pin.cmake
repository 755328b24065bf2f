# pin.cmake: the PIN area reads its vectors from tests/data with nlohmann-json (header-only). Cross builds
# find no package for their target, so they take the build machine's header alone on their include path.
if(TARGET test_pin)
  target_compile_definitions(test_pin PRIVATE TABRIX_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")
  find_package(nlohmann_json QUIET)
  if(nlohmann_json_FOUND)
    target_link_libraries(test_pin PRIVATE nlohmann_json::nlohmann_json)
  else()
    find_path(NLOHMANN_JSON_DIR nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/nlohmann_json)
    file(CREATE_LINK ${NLOHMANN_JSON_DIR}/nlohmann ${CMAKE_BINARY_DIR}/nlohmann_json/nlohmann SYMBOLIC)
    target_include_directories(test_pin SYSTEM PRIVATE ${CMAKE_BINARY_DIR}/nlohmann_json)
  endif()
endif()
