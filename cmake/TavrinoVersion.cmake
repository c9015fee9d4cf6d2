# The build's version, 3.2.<n>: in a git checkout n is the number of commits
# of the checked-out history, otherwise TAVRINO_VERSION_PATCH (by default the
# project's own patch number). Sets TAVRINO_BUILD_VERSION and reconfigures
# when a commit moves HEAD, so a build never reports a stale number.
set(TAVRINO_VERSION_PATCH ${PROJECT_VERSION_PATCH} CACHE STRING
    "Build number used when the sources are not a git checkout")

set(_tavrino_build_number ${TAVRINO_VERSION_PATCH})
find_package(Git QUIET)
if(GIT_FOUND AND EXISTS ${PROJECT_SOURCE_DIR}/.git)
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-list --count HEAD
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE _tavrino_count OUTPUT_STRIP_TRAILING_WHITESPACE
        RESULT_VARIABLE _tavrino_git_result ERROR_QUIET)
    if(_tavrino_git_result EQUAL 0 AND _tavrino_count MATCHES "^[0-9]+$")
        set(_tavrino_build_number ${_tavrino_count})
        # HEAD, and the branch it names, move with every commit.
        execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --absolute-git-dir
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE _tavrino_git_dir OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --symbolic-full-name HEAD
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE _tavrino_ref OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --git-common-dir
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE _tavrino_common_dir OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        get_filename_component(_tavrino_common_dir "${_tavrino_common_dir}" ABSOLUTE
            BASE_DIR ${PROJECT_SOURCE_DIR})
        foreach(_file "${_tavrino_git_dir}/HEAD" "${_tavrino_common_dir}/${_tavrino_ref}"
                      "${_tavrino_common_dir}/packed-refs")
            if(EXISTS "${_file}" AND NOT IS_DIRECTORY "${_file}")
                set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${_file}")
            endif()
        endforeach()
    endif()
endif()
set(TAVRINO_BUILD_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${_tavrino_build_number}")
message(STATUS "Build version ${TAVRINO_BUILD_VERSION}")
