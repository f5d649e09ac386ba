# The default Data/ files the program ships, gathered in one folder of the
# build tree: the ready-to-run folder, the package and the tests copy them
# from there. MOD.txt carries the program's version from project(VERSION).
set(CORVANE_DATA_FILES Config.txt MOD.txt Advanced.txt Levels.txt Commands.txt MR.txt Rules.txt
  Reasons.txt LF.txt)
set(CORVANE_DEFAULT_DATA_DIR ${PROJECT_BINARY_DIR}/defaultdata)
foreach(f IN LISTS CORVANE_DATA_FILES)
  if(EXISTS ${PROJECT_SOURCE_DIR}/data/${f}.in)
    # The files keep CR LF line ends, as the program writes them.
    configure_file(${PROJECT_SOURCE_DIR}/data/${f}.in ${CORVANE_DEFAULT_DATA_DIR}/${f} @ONLY
      NEWLINE_STYLE CRLF)
  else()
    configure_file(${PROJECT_SOURCE_DIR}/data/${f} ${CORVANE_DEFAULT_DATA_DIR}/${f} COPYONLY)
  endif()
endforeach()
