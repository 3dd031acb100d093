#pragma once

// Graph objects the Microsoft tests read, kept out of the test classes so
// that their braces and quotes stay out of moc's way.

inline const char MappingJson1[] = R"({
            "id": "AAMkAG1=", "changeKey": "ck1", "subject": "", "isAllDay": false,
            "body": {"contentType": "html", "content": "<p>Agenda</p>"},
            "location": {"displayName": "Room 4"}, "webLink": "https://outlook.example/1",
            "onlineMeeting": {"joinUrl": "https://teams.example/j/1"},
            "start": {"dateTime": "2024-05-10T08:30:00.0000000", "timeZone": "UTC"},
            "end": {"dateTime": "2024-05-10T09:00:00.0000000", "timeZone": "UTC"},
            "originalStartTimeZone": "W. Europe Standard Time",
            "showAs": "free", "isReminderOn": true, "reminderMinutesBeforeStart": 0,
            "organizer": {"emailAddress": {"address": "boss@example.com", "name": "Boss"}},
            "attendees": [
                {"type": "Optional", "status": {"response": "TentativelyAccepted"},
                 "emailAddress": {"address": "ada@example.com", "name": "Ada"}},
                {"type": "required", "status": {"response": "organizer"},
                 "emailAddress": {"address": "boss@example.com", "name": "Boss"}},
                {"type": "required", "emailAddress": {"name": "No address"}}],
            "lastModifiedDateTime": "2024-05-01T10:00:00.1234567Z"})";

inline const char MappingJson2[] = R"({"pattern":{"type":"relativeMonthly","interval":1,"month":0,"dayOfMonth":0,
                 "daysOfWeek":["tuesday"],"firstDayOfWeek":"sunday","index":"second"},
                 "range":{"type":"noEnd","startDate":"2024-05-14","endDate":"0001-01-01","numberOfOccurrences":0}})";

inline const char MappingJson3[] = R"({"pattern":{"type":"relativeMonthly","interval":2,"month":0,"dayOfMonth":0,
                 "daysOfWeek":["monday","tuesday","wednesday","thursday","friday"],"index":"last"},
                 "range":{"type":"numbered","startDate":"2024-05-31","numberOfOccurrences":6}})";

inline const char MappingJson4[] = R"({"pattern":{"type":"relativeYearly","interval":1,"month":9,"dayOfMonth":0,
                 "daysOfWeek":["monday"],"index":"first"},"range":{"type":"noEnd","startDate":"2024-09-02"}})";

inline const char MappingJson5[] = R"({"pattern":{"type":"absoluteYearly","interval":1,
                 "month":3,"dayOfMonth":14,"index":"first","daysOfWeek":[]},"range":{"type":"noEnd"}})";

inline const char MappingJson6[] = R"({"pattern":{"type":"weekly","interval":1,"daysOfWeek":["Friday"],"index":"first",
                 "month":0,"dayOfMonth":0},"range":{"type":"endDate","startDate":"2024-05-03","endDate":"2024-12-31"}})";

inline const char MappingJson7[] = R"({"pattern":{"type":"absoluteMonthly","interval":3,"dayOfMonth":31,"month":0,
                 "index":"first"},"range":{"type":"noEnd"}})";

inline const char MappingJson8[] = R"({"pattern":{"type":"hourly","interval":1}})";

inline const char MappingJson9[] = R"({"pattern":{"type":"relativeMonthly",
                 "interval":1,"daysOfWeek":[],"index":"first"},"range":{"type":"noEnd"}})";

inline const char MappingJson10[] = R"({"pattern":{"type":"weekly","interval":2,"daysOfWeek":["monday","wednesday"]},
                          "range":{"type":"numbered","numberOfOccurrences":10,"startDate":"2024-05-06"}})";

inline const char MappingJson11[] = R"({"pattern":{"type":"relativeMonthly","interval":1,"daysOfWeek":["tuesday"],
                          "index":"second"},"range":{"type":"noEnd","startDate":"2024-05-14"}})";

inline const char MappingJson12[] = R"({"pattern":{"type":"daily","interval":1},
                          "range":{"type":"endDate","endDate":"2024-03-31","startDate":"2024-03-01"}})";

inline const char MappingJson13[] = R"({"id":"e1","changeKey":"ck1","subject":"Review",
            "body":{"contentType":"html","content":"<p>Agenda</p>"},
            "start":{"dateTime":"2024-05-14T08:00:00.0000000","timeZone":"UTC"},
            "end":{"dateTime":"2024-05-14T09:00:00.0000000","timeZone":"UTC"},
            "recurrence":{"pattern":{"type":"relativeMonthly","interval":1,"month":0,"dayOfMonth":0,
                          "daysOfWeek":["tuesday"],"index":"second"},"range":{"type":"noEnd","startDate":"2024-05-14"}}})";

inline const char MappingJson14[] = R"({"contentType":"html","content":"<p>New agenda</p>"})";

inline const char MappingJson15[] = R"({"type":"relativeMonthly","interval":1,"daysOfWeek":["tuesday"],"index":"third"})";

inline const char MappingJson16[] = R"({"id":"e1","subject":"Odd",
            "start":{"dateTime":"2024-05-14T08:00:00.0000000","timeZone":"UTC"},
            "recurrence":{"pattern":{"type":"relativeMonthly","interval":1,"daysOfWeek":[],"index":"first"},
                          "range":{"type":"noEnd","startDate":"2024-05-14"}}})";

inline const char MappingJson17[] = R"({"id":"ex1","type":"exception","seriesMasterId":"master1",
            "originalStart":"2024-05-21T08:00:00Z","originalStartTimeZone":"UTC",
            "start":{"dateTime":"2024-05-21T10:00:00.0000000","timeZone":"UTC"},
            "end":{"dateTime":"2024-05-21T11:00:00.0000000","timeZone":"UTC"}})";

inline const char MappingJson18[] = R"({"id":"ex2","type":"exception","seriesMasterId":"master2",
            "isAllDay":true,"originalStart":"2024-05-20T22:00:00Z","originalStartTimeZone":"W. Europe Standard Time",
            "start":{"dateTime":"2024-05-22T00:00:00.0000000","timeZone":"UTC"}})";

inline const char MappingJson19[] = R"({"id":"m1","type":"seriesMaster","subject":"Weekly",
            "originalStartTimeZone":"W. Europe Standard Time",
            "start":{"dateTime":"2024-05-07T07:00:00.0000000","timeZone":"UTC"},
            "end":{"dateTime":"2024-05-07T08:00:00.0000000","timeZone":"UTC"},
            "recurrence":{"pattern":{"type":"weekly","interval":1,"daysOfWeek":["tuesday"]},
                          "range":{"type":"noEnd","startDate":"2024-05-07"}},
            "cancelledOccurrences":["OID.m1.2024-05-14","OID.m1.2024-11-05","OID.m1.2024-05-14"]})";

inline const char MappingJson20[] = R"({"id":"inv","subject":"Invite",
            "start":{"dateTime":"2024-05-14T08:00:00.0000000","timeZone":"UTC"},
            "responseStatus":{"response":"notResponded"},
            "attendees":[{"type":"required","status":{"response":"none"},
                          "emailAddress":{"address":"ada@example.com","name":"Ada"}}]})";

inline const char SyncJson1[] = R"({"pattern":{"type":"relativeMonthly","interval":1,"month":0,
                          "dayOfMonth":0,"daysOfWeek":["tuesday"],"index":"second"},"range":{"type":"noEnd"}})";


// What Outlook holds of an event beyond the record: moved between calendars.
inline const char HeldByOutlookJson[] = R"({"subject":"Review",
            "body":{"contentType":"html","content":"<p>Agenda</p>"},
            "categories":["Blue category","Project X"],
            "isOnlineMeeting":true,"onlineMeetingProvider":"teamsForBusiness","sensitivity":"private"})";
inline const char OutlookGuestsJson[] = R"([
            {"type":"required","status":{"response":"none"},"emailAddress":{"address":"bob@example.com","name":"Bob"}},
            {"type":"optional","status":{"response":"accepted"},"emailAddress":{"address":"cy@example.com"}}])";
