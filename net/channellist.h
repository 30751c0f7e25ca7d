#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// One DMX channel as the picture numbers it: the universe is the frame-store slot plus the
// first universe of the settings, the channel 1 ... 512.
struct WatchedChannel {
    quint32 universe = 0;
    quint16 channel = 0;
    friend bool operator==(const WatchedChannel &, const WatchedChannel &) = default;
};

// Reads "universe.channel" items and ranges within one universe, separated by commas:
// "1.4", "1.4-1.6", "1.1-1.3,2.10". At most maxChannels in all, each named once; on bad
// input returns an empty list and says why in `error`.
QList<WatchedChannel> parseChannelList(const QString &text, QString *error);
// "U1 C4", as the scope's legend names a channel.
QString channelLabel(const WatchedChannel &channel);
