#include "net/artnet.h"
#include "net/framestore.h"
#include "net/network.h"
#include "net/rdmuid.h"
#include "peertools.h"
#include "tests/rdm/rdmtestsupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// Our RDM responder behind our Art-Net node, driven by an independent controller: OLA's
// daemon in a network namespace of its own, joined to ours by a veth pair
// (scripts/ola-peer.sh; main() below re-runs this program through it). OLA's Art-Net output
// port 0 is patched to OLA universe 1, which leaves the plugin as Port-Address 1, our node's
// start universe. OLA's clients run while this process's event loop keeps serving the node.

namespace {

const std::initializer_list<const char *> harnessArgs = {"--plugin", "artnet", "--patch",
                                                         "artnet:0:1"};

constexpr int olaUniverse = 1;
constexpr quint16 footprint = 600;

using Peer::OlaRun;

// OLA's RDM clients get 20 s: a full discovery takes a while.
OlaRun runOla(const QStringList &arguments) {
    return Peer::runOla(arguments, {}, 20000);
}

// What olad logs (at warning level) about an answer it dropped.
const QRegularExpression droppedAnswer(QStringLiteral("mismatch|malformed|checksum|invalid"),
                                       QRegularExpression::CaseInsensitiveOption);

} // namespace

class TestOlaRdm : public QObject {
    Q_OBJECT

    QDateTime started = QDateTime::currentDateTimeUtc();
    std::unique_ptr<network> net;
    std::unique_ptr<Configurator> model;
    std::unique_ptr<SensorInfo> sensors;
    std::unique_ptr<rdm> responder;
    std::unique_ptr<artnet> node;
    FrameStore store;
    QString uid;
    QString tshark;
    QTemporaryDir captureDir;
    QString capture;
    QProcess capturing;

    static void expect(const QByteArray &output, std::initializer_list<const char *> lines) {
        for (const char *line : lines)
            if (!output.contains(line))
                QTest::qFail(
                    qPrintable(QStringLiteral("missing \"%1\" in\n%2")
                                   .arg(QLatin1String(line), QString::fromLocal8Bit(output))),
                    __FILE__, __LINE__);
    }

    // ola_rdm_get / ola_rdm_set for our UID; fails on anything but a clean ACK.
    QByteArray rdmCommand(const char *tool, const QString &pid, const QStringList &values = {}) {
        const OlaRun run =
            runOla(QStringList{QLatin1String(tool), QStringLiteral("-u"),
                               QString::number(olaUniverse), QStringLiteral("--uid"), uid, pid} +
                   values);
        const QString text = QString::fromLocal8Bit(run.output);
        const QString what = QStringLiteral("%1 %2 %3: exit %4\n%5")
                                 .arg(QLatin1String(tool), pid, values.join(u' '))
                                 .arg(run.exitCode)
                                 .arg(text);
        qInfo().noquote() << what;
        if (!run.finished || run.exitCode != 0 || text.contains(Peer::olaFailure))
            QTest::qFail(qPrintable(what), __FILE__, __LINE__);
        return run.output;
    }

private slots:
    void initTestCase() {
        if (qEnvironmentVariable("TESSAVIEW_OLA_RUN").isEmpty())
            QSKIP("run through scripts/ola-peer.sh");
        net = std::make_unique<network>();
        const QHostAddress remote(qEnvironmentVariable("TESSAVIEW_PEER_REMOTE"));
        const int index = net->indexForPeer(remote.toIPv4Address());
        QVERIFY2(index >= 0, "the veth end must be in the snapshot");

        // The responder, its model and sensors as the engine sets them up.
        model = std::make_unique<Configurator>();
        sensors = std::make_unique<SensorInfo>();
        responder = std::make_unique<rdm>(model.get(), sensors.get(), net.get());
        RdmTest::fillStartupModel(*model, *net, footprint, started);

        node = std::make_unique<artnet>(net.get());
        node->setVersion(2, 8);
        node->setShortName(QStringLiteral("Tessaview"));
        node->setLongName(QStringLiteral("Tessaview RDM peer test"));
        QVERIFY(node->setStartUniverse(olaUniverse));
        store.allocate(2 * 510, 510);
        node->setFrameBuffer(&store);
        QVERIFY(node->setPollReplyEnabled(true));
        node->setRdm(responder.get(), false);
        QVERIFY(node->isListening());

        const std::optional<RdmUid> announced = announcedRdmUid(*net, remote.toIPv4Address());
        QVERIFY(announced);
        uid = QStringLiteral("%1:%2")
                  .arg(announced->manufacturer, 4, 16, QLatin1Char('0'))
                  .arg(announced->device, 8, 16, QLatin1Char('0'));

        // Everything on the veth link is captured for the dissector check at the end.
        tshark = QStandardPaths::findExecutable(QStringLiteral("tshark"));
        if (tshark.isEmpty())
            return;
        QVERIFY(captureDir.isValid());
        capture = captureDir.filePath(QStringLiteral("rdm.pcapng"));
        const QString notCapturing = Peer::startArtNetCapture(
            capturing, tshark, {qEnvironmentVariable("TESSAVIEW_PEER_IFACE")}, capture);
        QVERIFY2(notCapturing.isEmpty(), qPrintable(notCapturing));
        QTest::qWait(500);
    }

    void discovery() {
        const OlaRun run = runOla({QStringLiteral("ola_rdm_discover"), QStringLiteral("-f"),
                                   QStringLiteral("-u"), QString::number(olaUniverse)});
        qInfo().noquote() << run.output;
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QString::fromLatin1(run.output).trimmed().toLower(), uid);
    }

    void readsAndWrites() {
        expect(rdmCommand("ola_rdm_get", QStringLiteral("device_info")),
               {"Software Version: 34079488", "DMX Footprint: 600", "Personality Count: 10",
                "Sensor Count: 1"});
        const QByteArray supported =
            rdmCommand("ola_rdm_get", QStringLiteral("supported_parameters"));
        expect(supported, {"(display_level)", "(ipv4_current_address)"});
        QVERIFY(!supported.contains("(device_info)")); // required of all, so never listed
        expect(rdmCommand("ola_rdm_get", QStringLiteral("software_version_label")), {"V2.8"});
        expect(rdmCommand("ola_rdm_get", QStringLiteral("dmx_personality_description"), {"2"}),
               {"Slots Required: 512", "Name: Preset 1"});
        expect(rdmCommand("ola_rdm_get", QStringLiteral("sensor_definition"), {"0"}),
               {"Sensor Number: 0", "Type: Memory"});
        expect(rdmCommand("ola_rdm_get", QStringLiteral("sensor_value"), {"0"}),
               {"Sensor Number: 0", "Present Value: "});

        rdmCommand("ola_rdm_set", QStringLiteral("display_level"), {"128"});
        QCOMPARE(model->displayLevel(), quint8(128));
        expect(rdmCommand("ola_rdm_get", QStringLiteral("display_level")), {"Level: 128"});

        rdmCommand("ola_rdm_set", QStringLiteral("identify_device"), {"1"});
        QVERIFY(model->identifyDevice());
        expect(rdmCommand("ola_rdm_get", QStringLiteral("identify_device")),
               {"Identify State: true"});
        rdmCommand("ola_rdm_set", QStringLiteral("identify_device"), {"0"});
        QVERIFY(!model->identifyDevice());

        // The device model identifies an interface by its IPv4 address.
        const QByteArray interfaces = rdmCommand("ola_rdm_get", QStringLiteral("list_interfaces"));
        const quint32 local =
            QHostAddress(qEnvironmentVariable("TESSAVIEW_PEER_LOCAL")).toIPv4Address();
        const QByteArray identifier = "Interface Identifier: " + QByteArray::number(local);
        expect(interfaces, {identifier.constData()});
        expect(rdmCommand("ola_rdm_get", QStringLiteral("ipv4_current_address"),
                          {QString::number(local)}),
               {qPrintable(qEnvironmentVariable("TESSAVIEW_PEER_LOCAL"))});
    }

    // olad dropped no answer of ours as malformed or mismatched (it would then also report a
    // timeout, but its log names the reason).
    void oladLogsNoDroppedAnswer() {
        QFile log(qEnvironmentVariable("TESSAVIEW_PEER_STATE") + QStringLiteral("/olad.log"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString text = QString::fromLocal8Bit(log.readAll());
        QVERIFY2(!text.contains(droppedAnswer), qPrintable(text));
    }

    // The check above must see a missing response: with RDM off the UID is still announced,
    // but OLA's requests go unanswered.
    void missingResponseIsSeen() {
        node->setRdm(nullptr, false);
        const OlaRun run = runOla({QStringLiteral("ola_rdm_get"), QStringLiteral("-u"),
                                   QString::number(olaUniverse), QStringLiteral("--uid"), uid,
                                   QStringLiteral("device_info")});
        node->setRdm(responder.get(), false);
        qInfo().noquote() << run.output;
        QVERIFY(run.finished);
        QVERIFY(QString::fromLocal8Bit(run.output).contains(Peer::olaFailure));
    }

    // Wireshark's dissector reads our ArtTodData and ArtRdm answers, RDM included, without a
    // malformed packet or an expert warning or error.
    void tsharkDissectsOurAnswers() {
        if (tshark.isEmpty())
            QSKIP("tshark is not installed");
        QTest::qWait(500);
        capturing.terminate(); // tshark closes the file cleanly on SIGTERM
        QTRY_COMPARE_WITH_TIMEOUT(capturing.state(), QProcess::NotRunning, 15000);
        auto read = [&](const QString &filter, const QStringList &more) {
            return Peer::readCapture(tshark, capture, filter, more);
        };
        const QString ours =
            QStringLiteral("ip.src == %1 && udp.srcport == 6454 && "
                           "(artnet.header.opcode == 0x8100 || artnet.header.opcode == 0x8300)")
                .arg(qEnvironmentVariable("TESSAVIEW_PEER_LOCAL"));
        const QList<QByteArray> dissected =
            read(ours, {QStringLiteral("-T"), QStringLiteral("fields"), QStringLiteral("-e"),
                        QStringLiteral("artnet.header.opcode"), QStringLiteral("-e"),
                        QStringLiteral("rdm.cc"), QStringLiteral("-e"),
                        QStringLiteral("_ws.expert.severity")})
                .split('\n');
        qInfo().noquote() << dissected.join('\n');
        int todData = 0, rdmWithPayload = 0;
        for (const QByteArray &line : dissected) {
            const QList<QByteArray> fields = line.split('\t');
            todData += fields.value(0) == "0x8100";
            rdmWithPayload += fields.value(0) == "0x8300" && !fields.value(1).isEmpty();
        }
        QVERIFY(todData >= 1);
        // One answer per command of readsAndWrites(), each with its RDM payload dissected.
        QVERIFY(rdmWithPayload >= 13);
        // Expert severities: 0x00200000 chat, 0x00400000 note, 0x00600000 warning, 0x00800000
        // error. Chats and notes are not faults (a good checksum is not even reported).
        const QByteArray warnings =
            read(QStringLiteral("(%1) && (_ws.malformed || _ws.expert.severity >= 0x00600000)")
                     .arg(ours),
                 {QStringLiteral("-V")});
        QVERIFY2(warnings.isEmpty(), warnings.constData());
    }

    void cleanupTestCase() {
        if (capturing.state() != QProcess::NotRunning) {
            capturing.terminate();
            capturing.waitForFinished(15000);
        }
    }
};

int main(int argc, char **argv) {
    if (const int status = Peer::enterHarness(argc, argv, harnessArgs); status >= 0)
        return status;
    QCoreApplication app(argc, argv);
    TestOlaRdm test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_olardm.moc"
