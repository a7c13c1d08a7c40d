# Lays the shipped catalogue, pictures and help file beside the executable, so that
# the program runs from the build folder exactly as it does when installed.
set(PELMORA_SHIPPED_DIR ${CMAKE_SOURCE_DIR}/data)
file(GLOB_RECURSE PELMORA_SHIPPED_FILES CONFIGURE_DEPENDS
     RELATIVE ${PELMORA_SHIPPED_DIR} ${PELMORA_SHIPPED_DIR}/*)
set(PELMORA_RUNTIME_FILES)
foreach(file IN LISTS PELMORA_SHIPPED_FILES)
    add_custom_command(
        OUTPUT ${PELMORA_RUNTIME_DIR}/${file}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PELMORA_SHIPPED_DIR}/${file}
                ${PELMORA_RUNTIME_DIR}/${file}
        DEPENDS ${PELMORA_SHIPPED_DIR}/${file})
    list(APPEND PELMORA_RUNTIME_FILES ${PELMORA_RUNTIME_DIR}/${file})
endforeach()
add_custom_target(pelmora_runtime_files ALL DEPENDS ${PELMORA_RUNTIME_FILES})
