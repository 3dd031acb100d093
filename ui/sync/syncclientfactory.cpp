#include "ui/sync/syncclientfactory.h"

// Out of line, so the interface has one home for its virtual table.
SyncClientFactory::~SyncClientFactory() = default;
