#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <array>
#include <span>

// What a source does wrong, in words a technician can act on. The receivers report each
// occurrence of a rule's cause; a finding gathers them per rule, universe and source, counts
// them and ends when its cause has not been seen for a while. Reporting allocates nothing: the
// table is fixed, and a finding's texts are made only when the diagnostics copy it out.
enum class FindingCode : quint8 {
    SacnWrongGroup,
    SacnSlowRefresh,
    LostPackets,
    LatePackets,
    DuplicatePackets,
    SharedCid,
    SacnPriorityAbove200,
    SacnMissingSync,
    SacnPreviewOnly,
    ArtNetOldVersion,
    ArtNetBroadcast,
    ArtNetBadLength,
    ArtNetThirdSource,
    ArtNetRdmNotServed,
    BothProtocols,
    UnstableTiming,
};
inline constexpr int findingCodeCount = int(FindingCode::UnstableTiming) + 1;

enum class FindingSeverity : quint8 { Fault, Warning, Note };
enum class FindingProtocol : quint8 { ArtNet, Sacn };

// The rule's fixed facts: its code for scripts ("sacn-wrong-group"), severity and the
// sentence that says what is wrong and what to do.
struct FindingRule {
    const char *code;
    FindingSeverity severity;
    const char *sentence;
};
const FindingRule &findingRule(FindingCode code);
// The sentence in the user's language.
QString findingSentence(FindingCode code);

// One finding as the diagnostics show it.
struct Finding {
    FindingCode code = FindingCode::SacnWrongGroup;
    FindingProtocol protocol = FindingProtocol::Sacn;
    // The protocol's own universe number (sACN universe, Art-Net Port-Address); 0 where the
    // rule names none.
    quint16 universe = 0;
    quint32 address = 0;
    QString sourceName;
    // 16 bytes for sACN sources, else empty.
    QByteArray cid;
    // A number the rule adds: the group's universe, the sync universe, the second address.
    quint32 detail = 0;
    quint64 count = 0;
    qint64 firstMs = 0;
    qint64 lastMs = 0;
    // Its cause was seen within the last endMs.
    bool current = false;
};

// Who a report is about.
struct FindingSource {
    FindingProtocol protocol = FindingProtocol::Sacn;
    quint32 address = 0;
    std::span<const quint8> cid;
    std::span<const quint8> name;
};

class FindingsLog {
public:
    static constexpr int capacity = 256;
    // A finding whose cause has not been seen for this long has ended.
    static constexpr qint64 endMs = 10000;

    // Counts one occurrence. A finding that is new or had ended writes its line (findingLine)
    // to the diagnostic output. When the table is full the finding that ended longest ago makes
    // room; with none ended, the report is dropped.
    void report(FindingCode code, quint16 universe, const FindingSource &source, qint64 nowMs,
                quint32 detail = 0);
    // Every finding since the last clear(), with `current` as of `nowMs`.
    QList<Finding> findings(qint64 nowMs) const;
    void clear();

private:
    struct Entry {
        bool used = false;
        FindingCode code = FindingCode::SacnWrongGroup;
        FindingProtocol protocol = FindingProtocol::Sacn;
        quint16 universe = 0;
        quint32 address = 0;
        quint32 detail = 0;
        std::array<quint8, 16> cid{};
        bool hasCid = false;
        std::array<char, 64> name{};
        quint64 count = 0;
        qint64 firstMs = 0;
        qint64 lastMs = 0;
    };
    static Finding finding(const Entry &entry, qint64 nowMs);

    std::array<Entry, capacity> m_entries{};
    int m_used = 0;
};

// A rule's sentence (either language) with the finding's detail in place of its "%1".
QString withDetail(const QString &sentence, const Finding &finding);
// "Finding: <code> <protocol> <universe> <source address>: <sentence>", for scripts and logs.
QString findingLine(const Finding &finding);
