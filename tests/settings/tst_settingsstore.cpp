#include "settings/settingsstore.h"
#include "testsettingsstore.h"

#include "buildinfo.h"

#include <QtTest>

using namespace SettingsStore;

namespace {
QSettings rawStore() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromLatin1(BuildInfo::makerWeb), QStringLiteral("Tessaview"));
}
} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT
    std::unique_ptr<TemporarySettingsStore> m_store;

private slots:
    void init() { m_store = std::make_unique<TemporarySettingsStore>(); }
    void cleanup() { m_store.reset(); }

    void factoryDefaultsFollowTheDesktop() {
        SettingsRecord r;
        r.DmxSizeX = 3;
        setFactoryDefaults(r, QSize(3840, 1080));
        QCOMPARE(r.SizeX, quint16(3840));
        QCOMPARE(r.SizeY, quint16(1080));
        QCOMPARE(r.DmxSizeX, quint16(17));
        QCOMPARE(r.DmxChannelPerUniverse, quint16(510));
        QCOMPARE(r.ScreenNumber, qint16(-1));
        QCOMPARE(r.ScreenLevel, quint8(255));
        QVERIFY(r.UseArtnet && r.UseAcnnet && r.UseRdm && !r.UseRdmForAllUniverses &&
                !r.DiagnosticMarks);
        setFactoryDefaults(r, QSize());
        QCOMPARE(QSize(r.SizeX, r.SizeY), QSize(640, 480));
    }

    void freshStoreKeepsTheDefaults() {
        SettingsRecord r;
        setFactoryDefaults(r, QSize(1920, 1080));
        const SettingsRecord before = r;
        loadSettings(r, livePreset);
        QCOMPARE(r, before);
    }

    void keyNamesAndPrefixes() {
        QCOMPARE(presetPrefix(-1), QString());
        QCOMPARE(presetPrefix(0), QStringLiteral("Preset00"));
        QCOMPARE(presetPrefix(9), QStringLiteral("Preset09"));
        QCOMPARE(fieldNames().size(), 25);
        QCOMPARE(fieldNames().first(), QStringLiteral("Name"));
        QCOMPARE(fieldNames().last(), QStringLiteral("DiagnosticMarks"));

        SettingsRecord r;
        r.DmxSizeX = 33;
        saveSettings(r, 3);
        saveSettings(r, livePreset);
        QStringList keys = rawStore().allKeys();
        keys.sort();
        QStringList expected;
        for (const QString &f : fieldNames())
            expected << f << QStringLiteral("Preset03") + f;
        expected.sort();
        QCOMPARE(keys, expected);
        QCOMPARE(rawStore().value("Preset03DmxSizeX").toInt(), 33);
    }

    void valuesAreStoredAsIntegers() {
        SettingsRecord r;
        r.ScreenNumber = -2;
        r.UseOpenGL = true;
        r.LanguageIso = 0x6465;
        saveSettings(r, livePreset);
        QSettings raw = rawStore();
        QCOMPARE(raw.value("ScreenNumber").toInt(), -2);
        QCOMPARE(raw.value("UseOpenGL").toInt(), 1);
        QCOMPARE(raw.value("UseArtnet").toInt(), 1);
        QCOMPARE(raw.value("LanguageIso").toInt(), 0x6465);
        QCOMPARE(raw.value("Name").toString(), QStringLiteral("Tessaview"));
    }

    void roundTripOfEveryField() {
        SettingsRecord r;
        r.Name = QStringLiteral("Stage left");
        r.LanguageIso = 0x6465;
        r.UpdateCheck = 0;
        r.TimerStartup = 7;
        r.ScreenNumber = 1;
        r.PosX = 1920;
        r.PosY = 12;
        r.SizeX = 1280;
        r.SizeY = 720;
        r.ScreenLevel = 24;
        r.ScreenFlip = 3;
        r.ScreenRotate = 270;
        r.DmxSizeX = 480;
        r.DmxSizeY = 270;
        r.DmxChannelPerUniverse = 512;
        r.DmxUniverseStart = 63999;
        r.DmxUseRgb = 12;
        r.TimerInMs = 2000;
        r.UseOpenGL = true;
        r.ShapeType = 4;
        r.UseArtnet = false;
        r.UseAcnnet = false;
        r.UseRdm = false;
        r.UseRdmForAllUniverses = true;
        r.DiagnosticMarks = true;
        saveSettings(r, 7);
        SettingsRecord loaded;
        QVERIFY(loadSettings(loaded, 7));
        QCOMPARE(loaded, r);
    }

    void partialPresetKeepsOtherFields() {
        {
            QSettings raw = rawStore();
            raw.setValue("Preset03DmxSizeX", 40);
            raw.setValue("Preset03ShapeType", 3); // not offered by the dialog: not taken
        }
        SettingsRecord r;
        setFactoryDefaults(r, QSize(800, 600));
        QVERIFY(!loadSettings(r, 3));
        QCOMPARE(r.DmxSizeX, quint16(40));
        QCOMPARE(r.ShapeType, quint16(0));
        QCOMPARE(r.DmxSizeY, quint16(10));
        QCOMPARE(r.SizeX, quint16(800));
    }

    void unusableValuesKeepTheFactoryValue() {
        {
            QSettings raw = rawStore();
            raw.setValue("ShapeType", "round");
            raw.setValue("DmxSizeX", "many");
            raw.setValue("DmxSizeY", "-3");
            raw.setValue("SizeX", "");
            raw.setValue("UseRdm", "perhaps");
            raw.setValue("DiagnosticMarks", "2");
            raw.setValue("ScreenRotate", 45);
            raw.setValue("ScreenNumber", -9);
            raw.setValue("ScreenLevel", 300);    // brought into 0 ... 255
            raw.setValue("TimerInMs", 0);        // at least 1 ms
            raw.setValue("DmxUniverseStart", 0); // 1 ... 63999
            raw.setValue("SizeY", "99999999999999999999");
        }
        SettingsRecord r;
        QVERIFY(!loadSettings(r, livePreset));
        SettingsRecord factory;
        QCOMPARE(r.ShapeType, factory.ShapeType);
        QCOMPARE(r.DmxSizeX, factory.DmxSizeX);
        QCOMPARE(r.DmxSizeY, factory.DmxSizeY);
        QCOMPARE(r.SizeX, factory.SizeX);
        QCOMPARE(r.UseRdm, factory.UseRdm);
        QCOMPARE(r.DiagnosticMarks, false);
        QCOMPARE(r.ScreenRotate, factory.ScreenRotate);
        QCOMPARE(r.ScreenNumber, ScreenChoice::Desktop);
        QCOMPARE(r.ScreenLevel, quint8(255));
        QCOMPARE(r.TimerInMs, quint16(1));
        QCOMPARE(r.DmxUniverseStart, quint16(1));
        // Beyond 64 bits it is no number at all.
        QCOMPARE(r.SizeY, factory.SizeY);
    }

    void invalidPresetNumbersTouchNothing() {
        SettingsRecord r;
        r.DmxSizeX = 99;
        saveSettings(r, -3);
        saveSettings(r, 10);
        QVERIFY(rawStore().allKeys().isEmpty());
        {
            QSettings raw = rawStore();
            raw.setValue("DmxSizeX", 5);
        }
        QVERIFY(!loadSettings(r, -3));
        QCOMPARE(r.DmxSizeX, quint16(99));
    }

    void factoryResetKeepsThePowerCycleCounter() {
        SettingsRecord r;
        saveSettings(r, livePreset);
        saveSettings(r, 5);
        savePowerCycleCount(41);
        saveStateEnable(true);
        resetSettingsStore();
        QCOMPARE(rawStore().allKeys(), QStringList{QStringLiteral("PowerCycle")});
        QCOMPARE(countPowerCycle(), quint32(42));
        quint32 stored = 0;
        QVERIFY(loadPowerCycleCount(stored));
        QCOMPARE(stored, quint32(42));
    }

    void powerCycleCounterSaturates() {
        QCOMPARE(countPowerCycle(), quint32(1));
        savePowerCycleCount(0xFFFFFFFFu);
        QCOMPARE(countPowerCycle(), 0xFFFFFFFFu);
        QCOMPARE(countPowerCycle(), 0xFFFFFFFFu);
    }

    void menuStates() {
        QCOMPARE(loadStateEnable(), false);
        QCOMPARE(loadSelfTest(), quint8(0));
        saveStateEnable(true);
        saveSelfTest(255);
        QCOMPARE(loadStateEnable(), true);
        QCOMPARE(loadSelfTest(), quint8(255));
        QCOMPARE(rawStore().value("StateEnable").toInt(), 1);
    }

    // Kept beside the live keys, outside the presets; anything but 1 ... 512 reads as 1.
    void dmxStartAddressKey() {
        QCOMPARE(loadDmxStartAddress(), quint16(1));
        saveDmxStartAddress(3);
        QCOMPARE(loadDmxStartAddress(), quint16(3));
        QCOMPARE(rawStore().value("DmxStartAddress").toInt(), 3);
        for (const char *stored : {"0", "513", "-4", "three", ""}) {
            rawStore().setValue("DmxStartAddress", QString::fromLatin1(stored));
            QCOMPARE(loadDmxStartAddress(), quint16(1));
        }
        rawStore().setValue("DmxStartAddress", 512);
        QCOMPARE(loadDmxStartAddress(), quint16(512));
        saveSettings(SettingsRecord(), 3);
        QVERIFY(!rawStore().contains("Preset03DmxStartAddress"));
        resetSettingsStore();
        QVERIFY(!rawStore().contains("DmxStartAddress"));
    }

    void languageLetters_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("letters");
        QTest::newRow("none") << 0 << QString();
        QTest::newRow("en") << 0x656E << QStringLiteral("en");
        QTest::newRow("de") << 0x6465 << QStringLiteral("de");
    }
    void languageLetters() {
        QFETCH(int, code);
        QFETCH(QString, letters);
        QCOMPARE(::languageLetters(quint16(code)), letters);
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
