# Build-time resources: form descriptions compiled by formc, files embedded by resembed.
#
# velmora_form(<out.bin> <in.txt> [DEPENDS <files...>])
#   Compiles a description into a binary component stream at build time. A relative <out.bin>
#   is in the current binary folder, a relative <in.txt> in the current source folder. The
#   stream is rebuilt when the description or any file it references with "@file" changes;
#   DEPENDS names referenced files that the build itself makes, so they are made first.
#
# velmora_embed_resources(<target> MODULE <name> ENTRIES <type> <name> <file> ...)
#   Generates a resource table of the given files and compiles it into <target>, which must be
#   an executable (the table registers itself from a static initialiser). <type> is a number
#   (10 RCDATA, 2 BITMAP), RCDATA, BITMAP or a text; <name> is stored upper case. Files made
#   by velmora_form in the same folder are built first.

function(velmora_form out in)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  if(NOT IS_ABSOLUTE "${out}")
    set(out "${CMAKE_CURRENT_BINARY_DIR}/${out}")
  endif()
  if(NOT IS_ABSOLUTE "${in}")
    set(in "${CMAKE_CURRENT_SOURCE_DIR}/${in}")
  endif()
  get_filename_component(dir "${out}" DIRECTORY)
  file(MAKE_DIRECTORY "${dir}")
  add_custom_command(
    OUTPUT "${out}"
    COMMAND $<TARGET_FILE:formc> compile "${in}" "${out}" --depfile "${out}.d"
    DEPENDS "${in}" formc ${ARG_DEPENDS}
    DEPFILE "${out}.d"
    COMMENT "Compiling form ${in}"
    VERBATIM)
endfunction()

function(velmora_embed_resources target)
  cmake_parse_arguments(ARG "" "MODULE" "ENTRIES" ${ARGN})
  if(NOT ARG_MODULE)
    message(FATAL_ERROR "velmora_embed_resources(${target}): MODULE is required")
  endif()
  list(LENGTH ARG_ENTRIES n)
  math(EXPR rest "${n} % 3")
  if(n EQUAL 0 OR NOT rest EQUAL 0)
    message(FATAL_ERROR "velmora_embed_resources(${target}): ENTRIES are <type> <name> <file> triples")
  endif()
  set(args)
  set(files)
  math(EXPR last "${n} - 1")
  foreach(i RANGE 0 ${last} 3)
    math(EXPR j "${i} + 1")
    math(EXPR k "${i} + 2")
    list(GET ARG_ENTRIES ${i} type)
    list(GET ARG_ENTRIES ${j} name)
    list(GET ARG_ENTRIES ${k} file)
    if(NOT IS_ABSOLUTE "${file}")
      set(file "${CMAKE_CURRENT_SOURCE_DIR}/${file}")
    endif()
    list(APPEND args "${type}" "${name}" "${file}")
    list(APPEND files "${file}")
  endforeach()
  set(source "${CMAKE_CURRENT_BINARY_DIR}/${target}_${ARG_MODULE}_resources.cpp")
  add_custom_command(
    OUTPUT "${source}"
    COMMAND $<TARGET_FILE:resembed> "${ARG_MODULE}" "${source}" ${args}
    DEPENDS ${files} resembed
    COMMENT "Embedding resources of ${ARG_MODULE}"
    VERBATIM)
  target_sources(${target} PRIVATE "${source}")
  target_link_libraries(${target} PRIVATE velmora_platform)
endfunction()
