# The same commit gives the same kestro.exe, whichever folder it is built in
# and whenever: no build paths and no time of the build in the binary.
# (__DATE__ and __TIME__ follow SOURCE_DATE_EPOCH, which scripts/release.sh
# sets from the last commit; GCC reads it from the environment.)
add_compile_options(
  "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>"
  # After the source folder's map, so it wins for a build folder inside it.
  "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=build>"
)
# The PE header's link time; 0 instead of the clock. (windres already writes 0
# into the resource directory's time stamps.)
add_link_options(-Wl,--no-insert-timestamp)
