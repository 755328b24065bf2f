# header_libraries.cmake: the header-only libraries from Debian's packages, nlohmann-json
# (nlohmann-json3-dev) as tabrix_json and CLI11 (libcli11-dev) as tabrix_cli11. Each puts only its own
# folder on the include path, so that the Windows builds see none of the build machine's other headers.
if(NOT TARGET tabrix_json)
  set(header_root ${CMAKE_BINARY_DIR}/header-libraries)
  foreach(pair "json;nlohmann;nlohmann-json3-dev" "cli11;CLI;libcli11-dev")
    list(GET pair 0 name)
    list(GET pair 1 dir)
    list(GET pair 2 package)
    if(NOT EXISTS /usr/include/${dir})
      message(FATAL_ERROR "/usr/include/${dir} missing: install ${package}")
    endif()
    file(MAKE_DIRECTORY ${header_root}/${name})
    file(CREATE_LINK /usr/include/${dir} ${header_root}/${name}/${dir} SYMBOLIC)
    add_library(tabrix_${name} INTERFACE)
    target_include_directories(tabrix_${name} SYSTEM INTERFACE ${header_root}/${name})
  endforeach()
endif()
