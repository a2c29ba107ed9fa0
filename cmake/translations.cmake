# The program's translations. English texts are the sources; translations/varel_zh_CN.ts holds
# the Chinese of every text, translations/varel_en.ts only the English plural forms of the texts
# with %n. Both are compiled and embedded in varel_app (src/app). The `update_translations`
# target refreshes both files from the sources; the test `translations` fails when a text has no
# finished translation or the files are not up to date with the sources.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
file(GLOB VAREL_TRANSLATED_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/session/*.cpp ${PROJECT_SOURCE_DIR}/src/session/*.h
  ${PROJECT_SOURCE_DIR}/src/ui/*.cpp ${PROJECT_SOURCE_DIR}/src/ui/*.h
  ${PROJECT_SOURCE_DIR}/src/editors/*.cpp ${PROJECT_SOURCE_DIR}/src/editors/*.h
  ${PROJECT_SOURCE_DIR}/src/app/*.cpp ${PROJECT_SOURCE_DIR}/src/app/*.h)
set(VAREL_TS_FILES ${PROJECT_SOURCE_DIR}/translations/varel_zh_CN.ts
  ${PROJECT_SOURCE_DIR}/translations/varel_en.ts)
# The tool and its arguments; the mode (update or check) goes first.
set(VAREL_TRANSLATIONS_TOOL ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/translations.py)
set(VAREL_TRANSLATIONS_ARGS --lupdate $<TARGET_FILE:Qt6::lupdate>
  --include ${PROJECT_SOURCE_DIR}/src
  --ts ${PROJECT_SOURCE_DIR}/translations/varel_zh_CN.ts
  --plurals ${PROJECT_SOURCE_DIR}/translations/varel_en.ts
  ${VAREL_TRANSLATED_SOURCES})
add_custom_target(update_translations
  COMMAND ${VAREL_TRANSLATIONS_TOOL} update ${VAREL_TRANSLATIONS_ARGS}
  COMMENT "Refreshing translations/*.ts from the sources"
  VERBATIM)
