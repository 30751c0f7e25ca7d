#pragma once

#include <QString>

// The user's pictures folder with "/" separators and a trailing "/"; the home directory when the
// desktop names no pictures folder. Destination of screen captures and part of the "Save as
// Bitmap..." status tip.
QString pictureFolder();
