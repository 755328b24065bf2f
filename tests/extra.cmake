# Extra links of the test programs: the digest and symmetric tests take OpenSSL's libcrypto as their
# reference where it exists (not in the Windows build).
foreach(area digest symmetric)
  if(NOT WIN32 AND TARGET test_${area})
    find_package(OpenSSL REQUIRED)
    target_link_libraries(test_${area} PRIVATE OpenSSL::Crypto)
    target_compile_definitions(test_${area} PRIVATE TABRIX_HAVE_OPENSSL)
  endif()
endforeach()
