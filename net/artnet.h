#pragma once

#include "net/artnetmerger.h"
#include "net/artnetpackets.h"
#include "net/datagramtap.h"
#include "net/findings.h"
#include "net/rdmrequesthandler.h"
#include "net/receiverstats.h"
#include "net/udpreceive.h"
#include "net/wireuniverses.h"

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>
#include <vector>

class ChannelWatch;
class FrameStore;
class network;

// Where the node's datagrams go (always to UDP port 6454). The node's own socket implements it;
// tests put a recorder in its place.
class ArtNetTransmitter {
public:
    virtual ~ArtNetTransmitter() = default;
    virtual void sendDatagram(const QByteArray &datagram, const QHostAddress &destination) = 0;
};

// The Art-Net node: receives ArtDmx through the merger (ArtNetMerger) into the engine's frame
// store (held back while a controller drives ArtSync), answers ArtPoll, obeys the ArtAddress
// indicator commands, records ArtTimeCode and carries RDM: it answers ArtTodRequest / ArtTodControl
// with the UID of the interface facing the controller and hands ArtRdm to the RDM responder. Lives
// on the GUI thread; the socket only feeds handleDatagram().
class artnet : public QObject {
    Q_OBJECT

public:
    struct TimeCodeRecord {
        artnetpackets::TimeCode timeCode;
        QHostAddress sender;
    };
    // Monotonic milliseconds; ArtSync mode is measured with it.
    using Clock = std::function<qint64()>;

    static constexpr qint64 syncHoldMs = 4000;
    static constexpr int receiveBufferBytes = 4 * 1024 * 1024;
    // Datagrams taken per recvmmsg() call, and batches per wake-up: the node shares the GUI
    // thread, so a backlog is read in slices of at most 256 datagrams with paints and timers
    // in between.
    static constexpr int batchSize = 32;
    static constexpr int batchesPerWakeUp = 8;
    // Longer than any packet the node handles; a longer datagram is handed on cut to this.
    static constexpr size_t maxDatagramBytes = 1536;
    // Senders whose last timecode is kept; a flood of forged sources cannot grow the list
    // beyond this.
    static constexpr qsizetype maxTimeCodeSenders = 64;
    // Pollers that asked for a reply on every change of the node's conditions. Art-Net
    // controllers poll every few seconds; one unheard for longer than this has gone.
    static constexpr size_t maxChangePollers = 16;
    static constexpr qint64 changePollerTimeoutMs = 30000;
    // How often a merge is checked for sources gone quiet, while one is on.
    static constexpr int mergeWatchMs = 1000;

    // `net` is borrowed and must outlive the node (or be null: then nothing is answered).
    explicit artnet(network *net, bool debugOutput = false, QObject *parent = nullptr);
    ~artnet() override;

    void setLedControl(bool on) { m_ledControl = on; }
    void setVersion(quint8 hi, quint8 lo);
    void setOem(quint8 hi, quint8 lo);
    void setShortName(const QString &name) { m_shortName = name; }
    void setLongName(const QString &name) { m_longName = name; }
    void setNodeReport(const QString &report) { m_nodeReport = report; }
    // Port-Address of universe index 0; false and no change above 0xFFFF.
    bool setStartUniverse(quint32 portAddress);
    // Enabling opens the socket and stays off when it cannot be bound. Returns the new state.
    bool setPollReplyEnabled(bool on);
    // Attaches the engine's frame store and opens the socket; null detaches. Call it again
    // after every FrameStore::allocate, since the node sizes its sync buffer to that layout.
    void setFrameBuffer(FrameStore *store);
    // Told every ArtDmx the merge accepts, held back for ArtSync or not; null for none.
    void setChannelWatch(ChannelWatch *watch) { m_watch = watch; }
    // The RDM responder (borrowed; null when RDM is off: ArtRdm and the table-of-devices
    // requests are then ignored and ArtPollReply does not announce RDM). RDM is carried on the
    // start universe's Port-Address only, or with `allUniverses` on every Port-Address from there
    // upwards. A responder that is a QObject is watched: one deleted before the node is never
    // called.
    void setRdm(RdmRequestHandler *responder, bool allUniverses);
    // Whether sACN feeds the picture too: a universe no Art-Net source drives then shows sACN,
    // which GoodOutput tells.
    void setSacnShown(bool on) { m_sacnShown = on; }
    // What the picture does when data stops, announced in Status3 (hold, today's behaviour, by
    // default); a change is announced to the pollers that asked for changes.
    void setFailSafeState(artnetpackets::FailSafeState state);
    // Whether ArtAddress can set the fail-safe state (Status3 "supports fail-over"): only then
    // are its fail-safe commands passed on, through the signals below.
    void setFailOverSupported(bool on) { m_failOverSupported = on; }

    // True while ArtSync mode lasts (an ArtSync received at most 4000 ms ago); then gives the
    // ArtSyncs counted in the previous second and whether the sync source changed.
    bool getSyncState(int *syncsPerSecond, bool *senderChanged) const;
    bool isLocateActive() const { return m_ledState == 0x40; }
    void resetLedState() { m_ledState = m_ledControl ? 0xC0 : 0x00; }
    const QList<TimeCodeRecord> &timeCodes() const { return m_timeCodes; }
    bool isListening() const { return m_socket.isOpen(); }
    // The receive buffer the kernel granted the socket, for diagnostics; 0 when closed.
    int receiveBufferSize() const { return ::receiveBufferSize(m_socket.fd()); }

    // Per Port-Address and per source facts, with each source's levels for Port-Address
    // `levelsOf`, for diagnostics (GUI thread).
    ReceiverStats stats(std::optional<quint16> levelsOf = {}) const;
    // What the node saw senders do wrong, and every Port-Address ArtDmx arrived for.
    QList<Finding> findings() const { return m_findings.findings(m_clock()); }
    void clearFindings() { m_findings.clear(); }
    // On by default; off only to measure what the rules cost.
    void setFindingsEnabled(bool on) {
        m_findingsOn = on;
        m_merger.setFindings(on ? &m_findings : nullptr);
    }
    QList<WireUniverses::Row> wireUniverses() const;
    // The time base of findings(), stats() and wireUniverses().
    qint64 now() const { return m_clock(); }

    // One received datagram, validated and dispatched by OpCode.
    void handleDatagram(artnetpackets::Bytes datagram, const QHostAddress &sender);
    // The same for a datagram whose socket facts are known: one replayed from a capture.
    void handleDatagram(artnetpackets::Bytes datagram, const DatagramFacts &facts);
    // Sees every datagram the socket reads (borrowed; null for none).
    void setTap(DatagramTap *tap) { m_tap = tap; }
    // While a capture is replayed the node reads its socket but ignores what arrives, and
    // sends nothing: the answers would reach a rig that is not there.
    void setReplaying(bool on) { m_replaying = on; }
    // Ends the merges whose sources went quiet and announces them; the node's timer calls it
    // every mergeWatchMs while a merge is on.
    void checkMerges();

    // Null restores the node's socket.
    void setTransmitter(ArtNetTransmitter *transmitter);
    void setClock(Clock clock) { m_clock = std::move(clock); }

signals:
    // ArtAddress asks for a fail-safe state, or to record the current look as the fail-safe
    // scene. The node only announces the state it is given with setFailSafeState().
    void failSafeRequested(artnetpackets::FailSafeState state);
    void failSafeRecordRequested();

public slots:
    // To `destIp` when given, else to the broadcast address of every interface record.
    void slotSendTimeCode(quint8 hour, quint8 minute, quint8 seconds, quint8 frame, quint8 type,
                          const QHostAddress *destIp);
    void slotSendTimeCode(quint8 hour, quint8 minute, quint8 seconds, quint8 frame, quint8 type);
    // 0x40 locate, 0x80 mute, 0xC0 normal; anything else is ignored. Only with LED control on.
    void slotSetAcLedMode(quint8 acLedMode);

private slots:
    void readPackage();

private:
    class SocketTransmitter;
    struct ChangePoller {
        quint32 address = 0;
        artnetpackets::Poll poll;
        qint64 heardMs = 0;
    };

    bool openSocket();
    void transmit(const QByteArray &datagram, const QHostAddress &destination);
    bool syncActive(qint64 now) const;
    void debug(const QString &line) const;

    void handlePoll(artnetpackets::Bytes datagram, const QHostAddress &sender);
    void rememberPoller(quint32 address, const artnetpackets::Poll &poll);
    // The replies `poll` asks for, to `poller`; with `onlyDue`, only those m_replyDue marks.
    void sendPollReplies(const artnetpackets::Poll &poll, const QHostAddress &poller, bool onlyDue);
    // To every poller that asked for changes: the replies of the merges that started or
    // ended, or with `all` every reply.
    void announceChange(bool all);
    void handleDataRequest(artnetpackets::Bytes datagram, const QHostAddress &sender);
    void handleDmx(artnetpackets::Bytes datagram, const QHostAddress &sender);
    void handleSync(const QHostAddress &sender);
    void handleAddress(artnetpackets::Bytes datagram, const QHostAddress &sender);
    void report(FindingCode code, quint16 portAddress, const QHostAddress &sender);
    bool sentToBroadcast() const;
    void applyAddressCommand(artnetpackets::Bytes datagram);
    void handleTimeCode(artnetpackets::Bytes datagram, const QHostAddress &sender);
    void handleTodRequest(artnetpackets::Bytes datagram, const QHostAddress &sender);
    void handleTodControl(artnetpackets::Bytes datagram, const QHostAddress &sender);
    void handleRdm(artnetpackets::Bytes datagram, const QHostAddress &sender);
    bool carriesRdm(quint16 portAddress) const;
    // The attached responder, or null when there is none or a watched one was deleted.
    RdmRequestHandler *responder() const;
    void sendTodData(quint16 portAddress, const QHostAddress &sender);
    void configureMerger();
    // The announced universes (poll reply layout), refreshed from the live store.
    const std::vector<artnetpackets::ReplyRange> &replyRanges();

    network *m_net;
    bool m_debugOutput;
    WatchedSocket m_socket;
    SocketTransmitter *m_socketTransmitter;
    ArtNetTransmitter *m_transmitter;
    Clock m_clock;

    int m_startUniverse = -1;
    quint8 m_versionHi = 0;
    quint8 m_versionLo = 0;
    quint8 m_oemHi = 0x00;
    quint8 m_oemLo = 0xFF;
    QString m_shortName;
    QString m_longName;
    QString m_nodeReport;
    bool m_pollReplyEnabled = false;
    bool m_ledControl = false;
    quint8 m_ledState = 0;

    FrameStore *m_store = nullptr;
    ChannelWatch *m_watch = nullptr;
    quint32 m_universeCount = 0;
    // ArtDmx held back in ArtSync mode, as received, one FrameStore::maxChannelsPerUniverse
    // slot per universe index (the store's writeUniverses layout). A universe is released
    // by the next ArtSync only when it was buffered since the previous one.
    std::vector<quint8> m_shadow;
    std::vector<quint16> m_pendingLength;
    std::vector<quint32> m_pendingUniverses;

    std::optional<qint64> m_lastSyncMs;
    qint64 m_syncSecond = -1;
    int m_syncCount = 0;
    int m_syncRate = 0;
    QHostAddress m_syncSender;
    bool m_syncSenderChanged = false;

    QList<TimeCodeRecord> m_timeCodes;

    RdmRequestHandler *m_rdm = nullptr;
    QPointer<QObject> m_rdmObject;
    bool m_rdmWatched = false;
    bool m_rdmAllUniverses = false;

    ArtNetMerger m_merger;
    quint64 m_droppedOldProtocol = 0;
    FindingsLog m_findings;
    bool m_findingsOn = true;
    WireUniverses m_wire;
    std::vector<artnetpackets::ReplyRange> m_ranges;
    // Per entry of m_ranges: its reply is due in a change announcement.
    std::vector<bool> m_replyDue;
    QTimer m_mergeWatch;

    bool m_sacnShown = false;
    artnetpackets::FailSafeState m_failSafe = artnetpackets::FailSafeState::Hold;
    bool m_failOverSupported = false;
    std::vector<ChangePoller> m_changePollers;

    // Reused for every datagram so that nothing is allocated per packet.
    DatagramBatch m_batch{batchSize, maxDatagramBytes};
    QHostAddress m_receiveSender;
    // When the datagram being handled arrived (monotonicNs()), for the frame store's latency.
    qint64 m_receivedNs = 0;
    // Where the datagram being handled was sent to; 0 when not known (not from the socket).
    quint32 m_receivedDestination = 0;
    DatagramTap *m_tap = nullptr;
    bool m_replaying = false;
    artnetpackets::Dmx m_dmx;
    QByteArray m_reply;
};
