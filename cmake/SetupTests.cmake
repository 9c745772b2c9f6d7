# setup_add_test(NAME name SOURCES files... [LIBS libs...] [TIMEOUT seconds])
# Builds a doctest program and registers it with ctest. In the Windows tree the
# program runs under Wine (the cross-compiling emulator) and needs the Wine
# prefix and the Xvfb display that the "wine" fixture provides.

enable_testing()

set(SETUP_DOCTEST_INCLUDE ${CMAKE_BINARY_DIR}/doctest-include)
# The cross compiler must not see the host's /usr/include, so the one header
# is copied into the tree.
file(COPY /usr/include/doctest/doctest.h DESTINATION ${SETUP_DOCTEST_INCLUDE}/doctest)

add_library(setup_doctest_main STATIC ${CMAKE_SOURCE_DIR}/tests/support/DoctestMain.cpp)
target_include_directories(setup_doctest_main PUBLIC ${SETUP_DOCTEST_INCLUDE} ${CMAKE_SOURCE_DIR}/tests/support)
target_compile_options(setup_doctest_main PUBLIC $<$<COMPILE_LANGUAGE:CXX>:-fexceptions -frtti>)

# Fixtures shared by the tests: payload, installer and ZIP builders, test folders.
add_library(setup_test_support STATIC
  ${CMAKE_SOURCE_DIR}/tests/support/PayloadBuilder.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/TestFiles.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/TestZip.cpp)
target_link_libraries(setup_test_support PUBLIC setup_doctest_main setup_payload ZLIB::ZLIB)

if(WIN32)
  add_test(NAME wine-start COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-env start ${CMAKE_BINARY_DIR})
  add_test(NAME wine-stop COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-env stop ${CMAKE_BINARY_DIR})
  set_tests_properties(wine-start PROPERTIES FIXTURES_SETUP wine TIMEOUT 120)
  set_tests_properties(wine-stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)
endif()

function(setup_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} setup_doctest_main)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(WIN32)
    set_tests_properties(${T_NAME} PROPERTIES FIXTURES_REQUIRED wine)
  endif()
endfunction()
