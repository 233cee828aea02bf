# SPDX-License-Identifier: GPL-3.0-or-later
# Copies every word file of the folder STAGED into the folder FOLDER where FOLDER holds no file
# of that name yet. A file already there is the learner's, with their answer history: it stays.
#   cmake -DSTAGED=<folder> -DFOLDER=<program folder> -P LayStarterFiles.cmake
if(NOT IS_DIRECTORY "${STAGED}" OR NOT IS_DIRECTORY "${FOLDER}")
  message(FATAL_ERROR "STAGED and FOLDER must be folders")
endif()
file(GLOB staged_files LIST_DIRECTORIES false "${STAGED}/*.wbk")
foreach(staged IN LISTS staged_files)
  get_filename_component(name "${staged}" NAME)
  if(NOT EXISTS "${FOLDER}/${name}")
    # Copied under a temporary name and renamed: the program never sees half a file.
    file(COPY_FILE "${staged}" "${FOLDER}/${name}.new")
    file(RENAME "${FOLDER}/${name}.new" "${FOLDER}/${name}")
    message(STATUS "Laid ${name} into ${FOLDER}")
  endif()
endforeach()
