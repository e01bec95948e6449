# Installs the build into a scratch prefix and checks what a desktop needs is there:
# cmake -DBUILD=... -DPREFIX=... -P check_install.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE code OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "install failed: ${err}")
endif()
set(app io.github.tessaly.Tessaly)
foreach(file
    bin/tessaly
    bin/tessaly-export
    share/tessaly/default.kst
    share/tessaly/readme.txt
    share/applications/${app}.desktop
    share/mime/packages/${app}.xml
    share/icons/hicolor/scalable/apps/${app}.svg
    share/icons/hicolor/256x256/apps/${app}.png
    share/metainfo/${app}.metainfo.xml)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND ${VALIDATE} ${PREFIX}/share/applications/${app}.desktop
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT code EQUAL 0 OR out MATCHES "error")
    message(FATAL_ERROR "desktop-file-validate: ${out}")
  endif()
endif()
# software centres list only what the AppStream validator accepts
find_program(APPSTREAMCLI appstreamcli REQUIRED)
execute_process(COMMAND ${APPSTREAMCLI} validate --no-net ${PREFIX}/share/metainfo/${app}.metainfo.xml
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "appstreamcli validate: ${out}")
endif()
find_program(UPDATE_MIME update-mime-database)
if(UPDATE_MIME)
  execute_process(COMMAND ${UPDATE_MIME} ${PREFIX}/share/mime
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT code EQUAL 0 OR NOT EXISTS ${PREFIX}/share/mime/application/x-tessaly-pattern.xml
     OR NOT EXISTS ${PREFIX}/share/mime/application/x-twisted-threads-pattern.xml
     OR NOT EXISTS ${PREFIX}/share/mime/application/x-gtt-pattern.xml
     OR NOT EXISTS ${PREFIX}/share/mime/application/x-tablet-weaving-draft.xml)
    message(FATAL_ERROR "update-mime-database: ${out}")
  endif()
endif()
file(REMOVE_RECURSE ${PREFIX})
