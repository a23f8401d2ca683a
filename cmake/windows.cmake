# The Windows build (preset "windows", toolchain cmake/mingw-w64-x86_64.cmake): the card's core
# on the win32 backend as build/windows/Frostmail.exe, and the tests that run under Wine.
enable_language(RC)
# GCC 12 reports a false overlap in libstdc++'s string concatenation at -O2 (-Wrestrict).
add_compile_options(-Wno-restrict)

find_path(STB_INCLUDE_DIR stb_image.h PATHS /usr/include PATH_SUFFIXES stb
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(FROST_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources (Debian: googletest)")

set(frost_src ${CMAKE_SOURCE_DIR}/src)
function(frost_windows_library name)
  set(sources)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${frost_src}/${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  add_library(${name} STATIC ${sources})
endfunction()

frost_windows_library(frost_toolkit toolkit)
target_include_directories(frost_toolkit PUBLIC ${frost_src} PRIVATE ${STB_INCLUDE_DIR})

# The compiled-in icons and cursor, and the table that finds the rest in the resource script.
add_subdirectory(resources)

frost_windows_library(frost_platform_win32 platform platform/win32)
target_link_libraries(frost_platform_win32 PUBLIC frost_toolkit frost_resources gdi32 user32 shell32 ole32 winmm)

frost_windows_library(frost_card startup sequencer scene effects personalise sound)
target_link_libraries(frost_card PUBLIC frost_toolkit frost_resources)

# The icon, cursor, tune, pictures, version and manifest. An object library, so that every
# program linked with it carries them (a static library would drop the unreferenced object).
add_library(frost_resources_rc OBJECT ${CMAKE_SOURCE_DIR}/resources/windows/frostmail.rc)
target_include_directories(frost_resources_rc PRIVATE ${CMAKE_SOURCE_DIR}/resources)

# A GUI program (no console window), linked statically (see the toolchain file) and stripped;
# the greeting data area goes on after that, and nothing may strip the file afterwards.
add_executable(frostmail WIN32 ${frost_src}/main_windows.cpp $<TARGET_OBJECTS:frost_resources_rc>)
target_link_libraries(frostmail PRIVATE frost_card frost_platform_win32)
set_target_properties(frostmail PROPERTIES OUTPUT_NAME Frostmail RUNTIME_OUTPUT_DIRECTORY
                                           ${CMAKE_BINARY_DIR})
add_custom_command(TARGET frostmail POST_BUILD
  COMMAND ${CMAKE_STRIP} --strip-all $<TARGET_FILE:frostmail>
  COMMAND ${CMAKE_COMMAND} -DCARD=$<TARGET_FILE:frostmail>
          -P ${CMAKE_SOURCE_DIR}/cmake/append_greeting_area.cmake
  VERBATIM)

enable_testing()
add_subdirectory(tests/win32)
