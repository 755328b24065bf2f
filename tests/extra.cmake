# Extra links of the test programs: the digest and symmetric tests take OpenSSL's libcrypto as their
# reference where it exists (not in the Windows build).
foreach(area digest symmetric)
  if(NOT WIN32 AND TARGET test_${area})
    find_package(OpenSSL REQUIRED)
    target_link_libraries(test_${area} PRIVATE OpenSSL::Crypto)
    target_compile_definitions(test_${area} PRIVATE TABRIX_HAVE_OPENSSL)
  endif()
endforeach()

# Published vectors live in tests/data/*.jsonl; the test programs read them with nlohmann-json.
include(${CMAKE_SOURCE_DIR}/cmake/json.cmake)
foreach(area core symmetric digest rsa pin aes_dukpt keyblock emv cli)
  if(TARGET test_${area})
    target_link_libraries(test_${area} PRIVATE tabrix_json)
    target_compile_definitions(test_${area} PRIVATE TABRIX_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")
  endif()
endforeach()
