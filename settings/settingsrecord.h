#pragma once

#include <QSize>
#include <QString>
#include <QtGlobal>

// Every persisted display and protocol setting. The field names are the store keys; the
// default member values are the factory defaults except the size, which depends on the
// desktop (see setFactoryDefaults).
struct SettingsRecord {
    QString Name = QStringLiteral("Tessaview");
    quint16 LanguageIso = 0;
    quint16 UpdateCheck = 1;
    quint16 TimerStartup = 0;
    qint16 ScreenNumber = -1;
    quint16 PosX = 0;
    quint16 PosY = 0;
    quint16 SizeX = 640;
    quint16 SizeY = 480;
    quint8 ScreenLevel = 255;
    quint16 ScreenFlip = 0;
    quint16 ScreenRotate = 0;
    quint16 DmxSizeX = 17;
    quint16 DmxSizeY = 10;
    quint16 DmxChannelPerUniverse = 510;
    quint16 DmxUniverseStart = 1;
    quint16 DmxUseRgb = 1;
    quint16 TimerInMs = 20;
    bool UseOpenGL = false;
    quint16 ShapeType = 0;
    bool UseArtnet = true;
    bool UseAcnnet = true;
    bool UseRdm = true;
    bool UseRdmForAllUniverses = false;
    // Marks silent and shared universes on the picture.
    bool DiagnosticMarks = false;

    bool operator==(const SettingsRecord &) const = default;
};

// Colour modes of DmxUseRgb.
namespace ColourMode {
constexpr quint16 Monochrome = 0;
constexpr quint16 Rgb = 1;
constexpr quint16 Rgbw = 2;
constexpr quint16 BarVertical = 4;
constexpr quint16 DmxValues = 8;
constexpr quint16 BarAndDmxValues = 12;
} // namespace ColourMode

// Cell shapes of ShapeType; the outlined ellipse is 4, not 3.
namespace ShapeKind {
constexpr quint16 RectangleFilled = 0;
constexpr quint16 Rectangle = 1;
constexpr quint16 EllipseFilled = 2;
constexpr quint16 Ellipse = 4;
} // namespace ShapeKind

// Special ScreenNumber values.
namespace ScreenChoice {
constexpr qint16 Desktop = -1;
constexpr qint16 UserSize = -2;
} // namespace ScreenChoice

// Bytes one cell takes in `colourMode`; 0 for a value that is not one of ColourMode's.
int cellChannels(quint16 colourMode);
// DMX channels the record's grid takes: columns x rows x cellChannels.
qint64 gridChannels(const SettingsRecord &record);
// Universes that `channels` fill at `channelsPerUniverse` each, rounded up; 0 when
// `channelsPerUniverse` is not positive.
qint64 universesFor(qint64 channels, qint64 channelsPerUniverse);

// Language codes of LanguageIso: two lower-case ISO 639-1 letters, the first in the high byte.
namespace LanguageCode {
constexpr quint16 English = 0x656E;
constexpr quint16 German = 0x6465;
} // namespace LanguageCode

// ScreenFlip bits, named after the axis they flip about: bit 0 (horizontal, TILT_INVERT)
// mirrors the picture top to bottom, bit 1 (vertical, PAN_INVERT) left to right.
constexpr quint8 flipHorizontal(quint16 screenFlip) {
    return quint8(screenFlip & 1);
}
constexpr quint8 flipVertical(quint16 screenFlip) {
    return quint8((screenFlip >> 1) & 1);
}

// Size used when no desktop is available.
inline constexpr QSize fallbackDesktopSize{640, 480};

// Fills `record` with the factory defaults. `desktop` is the virtual desktop's size; an
// empty size means no desktop and gives 640 x 480.
void setFactoryDefaults(SettingsRecord &record, QSize desktop);

// The two lower-case letters of a packed ISO 639-1 code ("en" for 0x656E), or an empty
// string for 0.
QString languageLetters(quint16 languageIso);
