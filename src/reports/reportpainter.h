#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

class QPagedPaintDevice;
class QPainter;
class Report;
struct ReportPage;

// Paints laid-out pages on any device: the preview, a printer, a PDF writer, an image.
namespace ReportPainter {

// Paints `page`, whose paper is `paper` points, scaled into `target` (device coordinates).
void paint(QPainter& painter, const ReportPage& page, QSizeF paper, const QRectF& target);

// Where a page of `page` points with `margin` on every side is painted on a sheet whose
// printable rectangle is `paper` (device units, `dotsPerPoint` to a point): at the page's own
// scale, centred, so any paper prints it undistorted; evenly smaller only when the printed
// area inside the margins would not fit the sheet.
QRectF onPaper(QSizeF page, qreal margin, const QRectF& paper, qreal dotsPerPoint);

// Paints pages `first` to `last` (from 0) of a paginated report on a paged device (a printer,
// a PDF writer) that `painter` is painting on, each placed by onPaper on the device's paper.
// Throws Failure.
void paintPages(QPainter& painter, QPagedPaintDevice& device, Report& report, int first, int last);

// Writes every page of a paginated report to a PDF file at path. Throws Failure when the
// file cannot be written.
void writePdf(Report& report, const QString& path);

} // namespace ReportPainter
