#pragma once

#include <QStringList>

// What the command line asks for. Everything but "-p <number>" and "-o" is ignored.
struct CommandLine {
    int preset = -1; // -1: no preset asked for
    bool stayOnTop = false;
};

// Scans the arguments (the program's own path included). With several "-p" the last one
// counts; a "-p" that is the last argument ends the scan and cancels any preset given
// before it; a value that is not a decimal number is ignored and not consumed.
CommandLine parseCommandLine(const QStringList &arguments);
