# The EMV tests read their cases from tests/data/emv.jsonl with nlohmann-json, a header-only library
# of the build machine; the Windows builds see it through a link to its header folder alone.
find_path(TABRIX_JSON_DIR nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(emv_json_include ${CMAKE_CURRENT_BINARY_DIR}/emv-json-include)
file(MAKE_DIRECTORY ${emv_json_include})
file(CREATE_LINK ${TABRIX_JSON_DIR}/nlohmann ${emv_json_include}/nlohmann SYMBOLIC)
target_include_directories(test_emv SYSTEM PRIVATE ${emv_json_include})
target_compile_definitions(test_emv PRIVATE TABRIX_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")
