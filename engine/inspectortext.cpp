#include "engine/inspectortext.h"

#include "engine/celllayout.h"

#include <algorithm>

namespace {

const QString separator = QStringLiteral(" · ");

QString channelRange(int first, int count) {
    return count == 1 ? QString::number(first)
                      : QStringLiteral("%1–%2").arg(first).arg(first + count - 1);
}

const UniverseStats *findUniverse(const ReceiverStats &stats, quint32 universe) {
    const auto found =
        std::find_if(stats.lUniverses.begin(), stats.lUniverses.end(),
                     [universe](const UniverseStats &u) { return u.uiUniverse == universe; });
    return found == stats.lUniverses.end() ? nullptr : &*found;
}

// Whole seconds: the box is read, not measured with.
qint64 secondsSince(qint64 thenMs, qint64 nowMs) {
    return std::max<qint64>(0, nowMs - thenMs) / 1000;
}

} // namespace

QList<CellChannels> InspectorText::channelsOf(qint64 cell, const CellLayoutFacts &layout) {
    QList<CellChannels> parts;
    const int perCell = channelsPerCell(layout.colourMode);
    const qint64 perUniverse = layout.channelsPerUniverse;
    if (cell < 0 || perUniverse <= 0)
        return parts;
    for (int offset = 0; offset < perCell;) {
        const qint64 byte = cell * perCell + offset;
        const qint64 within = byte % perUniverse;
        const int count = int(std::min<qint64>(perCell - offset, perUniverse - within));
        parts.append({quint32(byte / perUniverse),
                      int(within) + std::max(1, int(layout.startAddress)), count, offset});
        offset += count;
    }
    return parts;
}

QStringList InspectorText::cellLines(qint64 cell, const CellLayoutFacts &layout,
                                     std::span<const quint8> frame) {
    const int perCell = channelsPerCell(layout.colourMode);
    if (cell < 0 || (cell + 1) * perCell > qint64(frame.size()))
        return {};
    QStringList lines;
    QStringList where;
    for (const CellChannels &part : channelsOf(cell, layout)) {
        where << (part.count == 1 ? tr("Universe %1 · Channel %2")
                                  : tr("Universe %1 · Channels %2"))
                     .arg(quint32(layout.universeStart) + part.slot)
                     .arg(channelRange(part.firstChannel, part.count));
    }
    lines << where.join(separator) + separator + tr("Cell %1").arg(cell + 1);
    if (layout.startAddress > 1)
        lines << tr("Start address %1").arg(layout.startAddress);

    static const char *const colourNames[] = {QT_TR_NOOP("R"), QT_TR_NOOP("G"), QT_TR_NOOP("B"),
                                              QT_TR_NOOP("W")};
    QStringList values;
    QStringList hex;
    for (int c = 0; c < perCell; ++c) {
        const quint8 value = frame[size_t(cell * perCell + c)];
        const QString name = perCell == 1 ? tr("Grey") : tr(colourNames[c]);
        values << tr("%1 %2 (%3 %)").arg(name).arg(value).arg(qRound(value * 100.0 / 255.0));
        hex << QStringLiteral("%1 %2").arg(
            name, QString::number(value, 16).toUpper().rightJustified(2, u'0'));
    }
    lines << values.join(separator) << hex.join(separator);
    return lines;
}

QStringList InspectorText::ownerLines(const InspectorSource &source, const CellChannels &part) {
    const bool sacn = source.protocol == InspectorSource::Protocol::Sacn;
    const quint32 number = source.firstUniverse + part.slot;
    const QString protocol = sacn ? tr("sACN %1:").arg(number) : tr("Art-Net %1:").arg(number);
    const qint64 now = source.stats->iTakenMs;
    const UniverseStats *universe = findUniverse(*source.stats, number);
    if (!universe || universe->iLastPacketMs < 0)
        return {protocol + QLatin1Char(' ') + tr("nothing received")};
    if (universe->iLiveSources == 0)
        return {protocol + QLatin1Char(' ') +
                tr("silent %1 s").arg(secondsSince(universe->iLastPacketMs, now))};

    const auto sourceText = [&](const SourceStats &s) {
        QString text = s.address.toString();
        if (!s.sName.isEmpty())
            text = QStringLiteral("%1 (%2)").arg(s.sName, text);
        if (sacn)
            text += separator + (s.bPerAddressPriority ? tr("per-address priority")
                                                       : tr("priority %1").arg(s.iPriority));
        if (s.bHeldForSync)
            text += separator + tr("held for sync");
        // A console that sends only on change stays the source for a while without a packet.
        if (now - s.iLastSeenMs >= 1000)
            text += separator + tr("silent %1 s").arg(secondsSince(s.iLastSeenMs, now));
        return text;
    };

    QString owner;
    switch (universe->ownership) {
    case UniverseOwnership::Single:
        owner = universe->iOwnerIndex >= 0 && universe->iOwnerIndex < universe->lSources.size()
                    ? sourceText(universe->lSources.at(universe->iOwnerIndex))
                    : QString();
        break;
    case UniverseOwnership::MergeLtp:
        owner = tr("merge LTP of %1").arg(universe->iLiveSources);
        break;
    case UniverseOwnership::PerAddress:
        owner = tr("per-address priority of %1").arg(universe->iLiveSources);
        break;
    case UniverseOwnership::MergeHtp: {
        // Only the sources at the winning priority take part in an sACN merge.
        const auto merged =
            sacn ? std::count_if(
                       universe->lSources.begin(), universe->lSources.end(),
                       [&](const SourceStats &s) { return s.iPriority == universe->iPriority; })
                 : qsizetype(universe->iLiveSources);
        owner = tr("merge HTP of %1").arg(merged);
        break;
    }
    case UniverseOwnership::None:
        break;
    }
    if (source.artSyncHeld)
        owner += separator + tr("held for sync");
    QStringList lines{protocol + QLatin1Char(' ') + owner};
    if (universe->iLiveSources < 2)
        return lines;
    for (const SourceStats &s : universe->lSources) {
        QString line = QStringLiteral("  ") + sourceText(s);
        if (!s.levels.isEmpty()) {
            QStringList own;
            for (int c = 0; c < part.count; ++c) {
                const int index = part.firstChannel - 1 + c;
                own << (index < s.levels.size() ? QString::number(quint8(s.levels.at(index)))
                                                : QStringLiteral("–"));
            }
            line += QStringLiteral(": ") + own.join(QLatin1Char(' '));
        }
        lines << line;
    }
    return lines;
}
