#include "engine/cellhit.h"
#include "engine/inspectortext.h"
#include "enginetestsupport.h"
#include "net/artdmxpacket.h"
#include "net/artnetmerger.h"
#include "net/e131.h"
#include "net/sacnmerger.h"
#include "net/tst_acnsupport.h"
#include "settings/settingsrecord.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

std::span<const quint8> bytesOf(const QByteArray &bytes) {
    return {reinterpret_cast<const quint8 *>(bytes.constData()), size_t(bytes.size())};
}

void feedSacn(SacnMerger &merger, int cid, quint8 priority, const QByteArray &levels,
              quint32 sender) {
    E131PacketBuilder b;
    b.cid = QByteArray(15, char(0x10)) + char(cid);
    b.priority = priority;
    b.levels = levels;
    merger.accept(e131::parseDataPacket(bytesOf(b.build())), sender, 0,
                  [](quint32, std::span<const quint8>) {});
}

const CellChannels firstTwo{0, 1, 2, 0};

} // namespace

class TestCellInspector : public QObject {
    Q_OBJECT
private slots:
    // The cell under a pixel is the cell the painter put there, whatever the orientation.
    void pointerNamesThePaintedCell_data() {
        QTest::addColumn<quint16>("rotation");
        QTest::addColumn<bool>("mirrorLeftRight");
        QTest::addColumn<bool>("mirrorTopBottom");
        QTest::newRow("plain") << quint16(0) << false << false;
        QTest::newRow("90") << quint16(90) << false << false;
        QTest::newRow("mirrored") << quint16(0) << true << false;
        QTest::newRow("270, both mirrors") << quint16(270) << true << true;
    }
    void pointerNamesThePaintedCell() {
        QFETCH(quint16, rotation);
        QFETCH(bool, mirrorLeftRight);
        QFETCH(bool, mirrorTopBottom);
        PaintParams params{5,       3, 0, 0, 403, 200, 255, false, mirrorLeftRight, mirrorTopBottom,
                           rotation};
        QByteArray frame;
        for (int cell = 0; cell < 15; ++cell)
            frame.append(char(20 + cell * 15));
        QImage picture(403, 200, QImage::Format_RGB32);
        QPainter painter(&picture);
        CellPainter().paint(painter, picture.rect(), bytesOf(frame), params);
        painter.end();
        for (int y = 3; y < 200; y += 11) {
            for (int x = 3; x < 403; x += 13) {
                const int grey = qRed(picture.pixel(x, y));
                const std::optional<qint64> cell =
                    cellAt(QPointF(x + 0.5, y + 0.5), picture.rect(), params);
                QCOMPARE(cell.value_or(-1), grey == 0 ? -1 : (grey - 20) / 15);
            }
        }
        if (rotation == 90) // the picture's first cell lands at the top right
            QCOMPARE(cellAt(QPointF(390, 10), picture.rect(), params).value_or(-1), 0);
    }

    void cellSplitBetweenUniversesAfterTheStartAddress() {
        const CellLayoutFacts layout{ColourMode::Rgb, 5, 3, 1};
        QCOMPARE(InspectorText::channelsOf(1, layout),
                 (QList<CellChannels>{{0, 6, 2, 0}, {1, 3, 1, 2}}));
        const QByteArray frame = QByteArray::fromHex("000000ff8000");
        QCOMPARE(InspectorText::cellLines(1, layout, bytesOf(frame)),
                 (QStringList{"Universe 1 · Channels 6–7 · Universe 2 · Channel 3 · Cell 2",
                              "Start address 3", "R 255 (100 %) · G 128 (50 %) · B 0 (0 %)",
                              "R FF · G 80 · B 00"}));
    }

    void sacnOwnerAndEachSourcesValues() {
        SacnMerger merger;
        merger.configure(1, 4, 0);
        feedSacn(merger, 1, 100, QByteArray::fromHex("1080"), 0x0A000001);
        feedSacn(merger, 2, 50, QByteArray::fromHex("4020"), 0x0A000002);
        ReceiverStats stats = merger.stats(0, 1);
        const InspectorSource source{InspectorSource::Protocol::Sacn, &stats, 1, false};
        QCOMPARE(InspectorText::ownerLines(source, firstTwo),
                 (QStringList{"sACN 1: test source (10.0.0.1) · priority 100",
                              "  test source (10.0.0.1) · priority 100: 16 128",
                              "  test source (10.0.0.2) · priority 50: 64 32"}));
        feedSacn(merger, 2, 100, QByteArray::fromHex("4020"), 0x0A000002);
        stats = merger.stats(1200);
        QCOMPARE(InspectorText::ownerLines(source, firstTwo),
                 (QStringList{"sACN 1: merge HTP of 2",
                              "  test source (10.0.0.1) · priority 100 · silent 1 s",
                              "  test source (10.0.0.2) · priority 100 · silent 1 s"}));
    }

    void artnetHtpMergeHeldForSync() {
        ArtNetMerger merger;
        merger.configure(0, 4);
        artnetpackets::Dmx dmx;
        artnetpackets::parseDmx(bytesOf(artDmxPacket(0, 0, QByteArray::fromHex("1080"))), dmx);
        merger.accept(dmx, 0x0A000001, 0);
        artnetpackets::parseDmx(bytesOf(artDmxPacket(0, 0, QByteArray::fromHex("4020"))), dmx);
        merger.accept(dmx, 0x0A000002, 0);
        const ReceiverStats stats = merger.stats(0, 0);
        QCOMPARE(InspectorText::ownerLines({InspectorSource::Protocol::ArtNet, &stats, 0, true},
                                           firstTwo),
                 (QStringList{"Art-Net 0: merge HTP of 2 · held for sync", "  10.0.0.1: 16 128",
                              "  10.0.0.2: 64 32"}));
    }

    // A pointer move repaints its areas from the frame on screen: no frame is taken, so neither
    // the scheduler nor the latency counts it.
    void pointerMoveTakesNoFrameAndClickPicksTheCell() {
        ScreenEngine engine(EngineTest::oneInterface());
        SettingsRecord record = EngineTest::settings(true, false);
        record.DmxSizeX = 10;
        record.DmxSizeY = 5;
        record.DmxUseRgb = ColourMode::Rgb;
        engine.configure(nullptr, record, 0, 0, {});
        engine.setInspecting(true);
        EngineTest::paint(engine);
        int frames = 0;
        engine.setPaintListener([&frames] { ++frames; });
        const QRect rect(0, 0, 340, 200);
        const QRect area = engine.moveInspector(QPoint(60, 30), rect);
        QVERIFY(!area.isEmpty() && !area.contains(rect));
        QImage target(rect.size(), QImage::Format_RGB32);
        QPainter painter(&target);
        engine.paintFrame(painter, rect, 0, area);
        painter.end();
        QCOMPARE(frames, 0);
        QList<QList<int>> picked;
        engine.setCellPickListener([&picked](quint32 universe, int first, int count) {
            picked.append({int(universe), first, count});
        });
        QVERIFY(engine.pickInspectedCell());
        QCOMPARE(picked, (QList<QList<int>>{{1, 4, 3}}));
    }
};

QTEST_MAIN(TestCellInspector)
#include "tst_cellinspector.moc"
