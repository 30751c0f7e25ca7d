#include "app/languageloader.h"
#include "app/tessaview.h"
#include "dialogs/aboutinfo.h"
#include "dialogs/infodlg.h"
#include "engine/screenengine.h"
#include "rdm/configurator.h"
#include "settings/settingsdialog.h"
#include "settings/settingsstore.h"
#include "testsettingsstore.h"

#include <QComboBox>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

QString windowText(const char *source) {
    return QCoreApplication::translate("Tessaview", source);
}

// Counts the language changes the application announces: one per installed or removed
// translation.
class LanguageChangeCounter : public QObject {
public:
    int count = 0;
    LanguageChangeCounter() { qApp->installEventFilter(this); }
    ~LanguageChangeCounter() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched == qApp && event->type() == QEvent::LanguageChange)
            ++count;
        return false;
    }
};

void storeLanguage(quint16 language) {
    SettingsRecord live;
    live.LanguageIso = language;
    live.UpdateCheck = 0;
    live.UseArtnet = false;
    live.UseAcnnet = false;
    SettingsStore::saveSettings(live, SettingsStore::livePreset);
}

// The engine fills the device model at its first painted frame, as on screen.
void paintOnce(Tessaview &window) {
    QImage canvas(32, 32, QImage::Format_RGB32);
    QPainter painter(&canvas);
    window.engine()->applyStaged();
    window.engine()->paintFrame(painter, canvas.rect(), 0);
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT
    std::unique_ptr<TemporarySettingsStore> m_store;

private slots:
    void init() { m_store = std::make_unique<TemporarySettingsStore>(); }
    void cleanup() { m_store.reset(); }

    void translationFilesAreBuilt() {
        // Every test program runs inside the build tree, so the build's folder is searched.
        bool found = false;
        for (const QString &dir : LanguageLoader::searchDirectories())
            found |= QFileInfo::exists(dir + QStringLiteral("/tessaview_de.qm")) &&
                     QFileInfo::exists(dir + QStringLiteral("/tessaview_en.qm"));
        QVERIFY(found);
        QVERIFY(LanguageLoader::searchDirectories().last().endsWith(
            QStringLiteral("/share/tessaview/translations")));
    }

    void germanIsComplete() {
        // Every entry of the German source is translated (lupdate marks new texts unfinished).
        QFile ts(qEnvironmentVariable("TESSAVIEW_SOURCE_DIR") +
                 QStringLiteral("/resources/translations/tessaview_de.ts"));
        QVERIFY(ts.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&ts);
        int messages = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement &&
                xml.name() == QLatin1String("translation")) {
                ++messages;
                QVERIFY(xml.attributes().value(QLatin1String("type")).isEmpty());
                QVERIFY(!xml.readElementText().isEmpty());
            }
        }
        QVERIFY(!xml.hasError());
        QVERIFY(messages > 200);

        // The compiled file carries the texts of every part of the program.
        LanguageLoader loader(qApp);
        loader.install(LanguageCode::German);
        QCOMPARE(QCoreApplication::translate("Settings", "Settings"),
                 QStringLiteral("Einstellungen"));
        QCOMPARE(QCoreApplication::translate("InfoDlg", "Informations"),
                 QStringLiteral("Informationen"));
        QCOMPARE(QCoreApplication::translate("ScreenEngine", "Freeze Enabled"),
                 QStringLiteral("Einfrieren aktiv"));
        QCOMPARE(
            QCoreApplication::translate("CheckSoftwareUpdate", "There is no update available!"),
            QStringLiteral("Es ist keine Aktualisierung verfügbar!"));
        QCOMPARE(windowText("Freeze"), QStringLiteral("Einfrieren"));
    }

    void installingTwiceReloadsNothing() {
        LanguageLoader loader(qApp);
        LanguageChangeCounter changes;
        QCOMPARE(loader.install(LanguageCode::German), LanguageCode::German);
        QVERIFY(loader.isTranslationInstalled());
        QVERIFY(loader.installedFile().endsWith(QStringLiteral("tessaview_de.qm")));
        QCOMPARE(windowText("Tessaview Native"), QStringLiteral("Tessaview Nativ"));
        QCOMPARE(changes.count, 1);
        QCOMPARE(loader.install(LanguageCode::German), LanguageCode::German);
        QCOMPARE(changes.count, 1);

        // English replaces German: one removal, one installation.
        QCOMPARE(loader.install(LanguageCode::English), LanguageCode::English);
        QCOMPARE(changes.count, 3);
        QCOMPARE(windowText("Tessaview Native"), QStringLiteral("Tessaview Native"));
        loader.remove();
        QCOMPARE(loader.current(), quint16(0));
        QVERIFY(!loader.isTranslationInstalled());
    }

    void systemLocaleDecidesCodeZero_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<quint16>("language");
        QTest::addColumn<QString>("nativeTitle");
        // BCP 47 "de": German file and code.
        QTest::newRow("de") << "de" << LanguageCode::German << "Tessaview Nativ";
        // "de-DE" finds tessaview_de by shortening de_DE, but the code stays 0.
        QTest::newRow("de_AT") << "de_AT" << quint16(0) << "Tessaview Nativ";
        QTest::newRow("en") << "en" << LanguageCode::English << "Tessaview Native";
        QTest::newRow("fr_FR") << "fr_FR" << quint16(0) << "Tessaview Native";
    }
    void systemLocaleDecidesCodeZero() {
        QFETCH(QString, locale);
        QFETCH(quint16, language);
        QFETCH(QString, nativeTitle);
        LanguageLoader loader(qApp, QLocale(locale));
        QCOMPARE(loader.install(0), language);
        QCOMPARE(windowText("Tessaview Native"), nativeTitle);
        // French has no file of its own and behaves like 0.
        QCOMPARE(loader.install(0x6672), language);
    }

    void withoutOwnerNothingIsInstalled() {
        LanguageLoader loader(nullptr);
        QCOMPARE(loader.install(LanguageCode::German), quint16(0));
        QVERIFY(!loader.isTranslationInstalled());
        QCOMPARE(windowText("Tessaview Native"), QStringLiteral("Tessaview Native"));
    }

    void startsInTheStoredLanguage() {
        storeLanguage(LanguageCode::German);
        {
            Tessaview window({"tessaview"});
            QCOMPARE(window.windowTitle(), QStringLiteral("Tessaview Nativ"));
            QCOMPARE(window.contextMenu()->actions().first()->text(),
                     QStringLiteral("Einstellungen..."));
            QCOMPARE(window.settings().LanguageIso, LanguageCode::German);
        }
        // The window takes its translation with it.
        QCOMPARE(windowText("Tessaview Native"), QStringLiteral("Tessaview Native"));
    }

    void switchInTheSettingsDialog() {
        storeLanguage(LanguageCode::English);
        Tessaview window({"tessaview"});
        QCOMPARE(window.windowTitle(), QStringLiteral("Tessaview Native"));

        window.slotSettingsOpen();
        Settings *dialog = window.settingsDialog();
        auto *language = dialog->findChild<QComboBox *>(QStringLiteral("LanguageIso"));
        QVERIFY(language);
        language->setCurrentIndex(language->findData(LanguageCode::German));
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("buttonApply")),
                          Qt::LeftButton);
        QCOMPARE(window.languageLoader()->current(), LanguageCode::German);
        QCOMPARE(window.configurator()->language(), LanguageCode::German);

        // The title was set before the switch; the next apply sets it in German.
        window.slotChangeResize();
        QCOMPARE(window.windowTitle(), QStringLiteral("Tessaview Nativ"));
        // Built once at start-up, the menu stays English; so does the open dialog.
        QCOMPARE(window.contextMenu()->actions().first()->text(), QStringLiteral("Settings..."));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Settings"));

        // Message boxes and dialogs built from now on are German.
        QString boxTitle;
        QTimer::singleShot(0, this, [&boxTitle] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            boxTitle = box->windowTitle();
            box->accept();
        });
        window.slotHelp();
        QCOMPARE(boxTitle, QStringLiteral("Hilfe"));
        window.slotAbout();
        QCOMPARE(window.aboutDialog()->windowTitle(), QStringLiteral("Über Tessaview"));
        window.slotViewInfoPreset();
        QCOMPARE(window.infoDialog()->windowTitle(), QStringLiteral("Informationen"));
    }

    void rdmLanguageLastsUntilTheNextSettingsChange() {
        storeLanguage(LanguageCode::English);
        SettingsRecord preset;
        preset.LanguageIso = LanguageCode::English;
        preset.DmxSizeX = 5;
        SettingsStore::saveSettings(preset, 3);
        Tessaview window({"tessaview"});
        QSignalSpy reported(window.configurator(), &Configurator::signalChangedLanguage);

        // An RDM SET LANGUAGE "de" reaches the device model's slot.
        window.configurator()->slotSetLanguage(LanguageCode::German);
        QCOMPARE(window.languageLoader()->current(), LanguageCode::German);
        QCOMPARE(windowText("Tessaview Native"), QStringLiteral("Tessaview Nativ"));
        QCOMPARE(reported.count(), 1);
        // The live record keeps its own language.
        QCOMPARE(window.settings().LanguageIso, LanguageCode::English);

        window.slotSettingsPresetLoad(3);
        QCOMPARE(window.languageLoader()->current(), LanguageCode::English);
        QCOMPARE(windowText("Tessaview Native"), QStringLiteral("Tessaview Native"));
        QCOMPARE(window.configurator()->language(), LanguageCode::English);
    }

    void unknownRdmLanguageIsCorrected() {
        storeLanguage(LanguageCode::English);
        Tessaview window({"tessaview"});
        QSignalSpy reported(window.configurator(), &Configurator::signalChangedLanguage);
        window.configurator()->slotSetLanguage(0x6672); // "fr"
        // The code in effect (from the system locale) goes back to the model, which reports it
        // once more; that second pass installs nothing.
        const quint16 effective = window.languageLoader()->current();
        QVERIFY(effective != 0x6672);
        QCOMPARE(window.configurator()->language(), effective);
        QCOMPARE(reported.count(), 2);
        const QList<quint16> codes{reported.at(0).at(0).value<quint16>(),
                                   reported.at(1).at(0).value<quint16>()};
        QVERIFY(codes.contains(effective));
        QVERIFY(codes.contains(0x6672));
    }

    void factoryResetInstallsTheSystemLanguage() {
        storeLanguage(LanguageCode::German);
        Tessaview window({"tessaview"});
        paintOnce(window);
        QCOMPARE(window.languageLoader()->current(), LanguageCode::German);
        QCOMPARE(window.configurator()->language(), LanguageCode::German);
        window.slotSettingsChangedToDefaultExtern();
        // The default 0 means the system locale's language.
        const quint16 expected = LanguageLoader(qApp).install(0);
        QCOMPARE(window.languageLoader()->current(), expected);
        QCOMPARE(window.settings().LanguageIso, quint16(0));
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
