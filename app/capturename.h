#pragma once

#include <QDateTime>
#include <QString>

// File names of screen captures. A name template holds the placeholder for the time stamp.
namespace CaptureName {

inline const QString placeholder = QStringLiteral("$$$DATE_TIME$$$");

// "yyyyMMddhhmmsszzz": 17 digits, no separators.
QString timeStamp(const QDateTime &time);

// The filter list of the save dialog; its first entry is the preselected one.
QString dialogFilters();

// The template for the file the operator chose: directory/base_placeholder.suffix, where the
// base name ends at the first "." and the suffix starts after the last one ("bmp" without).
QString templateForChosenFile(const QString &chosenFile);
// The template when the operator cancelled the dialog: into the pictures folder.
QString defaultTemplate(const QString &folder);
// The name of an RDM capture of `uiSceneNumber`.
QString rdmSceneName(const QString &folder, quint16 uiSceneNumber, const QString &stamp);

// `fileName` when no such file exists, otherwise the first of name_1.ext, name_2.ext, ...
// that does not: two captures within one millisecond must not overwrite each other.
QString distinctFileName(const QString &fileName);

} // namespace CaptureName
