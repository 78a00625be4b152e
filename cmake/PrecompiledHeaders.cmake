# Precompiled headers: most of a translation unit's compile time here is parsing Qt's and
# GoogleTest's headers, so a few precompiled sets are built once each and every target reuses
# one of them: the test programs the test set, targets linking Qt Widgets the widgets set, the
# rest the Qt Core set. Only headers from outside the project go in, so editing the project
# rebuilds no set. GCC only; -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON builds without them.

set(GC_PCH_CORE
  <algorithm> <array> <functional> <memory> <optional> <span> <vector>
  <QByteArray> <QCoreApplication> <QDir> <QFile> <QFileInfo> <QJsonArray> <QJsonDocument>
  <QJsonObject> <QObject> <QString> <QStringList> <QTimer>)
set(GC_PCH_WIDGETS ${GC_PCH_CORE}
  <QBoxLayout> <QCheckBox> <QComboBox> <QGridLayout> <QGroupBox> <QLabel> <QLineEdit>
  <QPushButton> <QRadioButton> <QWidget>)
set(GC_PCH_TESTS ${GC_PCH_WIDGETS} <gtest/gtest.h> <QProcess> <QTemporaryDir>)

if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND NOT CMAKE_DISABLE_PRECOMPILE_HEADERS)
  set(GC_PCH ON)
  # Lets ccache cache the compiles that use a set (with the sloppiness build.sh sets).
  target_compile_options(gc_build_options INTERFACE -fpch-preprocess)
else()
  set(GC_PCH OFF)
endif()

# gc_add_pch_holder(NAME HEADERS [LIBS...]): a target that only builds the set HEADERS. A set
# is used only where every macro defined when it was built is defined alike, so it takes Qt
# Widgets' include folders but not its QT_*_LIB macros, and otherwise only what every program
# has: Qt Core and LIBS.
set(gc_pch_source ${CMAKE_BINARY_DIR}/pch/empty.cpp)
file(CONFIGURE OUTPUT ${gc_pch_source} CONTENT "")
function(gc_add_pch_holder name headers)
  if(GC_PCH)
    add_library(${name} STATIC ${gc_pch_source})
    set_target_properties(${name} PROPERTIES AUTOMOC OFF)
    target_include_directories(${name} SYSTEM PRIVATE
      $<TARGET_PROPERTY:Qt6::Widgets,INTERFACE_INCLUDE_DIRECTORIES>)
    target_link_libraries(${name} PRIVATE Qt6::Core ${ARGN} gc_build_options)
    target_precompile_headers(${name} PRIVATE ${headers})
  endif()
endfunction()

gc_add_pch_holder(gc_pch_core "${GC_PCH_CORE}")
gc_add_pch_holder(gc_pch_widgets "${GC_PCH_WIDGETS}")

# Every build target in DIR and the folders below it.
function(gc_targets_below dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    gc_targets_below(${subdir} below)
    list(APPEND targets ${below})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Gives every library and program of the project one of the sets; called once, after the last
# target is defined. Programs linking GoogleTest take the test set (from tests/).
function(gc_precompile_headers)
  if(NOT GC_PCH)
    return()
  endif()
  gc_targets_below(${PROJECT_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(links ${target} LINK_LIBRARIES)
    if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|EXECUTABLE)$"
        OR target MATCHES "^gc_pch_")
      continue()
    endif()
    if(GTest::gtest IN_LIST links OR GTest::gtest_main IN_LIST links)
      target_precompile_headers(${target} REUSE_FROM gc_pch_tests)
    elseif(Qt6::Widgets IN_LIST links)
      target_precompile_headers(${target} REUSE_FROM gc_pch_widgets)
    else()
      target_precompile_headers(${target} REUSE_FROM gc_pch_core)
    endif()
  endforeach()
endfunction()
