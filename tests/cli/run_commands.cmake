# Runs `lgbatch check` and `lgbatch convert` on a fresh program directory and checks their exit
# statuses, their output and the bytes written.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(GLOB tables "${TABLES}/*.xml")
file(COPY ${tables} "${DATA}/files/batch_corporate.zpk" DESTINATION "${WORK}")

# The program as the emulator (Wine) or the system starts it; the display is never needed.
function(run_lgbatch expected_status expected_output)
    execute_process(COMMAND ${EMULATOR} "${PROGRAM}" ${ARGN} WORKING_DIRECTORY "${WORK}"
                    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    string(REPLACE "\r\n" "\n" output "${output}")
    if(NOT status EQUAL expected_status)
        message(FATAL_ERROR "lgbatch ${ARGN}: exit ${status}, expected ${expected_status}\n${output}${errors}")
    endif()
    string(FIND "${output}" "${expected_output}" at)
    if(at LESS 0)
        message(FATAL_ERROR "lgbatch ${ARGN}: no \"${expected_output}\" in\n${output}${errors}")
    endif()
endfunction()

unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
run_lgbatch(1 "batch_corporate.zpk:2: 收款人账号/卡号错误，必须为本行账号/卡号！\nbatch_corporate.zpk: 2笔，合计12,645.60，2处错误，0处提醒\n"
            check --dir . batch_corporate.zpk)
run_lgbatch(2 "{\"errors\":[{\"message\":\"文件不存在！\",\"row\":0}],\"file\":\"gone.zpk\",\"kind\":\"zpk\",\"readable\":false,"
            check --dir . --json gone.zpk)

# A UTF-8 sheet of the golden payroll file's row, with an own-bank account whose check digit holds.
file(WRITE "${WORK}/工资.csv" "姓名,卡号,实发工资,备注\n张三,000000000000000,1000,一月工资\n")
run_lgbatch(0 "已写出 工资out.csv 和 工资out.csv.checksum"
            convert 工资.csv --to payroll -o 工资out.csv --date 2024-01-05 --dir .)
file(READ "${DATA}/payroll/salary.csv" expected HEX)
string(REPLACE "363232323032303230303131323233" "303030303030303030303030303030" expected "${expected}")
file(READ "${WORK}/工资out.csv" written HEX)
if(NOT written STREQUAL expected)
    message(FATAL_ERROR "工资out.csv differs from the golden payroll file")
endif()

# A bad row: nothing written, the file there before stays.
file(WRITE "${WORK}/bad.csv" "姓名,卡号,实发工资\n张三,000000000000001,1000\n")
file(WRITE "${WORK}/kept.csv" "before")
run_lgbatch(1 "bad.csv:2: " convert bad.csv --to payroll -o kept.csv --dir .)
file(READ "${WORK}/kept.csv" kept)
if(NOT kept STREQUAL "before")
    message(FATAL_ERROR "a refused conversion changed kept.csv")
endif()
message(STATUS "check and convert behave")
