# The kept fuzzing inputs replayed by the normal test run: each fuzz target's
# entry point built into an ordinary program with fuzz/repetir.cpp as its
# main, run over its folder in tests/dados.
set(QUILLANE_FUZZ_SEMENTES
  fuzz_compilador:fuzz_lex fuzz_dicionario:fuzz_dic fuzz_verbos:fuzz_vip fuzz_html:fuzz_html
  fuzz_rtf:fuzz_rtf fuzz_texto:fuzz_texto fuzz_conjugacao:fuzz_conjugacao fuzz_analise:fuzz_analise)
foreach(par IN LISTS QUILLANE_FUZZ_SEMENTES)
  string(REPLACE ":" ";" par "${par}")
  list(GET par 0 alvo)
  list(GET par 1 pasta)
  set(fonte ${CMAKE_CURRENT_LIST_DIR}/${alvo}.cpp)
  set(sementes ${PROJECT_SOURCE_DIR}/tests/dados/${pasta})
  if(NOT EXISTS ${fonte} OR NOT IS_DIRECTORY ${sementes})
    continue()
  endif()
  add_executable(repetir_${alvo} ${fonte} ${CMAKE_CURRENT_LIST_DIR}/repetir.cpp)
  target_link_libraries(repetir_${alvo} PRIVATE motor dic_fonte)
  target_compile_definitions(repetir_${alvo} PRIVATE
    QUILLANE_TESTE_DADOS="${PROJECT_SOURCE_DIR}/tests/dados" QUILLANE_DADOS_DIR="${QUILLANE_DADOS_DIR}")
  add_dependencies(repetir_${alvo} dados_ip dados_vip)
  add_test(NAME fuzz.repetir.${alvo} COMMAND repetir_${alvo} ${sementes})
  set_tests_properties(fuzz.repetir.${alvo} PROPERTIES
    ENVIRONMENT "QUILLANE_DADOS_DIR=${QUILLANE_DADOS_DIR};QUILLANE_FUZZ_DADOS=${QUILLANE_DADOS_DIR}")
endforeach()
