# setup_zipreader: the ZIP reader behind UnzipApi.h. With SETUP_TARGET_MINIZIP
# the code that includes UnzipApi.h uses the toolchain's minizip instead; the
# library then carries that definition and the minizip it links.
add_library(setup_zipreader STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ZipReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZipReaderCentral.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZipReaderEntry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZipReaderIo.cpp)
target_include_directories(setup_zipreader PUBLIC ${CMAKE_CURRENT_LIST_DIR})

if(SETUP_TARGET_MINIZIP)
  find_path(SETUP_MINIZIP_INCLUDE_DIR unzip.h PATH_SUFFIXES minizip)
  find_library(SETUP_MINIZIP_LIBRARY minizip)
  if(NOT SETUP_MINIZIP_INCLUDE_DIR OR NOT SETUP_MINIZIP_LIBRARY)
    message(FATAL_ERROR "SETUP_TARGET_MINIZIP is ON but the toolchain has no minizip (unzip.h, libminizip)")
  endif()
  target_compile_definitions(setup_zipreader PUBLIC SETUP_TARGET_MINIZIP)
  target_include_directories(setup_zipreader PUBLIC ${SETUP_MINIZIP_INCLUDE_DIR})
  target_link_libraries(setup_zipreader PUBLIC ${SETUP_MINIZIP_LIBRARY})
endif()
# After minizip, which needs it, for static linking.
target_link_libraries(setup_zipreader PUBLIC ZLIB::ZLIB)
