#pragma once

#include "net/channellist.h"

#include <QList>
#include <QString>
#include <QStringList>

// What the command line asks for. Everything but "-p <number>", "-o", "--log-channels LIST",
// "--log-file FILE", "--record <file>", "--replay <file>" and "--loop" is ignored.
struct CommandLine {
    int preset = -1; // -1: no preset asked for
    bool stayOnTop = false;
    // The channels --log-channels names, logged to logFile; empty when no log is asked for.
    QList<WatchedChannel> logChannels;
    QString logFile;
    // Why the log options cannot be followed; main() prints it and exits with status 2.
    QString error;
    QString recordFile;
    QString replayFile;
    bool loop = false;
};

// Scans the arguments (the program's own path included). With several "-p" the last one
// counts; a "-p" that is the last argument ends the scan and cancels any preset given
// before it; a value that is not a decimal number is ignored and not consumed.
CommandLine parseCommandLine(const QStringList &arguments);

// A request answered by printing a text, before any application object, window, setting or
// socket exists.
enum class InfoRequest { None, Help, Version };

// Looks for "--help" and "--version" after the program's path; the first one found wins.
// They are whole arguments only, so every other argument keeps its meaning.
InfoRequest findInfoRequest(const QStringList &arguments);

// The file the per-user settings store uses, worked out without opening the store.
QString settingsFilePath();
QString helpText(const QString &settingsFile);
QString versionText();
