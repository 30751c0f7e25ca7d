#pragma once

#include <QString>

// Facts about the build of the running program, as the about box reports them.
namespace BuildFacts {

// The platform the program was built for ("Linux").
QString platform();
// The word size ("64bit").
QString wordSize();
// The day this part of the program was compiled, "May  8 2022" style.
QString buildDate();

// The toolkit the program runs on: its version (qVersion()), and the name and page of the
// licence that version is used under.
QString toolkitVersion();
QString toolkitLicenceName();
QString toolkitLicenceUrl();

} // namespace BuildFacts
