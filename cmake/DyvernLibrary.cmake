# dyvern_library(NAME SOURCES ... [DEPENDS ...] [PRIVATE_DEPENDS ...])
#
# A library of the core, dyvern_NAME, built from the sources of the folder
# that calls it. Its headers are included as "NAME/file.h" through an
# include root of its own, which holds nothing but them: a library sees the
# headers of what it links and of nothing else, so an include that reaches
# up a layer, or sideways to a library not linked, does not compile.
function(dyvern_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;PRIVATE_DEPENDS" ${ARGN})
  set(root ${PROJECT_BINARY_DIR}/include_roots/${name})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${name} SYMBOLIC)
  add_library(dyvern_${name} STATIC ${ARG_SOURCES})
  target_include_directories(dyvern_${name} PUBLIC ${root})
  target_link_libraries(dyvern_${name} PUBLIC ${ARG_DEPENDS} PRIVATE ${ARG_PRIVATE_DEPENDS})
endfunction()
