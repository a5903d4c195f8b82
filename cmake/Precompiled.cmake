# Most of a file's compile time goes into the standard, Qt and gtest headers it
# includes; each target compiles them once (target_precompile_headers).
# -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON builds without, e.g. to check that every
# file includes what it uses.
#
# owebook_precompile(target KIND...) with kinds:
#   std      the standard headers most files use (always included)
#   qtcore   Qt Core            qtgui  Qt Gui            qtwidgets  Qt Widgets
#   gtest    gtest and gmock
# The program's own layer (owebook/) gets std only: it must not see Qt.
set(OWEBOOK_PCH_std
  <algorithm> <chrono> <cstddef> <cstdint> <cstdlib> <cstring> <functional> <map>
  <memory> <mutex> <optional> <set> <string> <string_view> <unordered_map> <utility> <vector>)
set(OWEBOOK_PCH_qtcore <QByteArray> <QObject> <QString>)
set(OWEBOOK_PCH_qtgui ${OWEBOOK_PCH_qtcore} <QFont> <QImage> <QPainter>)
set(OWEBOOK_PCH_qtwidgets ${OWEBOOK_PCH_qtgui} <QApplication> <QKeyEvent> <QPointer> <QTimer> <QWidget>)
set(OWEBOOK_PCH_gtest <gtest/gtest.h> <gmock/gmock.h>)

function(owebook_precompile target)
  set(_headers ${OWEBOOK_PCH_std})
  foreach(_kind ${ARGN})
    if(NOT DEFINED OWEBOOK_PCH_${_kind})
      message(FATAL_ERROR "owebook_precompile: no header set '${_kind}'")
    endif()
    list(APPEND _headers ${OWEBOOK_PCH_${_kind}})
  endforeach()
  list(REMOVE_DUPLICATES _headers)
  target_precompile_headers(${target} PRIVATE ${_headers})
endfunction()
