#pragma once

// A meeting as Google holds it: what the push tests move between calendars.

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
