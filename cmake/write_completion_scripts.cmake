# Writes the shell completion scripts that the program prints, so that the
# installed scripts are `config completion SHELL`'s own text.
#   cmake -DPROGRAM=path/to/config -DDIR=out/dir -P write_completion_scripts.cmake
foreach(shell_and_file "bash;config.bash" "zsh;_config" "fish;config.fish")
  list(GET shell_and_file 0 shell)
  list(GET shell_and_file 1 file)
  execute_process(COMMAND ${PROGRAM} completion ${shell} OUTPUT_FILE ${DIR}/${file} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} completion ${shell} failed: ${status}")
  endif()
endforeach()
