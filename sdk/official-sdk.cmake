# Builds the same targets as sdk/CMakeLists.txt from an official VST 3 SDK
# 3.7.12 checkout (-DFERRULITH_VST3_SDK_DIR=<path>), so that the plug-in's own
# code compiles unchanged against the real SDK:
#   ferrulith_vst3sdk                  pluginterfaces, base and public.sdk
#   ferrulith_vstgui                   VSTGUI with its VST 3 editor bindings
#   FERRULITH_SDK_MODULE_ENTRY_SOURCES the platform's module entry source
set(sdk_dir ${FERRULITH_VST3_SDK_DIR})
if(NOT EXISTS ${sdk_dir}/pluginterfaces/base/funknown.h)
  message(FATAL_ERROR "FERRULITH_VST3_SDK_DIR=${sdk_dir} is no VST 3 SDK checkout")
endif()

file(GLOB official_sources CONFIGURE_DEPENDS
  ${sdk_dir}/pluginterfaces/base/*.cpp
  ${sdk_dir}/base/source/*.cpp
  ${sdk_dir}/base/thread/source/*.cpp)
list(APPEND official_sources
  ${sdk_dir}/public.sdk/source/common/commoniids.cpp
  ${sdk_dir}/public.sdk/source/common/commonstringconvert.cpp
  ${sdk_dir}/public.sdk/source/common/pluginview.cpp
  ${sdk_dir}/public.sdk/source/main/moduleinit.cpp
  ${sdk_dir}/public.sdk/source/main/pluginfactory.cpp
  ${sdk_dir}/public.sdk/source/vst/utility/stringconvert.cpp
  ${sdk_dir}/public.sdk/source/vst/vstaudioeffect.cpp
  ${sdk_dir}/public.sdk/source/vst/vstbus.cpp
  ${sdk_dir}/public.sdk/source/vst/vstcomponent.cpp
  ${sdk_dir}/public.sdk/source/vst/vstcomponentbase.cpp
  ${sdk_dir}/public.sdk/source/vst/vsteditcontroller.cpp
  ${sdk_dir}/public.sdk/source/vst/vstinitiids.cpp
  ${sdk_dir}/public.sdk/source/vst/vstparameters.cpp)

add_library(ferrulith_vst3sdk STATIC ${official_sources})
target_include_directories(ferrulith_vst3sdk SYSTEM PUBLIC ${sdk_dir})
target_compile_definitions(ferrulith_vst3sdk PUBLIC
  $<$<CONFIG:Debug>:DEVELOPMENT=1> $<$<NOT:$<CONFIG:Debug>>:RELEASE=1>)
find_package(Threads REQUIRED)
target_link_libraries(ferrulith_vst3sdk PUBLIC Threads::Threads ${CMAKE_DL_LIBS})
# The official sources and headers are not ours to hold to our warning level.
target_compile_options(ferrulith_vst3sdk PRIVATE -w)

if(WIN32)
  set(entry_source ${sdk_dir}/public.sdk/source/main/dllmain.cpp)
else()
  set(entry_source ${sdk_dir}/public.sdk/source/main/linuxmain.cpp)
endif()
set(FERRULITH_SDK_MODULE_ENTRY_SOURCES ${entry_source} CACHE INTERNAL "")

# VSTGUI's own CMake builds vstgui_uidescription; the VST 3 editor bindings
# are compiled beside it, as the SDK's plug-in examples do.
set(vstgui_dir ${sdk_dir}/vstgui4/vstgui)
if(EXISTS ${vstgui_dir}/CMakeLists.txt)
  set(VSTGUI_STANDALONE OFF CACHE BOOL "" FORCE)
  set(VSTGUI_TOOLS OFF CACHE BOOL "" FORCE)
  add_subdirectory(${vstgui_dir} ${CMAKE_BINARY_DIR}/official-vstgui)
  # Nor are VSTGUI's sources and headers.
  set_target_properties(vstgui vstgui_uidescription PROPERTIES SYSTEM ON)
  target_compile_options(vstgui PRIVATE -w)
  target_compile_options(vstgui_uidescription PRIVATE -w)
  add_library(ferrulith_vstgui STATIC
    ${vstgui_dir}/plugin-bindings/vst3editor.cpp
    ${vstgui_dir}/plugin-bindings/vst3groupcontroller.cpp
    ${vstgui_dir}/plugin-bindings/vst3padcontroller.cpp
    ${sdk_dir}/public.sdk/source/vst/vstguieditor.cpp)
  # Includes are written from the VSTGUI folder, as in the SDK's examples:
  # "vstgui/plugin-bindings/vst3editor.h".
  target_include_directories(ferrulith_vstgui SYSTEM PUBLIC ${sdk_dir}/vstgui4)
  target_link_libraries(ferrulith_vstgui PUBLIC vstgui_uidescription ferrulith_vst3sdk)
  target_compile_options(ferrulith_vstgui PRIVATE -w)
  set(FERRULITH_EDITOR ON CACHE INTERNAL "")
endif()
