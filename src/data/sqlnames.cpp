#include "sqlnames.h"

#include <QRegularExpression>

namespace SqlNames {

QString quoted(const QString& name) {
    static const QRegularExpression bare(QStringLiteral(R"(^[A-Za-z_][A-Za-z0-9_]*$)"));
    return bare.match(name).hasMatch() ? QLatin1Char('"') + name + QLatin1Char('"') : name;
}

QStringList quoted(const QStringList& names) {
    QStringList result;
    result.reserve(names.size());
    for (const QString& name : names)
        result << quoted(name);
    return result;
}

} // namespace SqlNames
