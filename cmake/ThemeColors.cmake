# tvs_theme_colors(QML_FILE HEADER): writes HEADER, Theme's colours for C++, from the
# singleton QML_FILE; CMake runs again when QML_FILE changes. Every line
#   readonly property color NAME: "#rrggbb" | "#aarrggbb" | Qt.rgba(r, g, b, a)
# becomes `QColor tvs::theme::NAME()`, the very colour QML makes of it. A colour made
# from another one (Qt.darker(...)) stays QML's own; a colour written in another form
# stops the build, so that no colour of Theme is silently missing from C++.
function(tvs_theme_colors qml_file header)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${qml_file})
  file(STRINGS ${qml_file} lines REGEX "^[ \t]*readonly[ \t]+property[ \t]+color[ \t]")
  set(number "([0-9]+(\\.[0-9]+)?)")
  set(functions "")
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "property[ \t]+color[ \t]+([A-Za-z0-9_]+)[ \t]*:[ \t]*(.*[^ \t])[ \t]*$")
      message(FATAL_ERROR "${qml_file}: cannot read the colour line: ${line}")
    endif()
    set(name ${CMAKE_MATCH_1})
    set(value ${CMAKE_MATCH_2})
    if(value MATCHES "^\"#([0-9a-fA-F][0-9a-fA-F][0-9a-fA-F][0-9a-fA-F][0-9a-fA-F][0-9a-fA-F])\"$")
      set(make "QColor::fromRgba(0xff${CMAKE_MATCH_1})")
    elseif(value MATCHES "^\"#([0-9a-fA-F][0-9a-fA-F][0-9a-fA-F][0-9a-fA-F][0-9a-fA-F][0-9a-fA-F][0-9a-fA-F][0-9a-fA-F])\"$")
      set(make "QColor::fromRgba(0x${CMAKE_MATCH_1})")
    elseif(value MATCHES "^Qt\\.rgba\\(${number}, *${number}, *${number}, *${number}\\)$")
      set(make "QColor::fromRgbF(float(${CMAKE_MATCH_1}), float(${CMAKE_MATCH_3}), float(${CMAKE_MATCH_5}), float(${CMAKE_MATCH_7}))")
    elseif(value MATCHES "^Qt\\.(darker|lighter|tint|alpha)\\(")
      continue()
    else()
      message(FATAL_ERROR "${qml_file}: colour ${name} is written as ${value}; "
                          "write it as \"#rrggbb\", \"#aarrggbb\" or Qt.rgba(r, g, b, a)")
    endif()
    string(APPEND functions "inline QColor ${name}() { return ${make}; }\n")
  endforeach()
  file(CONFIGURE OUTPUT ${header} CONTENT
"// Made by the build from ${qml_file}: edit the colours there.
#pragma once

#include <QColor>

namespace tvs::theme {
${functions}} // namespace tvs::theme
" @ONLY)
endfunction()
