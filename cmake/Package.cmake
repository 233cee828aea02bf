# SPDX-License-Identifier: GPL-3.0-or-later
# `cmake --install` lays out the programs as a desktop installs them, and CPack packs that tree
# as a Debian package: cmake --build build --target package makes norumi_<version>_amd64.deb.
# The programs find their data as ../share/norumi beside their bin folder (platform/Folders.h),
# so these destinations stay fixed whatever the prefix.

# The component id and the web address the software-centre entry names.
set(NORUMI_APP_ID "jp.tarumo.norumi" CACHE STRING "The AppStream id of the program")
set(NORUMI_WEBSITE "https://tarumo.example/norumi" CACHE STRING
    "Where the program's web page and its screenshots lie")
set(NORUMI_MAINTAINER "tarumo <norumi@tarumo.example>" CACHE STRING "The package's maintainer")

install(TARGETS norumi norumi-keyboard wbk RUNTIME DESTINATION bin)
# wbk's drawing commands, which wbk hands on to it: no command of its own for users.
if(TARGET wbk-draw)
  install(TARGETS wbk-draw RUNTIME DESTINATION lib/norumi)
endif()

# What the programs only read: the EUC-KR table, the help page and the starter word files.
install(FILES ${CMAKE_SOURCE_DIR}/data/euc2uni.dll ${CMAKE_SOURCE_DIR}/data/norumi.html
        DESTINATION share/norumi)
install(DIRECTORY ${NORUMI_STARTER_DIR}/ DESTINATION share/norumi FILES_MATCHING PATTERN "*.wbk")

install(FILES ${CMAKE_SOURCE_DIR}/data/norumi.desktop ${CMAKE_SOURCE_DIR}/data/norumi-keyboard.desktop
        DESTINATION share/applications)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/icons/hicolor DESTINATION share/icons)
install(FILES ${CMAKE_SOURCE_DIR}/data/icons/norumi.svg DESTINATION share/icons/hicolor/scalable/apps)

configure_file(${CMAKE_SOURCE_DIR}/data/metainfo/norumi.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/metainfo/${NORUMI_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/metainfo/${NORUMI_APP_ID}.metainfo.xml DESTINATION share/metainfo)

if(UNIX)
  # Manual pages and the changes compressed as Debian's policy asks, with no name or time stamp
  # inside, so that each build gives the same bytes.
  set(debian ${CMAKE_BINARY_DIR}/debian)
  configure_file(${CMAKE_SOURCE_DIR}/data/debian/changelog.in ${debian}/changelog @ONLY)
  foreach(page norumi.1 norumi-keyboard.1)
    configure_file(${CMAKE_SOURCE_DIR}/data/man/${page} ${debian}/${page} COPYONLY)
  endforeach()
  execute_process(COMMAND gzip -9nf changelog norumi.1 norumi-keyboard.1
                  WORKING_DIRECTORY ${debian})
  install(FILES ${NORUMI_WBK_MAN} ${debian}/norumi.1.gz ${debian}/norumi-keyboard.1.gz
          DESTINATION share/man/man1)
  install(FILES ${debian}/changelog.gz ${CMAKE_SOURCE_DIR}/data/debian/copyright
          DESTINATION share/doc/norumi)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME norumi)
set(CPACK_PACKAGE_VENDOR tarumo)
set(CPACK_PACKAGE_CONTACT "${NORUMI_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Korean vocabulary trainer for Japanese speakers")
# Lines as the control file shows them, none longer than Debian's 80 columns.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "A desktop program that teaches Korean words to Japanese speakers, with an\n"
  "interface in Japanese. Learners pick word files and are quizzed in both\n"
  "directions. Answers are recorded in the word file, a quiz closed halfway\n"
  "resumes, and a later quiz can ask only the words answered wrongly. Teachers\n"
  "write word files and publish single words as mail-magazine codes.\n"
  "\n"
  "The package holds the program norumi, the on-screen Hangul keyboard\n"
  "norumi-keyboard and the command-line tool wbk. Word files are kept in\n"
  "~/.local/share/tarumo/norumi.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Depends come from the libraries the programs link alone: the X11 and offscreen platform
# plugins come with libqt6gui6; the Korean voice with libespeak-ng1, which depends on its data;
# and Qt Multimedia's sound output is PulseAudio's, built into libqt6multimedia6 with its
# plugins, so no plugin package is needed (a desktop's sound server, PipeWire or PulseAudio,
# plays it; without one the words are simply not spoken). Recommended: a Japanese font for the interface (Korean is drawn
# from the programs' own pictures, so any Japanese font will do, Noto Sans CJK JP first); Qt's
# Japanese standard buttons; xdg-open, through which help pages and web addresses open; the
# dictionary that typed meanings are read with (without it they are judged without readings).
string(CONCAT CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "fonts-noto-cjk | fonts-ipafont-gothic | fonts-vlgothic, "
  "qt6-translations-l10n, xdg-utils, mecab-ipadic-utf8")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
