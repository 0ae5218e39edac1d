# The release zip: kestro.exe, the user guide as text, an example
# settings.ini and the window picture the guide shows. Made by
# `cpack` in a build folder (scripts/release.sh does it for both
# architectures).
install(TARGETS kestro RUNTIME DESTINATION .)

# Text files with Windows line ends, for Notepad and the profile functions.
configure_file(docs/user-guide.md user-guide.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(docs/settings.ini.example settings.ini.example @ONLY NEWLINE_STYLE CRLF)
install(FILES
  ${PROJECT_BINARY_DIR}/user-guide.txt
  ${PROJECT_BINARY_DIR}/settings.ini.example
  docs/kestro-window.png
  DESTINATION .)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_SYSTEM_NAME win32)
endif()
set(CPACK_PACKAGE_NAME kestro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME kestro-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME})

# CPack's own ZIP generator (libarchive) stores each file's modification
# time and its owner's Unix uid and gid, and CMake 3.25 has no setting to fix
# them, so two builds never give the same bytes. CPack stages the files; the
# zip is written by a small script with a fixed entry order, time and
# attributes.
find_package(Python3 COMPONENTS Interpreter)
if(NOT Python3_Interpreter_FOUND)
  message(STATUS "No Python 3: building without the release package")
  return()
endif()
set(CPACK_GENERATOR External)
set(CPACK_EXTERNAL_ENABLE_STAGING ON)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${PROJECT_SOURCE_DIR}/cmake/package_zip.cmake)
set(CPACK_KESTRO_PYTHON ${Python3_EXECUTABLE})
set(CPACK_KESTRO_ZIP_TOOL ${PROJECT_SOURCE_DIR}/cmake/deterministic_zip.py)
include(CPack)
