# Builds the Debian package from the build and checks it as Debian would:
# cmake -DBUILD=... -DWORK=... -P check_package.cmake
# Lintian finds no errors or warnings, the dependencies come from the programs' libraries,
# and the programs, unpacked, start (--version) and are what the desktop entry starts.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND cpack --config ${BUILD}/CPackConfig.cmake -G DEB -B ${WORK}
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB deb ${WORK}/tessaly_*.deb)
if(NOT code EQUAL 0 OR NOT deb)
  message(FATAL_ERROR "cpack failed: ${out}")
endif()

execute_process(COMMAND dpkg-deb --field ${deb} Depends OUTPUT_VARIABLE depends)
foreach(library libc6 libstdc\\+\\+6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6
        libqt6svg6)
  if(NOT depends MATCHES "(^|, )${library}( |,|$)")
    message(FATAL_ERROR "Depends lacks ${library}: ${depends}")
  endif()
endforeach()

find_program(LINTIAN lintian REQUIRED)
execute_process(COMMAND ${LINTIAN} --tag-display-limit 0 ${deb}
                OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(out MATCHES "(^|\n)[EW]: ")
  message(FATAL_ERROR "lintian:\n${out}")
endif()

execute_process(COMMAND dpkg-deb -x ${deb} ${WORK}/root RESULT_VARIABLE code)
set(app io.github.tessaly.Tessaly)
foreach(file
    usr/bin/tessaly usr/bin/tessaly-export
    usr/share/tessaly/default.kst usr/share/tessaly/readme.txt
    usr/share/applications/${app}.desktop usr/share/mime/packages/${app}.xml
    usr/share/icons/hicolor/scalable/apps/${app}.svg
    usr/share/icons/hicolor/256x256/apps/${app}.png
    usr/share/metainfo/${app}.metainfo.xml
    usr/share/doc/tessaly/copyright usr/share/doc/tessaly/changelog.gz
    usr/share/man/man1/tessaly.1.gz usr/share/man/man1/tessaly-export.1.gz)
  if(NOT EXISTS ${WORK}/root/${file})
    message(FATAL_ERROR "not in the package: ${file}")
  endif()
endforeach()
# the desktop entry starts the packaged program
file(STRINGS ${WORK}/root/usr/share/applications/${app}.desktop exec REGEX "^Exec=")
string(REGEX REPLACE "^Exec=([^ ]+).*" "\\1" command "${exec}")
if(NOT EXISTS ${WORK}/root/usr/bin/${command})
  message(FATAL_ERROR "the desktop entry starts ${command}, which the package lacks")
endif()
execute_process(COMMAND dpkg-deb --field ${deb} Version OUTPUT_VARIABLE version
                OUTPUT_STRIP_TRAILING_WHITESPACE)
foreach(program tessaly tessaly-export)
  execute_process(COMMAND ${WORK}/root/usr/bin/${program} --version
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT code EQUAL 0 OR NOT out STREQUAL "${program} ${version}\n")
    message(FATAL_ERROR "${program} --version: ${out}")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
