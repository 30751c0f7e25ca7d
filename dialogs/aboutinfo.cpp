#include "dialogs/aboutinfo.h"

#include "buildinfo.h"
#include "dialogs/buildfacts.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QLabel *linkLabel(const QString &text, QWidget *parent) {
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::RichText);
    label->setOpenExternalLinks(true);
    return label;
}

QString anchor(const QString &href, const QString &text) {
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(href, text);
}

} // namespace

AboutInfo::AboutInfo(const QString &sIconPath, const QString &sText1, const QString &sText2,
                     const QString &sText3, const QString &sText4, QWidget *parent)
    : QWidget(parent) {
    if (!sIconPath.isEmpty())
        setWindowIcon(QIcon(sIconPath));
    setWindowTitle(tr("About %1").arg(QLatin1String(BuildInfo::productName)));

    m_pLayout = new QVBoxLayout(this);
    m_pLabelMain = linkLabel(mainText(), this);
    m_pLabelMain->setObjectName(QStringLiteral("mainLabel"));
    m_pLayout->addWidget(m_pLabelMain);
    for (const QString &text : {sText1, sText2, sText3, sText4})
        addTextLabel(text);
    QLabel *toolkit = linkLabel(toolkitText(), this);
    toolkit->setObjectName(QStringLiteral("toolkitLabel"));
    m_pLayout->addWidget(toolkit);
}

QStringList AboutInfo::componentVersionTexts() {
    return {tr("RDM Version: ") + QStringLiteral("2018/01/27"),
            tr("Art-Net Version: ") + QStringLiteral("2020/11/30"),
            tr("Streaming ACN Version: ") + QStringLiteral("2017/05/20")};
}

QString AboutInfo::mainText() const {
    //: Write here your own name for view it in about window for translation
    const QString author = tr("AuthorName");
    const QString credit = author == QLatin1String("AuthorName")
                               ? QString()
                               //: parameter is the author name for translations
                               : tr("Translated by %1").arg(author);

    const QString web = QString::fromLatin1(BuildInfo::makerWeb);
    const QString email = QString::fromLatin1(BuildInfo::makerEmail);
    const QString version = QString::fromLatin1(BuildInfo::versionText);
    const QString updatePage =
        QStringLiteral("http://%1/update_view.php?software=tessaview&currentversion=%2")
            .arg(web, version);

    return tr("<center><b>%1</b><br>Version: %2 for %3<br>Date: %4<br>%5<br>Developed by %6<br>"
              "%7<br>%8</center>")
        .arg(QString::fromLatin1(BuildInfo::productName), version, BuildFacts::platform(),
             BuildFacts::buildDate(), BuildFacts::wordSize(),
             anchor(QStringLiteral("mailto:") + email, web), anchor(updatePage, web), credit);
}

QString AboutInfo::toolkitText() const {
    return tr("<center>Third Party<br>%1 under %2</center>")
        .arg(anchor(QStringLiteral("https://www.qt.io/"),
                    QStringLiteral("QT (%1)").arg(BuildFacts::toolkitVersion())),
             anchor(BuildFacts::toolkitLicenceUrl(), BuildFacts::toolkitLicenceName()));
}

void AboutInfo::addTextLabel(const QString &text) {
    if (text.isEmpty())
        return;
    m_pLayout->addWidget(
        new QLabel(QStringLiteral("<center>") + text + QStringLiteral("</center>"), this));
}

void AboutInfo::closeEvent(QCloseEvent *event) {
    event->accept();
    emit signalCloseAboutDlg();
}
