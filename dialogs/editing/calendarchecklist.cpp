#include "dialogs/editing/calendarchecklist.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QListWidget>

#include "app/appstate.h"
#include "app/calendarchoice.h"
#include "app/theme/theme.h"
#include "store/accountrepository.h"
#include "store/calendarrepository.h"

#include <algorithm>

namespace CalendarCheckList {

void fill(QListWidget *list, const AppState *app, bool visibleOnly)
{
    const QHash<QString, QString> accountNames = shownAccountNames(app->accounts()->getAll());
    struct Row
    {
        QString account;
        Calendar calendar;
    };
    QList<Row> rows;
    for (const Calendar &calendar : app->calendars()->getAll()) {
        if (!visibleOnly || calendar.is_visible)
            rows.append({accountNames.value(calendar.account_id), calendar});
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) {
        const int byAccount = a.account.compare(b.account, Qt::CaseInsensitive);
        if (byAccount != 0)
            return byAccount < 0;
        return a.calendar.name.compare(b.calendar.name, Qt::CaseInsensitive) < 0;
    });
    for (const Row &row : rows) {
        const QString text =
            row.account.isEmpty() ? row.calendar.name : QStringLiteral("%1 / %2").arg(row.account, row.calendar.name);
        auto *item = new QListWidgetItem(Theme::colorDotIcon(row.calendar.color), text, list);
        item->setData(Qt::UserRole, row.calendar.id);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

QStringList check(QListWidget *list, const QStringList &ids)
{
    QStringList unlisted = ids;
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem *item = list->item(row);
        const QString id = item->data(Qt::UserRole).toString();
        const bool on = ids.contains(id);
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
        unlisted.removeAll(id);
    }
    unlisted.removeDuplicates();
    return unlisted;
}

QStringList checkedIds(const QListWidget *list)
{
    QStringList ids;
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem *item = list->item(row);
        if (item->checkState() == Qt::Checked)
            ids << item->data(Qt::UserRole).toString();
    }
    return ids;
}

QStringList parseIds(const QString &json, bool *isArray)
{
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    if (isArray)
        *isArray = document.isArray();
    QStringList ids;
    for (const QJsonValue &value : document.array()) {
        if (value.isString())
            ids << value.toString();
    }
    return ids;
}

} // namespace CalendarCheckList
