# Writes the manual page of wbk from wbk's own help: the overview of `wbk --help`, then the help
# of every command it lists. The page can therefore never say what the tool does not.
#   cmake -DWBK=<wbk> -DOUT=<folder>/wbk.1 -DVERSION=<version> -P WbkManPage.cmake
# leaves OUT compressed as OUT.gz (gzip -9n: no name or time stamp, the same bytes each build).

function(wbk_help out)
  execute_process(COMMAND ${WBK} ${ARGN} --help OUTPUT_VARIABLE text ERROR_VARIABLE errors
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR text STREQUAL "")
    message(FATAL_ERROR "wbk ${ARGN} --help failed: ${status}\n${errors}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The help as text that roff shows as it is: backslashes and minus signs escaped, lines kept.
function(roff_block out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  # A line starting with a dot or an apostrophe would be read as a request.
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  string(REGEX REPLACE "\n+$" "" text "${text}")
  set(${out} ".nf\n${text}\n.fi\n" PARENT_SCOPE)
endfunction()

wbk_help(overview)
string(REGEX MATCH "\n\n([^.\n]+)\\." summary "${overview}")
string(TOLOWER "${CMAKE_MATCH_1}" summary)
string(REGEX MATCH "Commands:\n(.*)\n\n" listing "${overview}")
string(REGEX MATCHALL "\n  [-a-z]+" commands "\n${CMAKE_MATCH_1}")
if(summary STREQUAL "" OR NOT commands)
  message(FATAL_ERROR "wbk --help no longer reads as expected:\n${overview}")
endif()

roff_block(block "${overview}")
string(CONCAT page ".TH WBK 1 \"\" \"norumi ${VERSION}\" \"User Commands\"\n"
         ".SH NAME\nwbk \\- ${summary}\n"
         ".SH SYNOPSIS\n.B wbk\n.I COMMAND\n.RI [ ARGUMENTS ]\n"
         ".SH DESCRIPTION\n${block}"
         ".SH COMMANDS\n")
foreach(command IN LISTS commands)
  string(STRIP "${command}" command)
  wbk_help(help ${command})
  roff_block(block "${help}")
  string(APPEND page ".SS ${command}\n${block}")
endforeach()

file(WRITE "${OUT}" "${page}")
execute_process(COMMAND gzip -9nf "${OUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip ${OUT} failed: ${status}")
endif()
