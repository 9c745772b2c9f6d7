# cmake -DFILE=stub.exe -DLIMIT=bytes -P CheckStubSize.cmake
file(SIZE ${FILE} size)
if(size GREATER LIMIT)
  file(REMOVE ${FILE})
  message(FATAL_ERROR "${FILE} is ${size} bytes, more than the ${LIMIT} bytes before the payload")
endif()
message(STATUS "stub size: ${size} of ${LIMIT} bytes")
