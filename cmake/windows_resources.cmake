# The Windows build's resources: the icon and the version record, compiled by windres into
# quorvane.exe. The version numbers come from the project's own version.
enable_language(RC)

set(QV_ICON_FILE ${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/quorvane.ico)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/quorvane.rc.in
               ${CMAKE_CURRENT_BINARY_DIR}/quorvane.rc @ONLY)
target_sources(quorvane PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/quorvane.rc)
set_property(SOURCE ${CMAKE_CURRENT_BINARY_DIR}/quorvane.rc APPEND PROPERTY OBJECT_DEPENDS ${QV_ICON_FILE})
