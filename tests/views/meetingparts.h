#pragma once

// A meeting as Google and Outlook hold it beyond what this program models,
// kept out of the test classes so that their braces stay out of moc's way.
inline const char MeetingOnGoogle[] = R"({
    "attendees":[{"email":"bob@example.com","displayName":"Bob","responseStatus":"needsAction"},
                 {"email":"cy@example.com","optional":true,"responseStatus":"tentative"},
                 {"email":"ada@example.com","self":true,"responseStatus":"accepted"}],
    "conferenceData":{"conferenceId":"abc-defg-hij","conferenceSolution":{"key":{"type":"hangoutsMeet"}},
                      "entryPoints":[{"entryPointType":"video","uri":"https://meet.example/abc-defg-hij"}]},
    "extendedProperties":{"private":{"crmId":"42"},"shared":{"ticket":"T-7"}}})";
inline const char MeetingInOutlook[] = R"({
    "attendees":[{"type":"required","status":{"response":"none"},
                  "emailAddress":{"address":"bob@example.com","name":"Bob"}},
                 {"type":"optional","status":{"response":"accepted"},"emailAddress":{"address":"cy@example.com"}}],
    "isOnlineMeeting":true,"onlineMeetingProvider":"teamsForBusiness",
    "onlineMeeting":{"joinUrl":"https://teams.example/j/review"},
    "categories":["Blue category","Project X"]})";
