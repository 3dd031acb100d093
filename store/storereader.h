#pragma once

#include "store/storeconnection.h"

#include <QString>

#include <memory>

class FilterRuleRepository;
class ViewRepository;

// The store's repositories over a connection of their own, for reading on a
// worker thread. The file is in WAL mode: the reader sees every committed
// write and runs beside the program's writer without blocking it.
class StoreReader : public StoreConnection
{
public:
    // Opens `path` under `connectionName`, which must be unique in the process.
    StoreReader(const QString &path, const QString &connectionName);
    ~StoreReader();

    FilterRuleRepository *filterRules() const { return m_filterRules.get(); }
    ViewRepository *views() const { return m_views.get(); }

private:
    std::unique_ptr<FilterRuleRepository> m_filterRules;
    std::unique_ptr<ViewRepository> m_views;
};
