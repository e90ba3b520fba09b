#pragma once

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

class QPaintDevice;

// The one font every report is laid out and painted in: Liberation Sans (Helvetica's widths,
// SIL Open Font License), carried in the program's resources with its licence, so a report
// is the same on every machine whatever fonts it has. Sizes are in points of the paper.
namespace ReportFont {

// Registers the carried font with the application once (the first call does it); the
// program calls it at start-up. False when the font could not be registered, which only a
// broken build can cause.
bool registerFont();

// The family name of the carried font (registering it first).
QString family();

// A font's size is a whole number of pixels, so texts are set kMagnification times larger and
// drawn scaled down by as much: sizes in quarter points keep their exact widths.
constexpr qreal kMagnification = 16;

// The font for text of `points` on `device`, magnified: on a painter scaled from the paper's
// points to the device and then by 1 / kMagnification, it prints at `points`.
QFont font(qreal points, bool bold, const QPaintDevice* device);

// The width in points of one line of text.
qreal width(const QString& text, qreal points, bool bold);

// The largest size up to `points`, in quarter points, at which `text` fits `width` on one
// line: a value that must never lose a character gets smaller instead.
qreal fittingSize(const QString& text, qreal points, bool bold, qreal width);

// The distance from one line of text to the next, in points.
qreal lineSpacing(qreal points, bool bold);

// Where each line of `text` starts, broken into lines no wider than `width` (at spaces, or
// anywhere in a word longer than a line); each line break of the text starts a new line.
// The text of a line runs from its start to the next line's start.
QList<qsizetype> lineStarts(const QString& text, qreal points, bool bold, qreal width);

} // namespace ReportFont
