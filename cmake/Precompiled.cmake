# Precompiled Qt headers. Parsing the Qt headers again is most of the time of a file's
# compilation here, so every target that compiles with the same Qt modules shares one
# precompiled header, made once in a small target of its own. A header holds only modules its
# targets compile with, so the guard of the logic layers (cmake/Layers.cmake) still stops a
# widget include.

set(_vellagon_pch_modules Core Sql Gui Widgets PrintSupport Test)
set(_vellagon_pch_Core
    <QString> <QStringList> <QStringView> <QVariant> <QList> <QHash> <QDateTime> <QFile>
    <QFileInfo> <QDir> <QRegularExpression> <algorithm> <functional> <memory> <optional> <vector>)
set(_vellagon_pch_Sql <QSqlDatabase> <QSqlQuery> <QSqlRecord> <QSqlError>)
set(_vellagon_pch_Gui <QFont> <QFontMetricsF> <QImage> <QPainter> <QTextDocument> <QTextCursor>)
set(_vellagon_pch_Widgets
    <QApplication> <QWidget> <QDialog> <QLabel> <QLineEdit> <QTextEdit> <QComboBox> <QListWidget>
    <QGroupBox> <QBoxLayout> <QGridLayout> <QMenuBar> <QMenu> <QToolBar> <QTabWidget> <QMdiArea>
    <QMdiSubWindow> <QKeyEvent> <QPointer> <QTimer>)
set(_vellagon_pch_PrintSupport)
set(_vellagon_pch_Test <QTest> <QSignalSpy> <QProcess>)

# The Qt modules whose definitions (QT_<MODULE>_LIB) a target compiles with: those it links and
# those their interfaces carry, but not those a static library links for itself only.
function(_vellagon_compiled_modules target out)
    get_target_property(queue ${target} LINK_LIBRARIES)
    set(seen)
    while(queue)
        list(POP_FRONT queue current)
        if(current MATCHES "^\\$<LINK_ONLY:" OR current IN_LIST seen OR NOT TARGET ${current})
            continue()
        endif()
        list(APPEND seen ${current})
        get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
        if(interface)
            list(APPEND queue ${interface})
        endif()
    endwhile()
    set(modules)
    foreach(module IN LISTS _vellagon_pch_modules)
        if(Qt6::${module} IN_LIST seen OR Qt::${module} IN_LIST seen)
            list(APPEND modules ${module})
        endif()
    endforeach()
    set(${out} ${modules} PARENT_SCOPE)
endfunction()

# A test's definitions name its own folders (QT_TESTCASE_BUILDDIR); only QFINDTESTDATA reads
# them, which no test uses, so they are taken away to let every test share one header.
function(_vellagon_pch_test_options target modules)
    if("Test" IN_LIST modules)
        target_compile_options(${target} PRIVATE -UQT_TESTCASE_BUILDDIR -UQT_TESTCASE_SOURCEDIR)
    endif()
endfunction()

# The target holding the precompiled header for one set of modules, made when first asked for.
function(_vellagon_pch_target modules out)
    string(JOIN "" kind ${modules})
    set(name vellagon_pch_${kind})
    if(NOT TARGET ${name})
        set(headers)
        set(links)
        foreach(module IN LISTS modules)
            list(APPEND headers ${_vellagon_pch_${module}})
            list(APPEND links Qt6::${module})
        endforeach()
        set(source "${PROJECT_BINARY_DIR}/precompiled/${kind}.cpp")
        file(CONFIGURE OUTPUT "${source}" CONTENT "// The precompiled headers of ${kind}.\n")
        add_library(${name} STATIC "${source}")
        set_target_properties(${name} PROPERTIES AUTOMOC OFF)
        target_link_libraries(${name} PRIVATE ${links})
        target_precompile_headers(${name} PRIVATE ${headers})
        _vellagon_pch_test_options(${name} "${modules}")
    endif()
    set(${out} ${name} PARENT_SCOPE)
endfunction()

# Called once every target is defined: every library and program of the project's folders
# reuses the precompiled header of its modules.
function(vellagon_precompile_all)
    set(folders ${PROJECT_SOURCE_DIR})
    set(targets)
    while(folders)
        list(POP_FRONT folders folder)
        get_property(here DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
        get_property(below DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
        list(APPEND targets ${here})
        list(APPEND folders ${below})
    endwhile()
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(NOT type MATCHES "^(STATIC_LIBRARY|EXECUTABLE)$" OR target MATCHES "^vellagon_pch_")
            continue()
        endif()
        _vellagon_compiled_modules(${target} modules)
        if(NOT "Core" IN_LIST modules)
            continue()
        endif()
        _vellagon_pch_target("${modules}" pch)
        target_precompile_headers(${target} REUSE_FROM ${pch})
        _vellagon_pch_test_options(${target} "${modules}")
        # A test program includes its moc file in its source, so the one Qt's moc step makes
        # for it is all but empty: loading the precompiled header would be most of its time.
        if(type STREQUAL "EXECUTABLE" AND "Test" IN_LIST modules)
            get_target_property(folder ${target} BINARY_DIR)
            set_source_files_properties("${folder}/${target}_autogen/mocs_compilation.cpp"
                TARGET_DIRECTORY ${target} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
        endif()
    endforeach()
endfunction()
