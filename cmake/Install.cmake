# cmake --install: the program, its place among xscreensaver's hacks, the
# configuration file xscreensaver's settings read, the theme file of MATE's
# and Xfce's screen savers, the desktop entry of the setup dialog, the manual
# page, the help page and the icons. The Debian package (debian/) installs
# the same through this file.
include(GNUInstallDirs)

set(CORALUX_XSCREENSAVER_HACK_DIR "${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver" CACHE PATH
  "Where xscreensaver looks for its hacks (relative to the prefix, or absolute)")
set(CORALUX_XSCREENSAVER_CONFIG_DIR "${CMAKE_INSTALL_DATADIR}/xscreensaver/config" CACHE PATH
  "Where xscreensaver's settings read the hacks' descriptions; Debian's reads /usr/share/xscreensaver/config")

set(DESKTOP ${CMAKE_SOURCE_DIR}/resources/desktop)
set(ICONS ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(TARGETS coralux RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${DESKTOP}/coralux.xml DESTINATION ${CORALUX_XSCREENSAVER_CONFIG_DIR})
install(FILES ${DESKTOP}/coralux.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# MATE and Xfce run a theme's command only from a hack folder they know, so
# the theme names /usr/libexec/xscreensaver/coralux whatever the prefix; its
# TryExec keeps it off their lists where the link is not there.
install(FILES ${DESKTOP}/screensavers/coralux.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications/screensavers)
install(FILES ${DESKTOP}/coralux.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${DESKTOP}/coralux.png DESTINATION ${ICONS}/48x48/apps)
install(FILES ${DESKTOP}/coralux-256.png DESTINATION ${ICONS}/256x256/apps RENAME coralux.png)
# The setup dialog's "More Info..." finds it at ../share/coralux beside the
# program: not under share/doc, which minimal systems leave out.
install(FILES ${CMAKE_SOURCE_DIR}/resources/ReadMe.html DESTINATION ${CMAKE_INSTALL_DATADIR}/coralux)

# The hack's entry is a link to the program. Both places are decided at
# install time, when --prefix may still change the prefix; the link goes into
# the install manifest like every installed file.
if(IS_ABSOLUTE "${CORALUX_XSCREENSAVER_HACK_DIR}")
  set(HACK_LINK_TARGET "\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/coralux")
  set(HACK_DIR "${CORALUX_XSCREENSAVER_HACK_DIR}")
else()
  file(RELATIVE_PATH HACK_LINK_TARGET "/prefix/${CORALUX_XSCREENSAVER_HACK_DIR}"
    "/prefix/${CMAKE_INSTALL_BINDIR}/coralux")
  set(HACK_DIR "\${CMAKE_INSTALL_PREFIX}/${CORALUX_XSCREENSAVER_HACK_DIR}")
endif()
install(CODE "
  set(hack_dir \"\$ENV{DESTDIR}${HACK_DIR}\")
  message(STATUS \"Installing: \${hack_dir}/coralux\")
  file(MAKE_DIRECTORY \"\${hack_dir}\")
  file(CREATE_LINK \"${HACK_LINK_TARGET}\" \"\${hack_dir}/coralux\" SYMBOLIC)
  # The manifest names files as installed, without DESTDIR.
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"${HACK_DIR}/coralux\")
")
