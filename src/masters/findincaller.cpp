#include "findincaller.h"

#include "data/messages.h"
#include "kit/services.h"
#include "masters/lookups.h"

#include <QAbstractItemModel>

bool showFoundRecord(Services& services, FindTarget& target, const QString& notFoundLabel,
                     const QString& value) {
    if (target.moveToFirstEqual && target.moveToFirstEqual(value))
        return true;
    services.prompts.critical(Messages::notFound(notFoundLabel, value));
    if (target.moveToLast)
        target.moveToLast();
    return false;
}

bool findInCaller(Services& services, QWidget* parent, const FindRequest& request,
                  FindTarget& target) {
    const std::optional<QString> chosen =
        findValue(services, parent, request.caption, request.listQuery);
    if (!chosen)
        return false;
    return showFoundRecord(services, target, request.notFoundLabel, *chosen);
}

bool sameText(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

int firstRowShowing(QAbstractItemModel& model, int column, const QString& value) {
    for (int row = 0;; ++row) {
        while (row >= model.rowCount() && model.canFetchMore({}))
            model.fetchMore({});
        if (row >= model.rowCount())
            return -1;
        if (sameText(model.index(row, column).data(Qt::DisplayRole).toString(), value))
            return row;
    }
}
