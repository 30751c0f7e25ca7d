#pragma once

#include "net/findings.h"

#include <QList>
#include <QString>
#include <QtGlobal>

// A universe seen on the network, shown in the picture or not.
struct WireUniverseRow {
    FindingProtocol protocol = FindingProtocol::Sacn;
    // The protocol's own number (sACN universe, Art-Net Port-Address).
    quint16 universe = 0;
    int sources = 0;
    double packetsPerSecond = 0;
    bool shown = false;
};

// What the "Network" page shows: both receivers' findings with their times on one clock
// (`nowMs`), and the universes on the wire.
struct NetworkView {
    qint64 nowMs = 0;
    QList<Finding> findings;
    QList<WireUniverseRow> wire;
};
