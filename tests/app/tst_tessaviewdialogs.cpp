#include "app/tessaview.h"
#include "buildinfo.h"
#include "dialogs/aboutinfo.h"
#include "dialogs/checksoftwareupdate.h"
#include "dialogs/infodlg.h"
#include "engine/screenengine.h"
#include "rdm/configurator.h"
#include "settings/settingsdialog.h"
#include "settings/settingsstore.h"
#include "testsettingsstore.h"

#include <QAction>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

namespace {

QSettings rawStore() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromLatin1(BuildInfo::makerWeb), QStringLiteral("Tessaview"));
}

QPushButton *button(QWidget *dialog, const char *name) {
    return dialog->findChild<QPushButton *>(QLatin1String(name));
}

QAction *actionWithText(const Tessaview &window, const QString &text) {
    for (QAction *action : window.actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

} // namespace

class TestTessaviewDialogs : public QObject {
    Q_OBJECT
    std::unique_ptr<TemporarySettingsStore> m_store;

private slots:
    void init() {
        m_store = std::make_unique<TemporarySettingsStore>();
        SettingsRecord live;
        live.DmxSizeX = 17;
        live.UpdateCheck = 0;
        live.UseArtnet = false;
        live.UseAcnnet = false;
        SettingsStore::saveSettings(live, SettingsStore::livePreset);
    }
    void cleanup() { m_store.reset(); }

    void openingShowsTheLiveRecord() {
        // What the dialog applied last is not what is shown now: opening it must not bring
        // that back.
        SettingsRecord lastApplied;
        lastApplied.DmxSizeX = 23;
        lastApplied.UpdateCheck = 0;
        SettingsStore::saveSettings(lastApplied, 0);
        Tessaview window({"tessaview"});
        QCOMPARE(window.settings().DmxSizeX, quint16(17));

        actionWithText(window, QStringLiteral("Settings..."))->trigger();
        Settings *dialog = window.settingsDialog();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->parent());
        QCOMPARE(window.settings().DmxSizeX, quint16(17));
        QCOMPARE(dialog->editedRecord().DmxSizeX, quint16(17));

        // Later openings show the same dialog, again on the live record.
        dialog->close();
        window.slotSettingsPresetLoad(1); // never saved: factory
        window.slotSettingsOpen();
        QCOMPARE(window.settingsDialog(), dialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(window.settings().DmxSizeX, quint16(17));
        QCOMPARE(dialog->editedRecord(), window.settings());
    }

    void applyAppliesAndSaves() {
        Tessaview window({"tessaview"});
        window.slotSettingsOpen();
        Settings *dialog = window.settingsDialog();
        dialog->findChild<QLineEdit *>(QStringLiteral("Name"))->setText(QStringLiteral("Stage"));
        QTest::mouseClick(button(dialog, "buttonApply"), Qt::LeftButton);
        QCOMPARE(window.settings().Name, QStringLiteral("Stage"));
        // Preset 0 by the dialog, the live keys by the window.
        QCOMPARE(rawStore().value("Preset00Name").toString(), QStringLiteral("Stage"));
        QCOMPARE(rawStore().value("Name").toString(), QStringLiteral("Stage"));
        // Applied: the engine takes the record at its next frame.
        QImage canvas(16, 16, QImage::Format_RGB32);
        QPainter painter(&canvas);
        window.engine()->applyStaged();
        window.engine()->paintFrame(painter, canvas.rect(), 0);
        QCOMPARE(window.engine()->activeSettings()->Name, QStringLiteral("Stage"));
    }

    void defaultsResetEverything() {
        SettingsStore::saveSettings(SettingsRecord{}, 4);
        Tessaview window({"tessaview"});
        QSignalSpy toDefault(window.configurator(), &Configurator::signalChangedFactoryDefaults);
        window.slotSettingsOpen();
        Settings *dialog = window.settingsDialog();
        QTest::mouseClick(button(dialog, "buttonDefault"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(toDefault.count(), 1);
        SettingsRecord factory;
        setFactoryDefaults(factory, QSize());
        QCOMPARE(window.settings().UseArtnet, factory.UseArtnet);
        QCOMPARE(window.settings().UpdateCheck, factory.UpdateCheck);
        QVERIFY(!rawStore().contains("Preset04Name"));
        QCOMPARE(rawStore().value("UseArtnet").toBool(), true);
    }

    void receiverPagesListTheShownUniverses() {
        // Two universes from start universe 5: Art-Net numbers them from Port-Address 4.
        SettingsRecord live;
        live.UpdateCheck = 0;
        live.UseArtnet = true;
        live.UseAcnnet = true;
        live.DmxSizeX = 34;
        live.DmxSizeY = 10;
        live.DmxUniverseStart = 5;
        SettingsStore::saveSettings(live, SettingsStore::livePreset);
        Tessaview window({"tessaview"});
        QImage canvas(16, 16, QImage::Format_RGB32);
        QPainter painter(&canvas);
        window.engine()->applyStaged();
        window.engine()->paintFrame(painter, canvas.rect(), 0);
        window.dialogs()->openInfo(InfoDlg::PageArtnet);
        for (const auto &[label, first] :
             {std::pair{"table Art-Net", "4"}, std::pair{"table Streaming Acn", "5"}}) {
            auto *table = window.infoDialog()->findChild<QTableWidget *>(QLatin1String(label));
            QCOMPARE(table->rowCount(), 2);
            QCOMPARE(table->item(0, 0)->text(), QLatin1String(first));
            QCOMPARE(table->item(1, 2)->text(), QStringLiteral("no live source"));
        }
    }

    void infoButtonsOfTheSettingsDialogOpenTheirPage() {
        Tessaview window({"tessaview"});
        window.slotSettingsOpen();
        emit window.settingsDialog()->signalViewInfoRdm();
        InfoDlg *info = window.infoDialog();
        QVERIFY(info);
        QVERIFY(info->isVisible());
        QCOMPARE(info->findChild<QTabWidget *>()->currentIndex(), int(InfoDlg::PageRdm120));
        emit window.settingsDialog()->signalViewInfoArtnet();
        QCOMPARE(window.infoDialog(), info);
        QCOMPARE(info->findChild<QTabWidget *>()->currentIndex(), int(InfoDlg::PageArtnet));
        emit window.settingsDialog()->signalViewInfoAcnnet();
        QCOMPARE(info->findChild<QTabWidget *>()->currentIndex(), int(InfoDlg::PageAcnnet));
        actionWithText(window, QStringLiteral("Information"))->trigger();
        QCOMPARE(info->findChild<QTabWidget *>()->currentIndex(), int(InfoDlg::PagePreset));

        // Closing deletes it; the next opening builds a new one.
        QPointer<InfoDlg> closed(info);
        info->close();
        QVERIFY(!window.infoDialog());
        QTRY_VERIFY(!closed);
        window.slotViewInfoPreset();
        QVERIFY(window.infoDialog());
    }

    void aboutBoxLivesUntilClosed() {
        Tessaview window({"tessaview"});
        actionWithText(window, QStringLiteral("About Tessaview..."))->trigger();
        AboutInfo *about = window.aboutDialog();
        QVERIFY(about);
        QVERIFY(about->isVisible());
        window.slotAbout();
        QCOMPARE(window.aboutDialog(), about);
        QPointer<AboutInfo> closed(about);
        about->close();
        QVERIFY(!window.aboutDialog());
        QTRY_VERIFY(!closed);
    }

    void closingTheWindowClosesTheDialogs() {
        Tessaview window({"tessaview"});
        window.slotSettingsOpen();
        window.slotViewInfoPreset();
        window.slotAbout();
        QPointer<Settings> settings(window.settingsDialog());
        QPointer<InfoDlg> info(window.infoDialog());
        QPointer<AboutInfo> about(window.aboutDialog());
        window.close();
        QVERIFY(!settings->isVisible());
        QVERIFY(!window.settingsDialog() && !window.infoDialog() && !window.aboutDialog());
        // The settings dialog no longer reaches the window.
        QSignalSpy toDefault(window.configurator(), &Configurator::signalChangedFactoryDefaults);
        emit settings->valueChangedToDefault();
        QCOMPARE(toDefault.count(), 0);
        QTRY_VERIFY(!settings && !info && !about);
    }

    // At exit the event loop is over before the window goes: the dialogs closed with it must
    // still be deleted.
    void dialogsClosedAtExitAreDeletedWithTheWindow() {
        QPointer<Settings> settings;
        QPointer<InfoDlg> info;
        QPointer<AboutInfo> about;
        {
            Tessaview window({"tessaview"});
            window.slotSettingsOpen();
            window.slotViewInfoPreset();
            window.slotAbout();
            settings = window.settingsDialog();
            info = window.infoDialog();
            about = window.aboutDialog();
            window.close();
        }
        QVERIFY(!settings && !info && !about);
    }

    void updateCheckAtStartUp() {
        {
            Tessaview window({"tessaview"});
            QVERIFY(!window.updateCheck());
            // The operator's check creates the checker once and reuses it.
            actionWithText(window, QStringLiteral("Check for Updates"))->trigger();
            CheckSoftwareUpdate *check = window.updateCheck();
            QVERIFY(check);
            window.slotCheckForSoftwareUpdate(false);
            QCOMPARE(window.updateCheck(), check);
        }
        SettingsRecord live;
        live.UpdateCheck = 1;
        live.UseArtnet = false;
        live.UseAcnnet = false;
        SettingsStore::saveSettings(live, SettingsStore::livePreset);
        // The check waits 30 s before it asks; the window goes away while it waits.
        Tessaview window({"tessaview"});
        QVERIFY(window.updateCheck());
        QVERIFY(CheckSoftwareUpdate::versionQueryUrl().endsWith(
            QStringLiteral("/update_check.php?software=tessaview")));
    }
};

QTEST_MAIN(TestTessaviewDialogs)
#include "tst_tessaviewdialogs.moc"
