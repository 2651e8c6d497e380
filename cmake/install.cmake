# A Debian package's system layout instead of a game folder (scripts/package).
option(ZELMORA_PACKAGE "Install rules for a system package (/usr layout) and CPack's DEB generator" OFF)
if(ZELMORA_PACKAGE)
  include(${CMAKE_SOURCE_DIR}/cmake/package.cmake)
  return()
endif()

# Installing into a game folder: cmake --install build --prefix GAME_FOLDER (or scripts/install).
# The programs go beside quarvel.exe, the installer also as ZMDInst.dat (the package builder ships
# it from there), and the user gets a desktop entry that starts the editor in that folder.
install(CODE "
  set(game \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  file(GLOB found LIST_DIRECTORIES false \"\${game}/*\")
  set(has_game FALSE)
  foreach(f IN LISTS found)
    get_filename_component(n \"\${f}\" NAME)
    string(TOLOWER \"\${n}\" n)
    if(n STREQUAL \"quarvel.exe\")
      set(has_game TRUE)
    endif()
  endforeach()
  if(NOT has_game)
    message(FATAL_ERROR \"\${game} holds no quarvel.exe: install into the game folder with --prefix GAME_FOLDER\")
  endif()
")
foreach(program ZMDEdit zmd Fendrel)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION .)
  endif()
endforeach()
if(TARGET Fendrel)
  install(PROGRAMS $<TARGET_FILE:Fendrel> DESTINATION . RENAME ZMDInst.dat)
endif()
# The editor looks for its animation player beside itself.
if(TARGET zelmora_media_player)
  install(TARGETS zelmora_media_player LIBRARY DESTINATION .)
endif()
install(CODE "set(ZELMORA_ICON \"${CMAKE_SOURCE_DIR}/desktop/zelmora.svg\")")
install(SCRIPT ${CMAKE_SOURCE_DIR}/cmake/desktop_entry.cmake)
