#pragma once

#include "dialogs/receiverstatsrows.h"
#include "net/receiverstats.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>

class QAction;
class QCloseEvent;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTimerEvent;
class QVBoxLayout;
class Configurator;
class NetworkPage;
struct RdmInfoRow;
struct SettingsRecord;

// The live information window: the stored presets, what the Art-Net and sACN receivers hear
// universe by universe and source by source, and the RDM device model parameter by parameter,
// in six tabbed pages. It shows the state of the moment it was opened or a page
// was selected, and refreshes once per second while its refresh button is checked.
class InfoDlg : public QWidget {
    Q_OBJECT

public:
    // Page indices in tab order.
    enum Page {
        PagePreset,
        PageArtnet,
        PageAcnnet,
        PageRdm120,
        PageRdm137_1,
        PageRdm137_2,
        PageNetwork
    };

    // A receiver's snapshot as it is now; the engine's, handed in by the main window.
    using ReceiverSource = std::function<ReceiverView()>;

    InfoDlg();

    // The main window's live record; the preset table is filled only while one is set.
    void setSettings(const SettingsRecord *settings);
    // Source of the three RDM tables; without it they stay as they are.
    void setConfigurator(Configurator *model);
    // Sources of the "Art-Net" and "Streaming Acn" pages; without one a page stays as it is.
    void setReceivers(ReceiverSource artnet, ReceiverSource sacn);
    // The "Network" page: its findings and universes, what "Clear" empties, the report's facts.
    NetworkPage *networkPage() const { return m_pNetwork; }

    // Selects the page, then refreshes every table.
    void selectPage(Page page);
    void refresh();

signals:
    void signalCloseInfoDlg();

public slots:
    void slotNextTab();
    void slotRefresh();

protected:
    void timerEvent(QTimerEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // A receiver page: its universes above, the sources of the selected universe below.
    struct ReceiverPage {
        explicit ReceiverPage(ReceiverStatsRows::Protocol p) : protocol(p) {}
        ReceiverStatsRows::Protocol protocol;
        QLabel *pLatency = nullptr;
        QLabel *pDropped = nullptr;
        QTableWidget *pUniverses = nullptr;
        QTableWidget *pSources = nullptr;
        ReceiverSource source;
        // The snapshot the tables show, so a new selection lists its sources at once.
        ReceiverStats stats;
    };

    QTableWidget *addPage(const QString &label, const QStringList &headers);
    void addReceiverPage(ReceiverPage &page, const QString &label);
    void refreshPresetTable();
    void refreshReceiverPage(ReceiverPage &page);
    static void refreshSources(ReceiverPage &page);
    void refreshRdmTable(QTableWidget *table, const QString &type, const QList<RdmInfoRow> &rows);
    void writeValueCell(QTableWidget *table, int row, const RdmInfoRow &info);

    int m_iTimerId = 0;
    const SettingsRecord *m_pSettings = nullptr;
    QPointer<Configurator> m_pConfigurator;
    QAction *m_pActionQuit = nullptr;
    QAction *m_pActionQuitEscape = nullptr;
    QAction *m_pActionNextTab = nullptr;
    QTabWidget *m_pTabs = nullptr;
    QTableWidget *m_pTablePreset = nullptr;
    ReceiverPage m_artnetPage{ReceiverStatsRows::Protocol::ArtNet};
    ReceiverPage m_acnnetPage{ReceiverStatsRows::Protocol::Sacn};
    QTableWidget *m_pTableRdm120 = nullptr;
    QTableWidget *m_pTableRdm137_1 = nullptr;
    QTableWidget *m_pTableRdm137_2 = nullptr;
    NetworkPage *m_pNetwork = nullptr;
    QPushButton *m_pRefreshButton = nullptr;
    QVBoxLayout *m_pLayout = nullptr;
};
