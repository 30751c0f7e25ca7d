#include "engine/celllayout.h"
#include "engine/screenengine.h"
#include "rdm/configurator.h"
#include "settings/settingsrecord.h"
#include "testpictures.h"

#include <QPainter>
#include <QtTest>

namespace {

const QRgb black = qRgb(0, 0, 0);
const QRgb white = qRgb(255, 255, 255);

SettingsRecord record(int cols = 17, int rows = 10, quint16 mode = ColourMode::Rgb,
                      QSize size = {340, 200}) {
    SettingsRecord settings;
    settings.DmxSizeX = quint16(cols);
    settings.DmxSizeY = quint16(rows);
    settings.DmxUseRgb = mode;
    settings.SizeX = quint16(size.width());
    settings.SizeY = quint16(size.height());
    return settings;
}

QImage paint(ScreenEngine &engine, QSize size = {340, 200}, const QString &name = {}) {
    QImage target(size, QImage::Format_RGB32);
    target.fill(Qt::red);
    engine.applyStaged();
    {
        QPainter painter(&target);
        engine.paintFrame(painter, QRect(QPoint(0, 0), size), 0);
    }
    if (!name.isEmpty())
        savePicture(target, QString::fromLatin1(QTest::currentTestFunction()) + '_' + name);
    return target;
}

// What a receiver would do: overwrite the start of the frame.
void receive(ScreenEngine &engine, const QByteArray &data) {
    engine.frameStore().modify(FrameStore::Writer::ArtNet, [&data](std::span<quint8> frame) {
        std::copy_n(data.constData(), std::min(size_t(data.size()), frame.size()), frame.begin());
    });
}

QByteArray frameOf(ScreenEngine &engine) {
    QByteArray frame;
    engine.frameStore().snapshot(frame);
    return frame;
}

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray data;
    for (int v : values)
        data.append(char(v));
    return data;
}

bool onlyGrey(const QImage &picture) {
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            if (qAbs(qRed(p) - qGreen(p)) > 4 || qAbs(qBlue(p) - qGreen(p)) > 4)
                return false;
        }
    }
    return true;
}

int settingChangedLines = 0;
void countSettingChanged(QtMsgType, const QMessageLogContext &, const QString &message) {
    if (message == QLatin1String("Setting Changed"))
        ++settingChangedLines;
}

} // namespace

Q_DECLARE_METATYPE(SettingsRecord)

class TestScreenEngine : public QObject {
    Q_OBJECT

private slots:
    void nothingBeforeFirstApply();
    void configureCallsCollapseIntoOneApply();
    void applyOfTheSameLayoutKeepsTheFrame();
    void unusableLayoutPaintsBackground_data();
    void unusableLayoutPaintsBackground();
    void zeroScreenSizeWithRotation();
    void screenValuesComeFromDeviceModel();
    void paintsAtRectangleOrigin();
    void frameImage_data();
    void frameImage();
    void freezeKeepsPicture();
    void freezeRetakesCopyAtNewLength();
    void selfTestWritesFrameAndZeroClears();
    void freezeActsAfterSelfTest();
};

void TestScreenEngine::nothingBeforeFirstApply() {
    ScreenEngine engine;
    QImage expected(340, 200, QImage::Format_RGB32);
    expected.fill(Qt::red);
    QCOMPARE(paint(engine), expected);
    QVERIFY(engine.frameImage().isNull());
    QCOMPARE(engine.activeSettings(), nullptr);
    engine.setSelfTest(0); // no frame yet: nothing to clear, nothing breaks
    QCOMPARE(engine.frameStore().length(), 0u);
}

void TestScreenEngine::configureCallsCollapseIntoOneApply() {
    ScreenEngine engine;
    engine.configure(nullptr, record(17, 10), 1, 5, QDateTime::currentDateTime());
    engine.configure(nullptr, record(20, 10), 2, 5, QDateTime::currentDateTime());
    engine.configure(nullptr, record(8, 4, ColourMode::Monochrome), 3, 5,
                     QDateTime::currentDateTime());
    QCOMPARE(engine.activeSettings(), nullptr); // staged only

    settingChangedLines = 0;
    const QtMessageHandler previous = qInstallMessageHandler(countSettingChanged);
    paint(engine);
    paint(engine);
    qInstallMessageHandler(previous);
    QCOMPARE(settingChangedLines, 1);
    QVERIFY(engine.activeSettings());
    QCOMPARE(*engine.activeSettings(), record(8, 4, ColourMode::Monochrome));
    QCOMPARE(engine.appliedPreset(), 3);
    QCOMPARE(engine.frameStore().length(), 32u);
}

void TestScreenEngine::applyOfTheSameLayoutKeepsTheFrame() {
    ScreenEngine engine;
    SettingsRecord settings = record();
    settings.DmxChannelPerUniverse = 100;
    engine.configure(nullptr, settings, 0, 0, {});
    paint(engine);
    QCOMPARE(engine.frameStore().length(), 510u);
    QCOMPARE(engine.frameStore().channelsPerUniverse(), quint16(100));
    QCOMPARE(engine.frameStore().universeCount(), 6u);
    receive(engine, QByteArray(510, char(255)));
    QCOMPARE(paint(engine).pixel(10, 10), white);
    // The same settings again (a resize, a second start-up apply): nothing is lost.
    engine.configure(nullptr, settings, 0, 0, {});
    QCOMPARE(paint(engine).pixel(10, 10), white);
    QCOMPARE(frameOf(engine), QByteArray(510, char(255)));
}

void TestScreenEngine::unusableLayoutPaintsBackground_data() {
    QTest::addColumn<SettingsRecord>("settings");
    SettingsRecord settings = record(0, 10);
    QTest::newRow("no columns") << settings;
    settings = record(17, 0);
    QTest::newRow("no rows") << settings;
    settings = record();
    settings.DmxChannelPerUniverse = 0;
    QTest::newRow("no channels per universe") << settings;
    settings = record(65535, 65535, ColourMode::Rgbw);
    QTest::newRow("grid beyond any frame") << settings;
}

void TestScreenEngine::unusableLayoutPaintsBackground() {
    QFETCH(SettingsRecord, settings);
    ScreenEngine engine;
    engine.configure(nullptr, settings, 0, 0, {});
    for (quint8 test : {quint8(0), quint8(255)}) {
        engine.setSelfTest(test);
        for (quint16 shape : {ShapeKind::RectangleFilled, ShapeKind::EllipseFilled}) {
            settings.ShapeType = shape;
            engine.configure(nullptr, settings, 0, 0, {});
            // Background and the grey status text only: no cell, no self-test colour.
            QVERIFY(onlyGrey(paint(engine)));
            QCOMPARE(engine.frameStore().length(), 0u);
        }
    }
    engine.setFreeze(true);
    paint(engine);
    if (settings.DmxSizeX > 0 && settings.DmxSizeY > 0 && settings.DmxSizeX < 1000)
        QCOMPARE(engine.frameImage().size(), QSize(settings.DmxSizeX, settings.DmxSizeY));
}

void TestScreenEngine::zeroScreenSizeWithRotation() {
    Configurator model;
    ScreenEngine engine;
    SettingsRecord settings = record();
    settings.SizeY = 0;
    for (quint16 rotation : {90, 270}) {
        engine.configure(&model, settings, 0, 0, {});
        paint(engine); // the first apply fills the model with the record's rotation
        model.slotSetScreenRotation(rotation);
        receive(engine, QByteArray(510, char(255)));
        paint(engine); // an infinite stretch would be undefined; nothing may break
    }
}

void TestScreenEngine::screenValuesComeFromDeviceModel() {
    Configurator model;
    ScreenEngine engine;
    // 2 x 1 mono cells of 170 x 200; cell 0 full, cell 1 dark.
    engine.configure(&model, record(2, 1, ColourMode::Monochrome), 0, 0, {});
    paint(engine);
    receive(engine, bytes({255, 0}));
    QCOMPARE(paint(engine).pixel(10, 10), white);

    model.slotSetDisplayLevel(128);
    QCOMPARE(paint(engine, {340, 200}, "level128").pixel(10, 10), qRgb(128, 128, 128));
    model.slotSetDisplayLevel(255);
    // Only a stored 1 inverts.
    model.slotSetScreenInvert(2);
    QCOMPARE(paint(engine).pixel(10, 10), white);
    model.slotSetScreenInvert(1);
    QImage picture = paint(engine, {340, 200}, "invert");
    QCOMPARE(picture.pixel(10, 10), black);
    QCOMPARE(picture.pixel(300, 10), white);
    model.slotSetScreenInvert(0);
    // Vertical flip is the left-right mirror.
    model.slotSetScreenFlipVertical(1);
    picture = paint(engine, {340, 200}, "flip_vertical");
    QCOMPARE(picture.pixel(10, 10), black);
    QCOMPARE(picture.pixel(300, 10), white);
    model.slotSetScreenFlipVertical(0);
    model.slotSetScreenRotation(180);
    QCOMPARE(paint(engine).pixel(300, 10), white);
    model.slotSetScreenRotation(0);

    // The record's own screen values are not what the painter reads.
    SettingsRecord settings = record(2, 1, ColourMode::Monochrome);
    settings.ScreenLevel = 10;
    settings.ScreenRotate = 180;
    settings.ScreenFlip = 3;
    engine.configure(&model, settings, 0, 0, {});
    paint(engine);
    receive(engine, bytes({255, 0}));
    QCOMPARE(paint(engine).pixel(10, 10), white);
    // Without a device model: full level, no invert, no mirror, no rotation.
    model.slotSetDisplayLevel(1);
    engine.configure(nullptr, settings, 0, 0, {});
    paint(engine);
    receive(engine, bytes({255, 0}));
    QCOMPARE(paint(engine).pixel(10, 10), white);
}

void TestScreenEngine::paintsAtRectangleOrigin() {
    ScreenEngine engine;
    engine.configure(nullptr, record(2, 1, ColourMode::Monochrome), 0, 0, {});
    QImage target(400, 300, QImage::Format_RGB32);
    target.fill(Qt::red);
    engine.applyStaged();
    QPainter painter(&target);
    engine.paintFrame(painter, QRect(10, 20, 340, 200), 0);
    receive(engine, bytes({255, 0}));
    engine.paintFrame(painter, QRect(10, 20, 340, 200), 0);
    painter.end();
    QCOMPARE(target.pixel(9, 20), qRgb(255, 0, 0));
    QCOMPARE(target.pixel(10, 20), white);
    QCOMPARE(target.pixel(179, 219), white);
    QCOMPARE(target.pixel(180, 20), black);
    QCOMPARE(target.pixel(349, 219), black);
    QCOMPARE(target.pixel(350, 219), qRgb(255, 0, 0));
}

void TestScreenEngine::frameImage_data() {
    QTest::addColumn<quint16>("mode");
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QList<QRgb>>("pixels"); // the first cells of a 3 x 2 grid
    QTest::newRow("mono") << ColourMode::Monochrome << bytes({9, 200, 0, 1, 2, 3})
                          << QList<QRgb>{qRgb(9, 9, 9), qRgb(200, 200, 200), black,
                                         qRgb(1, 1, 1), qRgb(2, 2, 2),       qRgb(3, 3, 3)};
    QTest::newRow("bar and values") << ColourMode::BarAndDmxValues << bytes({9, 200, 0, 1, 2, 3})
                                    << QList<QRgb>{qRgb(9, 9, 9), qRgb(200, 200, 200)};
    QTest::newRow("rgb") << ColourMode::Rgb << bytes({1, 2, 3, 4, 5, 6})
                         << QList<QRgb>{qRgb(1, 2, 3), qRgb(4, 5, 6), black};
    // The painter's mix of white into each colour: (255, 0, 0, 255) shows (255, 85, 85).
    QTest::newRow("rgbw") << ColourMode::Rgbw << bytes({255, 0, 0, 255, 30, 60, 90, 0})
                          << QList<QRgb>{qRgb(255, 85, 85), qRgb(20, 40, 60), black};
    QTest::newRow("unknown mode as rgb")
        << quint16(3) << bytes({1, 2, 3}) << QList<QRgb>{qRgb(1, 2, 3), black};
}

void TestScreenEngine::frameImage() {
    QFETCH(quint16, mode);
    QFETCH(QByteArray, frame);
    QFETCH(QList<QRgb>, pixels);
    Configurator model;
    model.slotSetDisplayLevel(10); // raw bytes: no level
    model.slotSetScreenFlipVertical(1);
    ScreenEngine engine;
    engine.configure(&model, record(3, 2, mode), 0, 0, {});
    paint(engine);
    receive(engine, frame);
    const QImage image = engine.frameImage();
    QCOMPARE(image.format(), QImage::Format_RGB888);
    QCOMPARE(image.size(), QSize(3, 2));
    for (int n = 0; n < pixels.size(); ++n)
        QCOMPARE(image.pixel(n % 3, n / 3), pixels[n]);
}

void TestScreenEngine::freezeKeepsPicture() {
    ScreenEngine engine;
    engine.configure(nullptr, record(2, 1, ColourMode::Monochrome), 0, 0, {});
    paint(engine);
    receive(engine, bytes({255, 0}));
    engine.setFreeze(true);
    paint(engine); // the copy is taken here
    receive(engine, bytes({0, 255}));
    // Restored before the paint, so both the picture and the frame show the frozen state.
    QImage picture = paint(engine, {340, 200}, "frozen");
    QCOMPARE(picture.pixel(10, 10), white);
    QCOMPARE(picture.pixel(300, 10), black);
    QCOMPARE(frameOf(engine), bytes({255, 0}));
    engine.setFreeze(false);
    receive(engine, bytes({0, 255}));
    picture = paint(engine);
    QCOMPARE(picture.pixel(10, 10), black);
    QCOMPARE(picture.pixel(300, 10), white);
    // Freezing again takes a fresh copy, not the old one.
    engine.setFreeze(true);
    paint(engine);
    receive(engine, bytes({7, 7}));
    paint(engine);
    QCOMPARE(frameOf(engine), bytes({0, 255}));
}

void TestScreenEngine::freezeRetakesCopyAtNewLength() {
    ScreenEngine engine;
    engine.configure(nullptr, record(2, 1, ColourMode::Monochrome), 0, 0, {});
    paint(engine);
    receive(engine, bytes({255, 0}));
    engine.setFreeze(true);
    paint(engine);
    // Same length after an apply: the frozen frame is put back over the zeroed one.
    engine.configure(nullptr, record(1, 2, ColourMode::Monochrome), 0, 0, {});
    paint(engine);
    QCOMPARE(frameOf(engine), bytes({255, 0}));
    // A new cell count: the copy is retaken from the new frame, in which the universe that
    // stays keeps its bytes.
    engine.configure(nullptr, record(3, 1, ColourMode::Monochrome), 0, 0, {});
    paint(engine);
    receive(engine, bytes({9, 9, 9}));
    paint(engine);
    QCOMPARE(frameOf(engine), bytes({255, 0, 0}));
}

void TestScreenEngine::selfTestWritesFrameAndZeroClears() {
    ScreenEngine engine;
    engine.configure(nullptr, record(), 0, 0, {});
    paint(engine);
    receive(engine, QByteArray(510, char(77)));
    engine.setSelfTest(1);
    paint(engine); // step 0: all black over the received data
    QCOMPARE(frameOf(engine), QByteArray(510, char(0)));
    QImage picture = paint(engine, {340, 200}, "snake_step1");
    QCOMPARE(picture.pixel(10, 10), qRgb(255, 0, 0)); // first cell red
    QCOMPARE(picture.pixel(30, 10), black);
    QCOMPARE(engine.frameImage().pixel(0, 0), qRgb(255, 0, 0));
    paint(engine);
    QCOMPARE(paint(engine).pixel(10, 10), white); // step 3

    receive(engine, QByteArray(510, char(77)));
    engine.setSelfTest(0);
    QCOMPARE(frameOf(engine), QByteArray(510, char(0)));
    // Data received afterwards shows again.
    receive(engine, QByteArray(3, char(255)));
    QCOMPARE(paint(engine).pixel(10, 10), white);
    QCOMPARE(paint(engine).pixel(30, 10), black);
}

void TestScreenEngine::freezeActsAfterSelfTest() {
    ScreenEngine engine;
    engine.configure(nullptr, record(), 0, 0, {});
    paint(engine);
    engine.setSelfTest(3); // unfill: step 0 is all 255
    engine.setFreeze(true);
    paint(engine);
    QCOMPARE(frameOf(engine), QByteArray(510, char(255)));
    paint(engine); // the snake moves on, the frozen frame is put back over it
    paint(engine);
    QCOMPARE(frameOf(engine), QByteArray(510, char(255)));
}

QTEST_MAIN(TestScreenEngine)
#include "tst_screenengine.moc"
