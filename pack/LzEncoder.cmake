# Encoder of the block stream, for the packaging tool on the host.
add_library(setup_lzencoder STATIC
  ${CMAKE_CURRENT_LIST_DIR}/LzEncoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LzLongestMatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LzOptimalParse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LzGreedyParse.cpp)
target_include_directories(setup_lzencoder PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(setup_lzencoder PRIVATE setup_payload)
