# Real drag and drop onto Nomichron.exe under Wine: an X11 drag source driven
# by xdotool, and message_probe to read and close the message boxes.
# Included from tests/windows/CMakeLists.txt; needs DISPLAY, WINEPREFIX and a
# running wineserver in the environment, as tools/test sets them up.

add_windows_test_program(message_probe message_probe.cpp)
target_link_options(message_probe PRIVATE -municode)

find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(NOMICHRON_REAL_DRAG_CASES
    Compact.test_three_files_get_second_plus_position
    Compact.test_taken_name_shows_timing_message
    Dashed.test_three_files_get_second_plus_position
    Counters.test_short_date_counter
    Counters.test_long_date_counter
    Counters.test_second_drop_same_day_shows_same_name_message
    Refused.test_text_on_picture
    Refused.test_files_on_bare_window
    Refused.test_files_on_image1
)
foreach(case IN LISTS NOMICHRON_REAL_DRAG_CASES)
    add_test(NAME RealDrag.${case}
             COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/real_drag_test.py ${case})
    set_tests_properties(RealDrag.${case} PROPERTIES
        TIMEOUT 120
        RUN_SERIAL TRUE
        ENVIRONMENT "NOMICHRON_EXE=$<TARGET_FILE:Nomichron>;NOMICHRON_PROBE=$<TARGET_FILE:message_probe>")
endforeach()
