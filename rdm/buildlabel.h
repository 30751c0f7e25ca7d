#pragma once

#include <QString>

// The platform this program was built for and its word size, "%1 (%2)", for example
// "Linux (64bit)". Reported as the boot software version label and wherever the build is
// described.
QString bootSoftwareVersionLabel();
