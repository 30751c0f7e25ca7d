#include "enginetestsupport.h"
#include "testpictures.h"

#include "engine/screenengine.h"
#include "engine/statustext.h"
#include "net/artnet.h"
#include "rdm/configurator.h"

#include <QtTest>

using namespace EngineTest;

namespace {

// Pixels that are not background: with an all-zero frame only the overlay text draws.
int textPixels(const QImage &picture) {
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            count += picture.pixel(x, y) != qRgb(0, 0, 0);
    return count;
}

// Summed brightness difference of two pictures seen in 5 x 5 pixel blocks, so that glyph
// edges rounded differently through a transform do not count, but text in another place does.
qint64 blockDifference(const QImage &a, const QImage &b) {
    const QSize blocks(a.width() / 5, a.height() / 5);
    const QImage ca = a.scaled(blocks, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage cb = b.scaled(blocks, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    qint64 sum = 0;
    for (int y = 0; y < blocks.height(); ++y)
        for (int x = 0; x < blocks.width(); ++x)
            sum += qAbs(qGray(ca.pixel(x, y)) - qGray(cb.pixel(x, y)));
    return sum;
}

QByteArray artAddressLocate() {
    QByteArray p = artHeader(0x6000);
    p.append(char(0x7F));            // 12: NetSwitch (no change)
    p.append(char(0x01));            // 13: BindIndex
    p.append(QByteArray(18, '\0'));  // 14: ShortName (no change)
    p.append(QByteArray(64, '\0'));  // 32: LongName (no change)
    p.append(QByteArray(4, '\x7F')); // 96: SwIn (no change)
    p.append(QByteArray(4, '\x7F')); // 100: SwOut (no change)
    p.append(char(0x7F));            // 104: SubSwitch (no change)
    p.append(char(0x00));            // 105: AcnPriority
    p.append(char(0x04));            // 106: Command AcLedLocate
    return p;
}

QByteArray artSync() {
    QByteArray p = artHeader(0x5200);
    p.append(char(0)); // 12: Aux1
    p.append(char(0)); // 13: Aux2
    return p;
}

const QString defaultBlock =
    QStringLiteral("Tessaview Version: 2.8.3.0\nScreen Resolution: 340x200\nDMX Configuration: "
                   "17x10 RGB\nStart Universe: 1 / Count: 1 \nChannels per Universe: 510\n"
                   "Grafic Refresh Rate: 0\nRender Engine: Native\n10.0.0.5 - eth0");

} // namespace

class TestStatusOverlay : public QObject {
    Q_OBJECT

private slots:
    void blockWithDefaults();
    void presetFreezeAndSelfTestLines();
    void colourModesAndCounts_data();
    void colourModesAndCounts();
    void syncText();
    void shownFor1000FramesAfterApplyAndFreeze();
    void identifyBlinks();
    void artnetLocateBlinks();
    void frameRateCountsPaintedFrames();
    void textTurnsWithPicture();
};

void TestStatusOverlay::blockWithDefaults() {
    ScreenEngine engine(oneInterface());
    engine.configure(nullptr, settings(), 0, 0, {});
    paint(engine);
    QCOMPARE(engine.statusText(0), defaultBlock);
    QCOMPARE(engine.statusText(1), QString(defaultBlock).replace("Native", "Open GL"));
    QVERIFY(!engine.statusText(2).contains(QStringLiteral("Render Engine")));

    engine.configure(nullptr, settings(false, true), 0, 0, {});
    paint(engine);
    QCOMPARE(engine.interfaceText(), QStringLiteral("10.0.0.5 - eth0\nArt-Net Disabled"));
    QVERIFY(engine.statusText(0).endsWith(QStringLiteral("\n10.0.0.5 - eth0\nArt-Net Disabled")));
}

void TestStatusOverlay::presetFreezeAndSelfTestLines() {
    ScreenEngine engine(oneInterface());
    SettingsRecord record = settings(false, false);
    engine.configure(nullptr, record, 3, 0, {});
    paint(engine);
    const QString disabled = QStringLiteral("Art-Net Disabled\nsACN Disabled");
    QVERIFY(engine.statusText(0).endsWith(disabled + QStringLiteral("\nPreset 3")));
    record.Name = QStringLiteral("Stage %1 left");
    engine.configure(nullptr, record, 3, 0, {});
    paint(engine);
    QVERIFY(engine.statusText(0).endsWith(disabled + QStringLiteral("\n Stage %1 left")));
    engine.configure(nullptr, record, 0, 0, {});
    paint(engine);
    QVERIFY(engine.statusText(0).endsWith(disabled));

    engine.setSelfTest(255);
    QVERIFY(engine.statusText(0).endsWith(disabled + QStringLiteral("\nSelf Test 255 Enabled")));
    engine.setFreeze(true);
    QVERIFY(engine.statusText(0).endsWith(disabled + QStringLiteral("\nFreeze Enabled")));
}

void TestStatusOverlay::colourModesAndCounts_data() {
    QTest::addColumn<quint16>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("count"); // 17 x 10 cells, 510 channels per universe
    QTest::newRow("0") << quint16(0) << "Monochrome"
                       << "1";
    QTest::newRow("1") << quint16(1) << "RGB"
                       << "1";
    QTest::newRow("2") << quint16(2) << "RGBW"
                       << "2";
    QTest::newRow("4") << quint16(4) << "Bar Vertical"
                       << "1";
    QTest::newRow("8") << quint16(8) << "DMX Values"
                       << "1";
    QTest::newRow("12") << quint16(12) << "Bar & DMX Values"
                        << "1";
    QTest::newRow("unlisted") << quint16(3) << "RGB"
                              << "0";
}

void TestStatusOverlay::colourModesAndCounts() {
    QFETCH(quint16, mode);
    QFETCH(QString, text);
    QFETCH(QString, count);
    ScreenEngine engine(oneInterface());
    SettingsRecord record = settings(false, false);
    record.DmxUseRgb = mode;
    engine.configure(nullptr, record, 0, 0, {});
    paint(engine);
    QCOMPARE(engine.colourModeText(), text);
    QVERIFY(engine.statusText(0).contains(
        QStringLiteral("DMX Configuration: 17x10 %1\nStart Universe: 1 / Count: %2 \n")
            .arg(text, count)));
}

void TestStatusOverlay::syncText() {
    QCOMPARE(statustext::sync(false, 40, true), QString());
    QCOMPARE(statustext::sync(true, 0, false), QStringLiteral("sync"));
    QCOMPARE(statustext::sync(true, 40, true), QStringLiteral("sync 40 fps \u26A0"));

    // From the node: 40 ArtSyncs in one second of the node's clock.
    ScreenEngine engine(oneInterface());
    engine.configure(nullptr, settings(), 0, 0, {});
    paint(engine);
    qint64 now = 0;
    engine.artnetNode()->setClock([&now] { return now; });
    feed(*engine.artnetNode(), artSync());
    QVERIFY(engine.statusText(0).contains(QStringLiteral("Count: 1 sync \u26A0\n")));
    for (now = 1000; now < 1040; ++now)
        feed(*engine.artnetNode(), artSync());
    now = 2000;
    feed(*engine.artnetNode(), artSync());
    QVERIFY(engine.statusText(0).contains(QStringLiteral("Count: 1 sync 40 fps\n")));
    now = 6001; // ArtSync mode over
    QVERIFY(engine.statusText(0).contains(QStringLiteral("Count: 1 \n")));
}

void TestStatusOverlay::shownFor1000FramesAfterApplyAndFreeze() {
    ScreenEngine engine(oneInterface());
    engine.configure(nullptr, settings(false, false), 0, 0, {});
    const QImage first = paint(engine);
    savePicture(first, QStringLiteral("status_overlay"));
    QVERIFY(textPixels(first) > 500);
    for (int frame = 2; frame < 1000; ++frame)
        paint(engine);
    QVERIFY(textPixels(paint(engine)) > 0); // the 1000th
    QCOMPARE(engine.statusFrameCount(), 1000u);
    // The frame that paints the overlay away is asked for; after it, nothing.
    QVERIFY(engine.needsRepaint());
    QCOMPARE(textPixels(paint(engine)), 0);
    QVERIFY(!engine.needsRepaint());

    engine.setStatusVisible(true);
    QVERIFY(textPixels(paint(engine)) > 0);
    engine.setStatusVisible(false);
    QCOMPARE(textPixels(paint(engine)), 0);
    engine.setFreeze(true);
    QCOMPARE(engine.statusFrameCount(), 0u);
    QVERIFY(textPixels(paint(engine)) > 0);
    for (int frame = 0; frame < 1000; ++frame)
        paint(engine);
    QCOMPARE(textPixels(paint(engine)), 0);
    // Every apply shows it again.
    engine.configure(nullptr, settings(false, false), 0, 0, {});
    QVERIFY(textPixels(paint(engine)) > 0);
}

void TestStatusOverlay::identifyBlinks() {
    Configurator model;
    ScreenEngine engine(oneInterface());
    engine.configure(&model, settings(false, false), 0, 0, {});
    paint(engine);
    engine.setStatusVisible(true); // blinking wins over the permanent status
    model.slotSetIdentifyDevice(1);
    for (int period = 0; period < 2; ++period) {
        for (int phase = 1; phase < 50; ++phase) {
            const bool shown = textPixels(paint(engine)) > 0;
            QCOMPARE(engine.blinkCounter(), phase);
            QVERIFY2(shown == (phase >= 26), qPrintable(QString::number(phase)));
        }
        QCOMPARE(textPixels(paint(engine)), 0);
        QCOMPARE(engine.blinkCounter(), 0);
    }
    // An apply during the blink keeps the device identifying.
    for (int phase = 1; phase <= 3; ++phase)
        paint(engine);
    engine.configure(&model, settings(false, false), 0, 0, {});
    paint(engine);
    QCOMPARE(model.identifyDevice(), quint8(1));

    model.slotSetIdentifyDevice(0);
    QVERIFY(textPixels(paint(engine)) > 0);
    QCOMPARE(engine.blinkCounter(), 0);
    engine.configure(&model, settings(false, false), 0, 0, {});
    paint(engine);
    QCOMPARE(model.identifyDevice(), quint8(0));
}

void TestStatusOverlay::artnetLocateBlinks() {
    ScreenEngine engine(oneInterface());
    engine.configure(nullptr, settings(true, false), 0, 0, {});
    paint(engine);
    feed(*engine.artnetNode(), artAddressLocate());
    QVERIFY(engine.artnetNode()->isLocateActive());
    for (int phase = 1; phase < 26; ++phase)
        QCOMPARE(textPixels(paint(engine)), 0);
    QVERIFY(textPixels(paint(engine)) > 0);
    // Switching the status on ends the locate.
    engine.setStatusVisible(true);
    QVERIFY(!engine.artnetNode()->isLocateActive());
    QVERIFY(textPixels(paint(engine)) > 0);
    QCOMPARE(engine.blinkCounter(), 0);
}

void TestStatusOverlay::frameRateCountsPaintedFrames() {
    ScreenEngine engine(oneInterface());
    int second = 10;
    engine.setSecondClock([&second] { return second; });
    engine.configure(nullptr, settings(false, false), 0, 0, {});
    for (int frame = 0; frame < 3; ++frame)
        paint(engine);
    second = 11;
    paint(engine);
    QCOMPARE(engine.framesLastSecond(), 3);
    QVERIFY(engine.statusText(0).contains(QStringLiteral("Grafic Refresh Rate: 3\n")));
    // Frames without the overlay count too: the rate is that of the painted picture.
    for (int frame = 0; frame < 1000; ++frame)
        paint(engine);
    QVERIFY(!engine.needsRepaint());
    second = 12;
    engine.setStatusVisible(true);
    paint(engine);
    QCOMPARE(engine.framesLastSecond(), 1001);
    // The permanent overlay asks for one frame per second for its rate, none in between.
    QVERIFY(!engine.needsRepaint());
    second = 13;
    QVERIFY(engine.needsRepaint());
}

void TestStatusOverlay::textTurnsWithPicture() {
    // A square screen, so that 90 degrees turn the picture without stretching it.
    const QSize size(300, 300);
    Configurator model;
    ScreenEngine engine(oneInterface());
    engine.configure(&model, settings(false, false, size), 0, 0, {});
    const QImage upright = paint(engine, size);
    const int text = textPixels(upright);
    QVERIFY(text > 500);

    const auto compare = [&](const QImage &picture, const QImage &expected, const char *name) {
        savePicture(picture, QStringLiteral("status_") + QLatin1String(name));
        const qint64 toExpected = blockDifference(picture, expected);
        const qint64 toUpright = blockDifference(picture, upright);
        // Centred lines are nearly symmetric, so a left-right mirror differs least.
        QVERIFY2(toExpected * 3 < toUpright, name);
    };
    model.slotSetScreenFlipVertical(1); // left-right mirror
    compare(paint(engine, size), upright.mirrored(true, false), "mirror_left_right");
    model.slotSetScreenFlipVertical(0);
    model.slotSetScreenFlipHorizontal(1);
    compare(paint(engine, size), upright.mirrored(false, true), "mirror_top_bottom");
    model.slotSetScreenFlipHorizontal(0);
    model.slotSetScreenRotation(180);
    compare(paint(engine, size), upright.mirrored(true, true), "rotate_180");
    model.slotSetScreenRotation(90);
    compare(paint(engine, size), upright.transformed(QTransform().rotate(90)), "rotate_90");
}

QTEST_MAIN(TestStatusOverlay)
#include "tst_statusoverlay.moc"
