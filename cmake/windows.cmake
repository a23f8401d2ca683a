# The Windows build (preset "windows", toolchain cmake/mingw-w64-x86_64.cmake). The card's core
# does not build for Windows yet; until it does, this builds the toolkit, the win32 backend with
# the resource script, and the backend's tests, which run under Wine.
enable_language(RC)

set(FROST_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources (Debian: googletest)")

frost_layer(frost_toolkit toolkit PRIVATE_LINKS frost_stb)
frost_header_layer(frost_platform platform frost_toolkit)
frost_layer(frost_platform_win32 platform/win32 LINKS frost_platform frost_toolkit gdi32 user32
            shell32 ole32 winmm)

# The icon, cursor, tune, pictures, version and manifest. An object library, so that every
# program linked with it carries them (a static library would drop the unreferenced object).
add_library(frost_resources_rc OBJECT ${CMAKE_SOURCE_DIR}/resources/windows/frostmail.rc)
target_include_directories(frost_resources_rc PRIVATE ${CMAKE_SOURCE_DIR}/resources)

enable_testing()
add_subdirectory(tests/win32)
