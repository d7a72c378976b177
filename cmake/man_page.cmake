# Writes the manual page OUTPUT of the program PROGRAM with help2man, from
# its --help and the hand-written sections in INCLUDE. A program with
# commands (a "Commands:" list in its help) gets each command's own --help
# as a subsection of COMMAND OPTIONS.
#   cmake -DHELP2MAN=... -DPROGRAM=... -DVERSION=... -DINCLUDE=... -DOUTPUT=... -P man_page.cmake

# Verbatim help text as roff: no line may start a request, and backslashes
# and hyphens must print as typed.
function(as_roff text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# A help text that names the settings file a start would use names the
# user's generic one: an empty working folder and a home of "~".
set(neutral_folder ${OUTPUT}.cwd)
file(MAKE_DIRECTORY ${neutral_folder})
set(ENV{HOME} "~")
unset(ENV{XDG_CONFIG_HOME})

execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help COMMAND_ERROR_IS_FATAL ANY)
file(READ ${INCLUDE} sections)
string(REGEX MATCH "\nCommands:\n(  [^\n]+\n)+" command_list "${help}")
string(REGEX MATCHALL "\n  [a-z0-9-]+" commands "${command_list}")
if(commands)
  string(APPEND sections "\n[COMMAND OPTIONS]\n")
  foreach(command ${commands})
    string(STRIP "${command}" command)
    execute_process(COMMAND ${PROGRAM} ${command} --help OUTPUT_VARIABLE command_help COMMAND_ERROR_IS_FATAL ANY)
    # The exit status is the same for every command; the page says it once.
    string(REGEX REPLACE "\nExit status:.*$" "" command_help "${command_help}")
    as_roff("${command_help}" command_help)
    string(APPEND sections ".SS ${command}\n.nf\n${command_help}.fi\n")
  endforeach()
endif()

set(combined ${OUTPUT}.h2m)
file(WRITE ${combined} "${sections}")
execute_process(COMMAND ${HELP2MAN} --no-info --version-string=${VERSION}
                        --source=Orvane --include=${combined} --output=${OUTPUT} ${PROGRAM}
                WORKING_DIRECTORY ${neutral_folder}
                COMMAND_ERROR_IS_FATAL ANY)
