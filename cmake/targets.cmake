# How the project's libraries and executables are made, in one place: every target of our own
# code gets the same warnings and the same character sets.
#
# Narrow string literals are code page 932, the system's ANSI code page, so that Japanese texts
# in the sources reach the program as the bytes Windows shows (ORVPATCH_CP932). A file that
# includes <chrono> or <format> cannot be built that way (the standard library's own literals
# do not survive the conversion); such a file must carry no text of the system, and is listed
# with orvpatch_utf8_sources.

# A static library of src/, tools/ or tests/, seeing the sources from src/.
function(orvpatch_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_compile_options(${name} PRIVATE ${ORVPATCH_WARNINGS} ${ORVPATCH_CP932})
endfunction()

# orvpatch_executable(NAME [WIN32] SOURCES file... [LIBS target...])
function(orvpatch_executable name)
  cmake_parse_arguments(E "WIN32" "" "SOURCES;LIBS" ${ARGN})
  if(E_WIN32)
    add_executable(${name} WIN32 ${E_SOURCES})
  else()
    add_executable(${name} ${E_SOURCES})
  endif()
  target_link_libraries(${name} PRIVATE ${E_LIBS})
  target_compile_options(${name} PRIVATE ${ORVPATCH_WARNINGS} ${ORVPATCH_CP932})
endfunction()

# Sources that carry no text of the system and include what code page 932 cannot build.
function(orvpatch_utf8_sources)
  set_source_files_properties(${ARGN} DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
    PROPERTIES COMPILE_OPTIONS -fexec-charset=UTF-8)
endfunction()
