<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AccountFormDialog</name>
    <message>
        <source>Use your Zoho password, or an app-specific password if 2FA is enabled. Generate one at Zoho Account &gt; Security &gt; App Passwords.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>iCloud requires an app-specific password. Generate one at appleid.apple.com under Sign-In and Security &gt; App-Specific Passwords.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Webcal Subscription</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Provider:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(unchanged, type to replace)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Username</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>App password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sync interval</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password is stored in your platform&apos;s secure credential store, not in the app&apos;s database.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manual only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every 5 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every 15 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every 30 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every 4 hours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Once a day</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Every %n minute(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Missing field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account name is required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server URL and username are required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the account.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AccountName</name>
    <message>
        <source>On This Device</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AccountRow</name>
    <message>
        <source>CalDAV Server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tindlebrook Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 · sign in needed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 · password needed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sync now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit account…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add calendar…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove account…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AddressDialog</name>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No browser opened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be opened in a browser. Copy this address into your browser:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AgendaEventRow</name>
    <message>
        <source>All-day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AgendaListWidget</name>
    <message>
        <source>No upcoming events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark Incomplete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark Complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete task?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? This cannot be undone.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AgendaTaskRow</name>
    <message>
        <source>(Untitled)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overdue</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AllDayStrip</name>
    <message>
        <source>all-day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+%1 more</source>
        <translation type="unfinished"></translation>
    </message>
</context>
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
    <message>
        <source>Calendar Already Running</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tindlebrook Calendar is already running on this data folder and did not respond.

Data directory: %1

Close the running calendar, or wait for it to respond, and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data Folder Not Writable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tindlebrook Calendar cannot write to its data folder.

Data directory: %1

Make the folder writable for your user and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data Folder Used by Another Computer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data folder is in use by Tindlebrook Calendar on another computer (%1).

Lock file: %2

Close the calendar on that computer and try again. If it is not running there (for example, the folder was copied from that computer), delete the lock file and start again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalDavCertificateDialog</name>
    <message>
        <source>Untrusted certificate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trust this certificate?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1:%2 presented a TLS certificate that doesn&apos;t chain to a trusted root. Review it before trusting it, anyone with this fingerprint can impersonate the server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(unknown)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subject</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Issuer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valid from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valid until</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SHA-256</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Errors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only trust this certificate if you control the server and recognize the fingerprint. Trusting a malicious certificate gives attackers full access to your calendar data.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trust certificate</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalDavClient</name>
    <message>
        <source>The server did not answer within %1 seconds.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server&apos;s reply was cut off (%1 of %2 bytes).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalDavConnectionDialog</name>
    <message>
        <source>Add CalDAV Server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect to a CalDAV server (Radicale, Baikal, Nextcloud, iCloud, Fastmail, Zoho, ...). Enter the server URL or your account URL, discovery will find your calendars from there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your username or email</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. Work Nextcloud</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Server URL:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Username:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Account name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discover Calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the server URL and your username first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connecting…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Found %1 calendar(s). Pick which to add.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection cancelled, certificate not trusted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Certificate trusted. Retrying…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discover first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click &quot;Discover Calendars&quot; before saving.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick at least one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select one or more calendars to add.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Already added</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This server is already added as &quot;%1&quot;. Its calendars are already available — no need to add it again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CalDAV (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the account.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unencrypted Connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is reached over plain http: your password will travel unencrypted, and anyone on the network between you and the server can read it.

Save this account anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;Add Calendars&quot; creates one on the server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not remove the account that has no calendar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection cancelled: the password would have travelled unencrypted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is reached over plain http: your password will travel unencrypted, and anyone on the network between you and the server can read it.

Connect anyway?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalDavDiscovery</name>
    <message>
        <source>Enter a CalDAV URL starting with http:// or https://</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not reach the server: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server rejected the username or password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not find a CalDAV account on that server. Check the URL.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lost connection during calendar-home-set discovery: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during home-set discovery.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lost connection during calendar enumeration: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during calendar enumeration.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No calendars found at the discovered home set.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server pointed to %1, which is not the address you entered; the password is not sent there.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalDavSyncClient</name>
    <message>
        <source>Push error: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is one occurrence of a repeating event and went back to its series&apos; calendar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) could not be sent to the server: %1</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n pulled event(s) could not be saved: %1</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n pulled task(s) could not be saved: %1</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Network error: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during ctag check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server returned HTTP %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server&apos;s calendar listing was incomplete (HTTP %1); nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not read the stored events of this calendar; nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the pulled events: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network error during task pull: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during task pull</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server&apos;s task listing was incomplete (HTTP %1); nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the pulled tasks: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Task push error: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; was moved to your local task list: this calendar does not accept tasks. Task support has been turned off for it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; was rejected: this calendar does not accept tasks. Task support has been turned off for it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; (HTTP %2), kept in &quot;%3&quot; until this calendar&apos;s server accepts it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; (its UID or time zone cannot be written as it is)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalendarFormDialog</name>
    <message>
        <source>Missing password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No saved password for this account. Edit the account first to re-enter your credentials.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Creating calendar on server…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network error: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server refused (HTTP %1). Your account may not have permission to create calendars on this server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server returned success but the new calendar isn&apos;t reachable. This server may not support MKCALENDAR.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Created on server, but couldn&apos;t save locally. Run sync to recover.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not find the parent account.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving changes to server…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server&apos;s answer could not be read, so the change may not have been made. Try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server refused (HTTP %1). You may not have permission to rename or recolour this calendar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved on server, but couldn&apos;t update locally.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking whether this calendar accepts tasks…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This calendar does not accept tasks (server returned HTTP %1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t verify task support: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Calendar to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendar is kept on this device only. It is not sent to any server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a new calendar on the CalDAV server. The server must allow MKCALENDAR for your user; if it refuses, the calendar will not be created.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. Personal, Work, Family</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Color:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow tasks on this calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store tasks here even if the server doesn&apos;t advertise task support. Enable only if your provider (such as Fastmail) accepts tasks.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter a name for the calendar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not create the local account row.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the calendar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick a calendar color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar on another server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not on this account's server (%2), so your password is not sent there.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalendarGroupName</name>
    <message>
        <source>All Calendars</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalendarRow</name>
    <message>
        <source>Show this calendar in views</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in to sync</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit calendar…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set as default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove calendar…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CloudSignIn</name>
    <message>
        <source>The sign-in page</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandPalette</name>
    <message>
        <source>Find an event or run a command — today, goto, view, new, resync…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Snap the calendar to today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>goto YYYY-MM-DD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jump to a specific date in Day view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>view &lt;mode|name&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch view mode (day/week/grid/month/year) or active calendar group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>new &lt;event description&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quick-add an event using the NL parser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>resync</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pull + push every CalDAV calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>notifytest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fire a test tray notification (verifies the pipeline)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch to Day view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch to Week view (locale-bracketed 7 days)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch to Days view (sliding window)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch to Grid view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch to Month view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch to Year view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days view, 3-day sliding window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days view, 5-day sliding window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days view, 10-day medium-term horizon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days view, 14-day fortnight horizon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>all-day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event: %1   —   %2 · %3</source>
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
    <name>DateTimePicker</name>
    <message>
        <source>%1 min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 hr</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 hr %2 min</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DayTimelineWidget</name>
    <message>
        <source>%1 min</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DetachedAgendaWindow</name>
    <message>
        <source>Agenda — Tindlebrook Calendar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DetachedRemindersWindow</name>
    <message>
        <source>Reminders — Tindlebrook Calendar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DetachedTasksWindow</name>
    <message>
        <source>Tasks — Tindlebrook Calendar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EventActions</name>
    <message>
        <source>Couldn&apos;t save the change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t delete the event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (copy)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t duplicate the event</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EventDetailsPopover</name>
    <message>
        <source>Edit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Organizer: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Untitled task)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Linked task:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All-day</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EventEditor</name>
    <message>
        <source>Moved &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resized &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleted &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be stored, so nothing was changed. The log has the details.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be deleted. The log has the details.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The copy could not be stored. The log has the details.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; was copied to its new calendar, but could not be removed from the old one. The log has the details.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is one occurrence of a repeating event and stays in its calendar. To move it, move the whole series.</source>
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
    <message>
        <source>+ Add attendee</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Going</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Declined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maybe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delegated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No response</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>name@example.com</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From template…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Repeats</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re&amp;minders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attendees</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use calendar color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inheriting calendar color (%1). Click to override.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom color (%1). Click to change.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You haven&apos;t created any event templates yet. Open Tools → Manage Templates to create one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+ Add reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t save the change</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FilterFormDialog</name>
    <message>
        <source>Pattern Match</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time-Based</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specific Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All-Day Events</source>
        <translation type="unfinished"></translation>
    </message>
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
        <source>Add Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filters hide or dim events that match — they don&apos;t delete anything, and you can toggle the whole set off from the filters pill in the status bar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide standups, Dim birthdays…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide completely</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dim (still visible, faded)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Suppress reminders for matched events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title contains</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. standup, lunch, 1:1 — comma separated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Case sensitive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exact start time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days of week (empty = every day)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recurring events only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filtering this specific event:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Right-click an event and choose &quot;Create Filter from Event&quot; to create a specific-event filter.)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Matches every all-day event in the selected calendars.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only recurring all-day events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply to calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave empty to apply to every calendar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter events matching text patterns</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter events at specific times</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter a specific recurring event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter all-day events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Event no longer exists)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Untitled event)</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Also applies to %n hidden or removed calendar(s).</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Name required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter a name for the filter.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No patterns</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add at least one phrase to &quot;Title contains&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No event selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specific-event filters need to be created from an event&apos;s right-click menu — that&apos;s how the rule learns which event to match.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the filter.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No events in the next 30 days to preview against.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dim</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Would %1 %2 of %3 events in the next 30 days.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Google</name>
    <message numerus="yes">
        <source>Google did not answer within %n second(s).</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Google::AuthService</name>
    <message>
        <source>Google OAuth credentials are not configured in this build. See .env.example.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google sign-in timed out. Please try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign-in cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Google sign-in link was opened twice, so the sign-in was stopped for safety. Please sign in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not bind a local port for the Google sign-in callback: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not launch the system browser for Google sign-in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google denied the sign-in: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign-in state mismatch. The redirect didn&apos;t match our request; please try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google did not return an authorization code.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token exchange failed (HTTP %1): %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token exchange failed (HTTP %1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google did not return an access token.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google did not return a refresh token. Try removing the app from your Google Account permissions and signing in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google OAuth credentials are not configured.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token refresh failed (HTTP %1): %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token refresh failed (HTTP %1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google&apos;s response had no access_token.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google&apos;s response had an expires_in that could not be used.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Google::CalendarClient</name>
    <message>
        <source>No Google access token available.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google rejected calendarList.list (HTTP %1): %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google&apos;s calendar list did not end after %1 pages.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google rejected events.list (HTTP %1): %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google&apos;s event list did not end after %1 pages.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google&apos;s answer to events.list (page %1) is not JSON.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Google access token.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google rejected events.insert: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google rejected events.update: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google rejected events.delete: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google rejected events.get: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google rejected events.instances: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google rejected events.patch: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google rejected events.move: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Google::PushRun</name>
    <message>
        <source>&quot;%1&quot; was changed on Google and could not be saved there: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no longer an occurrence of its series on Google.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; was changed on Google too; the %2 set here was kept.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Google::SyncClient</name>
    <message>
        <source>Parent account missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No saved Google credentials. Sign in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google token refresh failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google refused the full listing of %1 (HTTP 410).</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n event(s) failed to save locally; will retry next sync.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Google no longer accepts the saved sign-in. Sign in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The renewed Google sign-in could not be saved to the secret store.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HolidayPickerDialog</name>
    <message>
        <source>Holiday Calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subscribe to a country&apos;s public holidays. Feeds are read-only and update automatically. All subscriptions land under the shared &quot;Calendar Subscriptions&quot; account.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search by country or region…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subscribe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subscribed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No holiday feeds match &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Already subscribed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You&apos;re already subscribed to &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Holidays</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t subscribe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t create the holiday calendar. Try again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IcsCodec</name>
    <message>
        <source>This is not a calendar file: it holds no iCalendar data.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IcsImportFlow</name>
    <message>
        <source>An import is already running.</source>
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
        <source>Couldn&apos;t import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t read &quot;%1&quot;. %2</source>
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
    <message>
        <source>Importing %1 events from &quot;%2&quot;…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import cancelled: the calendar is as it was.</source>
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
    <name>InvitationsDialog</name>
    <message>
        <source>Invitations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No new invitations. You&apos;re all caught up.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing in your history yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Past</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Going</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Declined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maybe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delegated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No response</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (all day)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2 – %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Untitled event)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invited by %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decline</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KeyboardHelpDialog</name>
    <message>
        <source>Navigation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next / previous (one mode-stride)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous / next week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next / previous month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Day / Days / Week / Grid / Month / Year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days timeline: 3 / 5 / 7 / 10 / 14 days (1 – 5)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back / forward through view + date history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate calendar group 1 – 9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous / next calendar group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quick add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sync now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Command palette</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preferences…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle empty days in sidebar agenda</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo (drag/resize/delete)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inside grids</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Single click</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select event + open details popover</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Double click</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right-click</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit / Delete menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reschedule (snap to 15 min)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag bottom edge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resize end time (snap to 15 min)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+wheel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom Day / Week timeline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab / Shift+Tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cycle event selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>↑ / ↓</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open popover for selected event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mouse back / forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back / forward through view history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quick-add (tray + %1 &quot;new&quot;)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date phrases</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time phrases</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relative date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
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
        <source>Quick-add: &quot;%1&quot; was not saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added: %1</source>
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
    <message numerus="yes">
        <source>Couldn&apos;t store %n event(s) in %1.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Nothing to change: %n event(s) already in %1.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n event(s) could not be stored.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Test notification fired</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No accounts configured</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a Tindlebrook Calendar account to store calendars on this device, connect Google or Microsoft, or hook up any CalDAV server (Synology, Nextcloud, Radicale, iCloud).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  Add Account…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manage your account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in or sign up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tindlebrook Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New &amp;Task…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quick &amp;Add…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type an event in plain English (&quot;lunch Thursday 1pm&quot;)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar &amp;Accounts…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Sync Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Force F&amp;ull Sync…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re-pull every event from every account, ignoring sync tokens</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Invitations…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import ICS File…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export Agenda PDF…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tindlebrook &amp;Account…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign &amp;Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find Events…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle &amp;Sidebar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show &amp;Empty Days in Agenda</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Compact Density</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle &amp;Tasks Pane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle &amp;Reminders Pane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &amp;Filter…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Calendar &amp;Group…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manage Calendar Gr&amp;oups…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manage Te&amp;mplates…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Weather…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send Test &amp;Notification</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign In to Tindlebrook &amp;Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign &amp;Out of Tindlebrook Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fire a sample reminder toast to verify your desktop notification setup.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;What&apos;s New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send &amp;Feedback…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for &amp;Updates…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Tindlebrook Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undid: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undid: %1. Its guests are invited again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not undo: %1. The event was changed since.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not undo: %1. The log has the details.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Invitations… (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import ICS file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>iCalendar files (*.ics);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Tindlebrook Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;h3&gt;Tindlebrook Calendar&lt;/h3&gt;&lt;p&gt;Version %1&lt;/p&gt;&lt;p&gt;A CalDAV-first calendar with client-side filters and Views, the killer feature competitors don&apos;t have.&lt;/p&gt;&lt;p&gt;Built with Qt %2.&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Detached &amp;Agenda Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Detached &amp;Tasks Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Detached &amp;Reminders Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Force full sync?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re-fetch every event and task from every account, ignoring saved sync tokens. Useful when items look stale or out of date.

Any unsynced local edits will be discarded in favour of the server&apos;s copy. Pending deletions are preserved.

Heavy accounts may take a minute or two and use more bandwidth than usual.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Discovered %n new calendar(s).</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Syncing %1 account(s)…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All caught up, nothing waiting to sync.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No sync accounts configured. Add one in Calendar Accounts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Synced %1 events</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Cleared %n calendar sync token(s), running full sync…</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Signed in to Tindlebrook</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signed out of Tindlebrook</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The feedback page</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ManageFiltersDialog</name>
    <message>
        <source>Pattern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specific</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All-day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dim</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manage Filters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1   ·   %2 → %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle the checkbox to enable / disable a filter. Drag a row to change priority (top of the list applies first). Use Edit to change conditions or Delete to remove it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add filter…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(no filters yet)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete filter?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can recreate it later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not delete the filter.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the filter.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the order of the filters.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database Error</source>
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
    <message>
        <source>Tindlebrook account ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You&apos;re signed in to Tindlebrook. Existing local calendars can be upgraded from each calendar&apos;s row.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t prepare calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  Add Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Local Calendar…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tindlebrook…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CalDAV Server…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subscription (ICS URL)…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Holiday Calendars…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The account row this sign-in was bound to no longer exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the Google account row.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google sign-in failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Importing calendars from Google…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google import failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google reports no calendars on this account.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Google sign-in could not be saved to the secret store.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove account?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove &quot;%1&quot; and its %2 calendar(s)? Events from this account will be deleted from this device. Server data (if any) is left untouched.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not delete on server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be deleted on the server: %2.

The calendar still exists on the server. It has been disabled and will not sync. Re-enable it from the checkbox if you want it back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot; and all of its events?</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>This calendar contains %n event(s).</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>This will delete the calendar from the CalDAV server for everyone with access.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Calendar?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type DELETE to permanently delete &quot;%1&quot;. This cannot be undone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type DELETE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Permanently</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Missing password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No saved password for this account.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No new calendars found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Found %n new calendar(s).</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Refresh failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sharing: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>People you share with see the same events and changes you do. Sharing doesn&apos;t merge calendars; they keep their own calendar list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shared with</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add people</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not shared with anyone yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add family members or teammates to your Tindlebrook group first, then come back here to share calendars with them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Everyone in your group already has access</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove access</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t share calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t remove person</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop sharing?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 will no longer see this calendar&apos;s events on any of their devices. Continue?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the Microsoft account row.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Importing calendars from Microsoft…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft sign-in failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft import failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft reports no calendars on this account.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Microsoft sign-in could not be saved to the secret store.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These calendars could not be saved: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not hide the calendar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not make the calendar the default.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not remove the calendar from this computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the account.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the calendar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the order of the accounts.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ManageTemplatesDialog</name>
    <message>
        <source>Event Templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Templates pre-fill the new-event form. Double-click to edit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(no title)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete template?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the template &quot;%1&quot;? Events already created from it are unaffected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not delete the template.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the template.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ManageViewsDialog</name>
    <message>
        <source>Manage Calendar Groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar Groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag a row to change the order groups appear in the picker. Use Edit to change which calendars a group includes, or Delete to remove a group.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add group…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(no groups yet)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Built-in group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;All Calendars&quot; is the fallback group. It can be renamed but not deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete group?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can recreate it later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not delete the group.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the order of the groups.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Microsoft</name>
    <message numerus="yes">
        <source>Microsoft did not answer within %n second(s).</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Microsoft::AccountImport</name>
    <message>
        <source>The Microsoft account could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Microsoft sign-in could not be kept in the system&apos;s credential store.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendars of the Microsoft account could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Microsoft::AuthService</name>
    <message>
        <source>Microsoft OAuth credentials are not configured in this build. See .env.example.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft sign-in timed out. Please try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign-in cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Microsoft sign-in link was opened twice, so the sign-in was stopped for safety. Please sign in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not bind a local port for the Microsoft sign-in callback: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not launch the system browser for Microsoft sign-in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft denied the sign-in: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign-in state mismatch. The redirect didn&apos;t match our request; please try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft did not return an authorization code.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token exchange failed (HTTP %1): %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token exchange failed (HTTP %1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft did not return an access token.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft did not return a refresh token. Verify offline_access is in the scopes configured for this app.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft OAuth credentials are not configured.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token refresh failed (HTTP %1): %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token refresh failed (HTTP %1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft&apos;s response had no access_token.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft&apos;s response had an expires_in that could not be used.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Microsoft::CalendarClient</name>
    <message>
        <source>No Microsoft access token available.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft rejected /me/calendars (HTTP %1): %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft&apos;s calendar list did not end properly after %1 pages.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft rejected /me/calendar (HTTP %1): %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft rejected events list (HTTP %1): %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft&apos;s event list did not end properly after %1 pages.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft&apos;s answer to the events list (page %1) is not JSON.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Microsoft access token.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft rejected events.insert: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft rejected events.update: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft rejected events.delete: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft rejected events.get: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft rejected events.%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Microsoft::PushRun</name>
    <message>
        <source>&quot;%1&quot; was changed in Outlook and could not be saved there: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; was changed in Outlook too; the %2 set here was kept.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Microsoft::SyncClient</name>
    <message>
        <source>Parent account missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No saved Microsoft credentials. Sign in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft token refresh failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microsoft refused the listing of %1 (HTTP 410).</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n event(s) failed to save locally; will retry next sync.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n recurring series could not be read from Microsoft; will retry next sync.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Microsoft no longer accepts the saved sign-in. Sign in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The renewed Microsoft sign-in could not be saved to the secret store.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MonthGridWidget</name>
    <message>
        <source>+%1 more</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Net</name>
    <message>
        <source>%1 did not finish its answer within %2 seconds.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The answer from %1 is larger than %2.</source>
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
    <name>OAuth</name>
    <message>
        <source>The service answered HTTP %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OAuth::PendingPush</name>
    <message>
        <source>title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>repetition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>time</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n pushed event(s) could not be saved here and will be sent again: %1</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>The new state of &quot;%1&quot; could not be saved here; it is tried again at the next sync.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is deleted at a later sync: what was changed in it elsewhere could not be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OAuthProgressDialog</name>
    <message>
        <source>Sign in to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continue sign-in in your browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tindlebrook Calendar opened your default browser to sign in to %1. Once you finish there, the app will pick up automatically.

If your browser didn&apos;t open, or you closed the tab by mistake, click Cancel and try again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PdfExportDialog</name>
    <message>
        <source>Save Agenda PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF Documents (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Agenda PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tindlebrook Calendar — Agenda</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Title:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;From:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>T&amp;o:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Events use the active View&apos;s calendars, filtered through your current filter rules — the PDF mirrors what&apos;s on screen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save PDF…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Range invalid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The end date is before the start date.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not write %1: %2
Nothing was exported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wrote %1 event(s) to %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the PDF could not be drawn</source>
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
    <message>
        <source>5 minutes before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10 minutes before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>15 minutes before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30 minutes before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 hour before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 hours before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 day before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 days before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 week before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 days before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 hours before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 minutes before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar Subscriptions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Subscription</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QuickAddDialog</name>
    <message>
        <source>Quick Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type an event or reminder in plain English.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. &quot;lunch Thursday 1pm&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To-do</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No due date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All-day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t save event</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecurrenceEditDialog</name>
    <message>
        <source>Recurrence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Daily</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On day of the month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>of every month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On the nth weekday</source>
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
        <source>last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Friday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Never</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>After</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>occurrences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>months</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>years</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>weeks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>M</source>
        <comment>Monday</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>T</source>
        <comment>Tuesday</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>W</source>
        <comment>Wednesday</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>T</source>
        <comment>Thursday</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F</source>
        <comment>Friday</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S</source>
        <comment>Saturday</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S</source>
        <comment>Sunday</comment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecurringEditScopeDialog</name>
    <message>
        <source>Edit Recurring Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This event repeats. Apply your changes to:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This event only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only this occurrence is changed; the rest of the series stays as it was.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This and following events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This occurrence and every later one inherit the change. Past occurrences keep their original times.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All events in the series</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The master event shifts; every occurrence — past and future — moves with it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RemindersPane</name>
    <message>
        <source>Reminders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete all completed reminders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show completed reminders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No reminders yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a reminder to get a nudge at the time you set.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+ New Reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overdue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upcoming</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark Incomplete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark Complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete reminder?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? This cannot be undone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear completed reminders?</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Delete all %n completed reminder(s)? This cannot be undone.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>No calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a calendar first.</source>
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
    <name>SearchDialog</name>
    <message>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search events by title, location, or notes…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Range:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Past 30 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Past 90 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next 30 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next 12 months</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type to search.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep typing…</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n result(s).</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>No matches in this range.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (all day)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2 – %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SecretServiceCache</name>
    <message>
        <source>A password or sign-in could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No keyring is available; passwords and sign-ins are not saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A password or sign-in could not be saved to the keyring; it is kept until the program ends.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Light</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dark</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accent color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Small</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Medium</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Large</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X-Large</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Font size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Friday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Week starts on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Workday hours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show week numbers in mini-cal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default for new events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default for new tasks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(use first available)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(use last calendar)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>12-hour (1:30 PM)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>24-hour (13:30)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weather</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show weather in calendar headers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configure location and units…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Startup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open at login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch Tindlebrook Calendar to the system tray when you log in so calendars keep syncing without you needing to open the window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close to tray</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When enabled, clicking the window&apos;s close button hides the window to the system tray instead of quitting. Use File → Quit to actually exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start minimized to tray</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch directly to the tray without showing the window — pair with Open at login for a fully background-running app.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tasks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ask me each time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a new event from the task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set the task&apos;s start date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set the task&apos;s due date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When you drag a task from the Tasks pane onto the calendar, Tindlebrook can create a new event from it, fill in the task&apos;s start or due date based on where you dropped it, or ask you each time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drop a task onto the calendar:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cross-device sync</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick what syncs through your Tindlebrook account to your other devices. Calendar events from Google, Microsoft, and CalDAV servers sync directly with those services and aren&apos;t affected by these toggles.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>App preferences (theme, time format, etc.)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account credentials (CalDAV servers and tokens)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CalDAV usernames and app passwords ride alongside the rest of the bucket so a new device picks up your servers without re-entering credentials.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sync now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in to your Tindlebrook account to start syncing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Syncing…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Up to date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sync failed; will retry.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign-in expired. Please sign in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offline. Will sync when reconnected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default accent (%1). Click to override.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom accent (%1). Click to change.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preferences not saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These preferences could not be saved:
%1

The settings store may be read-only or full.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatusPills</name>
    <message>
        <source>Manage filters</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n account(s) need sign-in</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Click to open Calendar Accounts and sign in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n account(s) need password</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Click to open Calendar Accounts and re-enter the password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n account(s) need attention</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Click to open Calendar Accounts and resolve the issues.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Filter…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manage Filters…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disable all filters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable all filters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No filters</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n filter(s) applied</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hidden</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Could not save the filter.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SubscriptionCalendar</name>
    <message>
        <source>Subscription not loaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be loaded: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SyncErrorCode</name>
    <message>
        <source>Password missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in required</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TaskActions</name>
    <message>
        <source>Couldn&apos;t change the task</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TaskDetailsPopover</name>
    <message>
        <source>Edit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Subtask</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Untitled task)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>▶  Starts %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 priority</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark incomplete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Untitled event)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Linked event:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Linked events:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete task?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? This cannot be undone.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TaskDrop</name>
    <message>
        <source>Create event from task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set start date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set due date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t update task — see log.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set start date for &quot;%1&quot; to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set due date for &quot;%1&quot; to %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TaskEditor</name>
    <message>
        <source>Task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be deleted. The log has the details.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; was copied to its new calendar, but not all of it could be removed from the old one. The log has the details.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be stored, so nothing was changed. The log has the details.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The task no longer exists.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TaskFormDialog</name>
    <message>
        <source>New Task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update the task and save to apply.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drop a quick to-do; due date and priority are optional.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Buy birthday gift, prep Q1 report…</source>
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
        <source>Set start date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Starts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set due date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Due</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re&amp;minders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Repeat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Due date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Completion date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Due date: next due = current due + interval.
Completion date: next due = today + interval.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeats &amp;from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>— None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>● High</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>● Medium</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>● Low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Priority</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. Personal, Health, Errands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Categories</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Steps, links, context…</source>
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
        <source>Create task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At due time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10 minutes before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30 minutes before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 hour before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 day before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 days before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subtasks stay in their parent task&apos;s calendar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A reminder is a to-do that nudges you at the time you set.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remind me</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tags</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 minutes before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 hours before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 days before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No reminders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter a title for the task.</source>
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
        <source>Database Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the task.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TaskMarks</name>
    <message>
        <source>High</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Medium</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TasksPane</name>
    <message>
        <source>No tasks yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a task to track what needs doing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tasks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter tasks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+ New Task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All tasks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Due today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Due this week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overdue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group by calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show categories</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing due today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch the filter to see other tasks.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing due this week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing overdue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You&apos;re caught up. Nice.</source>
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
        <source>Can&apos;t move task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subtasks must belong to the same calendar as their parent. Move &quot;%1&quot; to the same calendar first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Subtask</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark Incomplete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark Complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear In Progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark In Progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore Task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark Cancelled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make Top-Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete task?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? This cannot be undone.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TasksPaneRow</name>
    <message>
        <source>(Untitled)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting to sync</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IN PROGRESS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CANCELLED</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>↳ subtask</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TemplateEditorDialog</name>
    <message>
        <source>New Template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At time of event</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) before</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>1 hour before</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>e.g., Standup, Doctor visit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event title shown on the calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Optional location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use calendar color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(use default)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All-day event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>h</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default duration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recurrence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reminders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+ Add reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No reminders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove reminder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, click to change.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inherits the calendar&apos;s color. Click to override.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Missing name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give this template a name so you can pick it later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Missing event title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set the event title. That&apos;s what events created from this template will be called.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TindAccount::ApiClient</name>
    <message>
        <source>Your sign-in has expired. Please sign in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The service answered HTTP %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The service could not be reached.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TindAccount::ShareMembersDialog</name>
    <message>
        <source>People with access</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add people</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All group members already have access</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not shared with anyone yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove access</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not share with %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove access?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 will no longer have access. Continue?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not remove %1.</source>
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
    <message>
        <source>Loading release notes…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*Release notes are not available for this version.*</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TindUpdate::WhatsNewDialog</name>
    <message>
        <source>What&apos;s New in %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What&apos;s new in %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You are running version %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tindlebrook::CalendarUpgradeService</name>
    <message>
        <source>Calendar&apos;s account is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only Tindlebrook-native calendars can be upgraded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar is already on Tindlebrook</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not signed in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server registration failed (HTTP %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n event(s) or task(s) could not be uploaded to Tindlebrook.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Tindlebrook::SharingBackend</name>
    <message>
        <source>Not signed in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sharing failed (HTTP %1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tindlebrook::SyncClient</name>
    <message>
        <source>Not signed in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tindlebrook pull failed (HTTP %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tindlebrook pull: %1 event(s) could not be stored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tindlebrook push: %1 event(s) failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tindlebrook pull failed: the service&apos;s answer could not be read</source>
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
    <name>UnencryptedSecretsNotice</name>
    <message>
        <source>Passwords Not Encrypted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No desktop keyring is available, so your account passwords and sign-in tokens are kept in a file in your data folder without encryption. Anyone who can read your files can read them.

Install or unlock a keyring (such as GNOME Keyring or KWallet) to keep them encrypted.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UpdateUi</name>
    <message>
        <source>No release notes available for %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking for updates…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is up to date (version %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update check failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading release notes…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ViewArea</name>
    <message>
        <source>Day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days timeline span — Ctrl+Shift+1..5 for 3 / 5 / 7 / 10 / 14 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Calendar Group…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Current Group…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Current Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete group?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can recreate it later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today · %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not delete the group.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ViewFormDialog</name>
    <message>
        <source>Edit Calendar Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Calendar Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar Groups are saved sets of calendars you switch between. Pick which calendars belong to this group, leave the list empty to include every visible calendar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. Work, Personal, Travel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Accent:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendars:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“All Calendars” always covers every visible calendar — its membership can&apos;t be edited. Toggle individual calendars from their own menus instead.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(no accent)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick a group accent color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter a name for the group.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the group.</source>
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
    <name>WeatherSettingsDialog</name>
    <message>
        <source>Weather</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show weather alongside your calendar. Forecast comes from Open-Meteo (free, no signup). Search for a city below to set the location.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable weather</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>City name or postal code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;City:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No location set.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current location: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Celsius (°C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fahrenheit (°F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Units:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No matches found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Searching…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weather not saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The weather settings could not be saved. The settings store may be read-only or full.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Webcal::SyncClient</name>
    <message>
        <source>Invalid subscription URL: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The feed is larger than %1 MB.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server did not answer within %1 seconds.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subscription fetch failed (%1): %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subscription fetch failed: HTTP %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subscription returned an empty body</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subscription did not return a calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subscription returned an incomplete calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subscription has more than %1 events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subscription events could not be saved</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WebcalSubscriptionDialog</name>
    <message>
        <source>Add Subscription</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subscribe to a public ICS feed (holidays, sports schedules, shared calendars). Updates pull on every sync; the calendar is read-only.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Optional, derived from URL when blank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subscribe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>URL required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a feed URL to subscribe.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t parse &quot;%1&quot;. Provide a full URL (https://, http://, or webcal://).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t create the subscription calendar.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WeekGridWidget</name>
    <message numerus="yes">
        <source>+%n more</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WeekTimelineWidget</name>
    <message>
        <source>%1 min</source>
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
        <source>We&apos;ve set up a Personal calendar so you can start adding events right away. Everything you create stays on this device unless you choose to sync it.

When you&apos;re ready, open Calendar Accounts to connect %1 or any CalDAV server (Synology, Nextcloud, Radicale, iCloud), or add another local calendar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>We&apos;ve set up a Personal calendar so you can start adding events right away. Everything you create stays on this device unless you choose to sync it.

When you&apos;re ready, open Calendar Accounts to connect any CalDAV server (Synology, Nextcloud, Radicale, iCloud), or add another local calendar.</source>
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
<context>
    <name>MeetingMove</name>
    <message>
        <source>&quot;%1&quot; has guests, and Outlook would send them a new invitation (or a cancellation) if it moved to &quot;%2&quot;. It stays in &quot;%3&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is organized by %2, and on Google it would become your own meeting, shown to its guests without its organizer, if it moved to &quot;%3&quot;. It stays in &quot;%4&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecurringEditScope</name>
    <message>
        <source>&quot;%1&quot; was left as it was: its repeat rule cannot move every occurrence by the same days (a day such as the 31st, or the second Monday of a month). Change the rule in the event form, or move the occurrences one at a time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; was left as it was: its repeat rule cannot start again from this occurrence and keep the same days (a day such as the 31st, which shorter months move to their last day). Change the rule in the event form, or move the occurrences one at a time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The event</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
