#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class QAction;
class QCloseEvent;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTimerEvent;
class QVBoxLayout;
class Configurator;
struct RdmInfoRow;
struct SettingsRecord;

// The live information window: the stored presets and the RDM device model parameter by
// parameter, in six tabbed tables. It shows the state of the moment it was opened or a page
// was selected, and refreshes once per second while its refresh button is checked.
class InfoDlg : public QWidget {
    Q_OBJECT

public:
    // Page indices in tab order.
    enum Page { PagePreset, PageArtnet, PageAcnnet, PageRdm120, PageRdm137_1, PageRdm137_2 };

    InfoDlg();

    // The main window's live record; the preset table is filled only while one is set.
    void setSettings(const SettingsRecord *settings);
    // Source of the three RDM tables; without it they stay as they are.
    void setConfigurator(Configurator *model);

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
    QTableWidget *addPage(const QString &label, const QStringList &headers);
    void refreshPresetTable();
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
    QTableWidget *m_pTableArtnet = nullptr;
    QTableWidget *m_pTableAcnnet = nullptr;
    QTableWidget *m_pTableRdm120 = nullptr;
    QTableWidget *m_pTableRdm137_1 = nullptr;
    QTableWidget *m_pTableRdm137_2 = nullptr;
    QPushButton *m_pRefreshButton = nullptr;
    QVBoxLayout *m_pLayout = nullptr;
};
