# Extra links of the test programs.

# The digest tests compare with OpenSSL's libcrypto where it exists (not in the Windows build).
if(NOT WIN32 AND TARGET test_digest)
  find_package(OpenSSL REQUIRED)
  target_link_libraries(test_digest PRIVATE OpenSSL::Crypto)
  target_compile_definitions(test_digest PRIVATE TABRIX_HAVE_OPENSSL)
endif()

# The symmetric tests take OpenSSL's libcrypto as their reference for every row (not in the Windows build).
if(NOT WIN32 AND TARGET test_symmetric)
  find_package(OpenSSL REQUIRED)
  target_link_libraries(test_symmetric PRIVATE OpenSSL::Crypto)
  target_compile_definitions(test_symmetric PRIVATE TABRIX_HAVE_OPENSSL)
endif()

# The RSA tests take OpenSSL's libcrypto as a further reference (not in the Windows build).
if(NOT WIN32 AND TARGET test_rsa)
  find_package(OpenSSL REQUIRED)
  target_link_libraries(test_rsa PRIVATE OpenSSL::Crypto)
  target_compile_definitions(test_rsa PRIVATE TABRIX_HAVE_OPENSSL)
endif()
