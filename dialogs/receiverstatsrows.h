#pragma once

#include "net/receiverstats.h"

#include <QCoreApplication>
#include <QList>
#include <QStringList>
#include <QVariant>

// The rows of the information dialog's "Art-Net" and "Streaming Acn" tables, from a receiver's
// snapshot. Counts and rates stay numbers, so the tables sort them as numbers; everything
// else is text.
class ReceiverStatsRows {
    Q_DECLARE_TR_FUNCTIONS(ReceiverStatsRows)

public:
    enum class Protocol { ArtNet, Sacn };
    using Row = QList<QVariant>;

    static QStringList universeHeaders(Protocol protocol);
    static QStringList sourceHeaders();

    // One row per universe received or shown, in universe order; the universe is the first
    // cell, as a number.
    static QList<Row> universes(Protocol protocol, const ReceiverView &view);
    // The live sources of `universe`, none when it has none or was never received.
    static QList<Row> sources(Protocol protocol, const ReceiverStats &stats, quint16 universe);
    // The line above the tables: packet-to-pixel latency of the last 10 s, or whether data
    // arrived in that time at all.
    static QString latencyText(const LatencyFigures &latency);
    // The packets the receiver dropped by its input rules, counted since it started.
    static QString droppedText(Protocol protocol, const ReceiverStats &stats);

    // Tenths of a second: finer figures would change at every refresh and say nothing more.
    static double secondsBetween(qint64 earlierMs, qint64 laterMs);
    // A rate to a tenth.
    static double rounded(double perSecond);

private:
    static Row universeRow(Protocol protocol, const UniverseStats &universe, qint64 nowMs);
    static QString ownerText(Protocol protocol, const UniverseStats &universe);
    // The name with the address, or the address alone for a source without a name.
    static QString sourceText(const SourceStats &source);
};
