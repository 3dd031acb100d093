-- The queue was never used; pending rows carry their own sync status.
DROP TABLE IF EXISTS sync_queue;
