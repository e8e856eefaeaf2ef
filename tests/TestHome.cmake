# The tests' own home folder: emptied before they run (setup), and checked
# to be still empty once they have all run (check).
if(MODE STREQUAL "setup")
    file(REMOVE_RECURSE "${HOME_DIR}")
    file(MAKE_DIRECTORY "${HOME_DIR}")
elseif(MODE STREQUAL "check")
    file(GLOB_RECURSE left LIST_DIRECTORIES true "${HOME_DIR}/*" "${HOME_DIR}/.*")
    if(left)
        list(JOIN left "\n  " shown)
        message(FATAL_ERROR "The tests wrote into their home folder:\n  ${shown}")
    endif()
endif()
