# The browser build (emscripten): the same engine and application over the web backend. The
# libraries come from scripts/build-web-libs.sh (VELMORANT_WEB_PREFIX); the player lands in
# VELMORANT_WEB_OUTPUT as a folder a web server can serve.
set(VELMORANT_WEB_PREFIX "" CACHE PATH
    "zlib, libpng, FreeType, libjpeg, FFmpeg and nlohmann-json built for wasm")
set(VELMORANT_WEB_OUTPUT "${PROJECT_BINARY_DIR}/player" CACHE PATH "where the web player is written")
if(NOT EXISTS "${VELMORANT_WEB_PREFIX}/include/png.h" OR
   NOT EXISTS "${VELMORANT_WEB_PREFIX}/include/libavcodec/avcodec.h")
  message(FATAL_ERROR "VELMORANT_WEB_PREFIX (${VELMORANT_WEB_PREFIX}) holds no libraries: run "
                      "scripts/build-web-libs.sh, or `make web`")
endif()

add_compile_options(-Wall -Wextra -fexceptions)
add_link_options(-fexceptions)

add_library(velmorant_web_deps INTERFACE)
target_include_directories(velmorant_web_deps SYSTEM INTERFACE
  ${VELMORANT_WEB_PREFIX}/include ${VELMORANT_WEB_PREFIX}/include/freetype2)
target_link_libraries(velmorant_web_deps INTERFACE
  ${VELMORANT_WEB_PREFIX}/lib/libpng16.a ${VELMORANT_WEB_PREFIX}/lib/libjpeg.a
  ${VELMORANT_WEB_PREFIX}/lib/libfreetype.a ${VELMORANT_WEB_PREFIX}/lib/libavformat.a
  ${VELMORANT_WEB_PREFIX}/lib/libavcodec.a ${VELMORANT_WEB_PREFIX}/lib/libswscale.a
  ${VELMORANT_WEB_PREFIX}/lib/libswresample.a ${VELMORANT_WEB_PREFIX}/lib/libavutil.a
  ${VELMORANT_WEB_PREFIX}/lib/libz.a)

# The desktop's own services (SDL, GIO, CUPS, Cairo, fontconfig, processes, sockets, threads) stay
# out; platform/web has the browser's and the stand-ins for what the browser lacks. Films and
# waves are decoded as on the desktop, on the asking thread.
velmorant_library(velmorant_platform
  DIRS platform platform/gfx platform/loop platform/window platform/audio platform/film
       platform/text platform/shell platform/fs platform/fs/tables platform/web platform/record
  EXCLUDE "/platform/(hang_up_signals|single_instance)\\.cpp$"
          "/window/(sdl_[a-z_]*|screen_scaler|desktop_services)\\.cpp$"
          "/audio/(mixer|mixer_sound_player)\\.cpp$"
          "/film/(desktop_media|threaded_frame_source)\\.cpp$"
          "/record/video_[a-z_]*\\.cpp$"
          "/text/(cairo_handles|cups_printer|pdf_writer|fontconfig_[a-z_]*)\\.cpp$"
          "/shell/(child_reaper|gio_opener|process_group|program_spawn|desktop_shell|wine_probe)\\.cpp$"
  DEPS velmorant_web_deps)
configure_file(version.hpp.in ${PROJECT_BINARY_DIR}/generated/velmorant/version.hpp @ONLY)
add_library(velmorant_version INTERFACE)
target_include_directories(velmorant_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
velmorant_library(velmorant_definition DIRS definition DEPS velmorant_platform)
velmorant_library(velmorant_engine
  DIRS display sequence elements elements/visual elements/interactive elements/media
  DEPS velmorant_definition velmorant_platform)
velmorant_library(velmorant_app DIRS app
  EXCLUDE "/app/(entry|handout|presentation_choice)\\.cpp$"
  DEPS velmorant_engine)
target_link_libraries(velmorant_app PRIVATE velmorant_version)

# The fonts the desktop's captions and texts come out in, at /fonts in the module's file system.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/platform/text/web_fonts.txt web_fonts REGEX "^/")
set(font_embeds)
foreach(font IN LISTS web_fonts)
  if(NOT EXISTS ${font})
    message(FATAL_ERROR "${font} is missing: scripts/install-deps.sh --web installs it")
  endif()
  get_filename_component(font_name ${font} NAME)
  list(APPEND font_embeds "SHELL:--embed-file ${font}@/fonts/${font_name}")
endforeach()

set(page_dir ${CMAKE_CURRENT_SOURCE_DIR}/platform/web/page)
set(web_link_options
  -sMODULARIZE=1 -sEXPORT_NAME=createVelmorant -sENVIRONMENT=web
  -sASYNCIFY=1 -sASYNCIFY_STACK_SIZE=262144
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=67108864 -sMAXIMUM_MEMORY=2147483648
  -sTOTAL_STACK=2097152 -sINVOKE_RUN=0 -sEXIT_RUNTIME=0 -sFORCE_FILESYSTEM=1
  "SHELL:-sEXPORTED_RUNTIME_METHODS=callMain,FS"
  # Each its own option: CMake would merge a repeated --js-library into one.
  "SHELL:--js-library ${page_dir}/velmorant-library.js"
  "SHELL:--js-library ${page_dir}/velmorant-audio-library.js"
  "SHELL:--js-library ${page_dir}/velmorant-open-library.js" ${font_embeds})

foreach(variant velmorant velmorant-single)
  add_executable(${variant} app/web_main.cpp)
  target_link_libraries(${variant} PRIVATE velmorant_app)
  target_link_options(${variant} PRIVATE ${web_link_options})
  set_target_properties(${variant} PROPERTIES SUFFIX ".js" LINK_DEPENDS
                        "${page_dir}/velmorant-library.js;${page_dir}/velmorant-audio-library.js;${page_dir}/velmorant-open-library.js"
                        RUNTIME_OUTPUT_DIRECTORY ${VELMORANT_WEB_OUTPUT})
endforeach()
# Opened from disk, the page cannot fetch the wasm: this one carries it inside.
target_link_options(velmorant-single PRIVATE -sSINGLE_FILE=1)

# The browser tests' twin of the native tests/tools/media_hashes, run in a page; not published.
set(VELMORANT_WEB_TEST_OUTPUT "${VELMORANT_WEB_OUTPUT}-tests" CACHE PATH
    "where the programs of the browser tests are written")
add_executable(media_hashes ${PROJECT_SOURCE_DIR}/tests/tools/media_hashes.cpp)
target_link_libraries(media_hashes PRIVATE velmorant_platform)
target_link_options(media_hashes PRIVATE
  -sMODULARIZE=1 -sEXPORT_NAME=createMediaHashes -sENVIRONMENT=web -sSINGLE_FILE=1
  -sALLOW_MEMORY_GROWTH=1 -sINVOKE_RUN=0 -sEXIT_RUNTIME=0 -sFORCE_FILESYSTEM=1
  "SHELL:-sEXPORTED_RUNTIME_METHODS=callMain,FS")
set_target_properties(media_hashes PROPERTIES SUFFIX ".js"
                      RUNTIME_OUTPUT_DIRECTORY ${VELMORANT_WEB_TEST_OUTPUT})

# The page and the licences beside the module.
file(GLOB page_files CONFIGURE_DEPENDS ${page_dir}/*.html ${page_dir}/*.css ${page_dir}/velmorant-page.js
     ${page_dir}/velmorant-zip.js ${page_dir}/velmorant-audio.js
     ${page_dir}/velmorant-open.js)
add_custom_target(web_page ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VELMORANT_WEB_OUTPUT}/licences
  COMMAND ${CMAKE_COMMAND} -E copy ${page_files} ${VELMORANT_WEB_OUTPUT}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${VELMORANT_WEB_PREFIX}/licences ${VELMORANT_WEB_OUTPUT}/licences
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${VELMORANT_WEB_OUTPUT}/licences/velmorant.txt
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/platform/web/page/copy-font-licences.sh ${VELMORANT_WEB_OUTPUT}/licences ${web_fonts}
  DEPENDS ${page_files}
  COMMENT "Copying the web player's page")

# The browser's half of the film figure of bench/web/run_web_bench.sh, which builds it; not part
# of the player.
add_executable(velmorant-film-bench EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/bench/web/film_bench.cpp)
target_link_libraries(velmorant-film-bench PRIVATE velmorant_platform)
target_link_options(velmorant-film-bench PRIVATE
  -sMODULARIZE=1 -sEXPORT_NAME=createFilmBench -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1
  -sINITIAL_MEMORY=67108864 -sINVOKE_RUN=0 -sEXIT_RUNTIME=0 -sFORCE_FILESYSTEM=1
  "SHELL:-sEXPORTED_RUNTIME_METHODS=callMain,FS")
set_target_properties(velmorant-film-bench PROPERTIES SUFFIX ".js"
                      RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bench)
