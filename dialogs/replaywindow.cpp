#include "dialogs/replaywindow.h"

#include "capture/replayfeed.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <array>

namespace {

constexpr std::array<double, 5> speeds{0.25, 0.5, 1.0, 2.0, 4.0};
constexpr int normalSpeedIndex = 2;
constexpr int refreshMs = 200;

QString seconds(qint64 ns) {
    return QString::number(double(ns) / 1e9, 'f', 1);
}

} // namespace

ReplayWindow::ReplayWindow(ReplayFeed &feed, QWidget *parent)
    : QDialog(parent, Qt::Tool), m_feed(feed) {
    setWindowTitle(tr("Replay"));
    // The picture stays in charge of the keyboard and the mouse.
    setModal(false);

    m_file = new QLabel(this);
    m_position = new QSlider(Qt::Horizontal, this);
    m_position->setTracking(false);
    m_time = new QLabel(this);
    m_pause = new QPushButton(tr("Pause"), this);
    m_pause->setCheckable(true);
    m_step = new QPushButton(tr("Step"), this);
    m_step->setToolTip(tr("hands on the next packet while paused"));
    m_speed = new QComboBox(this);
    for (const double speed : speeds)
        m_speed->addItem(QStringLiteral("×%1").arg(speed));
    m_loop = new QCheckBox(tr("Loop"), this);
    auto *stop = new QPushButton(tr("Stop"), this);
    stop->setToolTip(tr("ends the replay and shows the network again"));

    auto *controls = new QHBoxLayout;
    controls->addWidget(m_pause);
    controls->addWidget(m_step);
    controls->addWidget(m_speed);
    controls->addWidget(m_loop);
    controls->addStretch();
    controls->addWidget(stop);
    auto *position = new QHBoxLayout;
    position->addWidget(m_position, 1);
    position->addWidget(m_time);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_file);
    layout->addLayout(position);
    layout->addLayout(controls);

    connect(m_pause, &QPushButton::toggled, this, [this](bool on) {
        m_feed.setPaused(on);
        m_step->setEnabled(on);
    });
    connect(m_step, &QPushButton::clicked, this, [this] { m_feed.step(); });
    connect(m_speed, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_feed.setSpeed(speeds[size_t(index)]); });
    connect(m_loop, &QCheckBox::toggled, this, [this](bool on) { m_feed.setLoop(on); });
    connect(stop, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_position, &QSlider::valueChanged, this, &ReplayWindow::jump);
    connect(&m_refresh, &QTimer::timeout, this, &ReplayWindow::refresh);
}

ReplayWindow::~ReplayWindow() = default;

void ReplayWindow::showEvent(QShowEvent *event) {
    // A new replay starts at the normal speed, playing, with the loop the feed was given.
    const QSignalBlocker blockPause(m_pause);
    const QSignalBlocker blockSpeed(m_speed);
    const QSignalBlocker blockLoop(m_loop);
    m_pause->setChecked(m_feed.isPaused());
    m_step->setEnabled(m_feed.isPaused());
    m_speed->setCurrentIndex(normalSpeedIndex);
    m_loop->setChecked(m_feed.loops());
    m_file->setText(QFileInfo(m_feed.fileName()).fileName());
    refresh();
    m_refresh.start(refreshMs);
    QDialog::showEvent(event);
}

void ReplayWindow::hideEvent(QHideEvent *event) {
    m_refresh.stop();
    QDialog::hideEvent(event);
}

void ReplayWindow::refresh() {
    const QSignalBlocker block(m_position);
    m_position->setRange(0, int(m_feed.lengthNs() / 1'000'000));
    if (!m_position->isSliderDown())
        m_position->setValue(int(m_feed.positionNs() / 1'000'000));
    m_time->setText(
        tr("%1 s / %2 s").arg(seconds(m_feed.positionNs()), seconds(m_feed.lengthNs())));
}

void ReplayWindow::jump() {
    // Only values the operator set arrive here: refresh() blocks the slider's signals.
    m_feed.seek(qint64(m_position->value()) * 1'000'000);
    refresh();
}
