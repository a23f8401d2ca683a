# The layers of the program guard each other at compile time. Each layer is one target that
# exports an include root of its own, holding only a link to its folder (for example
# <build>/layers/frost_scene/scene -> src/scene). A target therefore finds the headers of its own
# folder and of the layers it links, and nothing else: a subsystem that includes a backend header,
# or a lower layer that includes a higher one, fails to compile.

set(FROST_SOURCE_ROOT ${CMAKE_SOURCE_DIR}/src)

# A build folder made by an older layout may hold a link where a folder now goes, or the other
# way round. A link is removed, never followed: links written through it would replace the
# source files they point at.
function(frost_clear_layer_path path kind)
  if(IS_SYMLINK ${path})
    if(NOT kind STREQUAL "LINK")
      file(REMOVE ${path})
    endif()
  elseif(IS_DIRECTORY ${path} AND kind STREQUAL "LINK")
    file(REMOVE_RECURSE ${path})
  endif()
endfunction()

# Makes <build>/layers/<target>/<folder> point at src/<folder> and adds that root to the target
# (INTERFACE for header-only layers, PUBLIC otherwise).
function(frost_export_folder target folder)
  set(root ${CMAKE_BINARY_DIR}/layers/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  frost_clear_layer_path(${root}/${folder} LINK)
  file(CREATE_LINK ${FROST_SOURCE_ROOT}/${folder} ${root}/${folder} SYMBOLIC)
  get_target_property(kind ${target} TYPE)
  if(kind STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# The headers directly in src/<folder> (not its subfolders) as a layer: the interfaces above the
# backends that live in subfolders, with the code written once over them (src/<folder>/*.cpp).
#   frost_header_layer(target folder [LINKS layers...] [PRIVATE_LINKS libraries...])
function(frost_header_layer target folder)
  cmake_parse_arguments(arg "" "" "LINKS;PRIVATE_LINKS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${FROST_SOURCE_ROOT}/${folder}/*.cpp)
  add_library(${target} STATIC ${sources})
  set(root ${CMAKE_BINARY_DIR}/layers/${target})
  frost_clear_layer_path(${root}/${folder} FOLDER)
  file(MAKE_DIRECTORY ${root}/${folder})
  file(GLOB headers CONFIGURE_DEPENDS ${FROST_SOURCE_ROOT}/${folder}/*.h)
  foreach(header IN LISTS headers)
    get_filename_component(name ${header} NAME)
    file(CREATE_LINK ${header} ${root}/${folder}/${name} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
  target_link_libraries(${target} PUBLIC ${arg_LINKS} PRIVATE ${arg_PRIVATE_LINKS})
endfunction()

# A static library from src/<folder>/*.cpp that sees its own folder and what it links.
#   frost_layer(target folder [LINKS layers...] [PRIVATE_LINKS libraries...])
# LINKS are layers its headers use; PRIVATE_LINKS only its sources.
function(frost_layer target folder)
  cmake_parse_arguments(arg "" "" "LINKS;PRIVATE_LINKS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${FROST_SOURCE_ROOT}/${folder}/*.cpp)
  add_library(${target} STATIC ${sources})
  frost_export_folder(${target} ${folder})
  target_link_libraries(${target} PUBLIC ${arg_LINKS} PRIVATE ${arg_PRIVATE_LINKS})
endfunction()
