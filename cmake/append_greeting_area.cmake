# Build step: appends the greeting data area with the default lines to the linked card. Runs
# after the final (stripped) link, on the build machine, for the Linux and the Windows card
# alike; nothing may strip the file afterwards. Run as:
#   cmake -DCARD=<card file> -P append_greeting_area.cmake
#
# The area: "~", eight 40-byte NUL-padded line fields, a 181-byte NUL tail (502 bytes). The
# lines are the ones DefaultGreetingLines() delivers; the card tests compare the two.
set(lines "" "" "Season's Greetings" "Merry Christmas" "Happy New Year" "Love Peace Joy" "" "")
set(field_size 40)
set(tail_size 181)

if(NOT DEFINED CARD OR NOT EXISTS "${CARD}")
  message(FATAL_ERROR "append_greeting_area: CARD (the card file) is not set or missing")
endif()
set(work "${CARD}.greeting-area")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")

# A CMake string cannot hold a NUL byte, so the padding is cut from a file of NULs: the end of
# a tar archive, which by its format closes with two 512-byte blocks of zeros.
file(WRITE "${work}/empty" "")
file(ARCHIVE_CREATE OUTPUT "${work}/zeros.tar" PATHS "${work}/empty" FORMAT gnutar)
file(SIZE "${work}/zeros.tar" tar_size)
math(EXPR zeros_start "${tar_size} - 1024")
file(READ "${work}/zeros.tar" zeros OFFSET ${zeros_start} HEX)
if(NOT zeros MATCHES "^(00)+$" OR tar_size LESS 1024)
  message(FATAL_ERROR "append_greeting_area: the archive does not end in NUL blocks")
endif()

set(pieces "")
# Adds `count` NUL bytes to the pieces.
function(add_padding count)
  if(count EQUAL 0)
    return()
  endif()
  list(LENGTH pieces index)
  set(piece "${work}/${index}")
  math(EXPR last "${zeros_start} + ${count} - 1")
  file(DOWNLOAD "file://${work}/zeros.tar" "${piece}" RANGE_START ${zeros_start} RANGE_END ${last}
       STATUS status)
  file(SIZE "${piece}" got)
  list(GET status 0 code)
  if(NOT code EQUAL 0 OR NOT got EQUAL count)
    message(FATAL_ERROR "append_greeting_area: cannot cut ${count} NUL bytes: ${status}")
  endif()
  set(pieces ${pieces} "${piece}" PARENT_SCOPE)
endfunction()

# Adds `text` (single-byte text, at most `width` bytes) NUL-padded to `width` bytes.
function(add_field text width)
  string(LENGTH "${text}" length)
  if(length GREATER width)
    message(FATAL_ERROR "append_greeting_area: \"${text}\" is longer than ${width} bytes")
  endif()
  list(LENGTH pieces index)
  file(WRITE "${work}/${index}" "${text}")
  set(pieces ${pieces} "${work}/${index}")
  math(EXPR padding "${width} - ${length}")
  add_padding(${padding})
  set(pieces ${pieces} PARENT_SCOPE)
endfunction()

add_field("~" 1)
foreach(line IN LISTS lines)
  add_field("${line}" ${field_size})
endforeach()
add_padding(${tail_size})

# The new file starts as a copy, so that it keeps the card's permissions.
file(COPY_FILE "${CARD}" "${work}/card")
execute_process(COMMAND ${CMAKE_COMMAND} -E cat "${CARD}" ${pieces}
                OUTPUT_FILE "${work}/card" RESULT_VARIABLE result)
file(SIZE "${CARD}" before)
file(SIZE "${work}/card" after)
math(EXPR added "${after} - ${before}")
if(NOT result EQUAL 0 OR NOT added EQUAL 502)
  message(FATAL_ERROR "append_greeting_area: writing ${CARD} failed (${result}, ${added} bytes)")
endif()
file(COPY_FILE "${work}/card" "${CARD}")
file(REMOVE_RECURSE "${work}")
