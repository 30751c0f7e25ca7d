#include "buildinfo.h"
#include "dialogs/aboutinfo.h"

#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>

namespace {

// Stands in for a translation file that names its translator.
class CreditTranslator : public QTranslator {
public:
    QString translate(const char *context, const char *sourceText, const char *,
                      int) const override {
        if (QLatin1String(context) == QLatin1String("AboutInfo") &&
            QLatin1String(sourceText) == QLatin1String("AuthorName"))
            return QStringLiteral("Erika Mustermann");
        return {};
    }
    bool isEmpty() const override { return false; }
};

AboutInfo *makeAbout() {
    const QStringList components = AboutInfo::componentVersionTexts();
    return new AboutInfo(QString(), components.at(0), components.at(1), components.at(2),
                         QString());
}

QString labelText(const AboutInfo &about, const char *name) {
    const auto *label = about.findChild<QLabel *>(QLatin1String(name));
    return label ? label->text() : QString();
}

} // namespace

class TestAboutInfo : public QObject {
    Q_OBJECT

private slots:
    void reportsTheRealBuild() {
        std::unique_ptr<AboutInfo> about(makeAbout());
        const QString main = labelText(*about, "mainLabel");
        QCOMPARE(about->windowTitle(), QStringLiteral("About Tessaview"));
        QVERIFY(main.contains(QStringLiteral("<b>Tessaview</b>")));
#if defined(Q_OS_LINUX)
        QVERIFY2(main.contains(QStringLiteral("Version: 2.8.3.0 for Linux<br>")), qPrintable(main));
#endif
        const QString wordSize = QStringLiteral("<br>%1bit<br>").arg(sizeof(void *) * 8);
        QVERIFY2(main.contains(wordSize), qPrintable(main));
        QVERIFY(!main.contains(QStringLiteral("Win")));

        // "Mmm dd yyyy", the day padded with a space, a real date not after today.
        const QRegularExpression date(
            QStringLiteral("Date: ([A-Z][a-z]{2}) ([ 1-3]\\d) (\\d{4})<br>"));
        const QRegularExpressionMatch m = date.match(main);
        QVERIFY2(m.hasMatch(), qPrintable(main));
        const QDate built =
            QLocale::c().toDate(m.captured(1) + ' ' + m.captured(2).trimmed() + ' ' + m.captured(3),
                                QStringLiteral("MMM d yyyy"));
        QVERIFY(built.isValid());
        QVERIFY(built <= QDate::currentDate());
        QVERIFY(built.year() >= 2024);
    }

    void makerAddressesComeFromTheBuild() {
        std::unique_ptr<AboutInfo> about(makeAbout());
        const QString main = labelText(*about, "mainLabel");
        const QString web = QString::fromLatin1(BuildInfo::makerWeb);
        QVERIFY(main.contains(QStringLiteral("href=\"mailto:%1\"").arg(BuildInfo::makerEmail)));
        QVERIFY(main.contains(
            QStringLiteral("<a href=\"http://%1/update_view.php?software=tessaview&currentversion="
                           "2.8.3.0\">%1</a>")
                .arg(web)));
    }

    void toolkitNoticeNamesTheRunningQt() {
        std::unique_ptr<AboutInfo> about(makeAbout());
        const QString notice = labelText(*about, "toolkitLabel");
        QVERIFY2(notice.contains(QStringLiteral(">QT (%1)</a>").arg(qVersion())),
                 qPrintable(notice));
        QVERIFY(notice.contains(QStringLiteral(">GNU LGPL v3</a>")));
        QVERIFY(notice.startsWith(QStringLiteral("<center>Third Party<br>")));
        QVERIFY(!notice.contains(QStringLiteral("4.8.1")));
        QVERIFY(!notice.contains(QStringLiteral("GPL v2")));
    }

    // No translation: no credit; three component lines between the main text and the notice.
    void withoutTranslationNoCredit() {
        std::unique_ptr<AboutInfo> about(makeAbout());
        QVERIFY(labelText(*about, "mainLabel").endsWith(QStringLiteral("<br></center>")));
        QVERIFY(!labelText(*about, "mainLabel").contains(QStringLiteral("Translated by")));
        const QList<QLabel *> labels = about->findChildren<QLabel *>();
        QStringList texts;
        for (const QLabel *label : labels)
            texts << label->text();
        QCOMPARE(texts.size(), 5);
        QCOMPARE(texts.mid(1, 3),
                 (QStringList{"<center>RDM Version: 2018/01/27</center>",
                              "<center>Art-Net Version: 2020/11/30</center>",
                              "<center>Streaming ACN Version: 2017/05/20</center>"}));
    }

    void translationNamesItsTranslator() {
        CreditTranslator translator;
        QCoreApplication::installTranslator(&translator);
        std::unique_ptr<AboutInfo> about(makeAbout());
        QCoreApplication::removeTranslator(&translator);
        QVERIFY2(labelText(*about, "mainLabel")
                     .endsWith(QStringLiteral("<br>Translated by Erika Mustermann</center>")),
                 qPrintable(labelText(*about, "mainLabel")));
    }

    void closingSignals() {
        std::unique_ptr<AboutInfo> about(makeAbout());
        QSignalSpy closed(about.get(), &AboutInfo::signalCloseAboutDlg);
        about->show();
        QVERIFY(about->close());
        QCOMPARE(closed.count(), 1);
    }
};

QTEST_MAIN(TestAboutInfo)
#include "tst_aboutinfo.moc"
