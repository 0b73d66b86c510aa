# lupdate writes the id attribute of an id-based message as it is. The program's
# texts are their own ids and hold '&', '<', '>' and line breaks, so this escapes
# them after every lupdate run: the .ts stays well-formed XML for lrelease, Qt
# Linguist and the next lupdate, which reads the escapes back as the same text.
# Usage: cmake -DTS=<file.ts> -P EscapeTsIds.cmake
cmake_minimum_required(VERSION 3.25)
file(READ ${TS} text)
set(opening "<message id=\"")
set(out "")
while(TRUE)
  string(FIND "${text}" "${opening}" at)
  if(at EQUAL -1)
    break()
  endif()
  string(LENGTH "${opening}" skip)
  math(EXPR start "${at} + ${skip}")
  string(SUBSTRING "${text}" 0 ${start} head)
  string(SUBSTRING "${text}" ${start} -1 text)
  string(FIND "${text}" "\">" end)
  string(SUBSTRING "${text}" 0 ${end} id)
  string(SUBSTRING "${text}" ${end} -1 text)
  # An id escaped before has no raw '<' or line break; '&' is escaped only when
  # it does not start an escape already.
  string(REGEX REPLACE "&(amp|lt|gt|quot|#10|#13|#9);" "@@AMP@@\\1;" id "${id}")
  string(REPLACE "&" "&amp;" id "${id}")
  string(REPLACE "@@AMP@@" "&" id "${id}")
  string(REPLACE "<" "&lt;" id "${id}")
  string(REPLACE ">" "&gt;" id "${id}")
  string(REPLACE "\n" "&#10;" id "${id}")
  string(REPLACE "\t" "&#9;" id "${id}")
  string(APPEND out "${head}${id}")
endwhile()
string(APPEND out "${text}")
file(WRITE ${TS} "${out}")
