#include "settings/settingsdialog.h"
#include "settings/settingsstore.h"
#include "settingsdialogtest.h"
#include "testsettingsstore.h"

#include "buildinfo.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace DialogTest;

namespace {

// Every field away from its factory default, most at an end of the dialog's range.
SettingsRecord farFromDefaults() {
    SettingsRecord r;
    r.Name = QStringLiteral("Bühne links");
    r.LanguageIso = 0x6465;
    r.UpdateCheck = 0;
    r.TimerStartup = 65535;
    r.ScreenNumber = ScreenChoice::UserSize;
    r.PosX = 9999;
    r.PosY = 17;
    r.SizeX = 1;
    r.SizeY = 9999;
    r.ScreenLevel = 0;
    r.ScreenFlip = 3;
    r.ScreenRotate = 270;
    r.DmxSizeX = 9999;
    r.DmxSizeY = 1;
    r.DmxChannelPerUniverse = 512;
    r.DmxUniverseStart = 63999;
    r.DmxUseRgb = ColourMode::BarAndDmxValues;
    r.TimerInMs = 2000;
    r.UseOpenGL = true;
    r.ShapeType = ShapeKind::Ellipse;
    r.UseArtnet = false;
    r.UseAcnnet = false;
    r.UseRdm = false;
    r.UseRdmForAllUniverses = true;
    return r;
}

SettingsRecord storedPreset(int preset) {
    SettingsRecord r;
    SettingsStore::loadSettings(r, preset);
    return r;
}

QSettings rawStore() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromLatin1(BuildInfo::makerWeb), QStringLiteral("Tessaview"));
}

bool warningShown(const Settings &dlg, const char *name) {
    return !child<QWidget>(dlg, name)->isHidden();
}

} // namespace

class TestSettingsDialog : public QObject {
    Q_OBJECT
    std::unique_ptr<TemporarySettingsStore> m_store;
    SettingsRecord m_live;

private slots:
    void init() {
        m_store = std::make_unique<TemporarySettingsStore>();
        m_live = SettingsRecord();
    }
    void cleanup() { m_store.reset(); }

    void comboItemsCarryTheStoredValues_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<int>>("values");
        // Item order, text and stored value as the user sees them, field by field.
        QTest::newRow("LanguageIso")
            << "LanguageIso" << QStringList{"English", "Deutsch"} << QList<int>{0x656E, 0x6465};
        QTest::newRow("UpdateCheck")
            << "UpdateCheck" << QStringList{"Disabled", "Enabled"} << QList<int>{0, 1};
        QTest::newRow("UseOpenGL")
            << "UseOpenGL" << QStringList{"Use Native", "Use OpenGL"} << QList<int>{0, 1};
        QTest::newRow("ScreenFlip")
            << "ScreenFlip"
            << QStringList{"None", "Horizontal", "Vertical", "Vertical & Horizontal"}
            << QList<int>{0, 1, 2, 3};
        QTest::newRow("ScreenRotate") << "ScreenRotate" << QStringList{"0°", "90°", "180°", "270°"}
                                      << QList<int>{0, 90, 180, 270};
        QTest::newRow("DmxUseRgb")
            << "DmxUseRgb" << QStringList{"Monochrome",   "RGB",        "RGBW",
                                          "Bar Vertical", "DMX Values", "Bar and DMX Values"}
            << QList<int>{0, 1, 2, 4, 8, 12};
        // The outlined ellipse is 4, not 3.
        QTest::newRow("ShapeType")
            << "ShapeType"
            << QStringList{"Rectangle, Filled", "Rectangle", "Ellipse, Filled", "Ellipse"}
            << QList<int>{0, 1, 2, 4};
        // The protocol switches list "Enabled" first.
        for (const char *field : {"UseArtnet", "UseAcnnet", "UseRdm"})
            QTest::newRow(field) << field << QStringList{"Enabled", "Disabled"} << QList<int>{1, 0};
        QTest::newRow("UseRdmForAllUniverses")
            << "UseRdmForAllUniverses"
            << QStringList{"RDM only for first Universes (default)",
                           "RDM for all Universes (generates many traffic)"}
            << QList<int>{0, 1};
        // One screen under the offscreen platform: no "Screen %1" entries.
        QTest::newRow("ScreenNumber")
            << "ScreenNumber" << QStringList{"Desktop", "User Size"} << QList<int>{-1, -2};
    }

    void comboItemsCarryTheStoredValues() {
        QFETCH(QString, field);
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, values);
        Settings dlg(m_live);
        const QComboBox *box = combo(dlg, field.toLatin1().constData());
        QStringList gotTexts;
        QList<int> gotValues;
        for (int i = 0; i < box->count(); ++i) {
            gotTexts << box->itemText(i);
            gotValues << box->itemData(i).toInt();
        }
        QCOMPARE(gotTexts, texts);
        QCOMPARE(gotValues, values);
    }

    void spinBoxRanges() {
        Settings dlg(m_live);
        const struct {
            const char *field;
            int minimum, maximum;
        } ranges[] = {
            {"TimerStartup", 0, 65535},
            {"PosX", 0, 9999},
            {"PosY", 0, 9999},
            {"SizeX", 1, 9999},
            {"SizeY", 1, 9999},
            {"TimerInMs", 1, 2000},
            {"ScreenLevel", 0, 255},
            {"DmxSizeX", 1, 9999},
            {"DmxSizeY", 1, 9999},
            {"DmxChannelPerUniverse", 1, 512},
            {"DmxUniverseStart", 1, 63999},
        };
        for (const auto &range : ranges) {
            const QSpinBox *box = spin(dlg, range.field);
            QVERIFY2(box->minimum() == range.minimum && box->maximum() == range.maximum,
                     range.field);
        }
    }

    void everyFieldReachesTheWidgetsAndComesBack() {
        const SettingsRecord wanted = farFromDefaults();
        m_live = wanted;
        Settings dlg(m_live);

        // Record -> widgets, checked on what the user reads.
        QCOMPARE(edit(dlg, "Name")->text(), wanted.Name);
        QCOMPARE(combo(dlg, "LanguageIso")->currentText(), QStringLiteral("Deutsch"));
        QCOMPARE(combo(dlg, "UpdateCheck")->currentText(), QStringLiteral("Disabled"));
        QCOMPARE(spin(dlg, "TimerStartup")->value(), 65535);
        QCOMPARE(combo(dlg, "ScreenNumber")->currentText(), QStringLiteral("User Size"));
        QCOMPARE(spin(dlg, "PosX")->value(), 9999);
        QCOMPARE(spin(dlg, "PosY")->value(), 17);
        QCOMPARE(spin(dlg, "SizeX")->value(), 1);
        QCOMPARE(spin(dlg, "SizeY")->value(), 9999);
        QCOMPARE(spin(dlg, "ScreenLevel")->value(), 0);
        QCOMPARE(combo(dlg, "ScreenFlip")->currentText(), QStringLiteral("Vertical & Horizontal"));
        QCOMPARE(combo(dlg, "ScreenRotate")->currentText(), QStringLiteral("270°"));
        QCOMPARE(spin(dlg, "DmxSizeX")->value(), 9999);
        QCOMPARE(spin(dlg, "DmxSizeY")->value(), 1);
        QCOMPARE(spin(dlg, "DmxChannelPerUniverse")->value(), 512);
        QCOMPARE(spin(dlg, "DmxUniverseStart")->value(), 63999);
        QCOMPARE(combo(dlg, "DmxUseRgb")->currentText(), QStringLiteral("Bar and DMX Values"));
        QCOMPARE(spin(dlg, "TimerInMs")->value(), 2000);
        QCOMPARE(combo(dlg, "UseOpenGL")->currentText(), QStringLiteral("Use OpenGL"));
        QCOMPARE(combo(dlg, "ShapeType")->currentText(), QStringLiteral("Ellipse"));
        QCOMPARE(combo(dlg, "UseArtnet")->currentText(), QStringLiteral("Disabled"));
        QCOMPARE(combo(dlg, "UseAcnnet")->currentText(), QStringLiteral("Disabled"));
        QCOMPARE(combo(dlg, "UseRdm")->currentText(), QStringLiteral("Disabled"));
        QCOMPARE(combo(dlg, "UseRdmForAllUniverses")->currentIndex(), 1);
        // A free window: its place and size are editable.
        for (const char *field : {"PosX", "PosY", "SizeX", "SizeY"})
            QVERIFY2(spin(dlg, field)->isEnabled(), field);

        // Widgets -> record.
        m_live = SettingsRecord();
        dlg.slotPressApply();
        QCOMPARE(m_live, wanted);
    }

    void userEditsReachTheRecord() {
        Settings dlg(m_live);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));

        QLineEdit *name = edit(dlg, "Name");
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("Foyer"));
        QVERIFY(choose(combo(dlg, "LanguageIso"), 0x656E));
        QVERIFY(choose(combo(dlg, "UpdateCheck"), 0));
        spin(dlg, "TimerStartup")->setValue(12);
        QVERIFY(choose(combo(dlg, "ScreenNumber"), ScreenChoice::UserSize));
        spin(dlg, "PosX")->setValue(100);
        spin(dlg, "PosY")->setValue(200);
        spin(dlg, "SizeX")->setValue(300);
        spin(dlg, "SizeY")->setValue(400);
        spin(dlg, "TimerInMs")->setValue(40);
        QVERIFY(choose(combo(dlg, "UseOpenGL"), 1));
        spin(dlg, "ScreenLevel")->setValue(128);
        QVERIFY(choose(combo(dlg, "ScreenFlip"), 2));
        QVERIFY(choose(combo(dlg, "ScreenRotate"), 90));
        spin(dlg, "DmxSizeX")->setValue(32);
        spin(dlg, "DmxSizeY")->setValue(18);
        spin(dlg, "DmxChannelPerUniverse")->setValue(384);
        spin(dlg, "DmxUniverseStart")->setValue(5);
        QVERIFY(choose(combo(dlg, "DmxUseRgb"), ColourMode::Rgbw));
        QVERIFY(choose(combo(dlg, "ShapeType"), ShapeKind::EllipseFilled));
        QVERIFY(choose(combo(dlg, "UseArtnet"), 0));
        QVERIFY(choose(combo(dlg, "UseAcnnet"), 1));
        QVERIFY(choose(combo(dlg, "UseRdm"), 0));
        QVERIFY(choose(combo(dlg, "UseRdmForAllUniverses"), 1));

        click(dlg, "buttonApply");
        QCOMPARE(m_live.Name, QStringLiteral("Foyer"));
        QCOMPARE(m_live.LanguageIso, quint16(0x656E));
        QCOMPARE(m_live.UpdateCheck, quint16(0));
        QCOMPARE(m_live.TimerStartup, quint16(12));
        QCOMPARE(m_live.ScreenNumber, qint16(-2));
        QCOMPARE(QRect(m_live.PosX, m_live.PosY, m_live.SizeX, m_live.SizeY),
                 QRect(100, 200, 300, 400));
        QCOMPARE(m_live.TimerInMs, quint16(40));
        QVERIFY(m_live.UseOpenGL);
        QCOMPARE(m_live.ScreenLevel, quint8(128));
        QCOMPARE(m_live.ScreenFlip, quint16(2));
        QCOMPARE(m_live.ScreenRotate, quint16(90));
        QCOMPARE(m_live.DmxSizeX, quint16(32));
        QCOMPARE(m_live.DmxSizeY, quint16(18));
        QCOMPARE(m_live.DmxChannelPerUniverse, quint16(384));
        QCOMPARE(m_live.DmxUniverseStart, quint16(5));
        QCOMPARE(m_live.DmxUseRgb, ColourMode::Rgbw);
        QCOMPARE(m_live.ShapeType, ShapeKind::EllipseFilled);
        QVERIFY(!m_live.UseArtnet);
        QVERIFY(m_live.UseAcnnet);
        QVERIFY(!m_live.UseRdm);
        QVERIFY(m_live.UseRdmForAllUniverses);
    }

    void applyWritesPresetZeroAndSignals() {
        Settings dlg(m_live);
        QSignalSpy changed(&dlg, &Settings::valueChanged);
        QSignalSpy defaults(&dlg, &Settings::valueChangedToDefault);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));

        spin(dlg, "DmxSizeX")->setValue(64);
        QCOMPARE(m_live.DmxSizeX, quint16(17)); // nothing reaches the window before Apply
        click(dlg, "buttonApply");
        QCOMPARE(changed.count(), 1);
        QCOMPARE(m_live.DmxSizeX, quint16(64));
        QCOMPARE(storedPreset(0), m_live);
        // The live keys are the window's business when it applies the record.
        QVERIFY(!rawStore().contains(QStringLiteral("DmxSizeX")));
        QVERIFY(dlg.isVisible());

        spin(dlg, "DmxSizeY")->setValue(3);
        click(dlg, "buttonOk");
        QCOMPARE(changed.count(), 2);
        QCOMPARE(m_live.DmxSizeY, quint16(3));
        QCOMPARE(storedPreset(0).DmxSizeY, quint16(3));
        QVERIFY(!dlg.isVisible());
        QCOMPARE(defaults.count(), 0);
    }

    void loadPresetThenCancelAppliesNothing() {
        SettingsRecord preset4;
        preset4.DmxSizeX = 44;
        preset4.Name = QStringLiteral("four");
        SettingsStore::saveSettings(preset4, 4);
        const SettingsRecord liveBefore = m_live;

        Settings dlg(m_live);
        QSignalSpy changed(&dlg, &Settings::valueChanged);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        click(dlg, "presetLoad4");
        QCOMPARE(spin(dlg, "DmxSizeX")->value(), 44);
        QCOMPARE(edit(dlg, "Name")->text(), QStringLiteral("four"));
        click(dlg, "buttonCancel");

        QVERIFY(!dlg.isVisible());
        QCOMPARE(m_live, liveBefore);
        QCOMPARE(changed.count(), 0);
        QVERIFY(!rawStore().contains(QStringLiteral("Preset00DmxSizeX")));
        // The dialog is reused: shown again, it still holds what was loaded.
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(spin(dlg, "DmxSizeX")->value(), 44);
    }

    void presetSaveAndPartialLoad() {
        Settings dlg(m_live);
        QSignalSpy changed(&dlg, &Settings::valueChanged);
        spin(dlg, "DmxSizeY")->setValue(77);
        click(dlg, "presetSave2");
        QCOMPARE(storedPreset(2).DmxSizeY, quint16(77));
        QCOMPARE(m_live.DmxSizeY, quint16(10));
        QCOMPARE(changed.count(), 0);

        // A preset holding only some keys: the others keep the dialog's copy, which now has
        // the saved edits.
        rawStore().setValue(QStringLiteral("Preset07TimerInMs"), 5);
        click(dlg, "presetLoad7");
        QCOMPARE(spin(dlg, "TimerInMs")->value(), 5);
        QCOMPARE(edit(dlg, "RefreshRateHz")->text(), QStringLiteral("200.00"));
        QCOMPARE(spin(dlg, "DmxSizeY")->value(), 77);

        // A never-saved preset leaves everything as it was.
        click(dlg, "presetLoad9");
        QCOMPARE(spin(dlg, "TimerInMs")->value(), 5);
    }

    void unknownStoredChoicesKeepTheSelection() {
        // 45 degrees and colour mode 3 have no item: loading them keeps the dialog's values.
        Settings dlg(m_live);
        QVERIFY(choose(combo(dlg, "ScreenRotate"), 180));
        dlg.slotPressApply();
        SettingsRecord odd;
        odd.ScreenRotate = 45;
        odd.DmxUseRgb = 3;
        SettingsStore::saveSettings(odd, 5);
        click(dlg, "presetLoad5");
        QCOMPARE(combo(dlg, "ScreenRotate")->currentText(), QStringLiteral("180°"));
        QCOMPARE(combo(dlg, "DmxUseRgb")->currentText(), QStringLiteral("RGB"));
        QCOMPARE(dlg.editedRecord().ScreenRotate, quint16(180));
        QCOMPARE(dlg.editedRecord().DmxUseRgb, ColourMode::Rgb);
    }

    void handEditedZerosShowTheMinimum() {
        m_live.DmxChannelPerUniverse = 0;
        m_live.TimerInMs = 0;
        m_live.DmxSizeX = 0;
        Settings dlg(m_live);
        QCOMPARE(spin(dlg, "DmxChannelPerUniverse")->value(), 1);
        QCOMPARE(spin(dlg, "TimerInMs")->value(), 1);
        QCOMPARE(edit(dlg, "RefreshRateHz")->text(), QStringLiteral("1000.00"));
        // 1 x 10 RGB cells, one channel per universe.
        QCOMPARE(edit(dlg, "DmxChannelsTotal")->text(), QStringLiteral("30"));
        QCOMPARE(edit(dlg, "DmxUniverseCount")->text(), QStringLiteral("30"));
        dlg.slotPressApply();
        QCOMPARE(m_live.DmxChannelPerUniverse, quint16(1));
        QCOMPARE(m_live.TimerInMs, quint16(1));
    }

    void derivedDisplaysForTheDefaults() {
        Settings dlg(m_live);
        QCOMPARE(edit(dlg, "DmxChannelsTotal")->text(), QStringLiteral("510"));
        QCOMPARE(edit(dlg, "DmxUniverseCount")->text(), QStringLiteral("1"));
        QCOMPARE(edit(dlg, "RefreshRateHz")->text(), QStringLiteral("50.00"));
        QVERIFY(!warningShown(dlg, "warningUniverseCount"));
        QVERIFY(!warningShown(dlg, "warningArtnet"));
        QVERIFY(!warningShown(dlg, "warningScreenLevel"));
        for (const char *name : {"RefreshRateHz", "DmxChannelsTotal", "DmxUniverseCount"}) {
            QVERIFY2(!edit(dlg, name)->isEnabled(), name);
            QVERIFY2(edit(dlg, name)->alignment() & Qt::AlignRight, name);
        }
    }

    void refreshRateInHertz() {
        Settings dlg(m_live);
        spin(dlg, "TimerInMs")->setValue(3);
        QCOMPARE(edit(dlg, "RefreshRateHz")->text(), QStringLiteral("333.33"));
        spin(dlg, "TimerInMs")->setValue(2000);
        QCOMPARE(edit(dlg, "RefreshRateHz")->text(), QStringLiteral("0.50"));
    }

    void universeCountPerColourMode() {
        Settings dlg(m_live);
        spin(dlg, "DmxSizeX")->setValue(100);
        spin(dlg, "DmxSizeY")->setValue(10);
        spin(dlg, "DmxChannelPerUniverse")->setValue(512);
        // 1000 cells: 1, 3 or 4 channels each; universes rounded up.
        const struct {
            int mode;
            const char *total, *universes;
        } cases[] = {
            {ColourMode::Monochrome, "1000", "2"}, {ColourMode::Rgb, "3000", "6"},
            {ColourMode::Rgbw, "4000", "8"},       {ColourMode::BarVertical, "1000", "2"},
            {ColourMode::DmxValues, "1000", "2"},  {ColourMode::BarAndDmxValues, "1000", "2"}};
        for (const auto &c : cases) {
            QVERIFY(choose(combo(dlg, "DmxUseRgb"), c.mode));
            QCOMPARE(edit(dlg, "DmxChannelsTotal")->text(), QLatin1String(c.total));
            QCOMPARE(edit(dlg, "DmxUniverseCount")->text(), QLatin1String(c.universes));
        }
    }

    void universeWarningAboveTheAnnouncedLimit() {
        Settings dlg(m_live);
        spin(dlg, "DmxSizeX")->setValue(200);
        spin(dlg, "DmxSizeY")->setValue(200);
        spin(dlg, "DmxChannelPerUniverse")->setValue(128);
        QVERIFY(choose(combo(dlg, "DmxUseRgb"), ColourMode::Rgbw));
        QCOMPARE(edit(dlg, "DmxChannelsTotal")->text(), QStringLiteral("160000"));
        QCOMPARE(edit(dlg, "DmxUniverseCount")->text(), QStringLiteral("1250"));
        QVERIFY(warningShown(dlg, "warningUniverseCount"));
        QVERIFY(warningShown(dlg, "warningArtnet"));

        QVERIFY(choose(combo(dlg, "UseArtnet"), 0));
        QVERIFY(!warningShown(dlg, "warningUniverseCount"));
        QVERIFY(!warningShown(dlg, "warningArtnet"));
        QVERIFY(choose(combo(dlg, "UseArtnet"), 1));
        QVERIFY(warningShown(dlg, "warningArtnet"));

        // The edge: 1023 universes are fine, 1024 are not.
        QVERIFY(choose(combo(dlg, "DmxUseRgb"), ColourMode::Monochrome));
        spin(dlg, "DmxChannelPerUniverse")->setValue(1);
        spin(dlg, "DmxSizeY")->setValue(1);
        spin(dlg, "DmxSizeX")->setValue(1023);
        QVERIFY(!warningShown(dlg, "warningUniverseCount"));
        spin(dlg, "DmxSizeX")->setValue(1024);
        QVERIFY(warningShown(dlg, "warningUniverseCount"));

        // Loaded from a record, the warning follows too.
        SettingsRecord big;
        big.DmxSizeX = 2000;
        big.DmxChannelPerUniverse = 1;
        big.UseArtnet = false;
        SettingsStore::saveSettings(big, 3);
        click(dlg, "presetLoad3");
        QVERIFY(!warningShown(dlg, "warningArtnet"));
    }

    // Universe 32768 (Port-Address 32767) is the last Art-Net reaches: a start universe, or the
    // last universe the grid shows, beyond it warns while Art-Net is on.
    void artNetReachWarningPastUniverse32768() {
        Settings dlg(m_live);
        QVERIFY(!warningShown(dlg, "warningArtnetReach"));
        spin(dlg, "DmxUniverseStart")->setValue(32768);
        QVERIFY(!warningShown(dlg, "warningArtnetReach"));
        spin(dlg, "DmxUniverseStart")->setValue(32769);
        QVERIFY(warningShown(dlg, "warningArtnetReach"));
        QVERIFY(choose(combo(dlg, "UseArtnet"), 0));
        QVERIFY(!warningShown(dlg, "warningArtnetReach"));
        QVERIFY(choose(combo(dlg, "UseArtnet"), 1));
        // 20 x 10 RGB cells at 510 channels: two universes, 32767 and 32768, then 32768 and 32769.
        spin(dlg, "DmxUniverseStart")->setValue(32767);
        spin(dlg, "DmxSizeX")->setValue(20);
        QVERIFY(!warningShown(dlg, "warningArtnetReach"));
        spin(dlg, "DmxUniverseStart")->setValue(32768);
        QVERIFY(warningShown(dlg, "warningArtnetReach"));
    }

    void screenLevelWarningBelow25() {
        Settings dlg(m_live);
        spin(dlg, "ScreenLevel")->setValue(24);
        QVERIFY(warningShown(dlg, "warningScreenLevel"));
        spin(dlg, "ScreenLevel")->setValue(25);
        QVERIFY(!warningShown(dlg, "warningScreenLevel"));

        m_live.ScreenLevel = 0;
        Settings dark(m_live);
        QVERIFY(warningShown(dark, "warningScreenLevel"));
    }

    void warningButtonsOpenTheirMessages() {
        Settings dlg(m_live);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        const struct {
            const char *button, *title, *textStart;
        } cases[] = {
            {"warningScreenLevel", "Warning: Screen Level is low",
             "Screen level is lower than 25!"},
            {"warningUniverseCount", "Warning: Art-Net universes are oversized",
             "Art-Net universes are oversizedand cannot"},
            {"warningArtnet", "Warning: Art-Net universes are oversized",
             "Art-Net universes are oversizedand cannot"},
        };
        for (const auto &c : cases) {
            QString title, text;
            QTimer::singleShot(0, this, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                if (!box)
                    return;
                title = box->windowTitle();
                text = box->text();
                box->button(QMessageBox::Ok)->click();
            });
            click(dlg, c.button);
            QCOMPARE(title, QLatin1String(c.title));
            QVERIFY2(text.startsWith(QLatin1String(c.textStart)), qPrintable(text));
        }
    }

    void infoButtonsSignalTheWindow() {
        Settings dlg(m_live);
        QSignalSpy artnet(&dlg, &Settings::signalViewInfoArtnet);
        QSignalSpy acnnet(&dlg, &Settings::signalViewInfoAcnnet);
        QSignalSpy rdm(&dlg, &Settings::signalViewInfoRdm);
        click(dlg, "infoAcnnet");
        QCOMPARE(acnnet.count(), 1);
        QCOMPARE(artnet.count() + rdm.count(), 0);
        click(dlg, "infoRdm");
        QCOMPARE(rdm.count(), 1);
        click(dlg, "infoArtnet");
        QCOMPARE(artnet.count(), 1);
    }

    void keysF3EscapeAndQ() {
        Settings dlg(m_live);
        dlg.show();
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        const auto *tabs = dlg.findChild<QTabWidget *>();
        QCOMPARE(tabs->count(), int(Settings::TabCount));
        QCOMPARE(tabs->tabText(Settings::TabProtocol), QStringLiteral("Protocol"));

        QCOMPARE(dlg.currentTab(), int(Settings::TabGeneral));
        QVERIFY(QApplication::focusWidget());
        const QList<int> expected{Settings::TabScreen, Settings::TabDmx, Settings::TabProtocol,
                                  Settings::TabGeneral};
        for (int tab : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
            QCOMPARE(dlg.currentTab(), tab);
        }

        // Q in the name field is a letter of the name, not the close key.
        QLineEdit *name = edit(dlg, "Name");
        name->setFocus();
        name->clear();
        QTest::keyClicks(name, QStringLiteral("Qq"));
        QCOMPARE(name->text(), QStringLiteral("Qq"));
        QVERIFY(dlg.isVisible());
        // Enter presses no button: no preset is overwritten, nothing applied or closed.
        QSignalSpy changed(&dlg, &Settings::valueChanged);
        QTest::keyClick(name, Qt::Key_Return);
        QTest::keyClick(spin(dlg, "TimerStartup"), Qt::Key_Enter);
        QVERIFY(dlg.isVisible());
        QCOMPARE(changed.count(), 0);
        QVERIFY(!rawStore().contains(QStringLiteral("Preset01Name")));

        dlg.showTab(Settings::TabDmx);
        combo(dlg, "DmxUseRgb")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), 'q');
        QVERIFY(!dlg.isVisible());

        dlg.show();
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(m_live, SettingsRecord());
    }

    void showTabIgnoresBadIndices() {
        Settings dlg(m_live);
        dlg.showTab(Settings::TabProtocol);
        QCOMPARE(dlg.currentTab(), int(Settings::TabProtocol));
        dlg.showTab(4);
        dlg.showTab(-1);
        QCOMPARE(dlg.currentTab(), int(Settings::TabProtocol));
        dlg.slotNextTab();
        QCOMPARE(dlg.currentTab(), int(Settings::TabGeneral));
    }

    void defaultsResetTheStoreAndTheDialog() {
        SettingsStore::savePowerCycleCount(41);
        SettingsStore::saveSettings(farFromDefaults(), 6);
        m_live = farFromDefaults();
        Settings dlg(m_live);
        QSignalSpy defaults(&dlg, &Settings::valueChangedToDefault);
        QSignalSpy changed(&dlg, &Settings::valueChanged);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        click(dlg, "buttonDefault");

        QCOMPARE(defaults.count(), 1);
        QCOMPARE(changed.count(), 0);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(storedPreset(6), SettingsRecord()); // presets erased
        quint32 count = 0;
        QVERIFY(SettingsStore::loadPowerCycleCount(count));
        QCOMPARE(count, quint32(41));
        // Reopened, the dialog shows what the window now runs, not the erased values.
        QCOMPARE(spin(dlg, "DmxSizeX")->value(), 17);
        QCOMPARE(edit(dlg, "Name")->text(), QStringLiteral("Tessaview"));
        QCOMPARE(combo(dlg, "ScreenNumber")->currentText(), QStringLiteral("Desktop"));
        const QSize desktop = QGuiApplication::primaryScreen()->virtualGeometry().size();
        QCOMPARE(QSize(spin(dlg, "SizeX")->value(), spin(dlg, "SizeY")->value()), desktop);
    }

    void screenChoiceSetsTheGeometry() {
        m_live.ScreenNumber = ScreenChoice::UserSize;
        m_live.PosX = 5;
        m_live.SizeX = 123;
        Settings dlg(m_live);
        const QSize desktop = QGuiApplication::primaryScreen()->virtualGeometry().size();

        QVERIFY(choose(combo(dlg, "ScreenNumber"), ScreenChoice::Desktop));
        QCOMPARE(spin(dlg, "PosX")->value(), 0);
        QCOMPARE(QSize(spin(dlg, "SizeX")->value(), spin(dlg, "SizeY")->value()), desktop);
        for (const char *field : {"PosX", "PosY", "SizeX", "SizeY"})
            QVERIFY2(!spin(dlg, field)->isEnabled(), field);

        QVERIFY(choose(combo(dlg, "ScreenNumber"), ScreenChoice::UserSize));
        for (const char *field : {"PosX", "PosY", "SizeX", "SizeY"})
            QVERIFY2(spin(dlg, field)->isEnabled(), field);
    }

    void iconsAreInTheResources() {
        Settings dlg(m_live);
        QVERIFY(!dlg.windowIcon().isNull());
        QVERIFY(!dlg.windowTitle().isEmpty());
        for (const char *field : {"DmxUseRgb", "ShapeType"}) {
            const QComboBox *box = combo(dlg, field);
            for (int i = 0; i < box->count(); ++i)
                QVERIFY2(!box->itemIcon(i).pixmap(16).isNull(),
                         qPrintable(QStringLiteral("%1 item %2").arg(field).arg(i)));
        }
        for (const char *button : {"warningUniverseCount", "warningArtnet", "warningScreenLevel",
                                   "infoArtnet", "infoAcnnet", "infoRdm"})
            QVERIFY2(!child<QToolButton>(dlg, button)->icon().pixmap(16).isNull(), button);
    }
};

QTEST_MAIN(TestSettingsDialog)
#include "tst_settingsdialog.moc"
