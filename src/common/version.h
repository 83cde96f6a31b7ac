#pragma once

#include <wx/string.h>

// The program's version, kept as narrow strings as the release tooling writes
// them; their values are set in the root CMakeLists.txt.
extern const char VERSION_FULL[];
extern const char VERSION_STATUS[];
extern const char BUILD_YEAR[];
extern const char BUILD_MONTH[];
extern const char BUILD_DAY[];

// The release the packages carry: the full version without its build number.
wxString ReleaseVersion();

// "Version <full> <status> (Build: <year>/<month>/<day>)"; never translated.
wxString VersionLine();

// The GUI library's version text; format 1 adds the platform and the
// character build, any other format gives the version text alone.
wxString GetBuildInfo(int format);
