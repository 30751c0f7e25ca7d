#include "dialogs/readonlytable.h"

#include <QAbstractItemView>
#include <QTableWidget>

QTableWidget *readOnlyTable(const QString &name, const QStringList &headers, QWidget *parent) {
    auto *table = new QTableWidget(0, int(headers.size()), parent);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setSortingEnabled(true);
    table->sortByColumn(0, Qt::AscendingOrder);
    return table;
}
