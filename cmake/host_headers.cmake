# Header-only libraries of the build machine (toml++, nlohmann-json) for a cross build: their
# packages install no files for the mingw-w64 root, and /usr/include as a whole would put the
# host's C library before the target's. Each folder is linked alone into the build tree.
function(orvpatch_host_headers target folder)
  set(root ${CMAKE_BINARY_DIR}/host_headers/${folder})
  set(link ${root}/${folder})
  if(NOT EXISTS ${link})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK /usr/include/${folder} ${link} SYMBOLIC)
  endif()
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${root}
    INTERFACE_COMPILE_DEFINITIONS "${ARGN}")
endfunction()
