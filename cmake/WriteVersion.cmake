# Writes the version header: the project version and, in a git checkout, the
# checkout's description (commit, and "-dirty" for uncommitted changes). Run at
# every build; the header is rewritten only when the text changes, so an
# unchanged checkout rebuilds nothing.
# Inputs: SOURCE_DIR, OUTPUT, PROJECT_VERSION.
set(_describe "")
find_package(Git QUIET)
if(GIT_FOUND AND EXISTS "${SOURCE_DIR}/.git")
  execute_process(COMMAND "${GIT_EXECUTABLE}" describe --always --dirty --tags
                  WORKING_DIRECTORY "${SOURCE_DIR}"
                  OUTPUT_VARIABLE _describe OUTPUT_STRIP_TRAILING_WHITESPACE
                  ERROR_QUIET RESULT_VARIABLE _result)
  if(NOT _result EQUAL 0)
    set(_describe "")
  endif()
endif()
set(_text "#pragma once\n#define QUARVIN_PROJECT_VERSION \"${PROJECT_VERSION}\"\n#define QUARVIN_GIT_DESCRIPTION \"${_describe}\"\n")
set(_old "")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" _old)
endif()
if(NOT _old STREQUAL _text)
  file(WRITE "${OUTPUT}" "${_text}")
endif()
