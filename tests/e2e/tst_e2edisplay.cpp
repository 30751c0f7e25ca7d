#include "tests/e2e/e2erig.h"

#include <QCoreApplication>
#include <QtTest>

// The real program shows what independent senders send: OLA's ola_set_dmx through its Art-Net
// plugin and ola_streaming_client through its E1.31 plugin, checked cell by cell in screenshots
// of the X screen.
//
// Universes: with DmxUniverseStart 11 universe index 0 is Art-Net Port-Address 10 and E1.31
// universe 11, index 1 is Port-Address 11 and E1.31 universe 12. OLA universe 10 and 11 leave
// its Art-Net ports 0 and 1 as Port-Addresses 10 and 11 (patched by the test once the program
// listens), OLA universe 12 leaves its E1.31 port 0 as E1.31 universe 12. A 20 x 10 RGB grid at
// 510 channels per universe puts index 1 at cell 170.

using namespace E2e;

namespace {

const std::initializer_list<const char *> harnessArgs = {"--plugin", "artnet",  "--plugin",
                                                         "e131",     "--patch", "e131:0:12"};

constexpr int cols = 20, rows = 10, cells = cols * rows;
constexpr int secondUniverseCell = 170;
const Grid grid{cols, rows};

QVariantMap gridStore(bool artNet) {
    QVariantMap store = baseStore();
    store.insert({{QStringLiteral("DmxSizeX"), cols},
                  {QStringLiteral("DmxSizeY"), rows},
                  {QStringLiteral("DmxUseRgb"), 1},
                  {QStringLiteral("DmxChannelPerUniverse"), 510},
                  {QStringLiteral("DmxUniverseStart"), 11},
                  {QStringLiteral("UseArtnet"), int(artNet)},
                  {QStringLiteral("UseAcnnet"), 1},
                  {QStringLiteral("UseRdm"), 1}});
    return store;
}

// Cells first ... last - 1 in `pattern`'s colours (or black for pattern -1).
std::vector<std::pair<int, QRgb>> expectCells(int first, int last, int pattern) {
    std::vector<std::pair<int, QRgb>> expected;
    for (int cell = first; cell < last; ++cell)
        expected.emplace_back(cell, pattern < 0 ? qRgb(0, 0, 0) : cellColour(cell, pattern));
    return expected;
}

void sendArtNet(int olaUniverse, const QByteArray &levels) {
    runOla({QStringLiteral("ola_set_dmx"), QStringLiteral("-u"), QString::number(olaUniverse),
            QStringLiteral("-d"), levelList(levels)});
}

void sendSacn(int olaUniverse, const QByteArray &levels) {
    runOla({QStringLiteral("ola_streaming_client"), QStringLiteral("-u"),
            QString::number(olaUniverse)},
           levelList(levels).toLatin1() + '\n');
}

} // namespace

class TestE2eDisplay : public QObject {
    Q_OBJECT

    Rig rig;

private slots:
    void initTestCase() {
        if (qEnvironmentVariable("TESSAVIEW_OLA_RUN").isEmpty())
            QSKIP("run through scripts/ola-peer.sh");
        const QString why = rig.startScreen();
        if (!why.isEmpty())
            QSKIP(qPrintable(why));
    }

    void artNetAndSacnCellByCell() {
        rig.writeStore(gridStore(true));
        const QString started = rig.startProgram();
        QVERIFY2(started.isEmpty(), qPrintable(started));
        QVERIFY(Rig::repatchArtNet({{0, 10}, {1, 11}}));

        // Art-Net, first universe: 170 cells; channels 511 and 512 lie beyond the universe's
        // 510 and must not reach cell 170.
        const QByteArray first = rgbLevels(0, secondUniverseCell, 1) + QByteArray(2, '\xFF');
        QString complaint = rig.waitForPicture(
            [](const QImage &shot) {
                return cellMismatches(shot, grid, expectCells(0, secondUniverseCell, 1)) +
                       cellMismatches(shot, grid, expectCells(secondUniverseCell, cells, -1));
            },
            8000, [&] { sendArtNet(10, first); });
        QVERIFY2(complaint.isEmpty(), qPrintable(complaint));

        // sACN, second universe: exactly cells 170 ... 199; the first universe stays.
        const QByteArray second = rgbLevels(secondUniverseCell, cells - secondUniverseCell, 2);
        complaint = rig.waitForPicture(
            [](const QImage &shot) {
                return cellMismatches(shot, grid, expectCells(secondUniverseCell, cells, 2)) +
                       cellMismatches(shot, grid, expectCells(0, secondUniverseCell, 1));
            },
            8000, [&] { sendSacn(12, second); });
        QVERIFY2(complaint.isEmpty(), qPrintable(complaint));

        // Art-Net's second universe lands at cell 170 too, replacing what sACN sent there.
        const QByteArray third = rgbLevels(secondUniverseCell, cells - secondUniverseCell, 3);
        complaint = rig.waitForPicture(
            [](const QImage &shot) {
                return cellMismatches(shot, grid, expectCells(secondUniverseCell, cells, 3)) +
                       cellMismatches(shot, grid, expectCells(0, secondUniverseCell, 1));
            },
            8000, [&] { sendArtNet(11, third); });
        QVERIFY2(complaint.isEmpty(), qPrintable(complaint));
        QVERIFY2(rig.programRunning(), qPrintable(rig.log()));
    }

    // With Art-Net off in the store, sACN still paints, and the status text built at the apply
    // says so.
    void artNetDisabledSacnStillPaints() {
        rig.writeStore(gridStore(false));
        const QString started = rig.startProgram();
        QVERIFY2(started.isEmpty(), qPrintable(started));

        const QByteArray second = rgbLevels(secondUniverseCell, cells - secondUniverseCell, 4);
        const QString complaint = rig.waitForPicture(
            [](const QImage &shot) {
                return cellMismatches(shot, grid, expectCells(secondUniverseCell, cells, 4)) +
                       cellMismatches(shot, grid, expectCells(0, secondUniverseCell, -1));
            },
            8000, [&] { sendSacn(12, second); });
        QVERIFY2(complaint.isEmpty(), qPrintable(complaint));

        // The status text built at an apply is also written to the program's debug output.
        QVERIFY2(rig.waitForLog("Art-Net Disabled", 2000),
                 qPrintable(QStringLiteral("no \"Art-Net Disabled\" in the program's output:\n") +
                            rig.log()));
        QVERIFY(!rig.log().contains(QLatin1String("sACN Disabled")));
        QVERIFY2(rig.programRunning(), qPrintable(rig.log()));
    }

    void cleanupTestCase() { rig.stopProgram(); }
};

int main(int argc, char **argv) {
    if (const int status = enterHarness(argc, argv, harnessArgs); status >= 0)
        return status;
    QCoreApplication app(argc, argv);
    TestE2eDisplay test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_e2edisplay.moc"
