# json.cmake: nlohmann-json, header-only, from the build machine's Debian package. The Windows builds
# take its nlohmann/ folder alone, so the cross compiler never sees the rest of /usr/include.
if(NOT TARGET tabrix_json)
  find_path(TABRIX_JSON_DIR nlohmann/json.hpp PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  add_library(tabrix_json INTERFACE)
  if(WIN32)
    file(COPY ${TABRIX_JSON_DIR}/nlohmann DESTINATION ${CMAKE_BINARY_DIR}/nlohmann-json)
    target_include_directories(tabrix_json SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/nlohmann-json)
  endif()
endif()
