# Runs at install time: the desktop entry and the icon for the user who installs, so the editor
# starts from the desktop menu in the game folder it was installed into. Files go under
# $XDG_DATA_HOME (default ~/.local/share).
if(DEFINED ENV{XDG_DATA_HOME} AND NOT "$ENV{XDG_DATA_HOME}" STREQUAL "")
  set(data_home "$ENV{XDG_DATA_HOME}")
elseif(DEFINED ENV{HOME} AND NOT "$ENV{HOME}" STREQUAL "")
  set(data_home "$ENV{HOME}/.local/share")
else()
  message(STATUS "No home folder: no desktop entry written")
  return()
endif()
set(game "${CMAKE_INSTALL_PREFIX}")
set(icon "${data_home}/icons/hicolor/scalable/apps/zelmora.svg")
set(entry "${data_home}/applications/zelmora.desktop")

# A value of the entry: backslashes doubled, line breaks escaped.
function(desktop_string out text)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\n" "\\n" text "${text}")
  string(REPLACE "\r" "\\r" text "${text}")
  string(REPLACE "\t" "\\t" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The program's path as one argument of Exec: quoted, with the characters the quoting reserves
# escaped and "%" doubled, then written as a value.
set(program "${game}/ZMDEdit")
string(REPLACE "\\" "\\\\" quoted "${program}")
foreach(c "\"" "`" "$")
  string(REPLACE "${c}" "\\${c}" quoted "${quoted}")
endforeach()
string(REPLACE "%" "%%" quoted "${quoted}")
desktop_string(exec "\"${quoted}\"")
desktop_string(path "${game}")
desktop_string(icon_value "${icon}")

file(INSTALL "${ZELMORA_ICON}" DESTINATION "${data_home}/icons/hicolor/scalable/apps")
file(MAKE_DIRECTORY "${data_home}/applications")
message(STATUS "Installing: ${entry}")
file(WRITE "${entry}" "[Desktop Entry]
Type=Application
Version=1.0
Name=Zelmora
GenericName=Solar system designer
Comment=Design solar systems for Quarvel
Exec=${exec}
Path=${path}
Icon=${icon_value}
Terminal=false
Categories=Development;
StartupNotify=true
")
