# Cross-builds the program and its tests as Windows programs against the Qt
# that scripts/build-qt-windows makes, and runs them under Wine.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-qt.cmake)

list(APPEND CMAKE_FIND_ROOT_PATH $ENV{ZELVANE_QT_WINDOWS})

find_program(WINE_EXECUTABLE NAMES wine64 wine PATHS /usr/lib/wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_EXECUTABLE})
