# setup_add_stub(NAME name WIZARD library [OUTPUT_DIRECTORY dir])
# Links an installer program: the application object and its start-up, the
# given build of the wizard, the resources and the program entry. The result
# is stripped, must end before the payload offset and must carry the
# hardening flags (ASLR with high-entropy addresses, DEP).
# The offset comes from the header that the stub and setup-pack share.
file(STRINGS ${CMAKE_SOURCE_DIR}/payload/PayloadLayout.h SETUP_PAYLOAD_OFFSET_LINE
  REGEX "const int PAYLOAD_OFFSET = [0-9]+;")
string(REGEX MATCH "[0-9]+" SETUP_PAYLOAD_OFFSET "${SETUP_PAYLOAD_OFFSET_LINE}")

function(setup_add_stub)
  cmake_parse_arguments(S "" "NAME;WIZARD;OUTPUT_DIRECTORY" "" ${ARGN})
  add_executable(${S_NAME} WIN32 ${CMAKE_SOURCE_DIR}/app/StubMain.cpp)
  target_link_libraries(${S_NAME} PRIVATE ${S_WIZARD} setup_app setup_framework_main setup_resources)
  target_link_options(${S_NAME} PRIVATE -s -Wl,--dynamicbase -Wl,--high-entropy-va -Wl,--nxcompat)
  if(S_OUTPUT_DIRECTORY)
    set_target_properties(${S_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${S_OUTPUT_DIRECTORY})
  endif()
  add_custom_command(TARGET ${S_NAME} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DFILE=$<TARGET_FILE:${S_NAME}> -DLIMIT=${SETUP_PAYLOAD_OFFSET} -DOBJDUMP=${CMAKE_OBJDUMP}
            -P ${CMAKE_SOURCE_DIR}/cmake/CheckStub.cmake
    VERBATIM)
endfunction()
