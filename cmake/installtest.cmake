# Installs the build tree into a temporary DESTDIR, runs the installed
# zemlemer-cli on the installed sample world and validates the desktop entry
# and the AppStream metadata. -DBUILD=<build tree> -DOUT=<scratch folder>
file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E env "DESTDIR=${OUT}"
                        "${CMAKE_COMMAND}" --install "${BUILD}" --prefix /usr
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
set(root "${OUT}/usr")
foreach(f bin/zemlemer-cli share/zemlemer/Bases share/zemlemer/Help share/zemlemer/morph/words.dawg
          share/zemlemer/Zones/ZON/30.zon share/applications/ru.zemlemer.Zemlemer.desktop
          share/icons/hicolor/scalable/apps/ru.zemlemer.Zemlemer.svg
          share/metainfo/ru.zemlemer.Zemlemer.metainfo.xml share/man/man1/zemlemer.1
          share/man/man1/zemlemer-cli.1 share/bash-completion/completions/zemlemer-cli)
  if(NOT EXISTS "${root}/${f}")
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()

# The installed tool finds its dictionaries under ../share/zemlemer; the
# sample world's two deliberate errors make check exit 1.
execute_process(COMMAND "${root}/bin/zemlemer-cli" check "${root}/share/zemlemer/Zones"
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT out MATCHES "zone 30: rooms 12" OR NOT rc EQUAL 1 OR err MATCHES "warning")
  message(FATAL_ERROR "installed zemlemer-cli check: ${rc}\n${out}\n${err}")
endif()
execute_process(COMMAND "${root}/bin/zemlemer-cli" decline "меч" OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT out MATCHES "мечом")
  message(FATAL_ERROR "installed zemlemer-cli decline: ${rc}\n${out}")
endif()

execute_process(COMMAND desktop-file-validate "${root}/share/applications/ru.zemlemer.Zemlemer.desktop"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "desktop-file-validate: ${rc}\n${out}")
endif()
execute_process(COMMAND appstreamcli validate --no-net
                        "${root}/share/metainfo/ru.zemlemer.Zemlemer.metainfo.xml"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "appstreamcli validate: ${rc}\n${out}")
endif()
file(REMOVE_RECURSE "${OUT}")
