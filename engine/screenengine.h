#pragma once

#include "engine/cellpainter.h"
#include "engine/selftest.h"
#include "net/framestore.h"
#include "rdm/configurator.h"
#include "settings/settingsrecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QPointer>

#include <optional>

class QPainter;
class QRect;

// The display engine: owns the DMX frame store, applies staged settings between two frames and
// paints the frame as a grid of cells. Everything here runs on the user-interface thread; the
// receivers reach the frame only through the store's lock.
class ScreenEngine {
public:
    ScreenEngine();
    ~ScreenEngine();
    ScreenEngine(const ScreenEngine &) = delete;
    ScreenEngine &operator=(const ScreenEngine &) = delete;

    // Stages a copy of the settings; they take effect at the start of the next painted frame,
    // so any number of calls between two frames collapse into one apply with the last values.
    void configure(Configurator *model, const SettingsRecord &settings, int preset,
                   quint32 powerCycle, const QDateTime &startTime);

    // Applies staged settings, runs the self test and the freeze on the frame and paints it
    // into `rect` of `painter`. Paints nothing before the first apply.
    void paintFrame(QPainter &painter, const QRect &rect, int renderEngineId);

    void setFreeze(bool on);
    // Selects a self test (0 off, 1 ... 5, 255 all); selecting 0 clears the frame at once.
    void setSelfTest(quint8 selfTest);
    void setStatusVisible(bool visible);

    // DmxSizeX x DmxSizeY pixels, RGB888, one pixel per cell, from the raw frame bytes (no
    // level, invert or mirroring). Cells beyond the frame stay black; null before the first
    // apply.
    QImage frameImage() const;

    FrameStore &frameStore() { return m_store; }

    // The settings in effect, or none before the first apply.
    const SettingsRecord *activeSettings() const { return m_active ? &*m_active : nullptr; }
    int appliedPreset() const { return m_appliedPreset; }
    bool isStatusVisible() const { return m_statusVisible; }

private:
    void applySettings();
    PaintParams paintParams() const;
    // Takes this frame's copy of the store, letting the self test and the freeze act on the
    // store first, all under the store's one lock so no packet lands in between.
    void takeFrame();

    std::optional<SettingsRecord> m_stagedSettings;
    std::optional<SettingsRecord> m_active;
    bool m_settingsChanged = false;
    int m_currentPreset = -1;
    int m_appliedPreset = -1;
    // Handed to the device model when the responder is set up.
    std::optional<quint32> m_powerCycle;
    QDateTime m_startTime;
    QPointer<Configurator> m_model;

    quint8 m_selfTest = 0;
    bool m_statusVisible = false;
    bool m_freeze = false;
    std::optional<QByteArray> m_frozenFrame;
    SelfTestPattern m_selfTestPattern;

    // Reading the frame for a capture is logically const; the store's lock is not.
    mutable FrameStore m_store;
    QByteArray m_frame;
    QImage m_picture;
    CellPainter m_cellPainter;
};
