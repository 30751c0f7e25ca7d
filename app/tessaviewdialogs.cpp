// The information dialog, the about box and the update check as the window opens them.
#include "app/tessaview.h"
#include "buildinfo.h"
#include "dialogs/aboutinfo.h"
#include "dialogs/checksoftwareupdate.h"
#include "dialogs/infodlg.h"

#include <QAction>

namespace {
constexpr int updateCheckDelaySeconds = 30;
} // namespace

void Tessaview::slotViewInfo() {
    if (!m_pInfoDlg)
        m_pInfoDlg = new InfoDlg();
    m_pInfoDlg->setSettings(&m_pSettings);
    m_pInfoDlg->setConfigurator(m_pConfigurator);
    m_pInfoDlg->show();
    m_pInfoDlg->activateWindow();
    connect(m_pInfoDlg, &InfoDlg::signalCloseInfoDlg, this, &Tessaview::slotCloseInfoDlg,
            Qt::UniqueConnection);
}

void Tessaview::slotViewInfoPreset() {
    slotViewInfo();
    m_pInfoDlg->selectPage(InfoDlg::PagePreset);
}

void Tessaview::slotViewInfoArtnet() {
    slotViewInfo();
    m_pInfoDlg->selectPage(InfoDlg::PageArtnet);
}

void Tessaview::slotViewInfoAcnnet() {
    slotViewInfo();
    m_pInfoDlg->selectPage(InfoDlg::PageAcnnet);
}

void Tessaview::slotViewInfoRdm() {
    slotViewInfo();
    m_pInfoDlg->selectPage(InfoDlg::PageRdm120);
}

void Tessaview::slotCloseInfoDlg() {
    if (!m_pInfoDlg)
        return;
    retireDialog(m_pInfoDlg);
    m_pInfoDlg = nullptr;
}

void Tessaview::slotAbout() {
    if (!m_pAboutDlg) {
        const QStringList components = AboutInfo::componentVersionTexts();
        m_pAboutDlg = new AboutInfo(QStringLiteral(":/images/tessaview.png"), components.value(0),
                                    components.value(1), components.value(2), QString());
    }
    m_pAboutDlg->show();
    connect(m_pAboutDlg, &AboutInfo::signalCloseAboutDlg, this, &Tessaview::slotCloseAboutDlg,
            Qt::UniqueConnection);
}

void Tessaview::slotCloseAboutDlg() {
    if (!m_pAboutDlg)
        return;
    retireDialog(m_pAboutDlg);
    m_pAboutDlg = nullptr;
}

void Tessaview::slotCheckForSoftwareUpdate() {
    slotCheckForSoftwareUpdate(true);
}

void Tessaview::slotCheckForSoftwareUpdate(bool GiveInfoForNoUpdates) {
    if (!m_pEngine || !m_pActionCheckUpdate)
        return;
    if (!m_pUpdateCheck)
        m_pUpdateCheck = new CheckSoftwareUpdate(this);
    // Once the operator asked, results without a newer version are shown for the rest of the
    // run.
    if (GiveInfoForNoUpdates)
        m_pUpdateCheck->setShowResult(true);
    m_pUpdateCheck->setUpdateMessage(tr("<center>A new version %1 is available!</b><br>Download "
                                        "the update here :<br>%2</center>")
                                         .arg(QStringLiteral("$$$VERSION$$$"), m_sUpdateLink));
    m_pUpdateCheck->setCurrentVersion(BuildInfo::versionMajor, BuildInfo::versionMinor,
                                      BuildInfo::versionPatch, BuildInfo::versionBuild);
    m_pUpdateCheck->startCheck(CheckSoftwareUpdate::versionQueryUrl(), updateCheckDelaySeconds);
}
