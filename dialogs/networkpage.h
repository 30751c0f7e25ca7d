#pragma once

#include "net/networkview.h"

#include <QWidget>

#include <functional>

class QLabel;
class QTableWidget;

// The information dialog's "Network" page: what each source does wrong, in words, and every
// universe seen on the network. Findings whose cause has not been seen for a while stay,
// greyed, until cleared.
class NetworkPage : public QWidget {
    Q_OBJECT

public:
    using Source = std::function<NetworkView()>;
    // The program's facts at the head of a saved report: version, interfaces, universes and
    // the settings that decide what is received.
    using Facts = std::function<QString()>;

    explicit NetworkPage(QWidget *parent = nullptr);
    void setSource(Source source, std::function<void()> clear, Facts facts);
    void refresh();

    // One line per fact of a finding, then its sentence; the saved report is the facts and
    // one such block per finding.
    static QString report(const NetworkView &view, const QString &facts);
    // The finding's sentence with its number filled in.
    static QString explanation(const Finding &finding);

private:
    void showExplanation();
    void saveReport();

    Source m_source;
    std::function<void()> m_clear;
    Facts m_facts;
    NetworkView m_view;
    QTableWidget *m_findings = nullptr;
    QLabel *m_explanation = nullptr;
    QTableWidget *m_wire = nullptr;
};
