#pragma once

#include <QRect>

// Geometry of the whole virtual desktop (all screens), or an empty rectangle when there is
// no screen at all.
QRect desktopGeometry();

struct SettingsRecord;

// Makes a record from the store show on this desktop: a screen number without a screen becomes
// the desktop, and a user-sized window wholly off the desktop moves to its top-left corner.
void fitToDesktop(SettingsRecord &record);
