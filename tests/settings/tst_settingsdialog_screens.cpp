#include "settings/settingsdialog.h"
#include "settingsdialogtest.h"
#include "testsettingsstore.h"

#include <QScreen>
#include <QTemporaryFile>
#include <QtTest>

using namespace DialogTest;

// The screen choice on a desktop of two screens side by side, the second one higher than the
// first and placed right of it.
class TestSettingsDialogScreens : public QObject {
    Q_OBJECT
    TemporarySettingsStore m_store;

private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::screens().size(), 2); }

    void everyScreenIsOffered() {
        SettingsRecord live;
        Settings dlg(live);
        const QComboBox *box = combo(dlg, "ScreenNumber");
        QStringList texts;
        QList<int> values;
        for (int i = 0; i < box->count(); ++i) {
            texts << box->itemText(i);
            values << box->itemData(i).toInt();
        }
        // Screens are numbered from 0, between the desktop and the free window.
        QCOMPARE(texts, (QStringList{"Desktop", "Screen 0", "Screen 1", "User Size"}));
        QCOMPARE(values, (QList<int>{-1, 0, 1, -2}));
    }

    void choosingAScreenTakesItsGeometry() {
        SettingsRecord live;
        Settings dlg(live);
        QComboBox *box = combo(dlg, "ScreenNumber");

        QVERIFY(choose(box, 1));
        QCOMPARE(QRect(spin(dlg, "PosX")->value(), spin(dlg, "PosY")->value(),
                       spin(dlg, "SizeX")->value(), spin(dlg, "SizeY")->value()),
                 QRect(1024, 0, 1280, 1024));
        QVERIFY(!spin(dlg, "SizeX")->isEnabled());

        // The desktop spans both screens and starts at 0 / 0.
        QVERIFY(choose(box, ScreenChoice::Desktop));
        QCOMPARE(QRect(spin(dlg, "PosX")->value(), spin(dlg, "PosY")->value(),
                       spin(dlg, "SizeX")->value(), spin(dlg, "SizeY")->value()),
                 QRect(0, 0, 2304, 1024));

        dlg.slotPressApply();
        QCOMPARE(live.ScreenNumber, qint16(-1));
        QCOMPARE(live.SizeX, quint16(2304));
    }

    void storedScreenNumbers() {
        SettingsRecord live;
        live.ScreenNumber = 1;
        Settings dlg(live);
        QCOMPARE(combo(dlg, "ScreenNumber")->currentText(), QStringLiteral("Screen 1"));

        // A screen that is gone: the combo stays on its first entry and the geometry fields
        // stay locked, matching what the combo shows.
        live.ScreenNumber = 5;
        Settings gone(live);
        QCOMPARE(combo(gone, "ScreenNumber")->currentText(), QStringLiteral("Desktop"));
        QVERIFY(!spin(gone, "PosX")->isEnabled());
    }
};

int main(int argc, char *argv[]) {
    // Two screens for the offscreen platform, described in its configuration file.
    QTemporaryFile config;
    if (!config.open())
        qFatal("cannot write the screen configuration");
    config.write(R"({"screens": [
        {"name": "left", "x": 0, "y": 0, "width": 1024, "height": 768, "logicalDpi": 96},
        {"name": "right", "x": 1024, "y": 0, "width": 1280, "height": 1024, "logicalDpi": 96}
    ]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());

    QApplication app(argc, argv);
    TestSettingsDialogScreens test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingsdialog_screens.moc"
