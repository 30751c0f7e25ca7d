#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

class Configurator;

// One row of an RDM table of the information dialog: the parameter and the texts that show
// its current value in the device model. A row with several texts is shown as a drop-down;
// `currentIndex` names the entry that is in effect (-1 when none is).
struct RdmInfoRow {
    quint16 pid = 0;
    QStringList values;
    int currentIndex = -1;
};

// The value texts of the three RDM tables, read from the device model, one row per parameter
// in ascending parameter-id order.
class RdmInfoRows {
    Q_DECLARE_TR_FUNCTIONS(RdmInfoRows)

public:
    static QList<RdmInfoRow> e120(const Configurator &model);
    static QList<RdmInfoRow> e137_1(const Configurator &model);
    static QList<RdmInfoRow> e137_2(const Configurator &model);

private:
    static QString trueFalse(bool value);
    static QString offOn(bool value);
    static QString deviceInfo(const Configurator &model);
    static QString lampState(quint8 state);
    static QString lampOnMode(quint8 mode);
    static QString slotTypeName(quint8 type);
    static QString presetInfo(const Configurator &model);
    static QString hardwareTypeName(quint16 type);
    static QString ipV4(quint32 address);
};
