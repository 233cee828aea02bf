# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the manual page of wbk from wbk's own help: the overview of `wbk --help`, then the help
# of every command it lists. The page can therefore never say what the tool does not.
#   cmake -DWBK=<wbk> -DOUT=<folder>/wbk.1 -DVERSION=<version> -P WbkManPage.cmake
# leaves OUT compressed as OUT.gz (gzip -9n: no name or time stamp, the same bytes each build).
#
# The help is wrapped for a terminal; the page lets roff fill it to the reader's width instead.
# A line after one that ends with a full stop starts a paragraph, an indented "  name  text"
# list becomes tagged paragraphs, and each command's usage becomes its synopsis.
cmake_minimum_required(VERSION 3.25)

function(wbk_help out)
  execute_process(COMMAND ${WBK} ${ARGN} --help OUTPUT_VARIABLE text ERROR_VARIABLE errors
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR text STREQUAL "")
    message(FATAL_ERROR "wbk ${ARGN} --help failed: ${status}\n${errors}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The help's lines as a CMake list. Semicolons and square brackets would split or join list items,
# so they travel as stand-ins until help_text puts them back.
function(help_lines out text)
  string(REPLACE ";" "{semicolon}" text "${text}")
  string(REPLACE "[" "{open}" text "${text}")
  string(REPLACE "]" "{close}" text "${text}")
  string(REGEX REPLACE "\n+$" "" text "${text}")
  string(REPLACE "\n" ";" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# An item of help_lines as the text it was.
function(help_text out line)
  string(REPLACE "{semicolon}" ";" line "${line}")
  string(REPLACE "{open}" "[" line "${line}")
  string(REPLACE "{close}" "]" line "${line}")
  set(${out} "${line}" PARENT_SCOPE)
endfunction()

# A line of help as roff text: backslashes and minus signs escaped, no request at its start.
function(roff_text out line)
  help_text(line "${line}")
  string(REPLACE "\\" "\\e" line "${line}")
  string(REPLACE "-" "\\-" line "${line}")
  string(REGEX REPLACE "^([.'])" "\\\\&\\1" line "${line}")
  set(${out} "${line}" PARENT_SCOPE)
endfunction()

# One usage as a synopsis: the command in bold, the words to replace in italics, options bold.
function(roff_synopsis out command arguments)
  string(REPLACE "-" "\\-" command "${command}")
  if(arguments STREQUAL "")
    set(${out} ".B wbk ${command}\n" PARENT_SCOPE)
    return()
  endif()
  help_text(arguments "${arguments}")
  string(REGEX REPLACE "([A-Z][A-Z0-9]*)" "\\\\fI\\1\\\\fR" arguments "${arguments}")
  string(REGEX REPLACE "(--[a-z][a-z-]*)" "\\\\fB\\1\\\\fR" arguments "${arguments}")
  string(REPLACE "-" "\\-" arguments "${arguments}")
  set(${out} ".B wbk ${command}\n${arguments}\n" PARENT_SCOPE)
endfunction()

# The lines of help below a usage as paragraphs. The "... --help tells more" pointers are
# dropped: the page says it all.
function(roff_paragraphs out lines)
  set(roff "")
  set(open OFF)  # within a paragraph
  set(tagged OFF)  # within a tagged paragraph of an indented list
  foreach(line IN LISTS lines)
    if(line MATCHES "--help tells more")
      continue()
    elseif(line STREQUAL "")
      set(open OFF)
    elseif(line MATCHES "^  ([a-z][a-z-]*)  +(.*)$")
      roff_text(tag "${CMAKE_MATCH_1}")
      roff_text(text "${CMAKE_MATCH_2}")
      string(APPEND roff ".TP\n.B ${tag}\n${text}\n")
      set(open ON)
      set(tagged ON)
    elseif(tagged AND line MATCHES "^   +(.*)$")
      roff_text(text "${CMAKE_MATCH_1}")
      string(APPEND roff "${text}\n")
    else()
      if(NOT open OR tagged)
        string(APPEND roff ".PP\n")
      endif()
      set(tagged OFF)
      roff_text(text "${line}")
      string(APPEND roff "${text}\n")
      # A line the help ends with a full stop closes what it says; the next starts anew.
      if(line MATCHES "\\.$")
        set(open OFF)
      else()
        set(open ON)
      endif()
    endif()
  endforeach()
  set(${out} "${roff}" PARENT_SCOPE)
endfunction()

# A help text: its usage line first, then the rest.
function(split_usage usage rest text what)
  help_lines(lines "${text}")
  list(POP_FRONT lines first)
  if(NOT first MATCHES "^Usage: wbk (.*)$")
    message(FATAL_ERROR "${what} no longer starts with its usage:\n${text}")
  endif()
  set(${usage} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  set(${rest} "${lines}" PARENT_SCOPE)
endfunction()

wbk_help(overview)
split_usage(usage lines "${overview}" "wbk --help")
set(description "")
set(commands "")
set(exit_status "")
set(listing OFF)
foreach(line IN LISTS lines)
  if(line STREQUAL "Commands:")
    set(listing ON)
  elseif(listing AND line MATCHES "^  ([a-z][a-z-]*) ")
    list(APPEND commands "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^Exit status: (.*)$")  # a section of its own
    roff_text(exit_status "${CMAKE_MATCH_1}")
  else()
    set(listing OFF)
    list(APPEND description "${line}")
  endif()
endforeach()
# The name line: the first sentence of the overview.
set(summary "")
foreach(line IN LISTS description)
  if(summary STREQUAL "" AND line MATCHES "^([^.]+)\\.")
    string(TOLOWER "${CMAKE_MATCH_1}" summary)
    roff_text(summary "${summary}")
  endif()
endforeach()
if(summary STREQUAL "" OR NOT commands OR exit_status STREQUAL "")
  message(FATAL_ERROR "wbk --help no longer reads as expected:\n${overview}")
endif()

roff_paragraphs(description "${description}")
string(CONCAT page ".TH WBK 1 \"\" \"norumi ${VERSION}\" \"User Commands\"\n"
       ".\\\" Written by the build from the help of wbk itself.\n.nh\n"
       ".SH NAME\nwbk \\- ${summary}\n"
       ".SH SYNOPSIS\n.B wbk\n.I COMMAND\n.RI [ ARGUMENTS ]\n.br\n"
       ".B wbk\n.I COMMAND\n.B \\-\\-help\n"
       ".SH DESCRIPTION\n${description}"
       ".SH COMMANDS\n")
foreach(command IN LISTS commands)
  wbk_help(help ${command})
  split_usage(usage lines "${help}" "wbk ${command} --help")
  string(REGEX REPLACE "^${command} ?" "" usage "${usage}")
  # A command of several (wbk hangul keys | copy ...) has a synopsis line for each.
  string(REPLACE " | " ";" usages "${usage}")
  list(LENGTH usages count)
  string(REPLACE "-" "\\-" heading "${command}")
  string(APPEND page ".SS ${heading}\n")
  set(separator "")
  foreach(one IN LISTS usages)
    if(count GREATER 1 AND one MATCHES "^([a-z][a-z-]*) ?(.*)$")
      # The subcommand's name is part of the command.
      roff_synopsis(synopsis "${command} ${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}")
    else()
      roff_synopsis(synopsis "${command}" "${one}")
    endif()
    string(APPEND page "${separator}${synopsis}")
    set(separator ".br\n")
  endforeach()
  roff_paragraphs(body "${lines}")
  string(APPEND page "${body}")
endforeach()
string(APPEND page ".SH EXIT STATUS\n${exit_status}\n"
       ".SH SEE ALSO\n.BR norumi (1),\n.BR norumi\\-keyboard (1)\n")

file(WRITE "${OUT}" "${page}")
execute_process(COMMAND gzip -9nf "${OUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip ${OUT} failed: ${status}")
endif()
