# The Windows build (preset "windows", toolchain cmake/mingw-w64-x86_64.cmake): the card's core
# on the win32 backend as build/windows/Frostmail.exe, and the tests that run under Wine.
enable_language(RC)
# GCC 12 reports a false overlap in libstdc++'s string concatenation at -O2 (-Wrestrict).
add_compile_options(-Wno-restrict)

set(FROST_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources (Debian: googletest)")

# The compiled-in icons and cursor, and the table that finds the rest in the resource script.
add_subdirectory(resources)
include(cmake/card.cmake)
frost_layer(frost_platform_win32 platform/win32 LINKS frost_platform frost_toolkit gdi32 user32
            shell32 ole32 winmm)
# Tests and headless runs: the win32 OS services with GDI text.
frost_layer(frost_platform_headless platform/headless LINKS frost_platform_win32
            PRIVATE_LINKS frost_stb)

# The icon, cursor, tune, pictures, version and manifest. An object library, so that every
# program linked with it carries them (a static library would drop the unreferenced object).
add_library(frost_resources_rc OBJECT ${CMAKE_SOURCE_DIR}/resources/windows/frostmail.rc)
target_include_directories(frost_resources_rc PRIVATE ${CMAKE_SOURCE_DIR}/resources)

# A GUI program (no console window), linked statically (see the toolchain file) and stripped;
# the greeting data area goes on after that, and nothing may strip the file afterwards.
add_executable(frostmail WIN32 ${FROST_SOURCE_ROOT}/main/${FROST_BACKEND}_main.cpp
                               $<TARGET_OBJECTS:frost_resources_rc>)
target_link_libraries(frostmail PRIVATE frost_card frost_platform_${FROST_BACKEND})
set_target_properties(frostmail PROPERTIES OUTPUT_NAME Frostmail RUNTIME_OUTPUT_DIRECTORY
                                           ${CMAKE_BINARY_DIR})
add_custom_command(TARGET frostmail POST_BUILD
  COMMAND ${CMAKE_STRIP} --strip-all $<TARGET_FILE:frostmail>
  COMMAND ${CMAKE_COMMAND} -DCARD=$<TARGET_FILE:frostmail>
          -P ${CMAKE_SOURCE_DIR}/cmake/append_greeting_area.cmake
  VERBATIM)

enable_testing()
add_subdirectory(tests/win32)
