#include "app/notifier.h"

Notifier::Notifier(QObject *parent)
    : QObject(parent)
{
}
