#include "enginetestsupport.h"
#include "rdm/rdmtestframing.h"

#include "buildinfo.h"
#include "engine/screenengine.h"
#include "net/acnnet.h"
#include "net/artnet.h"
#include "net/network.h"
#include "net/tst_acnsupport.h"
#include "rdm/buildlabel.h"
#include "rdm/configurator.h"
#include "rdm/rdm.h"
#include "rdm/rdmconstants.h"
#include "rdm/sensorinfo.h"
#include "settings/settingsstore.h"
#include "testsettingsstore.h"

#include <QMetaMethod>
#include <QNetworkDatagram>
#include <QPointer>
#include <QUdpSocket>
#include <QtTest>

#include <array>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace EngineTest;

namespace {

const RdmUid ownUid{RdmTest::ownManufacturer, RdmTest::ownDevice};

QByteArray answer(rdm &responder, const QByteArray &request) {
    return responder.handleRequest(request, ownUid).toByteArray();
}

void processDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// An E1.31 sender on loopback, as a console on this machine would send.
bool sendE131(quint16 universe, const QByteArray &levels) {
    E131PacketBuilder packet;
    packet.universe = universe;
    packet.levels = levels;
    const QByteArray bytes = packet.build();
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    in_addr loopback{htonl(INADDR_LOOPBACK)};
    setsockopt(fd, IPPROTO_IP, IP_MULTICAST_IF, &loopback, sizeof(loopback));
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(5568);
    to.sin_addr.s_addr = htonl(0xEFFF0000u | universe);
    const bool sent = ::sendto(fd, bytes.constData(), size_t(bytes.size()), 0,
                               reinterpret_cast<const sockaddr *>(&to), sizeof(to)) == bytes.size();
    ::close(fd);
    return sent;
}

bool isBlack(const QImage &picture) {
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != qRgb(0, 0, 0))
                return false;
    return true;
}

} // namespace

class TestEngineWiring : public QObject {
    Q_OBJECT
    TemporarySettingsStore m_store;

private slots:
    void defaultsBuildEveryObject();
    void deviceModelFilledOnce();
    void responderSetsReachModel();
    void rdmFactoryDefaultsAlwaysResets();
    void startAddressIsKeptAndFollowed();
    void resetDeviceReapplies();
    void atMost38InterfacesForRdm();
    void switchingProtocolsOnAndOff();
    void responderFollowsNetworkAndUseRdm();
    void teardownWaitsForSacnThread();
};

void TestEngineWiring::defaultsBuildEveryObject() {
    Configurator model;
    ScreenEngine engine(oneInterface());
    engine.configure(&model, settings(true, true, {1920, 1080}), 0, 7, QDateTime());
    QVERIFY(!engine.networkObject()); // nothing before the first frame
    paint(engine);

    QVERIFY(engine.networkObject());
    QVERIFY(engine.artnetNode());
    QVERIFY(engine.sacnReceiver());
    QVERIFY(engine.sensors());
    QVERIFY(engine.responder());
    QThread *thread = engine.sacnThread();
    QVERIFY(thread);
    QCOMPARE(thread->objectName(), QStringLiteral("sACN"));
    QCOMPARE(engine.sacnReceiver()->thread(), thread);
    QTRY_VERIFY(thread->isRunning());
    QCOMPARE(thread->priority(), QThread::HighPriority);
    QCOMPARE(engine.sacnReceiver()->sourceName(), QByteArray("Tessaview"));

    // What the node tells a poller (ArtPollReply offsets).
    Recorder recorder;
    engine.artnetNode()->setTransmitter(&recorder);
    feed(*engine.artnetNode(), artPoll());
    engine.artnetNode()->setTransmitter(nullptr);
    QCOMPARE(recorder.sent.size(), 1);
    const QByteArray reply = recorder.sent.first();
    QCOMPARE(quint8(reply[16]), quint8(2)); // VersInfoH
    QCOMPARE(quint8(reply[17]), quint8(8)); // VersInfoL
    // OemHi, Oem: the node's own "unknown" code, not a code registered to another product.
    QCOMPARE(quint8(reply[20]), quint8(0x00));
    QCOMPARE(quint8(reply[21]), quint8(0xFF));
    QCOMPARE(field(reply, 26, 18), QByteArray("Tessaview")); // ShortName
    QCOMPARE(field(reply, 44, 64), "Tessaview V2.8 by " + QByteArray(BuildInfo::makerWeb));
    QCOMPARE(field(reply, 108, 64), QByteArray("sS 1920x1080 aS 17x10 U 1 C 1 CpU 510"));
}

void TestEngineWiring::deviceModelFilledOnce() {
    Configurator model;
    const QDateTime start = QDateTime::currentDateTime().addSecs(-7200);
    ScreenEngine engine(oneInterface());
    SettingsRecord record = settings();
    record.DmxChannelPerUniverse = 300;
    record.LanguageIso = 0x6465;
    record.ScreenLevel = 200;
    record.ScreenFlip = 2; // vertical
    record.ScreenRotate = 90;
    engine.configure(&model, record, 2, 41, start);
    paint(engine);

    QCOMPARE(model.deviceModelId(), quint16(0x0208));
    QCOMPARE(model.productCategory(), quint16(0x0101));
    QCOMPARE(model.softwareVersionId(), quint32(0x02080300));
    QCOMPARE(model.dmxFootprint(), quint16(300));
    QCOMPARE(model.productDetailIdList(), QList<quint16>({0x0204, 0x0601}));
    QCOMPARE(model.deviceLabel(), QStringLiteral("Tessaview"));
    QCOMPARE(model.manufacturerLabel(), QString::fromLatin1(BuildInfo::makerWeb));
    QCOMPARE(model.languageCapabilities(), QList<quint16>({0x6465, 0x656E}));
    QCOMPARE(model.language(), quint16(0x6465));
    QCOMPARE(model.softwareVersionLabel(), QStringLiteral("V2.8"));
    QCOMPARE(model.bootSoftwareVersionId(), quint32(32));
    QCOMPARE(model.bootSoftwareVersionLabel(), bootSoftwareVersionLabel());
    QCOMPARE(model.dmxPersonality(), quint8(3)); // preset 2
    const QList<stDmxPersonality> personalities = model.personalityDescriptions();
    QCOMPARE(personalities.size(), 10);
    QCOMPARE(personalities.first(), (stDmxPersonality{300, QStringLiteral("Current")}));
    QCOMPARE(personalities.last(), (stDmxPersonality{512, QStringLiteral("Preset 9")}));
    QCOMPARE(model.dmxStartAddress(), quint16(1));
    QCOMPARE(model.deviceHoursReference(), start);
    QCOMPARE(model.deviceHours(), quint32(2));
    QCOMPARE(model.devicePowerCycles(), quint32(41));
    QCOMPARE(model.displayLevel(), quint8(200));
    QCOMPARE(model.screenFlipVertical(), quint8(1));
    QCOMPARE(model.screenFlipHorizontal(), quint8(0));
    QCOMPARE(model.screenRotation(), quint16(90));
    QCOMPARE(model.selfTestDescriptions().size(), 7);
    QCOMPARE(model.selfTestDescriptions().last(),
             (stSelfTestDescription{255, QStringLiteral("SELF_TEST_ALL")}));
    QCOMPARE(model.lockPin(), quint16(7391));
    QCOMPARE(model.presetStatus().size(), 9);
    QCOMPARE(model.presetMergeMode(), quint8(2));
    QCOMPARE(model.listInterfaces(), (QList<stListInterfaces>{{0x0A000005, 1}}));
    QCOMPARE(model.ipV4CurrentAddress(),
             (QList<stIpV4CurrentAddress>{{0x0A000005, 0xFFFFFF00, 2}}));
    QCOMPARE(model.ipV4StaticAddress(), (QList<stIpV4StaticAddress>{{0x0A000005, 0xFFFFFF00}}));
    QCOMPARE(model.ipV4NameServer(), QList<QHostAddress>{QHostAddress::LocalHost});
    QCOMPARE(model.dnsHostName(), QStringLiteral("tessa1"));
    QCOMPARE(model.dnsDomainName(), QStringLiteral("lan"));
    // A freshly started device reports that it is at its factory defaults.
    QVERIFY(model.factoryDefaults());

    // Later applies leave the model to the window.
    model.slotSetDisplayLevel(9);
    record.ScreenLevel = 100;
    engine.setSelfTest(4);
    engine.configure(&model, record, 5, 41, start);
    paint(engine);
    QCOMPARE(model.displayLevel(), quint8(9));
    QCOMPARE(model.dmxPersonality(), quint8(3));
    QCOMPARE(model.performSelfTest(), quint8(0));
}

void TestEngineWiring::responderSetsReachModel() {
    Configurator model;
    ScreenEngine engine(oneInterface());
    engine.configure(&model, settings(), 0, 0, QDateTime::currentDateTime());
    paint(engine);
    rdm &responder = *engine.responder();

    // A real request: SET DISPLAY_LEVEL 80 is acknowledged and the next frame uses it.
    const QByteArray set =
        RdmTest::request(Rdm::CommandClass::set, Rdm::Pid::displayLevel, QByteArray(1, char(80)));
    QCOMPARE(answer(responder, set), RdmTest::ack(Rdm::CommandClass::set, Rdm::Pid::displayLevel));
    QCOMPARE(model.displayLevel(), quint8(80));
}

void TestEngineWiring::rdmFactoryDefaultsAlwaysResets() {
    Configurator model;
    ScreenEngine engine(oneInterface());
    engine.configure(&model, settings(), 0, 0, QDateTime::currentDateTime());
    paint(engine);
    QVERIFY(model.factoryDefaults());

    // A stand-in for the window's factory reset: it puts its default screen values back.
    int resets = 0;
    connect(&model, &Configurator::signalChangedFactoryDefaults, &model, [&] {
        ++resets;
        model.slotSetDisplayLevel(255);
        model.slotSetScreenRotation(0);
    });
    model.slotSetScreenRotation(90);
    model.slotSetResetFactoryDefaults(); // as right after start-up

    const QByteArray request = RdmTest::request(Rdm::CommandClass::set, Rdm::Pid::factoryDefaults);
    const QByteArray ack = RdmTest::ack(Rdm::CommandClass::set, Rdm::Pid::factoryDefaults);
    QCOMPARE(answer(*engine.responder(), request), ack);
    QCOMPARE(resets, 1);
    QCOMPARE(model.screenRotation(), quint16(0));
    QVERIFY(model.factoryDefaults());
    QCOMPARE(answer(*engine.responder(), request), ack);
    QCOMPARE(resets, 2);
}

// The address comes from the store at start-up, moved back as far as the footprint needs; a
// controller's new one moves the channels the frame takes and is stored for the next start.
void TestEngineWiring::startAddressIsKeptAndFollowed() {
    SettingsStore::saveDmxStartAddress(5);
    Configurator model;
    ScreenEngine engine(oneInterface());
    engine.configure(&model, settings(), 0, 0, QDateTime::currentDateTime());
    paint(engine);
    QCOMPARE(model.dmxStartAddress(), quint16(3)); // 510 slots end at channel 512
    QCOMPARE(engine.frameStore().startAddress(), quint16(3));
    const std::array<quint8, 6> universe{1, 2, 3, 4, 5, 6}; // channels 1-6, sent once
    engine.frameStore().writeUniverse(0, universe, FrameStore::Writer::Sacn);
    QCOMPARE(engine.frameImage().pixel(0, 0), qRgb(3, 4, 5));

    using namespace Rdm;
    const QByteArray set =
        RdmTest::request(CommandClass::set, Pid::dmxStartAddress, QByteArray::fromHex("0002"));
    QCOMPARE(answer(*engine.responder(), set),
             RdmTest::ack(CommandClass::set, Pid::dmxStartAddress));
    QCOMPARE(engine.frameStore().startAddress(), quint16(2));
    QCOMPARE(engine.frameImage().pixel(0, 0), qRgb(2, 3, 4)); // without a new packet
    QCOMPARE(SettingsStore::loadDmxStartAddress(), quint16(2));
}

// A warm start applies the settings in effect again at the next frame; a cold one waits until
// the answer is out and then builds the receivers anew.
void TestEngineWiring::resetDeviceReapplies() {
    Configurator model;
    ScreenEngine engine(oneInterface());
    engine.configure(&model, settings(), 0, 0, QDateTime::currentDateTime());
    paint(engine);
    paint(engine);
    QCOMPARE(engine.statusFrameCount(), 2u); // overlay frames since the apply
    const QPointer<artnet> node = engine.artnetNode();
    const QPointer<acnnet> receiver = engine.sacnReceiver();

    using namespace Rdm;
    const auto reset = [&](char startType) {
        return answer(*engine.responder(), RdmTest::request(CommandClass::set, Pid::resetDevice,
                                                            QByteArray(1, startType)));
    };
    const QByteArray ack = RdmTest::ack(CommandClass::set, Pid::resetDevice);
    QCOMPARE(reset(0x01), ack);
    QVERIFY(engine.needsRepaint());
    paint(engine);
    QCOMPARE(engine.statusFrameCount(), 1u);
    QCOMPARE(engine.artnetNode(), node.data());

    QCOMPARE(reset(char(0xFF)), ack);
    paint(engine);
    QCOMPARE(engine.statusFrameCount(), 2u); // nothing before the answer has gone
    QCoreApplication::sendPostedEvents();
    processDeferredDeletes();
    QVERIFY(node.isNull());
    QTRY_VERIFY(receiver.isNull());
    paint(engine);
    QCOMPARE(engine.statusFrameCount(), 1u);
    QVERIFY(engine.artnetNode() && engine.sacnReceiver());
}

void TestEngineWiring::atMost38InterfacesForRdm() {
    Configurator model;
    QList<InterfaceRecord> records;
    for (int i = 1; i <= 40; ++i) {
        const QByteArray address = "10.0." + QByteArray::number(i) + ".5";
        const QByteArray broadcast = "10.0." + QByteArray::number(i) + ".255";
        records.append(interface(address.constData(), "255.255.255.0", broadcast.constData(),
                                 "00:1A:2B:3C:4D:5E", "eth"));
    }
    ScreenEngine engine([&records] {
        return std::make_unique<network>(records, QStringLiteral("host"), QString());
    });
    engine.configure(&model, settings(), 0, 0, QDateTime::currentDateTime());
    paint(engine);
    QCOMPARE(model.listInterfaces().size(), 38);
    QCOMPARE(model.listInterfaces().last().uiInterfaceId, quint32(0x0A002605)); // 10.0.38.5
    QCOMPARE(model.interfaceLabel().size(), 38);
    QCOMPARE(model.ipV4DhcpMode().size(), 38);
    // The status lists them all.
    QCOMPARE(engine.interfaceText().count(QLatin1Char('\n')), 39);
    QVERIFY(engine.interfaceText().endsWith(QStringLiteral("10.0.40.5 - eth")));
}

void TestEngineWiring::switchingProtocolsOnAndOff() {
    // The machine's own interfaces (loopback inside the test namespace), so real datagrams
    // arrive.
    ScreenEngine engine;
    engine.configure(nullptr, settings(), 0, 0, {});
    paint(engine);
    const QPointer<artnet> node = engine.artnetNode();
    const QPointer<acnnet> receiver = engine.sacnReceiver();
    const QPointer<network> net = engine.networkObject();
    QVERIFY(node && receiver && net);

    // Art-Net over UDP: Port-Address 0 is universe index 0, cell 0 red.
    QUdpSocket console;
    QCOMPARE(console.writeDatagram(artDmx(0, QByteArray::fromHex("ff0000")),
                                   QHostAddress::LocalHost, 6454),
             qint64(21));
    QTRY_COMPARE(paint(engine).pixel(10, 10), qRgb(255, 0, 0));

    // Art-Net off and a 20 x 10 grid: the node goes at the next frame (deferred), the sACN
    // receiver stays and fills the new, larger frame; universe 2 lands at cell 170.
    SettingsRecord record = settings(false, true);
    record.DmxSizeX = 20;
    engine.configure(nullptr, record, 0, 0, {});
    paint(engine);
    QVERIFY(!engine.artnetNode());
    QVERIFY(node); // deletion pending
    processDeferredDeletes();
    QVERIFY(!node);
    QCOMPARE(engine.sacnReceiver(), receiver.data());
    QCOMPARE(engine.networkObject(), net.data());
    QCOMPARE(engine.frameStore().length(), 600u);
    QVERIFY(engine.interfaceText().endsWith(QStringLiteral("\nArt-Net Disabled")));
    QVERIFY(sendE131(2, QByteArray::fromHex("00ff00")));
    // 20 x 10 cells of 17 x 20 pixels: cell 170 is row 8, column 10.
    QTRY_COMPARE(paint(engine).pixel(10 * 17 + 8, 8 * 20 + 10), qRgb(0, 255, 0));

    // Both off: receiver and snapshot go, its thread ends, and no frame reaches the painter,
    // not even a self test.
    const QPointer<QThread> thread = engine.sacnThread();
    engine.configure(nullptr, settings(false, false), 0, 0, {});
    paint(engine);
    QVERIFY(!engine.sacnReceiver());
    QVERIFY(!engine.networkObject());
    QVERIFY(!net);
    QTRY_VERIFY(!receiver);
    QTRY_VERIFY(!thread);
    QCOMPARE(engine.interfaceText(), QStringLiteral("Art-Net Disabled\nsACN Disabled"));
    QCOMPARE(engine.frameStore().length(), 0u);
    engine.setSelfTest(255);
    engine.setStatusVisible(false);
    for (int frame = 0; frame < 1000; ++frame) // past the status overlay
        paint(engine);
    QVERIFY(isBlack(paint(engine)));
    engine.setSelfTest(0);

    // Art-Net back on: a new snapshot and node, fed over UDP again.
    engine.configure(nullptr, settings(true, false), 0, 0, {});
    paint(engine);
    QVERIFY(engine.networkObject());
    QVERIFY(engine.artnetNode());
    QCOMPARE(console.writeDatagram(artDmx(0, QByteArray::fromHex("0000ff")),
                                   QHostAddress::LocalHost, 6454),
             qint64(21));
    QTRY_COMPARE(paint(engine).pixel(10, 10), qRgb(0, 0, 255));
}

void TestEngineWiring::responderFollowsNetworkAndUseRdm() {
    Configurator model;
    int snapshots = 0;
    ScreenEngine engine(oneInterface(&snapshots));
    SettingsRecord record = settings();
    record.UseRdm = false;
    engine.configure(&model, record, 0, 0, QDateTime::currentDateTime());
    paint(engine);
    QVERIFY(engine.responder());

    // ArtRdm GET DEVICE_LABEL from a controller on eth0's subnet: no answer while RDM is off.
    const QByteArray getLabel =
        artRdm(0, RdmTest::request(Rdm::CommandClass::get, Rdm::Pid::deviceLabel));
    Recorder recorder;
    engine.artnetNode()->setTransmitter(&recorder);
    feed(*engine.artnetNode(), getLabel);
    QCOMPARE(recorder.sent.size(), 0);
    record.UseRdm = true;
    engine.configure(&model, record, 0, 0, QDateTime::currentDateTime());
    paint(engine);
    feed(*engine.artnetNode(), getLabel);
    engine.artnetNode()->setTransmitter(nullptr);
    QCOMPARE(recorder.sent.size(), 1);
    QCOMPARE(
        recorder.sent.first().mid(24),
        RdmTest::ack(Rdm::CommandClass::get, Rdm::Pid::deviceLabel, RdmTest::text("Tessaview")));

    // The responder never keeps a dropped snapshot: without one the DNS names are refused,
    // with a new one they come from it.
    const QByteArray getHost = RdmTest::request(Rdm::CommandClass::get, Rdm::Pid::dnsHostname);
    QCOMPARE(
        answer(*engine.responder(), getHost),
        RdmTest::ack(Rdm::CommandClass::get, Rdm::Pid::dnsHostname, RdmTest::text("tessa1", 63)));
    engine.configure(&model, settings(false, false), 0, 0, QDateTime::currentDateTime());
    paint(engine);
    QCOMPARE(answer(*engine.responder(), getHost),
             RdmTest::nack(Rdm::CommandClass::get, Rdm::Pid::dnsHostname, Rdm::Nack::formatError));
    engine.configure(&model, settings(false, true), 0, 0, QDateTime::currentDateTime());
    paint(engine);
    QCOMPARE(snapshots, 2);
    QCOMPARE(
        answer(*engine.responder(), getHost),
        RdmTest::ack(Rdm::CommandClass::get, Rdm::Pid::dnsHostname, RdmTest::text("tessa2", 63)));
}

void TestEngineWiring::teardownWaitsForSacnThread() {
    QPointer<acnnet> receiver;
    QPointer<QThread> thread;
    QPointer<acnnet> retiredReceiver;
    QPointer<QThread> retiredThread;
    QPointer<artnet> retiredNode;
    {
        ScreenEngine engine(oneInterface());
        engine.configure(nullptr, settings(), 0, 0, {});
        paint(engine);
        retiredReceiver = engine.sacnReceiver();
        retiredThread = engine.sacnThread();
        retiredNode = engine.artnetNode();
        // Switched off and on again without an event loop in between: the old receiver, its
        // thread and the old node still wait for their deletion when the engine goes.
        engine.configure(nullptr, settings(false, false), 0, 0, {});
        paint(engine);
        engine.configure(nullptr, settings(), 0, 0, {});
        paint(engine);
        receiver = engine.sacnReceiver();
        thread = engine.sacnThread();
        QVERIFY(receiver && thread && retiredNode);
        QVERIFY(receiver != retiredReceiver);
    }
    // Without any event loop: everything is gone once the engine is.
    QVERIFY(!receiver);
    QVERIFY(!thread);
    QVERIFY(!retiredReceiver);
    QVERIFY(!retiredThread);
    QVERIFY(!retiredNode);
}

QTEST_MAIN(TestEngineWiring)
#include "tst_enginewiring.moc"
