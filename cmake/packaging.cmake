# What `cmake --install` puts where, and the packages CPack makes of it: on Linux a Debian
# package (the program, its manual page, the user's guide doc/guide.md as README and the
# sample, the desktop entry with its icon and the PMX type); from the Windows cross-build a zip
# to unpack anywhere (quorvane.exe, the guide as a text file, the licence, the sample). `cpack`
# in the build folder makes the package. README.md is for those who build: it is not installed.

set(QV_SAMPLE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/examples/sample)
# The maintainer named in the packages and their copyright file: a placeholder to set.
set(QUORVANE_PACKAGE_CONTACT "Quorvane maintainers <maintainers@quorvane.invalid>"
    CACHE STRING "Maintainer named in the packages")

if(WIN32)
  # The user's guide for Notepad: CR LF line ends, and a byte-order mark so that a Japanese
  # system does not read the UTF-8 text as Shift-JIS.
  file(READ ${CMAKE_CURRENT_SOURCE_DIR}/doc/guide.md QV_GUIDE)
  string(REPLACE "\n" "\r\n" QV_GUIDE "${QV_GUIDE}")
  string(ASCII 239 187 191 QV_BYTE_ORDER_MARK)
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/README.txt "${QV_BYTE_ORDER_MARK}${QV_GUIDE}")
  file(READ ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE QV_LICENSE)
  string(REPLACE "\n" "\r\n" QV_LICENSE "${QV_LICENSE}")
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt "${QV_LICENSE}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/doc/guide.md
               ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)

  install(TARGETS quorvane RUNTIME DESTINATION .)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt DESTINATION .)
  install(DIRECTORY ${QV_SAMPLE_DIR} DESTINATION .)
else()
  include(GNUInstallDirs)
  set(QV_LINUX_DIR ${CMAKE_CURRENT_SOURCE_DIR}/packaging/linux)

  # The manual page with the release's date and version filled in; installed compressed, as the
  # system's own are.
  set(QV_MAN_FILLED ${CMAKE_CURRENT_BINARY_DIR}/quorvane.1)
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/doc/quorvane.1.in ${QV_MAN_FILLED} @ONLY)
  set(QV_MAN_PAGE ${CMAKE_CURRENT_BINARY_DIR}/quorvane.1.gz)
  add_custom_command(OUTPUT ${QV_MAN_PAGE}
    COMMAND gzip -9nc ${QV_MAN_FILLED} > ${QV_MAN_PAGE}
    DEPENDS ${QV_MAN_FILLED}
    COMMENT "Compressing the manual page")
  add_custom_target(quorvane_man ALL DEPENDS ${QV_MAN_PAGE})

  install(TARGETS quorvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${QV_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES doc/guide.md DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME README)
  # The licence in the machine-readable form Debian's tools read, where they look for it.
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/packaging/debian/copyright.in
                 ${CMAKE_CURRENT_BINARY_DIR}/copyright @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(DIRECTORY ${QV_SAMPLE_DIR} DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
  install(FILES ${QV_LINUX_DIR}/quorvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${QV_LINUX_DIR}/quorvane.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${QV_LINUX_DIR}/quorvane-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME quorvane.xml)
endif()

set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VENDOR Quorvane)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "repairs the twist-bone axes and texture links of PMX models")
set(CPACK_PACKAGE_CONTACT "${QUORVANE_PACKAGE_CONTACT}")
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")

if(WIN32)
  # quorvane-<version>-win32.zip, everything in one folder of that name.
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
  set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
  # The dependencies are those of the built program's shared libraries (dpkg-shlibdeps).
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The summary above is the first line; this is the text below it.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quorvane checks the fixed axes of the arm and wrist twist bones of PMX 2.0 and
2.1 models and every texture and sphere-map link, asks before it repairs, and
writes the repaired model beside the source as stem-new.ext: a byte copy of
the source with only the texture list and the corrected axes replaced. The
source file is never changed. Installs a desktop entry, so that file managers
open PMX models with it in a terminal window.")
endif()

include(CPack)
