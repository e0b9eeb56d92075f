# Runs the layout writer into a scratch folder and compares its tables with
# the committed ones: a description changed without its tables fails here.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${TOOL} ${OUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "make_gui_layout failed: ${rc}")
endif()
foreach(size 1024x768 1280x1024 1920x1080)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/GUI_${size}.csv ${DATA}/GUI_${size}.csv
                  RESULT_VARIABLE differ)
  if(NOT differ EQUAL 0)
    message(FATAL_ERROR "data/GUI_${size}.csv is not what make_gui_layout writes: run the target gui_layout")
  endif()
endforeach()
