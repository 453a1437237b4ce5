# One-way layering, checked by the compiler: every folder of src/ is a
# library of its own, and compiles against a "view" of src/ that holds only
# the folders it may see (its own and those beneath it). An include of a
# folder above it names a file that is not there, and the build fails.
#
#   kestrovan_view(TARGET FOLDER...)   TARGET compiles against those folders
#                                      (and the generated headers)
set(KESTROVAN_GENERATED ${CMAKE_BINARY_DIR}/generated)

function(kestrovan_view target)
  set(view ${CMAKE_BINARY_DIR}/views/${target})
  file(MAKE_DIRECTORY ${view})
  foreach(folder IN LISTS ARGN)
    if(NOT EXISTS ${view}/${folder})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${view}/${folder} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} PRIVATE ${view} ${KESTROVAN_GENERATED})
endfunction()
