#include "net/channellog.h"

#include "net/monotonicclock.h"

#include <algorithm>
#include <cstdio>

namespace {

// RFC 4180: a name with a comma, quote or line break is quoted, quotes doubled.
QByteArray csvField(const QString &text) {
    QByteArray bytes = text.toUtf8();
    if (!bytes.contains(',') && !bytes.contains('"') && !bytes.contains('\n') &&
        !bytes.contains('\r'))
        return bytes;
    bytes.replace("\"", "\"\"");
    return '"' + bytes + '"';
}

} // namespace

ChannelLog::ChannelLog(ChannelWatch &watch, QObject *parent)
    : QObject(parent), m_watch(watch), m_clock(monotonicNs) {
    m_timer.setInterval(readPeriodMs);
    connect(&m_timer, &QTimer::timeout, this, &ChannelLog::writePending);
}

bool ChannelLog::start(const QString &path, QString *error) {
    stop();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text) ||
        m_file.write("time_ms,universe,channel,value,source\n") < 0 || !m_file.flush()) {
        *error = m_file.errorString();
        m_file.close();
        return false;
    }
    m_startNs = m_clock();
    m_channels.clear();
    m_timer.start();
    return true;
}

void ChannelLog::stop() {
    if (!m_file.isOpen())
        return;
    writePending();
    m_timer.stop();
    m_file.close();
}

void ChannelLog::writePending() {
    if (!m_file.isOpen())
        return;
    const QList<WatchedChannel> watched = m_watch.channels();
    std::erase_if(m_channels, [&](const Channel &c) { return !watched.contains(c.channel); });
    for (const WatchedChannel &channel : watched)
        if (std::none_of(m_channels.begin(), m_channels.end(),
                         [&](const Channel &c) { return c.channel == channel; }))
            m_channels.push_back({channel, {}, -1});

    m_pending.clear();
    for (size_t index = 0; index < m_channels.size(); ++index) {
        m_samples.clear();
        m_watch.copySamples(m_channels[index].channel, m_channels[index].cursor, m_samples);
        for (const ChannelSample &sample : m_samples)
            if (sample.ns >= m_startNs)
                m_pending.push_back({sample, index});
    }
    // The channels' rings are read one after the other; the file tells one story in time.
    std::stable_sort(m_pending.begin(), m_pending.end(),
                     [](const Pending &a, const Pending &b) { return a.sample.ns < b.sample.ns; });

    QByteArray lines;
    for (const Pending &pending : m_pending) {
        Channel &channel = m_channels[pending.channel];
        if (channel.last == pending.sample.value)
            continue;
        channel.last = pending.sample.value;
        lines += QByteArray::number((pending.sample.ns - m_startNs) / 1000000) + ',' +
                 QByteArray::number(channel.channel.universe) + ',' +
                 QByteArray::number(channel.channel.channel) + ',' +
                 QByteArray::number(pending.sample.value) + ',' +
                 csvField(pending.sample.sourceText()) + '\n';
    }
    if ((!lines.isEmpty() && m_file.write(lines) != lines.size()) || !m_file.flush())
        fail(m_file.errorString());
}

void ChannelLog::fail(const QString &reason) {
    const QString text = QStringLiteral("%1: %2").arg(m_file.fileName(), reason);
    m_timer.stop();
    m_file.close();
    std::fprintf(stderr, "tessaview: channel log stopped: %s\n", text.toLocal8Bit().constData());
    emit failed(text);
}
