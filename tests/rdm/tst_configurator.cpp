#include "rdm/buildlabel.h"
#include "rdm/configurator.h"

#include <QSignalSpy>
#include <QTest>

// Drives the device model with a clock the test controls.
class TestConfigurator : public QObject {
    Q_OBJECT

    QDateTime m_now = QDateTime(QDate(2024, 3, 14), QTime(12, 0), Qt::UTC);
    Configurator::Clock clock() {
        return [this] { return m_now; };
    }

private slots:
    void personalityLoadsItsPreset();
    void factoryDefaultsFlag();
    void factoryResetActsOncePerRequest();
    void hoursFromReferenceTime();
    void resetDeviceActsEveryTime();
    void presetStatusUpdatesOrAppends();
    void factoryResetReturnsStartAddressToOne();
    void failLooksThroughBothDoors();
    void realTimeClockKeepsOffsetOnly();
    void realTimeClockFieldsMustExist();
    void captureActsEveryTime();
    void bootLabelDescribesThisBuild();
};

void TestConfigurator::personalityLoadsItsPreset() {
    Configurator model(clock());
    QStringList order;
    // The preset's apply reads the personality back; it must already be the new one.
    connect(&model, &Configurator::signalChangedPresetHelper, [&](int preset) {
        order << QStringLiteral("preset %1 personality %2").arg(preset).arg(model.dmxPersonality());
    });

    model.slotSetDmxPersonality(3);
    QCOMPARE(order, QStringList({"preset 2 personality 3"}));

    // The preset helper is the same path seen from the preset index.
    order.clear();
    model.slotSetPresetHelper(4);
    QCOMPARE(order, QStringList({"preset 4 personality 5"}));

    // The window echoes a loaded preset back; an unchanged personality must not reload it.
    order.clear();
    model.slotSetPresetHelper(4);
    model.slotSetDmxPersonality(5);
    QVERIFY(order.isEmpty());
}

void TestConfigurator::factoryDefaultsFlag() {
    Configurator model(clock());
    QVERIFY(model.factoryDefaults());

    // Unchanged value: still at defaults.
    model.slotSetDisplayLevel(255);
    QVERIFY(model.factoryDefaults());

    model.slotSetDisplayLevel(100);
    QCOMPARE(model.displayLevel(), quint8(100));
    QVERIFY(!model.factoryDefaults());

    model.slotSetResetFactoryDefaults();
    QVERIFY(model.factoryDefaults());

    // The program start time handed in at apply is no change of the defaults.
    model.slotSetDeviceHours(m_now.addDays(-1));
    QCOMPARE(model.deviceHoursReference(), m_now.addDays(-1));
    QVERIFY(model.factoryDefaults());
    // The lamp-hours reference is an ordinary change.
    model.slotSetLampHours(m_now.addDays(-1));
    QVERIFY(!model.factoryDefaults());

    // A language is a change, and its listeners hear of it.
    model.slotSetResetFactoryDefaults();
    QSignalSpy language(&model, &Configurator::signalChangedLanguage);
    model.slotSetLanguage(0x6465);
    QVERIFY(!model.factoryDefaults());
    QCOMPARE(language.at(0).at(0).value<quint16>(), quint16(0x6465));

    // Lists that are always stored clear the flag even when equal.
    model.slotSetResetFactoryDefaults();
    model.slotSetDmxPersonalityDescription({});
    QVERIFY(!model.factoryDefaults());

    // Replaced lists count as a change only when they differ.
    model.slotSetResetFactoryDefaults();
    model.slotSetListInterfaces({});
    QVERIFY(model.factoryDefaults());
    model.slotSetListInterfaces({{0x0A000001, 1}});
    QVERIFY(!model.factoryDefaults());
    QCOMPARE(model.listInterfaces().size(), 1);
}

void TestConfigurator::factoryResetActsOncePerRequest() {
    Configurator model(clock());
    // A stand-in for the window, which puts its default settings into the model while it hears
    // of the reset (clearing the flag).
    int resets = 0;
    connect(&model, &Configurator::signalChangedFactoryDefaults, &model, [&] {
        ++resets;
        model.slotSetDisplayLevel(quint8(255 - resets));
    });

    // Right after start-up the flag is set; the request still resets.
    model.slotSetRealTimeClock(m_now.addSecs(60));
    model.slotSetResetFactoryDefaults();
    model.slotSetFactoryDefaults();
    QCOMPARE(resets, 1);
    QVERIFY(model.factoryDefaults());
    QCOMPARE(model.realTimeClockOffset(), qint64(0));

    // Away from defaults: the same, one report per request.
    model.slotSetDisplayLevel(9);
    model.slotSetFactoryDefaults();
    QCOMPARE(resets, 2);
    QVERIFY(model.factoryDefaults());
}

void TestConfigurator::hoursFromReferenceTime() {
    Configurator model(clock());
    // Fresh model: the reference is the construction time.
    QCOMPARE(model.deviceHours(), quint32(0));
    QCOMPARE(model.deviceHoursReference(), m_now);

    model.slotSetLampHours(m_now.addSecs(-90 * 60));
    QCOMPARE(model.lampHours(), quint32(1));

    // Both ends in UTC: a reference given at another offset is the same instant.
    model.slotSetDeviceHours(m_now.toOffsetFromUtc(5 * 3600).addSecs(-(3 * 3600 + 3599)));
    QCOMPARE(model.deviceHours(), quint32(3));

    // Time moves on with the clock.
    m_now = m_now.addSecs(3600);
    QCOMPARE(model.deviceHours(), quint32(4));
    QCOMPARE(model.lampHours(), quint32(2));

    // A reference in the future counts nothing.
    model.slotSetLampHours(m_now.addSecs(7200));
    QCOMPARE(model.lampHours(), quint32(0));

    // A stored counter wins while it is non-zero.
    model.slotSetLampHours(quint32(42));
    QCOMPARE(model.lampHours(), quint32(42));
    model.slotSetDeviceHours(quint32(7));
    QCOMPARE(model.deviceHours(), quint32(7));
    model.slotSetDeviceHours(quint32(0));
    QCOMPARE(model.deviceHours(), quint32(4));
}

void TestConfigurator::resetDeviceActsEveryTime() {
    Configurator model(clock());
    QSignalSpy reset(&model, &Configurator::signalChangedResetDevice);
    model.slotSetResetDevice(0xFF);
    model.slotSetResetDevice(0xFF);
    model.slotSetResetDevice(0x01);
    QCOMPARE(reset.count(), 3);
    QCOMPARE(reset.at(1).at(0).value<quint8>(), quint8(0xFF));
    QCOMPARE(reset.at(2).at(0).value<quint8>(), quint8(0x01));
    QVERIFY(!model.factoryDefaults());
}

void TestConfigurator::presetStatusUpdatesOrAppends() {
    Configurator model(clock());
    model.slotSetPresetStatus(QList<stPresetStatus>(9));
    model.slotSetResetFactoryDefaults();

    // Scene 10 while nine entries exist: a tenth entry.
    model.slotSetPresetStatus(10, {100, 200, 300, 1});
    QCOMPARE(model.presetStatus().size(), 10);
    QCOMPARE(model.presetStatus().at(9), (stPresetStatus{100, 200, 300, 1}));
    QVERIFY(!model.factoryDefaults());

    // An existing scene is replaced in place (scene n is position n - 1).
    model.slotSetResetFactoryDefaults();
    model.slotSetPresetStatus(3, {1, 2, 3, 2});
    QCOMPARE(model.presetStatus().size(), 10);
    QCOMPARE(model.presetStatus().at(2), (stPresetStatus{1, 2, 3, 2}));
    QCOMPARE(model.presetStatus().at(1), stPresetStatus{});
    QVERIFY(!model.factoryDefaults());

    // Same values again: no change.
    model.slotSetResetFactoryDefaults();
    model.slotSetPresetStatus(3, {1, 2, 3, 2});
    QVERIFY(model.factoryDefaults());

    // Scene 0 has no position; it must not turn up as scene 11.
    model.slotSetPresetStatus(0, {9, 9, 9, 1});
    QCOMPARE(model.presetStatus().size(), 10);
}

// A device at its factory defaults answers at address 1, whichever reset got it there.
void TestConfigurator::factoryResetReturnsStartAddressToOne() {
    Configurator model(clock());
    QSignalSpy address(&model, &Configurator::signalChangedDmxStartAddress);
    model.slotSetDmxStartAddress(3);
    model.slotSetDmxStartAddress(3);
    QCOMPARE(address.count(), 1);
    model.slotSetFactoryDefaults();
    QCOMPARE(model.dmxStartAddress(), quint16(1));
    QCOMPARE(address.count(), 2);
    QCOMPARE(address.at(1).at(0).value<quint16>(), quint16(1));

    model.slotSetDmxStartAddress(5);
    model.slotSetFactoryDefaults();
    QCOMPARE(model.dmxStartAddress(), quint16(1));
    QVERIFY(model.factoryDefaults());
    QCOMPARE(address.count(), 4);
}

// Art-Net's fail-safe states set the one fail mode RDM reads: delay and hold stay, zero and
// full are every channel at 0 or 255, a scene keeps the scene and level set over RDM. A factory
// reset holds for ever again.
void TestConfigurator::failLooksThroughBothDoors() {
    Configurator model(clock());
    model.slotSetDmxFailMode({4, 10, 20, 100});
    const auto reads = [&](LossLook look, stDmxSceneMode expected) {
        model.slotSetFailLook(look);
        return model.dmxFailMode() == expected && lossLook(model.dmxFailMode()) == look;
    };
    QVERIFY(reads(LossLook::Scene, {4, 10, 20, 100}));
    QVERIFY(reads(LossLook::Zero, {sceneAllChannels, 10, 20, 0}));
    QVERIFY(reads(LossLook::Full, {sceneAllChannels, 10, 20, 255}));
    QVERIFY(reads(LossLook::Scene, {1, 10, 20, 255}));
    QVERIFY(reads(LossLook::Hold, {0, 10, 20, 255}));
    model.slotSetFactoryDefaults();
    QVERIFY(model.dmxFailMode() == holdForEver);
}

void TestConfigurator::realTimeClockKeepsOffsetOnly() {
    Configurator model(clock());
    QCOMPARE(model.realTimeClock(), m_now.toLocalTime());

    const QDateTime controller = m_now.toLocalTime().addDays(1).addSecs(5);
    model.slotSetRealTimeClock(controller);
    QCOMPARE(model.realTimeClockOffset(), qint64(86405000));
    QCOMPARE(model.realTimeClock(), controller);

    // The controller's clock runs on with the computer's.
    m_now = m_now.addSecs(60);
    QCOMPARE(model.realTimeClock(), controller.addSecs(60));

    // An invalid date-time keeps the offset instead of storing a meaningless one.
    model.slotSetRealTimeClock(QDateTime());
    QCOMPARE(model.realTimeClockOffset(), qint64(86405000));
}

void TestConfigurator::realTimeClockFieldsMustExist() {
    QVERIFY(!Configurator::realTimeClockFromFields(2024, 13, 1, 12, 0, 0));
    QVERIFY(!Configurator::realTimeClockFromFields(2024, 0, 1, 12, 0, 0));
    QVERIFY(!Configurator::realTimeClockFromFields(2023, 2, 29, 12, 0, 0));
    QVERIFY(!Configurator::realTimeClockFromFields(2024, 2, 31, 12, 0, 0));
    QVERIFY(!Configurator::realTimeClockFromFields(2024, 4, 31, 12, 0, 0));
    QVERIFY(!Configurator::realTimeClockFromFields(2024, 6, 1, 25, 0, 0));
    QVERIFY(!Configurator::realTimeClockFromFields(2024, 6, 1, 24, 0, 0));
    QVERIFY(!Configurator::realTimeClockFromFields(2024, 6, 1, 12, 60, 0));
    QVERIFY(!Configurator::realTimeClockFromFields(2024, 6, 1, 12, 0, 61));

    const auto leapDay = Configurator::realTimeClockFromFields(2024, 2, 29, 23, 59, 58);
    QVERIFY(leapDay);
    QCOMPARE(leapDay->date(), QDate(2024, 2, 29));
    QCOMPARE(leapDay->time(), QTime(23, 59, 58));
    QCOMPARE(leapDay->timeSpec(), Qt::LocalTime);

    // A leap second is a real time; it is held at the last representable second.
    const auto leapSecond = Configurator::realTimeClockFromFields(2016, 12, 31, 23, 59, 60);
    QVERIFY(leapSecond);
    QCOMPARE(leapSecond->time(), QTime(23, 59, 59));
}

void TestConfigurator::captureActsEveryTime() {
    Configurator model(clock());
    QSignalSpy shortForm(&model, qOverload<quint16>(&Configurator::signalChangedCapturePreset));
    QSignalSpy longForm(&model, qOverload<quint16, quint16, quint16, quint16>(
                                    &Configurator::signalChangedCapturePreset));
    // Capturing the same scene again after the picture changed must save it again.
    model.slotSetCapturePreset(12);
    model.slotSetCapturePreset(12);
    QCOMPARE(shortForm.count(), 2);
    model.slotSetCapturePreset(12, 1, 2, 3);
    model.slotSetCapturePreset(12, 1, 2, 3);
    QCOMPARE(longForm.count(), 2);
    QCOMPARE(longForm.at(1).at(3).value<quint16>(), quint16(3));
    QCOMPARE(model.capturePresetWaitTime(), quint16(3));
}

void TestConfigurator::bootLabelDescribesThisBuild() {
    const QString expected =
        QStringLiteral("Linux (%1bit)")
            .arg(sizeof(void *) == 8 ? QStringLiteral("64") : QStringLiteral("32"));
    QCOMPARE(bootSoftwareVersionLabel(), expected);
}

QTEST_GUILESS_MAIN(TestConfigurator)
#include "tst_configurator.moc"
