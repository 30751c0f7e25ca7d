#include "dialogs/receiverstatsrows.h"

#include <QUuid>

#include <algorithm>
#include <map>

namespace {

QString cidText(const QByteArray &cid) {
    return QUuid::fromRfc4122(cid).toString(QUuid::WithoutBraces);
}

QString joinedUniverses(const QList<quint16> &universes) {
    QStringList texts;
    texts.reserve(universes.size());
    for (quint16 universe : universes)
        texts << QString::number(universe);
    return texts.join(QStringLiteral(", "));
}

// Nothing to say about a source whose levels did not change in the window.
QString intervalText(const SourceStats &source) {
    if (source.iIntervals == 0)
        return {};
    return QStringLiteral("%1 / %2 / %3")
        .arg(source.iIntervalMinMs)
        .arg(source.iIntervalMedianMs)
        .arg(source.iIntervalMaxMs);
}

} // namespace

double ReceiverStatsRows::secondsBetween(qint64 earlierMs, qint64 laterMs) {
    return double(std::max<qint64>(0, laterMs - earlierMs) / 100) / 10.0;
}

double ReceiverStatsRows::rounded(double perSecond) {
    return double(qRound64(perSecond * 10.0)) / 10.0;
}

QStringList ReceiverStatsRows::universeHeaders(Protocol protocol) {
    QStringList headers{QStringLiteral("Universe"),        QStringLiteral("Sources"),
                        QStringLiteral("Owner"),           QStringLiteral("Packets/s"),
                        QStringLiteral("Sequence Errors"), QStringLiteral("Dropped"),
                        QStringLiteral("Last Packet [s]")};
    if (protocol == Protocol::Sacn)
        headers << QStringLiteral("Priority") << QStringLiteral("Sync Address");
    return headers;
}

QStringList ReceiverStatsRows::sourceHeaders() {
    return {QStringLiteral("Name"),
            QStringLiteral("CID / IP Address"),
            QStringLiteral("Priority"),
            QStringLiteral("Packets/s"),
            QStringLiteral("Sequence Errors"),
            QStringLiteral("Last Seen [s]"),
            QStringLiteral("Announced Universes"),
            QStringLiteral("Interval min / median / max [ms]"),
            QStringLiteral("Timing")};
}

QList<ReceiverStatsRows::Row> ReceiverStatsRows::universes(Protocol protocol,
                                                           const ReceiverView &view) {
    std::map<quint16, Row> rows;
    for (const UniverseStats &universe : view.stats.lUniverses)
        rows.emplace(universe.uiUniverse, universeRow(protocol, universe, view.stats.iTakenMs));
    for (quint16 shown : view.lShownUniverses) {
        if (rows.count(shown) == 0) {
            UniverseStats silent;
            silent.uiUniverse = shown;
            rows.emplace(shown, universeRow(protocol, silent, view.stats.iTakenMs));
        }
    }
    QList<Row> out;
    out.reserve(qsizetype(rows.size()));
    for (auto &[universe, row] : rows)
        out.append(std::move(row));
    return out;
}

QList<ReceiverStatsRows::Row>
ReceiverStatsRows::sources(Protocol protocol, const ReceiverStats &stats, quint16 universe) {
    QList<Row> out;
    const auto found =
        std::find_if(stats.lUniverses.begin(), stats.lUniverses.end(),
                     [universe](const UniverseStats &u) { return u.uiUniverse == universe; });
    if (found == stats.lUniverses.end())
        return out;
    for (const SourceStats &source : found->lSources) {
        QVariant priority;
        if (protocol == Protocol::Sacn)
            priority = source.bPerAddressPriority ? QVariant(tr("per address"))
                                                  : QVariant(source.iPriority);
        const QString address = source.address.toString();
        const QString origin = protocol == Protocol::Sacn
                                   ? QStringLiteral("%1 (%2)").arg(cidText(source.cid), address)
                                   : address;
        out.append(Row{source.sName, origin, priority, rounded(source.dPacketsPerSecond),
                       source.uiSequenceErrors, secondsBetween(source.iLastSeenMs, stats.iTakenMs),
                       joinedUniverses(source.lAnnouncedUniverses), intervalText(source),
                       source.bStableTiming ? tr("stable") : tr("unstable")});
    }
    return out;
}

ReceiverStatsRows::Row ReceiverStatsRows::universeRow(Protocol protocol,
                                                      const UniverseStats &universe, qint64 nowMs) {
    const QVariant lastPacket = universe.iLastPacketMs < 0
                                    ? QVariant(tr("never"))
                                    : QVariant(secondsBetween(universe.iLastPacketMs, nowMs));
    Row row{universe.uiUniverse,
            universe.iLiveSources,
            ownerText(protocol, universe),
            rounded(universe.dPacketsPerSecond),
            universe.uiSequenceErrors,
            universe.uiDropped,
            lastPacket};
    if (protocol == Protocol::Sacn) {
        if (universe.ownership == UniverseOwnership::PerAddress)
            row << tr("per address");
        else if (universe.iPriority >= 0)
            row << universe.iPriority;
        else
            row << QString();
        row << (universe.uiSyncAddress != 0 ? QVariant(universe.uiSyncAddress)
                                            : QVariant(tr("none")));
    }
    return row;
}

QString ReceiverStatsRows::ownerText(Protocol protocol, const UniverseStats &universe) {
    switch (universe.ownership) {
    case UniverseOwnership::None:
        return tr("no live source");
    case UniverseOwnership::Single:
        if (universe.iOwnerIndex < 0 || universe.iOwnerIndex >= universe.lSources.size())
            return tr("no live source");
        return sourceText(universe.lSources.at(universe.iOwnerIndex));
    case UniverseOwnership::MergeLtp:
        return tr("merge LTP");
    case UniverseOwnership::PerAddress:
        return tr("per address of %1 sources").arg(universe.iLiveSources);
    case UniverseOwnership::MergeHtp:
        break;
    }
    if (protocol == Protocol::ArtNet)
        return tr("merge HTP");
    // Only the sources at the winning priority take part in the merge.
    const auto merged = std::count_if(
        universe.lSources.begin(), universe.lSources.end(),
        [&universe](const SourceStats &s) { return s.iPriority == universe.iPriority; });
    return tr("HTP of %1 sources").arg(merged);
}

QString ReceiverStatsRows::sourceText(const SourceStats &source) {
    const QString address = source.address.toString();
    return source.sName.isEmpty() ? address : QStringLiteral("%1 (%2)").arg(source.sName, address);
}

QString ReceiverStatsRows::latencyText(const LatencyFigures &latency) {
    if (latency.count == 0)
        return latency.received ? tr("Latency: no change in the last 10 s")
                                : tr("Latency: nothing shown in the last 10 s");
    return tr("Latency: median %1 ms, max %2 ms")
        .arg(QString::number(latency.medianMs, 'f', 1), QString::number(latency.maxMs, 'f', 1));
}

QString ReceiverStatsRows::droppedText(Protocol protocol, const ReceiverStats &stats) {
    if (protocol == Protocol::ArtNet)
        return tr("Dropped: %1 from before Art-Net 4 (protocol version below 14)")
            .arg(stats.uiDroppedOldProtocol);
    return tr("Dropped: %1 malformed, %2 out of sequence, %3 preview, %4 over the source limit, "
              "%5 with a priority above 200")
        .arg(stats.uiDroppedInvalid)
        .arg(stats.uiDroppedSequence)
        .arg(stats.uiDroppedPreview)
        .arg(stats.uiDroppedSourceLimit)
        .arg(stats.uiDroppedPriority);
}
