# Run by CPack's External generator with the staged files in
# CPACK_TEMPORARY_DIRECTORY: writes them into one reproducible zip.
set(zip "${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.zip")
execute_process(
  COMMAND "${CPACK_KESTRO_PYTHON}" "${CPACK_KESTRO_ZIP_TOOL}" "${zip}" "${CPACK_TEMPORARY_DIRECTORY}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "writing ${zip} failed (${result})")
endif()
set(CPACK_EXTERNAL_BUILT_PACKAGES "${zip}")
