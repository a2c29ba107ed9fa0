# Installation and the Debian package. `cmake --install` puts the three programs in bin/, the
# udev rule of the cables' serial adapters in lib/udev/rules.d and,
# with the Qt program, its desktop entry, AppStream metadata, icons and the MIME type of the
# data file under share/; the man pages and the package's copyright and changelog go with them.
# `cpack -G DEB` in the build folder makes the .deb (scripts/package.sh does both for a release).
#
# Everything that carries the version (the man pages, the metadata, the changelog) is generated
# from packaging/ with the project's version; the date is that of the latest commit (or
# SOURCE_DATE_EPOCH, or today outside a git checkout).
include(GNUInstallDirs)

set(VAREL_APP_ID org.varel.wavesmith)
set(VAREL_PACKAGE_NAME wavesmith)
set(VAREL_PACKAGE_MAINTAINER "Wavesmith developers <wavesmith@varel.example>"
  CACHE STRING "Maintainer of the Debian package")
set(VAREL_SCREENSHOT_URL "https://example.org/wavesmith"
  CACHE STRING "Where docs/main_window_zh.png and docs/main_window_en.png are published")

set(varel_packaging ${PROJECT_SOURCE_DIR}/packaging)
set(varel_generated ${PROJECT_BINARY_DIR}/packaging)

# The date of the latest commit stands for the release's, unless SOURCE_DATE_EPOCH gives one.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE varel_commit_time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(varel_commit_time MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} ${varel_commit_time})
    set(varel_commit_time_set ON)
  endif()
endif()
string(TIMESTAMP VAREL_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP VAREL_RELEASE_TIME "%a, %d %b %Y %H:%M:%S +0000" UTC)
if(varel_commit_time_set)
  unset(ENV{SOURCE_DATE_EPOCH})
endif()

# Man pages and the changelog, compressed as Debian wants them (gzip -9n: no name, no time).
find_program(VAREL_GZIP gzip REQUIRED)
set(varel_compressed "")
function(varel_compress source target)
  add_custom_command(OUTPUT ${target}
    COMMAND ${VAREL_GZIP} -9nc ${source} > ${target}
    DEPENDS ${source}
    COMMENT "Compressing ${target}")
  set(varel_compressed ${varel_compressed} ${target} PARENT_SCOPE)
endfunction()

set(VAREL_MAN_PAGES varel-cli varel-sim)
if(TARGET varel)
  list(PREPEND VAREL_MAN_PAGES varel)
endif()
foreach(page ${VAREL_MAN_PAGES})
  configure_file(${varel_packaging}/man/${page}.1.in ${varel_generated}/man/${page}.1 @ONLY)
  varel_compress(${varel_generated}/man/${page}.1 ${varel_generated}/man/${page}.1.gz)
  install(FILES ${varel_generated}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
configure_file(${varel_packaging}/debian/changelog.in ${varel_generated}/changelog @ONLY)
varel_compress(${varel_generated}/changelog ${varel_generated}/changelog.gz)
add_custom_target(varel_packaging_files ALL DEPENDS ${varel_compressed})

install(TARGETS varel-cli varel-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The udev rule for the cables' USB serial adapters (keeps ModemManager away, gives the seat's
# user access). udev reloads its rules by itself; an adapter plugged in already needs a replug.
install(FILES ${varel_packaging}/udev/70-wavesmith-serial.rules DESTINATION lib/udev/rules.d)
set(varel_docdir ${CMAKE_INSTALL_DATADIR}/doc/${VAREL_PACKAGE_NAME})
install(FILES ${varel_packaging}/debian/copyright ${varel_generated}/changelog.gz DESTINATION ${varel_docdir})

if(TARGET varel)
  install(TARGETS varel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  configure_file(${varel_packaging}/${VAREL_APP_ID}.metainfo.xml.in
    ${varel_generated}/${VAREL_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${varel_packaging}/${VAREL_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${varel_generated}/${VAREL_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${varel_packaging}/${VAREL_APP_ID}.mime.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${VAREL_APP_ID}.xml)
  set(varel_icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  install(FILES ${varel_packaging}/icons/${VAREL_APP_ID}.svg DESTINATION ${varel_icons}/scalable/apps)
  foreach(size 48 128 256)
    install(FILES ${varel_packaging}/icons/${size}/${VAREL_APP_ID}.png
      DESTINATION ${varel_icons}/${size}x${size}/apps)
  endforeach()
endif()

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${VAREL_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VAREL_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The printed pages (varel-cli print, Export PDF) are set in WenQuanYi Micro Hei, a TrueType
# font with Chinese characters that embeds into a PDF whole; the windows' Chinese captions use it
# too. The shared libraries found by shlibdeps are added to this list.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming tool for a dual-band handheld two-way radio")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Wavesmith reads the whole configuration memory of a dual-band (VHF/UHF)
handheld radio over its serial programming cable, lets you edit the memory
channels, the optional features, the VFOs and the FM broadcast channels, and
writes it back. Configurations are saved to and opened from data files, and
channel lists are exchanged with other tools as CSV files. Every caption and
message exists in simplified Chinese and in English.
.
The package holds the program varel, the command-line tool varel-cli, which
does the same from scripts, and varel-sim, a virtual radio for trying both
without a radio.
.
To reach a serial port the user must be in the dialout group
(sudo usermod -aG dialout $USER, then log in again).")
include(CPack)
