#include "dialogs/infodlg.h"
#include "dialogs/networkpage.h"

#include "dialogs/presetinforows.h"
#include "dialogs/rdminforows.h"
#include "dialogs/rdmparameterinfo.h"
#include "dialogs/readonlytable.h"
#include "rdm/configurator.h"
#include "settings/desktop.h"
#include "settings/settingsrecord.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimerEvent>
#include <QVBoxLayout>

#include <optional>

namespace {

constexpr int refreshIntervalMs = 1000;

QTableWidgetItem *readOnlyItem(const QString &text) {
    auto *item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

QStringList rdmHeaders() {
    return {QStringLiteral("RDM"), QStringLiteral("Type"), QStringLiteral("Parameter"),
            QStringLiteral("Value"), QStringLiteral("Allowed")};
}

QStringList comboTexts(const QComboBox *combo) {
    QStringList texts;
    texts.reserve(combo->count());
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

// Sorting works on the item's display data, so numbers stay numbers.
QTableWidgetItem *readOnlyItem(const QVariant &value) {
    auto *item = new QTableWidgetItem;
    item->setData(Qt::DisplayRole, value);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

// Rebuilds the rows with sorting off, since a sorted table moves each row as it is written.
void fillTable(QTableWidget *table, const QList<ReceiverStatsRows::Row> &rows) {
    table->setSortingEnabled(false);
    table->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const ReceiverStatsRows::Row &cells = rows.at(r);
        for (int c = 0; c < cells.size() && c < table->columnCount(); ++c)
            table->setItem(r, c, readOnlyItem(cells.at(c)));
    }
    table->setSortingEnabled(true);
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
}

// The universe number of the selected row, if a row is selected.
std::optional<quint16> selectedUniverse(const QTableWidget *table) {
    const QList<QTableWidgetItem *> chosen = table->selectedItems();
    if (chosen.isEmpty() || !table->item(chosen.first()->row(), 0))
        return std::nullopt;
    return quint16(table->item(chosen.first()->row(), 0)->data(Qt::DisplayRole).toUInt());
}

enum RdmColumn { ColumnId, ColumnType, ColumnParameter, ColumnValue, ColumnAllowed };

} // namespace

InfoDlg::InfoDlg() : QWidget(nullptr) {
    setWindowIcon(QIcon(QStringLiteral(":/images/tessaview.png")));

    const QIcon quitIcon(QStringLiteral(":/images/quit.xpm"));
    m_pActionQuit = new QAction(quitIcon, tr("Quit"), this);
    m_pActionQuit->setShortcut(Qt::Key_Q);
    m_pActionQuit->setToolTip(tr("exits this window"));
    connect(m_pActionQuit, &QAction::triggered, this, &QWidget::close);
    addAction(m_pActionQuit);

    m_pActionQuitEscape = new QAction(quitIcon, tr("Quit"), this);
    m_pActionQuitEscape->setShortcut(Qt::Key_Escape);
    m_pActionQuitEscape->setToolTip(tr("exits this window"));
    connect(m_pActionQuitEscape, &QAction::triggered, this, &QWidget::close);
    addAction(m_pActionQuitEscape);

    m_pActionNextTab = new QAction(tr("Next Tab by key F3"), this);
    m_pActionNextTab->setShortcut(Qt::Key_F3);
    m_pActionNextTab->setToolTip(tr("click F3 to activate next tab view"));
    connect(m_pActionNextTab, &QAction::triggered, this, &InfoDlg::slotNextTab);
    addAction(m_pActionNextTab);

    setWindowTitle(tr("Informations"));

    m_pTabs = new QTabWidget(this);
    m_pTablePreset =
        addPage(QStringLiteral("Preset"),
                {QStringLiteral("Name"), QStringLiteral("DMX Size X"), QStringLiteral("DMX Size Y"),
                 QStringLiteral("Screen Size X"), QStringLiteral("Screen Size Y"),
                 QStringLiteral("Screen Pos X"), QStringLiteral("Screen Pos Y"),
                 QStringLiteral("Start Universe"), QStringLiteral("Universe Count"),
                 QStringLiteral("Channels per Universe"), QStringLiteral("Color Mode")});
    addReceiverPage(m_artnetPage, QStringLiteral("Art-Net"));
    addReceiverPage(m_acnnetPage, QStringLiteral("Streaming Acn"));
    m_pTableRdm120 = addPage(QStringLiteral("RDM 1.20"), rdmHeaders());
    m_pTableRdm137_1 = addPage(QStringLiteral("RDM 1.37-1"), rdmHeaders());
    m_pTableRdm137_2 = addPage(QStringLiteral("RDM 1.37-2"), rdmHeaders());
    m_pNetwork = new NetworkPage(m_pTabs);
    m_pTabs->addTab(m_pNetwork, tr("Network"));

    m_pRefreshButton = new QPushButton(this);
    m_pRefreshButton->setObjectName(QStringLiteral("refreshButton"));
    m_pRefreshButton->setCheckable(true);
    const QIcon reloadIcon(QStringLiteral(":/images/filereload.xpm"));
    if (reloadIcon.availableSizes().isEmpty())
        m_pRefreshButton->setText(tr("Refresh")); // a button with neither icon nor text is lost
    else
        m_pRefreshButton->setIcon(reloadIcon);
    connect(m_pRefreshButton, &QPushButton::clicked, this, &InfoDlg::slotRefresh);

    m_pLayout = new QVBoxLayout(this);
    m_pLayout->addWidget(m_pRefreshButton);
    m_pLayout->addWidget(m_pTabs);

    adjustSize();
}

QTableWidget *InfoDlg::addPage(const QString &label, const QStringList &headers) {
    auto *table = new QTableWidget(0, int(headers.size()), m_pTabs);
    table->setObjectName(QStringLiteral("table ") + label);
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTabs->addTab(table, label);
    return table;
}

void InfoDlg::addReceiverPage(ReceiverPage &page, const QString &label) {
    auto *pageWidget = new QWidget(m_pTabs);
    auto *layout = new QVBoxLayout(pageWidget);
    page.pLatency = new QLabel(pageWidget);
    page.pLatency->setObjectName(QStringLiteral("latency ") + label);
    auto *splitter = new QSplitter(Qt::Vertical, pageWidget);
    page.pDropped = new QLabel(pageWidget);
    page.pDropped->setObjectName(QStringLiteral("dropped ") + label);
    layout->addWidget(page.pLatency);
    layout->addWidget(page.pDropped);
    layout->addWidget(splitter);
    page.pUniverses = readOnlyTable(QStringLiteral("table ") + label,
                                    ReceiverStatsRows::universeHeaders(page.protocol), splitter);
    page.pSources = readOnlyTable(QStringLiteral("sources ") + label,
                                  ReceiverStatsRows::sourceHeaders(), splitter);
    splitter->addWidget(page.pUniverses);
    splitter->addWidget(page.pSources);
    m_pTabs->addTab(pageWidget, label);
    connect(page.pUniverses, &QTableWidget::itemSelectionChanged, this,
            [&page] { refreshSources(page); });
}

void InfoDlg::setSettings(const SettingsRecord *settings) {
    m_pSettings = settings;
}

void InfoDlg::setConfigurator(Configurator *model) {
    m_pConfigurator = model;
}

void InfoDlg::setReceivers(ReceiverSource artnet, ReceiverSource sacn) {
    m_artnetPage.source = std::move(artnet);
    m_acnnetPage.source = std::move(sacn);
}

void InfoDlg::selectPage(Page page) {
    m_pTabs->setCurrentIndex(int(page));
    refresh();
}

void InfoDlg::refresh() {
    refreshPresetTable();
    refreshReceiverPage(m_artnetPage);
    refreshReceiverPage(m_acnnetPage);
    m_pNetwork->refresh();
    if (m_pConfigurator) {
        refreshRdmTable(m_pTableRdm120, QStringLiteral("E1.20"),
                        RdmInfoRows::e120(*m_pConfigurator));
        refreshRdmTable(m_pTableRdm137_1, QStringLiteral("E1.37-1"),
                        RdmInfoRows::e137_1(*m_pConfigurator));
        refreshRdmTable(m_pTableRdm137_2, QStringLiteral("E1.37-2"),
                        RdmInfoRows::e137_2(*m_pConfigurator));
    }
    updateGeometry();
}

void InfoDlg::refreshPresetTable() {
    if (!m_pSettings)
        return;
    const QList<QStringList> rows = PresetInfoRows::storedPresets(desktopGeometry().size());
    m_pTablePreset->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList &cells = rows.at(r);
        for (int c = 0; c < cells.size() && c < m_pTablePreset->columnCount(); ++c)
            m_pTablePreset->setItem(r, c, readOnlyItem(cells.at(c)));
    }
    m_pTablePreset->resizeColumnsToContents();
    m_pTablePreset->resizeRowsToContents();
}

void InfoDlg::refreshReceiverPage(ReceiverPage &page) {
    if (!page.source)
        return;
    QTableWidget *table = page.pUniverses;
    const std::optional<quint16> selected = selectedUniverse(table);
    const ReceiverView view = page.source();
    page.stats = view.stats;
    page.pLatency->setText(ReceiverStatsRows::latencyText(view.latency));
    page.pDropped->setText(ReceiverStatsRows::droppedText(page.protocol, view.stats));
    {
        // The rows are written anew; the selection is put back below, by universe number.
        const QSignalBlocker blocker(table);
        fillTable(table, ReceiverStatsRows::universes(page.protocol, view));
        table->clearSelection();
        table->setCurrentItem(nullptr);
        for (int r = 0; selected && r < table->rowCount(); ++r) {
            if (table->item(r, 0)->data(Qt::DisplayRole).toUInt() == *selected) {
                table->selectRow(r);
                break;
            }
        }
    }
    refreshSources(page);
}

void InfoDlg::refreshSources(ReceiverPage &page) {
    const std::optional<quint16> universe = selectedUniverse(page.pUniverses);
    fillTable(page.pSources, universe
                                 ? ReceiverStatsRows::sources(page.protocol, page.stats, *universe)
                                 : QList<ReceiverStatsRows::Row>());
}

void InfoDlg::refreshRdmTable(QTableWidget *table, const QString &type,
                              const QList<RdmInfoRow> &rows) {
    // The id and name columns never change, so they are written only with the rows.
    if (table->rowCount() != rows.size()) {
        table->setRowCount(int(rows.size()));
        for (int r = 0; r < rows.size(); ++r) {
            const quint16 pid = rows.at(r).pid;
            table->setItem(r, ColumnId,
                           readOnlyItem(QStringLiteral("0x") + RdmParameterInfo::idDigits(pid)));
            table->setItem(r, ColumnParameter, readOnlyItem(RdmParameterInfo::parameterName(pid)));
        }
    }
    for (int r = 0; r < rows.size(); ++r) {
        const RdmInfoRow &row = rows.at(r);
        table->setItem(r, ColumnType, readOnlyItem(type));

        writeValueCell(table, r, row);
        table->setItem(r, ColumnAllowed, readOnlyItem(RdmParameterInfo::allowedCommands(row.pid)));
    }
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
}

void InfoDlg::writeValueCell(QTableWidget *table, int r, const RdmInfoRow &row) {
    // A drop-down that already lists the same texts stays, so the operator can browse it
    // while the tables refresh every second; only the entry in effect follows the model.
    auto *combo = qobject_cast<QComboBox *>(table->cellWidget(r, ColumnValue));
    if (combo && row.values.size() > 1 && comboTexts(combo) == row.values) {
        if (row.currentIndex >= 0 && combo->currentIndex() != row.currentIndex &&
            !combo->view()->isVisible())
            combo->setCurrentIndex(row.currentIndex);
        return;
    }

    table->removeCellWidget(r, ColumnValue);
    delete table->takeItem(r, ColumnValue);
    if (row.values.size() > 1) {
        combo = new QComboBox;
        for (int i = 0; i < row.values.size(); ++i)
            combo->addItem(row.values.at(i), i);
        if (row.currentIndex >= 0)
            combo->setCurrentIndex(row.currentIndex);
        table->setCellWidget(r, ColumnValue, combo);
    } else if (row.values.size() == 1) {
        table->setItem(r, ColumnValue, readOnlyItem(row.values.first()));
    }
}

void InfoDlg::slotNextTab() {
    m_pTabs->setCurrentIndex((m_pTabs->currentIndex() + 1) % m_pTabs->count());
}

void InfoDlg::slotRefresh() {
    if (m_pRefreshButton->isChecked()) {
        if (m_iTimerId == 0)
            m_iTimerId = startTimer(refreshIntervalMs);
    } else if (m_iTimerId != 0) {
        killTimer(m_iTimerId);
        m_iTimerId = 0;
    }
}

void InfoDlg::timerEvent(QTimerEvent *event) {
    if (event->timerId() == m_iTimerId)
        refresh();
    else
        QWidget::timerEvent(event);
}

void InfoDlg::closeEvent(QCloseEvent *event) {
    if (m_pRefreshButton->isChecked())
        m_pRefreshButton->setChecked(false);
    if (m_iTimerId != 0) {
        killTimer(m_iTimerId);
        m_iTimerId = 0;
    }
    event->accept();
    emit signalCloseInfoDlg();
}
