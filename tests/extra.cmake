# extra.cmake: what single test programs need beyond the common setup.

# RSA: OpenSSL's libcrypto as an independent reference, natively only.
if(NOT WIN32 AND TARGET test_rsa)
  find_package(OpenSSL REQUIRED COMPONENTS Crypto)
  target_link_libraries(test_rsa PRIVATE OpenSSL::Crypto)
  target_compile_definitions(test_rsa PRIVATE TABRIX_HAVE_OPENSSL)
endif()
