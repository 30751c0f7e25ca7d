#include "dialogs/updatereply.h"

#include <QStringList>
#include <algorithm>

namespace {

const QString marker = QStringLiteral("version:");

std::optional<SoftwareVersion> versionInLine(const QString &line) {
    const qsizetype at = line.indexOf(marker, 0, Qt::CaseInsensitive);
    if (at < 0)
        return std::nullopt;
    SoftwareVersion version{0, 0, 0, 0};
    std::size_t stored = 0;
    const QStringList parts = line.mid(at + marker.size()).split(QLatin1Char('.'));
    for (const QString &part : parts) {
        if (stored == version.size())
            break;
        bool ok = false;
        const int value = part.toInt(&ok, 10);
        if (ok)
            version[stored++] = value;
    }
    if (std::none_of(version.begin(), version.end(), [](int v) { return v > 0; }))
        return std::nullopt;
    return version;
}

} // namespace

std::optional<SoftwareVersion> newerVersionInReply(const QByteArray &reply,
                                                   const SoftwareVersion &current) {
    const qsizetype end = reply.indexOf('\0');
    const QString text = QString::fromLatin1(end < 0 ? reply : reply.left(end));
    for (const QString &line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const std::optional<SoftwareVersion> version = versionInLine(line);
        // Lexicographic comparison: the first part that differs decides.
        if (version && *version > current)
            return version;
    }
    return std::nullopt;
}

QString versionText(const SoftwareVersion &version) {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(version[0])
        .arg(version[1])
        .arg(version[2])
        .arg(version[3]);
}
