# Firebird database files made from SQL scripts through the embedded engine,
# with isql-fb from Debian's firebird3.0-utils (no server is involved).
#
#   include(FirebirdDatabase)
#   vandrel_firebird_database(<target> OUTPUT <file.fdb> SCRIPT <file.sql>)
#
# adds a target that builds <file.fdb> whenever the script changes. The same
# file runs as a script, `cmake -DISQL=... -DSCRIPT=... -DOUTPUT=... -P
# FirebirdDatabase.cmake`, which makes the file: the database is created
# under a temporary name, the script is run with bail-on-error, and only a
# complete database replaces the output.

if(CMAKE_SCRIPT_MODE_FILE)
  foreach(arg ISQL SCRIPT OUTPUT)
    if(NOT ${arg})
      message(FATAL_ERROR "FirebirdDatabase.cmake: ${arg} is not given")
    endif()
  endforeach()
  set(partial "${OUTPUT}.partial")
  set(driver "${OUTPUT}.driver.sql")
  file(REMOVE "${partial}")
  # Single quotes in the names are doubled for the SQL literals.
  string(REPLACE "'" "''" partial_sql "${partial}")
  string(REPLACE "'" "''" script_sql "${SCRIPT}")
  file(WRITE "${driver}"
    "SET BAIL ON;\n"
    "CREATE DATABASE '${partial_sql}' USER 'SYSDBA' DEFAULT CHARACTER SET UTF8;\n"
    "INPUT '${script_sql}';\n"
    "COMMIT;\n")
  execute_process(COMMAND "${ISQL}" -q -b -i "${driver}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  file(REMOVE "${driver}")
  if(NOT result EQUAL 0)
    file(REMOVE "${partial}")
    message(FATAL_ERROR "isql-fb failed on ${SCRIPT} (${result}):\n${out}${err}")
  endif()
  file(RENAME "${partial}" "${OUTPUT}")
  return()
endif()

find_program(VANDREL_ISQL_FB NAMES isql-fb REQUIRED)
set(VANDREL_FIREBIRD_DATABASE_SCRIPT "${CMAKE_CURRENT_LIST_FILE}")

function(vandrel_firebird_database target)
  cmake_parse_arguments(ARG "" "OUTPUT;SCRIPT" "" ${ARGN})
  add_custom_command(
    OUTPUT "${ARG_OUTPUT}"
    COMMAND "${CMAKE_COMMAND}" -DISQL=${VANDREL_ISQL_FB} -DSCRIPT=${ARG_SCRIPT} -DOUTPUT=${ARG_OUTPUT}
            -P "${VANDREL_FIREBIRD_DATABASE_SCRIPT}"
    DEPENDS "${ARG_SCRIPT}" "${VANDREL_FIREBIRD_DATABASE_SCRIPT}"
    COMMENT "Making ${ARG_OUTPUT} from ${ARG_SCRIPT}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS "${ARG_OUTPUT}")
endfunction()
