# Proves that the browser test catches a fault: copies one shipped set, breaks one of its
# fragments (FILE: FROM replaced by TO), runs the browser test on the copy (with the
# formatting values of VARIANTS only) and passes only when that test fails with EXPECT in
# its output.
set(root ${WORK}/Templates)
file(REMOVE_RECURSE ${WORK})
file(COPY ${TEMPLATES}/${SET} DESTINATION ${root})
file(READ ${root}/${SET}/${FILE} text)
string(FIND "${text}" "${FROM}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${SET}/${FILE} does not hold '${FROM}'; the fault cannot be planted")
endif()
string(REPLACE "${FROM}" "${TO}" text "${text}")
file(WRITE ${root}/${SET}/${FILE} "${text}")
execute_process(COMMAND ${NODE} ${SCRIPT} --set ${SET} --cli ${CLI} --templates ${root} --example ${EXAMPLE}
                        --work ${WORK}/site --artifacts ${WORK}/artifacts --modules ${MODULES}
                        --variants ${VARIANTS}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(rc EQUAL 0)
  message(FATAL_ERROR "the browser test passed a set with a planted fault (${FILE}: '${TO}')")
endif()
string(FIND "${out}${err}" "${EXPECT}" found)
if(found EQUAL -1)
  message(FATAL_ERROR "the browser test failed, but not with '${EXPECT}':\n${out}${err}")
endif()
message(STATUS "planted fault caught: ${EXPECT}")
