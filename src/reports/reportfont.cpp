#include "reportfont.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QTextLayout>
#include <cmath>
#include <map>
#include <utility>

// The resource is compiled into the core library; this names its initialiser from outside
// any namespace, as Qt requires, so a program that links the library always has it.
static void initReportFontResource() {
    Q_INIT_RESOURCE(reportfont);
}

namespace ReportFont {

namespace {

const QString kRegular = QStringLiteral(":/reportfont/LiberationSans-Regular.ttf");
const QString kBold = QStringLiteral(":/reportfont/LiberationSans-Bold.ttf");

const QString kFamily = QStringLiteral("Liberation Sans");

// The family the carried files register, empty when they cannot be.
QString registered() {
    initReportFontResource();
    QString name;
    for (const QString& file : {kRegular, kBold}) {
        const QStringList families =
            QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFont(file));
        if (families.isEmpty())
            return {};
        name = families.first();
    }
    return name;
}

const QString& registeredFamily() {
    static const QString name = registered();
    return name;
}

// A device of 72 dots an inch: on it a point is a dot, so widths come out in points.
const QImage& pointDevice() {
    static const QImage image = [] {
        QImage paper(1, 1, QImage::Format_RGB32);
        paper.setDotsPerMeterX(2835);
        paper.setDotsPerMeterY(2835);
        return paper;
    }();
    return image;
}

} // namespace

bool registerFont() {
    return !registeredFamily().isEmpty();
}

QString family() {
    return registeredFamily().isEmpty() ? kFamily : registeredFamily();
}

QFont font(qreal points, bool bold, const QPaintDevice* device) {
    QFont result(family());
    // Unhinted glyphs keep their designed widths at every size, so what was measured on the
    // paper is what any device prints.
    result.setHintingPreference(QFont::PreferNoHinting);
    const qreal dpi = device ? device->logicalDpiY() : 72;
    result.setPointSizeF(points * kMagnification * 72.0 / dpi);
    result.setBold(bold);
    return result;
}

qreal width(const QString& text, qreal points, bool bold) {
    // Laying out a page measures every amount on it: the metrics are made once a size.
    static std::map<std::pair<qreal, bool>, QFontMetricsF> metrics;
    auto found = metrics.find({points, bold});
    if (found == metrics.end()) {
        const QImage& device = pointDevice();
        found = metrics
                    .emplace(std::make_pair(points, bold),
                             QFontMetricsF(font(points, bold, &device), &device))
                    .first;
    }
    return found->second.horizontalAdvance(text) / kMagnification;
}

qreal fittingSize(const QString& text, qreal points, bool bold, qreal room) {
    const qreal needed = width(text, points, bold);
    if (needed <= room || needed <= 0)
        return points;
    qreal size = std::floor(points * room / needed * 4) / 4;
    while (size > 0.25 && width(text, size, bold) > room)
        size -= 0.25;
    return std::max<qreal>(size, 0.25);
}

qreal lineSpacing(qreal points, bool bold) {
    const QImage& device = pointDevice();
    return QFontMetricsF(font(points, bold, &device), &device).lineSpacing() / kMagnification;
}

QList<qsizetype> lineStarts(const QString& text, qreal points, bool bold, qreal room) {
    const QImage& device = pointDevice();
    const QFont measured = font(points, bold, &device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setUseDesignMetrics(true);
    QList<qsizetype> starts;
    for (qsizetype from = 0; from <= text.size();) {
        qsizetype end = from;
        while (end < text.size() && text.at(end) != QLatin1Char('\n') &&
               text.at(end) != QLatin1Char('\r'))
            ++end;
        QTextLayout layout(text.mid(from, end - from), measured, &device);
        layout.setTextOption(option);
        layout.beginLayout();
        starts << from;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(room * kMagnification);
            if (line.textStart() > 0)
                starts << from + line.textStart();
        }
        layout.endLayout();
        // A line break ends the paragraph; CR LF is one break.
        if (end < text.size() && text.at(end) == QLatin1Char('\r') && end + 1 < text.size() &&
            text.at(end + 1) == QLatin1Char('\n'))
            ++end;
        from = end + 1;
    }
    return starts;
}

} // namespace ReportFont
