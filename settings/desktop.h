#pragma once

#include <QRect>

// Geometry of the whole virtual desktop (all screens), or an empty rectangle when there is
// no screen at all.
QRect desktopGeometry();
