#pragma once

// A meeting and a series as Google holds them: what the push tests move;
// a changed occurrence as the mapping tests read it.

// Kept out of the test classes, so that their braces stay out of moc's way.
inline const char MeetingJson[] = R"({"id":"meet","summary":"Review",
    "start":{"dateTime":"2026-03-02T09:00:00Z"},"end":{"dateTime":"2026-03-02T10:00:00Z"}})";
inline const char MeetingPartsJson[] = R"({
    "attendees":[{"email":"ada@example.com","responseStatus":"accepted"},
                 {"email":"bob@example.com","displayName":"Bob","responseStatus":"needsAction"},
                 {"email":"cy@example.com","optional":true,"responseStatus":"tentative"}],
    "conferenceData":{"conferenceId":"abc-defg-hij","conferenceSolution":{"key":{"type":"hangoutsMeet"}},
                      "entryPoints":[{"entryPointType":"video","uri":"https://meet.example/abc-defg-hij"}]},
    "extendedProperties":{"private":{"crmId":"42"}}})";

// A weekly series on Google, with 24 March cancelled and 7 April moved to
// 8 April 10:00 and retitled.
inline const char StandupJson[] = R"({"id":"standup001","summary":"Standup",
    "start":{"dateTime":"2026-03-17T09:00:00Z"},"end":{"dateTime":"2026-03-17T09:15:00Z"},
    "recurrence":["RRULE:FREQ=WEEKLY;COUNT=8"]})";
inline const char StandupCancelledJson[] = R"({"id":"standup001_20260324T090000Z","recurringEventId":"standup001",
    "status":"cancelled","originalStartTime":{"dateTime":"2026-03-24T09:00:00Z"}})";
inline const char StandupChangedJson[] = R"({"id":"standup001_20260407T090000Z","recurringEventId":"standup001",
    "summary":"Standup, Wednesday","originalStartTime":{"dateTime":"2026-04-07T09:00:00Z"},
    "start":{"dateTime":"2026-04-08T10:00:00Z"},"end":{"dateTime":"2026-04-08T10:15:00Z"}})";

// A changed occurrence as Google held it before its series' deletion went
// up, and what its copy changes on the new series' instance.
inline const char HeldInstanceJson[] = R"({"kind":"calendar#event","id":"old_20260302T090000Z","etag":"\"3\"",
            "htmlLink":"https://calendar.example/e","iCalUID":"old@google.com","created":"2026-01-01T00:00:00Z",
            "updated":"2026-02-01T00:00:00Z","creator":{"email":"ada@example.com"},"organizer":{"email":"ada@example.com"},
            "hangoutLink":"https://meet.example/abc","recurringEventId":"old","status":"confirmed",
            "originalStartTime":{"dateTime":"2026-03-02T09:00:00Z"},"summary":"Review","colorId":"5",
            "conferenceData":{"conferenceId":"abc"},"extendedProperties":{"private":{"crmId":"43"}},
            "attendees":[{"email":"bob@example.com","responseStatus":"accepted"}],
            "start":{"dateTime":"2026-03-02T11:00:00Z"},"end":{"dateTime":"2026-03-02T12:00:00Z"}})";
inline const char HeldInstanceChangesJson[] =
    R"({"summary":"Review, longer","description":null,"extendedProperties":{"private":{"crmId":"43"}}})";
