# Settings of the Windows tree: code page, size, static run time, Wine as the
# emulator that runs the tests.

# Sources are UTF-8; narrow string literals become GBK, the installer's code page.
add_compile_options(-finput-charset=UTF-8 -fexec-charset=GBK)
# The stub's core is C-style code; nothing it links throws.
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions> $<$<COMPILE_LANGUAGE:CXX>:-fno-rtti>)
# No -fdata-sections: for PE targets GCC then puts zero-filled objects (the
# application object with its 8 KB of text buffers) into .data instead of
# .bss, and the file carries their zeros.
add_compile_options(-Os -ffunction-sections)
add_compile_definitions(WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601 WINVER=0x0601)
add_link_options(-static -Wl,--gc-sections)

set(SETUP_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run;${CMAKE_BINARY_DIR})
