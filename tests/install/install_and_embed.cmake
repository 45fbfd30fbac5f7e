# cmake -P: installs BUILD_DIR into SCRATCH/prefix, builds EMBEDDER against
# it and runs both the embedder and the installed lumira from SCRATCH.
function(run what)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${SCRATCH}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed (${status}):\n${out}\n${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
set(prefix ${SCRATCH}/prefix)
run("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
run("configure the embedder" ${CMAKE_COMMAND} -S ${EMBEDDER} -B ${SCRATCH}/embedder -G ${GENERATOR}
    -DCMAKE_PREFIX_PATH=${prefix})
run("build the embedder" ${CMAKE_COMMAND} --build ${SCRATCH}/embedder)
run("the embedder" ${SCRATCH}/embedder/embedder)
if(NOT output MATCHES "^docked; date \\[ 2000/01/01 ")
  message(FATAL_ERROR "the embedder said: ${output}")
endif()
# The installed program finds its libraries by its run path alone and
# answers with the default state's Julian date.
run("the installed lumira" ${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH
    ${prefix}/bin/lumira --command "? Time.jd")
if(NOT output MATCHES "^2451545\n$")
  message(FATAL_ERROR "lumira --command said: ${output}")
endif()
