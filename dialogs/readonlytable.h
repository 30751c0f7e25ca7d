#pragma once

#include <QStringList>

class QTableWidget;
class QWidget;

// A sortable table of read-only rows, one row selected at a time, sorted by its first column
// until the user picks another.
QTableWidget *readOnlyTable(const QString &name, const QStringList &headers, QWidget *parent);
