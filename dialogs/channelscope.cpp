#include "dialogs/channelscope.h"

#include "net/monotonicclock.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

constexpr qint64 nsPerSecond = 1'000'000'000;
// Kept a little longer than the widest view, so its left edge always has a line to enter by.
constexpr qint64 keptNs = 61 * nsPerSecond;

// Sixteen colours far enough apart on a dark background.
constexpr std::array<QRgb, ChannelWatch::maxChannels> traceColours{
    0xff5a5a, 0x5ad25a, 0x5a9bff, 0xffd23c, 0xd25aff, 0x3cdcdc, 0xff9b3c, 0xb4b4b4,
    0xff8cc8, 0xa0ff78, 0x8cb4ff, 0xfff08c, 0xb48c5a, 0x78ffc8, 0xc8a0ff, 0xffffff};

QIcon swatch(const QColor &colour) {
    QPixmap pixmap(12, 12);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

} // namespace

ChannelScope::ChannelScope(ChannelWatch &watch, QWidget *parent)
    : QWidget(parent, Qt::Window), m_watch(watch), m_plot(new ScopePlot(this)),
      m_channelEdit(new QLineEdit(this)), m_span(new QComboBox(this)),
      m_pause(new QPushButton(tr("Pause"), this)), m_triggerChannel(new QComboBox(this)),
      m_triggerLevel(new QSpinBox(this)), m_triggerEdge(new QComboBox(this)),
      m_trigger(new QPushButton(tr("Arm Trigger"), this)),
      m_logButton(new QPushButton(tr("Log to File..."), this)), m_legend(new QListWidget(this)),
      m_status(new QLabel(this)), m_log(watch) {
    setWindowTitle(tr("Channel Scope"));
    resize(960, 540);

    m_channelEdit->setPlaceholderText(tr("universe.channel, e.g. 1.4 or 1.4-1.6"));
    auto *add = new QPushButton(tr("Add"), this);
    for (int seconds : {10, 30, 60})
        m_span->addItem(tr("%1 s").arg(seconds), seconds);
    m_pause->setCheckable(true);
    auto *clear = new QPushButton(tr("Clear"), this);
    m_triggerLevel->setRange(0, 255);
    m_triggerLevel->setValue(128);
    m_triggerEdge->addItem(tr("rising"));
    m_triggerEdge->addItem(tr("falling"));
    m_trigger->setCheckable(true);
    auto *remove = new QPushButton(tr("Remove"), this);
    auto *removeAction = new QAction(tr("Remove"), m_legend);
    m_legend->addAction(removeAction);
    m_legend->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_legend->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_legend->setMinimumWidth(260);

    auto *controls = new QHBoxLayout;
    controls->addWidget(m_channelEdit, 1);
    controls->addWidget(add);
    controls->addSpacing(12);
    controls->addWidget(new QLabel(tr("Window:"), this));
    controls->addWidget(m_span);
    controls->addWidget(m_pause);
    controls->addWidget(clear);
    controls->addWidget(m_logButton);
    auto *trigger = new QHBoxLayout;
    trigger->addWidget(new QLabel(tr("Trigger:"), this));
    trigger->addWidget(m_triggerChannel);
    trigger->addWidget(new QLabel(tr("level"), this));
    trigger->addWidget(m_triggerLevel);
    trigger->addWidget(m_triggerEdge);
    trigger->addWidget(m_trigger);
    trigger->addStretch(1);
    auto *legend = new QVBoxLayout;
    legend->addWidget(m_legend, 1);
    legend->addWidget(remove);
    auto *middle = new QHBoxLayout;
    middle->addWidget(m_plot, 1);
    middle->addLayout(legend);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addLayout(trigger);
    layout->addLayout(middle, 1);
    layout->addWidget(m_status);

    connect(add, &QPushButton::clicked, this, &ChannelScope::addTyped);
    connect(m_channelEdit, &QLineEdit::returnPressed, this, &ChannelScope::addTyped);
    connect(m_pause, &QPushButton::toggled, this, &ChannelScope::setPaused);
    connect(clear, &QPushButton::clicked, this, &ChannelScope::clearTraces);
    connect(remove, &QPushButton::clicked, this, &ChannelScope::removeSelected);
    connect(removeAction, &QAction::triggered, this, &ChannelScope::removeSelected);
    connect(m_logButton, &QPushButton::clicked, this, &ChannelScope::toggleLog);
    connect(m_span, &QComboBox::currentIndexChanged, this, &ChannelScope::refresh);
    connect(m_trigger, &QPushButton::toggled, this, [this](bool armed) {
        m_triggeredNs.reset();
        const int index = m_triggerChannel->currentIndex();
        m_triggerLast = index >= 0 && !m_traces[size_t(index)].samples.empty()
                            ? m_traces[size_t(index)].samples.back().value
                            : -1;
        if (armed)
            m_pause->setChecked(false);
    });
    connect(&m_log, &ChannelLog::failed, this,
            [this](const QString &reason) { showStatus(tr("Log stopped: %1").arg(reason)); });
    m_timer.setInterval(repaintMs);
    // A paused plot changes only by the controls, which refresh it themselves.
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (!m_pause->isChecked())
            refresh();
    });

    for (const WatchedChannel &channel : m_watch.channels())
        m_traces.push_back({channel, freeColour(), {}, {}});
    rebuildChannelLists();
}

bool ChannelScope::addChannels(const QList<WatchedChannel> &channels) {
    QList<WatchedChannel> all = this->channels();
    for (const WatchedChannel &channel : channels)
        if (!all.contains(channel))
            all.append(channel);
    if (!m_watch.setChannels(all)) {
        showStatus(tr("At most %1 channels can be watched.").arg(ChannelWatch::maxChannels));
        return false;
    }
    for (qsizetype i = qsizetype(m_traces.size()); i < all.size(); ++i)
        m_traces.push_back({all[i], freeColour(), {}, {}});
    rebuildChannelLists();
    refresh();
    return true;
}

QList<WatchedChannel> ChannelScope::channels() const {
    QList<WatchedChannel> result;
    for (const Trace &trace : m_traces)
        result.append(trace.channel);
    return result;
}

void ChannelScope::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    m_timer.start();
    refresh();
}

void ChannelScope::hideEvent(QHideEvent *event) {
    QWidget::hideEvent(event);
    m_timer.stop();
}

void ChannelScope::addTyped() {
    QString error;
    const QList<WatchedChannel> channels = parseChannelList(m_channelEdit->text(), &error);
    if (channels.isEmpty()) {
        showStatus(error);
        return;
    }
    if (addChannels(channels)) {
        m_channelEdit->clear();
        showStatus(QString());
    }
}

void ChannelScope::removeSelected() {
    std::vector<Trace> kept;
    for (size_t i = 0; i < m_traces.size(); ++i)
        if (!m_legend->item(int(i))->isSelected())
            kept.push_back(std::move(m_traces[i]));
    m_traces = std::move(kept);
    m_watch.setChannels(channels());
    rebuildChannelLists();
    refresh();
}

void ChannelScope::clearTraces() {
    // The cursors stay, so what was cleared does not come back.
    for (Trace &trace : m_traces)
        trace.samples.clear();
    m_triggeredNs.reset();
    m_triggerLast = -1;
    m_pause->setChecked(false);
    refresh();
}

void ChannelScope::refresh() {
    const qint64 nowNs = monotonicNs();
    if (!m_pause->isChecked()) {
        collect(nowNs);
        m_viewEndNs = nowNs;
        if (m_triggeredNs && nowNs >= *m_triggeredNs + spanNs() / 2) {
            m_viewEndNs = *m_triggeredNs + spanNs() / 2;
            m_triggeredNs.reset();
            m_pause->setChecked(true);
            showStatus(tr("Triggered: %1 crossed %2.")
                           .arg(m_triggerChannel->currentText())
                           .arg(m_triggerLevel->value()));
        }
    }
    std::vector<ScopeTrace> traces;
    for (const Trace &trace : m_traces)
        traces.push_back({trace.colour, &trace.samples});
    m_plot->setTraces(std::move(traces), m_viewEndNs, spanNs());
    updateLegend();
}

void ChannelScope::collect(qint64 nowNs) {
    const int triggerIndex = m_trigger->isChecked() ? m_triggerChannel->currentIndex() : -1;
    for (size_t i = 0; i < m_traces.size(); ++i) {
        Trace &trace = m_traces[i];
        const size_t before = trace.samples.size();
        m_watch.copySamples(trace.channel, trace.cursor, trace.samples);
        if (int(i) == triggerIndex)
            checkTrigger(trace, before);
        const auto old =
            std::find_if(trace.samples.begin(), trace.samples.end(),
                         [&](const ChannelSample &s) { return s.ns >= nowNs - keptNs; });
        trace.samples.erase(trace.samples.begin(), old);
    }
}

void ChannelScope::checkTrigger(const Trace &trace, size_t from) {
    const int level = m_triggerLevel->value();
    const bool rising = m_triggerEdge->currentIndex() == 0;
    for (size_t i = from; i < trace.samples.size(); ++i) {
        const int value = trace.samples[i].value;
        const bool crossed =
            m_triggerLast >= 0 && (rising ? m_triggerLast < level && value >= level
                                          : m_triggerLast > level && value <= level);
        m_triggerLast = value;
        if (crossed) {
            // Disarming resets the crossing, so it is set after.
            m_trigger->setChecked(false);
            m_triggeredNs = trace.samples[i].ns;
            return;
        }
    }
}

void ChannelScope::setPaused(bool paused) {
    m_pause->setText(paused ? tr("Resume") : tr("Pause"));
    if (!paused)
        refresh();
}

void ChannelScope::rebuildChannelLists() {
    const QString trigger = m_triggerChannel->currentText();
    m_triggerChannel->clear();
    m_legend->clear();
    for (const Trace &trace : m_traces) {
        m_triggerChannel->addItem(swatch(trace.colour), channelLabel(trace.channel));
        auto *item = new QListWidgetItem(swatch(trace.colour), channelLabel(trace.channel));
        m_legend->addItem(item);
    }
    const int kept = m_triggerChannel->findText(trigger);
    if (kept >= 0)
        m_triggerChannel->setCurrentIndex(kept);
}

void ChannelScope::updateLegend() {
    for (size_t i = 0; i < m_traces.size(); ++i) {
        const Trace &trace = m_traces[i];
        QString text = channelLabel(trace.channel);
        if (!trace.samples.empty()) {
            const ChannelSample &last = trace.samples.back();
            text = tr("%1: %2 (%3 %) from %4")
                       .arg(text)
                       .arg(last.value)
                       .arg(qRound(last.value * 100.0 / 255))
                       .arg(last.sourceText());
        }
        QListWidgetItem *item = m_legend->item(int(i));
        if (item->text() != text)
            item->setText(text);
    }
}

void ChannelScope::toggleLog() {
    if (m_log.isRunning()) {
        m_log.stop();
        m_logButton->setText(tr("Log to File..."));
        showStatus(tr("Log written to %1.").arg(m_log.fileName()));
        return;
    }
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Log to File"), QString(), tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!m_log.start(path, &error)) {
        showStatus(tr("Cannot log to %1: %2").arg(path, error));
        return;
    }
    m_logButton->setText(tr("Stop Log"));
    showStatus(tr("Logging every change to %1.").arg(path));
}

void ChannelScope::showStatus(const QString &text) {
    m_status->setText(text);
    if (!m_log.isRunning())
        m_logButton->setText(tr("Log to File..."));
}

QColor ChannelScope::freeColour() const {
    for (QRgb rgb : traceColours)
        if (std::none_of(m_traces.begin(), m_traces.end(),
                         [&](const Trace &t) { return t.colour == QColor(rgb); }))
            return QColor(rgb);
    return QColor(traceColours.back());
}

qint64 ChannelScope::spanNs() const {
    return m_span->currentData().toInt() * nsPerSecond;
}
