# libwebp's decoder and demuxer (which finds an animation's first frame), as
# an imported target tessivo_webp. Host build: the system's libwebp-dev.
# Windows cross build: the static libraries that scripts/setup builds from
# Debian's source package into TESSIVO_WEBP_PREFIX.
set(TESSIVO_WEBP_PREFIX "" CACHE PATH "Install prefix of a libwebp build (cross build)")
add_library(tessivo_webp INTERFACE)
if(TESSIVO_WEBP_PREFIX)
  find_path(TESSIVO_WEBP_INCLUDE webp/demux.h PATHS ${TESSIVO_WEBP_PREFIX}/include NO_DEFAULT_PATH
            NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  find_library(TESSIVO_WEBP_LIBRARY NAMES libwebpdecoder.a PATHS ${TESSIVO_WEBP_PREFIX}/lib
               ${TESSIVO_WEBP_PREFIX}/lib64 NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  find_library(TESSIVO_WEBPDEMUX_LIBRARY NAMES libwebpdemux.a PATHS ${TESSIVO_WEBP_PREFIX}/lib
               ${TESSIVO_WEBP_PREFIX}/lib64 NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
else()
  find_path(TESSIVO_WEBP_INCLUDE webp/demux.h REQUIRED)
  find_library(TESSIVO_WEBP_LIBRARY NAMES webpdecoder webp REQUIRED)
  find_library(TESSIVO_WEBPDEMUX_LIBRARY NAMES webpdemux REQUIRED)
endif()
target_include_directories(tessivo_webp SYSTEM INTERFACE ${TESSIVO_WEBP_INCLUDE})
# The demuxer first: a static link resolves its calls into the decoder.
target_link_libraries(tessivo_webp INTERFACE ${TESSIVO_WEBPDEMUX_LIBRARY} ${TESSIVO_WEBP_LIBRARY})
