# Writes kivo.1 and kivo-cli.1 into OUT from their templates in SOURCE; the
# commands of kivo-cli.1 are read from `CLI --help`, as roff.
# Run with -DCLI=... -DVERSION=... -DSOURCE=... -DOUT=... -P man_pages.cmake

execute_process(COMMAND ${CLI} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT help MATCHES "\ncommands:\n")
  message(FATAL_ERROR "kivo-cli --help did not list the commands (exit status ${status})")
endif()

# The commands only: what comes before them is the synopsis, the options
# after them have a section of their own.
string(REGEX REPLACE "^.*\ncommands:\n" "" help "${help}")
string(REGEX REPLACE "\n  --[^\n]*\n.*$" "\n" help "${help}")

# roff: backslashes and hyphens are escaped, a line never starts with a dot.
string(REPLACE "\\" "\\e" help "${help}")
string(REPLACE "-" "\\-" help "${help}")
string(REGEX REPLACE "(^|\n)( *)([.'])" "\\1\\2\\\\&\\3" help "${help}")
# "  usage" opens an entry, "      summary" is its text.
string(REGEX REPLACE "(^|\n)  ([^ \n][^\n]*)" "\\1.TP\n.B \\2" help "${help}")
string(REGEX REPLACE "\n      " "\n" help "${help}")
string(STRIP "${help}" KIVO_CLI_COMMANDS)

set(KIVO_VERSION ${VERSION})
file(MAKE_DIRECTORY ${OUT})
configure_file(${SOURCE}/kivo-cli.1.in ${OUT}/kivo-cli.1 @ONLY)
configure_file(${SOURCE}/kivo.1.in ${OUT}/kivo.1 @ONLY)
