#pragma once

class QWidget;

// Blocks the start for `seconds` seconds. From four seconds on a window-modal progress dialog
// shows "splash.png" (or a text when it is missing) with a "Start Now" button; the pictures
// "splash0.png", "splash1.png", ... replace it step by step when they exist.
void startupCountdown(QWidget *parent, int seconds);
