#pragma once

#include "dialogs/scopeplot.h"
#include "net/channellist.h"
#include "net/channellog.h"
#include "net/channelwatch.h"

#include <QTimer>
#include <QWidget>

#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

// The "Channel Scope" window: plots every received packet's level of up to 16 watched channels
// over the last 10, 30 or 60 s, names each channel's last value and owner, stops on a trigger
// with the crossing in the middle, and logs changes to a CSV file. It reads the engine's watch
// at the repaint rate from copies kept here, so no lock is held while it paints; hidden, it
// reads nothing, and its log goes on.
class ChannelScope : public QWidget {
    Q_OBJECT
public:
    static constexpr int repaintMs = 33;

    explicit ChannelScope(ChannelWatch &watch, QWidget *parent = nullptr);

    // Adds channels not watched yet, up to 16 in all; false, and nothing added, beyond that.
    bool addChannels(const QList<WatchedChannel> &channels);
    QList<WatchedChannel> channels() const;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    struct Trace {
        WatchedChannel channel;
        QColor colour;
        ChannelWatch::Cursor cursor;
        std::vector<ChannelSample> samples;
    };

    void addTyped();
    void removeSelected();
    void clearTraces();
    void refresh();
    void collect(qint64 nowNs);
    void checkTrigger(const Trace &trace, size_t from);
    void setPaused(bool paused);
    void rebuildChannelLists();
    void updateLegend();
    void toggleLog();
    void showStatus(const QString &text);
    QColor freeColour() const;
    qint64 spanNs() const;

    ChannelWatch &m_watch;
    std::vector<Trace> m_traces;
    ScopePlot *m_plot;
    QLineEdit *m_channelEdit;
    QComboBox *m_span;
    QPushButton *m_pause;
    QComboBox *m_triggerChannel;
    QSpinBox *m_triggerLevel;
    QComboBox *m_triggerEdge;
    QPushButton *m_trigger;
    QPushButton *m_logButton;
    QListWidget *m_legend;
    QLabel *m_status;
    QTimer m_timer;
    ChannelLog m_log;
    // Where a paused plot ends; live it ends now.
    qint64 m_viewEndNs = 0;
    int m_triggerLast = -1;
    // The crossing seen, waiting until the plot shows as much after it as before.
    std::optional<qint64> m_triggeredNs;
};
