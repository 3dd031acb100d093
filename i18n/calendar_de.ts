<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
    <context>
        <name>AccountFormDialog</name>
        <message>
            <source>Use your Zoho password, or an app-specific password if 2FA is enabled. Generate one at Zoho Account &gt; Security &gt; App Passwords.</source>
            <translation>Verwenden Sie Ihr Zoho-Passwort oder, wenn 2FA aktiviert ist, ein app-spezifisches Passwort. Erstellen Sie eines in Ihrem Zoho-Konto unter Zoho Account &gt; Security &gt; App Passwords.</translation>
        </message>
        <message>
            <source>iCloud requires an app-specific password. Generate one at appleid.apple.com under Sign-In and Security &gt; App-Specific Passwords.</source>
            <translation>iCloud erfordert ein app-spezifisches Passwort. Erstellen Sie eines auf appleid.apple.com unter „Anmeldung und Sicherheit“ &gt; „App-spezifische Passwörter“.</translation>
        </message>
        <message>
            <source>Webcal Subscription</source>
            <translation>Webcal-Abonnement</translation>
        </message>
        <message>
            <source>Edit Account</source>
            <translation>Konto bearbeiten</translation>
        </message>
        <message>
            <source>Provider:</source>
            <translation>Anbieter:</translation>
        </message>
        <message>
            <source>Account name</source>
            <translation>Kontoname</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>(unchanged, type to replace)</source>
            <translation>(unverändert, zum Ersetzen eingeben)</translation>
        </message>
        <message>
            <source>Server URL</source>
            <translation>Server-URL</translation>
        </message>
        <message>
            <source>Username</source>
            <translation>Benutzername</translation>
        </message>
        <message>
            <source>App password</source>
            <translation>App-Passwort</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Passwort</translation>
        </message>
        <message>
            <source>Sync interval</source>
            <translation>Synchronisierungsintervall</translation>
        </message>
        <message>
            <source>The password is stored in your platform's secure credential store, not in the app's database.</source>
            <translation>Das Passwort wird im sicheren Zugangsdatenspeicher Ihres Systems abgelegt, nicht in der Datenbank der App.</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>Speichern</translation>
        </message>
        <message>
            <source>Manual only</source>
            <translation>Nur manuell</translation>
        </message>
        <message>
            <source>Every 5 minutes</source>
            <translation>Alle 5 Minuten</translation>
        </message>
        <message>
            <source>Every 15 minutes</source>
            <translation>Alle 15 Minuten</translation>
        </message>
        <message>
            <source>Every 30 minutes</source>
            <translation>Alle 30 Minuten</translation>
        </message>
        <message>
            <source>Every hour</source>
            <translation>Stündlich</translation>
        </message>
        <message>
            <source>Every 4 hours</source>
            <translation>Alle 4 Stunden</translation>
        </message>
        <message>
            <source>Once a day</source>
            <translation>Einmal täglich</translation>
        </message>
        <message numerus="yes">
            <source>Every %n minute(s)</source>
            <translation>
                <numerusform>Jede %n Minute</numerusform>
                <numerusform>Alle %n Minuten</numerusform>
            </translation>
        </message>
        <message>
            <source>Missing field</source>
            <translation>Fehlende Angabe</translation>
        </message>
        <message>
            <source>Account name is required.</source>
            <translation>Der Kontoname ist erforderlich.</translation>
        </message>
        <message>
            <source>Server URL and username are required.</source>
            <translation>Server-URL und Benutzername sind erforderlich.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Datenbankfehler</translation>
        </message>
        <message>
            <source>Could not save the account.</source>
            <translation>Das Konto konnte nicht gespeichert werden.</translation>
        </message>
    </context>
    <context>
        <name>AccountName</name>
        <message>
            <source>On This Device</source>
            <translation>Auf diesem Gerät</translation>
        </message>
    </context>
    <context>
        <name>AccountRow</name>
        <message>
            <source>CalDAV Server</source>
            <translation>CalDAV-Server</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar</source>
            <translation>Tindlebrook Calendar</translation>
        </message>
        <message>
            <source>%1 · sign in needed</source>
            <translation>%1 · Anmeldung erforderlich</translation>
        </message>
        <message>
            <source>%1 · password needed</source>
            <translation>%1 · Passwort erforderlich</translation>
        </message>
        <message>
            <source>Sign in…</source>
            <translation>Anmelden…</translation>
        </message>
        <message>
            <source>Sync now</source>
            <translation>Jetzt synchronisieren</translation>
        </message>
        <message>
            <source>Refresh calendars</source>
            <translation>Kalender aktualisieren</translation>
        </message>
        <message>
            <source>Edit account…</source>
            <translation>Konto bearbeiten…</translation>
        </message>
        <message>
            <source>Add calendar…</source>
            <translation>Kalender hinzufügen…</translation>
        </message>
        <message>
            <source>Move up</source>
            <translation>Nach oben</translation>
        </message>
        <message>
            <source>Move down</source>
            <translation>Nach unten</translation>
        </message>
        <message>
            <source>Remove account…</source>
            <translation>Konto entfernen…</translation>
        </message>
    </context>
    <context>
        <name>AgendaEventRow</name>
        <message>
            <source>All-day</source>
            <translation>Ganztägig</translation>
        </message>
        <message>
            <source>(Untitled)</source>
            <translation>(Ohne Titel)</translation>
        </message>
    </context>
    <context>
        <name>AgendaListWidget</name>
        <message>
            <source>No upcoming events</source>
            <translation>Keine anstehenden Termine</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Heute</translation>
        </message>
        <message>
            <source>Tomorrow</source>
            <translation>Morgen</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>Bearbeiten…</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Löschen</translation>
        </message>
        <message>
            <source>Mark Incomplete</source>
            <translation>Als unerledigt markieren</translation>
        </message>
        <message>
            <source>Mark Complete</source>
            <translation>Als erledigt markieren</translation>
        </message>
        <message>
            <source>Delete task?</source>
            <translation>Aufgabe löschen?</translation>
        </message>
        <message>
            <source>Delete "%1"? This cannot be undone.</source>
            <translation>„%1“ löschen? Dies kann nicht rückgängig gemacht werden.</translation>
        </message>
    </context>
    <context>
        <name>AgendaTaskRow</name>
        <message>
            <source>(Untitled)</source>
            <translation>(Ohne Titel)</translation>
        </message>
        <message>
            <source>Overdue</source>
            <translation>Überfällig</translation>
        </message>
    </context>
    <context>
        <name>AllDayStrip</name>
        <message>
            <source>all-day</source>
            <translation>ganztägig</translation>
        </message>
        <message>
            <source>+%1 more</source>
            <translation>+%1 weitere</translation>
        </message>
    </context>
    <context>
        <name>Application</name>
        <message>
            <source>Failed to initialize the database.

Data directory: %1

Please check file permissions and try again.</source>
            <translation>Die Datenbank konnte nicht initialisiert werden.

Datenverzeichnis: %1

Bitte prüfen Sie die Dateiberechtigungen und versuchen Sie es erneut.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Datenbankfehler</translation>
        </message>
        <message>
            <source>Calendar Already Running</source>
            <translation>Kalender läuft bereits</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar is already running on this data folder and did not respond.

Data directory: %1

Close the running calendar, or wait for it to respond, and try again.</source>
            <translation>Tindlebrook Calendar läuft bereits mit diesem Datenordner und hat nicht geantwortet.

Datenverzeichnis: %1

Beenden Sie den laufenden Kalender oder warten Sie, bis er antwortet, und versuchen Sie es erneut.</translation>
        </message>
        <message>
            <source>Data Folder Not Writable</source>
            <translation>Datenordner nicht beschreibbar</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar cannot write to its data folder.

Data directory: %1

Make the folder writable for your user and try again.</source>
            <translation>Tindlebrook Calendar kann nicht in seinen Datenordner schreiben.

Datenverzeichnis: %1

Machen Sie den Ordner für Ihren Benutzer beschreibbar und versuchen Sie es erneut.</translation>
        </message>
        <message>
            <source>Data Folder Used by Another Computer</source>
            <translation>Datenordner wird von einem anderen Computer verwendet</translation>
        </message>
        <message>
            <source>The data folder is in use by Tindlebrook Calendar on another computer (%1).

Lock file: %2

Close the calendar on that computer and try again. If it is not running there (for example, the folder was copied from that computer), delete the lock file and start again.</source>
            <translation>Der Datenordner wird von Tindlebrook Calendar auf einem anderen Computer (%1) verwendet.

Sperrdatei: %2

Beenden Sie den Kalender auf diesem Computer und versuchen Sie es erneut. Läuft er dort nicht (etwa weil der Ordner von diesem Computer kopiert wurde), löschen Sie die Sperrdatei und starten Sie den Kalender erneut.</translation>
        </message>
    </context>
    <context>
        <name>CalDavCertificateDialog</name>
        <message>
            <source>Untrusted certificate</source>
            <translation>Nicht vertrauenswürdiges Zertifikat</translation>
        </message>
        <message>
            <source>Trust this certificate?</source>
            <translation>Diesem Zertifikat vertrauen?</translation>
        </message>
        <message>
            <source>%1:%2 presented a TLS certificate that doesn't chain to a trusted root. Review it before trusting it, anyone with this fingerprint can impersonate the server.</source>
            <translation>%1:%2 hat ein TLS-Zertifikat vorgelegt, das sich nicht auf eine vertrauenswürdige Stammzertifizierungsstelle zurückführen lässt. Prüfen Sie es, bevor Sie ihm vertrauen: Wer diesen Fingerabdruck besitzt, kann sich als dieser Server ausgeben.</translation>
        </message>
        <message>
            <source>(unknown)</source>
            <translation>(unbekannt)</translation>
        </message>
        <message>
            <source>Subject</source>
            <translation>Antragsteller</translation>
        </message>
        <message>
            <source>Issuer</source>
            <translation>Aussteller</translation>
        </message>
        <message>
            <source>Valid from</source>
            <translation>Gültig ab</translation>
        </message>
        <message>
            <source>Valid until</source>
            <translation>Gültig bis</translation>
        </message>
        <message>
            <source>SHA-256</source>
            <translation>SHA-256</translation>
        </message>
        <message>
            <source>Errors</source>
            <translation>Fehler</translation>
        </message>
        <message>
            <source>Only trust this certificate if you control the server and recognize the fingerprint. Trusting a malicious certificate gives attackers full access to your calendar data.</source>
            <translation>Vertrauen Sie diesem Zertifikat nur, wenn Sie den Server selbst verwalten und den Fingerabdruck kennen. Wenn Sie einem bösartigen Zertifikat vertrauen, erhalten Angreifer vollen Zugriff auf Ihre Kalenderdaten.</translation>
        </message>
        <message>
            <source>Trust certificate</source>
            <translation>Zertifikat vertrauen</translation>
        </message>
    </context>
    <context>
        <name>CalDavClient</name>
        <message>
            <source>The server did not answer within %1 seconds.</source>
            <translation>Der Server hat nicht innerhalb von %1 Sekunden geantwortet.</translation>
        </message>
        <message>
            <source>The server's reply was cut off (%1 of %2 bytes).</source>
            <translation>Die Antwort des Servers wurde abgeschnitten (%1 von %2 Bytes).</translation>
        </message>
    </context>
    <context>
        <name>CalDavConnectionDialog</name>
        <message>
            <source>Add CalDAV Server</source>
            <translation>CalDAV-Server hinzufügen</translation>
        </message>
        <message>
            <source>Connect to a CalDAV server (Radicale, Baikal, Nextcloud, iCloud, Fastmail, Zoho, ...). Enter the server URL or your account URL, discovery will find your calendars from there.</source>
            <translation>Mit einem CalDAV-Server verbinden (Radicale, Baikal, Nextcloud, iCloud, Fastmail, Zoho, ...). Geben Sie die Server-URL oder Ihre Konto-URL ein; von dort aus werden Ihre Kalender automatisch gefunden.</translation>
        </message>
        <message>
            <source>Your username or email</source>
            <translation>Ihr Benutzername oder Ihre E-Mail-Adresse</translation>
        </message>
        <message>
            <source>e.g. Work Nextcloud</source>
            <translation>z. B. Nextcloud Arbeit</translation>
        </message>
        <message>
            <source>&amp;Server URL:</source>
            <translation>&amp;Server-URL:</translation>
        </message>
        <message>
            <source>&amp;Username:</source>
            <translation>&amp;Benutzername:</translation>
        </message>
        <message>
            <source>&amp;Password:</source>
            <translation>&amp;Passwort:</translation>
        </message>
        <message>
            <source>&amp;Account name:</source>
            <translation>&amp;Kontoname:</translation>
        </message>
        <message>
            <source>Discover Calendars</source>
            <translation>Kalender suchen</translation>
        </message>
        <message>
            <source>Add Calendars</source>
            <translation>Kalender hinzufügen</translation>
        </message>
        <message>
            <source>Enter the server URL and your username first.</source>
            <translation>Geben Sie zuerst die Server-URL und Ihren Benutzernamen ein.</translation>
        </message>
        <message>
            <source>Connecting…</source>
            <translation>Verbindung wird hergestellt…</translation>
        </message>
        <message>
            <source>Found %1 calendar(s). Pick which to add.</source>
            <translation>%1 Kalender gefunden. Wählen Sie aus, welche hinzugefügt werden sollen.</translation>
        </message>
        <message>
            <source>Connection cancelled, certificate not trusted.</source>
            <translation>Verbindung abgebrochen, dem Zertifikat wird nicht vertraut.</translation>
        </message>
        <message>
            <source>Certificate trusted. Retrying…</source>
            <translation>Zertifikat wird vertraut. Neuer Versuch…</translation>
        </message>
        <message>
            <source>Discover first</source>
            <translation>Zuerst suchen</translation>
        </message>
        <message>
            <source>Click "Discover Calendars" before saving.</source>
            <translation>Klicken Sie vor dem Speichern auf „Kalender suchen“.</translation>
        </message>
        <message>
            <source>Pick at least one</source>
            <translation>Mindestens einen wählen</translation>
        </message>
        <message>
            <source>Select one or more calendars to add.</source>
            <translation>Wählen Sie mindestens einen Kalender zum Hinzufügen aus.</translation>
        </message>
        <message>
            <source>Already added</source>
            <translation>Bereits hinzugefügt</translation>
        </message>
        <message>
            <source>This server is already added as "%1". Its calendars are already available — no need to add it again.</source>
            <translation>Dieser Server ist bereits als „%1“ hinzugefügt. Seine Kalender sind schon verfügbar – Sie müssen ihn nicht erneut hinzufügen.</translation>
        </message>
        <message>
            <source>CalDAV (%1)</source>
            <translation>CalDAV (%1)</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Datenbankfehler</translation>
        </message>
        <message>
            <source>Could not save the account.</source>
            <translation>Das Konto konnte nicht gespeichert werden.</translation>
        </message>
        <message>
            <source>Unencrypted Connection</source>
            <translation>Unverschlüsselte Verbindung</translation>
        </message>
        <message>
            <source>%1 is reached over plain http: your password will travel unencrypted, and anyone on the network between you and the server can read it.

Save this account anyway?</source>
            <translation>%1 wird über unverschlüsseltes http erreicht: Ihr Passwort wird unverschlüsselt übertragen, und jeder im Netzwerk zwischen Ihnen und dem Server kann es lesen.

Dieses Konto trotzdem speichern?</translation>
        </message>
        <message>
            <source>&quot;Add Calendars&quot; creates one on the server.</source>
            <translation>„Kalender hinzufügen“ legt einen auf dem Server an.</translation>
        </message>
        <message>
            <source>Could not remove the account that has no calendar.</source>
            <translation>Das Konto ohne Kalender konnte nicht entfernt werden.</translation>
        </message>
        <message>
            <source>Connection cancelled: the password would have travelled unencrypted.</source>
            <translation>Verbindung abgebrochen: Das Passwort wäre unverschlüsselt übertragen worden.</translation>
        </message>
        <message>
            <source>%1 is reached over plain http: your password will travel unencrypted, and anyone on the network between you and the server can read it.

Connect anyway?</source>
            <translation>%1 wird über unverschlüsseltes http erreicht: Ihr Passwort wird unverschlüsselt übertragen, und jeder im Netzwerk zwischen Ihnen und dem Server kann es lesen.

Trotzdem verbinden?</translation>
        </message>
    </context>
    <context>
        <name>CalDavDiscovery</name>
        <message>
            <source>Enter a CalDAV URL starting with http:// or https://</source>
            <translation>Geben Sie eine CalDAV-URL ein, die mit http:// oder https:// beginnt</translation>
        </message>
        <message>
            <source>Could not reach the server: %1</source>
            <translation>Server nicht erreichbar: %1</translation>
        </message>
        <message>
            <source>no connection</source>
            <translation>keine Verbindung</translation>
        </message>
        <message>
            <source>The server rejected the username or password.</source>
            <translation>Der Server hat Benutzername oder Passwort abgelehnt.</translation>
        </message>
        <message>
            <source>Could not find a CalDAV account on that server. Check the URL.</source>
            <translation>Auf diesem Server wurde kein CalDAV-Konto gefunden. Prüfen Sie die URL.</translation>
        </message>
        <message>
            <source>Lost connection during calendar-home-set discovery: %1</source>
            <translation>Verbindung bei der Suche nach dem Kalender-Stammverzeichnis verloren: %1</translation>
        </message>
        <message>
            <source>Server returned HTTP %1 during home-set discovery.</source>
            <translation>Der Server meldete HTTP %1 bei der Suche nach dem Kalender-Stammverzeichnis.</translation>
        </message>
        <message>
            <source>Lost connection during calendar enumeration: %1</source>
            <translation>Verbindung beim Auflisten der Kalender verloren: %1</translation>
        </message>
        <message>
            <source>Server returned HTTP %1 during calendar enumeration.</source>
            <translation>Der Server meldete HTTP %1 beim Auflisten der Kalender.</translation>
        </message>
        <message>
            <source>No calendars found at the discovered home set.</source>
            <translation>Im gefundenen Stammverzeichnis wurden keine Kalender gefunden.</translation>
        </message>
        <message>
            <source>The server pointed to %1, which is not the address you entered; the password is not sent there.</source>
            <translation>Der Server verwies auf %1, das nicht die eingegebene Adresse ist; das Passwort wird dorthin nicht gesendet.</translation>
        </message>
    </context>
    <context>
        <name>CalDavSyncClient</name>
        <message>
            <source>Push error: %1</source>
            <translation>Fehler beim Hochladen: %1</translation>
        </message>
        <message>
            <source>"%1" is one occurrence of a repeating event and went back to its series' calendar.</source>
            <translation>„%1“ ist ein einzelner Termin einer Terminserie und ist in den Kalender seiner Serie zurückgekehrt.</translation>
        </message>
        <message numerus="yes">
            <source>%n item(s) could not be sent to the server: %1</source>
            <translation>
                <numerusform>%n Eintrag konnte nicht an den Server gesendet werden: %1</numerusform>
                <numerusform>%n Einträge konnten nicht an den Server gesendet werden: %1</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n pulled event(s) could not be saved: %1</source>
            <translation>
                <numerusform>%n abgerufener Termin konnte nicht gespeichert werden: %1</numerusform>
                <numerusform>%n abgerufene Termine konnten nicht gespeichert werden: %1</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n pulled task(s) could not be saved: %1</source>
            <translation>
                <numerusform>%n abgerufene Aufgabe konnte nicht gespeichert werden: %1</numerusform>
                <numerusform>%n abgerufene Aufgaben konnten nicht gespeichert werden: %1</numerusform>
            </translation>
        </message>
        <message>
            <source>"%1" was moved to your local task list: this calendar does not accept tasks. Task support has been turned off for it.</source>
            <translation>„%1“ wurde in Ihre lokale Aufgabenliste verschoben: Dieser Kalender nimmt keine Aufgaben an. Die Aufgabenunterstützung wurde für ihn ausgeschaltet.</translation>
        </message>
        <message>
            <source>"%1" was rejected: this calendar does not accept tasks. Task support has been turned off for it.</source>
            <translation>„%1“ wurde abgelehnt: Dieser Kalender nimmt keine Aufgaben an. Die Aufgabenunterstützung wurde für ihn ausgeschaltet.</translation>
        </message>
        <message>
            <source>"%1" (HTTP %2), kept in "%3" until this calendar's server accepts it</source>
            <translation>„%1“ (HTTP %2), bleibt in „%3“, bis der Server dieses Kalenders die Aufgabe annimmt</translation>
        </message>
        <message>
            <source>"%1" (its UID or time zone cannot be written as it is)</source>
            <translation>„%1“ (ihre UID oder Zeitzone lässt sich nicht unverändert schreiben)</translation>
        </message>
        <message>
            <source>Could not read the stored events of this calendar; nothing was changed.</source>
            <translation>Die gespeicherten Termine dieses Kalenders konnten nicht gelesen werden; es wurde nichts geändert.</translation>
        </message>
        <message>
            <source>Could not save the pulled events: %1</source>
            <translation>Die abgerufenen Termine konnten nicht gespeichert werden: %1</translation>
        </message>
        <message>
            <source>Could not save the pulled tasks: %1</source>
            <translation>Die abgerufenen Aufgaben konnten nicht gespeichert werden: %1</translation>
        </message>
        <message>
            <source>Network error during task pull: %1</source>
            <translation>Netzwerkfehler beim Abrufen der Aufgaben: %1</translation>
        </message>
        <message>
            <source>Network error: %1</source>
            <translation>Netzwerkfehler: %1</translation>
        </message>
        <message>
            <source>Server returned HTTP %1</source>
            <translation>Der Server meldete HTTP %1</translation>
        </message>
        <message>
            <source>Server returned HTTP %1 during ctag check</source>
            <translation>Der Server meldete HTTP %1 bei der ctag-Prüfung</translation>
        </message>
        <message>
            <source>Server returned HTTP %1 during task pull</source>
            <translation>Der Server meldete HTTP %1 beim Abrufen der Aufgaben</translation>
        </message>
        <message>
            <source>Task push error: %1</source>
            <translation>Fehler beim Hochladen der Aufgabe: %1</translation>
        </message>
        <message>
            <source>The server's calendar listing was incomplete (HTTP %1); nothing was changed.</source>
            <translation>Die Kalenderliste des Servers war unvollständig (HTTP %1); es wurde nichts geändert.</translation>
        </message>
        <message>
            <source>The server's task listing was incomplete (HTTP %1); nothing was changed.</source>
            <translation>Die Aufgabenliste des Servers war unvollständig (HTTP %1); es wurde nichts geändert.</translation>
        </message>
    </context>
    <context>
        <name>CalendarFormDialog</name>
        <message>
            <source>Missing password</source>
            <translation>Passwort fehlt</translation>
        </message>
        <message>
            <source>No saved password for this account. Edit the account first to re-enter your credentials.</source>
            <translation>Für dieses Konto ist kein Passwort gespeichert. Bearbeiten Sie zuerst das Konto, um Ihre Zugangsdaten erneut einzugeben.</translation>
        </message>
        <message>
            <source>Creating calendar on server…</source>
            <translation>Kalender wird auf dem Server erstellt…</translation>
        </message>
        <message>
            <source>Network error: %1</source>
            <translation>Netzwerkfehler: %1</translation>
        </message>
        <message>
            <source>Server refused (HTTP %1). Your account may not have permission to create calendars on this server.</source>
            <translation>Der Server hat abgelehnt (HTTP %1). Ihr Konto darf auf diesem Server möglicherweise keine Kalender erstellen.</translation>
        </message>
        <message>
            <source>Server returned success but the new calendar isn't reachable. This server may not support MKCALENDAR.</source>
            <translation>Der Server meldete Erfolg, aber der neue Kalender ist nicht erreichbar. Dieser Server unterstützt MKCALENDAR möglicherweise nicht.</translation>
        </message>
        <message>
            <source>Created on server, but couldn't save locally. Run sync to recover.</source>
            <translation>Auf dem Server erstellt, aber lokal nicht gespeichert. Synchronisieren Sie, um dies zu beheben.</translation>
        </message>
        <message>
            <source>Account missing</source>
            <translation>Konto fehlt</translation>
        </message>
        <message>
            <source>Could not find the parent account.</source>
            <translation>Das übergeordnete Konto wurde nicht gefunden.</translation>
        </message>
        <message>
            <source>Saving changes to server…</source>
            <translation>Änderungen werden auf dem Server gespeichert…</translation>
        </message>
        <message>
            <source>The server's answer could not be read, so the change may not have been made. Try again.</source>
            <translation>Die Antwort des Servers war nicht lesbar, daher wurde die Änderung möglicherweise nicht übernommen. Versuchen Sie es erneut.</translation>
        </message>
        <message>
            <source>Server refused (HTTP %1). You may not have permission to rename or recolour this calendar.</source>
            <translation>Der Server hat abgelehnt (HTTP %1). Sie dürfen diesen Kalender möglicherweise nicht umbenennen oder seine Farbe ändern.</translation>
        </message>
        <message>
            <source>Saved on server, but couldn't update locally.</source>
            <translation>Auf dem Server gespeichert, aber lokal nicht aktualisiert.</translation>
        </message>
        <message>
            <source>Checking whether this calendar accepts tasks…</source>
            <translation>Es wird geprüft, ob dieser Kalender Aufgaben annimmt…</translation>
        </message>
        <message>
            <source>This calendar does not accept tasks (server returned HTTP %1).</source>
            <translation>Dieser Kalender nimmt keine Aufgaben an (Server meldete HTTP %1).</translation>
        </message>
        <message>
            <source>Couldn't verify task support: %1</source>
            <translation>Aufgabenunterstützung konnte nicht geprüft werden: %1</translation>
        </message>
        <message>
            <source>Add Calendar</source>
            <translation>Kalender hinzufügen</translation>
        </message>
        <message>
            <source>Add Calendar to %1</source>
            <translation>Kalender zu %1 hinzufügen</translation>
        </message>
        <message>
            <source>Edit Calendar</source>
            <translation>Kalender bearbeiten</translation>
        </message>
        <message>
            <source>The calendar is kept on this device only. It is not sent to any server.</source>
            <translation>Der Kalender bleibt nur auf diesem Gerät. Er wird an keinen Server gesendet.</translation>
        </message>
        <message>
            <source>Create a new calendar on the CalDAV server. The server must allow MKCALENDAR for your user; if it refuses, the calendar will not be created.</source>
            <translation>Erstellt einen neuen Kalender auf dem CalDAV-Server. Der Server muss MKCALENDAR für Ihren Benutzer erlauben; lehnt er ab, wird der Kalender nicht erstellt.</translation>
        </message>
        <message>
            <source>e.g. Personal, Work, Family</source>
            <translation>z. B. Privat, Arbeit, Familie</translation>
        </message>
        <message>
            <source>&amp;Name:</source>
            <translation>&amp;Name:</translation>
        </message>
        <message>
            <source>&amp;Color:</source>
            <translation>&amp;Farbe:</translation>
        </message>
        <message>
            <source>Allow tasks on this calendar</source>
            <translation>Aufgaben in diesem Kalender zulassen</translation>
        </message>
        <message>
            <source>Store tasks here even if the server doesn't advertise task support. Enable only if your provider (such as Fastmail) accepts tasks.</source>
            <translation>Aufgaben hier speichern, auch wenn der Server keine Aufgabenunterstützung meldet. Nur aktivieren, wenn Ihr Anbieter (z. B. Fastmail) Aufgaben annimmt.</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>Speichern</translation>
        </message>
        <message>
            <source>Create</source>
            <translation>Erstellen</translation>
        </message>
        <message>
            <source>Name required</source>
            <translation>Name erforderlich</translation>
        </message>
        <message>
            <source>Please enter a name for the calendar.</source>
            <translation>Bitte geben Sie einen Namen für den Kalender ein.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Datenbankfehler</translation>
        </message>
        <message>
            <source>Could not create the local account row.</source>
            <translation>Der lokale Kontoeintrag konnte nicht erstellt werden.</translation>
        </message>
        <message>
            <source>Could not save the calendar.</source>
            <translation>Der Kalender konnte nicht gespeichert werden.</translation>
        </message>
        <message>
            <source>Pick a calendar color</source>
            <translation>Kalenderfarbe wählen</translation>
        </message>
        <message>
            <source>Calendar on another server</source>
            <translation>Kalender auf einem anderen Server</translation>
        </message>
        <message>
            <source>%1 is not on this account's server (%2), so your password is not sent there.</source>
            <translation>%1 liegt nicht auf dem Server dieses Kontos (%2), daher wird Ihr Passwort nicht dorthin gesendet.</translation>
        </message>
    </context>
    <context>
        <name>CalendarGroupName</name>
        <message>
            <source>All Calendars</source>
            <translation>Alle Kalender</translation>
        </message>
    </context>
    <context>
        <name>CalendarRow</name>
        <message>
            <source>Show this calendar in views</source>
            <translation>Diesen Kalender in den Ansichten zeigen</translation>
        </message>
        <message>
            <source>Sign in to sync</source>
            <translation>Zum Synchronisieren anmelden</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>Standard</translation>
        </message>
        <message>
            <source>Edit calendar…</source>
            <translation>Kalender bearbeiten…</translation>
        </message>
        <message>
            <source>Set as default</source>
            <translation>Als Standard festlegen</translation>
        </message>
        <message>
            <source>Share…</source>
            <translation>Teilen…</translation>
        </message>
        <message>
            <source>Remove calendar…</source>
            <translation>Kalender entfernen…</translation>
        </message>
    </context>
    <context>
        <name>CommandPalette</name>
        <message>
            <source>Find an event or run a command — today, goto, view, new, resync…</source>
            <translation>Termin suchen oder Befehl ausführen – today, goto, view, new, resync…</translation>
        </message>
        <message>
            <source>today</source>
            <translation>today</translation>
        </message>
        <message>
            <source>Snap the calendar to today</source>
            <translation>Kalender auf heute setzen</translation>
        </message>
        <message>
            <source>goto YYYY-MM-DD</source>
            <translation>goto JJJJ-MM-TT</translation>
        </message>
        <message>
            <source>Jump to a specific date in Day view</source>
            <translation>In der Tagesansicht zu einem Datum springen</translation>
        </message>
        <message>
            <source>view &lt;mode|name&gt;</source>
            <translation>view &lt;Modus|Name&gt;</translation>
        </message>
        <message>
            <source>Switch view mode (day/week/grid/month/year) or active calendar group</source>
            <translation>Ansicht (day/week/grid/month/year) oder aktive Kalendergruppe wechseln</translation>
        </message>
        <message>
            <source>new &lt;event description&gt;</source>
            <translation>new &lt;Terminbeschreibung&gt;</translation>
        </message>
        <message>
            <source>Quick-add an event using the NL parser</source>
            <translation>Termin per Schnelleingabe in natürlicher Sprache anlegen</translation>
        </message>
        <message>
            <source>resync</source>
            <translation>resync</translation>
        </message>
        <message>
            <source>Pull + push every CalDAV calendar</source>
            <translation>Alle CalDAV-Kalender abrufen und hochladen</translation>
        </message>
        <message>
            <source>notifytest</source>
            <translation>notifytest</translation>
        </message>
        <message>
            <source>Fire a test tray notification (verifies the pipeline)</source>
            <translation>Testbenachrichtigung im Infobereich auslösen (prüft die Zustellung)</translation>
        </message>
        <message>
            <source>Switch to Day view</source>
            <translation>Zur Tagesansicht wechseln</translation>
        </message>
        <message>
            <source>Switch to Week view (locale-bracketed 7 days)</source>
            <translation>Zur Wochenansicht wechseln (Kalenderwoche nach Region)</translation>
        </message>
        <message>
            <source>Switch to Days view (sliding window)</source>
            <translation>Zur Tagesspanne wechseln (gleitendes Fenster)</translation>
        </message>
        <message>
            <source>Switch to Grid view</source>
            <translation>Zur Rasteransicht wechseln</translation>
        </message>
        <message>
            <source>Switch to Month view</source>
            <translation>Zur Monatsansicht wechseln</translation>
        </message>
        <message>
            <source>Switch to Year view</source>
            <translation>Zur Jahresansicht wechseln</translation>
        </message>
        <message>
            <source>Days view, 3-day sliding window</source>
            <translation>Tagesspanne, 3 Tage</translation>
        </message>
        <message>
            <source>Days view, 5-day sliding window</source>
            <translation>Tagesspanne, 5 Tage</translation>
        </message>
        <message>
            <source>Days view, 10-day medium-term horizon</source>
            <translation>Tagesspanne, 10 Tage</translation>
        </message>
        <message>
            <source>Days view, 14-day fortnight horizon</source>
            <translation>Tagesspanne, 14 Tage</translation>
        </message>
        <message>
            <source>all-day</source>
            <translation>ganztägig</translation>
        </message>
        <message>
            <source>(Untitled)</source>
            <translation>(Ohne Titel)</translation>
        </message>
        <message>
            <source>Event: %1   —   %2 · %3</source>
            <translation>Termin: %1   —   %2 · %3</translation>
        </message>
    </context>
    <context>
        <name>DBusNotifier</name>
        <message>
            <source>Open</source>
            <translation>Öffnen</translation>
        </message>
    </context>
    <context>
        <name>DateTimePicker</name>
        <message>
            <source>%1 min</source>
            <translation>%1 Min.</translation>
        </message>
        <message>
            <source>%1 hr</source>
            <translation>%1 Std.</translation>
        </message>
        <message>
            <source>%1 hr %2 min</source>
            <translation>%1 Std. %2 Min.</translation>
        </message>
    </context>
    <context>
        <name>DayTimelineWidget</name>
        <message>
            <source>%1 min</source>
            <translation>%1 Min.</translation>
        </message>
    </context>
    <context>
        <name>DetachedAgendaWindow</name>
        <message>
            <source>Agenda — Tindlebrook Calendar</source>
            <translation>Agenda — Tindlebrook Calendar</translation>
        </message>
    </context>
    <context>
        <name>DetachedRemindersWindow</name>
        <message>
            <source>Reminders — Tindlebrook Calendar</source>
            <translation>Erinnerungen — Tindlebrook Calendar</translation>
        </message>
    </context>
    <context>
        <name>DetachedTasksWindow</name>
        <message>
            <source>Tasks — Tindlebrook Calendar</source>
            <translation>Aufgaben — Tindlebrook Calendar</translation>
        </message>
    </context>
    <context>
        <name>EventActions</name>
        <message>
            <source>Couldn't save the change</source>
            <translation>Änderung konnte nicht gespeichert werden</translation>
        </message>
        <message>
            <source>Couldn't delete the event</source>
            <translation>Termin konnte nicht gelöscht werden</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>Bearbeiten…</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Löschen</translation>
        </message>
        <message>
            <source>Edit filter "%1"…</source>
            <translation>Filter „%1“ bearbeiten…</translation>
        </message>
        <message>
            <source>Create Filter from Event…</source>
            <translation>Filter aus Termin erstellen…</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Termin</translation>
        </message>
        <message>
            <source>Delete "%1"? You can undo with %2.</source>
            <translation>„%1“ löschen? Mit %2 können Sie es rückgängig machen.</translation>
        </message>
        <message>
            <source>Delete event?</source>
            <translation>Termin löschen?</translation>
        </message>
        <message>
            <source>%1 (copy)</source>
            <translation>%1 (Kopie)</translation>
        </message>
        <message>
            <source>Couldn't duplicate the event</source>
            <translation>Termin konnte nicht dupliziert werden</translation>
        </message>
    </context>
    <context>
        <name>EventDetailsPopover</name>
        <message>
            <source>Edit…</source>
            <translation>Bearbeiten…</translation>
        </message>
        <message>
            <source>Duplicate</source>
            <translation>Duplizieren</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Löschen</translation>
        </message>
        <message>
            <source>(Untitled)</source>
            <translation>(Ohne Titel)</translation>
        </message>
        <message>
            <source>Organizer: %1</source>
            <translation>Organisator: %1</translation>
        </message>
        <message>
            <source>Unknown calendar</source>
            <translation>Unbekannter Kalender</translation>
        </message>
        <message>
            <source>(Untitled task)</source>
            <translation>(Aufgabe ohne Titel)</translation>
        </message>
        <message>
            <source>Linked task:</source>
            <translation>Verknüpfte Aufgabe:</translation>
        </message>
        <message>
            <source>All-day</source>
            <translation>Ganztägig</translation>
        </message>
    </context>
    <context>
        <name>EventEditor</name>
        <message>
            <source>Moved "%1"</source>
            <translation>„%1“ verschoben</translation>
        </message>
        <message>
            <source>Resized "%1"</source>
            <translation>Dauer von „%1“ geändert</translation>
        </message>
        <message>
            <source>Deleted "%1"</source>
            <translation>„%1“ gelöscht</translation>
        </message>
        <message>
            <source>"%1" could not be stored, so nothing was changed. The log has the details.</source>
            <translation>„%1“ konnte nicht gespeichert werden; es wurde nichts geändert. Details stehen im Protokoll.</translation>
        </message>
        <message>
            <source>"%1" could not be deleted. The log has the details.</source>
            <translation>„%1“ konnte nicht gelöscht werden. Details stehen im Protokoll.</translation>
        </message>
        <message>
            <source>The copy could not be stored. The log has the details.</source>
            <translation>Die Kopie konnte nicht gespeichert werden. Details stehen im Protokoll.</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Termin</translation>
        </message>
        <message>
            <source>"%1" was copied to its new calendar, but could not be removed from the old one. The log has the details.</source>
            <translation>„%1“ wurde in seinen neuen Kalender kopiert, konnte aber nicht aus dem alten entfernt werden. Details stehen im Protokoll.</translation>
        </message>
        <message>
            <source>"%1" is one occurrence of a repeating event and stays in its calendar. To move it, move the whole series.</source>
            <translation>„%1“ ist ein einzelner Termin einer Terminserie und bleibt in seinem Kalender. Um ihn zu verschieben, verschieben Sie die ganze Serie.</translation>
        </message>
    </context>
    <context>
        <name>EventFormDialog</name>
        <message>
            <source>New Event</source>
            <translation>Neuer Termin</translation>
        </message>
        <message>
            <source>Edit Event</source>
            <translation>Termin bearbeiten</translation>
        </message>
        <message>
            <source>Edit event</source>
            <translation>Termin bearbeiten</translation>
        </message>
        <message>
            <source>New event</source>
            <translation>Neuer Termin</translation>
        </message>
        <message>
            <source>Update the details below and save to apply.</source>
            <translation>Passen Sie die Angaben an und speichern Sie.</translation>
        </message>
        <message>
            <source>Fill in the basics. Start time and calendar are required.</source>
            <translation>Geben Sie die Grunddaten ein. Beginn und Kalender sind Pflicht.</translation>
        </message>
        <message>
            <source>Team sync, Dentist…</source>
            <translation>Teambesprechung, Zahnarzt…</translation>
        </message>
        <message>
            <source>&amp;Title</source>
            <translation>&amp;Titel</translation>
        </message>
        <message>
            <source>&amp;Calendar</source>
            <translation>&amp;Kalender</translation>
        </message>
        <message>
            <source>&amp;Starts</source>
            <translation>&amp;Beginn</translation>
        </message>
        <message>
            <source>&amp;Ends</source>
            <translation>&amp;Ende</translation>
        </message>
        <message>
            <source>All day</source>
            <translation>Ganztägig</translation>
        </message>
        <message>
            <source>Address, room, or video link</source>
            <translation>Adresse, Raum oder Videolink</translation>
        </message>
        <message>
            <source>&amp;Location</source>
            <translation>&amp;Ort</translation>
        </message>
        <message>
            <source>Notes, agenda, links…</source>
            <translation>Notizen, Tagesordnung, Links…</translation>
        </message>
        <message>
            <source>&amp;Notes</source>
            <translation>&amp;Notizen</translation>
        </message>
        <message>
            <source>Save changes</source>
            <translation>Änderungen speichern</translation>
        </message>
        <message>
            <source>Create event</source>
            <translation>Termin erstellen</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
        <message>
            <source>Title required</source>
            <translation>Titel erforderlich</translation>
        </message>
        <message>
            <source>Please enter a title for the event.</source>
            <translation>Bitte geben Sie einen Titel für den Termin ein.</translation>
        </message>
        <message>
            <source>No calendars</source>
            <translation>Keine Kalender</translation>
        </message>
        <message>
            <source>Create a calendar first.</source>
            <translation>Legen Sie zuerst einen Kalender an.</translation>
        </message>
        <message>
            <source>End before start</source>
            <translation>Ende vor Beginn</translation>
        </message>
        <message>
            <source>The end time is earlier than the start time.</source>
            <translation>Das Ende liegt vor dem Beginn.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Datenbankfehler</translation>
        </message>
        <message>
            <source>Could not save the event.</source>
            <translation>Der Termin konnte nicht gespeichert werden.</translation>
        </message>
        <message>
            <source>+ Add attendee</source>
            <translation>+ Teilnehmer hinzufügen</translation>
        </message>
        <message>
            <source>Going</source>
            <translation>Zugesagt</translation>
        </message>
        <message>
            <source>Declined</source>
            <translation>Abgelehnt</translation>
        </message>
        <message>
            <source>Maybe</source>
            <translation>Vielleicht</translation>
        </message>
        <message>
            <source>Delegated</source>
            <translation>Delegiert</translation>
        </message>
        <message>
            <source>No response</source>
            <translation>Keine Antwort</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>name@example.com</source>
            <translation>name@example.com</translation>
        </message>
        <message>
            <source>From template…</source>
            <translation>Aus Vorlage…</translation>
        </message>
        <message>
            <source>Color</source>
            <translation>Farbe</translation>
        </message>
        <message>
            <source>&amp;Repeats</source>
            <translation>&amp;Wiederholung</translation>
        </message>
        <message>
            <source>Re&amp;minders</source>
            <translation>&amp;Erinnerungen</translation>
        </message>
        <message>
            <source>Attendees</source>
            <translation>Teilnehmer</translation>
        </message>
        <message>
            <source>Use calendar color</source>
            <translation>Kalenderfarbe verwenden</translation>
        </message>
        <message>
            <source>Inheriting calendar color (%1). Click to override.</source>
            <translation>Übernimmt die Kalenderfarbe (%1). Zum Ändern klicken.</translation>
        </message>
        <message>
            <source>Custom color (%1). Click to change.</source>
            <translation>Eigene Farbe (%1). Zum Ändern klicken.</translation>
        </message>
        <message>
            <source>Event color</source>
            <translation>Terminfarbe</translation>
        </message>
        <message>
            <source>Does not repeat</source>
            <translation>Keine Wiederholung</translation>
        </message>
        <message>
            <source>No templates</source>
            <translation>Keine Vorlagen</translation>
        </message>
        <message>
            <source>You haven't created any event templates yet. Open Tools → Manage Templates to create one.</source>
            <translation>Sie haben noch keine Terminvorlagen erstellt. Öffnen Sie Extras → Vorlagen verwalten, um eine anzulegen.</translation>
        </message>
        <message>
            <source>+ Add reminder</source>
            <translation>+ Erinnerung hinzufügen</translation>
        </message>
        <message>
            <source>Couldn't save the change</source>
            <translation>Änderung konnte nicht gespeichert werden</translation>
        </message>
    </context>
    <context>
        <name>FilterFormDialog</name>
        <message>
            <source>Pattern Match</source>
            <translation>Textmuster</translation>
        </message>
        <message>
            <source>Time-Based</source>
            <translation>Zeitbasiert</translation>
        </message>
        <message>
            <source>Specific Event</source>
            <translation>Bestimmter Termin</translation>
        </message>
        <message>
            <source>All-Day Events</source>
            <translation>Ganztägige Termine</translation>
        </message>
        <message>
            <source>Mon</source>
            <translation>Mo</translation>
        </message>
        <message>
            <source>Tue</source>
            <translation>Di</translation>
        </message>
        <message>
            <source>Wed</source>
            <translation>Mi</translation>
        </message>
        <message>
            <source>Thu</source>
            <translation>Do</translation>
        </message>
        <message>
            <source>Fri</source>
            <translation>Fr</translation>
        </message>
        <message>
            <source>Sat</source>
            <translation>Sa</translation>
        </message>
        <message>
            <source>Sun</source>
            <translation>So</translation>
        </message>
        <message>
            <source>Add Filter</source>
            <translation>Filter hinzufügen</translation>
        </message>
        <message>
            <source>Edit Filter</source>
            <translation>Filter bearbeiten</translation>
        </message>
        <message>
            <source>Edit filter</source>
            <translation>Filter bearbeiten</translation>
        </message>
        <message>
            <source>New filter</source>
            <translation>Neuer Filter</translation>
        </message>
        <message>
            <source>Filters hide or dim events that match — they don't delete anything, and you can toggle the whole set off from the filters pill in the status bar.</source>
            <translation>Filter blenden passende Termine aus oder schwächen sie ab – gelöscht wird nichts, und über die Filteranzeige in der Statusleiste lassen sich alle Filter abschalten.</translation>
        </message>
        <message>
            <source>Hide standups, Dim birthdays…</source>
            <translation>Stand-ups ausblenden, Geburtstage abschwächen…</translation>
        </message>
        <message>
            <source>&amp;Name</source>
            <translation>&amp;Name</translation>
        </message>
        <message>
            <source>Hide completely</source>
            <translation>Ganz ausblenden</translation>
        </message>
        <message>
            <source>Dim (still visible, faded)</source>
            <translation>Abschwächen (sichtbar, blass)</translation>
        </message>
        <message>
            <source>&amp;Action</source>
            <translation>&amp;Aktion</translation>
        </message>
        <message>
            <source>Suppress reminders for matched events</source>
            <translation>Erinnerungen für passende Termine unterdrücken</translation>
        </message>
        <message>
            <source>Enabled</source>
            <translation>Aktiviert</translation>
        </message>
        <message>
            <source>Save changes</source>
            <translation>Änderungen speichern</translation>
        </message>
        <message>
            <source>Create filter</source>
            <translation>Filter erstellen</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Typ</translation>
        </message>
        <message>
            <source>Title contains</source>
            <translation>Titel enthält</translation>
        </message>
        <message>
            <source>e.g. standup, lunch, 1:1 — comma separated</source>
            <translation>z. B. Stand-up, Mittagessen, 1:1 – durch Kommas getrennt</translation>
        </message>
        <message>
            <source>Case sensitive</source>
            <translation>Groß-/Kleinschreibung beachten</translation>
        </message>
        <message>
            <source>Exact start time</source>
            <translation>Genaue Beginnzeit</translation>
        </message>
        <message>
            <source>Time range</source>
            <translation>Zeitraum</translation>
        </message>
        <message>
            <source>to</source>
            <translation>bis</translation>
        </message>
        <message>
            <source>Days of week (empty = every day)</source>
            <translation>Wochentage (leer = jeden Tag)</translation>
        </message>
        <message>
            <source>Recurring events only</source>
            <translation>Nur wiederkehrende Termine</translation>
        </message>
        <message>
            <source>Filtering this specific event:</source>
            <translation>Dieser Termin wird gefiltert:</translation>
        </message>
        <message>
            <source>(Right-click an event and choose "Create Filter from Event" to create a specific-event filter.)</source>
            <translation>(Klicken Sie mit der rechten Maustaste auf einen Termin und wählen Sie „Filter aus Termin erstellen“, um einen Filter für diesen Termin anzulegen.)</translation>
        </message>
        <message>
            <source>Matches every all-day event in the selected calendars.</source>
            <translation>Erfasst alle ganztägigen Termine in den gewählten Kalendern.</translation>
        </message>
        <message>
            <source>Only recurring all-day events</source>
            <translation>Nur wiederkehrende ganztägige Termine</translation>
        </message>
        <message>
            <source>Apply to calendars</source>
            <translation>Auf Kalender anwenden</translation>
        </message>
        <message>
            <source>Leave empty to apply to every calendar.</source>
            <translation>Leer lassen, um alle Kalender einzubeziehen.</translation>
        </message>
        <message>
            <source>Filter events matching text patterns</source>
            <translation>Termine nach Textmustern filtern</translation>
        </message>
        <message>
            <source>Filter events at specific times</source>
            <translation>Termine zu bestimmten Zeiten filtern</translation>
        </message>
        <message>
            <source>Filter a specific recurring event</source>
            <translation>Einen bestimmten wiederkehrenden Termin filtern</translation>
        </message>
        <message>
            <source>Filter all-day events</source>
            <translation>Ganztägige Termine filtern</translation>
        </message>
        <message>
            <source>(Event no longer exists)</source>
            <translation>(Termin existiert nicht mehr)</translation>
        </message>
        <message>
            <source>(Untitled event)</source>
            <translation>(Termin ohne Titel)</translation>
        </message>
        <message numerus="yes">
            <source>Also applies to %n hidden or removed calendar(s).</source>
            <translation>
                <numerusform>Gilt auch für %n ausgeblendeten oder entfernten Kalender.</numerusform>
                <numerusform>Gilt auch für %n ausgeblendete oder entfernte Kalender.</numerusform>
            </translation>
        </message>
        <message>
            <source>Name required</source>
            <translation>Name erforderlich</translation>
        </message>
        <message>
            <source>Please enter a name for the filter.</source>
            <translation>Bitte geben Sie einen Namen für den Filter ein.</translation>
        </message>
        <message>
            <source>No patterns</source>
            <translation>Keine Muster</translation>
        </message>
        <message>
            <source>Add at least one phrase to "Title contains".</source>
            <translation>Geben Sie unter „Titel enthält“ mindestens einen Begriff ein.</translation>
        </message>
        <message>
            <source>No event selected</source>
            <translation>Kein Termin ausgewählt</translation>
        </message>
        <message>
            <source>Specific-event filters need to be created from an event's right-click menu — that's how the rule learns which event to match.</source>
            <translation>Filter für einen bestimmten Termin werden über das Kontextmenü des Termins erstellt – nur so weiß die Regel, welchen Termin sie betrifft.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Datenbankfehler</translation>
        </message>
        <message>
            <source>Could not save the filter.</source>
            <translation>Der Filter konnte nicht gespeichert werden.</translation>
        </message>
        <message>
            <source>No events in the next 30 days to preview against.</source>
            <translation>Keine Termine in den nächsten 30 Tagen für eine Vorschau.</translation>
        </message>
        <message>
            <source>hide</source>
            <translation>ausblenden</translation>
        </message>
        <message>
            <source>dim</source>
            <translation>abschwächen</translation>
        </message>
        <message>
            <source>Would %1 %2 of %3 events in the next 30 days.</source>
            <translation>Würde %2 von %3 Terminen der nächsten 30 Tage %1.</translation>
        </message>
        <message>
            <source>(Untitled)</source>
            <translation>(Ohne Titel)</translation>
        </message>
        <message>
            <source>e.g. %1</source>
            <translation>z. B. %1</translation>
        </message>
    </context>
    <context>
        <name>Google</name>
        <message numerus="yes">
            <source>Google did not answer within %n second(s).</source>
            <translation>
                <numerusform>Google hat nicht innerhalb von %n Sekunde geantwortet.</numerusform>
                <numerusform>Google hat nicht innerhalb von %n Sekunden geantwortet.</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>Google::AuthService</name>
        <message>
            <source>Google OAuth credentials are not configured in this build. See .env.example.</source>
            <translation>In diesem Build sind keine Google-OAuth-Zugangsdaten eingerichtet. Siehe .env.example.</translation>
        </message>
        <message>
            <source>Google sign-in timed out. Please try again.</source>
            <translation>Zeitüberschreitung bei der Google-Anmeldung. Bitte erneut versuchen.</translation>
        </message>
        <message>
            <source>Sign-in cancelled.</source>
            <translation>Anmeldung abgebrochen.</translation>
        </message>
        <message>
            <source>The Google sign-in link was opened twice, so the sign-in was stopped for safety. Please sign in again.</source>
            <translation>Der Google-Anmeldelink wurde zweimal geöffnet, daher wurde die Anmeldung aus Sicherheitsgründen abgebrochen. Bitte erneut anmelden.</translation>
        </message>
        <message>
            <source>Could not bind a local port for the Google sign-in callback: %1</source>
            <translation>Für die Rückmeldung der Google-Anmeldung konnte kein lokaler Port geöffnet werden: %1</translation>
        </message>
        <message>
            <source>Could not launch the system browser for Google sign-in.</source>
            <translation>Der Browser für die Google-Anmeldung konnte nicht gestartet werden.</translation>
        </message>
        <message>
            <source>Google denied the sign-in: %1</source>
            <translation>Google hat die Anmeldung abgelehnt: %1</translation>
        </message>
        <message>
            <source>Sign-in state mismatch. The redirect didn't match our request; please try again.</source>
            <translation>Anmeldestatus stimmt nicht überein. Die Weiterleitung passt nicht zur Anfrage; bitte erneut versuchen.</translation>
        </message>
        <message>
            <source>Google did not return an authorization code.</source>
            <translation>Google hat keinen Autorisierungscode zurückgegeben.</translation>
        </message>
        <message>
            <source>Token exchange failed (HTTP %1): %2</source>
            <translation>Token-Austausch fehlgeschlagen (HTTP %1): %2</translation>
        </message>
        <message>
            <source>Token exchange failed (HTTP %1).</source>
            <translation>Token-Austausch fehlgeschlagen (HTTP %1).</translation>
        </message>
        <message>
            <source>Google did not return an access token.</source>
            <translation>Google hat kein Zugriffstoken zurückgegeben.</translation>
        </message>
        <message>
            <source>Google did not return a refresh token. Try removing the app from your Google Account permissions and signing in again.</source>
            <translation>Google hat kein Aktualisierungstoken zurückgegeben. Entfernen Sie die App aus den Berechtigungen Ihres Google-Kontos und melden Sie sich erneut an.</translation>
        </message>
        <message>
            <source>Google OAuth credentials are not configured.</source>
            <translation>Google-OAuth-Zugangsdaten sind nicht eingerichtet.</translation>
        </message>
        <message>
            <source>Token refresh failed (HTTP %1): %2</source>
            <translation>Token-Aktualisierung fehlgeschlagen (HTTP %1): %2</translation>
        </message>
        <message>
            <source>Token refresh failed (HTTP %1).</source>
            <translation>Token-Aktualisierung fehlgeschlagen (HTTP %1).</translation>
        </message>
        <message>
            <source>Google's response had no access_token.</source>
            <translation>Die Antwort von Google enthielt kein access_token.</translation>
        </message>
        <message>
            <source>Google's response had an expires_in that could not be used.</source>
            <translation>Die Antwort von Google enthielt ein unbrauchbares expires_in.</translation>
        </message>
    </context>
    <context>
        <name>Google::CalendarClient</name>
        <message>
            <source>No Google access token available.</source>
            <translation>Kein Google-Zugriffstoken vorhanden.</translation>
        </message>
        <message>
            <source>Google rejected calendarList.list (HTTP %1): %2</source>
            <translation>Google hat calendarList.list abgelehnt (HTTP %1): %2</translation>
        </message>
        <message>
            <source>Google's calendar list did not end after %1 pages.</source>
            <translation>Die Kalenderliste von Google endete nicht nach %1 Seiten.</translation>
        </message>
        <message>
            <source>Google rejected events.list (HTTP %1): %2</source>
            <translation>Google hat events.list abgelehnt (HTTP %1): %2</translation>
        </message>
        <message>
            <source>Google's event list did not end after %1 pages.</source>
            <translation>Die Terminliste von Google endete nicht nach %1 Seiten.</translation>
        </message>
        <message>
            <source>Google's answer to events.list (page %1) is not JSON.</source>
            <translation>Die Antwort von Google auf events.list (Seite %1) ist kein JSON.</translation>
        </message>
        <message>
            <source>No Google access token.</source>
            <translation>Kein Google-Zugriffstoken.</translation>
        </message>
        <message>
            <source>Google rejected events.insert: %1</source>
            <translation>Google hat events.insert abgelehnt: %1</translation>
        </message>
        <message>
            <source>Google rejected events.update: %1</source>
            <translation>Google hat events.update abgelehnt: %1</translation>
        </message>
        <message>
            <source>Google rejected events.delete: %1</source>
            <translation>Google hat events.delete abgelehnt: %1</translation>
        </message>
        <message>
            <source>Google rejected events.get: %1</source>
            <translation>Google hat events.get abgelehnt: %1</translation>
        </message>
        <message>
            <source>Google rejected events.instances: %1</source>
            <translation>Google hat events.instances abgelehnt: %1</translation>
        </message>
        <message>
            <source>Google rejected events.patch: %1</source>
            <translation>Google hat events.patch abgelehnt: %1</translation>
        </message>
        <message>
            <source>Google rejected events.move: %1</source>
            <translation>Google hat events.move abgelehnt: %1</translation>
        </message>
    </context>
    <context>
        <name>Google::PushRun</name>
        <message>
            <source>"%1" was changed on Google and could not be saved there: %2</source>
            <translation>„%1“ wurde bei Google geändert und konnte dort nicht gespeichert werden: %2</translation>
        </message>
        <message>
            <source>"%1" is no longer an occurrence of its series on Google.</source>
            <translation>„%1“ ist bei Google kein Termin seiner Serie mehr.</translation>
        </message>
        <message>
            <source>"%1" was changed on Google too; the %2 set here was kept.</source>
            <translation>„%1“ wurde auch bei Google geändert; hier gesetzt beibehalten: %2.</translation>
        </message>
    </context>
    <context>
        <name>Google::SyncClient</name>
        <message>
            <source>Parent account missing</source>
            <translation>Übergeordnetes Konto fehlt</translation>
        </message>
        <message>
            <source>No saved Google credentials. Sign in again.</source>
            <translation>Keine gespeicherten Google-Zugangsdaten. Bitte erneut anmelden.</translation>
        </message>
        <message>
            <source>Google token refresh failed: %1</source>
            <translation>Aktualisierung des Google-Tokens fehlgeschlagen: %1</translation>
        </message>
        <message>
            <source>Google refused the full listing of %1 (HTTP 410).</source>
            <translation>Google hat die vollständige Liste von %1 verweigert (HTTP 410).</translation>
        </message>
        <message numerus="yes">
            <source>%n event(s) failed to save locally; will retry next sync.</source>
            <translation>
                <numerusform>%n Termin konnte lokal nicht gespeichert werden; nächste Synchronisierung versucht es erneut.</numerusform>
                <numerusform>%n Termine konnten lokal nicht gespeichert werden; nächste Synchronisierung versucht es erneut.</numerusform>
            </translation>
        </message>
        <message>
            <source>Google no longer accepts the saved sign-in. Sign in again.</source>
            <translation>Google akzeptiert die gespeicherte Anmeldung nicht mehr. Bitte erneut anmelden.</translation>
        </message>
        <message>
            <source>The renewed Google sign-in could not be saved to the secret store.</source>
            <translation>Die erneuerte Google-Anmeldung konnte nicht im Schlüsselbund gespeichert werden.</translation>
        </message>
    </context>
    <context>
        <name>HolidayPickerDialog</name>
        <message>
            <source>Holiday Calendars</source>
            <translation>Feiertagskalender</translation>
        </message>
        <message>
            <source>Subscribe to a country's public holidays. Feeds are read-only and update automatically. All subscriptions land under the shared "Calendar Subscriptions" account.</source>
            <translation>Abonnieren Sie die gesetzlichen Feiertage eines Landes. Die Feeds sind schreibgeschützt und werden automatisch aktualisiert. Alle Abonnements landen im gemeinsamen Konto „Kalenderabonnements“.</translation>
        </message>
        <message>
            <source>Search by country or region…</source>
            <translation>Nach Land oder Region suchen…</translation>
        </message>
        <message>
            <source>Subscribe</source>
            <translation>Abonnieren</translation>
        </message>
        <message>
            <source>Subscribed</source>
            <translation>Abonniert</translation>
        </message>
        <message>
            <source>No holiday feeds match "%1".</source>
            <translation>Keine Feiertags-Feeds passen zu „%1“.</translation>
        </message>
        <message>
            <source>Already subscribed</source>
            <translation>Bereits abonniert</translation>
        </message>
        <message>
            <source>You're already subscribed to "%1".</source>
            <translation>Sie haben „%1“ bereits abonniert.</translation>
        </message>
        <message>
            <source>%1 Holidays</source>
            <translation>Feiertage (%1)</translation>
        </message>
        <message>
            <source>Couldn't subscribe</source>
            <translation>Abonnieren fehlgeschlagen</translation>
        </message>
        <message>
            <source>Couldn't create the holiday calendar. Try again.</source>
            <translation>Der Feiertagskalender konnte nicht erstellt werden. Bitte erneut versuchen.</translation>
        </message>
    </context>
    <context>
        <name>IcsCodec</name>
        <message>
            <source>This is not a calendar file: it holds no iCalendar data.</source>
            <translation>Dies ist keine Kalenderdatei: Sie enthält keine iCalendar-Daten.</translation>
        </message>
    </context>
    <context>
        <name>IcsImportFlow</name>
        <message>
            <source>An import is already running.</source>
            <translation>Es läuft bereits ein Import.</translation>
        </message>
        <message>
            <source>Couldn't open file</source>
            <translation>Datei konnte nicht geöffnet werden</translation>
        </message>
        <message>
            <source>Couldn't open "%1" for reading.</source>
            <translation>„%1“ konnte nicht zum Lesen geöffnet werden.</translation>
        </message>
        <message>
            <source>Couldn't import</source>
            <translation>Import fehlgeschlagen</translation>
        </message>
        <message>
            <source>Couldn't read "%1". %2</source>
            <translation>„%1“ konnte nicht gelesen werden. %2</translation>
        </message>
        <message>
            <source>Nothing to import</source>
            <translation>Nichts zu importieren</translation>
        </message>
        <message>
            <source>No events found in "%1".</source>
            <translation>In „%1“ wurden keine Termine gefunden.</translation>
        </message>
        <message>
            <source>No calendars configured</source>
            <translation>Keine Kalender eingerichtet</translation>
        </message>
        <message>
            <source>Add a writable calendar first; then re-import "%1".</source>
            <translation>Legen Sie zuerst einen beschreibbaren Kalender an und importieren Sie dann „%1“ erneut.</translation>
        </message>
        <message>
            <source>Import events</source>
            <translation>Termine importieren</translation>
        </message>
        <message>
            <source>Import 1 event from "%1" into:</source>
            <translation>1 Termin aus „%1“ importieren in:</translation>
        </message>
        <message>
            <source>Import %1 events from "%2" into:</source>
            <translation>%1 Termine aus „%2“ importieren in:</translation>
        </message>
        <message>
            <source>Import</source>
            <translation>Importieren</translation>
        </message>
        <message>
            <source>Importing %1 events from "%2"…</source>
            <translation>%1 Termine aus „%2“ werden importiert…</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
        <message>
            <source>Import cancelled: the calendar is as it was.</source>
            <translation>Import abgebrochen: Der Kalender ist unverändert.</translation>
        </message>
    </context>
    <context>
        <name>InAppNotifier</name>
        <message>
            <source>Open</source>
            <translation>Öffnen</translation>
        </message>
    </context>
    <context>
        <name>InvitationsDialog</name>
        <message>
            <source>Invitations</source>
            <translation>Einladungen</translation>
        </message>
        <message>
            <source>No new invitations. You're all caught up.</source>
            <translation>Keine neuen Einladungen. Alles erledigt.</translation>
        </message>
        <message>
            <source>Nothing in your history yet.</source>
            <translation>Noch kein Verlauf vorhanden.</translation>
        </message>
        <message>
            <source>New</source>
            <translation>Neu</translation>
        </message>
        <message>
            <source>Past</source>
            <translation>Vergangen</translation>
        </message>
        <message>
            <source>Going</source>
            <translation>Zugesagt</translation>
        </message>
        <message>
            <source>Declined</source>
            <translation>Abgelehnt</translation>
        </message>
        <message>
            <source>Maybe</source>
            <translation>Vielleicht</translation>
        </message>
        <message>
            <source>Delegated</source>
            <translation>Delegiert</translation>
        </message>
        <message>
            <source>No response</source>
            <translation>Keine Antwort</translation>
        </message>
        <message>
            <source>%1 (all day)</source>
            <translation>%1 (ganztägig)</translation>
        </message>
        <message>
            <source>%1, %2 – %3</source>
            <translation>%1, %2–%3</translation>
        </message>
        <message>
            <source>%1, %2</source>
            <translation>%1, %2</translation>
        </message>
        <message>
            <source>(Untitled event)</source>
            <translation>(Termin ohne Titel)</translation>
        </message>
        <message>
            <source>Invited by %1</source>
            <translation>Eingeladen von %1</translation>
        </message>
        <message>
            <source>Accept</source>
            <translation>Annehmen</translation>
        </message>
        <message>
            <source>Decline</source>
            <translation>Ablehnen</translation>
        </message>
    </context>
    <context>
        <name>KeyboardHelpDialog</name>
        <message>
            <source>Navigation</source>
            <translation>Navigation</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Heute</translation>
        </message>
        <message>
            <source>Next / previous (one mode-stride)</source>
            <translation>Vor / zurück (ein Ansichtsschritt)</translation>
        </message>
        <message>
            <source>Previous / next week</source>
            <translation>Vorherige / nächste Woche</translation>
        </message>
        <message>
            <source>Next / previous month</source>
            <translation>Nächster / vorheriger Monat</translation>
        </message>
        <message>
            <source>Day / Days / Week / Grid / Month / Year</source>
            <translation>Tag / Tage / Woche / Raster / Monat / Jahr</translation>
        </message>
        <message>
            <source>Days timeline: 3 / 5 / 7 / 10 / 14 days (1 – 5)</source>
            <translation>Ansicht „Tage“: 3 / 5 / 7 / 10 / 14 Tage (1 – 5)</translation>
        </message>
        <message>
            <source>Back / forward through view + date history</source>
            <translation>Zurück / vor im Verlauf (Ansicht + Datum)</translation>
        </message>
        <message>
            <source>Calendar groups</source>
            <translation>Kalendergruppen</translation>
        </message>
        <message>
            <source>Activate calendar group 1 – 9</source>
            <translation>Kalendergruppe 1 – 9 aktivieren</translation>
        </message>
        <message>
            <source>Previous / next calendar group</source>
            <translation>Vorherige / nächste Kalendergruppe</translation>
        </message>
        <message>
            <source>Actions</source>
            <translation>Aktionen</translation>
        </message>
        <message>
            <source>New event</source>
            <translation>Neuer Termin</translation>
        </message>
        <message>
            <source>New task</source>
            <translation>Neue Aufgabe</translation>
        </message>
        <message>
            <source>Quick add</source>
            <translation>Schnelleingabe</translation>
        </message>
        <message>
            <source>Sync now</source>
            <translation>Jetzt synchronisieren</translation>
        </message>
        <message>
            <source>Command palette</source>
            <translation>Befehlspalette</translation>
        </message>
        <message>
            <source>Preferences…</source>
            <translation>Einstellungen…</translation>
        </message>
        <message>
            <source>Toggle empty days in sidebar agenda</source>
            <translation>Leere Tage in der Agenda der Seitenleiste ein/aus</translation>
        </message>
        <message>
            <source>Undo (drag/resize/delete)</source>
            <translation>Rückgängig (Ziehen/Größe ändern/Löschen)</translation>
        </message>
        <message>
            <source>This dialog</source>
            <translation>Dieser Dialog</translation>
        </message>
        <message>
            <source>Inside grids</source>
            <translation>Im Kalenderraster</translation>
        </message>
        <message>
            <source>Single click</source>
            <translation>Einfachklick</translation>
        </message>
        <message>
            <source>Select event + open details popover</source>
            <translation>Termin auswählen + Detail-Popup öffnen</translation>
        </message>
        <message>
            <source>Double click</source>
            <translation>Doppelklick</translation>
        </message>
        <message>
            <source>Edit event</source>
            <translation>Termin bearbeiten</translation>
        </message>
        <message>
            <source>Right-click</source>
            <translation>Rechtsklick</translation>
        </message>
        <message>
            <source>Edit / Delete menu</source>
            <translation>Menü Bearbeiten / Löschen</translation>
        </message>
        <message>
            <source>Drag block</source>
            <translation>Block ziehen</translation>
        </message>
        <message>
            <source>Reschedule (snap to 15 min)</source>
            <translation>Verschieben (im 15-Min.-Raster)</translation>
        </message>
        <message>
            <source>Drag bottom edge</source>
            <translation>Unteren Rand ziehen</translation>
        </message>
        <message>
            <source>Resize end time (snap to 15 min)</source>
            <translation>Endzeit ändern (im 15-Min.-Raster)</translation>
        </message>
        <message>
            <source>Ctrl+wheel</source>
            <translation>Strg+Mausrad</translation>
        </message>
        <message>
            <source>Zoom Day / Week timeline</source>
            <translation>Zeitachse in Tag / Woche zoomen</translation>
        </message>
        <message>
            <source>Tab / Shift+Tab</source>
            <translation>Tab / Umschalt+Tab</translation>
        </message>
        <message>
            <source>Cycle event selection</source>
            <translation>Termine nacheinander auswählen</translation>
        </message>
        <message>
            <source>↑ / ↓</source>
            <translation>↑ / ↓</translation>
        </message>
        <message>
            <source>Enter</source>
            <translation>Enter</translation>
        </message>
        <message>
            <source>Open popover for selected event</source>
            <translation>Popup für den ausgewählten Termin öffnen</translation>
        </message>
        <message>
            <source>Mouse back / forward</source>
            <translation>Maustaste zurück / vor</translation>
        </message>
        <message>
            <source>Back / forward through view history</source>
            <translation>Zurück / vor im Ansichtsverlauf</translation>
        </message>
        <message>
            <source>Quick-add (tray + %1 "new")</source>
            <translation>Schnelleingabe (Infobereich + %1 „new“)</translation>
        </message>
        <message>
            <source>Date phrases</source>
            <translation>Datumsangaben</translation>
        </message>
        <message>
            <source>Time phrases</source>
            <translation>Zeitangaben</translation>
        </message>
        <message>
            <source>Time range</source>
            <translation>Zeitraum</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>Dauer</translation>
        </message>
        <message>
            <source>Relative date</source>
            <translation>Relatives Datum</translation>
        </message>
        <message>
            <source>Keyboard Shortcuts</source>
            <translation>Tastenkürzel</translation>
        </message>
    </context>
    <context>
        <name>MainWindow</name>
        <message>
            <source>Tindlebrook Calendar</source>
            <translation>Tindlebrook Calendar</translation>
        </message>
        <message>
            <source>&amp;File</source>
            <translation>&amp;Datei</translation>
        </message>
        <message>
            <source>&amp;New Event…</source>
            <translation>&amp;Neuer Termin…</translation>
        </message>
        <message>
            <source>&amp;Quit</source>
            <translation>&amp;Beenden</translation>
        </message>
        <message>
            <source>&amp;Developer</source>
            <translation>E&amp;ntwickler</translation>
        </message>
        <message>
            <source>Load Sample &amp;Data</source>
            <translation>&amp;Beispieldaten laden</translation>
        </message>
        <message>
            <source>&amp;Clear Sample Data</source>
            <translation>Beispieldaten &amp;entfernen</translation>
        </message>
        <message>
            <source>Calendar is still running in the system tray. Use File → Quit to exit, or turn off Preferences → Startup → Close to tray.</source>
            <translation>Der Kalender läuft im Infobereich weiter. Beenden Sie ihn mit Datei → Beenden oder schalten Sie Einstellungen → Start → In den Infobereich schließen aus.</translation>
        </message>
        <message>
            <source>Quick-add ignored: no calendars configured.</source>
            <translation>Schnelleingabe ignoriert: keine Kalender eingerichtet.</translation>
        </message>
        <message>
            <source>Quick-add couldn't parse: "%1"</source>
            <translation>Schnelleingabe nicht verstanden: „%1“</translation>
        </message>
        <message>
            <source>Quick-add: "%1" was not saved.</source>
            <translation>Schnelleingabe: „%1“ wurde nicht gespeichert.</translation>
        </message>
        <message>
            <source>Added: %1</source>
            <translation>Hinzugefügt: %1</translation>
        </message>
        <message numerus="yes">
            <source>Loaded %n sample row(s).</source>
            <translation>
                <numerusform>%n Beispieleintrag geladen.</numerusform>
                <numerusform>%n Beispieleinträge geladen.</numerusform>
            </translation>
        </message>
        <message>
            <source>Clear sample data?</source>
            <translation>Beispieldaten entfernen?</translation>
        </message>
        <message>
            <source>Remove the sample calendars, events, and tasks? Your real data is untouched.</source>
            <translation>Beispielkalender, -termine und -aufgaben entfernen? Ihre eigenen Daten bleiben erhalten.</translation>
        </message>
        <message numerus="yes">
            <source>Removed %n sample row(s).</source>
            <translation>
                <numerusform>%n Beispieleintrag entfernt.</numerusform>
                <numerusform>%n Beispieleinträge entfernt.</numerusform>
            </translation>
        </message>
        <message>
            <source>Imported %1 and updated %2 in %3.</source>
            <translation>%1 importiert und %2 aktualisiert in %3.</translation>
        </message>
        <message>
            <source>Updated 1 existing event in %1.</source>
            <translation>1 vorhandener Termin in %1 aktualisiert.</translation>
        </message>
        <message>
            <source>Updated %1 existing events in %2.</source>
            <translation>%1 vorhandene Termine in %2 aktualisiert.</translation>
        </message>
        <message>
            <source>Imported 1 event into %1.</source>
            <translation>1 Termin in %1 importiert.</translation>
        </message>
        <message>
            <source>Imported %1 events into %2.</source>
            <translation>%1 Termine in %2 importiert.</translation>
        </message>
        <message numerus="yes">
            <source>Couldn't store %n event(s) in %1.</source>
            <translation>
                <numerusform>%n Termin konnte nicht in %1 gespeichert werden.</numerusform>
                <numerusform>%n Termine konnten nicht in %1 gespeichert werden.</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Nothing to change: %n event(s) already in %1.</source>
            <translation>
                <numerusform>Nichts zu ändern: %n Termin ist bereits in %1.</numerusform>
                <numerusform>Nichts zu ändern: %n Termine sind bereits in %1.</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n event(s) could not be stored.</source>
            <translation>
                <numerusform>%n Termin konnte nicht gespeichert werden.</numerusform>
                <numerusform>%n Termine konnten nicht gespeichert werden.</numerusform>
            </translation>
        </message>
        <message>
            <source>Test notification fired</source>
            <translation>Testbenachrichtigung gesendet</translation>
        </message>
        <message>
            <source>No accounts configured</source>
            <translation>Keine Konten eingerichtet</translation>
        </message>
        <message>
            <source>Add a Tindlebrook Calendar account to store calendars on this device, connect Google or Microsoft, or hook up any CalDAV server (Synology, Nextcloud, Radicale, iCloud).</source>
            <translation>Fügen Sie ein Tindlebrook-Calendar-Konto hinzu, um Kalender auf diesem Gerät zu speichern, verbinden Sie Google oder Microsoft oder einen CalDAV-Server (Synology, Nextcloud, Radicale, iCloud).</translation>
        </message>
        <message>
            <source>  Add Account…</source>
            <translation>  Konto hinzufügen…</translation>
        </message>
        <message>
            <source>Manage your account</source>
            <translation>Konto verwalten</translation>
        </message>
        <message>
            <source>Sign in or sign up</source>
            <translation>Anmelden oder registrieren</translation>
        </message>
        <message>
            <source>Tindlebrook Account</source>
            <translation>Tindlebrook-Konto</translation>
        </message>
        <message>
            <source>&amp;Window</source>
            <translation>&amp;Fenster</translation>
        </message>
        <message>
            <source>New &amp;Task…</source>
            <translation>Neue &amp;Aufgabe…</translation>
        </message>
        <message>
            <source>Quick &amp;Add…</source>
            <translation>&amp;Schnelleingabe…</translation>
        </message>
        <message>
            <source>Type an event in plain English ("lunch Thursday 1pm")</source>
            <translation>Termin in einfachem Englisch eingeben („lunch Thursday 1pm“)</translation>
        </message>
        <message>
            <source>Calendar &amp;Accounts…</source>
            <translation>Kalender&amp;konten…</translation>
        </message>
        <message>
            <source>&amp;Sync Now</source>
            <translation>Jetzt &amp;synchronisieren</translation>
        </message>
        <message>
            <source>Force F&amp;ull Sync…</source>
            <translation>&amp;Vollständige Synchronisierung erzwingen…</translation>
        </message>
        <message>
            <source>Re-pull every event from every account, ignoring sync tokens</source>
            <translation>Alle Termine aller Konten neu abrufen, Synchronisierungsmarken ignorieren</translation>
        </message>
        <message>
            <source>&amp;Invitations…</source>
            <translation>&amp;Einladungen…</translation>
        </message>
        <message>
            <source>&amp;Import ICS File…</source>
            <translation>ICS-Datei &amp;importieren…</translation>
        </message>
        <message>
            <source>&amp;Export Agenda PDF…</source>
            <translation>Agenda als PDF &amp;exportieren…</translation>
        </message>
        <message>
            <source>Tindlebrook &amp;Account…</source>
            <translation>Tindlebrook-&amp;Konto…</translation>
        </message>
        <message>
            <source>Sign &amp;Out</source>
            <translation>&amp;Abmelden</translation>
        </message>
        <message>
            <source>&amp;Edit</source>
            <translation>&amp;Bearbeiten</translation>
        </message>
        <message>
            <source>&amp;Preferences…</source>
            <translation>&amp;Einstellungen…</translation>
        </message>
        <message>
            <source>&amp;Find Events…</source>
            <translation>Termine &amp;suchen…</translation>
        </message>
        <message>
            <source>&amp;View</source>
            <translation>&amp;Ansicht</translation>
        </message>
        <message>
            <source>Toggle &amp;Sidebar</source>
            <translation>&amp;Seitenleiste ein/aus</translation>
        </message>
        <message>
            <source>Show &amp;Empty Days in Agenda</source>
            <translation>&amp;Leere Tage in der Agenda zeigen</translation>
        </message>
        <message>
            <source>&amp;Compact Density</source>
            <translation>&amp;Kompakte Darstellung</translation>
        </message>
        <message>
            <source>Toggle &amp;Tasks Pane</source>
            <translation>&amp;Aufgabenbereich ein/aus</translation>
        </message>
        <message>
            <source>Toggle &amp;Reminders Pane</source>
            <translation>&amp;Erinnerungsbereich ein/aus</translation>
        </message>
        <message>
            <source>&amp;Tools</source>
            <translation>E&amp;xtras</translation>
        </message>
        <message>
            <source>Add &amp;Filter…</source>
            <translation>&amp;Filter hinzufügen…</translation>
        </message>
        <message>
            <source>Add Calendar &amp;Group…</source>
            <translation>Kalender&amp;gruppe hinzufügen…</translation>
        </message>
        <message>
            <source>Manage Calendar Gr&amp;oups…</source>
            <translation>Kalendergruppen &amp;verwalten…</translation>
        </message>
        <message>
            <source>Manage Te&amp;mplates…</source>
            <translation>&amp;Vorlagen verwalten…</translation>
        </message>
        <message>
            <source>&amp;Weather…</source>
            <translation>&amp;Wetter…</translation>
        </message>
        <message>
            <source>Send Test &amp;Notification</source>
            <translation>Test&amp;benachrichtigung senden</translation>
        </message>
        <message>
            <source>Sign In to Tindlebrook &amp;Account</source>
            <translation>Bei Tindlebrook-&amp;Konto anmelden</translation>
        </message>
        <message>
            <source>Sign &amp;Out of Tindlebrook Account</source>
            <translation>Vom Tindlebrook-Konto &amp;abmelden</translation>
        </message>
        <message>
            <source>&amp;Help</source>
            <translation>&amp;Hilfe</translation>
        </message>
        <message>
            <source>&amp;Keyboard Shortcuts</source>
            <translation>&amp;Tastenkürzel</translation>
        </message>
        <message>
            <source>Fire a sample reminder toast to verify your desktop notification setup.</source>
            <translation>Eine Beispielerinnerung anzeigen, um die Desktop-Benachrichtigungen zu prüfen.</translation>
        </message>
        <message>
            <source>&amp;What's New</source>
            <translation>&amp;Neuigkeiten</translation>
        </message>
        <message>
            <source>Send &amp;Feedback…</source>
            <translation>&amp;Feedback senden…</translation>
        </message>
        <message>
            <source>Check for &amp;Updates…</source>
            <translation>Nach &amp;Updates suchen…</translation>
        </message>
        <message>
            <source>&amp;About Tindlebrook Calendar</source>
            <translation>Ü&amp;ber Tindlebrook Calendar</translation>
        </message>
        <message>
            <source>Undid: %1</source>
            <translation>Rückgängig gemacht: %1</translation>
        </message>
        <message>
            <source>Undid: %1. Its guests are invited again.</source>
            <translation>Rückgängig gemacht: %1. Die Gäste sind wieder eingeladen.</translation>
        </message>
        <message>
            <source>Could not undo: %1. The event was changed since.</source>
            <translation>Nicht rückgängig gemacht: %1. Der Termin wurde seitdem geändert.</translation>
        </message>
        <message>
            <source>Could not undo: %1. The log has the details.</source>
            <translation>Nicht rückgängig gemacht: %1. Details stehen im Protokoll.</translation>
        </message>
        <message>
            <source>&amp;Invitations… (%1)</source>
            <translation>&amp;Einladungen… (%1)</translation>
        </message>
        <message>
            <source>Import ICS file</source>
            <translation>ICS-Datei importieren</translation>
        </message>
        <message>
            <source>iCalendar files (*.ics);;All files (*)</source>
            <translation>iCalendar-Dateien (*.ics);;Alle Dateien (*)</translation>
        </message>
        <message>
            <source>About Tindlebrook Calendar</source>
            <translation>Über Tindlebrook Calendar</translation>
        </message>
        <message>
            <source>&lt;h3&gt;Tindlebrook Calendar&lt;/h3&gt;&lt;p&gt;Version %1&lt;/p&gt;&lt;p&gt;A CalDAV-first calendar with client-side filters and Views, the killer feature competitors don't have.&lt;/p&gt;&lt;p&gt;Built with Qt %2.&lt;/p&gt;</source>
            <translation>&lt;h3&gt;Tindlebrook Calendar&lt;/h3&gt;&lt;p&gt;Version %1&lt;/p&gt;&lt;p&gt;Ein Kalender für CalDAV mit Filtern und Kalendergruppen direkt im Programm – das, was anderen fehlt.&lt;/p&gt;&lt;p&gt;Erstellt mit Qt %2.&lt;/p&gt;</translation>
        </message>
        <message>
            <source>Detached &amp;Agenda Window</source>
            <translation>Separates &amp;Agenda-Fenster</translation>
        </message>
        <message>
            <source>Detached &amp;Tasks Window</source>
            <translation>Separates Auf&amp;gabenfenster</translation>
        </message>
        <message>
            <source>Detached &amp;Reminders Window</source>
            <translation>Separates &amp;Erinnerungsfenster</translation>
        </message>
        <message>
            <source>Force full sync?</source>
            <translation>Vollständige Synchronisierung erzwingen?</translation>
        </message>
        <message>
            <source>Re-fetch every event and task from every account, ignoring saved sync tokens. Useful when items look stale or out of date.

Any unsynced local edits will be discarded in favour of the server's copy. Pending deletions are preserved.

Heavy accounts may take a minute or two and use more bandwidth than usual.</source>
            <translation>Alle Termine und Aufgaben aller Konten neu abrufen, gespeicherte Synchronisierungsmarken ignorieren. Hilfreich, wenn Einträge veraltet wirken.

Nicht synchronisierte lokale Änderungen werden zugunsten der Serverkopie verworfen. Ausstehende Löschungen bleiben erhalten.

Bei großen Konten kann das ein bis zwei Minuten dauern und mehr Datenvolumen verbrauchen.</translation>
        </message>
        <message numerus="yes">
            <source>Discovered %n new calendar(s).</source>
            <translation>
                <numerusform>%n neuer Kalender gefunden.</numerusform>
                <numerusform>%n neue Kalender gefunden.</numerusform>
            </translation>
        </message>
        <message>
            <source>Syncing %1 account(s)…</source>
            <translation>%1 Konto/Konten werden synchronisiert…</translation>
        </message>
        <message>
            <source>All caught up, nothing waiting to sync.</source>
            <translation>Alles aktuell, nichts wartet auf Synchronisierung.</translation>
        </message>
        <message>
            <source>No sync accounts configured. Add one in Calendar Accounts.</source>
            <translation>Keine Konten zur Synchronisierung eingerichtet. Fügen Sie eines unter Kalenderkonten hinzu.</translation>
        </message>
        <message>
            <source>Synced %1 events</source>
            <translation>%1 Termine synchronisiert</translation>
        </message>
        <message numerus="yes">
            <source>Cleared %n calendar sync token(s), running full sync…</source>
            <translation>
                <numerusform>%n Synchronisierungsmarke eines Kalenders gelöscht, vollständige Synchronisierung läuft…</numerusform>
                <numerusform>%n Synchronisierungsmarken von Kalendern gelöscht, vollständige Synchronisierung läuft…</numerusform>
            </translation>
        </message>
        <message>
            <source>Signed in to Tindlebrook</source>
            <translation>Bei Tindlebrook angemeldet</translation>
        </message>
        <message>
            <source>Signed out of Tindlebrook</source>
            <translation>Von Tindlebrook abgemeldet</translation>
        </message>
        <message>
            <source>The feedback page</source>
            <translation>Die Feedback-Seite</translation>
        </message>
    </context>
    <context>
        <name>ManageFiltersDialog</name>
        <message>
            <source>Pattern</source>
            <translation>Muster</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>Zeit</translation>
        </message>
        <message>
            <source>Specific</source>
            <translation>Bestimmter Termin</translation>
        </message>
        <message>
            <source>All-day</source>
            <translation>Ganztägig</translation>
        </message>
        <message>
            <source>Hide</source>
            <translation>Ausblenden</translation>
        </message>
        <message>
            <source>Dim</source>
            <translation>Abschwächen</translation>
        </message>
        <message>
            <source>Manage Filters</source>
            <translation>Filter verwalten</translation>
        </message>
        <message>
            <source>%1   ·   %2 → %3</source>
            <translation>%1   ·   %2 → %3</translation>
        </message>
        <message>
            <source>Filters</source>
            <translation>Filter</translation>
        </message>
        <message>
            <source>Toggle the checkbox to enable / disable a filter. Drag a row to change priority (top of the list applies first). Use Edit to change conditions or Delete to remove it.</source>
            <translation>Mit dem Kontrollkästchen schalten Sie einen Filter ein oder aus. Ziehen Sie eine Zeile, um die Priorität zu ändern (oben gilt zuerst). Mit Bearbeiten ändern Sie die Bedingungen, mit Löschen entfernen Sie den Filter.</translation>
        </message>
        <message>
            <source>Add filter…</source>
            <translation>Filter hinzufügen…</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>Bearbeiten…</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Löschen</translation>
        </message>
        <message>
            <source>(no filters yet)</source>
            <translation>(noch keine Filter)</translation>
        </message>
        <message>
            <source>Delete filter?</source>
            <translation>Filter löschen?</translation>
        </message>
        <message>
            <source>Delete "%1"? You can recreate it later.</source>
            <translation>„%1“ löschen? Sie können es später neu anlegen.</translation>
        </message>
        <message>
            <source>Could not delete the filter.</source>
            <translation>Der Filter konnte nicht gelöscht werden.</translation>
        </message>
        <message>
            <source>Could not save the filter.</source>
            <translation>Der Filter konnte nicht gespeichert werden.</translation>
        </message>
        <message>
            <source>Could not save the order of the filters.</source>
            <translation>Die Reihenfolge der Filter konnte nicht gespeichert werden.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Datenbankfehler</translation>
        </message>
    </context>
    <context>
        <name>ManageSourcesDialog</name>
        <message>
            <source>Calendar Accounts</source>
            <translation>Kalenderkonten</translation>
        </message>
        <message>
            <source>Done</source>
            <translation>Fertig</translation>
        </message>
        <message>
            <source>No accounts yet. Click "Add Account" below to get started.</source>
            <translation>Noch keine Konten. Klicken Sie unten auf „Konto hinzufügen“, um zu beginnen.</translation>
        </message>
        <message>
            <source>Tindlebrook account ready</source>
            <translation>Tindlebrook-Konto bereit</translation>
        </message>
        <message>
            <source>You're signed in to Tindlebrook. Existing local calendars can be upgraded from each calendar's row.</source>
            <translation>Sie sind bei Tindlebrook angemeldet. Vorhandene lokale Kalender können Sie in der Zeile des jeweiligen Kalenders übertragen.</translation>
        </message>
        <message>
            <source>Couldn't prepare calendar</source>
            <translation>Kalender konnte nicht vorbereitet werden</translation>
        </message>
        <message>
            <source>  Add Account</source>
            <translation>  Konto hinzufügen</translation>
        </message>
        <message>
            <source>Local Calendar…</source>
            <translation>Lokaler Kalender…</translation>
        </message>
        <message>
            <source>Tindlebrook…</source>
            <translation>Tindlebrook…</translation>
        </message>
        <message>
            <source>Google…</source>
            <translation>Google…</translation>
        </message>
        <message>
            <source>Microsoft…</source>
            <translation>Microsoft…</translation>
        </message>
        <message>
            <source>CalDAV Server…</source>
            <translation>CalDAV-Server…</translation>
        </message>
        <message>
            <source>Subscription (ICS URL)…</source>
            <translation>Abonnement (ICS-URL)…</translation>
        </message>
        <message>
            <source>Holiday Calendars…</source>
            <translation>Feiertagskalender…</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Datenbankfehler</translation>
        </message>
        <message>
            <source>The account row this sign-in was bound to no longer exists.</source>
            <translation>Der Kontoeintrag, zu dem diese Anmeldung gehört, existiert nicht mehr.</translation>
        </message>
        <message>
            <source>Could not save the Google account row.</source>
            <translation>Der Google-Kontoeintrag konnte nicht gespeichert werden.</translation>
        </message>
        <message>
            <source>Google</source>
            <translation>Google</translation>
        </message>
        <message>
            <source>Google sign-in failed</source>
            <translation>Google-Anmeldung fehlgeschlagen</translation>
        </message>
        <message>
            <source>Importing calendars from Google…</source>
            <translation>Kalender werden aus Google importiert…</translation>
        </message>
        <message>
            <source>Google import failed</source>
            <translation>Google-Import fehlgeschlagen</translation>
        </message>
        <message>
            <source>No calendars</source>
            <translation>Keine Kalender</translation>
        </message>
        <message>
            <source>Google reports no calendars on this account.</source>
            <translation>Laut Google gibt es in diesem Konto keine Kalender.</translation>
        </message>
        <message>
            <source>The Google sign-in could not be saved to the secret store.</source>
            <translation>Die Google-Anmeldung konnte nicht im Schlüsselbund gespeichert werden.</translation>
        </message>
        <message>
            <source>Remove account?</source>
            <translation>Konto entfernen?</translation>
        </message>
        <message>
            <source>Remove "%1" and its %2 calendar(s)? Events from this account will be deleted from this device. Server data (if any) is left untouched.</source>
            <translation>„%1“ und seine %2 Kalender entfernen? Termine dieses Kontos werden von diesem Gerät gelöscht. Daten auf dem Server (falls vorhanden) bleiben unverändert.</translation>
        </message>
        <message>
            <source>Could not delete on server</source>
            <translation>Löschen auf dem Server fehlgeschlagen</translation>
        </message>
        <message>
            <source>"%1" could not be deleted on the server: %2.

The calendar still exists on the server. It has been disabled and will not sync. Re-enable it from the checkbox if you want it back.</source>
            <translation>„%1“ konnte auf dem Server nicht gelöscht werden: %2.

Der Kalender besteht auf dem Server weiter. Er wurde deaktiviert und wird nicht synchronisiert. Aktivieren Sie ihn über das Kontrollkästchen wieder, wenn Sie ihn zurückhaben möchten.</translation>
        </message>
        <message>
            <source>Delete "%1" and all of its events?</source>
            <translation>„%1“ und alle zugehörigen Termine löschen?</translation>
        </message>
        <message numerus="yes">
            <source>This calendar contains %n event(s).</source>
            <translation>
                <numerusform>Dieser Kalender enthält %n Termin.</numerusform>
                <numerusform>Dieser Kalender enthält %n Termine.</numerusform>
            </translation>
        </message>
        <message>
            <source>This will delete the calendar from the CalDAV server for everyone with access.</source>
            <translation>Dadurch wird der Kalender auf dem CalDAV-Server für alle Personen mit Zugriff gelöscht.</translation>
        </message>
        <message>
            <source>Delete Calendar?</source>
            <translation>Kalender löschen?</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Löschen</translation>
        </message>
        <message>
            <source>Are you sure?</source>
            <translation>Sind Sie sicher?</translation>
        </message>
        <message>
            <source>Type DELETE to permanently delete "%1". This cannot be undone.</source>
            <translation>Geben Sie DELETE ein, um „%1“ endgültig zu löschen. Dies kann nicht rückgängig gemacht werden.</translation>
        </message>
        <message>
            <source>Type DELETE</source>
            <translation>DELETE eingeben</translation>
        </message>
        <message>
            <source>Delete Permanently</source>
            <translation>Endgültig löschen</translation>
        </message>
        <message>
            <source>Missing password</source>
            <translation>Passwort fehlt</translation>
        </message>
        <message>
            <source>No saved password for this account.</source>
            <translation>Für dieses Konto ist kein Passwort gespeichert.</translation>
        </message>
        <message>
            <source>Refresh complete</source>
            <translation>Aktualisierung abgeschlossen</translation>
        </message>
        <message>
            <source>No new calendars found.</source>
            <translation>Keine neuen Kalender gefunden.</translation>
        </message>
        <message numerus="yes">
            <source>Found %n new calendar(s).</source>
            <translation>
                <numerusform>%n neuer Kalender gefunden.</numerusform>
                <numerusform>%n neue Kalender gefunden.</numerusform>
            </translation>
        </message>
        <message>
            <source>Refresh failed</source>
            <translation>Aktualisierung fehlgeschlagen</translation>
        </message>
        <message>
            <source>Share Calendar</source>
            <translation>Kalender freigeben</translation>
        </message>
        <message>
            <source>Sharing: %1</source>
            <translation>Freigabe: %1</translation>
        </message>
        <message>
            <source>People you share with see the same events and changes you do. Sharing doesn't merge calendars; they keep their own calendar list.</source>
            <translation>Personen, für die Sie freigeben, sehen dieselben Termine und Änderungen wie Sie. Die Freigabe führt keine Kalender zusammen; jede Person behält ihre eigene Kalenderliste.</translation>
        </message>
        <message>
            <source>Shared with</source>
            <translation>Freigegeben für</translation>
        </message>
        <message>
            <source>Add people</source>
            <translation>Personen hinzufügen</translation>
        </message>
        <message>
            <source>Not shared with anyone yet.</source>
            <translation>Noch für niemanden freigegeben.</translation>
        </message>
        <message>
            <source>Add family members or teammates to your Tindlebrook group first, then come back here to share calendars with them.</source>
            <translation>Fügen Sie zuerst Familienmitglieder oder Teammitglieder zu Ihrer Tindlebrook-Gruppe hinzu und geben Sie dann hier Kalender für sie frei.</translation>
        </message>
        <message>
            <source>Everyone in your group already has access</source>
            <translation>Alle in Ihrer Gruppe haben bereits Zugriff</translation>
        </message>
        <message>
            <source>Share</source>
            <translation>Freigeben</translation>
        </message>
        <message>
            <source>Remove access</source>
            <translation>Zugriff entfernen</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Schließen</translation>
        </message>
        <message>
            <source>Couldn't share calendar</source>
            <translation>Kalender konnte nicht freigegeben werden</translation>
        </message>
        <message>
            <source>Couldn't remove person</source>
            <translation>Person konnte nicht entfernt werden</translation>
        </message>
        <message>
            <source>Stop sharing?</source>
            <translation>Freigabe beenden?</translation>
        </message>
        <message>
            <source>%1 will no longer see this calendar's events on any of their devices. Continue?</source>
            <translation>%1 sieht die Termine dieses Kalenders dann auf keinem Gerät mehr. Fortfahren?</translation>
        </message>
        <message>
            <source>Microsoft Account</source>
            <translation>Microsoft-Konto</translation>
        </message>
        <message>
            <source>Could not save the Microsoft account row.</source>
            <translation>Der Microsoft-Kontoeintrag konnte nicht gespeichert werden.</translation>
        </message>
        <message>
            <source>Microsoft</source>
            <translation>Microsoft</translation>
        </message>
        <message>
            <source>Importing calendars from Microsoft…</source>
            <translation>Kalender werden aus Microsoft importiert…</translation>
        </message>
        <message>
            <source>Microsoft sign-in failed</source>
            <translation>Microsoft-Anmeldung fehlgeschlagen</translation>
        </message>
        <message>
            <source>Microsoft import failed</source>
            <translation>Microsoft-Import fehlgeschlagen</translation>
        </message>
        <message>
            <source>Microsoft reports no calendars on this account.</source>
            <translation>Laut Microsoft gibt es in diesem Konto keine Kalender.</translation>
        </message>
        <message>
            <source>The Microsoft sign-in could not be saved to the secret store.</source>
            <translation>Die Microsoft-Anmeldung konnte nicht im Schlüsselbund gespeichert werden.</translation>
        </message>
        <message>
            <source>These calendars could not be saved: %1</source>
            <translation>Diese Kalender konnten nicht gespeichert werden: %1</translation>
        </message>
        <message>
            <source>Could not hide the calendar.</source>
            <translation>Der Kalender konnte nicht ausgeblendet werden.</translation>
        </message>
        <message>
            <source>Could not make the calendar the default.</source>
            <translation>Der Kalender konnte nicht zum Standard gemacht werden.</translation>
        </message>
        <message>
            <source>Could not remove the calendar from this computer.</source>
            <translation>Der Kalender konnte nicht von diesem Computer entfernt werden.</translation>
        </message>
        <message>
            <source>Could not save the account.</source>
            <translation>Das Konto konnte nicht gespeichert werden.</translation>
        </message>
        <message>
            <source>Could not save the calendar.</source>
            <translation>Der Kalender konnte nicht gespeichert werden.</translation>
        </message>
        <message>
            <source>Could not save the order of the accounts.</source>
            <translation>Die Reihenfolge der Konten konnte nicht gespeichert werden.</translation>
        </message>
    </context>
    <context>
        <name>ManageTemplatesDialog</name>
        <message>
            <source>Event Templates</source>
            <translation>Terminvorlagen</translation>
        </message>
        <message>
            <source>Templates pre-fill the new-event form. Double-click to edit.</source>
            <translation>Vorlagen füllen das Formular für neue Termine vor. Zum Bearbeiten doppelklicken.</translation>
        </message>
        <message>
            <source>Add…</source>
            <translation>Hinzufügen…</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>Bearbeiten…</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Löschen</translation>
        </message>
        <message>
            <source>(no title)</source>
            <translation>(ohne Titel)</translation>
        </message>
        <message>
            <source>%1: %2</source>
            <translation>%1: %2</translation>
        </message>
        <message>
            <source>Delete template?</source>
            <translation>Vorlage löschen?</translation>
        </message>
        <message>
            <source>Delete the template "%1"? Events already created from it are unaffected.</source>
            <translation>Vorlage „%1“ löschen? Bereits daraus erstellte Termine bleiben unverändert.</translation>
        </message>
        <message>
            <source>Could not delete the template.</source>
            <translation>Die Vorlage konnte nicht gelöscht werden.</translation>
        </message>
        <message>
            <source>Could not save the template.</source>
            <translation>Die Vorlage konnte nicht gespeichert werden.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Datenbankfehler</translation>
        </message>
    </context>
    <context>
        <name>ManageViewsDialog</name>
        <message>
            <source>Manage Calendar Groups</source>
            <translation>Kalendergruppen verwalten</translation>
        </message>
        <message>
            <source>Calendar Groups</source>
            <translation>Kalendergruppen</translation>
        </message>
        <message>
            <source>Drag a row to change the order groups appear in the picker. Use Edit to change which calendars a group includes, or Delete to remove a group.</source>
            <translation>Ziehen Sie eine Zeile, um die Reihenfolge in der Auswahl zu ändern. Mit Bearbeiten legen Sie fest, welche Kalender eine Gruppe enthält, mit Löschen entfernen Sie sie.</translation>
        </message>
        <message>
            <source>Add group…</source>
            <translation>Gruppe hinzufügen…</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>Bearbeiten…</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Löschen</translation>
        </message>
        <message>
            <source>(no groups yet)</source>
            <translation>(noch keine Gruppen)</translation>
        </message>
        <message>
            <source>Built-in group</source>
            <translation>Vordefinierte Gruppe</translation>
        </message>
        <message>
            <source>"All Calendars" is the fallback group. It can be renamed but not deleted.</source>
            <translation>„Alle Kalender“ ist die Standardgruppe. Sie kann umbenannt, aber nicht gelöscht werden.</translation>
        </message>
        <message>
            <source>Delete group?</source>
            <translation>Gruppe löschen?</translation>
        </message>
        <message>
            <source>Delete "%1"? You can recreate it later.</source>
            <translation>„%1“ löschen? Sie können es später neu anlegen.</translation>
        </message>
        <message>
            <source>Could not delete the group.</source>
            <translation>Die Gruppe konnte nicht gelöscht werden.</translation>
        </message>
        <message>
            <source>Could not save the order of the groups.</source>
            <translation>Die Reihenfolge der Gruppen konnte nicht gespeichert werden.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Datenbankfehler</translation>
        </message>
    </context>
    <context>
        <name>Microsoft</name>
        <message numerus="yes">
            <source>Microsoft did not answer within %n second(s).</source>
            <translation>
                <numerusform>Microsoft hat nicht innerhalb von %n Sekunde geantwortet.</numerusform>
                <numerusform>Microsoft hat nicht innerhalb von %n Sekunden geantwortet.</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>Microsoft::AccountImport</name>
        <message>
            <source>The Microsoft account could not be saved.</source>
            <translation>Das Microsoft-Konto konnte nicht gespeichert werden.</translation>
        </message>
        <message>
            <source>The Microsoft sign-in could not be kept in the system's credential store.</source>
            <translation>Die Microsoft-Anmeldung konnte nicht im Schlüsselbund des Systems gespeichert werden.</translation>
        </message>
        <message>
            <source>The calendars of the Microsoft account could not be saved.</source>
            <translation>Die Kalender des Microsoft-Kontos konnten nicht gespeichert werden.</translation>
        </message>
    </context>
    <context>
        <name>Microsoft::AuthService</name>
        <message>
            <source>Microsoft OAuth credentials are not configured in this build. See .env.example.</source>
            <translation>In diesem Build sind keine Microsoft-OAuth-Zugangsdaten eingerichtet. Siehe .env.example.</translation>
        </message>
        <message>
            <source>Microsoft sign-in timed out. Please try again.</source>
            <translation>Zeitüberschreitung bei der Microsoft-Anmeldung. Bitte erneut versuchen.</translation>
        </message>
        <message>
            <source>Sign-in cancelled.</source>
            <translation>Anmeldung abgebrochen.</translation>
        </message>
        <message>
            <source>The Microsoft sign-in link was opened twice, so the sign-in was stopped for safety. Please sign in again.</source>
            <translation>Der Microsoft-Anmeldelink wurde zweimal geöffnet, daher wurde die Anmeldung aus Sicherheitsgründen abgebrochen. Bitte erneut anmelden.</translation>
        </message>
        <message>
            <source>Could not bind a local port for the Microsoft sign-in callback: %1</source>
            <translation>Für die Rückmeldung der Microsoft-Anmeldung konnte kein lokaler Port geöffnet werden: %1</translation>
        </message>
        <message>
            <source>Could not launch the system browser for Microsoft sign-in.</source>
            <translation>Der Browser für die Microsoft-Anmeldung konnte nicht gestartet werden.</translation>
        </message>
        <message>
            <source>Microsoft denied the sign-in: %1</source>
            <translation>Microsoft hat die Anmeldung abgelehnt: %1</translation>
        </message>
        <message>
            <source>Sign-in state mismatch. The redirect didn't match our request; please try again.</source>
            <translation>Anmeldestatus stimmt nicht überein. Die Weiterleitung passt nicht zur Anfrage; bitte erneut versuchen.</translation>
        </message>
        <message>
            <source>Microsoft did not return an authorization code.</source>
            <translation>Microsoft hat keinen Autorisierungscode zurückgegeben.</translation>
        </message>
        <message>
            <source>Token exchange failed (HTTP %1): %2</source>
            <translation>Token-Austausch fehlgeschlagen (HTTP %1): %2</translation>
        </message>
        <message>
            <source>Token exchange failed (HTTP %1).</source>
            <translation>Token-Austausch fehlgeschlagen (HTTP %1).</translation>
        </message>
        <message>
            <source>Microsoft did not return an access token.</source>
            <translation>Microsoft hat kein Zugriffstoken zurückgegeben.</translation>
        </message>
        <message>
            <source>Microsoft did not return a refresh token. Verify offline_access is in the scopes configured for this app.</source>
            <translation>Microsoft hat kein Aktualisierungstoken zurückgegeben. Prüfen Sie, ob offline_access zu den für diese App eingerichteten Scopes gehört.</translation>
        </message>
        <message>
            <source>Microsoft OAuth credentials are not configured.</source>
            <translation>Microsoft-OAuth-Zugangsdaten sind nicht eingerichtet.</translation>
        </message>
        <message>
            <source>Token refresh failed (HTTP %1): %2</source>
            <translation>Token-Aktualisierung fehlgeschlagen (HTTP %1): %2</translation>
        </message>
        <message>
            <source>Token refresh failed (HTTP %1).</source>
            <translation>Token-Aktualisierung fehlgeschlagen (HTTP %1).</translation>
        </message>
        <message>
            <source>Microsoft's response had no access_token.</source>
            <translation>Die Antwort von Microsoft enthielt kein access_token.</translation>
        </message>
        <message>
            <source>Microsoft's response had an expires_in that could not be used.</source>
            <translation>Die Antwort von Microsoft enthielt ein unbrauchbares expires_in.</translation>
        </message>
    </context>
    <context>
        <name>Microsoft::CalendarClient</name>
        <message>
            <source>No Microsoft access token available.</source>
            <translation>Kein Microsoft-Zugriffstoken vorhanden.</translation>
        </message>
        <message>
            <source>Microsoft rejected /me/calendars (HTTP %1): %2</source>
            <translation>Microsoft hat /me/calendars abgelehnt (HTTP %1): %2</translation>
        </message>
        <message>
            <source>Microsoft's calendar list did not end properly after %1 pages.</source>
            <translation>Die Kalenderliste von Microsoft endete nach %1 Seiten nicht ordnungsgemäß.</translation>
        </message>
        <message>
            <source>Microsoft rejected /me/calendar (HTTP %1): %2</source>
            <translation>Microsoft hat /me/calendar abgelehnt (HTTP %1): %2</translation>
        </message>
        <message>
            <source>Microsoft rejected events list (HTTP %1): %2</source>
            <translation>Microsoft hat die Terminliste abgelehnt (HTTP %1): %2</translation>
        </message>
        <message>
            <source>Microsoft's event list did not end properly after %1 pages.</source>
            <translation>Die Terminliste von Microsoft endete nach %1 Seiten nicht ordnungsgemäß.</translation>
        </message>
        <message>
            <source>Microsoft's answer to the events list (page %1) is not JSON.</source>
            <translation>Die Antwort von Microsoft auf die Terminliste (Seite %1) ist kein JSON.</translation>
        </message>
        <message>
            <source>No Microsoft access token.</source>
            <translation>Kein Microsoft-Zugriffstoken.</translation>
        </message>
        <message>
            <source>Microsoft rejected events.insert: %1</source>
            <translation>Microsoft hat events.insert abgelehnt: %1</translation>
        </message>
        <message>
            <source>Microsoft rejected events.update: %1</source>
            <translation>Microsoft hat events.update abgelehnt: %1</translation>
        </message>
        <message>
            <source>Microsoft rejected events.delete: %1</source>
            <translation>Microsoft hat events.delete abgelehnt: %1</translation>
        </message>
        <message>
            <source>Microsoft rejected events.get: %1</source>
            <translation>Microsoft hat events.get abgelehnt: %1</translation>
        </message>
        <message>
            <source>Microsoft rejected events.%1: %2</source>
            <translation>Microsoft hat events.%1 abgelehnt: %2</translation>
        </message>
    </context>
    <context>
        <name>Microsoft::PushRun</name>
        <message>
            <source>"%1" was changed in Outlook and could not be saved there: %2</source>
            <translation>„%1“ wurde in Outlook geändert und konnte dort nicht gespeichert werden: %2</translation>
        </message>
        <message>
            <source>"%1" was changed in Outlook too; the %2 set here was kept.</source>
            <translation>„%1“ wurde auch in Outlook geändert; hier gesetzt beibehalten: %2.</translation>
        </message>
    </context>
    <context>
        <name>Microsoft::SyncClient</name>
        <message>
            <source>Parent account missing</source>
            <translation>Übergeordnetes Konto fehlt</translation>
        </message>
        <message>
            <source>No saved Microsoft credentials. Sign in again.</source>
            <translation>Keine gespeicherten Microsoft-Zugangsdaten. Bitte erneut anmelden.</translation>
        </message>
        <message>
            <source>Microsoft token refresh failed: %1</source>
            <translation>Aktualisierung des Microsoft-Tokens fehlgeschlagen: %1</translation>
        </message>
        <message>
            <source>Microsoft refused the listing of %1 (HTTP 410).</source>
            <translation>Microsoft hat die Auflistung von %1 verweigert (HTTP 410).</translation>
        </message>
        <message numerus="yes">
            <source>%n event(s) failed to save locally; will retry next sync.</source>
            <translation>
                <numerusform>%n Termin konnte lokal nicht gespeichert werden; nächste Synchronisierung versucht es erneut.</numerusform>
                <numerusform>%n Termine konnten lokal nicht gespeichert werden; nächste Synchronisierung versucht es erneut.</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n recurring series could not be read from Microsoft; will retry next sync.</source>
            <translation>
                <numerusform>%n Terminserie konnte nicht von Microsoft gelesen werden; nächste Synchronisierung versucht es erneut.</numerusform>
                <numerusform>%n Terminserien konnten nicht von Microsoft gelesen werden; nächste Synchronisierung versucht es erneut.</numerusform>
            </translation>
        </message>
        <message>
            <source>Microsoft no longer accepts the saved sign-in. Sign in again.</source>
            <translation>Microsoft akzeptiert die gespeicherte Anmeldung nicht mehr. Bitte erneut anmelden.</translation>
        </message>
        <message>
            <source>The renewed Microsoft sign-in could not be saved to the secret store.</source>
            <translation>Die erneuerte Microsoft-Anmeldung konnte nicht im Schlüsselbund gespeichert werden.</translation>
        </message>
    </context>
    <context>
        <name>MonthGridWidget</name>
        <message>
            <source>+%1 more</source>
            <translation>+%1 weitere</translation>
        </message>
    </context>
    <context>
        <name>Net</name>
        <message>
            <source>%1 did not finish its answer within %2 seconds.</source>
            <translation>%1 hat die Antwort nicht innerhalb von %2 Sekunden abgeschlossen.</translation>
        </message>
        <message>
            <source>The answer from %1 is larger than %2.</source>
            <translation>Die Antwort von %1 ist größer als %2.</translation>
        </message>
    </context>
    <context>
        <name>NotificationService</name>
        <message>
            <source>Starting now (%1)</source>
            <translation>Beginnt jetzt (%1)</translation>
        </message>
        <message>
            <source>In %1 minutes (%2)</source>
            <translation>In %1 Minuten (%2)</translation>
        </message>
        <message>
            <source>In %1h (%2)</source>
            <translation>In %1 Std. (%2)</translation>
        </message>
        <message>
            <source>Tomorrow at %1</source>
            <translation>Morgen um %1</translation>
        </message>
        <message>
            <source>Reminder</source>
            <translation>Erinnerung</translation>
        </message>
        <message>
            <source>Due soon</source>
            <translation>Bald fällig</translation>
        </message>
        <message>
            <source>Due today</source>
            <translation>Heute fällig</translation>
        </message>
        <message>
            <source>Due soon (%1)</source>
            <translation>Bald fällig (%1)</translation>
        </message>
        <message>
            <source>Due now (%1)</source>
            <translation>Jetzt fällig (%1)</translation>
        </message>
        <message>
            <source>Test reminder</source>
            <translation>Testerinnerung</translation>
        </message>
        <message>
            <source>If you can see this, your desktop notifications are wired up correctly. Real reminders look just like this one.</source>
            <translation>Wenn Sie dies sehen, funktionieren Ihre Desktop-Benachrichtigungen. Echte Erinnerungen sehen genauso aus.</translation>
        </message>
    </context>
    <context>
        <name>OAuth</name>
        <message>
            <source>The service answered HTTP %1.</source>
            <translation>Der Dienst antwortete mit HTTP %1.</translation>
        </message>
    </context>
    <context>
        <name>OAuth::PendingPush</name>
        <message>
            <source>title</source>
            <translation>Titel</translation>
        </message>
        <message>
            <source>description</source>
            <translation>Beschreibung</translation>
        </message>
        <message>
            <source>location</source>
            <translation>Ort</translation>
        </message>
        <message>
            <source>status</source>
            <translation>Status</translation>
        </message>
        <message>
            <source>repetition</source>
            <translation>Wiederholung</translation>
        </message>
        <message>
            <source>time</source>
            <translation>Zeit</translation>
        </message>
        <message numerus="yes">
            <source>%n pushed event(s) could not be saved here and will be sent again: %1</source>
            <translation>
                <numerusform>%n übertragener Termin konnte hier nicht gespeichert werden und wird erneut gesendet: %1</numerusform>
                <numerusform>%n übertragene Termine konnten hier nicht gespeichert werden und werden erneut gesendet: %1</numerusform>
            </translation>
        </message>
        <message>
            <source>The new state of "%1" could not be saved here; it is tried again at the next sync.</source>
            <translation>Der neue Stand von „%1“ konnte hier nicht gespeichert werden; bei der nächsten Synchronisierung wird es erneut versucht.</translation>
        </message>
        <message>
            <source>"%1" is deleted at a later sync: what was changed in it elsewhere could not be read: %2</source>
            <translation>„%1“ wird bei einer späteren Synchronisierung gelöscht: Was anderswo daran geändert wurde, konnte nicht gelesen werden: %2</translation>
        </message>
    </context>
    <context>
        <name>OAuthProgressDialog</name>
        <message>
            <source>Sign in to %1</source>
            <translation>Bei %1 anmelden</translation>
        </message>
        <message>
            <source>Continue sign-in in your browser</source>
            <translation>Anmeldung im Browser fortsetzen</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar opened your default browser to sign in to %1. Once you finish there, the app will pick up automatically.

If your browser didn't open, or you closed the tab by mistake, click Cancel and try again.</source>
            <translation>Tindlebrook Calendar hat Ihren Standardbrowser zur Anmeldung bei %1 geöffnet. Sobald Sie dort fertig sind, macht die App automatisch weiter.

Falls sich der Browser nicht geöffnet hat oder Sie den Tab versehentlich geschlossen haben, klicken Sie auf Abbrechen und versuchen Sie es erneut.</translation>
        </message>
    </context>
    <context>
        <name>PdfExportDialog</name>
        <message>
            <source>Save Agenda PDF</source>
            <translation>Agenda-PDF speichern</translation>
        </message>
        <message>
            <source>PDF Documents (*.pdf)</source>
            <translation>PDF-Dokumente (*.pdf)</translation>
        </message>
        <message>
            <source>Export Agenda PDF</source>
            <translation>Agenda als PDF exportieren</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — Agenda</source>
            <translation>Tindlebrook Calendar — Agenda</translation>
        </message>
        <message>
            <source>&amp;Title:</source>
            <translation>&amp;Titel:</translation>
        </message>
        <message>
            <source>&amp;From:</source>
            <translation>&amp;Von:</translation>
        </message>
        <message>
            <source>T&amp;o:</source>
            <translation>&amp;Bis:</translation>
        </message>
        <message>
            <source>Events use the active View's calendars, filtered through your current filter rules — the PDF mirrors what's on screen.</source>
            <translation>Termine stammen aus den Kalendern der aktiven Ansicht, gefiltert nach Ihren aktuellen Filterregeln – das PDF entspricht der Bildschirmanzeige.</translation>
        </message>
        <message>
            <source>Save PDF…</source>
            <translation>PDF speichern…</translation>
        </message>
        <message>
            <source>Range invalid</source>
            <translation>Ungültiger Zeitraum</translation>
        </message>
        <message>
            <source>The end date is before the start date.</source>
            <translation>Das Enddatum liegt vor dem Startdatum.</translation>
        </message>
        <message>
            <source>Export failed</source>
            <translation>Export fehlgeschlagen</translation>
        </message>
        <message>
            <source>Could not write %1: %2
Nothing was exported.</source>
            <translation>%1 konnte nicht geschrieben werden: %2
Es wurde nichts exportiert.</translation>
        </message>
        <message>
            <source>Exported</source>
            <translation>Exportiert</translation>
        </message>
        <message>
            <source>Wrote %1 event(s) to %2.</source>
            <translation>%1 Termin(e) in %2 geschrieben.</translation>
        </message>
        <message>
            <source>the PDF could not be drawn</source>
            <translation>das PDF konnte nicht erstellt werden</translation>
        </message>
    </context>
    <context>
        <name>QObject</name>
        <message>
            <source>Repeats daily</source>
            <translation>Täglich</translation>
        </message>
        <message>
            <source>Every %1 days</source>
            <translation>Alle %1 Tage</translation>
        </message>
        <message>
            <source>Repeats weekly</source>
            <translation>Wöchentlich</translation>
        </message>
        <message>
            <source>Every %1 weeks</source>
            <translation>Alle %1 Wochen</translation>
        </message>
        <message>
            <source>Repeats monthly</source>
            <translation>Monatlich</translation>
        </message>
        <message>
            <source>Every %1 months</source>
            <translation>Alle %1 Monate</translation>
        </message>
        <message>
            <source>Repeats yearly</source>
            <translation>Jährlich</translation>
        </message>
        <message>
            <source>Every %1 years</source>
            <translation>Alle %1 Jahre</translation>
        </message>
        <message>
            <source>Repeats</source>
            <translation>Wiederholt sich</translation>
        </message>
        <message>
            <source>in %1</source>
            <translation>im %1</translation>
        </message>
        <message>
            <source>%1 day</source>
            <translation>%1 Tag</translation>
        </message>
        <message>
            <source>on the %1</source>
            <translation>am %1</translation>
        </message>
        <message>
            <source>on the %1 %2 of the year</source>
            <translation>am %1 %2 des Jahres</translation>
        </message>
        <message>
            <source>on the %1 %2</source>
            <translation>am %1 %2</translation>
        </message>
        <message>
            <source>on the %1 of the year</source>
            <translation>am %1 des Jahres</translation>
        </message>
        <message>
            <source>weekday</source>
            <translation>Werktag</translation>
        </message>
        <message>
            <source>weekend day</source>
            <translation>Wochenendtag</translation>
        </message>
        <message>
            <source>day</source>
            <translation>Tag</translation>
        </message>
        <message>
            <source>in every month</source>
            <translation>in jedem Monat</translation>
        </message>
        <message>
            <source>%1 if it falls on %2</source>
            <translation>%1, wenn er auf %2 fällt</translation>
        </message>
        <message>
            <source>only the %1 of these</source>
            <translation>davon nur den %1</translation>
        </message>
        <message numerus="yes">
            <source>%n time(s)</source>
            <translation>
                <numerusform>%n Mal</numerusform>
                <numerusform>%n Mal</numerusform>
            </translation>
        </message>
        <message>
            <source>until %1</source>
            <translation>bis %1</translation>
        </message>
        <message>
            <source>At time of event</source>
            <translation>Zum Terminbeginn</translation>
        </message>
        <message>
            <source>%1 min before</source>
            <translation>%1 Min. vorher</translation>
        </message>
        <message>
            <source>%1 hour(s) before</source>
            <translation>%1 Std. vorher</translation>
        </message>
        <message>
            <source>%1 day(s) before</source>
            <translation>%1 Tag(e) vorher</translation>
        </message>
        <message>
            <source>%1th</source>
            <translation>%1.</translation>
        </message>
        <message>
            <source>%1st</source>
            <translation>%1.</translation>
        </message>
        <message>
            <source>%1nd</source>
            <translation>%1.</translation>
        </message>
        <message>
            <source>%1rd</source>
            <translation>%1.</translation>
        </message>
        <message>
            <source>second-to-last</source>
            <translation>vorletzten</translation>
        </message>
        <message>
            <source>last</source>
            <translation>letzten</translation>
        </message>
        <message>
            <source>first</source>
            <translation>ersten</translation>
        </message>
        <message>
            <source>second</source>
            <translation>zweiten</translation>
        </message>
        <message>
            <source>third</source>
            <translation>dritten</translation>
        </message>
        <message>
            <source>fourth</source>
            <translation>vierten</translation>
        </message>
        <message>
            <source>fifth</source>
            <translation>fünften</translation>
        </message>
        <message>
            <source>%1-from-last</source>
            <translation>%1 vor dem Ende</translation>
        </message>
        <message>
            <source>5 minutes before</source>
            <translation>5 Minuten vorher</translation>
        </message>
        <message>
            <source>10 minutes before</source>
            <translation>10 Minuten vorher</translation>
        </message>
        <message>
            <source>15 minutes before</source>
            <translation>15 Minuten vorher</translation>
        </message>
        <message>
            <source>30 minutes before</source>
            <translation>30 Minuten vorher</translation>
        </message>
        <message>
            <source>1 hour before</source>
            <translation>1 Stunde vorher</translation>
        </message>
        <message>
            <source>2 hours before</source>
            <translation>2 Stunden vorher</translation>
        </message>
        <message>
            <source>1 day before</source>
            <translation>1 Tag vorher</translation>
        </message>
        <message>
            <source>2 days before</source>
            <translation>2 Tage vorher</translation>
        </message>
        <message>
            <source>1 week before</source>
            <translation>1 Woche vorher</translation>
        </message>
        <message>
            <source>%1 days before</source>
            <translation>%1 Tage vorher</translation>
        </message>
        <message>
            <source>%1 hours before</source>
            <translation>%1 Stunden vorher</translation>
        </message>
        <message>
            <source>%1 minutes before</source>
            <translation>%1 Minuten vorher</translation>
        </message>
        <message>
            <source>Calendar Subscriptions</source>
            <translation>Kalenderabonnements</translation>
        </message>
        <message>
            <source>New Subscription</source>
            <translation>Neues Abonnement</translation>
        </message>
    </context>
    <context>
        <name>QuickAddDialog</name>
        <message>
            <source>Quick Add</source>
            <translation>Schnelleingabe</translation>
        </message>
        <message>
            <source>Type an event or reminder in plain English.</source>
            <translation>Geben Sie einen Termin oder eine Erinnerung in einfachem Englisch ein.</translation>
        </message>
        <message>
            <source>e.g. "lunch Thursday 1pm"</source>
            <translation>z. B. „lunch Thursday 1pm“</translation>
        </message>
        <message>
            <source>Reminder</source>
            <translation>Erinnerung</translation>
        </message>
        <message>
            <source>To-do</source>
            <translation>Aufgabe</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Termin</translation>
        </message>
        <message>
            <source>No due date</source>
            <translation>Ohne Fälligkeit</translation>
        </message>
        <message>
            <source>All-day</source>
            <translation>Ganztägig</translation>
        </message>
        <message>
            <source>Couldn't save event</source>
            <translation>Termin konnte nicht gespeichert werden</translation>
        </message>
    </context>
    <context>
        <name>RecurrenceEditDialog</name>
        <message>
            <source>Recurrence</source>
            <translation>Wiederholung</translation>
        </message>
        <message>
            <source>Daily</source>
            <translation>Täglich</translation>
        </message>
        <message>
            <source>Weekly</source>
            <translation>Wöchentlich</translation>
        </message>
        <message>
            <source>Monthly</source>
            <translation>Monatlich</translation>
        </message>
        <message>
            <source>Yearly</source>
            <translation>Jährlich</translation>
        </message>
        <message>
            <source>Frequency</source>
            <translation>Häufigkeit</translation>
        </message>
        <message>
            <source>Every</source>
            <translation>Alle</translation>
        </message>
        <message>
            <source>Ends</source>
            <translation>Endet</translation>
        </message>
        <message>
            <source>On day of the month</source>
            <translation>Am Tag des Monats</translation>
        </message>
        <message>
            <source>of every month</source>
            <translation>jedes Monats</translation>
        </message>
        <message>
            <source>On the nth weekday</source>
            <translation>Am n-ten Wochentag</translation>
        </message>
        <message>
            <source>first</source>
            <translation>ersten</translation>
        </message>
        <message>
            <source>second</source>
            <translation>zweiten</translation>
        </message>
        <message>
            <source>third</source>
            <translation>dritten</translation>
        </message>
        <message>
            <source>fourth</source>
            <translation>vierten</translation>
        </message>
        <message>
            <source>last</source>
            <translation>letzten</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>Montag</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>Dienstag</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>Mittwoch</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>Donnerstag</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>Freitag</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>Samstag</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>Sonntag</translation>
        </message>
        <message>
            <source>Never</source>
            <translation>Nie</translation>
        </message>
        <message>
            <source>After</source>
            <translation>Nach</translation>
        </message>
        <message>
            <source>occurrences</source>
            <translation>Wiederholungen</translation>
        </message>
        <message>
            <source>On</source>
            <translation>Am</translation>
        </message>
        <message>
            <source>day</source>
            <translation>Tag</translation>
        </message>
        <message>
            <source>days</source>
            <translation>Tage</translation>
        </message>
        <message>
            <source>month</source>
            <translation>Monat</translation>
        </message>
        <message>
            <source>months</source>
            <translation>Monate</translation>
        </message>
        <message>
            <source>year</source>
            <translation>Jahr</translation>
        </message>
        <message>
            <source>years</source>
            <translation>Jahre</translation>
        </message>
        <message>
            <source>week</source>
            <translation>Woche</translation>
        </message>
        <message>
            <source>weeks</source>
            <translation>Wochen</translation>
        </message>
        <message>
            <source>M</source>
            <comment>Monday</comment>
            <translation>M</translation>
        </message>
        <message>
            <source>T</source>
            <comment>Tuesday</comment>
            <translation>D</translation>
        </message>
        <message>
            <source>W</source>
            <comment>Wednesday</comment>
            <translation>M</translation>
        </message>
        <message>
            <source>T</source>
            <comment>Thursday</comment>
            <translation>D</translation>
        </message>
        <message>
            <source>F</source>
            <comment>Friday</comment>
            <translation>F</translation>
        </message>
        <message>
            <source>S</source>
            <comment>Saturday</comment>
            <translation>S</translation>
        </message>
        <message>
            <source>S</source>
            <comment>Sunday</comment>
            <translation>S</translation>
        </message>
    </context>
    <context>
        <name>RecurringEditScopeDialog</name>
        <message>
            <source>Edit Recurring Event</source>
            <translation>Wiederkehrenden Termin bearbeiten</translation>
        </message>
        <message>
            <source>Edit "%1"</source>
            <translation>„%1“ bearbeiten</translation>
        </message>
        <message>
            <source>This event repeats. Apply your changes to:</source>
            <translation>Dieser Termin wiederholt sich. Änderungen anwenden auf:</translation>
        </message>
        <message>
            <source>This event only</source>
            <translation>Nur diesen Termin</translation>
        </message>
        <message>
            <source>Only this occurrence is changed; the rest of the series stays as it was.</source>
            <translation>Nur dieser Termin wird geändert; der Rest der Serie bleibt unverändert.</translation>
        </message>
        <message>
            <source>This and following events</source>
            <translation>Diesen und alle folgenden Termine</translation>
        </message>
        <message>
            <source>This occurrence and every later one inherit the change. Past occurrences keep their original times.</source>
            <translation>Dieser und alle späteren Termine übernehmen die Änderung. Frühere Termine behalten ihre Zeiten.</translation>
        </message>
        <message>
            <source>All events in the series</source>
            <translation>Alle Termine der Serie</translation>
        </message>
        <message>
            <source>The master event shifts; every occurrence — past and future — moves with it.</source>
            <translation>Der Serientermin wird verschoben; alle Termine – vergangene und künftige – folgen.</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
    </context>
    <context>
        <name>RemindersPane</name>
        <message>
            <source>Reminders</source>
            <translation>Erinnerungen</translation>
        </message>
        <message>
            <source>Clear</source>
            <translation>Leeren</translation>
        </message>
        <message>
            <source>Delete all completed reminders</source>
            <translation>Alle erledigten Erinnerungen löschen</translation>
        </message>
        <message>
            <source>Completed</source>
            <translation>Erledigt</translation>
        </message>
        <message>
            <source>Show completed reminders</source>
            <translation>Erledigte Erinnerungen anzeigen</translation>
        </message>
        <message>
            <source>No reminders yet</source>
            <translation>Noch keine Erinnerungen</translation>
        </message>
        <message>
            <source>Add a reminder to get a nudge at the time you set.</source>
            <translation>Fügen Sie eine Erinnerung hinzu, um zur gewählten Zeit einen Hinweis zu erhalten.</translation>
        </message>
        <message>
            <source>+ New Reminder</source>
            <translation>+ Neue Erinnerung</translation>
        </message>
        <message>
            <source>Overdue</source>
            <translation>Überfällig</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Heute</translation>
        </message>
        <message>
            <source>Upcoming</source>
            <translation>Demnächst</translation>
        </message>
        <message>
            <source>No date</source>
            <translation>Ohne Datum</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>Bearbeiten…</translation>
        </message>
        <message>
            <source>Mark Incomplete</source>
            <translation>Als unerledigt markieren</translation>
        </message>
        <message>
            <source>Mark Complete</source>
            <translation>Als erledigt markieren</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Löschen</translation>
        </message>
        <message>
            <source>Delete reminder?</source>
            <translation>Erinnerung löschen?</translation>
        </message>
        <message>
            <source>Delete "%1"? This cannot be undone.</source>
            <translation>„%1“ löschen? Dies kann nicht rückgängig gemacht werden.</translation>
        </message>
        <message>
            <source>Clear completed reminders?</source>
            <translation>Erledigte Erinnerungen löschen?</translation>
        </message>
        <message numerus="yes">
            <source>Delete all %n completed reminder(s)? This cannot be undone.</source>
            <translation>
                <numerusform>%n erledigte Erinnerung löschen? Dies kann nicht rückgängig gemacht werden.</numerusform>
                <numerusform>Alle %n erledigten Erinnerungen löschen? Dies kann nicht rückgängig gemacht werden.</numerusform>
            </translation>
        </message>
        <message>
            <source>No calendars</source>
            <translation>Keine Kalender</translation>
        </message>
        <message>
            <source>Create a calendar first.</source>
            <translation>Legen Sie zuerst einen Kalender an.</translation>
        </message>
    </context>
    <context>
        <name>RruleFormat</name>
        <message>
            <source>Mon</source>
            <translation>Mo</translation>
        </message>
        <message>
            <source>Tue</source>
            <translation>Di</translation>
        </message>
        <message>
            <source>Wed</source>
            <translation>Mi</translation>
        </message>
        <message>
            <source>Thu</source>
            <translation>Do</translation>
        </message>
        <message>
            <source>Fri</source>
            <translation>Fr</translation>
        </message>
        <message>
            <source>Sat</source>
            <translation>Sa</translation>
        </message>
        <message>
            <source>Sun</source>
            <translation>So</translation>
        </message>
        <message>
            <source>Jan</source>
            <translation>Jan.</translation>
        </message>
        <message>
            <source>Feb</source>
            <translation>Feb.</translation>
        </message>
        <message>
            <source>Mar</source>
            <translation>März</translation>
        </message>
        <message>
            <source>Apr</source>
            <translation>Apr.</translation>
        </message>
        <message>
            <source>May</source>
            <translation>Mai</translation>
        </message>
        <message>
            <source>Jun</source>
            <translation>Juni</translation>
        </message>
        <message>
            <source>Jul</source>
            <translation>Juli</translation>
        </message>
        <message>
            <source>Aug</source>
            <translation>Aug.</translation>
        </message>
        <message>
            <source>Sep</source>
            <translation>Sept.</translation>
        </message>
        <message>
            <source>Oct</source>
            <translation>Okt.</translation>
        </message>
        <message>
            <source>Nov</source>
            <translation>Nov.</translation>
        </message>
        <message>
            <source>Dec</source>
            <translation>Dez.</translation>
        </message>
    </context>
    <context>
        <name>SearchDialog</name>
        <message>
            <source>Search</source>
            <translation>Suchen</translation>
        </message>
        <message>
            <source>Search events by title, location, or notes…</source>
            <translation>Termine nach Titel, Ort oder Notizen durchsuchen…</translation>
        </message>
        <message>
            <source>Range:</source>
            <translation>Zeitraum:</translation>
        </message>
        <message>
            <source>All time</source>
            <translation>Gesamter Zeitraum</translation>
        </message>
        <message>
            <source>Past 30 days</source>
            <translation>Letzte 30 Tage</translation>
        </message>
        <message>
            <source>Past 90 days</source>
            <translation>Letzte 90 Tage</translation>
        </message>
        <message>
            <source>Next 30 days</source>
            <translation>Nächste 30 Tage</translation>
        </message>
        <message>
            <source>Next 12 months</source>
            <translation>Nächste 12 Monate</translation>
        </message>
        <message>
            <source>Calendars</source>
            <translation>Kalender</translation>
        </message>
        <message>
            <source>Type to search.</source>
            <translation>Suchbegriff eingeben.</translation>
        </message>
        <message>
            <source>Keep typing…</source>
            <translation>Weiter eingeben…</translation>
        </message>
        <message numerus="yes">
            <source>%n result(s).</source>
            <translation>
                <numerusform>%n Ergebnis.</numerusform>
                <numerusform>%n Ergebnisse.</numerusform>
            </translation>
        </message>
        <message>
            <source>No matches in this range.</source>
            <translation>Keine Treffer in diesem Zeitraum.</translation>
        </message>
        <message>
            <source>(Untitled)</source>
            <translation>(Ohne Titel)</translation>
        </message>
        <message>
            <source>%1 (all day)</source>
            <translation>%1 (ganztägig)</translation>
        </message>
        <message>
            <source>%1, %2 – %3</source>
            <translation>%1, %2–%3</translation>
        </message>
        <message>
            <source>%1, %2</source>
            <translation>%1, %2</translation>
        </message>
    </context>
    <context>
        <name>SecretServiceCache</name>
        <message>
            <source>A password or sign-in could not be saved.</source>
            <translation>Ein Passwort oder eine Anmeldung konnte nicht gespeichert werden.</translation>
        </message>
        <message>
            <source>No keyring is available; passwords and sign-ins are not saved.</source>
            <translation>Kein Schlüsselbund verfügbar; Passwörter und Anmeldungen werden nicht gespeichert.</translation>
        </message>
        <message>
            <source>A password or sign-in could not be saved to the keyring; it is kept until the program ends.</source>
            <translation>Ein Passwort oder eine Anmeldung konnte nicht im Schlüsselbund gespeichert werden; es bleibt bis zum Programmende erhalten.</translation>
        </message>
    </context>
    <context>
        <name>SettingsDialog</name>
        <message>
            <source>Preferences</source>
            <translation>Einstellungen</translation>
        </message>
        <message>
            <source>Appearance</source>
            <translation>Darstellung</translation>
        </message>
        <message>
            <source>System</source>
            <translation>System</translation>
        </message>
        <message>
            <source>Light</source>
            <translation>Hell</translation>
        </message>
        <message>
            <source>Dark</source>
            <translation>Dunkel</translation>
        </message>
        <message>
            <source>&amp;Theme</source>
            <translation>&amp;Design</translation>
        </message>
        <message>
            <source>Use default</source>
            <translation>Standard verwenden</translation>
        </message>
        <message>
            <source>Accent color</source>
            <translation>Akzentfarbe</translation>
        </message>
        <message>
            <source>Small</source>
            <translation>Klein</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>Standard</translation>
        </message>
        <message>
            <source>Medium</source>
            <translation>Mittel</translation>
        </message>
        <message>
            <source>Large</source>
            <translation>Groß</translation>
        </message>
        <message>
            <source>X-Large</source>
            <translation>Sehr groß</translation>
        </message>
        <message>
            <source>&amp;Font size</source>
            <translation>&amp;Schriftgröße</translation>
        </message>
        <message>
            <source>Calendar</source>
            <translation>Kalender</translation>
        </message>
        <message>
            <source>System default</source>
            <translation>Systemstandard</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>Montag</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>Dienstag</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>Mittwoch</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>Donnerstag</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>Freitag</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>Samstag</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>Sonntag</translation>
        </message>
        <message>
            <source>Week starts on</source>
            <translation>Woche beginnt am</translation>
        </message>
        <message>
            <source>to</source>
            <translation>bis</translation>
        </message>
        <message>
            <source>Workday hours</source>
            <translation>Arbeitszeit</translation>
        </message>
        <message>
            <source>Show week numbers in mini-cal</source>
            <translation>Kalenderwochen im Minikalender anzeigen</translation>
        </message>
        <message>
            <source>Default for new events</source>
            <translation>Standard für neue Termine</translation>
        </message>
        <message>
            <source>Default for new tasks</source>
            <translation>Standard für neue Aufgaben</translation>
        </message>
        <message>
            <source>(use first available)</source>
            <translation>(ersten verfügbaren verwenden)</translation>
        </message>
        <message>
            <source>(use last calendar)</source>
            <translation>(zuletzt verwendeten Kalender)</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>Zeit</translation>
        </message>
        <message>
            <source>12-hour (1:30 PM)</source>
            <translation>12 Stunden (1:30 PM)</translation>
        </message>
        <message>
            <source>24-hour (13:30)</source>
            <translation>24 Stunden (13:30)</translation>
        </message>
        <message>
            <source>Time format</source>
            <translation>Zeitformat</translation>
        </message>
        <message>
            <source>Weather</source>
            <translation>Wetter</translation>
        </message>
        <message>
            <source>Show weather in calendar headers</source>
            <translation>Wetter in den Kalenderkopfzeilen anzeigen</translation>
        </message>
        <message>
            <source>Configure location and units…</source>
            <translation>Ort und Einheiten einrichten…</translation>
        </message>
        <message>
            <source>Startup</source>
            <translation>Start</translation>
        </message>
        <message>
            <source>Open at login</source>
            <translation>Beim Anmelden öffnen</translation>
        </message>
        <message>
            <source>Launch Tindlebrook Calendar to the system tray when you log in so calendars keep syncing without you needing to open the window.</source>
            <translation>Startet Tindlebrook Calendar beim Anmelden im Infobereich, damit Kalender weiter synchronisiert werden, ohne dass Sie das Fenster öffnen müssen.</translation>
        </message>
        <message>
            <source>Close to tray</source>
            <translation>In den Infobereich schließen</translation>
        </message>
        <message>
            <source>When enabled, clicking the window's close button hides the window to the system tray instead of quitting. Use File → Quit to actually exit.</source>
            <translation>Wenn aktiviert, blendet die Schließen-Schaltfläche das Fenster in den Infobereich aus, statt das Programm zu beenden. Zum Beenden verwenden Sie Datei → Beenden.</translation>
        </message>
        <message>
            <source>Start minimized to tray</source>
            <translation>Minimiert im Infobereich starten</translation>
        </message>
        <message>
            <source>Launch directly to the tray without showing the window — pair with Open at login for a fully background-running app.</source>
            <translation>Startet direkt im Infobereich, ohne das Fenster zu zeigen — zusammen mit „Beim Anmelden öffnen“ läuft die App ganz im Hintergrund.</translation>
        </message>
        <message>
            <source>Tasks</source>
            <translation>Aufgaben</translation>
        </message>
        <message>
            <source>Ask me each time</source>
            <translation>Jedes Mal fragen</translation>
        </message>
        <message>
            <source>Create a new event from the task</source>
            <translation>Neuen Termin aus der Aufgabe erstellen</translation>
        </message>
        <message>
            <source>Set the task's start date</source>
            <translation>Startdatum der Aufgabe festlegen</translation>
        </message>
        <message>
            <source>Set the task's due date</source>
            <translation>Fälligkeitsdatum der Aufgabe festlegen</translation>
        </message>
        <message>
            <source>When you drag a task from the Tasks pane onto the calendar, Tindlebrook can create a new event from it, fill in the task's start or due date based on where you dropped it, or ask you each time.</source>
            <translation>Wenn Sie eine Aufgabe aus dem Aufgabenbereich auf den Kalender ziehen, kann Tindlebrook daraus einen neuen Termin erstellen, je nach Ablageort das Start- oder Fälligkeitsdatum der Aufgabe setzen oder Sie jedes Mal fragen.</translation>
        </message>
        <message>
            <source>Drop a task onto the calendar:</source>
            <translation>Aufgabe auf den Kalender ziehen:</translation>
        </message>
        <message>
            <source>Cross-device sync</source>
            <translation>Geräteübergreifende Synchronisierung</translation>
        </message>
        <message>
            <source>Pick what syncs through your Tindlebrook account to your other devices. Calendar events from Google, Microsoft, and CalDAV servers sync directly with those services and aren't affected by these toggles.</source>
            <translation>Wählen Sie, was über Ihr Tindlebrook-Konto mit Ihren anderen Geräten synchronisiert wird. Kalendertermine von Google, Microsoft und CalDAV-Servern werden direkt mit diesen Diensten synchronisiert und sind von diesen Schaltern nicht betroffen.</translation>
        </message>
        <message>
            <source>Filters</source>
            <translation>Filter</translation>
        </message>
        <message>
            <source>Calendar groups</source>
            <translation>Kalendergruppen</translation>
        </message>
        <message>
            <source>Event templates</source>
            <translation>Terminvorlagen</translation>
        </message>
        <message>
            <source>App preferences (theme, time format, etc.)</source>
            <translation>App-Einstellungen (Design, Zeitformat usw.)</translation>
        </message>
        <message>
            <source>Account credentials (CalDAV servers and tokens)</source>
            <translation>Kontozugangsdaten (CalDAV-Server und Tokens)</translation>
        </message>
        <message>
            <source>CalDAV usernames and app passwords ride alongside the rest of the bucket so a new device picks up your servers without re-entering credentials.</source>
            <translation>CalDAV-Benutzernamen und App-Passwörter werden mit den übrigen Daten synchronisiert, sodass ein neues Gerät Ihre Server übernimmt, ohne dass Sie Zugangsdaten erneut eingeben müssen.</translation>
        </message>
        <message>
            <source>Sync now</source>
            <translation>Jetzt synchronisieren</translation>
        </message>
        <message>
            <source>Sign in to your Tindlebrook account to start syncing.</source>
            <translation>Melden Sie sich bei Ihrem Tindlebrook-Konto an, um die Synchronisierung zu starten.</translation>
        </message>
        <message>
            <source>Syncing…</source>
            <translation>Wird synchronisiert…</translation>
        </message>
        <message>
            <source>Up to date</source>
            <translation>Aktuell</translation>
        </message>
        <message>
            <source>Sync failed; will retry.</source>
            <translation>Synchronisierung fehlgeschlagen; neuer Versuch folgt.</translation>
        </message>
        <message>
            <source>Sign-in expired. Please sign in again.</source>
            <translation>Anmeldung abgelaufen. Bitte melden Sie sich erneut an.</translation>
        </message>
        <message>
            <source>Offline. Will sync when reconnected.</source>
            <translation>Offline. Synchronisierung folgt, sobald wieder eine Verbindung besteht.</translation>
        </message>
        <message>
            <source>Default accent (%1). Click to override.</source>
            <translation>Standard-Akzentfarbe (%1). Zum Ändern klicken.</translation>
        </message>
        <message>
            <source>Custom accent (%1). Click to change.</source>
            <translation>Eigene Akzentfarbe (%1). Zum Ändern klicken.</translation>
        </message>
        <message>
            <source>Preferences not saved</source>
            <translation>Einstellungen nicht gespeichert</translation>
        </message>
        <message>
            <source>These preferences could not be saved:
%1

The settings store may be read-only or full.</source>
            <translation>Diese Einstellungen konnten nicht gespeichert werden:
%1

Der Einstellungsspeicher ist möglicherweise schreibgeschützt oder voll.</translation>
        </message>
    </context>
    <context>
        <name>StatusPills</name>
        <message>
            <source>Manage filters</source>
            <translation>Filter verwalten</translation>
        </message>
        <message numerus="yes">
            <source>%n account(s) need sign-in</source>
            <translation>
                <numerusform>%n Konto muss angemeldet werden</numerusform>
                <numerusform>%n Konten müssen angemeldet werden</numerusform>
            </translation>
        </message>
        <message>
            <source>Click to open Calendar Accounts and sign in.</source>
            <translation>Klicken, um die Kalenderkonten zu öffnen und sich anzumelden.</translation>
        </message>
        <message numerus="yes">
            <source>%n account(s) need password</source>
            <translation>
                <numerusform>%n Konto braucht ein Passwort</numerusform>
                <numerusform>%n Konten brauchen ein Passwort</numerusform>
            </translation>
        </message>
        <message>
            <source>Click to open Calendar Accounts and re-enter the password.</source>
            <translation>Klicken, um die Kalenderkonten zu öffnen und das Passwort erneut einzugeben.</translation>
        </message>
        <message numerus="yes">
            <source>%n account(s) need attention</source>
            <translation>
                <numerusform>%n Konto braucht Aufmerksamkeit</numerusform>
                <numerusform>%n Konten brauchen Aufmerksamkeit</numerusform>
            </translation>
        </message>
        <message>
            <source>Click to open Calendar Accounts and resolve the issues.</source>
            <translation>Klicken, um die Kalenderkonten zu öffnen und die Probleme zu beheben.</translation>
        </message>
        <message>
            <source>Add Filter…</source>
            <translation>Filter hinzufügen…</translation>
        </message>
        <message>
            <source>Manage Filters…</source>
            <translation>Filter verwalten…</translation>
        </message>
        <message>
            <source>Disable all filters</source>
            <translation>Alle Filter ausschalten</translation>
        </message>
        <message>
            <source>Enable all filters</source>
            <translation>Alle Filter einschalten</translation>
        </message>
        <message>
            <source>No filters</source>
            <translation>Keine Filter</translation>
        </message>
        <message numerus="yes">
            <source>%n filter(s) applied</source>
            <translation>
                <numerusform>%n Filter aktiv</numerusform>
                <numerusform>%n Filter aktiv</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n hidden</source>
            <translation>
                <numerusform>%n ausgeblendet</numerusform>
                <numerusform>%n ausgeblendet</numerusform>
            </translation>
        </message>
        <message>
            <source>Could not save the filter.</source>
            <translation>Der Filter konnte nicht gespeichert werden.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Datenbankfehler</translation>
        </message>
    </context>
    <context>
        <name>SyncErrorCode</name>
        <message>
            <source>Password missing</source>
            <translation>Passwort fehlt</translation>
        </message>
        <message>
            <source>Sign in required</source>
            <translation>Anmeldung erforderlich</translation>
        </message>
    </context>
    <context>
        <name>TaskActions</name>
        <message>
            <source>Couldn't change the task</source>
            <translation>Die Aufgabe konnte nicht geändert werden</translation>
        </message>
    </context>
    <context>
        <name>TaskDetailsPopover</name>
        <message>
            <source>Edit…</source>
            <translation>Bearbeiten…</translation>
        </message>
        <message>
            <source>Add Subtask</source>
            <translation>Unteraufgabe hinzufügen</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Löschen</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Heute</translation>
        </message>
        <message>
            <source>Tomorrow</source>
            <translation>Morgen</translation>
        </message>
        <message>
            <source>Yesterday</source>
            <translation>Gestern</translation>
        </message>
        <message>
            <source>(Untitled task)</source>
            <translation>(Aufgabe ohne Titel)</translation>
        </message>
        <message>
            <source>▶  Starts %1</source>
            <translation>▶  Beginnt %1</translation>
        </message>
        <message>
            <source>%1 priority</source>
            <translation>Priorität %1</translation>
        </message>
        <message>
            <source>Mark incomplete</source>
            <translation>Als unerledigt markieren</translation>
        </message>
        <message>
            <source>Mark complete</source>
            <translation>Als erledigt markieren</translation>
        </message>
        <message>
            <source>Unknown calendar</source>
            <translation>Unbekannter Kalender</translation>
        </message>
        <message>
            <source>(Untitled event)</source>
            <translation>(Termin ohne Titel)</translation>
        </message>
        <message>
            <source>Linked event:</source>
            <translation>Verknüpfter Termin:</translation>
        </message>
        <message>
            <source>Linked events:</source>
            <translation>Verknüpfte Termine:</translation>
        </message>
        <message>
            <source>Task</source>
            <translation>Aufgabe</translation>
        </message>
        <message>
            <source>Delete task?</source>
            <translation>Aufgabe löschen?</translation>
        </message>
        <message>
            <source>Delete "%1"? This cannot be undone.</source>
            <translation>„%1“ löschen? Dies kann nicht rückgängig gemacht werden.</translation>
        </message>
    </context>
    <context>
        <name>TaskDrop</name>
        <message>
            <source>Create event from task</source>
            <translation>Termin aus Aufgabe erstellen</translation>
        </message>
        <message>
            <source>Set start date</source>
            <translation>Startdatum festlegen</translation>
        </message>
        <message>
            <source>Set due date</source>
            <translation>Fälligkeitsdatum festlegen</translation>
        </message>
        <message>
            <source>Couldn't update task — see log.</source>
            <translation>Aufgabe konnte nicht aktualisiert werden – siehe Protokoll.</translation>
        </message>
        <message>
            <source>Task</source>
            <translation>Aufgabe</translation>
        </message>
        <message>
            <source>Set start date for "%1" to %2</source>
            <translation>Startdatum von „%1“ auf %2 setzen</translation>
        </message>
        <message>
            <source>Set due date for "%1" to %2</source>
            <translation>Fälligkeit von „%1“ auf %2 setzen</translation>
        </message>
    </context>
    <context>
        <name>TaskEditor</name>
        <message>
            <source>Task</source>
            <translation>Aufgabe</translation>
        </message>
        <message>
            <source>"%1" could not be deleted. The log has the details.</source>
            <translation>„%1“ konnte nicht gelöscht werden. Details stehen im Protokoll.</translation>
        </message>
        <message>
            <source>"%1" was copied to its new calendar, but not all of it could be removed from the old one. The log has the details.</source>
            <translation>„%1“ wurde in seinen neuen Kalender kopiert, konnte aber nicht vollständig aus dem alten entfernt werden. Details stehen im Protokoll.</translation>
        </message>
        <message>
            <source>"%1" could not be stored, so nothing was changed. The log has the details.</source>
            <translation>„%1“ konnte nicht gespeichert werden; es wurde nichts geändert. Details stehen im Protokoll.</translation>
        </message>
        <message>
            <source>The task no longer exists.</source>
            <translation>Die Aufgabe existiert nicht mehr.</translation>
        </message>
    </context>
    <context>
        <name>TaskFormDialog</name>
        <message>
            <source>New Task</source>
            <translation>Neue Aufgabe</translation>
        </message>
        <message>
            <source>Edit Task</source>
            <translation>Aufgabe bearbeiten</translation>
        </message>
        <message>
            <source>Edit task</source>
            <translation>Aufgabe bearbeiten</translation>
        </message>
        <message>
            <source>New task</source>
            <translation>Neue Aufgabe</translation>
        </message>
        <message>
            <source>Update the task and save to apply.</source>
            <translation>Passen Sie die Aufgabe an und speichern Sie.</translation>
        </message>
        <message>
            <source>Drop a quick to-do; due date and priority are optional.</source>
            <translation>Notieren Sie schnell eine Aufgabe; Fälligkeit und Priorität sind optional.</translation>
        </message>
        <message>
            <source>Buy birthday gift, prep Q1 report…</source>
            <translation>Geburtstagsgeschenk kaufen, Q1-Bericht vorbereiten…</translation>
        </message>
        <message>
            <source>&amp;Title</source>
            <translation>&amp;Titel</translation>
        </message>
        <message>
            <source>&amp;Calendar</source>
            <translation>&amp;Kalender</translation>
        </message>
        <message>
            <source>Set start date</source>
            <translation>Startdatum festlegen</translation>
        </message>
        <message>
            <source>&amp;Starts</source>
            <translation>&amp;Beginn</translation>
        </message>
        <message>
            <source>Set due date</source>
            <translation>Fälligkeitsdatum festlegen</translation>
        </message>
        <message>
            <source>&amp;Due</source>
            <translation>&amp;Fällig</translation>
        </message>
        <message>
            <source>Re&amp;minders</source>
            <translation>&amp;Erinnerungen</translation>
        </message>
        <message>
            <source>Does not repeat</source>
            <translation>Keine Wiederholung</translation>
        </message>
        <message>
            <source>&amp;Repeat</source>
            <translation>&amp;Wiederholung</translation>
        </message>
        <message>
            <source>Due date</source>
            <translation>Fälligkeitsdatum</translation>
        </message>
        <message>
            <source>Completion date</source>
            <translation>Erledigungsdatum</translation>
        </message>
        <message>
            <source>Due date: next due = current due + interval.
Completion date: next due = today + interval.</source>
            <translation>Fälligkeitsdatum: nächste Fälligkeit = aktuelle Fälligkeit + Intervall.
Erledigungsdatum: nächste Fälligkeit = heute + Intervall.</translation>
        </message>
        <message>
            <source>Repeats &amp;from</source>
            <translation>Wiederholung &amp;ab</translation>
        </message>
        <message>
            <source>— None</source>
            <translation>— Keine</translation>
        </message>
        <message>
            <source>● High</source>
            <translation>● Hoch</translation>
        </message>
        <message>
            <source>● Medium</source>
            <translation>● Mittel</translation>
        </message>
        <message>
            <source>● Low</source>
            <translation>● Niedrig</translation>
        </message>
        <message>
            <source>&amp;Priority</source>
            <translation>&amp;Priorität</translation>
        </message>
        <message>
            <source>Completed</source>
            <translation>Erledigt</translation>
        </message>
        <message>
            <source>e.g. Personal, Health, Errands</source>
            <translation>z. B. Privat, Gesundheit, Besorgungen</translation>
        </message>
        <message>
            <source>&amp;Categories</source>
            <translation>&amp;Kategorien</translation>
        </message>
        <message>
            <source>Steps, links, context…</source>
            <translation>Schritte, Links, Kontext…</translation>
        </message>
        <message>
            <source>&amp;Notes</source>
            <translation>&amp;Notizen</translation>
        </message>
        <message>
            <source>Save changes</source>
            <translation>Änderungen speichern</translation>
        </message>
        <message>
            <source>Create task</source>
            <translation>Aufgabe erstellen</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
        <message>
            <source>At due time</source>
            <translation>Zur Fälligkeit</translation>
        </message>
        <message>
            <source>10 minutes before</source>
            <translation>10 Minuten vorher</translation>
        </message>
        <message>
            <source>30 minutes before</source>
            <translation>30 Minuten vorher</translation>
        </message>
        <message>
            <source>1 hour before</source>
            <translation>1 Stunde vorher</translation>
        </message>
        <message>
            <source>1 day before</source>
            <translation>1 Tag vorher</translation>
        </message>
        <message>
            <source>2 days before</source>
            <translation>2 Tage vorher</translation>
        </message>
        <message>
            <source>Add</source>
            <translation>Hinzufügen</translation>
        </message>
        <message>
            <source>Subtasks stay in their parent task's calendar.</source>
            <translation>Unteraufgaben bleiben im Kalender ihrer übergeordneten Aufgabe.</translation>
        </message>
        <message>
            <source>Edit Reminder</source>
            <translation>Erinnerung bearbeiten</translation>
        </message>
        <message>
            <source>New Reminder</source>
            <translation>Neue Erinnerung</translation>
        </message>
        <message>
            <source>Edit reminder</source>
            <translation>Erinnerung bearbeiten</translation>
        </message>
        <message>
            <source>New reminder</source>
            <translation>Neue Erinnerung</translation>
        </message>
        <message>
            <source>A reminder is a to-do that nudges you at the time you set.</source>
            <translation>Eine Erinnerung ist eine Aufgabe, die Sie zur gewählten Zeit benachrichtigt.</translation>
        </message>
        <message>
            <source>Remind me</source>
            <translation>Erinnern</translation>
        </message>
        <message>
            <source>Tags</source>
            <translation>Schlagwörter</translation>
        </message>
        <message>
            <source>Create reminder</source>
            <translation>Erinnerung erstellen</translation>
        </message>
        <message>
            <source>%1 minutes before</source>
            <translation>%1 Minuten vorher</translation>
        </message>
        <message>
            <source>%1 hours before</source>
            <translation>%1 Stunden vorher</translation>
        </message>
        <message>
            <source>%1 days before</source>
            <translation>%1 Tage vorher</translation>
        </message>
        <message>
            <source>No reminders</source>
            <translation>Keine Erinnerungen</translation>
        </message>
        <message>
            <source>Remove reminder</source>
            <translation>Erinnerung entfernen</translation>
        </message>
        <message>
            <source>Title required</source>
            <translation>Titel erforderlich</translation>
        </message>
        <message>
            <source>Please enter a title for the task.</source>
            <translation>Bitte geben Sie einen Titel für die Aufgabe ein.</translation>
        </message>
        <message>
            <source>No calendars</source>
            <translation>Keine Kalender</translation>
        </message>
        <message>
            <source>Create a calendar first.</source>
            <translation>Legen Sie zuerst einen Kalender an.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Datenbankfehler</translation>
        </message>
        <message>
            <source>Could not save the task.</source>
            <translation>Die Aufgabe konnte nicht gespeichert werden.</translation>
        </message>
    </context>
    <context>
        <name>TaskMarks</name>
        <message>
            <source>High</source>
            <translation>Hoch</translation>
        </message>
        <message>
            <source>Medium</source>
            <translation>Mittel</translation>
        </message>
        <message>
            <source>Low</source>
            <translation>Niedrig</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Heute</translation>
        </message>
        <message>
            <source>Tomorrow</source>
            <translation>Morgen</translation>
        </message>
        <message>
            <source>Yesterday</source>
            <translation>Gestern</translation>
        </message>
    </context>
    <context>
        <name>TasksPane</name>
        <message>
            <source>No tasks yet</source>
            <translation>Noch keine Aufgaben</translation>
        </message>
        <message>
            <source>Create a task to track what needs doing.</source>
            <translation>Legen Sie eine Aufgabe an, um festzuhalten, was zu tun ist.</translation>
        </message>
        <message>
            <source>Tasks</source>
            <translation>Aufgaben</translation>
        </message>
        <message>
            <source>Filter tasks</source>
            <translation>Aufgaben filtern</translation>
        </message>
        <message>
            <source>+ New Task</source>
            <translation>+ Neue Aufgabe</translation>
        </message>
        <message>
            <source>All tasks</source>
            <translation>Alle Aufgaben</translation>
        </message>
        <message>
            <source>Due today</source>
            <translation>Heute fällig</translation>
        </message>
        <message>
            <source>Due this week</source>
            <translation>Diese Woche fällig</translation>
        </message>
        <message>
            <source>Overdue</source>
            <translation>Überfällig</translation>
        </message>
        <message>
            <source>Group by calendar</source>
            <translation>Nach Kalender gruppieren</translation>
        </message>
        <message>
            <source>Hide completed</source>
            <translation>Erledigte ausblenden</translation>
        </message>
        <message>
            <source>Show notes</source>
            <translation>Notizen anzeigen</translation>
        </message>
        <message>
            <source>Show categories</source>
            <translation>Kategorien anzeigen</translation>
        </message>
        <message>
            <source>Nothing due today</source>
            <translation>Heute ist nichts fällig</translation>
        </message>
        <message>
            <source>Switch the filter to see other tasks.</source>
            <translation>Wechseln Sie den Filter, um andere Aufgaben zu sehen.</translation>
        </message>
        <message>
            <source>Nothing due this week</source>
            <translation>Diese Woche ist nichts fällig</translation>
        </message>
        <message>
            <source>Nothing overdue</source>
            <translation>Nichts überfällig</translation>
        </message>
        <message>
            <source>You're caught up. Nice.</source>
            <translation>Alles erledigt. Prima.</translation>
        </message>
        <message>
            <source>No calendars</source>
            <translation>Keine Kalender</translation>
        </message>
        <message>
            <source>Create a calendar first.</source>
            <translation>Legen Sie zuerst einen Kalender an.</translation>
        </message>
        <message>
            <source>Can't move task</source>
            <translation>Aufgabe kann nicht verschoben werden</translation>
        </message>
        <message>
            <source>Subtasks must belong to the same calendar as their parent. Move "%1" to the same calendar first.</source>
            <translation>Unteraufgaben müssen im selben Kalender wie ihre übergeordnete Aufgabe liegen. Verschieben Sie „%1“ zuerst in diesen Kalender.</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>Bearbeiten…</translation>
        </message>
        <message>
            <source>Add Subtask</source>
            <translation>Unteraufgabe hinzufügen</translation>
        </message>
        <message>
            <source>Mark Incomplete</source>
            <translation>Als unerledigt markieren</translation>
        </message>
        <message>
            <source>Mark Complete</source>
            <translation>Als erledigt markieren</translation>
        </message>
        <message>
            <source>Clear In Progress</source>
            <translation>„In Arbeit“ entfernen</translation>
        </message>
        <message>
            <source>Mark In Progress</source>
            <translation>Als „In Arbeit“ markieren</translation>
        </message>
        <message>
            <source>Restore Task</source>
            <translation>Aufgabe wiederherstellen</translation>
        </message>
        <message>
            <source>Mark Cancelled</source>
            <translation>Als abgebrochen markieren</translation>
        </message>
        <message>
            <source>Make Top-Level</source>
            <translation>Zur Hauptaufgabe machen</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Löschen</translation>
        </message>
        <message>
            <source>Delete task?</source>
            <translation>Aufgabe löschen?</translation>
        </message>
        <message>
            <source>Delete "%1"? This cannot be undone.</source>
            <translation>„%1“ löschen? Dies kann nicht rückgängig gemacht werden.</translation>
        </message>
    </context>
    <context>
        <name>TasksPaneRow</name>
        <message>
            <source>(Untitled)</source>
            <translation>(Ohne Titel)</translation>
        </message>
        <message>
            <source>Waiting to sync</source>
            <translation>Wartet auf Synchronisierung</translation>
        </message>
        <message>
            <source>IN PROGRESS</source>
            <translation>IN ARBEIT</translation>
        </message>
        <message>
            <source>CANCELLED</source>
            <translation>ABGEBROCHEN</translation>
        </message>
        <message>
            <source>↳ subtask</source>
            <translation>↳ Unteraufgabe</translation>
        </message>
    </context>
    <context>
        <name>TemplateEditorDialog</name>
        <message>
            <source>New Template</source>
            <translation>Neue Vorlage</translation>
        </message>
        <message>
            <source>Edit Template</source>
            <translation>Vorlage bearbeiten</translation>
        </message>
        <message>
            <source>At time of event</source>
            <translation>Zum Terminbeginn</translation>
        </message>
        <message numerus="yes">
            <source>%n minute(s) before</source>
            <translation>
                <numerusform>%n Minute vorher</numerusform>
                <numerusform>%n Minuten vorher</numerusform>
            </translation>
        </message>
        <message>
            <source>1 hour before</source>
            <translation>1 Stunde vorher</translation>
        </message>
        <message numerus="yes">
            <source>%n day(s) before</source>
            <translation>
                <numerusform>%n Tag vorher</numerusform>
                <numerusform>%n Tage vorher</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n hour(s) before</source>
            <translation>
                <numerusform>%n Stunde vorher</numerusform>
                <numerusform>%n Stunden vorher</numerusform>
            </translation>
        </message>
        <message>
            <source>e.g., Standup, Doctor visit</source>
            <translation>z. B. Stand-up, Arzttermin</translation>
        </message>
        <message>
            <source>Template name</source>
            <translation>Vorlagenname</translation>
        </message>
        <message>
            <source>Event title shown on the calendar</source>
            <translation>Im Kalender angezeigter Termintitel</translation>
        </message>
        <message>
            <source>Event title</source>
            <translation>Termintitel</translation>
        </message>
        <message>
            <source>Description</source>
            <translation>Beschreibung</translation>
        </message>
        <message>
            <source>Optional location</source>
            <translation>Ort (optional)</translation>
        </message>
        <message>
            <source>Location</source>
            <translation>Ort</translation>
        </message>
        <message>
            <source>Use calendar color</source>
            <translation>Kalenderfarbe verwenden</translation>
        </message>
        <message>
            <source>Color</source>
            <translation>Farbe</translation>
        </message>
        <message>
            <source>(use default)</source>
            <translation>(Standard verwenden)</translation>
        </message>
        <message>
            <source>Calendar</source>
            <translation>Kalender</translation>
        </message>
        <message>
            <source>All-day event</source>
            <translation>Ganztägiger Termin</translation>
        </message>
        <message>
            <source>h</source>
            <translation>Std.</translation>
        </message>
        <message>
            <source>m</source>
            <translation>Min.</translation>
        </message>
        <message>
            <source>Default duration</source>
            <translation>Standarddauer</translation>
        </message>
        <message>
            <source>Recurrence</source>
            <translation>Wiederholung</translation>
        </message>
        <message>
            <source>Reminders</source>
            <translation>Erinnerungen</translation>
        </message>
        <message>
            <source>+ Add reminder</source>
            <translation>+ Erinnerung hinzufügen</translation>
        </message>
        <message>
            <source>No reminders</source>
            <translation>Keine Erinnerungen</translation>
        </message>
        <message>
            <source>Remove reminder</source>
            <translation>Erinnerung entfernen</translation>
        </message>
        <message>
            <source>%1, click to change.</source>
            <translation>%1, zum Ändern klicken.</translation>
        </message>
        <message>
            <source>Inherits the calendar's color. Click to override.</source>
            <translation>Übernimmt die Kalenderfarbe. Zum Ändern klicken.</translation>
        </message>
        <message>
            <source>Template color</source>
            <translation>Vorlagenfarbe</translation>
        </message>
        <message>
            <source>Does not repeat</source>
            <translation>Keine Wiederholung</translation>
        </message>
        <message>
            <source>Missing name</source>
            <translation>Name fehlt</translation>
        </message>
        <message>
            <source>Give this template a name so you can pick it later.</source>
            <translation>Geben Sie der Vorlage einen Namen, damit Sie sie später auswählen können.</translation>
        </message>
        <message>
            <source>Missing event title</source>
            <translation>Termintitel fehlt</translation>
        </message>
        <message>
            <source>Set the event title. That's what events created from this template will be called.</source>
            <translation>Legen Sie den Termintitel fest. So heißen die Termine, die aus dieser Vorlage entstehen.</translation>
        </message>
    </context>
    <context>
        <name>TindAccount::ApiClient</name>
        <message>
            <source>Your sign-in has expired. Please sign in again.</source>
            <translation>Ihre Anmeldung ist abgelaufen. Bitte melden Sie sich erneut an.</translation>
        </message>
        <message>
            <source>The service answered HTTP %1.</source>
            <translation>Der Dienst antwortete mit HTTP %1.</translation>
        </message>
        <message>
            <source>The service could not be reached.</source>
            <translation>Der Dienst ist nicht erreichbar.</translation>
        </message>
    </context>
    <context>
        <name>TindAccount::ShareMembersDialog</name>
        <message>
            <source>People with access</source>
            <translation>Personen mit Zugriff</translation>
        </message>
        <message>
            <source>Add people</source>
            <translation>Personen hinzufügen</translation>
        </message>
        <message>
            <source>All group members already have access</source>
            <translation>Alle Gruppenmitglieder haben bereits Zugriff</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Schließen</translation>
        </message>
        <message>
            <source>Not shared with anyone yet.</source>
            <translation>Noch für niemanden freigegeben.</translation>
        </message>
        <message>
            <source>Share</source>
            <translation>Freigeben</translation>
        </message>
        <message>
            <source>Remove access</source>
            <translation>Zugriff entfernen</translation>
        </message>
        <message>
            <source>Could not share with %1.</source>
            <translation>Freigabe für %1 fehlgeschlagen.</translation>
        </message>
        <message>
            <source>Remove access?</source>
            <translation>Zugriff entfernen?</translation>
        </message>
        <message>
            <source>%1 will no longer have access. Continue?</source>
            <translation>%1 hat dann keinen Zugriff mehr. Fortfahren?</translation>
        </message>
        <message>
            <source>Could not remove %1.</source>
            <translation>%1 konnte nicht entfernt werden.</translation>
        </message>
    </context>
    <context>
        <name>TindUpdate::UpdateDialog</name>
        <message>
            <source>Update available</source>
            <translation>Update verfügbar</translation>
        </message>
        <message>
            <source>A new version of %1 is available.</source>
            <translation>Eine neue Version von %1 ist verfügbar.</translation>
        </message>
        <message>
            <source>You have version %1. The latest version is %2.</source>
            <translation>Sie haben Version %1. Die neueste Version ist %2.</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>Herunterladen</translation>
        </message>
        <message>
            <source>Later</source>
            <translation>Später</translation>
        </message>
        <message>
            <source>Loading release notes…</source>
            <translation>Versionshinweise werden geladen…</translation>
        </message>
        <message>
            <source>*Release notes are not available for this version.*</source>
            <translation>*Für diese Version gibt es keine Versionshinweise.*</translation>
        </message>
    </context>
    <context>
        <name>TindUpdate::WhatsNewDialog</name>
        <message>
            <source>What's New in %1 %2</source>
            <translation>Neu in %1 %2</translation>
        </message>
        <message>
            <source>What's new in %1 %2</source>
            <translation>Neu in %1 %2</translation>
        </message>
        <message>
            <source>You are running version %1</source>
            <translation>Sie verwenden Version %1</translation>
        </message>
        <message>
            <source>Download %1</source>
            <translation>%1 herunterladen</translation>
        </message>
    </context>
    <context>
        <name>Tindlebrook::CalendarUpgradeService</name>
        <message>
            <source>Calendar's account is missing</source>
            <translation>Das Konto des Kalenders fehlt</translation>
        </message>
        <message>
            <source>Only Tindlebrook-native calendars can be upgraded</source>
            <translation>Nur Tindlebrook-eigene Kalender können übertragen werden</translation>
        </message>
        <message>
            <source>Calendar is already on Tindlebrook</source>
            <translation>Der Kalender ist bereits bei Tindlebrook</translation>
        </message>
        <message>
            <source>Not signed in</source>
            <translation>Nicht angemeldet</translation>
        </message>
        <message>
            <source>Server registration failed (HTTP %1)</source>
            <translation>Registrierung beim Server fehlgeschlagen (HTTP %1)</translation>
        </message>
        <message numerus="yes">
            <source>%n event(s) or task(s) could not be uploaded to Tindlebrook.</source>
            <translation>
                <numerusform>%n Termin bzw. Aufgabe konnte nicht zu Tindlebrook hochgeladen werden.</numerusform>
                <numerusform>%n Termine bzw. Aufgaben konnten nicht zu Tindlebrook hochgeladen werden.</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>Tindlebrook::SharingBackend</name>
        <message>
            <source>Not signed in</source>
            <translation>Nicht angemeldet</translation>
        </message>
        <message>
            <source>Sharing failed (HTTP %1)</source>
            <translation>Freigabe fehlgeschlagen (HTTP %1)</translation>
        </message>
    </context>
    <context>
        <name>Tindlebrook::SyncClient</name>
        <message>
            <source>Not signed in</source>
            <translation>Nicht angemeldet</translation>
        </message>
        <message>
            <source>Tindlebrook pull failed (HTTP %1)</source>
            <translation>Abruf von Tindlebrook fehlgeschlagen (HTTP %1)</translation>
        </message>
        <message>
            <source>Tindlebrook pull: %1 event(s) could not be stored</source>
            <translation>Abruf von Tindlebrook: %1 Termin(e) konnten nicht gespeichert werden</translation>
        </message>
        <message>
            <source>Tindlebrook push: %1 event(s) failed</source>
            <translation>Hochladen zu Tindlebrook: %1 Termin(e) fehlgeschlagen</translation>
        </message>
        <message>
            <source>Tindlebrook pull failed: the service's answer could not be read</source>
            <translation>Abruf von Tindlebrook fehlgeschlagen: Die Antwort des Dienstes konnte nicht gelesen werden</translation>
        </message>
    </context>
    <context>
        <name>TrayManager</name>
        <message>
            <source>&amp;Show Calendar</source>
            <translation>Kalender &amp;anzeigen</translation>
        </message>
        <message>
            <source>Sync &amp;Now</source>
            <translation>&amp;Jetzt synchronisieren</translation>
        </message>
        <message>
            <source>&amp;Quit</source>
            <translation>&amp;Beenden</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — Last sync failed</source>
            <translation>Tindlebrook Calendar — Letzte Synchronisierung fehlgeschlagen</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — Sync failed: %1</source>
            <translation>Tindlebrook Calendar — Synchronisierung fehlgeschlagen: %1</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — No upcoming events</source>
            <translation>Tindlebrook Calendar — Keine anstehenden Termine</translation>
        </message>
        <message>
            <source>Untitled</source>
            <translation>Ohne Titel</translation>
        </message>
        <message>
            <source>today</source>
            <translation>heute</translation>
        </message>
        <message>
            <source>tomorrow</source>
            <translation>morgen</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — Next: %1 (%2, all day)</source>
            <translation>Tindlebrook Calendar — Nächster: %1 (%2, ganztägig)</translation>
        </message>
        <message>
            <source>at %1</source>
            <translation>um %1</translation>
        </message>
        <message>
            <source>tomorrow at %1</source>
            <translation>morgen um %1</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — Next: %1 %2</source>
            <translation>Tindlebrook Calendar — Nächster: %1 %2</translation>
        </message>
    </context>
    <context>
        <name>UnencryptedSecretsNotice</name>
        <message>
            <source>Passwords Not Encrypted</source>
            <translation>Passwörter nicht verschlüsselt</translation>
        </message>
        <message>
            <source>No desktop keyring is available, so your account passwords and sign-in tokens are kept in a file in your data folder without encryption. Anyone who can read your files can read them.

Install or unlock a keyring (such as GNOME Keyring or KWallet) to keep them encrypted.</source>
            <translation>Es ist kein Schlüsselbund der Arbeitsumgebung verfügbar, daher werden die Passwörter Ihrer Konten und Ihre Anmelde-Token unverschlüsselt in einer Datei in Ihrem Datenordner gespeichert. Jeder, der Ihre Dateien lesen kann, kann sie lesen.

Installieren oder entsperren Sie einen Schlüsselbund (etwa GNOME Keyring oder KWallet), um sie verschlüsselt aufzubewahren.</translation>
        </message>
    </context>
    <context>
        <name>UpdateUi</name>
        <message>
            <source>No release notes available for %1 %2</source>
            <translation>Keine Versionshinweise für %1 %2 verfügbar</translation>
        </message>
        <message>
            <source>Checking for updates…</source>
            <translation>Suche nach Updates…</translation>
        </message>
        <message>
            <source>%1 is up to date (version %2)</source>
            <translation>%1 ist auf dem neuesten Stand (Version %2)</translation>
        </message>
        <message>
            <source>Update check failed: %1</source>
            <translation>Suche nach Updates fehlgeschlagen: %1</translation>
        </message>
        <message>
            <source>Loading release notes…</source>
            <translation>Versionshinweise werden geladen…</translation>
        </message>
    </context>
    <context>
        <name>ViewArea</name>
        <message>
            <source>Day</source>
            <translation>Tag</translation>
        </message>
        <message>
            <source>Week</source>
            <translation>Woche</translation>
        </message>
        <message>
            <source>Days</source>
            <translation>Tage</translation>
        </message>
        <message>
            <source>Month</source>
            <translation>Monat</translation>
        </message>
        <message>
            <source>Year</source>
            <translation>Jahr</translation>
        </message>
        <message>
            <source>Grid</source>
            <translation>Raster</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Heute</translation>
        </message>
        <message>
            <source>Days timeline span — Ctrl+Shift+1..5 for 3 / 5 / 7 / 10 / 14 days</source>
            <translation>Anzahl der Tage — Strg+Umschalt+1..5 für 3 / 5 / 7 / 10 / 14 Tage</translation>
        </message>
        <message numerus="yes">
            <source>%n days</source>
            <translation>
                <numerusform>%n Tag</numerusform>
                <numerusform>%n Tage</numerusform>
            </translation>
        </message>
        <message>
            <source>%1d</source>
            <translation>%1 T</translation>
        </message>
        <message>
            <source>Add Calendar Group…</source>
            <translation>Kalendergruppe hinzufügen…</translation>
        </message>
        <message>
            <source>Edit Current Group…</source>
            <translation>Aktuelle Gruppe bearbeiten…</translation>
        </message>
        <message>
            <source>Delete Current Group</source>
            <translation>Aktuelle Gruppe löschen</translation>
        </message>
        <message>
            <source>Delete group?</source>
            <translation>Gruppe löschen?</translation>
        </message>
        <message>
            <source>Delete "%1"? You can recreate it later.</source>
            <translation>„%1“ löschen? Sie können es später neu anlegen.</translation>
        </message>
        <message>
            <source>Today · %1</source>
            <translation>Heute · %1</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Datenbankfehler</translation>
        </message>
        <message>
            <source>Could not delete the group.</source>
            <translation>Die Gruppe konnte nicht gelöscht werden.</translation>
        </message>
    </context>
    <context>
        <name>ViewFormDialog</name>
        <message>
            <source>Edit Calendar Group</source>
            <translation>Kalendergruppe bearbeiten</translation>
        </message>
        <message>
            <source>Add Calendar Group</source>
            <translation>Kalendergruppe hinzufügen</translation>
        </message>
        <message>
            <source>Calendar Groups are saved sets of calendars you switch between. Pick which calendars belong to this group, leave the list empty to include every visible calendar.</source>
            <translation>Kalendergruppen sind gespeicherte Zusammenstellungen von Kalendern, zwischen denen Sie wechseln. Wählen Sie die Kalender dieser Gruppe; eine leere Liste umfasst alle sichtbaren Kalender.</translation>
        </message>
        <message>
            <source>e.g. Work, Personal, Travel</source>
            <translation>z. B. Arbeit, Privat, Reisen</translation>
        </message>
        <message>
            <source>&amp;Name:</source>
            <translation>&amp;Name:</translation>
        </message>
        <message>
            <source>&amp;Accent:</source>
            <translation>&amp;Akzentfarbe:</translation>
        </message>
        <message>
            <source>Calendars:</source>
            <translation>Kalender:</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>Speichern</translation>
        </message>
        <message>
            <source>Create Group</source>
            <translation>Gruppe erstellen</translation>
        </message>
        <message>
            <source>“All Calendars” always covers every visible calendar — its membership can't be edited. Toggle individual calendars from their own menus instead.</source>
            <translation>„Alle Kalender“ umfasst immer alle sichtbaren Kalender – die Zusammensetzung lässt sich nicht bearbeiten. Blenden Sie einzelne Kalender stattdessen über ihr eigenes Menü ein oder aus.</translation>
        </message>
        <message>
            <source>(no accent)</source>
            <translation>(keine Akzentfarbe)</translation>
        </message>
        <message>
            <source>Pick a group accent color</source>
            <translation>Akzentfarbe der Gruppe wählen</translation>
        </message>
        <message>
            <source>Name required</source>
            <translation>Name erforderlich</translation>
        </message>
        <message>
            <source>Please enter a name for the group.</source>
            <translation>Bitte geben Sie einen Namen für die Gruppe ein.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Datenbankfehler</translation>
        </message>
        <message>
            <source>Could not save the group.</source>
            <translation>Die Gruppe konnte nicht gespeichert werden.</translation>
        </message>
    </context>
    <context>
        <name>Weather::GeocodingClient</name>
        <message>
            <source>Geocoding did not answer in time</source>
            <translation>Die Ortssuche hat nicht rechtzeitig geantwortet</translation>
        </message>
        <message>
            <source>Geocoding returned HTTP %1</source>
            <translation>Die Ortssuche meldete HTTP %1</translation>
        </message>
    </context>
    <context>
        <name>Weather::Service</name>
        <message>
            <source>Open-Meteo did not answer in time</source>
            <translation>Open-Meteo hat nicht rechtzeitig geantwortet</translation>
        </message>
        <message>
            <source>Open-Meteo returned HTTP %1</source>
            <translation>Open-Meteo meldete HTTP %1</translation>
        </message>
        <message>
            <source>Open-Meteo sent a forecast that could not be read</source>
            <translation>Open-Meteo hat eine unlesbare Vorhersage gesendet</translation>
        </message>
    </context>
    <context>
        <name>WeatherSettingsDialog</name>
        <message>
            <source>Weather</source>
            <translation>Wetter</translation>
        </message>
        <message>
            <source>Show weather alongside your calendar. Forecast comes from Open-Meteo (free, no signup). Search for a city below to set the location.</source>
            <translation>Zeigen Sie das Wetter neben Ihrem Kalender an. Die Vorhersage stammt von Open-Meteo (kostenlos, ohne Registrierung). Suchen Sie unten nach einer Stadt, um den Ort festzulegen.</translation>
        </message>
        <message>
            <source>Enable weather</source>
            <translation>Wetter aktivieren</translation>
        </message>
        <message>
            <source>City name or postal code</source>
            <translation>Stadt oder Postleitzahl</translation>
        </message>
        <message>
            <source>Search</source>
            <translation>Suchen</translation>
        </message>
        <message>
            <source>&amp;City:</source>
            <translation>&amp;Stadt:</translation>
        </message>
        <message>
            <source>No location set.</source>
            <translation>Kein Ort festgelegt.</translation>
        </message>
        <message>
            <source>Current location: %1</source>
            <translation>Aktueller Ort: %1</translation>
        </message>
        <message>
            <source>Celsius (°C)</source>
            <translation>Celsius (°C)</translation>
        </message>
        <message>
            <source>Fahrenheit (°F)</source>
            <translation>Fahrenheit (°F)</translation>
        </message>
        <message>
            <source>&amp;Units:</source>
            <translation>&amp;Einheiten:</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>Speichern</translation>
        </message>
        <message>
            <source>No matches found.</source>
            <translation>Keine Treffer gefunden.</translation>
        </message>
        <message>
            <source>Search failed: %1</source>
            <translation>Suche fehlgeschlagen: %1</translation>
        </message>
        <message>
            <source>Searching…</source>
            <translation>Suche läuft…</translation>
        </message>
        <message>
            <source>Weather not saved</source>
            <translation>Wetter nicht gespeichert</translation>
        </message>
        <message>
            <source>The weather settings could not be saved. The settings store may be read-only or full.</source>
            <translation>Die Wettereinstellungen konnten nicht gespeichert werden. Der Einstellungsspeicher ist möglicherweise schreibgeschützt oder voll.</translation>
        </message>
    </context>
    <context>
        <name>Webcal::SyncClient</name>
        <message>
            <source>Invalid subscription URL: %1</source>
            <translation>Ungültige Abonnement-URL: %1</translation>
        </message>
        <message>
            <source>The feed is larger than %1 MB.</source>
            <translation>Der Feed ist größer als %1 MB.</translation>
        </message>
        <message>
            <source>The server did not answer within %1 seconds.</source>
            <translation>Der Server hat nicht innerhalb von %1 Sekunden geantwortet.</translation>
        </message>
        <message>
            <source>Subscription fetch failed (%1): %2</source>
            <translation>Abruf des Abonnements fehlgeschlagen (%1): %2</translation>
        </message>
        <message>
            <source>Subscription fetch failed: HTTP %1</source>
            <translation>Abruf des Abonnements fehlgeschlagen: HTTP %1</translation>
        </message>
        <message>
            <source>Subscription returned an empty body</source>
            <translation>Das Abonnement lieferte keinen Inhalt</translation>
        </message>
        <message>
            <source>Subscription did not return a calendar</source>
            <translation>Das Abonnement lieferte keinen Kalender</translation>
        </message>
        <message>
            <source>Subscription returned an incomplete calendar</source>
            <translation>Das Abonnement lieferte einen unvollständigen Kalender</translation>
        </message>
        <message>
            <source>Subscription has more than %1 events</source>
            <translation>Das Abonnement hat mehr als %1 Termine</translation>
        </message>
        <message>
            <source>Subscription events could not be saved</source>
            <translation>Die Termine des Abonnements konnten nicht gespeichert werden</translation>
        </message>
    </context>
    <context>
        <name>WebcalSubscriptionDialog</name>
        <message>
            <source>Add Subscription</source>
            <translation>Abonnement hinzufügen</translation>
        </message>
        <message>
            <source>Subscribe to a public ICS feed (holidays, sports schedules, shared calendars). Updates pull on every sync; the calendar is read-only.</source>
            <translation>Abonnieren Sie einen öffentlichen ICS-Feed (Feiertage, Spielpläne, geteilte Kalender). Er wird bei jeder Synchronisierung aktualisiert; der Kalender ist schreibgeschützt.</translation>
        </message>
        <message>
            <source>URL</source>
            <translation>URL</translation>
        </message>
        <message>
            <source>Optional, derived from URL when blank</source>
            <translation>Optional, sonst aus der URL abgeleitet</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>Color</source>
            <translation>Farbe</translation>
        </message>
        <message>
            <source>Subscribe</source>
            <translation>Abonnieren</translation>
        </message>
        <message>
            <source>Calendar Color</source>
            <translation>Kalenderfarbe</translation>
        </message>
        <message>
            <source>URL required</source>
            <translation>URL erforderlich</translation>
        </message>
        <message>
            <source>Enter a feed URL to subscribe.</source>
            <translation>Geben Sie zum Abonnieren eine Feed-URL ein.</translation>
        </message>
        <message>
            <source>Invalid URL</source>
            <translation>Ungültige URL</translation>
        </message>
        <message>
            <source>Couldn't parse "%1". Provide a full URL (https://, http://, or webcal://).</source>
            <translation>„%1“ konnte nicht gelesen werden. Geben Sie eine vollständige URL an (https://, http:// oder webcal://).</translation>
        </message>
        <message>
            <source>Couldn't save</source>
            <translation>Speichern fehlgeschlagen</translation>
        </message>
        <message>
            <source>Couldn't create the subscription calendar.</source>
            <translation>Der Abonnementkalender konnte nicht erstellt werden.</translation>
        </message>
    </context>
    <context>
        <name>WeekGridWidget</name>
        <message numerus="yes">
            <source>+%n more</source>
            <translation>
                <numerusform>+%n weiterer</numerusform>
                <numerusform>+%n weitere</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>WeekTimelineWidget</name>
        <message>
            <source>%1 min</source>
            <translation>%1 Min.</translation>
        </message>
    </context>
    <context>
        <name>WelcomeDialog</name>
        <message>
            <source>Welcome</source>
            <translation>Willkommen</translation>
        </message>
        <message>
            <source>Welcome to Tindlebrook Calendar</source>
            <translation>Willkommen bei Tindlebrook Calendar</translation>
        </message>
        <message>
            <source>We've set up a Personal calendar so you can start adding events right away. Everything you create stays on this device unless you choose to sync it.

When you're ready, open Calendar Accounts to connect Google, Microsoft, or any CalDAV server (Synology, Nextcloud, Radicale, iCloud), or add another local calendar.</source>
            <translation>Wir haben einen Kalender „Personal“ angelegt, damit Sie sofort Termine eintragen können. Alles, was Sie erstellen, bleibt auf diesem Gerät, solange Sie es nicht synchronisieren.

Öffnen Sie später die Kalenderkonten, um Google, Microsoft oder einen CalDAV-Server (Synology, Nextcloud, Radicale, iCloud) zu verbinden oder einen weiteren lokalen Kalender hinzuzufügen.</translation>
        </message>
        <message>
            <source>We've set up a Personal calendar so you can start adding events right away. Everything you create stays on this device unless you choose to sync it.

When you're ready, open Calendar Accounts to connect %1 or any CalDAV server (Synology, Nextcloud, Radicale, iCloud), or add another local calendar.</source>
            <translation>Wir haben einen Kalender „Personal“ angelegt, damit Sie sofort Termine eintragen können. Alles, was Sie erstellen, bleibt auf diesem Gerät, solange Sie es nicht synchronisieren.

Öffnen Sie später die Kalenderkonten, um %1 oder einen CalDAV-Server (Synology, Nextcloud, Radicale, iCloud) zu verbinden oder einen weiteren lokalen Kalender hinzuzufügen.</translation>
        </message>
        <message>
            <source>We've set up a Personal calendar so you can start adding events right away. Everything you create stays on this device unless you choose to sync it.

When you're ready, open Calendar Accounts to connect any CalDAV server (Synology, Nextcloud, Radicale, iCloud), or add another local calendar.</source>
            <translation>Wir haben einen Kalender „Personal“ angelegt, damit Sie sofort Termine eintragen können. Alles, was Sie erstellen, bleibt auf diesem Gerät, solange Sie es nicht synchronisieren.

Öffnen Sie später die Kalenderkonten, um einen CalDAV-Server (Synology, Nextcloud, Radicale, iCloud) zu verbinden oder einen weiteren lokalen Kalender hinzuzufügen.</translation>
        </message>
        <message>
            <source>Get Started</source>
            <translation>Los geht’s</translation>
        </message>
        <message>
            <source>Add Account…</source>
            <translation>Konto hinzufügen…</translation>
        </message>
    </context>
    <context>
        <name>WinTrayPopover</name>
        <message>
            <source>Group</source>
            <translation>Gruppe</translation>
        </message>
        <message>
            <source>Add event — e.g. "lunch Thursday 1pm"</source>
            <translation>Termin hinzufügen – z. B. „lunch Thursday 1pm“</translation>
        </message>
        <message>
            <source>Open Calendar</source>
            <translation>Kalender öffnen</translation>
        </message>
        <message>
            <source>Sync Now</source>
            <translation>Jetzt synchronisieren</translation>
        </message>
        <message>
            <source>Preferences</source>
            <translation>Einstellungen</translation>
        </message>
        <message>
            <source>No calendars yet</source>
            <translation>Noch keine Kalender</translation>
        </message>
        <message>
            <source>No upcoming events</source>
            <translation>Keine anstehenden Termine</translation>
        </message>
        <message>
            <source>Nothing scheduled in the next 24 hours.</source>
            <translation>In den nächsten 24 Stunden ist nichts geplant.</translation>
        </message>
        <message>
            <source>Untitled</source>
            <translation>Ohne Titel</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Heute</translation>
        </message>
        <message>
            <source>  No more events today</source>
            <translation>  Heute keine weiteren Termine</translation>
        </message>
        <message>
            <source>Tomorrow</source>
            <translation>Morgen</translation>
        </message>
        <message>
            <source>  Nothing scheduled</source>
            <translation>  Nichts geplant</translation>
        </message>
        <message>
            <source>All-day</source>
            <translation>Ganztägig</translation>
        </message>
        <message>
            <source>Today, all day</source>
            <translation>Heute, ganztägig</translation>
        </message>
        <message>
            <source>Tomorrow, all day</source>
            <translation>Morgen, ganztägig</translation>
        </message>
        <message>
            <source>%1 at %2</source>
            <translation>%1 um %2</translation>
        </message>
        <message>
            <source>now</source>
            <translation>jetzt</translation>
        </message>
        <message>
            <source>in %1 min</source>
            <translation>in %1 Min.</translation>
        </message>
        <message>
            <source>in %1h</source>
            <translation>in %1 Std.</translation>
        </message>
        <message>
            <source>in %1h %2m</source>
            <translation>in %1 Std. %2 Min.</translation>
        </message>
        <message>
            <source>(Unnamed)</source>
            <translation>(Ohne Namen)</translation>
        </message>
        <message>
            <source>Couldn't save event</source>
            <translation>Termin konnte nicht gespeichert werden</translation>
        </message>
    </context>
    <context>
        <name>AddressDialog</name>
        <message>
            <source>Copy</source>
            <translation>Kopieren</translation>
        </message>
        <message>
            <source>Copied</source>
            <translation>Kopiert</translation>
        </message>
        <message>
            <source>No browser opened</source>
            <translation>Kein Browser geöffnet</translation>
        </message>
        <message>
            <source>%1 could not be opened in a browser. Copy this address into your browser:</source>
            <translation>%1 konnte nicht in einem Browser geöffnet werden. Kopieren Sie diese Adresse in Ihren Browser:</translation>
        </message>
    </context>
    <context>
        <name>CloudSignIn</name>
        <message>
            <source>The sign-in page</source>
            <translation>Die Anmeldeseite</translation>
        </message>
    </context>
    <context>
        <name>SubscriptionCalendar</name>
        <message>
            <source>&quot;%1&quot; could not be loaded: %2</source>
            <translation>„%1“ konnte nicht geladen werden: %2</translation>
        </message>
        <message>
            <source>Subscription not loaded</source>
            <translation>Abonnement nicht geladen</translation>
        </message>
    </context>
    <context>
        <name>MeetingMove</name>
        <message>
            <source>"%1" has guests, and Outlook would send them a new invitation (or a cancellation) if it moved to "%2". It stays in "%3".</source>
            <translation>„%1“ hat Gäste, und Outlook würde ihnen eine neue Einladung (oder eine Absage) senden, wenn der Termin nach „%2“ verschoben würde. Er bleibt in „%3“.</translation>
        </message>
        <message>
            <source>"%1" is organized by %2, and on Google it would become your own meeting, shown to its guests without its organizer, if it moved to "%3". It stays in "%4".</source>
            <translation>„%1“ wird von %2 organisiert, und bei Google würde der Termin zu Ihrem eigenen, den die Gäste ohne seinen Organisator sehen, wenn er nach „%3“ verschoben würde. Er bleibt in „%4“.</translation>
        </message>
    </context>
    <context>
        <name>RecurringEditScope</name>
        <message>
            <source>"%1" was left as it was: its repeat rule cannot move every occurrence by the same days (a day such as the 31st, or the second Monday of a month). Change the rule in the event form, or move the occurrences one at a time.</source>
            <translation>„%1“ wurde nicht geändert: Seine Wiederholungsregel kann nicht jeden Termin um dieselben Tage verschieben (etwa bei einem 31. oder dem zweiten Montag eines Monats). Ändern Sie die Regel im Terminformular oder verschieben Sie die Termine einzeln.</translation>
        </message>
        <message>
            <source>"%1" was left as it was: its repeat rule cannot start again from this occurrence and keep the same days (a day such as the 31st, which shorter months move to their last day). Change the rule in the event form, or move the occurrences one at a time.</source>
            <translation>„%1“ wurde nicht geändert: Seine Wiederholungsregel kann nicht ab diesem Termin neu beginnen und dieselben Tage behalten (etwa bei einem 31., den kürzere Monate auf ihren letzten Tag legen). Ändern Sie die Regel im Terminformular oder verschieben Sie die Termine einzeln.</translation>
        </message>
        <message>
            <source>The event</source>
            <translation>Der Termin</translation>
        </message>
    </context>
</TS>
