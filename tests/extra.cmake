# Extra links of the area test programs, each guarded by its own target.
if(NOT WIN32 AND TARGET test_symmetric)
  find_package(OpenSSL REQUIRED)
  target_link_libraries(test_symmetric PRIVATE OpenSSL::Crypto)
  target_compile_definitions(test_symmetric PRIVATE TABRIX_HAVE_OPENSSL)
endif()
