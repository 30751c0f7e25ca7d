#include "tests/e2e/e2erig.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QtTest>

// Remote control of the real program by an independent RDM controller: OLA's daemon discovers
// our responder through our Art-Net node and sets parameters with ola_rdm_set; the picture on
// the X screen and the settings store change as the parameters say. The slots run in order on
// one program run; the last one starts the program afresh.
//
// DmxUniverseStart 11: universe index 0 and the responder sit at Art-Net Port-Address 10, which
// OLA's Art-Net port 0 leaves for OLA universe 10 (patched once the program listens).

using namespace E2e;

namespace {

const std::initializer_list<const char *> harnessArgs = {"--plugin", "artnet"};

constexpr int olaUniverse = 10;
constexpr int cols = 20, rows = 10, firstUniverseCells = 170;
// Preset 2, which DMX personality 3 loads: a 5 x 4 grid.
constexpr int presetCols = 5, presetRows = 4;

QVariantMap startStore() {
    QVariantMap store = baseStore();
    store.insert({{QStringLiteral("DmxSizeX"), cols},
                  {QStringLiteral("DmxSizeY"), rows},
                  {QStringLiteral("DmxUseRgb"), 1},
                  {QStringLiteral("DmxChannelPerUniverse"), 510},
                  {QStringLiteral("DmxUniverseStart"), 11},
                  {QStringLiteral("UseArtnet"), 1},
                  {QStringLiteral("UseAcnnet"), 0},
                  {QStringLiteral("UseRdm"), 1},
                  // The overlay stays on, so the identify blink is seen as it going off.
                  {QStringLiteral("StateEnable"), 1}});
    const QVariantMap preset = {
        {QStringLiteral("Name"), QStringLiteral("Remote preset")},
        {QStringLiteral("ScreenNumber"), -2},
        {QStringLiteral("PosX"), 0},
        {QStringLiteral("PosY"), 0},
        {QStringLiteral("SizeX"), screenWidth},
        {QStringLiteral("SizeY"), screenHeight},
        {QStringLiteral("UpdateCheck"), 0},
        {QStringLiteral("DmxSizeX"), presetCols},
        {QStringLiteral("DmxSizeY"), presetRows},
        {QStringLiteral("DmxUseRgb"), 1},
        {QStringLiteral("DmxChannelPerUniverse"), 510},
        {QStringLiteral("DmxUniverseStart"), 11},
        {QStringLiteral("ShapeType"), 0},
        {QStringLiteral("UseArtnet"), 1},
        {QStringLiteral("UseAcnnet"), 0},
        {QStringLiteral("UseRdm"), 1},
    };
    for (auto it = preset.cbegin(); it != preset.cend(); ++it)
        store.insert(QStringLiteral("Preset02") + it.key(), it.value());
    return store;
}

std::vector<std::pair<int, QRgb>> expectCells(int count, int level = 255) {
    std::vector<std::pair<int, QRgb>> expected;
    for (int cell = 0; cell < count; ++cell)
        expected.emplace_back(cell, dimmed(cellColour(cell, 1), level));
    return expected;
}

void sendFrame() {
    runOla({QStringLiteral("ola_set_dmx"), QStringLiteral("-u"), QString::number(olaUniverse),
            QStringLiteral("-d"), levelList(rgbLevels(0, firstUniverseCells, 1))});
}

} // namespace

class TestE2eRemote : public QObject {
    Q_OBJECT

    Rig rig;
    QString uid;

    // ola_rdm_set for our UID; "" on a clean ACK, else what OLA said.
    QString rdmSet(const QString &pid, const QStringList &values = {}) {
        const OlaRun run =
            runOla(QStringList{QStringLiteral("ola_rdm_set"), QStringLiteral("-u"),
                               QString::number(olaUniverse), QStringLiteral("--uid"), uid, pid} +
                   values);
        const QString text = QString::fromLocal8Bit(run.output);
        if (run.ok() && !text.contains(Peer::olaFailure))
            return {};
        return QStringLiteral("ola_rdm_set %1 %2: exit %3\n%4")
            .arg(pid, values.join(u' '))
            .arg(run.exitCode)
            .arg(text);
    }

    // Starts the program on `store`, lets OLA find its node and responder.
    QString start() {
        rig.writeStore(startStore());
        if (const QString why = rig.startProgram(); !why.isEmpty())
            return why;
        if (!Rig::repatchArtNet({{0, olaUniverse}}))
            return QStringLiteral("ola_patch failed");
        const OlaRun run = runOla({QStringLiteral("ola_rdm_discover"), QStringLiteral("-f"),
                                   QStringLiteral("-u"), QString::number(olaUniverse)});
        const QRegularExpressionMatch found =
            QRegularExpression(QStringLiteral("^[0-9a-f]{4}:[0-9a-f]{8}$"),
                               QRegularExpression::MultilineOption)
                .match(QString::fromLatin1(run.output).toLower());
        if (!run.ok() || !found.hasMatch())
            return QStringLiteral("ola_rdm_discover found no responder:\n") +
                   QString::fromLocal8Bit(run.output);
        uid = found.captured();
        return {};
    }

    // Whether the status overlay shows (its nine lines have thousands of such pixels).
    static bool overlayShown(const QImage &shot) { return statusPixels(shot) > 500; }

private slots:
    void initTestCase() {
        if (qEnvironmentVariable("TESSAVIEW_OLA_RUN").isEmpty())
            QSKIP("run through scripts/ola-peer.sh");
        if (const QString why = rig.startScreen(); !why.isEmpty())
            QSKIP(qPrintable(why));
        const QString started = start();
        QVERIFY2(started.isEmpty(), qPrintable(started));
        const QString complaint = rig.waitForPicture(
            [](const QImage &shot) {
                return cellMismatches(shot, Grid{cols, rows}, expectCells(firstUniverseCells));
            },
            8000, sendFrame);
        QVERIFY2(complaint.isEmpty(), qPrintable(complaint));
    }

    void displayLevelDims() {
        const QString refused = rdmSet(QStringLiteral("display_level"), {QStringLiteral("128")});
        QVERIFY2(refused.isEmpty(), qPrintable(refused));
        const QString complaint = rig.waitForPicture(
            [](const QImage &shot) {
                return cellMismatches(shot, Grid{cols, rows}, expectCells(firstUniverseCells, 128));
            },
            5000);
        QVERIFY2(complaint.isEmpty(), qPrintable(complaint));
    }

    // PAN_TILT_SWAP on turns the picture by 90 degrees; the level stays.
    void panTiltSwapRotates() {
        const QString refused = rdmSet(QStringLiteral("pan_tilt_swap"), {QStringLiteral("1")});
        QVERIFY2(refused.isEmpty(), qPrintable(refused));
        const QString complaint = rig.waitForPicture(
            [](const QImage &shot) {
                return cellMismatches(shot, Grid{cols, rows, 90},
                                      expectCells(firstUniverseCells, 128));
            },
            5000);
        QVERIFY2(complaint.isEmpty(), qPrintable(complaint));
    }

    // DMX_START_ADDRESS 3: cell 0 shows channels 3, 4 and 5, so a frame sent two channels
    // later shows the same picture; the address is stored for the next start. Back at 1 the
    // plain frame shows again.
    void startAddressMovesPicture() {
        QString refused = rdmSet(QStringLiteral("dmx_start_address"), {QStringLiteral("3")});
        QVERIFY2(refused.isEmpty(), qPrintable(refused));
        const auto sendShifted = [] {
            runOla({QStringLiteral("ola_set_dmx"), QStringLiteral("-u"),
                    QString::number(olaUniverse), QStringLiteral("-d"),
                    levelList(QByteArray(2, '\0') + rgbLevels(0, firstUniverseCells, 1))});
        };
        const auto shownRotated = [](const QImage &shot) {
            return cellMismatches(shot, Grid{cols, rows, 90}, expectCells(firstUniverseCells, 128));
        };
        QString complaint = rig.waitForPicture(shownRotated, 8000, sendShifted);
        QVERIFY2(complaint.isEmpty(), qPrintable(complaint));
        QCOMPARE(rig.readStore().value(QStringLiteral("DmxStartAddress")).toInt(), 3);

        refused = rdmSet(QStringLiteral("dmx_start_address"), {QStringLiteral("1")});
        QVERIFY2(refused.isEmpty(), qPrintable(refused));
        complaint = rig.waitForPicture(shownRotated, 8000, sendFrame);
        QVERIFY2(complaint.isEmpty(), qPrintable(complaint));
    }

    // DMX personality 3 loads preset 2: its 5 x 4 grid, with its own level and no rotation,
    // becomes the live setting in the store too.
    void personalityLoadsPreset() {
        const QString refused = rdmSet(QStringLiteral("dmx_personality"), {QStringLiteral("3")});
        QVERIFY2(refused.isEmpty(), qPrintable(refused));
        // The new layout starts from a cleared frame: the data is sent again.
        const QString complaint = rig.waitForPicture(
            [](const QImage &shot) {
                return cellMismatches(shot, Grid{presetCols, presetRows},
                                      expectCells(presetCols * presetRows));
            },
            8000, sendFrame);
        QVERIFY2(complaint.isEmpty(), qPrintable(complaint));
        const QVariantMap stored = rig.readStore();
        QCOMPARE(stored.value(QStringLiteral("DmxSizeX")).toInt(), presetCols);
        QCOMPARE(stored.value(QStringLiteral("DmxSizeY")).toInt(), presetRows);
        QCOMPARE(stored.value(QStringLiteral("Name")).toString(), QStringLiteral("Remote preset"));
    }

    // Self test 3, the unfill snake: channels go dark from the first one while the rest are at
    // full; test 0 ends it and clears the frame.
    void performSelfTest() {
        const QString refused = rdmSet(QStringLiteral("perform_selftest"), {QStringLiteral("3")});
        QVERIFY2(refused.isEmpty(), qPrintable(refused));
        const int last = presetCols * presetRows - 1;
        const Grid grid{presetCols, presetRows};
        QString complaint = rig.waitForPicture(
            [&](const QImage &shot) {
                return cellMismatches(shot, grid,
                                      {{0, qRgb(0, 0, 0)}, {last, qRgb(255, 255, 255)}});
            },
            5000);
        QVERIFY2(complaint.isEmpty(), qPrintable(complaint));
        QCOMPARE(rig.readStore().value(QStringLiteral("SelfTest")).toInt(), 3);

        const QString stopRefused =
            rdmSet(QStringLiteral("perform_selftest"), {QStringLiteral("0")});
        QVERIFY2(stopRefused.isEmpty(), qPrintable(stopRefused));
        complaint = rig.waitForPicture(
            [&](const QImage &shot) {
                std::vector<std::pair<int, QRgb>> black;
                for (int cell = 0; cell <= last; ++cell)
                    black.emplace_back(cell, qRgb(0, 0, 0));
                return cellMismatches(shot, grid, black);
            },
            5000);
        QVERIFY2(complaint.isEmpty(), qPrintable(complaint));
    }

    // The permanent overlay blinks while the device identifies, and stays again afterwards.
    void identifyBlinksOverlay() {
        for (int i = 0; i < 5; ++i) {
            QVERIFY2(overlayShown(rig.screenshot()), "the overlay is on before identify");
            QTest::qWait(100);
        }
        QString refused = rdmSet(QStringLiteral("identify_device"), {QStringLiteral("1")});
        QVERIFY2(refused.isEmpty(), qPrintable(refused));
        bool sawOff = false, sawOnAfterOff = false;
        QString complaint = rig.waitForPicture(
            [&](const QImage &shot) {
                const bool shown = overlayShown(shot);
                sawOnAfterOff = sawOnAfterOff || (sawOff && shown);
                sawOff = sawOff || !shown;
                return sawOnAfterOff ? QString() : QStringLiteral("no blink seen");
            },
            6000);
        QVERIFY2(complaint.isEmpty(), qPrintable(complaint));

        refused = rdmSet(QStringLiteral("identify_device"), {QStringLiteral("0")});
        QVERIFY2(refused.isEmpty(), qPrintable(refused));
        int shownInRow = 0;
        complaint = rig.waitForPicture(
            [&](const QImage &shot) {
                shownInRow = overlayShown(shot) ? shownInRow + 1 : 0;
                return shownInRow >= 8 ? QString() : QStringLiteral("the overlay still blinks");
            },
            6000);
        QVERIFY2(complaint.isEmpty(), qPrintable(complaint));
    }

    // DMX_FAIL_MODE "every channel at the level" (scene 65535) at full, no delay, held for
    // ever: once Art-Net's loss time (10 s) passes without a packet the picture turns white,
    // and the next packet brings the live look back at once. The mode is stored.
    void failModeShowsOnSilence() {
        const QStringList full{"65535", "0", "65535", "255"};
        QString refused = rdmSet(QStringLiteral("dmx_fail_mode"), full);
        QVERIFY2(refused.isEmpty(), qPrintable(refused));
        QCOMPARE(rig.readStore().value(QStringLiteral("DmxFailMode")).toString(), full.join(u','));
        const Grid grid{presetCols, presetRows};
        const auto live = [&](const QImage &shot) {
            return cellMismatches(shot, grid, expectCells(presetCols * presetRows));
        };
        QString complaint = rig.waitForPicture(live, 5000, sendFrame);
        QVERIFY2(complaint.isEmpty(), qPrintable(complaint));
        complaint = rig.waitForPicture(
            [&](const QImage &shot) {
                std::vector<std::pair<int, QRgb>> white;
                for (int cell = 0; cell < presetCols * presetRows; ++cell)
                    white.emplace_back(cell, qRgb(255, 255, 255));
                return cellMismatches(shot, grid, white);
            },
            16000);
        QVERIFY2(complaint.isEmpty(), qPrintable(complaint));
        sendFrame();
        complaint = rig.waitForPicture(live, 3000);
        QVERIFY2(complaint.isEmpty(), qPrintable(complaint));
        refused = rdmSet(QStringLiteral("dmx_fail_mode"), {"0", "0", "65535", "255"});
        QVERIFY2(refused.isEmpty(), qPrintable(refused));
    }

    // FACTORY_DEFAULTS right after start-up (the device model then already reports factory
    // defaults) still resets: the presets are gone, the live keys hold the factory values and
    // only the power-cycle count survives.
    void factoryDefaultsRightAfterStart() {
        const QString started = start();
        QVERIFY2(started.isEmpty(), qPrintable(started));
        QCOMPARE(rig.readStore().value(QStringLiteral("Preset02DmxSizeX")).toInt(), presetCols);
        const QString refused = rdmSet(QStringLiteral("factory_defaults"));
        QVERIFY2(refused.isEmpty(), qPrintable(refused));
        const QVariantMap factory = {
            {QStringLiteral("Name"), QStringLiteral("Tessaview")},
            {QStringLiteral("DmxSizeX"), 17},
            {QStringLiteral("DmxSizeY"), 10},
            {QStringLiteral("DmxUniverseStart"), 1},
            {QStringLiteral("DmxChannelPerUniverse"), 510},
            {QStringLiteral("ScreenNumber"), -1},
            {QStringLiteral("UpdateCheck"), 1},
            {QStringLiteral("UseAcnnet"), 1},
            {QStringLiteral("PowerCycle"), 1},
        };
        QVariantMap stored;
        QString wrong;
        QElapsedTimer waited;
        waited.start();
        do {
            QTest::qWait(100);
            stored = rig.readStore();
            wrong.clear();
            for (auto it = factory.cbegin(); it != factory.cend(); ++it)
                if (stored.value(it.key()).toString() != it.value().toString())
                    wrong += QStringLiteral("%1=%2 (expected %3) ")
                                 .arg(it.key(), stored.value(it.key()).toString(),
                                      it.value().toString());
            for (const QString &key : stored.keys())
                if (key.startsWith(QLatin1String("Preset")))
                    wrong += key + QStringLiteral(" kept ");
        } while (!wrong.isEmpty() && waited.elapsed() < 5000);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        QVERIFY2(rig.programRunning(), qPrintable(rig.log()));
    }

    void cleanupTestCase() { rig.stopProgram(); }
};

int main(int argc, char **argv) {
    if (const int status = enterHarness(argc, argv, harnessArgs); status >= 0)
        return status;
    QCoreApplication app(argc, argv);
    TestE2eRemote test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_e2eremote.moc"
