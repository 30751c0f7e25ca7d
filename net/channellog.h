#pragma once

#include "net/channelwatch.h"

#include <QFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <vector>

// Writes every change of a watched channel's value to a CSV file:
//   time_ms,universe,channel,value,source
// after that header line, one line per change in the order the packets arrived. time_ms
// counts milliseconds from the start of the log to the packet's kernel receive stamp; source
// is the name (where the protocol carries one) and address of the sender whose packet
// changed the value. The first value each channel shows after the start counts as a change.
// Every channel the watch holds is logged, so channels added later join the log. The watch is
// read and the file flushed every readPeriodMs; a write error stops the log and says why,
// through failed() and on standard error.
class ChannelLog : public QObject {
    Q_OBJECT
public:
    static constexpr int readPeriodMs = 250;
    // monotonicNs(); tests set a clock of their own.
    using Clock = std::function<qint64()>;

    explicit ChannelLog(ChannelWatch &watch, QObject *parent = nullptr);
    // Writes what is still pending.
    ~ChannelLog() override { stop(); }

    void setClock(Clock clock) { m_clock = std::move(clock); }
    // Replaces `path`'s content with the header and starts reading; false with the reason.
    bool start(const QString &path, QString *error);
    void stop();
    bool isRunning() const { return m_file.isOpen(); }
    QString fileName() const { return m_file.fileName(); }
    // Writes what arrived since the last call; the timer calls it.
    void writePending();

signals:
    void failed(const QString &reason);

private:
    struct Channel {
        WatchedChannel channel;
        ChannelWatch::Cursor cursor;
        int last = -1;
    };
    struct Pending {
        ChannelSample sample;
        size_t channel;
    };
    void fail(const QString &reason);

    ChannelWatch &m_watch;
    Clock m_clock;
    QFile m_file;
    QTimer m_timer;
    qint64 m_startNs = 0;
    std::vector<Channel> m_channels;
    std::vector<ChannelSample> m_samples;
    std::vector<Pending> m_pending;
};
