#include "dialogs/infodlg.h"
#include "rdm/configurator.h"
#include "settings/settingsrecord.h"
#include "settings/settingsstore.h"
#include "testsettingsstore.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

namespace {

QStringList rowTexts(const QTableWidget *table, int row) {
    QStringList texts;
    for (int c = 0; c < table->columnCount(); ++c)
        texts << (table->item(row, c) ? table->item(row, c)->text() : QString());
    return texts;
}

QStringList headerTexts(const QTableWidget *table) {
    QStringList texts;
    for (int c = 0; c < table->columnCount(); ++c)
        texts << table->horizontalHeaderItem(c)->text();
    return texts;
}

// The row of the parameter, found by its "0x...." id cell, or -1.
int rowOf(const QTableWidget *table, const QString &id) {
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->item(r, 0) && table->item(r, 0)->text() == id)
            return r;
    return -1;
}

enum { ColumnId, ColumnType, ColumnParameter, ColumnValue, ColumnAllowed };

QString valueText(const QTableWidget *table, const QString &id) {
    const int row = rowOf(table, id);
    const QTableWidgetItem *item = row < 0 ? nullptr : table->item(row, ColumnValue);
    return item ? item->text() : QString();
}

QComboBox *valueCombo(const QTableWidget *table, const QString &id) {
    const int row = rowOf(table, id);
    return row < 0 ? nullptr : qobject_cast<QComboBox *>(table->cellWidget(row, ColumnValue));
}

QStringList comboTexts(const QComboBox *combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

} // namespace

class TestInfoDlg : public QObject {
    Q_OBJECT

    TemporarySettingsStore m_store;

    QTableWidget *table(InfoDlg &dlg, const char *label) {
        return dlg.findChild<QTableWidget *>(QStringLiteral("table ") + QLatin1String(label));
    }

private slots:
    void pagesAndHeaders() {
        InfoDlg dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Informations"));
        auto *tabs = dlg.findChild<QTabWidget *>();
        QVERIFY(tabs);
        QStringList labels;
        for (int i = 0; i < tabs->count(); ++i)
            labels << tabs->tabText(i);
        QCOMPARE(labels, (QStringList{"Preset", "Art-Net", "Streaming Acn", "RDM 1.20",
                                      "RDM 1.37-1", "RDM 1.37-2", "Network"}));
        QCOMPARE(headerTexts(table(dlg, "Preset")),
                 (QStringList{"Name", "DMX Size X", "DMX Size Y", "Screen Size X", "Screen Size Y",
                              "Screen Pos X", "Screen Pos Y", "Start Universe", "Universe Count",
                              "Channels per Universe", "Color Mode"}));
        for (const char *rdm : {"RDM 1.20", "RDM 1.37-1", "RDM 1.37-2"})
            QCOMPARE(headerTexts(table(dlg, rdm)),
                     (QStringList{"RDM", "Type", "Parameter", "Value", "Allowed"}));
        const QStringList universeHeaders{"Universe",       "Sources",         "Owner",
                                          "Packets/s",      "Sequence Errors", "Dropped",
                                          "Last Packet [s]"};
        QCOMPARE(headerTexts(table(dlg, "Art-Net")), universeHeaders);
        QCOMPARE(headerTexts(table(dlg, "Streaming Acn")),
                 (universeHeaders + QStringList{"Priority", "Sync Address"}));
        for (const char *sources : {"sources Art-Net", "sources Streaming Acn"})
            QCOMPARE(headerTexts(dlg.findChild<QTableWidget *>(QLatin1String(sources))),
                     (QStringList{"Name", "CID / IP Address", "Priority", "Packets/s",
                                  "Sequence Errors", "Last Seen [s]", "Announced Universes",
                                  "Interval min / median / max [ms]", "Timing"}));
    }

    void presetTable() {
        const QSize desktop = QGuiApplication::primaryScreen()->virtualGeometry().size();
        SettingsStore::resetSettingsStore();

        SettingsRecord barAndValues;
        barAndValues.DmxSizeX = 20;
        barAndValues.DmxSizeY = 30;
        barAndValues.DmxUseRgb = 12;
        barAndValues.DmxUniverseStart = 7;
        barAndValues.PosX = 11;
        barAndValues.PosY = 22;
        barAndValues.SizeX = 1024;
        barAndValues.SizeY = 768;
        SettingsStore::saveSettings(barAndValues, 3);

        SettingsRecord rgbAndRgbw;
        setFactoryDefaults(rgbAndRgbw, desktop);
        rgbAndRgbw.DmxUseRgb = 3;
        SettingsStore::saveSettings(rgbAndRgbw, 4);

        SettingsRecord noChannels;
        setFactoryDefaults(noChannels, desktop);
        noChannels.DmxChannelPerUniverse = 0;
        SettingsStore::saveSettings(noChannels, 5);

        SettingsRecord live;
        InfoDlg dlg;
        dlg.setSettings(&live);
        dlg.selectPage(InfoDlg::PagePreset);
        QTableWidget *presets = table(dlg, "Preset");
        QCOMPARE(presets->rowCount(), 10);

        const QString w = QString::number(desktop.width());
        const QString h = QString::number(desktop.height());
        // Never saved: the factory defaults, 17 x 10 RGB cells = 510 channels = 1 universe.
        QCOMPARE(rowTexts(presets, 0), (QStringList{"Preset Current", "17", "10", w, h, "0", "0",
                                                    "1", "1", "510", "RGB"}));
        QCOMPARE(rowTexts(presets, 1),
                 (QStringList{"Preset 1", "17", "10", w, h, "0", "0", "1", "1", "510", "RGB"}));
        // 600 cells, one channel each, over 510 per universe: 2 universes.
        QCOMPARE(rowTexts(presets, 3),
                 (QStringList{"Preset 3", "20", "30", "1024", "768", "11", "22", "7", "2", "510",
                              "Bar Vertical | DMX Values"}));
        // Mode 3 is no colour mode: read as the factory RGB.
        QCOMPARE(rowTexts(presets, 4),
                 (QStringList{"Preset 4", "17", "10", w, h, "0", "0", "1", "1", "510", "RGB"}));
        // A hand-edited 0 channels per universe is read as 1: 510 universes.
        QCOMPARE(rowTexts(presets, 5),
                 (QStringList{"Preset 5", "17", "10", w, h, "0", "0", "1", "510", "1", "RGB"}));
        QCOMPARE(presets->item(9, 0)->text(), QStringLiteral("Preset 9"));

        QTableWidgetItem *cell = presets->item(3, 8);
        QVERIFY(!(cell->flags() & Qt::ItemIsEditable));
    }

    void withoutSourcesTablesStayEmpty() {
        InfoDlg dlg;
        dlg.selectPage(InfoDlg::PageRdm120);
        QCOMPARE(table(dlg, "Preset")->rowCount(), 0);
        QCOMPARE(table(dlg, "RDM 1.20")->rowCount(), 0);
        QCOMPARE(table(dlg, "RDM 1.37-2")->rowCount(), 0);
    }

    void rdmTables() {
        Configurator model([] { return QDateTime(QDate(2024, 2, 29), QTime(13, 5, 9)); });
        model.slotSetDeviceInfo(0x0208, 0x0101, 0x02080300, 510, 0);
        model.slotSetDmxPersonalityDescription({{510, "Current"}, {512, "Preset 1"}});
        model.slotSetLanguageCapabilities({0x6465});
        model.slotSetLanguage(0x6465);
        model.slotSetProductDetailIdList({0x0204, 0x0601});
        model.slotSetIpV4CurrentAddress({{0xC0A80114, 0xFFFFFF00, 1}});
        model.slotSetListInterfaces({{0xC0A80114, 1}});

        InfoDlg dlg;
        dlg.setConfigurator(&model);
        dlg.selectPage(InfoDlg::PageRdm120);
        QTableWidget *e120 = table(dlg, "RDM 1.20");
        QTableWidget *e137_1 = table(dlg, "RDM 1.37-1");
        QTableWidget *e137_2 = table(dlg, "RDM 1.37-2");
        QCOMPARE(e120->rowCount(), 40);
        QCOMPARE(e137_1->rowCount(), 21);
        QCOMPARE(e137_2->rowCount(), 10);
        QCOMPARE(e120->item(0, ColumnId)->text(), QStringLiteral("0x0032"));
        QCOMPARE(e120->item(39, ColumnId)->text(), QStringLiteral("0x1031"));
        QCOMPARE(e137_2->item(9, ColumnId)->text(), QStringLiteral("0x070D"));

        // id, type, name and allowed command classes
        const int personality = rowOf(e120, "0x00E0");
        QCOMPARE(rowTexts(e120, personality)[ColumnType], QStringLiteral("E1.20"));
        QCOMPARE(rowTexts(e120, personality)[ColumnParameter], QStringLiteral("DMX_PERSONALITY"));
        QCOMPARE(rowTexts(e120, personality)[ColumnAllowed], QStringLiteral("GET / SET"));
        QCOMPARE(rowTexts(e120, rowOf(e120, "0x0060"))[ColumnAllowed], QStringLiteral("GET"));
        QCOMPARE(rowTexts(e120, rowOf(e120, "0x0032"))[ColumnAllowed], QStringLiteral("SET"));
        QCOMPARE(rowTexts(e120, rowOf(e120, "0x1001"))[ColumnAllowed], QStringLiteral("SET"));
        QCOMPARE(rowTexts(e137_1, rowOf(e137_1, "0x1041"))[ColumnType], QStringLiteral("E1.37-1"));
        QCOMPARE(rowTexts(e137_2, rowOf(e137_2, "0x070B"))[ColumnParameter],
                 QStringLiteral("DNS_IPV4_NAME_SERVER"));
        QCOMPARE(rowTexts(e137_2, rowOf(e137_2, "0x0705"))[ColumnAllowed], QStringLiteral("GET"));

        QCOMPARE(valueText(e120, "0x0060"),
                 QStringLiteral("RDM Protocol Version 1.0 (0x0100)\n"
                                "Device Modell ID 520 (0x0208)\n"
                                "Product Category 257 (0x0101)\n"
                                "Software Version ID 34079488 (0x02080300)\n"
                                "DMX512 Footprint 510 (0x01FE)\n"
                                "DMX512 Personality 1 (0x01)\n"
                                "DMX512 Start Address 1 (0x0001)\n"
                                "Sub Device Count 0 (0x0000)\n"));
        QCOMPARE(valueText(e120, "0x0603"), QStringLiteral("2024/02/29 13:05:09"));
        QCOMPARE(valueText(e120, "0x00B0"), QStringLiteral("de"));
        QCOMPARE(valueText(e120, "0x0032"), QString());

        // One language: plain text. Two personalities: a drop-down, item data = position.
        QVERIFY(!valueCombo(e120, "0x00A0"));
        QCOMPARE(valueText(e120, "0x00A0"), QStringLiteral("de"));
        QComboBox *personalities = valueCombo(e120, "0x00E0");
        QVERIFY(personalities);
        QCOMPARE(comboTexts(personalities),
                 (QStringList{"#1: Current | 510 (0x01FE)", "#2: Preset 1 | 512 (0x0200)"}));
        QCOMPARE(personalities->itemData(1).toInt(), 1);
        QCOMPARE(comboTexts(valueCombo(e120, "0x0070")),
                 (QStringList{"PRODUCT_DETAIL_LCDGATE (0x0204)",
                              "PRODUCT_DETAIL_ETHERNET_NODE (0x0601)"}));
        // Also what SUPPORTED_PARAMETERS leaves out because every responder serves it.
        const QStringList supported = comboTexts(valueCombo(e120, "0x0050"));
        QVERIFY(supported.contains("0x0060 DEVICE_INFO") &&
                supported.contains("0x1000 IDENTIFY_DEVICE"));

        QCOMPARE(valueText(e137_2, "0x0705"),
                 QStringLiteral("192.168.1.20 / 255.255.255.0 (24), DHCP Mode=Active"));
        QCOMPARE(valueText(e137_2, "0x0700"), QStringLiteral("3232235796 ETHERNET (0x0001)"));

        // An unchanged drop-down stays through a refresh; its entry follows the model.
        QCOMPARE(personalities->currentIndex(), 0);
        model.slotSetDmxPersonality(2);
        dlg.refresh();
        QCOMPARE(valueCombo(e120, "0x00E0"), personalities);
        QCOMPARE(personalities->currentIndex(), 1);

        // A list that grows to two becomes a drop-down, and back to one a plain text again.
        model.slotSetLanguageCapabilities({0x6465, 0x656E});
        dlg.refresh();
        QVERIFY(valueCombo(e120, "0x00A0"));
        QCOMPARE(comboTexts(valueCombo(e120, "0x00A0")), (QStringList{"de", "en"}));
        QVERIFY(!e120->item(rowOf(e120, "0x00A0"), ColumnValue));
        model.slotSetLanguageCapabilities({0x656E});
        dlg.refresh();
        QVERIFY(!valueCombo(e120, "0x00A0"));
        QCOMPARE(valueText(e120, "0x00A0"), QStringLiteral("en"));
    }

    void refreshButtonStartsAndStopsTheTimer() {
        Configurator model;
        InfoDlg dlg;
        dlg.setConfigurator(&model);
        dlg.selectPage(InfoDlg::PageRdm120);
        QTableWidget *e120 = table(dlg, "RDM 1.20");
        auto *button = dlg.findChild<QPushButton *>(QStringLiteral("refreshButton"));
        QVERIFY(button && button->isCheckable() && !button->isChecked());
        QCOMPARE(valueText(e120, "0x0501"), QStringLiteral("255"));

        // Unchecked: the tables show the moment of the last selection.
        model.slotSetDisplayLevel(100);
        QTest::qWait(1300);
        QCOMPARE(valueText(e120, "0x0501"), QStringLiteral("255"));

        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(button->isChecked());
        QTRY_COMPARE_WITH_TIMEOUT(valueText(e120, "0x0501"), QStringLiteral("100"), 2500);
        model.slotSetDisplayLevel(90);
        QTRY_COMPARE_WITH_TIMEOUT(valueText(e120, "0x0501"), QStringLiteral("90"), 2500);

        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!button->isChecked());
        model.slotSetDisplayLevel(50);
        QTest::qWait(1300);
        QCOMPARE(valueText(e120, "0x0501"), QStringLiteral("90"));
    }

    void closingUnchecksStopsAndSignals() {
        Configurator model;
        InfoDlg dlg;
        dlg.setConfigurator(&model);
        dlg.selectPage(InfoDlg::PageRdm120);
        QSignalSpy closed(&dlg, &InfoDlg::signalCloseInfoDlg);
        auto *button = dlg.findChild<QPushButton *>(QStringLiteral("refreshButton"));
        dlg.show();
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(button->isChecked());

        QVERIFY(dlg.close());
        QCOMPARE(closed.count(), 1);
        QVERIFY(!button->isChecked());
        model.slotSetDisplayLevel(7);
        QTest::qWait(1300);
        QCOMPARE(valueText(table(dlg, "RDM 1.20"), "0x0501"), QStringLiteral("255"));
    }

    void f3WrapsFromTheLastPage() {
        InfoDlg dlg;
        dlg.show();
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        auto *tabs = dlg.findChild<QTabWidget *>();
        dlg.selectPage(InfoDlg::PageRdm137_2);
        QTest::keyClick(&dlg, Qt::Key_F3);
        QCOMPARE(tabs->currentIndex(), int(InfoDlg::PageNetwork));
        QTest::keyClick(&dlg, Qt::Key_F3);
        QCOMPARE(tabs->currentIndex(), int(InfoDlg::PagePreset));
    }
};

QTEST_MAIN(TestInfoDlg)
#include "tst_infodlg.moc"
