#include "net/artnet.h"

#include "net/channelwatch.h"

#include "buildinfo.h"
#include "net/framestore.h"
#include "net/network.h"
#include "net/rdmuid.h"

#include <QDebug>
#include <QElapsedTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstring>
#include <memory>

using namespace artnetpackets;

namespace {

// The first ArtSync and the first ArtTimeCode are reported once per program run.
bool syncReported = false;
bool timeCodeReported = false;

// UDP on 6454 of every IPv4 address, allowed to broadcast. Bound shared, so that a
// controller or a second node on the same machine can use the port too. Returns the
// descriptor or -1.
int openNodeSocket() {
    const int fd = openUdpReceiver(udpPort, true, artnet::receiveBufferBytes);
    const int one = 1;
    if (fd >= 0)
        ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &one, sizeof one);
    return fd;
}

QString hex2(quint8 value) {
    return QStringLiteral("%1").arg(value, 2, 16, QChar(u'0'));
}

// The pages ArtDataReply points to, on the maker's web site; empty for a request not served.
QByteArray dataUrl(DataRequestCode request) {
    const char *path = nullptr;
    switch (request) {
    case DataRequestCode::UrlProduct:
        path = "/tessaview";
        break;
    case DataRequestCode::UrlUserGuide:
        path = "/tessaview/guide";
        break;
    case DataRequestCode::UrlSupport:
        path = "/support";
        break;
    default:
        return {};
    }
    return QByteArray("http://") + BuildInfo::makerWeb + path;
}

} // namespace

class artnet::SocketTransmitter final : public ArtNetTransmitter {
public:
    explicit SocketTransmitter(artnet &node) : m_node(node) {}
    void sendDatagram(const QByteArray &datagram, const QHostAddress &destination) override {
        bool ipv4 = false;
        const quint32 to = destination.toIPv4Address(&ipv4);
        if (!ipv4 || !m_node.openSocket())
            return;
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(to);
        address.sin_port = htons(udpPort);
        // Send errors are not reported: the peer asks again.
        ::sendto(m_node.m_socket.fd(), datagram.constData(), size_t(datagram.size()), 0,
                 reinterpret_cast<const sockaddr *>(&address), sizeof address);
    }

private:
    artnet &m_node;
};

artnet::artnet(network *net, bool debugOutput, QObject *parent)
    : QObject(parent), m_net(net), m_debugOutput(debugOutput),
      m_socketTransmitter(new SocketTransmitter(*this)), m_transmitter(m_socketTransmitter) {
    m_merger.setFindings(&m_findings);
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    m_clock = [started] { return started->elapsed(); };
    m_shortName = QStringLiteral("ArtNet by Tavo");
    m_mergeWatch.setInterval(mergeWatchMs);
    connect(&m_mergeWatch, &QTimer::timeout, this, &artnet::checkMerges);
}

artnet::~artnet() {
    m_socket.close();
    delete m_socketTransmitter;
}

void artnet::setVersion(quint8 hi, quint8 lo) {
    m_versionHi = hi;
    m_versionLo = lo;
}

void artnet::setOem(quint8 hi, quint8 lo) {
    m_oemHi = hi;
    m_oemLo = lo;
}

bool artnet::setStartUniverse(quint32 portAddress) {
    if (portAddress > 0xFFFF)
        return false;
    m_startUniverse = int(portAddress);
    configureMerger();
    return true;
}

bool artnet::setPollReplyEnabled(bool on) {
    m_pollReplyEnabled = on && openSocket();
    return m_pollReplyEnabled;
}

void artnet::setFrameBuffer(FrameStore *store) {
    m_store = store;
    m_pendingUniverses.clear();
    configureMerger();
    if (!store) {
        m_universeCount = 0;
        m_shadow = {};
        m_pendingLength = {};
        m_pendingUniverses = {};
        return;
    }
    openSocket();
    // Port-Addresses are 15 bits, so no universe index past that is ever held back.
    m_universeCount = std::min(store->universeCount(), quint32(0x8000));
    m_shadow.assign(size_t(m_universeCount) * FrameStore::maxChannelsPerUniverse, 0);
    m_pendingLength.assign(m_universeCount, 0);
    m_pendingUniverses.reserve(m_universeCount);
}

void artnet::configureMerger() {
    const quint32 count = m_store && m_startUniverse >= 0 ? m_store->universeCount() : 0;
    m_merger.configure(quint16(std::max(m_startUniverse, 0)),
                       std::min<quint32>(count, 0x10000 - quint32(std::max(m_startUniverse, 0))));
}

const std::vector<ReplyRange> &artnet::replyRanges() {
    // The live store, not the attach-time copy: the count must follow the layout the
    // engine shows. Without universe slots the node still announces one universe.
    const quint32 universes = std::max(m_store ? m_store->universeCount() : 0u, 1u);
    pollReplyRanges(quint32(std::max(m_startUniverse, 0)), universes, m_ranges);
    return m_ranges;
}

void artnet::setRdm(RdmRequestHandler *responder, bool allUniverses) {
    m_rdm = responder;
    m_rdmObject = dynamic_cast<QObject *>(responder);
    m_rdmWatched = m_rdmObject != nullptr;
    m_rdmAllUniverses = allUniverses;
}

void artnet::setFailSafeState(FailSafeState state) {
    if (state == m_failSafe)
        return;
    m_failSafe = state;
    announceChange(true);
}

RdmRequestHandler *artnet::responder() const {
    return m_rdmWatched && !m_rdmObject ? nullptr : m_rdm;
}

void artnet::report(FindingCode code, quint16 portAddress, const QHostAddress &sender) {
    if (!m_findingsOn)
        return;
    m_findings.report(code, portAddress, {FindingProtocol::ArtNet, sender.toIPv4Address(), {}, {}},
                      m_clock());
}

bool artnet::sentToBroadcast() const {
    if (m_receivedDestination == 0xFFFFFFFF)
        return true;
    quint32 broadcast = 0;
    for (int index = 0;
         m_receivedDestination != 0 && m_net && m_net->getBroadcast(index, broadcast); ++index)
        if (broadcast == m_receivedDestination)
            return true;
    return false;
}

QList<WireUniverses::Row> artnet::wireUniverses() const {
    return m_wire.rows(m_clock(), artnetSourceLossMs);
}

ReceiverStats artnet::stats(std::optional<quint16> levelsOf) const {
    ReceiverStats out = m_merger.stats(m_clock(), levelsOf);
    out.uiDroppedOldProtocol = m_droppedOldProtocol;
    return out;
}

bool artnet::getSyncState(int *syncsPerSecond, bool *senderChanged) const {
    if (!syncActive(m_clock()))
        return false;
    if (syncsPerSecond)
        *syncsPerSecond = m_syncRate;
    if (senderChanged)
        *senderChanged = m_syncSenderChanged;
    return true;
}

void artnet::setTransmitter(ArtNetTransmitter *transmitter) {
    m_transmitter = transmitter ? transmitter : m_socketTransmitter;
}

void artnet::slotSendTimeCode(quint8 hour, quint8 minute, quint8 seconds, quint8 frame, quint8 type,
                              const QHostAddress *destIp) {
    const QByteArray datagram = buildTimeCode(TimeCode{frame, seconds, minute, hour, type});
    if (destIp) {
        transmit(datagram, *destIp);
        return;
    }
    if (!m_net)
        return;
    quint32 broadcast = 0;
    for (int i = 0; m_net->getBroadcast(i, broadcast); ++i)
        transmit(datagram, QHostAddress(broadcast));
}

void artnet::slotSendTimeCode(quint8 hour, quint8 minute, quint8 seconds, quint8 frame,
                              quint8 type) {
    slotSendTimeCode(hour, minute, seconds, frame, type, nullptr);
}

void artnet::slotSetAcLedMode(quint8 acLedMode) {
    if (m_ledControl && (acLedMode == 0x40 || acLedMode == 0x80 || acLedMode == 0xC0))
        m_ledState = acLedMode;
}

bool artnet::openSocket() {
    return m_socket.isOpen() || m_socket.open(openNodeSocket(), this, &artnet::readPackage);
}

void artnet::readPackage() {
    if (!m_socket.isOpen())
        return;
    m_batch.drain(m_socket.fd(), batchesPerWakeUp,
                  [this](Bytes datagram, const DatagramFacts &facts) {
                      if (m_tap)
                          m_tap->tap(udpPort, datagram, facts);
                      if (!m_replaying)
                          handleDatagram(datagram, facts);
                  });
}

void artnet::handleDatagram(Bytes datagram, const DatagramFacts &facts) {
    // setAddress() reuses the address's storage unless a handler copied it.
    m_receiveSender.setAddress(facts.sender);
    m_receivedNs = facts.receivedNs;
    m_receivedDestination = facts.destination;
    handleDatagram(datagram, m_receiveSender);
}

void artnet::transmit(const QByteArray &datagram, const QHostAddress &destination) {
    if (!m_replaying)
        m_transmitter->sendDatagram(datagram, destination);
}

bool artnet::syncActive(qint64 now) const {
    return m_lastSyncMs && now - *m_lastSyncMs <= syncHoldMs;
}

void artnet::debug(const QString &line) const {
    if (m_debugOutput)
        qDebug().noquote() << line;
}

void artnet::handleDatagram(Bytes datagram, const QHostAddress &sender) {
    const std::optional<quint16> opCode = opCodeOf(datagram);
    if (!opCode)
        return;
    if (OpCode(*opCode) != OpCode::Poll && protocolVersionOf(datagram) < protocolVersion) {
        ++m_droppedOldProtocol;
        report(FindingCode::ArtNetOldVersion, 0, sender);
        return;
    }
    switch (OpCode(*opCode)) {
    case OpCode::Poll:
        handlePoll(datagram, sender);
        return;
    case OpCode::PollReply:
        debug(QStringLiteral("Art-Net PollReply"));
        return;
    case OpCode::DataRequest:
        handleDataRequest(datagram, sender);
        return;
    case OpCode::Dmx:
        handleDmx(datagram, sender);
        return;
    case OpCode::Sync:
        handleSync(sender);
        return;
    case OpCode::Address:
        // A replayed capture shows what the network sent; it must not reconfigure this device.
        if (!m_replaying)
            handleAddress(datagram, sender);
        return;
    case OpCode::TimeCode:
        handleTimeCode(datagram, sender);
        return;
    case OpCode::TodRequest:
        handleTodRequest(datagram, sender);
        return;
    case OpCode::TodControl:
        handleTodControl(datagram, sender);
        return;
    case OpCode::Rdm:
        if (!m_replaying)
            handleRdm(datagram, sender);
        return;
    default:
        // Built only when wanted: any datagram with an unknown OpCode lands here.
        if (m_debugOutput)
            debug(QStringLiteral("receive not implemented OpCode at time 0x%1%2")
                      .arg(hex2(datagram[9]), hex2(datagram[8])));
        return;
    }
}

void artnet::handlePoll(Bytes datagram, const QHostAddress &sender) {
    if (!m_pollReplyEnabled || !m_net || m_startUniverse < 0)
        return;
    bool ipv4 = false;
    const quint32 poller = sender.toIPv4Address(&ipv4);
    if (!ipv4)
        return;
    // A poller we cannot answer is not remembered either.
    if (m_net->indexForPeer(poller) < 0)
        return;
    const Poll poll = parsePoll(datagram);
    rememberPoller(poller, poll);
    sendPollReplies(poll, sender, false);
}

// The most recent poll of a controller sets what it wants; the list keeps the pollers heard
// last.
void artnet::rememberPoller(quint32 address, const Poll &poll) {
    const qint64 now = m_clock();
    auto found = std::find_if(m_changePollers.begin(), m_changePollers.end(),
                              [address](const ChangePoller &p) { return p.address == address; });
    if (!poll.replyOnChange()) {
        if (found != m_changePollers.end())
            m_changePollers.erase(found);
        return;
    }
    if (found == m_changePollers.end()) {
        if (m_changePollers.size() < maxChangePollers)
            found = m_changePollers.emplace(m_changePollers.end());
        else
            found = std::min_element(
                m_changePollers.begin(), m_changePollers.end(),
                [](const ChangePoller &a, const ChangePoller &b) { return a.heardMs < b.heardMs; });
    }
    *found = ChangePoller{address, poll, now};
}

void artnet::sendPollReplies(const Poll &poll, const QHostAddress &poller, bool onlyDue) {
    const int index = m_net->indexForPeer(poller.toIPv4Address());
    if (index < 0)
        return;
    quint32 address = 0, broadcast = 0;
    const std::array<quint8, 6> *hardwareAddress = m_net->hardwareAddressBytes(index);
    if (!hardwareAddress || !m_net->getAddress(index, address) ||
        !m_net->getBroadcast(index, broadcast))
        return;

    PollReply reply;
    reply.ipAddress = address;
    reply.versionHi = m_versionHi;
    reply.versionLo = m_versionLo;
    reply.oemHi = m_oemHi;
    reply.oemLo = m_oemLo;
    // Status1 bit 1: RDM capable, only with a responder.
    reply.status1 = quint8(((m_ledControl ? m_ledState : 0) & 0xC0) | (responder() ? 0x02 : 0));
    reply.shortName = m_shortName;
    reply.longName = m_longName;
    reply.nodeReport = m_nodeReport;
    reply.mac = *hardwareAddress;
    reply.status3 = quint8(quint8(m_failSafe) << 6 | (m_failOverSupported ? status3FailOver : 0));
    if (responder())
        if (const std::optional<RdmUid> uid = interfaceRdmUid(*m_net, index))
            reply.defaultResponderUid = uid->toBytes();

    const quint32 universes = std::max(m_store ? m_store->universeCount() : 0u, 1u);
    const QHostAddress destination = poll.replyToBroadcast() ? QHostAddress(broadcast) : poller;
    const qint64 now = m_clock();
    const std::vector<ReplyRange> &ranges = replyRanges();
    // BindIndex 0 means "not bound": a single-universe node is the root device.
    for (size_t k = 0; k < ranges.size(); ++k) {
        if ((onlyDue && !m_replyDue[k]) || !poll.wants(ranges[k].portAddress, ranges[k].numPorts))
            continue;
        reply.portAddress = ranges[k].portAddress;
        reply.numPorts = ranges[k].numPorts;
        reply.bindIp = universes > 1 ? address : 0;
        reply.bindIndex = universes > 1 ? quint8(k + 1) : 0;
        // Ports past NumPorts carry nothing of the previous reply's.
        reply.goodOutput.fill(goodOutputData);
        reply.goodOutputB.fill(0);
        for (size_t j = 0; j < ranges[k].numPorts; ++j) {
            const quint16 portAddress = quint16(ranges[k].portAddress + j);
            const quint32 slot = quint32(portAddress - m_startUniverse);
            // The picture is the output: always painted, so data is output continuously. A
            // universe no Art-Net source drives shows sACN when that is on.
            reply.goodOutput[j] =
                quint8(goodOutputData | m_merger.goodOutputBits(slot, now) |
                       (m_sacnShown && !m_merger.hasLiveSource(slot, now) ? goodOutputSacn : 0));
            // A responder runs no discovery of its own.
            reply.goodOutputB[j] = quint8(goodOutputBContinuous | goodOutputBNoDiscovery |
                                          goodOutputBNoBackgroundDiscovery |
                                          (carriesRdm(portAddress) ? 0 : goodOutputBRdmOff));
        }
        transmit(buildPollReply(reply), destination);
        if (m_debugOutput)
            debug(QStringLiteral("PollReply to %1 from %2 SubId %3")
                      .arg(destination.toString(), QHostAddress(address).toString())
                      .arg(k));
    }
}

void artnet::announceChange(bool all) {
    const std::vector<quint32> &changes = m_merger.mergeChanges();
    if (!all && changes.empty())
        return;
    const qint64 now = m_clock();
    std::erase_if(m_changePollers,
                  [now](const ChangePoller &p) { return now - p.heardMs > changePollerTimeoutMs; });
    if (!m_changePollers.empty() && m_pollReplyEnabled && m_net && m_startUniverse >= 0) {
        const std::vector<ReplyRange> &ranges = replyRanges();
        m_replyDue.assign(ranges.size(), all);
        for (quint32 slot : changes) {
            const quint32 portAddress = quint32(m_startUniverse) + slot;
            // The last reply starting at or below the Port-Address, if it announces it.
            auto after =
                std::upper_bound(ranges.begin(), ranges.end(), portAddress,
                                 [](quint32 p, const ReplyRange &r) { return p < r.portAddress; });
            if (after != ranges.begin() &&
                portAddress < quint32(std::prev(after)->portAddress) + std::prev(after)->numPorts)
                m_replyDue[size_t(std::prev(after) - ranges.begin())] = true;
        }
        for (const ChangePoller &p : m_changePollers)
            sendPollReplies(p.poll, QHostAddress(p.address), true);
    }
    m_merger.clearMergeChanges();
}

void artnet::checkMerges() {
    if (!m_merger.expireMerges(m_clock()))
        m_mergeWatch.stop();
    announceChange(false);
}

void artnet::handleDataRequest(Bytes datagram, const QHostAddress &sender) {
    if (!m_pollReplyEnabled || !m_net)
        return;
    bool ipv4 = false;
    const quint32 requester = sender.toIPv4Address(&ipv4);
    if (!ipv4 || m_net->indexForPeer(requester) < 0)
        return;
    const quint16 request = parseDataRequest(datagram).request;
    const QByteArray url = dataUrl(DataRequestCode(request));
    // DrPoll is answered with an empty payload: "this node knows ArtDataRequest".
    if (url.isEmpty() && DataRequestCode(request) != DataRequestCode::Poll)
        return;
    // The URL goes with its terminating zero.
    writeDataReply(m_reply, m_oemHi, m_oemLo, request,
                   Bytes(reinterpret_cast<const quint8 *>(url.constData()),
                         url.isEmpty() ? 0 : size_t(url.size()) + 1));
    transmit(m_reply, sender);
}

void artnet::handleDmx(Bytes datagram, const QHostAddress &sender) {
    if (!m_store || m_startUniverse < 0)
        return;
    parseDmx(datagram, m_dmx);
    const qint64 now = m_clock();
    const quint32 source = sender.toIPv4Address();
    m_wire.note(m_dmx.portAddress, source, now);
    if (!m_dmx.lengthValid)
        report(FindingCode::ArtNetBadLength, m_dmx.portAddress, sender);
    // The interface walk is kept off the receive path while findings are off.
    if (m_findingsOn && sentToBroadcast())
        report(FindingCode::ArtNetBroadcast, m_dmx.portAddress, sender);
    if (m_dmx.portAddress < m_startUniverse)
        return;
    const quint32 k = quint32(m_dmx.portAddress - m_startUniverse);
    const Bytes levels = m_merger.accept(m_dmx, source, now, m_receivedNs);
    if (!m_merger.mergeChanges().empty()) {
        // Sources that go quiet end a merge without a packet: watched while one is on.
        if (!m_mergeWatch.isActive())
            m_mergeWatch.start();
        announceChange(false);
    }
    if (levels.empty())
        return;
    if (m_watch)
        m_watch->observe(k, levels, m_receivedNs, {SampleSource::Protocol::ArtNet, source, {}});
    if (!syncActive(now)) {
        m_store->writeUniverse(k, levels, FrameStore::Writer::ArtNet, m_receivedNs);
        // Newer than anything held back for the next ArtSync.
        if (k < m_universeCount)
            m_pendingLength[k] = 0;
        return;
    }
    if (k >= m_universeCount)
        return;
    // Held back as received, so the store derives it with the start address of the ArtSync.
    const size_t count = std::min(levels.size(), size_t(FrameStore::maxChannelsPerUniverse));
    std::memcpy(m_shadow.data() + size_t(k) * FrameStore::maxChannelsPerUniverse, levels.data(),
                count);
    if (m_pendingLength[k] == 0)
        m_pendingUniverses.push_back(k);
    m_pendingLength[k] = std::max(m_pendingLength[k], quint16(count));
}

void artnet::handleSync(const QHostAddress &sender) {
    if (!syncReported) {
        syncReported = true;
        debug(QStringLiteral("receiving Art-Net SYNC from ") + sender.toString());
    }
    const qint64 now = m_clock();
    m_lastSyncMs = now;
    const qint64 second = now / 1000;
    if (second == m_syncSecond) {
        ++m_syncCount;
    } else {
        m_syncSenderChanged = sender != m_syncSender;
        m_syncSender = sender;
        m_syncSecond = second;
        m_syncRate = m_syncCount;
        m_syncCount = 1;
    }

    // Held data is due when the sync arrives, so its latency counts from then.
    if (m_store)
        m_store->writeUniverses(m_pendingUniverses, m_shadow, m_pendingLength,
                                FrameStore::Writer::ArtNet, m_receivedNs);
    for (quint32 k : m_pendingUniverses)
        m_pendingLength[k] = 0;
    m_pendingUniverses.clear();
    debug(QStringLiteral("ART SYNC "));
}

void artnet::handleAddress(Bytes datagram, const QHostAddress &sender) {
    applyAddressCommand(datagram);
    // A node answers ArtAddress with its poll reply, so the controller sees what it changed.
    if (m_pollReplyEnabled && m_net && m_startUniverse >= 0)
        sendPollReplies(Poll{}, sender, false);
}

void artnet::applyAddressCommand(Bytes datagram) {
    const AddressCommand command = parseAddressCommand(datagram);
    if (command.command >= acFailHold && command.command <= acFailRecord) {
        if (!m_failOverSupported)
            return;
        if (command.command == acFailRecord)
            emit failSafeRecordRequested();
        else
            emit failSafeRequested(FailSafeState(command.command - acFailHold));
        return;
    }
    if (command.command == acCancelMerge) {
        m_merger.cancelMerge();
        return;
    }
    const bool ltp = command.command >= acMergeLtp0 && command.command < acMergeLtp0 + 4;
    if (ltp || (command.command >= acMergeHtp0 && command.command < acMergeHtp0 + 4)) {
        // BindIndex 0 and 1 both name the first reply.
        const std::vector<ReplyRange> &ranges = replyRanges();
        const size_t reply = command.bindIndex == 0 ? 0 : command.bindIndex - 1u;
        const int port = command.command & 0x03;
        if (m_startUniverse >= 0 && reply < ranges.size() && port < ranges[reply].numPorts)
            m_merger.setLtp(quint32(ranges[reply].portAddress + port - m_startUniverse), ltp);
        return;
    }
    if (!m_ledControl)
        return;
    switch (parseAddressLedCommand(datagram).value_or(LedCommand(0))) {
    case LedCommand::Normal:
        m_ledState = 0xC0;
        break;
    case LedCommand::Mute:
        m_ledState = 0x80;
        break;
    case LedCommand::Locate:
        m_ledState = 0x40;
        break;
    default:
        break;
    }
}

void artnet::handleTimeCode(Bytes datagram, const QHostAddress &sender) {
    if (!timeCodeReported) {
        timeCodeReported = true;
        debug(QStringLiteral("receiving Art-Net TIMECODE ..."));
    }
    const TimeCode timeCode = parseTimeCode(datagram);
    for (TimeCodeRecord &record : m_timeCodes) {
        if (record.sender == sender) {
            record.timeCode = timeCode;
            return;
        }
    }
    if (m_timeCodes.size() >= maxTimeCodeSenders)
        m_timeCodes.removeFirst();
    m_timeCodes.append({timeCode, sender});
}

bool artnet::carriesRdm(quint16 portAddress) const {
    if (m_startUniverse < 0 || !responder() || portAddress > 32767)
        return false;
    return m_rdmAllUniverses ? portAddress >= m_startUniverse : portAddress == m_startUniverse;
}

void artnet::handleTodRequest(Bytes datagram, const QHostAddress &sender) {
    const TodRequest request = parseTodRequest(datagram);
    for (int i = 0; i < request.count; ++i) {
        const quint16 portAddress = request.portAddress(i);
        if (carriesRdm(portAddress))
            sendTodData(portAddress, sender);
        // A broadcast request asks every node; one sent to us asks for what we announced.
        else if (m_receivedDestination != 0 && !sentToBroadcast())
            report(FindingCode::ArtNetRdmNotServed, portAddress, sender);
    }
}

void artnet::handleTodControl(Bytes datagram, const QHostAddress &sender) {
    const quint16 portAddress = parseTodControlPortAddress(datagram);
    if (carriesRdm(portAddress))
        sendTodData(portAddress, sender);
}

// Answered with or without a responder: the UID is the interface's, not the responder's.
void artnet::sendTodData(quint16 portAddress, const QHostAddress &sender) {
    if (!m_net)
        return;
    bool ipv4 = false;
    const quint32 requester = sender.toIPv4Address(&ipv4);
    if (!ipv4)
        return;
    const int index = m_net->indexForPeer(requester);
    const std::optional<RdmUid> uid = interfaceRdmUid(*m_net, index);
    quint32 address = 0;
    if (!uid || !m_net->getAddress(index, address))
        return;
    // The BindIndex of the poll reply that announces this Port-Address.
    const quint32 universes = m_store ? m_store->universeCount() : 0;
    const std::vector<ReplyRange> &ranges = replyRanges();
    // Past the announced ones (RDM on all universes) the first reply's index stands in.
    quint8 bindIndex = universes > 1 ? 1 : 0;
    for (size_t k = 0; k < ranges.size() && universes > 1; ++k)
        if (portAddress >= ranges[k].portAddress &&
            portAddress < ranges[k].portAddress + ranges[k].numPorts)
            bindIndex = quint8(k + 1);
    writeTodData(m_reply, portAddress, bindIndex, uid->toBytes());
    transmit(m_reply, sender);
    if (m_debugOutput)
        debug(QStringLiteral("ArtTodData to %1 from %2\n")
                  .arg(sender.toString(), QHostAddress(address).toString()));
}

void artnet::handleRdm(Bytes datagram, const QHostAddress &sender) {
    RdmRequestHandler *handler = responder();
    if (!handler || !m_net)
        return;
    const std::optional<artnetpackets::ArtRdmRequest> request = parseRdm(datagram);
    if (!request)
        return;
    if (!carriesRdm(request->portAddress)) {
        report(FindingCode::ArtNetRdmNotServed, request->portAddress, sender);
        return;
    }
    bool ipv4 = false;
    const quint32 requester = sender.toIPv4Address(&ipv4);
    if (!ipv4)
        return;
    // The request is answered as the device this controller was told about in ArtTodData.
    const std::optional<RdmUid> uid = announcedRdmUid(*m_net, requester);
    if (!uid)
        return;
    const QByteArrayView response = handler->handleRequest(
        QByteArrayView(request->message.data(), qsizetype(request->message.size())), *uid);
    if (response.isEmpty())
        return;
    writeRdm(m_reply, request->portAddress,
             Bytes(reinterpret_cast<const quint8 *>(response.data()), size_t(response.size())));
    transmit(m_reply, sender);
}
