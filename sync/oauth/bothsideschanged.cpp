#include "sync/oauth/bothsideschanged.h"

#include <QCoreApplication>

#include <tuple>

namespace OAuth {

QStringList bothSidesChanged(const Event &base, const Event &local, const Event &server)
{
    struct TextField
    {
        const char *name;
        QString Event::*member;
    };
    // Named as the push's messages name them.
    static const TextField textFields[] = {
        {QT_TRANSLATE_NOOP("OAuth::PendingPush", "title"), &Event::title},
        {QT_TRANSLATE_NOOP("OAuth::PendingPush", "description"), &Event::description},
        {QT_TRANSLATE_NOOP("OAuth::PendingPush", "location"), &Event::location},
        {QT_TRANSLATE_NOOP("OAuth::PendingPush", "status"), &Event::status},
        {QT_TRANSLATE_NOOP("OAuth::PendingPush", "repetition"), &Event::recurrence_rule},
    };
    QStringList fields;
    for (const TextField &field : textFields) {
        const QString &mine = local.*field.member;
        const QString &theirs = server.*field.member;
        const QString &was = base.*field.member;
        if (mine != was && theirs != was && mine != theirs)
            fields.append(QCoreApplication::translate("OAuth::PendingPush", field.name));
    }
    const auto times = [](const Event &e) { return std::make_tuple(e.start_time, e.end_time, e.is_all_day); };
    if (times(local) != times(base) && times(server) != times(base) && times(local) != times(server))
        fields.append(QCoreApplication::translate("OAuth::PendingPush", "time"));
    return fields;
}

} // namespace OAuth
