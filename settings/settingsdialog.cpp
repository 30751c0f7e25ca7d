#include "settings/settingsdialog.h"
#include "settings/desktop.h"
#include "settings/settingsstore.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace {

// Above this many universes an Art-Net node cannot announce them all in its poll replies.
constexpr qint64 artnetAnnouncedUniverses = 1023;
// Port-Addresses are 15 bits; DMX universe n is Port-Address n - 1.
constexpr qint64 artnetLastUniverse = 32768;
constexpr int lowScreenLevel = 25;

QRect desktopRect() {
    const QRect desktop = desktopGeometry();
    return desktop.isEmpty() ? QRect(QPoint(0, 0), fallbackDesktopSize) : desktop;
}

qint64 universeCount(const SettingsRecord &r) {
    return universesFor(gridChannels(r), r.DmxChannelPerUniverse);
}

void selectData(QComboBox *combo, int value) {
    const int index = combo->findData(value);
    if (index >= 0)
        combo->setCurrentIndex(index);
}

int currentData(const QComboBox *combo) {
    return combo->currentData().toInt();
}

} // namespace

Settings::Settings(SettingsRecord &liveRecord, QWidget *parent)
    : QDialog(parent), m_liveRecord(liveRecord), m_record(liveRecord) {
    setWindowTitle(tr("Settings"));
    setWindowIcon(QIcon(QStringLiteral(":/images/tessaview.png")));

    m_pTabs = new QTabWidget;
    m_pTabs->addTab(createGeneralTab(), tr("General"));
    m_pTabs->addTab(createScreenTab(), tr("Screen"));
    m_pTabs->addTab(createDmxTab(), tr("DMX"));
    m_pTabs->addTab(createProtocolTab(), tr("Protocol"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pTabs);
    layout->addWidget(createPresetRows());
    layout->addStretch(1);
    layout->addWidget(createBottomRow());

    createKeyboardActions();
    connectWidgets();
    recordToWidgets(m_record);
}

void Settings::reload() {
    m_record = m_liveRecord;
    recordToWidgets(m_record);
}

void Settings::showTab(int index) {
    if (index >= 0 && index < m_pTabs->count())
        m_pTabs->setCurrentIndex(index);
}

int Settings::currentTab() const {
    return m_pTabs->currentIndex();
}

void Settings::recordToWidgets(const SettingsRecord &r) {
    {
        const QList<QWidget *> widgets = findChildren<QWidget *>();
        std::vector<QSignalBlocker> blockers;
        blockers.reserve(widgets.size() + 1);
        blockers.emplace_back(this);
        for (QWidget *widget : widgets)
            blockers.emplace_back(widget);

        m_pName->setText(r.Name);
        selectData(m_pLanguage, r.LanguageIso);
        selectData(m_pUpdateCheck, r.UpdateCheck);
        m_pTimerStartup->setValue(r.TimerStartup);

        selectData(m_pScreenNumber, r.ScreenNumber);
        m_pPosX->setValue(r.PosX);
        m_pPosY->setValue(r.PosY);
        m_pSizeX->setValue(r.SizeX);
        m_pSizeY->setValue(r.SizeY);
        m_pTimerInMs->setValue(r.TimerInMs);
        selectData(m_pUseOpenGL, r.UseOpenGL);
        m_pScreenLevel->setValue(r.ScreenLevel);
        selectData(m_pScreenFlip, r.ScreenFlip);
        selectData(m_pScreenRotate, r.ScreenRotate);

        m_pDmxSizeX->setValue(r.DmxSizeX);
        m_pDmxSizeY->setValue(r.DmxSizeY);
        // A hand-edited 0 shows as the range's minimum, 1.
        m_pDmxChannelPerUniverse->setValue(r.DmxChannelPerUniverse);
        m_pDmxUniverseStart->setValue(r.DmxUniverseStart);
        selectData(m_pDmxUseRgb, r.DmxUseRgb);
        selectData(m_pShapeType, r.ShapeType);

        selectData(m_pUseArtnet, r.UseArtnet);
        selectData(m_pUseAcnnet, r.UseAcnnet);
        selectData(m_pUseRdm, r.UseRdm);
        selectData(m_pUseRdmForAllUniverses, r.UseRdmForAllUniverses);

        // Follows the combo rather than the record: a screen number that has no entry (a
        // screen unplugged since) leaves the combo on its previous choice, and the fields
        // must match what the combo shows.
        enableUserGeometry(currentData(m_pScreenNumber) == ScreenChoice::UserSize);
    }
    refreshDerivedDisplays();
}

void Settings::widgetsToRecord(SettingsRecord &r) const {
    r.Name = m_pName->text();
    r.LanguageIso = quint16(currentData(m_pLanguage));
    r.UpdateCheck = quint16(currentData(m_pUpdateCheck));
    r.TimerStartup = quint16(m_pTimerStartup->value());

    r.ScreenNumber = qint16(currentData(m_pScreenNumber));
    r.PosX = quint16(m_pPosX->value());
    r.PosY = quint16(m_pPosY->value());
    r.SizeX = quint16(m_pSizeX->value());
    r.SizeY = quint16(m_pSizeY->value());
    r.TimerInMs = quint16(m_pTimerInMs->value());
    r.UseOpenGL = currentData(m_pUseOpenGL) != 0;
    r.ScreenLevel = quint8(m_pScreenLevel->value());
    r.ScreenFlip = quint16(currentData(m_pScreenFlip));
    r.ScreenRotate = quint16(currentData(m_pScreenRotate));

    r.DmxSizeX = quint16(m_pDmxSizeX->value());
    r.DmxSizeY = quint16(m_pDmxSizeY->value());
    r.DmxChannelPerUniverse = quint16(m_pDmxChannelPerUniverse->value());
    r.DmxUniverseStart = quint16(m_pDmxUniverseStart->value());
    r.DmxUseRgb = quint16(currentData(m_pDmxUseRgb));
    r.ShapeType = quint16(currentData(m_pShapeType));

    r.UseArtnet = currentData(m_pUseArtnet) != 0;
    r.UseAcnnet = currentData(m_pUseAcnnet) != 0;
    r.UseRdm = currentData(m_pUseRdm) != 0;
    r.UseRdmForAllUniverses = currentData(m_pUseRdmForAllUniverses) != 0;
}

SettingsRecord Settings::recordFromWidgets() const {
    SettingsRecord r;
    widgetsToRecord(r);
    return r;
}

void Settings::refreshDerivedDisplays() {
    slotUpdateInfoDmxGui();
    slotUpdateInfoUniverseWarningGui();
    slotUpdateInfoScreenLevelGui();
    slotUpdateInfoFrames();
}

void Settings::enableUserGeometry(bool bEnable) {
    for (QSpinBox *spin : {m_pPosX, m_pPosY, m_pSizeX, m_pSizeY})
        spin->setEnabled(bEnable);
}

void Settings::presetSave(int iPreset) {
    widgetsToRecord(m_record);
    SettingsStore::saveSettings(m_record, iPreset);
}

void Settings::presetLoad(int iPreset) {
    SettingsStore::loadSettings(m_record, iPreset);
    recordToWidgets(m_record);
}

void Settings::slotPressOk() {
    slotPressApply();
    close();
}

void Settings::slotPressApply() {
    widgetsToRecord(m_record);
    SettingsStore::saveSettings(m_record, SettingsStore::firstPreset);
    m_liveRecord = m_record;
    emit valueChanged();
}

void Settings::slotPressDefault() {
    SettingsStore::resetSettingsStore();
    // The owner resets its live record to the factory defaults; the dialog follows, or it
    // would show the old values when opened again and a later Apply would undo the reset.
    setFactoryDefaults(m_record, desktopRect().size());
    recordToWidgets(m_record);
    emit valueChangedToDefault();
    close();
}

void Settings::slotPresetSave1() {
    presetSave(1);
}
void Settings::slotPresetSave2() {
    presetSave(2);
}
void Settings::slotPresetSave3() {
    presetSave(3);
}
void Settings::slotPresetSave4() {
    presetSave(4);
}
void Settings::slotPresetSave5() {
    presetSave(5);
}
void Settings::slotPresetSave6() {
    presetSave(6);
}
void Settings::slotPresetSave7() {
    presetSave(7);
}
void Settings::slotPresetSave8() {
    presetSave(8);
}
void Settings::slotPresetSave9() {
    presetSave(9);
}
void Settings::slotPresetLoad1() {
    presetLoad(1);
}
void Settings::slotPresetLoad2() {
    presetLoad(2);
}
void Settings::slotPresetLoad3() {
    presetLoad(3);
}
void Settings::slotPresetLoad4() {
    presetLoad(4);
}
void Settings::slotPresetLoad5() {
    presetLoad(5);
}
void Settings::slotPresetLoad6() {
    presetLoad(6);
}
void Settings::slotPresetLoad7() {
    presetLoad(7);
}
void Settings::slotPresetLoad8() {
    presetLoad(8);
}
void Settings::slotPresetLoad9() {
    presetLoad(9);
}

void Settings::slotUpdateInfoFrames() {
    m_pRefreshHz->setText(QString::number(1000.0 / recordFromWidgets().TimerInMs, 'f', 2));
}

void Settings::slotUpdateInfoScreenNumber() {
    const int iScreen = currentData(m_pScreenNumber);
    const QList<QScreen *> screens = QGuiApplication::screens();
    // A screen unplugged while the dialog was open falls back to the whole desktop.
    const bool bScreen = iScreen >= 0 && iScreen < screens.size();
    const QRect area = bScreen ? screens.at(iScreen)->geometry() : desktopRect();
    m_pPosX->setValue(bScreen ? area.x() : 0);
    m_pPosY->setValue(bScreen ? area.y() : 0);
    m_pSizeX->setValue(area.width());
    m_pSizeY->setValue(area.height());
    enableUserGeometry(iScreen == ScreenChoice::UserSize);
}

void Settings::slotUpdateInfoDmxGui() {
    const SettingsRecord r = recordFromWidgets();
    m_pChannelsTotal->setText(QString::number(gridChannels(r)));
    m_pUniverseCount->setText(QString::number(universeCount(r)));
}

void Settings::slotUpdateInfoUniverseWarningGui() {
    const SettingsRecord r = recordFromWidgets();
    const bool bVisible = r.UseArtnet && universeCount(r) > artnetAnnouncedUniverses;
    m_pWarnUniverseCount->setVisible(bVisible);
    m_pWarnUniverseArtnet->setVisible(bVisible);
    const qint64 lastShown = qint64(r.DmxUniverseStart) + std::max<qint64>(universeCount(r), 1) - 1;
    m_pWarnArtnetReach->setVisible(r.UseArtnet && lastShown > artnetLastUniverse);
}

void Settings::slotUpdateInfoScreenLevelGui() {
    m_pWarnScreenLevel->setVisible(recordFromWidgets().ScreenLevel < lowScreenLevel);
}

void Settings::slotViewUniveseSummaryWarning() {
    QMessageBox::warning(
        this, tr("Warning: Art-Net universes are oversized"),
        tr("Art-Net universes are oversizedand cannot be completely signalled by "
           "ArtPollReply!\n\nUniverse in ArtPollReply is coded in a 15Bit value, which is "
           "combined by 3 different values\nNetSwitch - Bits 14-8 of the 15Bit Port "
           "Address\nSubSwitch - Bits 7-4 of the 15 bit Port-Address are encoded into the bottom "
           "4 bits of this field\nSwOut[4]  - Bits 3-0 of the 15Bit Port Address\n\nThe problem "
           "is, that the 4 real universes of an Art-Net node can only be used in the range with "
           "the offset 0...15 (see SwOut), if the universes 1 and 17 are used simultaneously, 2 "
           "ArtPollReply packets with an incremented BindIndex have to send.\n\nThe problem with "
           "the BindIndex, is the range 1...256. This results in the maximum number of universes "
           "with 256 *4 (BindIndex * port) = 1024 if in addition the first universe is a "
           "multiple of 16.\n\nFor more universes another IP address must be used to signal more "
           "than 1024 universes with ArtPollReply. In the worst case, only 256 universes can be "
           "signaled using BindIndex, e.g. if the universe offset is >= 16, only one universe "
           "can be signaled per BindIndex.\n\nWhatever is signalled by ArtPollReply has no "
           "influence on what can be received. For example, if 1100 universes are configured "
           "then they can be received. It may be necessary to ask the sender to manually "
           "configure the universes 1024...1100."),
        QMessageBox::Ok);
}

void Settings::slotViewScreenLevelWarning() {
    QMessageBox::warning(this, tr("Warning: Screen Level is low"),
                         tr("Screen level is lower than 25!\n\nIt is not guaranteed that "
                            "something is visible on the screen!"),
                         QMessageBox::Ok);
}

void Settings::slotViewInfoArtnet() {
    emit signalViewInfoArtnet();
}
void Settings::slotViewInfoAcnnet() {
    emit signalViewInfoAcnnet();
}
void Settings::slotViewInfoRdm() {
    emit signalViewInfoRdm();
}

void Settings::slotNextTab() {
    m_pTabs->setCurrentIndex((m_pTabs->currentIndex() + 1) % m_pTabs->count());
}
