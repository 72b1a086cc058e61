# Sources generated at build time (the factory bank is turned from readable data into code here).
set(KORVAN_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
set(KORVAN_GENERATED_SOURCES "")
file(MAKE_DIRECTORY ${KORVAN_GENERATED_DIR})
