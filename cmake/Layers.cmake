# The layers the build keeps: a library of logic (the data layer, the report engine, the logic of
# each folder) and the tests of logic use Qt Core, Sql (and Gui where a page is laid out), never
# Qt Widgets or Qt PrintSupport. Not linking those modules does not keep their headers out: the
# Qt include root is on every target's path, so <QtWidgets/QWidget> would still be found. Each
# logic target therefore gets, before every other include folder, a folder of headers named like
# every header of the forbidden modules, each of which stops the compilation with the rule.

set(VELLAGON_POISON_DIR "${PROJECT_BINARY_DIR}/poisoned-includes")

# The folder of a Qt module's own headers (…/qt6/QtWidgets).
function(_vellagon_qt_header_dir module out)
    get_target_property(dirs Qt6::${module} INTERFACE_INCLUDE_DIRECTORIES)
    foreach(dir IN LISTS dirs)
        if(dir MATCHES "/Qt${module}$")
            set(${out} "${dir}" PARENT_SCOPE)
            return()
        endif()
    endforeach()
    message(FATAL_ERROR "No header folder of Qt${module} among ${dirs}")
endfunction()

# Writes the poisoned headers of one Qt module into ${VELLAGON_POISON_DIR}/<module>: bare names
# (<QWidget>) under bare/, prefixed ones (<QtWidgets/QWidget>) under prefixed/Qt<module>/. A bare
# name that an allowed module has as well (<QAction>, in Qt Gui since Qt 6) stays allowed.
function(_vellagon_poison_module module rule)
    cmake_parse_arguments(ARG "" "" "ALLOWED" ${ARGN})
    _vellagon_qt_header_dir(${module} dir)
    set(allowed)
    foreach(other IN LISTS ARG_ALLOWED)
        _vellagon_qt_header_dir(${other} otherDir)
        file(GLOB names RELATIVE "${otherDir}" "${otherDir}/*")
        list(APPEND allowed ${names})
    endforeach()
    file(GLOB headers LIST_DIRECTORIES false RELATIVE "${dir}" "${dir}/*")
    set(out "${VELLAGON_POISON_DIR}/${module}")
    foreach(header IN LISTS headers)
        set(text "#error \"<Qt${module}/${header}> in a library of logic: ${rule}\"\n")
        file(CONFIGURE OUTPUT "${out}/prefixed/Qt${module}/${header}" CONTENT "${text}" @ONLY)
        if(NOT header IN_LIST allowed)
            file(CONFIGURE OUTPUT "${out}/bare/${header}" CONTENT "${text}" @ONLY)
        endif()
    endforeach()
endfunction()

set(_vellagon_rule "logic uses Qt Core, Sql and Gui only; widgets, printers and dialogs belong in a windows library behind the seams (README: Where things are)")
_vellagon_poison_module(Widgets "${_vellagon_rule}" ALLOWED Core Gui Sql Test)
_vellagon_poison_module(PrintSupport "${_vellagon_rule}" ALLOWED Core Gui Sql Test)
_vellagon_poison_module(Gui "the data layer uses Qt Core and Sql only; what draws belongs in the report engine or the widgets (README: Where things are)" ALLOWED Core Sql Test)

# vellagon_logic_target(target [DATA]): marks a target as logic. Its sources cannot include a
# header of Qt Widgets or Qt PrintSupport (DATA: nor of Qt Gui), and it may not link them.
function(vellagon_logic_target target)
    cmake_parse_arguments(ARG "DATA" "" "" ${ARGN})
    set(modules Widgets PrintSupport)
    if(ARG_DATA)
        list(APPEND modules Gui)
    endif()
    foreach(module IN LISTS modules)
        target_include_directories(${target} BEFORE PRIVATE
            "${VELLAGON_POISON_DIR}/${module}/bare" "${VELLAGON_POISON_DIR}/${module}/prefixed")
        set_property(GLOBAL APPEND PROPERTY VELLAGON_FORBIDDEN_${target} Qt6::${module})
    endforeach()
    set_property(GLOBAL APPEND PROPERTY VELLAGON_LOGIC_TARGETS ${target})
endfunction()

# What a target links, directly or through the libraries it links.
function(_vellagon_linked target out)
    set(seen)
    set(queue ${target})
    while(queue)
        list(POP_FRONT queue current)
        if(current IN_LIST seen OR NOT TARGET ${current})
            continue()
        endif()
        list(APPEND seen ${current})
        get_target_property(type ${current} TYPE)
        get_target_property(imported ${current} IMPORTED)
        set(links)
        if(NOT type STREQUAL "INTERFACE_LIBRARY" AND NOT imported)
            get_target_property(direct ${current} LINK_LIBRARIES)
            if(direct)
                list(APPEND links ${direct})
            endif()
        endif()
        get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
        if(interface)
            list(APPEND links ${interface})
        endif()
        foreach(link IN LISTS links)
            # $<LINK_ONLY:x> and the like name the target inside.
            string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
            if(TARGET ${link})
                get_target_property(aliased ${link} ALIASED_TARGET)
                if(aliased)
                    set(link ${aliased})
                endif()
                list(APPEND queue ${link})
            endif()
        endforeach()
    endwhile()
    set(${out} ${seen} PARENT_SCOPE)
endfunction()

# Called once every target is defined: a logic target that links a forbidden module, even
# through another library, stops the configuration.
function(vellagon_check_logic_links)
    get_property(targets GLOBAL PROPERTY VELLAGON_LOGIC_TARGETS)
    foreach(target IN LISTS targets)
        _vellagon_linked(${target} linked)
        get_property(forbidden GLOBAL PROPERTY VELLAGON_FORBIDDEN_${target})
        foreach(module IN LISTS forbidden)
            get_target_property(real ${module} ALIASED_TARGET)
            if(${module} IN_LIST linked OR (real AND real IN_LIST linked))
                message(FATAL_ERROR "${target} is logic but links ${module}, directly or through a library it links")
            endif()
        endforeach()
    endforeach()
endfunction()
