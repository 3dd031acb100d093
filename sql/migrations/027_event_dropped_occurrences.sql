-- A series moved in time by this device loses its changed and skipped days
-- on a provider that gives its days anew (Google): the recurrence ids they
-- had before the move, which the provider's next listing may show
-- cancelled where the moved series has other days. Kept from the answer to
-- the move until a pull has read that listing; it goes with its series.
CREATE TABLE event_dropped_occurrences (
    event_id      TEXT NOT NULL REFERENCES events(id) ON DELETE CASCADE,
    recurrence_id TEXT NOT NULL,
    PRIMARY KEY (event_id, recurrence_id)
);
