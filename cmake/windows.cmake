# The Windows build (preset "windows", toolchain cmake/mingw-w64-x86_64.cmake). The card's core
# does not build for Windows yet; until it does, this builds the toolkit, the win32 backend with
# the resource script, and the backend's tests, which run under Wine.
enable_language(RC)

find_path(STB_INCLUDE_DIR stb_image.h PATHS /usr/include PATH_SUFFIXES stb
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(FROST_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources (Debian: googletest)")

set(frost_src ${CMAKE_SOURCE_DIR}/src)
file(GLOB toolkit_sources CONFIGURE_DEPENDS ${frost_src}/toolkit/*.cpp)
add_library(frost_toolkit STATIC ${toolkit_sources})
target_include_directories(frost_toolkit PUBLIC ${frost_src} PRIVATE ${STB_INCLUDE_DIR})

file(GLOB win32_sources CONFIGURE_DEPENDS ${frost_src}/platform/*.cpp ${frost_src}/platform/win32/*.cpp)
add_library(frost_platform_win32 STATIC ${win32_sources})
target_link_libraries(frost_platform_win32 PUBLIC frost_toolkit gdi32 user32 shell32 ole32 winmm)

# The icon, cursor, tune, pictures, version and manifest. An object library, so that every
# program linked with it carries them (a static library would drop the unreferenced object).
add_library(frost_resources_rc OBJECT ${CMAKE_SOURCE_DIR}/resources/windows/frostmail.rc)
target_include_directories(frost_resources_rc PRIVATE ${CMAKE_SOURCE_DIR}/resources)

enable_testing()
add_subdirectory(tests/win32)
