# Installs pelmora-web's systemd unit with the paths of the program and catalogue
# under the prefix installed to (/usr in the source file). Run by cmake --install
# with PELMORA_UNIT_SOURCE and PELMORA_UNIT_STAGED set.
file(READ ${PELMORA_UNIT_SOURCE} unit)
string(REGEX REPLACE "([= ])/usr/" "\\1${CMAKE_INSTALL_PREFIX}/" unit "${unit}")
file(WRITE ${PELMORA_UNIT_STAGED} "${unit}")
file(INSTALL ${PELMORA_UNIT_STAGED} DESTINATION ${CMAKE_INSTALL_PREFIX}/lib/systemd/system)
