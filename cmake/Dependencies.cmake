# Debian 12 packages: Irrlicht 1.8 (no CMake or pkg-config file), Box2D 2.4,
# SFML 2.5 audio, OpenAL Soft, SDL2 (message boxes), X11 with Xcursor and
# XF86VidMode, OpenGL, expat (XML), zlib (image checks), libpng (pictures
# decoded off the main thread), nlohmann-json (the test probe).
find_path(IRRLICHT_INCLUDE_DIR irrlicht.h PATH_SUFFIXES irrlicht REQUIRED)
find_library(IRRLICHT_LIBRARY NAMES Irrlicht REQUIRED)
find_path(BOX2D_INCLUDE_DIR box2d/box2d.h REQUIRED)
find_library(BOX2D_LIBRARY NAMES box2d REQUIRED)
find_package(SFML 2.5 COMPONENTS audio system REQUIRED)
find_package(OpenAL REQUIRED)
find_package(SDL2 REQUIRED)
find_package(X11 REQUIRED)
find_package(OpenGL REQUIRED)
find_package(Threads REQUIRED)
find_package(EXPAT REQUIRED)
find_package(ZLIB REQUIRED)
find_package(PNG REQUIRED)
find_package(nlohmann_json 3 REQUIRED)
if(NOT X11_Xcursor_FOUND OR NOT X11_Xxf86vm_FOUND)
  message(FATAL_ERROR "libxcursor-dev and libxxf86vm-dev are needed")
endif()

add_library(qv_deps INTERFACE)
target_include_directories(qv_deps SYSTEM INTERFACE
  ${IRRLICHT_INCLUDE_DIR} ${BOX2D_INCLUDE_DIR} ${OPENAL_INCLUDE_DIR} ${SDL2_INCLUDE_DIRS} ${X11_INCLUDE_DIR})
target_link_libraries(qv_deps INTERFACE
  ${IRRLICHT_LIBRARY} ${BOX2D_LIBRARY} sfml-audio sfml-system ${OPENAL_LIBRARY}
  ${SDL2_LIBRARIES} ${X11_LIBRARIES} ${X11_Xcursor_LIB} ${X11_Xxf86vm_LIB}
  OpenGL::GL Threads::Threads EXPAT::EXPAT ZLIB::ZLIB PNG::PNG nlohmann_json::nlohmann_json stdc++fs)

set(QV_PYTHON /usr/bin/python3)
