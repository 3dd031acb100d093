<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Application</name>
    <message>
        <source>Failed to initialize the database.

Data directory: %1

Please check file permissions and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DBusNotifier</name>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EventFormDialog</name>
    <message>
        <source>New Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update the details below and save to apply.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill in the basics. Start time and calendar are required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Team sync, Dentist…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Starts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address, room, or video link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes, agenda, links…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter a title for the event.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a calendar first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End before start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The end time is earlier than the start time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the event.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InAppNotifier</name>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Tindlebrook Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New Event…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Developer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load Sample &amp;Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Clear Sample Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar is still running in the system tray. Use File → Quit to exit, or turn off Preferences → Startup → Close to tray.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quick-add ignored: no calendars configured.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quick-add couldn&apos;t parse: &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t open file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t open &quot;%1&quot; for reading.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing to import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No events found in &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No calendars configured</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a writable calendar first; then re-import &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import 1 event from &quot;%1&quot; into:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import %1 events from &quot;%2&quot; into:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Loaded %n sample row(s).</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Clear sample data?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove the sample calendars, events, and tasks? Your real data is untouched.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Removed %n sample row(s).</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Imported %1 and updated %2 in %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updated 1 existing event in %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updated %1 existing events in %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Imported 1 event into %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Imported %1 events into %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ManageSourcesDialog</name>
    <message>
        <source>Calendar Accounts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No accounts yet. Click &quot;Add Account&quot; below to get started.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NotificationService</name>
    <message>
        <source>Starting now (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In %1 minutes (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In %1h (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tomorrow at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Due soon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Due today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Due soon (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Due now (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you can see this, your desktop notifications are wired up correctly. Real reminders look just like this one.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Repeats daily</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every %1 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeats weekly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every %1 weeks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeats monthly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every %1 months</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeats yearly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every %1 years</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeats</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on the %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on the %1 %2 of the year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on the %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on the %1 of the year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>weekday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>weekend day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in every month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 if it falls on %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>only the %1 of these</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n time(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>until %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At time of event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 min before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 hour(s) before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 day(s) before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1th</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1st</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1nd</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1rd</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>second-to-last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>second</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>third</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fourth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fifth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1-from-last</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RruleFormat</name>
    <message>
        <source>Mon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fri</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sun</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Feb</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apr</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>May</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jun</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jul</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aug</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sep</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Oct</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nov</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dec</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TindUpdate::UpdateDialog</name>
    <message>
        <source>Update available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A new version of %1 is available.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have version %1. The latest version is %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Later</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TrayManager</name>
    <message>
        <source>&amp;Show Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sync &amp;Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tindlebrook Calendar — Last sync failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tindlebrook Calendar — Sync failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tindlebrook Calendar — No upcoming events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tomorrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tindlebrook Calendar — Next: %1 (%2, all day)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tomorrow at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tindlebrook Calendar — Next: %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Weather::GeocodingClient</name>
    <message>
        <source>Geocoding did not answer in time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Geocoding returned HTTP %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Weather::Service</name>
    <message>
        <source>Open-Meteo did not answer in time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open-Meteo returned HTTP %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open-Meteo sent a forecast that could not be read</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WelcomeDialog</name>
    <message>
        <source>Welcome</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Welcome to Tindlebrook Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>We&apos;ve set up a Personal calendar so you can start adding events right away. Everything you create stays on this device unless you choose to sync it.

When you&apos;re ready, open Calendar Accounts to connect Google, Microsoft, or any CalDAV server (Synology, Nextcloud, Radicale, iCloud), or add another local calendar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get Started</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Account…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WinTrayPopover</name>
    <message>
        <source>Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add event — e.g. &quot;lunch Thursday 1pm&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sync Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No calendars yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No upcoming events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing scheduled in the next 24 hours.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  No more events today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  Nothing scheduled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All-day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today, all day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tomorrow, all day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in %1 min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in %1h</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in %1h %2m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Unnamed)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t save event</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
