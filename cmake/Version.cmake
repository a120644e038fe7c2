# The project's version as a header for the code (the info box, the application's own version):
# link luftikon_version and include "appversion.h".
configure_file(${CMAKE_CURRENT_LIST_DIR}/appversion.h.in ${CMAKE_BINARY_DIR}/generated/appversion.h @ONLY)
add_library(luftikon_version INTERFACE)
target_include_directories(luftikon_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
