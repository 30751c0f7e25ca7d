#pragma once

#include "engine/cellinspector.h"
#include "engine/cellpainter.h"
#include "engine/devicehost.h"
#include "engine/diagnosticmarks.h"
#include "engine/latencyhistogram.h"
#include "engine/lossbehaviour.h"
#include "engine/receiverhost.h"
#include "engine/selftest.h"
#include "net/channelwatch.h"
#include "net/findings.h"
#include "net/framestore.h"
#include "net/networkview.h"
#include "net/receiverstats.h"
#include "rdm/configurator.h"
#include "rdm/devicemodelsetup.h"
#include "settings/settingsrecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QThread>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class DatagramTap;
class QPainter;
class QRect;
class SensorInfo;
class acnnet;
class artnet;
class network;
class rdm;

// The display engine: owns the DMX frame store and the protocol objects, applies staged
// settings between two frames and paints the frame as a grid of cells with the status overlay.
// Everything here runs on the user-interface thread except the sACN receiver, which lives in
// its own thread and reaches the frame only through the store's lock.
class ScreenEngine {
public:
    // Makes the interface snapshot whenever Art-Net or sACN needs one; tests hand in a
    // snapshot built from records instead of the machine's interfaces.
    using NetworkFactory = ReceiverHost::NetworkFactory;
    // Second of the minute (0 ... 59) the frame rate is counted by.
    using SecondClock = std::function<int()>;
    // Whose data a latency figure covers.
    enum class Protocol : quint8 { ArtNet = 0, Sacn = 1, Any = 2 };

    explicit ScreenEngine(NetworkFactory networkFactory = {});
    ~ScreenEngine();
    ScreenEngine(const ScreenEngine &) = delete;
    ScreenEngine &operator=(const ScreenEngine &) = delete;

    // Stages a copy of the settings; they take effect at one queued apply, so any number of
    // calls before it collapse into one apply with the last values.
    void configure(Configurator *model, const SettingsRecord &settings, int preset,
                   quint32 powerCycle, const QDateTime &startTime);
    // Applies the staged settings now, if any: opens and closes sockets, starts threads and
    // may block, so it runs from the event loop (or a test), never inside a paint event.
    void applyStaged();

    // Runs the self test and the freeze on the frame and paints it with the status overlay
    // into `rect` of `painter`. Paints nothing before the first apply. A paint whose `exposed`
    // part lies inside the inspector's repaint areas paints the frame on screen again with the
    // inspector's new look, and takes no new frame: the rest of the picture stays as it is.
    void paintFrame(QPainter &painter, const QRect &rect, int renderEngineId,
                    const QRect &exposed = {});

    // Whether the next frame would differ from the one painted last without any new data:
    // staged settings, a changed freeze, self test or status switch, a running self test, the
    // overlay's first frames, the identify blink, the permanent overlay's rate once a second,
    // screen values the device model changed, a universe's diagnostic mark changed, or the
    // inspector's box reads differently after its snapshots were taken again.
    bool needsRepaint() const;
    // Called at the start of every paintFrame, before the frame is taken from the store.
    void setPaintListener(std::function<void()> listener) { m_paintListener = std::move(listener); }

    // Freezing or thawing shows the status again for a while.
    void setFreeze(bool on);
    bool isFrozen() const { return m_freeze; }
    // Selects a self test (0 off, 1 ... 5, 255 all); selecting 0 clears the frame at once.
    void setSelfTest(quint8 selfTest);
    // Also ends an Art-Net locate, whose blinking would otherwise hide the permanent status.
    void setStatusVisible(bool visible);
    // Marks silent and shared universes on the picture; the settings in effect (and those
    // staged) take the switch, so the next apply keeps it.
    void setDiagnosticMarks(bool on);
    bool diagnosticMarksShown() const { return m_marksOn; }
    // The marks the last painted frame showed, one per universe slot; empty while off.
    const std::vector<UniverseMark> &paintedMarks() const { return m_paintedMarks; }

    // The cell inspector: the cell under the pointer outlined, and beside the pointer a box
    // with its universe, channels, values and who sends them. Not kept in the settings.
    void setInspecting(bool on);
    bool isInspecting() const { return m_inspector.isOn(); }
    // The pointer over the render widget whose `rect` the picture fills, none once it left.
    // Returns the part of the widget to repaint.
    QRect moveInspector(std::optional<QPoint> pointer, const QRect &rect);
    // Universe as the operator numbers it (DmxUniverseStart on), DMX channels.
    using CellPickListener = std::function<void(quint32 universe, int firstChannel, int count)>;
    void setCellPickListener(CellPickListener listener) {
        m_cellPickListener = std::move(listener);
    }
    // Hands the channels of the inspected cell to the listener, once for each universe the cell
    // lies in; false when no cell is under the pointer.
    bool pickInspectedCell();

    // DmxSizeX x DmxSizeY pixels, RGB888, one pixel per cell, from the raw frame bytes (no
    // level, invert or mirroring). Cells beyond the frame stay black; null before the first
    // apply.
    QImage frameImage() const;

    FrameStore &frameStore() { return m_store; }
    // Every accepted packet's level of the watched channels (the scope's and the log's).
    ChannelWatch &channelWatch() { return m_watch; }

    // The settings in effect, or none before the first apply.
    const SettingsRecord *activeSettings() const { return m_active ? &*m_active : nullptr; }
    int appliedPreset() const { return m_appliedPreset; }
    bool isStatusVisible() const { return m_statusVisible; }

    // The status block as the overlay would show it now for `renderEngineId`.
    QString statusText(int renderEngineId) const;
    // Built at every apply: the interface lines and the disabled-protocol lines.
    const QString &interfaceText() const { return m_interfaceText; }
    const QString &colourModeText() const { return m_colourModeText; }
    // Overlay frames since the last apply or freeze change.
    quint32 statusFrameCount() const { return m_statusFrameCount; }
    // The identify blink phase, 0 ... 49; 0 while nothing asks the device to identify.
    int blinkCounter() const { return m_blinkCounter; }
    // Frames painted in the last counted second.
    int framesLastSecond() const { return m_framesLastSecond; }
    void setSecondClock(SecondClock clock) { m_secondClock = std::move(clock); }
    // Packet-to-pixel latency over the last 10 s: from the kernel's receive stamp of the oldest
    // change a frame shows to the end of that frame's paint. Frames under freeze or self test
    // show no received data and count nothing. `received` tells whether data arrived in that
    // time at all, as a console resending an unchanged look paints nothing.
    LatencyFigures latency(Protocol protocol) const;

    // The protocol objects as the last apply left them (none where switched off).
    network *networkObject() const { return m_receivers->networkObject(); }
    artnet *artnetNode() const { return m_receivers->artnetNode(); }
    acnnet *sacnReceiver() const { return m_receivers->sacnReceiver(); }
    QThread *sacnThread() const { return m_receivers->sacnThread(); }
    SensorInfo *sensors() const { return m_device->sensors(); }
    rdm *responder() const { return m_device->responder(); }

    // Every datagram the receivers' sockets read goes to `tap` as well (borrowed; null for none),
    // now and after every apply. Once this returns, a tap replaced is no longer called.
    void setDatagramTap(DatagramTap *tap);
    // While a capture is replayed, the receivers ignore the live network and send nothing, now
    // and after every apply.
    void setReplaying(bool on);
    // Builds the receivers anew at once, so what they remember of sources starts afresh.
    void restartReceivers();
    // The line below the status block telling what is recorded or replayed; empty for none.
    void setActivityText(const QString &text) { m_activityText = text; }

    // What each receiver hears, with the universes the picture shows (Art-Net Port-Addresses,
    // sACN universes); empty while the protocol is off.
    ReceiverView artnetView() const;
    ReceiverView sacnView() const;
    // Both receivers' findings and the universes on the wire; the cross-protocol finding is
    // the engine's own.
    NetworkView networkView() const;
    void clearFindings();
    // The overlay's line of current faults and warnings, counted at most once a second.
    QString findingsOverlayText() const;

private:
    void stage();
    void applySettings();
    void rebuild();
    // RESET_DEVICE: the settings in effect are applied again.
    void reapplySettings();
    DeviceModelStart deviceStart() const;
    void buildStatusTexts();

    PaintParams paintParams() const;
    // Takes this frame's copy of the store, letting the self test and the freeze act on the
    // store first, all under the store's one lock so no packet lands in between.
    void takeFrame();
    // Shows the fail or start-up look in the frame copy where data is lost or has not come.
    void applyLoss();
    bool identifying() const;
    void countFrame();
    // Advances the blink phase and says whether this frame shows the status.
    bool statusDue();
    void recordLatency();
    void paintStatus(QPainter &painter, const QRect &rect, const PaintParams &params,
                     int renderEngineId);
    // Reads the receivers' snapshots again when the last reading is a period old, so neither
    // the scheduler's ticks nor a flood of frames takes them at the frame rate. Returns whether
    // it read them.
    bool refreshMarksIfDue() const;
    // Both protocols feeding one universe, from the two receivers' snapshots.
    void noteBothProtocols(quint32 count) const;
    // The findings as of now, read again when the last reading is a second old.
    void refreshFindingsIfDue() const;
    // The protocol's own number of the first universe shown (Art-Net Port-Address, sACN
    // universe), as the receivers are given it at an apply.
    quint32 firstUniverse(Protocol protocol) const;
    // The marks of the last full paint, m_paintedMarks and m_paintedFindingMarks.
    void paintMarks(QPainter &painter, const QRect &rect, const PaintParams &params);
    CellInspector::Frame inspectorFrame(const QRect &rect, const PaintParams &params) const;
    // Reads the receivers' snapshots for the inspector over `frame` when its period is over;
    // returns whether it did.
    bool takeInspectorSnapshots(const CellInspector::Frame &frame) const;
    // Takes the snapshots when due; returns whether the box would now read differently.
    bool inspectorChanged() const;
    // The frame on screen painted once more, for the inspector's areas only.
    void repaintInspected(QPainter &painter, const QRect &rect, int renderEngineId);
    // The device model's fail and start-up modes, none while they cannot change the picture.
    std::optional<LossBehaviour::Modes> lossModes() const;
    // Both doors to the fail mode: the node's ArtAddress commands reach the model, the model's
    // fail mode reaches the node's poll replies.
    void followFailMode();
    void wireNode();
    // ArtAddress AcFailRecord: the look the universes show now becomes the fail scene.
    void recordFailScene();
    // Hands the tap and the replay switch to the receivers of the last apply.
    void attachCapture();

    SecondClock m_secondClock;
    std::function<void()> m_paintListener;

    std::optional<SettingsRecord> m_stagedSettings;
    std::optional<SettingsRecord> m_active;
    bool m_settingsChanged = false;
    bool m_applyPosted = false;
    // The queued apply's receiver: its posted call dies with it, never runs on a dead engine.
    QObject m_applyContext;
    int m_currentPreset = -1;
    int m_appliedPreset = -1;
    // Handed to the device model when the responder is set up.
    std::optional<quint32> m_powerCycle;
    QDateTime m_startTime;
    QPointer<Configurator> m_model;

    quint8 m_selfTest = 0;
    bool m_statusVisible = false;
    bool m_freeze = false;
    bool m_pictureChanged = false;
    std::optional<PaintParams> m_paintedParams;
    std::optional<QByteArray> m_frozenFrame;
    SelfTestPattern m_selfTestPattern;

    quint32 m_statusFrameCount = 0;
    // Whether the frame on screen shows the overlay.
    bool m_statusPainted = false;
    int m_blinkCounter = 0;
    int m_lastSecond = 0;
    int m_framesThisSecond = 0;
    int m_framesLastSecond = 0;
    QString m_colourModeText;
    QString m_interfaceText;

    bool m_marksOn = false;
    // Reading the receivers at the scheduler's tick is logically const.
    mutable std::vector<UniverseMark> m_marks;
    // Universe slots with a current fault or warning, marked with a triangle.
    mutable std::vector<bool> m_findingMarks;
    mutable FindingsLog m_ownFindings;
    mutable NetworkView m_network;
    mutable QElapsedTimer m_networkAge;
    mutable QElapsedTimer m_marksAge;
    std::vector<UniverseMark> m_paintedMarks;
    std::vector<bool> m_paintedFindingMarks;

    const qint64 m_startNs;
    LossBehaviour m_loss;
    mutable std::vector<FrameStore::Heard> m_heard;
    QPointer<artnet> m_wiredNode;
    DatagramTap *m_tap = nullptr;
    bool m_replaying = false;
    QString m_activityText;

    // Taking the receivers' snapshots at the scheduler's tick is logically const.
    mutable CellInspector m_inspector;
    // The widget's rect at the last paint.
    QRect m_paintedRect;
    CellPickListener m_cellPickListener;

    // Reading the frame for a capture is logically const; the store's lock is not.
    mutable FrameStore m_store;
    QByteArray m_frame;
    FrameStore::ChangeStamps m_frameStamps{};
    std::array<LatencyHistogram, 3> m_latency;
    CellPainter m_cellPainter;
    // Like the store, outlives the receivers that feed it.
    ChannelWatch m_watch;

    // Declared after the store they write into; the destructor ends them in a fixed order.
    std::unique_ptr<ReceiverHost> m_receivers;
    std::unique_ptr<DeviceHost> m_device;
};
