#include "engine/screenengine.h"

#include "engine/celllayout.h"

#include <QDebug>
#include <QPainter>
#include <QRect>
#include <QTime>

#include <algorithm>
#include <cstring>

ScreenEngine::ScreenEngine()
    : m_startTime(QDateTime::currentDateTime()),
      m_selfTestPattern(quint32(QTime::currentTime().msec())) {}

ScreenEngine::~ScreenEngine() = default;

void ScreenEngine::configure(Configurator *model, const SettingsRecord &settings, int preset,
                             quint32 powerCycle, const QDateTime &startTime) {
    m_stagedSettings = settings;
    m_currentPreset = preset;
    m_powerCycle = powerCycle;
    m_startTime = startTime;
    m_model = model;
    m_settingsChanged = true;
}

void ScreenEngine::applySettings() {
    m_active = m_stagedSettings;
    m_appliedPreset = m_currentPreset;
    m_settingsChanged = false;
    // The store keeps its identity and swaps its bytes under its lock, so a receiver holding
    // the store never writes into a released buffer; every apply starts from an all-zero frame.
    m_store.allocate(frameLength(*m_active), m_active->DmxChannelPerUniverse);
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
        m_store.snapshot(m_frame);
        return;
    }
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

void ScreenEngine::paintFrame(QPainter &painter, const QRect &rect, int renderEngineId) {
    // The status overlay (not painted yet) names the render engine.
    Q_UNUSED(renderEngineId);
    if (m_settingsChanged) {
        qDebug("Setting Changed");
        applySettings();
    }
    if (!m_active || rect.isEmpty())
        return;

    const PaintParams params = paintParams();
    takeFrame();
    if (m_picture.size() != rect.size())
        m_picture = QImage(rect.size(), QImage::Format_RGB32);
    m_cellPainter.paint(
        m_picture,
        std::span(reinterpret_cast<const quint8 *>(m_frame.constData()), size_t(m_frame.size())),
        params);
    painter.drawImage(rect.topLeft(), m_picture);
}

void ScreenEngine::setFreeze(bool on) {
    m_freeze = on;
}

void ScreenEngine::setSelfTest(quint8 selfTest) {
    m_selfTest = selfTest;
    if (selfTest == 0)
        m_store.modify(FrameStore::Writer::Engine,
                       [](std::span<quint8> frame) { std::fill(frame.begin(), frame.end(), 0); });
}

void ScreenEngine::setStatusVisible(bool visible) {
    m_statusVisible = visible;
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
