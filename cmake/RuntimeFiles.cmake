# Lays the shipped catalogue, pictures and help file, and the web server's page in
# web/, beside the executable, so that the programs run from the build folder
# exactly as they do when installed.
set(PELMORA_SHIPPED_DIR ${CMAKE_SOURCE_DIR}/data)
set(PELMORA_PAGE_DIR ${CMAKE_SOURCE_DIR}/src/web/page)
set(PELMORA_RUNTIME_FILES)
# Copies every file under a source folder to the same path under a runtime folder.
function(pelmora_lay_files source target)
    file(GLOB_RECURSE files CONFIGURE_DEPENDS RELATIVE ${source} ${source}/*)
    foreach(file IN LISTS files)
        add_custom_command(
            OUTPUT ${target}/${file}
            COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source}/${file} ${target}/${file}
            DEPENDS ${source}/${file})
        list(APPEND PELMORA_RUNTIME_FILES ${target}/${file})
    endforeach()
    set(PELMORA_RUNTIME_FILES ${PELMORA_RUNTIME_FILES} PARENT_SCOPE)
endfunction()
pelmora_lay_files(${PELMORA_SHIPPED_DIR} ${PELMORA_RUNTIME_DIR})
pelmora_lay_files(${PELMORA_PAGE_DIR} ${PELMORA_RUNTIME_DIR}/web)
add_custom_target(pelmora_runtime_files ALL DEPENDS ${PELMORA_RUNTIME_FILES})
