#include "net/findings.h"

#include <QCoreApplication>
#include <QDebug>
#include <QHostAddress>

#include <algorithm>
#include <cstring>

namespace {

using enum FindingSeverity;

// In FindingCode order.
constexpr std::array<FindingRule, findingCodeCount> rules{{
    {"sacn-wrong-group", Fault,
     QT_TRANSLATE_NOOP("Findings",
                       "sACN data for this universe arrives on the multicast group of universe "
                       "%1. Receivers that joined only this universe's group never see it: set "
                       "the sender to send each universe to its own group.")},
    {"sacn-slow-refresh", Warning,
     QT_TRANSLATE_NOOP("Findings",
                       "The source repeats unchanged levels less often than once a second. "
                       "Fixtures drop a source after 2.5 s without a packet: set the sender's "
                       "refresh (keep-alive) to one second or less.")},
    {"lost-packets", Warning,
     QT_TRANSLATE_NOOP("Findings",
                       "Packets of this source are missing (gaps in its sequence numbers). Check "
                       "cables, switch ports and the load of the network.")},
    {"late-packets", Warning,
     QT_TRANSLATE_NOOP("Findings",
                       "Packets of this source arrive out of order, which happens when they take "
                       "two paths through the network. Check for a second route or a loop.")},
    {"duplicate-packets", Warning,
     QT_TRANSLATE_NOOP("Findings",
                       "Packets of this source arrive twice, for example through two network "
                       "cards of the sender or a loop. Give the sender one way into the lighting "
                       "network.")},
    {"shared-cid", Fault,
     QT_TRANSLATE_NOOP("Findings",
                       "One CID is sent from two addresses (%1 as well). Two consoles loaded the "
                       "same show file or were cloned: give each its own CID.")},
    {"sacn-priority-above-200", Fault,
     QT_TRANSLATE_NOOP("Findings",
                       "The source sends a priority above 200, which E1.31 does not allow, so its "
                       "data is dropped. Set the priority to 0 ... 200.")},
    {"sacn-missing-sync", Fault,
     QT_TRANSLATE_NOOP("Findings",
                       "The source asks receivers to wait for synchronisation packets on universe "
                       "%1, which never come. Receivers that wait show nothing: send the sync "
                       "universe, or switch synchronisation off.")},
    {"sacn-preview-only", Note,
     QT_TRANSLATE_NOOP("Findings",
                       "The source sends preview data only, which a display fixture does not "
                       "show. Switch preview off on the sender if this universe should be live.")},
    {"artnet-old-version", Warning,
     QT_TRANSLATE_NOOP("Findings",
                       "The source sends Art-Net with a protocol version below 14, which current "
                       "nodes drop. Update the sender's software or replace it.")},
    {"artnet-broadcast", Note,
     QT_TRANSLATE_NOOP("Findings",
                       "ArtDmx arrives as broadcast. Art-Net 4 asks controllers to send to the "
                       "nodes that want a universe, by unicast; broadcast loads every device on "
                       "the network.")},
    {"artnet-bad-length", Warning,
     QT_TRANSLATE_NOOP("Findings",
                       "ArtDmx with an odd length or fewer than two channels. Art-Net wants an "
                       "even length from 2 to 512: check the sender's output settings.")},
    {"artnet-third-source", Fault,
     QT_TRANSLATE_NOOP("Findings",
                       "A third source sends to this universe. Art-Net merges two, so its data is "
                       "ignored: stop one of the consoles or give it another universe.")},
    {"artnet-rdm-not-served", Note,
     QT_TRANSLATE_NOOP("Findings",
                       "RDM requests arrive for a Port-Address this screen does not serve. The "
                       "controller looks for a responder elsewhere; check its RDM patch.")},
    {"both-protocols", Warning,
     QT_TRANSLATE_NOOP("Findings",
                       "This universe receives Art-Net and sACN at the same time, so the picture "
                       "shows both merged. Fixtures usually listen to one: switch the other off at "
                       "the sender.")},
    {"unstable-timing", Warning,
     QT_TRANSLATE_NOOP("Findings",
                       "The intervals between this source's packets vary widely (spread beyond "
                       "three times their median, or gaps above 100 ms), so fades look uneven. "
                       "Check the sender's load and the network.")},
}};

template <size_t N> void copyInto(std::array<char, N> &to, std::span<const quint8> from) {
    const auto end = std::find(from.begin(), from.end(), quint8(0));
    const size_t length = std::min(size_t(end - from.begin()), N - 1);
    // An empty span may have no data at all, which memcpy must not be handed.
    if (length != 0)
        std::memcpy(to.data(), from.data(), length);
    to[length] = 0;
}

} // namespace

const FindingRule &findingRule(FindingCode code) {
    return rules[size_t(code)];
}

QString findingSentence(FindingCode code) {
    return QCoreApplication::translate("Findings", findingRule(code).sentence);
}

void FindingsLog::report(FindingCode code, quint16 universe, const FindingSource &source,
                         qint64 nowMs, quint32 detail) {
    const bool hasCid = source.cid.size() == 16;
    Entry *found = nullptr;
    Entry *free = nullptr;
    Entry *oldest = nullptr;
    for (Entry &entry : m_entries) {
        if (!entry.used) {
            free = free ? free : &entry;
            continue;
        }
        if (entry.code == code && entry.protocol == source.protocol && entry.universe == universe &&
            entry.address == source.address && entry.hasCid == hasCid &&
            (!hasCid || std::equal(entry.cid.begin(), entry.cid.end(), source.cid.begin()))) {
            found = &entry;
            break;
        }
        if (nowMs - entry.lastMs > endMs && (!oldest || entry.lastMs < oldest->lastMs))
            oldest = &entry;
    }
    if (found) {
        const bool returned = nowMs - found->lastMs > endMs;
        ++found->count;
        found->lastMs = nowMs;
        found->detail = detail;
        if (returned)
            qDebug().noquote() << findingLine(finding(*found, nowMs));
        return;
    }
    Entry *slot = free ? free : oldest;
    if (!slot)
        return;
    if (!slot->used)
        ++m_used;
    *slot = Entry{};
    slot->used = true;
    slot->code = code;
    slot->protocol = source.protocol;
    slot->universe = universe;
    slot->address = source.address;
    slot->detail = detail;
    slot->hasCid = hasCid;
    if (hasCid)
        std::copy(source.cid.begin(), source.cid.end(), slot->cid.begin());
    copyInto(slot->name, source.name);
    slot->count = 1;
    slot->firstMs = slot->lastMs = nowMs;
    qDebug().noquote() << findingLine(finding(*slot, nowMs));
}

Finding FindingsLog::finding(const Entry &entry, qint64 nowMs) {
    Finding f;
    f.code = entry.code;
    f.protocol = entry.protocol;
    f.universe = entry.universe;
    f.address = entry.address;
    f.sourceName = QString::fromUtf8(entry.name.data());
    if (entry.hasCid)
        f.cid = QByteArray(reinterpret_cast<const char *>(entry.cid.data()), 16);
    f.detail = entry.detail;
    f.count = entry.count;
    f.firstMs = entry.firstMs;
    f.lastMs = entry.lastMs;
    f.current = nowMs - entry.lastMs <= endMs;
    return f;
}

QList<Finding> FindingsLog::findings(qint64 nowMs) const {
    QList<Finding> out;
    out.reserve(m_used);
    for (const Entry &entry : m_entries)
        if (entry.used)
            out.append(finding(entry, nowMs));
    return out;
}

void FindingsLog::clear() {
    m_entries.fill(Entry{});
    m_used = 0;
}

QString withDetail(const QString &sentence, const Finding &finding) {
    if (!sentence.contains(QLatin1String("%1")))
        return sentence;
    return sentence.arg(finding.code == FindingCode::SharedCid
                            ? QHostAddress(finding.detail).toString()
                            : QString::number(finding.detail));
}

QString findingLine(const Finding &finding) {
    const FindingRule &rule = findingRule(finding.code);
    const QString sentence = withDetail(QString::fromLatin1(rule.sentence), finding);
    return QStringLiteral("Finding: %1 %2 %3 %4: %5")
        .arg(QLatin1String(rule.code),
             finding.protocol == FindingProtocol::Sacn ? QStringLiteral("sacn")
                                                       : QStringLiteral("artnet"),
             QString::number(finding.universe), QHostAddress(finding.address).toString(), sentence);
}
