#include "engine/cellpainter.h"
#include "engine/diagnosticmarks.h"
#include "enginetestsupport.h"
#include "net/receiverstats.h"
#include "rdm/configurator.h"
#include "testpictures.h"
#include "testsettingsstore.h"

#include <QPainter>
#include <QtTest>

namespace {

using Mark = UniverseMark;

UniverseStats universe(quint16 number, int liveSources, qint64 lastPacketMs,
                       UniverseOwnership ownership) {
    UniverseStats u;
    u.uiUniverse = number;
    u.iLiveSources = liveSources;
    u.iLastPacketMs = lastPacketMs;
    u.ownership = ownership;
    return u;
}

// 17 x 10 RGB cells of 10 x 10 pixels at 45 channels per universe: 15 cells a universe, so
// universe 1 is cells 15 ... 29 (row 0 columns 15 and 16, row 1 columns 0 ... 12) and universe
// 2 cells 30 ... 44 (row 1 columns 13 ... 16, row 2 columns 0 ... 10).
constexpr int cols = 17;
constexpr int rows = 10;
constexpr int channelsPerUniverse = 45;
const QRgb data = qRgb(0, 0, 255);
const QRgb white = qRgb(255, 255, 255);
const QRgb amber = qRgb(255, 170, 0);

QImage paintMarks(const std::vector<Mark> &marks, const PaintParams &params, const char *name) {
    QImage picture(cols * 10, rows * 10, QImage::Format_RGB32);
    // Every cell shows data, so whatever is not blue afterwards is a mark.
    picture.fill(data);
    QPainter painter(&picture);
    painter.setTransform(pictureTransform(params));
    paintUniverseMarks(painter, cellGrid(picture.width(), picture.height(), cols, rows), marks,
                       channelsPerUniverse, 3);
    painter.end();
    savePicture(picture, QString::fromLatin1(name));
    return picture;
}

struct CellColours {
    int data = 0;
    int white = 0;
    int amber = 0;
    int other = 0;
};

// The colours inside the device cell (row, col).
CellColours coloursOf(const QImage &picture, int row, int col) {
    CellColours c;
    for (int y = row * 10; y < row * 10 + 10; ++y) {
        for (int x = col * 10; x < col * 10 + 10; ++x) {
            const QRgb p = picture.pixel(x, y) | 0xFF000000u;
            (p == data ? c.data : p == white ? c.white : p == amber ? c.amber : c.other) += 1;
        }
    }
    return c;
}

// Which universe a cell belongs to at 15 cells a universe (the split cells do not occur here).
int universeOf(int row, int col) {
    return (row * cols + col) / 15;
}

// Checks every cell: universe 1 hatched in white, universe 2 with amber dashes, every other
// cell untouched; `toDevice` maps a picture cell to where the transform shows it.
template <typename Map> void checkMarkedCells(const QImage &picture, Map toDevice) {
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col) {
            const auto [deviceRow, deviceCol] = toDevice(row, col);
            const CellColours c = coloursOf(picture, deviceRow, deviceCol);
            const QByteArray where = QByteArray::number(row) + ',' + QByteArray::number(col);
            switch (universeOf(row, col)) {
            case 1:
                // Lines over the data, never a filled cell.
                QVERIFY2(c.white > 0 && c.data > 0 && c.amber == 0, where);
                break;
            case 2:
                QVERIFY2(c.amber > 0 && c.data > 0 && c.white == 0, where);
                break;
            default:
                QVERIFY2(c.data == 100, where);
            }
        }
    }
}

// Pixels of `colour` in the device rows [top, bottom).
int countIn(const QImage &picture, int top, int bottom, QRgb colour) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < picture.width(); ++x)
            count += (picture.pixel(x, y) | 0xFF000000u) == colour ? 1 : 0;
    return count;
}

} // namespace

class TestDiagnosticMarks : public QObject {
    Q_OBJECT

private slots:
    void marksFromReceiverSnapshots() {
        // sACN, taken 10 s after the receiver started; the picture starts at universe 7.
        ReceiverStats sacn;
        sacn.iTakenMs = 10000;
        sacn.lUniverses = {
            universe(7, 1, 9900, UniverseOwnership::Single),      // live, one source
            universe(8, 0, 7400, UniverseOwnership::None),        // 2.6 s without a source
            universe(9, 2, 9990, UniverseOwnership::MergeHtp),    // two at equal priority
            universe(10, 0, 9000, UniverseOwnership::None),       // terminated 1 s ago
            universe(12, 2, 9990, UniverseOwnership::PerAddress), // 0xDD slots of two sources
            universe(13, 1, 9990, UniverseOwnership::PerAddress), // 0xDD of one source
            universe(40, 1, 9990, UniverseOwnership::Single),     // beyond the picture
        };
        const MarkSource sacnOnly[] = {{&sacn, 7, sacnSourceLossMs}};
        // Universe 11 was never received.
        QCOMPARE(universeMarks(sacnOnly, 7),
                 (std::vector<Mark>{Mark::None, Mark::Silent, Mark::Shared, Mark::None,
                                    Mark::Silent, Mark::Shared, Mark::None}));

        // Art-Net at Port-Address 6 ... 12 for the same slots, with its own 10 s.
        ReceiverStats artnet;
        artnet.iTakenMs = 12000;
        artnet.lUniverses = {
            universe(6, 1, 2500, UniverseOwnership::Single),    // 9.5 s ago: still live
            universe(7, 0, 1900, UniverseOwnership::None),      // 10.1 s ago: silent
            universe(9, 2, 11990, UniverseOwnership::MergeLtp), // an Art-Net merge
            universe(10, 1, 11990, UniverseOwnership::Single),  // live where sACN never was
        };
        const MarkSource both[] = {{&sacn, 7, sacnSourceLossMs}, {&artnet, 6, artnetSourceLossMs}};
        // Slot 0 is live in both protocols, which fight over it; a universe is silent only
        // where both receivers are.
        QCOMPARE(universeMarks(both, 7),
                 (std::vector<Mark>{Mark::Shared, Mark::Silent, Mark::Shared, Mark::Shared,
                                    Mark::None, Mark::Shared, Mark::None}));

        // A receiver younger than its loss time has nothing silent yet; no receiver, no marks.
        ReceiverStats young;
        young.iTakenMs = 2000;
        const MarkSource fresh[] = {{&young, 0, sacnSourceLossMs}};
        QCOMPARE(universeMarks(fresh, 2), (std::vector<Mark>{Mark::None, Mark::None}));
        QCOMPARE(universeMarks({}, 2), (std::vector<Mark>{Mark::None, Mark::None}));
    }

    void cellsOfAUniverse() {
        // slot, channels per universe, bytes per cell, cells in the frame -> first, last
        QCOMPARE(universeCells(0, 510, 3, 170), (CellSpan{0, 169}));
        QCOMPARE(universeCells(1, 510, 3, 340), (CellSpan{170, 339}));
        // 512 is no multiple of 3: cell 170 takes channels 511, 512 and the next universe's 1.
        QCOMPARE(universeCells(0, 512, 3, 400), (CellSpan{0, 170}));
        QCOMPARE(universeCells(1, 512, 3, 400), (CellSpan{170, 341}));
        // The last universe ends with the frame; one past it has no cells.
        QCOMPARE(universeCells(2, 512, 3, 400), (CellSpan{341, 399}));
        QVERIFY(universeCells(3, 512, 3, 400).isEmpty());
        QCOMPARE(universeCells(5, 100, 1, 1000), (CellSpan{500, 599}));
        QVERIFY(universeCells(0, 0, 3, 100).isEmpty());
    }

    void silentAndSharedPixels() {
        PaintParams params;
        params.sizeX = cols * 10;
        params.sizeY = rows * 10;
        const QImage picture =
            paintMarks({Mark::None, Mark::Silent, Mark::Shared, Mark::None}, params, "upright");
        checkMarkedCells(picture, [](int row, int col) { return std::pair(row, col); });
        // The border lies inside the universe: the first pixel of cell (0, 15) is white, its
        // neighbour in universe 0's cell (0, 14) shows data, a shadow line separates the border
        // from the cells it surrounds, and universe 2's cell (1, 15) below has no white.
        QCOMPARE(picture.pixel(150, 0) | 0xFF000000u, white);
        QCOMPARE(picture.pixel(149, 0) | 0xFF000000u, data);
        QCOMPARE(picture.pixel(151, 1) | 0xFF000000u, qRgb(0, 0, 0));
        QCOMPARE(picture.pixel(150, 9) | 0xFF000000u, white);
        QCOMPARE(picture.pixel(150, 10) | 0xFF000000u, qRgb(0, 0, 0));
    }

    void marksTurnWithThePicture() {
        PaintParams params;
        params.sizeX = cols * 10;
        params.sizeY = rows * 10;
        params.rotation = 180;
        const QImage turned =
            paintMarks({Mark::None, Mark::Silent, Mark::Shared}, params, "rotated180");
        checkMarkedCells(
            turned, [](int row, int col) { return std::pair(rows - 1 - row, cols - 1 - col); });

        params.rotation = 0;
        params.mirrorLeftRight = true;
        const QImage mirrored =
            paintMarks({Mark::None, Mark::Silent, Mark::Shared}, params, "mirrored");
        checkMarkedCells(mirrored, [](int row, int col) { return std::pair(row, cols - 1 - col); });
    }

    void engineMarksWhatTheNodeReceives() {
        const TemporarySettingsStore store;
        Configurator model;
        ScreenEngine engine(EngineTest::oneInterface());
        // Art-Net only from Port-Address 0: two universes of 170 RGB cells, rows 0 ... 9 and
        // 10 ... 19, turned upside down.
        SettingsRecord settings = EngineTest::settings(true, false, {170, 200});
        settings.DmxSizeY = 20;
        settings.ScreenRotate = 180;
        settings.DiagnosticMarks = true;
        engine.configure(&model, settings, 0, 0, QDateTime());
        EngineTest::paint(engine, {170, 200});
        QVERIFY(engine.artnetNode());
        qint64 now = 1000;
        engine.artnetNode()->setClock([&now] { return now; });
        EngineTest::feed(*engine.artnetNode(), EngineTest::artDmx(0, QByteArray(510, char(200))));

        // 9.5 s later universe 0 is live; universe 1 has had nothing for 10.5 s since the start.
        now = 10500;
        // Switching on again reads the node at the next frame instead of a period later.
        engine.setDiagnosticMarks(true);
        QImage picture = EngineTest::paint(engine, {170, 200});
        QCOMPARE(engine.paintedMarks(), (std::vector<Mark>{Mark::None, Mark::Silent}));
        QCOMPARE(engine.artnetView().stats.lUniverses.value(0).lSources.size(), 1);
        // Turned: universe 1 is the upper half, universe 0's grey cells the lower one.
        // (The status overlay's grey text lies over the middle.)
        QVERIFY(countIn(picture, 0, 100, white) > 0);
        QCOMPARE(countIn(picture, 100, 200, white) + countIn(picture, 100, 200, amber), 0);
        savePicture(picture, QStringLiteral("engine_silent_rotated"));

        // Two consoles on universe 1, universe 0 silent 10.1 s after its packet.
        EngineTest::feed(*engine.artnetNode(), EngineTest::artDmx(1, QByteArray(510, char(50))),
                         "10.0.0.9");
        EngineTest::feed(*engine.artnetNode(), EngineTest::artDmx(1, QByteArray(510, char(60))),
                         "10.0.0.10");
        now = 11100;
        engine.setDiagnosticMarks(true);
        picture = EngineTest::paint(engine, {170, 200});
        QCOMPARE(engine.paintedMarks(), (std::vector<Mark>{Mark::Silent, Mark::Shared}));
        // Hatched as its console leaves the information dialog's table.
        QCOMPARE(engine.artnetView().stats.lUniverses.value(0).lSources.size(), 0);
        QVERIFY(countIn(picture, 0, 100, amber) > 0);
        QCOMPARE(countIn(picture, 0, 100, white), 0);
        QVERIFY(countIn(picture, 100, 200, white) > 0);

        // Off: the held look without any mark.
        engine.setDiagnosticMarks(false);
        picture = EngineTest::paint(engine, {170, 200});
        QVERIFY(engine.paintedMarks().empty());
        QCOMPARE(countIn(picture, 0, 200, white) + countIn(picture, 0, 200, amber), 0);
    }
};

QTEST_MAIN(TestDiagnosticMarks)
#include "tst_diagnosticmarks.moc"
