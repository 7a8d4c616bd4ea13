# sorvane's windows, the browser remote control and the clipboard
# translation, as a library the program and the tests share.
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Network WebSockets)

add_library(sorvane_janela STATIC
  ${CMAKE_CURRENT_LIST_DIR}/canal_json.cpp
  ${CMAKE_CURRENT_LIST_DIR}/navegador.cpp
  ${CMAKE_CURRENT_LIST_DIR}/configuracao_web.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pellaro.cpp
  ${CMAKE_CURRENT_LIST_DIR}/janelas_web.cpp
  ${CMAKE_CURRENT_LIST_DIR}/programa_janela.cpp
  ${CMAKE_CURRENT_LIST_DIR}/janela_principal.cpp)
target_include_directories(sorvane_janela PUBLIC ${CMAKE_CURRENT_LIST_DIR}
                                          PRIVATE ${PROJECT_SOURCE_DIR}/engine/entry)
target_link_libraries(sorvane_janela PUBLIC sorvane_proxy quillane_comum Qt6::Widgets Qt6::Network Qt6::WebSockets ${CMAKE_DL_LIBS})
target_compile_definitions(sorvane_janela PRIVATE QUILLANE_FONTE_AJUDA="${PROJECT_SOURCE_DIR}/docs/ajuda")

if(QUILLANE_BUILD_TESTS)
  find_package(Qt6 REQUIRED COMPONENTS Test)
  add_executable(sorvane_janela_testes
    ${CMAKE_CURRENT_LIST_DIR}/testes/apoio_testes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/testes/janelas_web_test.cpp)
  target_link_libraries(sorvane_janela_testes PRIVATE sorvane_janela Qt6::Test GTest::gtest)
  target_compile_definitions(sorvane_janela_testes PRIVATE QUILLANE_DADOS_DIR="${QUILLANE_DADOS_DIR}"
    QUILLANE_SORVANE_EXE="$<TARGET_FILE:sorvane>")
  add_dependencies(sorvane_janela_testes sorvane moriel32 dados_ip dados_vip)
  gtest_discover_tests(sorvane_janela_testes DISCOVERY_MODE PRE_TEST TEST_PREFIX "sorvane.janela."
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

  # Real browsers and nginx: the normal build only (slow to start, and the
  # browsers are not what the sanitizers are for).
  add_executable(sorvane_navegador_testes
    ${CMAKE_CURRENT_LIST_DIR}/testes/apoio_testes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/testes/controle_navegador_test.cpp)
  target_link_libraries(sorvane_navegador_testes PRIVATE sorvane_janela Qt6::Test GTest::gtest)
  target_compile_definitions(sorvane_navegador_testes PRIVATE QUILLANE_DADOS_DIR="${QUILLANE_DADOS_DIR}"
    QUILLANE_SORVANE_EXE="$<TARGET_FILE:sorvane>")
  add_dependencies(sorvane_navegador_testes sorvane moriel32 dados_ip dados_vip)
  gtest_discover_tests(sorvane_navegador_testes DISCOVERY_MODE PRE_TEST TEST_PREFIX "sorvane.navegador."
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" RUN_SERIAL TRUE TIMEOUT 240)
endif()

target_link_libraries(sorvane PRIVATE sorvane_janela)
