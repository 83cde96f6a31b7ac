# Reads the newest entry of debian/changelog: AMORQUANT_RELEASE (its version),
# AMORQUANT_RELEASE_DATE (its date, YYYY-MM-DD, for the metainfo and the
# manual pages) and AMORQUANT_RELEASE_TIME (date, time and zone, the time
# the Windows zip gives its files, as the Debian package's build does).
# Runs before project(), so it uses nothing project() sets.
set(changelog_file ${CMAKE_CURRENT_LIST_DIR}/../debian/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog_file})
file(STRINGS ${changelog_file} changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^amorquant \\(([0-9]+\\.[0-9]+\\.[0-9]+)\\) ")
  message(FATAL_ERROR "debian/changelog: the first line names no release: ${changelog_head}")
endif()
set(AMORQUANT_RELEASE ${CMAKE_MATCH_1})

file(STRINGS ${changelog_file} changelog_trailer REGEX "^ -- " LIMIT_COUNT 1)
set(changelog_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
if(NOT changelog_trailer MATCHES ", ([0-9]?[0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ([0-9:]+ [-+][0-9]+)")
  message(FATAL_ERROR "debian/changelog: the newest entry has no date: ${changelog_trailer}")
endif()
set(changelog_day ${CMAKE_MATCH_1})
set(changelog_year ${CMAKE_MATCH_3})
set(changelog_time ${CMAKE_MATCH_4})
list(FIND changelog_months ${CMAKE_MATCH_2} changelog_month)
math(EXPR changelog_month "${changelog_month} + 1")
string(REGEX REPLACE "^([0-9])$" "0\\1" changelog_month ${changelog_month})
string(REGEX REPLACE "^([0-9])$" "0\\1" changelog_day ${changelog_day})
set(AMORQUANT_RELEASE_DATE ${changelog_year}-${changelog_month}-${changelog_day})
set(AMORQUANT_RELEASE_TIME "${AMORQUANT_RELEASE_DATE} ${changelog_time}")
