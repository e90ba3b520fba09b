#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;
class Report;
struct ReportPage;

// Paints laid-out pages on any device: the preview, a printer, a PDF writer, an image.
namespace ReportPainter {

// Paints `page`, whose paper is `paper` points, scaled into `target` (device coordinates).
void paint(QPainter& painter, const ReportPage& page, QSizeF paper, const QRectF& target);

// Writes every page of a paginated report to a PDF file at path. Throws Failure when the
// file cannot be written.
void writePdf(Report& report, const QString& path);

} // namespace ReportPainter
