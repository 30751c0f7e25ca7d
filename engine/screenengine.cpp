#include "engine/screenengine.h"

#include "buildinfo.h"
#include "engine/celllayout.h"
#include "engine/devicehost.h"
#include "engine/receiverhost.h"
#include "engine/statustext.h"
#include "net/acnnet.h"
#include "net/artnet.h"
#include "net/monotonicclock.h"
#include "net/network.h"
#include "rdm/devicemodelsetup.h"
#include "rdm/rdm.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFont>
#include <QPainter>
#include <QRect>
#include <QTime>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {
std::unique_ptr<network> machineNetwork() {
    return std::make_unique<network>(0);
}

int wallClockSecond() {
    return QTime::currentTime().second();
}

// The status overlay's pen: the grey of the cell numbers.
const QColor statusGrey(160, 160, 164);

// Frames the overlay stays after an apply or a freeze change, and the identify blink: 50
// frames per period, the overlay shown from phase 26 on.
constexpr quint32 statusFrames = 1000;
constexpr int blinkPeriod = 50;
constexpr int blinkShownFrom = 26;
// How often the marks read the receivers' snapshots: a universe turning silent shows within
// this time after its loss time.
constexpr qint64 marksPeriodMs = 250;
} // namespace

ScreenEngine::ScreenEngine(NetworkFactory networkFactory)
    : m_secondClock(wallClockSecond), m_startTime(QDateTime::currentDateTime()),
      m_selfTestPattern(quint32(QTime::currentTime().msec())), m_lastSecond(wallClockSecond()),
      m_startNs(monotonicNs()), m_latency{LatencyHistogram(monotonicNs),
                                          LatencyHistogram(monotonicNs),
                                          LatencyHistogram(monotonicNs)},
      m_receivers(std::make_unique<ReceiverHost>(
          networkFactory ? std::move(networkFactory) : machineNetwork, m_store, m_watch)),
      m_device(std::make_unique<DeviceHost>(
          m_store, [this] { reapplySettings(); },
          [this] {
              m_receivers->retireReceivers();
              reapplySettings();
          })) {}

ScreenEngine::~ScreenEngine() {
    // The receivers go first (and the sACN thread is waited for), so nothing writes into the
    // store or asks the responder any more; the responder only keeps the snapshot's address
    // and reads it no more once nothing asks.
    m_receivers.reset();
    m_store.release();
    m_device.reset();
}

void ScreenEngine::configure(Configurator *model, const SettingsRecord &settings, int preset,
                             quint32 powerCycle, const QDateTime &startTime) {
    m_stagedSettings = settings;
    m_currentPreset = preset;
    m_powerCycle = powerCycle;
    m_startTime = startTime;
    m_model = model;
    stage();
}

void ScreenEngine::stage() {
    // One queued apply however many stagings come before it runs; the scheduler also applies
    // before it paints, so a frame never shows settings older than those staged.
    m_settingsChanged = true;
    if (!std::exchange(m_applyPosted, true))
        QMetaObject::invokeMethod(
            &m_applyContext, [this] { applyStaged(); }, Qt::QueuedConnection);
}

void ScreenEngine::applyStaged() {
    m_applyPosted = false;
    if (!m_settingsChanged)
        return;
    qDebug("Setting Changed");
    applySettings();
    m_pictureChanged = true;
}

void ScreenEngine::applySettings() {
    m_active = m_stagedSettings;
    m_appliedPreset = m_currentPreset;
    m_settingsChanged = false;
    m_marksOn = m_active->DiagnosticMarks;
    // New receivers or a new layout: the marks are read again at the next frame.
    m_marksAge.invalidate();
    rebuild();
    m_statusFrameCount = 0;
    buildStatusTexts();
}

void ScreenEngine::rebuild() {
    const SettingsRecord &settings = *m_active;
    const bool receiving = settings.UseArtnet || settings.UseAcnnet;
    // The store keeps its identity and swaps its bytes under its lock, so a receiver holding
    // the store never writes into a released buffer. Universes that stay keep their bytes, so
    // an apply or a resize never blanks what a console sending only on change has sent.
    // Without any receiver there is no frame at all: the picture shows the background only.
    if (receiving)
        m_store.relayout(frameLength(settings), settings.DmxChannelPerUniverse,
                         settings.DmxUniverseStart);
    m_watch.setFirstUniverse(quint32(settings.DmxUniverseStart));

    const QString shortName = QLatin1String(BuildInfo::productName);
    const bool newNetwork = receiving && m_receivers->openNetwork();
    network *net = m_receivers->networkObject();
    if (!m_device->isSetUp()) {
        m_device->setUp(m_model, deviceStart(), net);
        followFailMode();
    } else if (newNetwork)
        m_device->setNetwork(net, true);
    if (m_model)
        m_model->slotSetIdentifyDevice(m_blinkCounter > 0 ? 1 : 0);

    if (settings.UseArtnet) {
        ArtnetSetup node;
        node.startUniverse = firstUniverse(Protocol::ArtNet);
        node.responder = settings.UseRdm ? m_device->responder() : nullptr;
        node.rdmForAllUniverses = settings.UseRdmForAllUniverses;
        node.sacnShown = settings.UseAcnnet;
        node.shortName = shortName;
        node.longName = QStringLiteral("%1 V%2.%3 by ")
                            .arg(shortName)
                            .arg(BuildInfo::versionMajor)
                            .arg(BuildInfo::versionMinor) +
                        QLatin1String(BuildInfo::makerWeb);
        node.nodeReport =
            QCoreApplication::translate("ScreenEngine", "sS %1x%2 aS %3x%4 U %5 C %6 CpU %7")
                .arg(QString::number(settings.SizeX), QString::number(settings.SizeY),
                     QString::number(settings.DmxSizeX), QString::number(settings.DmxSizeY),
                     QString::number(settings.DmxUniverseStart),
                     QString::number(universeCount(settings)),
                     QString::number(settings.DmxChannelPerUniverse));
        if (m_model) {
            node.failSafe = artnetpackets::FailSafeState(lossLook(m_model->dmxFailMode()));
            node.failOver = true;
        }
        m_receivers->applyArtnet(&node);
        wireNode();
    } else {
        m_receivers->applyArtnet(nullptr);
    }
    m_receivers->applyAcnnet(settings.UseAcnnet ? &shortName : nullptr,
                             quint32(std::max(0, int(settings.DmxUniverseStart) - 1)));

    if (!receiving) {
        if (m_receivers->networkObject())
            m_device->setNetwork(nullptr, false);
        m_receivers->closeNetwork();
        m_store.release();
    }
    m_receivers->dropRetired();
    attachCapture();
}

void ScreenEngine::setDatagramTap(DatagramTap *tap) {
    m_tap = tap;
    attachCapture();
}

void ScreenEngine::setReplaying(bool on) {
    m_replaying = on;
    attachCapture();
}

void ScreenEngine::attachCapture() {
    if (artnet *node = artnetNode()) {
        node->setTap(m_tap);
        node->setReplaying(m_replaying);
    }
    if (acnnet *receiver = sacnReceiver()) {
        receiver->setTap(m_tap);
        receiver->setReplaying(m_replaying);
    }
}

void ScreenEngine::restartReceivers() {
    if (!m_active)
        return;
    m_receivers->retireReceivers();
    m_stagedSettings = m_active;
    m_settingsChanged = true;
    applyStaged();
}

void ScreenEngine::followFailMode() {
    if (!m_model)
        return;
    QObject::connect(m_model, &Configurator::signalChangedDmxFailMode, &m_applyContext,
                     [this](stDmxSceneMode mode) {
                         if (artnet *node = artnetNode())
                             node->setFailSafeState(artnetpackets::FailSafeState(lossLook(mode)));
                     });
}

void ScreenEngine::wireNode() {
    artnet *node = artnetNode();
    if (!m_model || node == m_wiredNode)
        return;
    m_wiredNode = node;
    QObject::connect(node, &artnet::failSafeRequested, m_model,
                     [model = m_model](artnetpackets::FailSafeState state) {
                         model->slotSetFailLook(LossLook(state));
                     });
    QObject::connect(node, &artnet::failSafeRecordRequested, &m_applyContext,
                     [this] { recordFailScene(); });
}

void ScreenEngine::recordFailScene() {
    QByteArray scene;
    m_store.snapshot(scene);
    // The snapshot took the change flag; the next paint must still see the change.
    m_pictureChanged = true;
    if (m_model)
        m_model->slotSetFailSafeScene(scene);
}

std::optional<LossBehaviour::Modes> ScreenEngine::lossModes() const {
    if (!m_model)
        return std::nullopt;
    LossBehaviour::Modes modes{m_model->dmxFailMode(), m_model->dmxStartupMode(), {}};
    if (LossBehaviour::inert(modes))
        return std::nullopt;
    modes.scene = m_model->failSafeScene();
    return modes;
}

void ScreenEngine::reapplySettings() {
    // Settings staged since are newer than those in effect and are applied anyway.
    if (m_settingsChanged || !m_active)
        return;
    m_stagedSettings = m_active;
    stage();
}

DeviceModelStart ScreenEngine::deviceStart() const {
    const SettingsRecord &settings = *m_active;
    DeviceModelStart start;
    start.footprint = settings.DmxChannelPerUniverse;
    start.language = settings.LanguageIso;
    start.displayLevel = settings.ScreenLevel;
    start.flipHorizontal = flipHorizontal(settings.ScreenFlip);
    start.flipVertical = flipVertical(settings.ScreenFlip);
    start.rotation = settings.ScreenRotate;
    start.startTime = m_startTime;
    start.powerCycles = m_powerCycle.value_or(0);
    start.preset = m_appliedPreset;
    start.identify = m_blinkCounter > 0 ? 1 : 0;
    start.selfTest = m_selfTest;
    return start;
}

void ScreenEngine::buildStatusTexts() {
    const SettingsRecord &settings = *m_active;
    m_colourModeText = statustext::colourMode(settings.DmxUseRgb);
    m_interfaceText = statustext::interfaces(m_receivers->networkObject(), artnetNode() != nullptr,
                                             sacnReceiver() != nullptr);
    // The overlay is only pixels; the debug line lets an operator or a test read what it says.
    qDebug().noquote() << "Status:" << m_interfaceText;
}

QString ScreenEngine::statusText(int renderEngineId) const {
    if (!m_active)
        return {};
    const SettingsRecord &settings = *m_active;
    int syncsPerSecond = 0;
    bool senderChanged = false;
    const bool syncActive =
        artnetNode() && artnetNode()->getSyncState(&syncsPerSecond, &senderChanged);

    statustext::Fields fields;
    fields.sizeX = settings.SizeX;
    fields.sizeY = settings.SizeY;
    fields.dmxSizeX = settings.DmxSizeX;
    fields.dmxSizeY = settings.DmxSizeY;
    fields.colourMode = m_colourModeText;
    fields.universeStart = settings.DmxUniverseStart;
    fields.universeCount = universeCount(settings);
    fields.sync = statustext::sync(syncActive, syncsPerSecond, senderChanged);
    fields.channelsPerUniverse = settings.DmxChannelPerUniverse;
    fields.framesLastSecond = m_framesLastSecond;
    fields.renderEngine = statustext::renderEngine(renderEngineId);
    fields.interfaces = m_interfaceText;
    fields.preset = statustext::preset(m_appliedPreset, settings.Name);
    fields.freezeOrSelfTest = statustext::freezeOrSelfTest(m_freeze, m_selfTest);
    return statustext::block(fields) + statustext::latency(latency(Protocol::Any)) +
           findingsOverlayText() + m_activityText;
}

bool ScreenEngine::identifying() const {
    return (m_model && m_model->identifyDevice() != 0) ||
           (artnetNode() && artnetNode()->isLocateActive());
}

bool ScreenEngine::needsRepaint() const {
    if (m_settingsChanged || m_pictureChanged || m_selfTest != 0)
        return true;
    if (!m_active)
        return false;
    // A blink phase left over from an identify that ended still has to be painted away.
    if (identifying() || m_blinkCounter != 0)
        return true;
    if (m_paintedParams != paintParams())
        return true;
    if (m_marksOn && refreshMarksIfDue() && m_marks != m_paintedMarks)
        return true;
    refreshFindingsIfDue();
    if (m_marksOn && m_findingMarks != m_paintedFindingMarks)
        return true;
    if (const std::optional<LossBehaviour::Modes> modes = lossModes()) {
        m_store.heardTimes(m_heard);
        if (m_loss.changed(m_heard, *modes, m_startNs, monotonicNs()))
            return true;
    }
    if (inspectorChanged())
        return true;
    if (m_statusVisible)
        return !m_statusPainted || m_secondClock() != m_lastSecond;
    // The frame after the overlay's last one has to be painted too, or the last overlay stays
    // on screen for good.
    return m_statusFrameCount < statusFrames || m_statusPainted;
}

void ScreenEngine::countFrame() {
    const int second = m_secondClock();
    if (second != m_lastSecond) {
        m_framesLastSecond = m_framesThisSecond;
        m_framesThisSecond = 0;
        m_lastSecond = second;
    }
    ++m_framesThisSecond;
}

bool ScreenEngine::statusDue() {
    if (identifying()) {
        m_blinkCounter = (m_blinkCounter + 1) % blinkPeriod;
        return m_blinkCounter >= blinkShownFrom;
    }
    m_blinkCounter = 0;
    return m_statusVisible || m_statusFrameCount < statusFrames;
}

void ScreenEngine::paintStatus(QPainter &painter, const QRect &rect, const PaintParams &params,
                               int renderEngineId) {
    painter.save();
    // Through the picture's rotation and mirroring: a mirrored picture shows mirrored text.
    painter.translate(rect.topLeft());
    painter.setTransform(pictureTransform(params), true);
    QFont font;
    font.setPixelSize(std::max(6, std::min(params.sizeX, params.sizeY) / 20));
    painter.setFont(font);
    painter.setPen(statusGrey);
    painter.drawText(QRect(0, 0, params.sizeX, params.sizeY), Qt::AlignCenter,
                     statusText(renderEngineId));
    painter.restore();
}

bool ScreenEngine::refreshMarksIfDue() const {
    const quint32 count = m_store.universeCount();
    if (m_marksAge.isValid() && m_marksAge.elapsed() < marksPeriodMs && m_marks.size() == count)
        return false;
    m_marksAge.start();
    ReceiverStats sacnStats;
    ReceiverStats artnetStats;
    std::vector<MarkSource> sources;
    if (acnnet *receiver = sacnReceiver()) {
        sacnStats = receiver->stats();
        sources.push_back({&sacnStats, firstUniverse(Protocol::Sacn), sacnSourceLossMs});
    }
    if (artnet *node = artnetNode()) {
        artnetStats = node->stats();
        sources.push_back({&artnetStats, firstUniverse(Protocol::ArtNet), artnetSourceLossMs});
    }
    m_marks = universeMarks(sources, count);
    return true;
}

quint32 ScreenEngine::firstUniverse(Protocol protocol) const {
    const int start = m_active->DmxUniverseStart;
    // Art-Net numbers its Port-Addresses from 0, sACN its universes from 1.
    return quint32(protocol == Protocol::ArtNet ? std::max(0, start - 1) : std::max(1, start));
}

void ScreenEngine::paintMarks(QPainter &painter, const QRect &rect, const PaintParams &params) {
    const CellGrid grid = cellGrid(rect.width(), rect.height(), params.cols, params.rows);
    const int channelsPerUniverse = m_store.channelsPerUniverse();
    const int bytesPerCell = channelsPerCell(params.colourMode);
    painter.save();
    painter.translate(rect.topLeft());
    painter.setTransform(pictureTransform(params), true);
    paintUniverseMarks(painter, grid, m_paintedMarks, channelsPerUniverse, bytesPerCell);
    paintFindingMarks(painter, grid, m_paintedFindingMarks, channelsPerUniverse, bytesPerCell);
    painter.restore();
}

PaintParams ScreenEngine::paintParams() const {
    const SettingsRecord &settings = *m_active;
    PaintParams params;
    params.cols = settings.DmxSizeX;
    params.rows = settings.DmxSizeY;
    params.colourMode = settings.DmxUseRgb;
    params.shape = settings.ShapeType;
    params.sizeX = settings.SizeX;
    params.sizeY = settings.SizeY;
    // The device model holds the screen values RDM may change; the record's copies are only
    // its start values.
    if (m_model) {
        params.level = m_model->displayLevel();
        params.invert = m_model->screenInvert() == 1;
        params.mirrorLeftRight = m_model->screenFlipVertical() != 0;
        params.mirrorTopBottom = m_model->screenFlipHorizontal() != 0;
        params.rotation = m_model->screenRotation();
    }
    return params;
}

void ScreenEngine::takeFrame() {
    if (!m_freeze)
        m_frozenFrame.reset();
    if (m_selfTest == 0 && !m_freeze) {
        m_store.snapshot(m_frame, &m_frameStamps);
        applyLoss();
        return;
    }
    // Left in the store, the stamps would count the whole freeze at its end.
    m_store.takeChangeStamps();
    m_frameStamps = {};
    const SettingsRecord &settings = *m_active;
    m_store.modify(FrameStore::Writer::Engine, [&](std::span<quint8> frame) {
        if (m_selfTest != 0 && !frame.empty())
            m_selfTestPattern.step(m_selfTest, frame, settings.DmxSizeX, settings.DmxSizeY,
                                   settings.DmxUseRgb);
        if (m_freeze) {
            // The receivers keep writing, so the frozen picture is put back before every paint;
            // a new frame length (new layout) takes a new copy.
            if (m_frozenFrame && size_t(m_frozenFrame->size()) == frame.size())
                std::copy(m_frozenFrame->cbegin(), m_frozenFrame->cend(), frame.begin());
            else
                m_frozenFrame = QByteArray(reinterpret_cast<const char *>(frame.data()),
                                           qsizetype(frame.size()));
        }
        m_frame.resize(qsizetype(frame.size()));
        if (!frame.empty())
            std::memcpy(m_frame.data(), frame.data(), frame.size());
    });
}

void ScreenEngine::applyLoss() {
    const std::optional<LossBehaviour::Modes> modes = lossModes();
    if (!modes) {
        m_loss.reset();
        return;
    }
    m_store.heardTimes(m_heard);
    m_loss.apply(std::span(reinterpret_cast<quint8 *>(m_frame.data()), size_t(m_frame.size())),
                 m_store.channelsPerUniverse(), m_heard, *modes, m_startNs, monotonicNs());
}

void ScreenEngine::paintFrame(QPainter &painter, const QRect &rect, int renderEngineId,
                              const QRect &exposed) {
    // A pointer move is no new frame: neither the scheduler nor the latency hears of it, and
    // new data waits for the scheduler's next full paint.
    if (m_active && !rect.isEmpty() && rect == m_paintedRect && !exposed.contains(rect) &&
        m_inspector.ownsRepaint(exposed) && !m_settingsChanged && !m_pictureChanged &&
        m_paintedParams == paintParams()) {
        repaintInspected(painter, rect, renderEngineId);
        return;
    }
    if (m_paintListener)
        m_paintListener();
    m_receivers->dropRetired();
    if (!m_active || rect.isEmpty())
        return;

    const PaintParams params = paintParams();
    m_paintedParams = params;
    m_paintedRect = rect;
    m_pictureChanged = false;
    takeFrame();
    // Straight into the target: an off-screen copy of a 3840 x 2160 picture costs as much as
    // painting it.
    m_cellPainter.paint(
        painter, rect,
        std::span(reinterpret_cast<const quint8 *>(m_frame.constData()), size_t(m_frame.size())),
        params);
    if (m_marksOn) {
        refreshMarksIfDue();
        refreshFindingsIfDue();
        m_paintedMarks = m_marks;
        m_paintedFindingMarks = m_findingMarks;
        paintMarks(painter, rect, params);
    } else {
        m_paintedMarks.clear();
        m_paintedFindingMarks.clear();
    }
    countFrame();
    m_statusPainted = statusDue();
    if (m_statusPainted) {
        paintStatus(painter, rect, params, renderEngineId);
        ++m_statusFrameCount;
    }
    // Over the overlay, so the box the operator points at is never hidden by it.
    if (m_inspector.isOn()) {
        const CellInspector::Frame frame = inspectorFrame(rect, params);
        takeInspectorSnapshots(frame);
        m_inspector.paint(painter, frame);
    }
    recordLatency();
}

void ScreenEngine::recordLatency() {
    const qint64 paintEnd = monotonicNs();
    qint64 oldest = 0;
    for (size_t protocol = 0; protocol < m_frameStamps.size(); ++protocol) {
        const qint64 stamp = std::exchange(m_frameStamps[protocol], 0);
        if (stamp == 0)
            continue;
        m_latency[protocol].add(paintEnd - stamp);
        oldest = oldest == 0 ? stamp : std::min(oldest, stamp);
    }
    if (oldest != 0)
        m_latency[size_t(Protocol::Any)].add(paintEnd - oldest);
}

LatencyFigures ScreenEngine::latency(Protocol protocol) const {
    LatencyFigures figures = m_latency[size_t(protocol)].figures();
    const qint64 now = monotonicNs();
    const auto heard = [&](FrameStore::Writer writer) {
        const qint64 last = m_store.lastReceived(writer);
        return last != 0 && now - last <= LatencyHistogram::windowSeconds * 1000000000LL;
    };
    figures.received = protocol == Protocol::Any
                           ? heard(FrameStore::Writer::ArtNet) || heard(FrameStore::Writer::Sacn)
                           : heard(FrameStore::Writer(protocol));
    return figures;
}

void ScreenEngine::setFreeze(bool on) {
    m_freeze = on;
    m_statusFrameCount = 0;
    m_pictureChanged = true;
}

void ScreenEngine::setSelfTest(quint8 selfTest) {
    m_selfTest = selfTest;
    m_pictureChanged = true;
    if (selfTest == 0)
        m_store.modify(FrameStore::Writer::Engine,
                       [](std::span<quint8> frame) { std::fill(frame.begin(), frame.end(), 0); });
}

void ScreenEngine::setStatusVisible(bool visible) {
    if (artnetNode())
        artnetNode()->resetLedState();
    m_statusVisible = visible;
    m_pictureChanged = true;
}

void ScreenEngine::setDiagnosticMarks(bool on) {
    m_marksOn = on;
    if (m_active)
        m_active->DiagnosticMarks = on;
    if (m_stagedSettings)
        m_stagedSettings->DiagnosticMarks = on;
    m_marksAge.invalidate();
    m_pictureChanged = true;
}

QImage ScreenEngine::frameImage() const {
    if (!m_active)
        return {};
    const int cols = m_active->DmxSizeX;
    const int rows = m_active->DmxSizeY;
    QImage image(cols, rows, QImage::Format_RGB888);
    if (image.isNull())
        return image;
    image.fill(Qt::black);

    QByteArray bytes;
    m_store.snapshot(bytes);
    const auto *frame = reinterpret_cast<const quint8 *>(bytes.constData());
    const quint16 mode = m_active->DmxUseRgb;
    const int perCell = channelsPerCell(mode);
    const qint64 length = bytes.size();
    qint64 i = 0;
    for (int row = 0; row < rows; ++row) {
        uchar *pixel = image.scanLine(row);
        for (int col = 0; col < cols; ++col, i += perCell, pixel += 3) {
            if (i + perCell > length)
                return image;
            const quint8 *cell = frame + i;
            if (perCell == 1) {
                pixel[0] = pixel[1] = pixel[2] = cell[0];
            } else if (perCell == 3) {
                std::copy_n(cell, 3, pixel);
            } else {
                for (int c = 0; c < 3; ++c)
                    pixel[c] = rgbwMix(cell[c], cell[3]);
            }
        }
    }
    return image;
}
