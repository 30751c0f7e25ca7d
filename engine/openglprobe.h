#pragma once

// Whether an OpenGL context can really be created and made current. False on the offscreen
// and minimal platforms, where a shown window with a QOpenGLWidget child crashes Qt 6.4 even
// while that child is hidden.
bool openGlAvailable();
