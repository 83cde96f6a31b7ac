#pragma once

#include <wx/string.h>

// The program's version, kept as narrow strings as the release tooling writes them.
inline constexpr char VERSION_FULL[] = "1.8.85.460";
inline constexpr char VERSION_STATUS[] = "Release";
inline constexpr char BUILD_YEAR[] = "2010";
inline constexpr char BUILD_MONTH[] = "01";
inline constexpr char BUILD_DAY[] = "20";

// The release the packages carry: the full version without its build number.
wxString ReleaseVersion();

// "Version <full> <status> (Build: <year>/<month>/<day>)"; never translated.
wxString VersionLine();

// The GUI library's version text; format 1 adds the platform and the
// character build, any other format gives the version text alone.
wxString GetBuildInfo(int format);
