# mbedtls.cmake: links the tabrix library with mbedTLS's bignum module. Natively that is Debian's
# libmbedtls-dev; Windows builds compile bignum.c and what it needs from the Debian source package
# that scripts/fetch-mbedtls puts into build/mbedtls-src, with the library's assembly enabled.
if(WIN32)
  get_filename_component(TABRIX_MBEDTLS_SRC ${CMAKE_CURRENT_LIST_DIR}/../build/mbedtls-src ABSOLUTE)
  if(NOT EXISTS ${TABRIX_MBEDTLS_SRC}/library/bignum.c)
    message(FATAL_ERROR "mbedTLS source missing in ${TABRIX_MBEDTLS_SRC}: run scripts/fetch-mbedtls first")
  endif()

  # Only the bignum module, with its inline assembly for the multiply-accumulate loops.
  # The i686 build also takes the SSE2 form of the multiply-accumulate loop (pmuludq, eight limbs a
  # step): every processor that runs a supported Windows version has SSE2.
  set(TABRIX_MBEDTLS_EXTRA "")
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(TABRIX_MBEDTLS_EXTRA "#define MBEDTLS_HAVE_SSE2\n")
  endif()
  set(TABRIX_MBEDTLS_CONFIG ${CMAKE_BINARY_DIR}/mbedtls/tabrix_mbedtls_config.h)
  file(CONFIGURE OUTPUT ${TABRIX_MBEDTLS_CONFIG} CONTENT
    "/* Generated: the mbedTLS configuration of the Windows builds, bignum only. */\n#define MBEDTLS_HAVE_ASM\n${TABRIX_MBEDTLS_EXTRA}#define MBEDTLS_BIGNUM_C\n")

  set(mbedtls_sources ${TABRIX_MBEDTLS_SRC}/library/bignum.c)
  foreach(part platform_util.c constant_time.c bignum_core.c)
    if(EXISTS ${TABRIX_MBEDTLS_SRC}/library/${part})
      list(APPEND mbedtls_sources ${TABRIX_MBEDTLS_SRC}/library/${part})
    endif()
  endforeach()

  add_library(tabrix_mbedtls STATIC ${mbedtls_sources})
  target_include_directories(tabrix_mbedtls SYSTEM
    PUBLIC ${TABRIX_MBEDTLS_SRC}/include
    PRIVATE ${TABRIX_MBEDTLS_SRC}/library)
  target_compile_definitions(tabrix_mbedtls PUBLIC "MBEDTLS_CONFIG_FILE=\"${TABRIX_MBEDTLS_CONFIG}\"")
  # The assembly of bn_mul.h is only used when optimising; the library's own code is not ours to lint.
  target_compile_options(tabrix_mbedtls PRIVATE -O2 -w)
  set_target_properties(tabrix_mbedtls PROPERTIES C_STANDARD 99)
  target_link_libraries(tabrix PUBLIC tabrix_mbedtls)
else()
  find_path(MBEDTLS_INCLUDE_DIR mbedtls/bignum.h REQUIRED)
  find_library(MBEDCRYPTO_LIBRARY mbedcrypto REQUIRED)
  target_include_directories(tabrix SYSTEM PUBLIC ${MBEDTLS_INCLUDE_DIR})
  target_link_libraries(tabrix PUBLIC ${MBEDCRYPTO_LIBRARY})
endif()
