#include "dialogs/networkpage.h"

#include "dialogs/readonlytable.h"
#include "dialogs/receiverstatsrows.h"

#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHostAddress>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum FindingColumn {
    ColumnSeverity,
    ColumnCode,
    ColumnProtocol,
    ColumnUniverse,
    ColumnSource,
    ColumnCount,
    ColumnFirstSeen,
    ColumnLastSeen
};

QString severityText(FindingSeverity severity) {
    switch (severity) {
    case FindingSeverity::Fault:
        return NetworkPage::tr("Fault");
    case FindingSeverity::Warning:
        return NetworkPage::tr("Warning");
    case FindingSeverity::Note:
        break;
    }
    return NetworkPage::tr("Note");
}

QString protocolText(FindingProtocol protocol) {
    return protocol == FindingProtocol::ArtNet ? QStringLiteral("Art-Net") : QStringLiteral("sACN");
}

QString sourceText(const Finding &finding) {
    if (finding.address == 0)
        return finding.sourceName;
    const QString address = QHostAddress(finding.address).toString();
    return finding.sourceName.isEmpty()
               ? address
               : QStringLiteral("%1 (%2)").arg(finding.sourceName, address);
}

QTableWidgetItem *item(const QVariant &value, bool current) {
    auto *cell = new QTableWidgetItem;
    cell->setData(Qt::DisplayRole, value);
    cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (!current)
        cell->setForeground(Qt::gray);
    return cell;
}

// Sorts by its severity, faults first, whatever the words are in the user's language.
class SeverityItem : public QTableWidgetItem {
public:
    SeverityItem(FindingSeverity severity, bool current) : m_severity(severity) {
        setData(Qt::DisplayRole, severityText(severity));
        setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        if (!current)
            setForeground(Qt::gray);
    }
    bool operator<(const QTableWidgetItem &other) const override {
        const auto *that = dynamic_cast<const SeverityItem *>(&other);
        return that ? m_severity < that->m_severity : QTableWidgetItem::operator<(other);
    }

private:
    FindingSeverity m_severity;
};

} // namespace

NetworkPage::NetworkPage(QWidget *parent) : QWidget(parent) {
    auto *splitter = new QSplitter(Qt::Vertical, this);
    m_findings =
        readOnlyTable(QStringLiteral("findings"),
                      {tr("Severity"), tr("Finding"), tr("Protocol"), tr("Universe"), tr("Source"),
                       tr("Count"), tr("First Seen [s ago]"), tr("Last Seen [s ago]")},
                      splitter);
    m_findings->sortByColumn(ColumnSeverity, Qt::AscendingOrder);
    m_explanation = new QLabel(splitter);
    m_explanation->setObjectName(QStringLiteral("explanation"));
    m_explanation->setWordWrap(true);
    m_explanation->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_wire = readOnlyTable(
        QStringLiteral("wire"),
        {tr("Protocol"), tr("Universe"), tr("Sources"), tr("Packets/s"), tr("Shown")}, splitter);
    m_wire->sortByColumn(1, Qt::AscendingOrder);

    auto *clear = new QPushButton(tr("Clear"), this);
    auto *save = new QPushButton(tr("Save Report..."), this);
    clear->setObjectName(QStringLiteral("clearFindings"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    buttons->addWidget(save);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter);

    connect(m_findings, &QTableWidget::itemSelectionChanged, this, &NetworkPage::showExplanation);
    connect(clear, &QPushButton::clicked, this, [this] {
        if (m_clear)
            m_clear();
        refresh();
    });
    connect(save, &QPushButton::clicked, this, &NetworkPage::saveReport);
}

void NetworkPage::setSource(Source source, std::function<void()> clear, Facts facts) {
    m_source = std::move(source);
    m_clear = std::move(clear);
    m_facts = std::move(facts);
}

void NetworkPage::refresh() {
    if (!m_source)
        return;
    m_view = m_source();
    {
        const QSignalBlocker blocker(m_findings);
        m_findings->setSortingEnabled(false);
        m_findings->setRowCount(int(m_view.findings.size()));
        for (int row = 0; row < m_view.findings.size(); ++row) {
            const Finding &f = m_view.findings.at(row);
            const FindingRule &rule = findingRule(f.code);
            auto *severity = new SeverityItem(rule.severity, f.current);
            severity->setData(Qt::UserRole, row);
            m_findings->setItem(row, ColumnSeverity, severity);
            m_findings->setItem(row, ColumnCode, item(QLatin1String(rule.code), f.current));
            m_findings->setItem(row, ColumnProtocol, item(protocolText(f.protocol), f.current));
            m_findings->setItem(row, ColumnUniverse, item(f.universe, f.current));
            m_findings->setItem(row, ColumnSource, item(sourceText(f), f.current));
            m_findings->setItem(row, ColumnCount, item(f.count, f.current));
            m_findings->setItem(
                row, ColumnFirstSeen,
                item(ReceiverStatsRows::secondsBetween(f.firstMs, m_view.nowMs), f.current));
            m_findings->setItem(
                row, ColumnLastSeen,
                item(ReceiverStatsRows::secondsBetween(f.lastMs, m_view.nowMs), f.current));
        }
        m_findings->setSortingEnabled(true);
        m_findings->resizeColumnsToContents();
    }
    m_wire->setSortingEnabled(false);
    m_wire->setRowCount(int(m_view.wire.size()));
    for (int row = 0; row < m_view.wire.size(); ++row) {
        const WireUniverseRow &w = m_view.wire.at(row);
        m_wire->setItem(row, 0, item(protocolText(w.protocol), true));
        m_wire->setItem(row, 1, item(w.universe, true));
        m_wire->setItem(row, 2, item(w.sources, true));
        m_wire->setItem(row, 3, item(ReceiverStatsRows::rounded(w.packetsPerSecond), true));
        m_wire->setItem(row, 4, item(w.shown ? tr("shown") : tr("not shown"), true));
    }
    m_wire->setSortingEnabled(true);
    m_wire->resizeColumnsToContents();
    showExplanation();
}

QString NetworkPage::explanation(const Finding &finding) {
    return withDetail(findingSentence(finding.code), finding);
}

void NetworkPage::showExplanation() {
    const QList<QTableWidgetItem *> chosen = m_findings->selectedItems();
    const QTableWidgetItem *severity =
        chosen.isEmpty() ? nullptr : m_findings->item(chosen.first()->row(), ColumnSeverity);
    const int index = severity ? severity->data(Qt::UserRole).toInt() : -1;
    m_explanation->setText(index >= 0 && index < m_view.findings.size()
                               ? explanation(m_view.findings.at(index))
                               : tr("Select a finding to read what it means and what to do."));
}

QString NetworkPage::report(const NetworkView &view, const QString &facts) {
    QString text = facts;
    text += QStringLiteral("\n%1 findings\n").arg(view.findings.size());
    for (const Finding &f : view.findings) {
        const FindingRule &rule = findingRule(f.code);
        text += QStringLiteral("\n%1 %2 (%3)\n  %4 universe %5, source %6\n"
                               "  %7 times, first %8 s ago, last %9 s ago\n  %10\n")
                    .arg(severityText(rule.severity), QLatin1String(rule.code),
                         f.current ? tr("current") : tr("ended"), protocolText(f.protocol),
                         QString::number(f.universe), sourceText(f), QString::number(f.count),
                         QString::number(ReceiverStatsRows::secondsBetween(f.firstMs, view.nowMs)),
                         QString::number(ReceiverStatsRows::secondsBetween(f.lastMs, view.nowMs)))
                    .arg(explanation(f));
    }
    return text;
}

void NetworkPage::saveReport() {
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Save Report"), QStringLiteral("Tessaview_network.txt"), tr("Text files (*.txt)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    const QByteArray text = report(m_view, m_facts ? m_facts() : QString()).toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() ||
        !file.flush())
        QMessageBox::warning(
            this, tr("Save Report"),
            tr("The report could not be written to %1: %2").arg(path, file.errorString()));
}
