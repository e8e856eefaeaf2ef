# Parsing Qt's headers again in every file was most of the build's time.
# Two libraries precompile them (QtHeaders.h) and every other target built
# on QtGui reuses one of their precompiled headers: they share one set of
# flags, and the definitions a target adds (QT_TESTLIB_LIB, ...) are not
# read by those headers. Targets without QtGui have no include path for
# them, so they go without.

# Every library and program defined in the folder and below it.
function(fondalis_targets_below dir out)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(sub IN LISTS subdirs)
        fondalis_targets_below(${sub} more)
        list(APPEND targets ${more})
    endforeach()
    set(${out} ${targets} PARENT_SCOPE)
endfunction()

# The widest of Qt's Gui and Widgets modules the target links, directly or
# through the project's libraries; empty for neither.
function(fondalis_qt_level target out)
    set(level "")
    get_target_property(libs ${target} LINK_LIBRARIES)
    get_target_property(interface ${target} INTERFACE_LINK_LIBRARIES)
    foreach(lib IN LISTS libs interface)
        set(found "")
        if(lib MATCHES "^Qt6::(Gui|Widgets)$")
            set(found ${CMAKE_MATCH_1})
        elseif(TARGET ${lib} AND NOT lib MATCHES "::")
            fondalis_qt_level(${lib} found)
        endif()
        if(found STREQUAL "Widgets")
            set(level Widgets)
            break()
        elseif(found STREQUAL "Gui")
            set(level Gui)
        endif()
    endforeach()
    set(${out} ${level} PARENT_SCOPE)
endfunction()

# GCC takes a precompiled header only where every definition it was made
# with is given again: one for the targets with QtWidgets, one for those
# with QtGui alone.
set(owner_Widgets fondalis_surface)
set(owner_Gui fondalis_seagen)
target_precompile_headers(${owner_Widgets} PRIVATE ${CMAKE_CURRENT_LIST_DIR}/QtHeaders.h)
target_precompile_headers(${owner_Gui} PRIVATE ${CMAKE_CURRENT_LIST_DIR}/QtHeaders.h)
fondalis_targets_below(${PROJECT_SOURCE_DIR} targets)
foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(target STREQUAL owner_Widgets OR target STREQUAL owner_Gui OR NOT type MATCHES "^(STATIC_LIBRARY|EXECUTABLE)$")
        continue()
    endif()
    fondalis_qt_level(${target} level)
    if(level)
        target_precompile_headers(${target} REUSE_FROM ${owner_${level}})
    endif()
endforeach()
