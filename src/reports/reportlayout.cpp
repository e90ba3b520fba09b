#include "reportlayout.h"

namespace {

// The bands whose texts a launcher may fill: a form has its issuer in its detail band.
QList<ReportBand*> labelBands(ReportLayout& layout) {
    return {&layout.reportHeader, &layout.reportFooter, &layout.detail};
}

void addOnce(QStringList& list, const QString& field) {
    if (!field.isEmpty() && !list.contains(field))
        list << field;
}

} // namespace

bool ReportLayout::setLabel(const QString& name, const QString& text) {
    for (ReportBand* band : labelBands(*this)) {
        for (ReportElement& element : band->elements) {
            if (element.name == name) {
                element.text = text;
                return true;
            }
        }
    }
    return false;
}

QString ReportLayout::label(const QString& name) const {
    for (const ReportBand* band : {&reportHeader, &reportFooter, &detail}) {
        for (const ReportElement& element : band->elements) {
            if (element.name == name)
                return element.text;
        }
    }
    return {};
}

QStringList ReportLayout::summedFields() const {
    QStringList fields;
    for (const ReportBand* band : {&groupFooter, &reportFooter}) {
        for (const ReportElement& element : band->elements) {
            if (element.kind == ReportElement::Kind::Sum)
                addOnce(fields, element.field);
        }
    }
    return fields;
}

const ReportElement* ReportLayout::flowing() const {
    for (const ReportElement& element : detail.elements) {
        if (element.flows)
            return &element;
    }
    return nullptr;
}

QStringList ReportLayout::fieldsRead() const {
    QStringList fields;
    for (const ReportBand* band : {&groupHeader, &detail, &continuation}) {
        for (const ReportElement& element : band->elements) {
            if (element.kind == ReportElement::Kind::Field)
                addOnce(fields, element.field);
        }
    }
    for (const QString& field : summedFields())
        addOnce(fields, field);
    return fields;
}
