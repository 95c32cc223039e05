# Our own code builds warning-free; every target of the project calls this.
function(pelmora_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
