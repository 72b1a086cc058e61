# Sources generated at build time (the factory bank is turned from readable data into code here).
set(KORVAN_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
set(KORVAN_GENERATED_SOURCES "")
file(MAKE_DIRECTORY ${KORVAN_GENERATED_DIR})

# The factory bank: data/factory_bank.txt is built into configurations by the model itself, so
# the generator compiles the model and the chunk writer on its own (it cannot use the core
# library, which contains its output).
file(GLOB KORVAN_BANKGEN_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/model/*.cpp ${PROJECT_SOURCE_DIR}/src/core/*.cpp)
add_executable(factory_bank_gen ${PROJECT_SOURCE_DIR}/data/factory_bank_gen.cpp
  ${PROJECT_SOURCE_DIR}/src/transfer/chunk_format.cpp ${KORVAN_BANKGEN_SOURCES})
target_include_directories(factory_bank_gen PRIVATE ${PROJECT_SOURCE_DIR}/src)
add_custom_command(
  OUTPUT ${KORVAN_GENERATED_DIR}/factory_bank.cpp
  COMMAND factory_bank_gen ${PROJECT_SOURCE_DIR}/data/factory_bank.txt
          ${KORVAN_GENERATED_DIR}/factory_bank.cpp
  DEPENDS factory_bank_gen ${PROJECT_SOURCE_DIR}/data/factory_bank.txt
  COMMENT "Building the factory bank from data/factory_bank.txt")
list(APPEND KORVAN_GENERATED_SOURCES ${KORVAN_GENERATED_DIR}/factory_bank.cpp)
