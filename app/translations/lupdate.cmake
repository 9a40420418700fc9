# Brings MAIN_CH.ts and MAIN_EN.ts in TS_DIR up to date with the texts marked
# KX9_UI in LANG_DIR, keeping their translations; the English pack keeps only
# plurals, as its texts are the sources. With CHECK_DIR, works on copies there
# and fails when the files in TS_DIR are not up to date.
# cmake -DLUPDATE=... -DLANG_DIR=... -DTS_DIR=... [-DCHECK_DIR=...] -P lupdate.cmake
set(args -tr-function-alias QT_TRANSLATE_NOOP+=KX9_UI -extensions h -locations none
         -no-obsolete -silent -source-language en_GB ${LANG_DIR})
set(out ${TS_DIR})
if(CHECK_DIR)
  set(out ${CHECK_DIR})
  file(REMOVE_RECURSE ${out})
  file(COPY ${TS_DIR}/MAIN_CH.ts ${TS_DIR}/MAIN_EN.ts DESTINATION ${out})
endif()
execute_process(COMMAND ${LUPDATE} ${args} -target-language zh_CN -ts ${out}/MAIN_CH.ts
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${LUPDATE} ${args} -target-language en_GB -pluralonly
                        -ts ${out}/MAIN_EN.ts COMMAND_ERROR_IS_FATAL ANY)
if(CHECK_DIR)
  foreach(pack MAIN_CH.ts MAIN_EN.ts)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${TS_DIR}/${pack} ${out}/${pack}
                    RESULT_VARIABLE differs)
    if(differs)
      message(FATAL_ERROR "${pack} does not hold the texts marked KX9_UI as they are now: "
                          "run `ninja -C build kx9_lupdate` and translate what it adds")
    endif()
  endforeach()
endif()
