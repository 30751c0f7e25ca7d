#include "net/channellist.h"

#include "net/channelwatch.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

// The scope shows these; the command line prints them before any translation is loaded.
bool fail(QString *error, const char *text, const QString &item = QString()) {
    if (error) {
        const QString translated = QCoreApplication::translate("ChannelList", text);
        *error = item.isNull() ? translated : translated.arg(item);
    }
    return false;
}

// One "universe.channel"; the error names the item the operator typed.
bool parseItem(const QString &item, WatchedChannel &out, QString *error) {
    const QStringList parts = item.trimmed().split(QLatin1Char('.'));
    bool universeOk = false, channelOk = false;
    const uint universe = parts.size() == 2 ? parts[0].toUInt(&universeOk) : 0;
    const uint channel = parts.size() == 2 ? parts[1].toUInt(&channelOk) : 0;
    if (!universeOk || !channelOk) {
        return fail(
            error,
            QT_TRANSLATE_NOOP("ChannelList", "\"%1\" is not universe.channel (for example 1.4)"),
            item);
    }
    if (channel < 1 || channel > 512) {
        return fail(error, QT_TRANSLATE_NOOP("ChannelList", "\"%1\": channels are 1 to 512"), item);
    }
    out = {quint32(universe), quint16(channel)};
    return true;
}

} // namespace

QList<WatchedChannel> parseChannelList(const QString &text, QString *error) {
    QList<WatchedChannel> result;
    if (text.trimmed().isEmpty()) {
        fail(error,
             QT_TRANSLATE_NOOP("ChannelList", "no channel given (for example 1.4 or 1.4-1.6)"));
        return {};
    }
    for (const QString &item : text.split(QLatin1Char(','))) {
        const QStringList ends = item.split(QLatin1Char('-'));
        WatchedChannel first, last;
        if (ends.size() > 2) {
            fail(error,
                 QT_TRANSLATE_NOOP("ChannelList", "\"%1\" is not a range (for example 1.4-1.6)"),
                 item);
            return {};
        }
        if (!parseItem(ends.first(), first, error) || !parseItem(ends.last(), last, error))
            return {};
        if (first.universe != last.universe || last.channel < first.channel) {
            fail(error,
                 QT_TRANSLATE_NOOP("ChannelList",
                                   "\"%1\": a range runs upwards within one universe"),
                 item);
            return {};
        }
        // Checked before the loop, so a range of 512 never builds a long list.
        if (result.size() + (last.channel - first.channel + 1) > ChannelWatch::maxChannels) {
            fail(error, QT_TRANSLATE_NOOP("ChannelList", "at most %1 channels can be watched"),
                 QString::number(ChannelWatch::maxChannels));
            return {};
        }
        for (quint16 c = first.channel; c <= last.channel; ++c)
            if (!result.contains(WatchedChannel{first.universe, c}))
                result.append({first.universe, c});
    }
    return result;
}

QString channelLabel(const WatchedChannel &channel) {
    return QStringLiteral("U%1 C%2").arg(channel.universe).arg(channel.channel);
}
