<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
    <context>
        <name>AccountFormDialog</name>
        <message>
            <source>Use your Zoho password, or an app-specific password if 2FA is enabled. Generate one at Zoho Account &gt; Security &gt; App Passwords.</source>
            <translation>Utilisez votre mot de passe Zoho ou, si la 2FA est activée, un mot de passe d’application. Générez-en un dans votre compte Zoho, sous Zoho Account &gt; Security &gt; App Passwords.</translation>
        </message>
        <message>
            <source>iCloud requires an app-specific password. Generate one at appleid.apple.com under Sign-In and Security &gt; App-Specific Passwords.</source>
            <translation>iCloud exige un mot de passe pour app. Générez-en un sur appleid.apple.com, dans Connexion et sécurité &gt; Mots de passe pour app.</translation>
        </message>
        <message>
            <source>Webcal Subscription</source>
            <translation>Abonnement webcal</translation>
        </message>
        <message>
            <source>Edit Account</source>
            <translation>Modifier le compte</translation>
        </message>
        <message>
            <source>Provider:</source>
            <translation>Fournisseur :</translation>
        </message>
        <message>
            <source>Account name</source>
            <translation>Nom du compte</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>Nom</translation>
        </message>
        <message>
            <source>(unchanged, type to replace)</source>
            <translation>(inchangé, saisir pour remplacer)</translation>
        </message>
        <message>
            <source>Server URL</source>
            <translation>URL du serveur</translation>
        </message>
        <message>
            <source>Username</source>
            <translation>Nom d’utilisateur</translation>
        </message>
        <message>
            <source>App password</source>
            <translation>Mot de passe d’application</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Mot de passe</translation>
        </message>
        <message>
            <source>Sync interval</source>
            <translation>Intervalle de synchronisation</translation>
        </message>
        <message>
            <source>The password is stored in your platform's secure credential store, not in the app's database.</source>
            <translation>Le mot de passe est stocké dans le coffre sécurisé d’identifiants de votre système, pas dans la base de données de l’application.</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>Enregistrer</translation>
        </message>
        <message>
            <source>Manual only</source>
            <translation>Manuel uniquement</translation>
        </message>
        <message>
            <source>Every 5 minutes</source>
            <translation>Toutes les 5 minutes</translation>
        </message>
        <message>
            <source>Every 15 minutes</source>
            <translation>Toutes les 15 minutes</translation>
        </message>
        <message>
            <source>Every 30 minutes</source>
            <translation>Toutes les 30 minutes</translation>
        </message>
        <message>
            <source>Every hour</source>
            <translation>Toutes les heures</translation>
        </message>
        <message>
            <source>Every 4 hours</source>
            <translation>Toutes les 4 heures</translation>
        </message>
        <message>
            <source>Once a day</source>
            <translation>Une fois par jour</translation>
        </message>
        <message numerus="yes">
            <source>Every %n minute(s)</source>
            <translation>
                <numerusform>Toutes les %n min</numerusform>
                <numerusform>Toutes les %n min</numerusform>
            </translation>
        </message>
        <message>
            <source>Missing field</source>
            <translation>Champ manquant</translation>
        </message>
        <message>
            <source>Account name is required.</source>
            <translation>Le nom du compte est obligatoire.</translation>
        </message>
        <message>
            <source>Server URL and username are required.</source>
            <translation>L’URL du serveur et le nom d’utilisateur sont obligatoires.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Erreur de base de données</translation>
        </message>
        <message>
            <source>Could not save the account.</source>
            <translation>Impossible d’enregistrer le compte.</translation>
        </message>
    </context>
    <context>
        <name>AccountName</name>
        <message>
            <source>On This Device</source>
            <translation>Sur cet appareil</translation>
        </message>
    </context>
    <context>
        <name>AccountRow</name>
        <message>
            <source>CalDAV Server</source>
            <translation>Serveur CalDAV</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar</source>
            <translation>Tindlebrook Calendar</translation>
        </message>
        <message>
            <source>%1 · sign in needed</source>
            <translation>%1 · connexion requise</translation>
        </message>
        <message>
            <source>%1 · password needed</source>
            <translation>%1 · mot de passe requis</translation>
        </message>
        <message>
            <source>Sign in…</source>
            <translation>Se connecter…</translation>
        </message>
        <message>
            <source>Sync now</source>
            <translation>Synchroniser maintenant</translation>
        </message>
        <message>
            <source>Refresh calendars</source>
            <translation>Actualiser les calendriers</translation>
        </message>
        <message>
            <source>Edit account…</source>
            <translation>Modifier le compte…</translation>
        </message>
        <message>
            <source>Add calendar…</source>
            <translation>Ajouter un calendrier…</translation>
        </message>
        <message>
            <source>Move up</source>
            <translation>Monter</translation>
        </message>
        <message>
            <source>Move down</source>
            <translation>Descendre</translation>
        </message>
        <message>
            <source>Remove account…</source>
            <translation>Supprimer le compte…</translation>
        </message>
    </context>
    <context>
        <name>AgendaEventRow</name>
        <message>
            <source>All-day</source>
            <translation>Toute la journée</translation>
        </message>
        <message>
            <source>(Untitled)</source>
            <translation>(Sans titre)</translation>
        </message>
    </context>
    <context>
        <name>AgendaListWidget</name>
        <message>
            <source>No upcoming events</source>
            <translation>Aucun événement à venir</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Aujourd’hui</translation>
        </message>
        <message>
            <source>Tomorrow</source>
            <translation>Demain</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>Modifier…</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Supprimer</translation>
        </message>
        <message>
            <source>Mark Incomplete</source>
            <translation>Marquer comme non terminé</translation>
        </message>
        <message>
            <source>Mark Complete</source>
            <translation>Marquer comme terminé</translation>
        </message>
        <message>
            <source>Delete task?</source>
            <translation>Supprimer la tâche ?</translation>
        </message>
        <message>
            <source>Delete "%1"? This cannot be undone.</source>
            <translation>Supprimer « %1 » ? Cette action est irréversible.</translation>
        </message>
    </context>
    <context>
        <name>AgendaTaskRow</name>
        <message>
            <source>(Untitled)</source>
            <translation>(Sans titre)</translation>
        </message>
        <message>
            <source>Overdue</source>
            <translation>En retard</translation>
        </message>
    </context>
    <context>
        <name>AllDayStrip</name>
        <message>
            <source>all-day</source>
            <translation>toute la journée</translation>
        </message>
        <message>
            <source>+%1 more</source>
            <translation>+%1 de plus</translation>
        </message>
    </context>
    <context>
        <name>Application</name>
        <message>
            <source>Failed to initialize the database.

Data directory: %1

Please check file permissions and try again.</source>
            <translation>Impossible d’initialiser la base de données.

Dossier de données : %1

Vérifiez les permissions des fichiers et réessayez.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Erreur de base de données</translation>
        </message>
        <message>
            <source>Calendar Already Running</source>
            <translation>Calendrier déjà ouvert</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar is already running on this data folder and did not respond.

Data directory: %1

Close the running calendar, or wait for it to respond, and try again.</source>
            <translation>Tindlebrook Calendar est déjà en cours d’exécution avec ce dossier de données et n’a pas répondu.

Dossier de données : %1

Fermez le calendrier ouvert, ou attendez qu’il réponde, puis réessayez.</translation>
        </message>
        <message>
            <source>Data Folder Not Writable</source>
            <translation>Dossier de données en lecture seule</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar cannot write to its data folder.

Data directory: %1

Make the folder writable for your user and try again.</source>
            <translation>Tindlebrook Calendar ne peut pas écrire dans son dossier de données.

Dossier de données : %1

Rendez le dossier accessible en écriture pour votre utilisateur, puis réessayez.</translation>
        </message>
        <message>
            <source>Data Folder Used by Another Computer</source>
            <translation>Dossier de données utilisé par un autre ordinateur</translation>
        </message>
        <message>
            <source>The data folder is in use by Tindlebrook Calendar on another computer (%1).

Lock file: %2

Close the calendar on that computer and try again. If it is not running there (for example, the folder was copied from that computer), delete the lock file and start again.</source>
            <translation>Le dossier de données est utilisé par Tindlebrook Calendar sur un autre ordinateur (%1).

Fichier de verrou : %2

Fermez le calendrier sur cet ordinateur, puis réessayez. S’il n’y est pas ouvert (par exemple parce que le dossier a été copié depuis cet ordinateur), supprimez le fichier de verrou et relancez le calendrier.</translation>
        </message>
    </context>
    <context>
        <name>CalDavCertificateDialog</name>
        <message>
            <source>Untrusted certificate</source>
            <translation>Certificat non approuvé</translation>
        </message>
        <message>
            <source>Trust this certificate?</source>
            <translation>Faire confiance à ce certificat ?</translation>
        </message>
        <message>
            <source>%1:%2 presented a TLS certificate that doesn't chain to a trusted root. Review it before trusting it, anyone with this fingerprint can impersonate the server.</source>
            <translation>%1:%2 a présenté un certificat TLS qui ne remonte pas à une racine de confiance. Vérifiez-le avant de l’approuver : quiconque possède cette empreinte peut usurper l’identité du serveur.</translation>
        </message>
        <message>
            <source>(unknown)</source>
            <translation>(inconnu)</translation>
        </message>
        <message>
            <source>Subject</source>
            <translation>Sujet</translation>
        </message>
        <message>
            <source>Issuer</source>
            <translation>Émetteur</translation>
        </message>
        <message>
            <source>Valid from</source>
            <translation>Valide à partir du</translation>
        </message>
        <message>
            <source>Valid until</source>
            <translation>Valide jusqu’au</translation>
        </message>
        <message>
            <source>SHA-256</source>
            <translation>SHA-256</translation>
        </message>
        <message>
            <source>Errors</source>
            <translation>Erreurs</translation>
        </message>
        <message>
            <source>Only trust this certificate if you control the server and recognize the fingerprint. Trusting a malicious certificate gives attackers full access to your calendar data.</source>
            <translation>N’approuvez ce certificat que si vous contrôlez le serveur et reconnaissez l’empreinte. Approuver un certificat malveillant donne aux attaquants un accès complet à vos données de calendrier.</translation>
        </message>
        <message>
            <source>Trust certificate</source>
            <translation>Approuver le certificat</translation>
        </message>
    </context>
    <context>
        <name>CalDavClient</name>
        <message>
            <source>The server did not answer within %1 seconds.</source>
            <translation>Le serveur n’a pas répondu dans les %1 secondes.</translation>
        </message>
        <message>
            <source>The server's reply was cut off (%1 of %2 bytes).</source>
            <translation>La réponse du serveur a été tronquée (%1 sur %2 octets).</translation>
        </message>
    </context>
    <context>
        <name>CalDavConnectionDialog</name>
        <message>
            <source>Add CalDAV Server</source>
            <translation>Ajouter un serveur CalDAV</translation>
        </message>
        <message>
            <source>Connect to a CalDAV server (Radicale, Baikal, Nextcloud, iCloud, Fastmail, Zoho, ...). Enter the server URL or your account URL, discovery will find your calendars from there.</source>
            <translation>Connectez-vous à un serveur CalDAV (Radicale, Baikal, Nextcloud, iCloud, Fastmail, Zoho, ...). Saisissez l’URL du serveur ou de votre compte ; la détection trouvera vos calendriers à partir de là.</translation>
        </message>
        <message>
            <source>Your username or email</source>
            <translation>Votre nom d’utilisateur ou e-mail</translation>
        </message>
        <message>
            <source>e.g. Work Nextcloud</source>
            <translation>p. ex. Nextcloud du travail</translation>
        </message>
        <message>
            <source>&amp;Server URL:</source>
            <translation>URL du &amp;serveur :</translation>
        </message>
        <message>
            <source>&amp;Username:</source>
            <translation>Nom d’&amp;utilisateur :</translation>
        </message>
        <message>
            <source>&amp;Password:</source>
            <translation>&amp;Mot de passe :</translation>
        </message>
        <message>
            <source>&amp;Account name:</source>
            <translation>Nom du &amp;compte :</translation>
        </message>
        <message>
            <source>Discover Calendars</source>
            <translation>Détecter les calendriers</translation>
        </message>
        <message>
            <source>Add Calendars</source>
            <translation>Ajouter les calendriers</translation>
        </message>
        <message>
            <source>Enter the server URL and your username first.</source>
            <translation>Saisissez d’abord l’URL du serveur et votre nom d’utilisateur.</translation>
        </message>
        <message>
            <source>Connecting…</source>
            <translation>Connexion…</translation>
        </message>
        <message>
            <source>Found %1 calendar(s). Pick which to add.</source>
            <translation>%1 calendrier(s) trouvé(s). Choisissez ceux à ajouter.</translation>
        </message>
        <message>
            <source>Connection cancelled, certificate not trusted.</source>
            <translation>Connexion annulée, certificat non approuvé.</translation>
        </message>
        <message>
            <source>Certificate trusted. Retrying…</source>
            <translation>Certificat approuvé. Nouvelle tentative…</translation>
        </message>
        <message>
            <source>Discover first</source>
            <translation>Détectez d’abord</translation>
        </message>
        <message>
            <source>Click "Discover Calendars" before saving.</source>
            <translation>Cliquez sur « Détecter les calendriers » avant d’enregistrer.</translation>
        </message>
        <message>
            <source>Pick at least one</source>
            <translation>Choisissez-en au moins un</translation>
        </message>
        <message>
            <source>Select one or more calendars to add.</source>
            <translation>Sélectionnez un ou plusieurs calendriers à ajouter.</translation>
        </message>
        <message>
            <source>Already added</source>
            <translation>Déjà ajouté</translation>
        </message>
        <message>
            <source>This server is already added as "%1". Its calendars are already available — no need to add it again.</source>
            <translation>Ce serveur est déjà ajouté sous le nom « %1 ». Ses calendriers sont déjà disponibles — inutile de l’ajouter à nouveau.</translation>
        </message>
        <message>
            <source>CalDAV (%1)</source>
            <translation>CalDAV (%1)</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Erreur de base de données</translation>
        </message>
        <message>
            <source>Could not save the account.</source>
            <translation>Impossible d’enregistrer le compte.</translation>
        </message>
        <message>
            <source>Unencrypted Connection</source>
            <translation>Connexion non chiffrée</translation>
        </message>
        <message>
            <source>%1 is reached over plain http: your password will travel unencrypted, and anyone on the network between you and the server can read it.

Save this account anyway?</source>
            <translation>%1 est joint en http simple : votre mot de passe circulera sans chiffrement et toute personne sur le réseau entre vous et le serveur pourra le lire.

Enregistrer ce compte quand même ?</translation>
        </message>
        <message>
            <source>&quot;Add Calendars&quot; creates one on the server.</source>
            <translation>« Ajouter des calendriers » en crée un sur le serveur.</translation>
        </message>
        <message>
            <source>Could not remove the account that has no calendar.</source>
            <translation>Impossible de supprimer le compte qui n’a aucun calendrier.</translation>
        </message>
        <message>
            <source>Connection cancelled: the password would have travelled unencrypted.</source>
            <translation>Connexion annulée : le mot de passe aurait circulé sans chiffrement.</translation>
        </message>
        <message>
            <source>%1 is reached over plain http: your password will travel unencrypted, and anyone on the network between you and the server can read it.

Connect anyway?</source>
            <translation>%1 est joint en http simple : votre mot de passe circulera sans chiffrement et toute personne sur le réseau entre vous et le serveur pourra le lire.

Se connecter quand même ?</translation>
        </message>
    </context>
    <context>
        <name>CalDavDiscovery</name>
        <message>
            <source>Enter a CalDAV URL starting with http:// or https://</source>
            <translation>Saisissez une URL CalDAV commençant par http:// ou https://</translation>
        </message>
        <message>
            <source>Could not reach the server: %1</source>
            <translation>Impossible de joindre le serveur : %1</translation>
        </message>
        <message>
            <source>no connection</source>
            <translation>pas de connexion</translation>
        </message>
        <message>
            <source>The server rejected the username or password.</source>
            <translation>Le serveur a refusé le nom d’utilisateur ou le mot de passe.</translation>
        </message>
        <message>
            <source>Could not find a CalDAV account on that server. Check the URL.</source>
            <translation>Aucun compte CalDAV trouvé sur ce serveur. Vérifiez l’URL.</translation>
        </message>
        <message>
            <source>Lost connection during calendar-home-set discovery: %1</source>
            <translation>Connexion perdue lors de la recherche du dossier des calendriers : %1</translation>
        </message>
        <message>
            <source>Server returned HTTP %1 during home-set discovery.</source>
            <translation>Le serveur a renvoyé HTTP %1 lors de la recherche du dossier des calendriers.</translation>
        </message>
        <message>
            <source>Lost connection during calendar enumeration: %1</source>
            <translation>Connexion perdue lors de l’énumération des calendriers : %1</translation>
        </message>
        <message>
            <source>Server returned HTTP %1 during calendar enumeration.</source>
            <translation>Le serveur a renvoyé HTTP %1 lors de l’énumération des calendriers.</translation>
        </message>
        <message>
            <source>No calendars found at the discovered home set.</source>
            <translation>Aucun calendrier trouvé dans le dossier détecté.</translation>
        </message>
        <message>
            <source>The server pointed to %1, which is not the address you entered; the password is not sent there.</source>
            <translation>Le serveur a renvoyé vers %1, qui n'est pas l'adresse saisie ; le mot de passe n'y est pas envoyé.</translation>
        </message>
    </context>
    <context>
        <name>CalDavSyncClient</name>
        <message>
            <source>Push error: %1</source>
            <translation>Erreur d’envoi : %1</translation>
        </message>
        <message>
            <source>"%1" is one occurrence of a repeating event and went back to its series' calendar.</source>
            <translation>« %1 » est une occurrence d’un événement périodique et est revenue dans le calendrier de sa série.</translation>
        </message>
        <message numerus="yes">
            <source>%n item(s) could not be sent to the server: %1</source>
            <translation>
                <numerusform>%n élément n’a pas pu être envoyé au serveur : %1</numerusform>
                <numerusform>%n éléments n’ont pas pu être envoyés au serveur : %1</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n pulled event(s) could not be saved: %1</source>
            <translation>
                <numerusform>%n événement récupéré n’a pas pu être enregistré : %1</numerusform>
                <numerusform>%n événements récupérés n’ont pas pu être enregistrés : %1</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n pulled task(s) could not be saved: %1</source>
            <translation>
                <numerusform>%n tâche récupérée n’a pas pu être enregistrée : %1</numerusform>
                <numerusform>%n tâches récupérées n’ont pas pu être enregistrées : %1</numerusform>
            </translation>
        </message>
        <message>
            <source>"%1" was moved to your local task list: this calendar does not accept tasks. Task support has been turned off for it.</source>
            <translation>« %1 » a été déplacée vers votre liste de tâches locale : ce calendrier n’accepte pas les tâches. Leur prise en charge y a été désactivée.</translation>
        </message>
        <message>
            <source>"%1" was rejected: this calendar does not accept tasks. Task support has been turned off for it.</source>
            <translation>« %1 » a été refusée : ce calendrier n’accepte pas les tâches. Leur prise en charge y a été désactivée.</translation>
        </message>
        <message>
            <source>"%1" (HTTP %2), kept in "%3" until this calendar's server accepts it</source>
            <translation>« %1 » (HTTP %2), conservée dans « %3 » jusqu’à ce que le serveur de ce calendrier l’accepte</translation>
        </message>
        <message>
            <source>"%1" (its UID or time zone cannot be written as it is)</source>
            <translation>« %1 » (son UID ou son fuseau horaire ne peut pas être écrit tel quel)</translation>
        </message>
        <message>
            <source>Could not read the stored events of this calendar; nothing was changed.</source>
            <translation>Impossible de lire les événements enregistrés de ce calendrier ; rien n’a été modifié.</translation>
        </message>
        <message>
            <source>Could not save the pulled events: %1</source>
            <translation>Impossible d’enregistrer les événements récupérés : %1</translation>
        </message>
        <message>
            <source>Could not save the pulled tasks: %1</source>
            <translation>Impossible d’enregistrer les tâches récupérées : %1</translation>
        </message>
        <message>
            <source>Network error during task pull: %1</source>
            <translation>Erreur réseau lors de la récupération des tâches : %1</translation>
        </message>
        <message>
            <source>Network error: %1</source>
            <translation>Erreur réseau : %1</translation>
        </message>
        <message>
            <source>Server returned HTTP %1</source>
            <translation>Le serveur a renvoyé HTTP %1</translation>
        </message>
        <message>
            <source>Server returned HTTP %1 during ctag check</source>
            <translation>Le serveur a renvoyé HTTP %1 lors de la vérification du ctag</translation>
        </message>
        <message>
            <source>Server returned HTTP %1 during task pull</source>
            <translation>Le serveur a renvoyé HTTP %1 lors de la récupération des tâches</translation>
        </message>
        <message>
            <source>Task push error: %1</source>
            <translation>Erreur lors de l’envoi de la tâche : %1</translation>
        </message>
        <message>
            <source>The server's calendar listing was incomplete (HTTP %1); nothing was changed.</source>
            <translation>La liste du calendrier renvoyée par le serveur était incomplète (HTTP %1) ; rien n’a été modifié.</translation>
        </message>
        <message>
            <source>The server's task listing was incomplete (HTTP %1); nothing was changed.</source>
            <translation>La liste des tâches renvoyée par le serveur était incomplète (HTTP %1) ; rien n’a été modifié.</translation>
        </message>
    </context>
    <context>
        <name>CalendarFormDialog</name>
        <message>
            <source>Missing password</source>
            <translation>Mot de passe manquant</translation>
        </message>
        <message>
            <source>No saved password for this account. Edit the account first to re-enter your credentials.</source>
            <translation>Aucun mot de passe enregistré pour ce compte. Modifiez d’abord le compte pour saisir à nouveau vos identifiants.</translation>
        </message>
        <message>
            <source>Creating calendar on server…</source>
            <translation>Création du calendrier sur le serveur…</translation>
        </message>
        <message>
            <source>Network error: %1</source>
            <translation>Erreur réseau : %1</translation>
        </message>
        <message>
            <source>Server refused (HTTP %1). Your account may not have permission to create calendars on this server.</source>
            <translation>Le serveur a refusé (HTTP %1). Votre compte n’a peut-être pas l’autorisation de créer des calendriers sur ce serveur.</translation>
        </message>
        <message>
            <source>Server returned success but the new calendar isn't reachable. This server may not support MKCALENDAR.</source>
            <translation>Le serveur a signalé un succès, mais le nouveau calendrier est inaccessible. Ce serveur ne prend peut-être pas en charge MKCALENDAR.</translation>
        </message>
        <message>
            <source>Created on server, but couldn't save locally. Run sync to recover.</source>
            <translation>Créé sur le serveur, mais impossible de l’enregistrer localement. Synchronisez pour le récupérer.</translation>
        </message>
        <message>
            <source>Account missing</source>
            <translation>Compte manquant</translation>
        </message>
        <message>
            <source>Could not find the parent account.</source>
            <translation>Impossible de trouver le compte parent.</translation>
        </message>
        <message>
            <source>Saving changes to server…</source>
            <translation>Enregistrement des modifications sur le serveur…</translation>
        </message>
        <message>
            <source>The server's answer could not be read, so the change may not have been made. Try again.</source>
            <translation>La réponse du serveur est illisible, la modification n’a donc peut-être pas été appliquée. Réessayez.</translation>
        </message>
        <message>
            <source>Server refused (HTTP %1). You may not have permission to rename or recolour this calendar.</source>
            <translation>Le serveur a refusé (HTTP %1). Vous n’avez peut-être pas l’autorisation de renommer ce calendrier ou d’en changer la couleur.</translation>
        </message>
        <message>
            <source>Saved on server, but couldn't update locally.</source>
            <translation>Enregistré sur le serveur, mais impossible de mettre à jour localement.</translation>
        </message>
        <message>
            <source>Checking whether this calendar accepts tasks…</source>
            <translation>Vérification de la prise en charge des tâches par ce calendrier…</translation>
        </message>
        <message>
            <source>This calendar does not accept tasks (server returned HTTP %1).</source>
            <translation>Ce calendrier n’accepte pas les tâches (le serveur a renvoyé HTTP %1).</translation>
        </message>
        <message>
            <source>Couldn't verify task support: %1</source>
            <translation>Impossible de vérifier la prise en charge des tâches : %1</translation>
        </message>
        <message>
            <source>Add Calendar</source>
            <translation>Ajouter un calendrier</translation>
        </message>
        <message>
            <source>Add Calendar to %1</source>
            <translation>Ajouter un calendrier à %1</translation>
        </message>
        <message>
            <source>Edit Calendar</source>
            <translation>Modifier le calendrier</translation>
        </message>
        <message>
            <source>The calendar is kept on this device only. It is not sent to any server.</source>
            <translation>Le calendrier reste uniquement sur cet appareil. Il n’est envoyé à aucun serveur.</translation>
        </message>
        <message>
            <source>Create a new calendar on the CalDAV server. The server must allow MKCALENDAR for your user; if it refuses, the calendar will not be created.</source>
            <translation>Crée un nouveau calendrier sur le serveur CalDAV. Le serveur doit autoriser MKCALENDAR pour votre utilisateur ; en cas de refus, le calendrier ne sera pas créé.</translation>
        </message>
        <message>
            <source>e.g. Personal, Work, Family</source>
            <translation>p. ex. Personnel, Travail, Famille</translation>
        </message>
        <message>
            <source>&amp;Name:</source>
            <translation>&amp;Nom :</translation>
        </message>
        <message>
            <source>&amp;Color:</source>
            <translation>&amp;Couleur :</translation>
        </message>
        <message>
            <source>Allow tasks on this calendar</source>
            <translation>Autoriser les tâches dans ce calendrier</translation>
        </message>
        <message>
            <source>Store tasks here even if the server doesn't advertise task support. Enable only if your provider (such as Fastmail) accepts tasks.</source>
            <translation>Enregistre les tâches ici même si le serveur n’annonce pas leur prise en charge. N’activez cette option que si votre fournisseur (comme Fastmail) accepte les tâches.</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>Enregistrer</translation>
        </message>
        <message>
            <source>Create</source>
            <translation>Créer</translation>
        </message>
        <message>
            <source>Name required</source>
            <translation>Nom obligatoire</translation>
        </message>
        <message>
            <source>Please enter a name for the calendar.</source>
            <translation>Veuillez saisir un nom pour le calendrier.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Erreur de base de données</translation>
        </message>
        <message>
            <source>Could not create the local account row.</source>
            <translation>Impossible de créer l’entrée du compte local.</translation>
        </message>
        <message>
            <source>Could not save the calendar.</source>
            <translation>Impossible d’enregistrer le calendrier.</translation>
        </message>
        <message>
            <source>Pick a calendar color</source>
            <translation>Choisir la couleur du calendrier</translation>
        </message>
        <message>
            <source>Calendar on another server</source>
            <translation>Calendrier sur un autre serveur</translation>
        </message>
        <message>
            <source>%1 is not on this account's server (%2), so your password is not sent there.</source>
            <translation>%1 ne se trouve pas sur le serveur de ce compte (%2) : votre mot de passe n'y est donc pas envoyé.</translation>
        </message>
    </context>
    <context>
        <name>CalendarGroupName</name>
        <message>
            <source>All Calendars</source>
            <translation>Tous les calendriers</translation>
        </message>
    </context>
    <context>
        <name>CalendarRow</name>
        <message>
            <source>Show this calendar in views</source>
            <translation>Afficher ce calendrier dans les vues</translation>
        </message>
        <message>
            <source>Sign in to sync</source>
            <translation>Connectez-vous pour synchroniser</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>Par défaut</translation>
        </message>
        <message>
            <source>Edit calendar…</source>
            <translation>Modifier le calendrier…</translation>
        </message>
        <message>
            <source>Set as default</source>
            <translation>Définir par défaut</translation>
        </message>
        <message>
            <source>Share…</source>
            <translation>Partager…</translation>
        </message>
        <message>
            <source>Remove calendar…</source>
            <translation>Supprimer le calendrier…</translation>
        </message>
    </context>
    <context>
        <name>CommandPalette</name>
        <message>
            <source>Find an event or run a command — today, goto, view, new, resync…</source>
            <translation>Rechercher un événement ou lancer une commande — today, goto, view, new, resync…</translation>
        </message>
        <message>
            <source>today</source>
            <translation>today</translation>
        </message>
        <message>
            <source>Snap the calendar to today</source>
            <translation>Afficher aujourd’hui dans le calendrier</translation>
        </message>
        <message>
            <source>goto YYYY-MM-DD</source>
            <translation>goto AAAA-MM-JJ</translation>
        </message>
        <message>
            <source>Jump to a specific date in Day view</source>
            <translation>Aller à une date précise dans la vue Jour</translation>
        </message>
        <message>
            <source>view &lt;mode|name&gt;</source>
            <translation>view &lt;mode|nom&gt;</translation>
        </message>
        <message>
            <source>Switch view mode (day/week/grid/month/year) or active calendar group</source>
            <translation>Changer de vue (day/week/grid/month/year) ou de groupe de calendriers actif</translation>
        </message>
        <message>
            <source>new &lt;event description&gt;</source>
            <translation>new &lt;description de l’événement&gt;</translation>
        </message>
        <message>
            <source>Quick-add an event using the NL parser</source>
            <translation>Ajouter rapidement un événement en langage naturel</translation>
        </message>
        <message>
            <source>resync</source>
            <translation>resync</translation>
        </message>
        <message>
            <source>Pull + push every CalDAV calendar</source>
            <translation>Récupérer et envoyer tous les calendriers CalDAV</translation>
        </message>
        <message>
            <source>notifytest</source>
            <translation>notifytest</translation>
        </message>
        <message>
            <source>Fire a test tray notification (verifies the pipeline)</source>
            <translation>Envoyer une notification de test (vérifie la chaîne)</translation>
        </message>
        <message>
            <source>Switch to Day view</source>
            <translation>Passer à la vue Jour</translation>
        </message>
        <message>
            <source>Switch to Week view (locale-bracketed 7 days)</source>
            <translation>Passer à la vue Semaine (7 jours selon la région)</translation>
        </message>
        <message>
            <source>Switch to Days view (sliding window)</source>
            <translation>Passer à la vue Jours (fenêtre glissante)</translation>
        </message>
        <message>
            <source>Switch to Grid view</source>
            <translation>Passer à la vue Grille</translation>
        </message>
        <message>
            <source>Switch to Month view</source>
            <translation>Passer à la vue Mois</translation>
        </message>
        <message>
            <source>Switch to Year view</source>
            <translation>Passer à la vue Année</translation>
        </message>
        <message>
            <source>Days view, 3-day sliding window</source>
            <translation>Vue Jours, 3 jours</translation>
        </message>
        <message>
            <source>Days view, 5-day sliding window</source>
            <translation>Vue Jours, 5 jours</translation>
        </message>
        <message>
            <source>Days view, 10-day medium-term horizon</source>
            <translation>Vue Jours, 10 jours</translation>
        </message>
        <message>
            <source>Days view, 14-day fortnight horizon</source>
            <translation>Vue Jours, 14 jours</translation>
        </message>
        <message>
            <source>all-day</source>
            <translation>toute la journée</translation>
        </message>
        <message>
            <source>(Untitled)</source>
            <translation>(Sans titre)</translation>
        </message>
        <message>
            <source>Event: %1   —   %2 · %3</source>
            <translation>Événement : %1   —   %2 · %3</translation>
        </message>
    </context>
    <context>
        <name>DBusNotifier</name>
        <message>
            <source>Open</source>
            <translation>Ouvrir</translation>
        </message>
    </context>
    <context>
        <name>DateTimePicker</name>
        <message>
            <source>%1 min</source>
            <translation>%1 min</translation>
        </message>
        <message>
            <source>%1 hr</source>
            <translation>%1 h</translation>
        </message>
        <message>
            <source>%1 hr %2 min</source>
            <translation>%1 h %2 min</translation>
        </message>
    </context>
    <context>
        <name>DayTimelineWidget</name>
        <message>
            <source>%1 min</source>
            <translation>%1 min</translation>
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
            <translation>Rappels — Tindlebrook Calendar</translation>
        </message>
    </context>
    <context>
        <name>DetachedTasksWindow</name>
        <message>
            <source>Tasks — Tindlebrook Calendar</source>
            <translation>Tâches — Tindlebrook Calendar</translation>
        </message>
    </context>
    <context>
        <name>EventActions</name>
        <message>
            <source>Couldn't save the change</source>
            <translation>Impossible d’enregistrer la modification</translation>
        </message>
        <message>
            <source>Couldn't delete the event</source>
            <translation>Impossible de supprimer l’événement</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>Modifier…</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Supprimer</translation>
        </message>
        <message>
            <source>Edit filter "%1"…</source>
            <translation>Modifier le filtre « %1 »…</translation>
        </message>
        <message>
            <source>Create Filter from Event…</source>
            <translation>Créer un filtre à partir de l’événement…</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Événement</translation>
        </message>
        <message>
            <source>Delete "%1"? You can undo with %2.</source>
            <translation>Supprimer « %1 » ? Vous pouvez annuler avec %2.</translation>
        </message>
        <message>
            <source>Delete event?</source>
            <translation>Supprimer l’événement ?</translation>
        </message>
        <message>
            <source>%1 (copy)</source>
            <translation>%1 (copie)</translation>
        </message>
        <message>
            <source>Couldn't duplicate the event</source>
            <translation>Impossible de dupliquer l’événement</translation>
        </message>
    </context>
    <context>
        <name>EventDetailsPopover</name>
        <message>
            <source>Edit…</source>
            <translation>Modifier…</translation>
        </message>
        <message>
            <source>Duplicate</source>
            <translation>Dupliquer</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Supprimer</translation>
        </message>
        <message>
            <source>(Untitled)</source>
            <translation>(Sans titre)</translation>
        </message>
        <message>
            <source>Organizer: %1</source>
            <translation>Organisateur : %1</translation>
        </message>
        <message>
            <source>Unknown calendar</source>
            <translation>Calendrier inconnu</translation>
        </message>
        <message>
            <source>(Untitled task)</source>
            <translation>(Tâche sans titre)</translation>
        </message>
        <message>
            <source>Linked task:</source>
            <translation>Tâche liée :</translation>
        </message>
        <message>
            <source>All-day</source>
            <translation>Toute la journée</translation>
        </message>
    </context>
    <context>
        <name>EventEditor</name>
        <message>
            <source>Moved "%1"</source>
            <translation>« %1 » déplacé</translation>
        </message>
        <message>
            <source>Resized "%1"</source>
            <translation>Durée de « %1 » modifiée</translation>
        </message>
        <message>
            <source>Deleted "%1"</source>
            <translation>« %1 » supprimé</translation>
        </message>
        <message>
            <source>"%1" could not be stored, so nothing was changed. The log has the details.</source>
            <translation>« %1 » n’a pas pu être enregistré ; rien n’a été modifié. Le journal contient les détails.</translation>
        </message>
        <message>
            <source>"%1" could not be deleted. The log has the details.</source>
            <translation>« %1 » n’a pas pu être supprimé. Le journal contient les détails.</translation>
        </message>
        <message>
            <source>The copy could not be stored. The log has the details.</source>
            <translation>La copie n’a pas pu être enregistrée. Le journal contient les détails.</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Événement</translation>
        </message>
        <message>
            <source>"%1" was copied to its new calendar, but could not be removed from the old one. The log has the details.</source>
            <translation>« %1 » a été copié dans son nouveau calendrier, mais n’a pas pu être retiré de l’ancien. Le journal contient les détails.</translation>
        </message>
        <message>
            <source>"%1" is one occurrence of a repeating event and stays in its calendar. To move it, move the whole series.</source>
            <translation>« %1 » est une occurrence d’un événement périodique et reste dans son calendrier. Pour la déplacer, déplacez toute la série.</translation>
        </message>
    </context>
    <context>
        <name>EventFormDialog</name>
        <message>
            <source>New Event</source>
            <translation>Nouvel événement</translation>
        </message>
        <message>
            <source>Edit Event</source>
            <translation>Modifier l’événement</translation>
        </message>
        <message>
            <source>Edit event</source>
            <translation>Modifier l’événement</translation>
        </message>
        <message>
            <source>New event</source>
            <translation>Nouvel événement</translation>
        </message>
        <message>
            <source>Update the details below and save to apply.</source>
            <translation>Modifiez les détails ci-dessous et enregistrez.</translation>
        </message>
        <message>
            <source>Fill in the basics. Start time and calendar are required.</source>
            <translation>Renseignez l’essentiel. L’heure de début et le calendrier sont obligatoires.</translation>
        </message>
        <message>
            <source>Team sync, Dentist…</source>
            <translation>Réunion d’équipe, dentiste…</translation>
        </message>
        <message>
            <source>&amp;Title</source>
            <translation>&amp;Titre</translation>
        </message>
        <message>
            <source>&amp;Calendar</source>
            <translation>&amp;Calendrier</translation>
        </message>
        <message>
            <source>&amp;Starts</source>
            <translation>&amp;Début</translation>
        </message>
        <message>
            <source>&amp;Ends</source>
            <translation>&amp;Fin</translation>
        </message>
        <message>
            <source>All day</source>
            <translation>Toute la journée</translation>
        </message>
        <message>
            <source>Address, room, or video link</source>
            <translation>Adresse, salle ou lien vidéo</translation>
        </message>
        <message>
            <source>&amp;Location</source>
            <translation>&amp;Lieu</translation>
        </message>
        <message>
            <source>Notes, agenda, links…</source>
            <translation>Notes, ordre du jour, liens…</translation>
        </message>
        <message>
            <source>&amp;Notes</source>
            <translation>&amp;Notes</translation>
        </message>
        <message>
            <source>Save changes</source>
            <translation>Enregistrer</translation>
        </message>
        <message>
            <source>Create event</source>
            <translation>Créer l’événement</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Annuler</translation>
        </message>
        <message>
            <source>Title required</source>
            <translation>Titre obligatoire</translation>
        </message>
        <message>
            <source>Please enter a title for the event.</source>
            <translation>Veuillez saisir un titre pour l’événement.</translation>
        </message>
        <message>
            <source>No calendars</source>
            <translation>Aucun calendrier</translation>
        </message>
        <message>
            <source>Create a calendar first.</source>
            <translation>Créez d’abord un calendrier.</translation>
        </message>
        <message>
            <source>End before start</source>
            <translation>Fin avant le début</translation>
        </message>
        <message>
            <source>The end time is earlier than the start time.</source>
            <translation>L’heure de fin est antérieure à l’heure de début.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Erreur de base de données</translation>
        </message>
        <message>
            <source>Could not save the event.</source>
            <translation>Impossible d’enregistrer l’événement.</translation>
        </message>
        <message>
            <source>+ Add attendee</source>
            <translation>+ Ajouter un participant</translation>
        </message>
        <message>
            <source>Going</source>
            <translation>Présent</translation>
        </message>
        <message>
            <source>Declined</source>
            <translation>Refusé</translation>
        </message>
        <message>
            <source>Maybe</source>
            <translation>Peut-être</translation>
        </message>
        <message>
            <source>Delegated</source>
            <translation>Délégué</translation>
        </message>
        <message>
            <source>No response</source>
            <translation>Pas de réponse</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>Nom</translation>
        </message>
        <message>
            <source>name@example.com</source>
            <translation>nom@example.com</translation>
        </message>
        <message>
            <source>From template…</source>
            <translation>À partir d’un modèle…</translation>
        </message>
        <message>
            <source>Color</source>
            <translation>Couleur</translation>
        </message>
        <message>
            <source>&amp;Repeats</source>
            <translation>&amp;Répétition</translation>
        </message>
        <message>
            <source>Re&amp;minders</source>
            <translation>Ra&amp;ppels</translation>
        </message>
        <message>
            <source>Attendees</source>
            <translation>Participants</translation>
        </message>
        <message>
            <source>Use calendar color</source>
            <translation>Utiliser la couleur du calendrier</translation>
        </message>
        <message>
            <source>Inheriting calendar color (%1). Click to override.</source>
            <translation>Couleur du calendrier (%1). Cliquez pour la remplacer.</translation>
        </message>
        <message>
            <source>Custom color (%1). Click to change.</source>
            <translation>Couleur personnalisée (%1). Cliquez pour la changer.</translation>
        </message>
        <message>
            <source>Event color</source>
            <translation>Couleur de l’événement</translation>
        </message>
        <message>
            <source>Does not repeat</source>
            <translation>Ne se répète pas</translation>
        </message>
        <message>
            <source>No templates</source>
            <translation>Aucun modèle</translation>
        </message>
        <message>
            <source>You haven't created any event templates yet. Open Tools → Manage Templates to create one.</source>
            <translation>Vous n’avez encore créé aucun modèle d’événement. Ouvrez Outils → Gérer les modèles pour en créer un.</translation>
        </message>
        <message>
            <source>+ Add reminder</source>
            <translation>+ Ajouter un rappel</translation>
        </message>
        <message>
            <source>Couldn't save the change</source>
            <translation>Impossible d’enregistrer la modification</translation>
        </message>
    </context>
    <context>
        <name>FilterFormDialog</name>
        <message>
            <source>Pattern Match</source>
            <translation>Correspondance de texte</translation>
        </message>
        <message>
            <source>Time-Based</source>
            <translation>Par horaire</translation>
        </message>
        <message>
            <source>Specific Event</source>
            <translation>Événement précis</translation>
        </message>
        <message>
            <source>All-Day Events</source>
            <translation>Événements sur la journée</translation>
        </message>
        <message>
            <source>Mon</source>
            <translation>lun</translation>
        </message>
        <message>
            <source>Tue</source>
            <translation>mar</translation>
        </message>
        <message>
            <source>Wed</source>
            <translation>mer</translation>
        </message>
        <message>
            <source>Thu</source>
            <translation>jeu</translation>
        </message>
        <message>
            <source>Fri</source>
            <translation>ven</translation>
        </message>
        <message>
            <source>Sat</source>
            <translation>sam</translation>
        </message>
        <message>
            <source>Sun</source>
            <translation>dim</translation>
        </message>
        <message>
            <source>Add Filter</source>
            <translation>Ajouter un filtre</translation>
        </message>
        <message>
            <source>Edit Filter</source>
            <translation>Modifier le filtre</translation>
        </message>
        <message>
            <source>Edit filter</source>
            <translation>Modifier le filtre</translation>
        </message>
        <message>
            <source>New filter</source>
            <translation>Nouveau filtre</translation>
        </message>
        <message>
            <source>Filters hide or dim events that match — they don't delete anything, and you can toggle the whole set off from the filters pill in the status bar.</source>
            <translation>Les filtres masquent ou estompent les événements correspondants — rien n’est supprimé, et vous pouvez tous les désactiver depuis l’indicateur des filtres dans la barre d’état.</translation>
        </message>
        <message>
            <source>Hide standups, Dim birthdays…</source>
            <translation>Masquer les points quotidiens, estomper les anniversaires…</translation>
        </message>
        <message>
            <source>&amp;Name</source>
            <translation>&amp;Nom</translation>
        </message>
        <message>
            <source>Hide completely</source>
            <translation>Masquer complètement</translation>
        </message>
        <message>
            <source>Dim (still visible, faded)</source>
            <translation>Estomper (visible mais pâle)</translation>
        </message>
        <message>
            <source>&amp;Action</source>
            <translation>&amp;Action</translation>
        </message>
        <message>
            <source>Suppress reminders for matched events</source>
            <translation>Désactiver les rappels des événements correspondants</translation>
        </message>
        <message>
            <source>Enabled</source>
            <translation>Activé</translation>
        </message>
        <message>
            <source>Save changes</source>
            <translation>Enregistrer</translation>
        </message>
        <message>
            <source>Create filter</source>
            <translation>Créer le filtre</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Annuler</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Type</translation>
        </message>
        <message>
            <source>Title contains</source>
            <translation>Le titre contient</translation>
        </message>
        <message>
            <source>e.g. standup, lunch, 1:1 — comma separated</source>
            <translation>p. ex. point quotidien, déjeuner, 1:1 — séparés par des virgules</translation>
        </message>
        <message>
            <source>Case sensitive</source>
            <translation>Respecter la casse</translation>
        </message>
        <message>
            <source>Exact start time</source>
            <translation>Heure de début exacte</translation>
        </message>
        <message>
            <source>Time range</source>
            <translation>Plage horaire</translation>
        </message>
        <message>
            <source>to</source>
            <translation>à</translation>
        </message>
        <message>
            <source>Days of week (empty = every day)</source>
            <translation>Jours de la semaine (vide = tous les jours)</translation>
        </message>
        <message>
            <source>Recurring events only</source>
            <translation>Événements récurrents uniquement</translation>
        </message>
        <message>
            <source>Filtering this specific event:</source>
            <translation>Filtrage de cet événement précis :</translation>
        </message>
        <message>
            <source>(Right-click an event and choose "Create Filter from Event" to create a specific-event filter.)</source>
            <translation>(Cliquez droit sur un événement et choisissez « Créer un filtre à partir de l’événement » pour créer un filtre d’événement précis.)</translation>
        </message>
        <message>
            <source>Matches every all-day event in the selected calendars.</source>
            <translation>Correspond à tous les événements sur la journée des calendriers choisis.</translation>
        </message>
        <message>
            <source>Only recurring all-day events</source>
            <translation>Uniquement les événements récurrents sur la journée</translation>
        </message>
        <message>
            <source>Apply to calendars</source>
            <translation>Appliquer aux calendriers</translation>
        </message>
        <message>
            <source>Leave empty to apply to every calendar.</source>
            <translation>Laissez vide pour l’appliquer à tous les calendriers.</translation>
        </message>
        <message>
            <source>Filter events matching text patterns</source>
            <translation>Filtrer les événements selon un motif de texte</translation>
        </message>
        <message>
            <source>Filter events at specific times</source>
            <translation>Filtrer les événements à certaines heures</translation>
        </message>
        <message>
            <source>Filter a specific recurring event</source>
            <translation>Filtrer un événement récurrent précis</translation>
        </message>
        <message>
            <source>Filter all-day events</source>
            <translation>Filtrer les événements sur la journée</translation>
        </message>
        <message>
            <source>(Event no longer exists)</source>
            <translation>(L’événement n’existe plus)</translation>
        </message>
        <message>
            <source>(Untitled event)</source>
            <translation>(Événement sans titre)</translation>
        </message>
        <message numerus="yes">
            <source>Also applies to %n hidden or removed calendar(s).</source>
            <translation>
                <numerusform>S’applique aussi à %n calendrier masqué ou supprimé.</numerusform>
                <numerusform>S’applique aussi à %n calendriers masqués ou supprimés.</numerusform>
            </translation>
        </message>
        <message>
            <source>Name required</source>
            <translation>Nom obligatoire</translation>
        </message>
        <message>
            <source>Please enter a name for the filter.</source>
            <translation>Veuillez saisir un nom pour le filtre.</translation>
        </message>
        <message>
            <source>No patterns</source>
            <translation>Aucun motif</translation>
        </message>
        <message>
            <source>Add at least one phrase to "Title contains".</source>
            <translation>Ajoutez au moins une expression dans « Le titre contient ».</translation>
        </message>
        <message>
            <source>No event selected</source>
            <translation>Aucun événement sélectionné</translation>
        </message>
        <message>
            <source>Specific-event filters need to be created from an event's right-click menu — that's how the rule learns which event to match.</source>
            <translation>Les filtres d’événement précis se créent depuis le menu contextuel de l’événement — c’est ainsi que la règle sait quel événement cibler.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Erreur de base de données</translation>
        </message>
        <message>
            <source>Could not save the filter.</source>
            <translation>Impossible d’enregistrer le filtre.</translation>
        </message>
        <message>
            <source>No events in the next 30 days to preview against.</source>
            <translation>Aucun événement dans les 30 prochains jours pour l’aperçu.</translation>
        </message>
        <message>
            <source>hide</source>
            <translation>masquer</translation>
        </message>
        <message>
            <source>dim</source>
            <translation>estomper</translation>
        </message>
        <message>
            <source>Would %1 %2 of %3 events in the next 30 days.</source>
            <translation>Cela va %1 %2 des %3 événements des 30 prochains jours.</translation>
        </message>
        <message>
            <source>(Untitled)</source>
            <translation>(Sans titre)</translation>
        </message>
        <message>
            <source>e.g. %1</source>
            <translation>p. ex. %1</translation>
        </message>
    </context>
    <context>
        <name>Google</name>
        <message numerus="yes">
            <source>Google did not answer within %n second(s).</source>
            <translation>
                <numerusform>Google n’a pas répondu dans la %n seconde.</numerusform>
                <numerusform>Google n’a pas répondu dans les %n secondes.</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>Google::AuthService</name>
        <message>
            <source>Google OAuth credentials are not configured in this build. See .env.example.</source>
            <translation>Les identifiants OAuth Google ne sont pas configurés dans cette version. Voir .env.example.</translation>
        </message>
        <message>
            <source>Google sign-in timed out. Please try again.</source>
            <translation>La connexion à Google a expiré. Veuillez réessayer.</translation>
        </message>
        <message>
            <source>Sign-in cancelled.</source>
            <translation>Connexion annulée.</translation>
        </message>
        <message>
            <source>The Google sign-in link was opened twice, so the sign-in was stopped for safety. Please sign in again.</source>
            <translation>Le lien de connexion Google a été ouvert deux fois : la connexion a été arrêtée par sécurité. Reconnectez-vous.</translation>
        </message>
        <message>
            <source>Could not bind a local port for the Google sign-in callback: %1</source>
            <translation>Impossible d’ouvrir un port local pour le retour de connexion Google : %1</translation>
        </message>
        <message>
            <source>Could not launch the system browser for Google sign-in.</source>
            <translation>Impossible d’ouvrir le navigateur pour la connexion Google.</translation>
        </message>
        <message>
            <source>Google denied the sign-in: %1</source>
            <translation>Google a refusé la connexion : %1</translation>
        </message>
        <message>
            <source>Sign-in state mismatch. The redirect didn't match our request; please try again.</source>
            <translation>L’état de connexion ne correspond pas à la demande ; veuillez réessayer.</translation>
        </message>
        <message>
            <source>Google did not return an authorization code.</source>
            <translation>Google n’a pas renvoyé de code d’autorisation.</translation>
        </message>
        <message>
            <source>Token exchange failed (HTTP %1): %2</source>
            <translation>Échec de l’échange de jeton (HTTP %1) : %2</translation>
        </message>
        <message>
            <source>Token exchange failed (HTTP %1).</source>
            <translation>Échec de l’échange de jeton (HTTP %1).</translation>
        </message>
        <message>
            <source>Google did not return an access token.</source>
            <translation>Google n’a pas renvoyé de jeton d’accès.</translation>
        </message>
        <message>
            <source>Google did not return a refresh token. Try removing the app from your Google Account permissions and signing in again.</source>
            <translation>Google n’a pas renvoyé de jeton d’actualisation. Retirez l’application des autorisations de votre compte Google et reconnectez-vous.</translation>
        </message>
        <message>
            <source>Google OAuth credentials are not configured.</source>
            <translation>Les identifiants OAuth Google ne sont pas configurés.</translation>
        </message>
        <message>
            <source>Token refresh failed (HTTP %1): %2</source>
            <translation>Échec de l’actualisation du jeton (HTTP %1) : %2</translation>
        </message>
        <message>
            <source>Token refresh failed (HTTP %1).</source>
            <translation>Échec de l’actualisation du jeton (HTTP %1).</translation>
        </message>
        <message>
            <source>Google's response had no access_token.</source>
            <translation>La réponse de Google ne contenait pas d’access_token.</translation>
        </message>
        <message>
            <source>Google's response had an expires_in that could not be used.</source>
            <translation>La réponse de Google contenait un expires_in inutilisable.</translation>
        </message>
    </context>
    <context>
        <name>Google::CalendarClient</name>
        <message>
            <source>No Google access token available.</source>
            <translation>Aucun jeton d’accès Google disponible.</translation>
        </message>
        <message>
            <source>Google rejected calendarList.list (HTTP %1): %2</source>
            <translation>Google a refusé calendarList.list (HTTP %1) : %2</translation>
        </message>
        <message>
            <source>Google's calendar list did not end after %1 pages.</source>
            <translation>La liste des calendriers Google ne s’est pas terminée après %1 pages.</translation>
        </message>
        <message>
            <source>Google rejected events.list (HTTP %1): %2</source>
            <translation>Google a refusé events.list (HTTP %1) : %2</translation>
        </message>
        <message>
            <source>Google's event list did not end after %1 pages.</source>
            <translation>La liste des événements Google ne s’est pas terminée après %1 pages.</translation>
        </message>
        <message>
            <source>Google's answer to events.list (page %1) is not JSON.</source>
            <translation>La réponse de Google à events.list (page %1) n’est pas du JSON.</translation>
        </message>
        <message>
            <source>No Google access token.</source>
            <translation>Aucun jeton d’accès Google.</translation>
        </message>
        <message>
            <source>Google rejected events.insert: %1</source>
            <translation>Google a refusé events.insert : %1</translation>
        </message>
        <message>
            <source>Google rejected events.update: %1</source>
            <translation>Google a refusé events.update : %1</translation>
        </message>
        <message>
            <source>Google rejected events.delete: %1</source>
            <translation>Google a refusé events.delete : %1</translation>
        </message>
        <message>
            <source>Google rejected events.get: %1</source>
            <translation>Google a refusé events.get : %1</translation>
        </message>
        <message>
            <source>Google rejected events.instances: %1</source>
            <translation>Google a refusé events.instances : %1</translation>
        </message>
        <message>
            <source>Google rejected events.patch: %1</source>
            <translation>Google a refusé events.patch : %1</translation>
        </message>
        <message>
            <source>Google rejected events.move: %1</source>
            <translation>Google a refusé events.move : %1</translation>
        </message>
    </context>
    <context>
        <name>Google::PushRun</name>
        <message>
            <source>"%1" was changed on Google and could not be saved there: %2</source>
            <translation>« %1 » a été modifié sur Google et n’a pas pu y être enregistré : %2</translation>
        </message>
        <message>
            <source>"%1" is no longer an occurrence of its series on Google.</source>
            <translation>« %1 » n’est plus une occurrence de sa série sur Google.</translation>
        </message>
        <message>
            <source>"%1" was changed on Google too; the %2 set here was kept.</source>
            <translation>« %1 » a aussi été modifié sur Google ; ce qui a été fixé ici est conservé : %2.</translation>
        </message>
    </context>
    <context>
        <name>Google::SyncClient</name>
        <message>
            <source>Parent account missing</source>
            <translation>Compte parent manquant</translation>
        </message>
        <message>
            <source>No saved Google credentials. Sign in again.</source>
            <translation>Aucun identifiant Google enregistré. Reconnectez-vous.</translation>
        </message>
        <message>
            <source>Google token refresh failed: %1</source>
            <translation>Échec de l’actualisation du jeton Google : %1</translation>
        </message>
        <message>
            <source>Google refused the full listing of %1 (HTTP 410).</source>
            <translation>Google a refusé la liste complète de %1 (HTTP 410).</translation>
        </message>
        <message numerus="yes">
            <source>%n event(s) failed to save locally; will retry next sync.</source>
            <translation>
                <numerusform>%n événement n’a pas pu être enregistré localement ; nouvel essai à la prochaine synchronisation.</numerusform>
                <numerusform>%n événements n’ont pas pu être enregistrés localement ; nouvel essai à la prochaine synchronisation.</numerusform>
            </translation>
        </message>
        <message>
            <source>Google no longer accepts the saved sign-in. Sign in again.</source>
            <translation>Google n’accepte plus la connexion enregistrée. Reconnectez-vous.</translation>
        </message>
        <message>
            <source>The renewed Google sign-in could not be saved to the secret store.</source>
            <translation>La connexion Google renouvelée n’a pas pu être enregistrée dans le trousseau.</translation>
        </message>
    </context>
    <context>
        <name>HolidayPickerDialog</name>
        <message>
            <source>Holiday Calendars</source>
            <translation>Calendriers des jours fériés</translation>
        </message>
        <message>
            <source>Subscribe to a country's public holidays. Feeds are read-only and update automatically. All subscriptions land under the shared "Calendar Subscriptions" account.</source>
            <translation>Abonnez-vous aux jours fériés d’un pays. Les flux sont en lecture seule et se mettent à jour automatiquement. Tous les abonnements sont regroupés sous le compte partagé « Abonnements de calendrier ».</translation>
        </message>
        <message>
            <source>Search by country or region…</source>
            <translation>Rechercher par pays ou région…</translation>
        </message>
        <message>
            <source>Subscribe</source>
            <translation>S’abonner</translation>
        </message>
        <message>
            <source>Subscribed</source>
            <translation>Abonné</translation>
        </message>
        <message>
            <source>No holiday feeds match "%1".</source>
            <translation>Aucun flux de jours fériés ne correspond à « %1 ».</translation>
        </message>
        <message>
            <source>Already subscribed</source>
            <translation>Déjà abonné</translation>
        </message>
        <message>
            <source>You're already subscribed to "%1".</source>
            <translation>Vous êtes déjà abonné à « %1 ».</translation>
        </message>
        <message>
            <source>%1 Holidays</source>
            <translation>Jours fériés (%1)</translation>
        </message>
        <message>
            <source>Couldn't subscribe</source>
            <translation>Impossible de s’abonner</translation>
        </message>
        <message>
            <source>Couldn't create the holiday calendar. Try again.</source>
            <translation>Impossible de créer le calendrier des jours fériés. Réessayez.</translation>
        </message>
    </context>
    <context>
        <name>IcsCodec</name>
        <message>
            <source>This is not a calendar file: it holds no iCalendar data.</source>
            <translation>Ce n’est pas un fichier de calendrier : il ne contient aucune donnée iCalendar.</translation>
        </message>
    </context>
    <context>
        <name>IcsImportFlow</name>
        <message>
            <source>An import is already running.</source>
            <translation>Une importation est déjà en cours.</translation>
        </message>
        <message>
            <source>Couldn't open file</source>
            <translation>Impossible d’ouvrir le fichier</translation>
        </message>
        <message>
            <source>Couldn't open "%1" for reading.</source>
            <translation>Impossible d’ouvrir « %1 » en lecture.</translation>
        </message>
        <message>
            <source>Couldn't import</source>
            <translation>Échec de l’importation</translation>
        </message>
        <message>
            <source>Couldn't read "%1". %2</source>
            <translation>Impossible de lire « %1 ». %2</translation>
        </message>
        <message>
            <source>Nothing to import</source>
            <translation>Rien à importer</translation>
        </message>
        <message>
            <source>No events found in "%1".</source>
            <translation>Aucun événement trouvé dans « %1 ».</translation>
        </message>
        <message>
            <source>No calendars configured</source>
            <translation>Aucun calendrier configuré</translation>
        </message>
        <message>
            <source>Add a writable calendar first; then re-import "%1".</source>
            <translation>Ajoutez d’abord un calendrier modifiable, puis réimportez « %1 ».</translation>
        </message>
        <message>
            <source>Import events</source>
            <translation>Importer des événements</translation>
        </message>
        <message>
            <source>Import 1 event from "%1" into:</source>
            <translation>Importer 1 événement de « %1 » dans :</translation>
        </message>
        <message>
            <source>Import %1 events from "%2" into:</source>
            <translation>Importer %1 événements de « %2 » dans :</translation>
        </message>
        <message>
            <source>Import</source>
            <translation>Importer</translation>
        </message>
        <message>
            <source>Importing %1 events from "%2"…</source>
            <translation>Importation de %1 événements de « %2 »…</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Annuler</translation>
        </message>
        <message>
            <source>Import cancelled: the calendar is as it was.</source>
            <translation>Importation annulée : le calendrier est inchangé.</translation>
        </message>
    </context>
    <context>
        <name>InAppNotifier</name>
        <message>
            <source>Open</source>
            <translation>Ouvrir</translation>
        </message>
    </context>
    <context>
        <name>InvitationsDialog</name>
        <message>
            <source>Invitations</source>
            <translation>Invitations</translation>
        </message>
        <message>
            <source>No new invitations. You're all caught up.</source>
            <translation>Aucune nouvelle invitation. Tout est à jour.</translation>
        </message>
        <message>
            <source>Nothing in your history yet.</source>
            <translation>Aucun historique pour l’instant.</translation>
        </message>
        <message>
            <source>New</source>
            <translation>Nouvelles</translation>
        </message>
        <message>
            <source>Past</source>
            <translation>Passées</translation>
        </message>
        <message>
            <source>Going</source>
            <translation>Présent</translation>
        </message>
        <message>
            <source>Declined</source>
            <translation>Refusé</translation>
        </message>
        <message>
            <source>Maybe</source>
            <translation>Peut-être</translation>
        </message>
        <message>
            <source>Delegated</source>
            <translation>Délégué</translation>
        </message>
        <message>
            <source>No response</source>
            <translation>Pas de réponse</translation>
        </message>
        <message>
            <source>%1 (all day)</source>
            <translation>%1 (toute la journée)</translation>
        </message>
        <message>
            <source>%1, %2 – %3</source>
            <translation>%1, %2 – %3</translation>
        </message>
        <message>
            <source>%1, %2</source>
            <translation>%1, %2</translation>
        </message>
        <message>
            <source>(Untitled event)</source>
            <translation>(Événement sans titre)</translation>
        </message>
        <message>
            <source>Invited by %1</source>
            <translation>Invité par %1</translation>
        </message>
        <message>
            <source>Accept</source>
            <translation>Accepter</translation>
        </message>
        <message>
            <source>Decline</source>
            <translation>Refuser</translation>
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
            <translation>Aujourd’hui</translation>
        </message>
        <message>
            <source>Next / previous (one mode-stride)</source>
            <translation>Suivant / précédent (un pas de la vue)</translation>
        </message>
        <message>
            <source>Previous / next week</source>
            <translation>Semaine précédente / suivante</translation>
        </message>
        <message>
            <source>Next / previous month</source>
            <translation>Mois suivant / précédent</translation>
        </message>
        <message>
            <source>Day / Days / Week / Grid / Month / Year</source>
            <translation>Jour / Jours / Semaine / Grille / Mois / Année</translation>
        </message>
        <message>
            <source>Days timeline: 3 / 5 / 7 / 10 / 14 days (1 – 5)</source>
            <translation>Vue Jours : 3 / 5 / 7 / 10 / 14 jours (1 – 5)</translation>
        </message>
        <message>
            <source>Back / forward through view + date history</source>
            <translation>Précédent / suivant dans l’historique vue + date</translation>
        </message>
        <message>
            <source>Calendar groups</source>
            <translation>Groupes de calendriers</translation>
        </message>
        <message>
            <source>Activate calendar group 1 – 9</source>
            <translation>Activer le groupe de calendriers 1 – 9</translation>
        </message>
        <message>
            <source>Previous / next calendar group</source>
            <translation>Groupe de calendriers précédent / suivant</translation>
        </message>
        <message>
            <source>Actions</source>
            <translation>Actions</translation>
        </message>
        <message>
            <source>New event</source>
            <translation>Nouvel événement</translation>
        </message>
        <message>
            <source>New task</source>
            <translation>Nouvelle tâche</translation>
        </message>
        <message>
            <source>Quick add</source>
            <translation>Ajout rapide</translation>
        </message>
        <message>
            <source>Sync now</source>
            <translation>Synchroniser maintenant</translation>
        </message>
        <message>
            <source>Command palette</source>
            <translation>Palette de commandes</translation>
        </message>
        <message>
            <source>Preferences…</source>
            <translation>Préférences…</translation>
        </message>
        <message>
            <source>Toggle empty days in sidebar agenda</source>
            <translation>Afficher/masquer les jours vides dans l’agenda latéral</translation>
        </message>
        <message>
            <source>Undo (drag/resize/delete)</source>
            <translation>Annuler (déplacer/redimensionner/supprimer)</translation>
        </message>
        <message>
            <source>This dialog</source>
            <translation>Cette fenêtre</translation>
        </message>
        <message>
            <source>Inside grids</source>
            <translation>Dans les grilles</translation>
        </message>
        <message>
            <source>Single click</source>
            <translation>Clic simple</translation>
        </message>
        <message>
            <source>Select event + open details popover</source>
            <translation>Sélectionner l’événement + ouvrir la bulle de détails</translation>
        </message>
        <message>
            <source>Double click</source>
            <translation>Double-clic</translation>
        </message>
        <message>
            <source>Edit event</source>
            <translation>Modifier l’événement</translation>
        </message>
        <message>
            <source>Right-click</source>
            <translation>Clic droit</translation>
        </message>
        <message>
            <source>Edit / Delete menu</source>
            <translation>Menu Modifier / Supprimer</translation>
        </message>
        <message>
            <source>Drag block</source>
            <translation>Glisser le bloc</translation>
        </message>
        <message>
            <source>Reschedule (snap to 15 min)</source>
            <translation>Reprogrammer (pas de 15 min)</translation>
        </message>
        <message>
            <source>Drag bottom edge</source>
            <translation>Glisser le bord inférieur</translation>
        </message>
        <message>
            <source>Resize end time (snap to 15 min)</source>
            <translation>Modifier l’heure de fin (pas de 15 min)</translation>
        </message>
        <message>
            <source>Ctrl+wheel</source>
            <translation>Ctrl+molette</translation>
        </message>
        <message>
            <source>Zoom Day / Week timeline</source>
            <translation>Zoomer la chronologie Jour / Semaine</translation>
        </message>
        <message>
            <source>Tab / Shift+Tab</source>
            <translation>Tab / Maj+Tab</translation>
        </message>
        <message>
            <source>Cycle event selection</source>
            <translation>Parcourir les événements</translation>
        </message>
        <message>
            <source>↑ / ↓</source>
            <translation>↑ / ↓</translation>
        </message>
        <message>
            <source>Enter</source>
            <translation>Entrée</translation>
        </message>
        <message>
            <source>Open popover for selected event</source>
            <translation>Ouvrir la bulle de l’événement sélectionné</translation>
        </message>
        <message>
            <source>Mouse back / forward</source>
            <translation>Boutons précédent / suivant de la souris</translation>
        </message>
        <message>
            <source>Back / forward through view history</source>
            <translation>Précédent / suivant dans l’historique des vues</translation>
        </message>
        <message>
            <source>Quick-add (tray + %1 "new")</source>
            <translation>Ajout rapide (zone de notification + %1 « new »)</translation>
        </message>
        <message>
            <source>Date phrases</source>
            <translation>Expressions de date</translation>
        </message>
        <message>
            <source>Time phrases</source>
            <translation>Expressions d’heure</translation>
        </message>
        <message>
            <source>Time range</source>
            <translation>Plage horaire</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>Durée</translation>
        </message>
        <message>
            <source>Relative date</source>
            <translation>Date relative</translation>
        </message>
        <message>
            <source>Keyboard Shortcuts</source>
            <translation>Raccourcis clavier</translation>
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
            <translation>&amp;Fichier</translation>
        </message>
        <message>
            <source>&amp;New Event…</source>
            <translation>&amp;Nouvel événement…</translation>
        </message>
        <message>
            <source>&amp;Quit</source>
            <translation>&amp;Quitter</translation>
        </message>
        <message>
            <source>&amp;Developer</source>
            <translation>&amp;Développeur</translation>
        </message>
        <message>
            <source>Load Sample &amp;Data</source>
            <translation>Charger des &amp;données d’exemple</translation>
        </message>
        <message>
            <source>&amp;Clear Sample Data</source>
            <translation>&amp;Effacer les données d’exemple</translation>
        </message>
        <message>
            <source>Calendar is still running in the system tray. Use File → Quit to exit, or turn off Preferences → Startup → Close to tray.</source>
            <translation>Le calendrier reste actif dans la zone de notification. Utilisez Fichier → Quitter pour le fermer, ou désactivez Préférences → Démarrage → Fermer dans la zone de notification.</translation>
        </message>
        <message>
            <source>Quick-add ignored: no calendars configured.</source>
            <translation>Ajout rapide ignoré : aucun calendrier configuré.</translation>
        </message>
        <message>
            <source>Quick-add couldn't parse: "%1"</source>
            <translation>Ajout rapide incompris : « %1 »</translation>
        </message>
        <message>
            <source>Quick-add: "%1" was not saved.</source>
            <translation>Ajout rapide : « %1 » n’a pas été enregistré.</translation>
        </message>
        <message>
            <source>Added: %1</source>
            <translation>Ajouté : %1</translation>
        </message>
        <message numerus="yes">
            <source>Loaded %n sample row(s).</source>
            <translation>
                <numerusform>%n ligne d’exemple chargée.</numerusform>
                <numerusform>%n lignes d’exemple chargées.</numerusform>
            </translation>
        </message>
        <message>
            <source>Clear sample data?</source>
            <translation>Effacer les données d’exemple ?</translation>
        </message>
        <message>
            <source>Remove the sample calendars, events, and tasks? Your real data is untouched.</source>
            <translation>Supprimer les calendriers, événements et tâches d’exemple ? Vos vraies données ne sont pas touchées.</translation>
        </message>
        <message numerus="yes">
            <source>Removed %n sample row(s).</source>
            <translation>
                <numerusform>%n ligne d’exemple supprimée.</numerusform>
                <numerusform>%n lignes d’exemple supprimées.</numerusform>
            </translation>
        </message>
        <message>
            <source>Imported %1 and updated %2 in %3.</source>
            <translation>%1 importés et %2 mis à jour dans %3.</translation>
        </message>
        <message>
            <source>Updated 1 existing event in %1.</source>
            <translation>1 événement existant mis à jour dans %1.</translation>
        </message>
        <message>
            <source>Updated %1 existing events in %2.</source>
            <translation>%1 événements existants mis à jour dans %2.</translation>
        </message>
        <message>
            <source>Imported 1 event into %1.</source>
            <translation>1 événement importé dans %1.</translation>
        </message>
        <message>
            <source>Imported %1 events into %2.</source>
            <translation>%1 événements importés dans %2.</translation>
        </message>
        <message numerus="yes">
            <source>Couldn't store %n event(s) in %1.</source>
            <translation>
                <numerusform>Impossible d’enregistrer %n événement dans %1.</numerusform>
                <numerusform>Impossible d’enregistrer %n événements dans %1.</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Nothing to change: %n event(s) already in %1.</source>
            <translation>
                <numerusform>Rien à modifier : %n événement déjà dans %1.</numerusform>
                <numerusform>Rien à modifier : %n événements déjà dans %1.</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n event(s) could not be stored.</source>
            <translation>
                <numerusform>%n événement n’a pas pu être enregistré.</numerusform>
                <numerusform>%n événements n’ont pas pu être enregistrés.</numerusform>
            </translation>
        </message>
        <message>
            <source>Test notification fired</source>
            <translation>Notification de test envoyée</translation>
        </message>
        <message>
            <source>No accounts configured</source>
            <translation>Aucun compte configuré</translation>
        </message>
        <message>
            <source>Add a Tindlebrook Calendar account to store calendars on this device, connect Google or Microsoft, or hook up any CalDAV server (Synology, Nextcloud, Radicale, iCloud).</source>
            <translation>Ajoutez un compte Tindlebrook Calendar pour stocker des calendriers sur cet appareil, connectez Google ou Microsoft, ou tout serveur CalDAV (Synology, Nextcloud, Radicale, iCloud).</translation>
        </message>
        <message>
            <source>  Add Account…</source>
            <translation>  Ajouter un compte…</translation>
        </message>
        <message>
            <source>Manage your account</source>
            <translation>Gérer votre compte</translation>
        </message>
        <message>
            <source>Sign in or sign up</source>
            <translation>Se connecter ou s’inscrire</translation>
        </message>
        <message>
            <source>Tindlebrook Account</source>
            <translation>Compte Tindlebrook</translation>
        </message>
        <message>
            <source>&amp;Window</source>
            <translation>Fe&amp;nêtre</translation>
        </message>
        <message>
            <source>New &amp;Task…</source>
            <translation>Nouvelle &amp;tâche…</translation>
        </message>
        <message>
            <source>Quick &amp;Add…</source>
            <translation>&amp;Ajout rapide…</translation>
        </message>
        <message>
            <source>Type an event in plain English ("lunch Thursday 1pm")</source>
            <translation>Saisissez un événement en anglais simple (« lunch Thursday 1pm »)</translation>
        </message>
        <message>
            <source>Calendar &amp;Accounts…</source>
            <translation>&amp;Comptes de calendrier…</translation>
        </message>
        <message>
            <source>&amp;Sync Now</source>
            <translation>&amp;Synchroniser maintenant</translation>
        </message>
        <message>
            <source>Force F&amp;ull Sync…</source>
            <translation>Forcer une synchronisation &amp;complète…</translation>
        </message>
        <message>
            <source>Re-pull every event from every account, ignoring sync tokens</source>
            <translation>Récupérer à nouveau tous les événements de tous les comptes, sans jetons de synchronisation</translation>
        </message>
        <message>
            <source>&amp;Invitations…</source>
            <translation>&amp;Invitations…</translation>
        </message>
        <message>
            <source>&amp;Import ICS File…</source>
            <translation>&amp;Importer un fichier ICS…</translation>
        </message>
        <message>
            <source>&amp;Export Agenda PDF…</source>
            <translation>&amp;Exporter l’agenda en PDF…</translation>
        </message>
        <message>
            <source>Tindlebrook &amp;Account…</source>
            <translation>&amp;Compte Tindlebrook…</translation>
        </message>
        <message>
            <source>Sign &amp;Out</source>
            <translation>Se &amp;déconnecter</translation>
        </message>
        <message>
            <source>&amp;Edit</source>
            <translation>&amp;Édition</translation>
        </message>
        <message>
            <source>&amp;Preferences…</source>
            <translation>&amp;Préférences…</translation>
        </message>
        <message>
            <source>&amp;Find Events…</source>
            <translation>&amp;Rechercher des événements…</translation>
        </message>
        <message>
            <source>&amp;View</source>
            <translation>&amp;Affichage</translation>
        </message>
        <message>
            <source>Toggle &amp;Sidebar</source>
            <translation>Afficher/masquer la barre &amp;latérale</translation>
        </message>
        <message>
            <source>Show &amp;Empty Days in Agenda</source>
            <translation>Afficher les jours &amp;vides dans l’agenda</translation>
        </message>
        <message>
            <source>&amp;Compact Density</source>
            <translation>Affichage &amp;compact</translation>
        </message>
        <message>
            <source>Toggle &amp;Tasks Pane</source>
            <translation>Afficher/masquer le volet des &amp;tâches</translation>
        </message>
        <message>
            <source>Toggle &amp;Reminders Pane</source>
            <translation>Afficher/masquer le volet des &amp;rappels</translation>
        </message>
        <message>
            <source>&amp;Tools</source>
            <translation>&amp;Outils</translation>
        </message>
        <message>
            <source>Add &amp;Filter…</source>
            <translation>Ajouter un &amp;filtre…</translation>
        </message>
        <message>
            <source>Add Calendar &amp;Group…</source>
            <translation>Ajouter un &amp;groupe de calendriers…</translation>
        </message>
        <message>
            <source>Manage Calendar Gr&amp;oups…</source>
            <translation>Gérer les gr&amp;oupes de calendriers…</translation>
        </message>
        <message>
            <source>Manage Te&amp;mplates…</source>
            <translation>Gérer les &amp;modèles…</translation>
        </message>
        <message>
            <source>&amp;Weather…</source>
            <translation>&amp;Météo…</translation>
        </message>
        <message>
            <source>Send Test &amp;Notification</source>
            <translation>Envoyer une &amp;notification de test</translation>
        </message>
        <message>
            <source>Sign In to Tindlebrook &amp;Account</source>
            <translation>Se connecter au &amp;compte Tindlebrook</translation>
        </message>
        <message>
            <source>Sign &amp;Out of Tindlebrook Account</source>
            <translation>Se &amp;déconnecter du compte Tindlebrook</translation>
        </message>
        <message>
            <source>&amp;Help</source>
            <translation>&amp;Aide</translation>
        </message>
        <message>
            <source>&amp;Keyboard Shortcuts</source>
            <translation>&amp;Raccourcis clavier</translation>
        </message>
        <message>
            <source>Fire a sample reminder toast to verify your desktop notification setup.</source>
            <translation>Afficher un rappel d’exemple pour vérifier les notifications du bureau.</translation>
        </message>
        <message>
            <source>&amp;What's New</source>
            <translation>&amp;Nouveautés</translation>
        </message>
        <message>
            <source>Send &amp;Feedback…</source>
            <translation>Envoyer un &amp;avis…</translation>
        </message>
        <message>
            <source>Check for &amp;Updates…</source>
            <translation>Rechercher des &amp;mises à jour…</translation>
        </message>
        <message>
            <source>&amp;About Tindlebrook Calendar</source>
            <translation>À &amp;propos de Tindlebrook Calendar</translation>
        </message>
        <message>
            <source>Undid: %1</source>
            <translation>Annulé : %1</translation>
        </message>
        <message>
            <source>Undid: %1. Its guests are invited again.</source>
            <translation>Annulé : %1. Ses invités sont à nouveau invités.</translation>
        </message>
        <message>
            <source>Could not undo: %1. The event was changed since.</source>
            <translation>Impossible d’annuler : %1. L’événement a été modifié depuis.</translation>
        </message>
        <message>
            <source>Could not undo: %1. The log has the details.</source>
            <translation>Impossible d’annuler : %1. Le journal contient les détails.</translation>
        </message>
        <message>
            <source>&amp;Invitations… (%1)</source>
            <translation>&amp;Invitations… (%1)</translation>
        </message>
        <message>
            <source>Import ICS file</source>
            <translation>Importer un fichier ICS</translation>
        </message>
        <message>
            <source>iCalendar files (*.ics);;All files (*)</source>
            <translation>Fichiers iCalendar (*.ics);;Tous les fichiers (*)</translation>
        </message>
        <message>
            <source>About Tindlebrook Calendar</source>
            <translation>À propos de Tindlebrook Calendar</translation>
        </message>
        <message>
            <source>&lt;h3&gt;Tindlebrook Calendar&lt;/h3&gt;&lt;p&gt;Version %1&lt;/p&gt;&lt;p&gt;A CalDAV-first calendar with client-side filters and Views, the killer feature competitors don't have.&lt;/p&gt;&lt;p&gt;Built with Qt %2.&lt;/p&gt;</source>
            <translation>&lt;h3&gt;Tindlebrook Calendar&lt;/h3&gt;&lt;p&gt;Version %1&lt;/p&gt;&lt;p&gt;Un calendrier pensé pour CalDAV, avec des filtres et des groupes de calendriers côté client — ce que les autres n’ont pas.&lt;/p&gt;&lt;p&gt;Conçu avec Qt %2.&lt;/p&gt;</translation>
        </message>
        <message>
            <source>Detached &amp;Agenda Window</source>
            <translation>Fenêtre d’&amp;agenda séparée</translation>
        </message>
        <message>
            <source>Detached &amp;Tasks Window</source>
            <translation>Fenêtre des &amp;tâches séparée</translation>
        </message>
        <message>
            <source>Detached &amp;Reminders Window</source>
            <translation>Fenêtre des &amp;rappels séparée</translation>
        </message>
        <message>
            <source>Force full sync?</source>
            <translation>Forcer une synchronisation complète ?</translation>
        </message>
        <message>
            <source>Re-fetch every event and task from every account, ignoring saved sync tokens. Useful when items look stale or out of date.

Any unsynced local edits will be discarded in favour of the server's copy. Pending deletions are preserved.

Heavy accounts may take a minute or two and use more bandwidth than usual.</source>
            <translation>Récupère à nouveau tous les événements et tâches de tous les comptes, sans les jetons de synchronisation enregistrés. Utile si des éléments semblent périmés.

Les modifications locales non synchronisées seront remplacées par la copie du serveur. Les suppressions en attente sont conservées.

Les comptes volumineux peuvent prendre une ou deux minutes et consommer plus de données que d’habitude.</translation>
        </message>
        <message numerus="yes">
            <source>Discovered %n new calendar(s).</source>
            <translation>
                <numerusform>%n nouveau calendrier trouvé.</numerusform>
                <numerusform>%n nouveaux calendriers trouvés.</numerusform>
            </translation>
        </message>
        <message>
            <source>Syncing %1 account(s)…</source>
            <translation>Synchronisation de %1 compte(s)…</translation>
        </message>
        <message>
            <source>All caught up, nothing waiting to sync.</source>
            <translation>Tout est à jour, rien à synchroniser.</translation>
        </message>
        <message>
            <source>No sync accounts configured. Add one in Calendar Accounts.</source>
            <translation>Aucun compte de synchronisation configuré. Ajoutez-en un dans Comptes de calendrier.</translation>
        </message>
        <message>
            <source>Synced %1 events</source>
            <translation>%1 événements synchronisés</translation>
        </message>
        <message numerus="yes">
            <source>Cleared %n calendar sync token(s), running full sync…</source>
            <translation>
                <numerusform>%n jeton de synchronisation de calendrier effacé, synchronisation complète en cours…</numerusform>
                <numerusform>%n jetons de synchronisation de calendrier effacés, synchronisation complète en cours…</numerusform>
            </translation>
        </message>
        <message>
            <source>Signed in to Tindlebrook</source>
            <translation>Connecté à Tindlebrook</translation>
        </message>
        <message>
            <source>Signed out of Tindlebrook</source>
            <translation>Déconnecté de Tindlebrook</translation>
        </message>
        <message>
            <source>The feedback page</source>
            <translation>La page de commentaires</translation>
        </message>
    </context>
    <context>
        <name>ManageFiltersDialog</name>
        <message>
            <source>Pattern</source>
            <translation>Motif</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>Heure</translation>
        </message>
        <message>
            <source>Specific</source>
            <translation>Précis</translation>
        </message>
        <message>
            <source>All-day</source>
            <translation>Toute la journée</translation>
        </message>
        <message>
            <source>Hide</source>
            <translation>Masquer</translation>
        </message>
        <message>
            <source>Dim</source>
            <translation>Estomper</translation>
        </message>
        <message>
            <source>Manage Filters</source>
            <translation>Gérer les filtres</translation>
        </message>
        <message>
            <source>%1   ·   %2 → %3</source>
            <translation>%1   ·   %2 → %3</translation>
        </message>
        <message>
            <source>Filters</source>
            <translation>Filtres</translation>
        </message>
        <message>
            <source>Toggle the checkbox to enable / disable a filter. Drag a row to change priority (top of the list applies first). Use Edit to change conditions or Delete to remove it.</source>
            <translation>Cochez la case pour activer ou désactiver un filtre. Faites glisser une ligne pour changer la priorité (le haut de la liste s’applique en premier). Utilisez Modifier pour changer les conditions ou Supprimer pour le retirer.</translation>
        </message>
        <message>
            <source>Add filter…</source>
            <translation>Ajouter un filtre…</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>Modifier…</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Supprimer</translation>
        </message>
        <message>
            <source>(no filters yet)</source>
            <translation>(aucun filtre pour l’instant)</translation>
        </message>
        <message>
            <source>Delete filter?</source>
            <translation>Supprimer le filtre ?</translation>
        </message>
        <message>
            <source>Delete "%1"? You can recreate it later.</source>
            <translation>Supprimer « %1 » ? Vous pourrez le recréer plus tard.</translation>
        </message>
        <message>
            <source>Could not delete the filter.</source>
            <translation>Impossible de supprimer le filtre.</translation>
        </message>
        <message>
            <source>Could not save the filter.</source>
            <translation>Impossible d’enregistrer le filtre.</translation>
        </message>
        <message>
            <source>Could not save the order of the filters.</source>
            <translation>Impossible d’enregistrer l’ordre des filtres.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Erreur de base de données</translation>
        </message>
    </context>
    <context>
        <name>ManageSourcesDialog</name>
        <message>
            <source>Calendar Accounts</source>
            <translation>Comptes de calendrier</translation>
        </message>
        <message>
            <source>Done</source>
            <translation>Terminé</translation>
        </message>
        <message>
            <source>No accounts yet. Click "Add Account" below to get started.</source>
            <translation>Aucun compte pour l’instant. Cliquez sur « Ajouter un compte » ci-dessous pour commencer.</translation>
        </message>
        <message>
            <source>Tindlebrook account ready</source>
            <translation>Compte Tindlebrook prêt</translation>
        </message>
        <message>
            <source>You're signed in to Tindlebrook. Existing local calendars can be upgraded from each calendar's row.</source>
            <translation>Vous êtes connecté à Tindlebrook. Les calendriers locaux existants peuvent être transférés depuis la ligne de chaque calendrier.</translation>
        </message>
        <message>
            <source>Couldn't prepare calendar</source>
            <translation>Impossible de préparer le calendrier</translation>
        </message>
        <message>
            <source>  Add Account</source>
            <translation>  Ajouter un compte</translation>
        </message>
        <message>
            <source>Local Calendar…</source>
            <translation>Calendrier local…</translation>
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
            <translation>Serveur CalDAV…</translation>
        </message>
        <message>
            <source>Subscription (ICS URL)…</source>
            <translation>Abonnement (URL ICS)…</translation>
        </message>
        <message>
            <source>Holiday Calendars…</source>
            <translation>Calendriers des jours fériés…</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Erreur de base de données</translation>
        </message>
        <message>
            <source>The account row this sign-in was bound to no longer exists.</source>
            <translation>Le compte auquel cette connexion était liée n’existe plus.</translation>
        </message>
        <message>
            <source>Could not save the Google account row.</source>
            <translation>Impossible d’enregistrer l’entrée du compte Google.</translation>
        </message>
        <message>
            <source>Google</source>
            <translation>Google</translation>
        </message>
        <message>
            <source>Google sign-in failed</source>
            <translation>Échec de la connexion à Google</translation>
        </message>
        <message>
            <source>Importing calendars from Google…</source>
            <translation>Importation des calendriers depuis Google…</translation>
        </message>
        <message>
            <source>Google import failed</source>
            <translation>Échec de l’importation depuis Google</translation>
        </message>
        <message>
            <source>No calendars</source>
            <translation>Aucun calendrier</translation>
        </message>
        <message>
            <source>Google reports no calendars on this account.</source>
            <translation>Google n’indique aucun calendrier sur ce compte.</translation>
        </message>
        <message>
            <source>The Google sign-in could not be saved to the secret store.</source>
            <translation>La connexion Google n’a pas pu être enregistrée dans le trousseau.</translation>
        </message>
        <message>
            <source>Remove account?</source>
            <translation>Supprimer le compte ?</translation>
        </message>
        <message>
            <source>Remove "%1" and its %2 calendar(s)? Events from this account will be deleted from this device. Server data (if any) is left untouched.</source>
            <translation>Supprimer « %1 » et ses %2 calendrier(s) ? Les événements de ce compte seront supprimés de cet appareil. Les données du serveur (le cas échéant) restent intactes.</translation>
        </message>
        <message>
            <source>Could not delete on server</source>
            <translation>Impossible de supprimer sur le serveur</translation>
        </message>
        <message>
            <source>"%1" could not be deleted on the server: %2.

The calendar still exists on the server. It has been disabled and will not sync. Re-enable it from the checkbox if you want it back.</source>
            <translation>« %1 » n’a pas pu être supprimé sur le serveur : %2.

Le calendrier existe toujours sur le serveur. Il a été désactivé et ne sera pas synchronisé. Réactivez-le avec la case à cocher si vous voulez le récupérer.</translation>
        </message>
        <message>
            <source>Delete "%1" and all of its events?</source>
            <translation>Supprimer « %1 » et tous ses événements ?</translation>
        </message>
        <message numerus="yes">
            <source>This calendar contains %n event(s).</source>
            <translation>
                <numerusform>Ce calendrier contient %n événement.</numerusform>
                <numerusform>Ce calendrier contient %n événements.</numerusform>
            </translation>
        </message>
        <message>
            <source>This will delete the calendar from the CalDAV server for everyone with access.</source>
            <translation>Le calendrier sera supprimé du serveur CalDAV pour tous ceux qui y ont accès.</translation>
        </message>
        <message>
            <source>Delete Calendar?</source>
            <translation>Supprimer le calendrier ?</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Supprimer</translation>
        </message>
        <message>
            <source>Are you sure?</source>
            <translation>Êtes-vous sûr ?</translation>
        </message>
        <message>
            <source>Type DELETE to permanently delete "%1". This cannot be undone.</source>
            <translation>Saisissez DELETE pour supprimer définitivement « %1 ». Cette action est irréversible.</translation>
        </message>
        <message>
            <source>Type DELETE</source>
            <translation>Saisissez DELETE</translation>
        </message>
        <message>
            <source>Delete Permanently</source>
            <translation>Supprimer définitivement</translation>
        </message>
        <message>
            <source>Missing password</source>
            <translation>Mot de passe manquant</translation>
        </message>
        <message>
            <source>No saved password for this account.</source>
            <translation>Aucun mot de passe enregistré pour ce compte.</translation>
        </message>
        <message>
            <source>Refresh complete</source>
            <translation>Actualisation terminée</translation>
        </message>
        <message>
            <source>No new calendars found.</source>
            <translation>Aucun nouveau calendrier trouvé.</translation>
        </message>
        <message numerus="yes">
            <source>Found %n new calendar(s).</source>
            <translation>
                <numerusform>%n nouveau calendrier trouvé.</numerusform>
                <numerusform>%n nouveaux calendriers trouvés.</numerusform>
            </translation>
        </message>
        <message>
            <source>Refresh failed</source>
            <translation>Échec de l’actualisation</translation>
        </message>
        <message>
            <source>Share Calendar</source>
            <translation>Partager le calendrier</translation>
        </message>
        <message>
            <source>Sharing: %1</source>
            <translation>Partage : %1</translation>
        </message>
        <message>
            <source>People you share with see the same events and changes you do. Sharing doesn't merge calendars; they keep their own calendar list.</source>
            <translation>Les personnes avec qui vous partagez voient les mêmes événements et modifications que vous. Le partage ne fusionne pas les calendriers ; chacun garde sa propre liste de calendriers.</translation>
        </message>
        <message>
            <source>Shared with</source>
            <translation>Partagé avec</translation>
        </message>
        <message>
            <source>Add people</source>
            <translation>Ajouter des personnes</translation>
        </message>
        <message>
            <source>Not shared with anyone yet.</source>
            <translation>Partagé avec personne pour l’instant.</translation>
        </message>
        <message>
            <source>Add family members or teammates to your Tindlebrook group first, then come back here to share calendars with them.</source>
            <translation>Ajoutez d’abord des membres de votre famille ou de votre équipe à votre groupe Tindlebrook, puis revenez ici pour partager des calendriers avec eux.</translation>
        </message>
        <message>
            <source>Everyone in your group already has access</source>
            <translation>Tous les membres de votre groupe ont déjà accès</translation>
        </message>
        <message>
            <source>Share</source>
            <translation>Partager</translation>
        </message>
        <message>
            <source>Remove access</source>
            <translation>Retirer l’accès</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Fermer</translation>
        </message>
        <message>
            <source>Couldn't share calendar</source>
            <translation>Impossible de partager le calendrier</translation>
        </message>
        <message>
            <source>Couldn't remove person</source>
            <translation>Impossible de retirer la personne</translation>
        </message>
        <message>
            <source>Stop sharing?</source>
            <translation>Arrêter le partage ?</translation>
        </message>
        <message>
            <source>%1 will no longer see this calendar's events on any of their devices. Continue?</source>
            <translation>%1 ne verra plus les événements de ce calendrier sur aucun de ses appareils. Continuer ?</translation>
        </message>
        <message>
            <source>Microsoft Account</source>
            <translation>Compte Microsoft</translation>
        </message>
        <message>
            <source>Could not save the Microsoft account row.</source>
            <translation>Impossible d’enregistrer l’entrée du compte Microsoft.</translation>
        </message>
        <message>
            <source>Microsoft</source>
            <translation>Microsoft</translation>
        </message>
        <message>
            <source>Importing calendars from Microsoft…</source>
            <translation>Importation des calendriers depuis Microsoft…</translation>
        </message>
        <message>
            <source>Microsoft sign-in failed</source>
            <translation>Échec de la connexion à Microsoft</translation>
        </message>
        <message>
            <source>Microsoft import failed</source>
            <translation>Échec de l’importation depuis Microsoft</translation>
        </message>
        <message>
            <source>Microsoft reports no calendars on this account.</source>
            <translation>Microsoft n’indique aucun calendrier sur ce compte.</translation>
        </message>
        <message>
            <source>The Microsoft sign-in could not be saved to the secret store.</source>
            <translation>La connexion Microsoft n’a pas pu être enregistrée dans le trousseau.</translation>
        </message>
        <message>
            <source>These calendars could not be saved: %1</source>
            <translation>Impossible d’enregistrer ces calendriers : %1</translation>
        </message>
        <message>
            <source>Could not hide the calendar.</source>
            <translation>Impossible de masquer le calendrier.</translation>
        </message>
        <message>
            <source>Could not make the calendar the default.</source>
            <translation>Impossible de définir ce calendrier par défaut.</translation>
        </message>
        <message>
            <source>Could not remove the calendar from this computer.</source>
            <translation>Impossible de retirer le calendrier de cet ordinateur.</translation>
        </message>
        <message>
            <source>Could not save the account.</source>
            <translation>Impossible d’enregistrer le compte.</translation>
        </message>
        <message>
            <source>Could not save the calendar.</source>
            <translation>Impossible d’enregistrer le calendrier.</translation>
        </message>
        <message>
            <source>Could not save the order of the accounts.</source>
            <translation>Impossible d’enregistrer l’ordre des comptes.</translation>
        </message>
    </context>
    <context>
        <name>ManageTemplatesDialog</name>
        <message>
            <source>Event Templates</source>
            <translation>Modèles d’événement</translation>
        </message>
        <message>
            <source>Templates pre-fill the new-event form. Double-click to edit.</source>
            <translation>Les modèles préremplissent le formulaire de nouvel événement. Double-cliquez pour modifier.</translation>
        </message>
        <message>
            <source>Add…</source>
            <translation>Ajouter…</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>Modifier…</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Supprimer</translation>
        </message>
        <message>
            <source>(no title)</source>
            <translation>(sans titre)</translation>
        </message>
        <message>
            <source>%1: %2</source>
            <translation>%1 : %2</translation>
        </message>
        <message>
            <source>Delete template?</source>
            <translation>Supprimer le modèle ?</translation>
        </message>
        <message>
            <source>Delete the template "%1"? Events already created from it are unaffected.</source>
            <translation>Supprimer le modèle « %1 » ? Les événements déjà créés avec lui ne sont pas modifiés.</translation>
        </message>
        <message>
            <source>Could not delete the template.</source>
            <translation>Impossible de supprimer le modèle.</translation>
        </message>
        <message>
            <source>Could not save the template.</source>
            <translation>Impossible d’enregistrer le modèle.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Erreur de base de données</translation>
        </message>
    </context>
    <context>
        <name>ManageViewsDialog</name>
        <message>
            <source>Manage Calendar Groups</source>
            <translation>Gérer les groupes de calendriers</translation>
        </message>
        <message>
            <source>Calendar Groups</source>
            <translation>Groupes de calendriers</translation>
        </message>
        <message>
            <source>Drag a row to change the order groups appear in the picker. Use Edit to change which calendars a group includes, or Delete to remove a group.</source>
            <translation>Faites glisser une ligne pour changer l’ordre des groupes dans le sélecteur. Utilisez Modifier pour choisir les calendriers d’un groupe, ou Supprimer pour le retirer.</translation>
        </message>
        <message>
            <source>Add group…</source>
            <translation>Ajouter un groupe…</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>Modifier…</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Supprimer</translation>
        </message>
        <message>
            <source>(no groups yet)</source>
            <translation>(aucun groupe pour l’instant)</translation>
        </message>
        <message>
            <source>Built-in group</source>
            <translation>Groupe intégré</translation>
        </message>
        <message>
            <source>"All Calendars" is the fallback group. It can be renamed but not deleted.</source>
            <translation>« Tous les calendriers » est le groupe par défaut. Il peut être renommé mais pas supprimé.</translation>
        </message>
        <message>
            <source>Delete group?</source>
            <translation>Supprimer le groupe ?</translation>
        </message>
        <message>
            <source>Delete "%1"? You can recreate it later.</source>
            <translation>Supprimer « %1 » ? Vous pourrez le recréer plus tard.</translation>
        </message>
        <message>
            <source>Could not delete the group.</source>
            <translation>Impossible de supprimer le groupe.</translation>
        </message>
        <message>
            <source>Could not save the order of the groups.</source>
            <translation>Impossible d’enregistrer l’ordre des groupes.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Erreur de base de données</translation>
        </message>
    </context>
    <context>
        <name>Microsoft</name>
        <message numerus="yes">
            <source>Microsoft did not answer within %n second(s).</source>
            <translation>
                <numerusform>Microsoft n’a pas répondu dans la %n seconde.</numerusform>
                <numerusform>Microsoft n’a pas répondu dans les %n secondes.</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>Microsoft::AccountImport</name>
        <message>
            <source>The Microsoft account could not be saved.</source>
            <translation>Le compte Microsoft n’a pas pu être enregistré.</translation>
        </message>
        <message>
            <source>The Microsoft sign-in could not be kept in the system's credential store.</source>
            <translation>La connexion Microsoft n’a pas pu être conservée dans le trousseau du système.</translation>
        </message>
        <message>
            <source>The calendars of the Microsoft account could not be saved.</source>
            <translation>Les calendriers du compte Microsoft n’ont pas pu être enregistrés.</translation>
        </message>
    </context>
    <context>
        <name>Microsoft::AuthService</name>
        <message>
            <source>Microsoft OAuth credentials are not configured in this build. See .env.example.</source>
            <translation>Les identifiants OAuth Microsoft ne sont pas configurés dans cette version. Voir .env.example.</translation>
        </message>
        <message>
            <source>Microsoft sign-in timed out. Please try again.</source>
            <translation>La connexion à Microsoft a expiré. Veuillez réessayer.</translation>
        </message>
        <message>
            <source>Sign-in cancelled.</source>
            <translation>Connexion annulée.</translation>
        </message>
        <message>
            <source>The Microsoft sign-in link was opened twice, so the sign-in was stopped for safety. Please sign in again.</source>
            <translation>Le lien de connexion Microsoft a été ouvert deux fois : la connexion a été arrêtée par sécurité. Reconnectez-vous.</translation>
        </message>
        <message>
            <source>Could not bind a local port for the Microsoft sign-in callback: %1</source>
            <translation>Impossible d’ouvrir un port local pour le retour de connexion Microsoft : %1</translation>
        </message>
        <message>
            <source>Could not launch the system browser for Microsoft sign-in.</source>
            <translation>Impossible d’ouvrir le navigateur pour la connexion Microsoft.</translation>
        </message>
        <message>
            <source>Microsoft denied the sign-in: %1</source>
            <translation>Microsoft a refusé la connexion : %1</translation>
        </message>
        <message>
            <source>Sign-in state mismatch. The redirect didn't match our request; please try again.</source>
            <translation>L’état de connexion ne correspond pas à la demande ; veuillez réessayer.</translation>
        </message>
        <message>
            <source>Microsoft did not return an authorization code.</source>
            <translation>Microsoft n’a pas renvoyé de code d’autorisation.</translation>
        </message>
        <message>
            <source>Token exchange failed (HTTP %1): %2</source>
            <translation>Échec de l’échange de jeton (HTTP %1) : %2</translation>
        </message>
        <message>
            <source>Token exchange failed (HTTP %1).</source>
            <translation>Échec de l’échange de jeton (HTTP %1).</translation>
        </message>
        <message>
            <source>Microsoft did not return an access token.</source>
            <translation>Microsoft n’a pas renvoyé de jeton d’accès.</translation>
        </message>
        <message>
            <source>Microsoft did not return a refresh token. Verify offline_access is in the scopes configured for this app.</source>
            <translation>Microsoft n’a pas renvoyé de jeton d’actualisation. Vérifiez que offline_access figure dans les portées configurées pour cette application.</translation>
        </message>
        <message>
            <source>Microsoft OAuth credentials are not configured.</source>
            <translation>Les identifiants OAuth Microsoft ne sont pas configurés.</translation>
        </message>
        <message>
            <source>Token refresh failed (HTTP %1): %2</source>
            <translation>Échec de l’actualisation du jeton (HTTP %1) : %2</translation>
        </message>
        <message>
            <source>Token refresh failed (HTTP %1).</source>
            <translation>Échec de l’actualisation du jeton (HTTP %1).</translation>
        </message>
        <message>
            <source>Microsoft's response had no access_token.</source>
            <translation>La réponse de Microsoft ne contenait pas d’access_token.</translation>
        </message>
        <message>
            <source>Microsoft's response had an expires_in that could not be used.</source>
            <translation>La réponse de Microsoft contenait un expires_in inutilisable.</translation>
        </message>
    </context>
    <context>
        <name>Microsoft::CalendarClient</name>
        <message>
            <source>No Microsoft access token available.</source>
            <translation>Aucun jeton d’accès Microsoft disponible.</translation>
        </message>
        <message>
            <source>Microsoft rejected /me/calendars (HTTP %1): %2</source>
            <translation>Microsoft a refusé /me/calendars (HTTP %1) : %2</translation>
        </message>
        <message>
            <source>Microsoft's calendar list did not end properly after %1 pages.</source>
            <translation>La liste des calendriers Microsoft ne s’est pas terminée correctement après %1 pages.</translation>
        </message>
        <message>
            <source>Microsoft rejected /me/calendar (HTTP %1): %2</source>
            <translation>Microsoft a refusé /me/calendar (HTTP %1) : %2</translation>
        </message>
        <message>
            <source>Microsoft rejected events list (HTTP %1): %2</source>
            <translation>Microsoft a refusé la liste des événements (HTTP %1) : %2</translation>
        </message>
        <message>
            <source>Microsoft's event list did not end properly after %1 pages.</source>
            <translation>La liste des événements Microsoft ne s’est pas terminée correctement après %1 pages.</translation>
        </message>
        <message>
            <source>Microsoft's answer to the events list (page %1) is not JSON.</source>
            <translation>La réponse de Microsoft à la liste des événements (page %1) n’est pas du JSON.</translation>
        </message>
        <message>
            <source>No Microsoft access token.</source>
            <translation>Aucun jeton d’accès Microsoft.</translation>
        </message>
        <message>
            <source>Microsoft rejected events.insert: %1</source>
            <translation>Microsoft a refusé events.insert : %1</translation>
        </message>
        <message>
            <source>Microsoft rejected events.update: %1</source>
            <translation>Microsoft a refusé events.update : %1</translation>
        </message>
        <message>
            <source>Microsoft rejected events.delete: %1</source>
            <translation>Microsoft a refusé events.delete : %1</translation>
        </message>
        <message>
            <source>Microsoft rejected events.get: %1</source>
            <translation>Microsoft a refusé events.get : %1</translation>
        </message>
        <message>
            <source>Microsoft rejected events.%1: %2</source>
            <translation>Microsoft a refusé events.%1 : %2</translation>
        </message>
    </context>
    <context>
        <name>Microsoft::PushRun</name>
        <message>
            <source>"%1" was changed in Outlook and could not be saved there: %2</source>
            <translation>« %1 » a été modifié dans Outlook et n’a pas pu y être enregistré : %2</translation>
        </message>
        <message>
            <source>"%1" was changed in Outlook too; the %2 set here was kept.</source>
            <translation>« %1 » a aussi été modifié dans Outlook ; ce qui a été fixé ici est conservé : %2.</translation>
        </message>
    </context>
    <context>
        <name>Microsoft::SyncClient</name>
        <message>
            <source>Parent account missing</source>
            <translation>Compte parent manquant</translation>
        </message>
        <message>
            <source>No saved Microsoft credentials. Sign in again.</source>
            <translation>Aucun identifiant Microsoft enregistré. Reconnectez-vous.</translation>
        </message>
        <message>
            <source>Microsoft token refresh failed: %1</source>
            <translation>Échec de l’actualisation du jeton Microsoft : %1</translation>
        </message>
        <message>
            <source>Microsoft refused the listing of %1 (HTTP 410).</source>
            <translation>Microsoft a refusé la liste de %1 (HTTP 410).</translation>
        </message>
        <message numerus="yes">
            <source>%n event(s) failed to save locally; will retry next sync.</source>
            <translation>
                <numerusform>%n événement n’a pas pu être enregistré localement ; nouvel essai à la prochaine synchronisation.</numerusform>
                <numerusform>%n événements n’ont pas pu être enregistrés localement ; nouvel essai à la prochaine synchronisation.</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n recurring series could not be read from Microsoft; will retry next sync.</source>
            <translation>
                <numerusform>%n série récurrente n’a pas pu être lue depuis Microsoft ; nouvel essai à la prochaine synchronisation.</numerusform>
                <numerusform>%n séries récurrentes n’ont pas pu être lues depuis Microsoft ; nouvel essai à la prochaine synchronisation.</numerusform>
            </translation>
        </message>
        <message>
            <source>Microsoft no longer accepts the saved sign-in. Sign in again.</source>
            <translation>Microsoft n’accepte plus la connexion enregistrée. Reconnectez-vous.</translation>
        </message>
        <message>
            <source>The renewed Microsoft sign-in could not be saved to the secret store.</source>
            <translation>La connexion Microsoft renouvelée n’a pas pu être enregistrée dans le trousseau.</translation>
        </message>
    </context>
    <context>
        <name>MonthGridWidget</name>
        <message>
            <source>+%1 more</source>
            <translation>+%1 de plus</translation>
        </message>
    </context>
    <context>
        <name>Net</name>
        <message>
            <source>%1 did not finish its answer within %2 seconds.</source>
            <translation>%1 n'a pas terminé sa réponse en %2 secondes.</translation>
        </message>
        <message>
            <source>The answer from %1 is larger than %2.</source>
            <translation>La réponse de %1 dépasse %2.</translation>
        </message>
    </context>
    <context>
        <name>NotificationService</name>
        <message>
            <source>Starting now (%1)</source>
            <translation>Commence maintenant (%1)</translation>
        </message>
        <message>
            <source>In %1 minutes (%2)</source>
            <translation>Dans %1 minutes (%2)</translation>
        </message>
        <message>
            <source>In %1h (%2)</source>
            <translation>Dans %1 h (%2)</translation>
        </message>
        <message>
            <source>Tomorrow at %1</source>
            <translation>Demain à %1</translation>
        </message>
        <message>
            <source>Reminder</source>
            <translation>Rappel</translation>
        </message>
        <message>
            <source>Due soon</source>
            <translation>Échéance proche</translation>
        </message>
        <message>
            <source>Due today</source>
            <translation>Échéance aujourd’hui</translation>
        </message>
        <message>
            <source>Due soon (%1)</source>
            <translation>Échéance proche (%1)</translation>
        </message>
        <message>
            <source>Due now (%1)</source>
            <translation>Échéance maintenant (%1)</translation>
        </message>
        <message>
            <source>Test reminder</source>
            <translation>Rappel de test</translation>
        </message>
        <message>
            <source>If you can see this, your desktop notifications are wired up correctly. Real reminders look just like this one.</source>
            <translation>Si vous voyez ceci, les notifications du bureau fonctionnent. Les vrais rappels ressemblent à celui-ci.</translation>
        </message>
    </context>
    <context>
        <name>OAuth</name>
        <message>
            <source>The service answered HTTP %1.</source>
            <translation>Le service a répondu HTTP %1.</translation>
        </message>
    </context>
    <context>
        <name>OAuth::PendingPush</name>
        <message>
            <source>title</source>
            <translation>titre</translation>
        </message>
        <message>
            <source>description</source>
            <translation>descriptif</translation>
        </message>
        <message>
            <source>location</source>
            <translation>lieu</translation>
        </message>
        <message>
            <source>status</source>
            <translation>statut</translation>
        </message>
        <message>
            <source>repetition</source>
            <translation>répétition</translation>
        </message>
        <message>
            <source>time</source>
            <translation>heure</translation>
        </message>
        <message numerus="yes">
            <source>%n pushed event(s) could not be saved here and will be sent again: %1</source>
            <translation>
                <numerusform>%n événement envoyé n'a pas pu être enregistré ici et sera renvoyé : %1</numerusform>
                <numerusform>%n événements envoyés n'ont pas pu être enregistrés ici et seront renvoyés : %1</numerusform>
            </translation>
        </message>
        <message>
            <source>The new state of "%1" could not be saved here; it is tried again at the next sync.</source>
            <translation>Le nouvel état de « %1 » n'a pas pu être enregistré ici ; nouvel essai à la prochaine synchronisation.</translation>
        </message>
        <message>
            <source>"%1" is deleted at a later sync: what was changed in it elsewhere could not be read: %2</source>
            <translation>« %1 » sera supprimé lors d'une prochaine synchronisation : ce qui y a été modifié ailleurs n'a pas pu être lu : %2</translation>
        </message>
    </context>
    <context>
        <name>OAuthProgressDialog</name>
        <message>
            <source>Sign in to %1</source>
            <translation>Se connecter à %1</translation>
        </message>
        <message>
            <source>Continue sign-in in your browser</source>
            <translation>Poursuivez la connexion dans votre navigateur</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar opened your default browser to sign in to %1. Once you finish there, the app will pick up automatically.

If your browser didn't open, or you closed the tab by mistake, click Cancel and try again.</source>
            <translation>Tindlebrook Calendar a ouvert votre navigateur par défaut pour la connexion à %1. Une fois terminé, l’application prendra automatiquement le relais.

Si le navigateur ne s’est pas ouvert ou si vous avez fermé l’onglet par erreur, cliquez sur Annuler et réessayez.</translation>
        </message>
    </context>
    <context>
        <name>PdfExportDialog</name>
        <message>
            <source>Save Agenda PDF</source>
            <translation>Enregistrer l’agenda en PDF</translation>
        </message>
        <message>
            <source>PDF Documents (*.pdf)</source>
            <translation>Documents PDF (*.pdf)</translation>
        </message>
        <message>
            <source>Export Agenda PDF</source>
            <translation>Exporter l’agenda en PDF</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — Agenda</source>
            <translation>Tindlebrook Calendar — Agenda</translation>
        </message>
        <message>
            <source>&amp;Title:</source>
            <translation>&amp;Titre :</translation>
        </message>
        <message>
            <source>&amp;From:</source>
            <translation>&amp;Du :</translation>
        </message>
        <message>
            <source>T&amp;o:</source>
            <translation>&amp;Au :</translation>
        </message>
        <message>
            <source>Events use the active View's calendars, filtered through your current filter rules — the PDF mirrors what's on screen.</source>
            <translation>Les événements proviennent des calendriers de la vue active, filtrés selon vos règles de filtre actuelles — le PDF reflète ce qui est à l’écran.</translation>
        </message>
        <message>
            <source>Save PDF…</source>
            <translation>Enregistrer le PDF…</translation>
        </message>
        <message>
            <source>Range invalid</source>
            <translation>Période non valide</translation>
        </message>
        <message>
            <source>The end date is before the start date.</source>
            <translation>La date de fin précède la date de début.</translation>
        </message>
        <message>
            <source>Export failed</source>
            <translation>Échec de l’exportation</translation>
        </message>
        <message>
            <source>Could not write %1: %2
Nothing was exported.</source>
            <translation>Impossible d’écrire %1 : %2
Rien n’a été exporté.</translation>
        </message>
        <message>
            <source>Exported</source>
            <translation>Exporté</translation>
        </message>
        <message>
            <source>Wrote %1 event(s) to %2.</source>
            <translation>%1 événement(s) écrit(s) dans %2.</translation>
        </message>
        <message>
            <source>the PDF could not be drawn</source>
            <translation>le PDF n’a pas pu être généré</translation>
        </message>
    </context>
    <context>
        <name>QObject</name>
        <message>
            <source>Repeats daily</source>
            <translation>Tous les jours</translation>
        </message>
        <message>
            <source>Every %1 days</source>
            <translation>Tous les %1 jours</translation>
        </message>
        <message>
            <source>Repeats weekly</source>
            <translation>Toutes les semaines</translation>
        </message>
        <message>
            <source>Every %1 weeks</source>
            <translation>Toutes les %1 semaines</translation>
        </message>
        <message>
            <source>Repeats monthly</source>
            <translation>Tous les mois</translation>
        </message>
        <message>
            <source>Every %1 months</source>
            <translation>Tous les %1 mois</translation>
        </message>
        <message>
            <source>Repeats yearly</source>
            <translation>Tous les ans</translation>
        </message>
        <message>
            <source>Every %1 years</source>
            <translation>Tous les %1 ans</translation>
        </message>
        <message>
            <source>Repeats</source>
            <translation>Se répète</translation>
        </message>
        <message>
            <source>in %1</source>
            <translation>en %1</translation>
        </message>
        <message>
            <source>%1 day</source>
            <translation>%1 jour</translation>
        </message>
        <message>
            <source>on the %1</source>
            <translation>le %1</translation>
        </message>
        <message>
            <source>on the %1 %2 of the year</source>
            <translation>le %1 %2 de l’année</translation>
        </message>
        <message>
            <source>on the %1 %2</source>
            <translation>le %1 %2</translation>
        </message>
        <message>
            <source>on the %1 of the year</source>
            <translation>le %1 de l’année</translation>
        </message>
        <message>
            <source>weekday</source>
            <translation>jour de semaine</translation>
        </message>
        <message>
            <source>weekend day</source>
            <translation>jour de week-end</translation>
        </message>
        <message>
            <source>day</source>
            <translation>jour</translation>
        </message>
        <message>
            <source>in every month</source>
            <translation>chaque mois</translation>
        </message>
        <message>
            <source>%1 if it falls on %2</source>
            <translation>%1 s’il tombe un %2</translation>
        </message>
        <message>
            <source>only the %1 of these</source>
            <translation>seulement le %1 d’entre eux</translation>
        </message>
        <message numerus="yes">
            <source>%n time(s)</source>
            <translation>
                <numerusform>%n fois</numerusform>
                <numerusform>%n fois</numerusform>
            </translation>
        </message>
        <message>
            <source>until %1</source>
            <translation>jusqu’au %1</translation>
        </message>
        <message>
            <source>At time of event</source>
            <translation>À l’heure de l’événement</translation>
        </message>
        <message>
            <source>%1 min before</source>
            <translation>%1 min avant</translation>
        </message>
        <message>
            <source>%1 hour(s) before</source>
            <translation>%1 h avant</translation>
        </message>
        <message>
            <source>%1 day(s) before</source>
            <translation>%1 jour(s) avant</translation>
        </message>
        <message>
            <source>%1th</source>
            <translation>%1</translation>
        </message>
        <message>
            <source>%1st</source>
            <translation>%1er</translation>
        </message>
        <message>
            <source>%1nd</source>
            <translation>%1</translation>
        </message>
        <message>
            <source>%1rd</source>
            <translation>%1</translation>
        </message>
        <message>
            <source>second-to-last</source>
            <translation>avant-dernier</translation>
        </message>
        <message>
            <source>last</source>
            <translation>dernier</translation>
        </message>
        <message>
            <source>first</source>
            <translation>premier</translation>
        </message>
        <message>
            <source>second</source>
            <translation>deuxième</translation>
        </message>
        <message>
            <source>third</source>
            <translation>troisième</translation>
        </message>
        <message>
            <source>fourth</source>
            <translation>quatrième</translation>
        </message>
        <message>
            <source>fifth</source>
            <translation>cinquième</translation>
        </message>
        <message>
            <source>%1-from-last</source>
            <translation>%1 avant la fin</translation>
        </message>
        <message>
            <source>5 minutes before</source>
            <translation>5 minutes avant</translation>
        </message>
        <message>
            <source>10 minutes before</source>
            <translation>10 minutes avant</translation>
        </message>
        <message>
            <source>15 minutes before</source>
            <translation>15 minutes avant</translation>
        </message>
        <message>
            <source>30 minutes before</source>
            <translation>30 minutes avant</translation>
        </message>
        <message>
            <source>1 hour before</source>
            <translation>1 heure avant</translation>
        </message>
        <message>
            <source>2 hours before</source>
            <translation>2 heures avant</translation>
        </message>
        <message>
            <source>1 day before</source>
            <translation>1 jour avant</translation>
        </message>
        <message>
            <source>2 days before</source>
            <translation>2 jours avant</translation>
        </message>
        <message>
            <source>1 week before</source>
            <translation>1 semaine avant</translation>
        </message>
        <message>
            <source>%1 days before</source>
            <translation>%1 jours avant</translation>
        </message>
        <message>
            <source>%1 hours before</source>
            <translation>%1 heures avant</translation>
        </message>
        <message>
            <source>%1 minutes before</source>
            <translation>%1 minutes avant</translation>
        </message>
        <message>
            <source>Calendar Subscriptions</source>
            <translation>Abonnements de calendrier</translation>
        </message>
        <message>
            <source>New Subscription</source>
            <translation>Nouvel abonnement</translation>
        </message>
    </context>
    <context>
        <name>QuickAddDialog</name>
        <message>
            <source>Quick Add</source>
            <translation>Ajout rapide</translation>
        </message>
        <message>
            <source>Type an event or reminder in plain English.</source>
            <translation>Saisissez un événement ou un rappel en anglais simple.</translation>
        </message>
        <message>
            <source>e.g. "lunch Thursday 1pm"</source>
            <translation>p. ex. « lunch Thursday 1pm »</translation>
        </message>
        <message>
            <source>Reminder</source>
            <translation>Rappel</translation>
        </message>
        <message>
            <source>To-do</source>
            <translation>Tâche</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Événement</translation>
        </message>
        <message>
            <source>No due date</source>
            <translation>Sans échéance</translation>
        </message>
        <message>
            <source>All-day</source>
            <translation>Toute la journée</translation>
        </message>
        <message>
            <source>Couldn't save event</source>
            <translation>Impossible d’enregistrer l’événement</translation>
        </message>
    </context>
    <context>
        <name>RecurrenceEditDialog</name>
        <message>
            <source>Recurrence</source>
            <translation>Répétition</translation>
        </message>
        <message>
            <source>Daily</source>
            <translation>Quotidienne</translation>
        </message>
        <message>
            <source>Weekly</source>
            <translation>Hebdomadaire</translation>
        </message>
        <message>
            <source>Monthly</source>
            <translation>Mensuelle</translation>
        </message>
        <message>
            <source>Yearly</source>
            <translation>Annuelle</translation>
        </message>
        <message>
            <source>Frequency</source>
            <translation>Fréquence</translation>
        </message>
        <message>
            <source>Every</source>
            <translation>Tous les</translation>
        </message>
        <message>
            <source>Ends</source>
            <translation>Se termine</translation>
        </message>
        <message>
            <source>On day of the month</source>
            <translation>Le jour du mois</translation>
        </message>
        <message>
            <source>of every month</source>
            <translation>de chaque mois</translation>
        </message>
        <message>
            <source>On the nth weekday</source>
            <translation>Le n-ième jour de la semaine</translation>
        </message>
        <message>
            <source>first</source>
            <translation>premier</translation>
        </message>
        <message>
            <source>second</source>
            <translation>deuxième</translation>
        </message>
        <message>
            <source>third</source>
            <translation>troisième</translation>
        </message>
        <message>
            <source>fourth</source>
            <translation>quatrième</translation>
        </message>
        <message>
            <source>last</source>
            <translation>dernier</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>lundi</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>mardi</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>mercredi</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>jeudi</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>vendredi</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>samedi</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>dimanche</translation>
        </message>
        <message>
            <source>Never</source>
            <translation>Jamais</translation>
        </message>
        <message>
            <source>After</source>
            <translation>Après</translation>
        </message>
        <message>
            <source>occurrences</source>
            <translation>occurrences</translation>
        </message>
        <message>
            <source>On</source>
            <translation>Le</translation>
        </message>
        <message>
            <source>day</source>
            <translation>jour</translation>
        </message>
        <message>
            <source>days</source>
            <translation>jours</translation>
        </message>
        <message>
            <source>month</source>
            <translation>mois</translation>
        </message>
        <message>
            <source>months</source>
            <translation>mois</translation>
        </message>
        <message>
            <source>year</source>
            <translation>an</translation>
        </message>
        <message>
            <source>years</source>
            <translation>ans</translation>
        </message>
        <message>
            <source>week</source>
            <translation>semaine</translation>
        </message>
        <message>
            <source>weeks</source>
            <translation>semaines</translation>
        </message>
        <message>
            <source>M</source>
            <comment>Monday</comment>
            <translation>L</translation>
        </message>
        <message>
            <source>T</source>
            <comment>Tuesday</comment>
            <translation>M</translation>
        </message>
        <message>
            <source>W</source>
            <comment>Wednesday</comment>
            <translation>M</translation>
        </message>
        <message>
            <source>T</source>
            <comment>Thursday</comment>
            <translation>J</translation>
        </message>
        <message>
            <source>F</source>
            <comment>Friday</comment>
            <translation>V</translation>
        </message>
        <message>
            <source>S</source>
            <comment>Saturday</comment>
            <translation>S</translation>
        </message>
        <message>
            <source>S</source>
            <comment>Sunday</comment>
            <translation>D</translation>
        </message>
    </context>
    <context>
        <name>RecurringEditScopeDialog</name>
        <message>
            <source>Edit Recurring Event</source>
            <translation>Modifier l’événement récurrent</translation>
        </message>
        <message>
            <source>Edit "%1"</source>
            <translation>Modifier « %1 »</translation>
        </message>
        <message>
            <source>This event repeats. Apply your changes to:</source>
            <translation>Cet événement se répète. Appliquer les modifications à :</translation>
        </message>
        <message>
            <source>This event only</source>
            <translation>Cet événement uniquement</translation>
        </message>
        <message>
            <source>Only this occurrence is changed; the rest of the series stays as it was.</source>
            <translation>Seule cette occurrence est modifiée ; le reste de la série reste inchangé.</translation>
        </message>
        <message>
            <source>This and following events</source>
            <translation>Cet événement et les suivants</translation>
        </message>
        <message>
            <source>This occurrence and every later one inherit the change. Past occurrences keep their original times.</source>
            <translation>Cette occurrence et toutes les suivantes reçoivent la modification. Les occurrences passées gardent leurs horaires.</translation>
        </message>
        <message>
            <source>All events in the series</source>
            <translation>Tous les événements de la série</translation>
        </message>
        <message>
            <source>The master event shifts; every occurrence — past and future — moves with it.</source>
            <translation>L’événement principal est déplacé ; toutes les occurrences — passées et futures — suivent.</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Annuler</translation>
        </message>
    </context>
    <context>
        <name>RemindersPane</name>
        <message>
            <source>Reminders</source>
            <translation>Rappels</translation>
        </message>
        <message>
            <source>Clear</source>
            <translation>Effacer</translation>
        </message>
        <message>
            <source>Delete all completed reminders</source>
            <translation>Supprimer tous les rappels terminés</translation>
        </message>
        <message>
            <source>Completed</source>
            <translation>Terminés</translation>
        </message>
        <message>
            <source>Show completed reminders</source>
            <translation>Afficher les rappels terminés</translation>
        </message>
        <message>
            <source>No reminders yet</source>
            <translation>Aucun rappel pour l’instant</translation>
        </message>
        <message>
            <source>Add a reminder to get a nudge at the time you set.</source>
            <translation>Ajoutez un rappel pour être averti à l’heure choisie.</translation>
        </message>
        <message>
            <source>+ New Reminder</source>
            <translation>+ Nouveau rappel</translation>
        </message>
        <message>
            <source>Overdue</source>
            <translation>En retard</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Aujourd’hui</translation>
        </message>
        <message>
            <source>Upcoming</source>
            <translation>À venir</translation>
        </message>
        <message>
            <source>No date</source>
            <translation>Sans date</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>Modifier…</translation>
        </message>
        <message>
            <source>Mark Incomplete</source>
            <translation>Marquer comme non terminé</translation>
        </message>
        <message>
            <source>Mark Complete</source>
            <translation>Marquer comme terminé</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Supprimer</translation>
        </message>
        <message>
            <source>Delete reminder?</source>
            <translation>Supprimer le rappel ?</translation>
        </message>
        <message>
            <source>Delete "%1"? This cannot be undone.</source>
            <translation>Supprimer « %1 » ? Cette action est irréversible.</translation>
        </message>
        <message>
            <source>Clear completed reminders?</source>
            <translation>Effacer les rappels terminés ?</translation>
        </message>
        <message numerus="yes">
            <source>Delete all %n completed reminder(s)? This cannot be undone.</source>
            <translation>
                <numerusform>Supprimer %n rappel terminé ? Cette action est irréversible.</numerusform>
                <numerusform>Supprimer les %n rappels terminés ? Cette action est irréversible.</numerusform>
            </translation>
        </message>
        <message>
            <source>No calendars</source>
            <translation>Aucun calendrier</translation>
        </message>
        <message>
            <source>Create a calendar first.</source>
            <translation>Créez d’abord un calendrier.</translation>
        </message>
    </context>
    <context>
        <name>RruleFormat</name>
        <message>
            <source>Mon</source>
            <translation>lun</translation>
        </message>
        <message>
            <source>Tue</source>
            <translation>mar</translation>
        </message>
        <message>
            <source>Wed</source>
            <translation>mer</translation>
        </message>
        <message>
            <source>Thu</source>
            <translation>jeu</translation>
        </message>
        <message>
            <source>Fri</source>
            <translation>ven</translation>
        </message>
        <message>
            <source>Sat</source>
            <translation>sam</translation>
        </message>
        <message>
            <source>Sun</source>
            <translation>dim</translation>
        </message>
        <message>
            <source>Jan</source>
            <translation>janv.</translation>
        </message>
        <message>
            <source>Feb</source>
            <translation>févr.</translation>
        </message>
        <message>
            <source>Mar</source>
            <translation>mars</translation>
        </message>
        <message>
            <source>Apr</source>
            <translation>avr.</translation>
        </message>
        <message>
            <source>May</source>
            <translation>mai</translation>
        </message>
        <message>
            <source>Jun</source>
            <translation>juin</translation>
        </message>
        <message>
            <source>Jul</source>
            <translation>juil.</translation>
        </message>
        <message>
            <source>Aug</source>
            <translation>août</translation>
        </message>
        <message>
            <source>Sep</source>
            <translation>sept.</translation>
        </message>
        <message>
            <source>Oct</source>
            <translation>oct.</translation>
        </message>
        <message>
            <source>Nov</source>
            <translation>nov.</translation>
        </message>
        <message>
            <source>Dec</source>
            <translation>déc.</translation>
        </message>
    </context>
    <context>
        <name>SearchDialog</name>
        <message>
            <source>Search</source>
            <translation>Rechercher</translation>
        </message>
        <message>
            <source>Search events by title, location, or notes…</source>
            <translation>Rechercher des événements par titre, lieu ou notes…</translation>
        </message>
        <message>
            <source>Range:</source>
            <translation>Période :</translation>
        </message>
        <message>
            <source>All time</source>
            <translation>Toutes les dates</translation>
        </message>
        <message>
            <source>Past 30 days</source>
            <translation>30 derniers jours</translation>
        </message>
        <message>
            <source>Past 90 days</source>
            <translation>90 derniers jours</translation>
        </message>
        <message>
            <source>Next 30 days</source>
            <translation>30 prochains jours</translation>
        </message>
        <message>
            <source>Next 12 months</source>
            <translation>12 prochains mois</translation>
        </message>
        <message>
            <source>Calendars</source>
            <translation>Calendriers</translation>
        </message>
        <message>
            <source>Type to search.</source>
            <translation>Saisissez un texte à rechercher.</translation>
        </message>
        <message>
            <source>Keep typing…</source>
            <translation>Continuez la saisie…</translation>
        </message>
        <message numerus="yes">
            <source>%n result(s).</source>
            <translation>
                <numerusform>%n résultat.</numerusform>
                <numerusform>%n résultats.</numerusform>
            </translation>
        </message>
        <message>
            <source>No matches in this range.</source>
            <translation>Aucun résultat sur cette période.</translation>
        </message>
        <message>
            <source>(Untitled)</source>
            <translation>(Sans titre)</translation>
        </message>
        <message>
            <source>%1 (all day)</source>
            <translation>%1 (toute la journée)</translation>
        </message>
        <message>
            <source>%1, %2 – %3</source>
            <translation>%1, %2 – %3</translation>
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
            <translation>Un mot de passe ou une connexion n’a pas pu être enregistré.</translation>
        </message>
        <message>
            <source>No keyring is available; passwords and sign-ins are not saved.</source>
            <translation>Aucun trousseau disponible ; les mots de passe et connexions ne sont pas enregistrés.</translation>
        </message>
        <message>
            <source>A password or sign-in could not be saved to the keyring; it is kept until the program ends.</source>
            <translation>Un mot de passe ou une connexion n’a pas pu être enregistré dans le trousseau ; il est conservé jusqu’à la fermeture du programme.</translation>
        </message>
    </context>
    <context>
        <name>SettingsDialog</name>
        <message>
            <source>Preferences</source>
            <translation>Préférences</translation>
        </message>
        <message>
            <source>Appearance</source>
            <translation>Apparence</translation>
        </message>
        <message>
            <source>System</source>
            <translation>Système</translation>
        </message>
        <message>
            <source>Light</source>
            <translation>Clair</translation>
        </message>
        <message>
            <source>Dark</source>
            <translation>Sombre</translation>
        </message>
        <message>
            <source>&amp;Theme</source>
            <translation>&amp;Thème</translation>
        </message>
        <message>
            <source>Use default</source>
            <translation>Par défaut</translation>
        </message>
        <message>
            <source>Accent color</source>
            <translation>Couleur d’accent</translation>
        </message>
        <message>
            <source>Small</source>
            <translation>Petite</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>Par défaut</translation>
        </message>
        <message>
            <source>Medium</source>
            <translation>Moyenne</translation>
        </message>
        <message>
            <source>Large</source>
            <translation>Grande</translation>
        </message>
        <message>
            <source>X-Large</source>
            <translation>Très grande</translation>
        </message>
        <message>
            <source>&amp;Font size</source>
            <translation>&amp;Taille de police</translation>
        </message>
        <message>
            <source>Calendar</source>
            <translation>Calendrier</translation>
        </message>
        <message>
            <source>System default</source>
            <translation>Par défaut du système</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>lundi</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>mardi</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>mercredi</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>jeudi</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>vendredi</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>samedi</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>dimanche</translation>
        </message>
        <message>
            <source>Week starts on</source>
            <translation>Premier jour de la semaine</translation>
        </message>
        <message>
            <source>to</source>
            <translation>à</translation>
        </message>
        <message>
            <source>Workday hours</source>
            <translation>Heures de travail</translation>
        </message>
        <message>
            <source>Show week numbers in mini-cal</source>
            <translation>Afficher les numéros de semaine dans le mini-calendrier</translation>
        </message>
        <message>
            <source>Default for new events</source>
            <translation>Par défaut pour les nouveaux événements</translation>
        </message>
        <message>
            <source>Default for new tasks</source>
            <translation>Par défaut pour les nouvelles tâches</translation>
        </message>
        <message>
            <source>(use first available)</source>
            <translation>(premier disponible)</translation>
        </message>
        <message>
            <source>(use last calendar)</source>
            <translation>(dernier calendrier utilisé)</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>Heure</translation>
        </message>
        <message>
            <source>12-hour (1:30 PM)</source>
            <translation>12 heures (1:30 PM)</translation>
        </message>
        <message>
            <source>24-hour (13:30)</source>
            <translation>24 heures (13:30)</translation>
        </message>
        <message>
            <source>Time format</source>
            <translation>Format de l’heure</translation>
        </message>
        <message>
            <source>Weather</source>
            <translation>Météo</translation>
        </message>
        <message>
            <source>Show weather in calendar headers</source>
            <translation>Afficher la météo dans les en-têtes du calendrier</translation>
        </message>
        <message>
            <source>Configure location and units…</source>
            <translation>Configurer le lieu et les unités…</translation>
        </message>
        <message>
            <source>Startup</source>
            <translation>Démarrage</translation>
        </message>
        <message>
            <source>Open at login</source>
            <translation>Ouvrir à l’ouverture de session</translation>
        </message>
        <message>
            <source>Launch Tindlebrook Calendar to the system tray when you log in so calendars keep syncing without you needing to open the window.</source>
            <translation>Lance Tindlebrook Calendar dans la zone de notification à l’ouverture de session, pour que les calendriers restent synchronisés sans ouvrir la fenêtre.</translation>
        </message>
        <message>
            <source>Close to tray</source>
            <translation>Fermer dans la zone de notification</translation>
        </message>
        <message>
            <source>When enabled, clicking the window's close button hides the window to the system tray instead of quitting. Use File → Quit to actually exit.</source>
            <translation>Si activé, le bouton de fermeture masque la fenêtre dans la zone de notification au lieu de quitter. Utilisez Fichier → Quitter pour vraiment quitter.</translation>
        </message>
        <message>
            <source>Start minimized to tray</source>
            <translation>Démarrer réduit dans la zone de notification</translation>
        </message>
        <message>
            <source>Launch directly to the tray without showing the window — pair with Open at login for a fully background-running app.</source>
            <translation>Lance directement dans la zone de notification sans afficher la fenêtre — à combiner avec « Ouvrir à l’ouverture de session » pour une app entièrement en arrière-plan.</translation>
        </message>
        <message>
            <source>Tasks</source>
            <translation>Tâches</translation>
        </message>
        <message>
            <source>Ask me each time</source>
            <translation>Demander à chaque fois</translation>
        </message>
        <message>
            <source>Create a new event from the task</source>
            <translation>Créer un événement à partir de la tâche</translation>
        </message>
        <message>
            <source>Set the task's start date</source>
            <translation>Définir la date de début de la tâche</translation>
        </message>
        <message>
            <source>Set the task's due date</source>
            <translation>Définir l’échéance de la tâche</translation>
        </message>
        <message>
            <source>When you drag a task from the Tasks pane onto the calendar, Tindlebrook can create a new event from it, fill in the task's start or due date based on where you dropped it, or ask you each time.</source>
            <translation>Quand vous faites glisser une tâche du volet des tâches sur le calendrier, Tindlebrook peut en créer un nouvel événement, définir sa date de début ou son échéance selon l’endroit où vous la déposez, ou vous demander à chaque fois.</translation>
        </message>
        <message>
            <source>Drop a task onto the calendar:</source>
            <translation>Déposer une tâche sur le calendrier :</translation>
        </message>
        <message>
            <source>Cross-device sync</source>
            <translation>Synchronisation entre appareils</translation>
        </message>
        <message>
            <source>Pick what syncs through your Tindlebrook account to your other devices. Calendar events from Google, Microsoft, and CalDAV servers sync directly with those services and aren't affected by these toggles.</source>
            <translation>Choisissez ce qui est synchronisé avec vos autres appareils via votre compte Tindlebrook. Les événements de calendrier de Google, Microsoft et des serveurs CalDAV se synchronisent directement avec ces services et ne dépendent pas de ces options.</translation>
        </message>
        <message>
            <source>Filters</source>
            <translation>Filtres</translation>
        </message>
        <message>
            <source>Calendar groups</source>
            <translation>Groupes de calendriers</translation>
        </message>
        <message>
            <source>Event templates</source>
            <translation>Modèles d’événement</translation>
        </message>
        <message>
            <source>App preferences (theme, time format, etc.)</source>
            <translation>Préférences de l’app (thème, format de l’heure, etc.)</translation>
        </message>
        <message>
            <source>Account credentials (CalDAV servers and tokens)</source>
            <translation>Identifiants des comptes (serveurs CalDAV et jetons)</translation>
        </message>
        <message>
            <source>CalDAV usernames and app passwords ride alongside the rest of the bucket so a new device picks up your servers without re-entering credentials.</source>
            <translation>Les noms d’utilisateur et mots de passe d’application CalDAV accompagnent le reste des données : un nouvel appareil récupère vos serveurs sans ressaisir les identifiants.</translation>
        </message>
        <message>
            <source>Sync now</source>
            <translation>Synchroniser maintenant</translation>
        </message>
        <message>
            <source>Sign in to your Tindlebrook account to start syncing.</source>
            <translation>Connectez-vous à votre compte Tindlebrook pour lancer la synchronisation.</translation>
        </message>
        <message>
            <source>Syncing…</source>
            <translation>Synchronisation…</translation>
        </message>
        <message>
            <source>Up to date</source>
            <translation>À jour</translation>
        </message>
        <message>
            <source>Sync failed; will retry.</source>
            <translation>Échec de la synchronisation ; nouvel essai à venir.</translation>
        </message>
        <message>
            <source>Sign-in expired. Please sign in again.</source>
            <translation>Connexion expirée. Veuillez vous reconnecter.</translation>
        </message>
        <message>
            <source>Offline. Will sync when reconnected.</source>
            <translation>Hors ligne. Synchronisation au retour de la connexion.</translation>
        </message>
        <message>
            <source>Default accent (%1). Click to override.</source>
            <translation>Couleur d’accent par défaut (%1). Cliquez pour la remplacer.</translation>
        </message>
        <message>
            <source>Custom accent (%1). Click to change.</source>
            <translation>Couleur d’accent personnalisée (%1). Cliquez pour la changer.</translation>
        </message>
        <message>
            <source>Preferences not saved</source>
            <translation>Préférences non enregistrées</translation>
        </message>
        <message>
            <source>These preferences could not be saved:
%1

The settings store may be read-only or full.</source>
            <translation>Ces préférences n’ont pas pu être enregistrées :
%1

Le stockage des paramètres est peut-être en lecture seule ou plein.</translation>
        </message>
    </context>
    <context>
        <name>StatusPills</name>
        <message>
            <source>Manage filters</source>
            <translation>Gérer les filtres</translation>
        </message>
        <message numerus="yes">
            <source>%n account(s) need sign-in</source>
            <translation>
                <numerusform>%n compte doit se reconnecter</numerusform>
                <numerusform>%n comptes doivent se reconnecter</numerusform>
            </translation>
        </message>
        <message>
            <source>Click to open Calendar Accounts and sign in.</source>
            <translation>Cliquez pour ouvrir Comptes de calendrier et vous connecter.</translation>
        </message>
        <message numerus="yes">
            <source>%n account(s) need password</source>
            <translation>
                <numerusform>%n compte nécessite un mot de passe</numerusform>
                <numerusform>%n comptes nécessitent un mot de passe</numerusform>
            </translation>
        </message>
        <message>
            <source>Click to open Calendar Accounts and re-enter the password.</source>
            <translation>Cliquez pour ouvrir Comptes de calendrier et saisir à nouveau le mot de passe.</translation>
        </message>
        <message numerus="yes">
            <source>%n account(s) need attention</source>
            <translation>
                <numerusform>%n compte requiert votre attention</numerusform>
                <numerusform>%n comptes requièrent votre attention</numerusform>
            </translation>
        </message>
        <message>
            <source>Click to open Calendar Accounts and resolve the issues.</source>
            <translation>Cliquez pour ouvrir Comptes de calendrier et résoudre les problèmes.</translation>
        </message>
        <message>
            <source>Add Filter…</source>
            <translation>Ajouter un filtre…</translation>
        </message>
        <message>
            <source>Manage Filters…</source>
            <translation>Gérer les filtres…</translation>
        </message>
        <message>
            <source>Disable all filters</source>
            <translation>Désactiver tous les filtres</translation>
        </message>
        <message>
            <source>Enable all filters</source>
            <translation>Activer tous les filtres</translation>
        </message>
        <message>
            <source>No filters</source>
            <translation>Aucun filtre</translation>
        </message>
        <message numerus="yes">
            <source>%n filter(s) applied</source>
            <translation>
                <numerusform>%n filtre appliqué</numerusform>
                <numerusform>%n filtres appliqués</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n hidden</source>
            <translation>
                <numerusform>%n masqué</numerusform>
                <numerusform>%n masqués</numerusform>
            </translation>
        </message>
        <message>
            <source>Could not save the filter.</source>
            <translation>Impossible d’enregistrer le filtre.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Erreur de base de données</translation>
        </message>
    </context>
    <context>
        <name>SyncErrorCode</name>
        <message>
            <source>Password missing</source>
            <translation>Mot de passe manquant</translation>
        </message>
        <message>
            <source>Sign in required</source>
            <translation>Connexion requise</translation>
        </message>
    </context>
    <context>
        <name>TaskActions</name>
        <message>
            <source>Couldn't change the task</source>
            <translation>Impossible de modifier la tâche</translation>
        </message>
    </context>
    <context>
        <name>TaskDetailsPopover</name>
        <message>
            <source>Edit…</source>
            <translation>Modifier…</translation>
        </message>
        <message>
            <source>Add Subtask</source>
            <translation>Ajouter une sous-tâche</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Supprimer</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Aujourd’hui</translation>
        </message>
        <message>
            <source>Tomorrow</source>
            <translation>Demain</translation>
        </message>
        <message>
            <source>Yesterday</source>
            <translation>Hier</translation>
        </message>
        <message>
            <source>(Untitled task)</source>
            <translation>(Tâche sans titre)</translation>
        </message>
        <message>
            <source>▶  Starts %1</source>
            <translation>▶  Commence %1</translation>
        </message>
        <message>
            <source>%1 priority</source>
            <translation>Priorité %1</translation>
        </message>
        <message>
            <source>Mark incomplete</source>
            <translation>Marquer comme non terminée</translation>
        </message>
        <message>
            <source>Mark complete</source>
            <translation>Marquer comme terminée</translation>
        </message>
        <message>
            <source>Unknown calendar</source>
            <translation>Calendrier inconnu</translation>
        </message>
        <message>
            <source>(Untitled event)</source>
            <translation>(Événement sans titre)</translation>
        </message>
        <message>
            <source>Linked event:</source>
            <translation>Événement lié :</translation>
        </message>
        <message>
            <source>Linked events:</source>
            <translation>Événements liés :</translation>
        </message>
        <message>
            <source>Task</source>
            <translation>Tâche</translation>
        </message>
        <message>
            <source>Delete task?</source>
            <translation>Supprimer la tâche ?</translation>
        </message>
        <message>
            <source>Delete "%1"? This cannot be undone.</source>
            <translation>Supprimer « %1 » ? Cette action est irréversible.</translation>
        </message>
    </context>
    <context>
        <name>TaskDrop</name>
        <message>
            <source>Create event from task</source>
            <translation>Créer un événement à partir de la tâche</translation>
        </message>
        <message>
            <source>Set start date</source>
            <translation>Définir la date de début</translation>
        </message>
        <message>
            <source>Set due date</source>
            <translation>Définir l’échéance</translation>
        </message>
        <message>
            <source>Couldn't update task — see log.</source>
            <translation>Impossible de mettre à jour la tâche — voir le journal.</translation>
        </message>
        <message>
            <source>Task</source>
            <translation>Tâche</translation>
        </message>
        <message>
            <source>Set start date for "%1" to %2</source>
            <translation>Date de début de « %1 » fixée au %2</translation>
        </message>
        <message>
            <source>Set due date for "%1" to %2</source>
            <translation>Échéance de « %1 » fixée au %2</translation>
        </message>
    </context>
    <context>
        <name>TaskEditor</name>
        <message>
            <source>Task</source>
            <translation>Tâche</translation>
        </message>
        <message>
            <source>"%1" could not be deleted. The log has the details.</source>
            <translation>« %1 » n’a pas pu être supprimé. Le journal contient les détails.</translation>
        </message>
        <message>
            <source>"%1" was copied to its new calendar, but not all of it could be removed from the old one. The log has the details.</source>
            <translation>« %1 » a été copié dans son nouveau calendrier, mais n’a pas pu être entièrement retiré de l’ancien. Le journal contient les détails.</translation>
        </message>
        <message>
            <source>"%1" could not be stored, so nothing was changed. The log has the details.</source>
            <translation>« %1 » n’a pas pu être enregistré ; rien n’a été modifié. Le journal contient les détails.</translation>
        </message>
        <message>
            <source>The task no longer exists.</source>
            <translation>La tâche n’existe plus.</translation>
        </message>
    </context>
    <context>
        <name>TaskFormDialog</name>
        <message>
            <source>New Task</source>
            <translation>Nouvelle tâche</translation>
        </message>
        <message>
            <source>Edit Task</source>
            <translation>Modifier la tâche</translation>
        </message>
        <message>
            <source>Edit task</source>
            <translation>Modifier la tâche</translation>
        </message>
        <message>
            <source>New task</source>
            <translation>Nouvelle tâche</translation>
        </message>
        <message>
            <source>Update the task and save to apply.</source>
            <translation>Modifiez la tâche et enregistrez.</translation>
        </message>
        <message>
            <source>Drop a quick to-do; due date and priority are optional.</source>
            <translation>Notez une tâche rapide ; l’échéance et la priorité sont facultatives.</translation>
        </message>
        <message>
            <source>Buy birthday gift, prep Q1 report…</source>
            <translation>Acheter un cadeau d’anniversaire, préparer le rapport T1…</translation>
        </message>
        <message>
            <source>&amp;Title</source>
            <translation>&amp;Titre</translation>
        </message>
        <message>
            <source>&amp;Calendar</source>
            <translation>&amp;Calendrier</translation>
        </message>
        <message>
            <source>Set start date</source>
            <translation>Définir la date de début</translation>
        </message>
        <message>
            <source>&amp;Starts</source>
            <translation>&amp;Début</translation>
        </message>
        <message>
            <source>Set due date</source>
            <translation>Définir l’échéance</translation>
        </message>
        <message>
            <source>&amp;Due</source>
            <translation>É&amp;chéance</translation>
        </message>
        <message>
            <source>Re&amp;minders</source>
            <translation>Ra&amp;ppels</translation>
        </message>
        <message>
            <source>Does not repeat</source>
            <translation>Ne se répète pas</translation>
        </message>
        <message>
            <source>&amp;Repeat</source>
            <translation>&amp;Répétition</translation>
        </message>
        <message>
            <source>Due date</source>
            <translation>Échéance</translation>
        </message>
        <message>
            <source>Completion date</source>
            <translation>Date d’achèvement</translation>
        </message>
        <message>
            <source>Due date: next due = current due + interval.
Completion date: next due = today + interval.</source>
            <translation>Échéance : prochaine échéance = échéance actuelle + intervalle.
Date d’achèvement : prochaine échéance = aujourd’hui + intervalle.</translation>
        </message>
        <message>
            <source>Repeats &amp;from</source>
            <translation>Répéter à &amp;partir de</translation>
        </message>
        <message>
            <source>— None</source>
            <translation>— Aucune</translation>
        </message>
        <message>
            <source>● High</source>
            <translation>● Haute</translation>
        </message>
        <message>
            <source>● Medium</source>
            <translation>● Moyenne</translation>
        </message>
        <message>
            <source>● Low</source>
            <translation>● Basse</translation>
        </message>
        <message>
            <source>&amp;Priority</source>
            <translation>&amp;Priorité</translation>
        </message>
        <message>
            <source>Completed</source>
            <translation>Terminés</translation>
        </message>
        <message>
            <source>e.g. Personal, Health, Errands</source>
            <translation>p. ex. Personnel, Santé, Courses</translation>
        </message>
        <message>
            <source>&amp;Categories</source>
            <translation>&amp;Catégories</translation>
        </message>
        <message>
            <source>Steps, links, context…</source>
            <translation>Étapes, liens, contexte…</translation>
        </message>
        <message>
            <source>&amp;Notes</source>
            <translation>&amp;Notes</translation>
        </message>
        <message>
            <source>Save changes</source>
            <translation>Enregistrer</translation>
        </message>
        <message>
            <source>Create task</source>
            <translation>Créer la tâche</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Annuler</translation>
        </message>
        <message>
            <source>At due time</source>
            <translation>À l’échéance</translation>
        </message>
        <message>
            <source>10 minutes before</source>
            <translation>10 minutes avant</translation>
        </message>
        <message>
            <source>30 minutes before</source>
            <translation>30 minutes avant</translation>
        </message>
        <message>
            <source>1 hour before</source>
            <translation>1 heure avant</translation>
        </message>
        <message>
            <source>1 day before</source>
            <translation>1 jour avant</translation>
        </message>
        <message>
            <source>2 days before</source>
            <translation>2 jours avant</translation>
        </message>
        <message>
            <source>Add</source>
            <translation>Ajouter</translation>
        </message>
        <message>
            <source>Subtasks stay in their parent task's calendar.</source>
            <translation>Les sous-tâches restent dans le calendrier de leur tâche parente.</translation>
        </message>
        <message>
            <source>Edit Reminder</source>
            <translation>Modifier le rappel</translation>
        </message>
        <message>
            <source>New Reminder</source>
            <translation>Nouveau rappel</translation>
        </message>
        <message>
            <source>Edit reminder</source>
            <translation>Modifier le rappel</translation>
        </message>
        <message>
            <source>New reminder</source>
            <translation>Nouveau rappel</translation>
        </message>
        <message>
            <source>A reminder is a to-do that nudges you at the time you set.</source>
            <translation>Un rappel est une tâche qui vous avertit à l’heure choisie.</translation>
        </message>
        <message>
            <source>Remind me</source>
            <translation>Me rappeler</translation>
        </message>
        <message>
            <source>Tags</source>
            <translation>Étiquettes</translation>
        </message>
        <message>
            <source>Create reminder</source>
            <translation>Créer le rappel</translation>
        </message>
        <message>
            <source>%1 minutes before</source>
            <translation>%1 minutes avant</translation>
        </message>
        <message>
            <source>%1 hours before</source>
            <translation>%1 heures avant</translation>
        </message>
        <message>
            <source>%1 days before</source>
            <translation>%1 jours avant</translation>
        </message>
        <message>
            <source>No reminders</source>
            <translation>Aucun rappel</translation>
        </message>
        <message>
            <source>Remove reminder</source>
            <translation>Retirer le rappel</translation>
        </message>
        <message>
            <source>Title required</source>
            <translation>Titre obligatoire</translation>
        </message>
        <message>
            <source>Please enter a title for the task.</source>
            <translation>Veuillez saisir un titre pour la tâche.</translation>
        </message>
        <message>
            <source>No calendars</source>
            <translation>Aucun calendrier</translation>
        </message>
        <message>
            <source>Create a calendar first.</source>
            <translation>Créez d’abord un calendrier.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Erreur de base de données</translation>
        </message>
        <message>
            <source>Could not save the task.</source>
            <translation>Impossible d’enregistrer la tâche.</translation>
        </message>
    </context>
    <context>
        <name>TaskMarks</name>
        <message>
            <source>High</source>
            <translation>Haute</translation>
        </message>
        <message>
            <source>Medium</source>
            <translation>Moyenne</translation>
        </message>
        <message>
            <source>Low</source>
            <translation>Basse</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Aujourd’hui</translation>
        </message>
        <message>
            <source>Tomorrow</source>
            <translation>Demain</translation>
        </message>
        <message>
            <source>Yesterday</source>
            <translation>Hier</translation>
        </message>
    </context>
    <context>
        <name>TasksPane</name>
        <message>
            <source>No tasks yet</source>
            <translation>Aucune tâche pour l’instant</translation>
        </message>
        <message>
            <source>Create a task to track what needs doing.</source>
            <translation>Créez une tâche pour suivre ce qu’il reste à faire.</translation>
        </message>
        <message>
            <source>Tasks</source>
            <translation>Tâches</translation>
        </message>
        <message>
            <source>Filter tasks</source>
            <translation>Filtrer les tâches</translation>
        </message>
        <message>
            <source>+ New Task</source>
            <translation>+ Nouvelle tâche</translation>
        </message>
        <message>
            <source>All tasks</source>
            <translation>Toutes les tâches</translation>
        </message>
        <message>
            <source>Due today</source>
            <translation>Échéance aujourd’hui</translation>
        </message>
        <message>
            <source>Due this week</source>
            <translation>Échéance cette semaine</translation>
        </message>
        <message>
            <source>Overdue</source>
            <translation>En retard</translation>
        </message>
        <message>
            <source>Group by calendar</source>
            <translation>Grouper par calendrier</translation>
        </message>
        <message>
            <source>Hide completed</source>
            <translation>Masquer les terminées</translation>
        </message>
        <message>
            <source>Show notes</source>
            <translation>Afficher les notes</translation>
        </message>
        <message>
            <source>Show categories</source>
            <translation>Afficher les catégories</translation>
        </message>
        <message>
            <source>Nothing due today</source>
            <translation>Rien à échéance aujourd’hui</translation>
        </message>
        <message>
            <source>Switch the filter to see other tasks.</source>
            <translation>Changez de filtre pour voir d’autres tâches.</translation>
        </message>
        <message>
            <source>Nothing due this week</source>
            <translation>Rien à échéance cette semaine</translation>
        </message>
        <message>
            <source>Nothing overdue</source>
            <translation>Rien en retard</translation>
        </message>
        <message>
            <source>You're caught up. Nice.</source>
            <translation>Tout est à jour. Bravo.</translation>
        </message>
        <message>
            <source>No calendars</source>
            <translation>Aucun calendrier</translation>
        </message>
        <message>
            <source>Create a calendar first.</source>
            <translation>Créez d’abord un calendrier.</translation>
        </message>
        <message>
            <source>Can't move task</source>
            <translation>Impossible de déplacer la tâche</translation>
        </message>
        <message>
            <source>Subtasks must belong to the same calendar as their parent. Move "%1" to the same calendar first.</source>
            <translation>Les sous-tâches doivent appartenir au même calendrier que leur parente. Déplacez d’abord « %1 » dans ce calendrier.</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>Modifier…</translation>
        </message>
        <message>
            <source>Add Subtask</source>
            <translation>Ajouter une sous-tâche</translation>
        </message>
        <message>
            <source>Mark Incomplete</source>
            <translation>Marquer comme non terminé</translation>
        </message>
        <message>
            <source>Mark Complete</source>
            <translation>Marquer comme terminé</translation>
        </message>
        <message>
            <source>Clear In Progress</source>
            <translation>Retirer « En cours »</translation>
        </message>
        <message>
            <source>Mark In Progress</source>
            <translation>Marquer comme en cours</translation>
        </message>
        <message>
            <source>Restore Task</source>
            <translation>Restaurer la tâche</translation>
        </message>
        <message>
            <source>Mark Cancelled</source>
            <translation>Marquer comme annulée</translation>
        </message>
        <message>
            <source>Make Top-Level</source>
            <translation>Passer au premier niveau</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Supprimer</translation>
        </message>
        <message>
            <source>Delete task?</source>
            <translation>Supprimer la tâche ?</translation>
        </message>
        <message>
            <source>Delete "%1"? This cannot be undone.</source>
            <translation>Supprimer « %1 » ? Cette action est irréversible.</translation>
        </message>
    </context>
    <context>
        <name>TasksPaneRow</name>
        <message>
            <source>(Untitled)</source>
            <translation>(Sans titre)</translation>
        </message>
        <message>
            <source>Waiting to sync</source>
            <translation>En attente de synchronisation</translation>
        </message>
        <message>
            <source>IN PROGRESS</source>
            <translation>EN COURS</translation>
        </message>
        <message>
            <source>CANCELLED</source>
            <translation>ANNULÉE</translation>
        </message>
        <message>
            <source>↳ subtask</source>
            <translation>↳ sous-tâche</translation>
        </message>
    </context>
    <context>
        <name>TemplateEditorDialog</name>
        <message>
            <source>New Template</source>
            <translation>Nouveau modèle</translation>
        </message>
        <message>
            <source>Edit Template</source>
            <translation>Modifier le modèle</translation>
        </message>
        <message>
            <source>At time of event</source>
            <translation>À l’heure de l’événement</translation>
        </message>
        <message numerus="yes">
            <source>%n minute(s) before</source>
            <translation>
                <numerusform>%n minute avant</numerusform>
                <numerusform>%n minutes avant</numerusform>
            </translation>
        </message>
        <message>
            <source>1 hour before</source>
            <translation>1 heure avant</translation>
        </message>
        <message numerus="yes">
            <source>%n day(s) before</source>
            <translation>
                <numerusform>%n jour avant</numerusform>
                <numerusform>%n jours avant</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n hour(s) before</source>
            <translation>
                <numerusform>%n heure avant</numerusform>
                <numerusform>%n heures avant</numerusform>
            </translation>
        </message>
        <message>
            <source>e.g., Standup, Doctor visit</source>
            <translation>p. ex. Point quotidien, Visite médicale</translation>
        </message>
        <message>
            <source>Template name</source>
            <translation>Nom du modèle</translation>
        </message>
        <message>
            <source>Event title shown on the calendar</source>
            <translation>Titre de l’événement affiché dans le calendrier</translation>
        </message>
        <message>
            <source>Event title</source>
            <translation>Titre de l’événement</translation>
        </message>
        <message>
            <source>Description</source>
            <translation>Description</translation>
        </message>
        <message>
            <source>Optional location</source>
            <translation>Lieu (facultatif)</translation>
        </message>
        <message>
            <source>Location</source>
            <translation>Lieu</translation>
        </message>
        <message>
            <source>Use calendar color</source>
            <translation>Utiliser la couleur du calendrier</translation>
        </message>
        <message>
            <source>Color</source>
            <translation>Couleur</translation>
        </message>
        <message>
            <source>(use default)</source>
            <translation>(par défaut)</translation>
        </message>
        <message>
            <source>Calendar</source>
            <translation>Calendrier</translation>
        </message>
        <message>
            <source>All-day event</source>
            <translation>Événement sur la journée</translation>
        </message>
        <message>
            <source>h</source>
            <translation>h</translation>
        </message>
        <message>
            <source>m</source>
            <translation>min</translation>
        </message>
        <message>
            <source>Default duration</source>
            <translation>Durée par défaut</translation>
        </message>
        <message>
            <source>Recurrence</source>
            <translation>Répétition</translation>
        </message>
        <message>
            <source>Reminders</source>
            <translation>Rappels</translation>
        </message>
        <message>
            <source>+ Add reminder</source>
            <translation>+ Ajouter un rappel</translation>
        </message>
        <message>
            <source>No reminders</source>
            <translation>Aucun rappel</translation>
        </message>
        <message>
            <source>Remove reminder</source>
            <translation>Retirer le rappel</translation>
        </message>
        <message>
            <source>%1, click to change.</source>
            <translation>%1, cliquez pour changer.</translation>
        </message>
        <message>
            <source>Inherits the calendar's color. Click to override.</source>
            <translation>Reprend la couleur du calendrier. Cliquez pour la remplacer.</translation>
        </message>
        <message>
            <source>Template color</source>
            <translation>Couleur du modèle</translation>
        </message>
        <message>
            <source>Does not repeat</source>
            <translation>Ne se répète pas</translation>
        </message>
        <message>
            <source>Missing name</source>
            <translation>Nom manquant</translation>
        </message>
        <message>
            <source>Give this template a name so you can pick it later.</source>
            <translation>Donnez un nom à ce modèle pour pouvoir le choisir plus tard.</translation>
        </message>
        <message>
            <source>Missing event title</source>
            <translation>Titre de l’événement manquant</translation>
        </message>
        <message>
            <source>Set the event title. That's what events created from this template will be called.</source>
            <translation>Indiquez le titre de l’événement. C’est le nom des événements créés avec ce modèle.</translation>
        </message>
    </context>
    <context>
        <name>TindAccount::ApiClient</name>
        <message>
            <source>Your sign-in has expired. Please sign in again.</source>
            <translation>Votre connexion a expiré. Veuillez vous reconnecter.</translation>
        </message>
        <message>
            <source>The service answered HTTP %1.</source>
            <translation>Le service a répondu HTTP %1.</translation>
        </message>
        <message>
            <source>The service could not be reached.</source>
            <translation>Impossible de joindre le service.</translation>
        </message>
    </context>
    <context>
        <name>TindAccount::ShareMembersDialog</name>
        <message>
            <source>People with access</source>
            <translation>Personnes ayant accès</translation>
        </message>
        <message>
            <source>Add people</source>
            <translation>Ajouter des personnes</translation>
        </message>
        <message>
            <source>All group members already have access</source>
            <translation>Tous les membres du groupe ont déjà accès</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Fermer</translation>
        </message>
        <message>
            <source>Not shared with anyone yet.</source>
            <translation>Partagé avec personne pour l’instant.</translation>
        </message>
        <message>
            <source>Share</source>
            <translation>Partager</translation>
        </message>
        <message>
            <source>Remove access</source>
            <translation>Retirer l’accès</translation>
        </message>
        <message>
            <source>Could not share with %1.</source>
            <translation>Impossible de partager avec %1.</translation>
        </message>
        <message>
            <source>Remove access?</source>
            <translation>Retirer l’accès ?</translation>
        </message>
        <message>
            <source>%1 will no longer have access. Continue?</source>
            <translation>%1 n’aura plus accès. Continuer ?</translation>
        </message>
        <message>
            <source>Could not remove %1.</source>
            <translation>Impossible de retirer %1.</translation>
        </message>
    </context>
    <context>
        <name>TindUpdate::UpdateDialog</name>
        <message>
            <source>Update available</source>
            <translation>Mise à jour disponible</translation>
        </message>
        <message>
            <source>A new version of %1 is available.</source>
            <translation>Une nouvelle version de %1 est disponible.</translation>
        </message>
        <message>
            <source>You have version %1. The latest version is %2.</source>
            <translation>Vous avez la version %1. La dernière version est la %2.</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>Télécharger</translation>
        </message>
        <message>
            <source>Later</source>
            <translation>Plus tard</translation>
        </message>
        <message>
            <source>Loading release notes…</source>
            <translation>Chargement des notes de version…</translation>
        </message>
        <message>
            <source>*Release notes are not available for this version.*</source>
            <translation>*Les notes de version ne sont pas disponibles pour cette version.*</translation>
        </message>
    </context>
    <context>
        <name>TindUpdate::WhatsNewDialog</name>
        <message>
            <source>What's New in %1 %2</source>
            <translation>Nouveautés de %1 %2</translation>
        </message>
        <message>
            <source>What's new in %1 %2</source>
            <translation>Nouveautés de %1 %2</translation>
        </message>
        <message>
            <source>You are running version %1</source>
            <translation>Vous utilisez la version %1</translation>
        </message>
        <message>
            <source>Download %1</source>
            <translation>Télécharger %1</translation>
        </message>
    </context>
    <context>
        <name>Tindlebrook::CalendarUpgradeService</name>
        <message>
            <source>Calendar's account is missing</source>
            <translation>Le compte du calendrier est introuvable</translation>
        </message>
        <message>
            <source>Only Tindlebrook-native calendars can be upgraded</source>
            <translation>Seuls les calendriers propres à Tindlebrook peuvent être transférés</translation>
        </message>
        <message>
            <source>Calendar is already on Tindlebrook</source>
            <translation>Le calendrier est déjà sur Tindlebrook</translation>
        </message>
        <message>
            <source>Not signed in</source>
            <translation>Non connecté</translation>
        </message>
        <message>
            <source>Server registration failed (HTTP %1)</source>
            <translation>Échec de l’enregistrement sur le serveur (HTTP %1)</translation>
        </message>
        <message numerus="yes">
            <source>%n event(s) or task(s) could not be uploaded to Tindlebrook.</source>
            <translation>
                <numerusform>%n événement ou tâche n’a pas pu être envoyé à Tindlebrook.</numerusform>
                <numerusform>%n événements ou tâches n’ont pas pu être envoyés à Tindlebrook.</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>Tindlebrook::SharingBackend</name>
        <message>
            <source>Not signed in</source>
            <translation>Non connecté</translation>
        </message>
        <message>
            <source>Sharing failed (HTTP %1)</source>
            <translation>Échec du partage (HTTP %1)</translation>
        </message>
    </context>
    <context>
        <name>Tindlebrook::SyncClient</name>
        <message>
            <source>Not signed in</source>
            <translation>Non connecté</translation>
        </message>
        <message>
            <source>Tindlebrook pull failed (HTTP %1)</source>
            <translation>Échec de la récupération depuis Tindlebrook (HTTP %1)</translation>
        </message>
        <message>
            <source>Tindlebrook pull: %1 event(s) could not be stored</source>
            <translation>Réception depuis Tindlebrook : %1 événement(s) n’ont pas pu être enregistrés</translation>
        </message>
        <message>
            <source>Tindlebrook push: %1 event(s) failed</source>
            <translation>Envoi vers Tindlebrook : échec de %1 événement(s)</translation>
        </message>
        <message>
            <source>Tindlebrook pull failed: the service's answer could not be read</source>
            <translation>Échec de la récupération depuis Tindlebrook : la réponse du service est illisible</translation>
        </message>
    </context>
    <context>
        <name>TrayManager</name>
        <message>
            <source>&amp;Show Calendar</source>
            <translation>&amp;Afficher le calendrier</translation>
        </message>
        <message>
            <source>Sync &amp;Now</source>
            <translation>Synchroniser &amp;maintenant</translation>
        </message>
        <message>
            <source>&amp;Quit</source>
            <translation>&amp;Quitter</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — Last sync failed</source>
            <translation>Tindlebrook Calendar — Échec de la dernière synchronisation</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — Sync failed: %1</source>
            <translation>Tindlebrook Calendar — Échec de la synchronisation : %1</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — No upcoming events</source>
            <translation>Tindlebrook Calendar — Aucun événement à venir</translation>
        </message>
        <message>
            <source>Untitled</source>
            <translation>Sans titre</translation>
        </message>
        <message>
            <source>today</source>
            <translation>aujourd’hui</translation>
        </message>
        <message>
            <source>tomorrow</source>
            <translation>demain</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — Next: %1 (%2, all day)</source>
            <translation>Tindlebrook Calendar — Prochain : %1 (%2, toute la journée)</translation>
        </message>
        <message>
            <source>at %1</source>
            <translation>à %1</translation>
        </message>
        <message>
            <source>tomorrow at %1</source>
            <translation>demain à %1</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — Next: %1 %2</source>
            <translation>Tindlebrook Calendar — Prochain : %1 %2</translation>
        </message>
    </context>
    <context>
        <name>UnencryptedSecretsNotice</name>
        <message>
            <source>Passwords Not Encrypted</source>
            <translation>Mots de passe non chiffrés</translation>
        </message>
        <message>
            <source>No desktop keyring is available, so your account passwords and sign-in tokens are kept in a file in your data folder without encryption. Anyone who can read your files can read them.

Install or unlock a keyring (such as GNOME Keyring or KWallet) to keep them encrypted.</source>
            <translation>Aucun trousseau de bureau n'est disponible : les mots de passe de votre compte et les jetons de connexion sont conservés sans chiffrement dans un fichier de votre dossier de données. Toute personne pouvant lire vos fichiers peut les lire.

Installez ou déverrouillez un trousseau (comme GNOME Keyring ou KWallet) pour les garder chiffrés.</translation>
        </message>
    </context>
    <context>
        <name>UpdateUi</name>
        <message>
            <source>No release notes available for %1 %2</source>
            <translation>Aucune note de version pour %1 %2</translation>
        </message>
        <message>
            <source>Checking for updates…</source>
            <translation>Recherche de mises à jour…</translation>
        </message>
        <message>
            <source>%1 is up to date (version %2)</source>
            <translation>%1 est à jour (version %2)</translation>
        </message>
        <message>
            <source>Update check failed: %1</source>
            <translation>Échec de la recherche de mises à jour : %1</translation>
        </message>
        <message>
            <source>Loading release notes…</source>
            <translation>Chargement des notes de version…</translation>
        </message>
    </context>
    <context>
        <name>ViewArea</name>
        <message>
            <source>Day</source>
            <translation>Jour</translation>
        </message>
        <message>
            <source>Week</source>
            <translation>Semaine</translation>
        </message>
        <message>
            <source>Days</source>
            <translation>Jours</translation>
        </message>
        <message>
            <source>Month</source>
            <translation>Mois</translation>
        </message>
        <message>
            <source>Year</source>
            <translation>Année</translation>
        </message>
        <message>
            <source>Grid</source>
            <translation>Grille</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Aujourd’hui</translation>
        </message>
        <message>
            <source>Days timeline span — Ctrl+Shift+1..5 for 3 / 5 / 7 / 10 / 14 days</source>
            <translation>Nombre de jours — Ctrl+Maj+1..5 pour 3 / 5 / 7 / 10 / 14 jours</translation>
        </message>
        <message numerus="yes">
            <source>%n days</source>
            <translation>
                <numerusform>%n jour</numerusform>
                <numerusform>%n jours</numerusform>
            </translation>
        </message>
        <message>
            <source>%1d</source>
            <translation>%1 j</translation>
        </message>
        <message>
            <source>Add Calendar Group…</source>
            <translation>Ajouter un groupe de calendriers…</translation>
        </message>
        <message>
            <source>Edit Current Group…</source>
            <translation>Modifier le groupe actuel…</translation>
        </message>
        <message>
            <source>Delete Current Group</source>
            <translation>Supprimer le groupe actuel</translation>
        </message>
        <message>
            <source>Delete group?</source>
            <translation>Supprimer le groupe ?</translation>
        </message>
        <message>
            <source>Delete "%1"? You can recreate it later.</source>
            <translation>Supprimer « %1 » ? Vous pourrez le recréer plus tard.</translation>
        </message>
        <message>
            <source>Today · %1</source>
            <translation>Aujourd’hui · %1</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Erreur de base de données</translation>
        </message>
        <message>
            <source>Could not delete the group.</source>
            <translation>Impossible de supprimer le groupe.</translation>
        </message>
    </context>
    <context>
        <name>ViewFormDialog</name>
        <message>
            <source>Edit Calendar Group</source>
            <translation>Modifier le groupe de calendriers</translation>
        </message>
        <message>
            <source>Add Calendar Group</source>
            <translation>Ajouter un groupe de calendriers</translation>
        </message>
        <message>
            <source>Calendar Groups are saved sets of calendars you switch between. Pick which calendars belong to this group, leave the list empty to include every visible calendar.</source>
            <translation>Les groupes de calendriers sont des ensembles enregistrés entre lesquels vous basculez. Choisissez les calendriers du groupe ; une liste vide inclut tous les calendriers visibles.</translation>
        </message>
        <message>
            <source>e.g. Work, Personal, Travel</source>
            <translation>p. ex. Travail, Personnel, Voyages</translation>
        </message>
        <message>
            <source>&amp;Name:</source>
            <translation>&amp;Nom :</translation>
        </message>
        <message>
            <source>&amp;Accent:</source>
            <translation>&amp;Couleur d’accent :</translation>
        </message>
        <message>
            <source>Calendars:</source>
            <translation>Calendriers :</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>Enregistrer</translation>
        </message>
        <message>
            <source>Create Group</source>
            <translation>Créer le groupe</translation>
        </message>
        <message>
            <source>“All Calendars” always covers every visible calendar — its membership can't be edited. Toggle individual calendars from their own menus instead.</source>
            <translation>« Tous les calendriers » couvre toujours tous les calendriers visibles — sa composition n’est pas modifiable. Affichez ou masquez chaque calendrier depuis son propre menu.</translation>
        </message>
        <message>
            <source>(no accent)</source>
            <translation>(aucune couleur)</translation>
        </message>
        <message>
            <source>Pick a group accent color</source>
            <translation>Choisir la couleur d’accent du groupe</translation>
        </message>
        <message>
            <source>Name required</source>
            <translation>Nom obligatoire</translation>
        </message>
        <message>
            <source>Please enter a name for the group.</source>
            <translation>Veuillez saisir un nom pour le groupe.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Erreur de base de données</translation>
        </message>
        <message>
            <source>Could not save the group.</source>
            <translation>Impossible d’enregistrer le groupe.</translation>
        </message>
    </context>
    <context>
        <name>Weather::GeocodingClient</name>
        <message>
            <source>Geocoding did not answer in time</source>
            <translation>La recherche de lieu n’a pas répondu à temps</translation>
        </message>
        <message>
            <source>Geocoding returned HTTP %1</source>
            <translation>La recherche de lieu a renvoyé HTTP %1</translation>
        </message>
    </context>
    <context>
        <name>Weather::Service</name>
        <message>
            <source>Open-Meteo did not answer in time</source>
            <translation>Open-Meteo n’a pas répondu à temps</translation>
        </message>
        <message>
            <source>Open-Meteo returned HTTP %1</source>
            <translation>Open-Meteo a renvoyé HTTP %1</translation>
        </message>
        <message>
            <source>Open-Meteo sent a forecast that could not be read</source>
            <translation>Open-Meteo a envoyé une prévision illisible</translation>
        </message>
    </context>
    <context>
        <name>WeatherSettingsDialog</name>
        <message>
            <source>Weather</source>
            <translation>Météo</translation>
        </message>
        <message>
            <source>Show weather alongside your calendar. Forecast comes from Open-Meteo (free, no signup). Search for a city below to set the location.</source>
            <translation>Affichez la météo à côté de votre calendrier. Les prévisions viennent d’Open-Meteo (gratuit, sans inscription). Recherchez une ville ci-dessous pour définir le lieu.</translation>
        </message>
        <message>
            <source>Enable weather</source>
            <translation>Activer la météo</translation>
        </message>
        <message>
            <source>City name or postal code</source>
            <translation>Ville ou code postal</translation>
        </message>
        <message>
            <source>Search</source>
            <translation>Rechercher</translation>
        </message>
        <message>
            <source>&amp;City:</source>
            <translation>&amp;Ville :</translation>
        </message>
        <message>
            <source>No location set.</source>
            <translation>Aucun lieu défini.</translation>
        </message>
        <message>
            <source>Current location: %1</source>
            <translation>Lieu actuel : %1</translation>
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
            <translation>&amp;Unités :</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>Enregistrer</translation>
        </message>
        <message>
            <source>No matches found.</source>
            <translation>Aucun résultat trouvé.</translation>
        </message>
        <message>
            <source>Search failed: %1</source>
            <translation>Échec de la recherche : %1</translation>
        </message>
        <message>
            <source>Searching…</source>
            <translation>Recherche…</translation>
        </message>
        <message>
            <source>Weather not saved</source>
            <translation>Météo non enregistrée</translation>
        </message>
        <message>
            <source>The weather settings could not be saved. The settings store may be read-only or full.</source>
            <translation>Les paramètres météo n’ont pas pu être enregistrés. Le stockage des paramètres est peut-être en lecture seule ou plein.</translation>
        </message>
    </context>
    <context>
        <name>Webcal::SyncClient</name>
        <message>
            <source>Invalid subscription URL: %1</source>
            <translation>URL d’abonnement non valide : %1</translation>
        </message>
        <message>
            <source>The feed is larger than %1 MB.</source>
            <translation>Le flux dépasse %1 Mo.</translation>
        </message>
        <message>
            <source>The server did not answer within %1 seconds.</source>
            <translation>Le serveur n’a pas répondu dans les %1 secondes.</translation>
        </message>
        <message>
            <source>Subscription fetch failed (%1): %2</source>
            <translation>Échec de la récupération de l’abonnement (%1) : %2</translation>
        </message>
        <message>
            <source>Subscription fetch failed: HTTP %1</source>
            <translation>Échec de la récupération de l’abonnement : HTTP %1</translation>
        </message>
        <message>
            <source>Subscription returned an empty body</source>
            <translation>L’abonnement n’a renvoyé aucun contenu</translation>
        </message>
        <message>
            <source>Subscription did not return a calendar</source>
            <translation>L’abonnement n’a pas renvoyé de calendrier</translation>
        </message>
        <message>
            <source>Subscription returned an incomplete calendar</source>
            <translation>L’abonnement a renvoyé un calendrier incomplet</translation>
        </message>
        <message>
            <source>Subscription has more than %1 events</source>
            <translation>L’abonnement contient plus de %1 événements</translation>
        </message>
        <message>
            <source>Subscription events could not be saved</source>
            <translation>Les événements de l’abonnement n’ont pas pu être enregistrés</translation>
        </message>
    </context>
    <context>
        <name>WebcalSubscriptionDialog</name>
        <message>
            <source>Add Subscription</source>
            <translation>Ajouter un abonnement</translation>
        </message>
        <message>
            <source>Subscribe to a public ICS feed (holidays, sports schedules, shared calendars). Updates pull on every sync; the calendar is read-only.</source>
            <translation>Abonnez-vous à un flux ICS public (jours fériés, calendriers sportifs, calendriers partagés). Mis à jour à chaque synchronisation ; le calendrier est en lecture seule.</translation>
        </message>
        <message>
            <source>URL</source>
            <translation>URL</translation>
        </message>
        <message>
            <source>Optional, derived from URL when blank</source>
            <translation>Facultatif, déduit de l’URL si vide</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>Nom</translation>
        </message>
        <message>
            <source>Color</source>
            <translation>Couleur</translation>
        </message>
        <message>
            <source>Subscribe</source>
            <translation>S’abonner</translation>
        </message>
        <message>
            <source>Calendar Color</source>
            <translation>Couleur du calendrier</translation>
        </message>
        <message>
            <source>URL required</source>
            <translation>URL obligatoire</translation>
        </message>
        <message>
            <source>Enter a feed URL to subscribe.</source>
            <translation>Saisissez l’URL d’un flux pour vous abonner.</translation>
        </message>
        <message>
            <source>Invalid URL</source>
            <translation>URL non valide</translation>
        </message>
        <message>
            <source>Couldn't parse "%1". Provide a full URL (https://, http://, or webcal://).</source>
            <translation>Impossible d’analyser « %1 ». Indiquez une URL complète (https://, http:// ou webcal://).</translation>
        </message>
        <message>
            <source>Couldn't save</source>
            <translation>Enregistrement impossible</translation>
        </message>
        <message>
            <source>Couldn't create the subscription calendar.</source>
            <translation>Impossible de créer le calendrier d’abonnement.</translation>
        </message>
    </context>
    <context>
        <name>WeekGridWidget</name>
        <message numerus="yes">
            <source>+%n more</source>
            <translation>
                <numerusform>+%n de plus</numerusform>
                <numerusform>+%n de plus</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>WeekTimelineWidget</name>
        <message>
            <source>%1 min</source>
            <translation>%1 min</translation>
        </message>
    </context>
    <context>
        <name>WelcomeDialog</name>
        <message>
            <source>Welcome</source>
            <translation>Bienvenue</translation>
        </message>
        <message>
            <source>Welcome to Tindlebrook Calendar</source>
            <translation>Bienvenue dans Tindlebrook Calendar</translation>
        </message>
        <message>
            <source>We've set up a Personal calendar so you can start adding events right away. Everything you create stays on this device unless you choose to sync it.

When you're ready, open Calendar Accounts to connect Google, Microsoft, or any CalDAV server (Synology, Nextcloud, Radicale, iCloud), or add another local calendar.</source>
            <translation>Nous avons créé un calendrier « Personal » pour que vous puissiez ajouter des événements tout de suite. Tout ce que vous créez reste sur cet appareil, sauf si vous choisissez de le synchroniser.

Quand vous serez prêt, ouvrez Comptes de calendrier pour connecter Google, Microsoft ou tout serveur CalDAV (Synology, Nextcloud, Radicale, iCloud), ou ajouter un autre calendrier local.</translation>
        </message>
        <message>
            <source>We've set up a Personal calendar so you can start adding events right away. Everything you create stays on this device unless you choose to sync it.

When you're ready, open Calendar Accounts to connect %1 or any CalDAV server (Synology, Nextcloud, Radicale, iCloud), or add another local calendar.</source>
            <translation>Nous avons créé un calendrier « Personal » pour que vous puissiez ajouter des événements tout de suite. Tout ce que vous créez reste sur cet appareil, sauf si vous choisissez de le synchroniser.

Quand vous serez prêt, ouvrez Comptes de calendrier pour connecter %1 ou tout serveur CalDAV (Synology, Nextcloud, Radicale, iCloud), ou ajouter un autre calendrier local.</translation>
        </message>
        <message>
            <source>We've set up a Personal calendar so you can start adding events right away. Everything you create stays on this device unless you choose to sync it.

When you're ready, open Calendar Accounts to connect any CalDAV server (Synology, Nextcloud, Radicale, iCloud), or add another local calendar.</source>
            <translation>Nous avons créé un calendrier « Personal » pour que vous puissiez ajouter des événements tout de suite. Tout ce que vous créez reste sur cet appareil, sauf si vous choisissez de le synchroniser.

Quand vous serez prêt, ouvrez Comptes de calendrier pour connecter tout serveur CalDAV (Synology, Nextcloud, Radicale, iCloud), ou ajouter un autre calendrier local.</translation>
        </message>
        <message>
            <source>Get Started</source>
            <translation>Commencer</translation>
        </message>
        <message>
            <source>Add Account…</source>
            <translation>Ajouter un compte…</translation>
        </message>
    </context>
    <context>
        <name>WinTrayPopover</name>
        <message>
            <source>Group</source>
            <translation>Groupe</translation>
        </message>
        <message>
            <source>Add event — e.g. "lunch Thursday 1pm"</source>
            <translation>Ajouter un événement — p. ex. « lunch Thursday 1pm »</translation>
        </message>
        <message>
            <source>Open Calendar</source>
            <translation>Ouvrir le calendrier</translation>
        </message>
        <message>
            <source>Sync Now</source>
            <translation>Synchroniser maintenant</translation>
        </message>
        <message>
            <source>Preferences</source>
            <translation>Préférences</translation>
        </message>
        <message>
            <source>No calendars yet</source>
            <translation>Aucun calendrier pour l’instant</translation>
        </message>
        <message>
            <source>No upcoming events</source>
            <translation>Aucun événement à venir</translation>
        </message>
        <message>
            <source>Nothing scheduled in the next 24 hours.</source>
            <translation>Rien de prévu dans les 24 prochaines heures.</translation>
        </message>
        <message>
            <source>Untitled</source>
            <translation>Sans titre</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Aujourd’hui</translation>
        </message>
        <message>
            <source>  No more events today</source>
            <translation>  Plus aucun événement aujourd’hui</translation>
        </message>
        <message>
            <source>Tomorrow</source>
            <translation>Demain</translation>
        </message>
        <message>
            <source>  Nothing scheduled</source>
            <translation>  Rien de prévu</translation>
        </message>
        <message>
            <source>All-day</source>
            <translation>Toute la journée</translation>
        </message>
        <message>
            <source>Today, all day</source>
            <translation>Aujourd’hui, toute la journée</translation>
        </message>
        <message>
            <source>Tomorrow, all day</source>
            <translation>Demain, toute la journée</translation>
        </message>
        <message>
            <source>%1 at %2</source>
            <translation>%1 à %2</translation>
        </message>
        <message>
            <source>now</source>
            <translation>maintenant</translation>
        </message>
        <message>
            <source>in %1 min</source>
            <translation>dans %1 min</translation>
        </message>
        <message>
            <source>in %1h</source>
            <translation>dans %1 h</translation>
        </message>
        <message>
            <source>in %1h %2m</source>
            <translation>dans %1 h %2 min</translation>
        </message>
        <message>
            <source>(Unnamed)</source>
            <translation>(Sans nom)</translation>
        </message>
        <message>
            <source>Couldn't save event</source>
            <translation>Impossible d’enregistrer l’événement</translation>
        </message>
    </context>
    <context>
        <name>AddressDialog</name>
        <message>
            <source>Copy</source>
            <translation>Copier</translation>
        </message>
        <message>
            <source>Copied</source>
            <translation>Copié</translation>
        </message>
        <message>
            <source>No browser opened</source>
            <translation>Aucun navigateur ne s’est ouvert</translation>
        </message>
        <message>
            <source>%1 could not be opened in a browser. Copy this address into your browser:</source>
            <translation>Impossible d’ouvrir %1 dans un navigateur. Copiez cette adresse dans votre navigateur :</translation>
        </message>
    </context>
    <context>
        <name>CloudSignIn</name>
        <message>
            <source>The sign-in page</source>
            <translation>La page de connexion</translation>
        </message>
    </context>
    <context>
        <name>SubscriptionCalendar</name>
        <message>
            <source>&quot;%1&quot; could not be loaded: %2</source>
            <translation>Impossible de charger « %1 » : %2</translation>
        </message>
        <message>
            <source>Subscription not loaded</source>
            <translation>Abonnement non chargé</translation>
        </message>
    </context>
    <context>
        <name>MeetingMove</name>
        <message>
            <source>"%1" has guests, and Outlook would send them a new invitation (or a cancellation) if it moved to "%2". It stays in "%3".</source>
            <translation>« %1 » a des invités, et Outlook leur enverrait une nouvelle invitation (ou une annulation) s’il était déplacé vers « %2 ». Il reste dans « %3 ».</translation>
        </message>
        <message>
            <source>"%1" is organized by %2, and on Google it would become your own meeting, shown to its guests without its organizer, if it moved to "%3". It stays in "%4".</source>
            <translation>« %1 » est organisé par %2, et sur Google il deviendrait votre propre réunion, que ses invités verraient sans son organisateur, s’il était déplacé vers « %3 ». Il reste dans « %4 ».</translation>
        </message>
    </context>
    <context>
        <name>RecurringEditScope</name>
        <message>
            <source>"%1" was left as it was: its repeat rule cannot move every occurrence by the same days (a day such as the 31st, or the second Monday of a month). Change the rule in the event form, or move the occurrences one at a time.</source>
            <translation>« %1 » a été laissé tel quel : sa règle de répétition ne peut pas déplacer chaque occurrence des mêmes jours (un jour comme le 31 ou le deuxième lundi d’un mois). Modifiez la règle dans le formulaire de l’événement ou déplacez les occurrences une par une.</translation>
        </message>
        <message>
            <source>"%1" was left as it was: its repeat rule cannot start again from this occurrence and keep the same days (a day such as the 31st, which shorter months move to their last day). Change the rule in the event form, or move the occurrences one at a time.</source>
            <translation>« %1 » a été laissé tel quel : sa règle de répétition ne peut pas repartir de cette occurrence en gardant les mêmes jours (un jour comme le 31, que les mois plus courts ramènent à leur dernier jour). Modifiez la règle dans le formulaire de l’événement ou déplacez les occurrences une par une.</translation>
        </message>
        <message>
            <source>The event</source>
            <translation>L’événement</translation>
        </message>
    </context>
</TS>
