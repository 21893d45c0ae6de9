# The installed Quorvin GUI Builder: find_package(QuorvinGuiBuilder) gives
#   Quorvin::sdk    the add-on SDK headers (QORADDON.h), the one thing an
#                   add-on module and its generated code compile against;
#   Quorvin::host   the reference host library (quorvin/Host.h), for programs
#                   that drive the host themselves (tests, tools);
#   Quorvin::qtsdk  the host's Qt SDK headers that the Qt output includes
#                   (sdk/qt), with QorGUICallbackUtil.cpp as a source;
#   Quorvin::qgb    the qgb tool; QuorvinGuiBuilder_MODULE the builder add-on;
# and the function qgb_generate (QgbGenerate.cmake).
get_filename_component(_qgb_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)

if(NOT TARGET Quorvin::sdk)
  add_library(Quorvin::sdk INTERFACE IMPORTED)
  set_target_properties(Quorvin::sdk PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${_qgb_prefix}/include/quorvin/sdk")

  add_library(Quorvin::host SHARED IMPORTED)
  set_target_properties(Quorvin::host PROPERTIES
    IMPORTED_LOCATION "${_qgb_prefix}/lib/libquorvin_host.so"
    INTERFACE_INCLUDE_DIRECTORIES "${_qgb_prefix}/include"
    INTERFACE_LINK_LIBRARIES Quorvin::sdk)

  add_library(Quorvin::qtsdk INTERFACE IMPORTED)
  set_target_properties(Quorvin::qtsdk PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${_qgb_prefix}/include/quorvin/sdk/qt"
    INTERFACE_LINK_LIBRARIES Quorvin::sdk)

  add_executable(Quorvin::qgb IMPORTED)
  set_target_properties(Quorvin::qgb PROPERTIES IMPORTED_LOCATION "${_qgb_prefix}/bin/qgb")
endif()

set(QuorvinGuiBuilder_QGB "${_qgb_prefix}/bin/qgb")
set(QuorvinGuiBuilder_MODULE "${_qgb_prefix}/lib/quorvin/libquorvin_gui_builder.so")
set(QuorvinGuiBuilder_QT_SDK_SOURCES "${_qgb_prefix}/include/quorvin/sdk/qt/QorGUICallbackUtil.cpp")
set(QuorvinGuiBuilder_FOUND TRUE)

include("${CMAKE_CURRENT_LIST_DIR}/QgbGenerate.cmake")
