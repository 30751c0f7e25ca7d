#include "settings/settingsdialog.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <initializer_list>

namespace {

struct Item {
    QString text;
    int data;
    const char *icon = nullptr;
};

// The object names are the record's field names, so a test can address a field's widget
// by its key.
QComboBox *makeCombo(const char *name, std::initializer_list<Item> items) {
    auto *combo = new QComboBox;
    combo->setObjectName(QLatin1String(name));
    for (const Item &item : items) {
        if (item.icon)
            combo->addItem(QIcon(QLatin1String(item.icon)), item.text, item.data);
        else
            combo->addItem(item.text, item.data);
    }
    return combo;
}

QSpinBox *makeSpin(const char *name, int minimum, int maximum) {
    auto *spin = new QSpinBox;
    spin->setObjectName(QLatin1String(name));
    spin->setRange(minimum, maximum);
    return spin;
}

QLineEdit *makeDisplay(const char *name) {
    auto *edit = new QLineEdit;
    edit->setObjectName(QLatin1String(name));
    edit->setEnabled(false);
    edit->setAlignment(Qt::AlignRight | (edit->alignment() & Qt::AlignVertical_Mask));
    return edit;
}

QToolButton *makeIconButton(const char *name, const char *icon, const QString &toolTip) {
    auto *button = new QToolButton;
    button->setObjectName(QLatin1String(name));
    button->setIcon(QIcon(QLatin1String(icon)));
    button->setToolTip(toolTip);
    button->setAutoRaise(true);
    return button;
}

// One row: label, stretch, then the widgets.
void addRow(QVBoxLayout *page, const QString &label, std::initializer_list<QWidget *> widgets) {
    auto *row = new QHBoxLayout;
    if (!label.isEmpty())
        row->addWidget(new QLabel(label));
    row->addStretch(1);
    for (QWidget *widget : widgets)
        row->addWidget(widget);
    page->addLayout(row);
}

QWidget *makePage(QVBoxLayout *&layout) {
    auto *page = new QWidget;
    layout = new QVBoxLayout(page);
    return page;
}

const char *const warningIcon = ":/images/warning.xpm";
const char *const infoIcon = ":/images/helpInfo.xpm";

} // namespace

QWidget *Settings::createGeneralTab() {
    QVBoxLayout *layout = nullptr;
    QWidget *page = makePage(layout);

    m_pName = new QLineEdit;
    m_pName->setObjectName(QStringLiteral("Name"));
    // The language names stay in their own language so a user can always find theirs.
    m_pLanguage = makeCombo("LanguageIso", {{QStringLiteral("English"), LanguageCode::English},
                                            {QStringLiteral("Deutsch"), LanguageCode::German}});
    m_pUpdateCheck = makeCombo("UpdateCheck", {{tr("Disabled"), 0}, {tr("Enabled"), 1}});
    m_pTimerStartup = makeSpin("TimerStartup", 0, 65535);

    addRow(layout, tr("Name :"), {m_pName});
    addRow(layout, tr("Language :"), {m_pLanguage});
    addRow(layout, tr("Update Check :"), {m_pUpdateCheck});
    addRow(layout, tr("Startup Timeout (in Seconds) :"), {m_pTimerStartup});
    layout->addStretch(1);
    return page;
}

QWidget *Settings::createScreenTab() {
    QVBoxLayout *layout = nullptr;
    QWidget *page = makePage(layout);

    m_pScreenNumber = new QComboBox;
    m_pScreenNumber->setObjectName(QStringLiteral("ScreenNumber"));
    const QList<QScreen *> screens = QGuiApplication::screens();
    const QScreen *primary = QGuiApplication::primaryScreen();
    const bool virtualDesktop = primary && primary->virtualSiblings().size() > 1;
    if (virtualDesktop || !screens.isEmpty())
        m_pScreenNumber->addItem(tr("Desktop"), int(ScreenChoice::Desktop));
    if (screens.size() > 1) {
        for (int i = 0; i < screens.size(); ++i)
            m_pScreenNumber->addItem(tr("Screen %1").arg(i), i);
    }
    m_pScreenNumber->addItem(tr("User Size"), int(ScreenChoice::UserSize));

    m_pPosX = makeSpin("PosX", 0, 9999);
    m_pPosY = makeSpin("PosY", 0, 9999);
    m_pSizeX = makeSpin("SizeX", 1, 9999);
    m_pSizeY = makeSpin("SizeY", 1, 9999);
    m_pTimerInMs = makeSpin("TimerInMs", 1, 2000);
    m_pRefreshHz = makeDisplay("RefreshRateHz");
    m_pUseOpenGL = makeCombo("UseOpenGL", {{tr("Use Native"), 0}, {tr("Use OpenGL"), 1}});
    m_pWarnScreenLevel = makeIconButton("warningScreenLevel", warningIcon,
                                        tr("click to view information about display level"));
    m_pScreenLevel = makeSpin("ScreenLevel", 0, 255);
    m_pScreenFlip = makeCombo("ScreenFlip", {{tr("None"), 0},
                                             {tr("Horizontal"), 1},
                                             {tr("Vertical"), 2},
                                             {tr("Vertical & Horizontal"), 3}});
    m_pScreenRotate = makeCombo(
        "ScreenRotate", {{tr("0°"), 0}, {tr("90°"), 90}, {tr("180°"), 180}, {tr("270°"), 270}});

    addRow(layout, tr("Screen Number :"), {m_pScreenNumber});
    addRow(layout, tr("Screen Position X / Y :"), {m_pPosX, m_pPosY});
    addRow(layout, tr("Screen Resolution X / Y :"), {m_pSizeX, m_pSizeY});
    addRow(layout, tr("Refresh Rate in ms :"), {m_pTimerInMs});
    addRow(layout, tr("Refresh Rate in Hz :"), {m_pRefreshHz});
    addRow(layout, tr("Render Engine :"), {m_pUseOpenGL});
    addRow(layout, tr("Screen Level :"), {m_pWarnScreenLevel, m_pScreenLevel});
    addRow(layout, tr("Screen Flip :"), {m_pScreenFlip});
    addRow(layout, tr("Screen Rotate :"), {m_pScreenRotate});
    layout->addStretch(1);
    return page;
}

QWidget *Settings::createDmxTab() {
    QVBoxLayout *layout = nullptr;
    QWidget *page = makePage(layout);

    m_pDmxSizeX = makeSpin("DmxSizeX", 1, 9999);
    m_pDmxSizeY = makeSpin("DmxSizeY", 1, 9999);
    m_pDmxChannelPerUniverse = makeSpin("DmxChannelPerUniverse", 1, 512);
    m_pDmxUniverseStart = makeSpin("DmxUniverseStart", 1, 63999);
    m_pWarnUniverseCount = makeIconButton("warningUniverseCount", warningIcon,
                                          tr("click to view information about Art-Net"));
    m_pUniverseCount = makeDisplay("DmxUniverseCount");
    m_pWarnArtnetReach = new QLabel(tr("Art-Net reaches universes 1 to 32768 only"));
    m_pWarnArtnetReach->setObjectName(QStringLiteral("warningArtnetReach"));
    m_pChannelsTotal = makeDisplay("DmxChannelsTotal");
    m_pDmxUseRgb = makeCombo(
        "DmxUseRgb", {{tr("Monochrome"), ColourMode::Monochrome, ":/images/color_mode_mono.xpm"},
                      {tr("RGB"), ColourMode::Rgb, ":/images/color_mode_rgb.xpm"},
                      {tr("RGBW"), ColourMode::Rgbw, ":/images/color_mode_rgbw.xpm"},
                      {tr("Bar Vertical"), ColourMode::BarVertical, ":/images/color_mode_bar.xpm"},
                      {tr("DMX Values"), ColourMode::DmxValues, ":/images/color_mode_dmx.xpm"},
                      {tr("Bar and DMX Values"), ColourMode::BarAndDmxValues,
                       ":/images/color_mode_bar_dmx.xpm"}});
    m_pShapeType = makeCombo(
        "ShapeType",
        {{tr("Rectangle, Filled"), ShapeKind::RectangleFilled, ":/images/shape_rect_filled"},
         {tr("Rectangle"), ShapeKind::Rectangle, ":/images/shape_rect_draw"},
         {tr("Ellipse, Filled"), ShapeKind::EllipseFilled, ":/images/shape_ellipse_filled"},
         {tr("Ellipse"), ShapeKind::Ellipse, ":/images/shape_ellipse_draw"}});

    addRow(layout, tr("DMX Resolution X / Y :"), {m_pDmxSizeX, m_pDmxSizeY});
    addRow(layout, tr("DMX Channels per Universe :"), {m_pDmxChannelPerUniverse});
    addRow(layout, tr("DMX Start Universe :"), {m_pDmxUniverseStart});
    addRow(layout, QString(), {m_pWarnArtnetReach});
    addRow(layout, tr("DMX Universe Count :"), {m_pWarnUniverseCount, m_pUniverseCount});
    addRow(layout, tr("DMX Channels, Total :"), {m_pChannelsTotal});
    addRow(layout, tr("DMX Color Mode :"), {m_pDmxUseRgb});
    addRow(layout, tr("Shape Type :"), {m_pShapeType});
    layout->addStretch(1);
    return page;
}

QWidget *Settings::createProtocolTab() {
    QVBoxLayout *layout = nullptr;
    QWidget *page = makePage(layout);

    m_pWarnUniverseArtnet =
        makeIconButton("warningArtnet", warningIcon, tr("click to view information about Art-Net"));
    m_pUseArtnet = makeCombo("UseArtnet", {{tr("Enabled"), 1}, {tr("Disabled"), 0}});
    m_pInfoArtnet =
        makeIconButton("infoArtnet", infoIcon, tr("click to view information about Art-Net"));
    m_pUseAcnnet = makeCombo("UseAcnnet", {{tr("Enabled"), 1}, {tr("Disabled"), 0}});
    m_pInfoAcnnet =
        makeIconButton("infoAcnnet", infoIcon, tr("click to view information about streaming ACN"));
    m_pUseRdm = makeCombo("UseRdm", {{tr("Enabled"), 1}, {tr("Disabled"), 0}});
    m_pInfoRdm = makeIconButton("infoRdm", infoIcon, tr("click to view information about RDM"));
    m_pUseRdmForAllUniverses = makeCombo(
        "UseRdmForAllUniverses", {{tr("RDM only for first Universes (default)"), 0},
                                  {tr("RDM for all Universes (generates many traffic)"), 1}});

    addRow(layout, tr("Art-Net :"), {m_pWarnUniverseArtnet, m_pUseArtnet, m_pInfoArtnet});
    addRow(layout, tr("Streaming ACN (E1.31) :"), {m_pUseAcnnet, m_pInfoAcnnet});
    addRow(layout, tr("RDM (E1.20/E1.37-1/E1.37-2) :"), {m_pUseRdm, m_pInfoRdm});
    addRow(layout, QString(), {m_pUseRdmForAllUniverses});
    layout->addStretch(1);
    return page;
}

QWidget *Settings::createPresetRows() {
    auto *box = new QWidget;
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < presetCount; ++i) {
        const int iPreset = i + 1;
        m_pPresetLabel[i] = new QLabel(tr("Preset %1").arg(iPreset));
        m_pPresetLabel[i]->setAlignment(Qt::AlignCenter);
        m_pPresetSave[i] = new QPushButton(tr("Save"));
        m_pPresetSave[i]->setObjectName(QStringLiteral("presetSave%1").arg(iPreset));
        m_pPresetSave[i]->setToolTip(
            tr("click for save current settings to preset %1").arg(iPreset));
        m_pPresetLoad[i] = new QPushButton(tr("Load"));
        m_pPresetLoad[i]->setObjectName(QStringLiteral("presetLoad%1").arg(iPreset));
        m_pPresetLoad[i]->setToolTip(
            tr("click for load settings from preset %1 to current").arg(iPreset));
        // As a dialog, Enter would otherwise press the first of these and overwrite preset 1.
        m_pPresetSave[i]->setAutoDefault(false);
        m_pPresetLoad[i]->setAutoDefault(false);
        grid->addWidget(m_pPresetLabel[i], 0, i);
        grid->addWidget(m_pPresetSave[i], 1, i);
        grid->addWidget(m_pPresetLoad[i], 2, i);
    }
    return box;
}

QWidget *Settings::createBottomRow() {
    auto *box = new QWidget;
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    const auto button = [row](const char *name, const QString &text, const QString &toolTip) {
        auto *b = new QPushButton(text);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(toolTip);
        // Enter in a field must not press a button behind the user's back.
        b->setAutoDefault(false);
        row->addWidget(b);
        return b;
    };
    m_pButtonOk =
        button("buttonOk", tr("OK"), tr("click OK to apply the settings and close this window"));
    m_pButtonApply = button("buttonApply", tr("Apply"), tr("click Apply to apply the settings"));
    m_pButtonDefault = button("buttonDefault", tr("Defaults"),
                              tr("click Defaults to restore the default settings"));
    m_pButtonCancel =
        button("buttonCancel", tr("Cancel"), tr("click Cancel to discard any changes"));
    return box;
}

void Settings::createKeyboardActions() {
    const auto action = [this](const char *name, const QString &text, const QKeySequence &key,
                               const QString &toolTip) {
        auto *a = new QAction(text, this);
        a->setObjectName(QLatin1String(name));
        a->setShortcut(key);
        a->setToolTip(toolTip);
        addAction(a);
        return a;
    };
    m_pActionEscape =
        action("actionEscape", tr("Close by key Escape"), QKeySequence(Qt::Key_Escape),
               tr("click Key Escape for Cancel to discard any changes"));
    m_pActionQ = action("actionQ", tr("Close by key Q"), QKeySequence(Qt::Key_Q),
                        tr("click Key Q for Cancel to discard any changes"));
    m_pActionNextTab = action("actionNextTab", tr("Next Tab by key F3"), QKeySequence(Qt::Key_F3),
                              tr("click F3 to activate next tab view"));
}

void Settings::connectWidgets() {
    connect(m_pScreenNumber, &QComboBox::activated, this, &Settings::slotUpdateInfoScreenNumber);
    for (QSpinBox *spin : {m_pDmxSizeX, m_pDmxSizeY, m_pDmxChannelPerUniverse}) {
        connect(spin, &QSpinBox::valueChanged, this, &Settings::slotUpdateInfoDmxGui);
        connect(spin, &QSpinBox::valueChanged, this, &Settings::slotUpdateInfoUniverseWarningGui);
    }
    connect(m_pDmxUniverseStart, &QSpinBox::valueChanged, this,
            &Settings::slotUpdateInfoUniverseWarningGui);
    connect(m_pDmxUseRgb, &QComboBox::activated, this, &Settings::slotUpdateInfoDmxGui);
    connect(m_pDmxUseRgb, &QComboBox::activated, this, &Settings::slotUpdateInfoUniverseWarningGui);
    connect(m_pTimerInMs, &QSpinBox::valueChanged, this, &Settings::slotUpdateInfoFrames);
    connect(m_pScreenLevel, &QSpinBox::valueChanged, this, &Settings::slotUpdateInfoScreenLevelGui);
    connect(m_pUseArtnet, &QComboBox::activated, this, &Settings::slotUpdateInfoUniverseWarningGui);

    connect(m_pWarnUniverseCount, &QToolButton::clicked, this,
            &Settings::slotViewUniveseSummaryWarning);
    connect(m_pWarnUniverseArtnet, &QToolButton::clicked, this,
            &Settings::slotViewUniveseSummaryWarning);
    connect(m_pWarnScreenLevel, &QToolButton::clicked, this, &Settings::slotViewScreenLevelWarning);
    connect(m_pInfoArtnet, &QToolButton::clicked, this, &Settings::slotViewInfoArtnet);
    connect(m_pInfoAcnnet, &QToolButton::clicked, this, &Settings::slotViewInfoAcnnet);
    connect(m_pInfoRdm, &QToolButton::clicked, this, &Settings::slotViewInfoRdm);

    using Slot = void (Settings::*)();
    static constexpr std::array<Slot, presetCount> saveSlots = {
        &Settings::slotPresetSave1, &Settings::slotPresetSave2, &Settings::slotPresetSave3,
        &Settings::slotPresetSave4, &Settings::slotPresetSave5, &Settings::slotPresetSave6,
        &Settings::slotPresetSave7, &Settings::slotPresetSave8, &Settings::slotPresetSave9};
    static constexpr std::array<Slot, presetCount> loadSlots = {
        &Settings::slotPresetLoad1, &Settings::slotPresetLoad2, &Settings::slotPresetLoad3,
        &Settings::slotPresetLoad4, &Settings::slotPresetLoad5, &Settings::slotPresetLoad6,
        &Settings::slotPresetLoad7, &Settings::slotPresetLoad8, &Settings::slotPresetLoad9};
    for (int i = 0; i < presetCount; ++i) {
        connect(m_pPresetSave[i], &QPushButton::clicked, this, saveSlots[i]);
        connect(m_pPresetLoad[i], &QPushButton::clicked, this, loadSlots[i]);
    }

    connect(m_pButtonOk, &QPushButton::clicked, this, &Settings::slotPressOk);
    connect(m_pButtonApply, &QPushButton::clicked, this, &Settings::slotPressApply);
    connect(m_pButtonDefault, &QPushButton::clicked, this, &Settings::slotPressDefault);
    connect(m_pButtonCancel, &QPushButton::clicked, this, &Settings::close);

    connect(m_pActionEscape, &QAction::triggered, this, &Settings::close);
    connect(m_pActionQ, &QAction::triggered, this, &Settings::close);
    connect(m_pActionNextTab, &QAction::triggered, this, &Settings::slotNextTab);
}
