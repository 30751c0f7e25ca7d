#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

// A program version as four numbers, compared part by part from the first.
using SoftwareVersion = std::array<int, 4>;

// Scans the update server's reply, a text of lines separated by line feeds that ends at the
// first zero byte. A line holding "version:" (any letter case) carries up to four decimal
// numbers separated by "."; parts that are not numbers are skipped. Returns the first such
// version that is newer than `current`, or nothing.
std::optional<SoftwareVersion> newerVersionInReply(const QByteArray &reply,
                                                   const SoftwareVersion &current);

// "%1.%2.%3.%4".
QString versionText(const SoftwareVersion &version);
