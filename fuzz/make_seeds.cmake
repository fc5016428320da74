# Makes the seed corpora of the fuzz targets (cmake -P, with CLI, EXAMPLES and SEEDS
# set): seeds/lab_<ext>/ holds the example laboratory files of that layout and
# seeds/sample_file/ the sample files remanex-cli converts them into, once as
# converted and once with the first samples fitted. Each also gets a small seed, the
# section cut to its first two samples: libFuzzer mutates small inputs far faster.
# seeds/rows_<calculator>/ hold typical tables typed or pasted into the calculators.
file(REMOVE_RECURSE ${SEEDS})
set(work ${SEEDS}/work)
file(MAKE_DIRECTORY ${work} ${SEEDS}/sample_file)

function(run)
  execute_process(COMMAND ${ARGV} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGV} failed (${rc}): ${out}${err}")
  endif()
endfunction()

# The number of lines of the first two samples and the section header of `app_file`
# (from the line numbers its sample headers end with), in `lines`.
function(first_two_samples app_file)
  file(STRINGS ${app_file} rows)
  set(row 2)
  foreach(sample 1 2)
    math(EXPR index "${row} - 1")
    list(GET rows ${index} header)
    string(REGEX MATCH "([0-9]+)[ \t,]+[0-9]+$" found "${header}")
    set(row ${CMAKE_MATCH_1})
  endforeach()
  math(EXPR count "${row} - 1")
  set(lines ${count} PARENT_SCOPE)
endfunction()

# `text` with blanks in front up to `width` characters, in `out`.
function(padded out text width)
  string(LENGTH "${text}" w)
  while(w LESS width)
    string(PREPEND text " ")
    math(EXPR w "${w} + 1")
  endwhile()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Cuts `input` to its first `lines` lines and writes it to `output`; the section
# header's last line number and sample count (before its line number 1, in every
# layout but nta) become lines + 1 and 2, padded to their old widths.
function(cut_section input lines output)
  file(STRINGS ${input} rows)
  list(SUBLIST rows 0 ${lines} rows)
  list(GET rows 0 header)
  if(header MATCHES "^(.*[^0-9])([0-9]+)([ \t,]+)([0-9]+)([ \t,]+1)$")
    math(EXPR end "${lines} + 1")
    string(LENGTH "${CMAKE_MATCH_2}" width1)
    string(LENGTH "${CMAKE_MATCH_4}" width2)
    padded(n1 "${end}" ${width1})
    padded(n2 "2" ${width2})
    list(REMOVE_AT rows 0)
    list(INSERT rows 0 "${CMAKE_MATCH_1}${n1}${CMAKE_MATCH_3}${n2}${CMAKE_MATCH_5}")
  endif()
  # The lines come without their ends; they get the CR LF of the examples back.
  string(REPLACE ";" "\r\n" text "${rows}")
  file(WRITE ${output} "${text}\r\n")
endfunction()

foreach(ext app tab nta cma txt)
  file(GLOB inputs ${EXAMPLES}/*/*.${ext})
  file(MAKE_DIRECTORY ${SEEDS}/lab_${ext})
  foreach(input ${inputs})
    get_filename_component(name ${input} NAME_WE)
    file(COPY ${input} DESTINATION ${SEEDS}/lab_${ext})
    get_filename_component(folder ${input} DIRECTORY)
    first_two_samples(${folder}/${name}.app)
    cut_section(${input} ${lines} ${SEEDS}/lab_${ext}/${name}-2.${ext})
    # Each layout of a section converts to the same sample file: one conversion each.
    if(ext STREQUAL "app")
      file(COPY ${input} DESTINATION ${work})
      run(${CLI} convert ${work}/${name}.app --overwrite)
      file(COPY ${work}/${name}.mag DESTINATION ${SEEDS}/sample_file)
      # Fitted results in three samples: normal, reversed, origin tied.
      run(${CLI} fit ${work}/${name}.mag 1 --steps 3,4,5,6 --label N)
      run(${CLI} fit ${work}/${name}.mag 2 --steps 4,5,6,ORG --label R)
      run(${CLI} fit ${work}/${name}.mag 3 --steps 2,3,4 --label N)
      file(RENAME ${work}/${name}.mag ${SEEDS}/sample_file/${name}-fitted.mag)
      file(COPY ${SEEDS}/lab_app/${name}-2.app DESTINATION ${work})
      run(${CLI} convert ${work}/${name}-2.app --overwrite)
      run(${CLI} fit ${work}/${name}-2.mag 2 --steps 4,5,6,ORG --label R)
      file(RENAME ${work}/${name}-2.mag ${SEEDS}/sample_file/${name}-2.mag)
    endif()
  endforeach()
endforeach()
file(REMOVE_RECURSE ${work})

file(WRITE ${SEEDS}/rows_kono/table.txt "N 45\r\nR -45 2\r\nNP 44.5\r\nINT 3\r\nN 47\r\nR -52.5 0.5\r\nN 50\r\n")
file(WRITE ${SEEDS}/rows_kono/pasted.txt "Polarity Inclination Intensity\nN,\t61.2, 2.5e-3\nRP -58\nN? 12\n\nR\t-63.9\n")
file(WRITE ${SEEDS}/rows_projections/directions.txt
     "20.5 41.3\r\n19.0 35.4\r\n345.0 37.0\n12.3 37.2\r\n350.7 -40.4\n")
file(WRITE ${SEEDS}/rows_projections/vectors.txt
     "        0.703688        0.263098        0.660002\r\n0.77, 0.27, 0.58\r\n-0.5\t0.1\t-0.86\r\n")
