#include "app/notifications/notifier.h"

Notifier::Notifier(QObject *parent)
    : QObject(parent)
{
}
