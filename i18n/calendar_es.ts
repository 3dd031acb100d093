<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
    <context>
        <name>AccountFormDialog</name>
        <message>
            <source>Use your Zoho password, or an app-specific password if 2FA is enabled. Generate one at Zoho Account &gt; Security &gt; App Passwords.</source>
            <translation>Use su contraseña de Zoho o, si tiene 2FA activada, una contraseña específica de aplicación. Genérela en su cuenta de Zoho, en Zoho Account &gt; Security &gt; App Passwords.</translation>
        </message>
        <message>
            <source>iCloud requires an app-specific password. Generate one at appleid.apple.com under Sign-In and Security &gt; App-Specific Passwords.</source>
            <translation>iCloud requiere una contraseña específica de aplicación. Genérela en appleid.apple.com, en Inicio de sesión y seguridad &gt; Contraseñas específicas de apps.</translation>
        </message>
        <message>
            <source>Webcal Subscription</source>
            <translation>Suscripción webcal</translation>
        </message>
        <message>
            <source>Edit Account</source>
            <translation>Editar cuenta</translation>
        </message>
        <message>
            <source>Provider:</source>
            <translation>Proveedor:</translation>
        </message>
        <message>
            <source>Account name</source>
            <translation>Nombre de la cuenta</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>Nombre</translation>
        </message>
        <message>
            <source>(unchanged, type to replace)</source>
            <translation>(sin cambios; escriba para reemplazar)</translation>
        </message>
        <message>
            <source>Server URL</source>
            <translation>URL del servidor</translation>
        </message>
        <message>
            <source>Username</source>
            <translation>Usuario</translation>
        </message>
        <message>
            <source>App password</source>
            <translation>Contraseña de aplicación</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Contraseña</translation>
        </message>
        <message>
            <source>Sync interval</source>
            <translation>Intervalo de sincronización</translation>
        </message>
        <message>
            <source>The password is stored in your platform's secure credential store, not in the app's database.</source>
            <translation>La contraseña se guarda en el almacén seguro de credenciales de su sistema, no en la base de datos de la aplicación.</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>Guardar</translation>
        </message>
        <message>
            <source>Manual only</source>
            <translation>Solo manual</translation>
        </message>
        <message>
            <source>Every 5 minutes</source>
            <translation>Cada 5 minutos</translation>
        </message>
        <message>
            <source>Every 15 minutes</source>
            <translation>Cada 15 minutos</translation>
        </message>
        <message>
            <source>Every 30 minutes</source>
            <translation>Cada 30 minutos</translation>
        </message>
        <message>
            <source>Every hour</source>
            <translation>Cada hora</translation>
        </message>
        <message>
            <source>Every 4 hours</source>
            <translation>Cada 4 horas</translation>
        </message>
        <message>
            <source>Once a day</source>
            <translation>Una vez al día</translation>
        </message>
        <message numerus="yes">
            <source>Every %n minute(s)</source>
            <translation>
                <numerusform>Cada %n minuto</numerusform>
                <numerusform>Cada %n minutos</numerusform>
            </translation>
        </message>
        <message>
            <source>Missing field</source>
            <translation>Falta un campo</translation>
        </message>
        <message>
            <source>Account name is required.</source>
            <translation>El nombre de la cuenta es obligatorio.</translation>
        </message>
        <message>
            <source>Server URL and username are required.</source>
            <translation>La URL del servidor y el usuario son obligatorios.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Error de base de datos</translation>
        </message>
        <message>
            <source>Could not save the account.</source>
            <translation>No se pudo guardar la cuenta.</translation>
        </message>
    </context>
    <context>
        <name>AccountName</name>
        <message>
            <source>On This Device</source>
            <translation>En este dispositivo</translation>
        </message>
    </context>
    <context>
        <name>AccountRow</name>
        <message>
            <source>CalDAV Server</source>
            <translation>Servidor CalDAV</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar</source>
            <translation>Tindlebrook Calendar</translation>
        </message>
        <message>
            <source>%1 · sign in needed</source>
            <translation>%1 · hay que iniciar sesión</translation>
        </message>
        <message>
            <source>%1 · password needed</source>
            <translation>%1 · se necesita la contraseña</translation>
        </message>
        <message>
            <source>Sign in…</source>
            <translation>Iniciar sesión…</translation>
        </message>
        <message>
            <source>Sync now</source>
            <translation>Sincronizar ahora</translation>
        </message>
        <message>
            <source>Refresh calendars</source>
            <translation>Actualizar calendarios</translation>
        </message>
        <message>
            <source>Edit account…</source>
            <translation>Editar cuenta…</translation>
        </message>
        <message>
            <source>Add calendar…</source>
            <translation>Añadir calendario…</translation>
        </message>
        <message>
            <source>Move up</source>
            <translation>Subir</translation>
        </message>
        <message>
            <source>Move down</source>
            <translation>Bajar</translation>
        </message>
        <message>
            <source>Remove account…</source>
            <translation>Quitar cuenta…</translation>
        </message>
    </context>
    <context>
        <name>AgendaEventRow</name>
        <message>
            <source>All-day</source>
            <translation>Todo el día</translation>
        </message>
        <message>
            <source>(Untitled)</source>
            <translation>(Sin título)</translation>
        </message>
    </context>
    <context>
        <name>AgendaListWidget</name>
        <message>
            <source>No upcoming events</source>
            <translation>No hay eventos próximos</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Hoy</translation>
        </message>
        <message>
            <source>Tomorrow</source>
            <translation>Mañana</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>Editar…</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Eliminar</translation>
        </message>
        <message>
            <source>Mark Incomplete</source>
            <translation>Marcar como pendiente</translation>
        </message>
        <message>
            <source>Mark Complete</source>
            <translation>Marcar como completada</translation>
        </message>
        <message>
            <source>Delete task?</source>
            <translation>¿Eliminar la tarea?</translation>
        </message>
        <message>
            <source>Delete "%1"? This cannot be undone.</source>
            <translation>¿Eliminar «%1»? Esta acción no se puede deshacer.</translation>
        </message>
    </context>
    <context>
        <name>AgendaTaskRow</name>
        <message>
            <source>(Untitled)</source>
            <translation>(Sin título)</translation>
        </message>
        <message>
            <source>Overdue</source>
            <translation>Vencidas</translation>
        </message>
    </context>
    <context>
        <name>AllDayStrip</name>
        <message>
            <source>all-day</source>
            <translation>todo el día</translation>
        </message>
        <message>
            <source>+%1 more</source>
            <translation>+%1 más</translation>
        </message>
    </context>
    <context>
        <name>Application</name>
        <message>
            <source>Failed to initialize the database.

Data directory: %1

Please check file permissions and try again.</source>
            <translation>No se pudo inicializar la base de datos.

Carpeta de datos: %1

Compruebe los permisos de los archivos e inténtelo de nuevo.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Error de base de datos</translation>
        </message>
        <message>
            <source>Calendar Already Running</source>
            <translation>El calendario ya está abierto</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar is already running on this data folder and did not respond.

Data directory: %1

Close the running calendar, or wait for it to respond, and try again.</source>
            <translation>Tindlebrook Calendar ya se está ejecutando con esta carpeta de datos y no ha respondido.

Carpeta de datos: %1

Cierre el calendario en ejecución, o espere a que responda, e inténtelo de nuevo.</translation>
        </message>
        <message>
            <source>Data Folder Not Writable</source>
            <translation>No se puede escribir en la carpeta de datos</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar cannot write to its data folder.

Data directory: %1

Make the folder writable for your user and try again.</source>
            <translation>Tindlebrook Calendar no puede escribir en su carpeta de datos.

Carpeta de datos: %1

Permita que su usuario escriba en la carpeta y vuelva a intentarlo.</translation>
        </message>
        <message>
            <source>Data Folder Used by Another Computer</source>
            <translation>Carpeta de datos en uso en otro equipo</translation>
        </message>
        <message>
            <source>The data folder is in use by Tindlebrook Calendar on another computer (%1).

Lock file: %2

Close the calendar on that computer and try again. If it is not running there (for example, the folder was copied from that computer), delete the lock file and start again.</source>
            <translation>Tindlebrook Calendar está usando la carpeta de datos en otro equipo (%1).

Archivo de bloqueo: %2

Cierre el calendario en ese equipo e inténtelo de nuevo. Si no se está ejecutando allí (por ejemplo, porque la carpeta se copió desde ese equipo), elimine el archivo de bloqueo y vuelva a iniciarlo.</translation>
        </message>
    </context>
    <context>
        <name>CalDavCertificateDialog</name>
        <message>
            <source>Untrusted certificate</source>
            <translation>Certificado no fiable</translation>
        </message>
        <message>
            <source>Trust this certificate?</source>
            <translation>¿Confiar en este certificado?</translation>
        </message>
        <message>
            <source>%1:%2 presented a TLS certificate that doesn't chain to a trusted root. Review it before trusting it, anyone with this fingerprint can impersonate the server.</source>
            <translation>%1:%2 presentó un certificado TLS que no lleva a una raíz de confianza. Revíselo antes de confiar en él: cualquiera con esta huella digital puede suplantar al servidor.</translation>
        </message>
        <message>
            <source>(unknown)</source>
            <translation>(desconocido)</translation>
        </message>
        <message>
            <source>Subject</source>
            <translation>Sujeto</translation>
        </message>
        <message>
            <source>Issuer</source>
            <translation>Emisor</translation>
        </message>
        <message>
            <source>Valid from</source>
            <translation>Válido desde</translation>
        </message>
        <message>
            <source>Valid until</source>
            <translation>Válido hasta</translation>
        </message>
        <message>
            <source>SHA-256</source>
            <translation>SHA-256</translation>
        </message>
        <message>
            <source>Errors</source>
            <translation>Errores</translation>
        </message>
        <message>
            <source>Only trust this certificate if you control the server and recognize the fingerprint. Trusting a malicious certificate gives attackers full access to your calendar data.</source>
            <translation>Confíe en este certificado solo si controla el servidor y reconoce la huella digital. Confiar en un certificado malicioso da a los atacantes acceso total a sus datos de calendario.</translation>
        </message>
        <message>
            <source>Trust certificate</source>
            <translation>Confiar en el certificado</translation>
        </message>
    </context>
    <context>
        <name>CalDavClient</name>
        <message>
            <source>The server did not answer within %1 seconds.</source>
            <translation>El servidor no respondió en %1 segundos.</translation>
        </message>
        <message>
            <source>The server's reply was cut off (%1 of %2 bytes).</source>
            <translation>La respuesta del servidor se cortó (%1 de %2 bytes).</translation>
        </message>
    </context>
    <context>
        <name>CalDavConnectionDialog</name>
        <message>
            <source>Add CalDAV Server</source>
            <translation>Añadir servidor CalDAV</translation>
        </message>
        <message>
            <source>Connect to a CalDAV server (Radicale, Baikal, Nextcloud, iCloud, Fastmail, Zoho, ...). Enter the server URL or your account URL, discovery will find your calendars from there.</source>
            <translation>Conéctese a un servidor CalDAV (Radicale, Baikal, Nextcloud, iCloud, Fastmail, Zoho, ...). Introduzca la URL del servidor o de su cuenta; la detección encontrará sus calendarios a partir de ahí.</translation>
        </message>
        <message>
            <source>Your username or email</source>
            <translation>Su usuario o correo electrónico</translation>
        </message>
        <message>
            <source>e.g. Work Nextcloud</source>
            <translation>p. ej. Nextcloud del trabajo</translation>
        </message>
        <message>
            <source>&amp;Server URL:</source>
            <translation>URL del &amp;servidor:</translation>
        </message>
        <message>
            <source>&amp;Username:</source>
            <translation>&amp;Usuario:</translation>
        </message>
        <message>
            <source>&amp;Password:</source>
            <translation>&amp;Contraseña:</translation>
        </message>
        <message>
            <source>&amp;Account name:</source>
            <translation>&amp;Nombre de la cuenta:</translation>
        </message>
        <message>
            <source>Discover Calendars</source>
            <translation>Detectar calendarios</translation>
        </message>
        <message>
            <source>Add Calendars</source>
            <translation>Añadir calendarios</translation>
        </message>
        <message>
            <source>Enter the server URL and your username first.</source>
            <translation>Introduzca primero la URL del servidor y su usuario.</translation>
        </message>
        <message>
            <source>Connecting…</source>
            <translation>Conectando…</translation>
        </message>
        <message>
            <source>Found %1 calendar(s). Pick which to add.</source>
            <translation>Se encontraron %1 calendario(s). Elija cuáles añadir.</translation>
        </message>
        <message>
            <source>Connection cancelled, certificate not trusted.</source>
            <translation>Conexión cancelada: no se confió en el certificado.</translation>
        </message>
        <message>
            <source>Certificate trusted. Retrying…</source>
            <translation>Certificado aceptado. Reintentando…</translation>
        </message>
        <message>
            <source>Discover first</source>
            <translation>Detecte primero</translation>
        </message>
        <message>
            <source>Click "Discover Calendars" before saving.</source>
            <translation>Haga clic en «Detectar calendarios» antes de guardar.</translation>
        </message>
        <message>
            <source>Pick at least one</source>
            <translation>Elija al menos uno</translation>
        </message>
        <message>
            <source>Select one or more calendars to add.</source>
            <translation>Seleccione uno o más calendarios para añadir.</translation>
        </message>
        <message>
            <source>Already added</source>
            <translation>Ya añadido</translation>
        </message>
        <message>
            <source>This server is already added as "%1". Its calendars are already available — no need to add it again.</source>
            <translation>Este servidor ya está añadido como «%1». Sus calendarios ya están disponibles; no hace falta volver a añadirlo.</translation>
        </message>
        <message>
            <source>CalDAV (%1)</source>
            <translation>CalDAV (%1)</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Error de base de datos</translation>
        </message>
        <message>
            <source>Could not save the account.</source>
            <translation>No se pudo guardar la cuenta.</translation>
        </message>
        <message>
            <source>Unencrypted Connection</source>
            <translation>Conexión sin cifrar</translation>
        </message>
        <message>
            <source>%1 is reached over plain http: your password will travel unencrypted, and anyone on the network between you and the server can read it.

Save this account anyway?</source>
            <translation>%1 se alcanza mediante http sin cifrar: su contraseña viajará sin cifrar y cualquiera en la red entre usted y el servidor podrá leerla.

¿Guardar esta cuenta de todos modos?</translation>
        </message>
        <message>
            <source>&quot;Add Calendars&quot; creates one on the server.</source>
            <translation>«Añadir calendarios» crea uno en el servidor.</translation>
        </message>
        <message>
            <source>Could not remove the account that has no calendar.</source>
            <translation>No se pudo eliminar la cuenta que no tiene calendario.</translation>
        </message>
        <message>
            <source>Connection cancelled: the password would have travelled unencrypted.</source>
            <translation>Conexión cancelada: la contraseña habría viajado sin cifrar.</translation>
        </message>
        <message>
            <source>%1 is reached over plain http: your password will travel unencrypted, and anyone on the network between you and the server can read it.

Connect anyway?</source>
            <translation>%1 se alcanza mediante http sin cifrar: su contraseña viajará sin cifrar y cualquiera en la red entre usted y el servidor podrá leerla.

¿Conectar de todos modos?</translation>
        </message>
    </context>
    <context>
        <name>CalDavDiscovery</name>
        <message>
            <source>Enter a CalDAV URL starting with http:// or https://</source>
            <translation>Introduzca una URL de CalDAV que empiece por http:// o https://</translation>
        </message>
        <message>
            <source>Could not reach the server: %1</source>
            <translation>No se pudo conectar con el servidor: %1</translation>
        </message>
        <message>
            <source>no connection</source>
            <translation>sin conexión</translation>
        </message>
        <message>
            <source>The server rejected the username or password.</source>
            <translation>El servidor rechazó el usuario o la contraseña.</translation>
        </message>
        <message>
            <source>Could not find a CalDAV account on that server. Check the URL.</source>
            <translation>No se encontró ninguna cuenta CalDAV en ese servidor. Compruebe la URL.</translation>
        </message>
        <message>
            <source>Lost connection during calendar-home-set discovery: %1</source>
            <translation>Se perdió la conexión al buscar la carpeta de calendarios: %1</translation>
        </message>
        <message>
            <source>Server returned HTTP %1 during home-set discovery.</source>
            <translation>El servidor devolvió HTTP %1 al buscar la carpeta de calendarios.</translation>
        </message>
        <message>
            <source>Lost connection during calendar enumeration: %1</source>
            <translation>Se perdió la conexión al enumerar los calendarios: %1</translation>
        </message>
        <message>
            <source>Server returned HTTP %1 during calendar enumeration.</source>
            <translation>El servidor devolvió HTTP %1 al enumerar los calendarios.</translation>
        </message>
        <message>
            <source>No calendars found at the discovered home set.</source>
            <translation>No se encontraron calendarios en la carpeta detectada.</translation>
        </message>
        <message>
            <source>The server pointed to %1, which is not the address you entered; the password is not sent there.</source>
            <translation>El servidor remitió a %1, que no es la dirección que introdujo; la contraseña no se envía allí.</translation>
        </message>
    </context>
    <context>
        <name>CalDavSyncClient</name>
        <message>
            <source>Push error: %1</source>
            <translation>Error al enviar: %1</translation>
        </message>
        <message>
            <source>"%1" is one occurrence of a repeating event and went back to its series' calendar.</source>
            <translation>«%1» es una repetición de un evento periódico y ha vuelto al calendario de su serie.</translation>
        </message>
        <message numerus="yes">
            <source>%n item(s) could not be sent to the server: %1</source>
            <translation>
                <numerusform>No se pudo enviar %n elemento al servidor: %1</numerusform>
                <numerusform>No se pudieron enviar %n elementos al servidor: %1</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n pulled event(s) could not be saved: %1</source>
            <translation>
                <numerusform>No se pudo guardar %n evento descargado: %1</numerusform>
                <numerusform>No se pudieron guardar %n eventos descargados: %1</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n pulled task(s) could not be saved: %1</source>
            <translation>
                <numerusform>No se pudo guardar %n tarea descargada: %1</numerusform>
                <numerusform>No se pudieron guardar %n tareas descargadas: %1</numerusform>
            </translation>
        </message>
        <message>
            <source>"%1" was moved to your local task list: this calendar does not accept tasks. Task support has been turned off for it.</source>
            <translation>«%1» se movió a su lista de tareas local: este calendario no admite tareas. Se han desactivado las tareas en este calendario.</translation>
        </message>
        <message>
            <source>"%1" was rejected: this calendar does not accept tasks. Task support has been turned off for it.</source>
            <translation>«%1» fue rechazada: este calendario no admite tareas. Se han desactivado las tareas en este calendario.</translation>
        </message>
        <message>
            <source>"%1" (HTTP %2), kept in "%3" until this calendar's server accepts it</source>
            <translation>«%1» (HTTP %2), se mantiene en «%3» hasta que el servidor de este calendario la acepte</translation>
        </message>
        <message>
            <source>"%1" (its UID or time zone cannot be written as it is)</source>
            <translation>«%1» (su UID o su zona horaria no se puede escribir tal cual)</translation>
        </message>
        <message>
            <source>Could not read the stored events of this calendar; nothing was changed.</source>
            <translation>No se pudieron leer los eventos guardados de este calendario; no se cambió nada.</translation>
        </message>
        <message>
            <source>Could not save the pulled events: %1</source>
            <translation>No se pudieron guardar los eventos descargados: %1</translation>
        </message>
        <message>
            <source>Could not save the pulled tasks: %1</source>
            <translation>No se pudieron guardar las tareas descargadas: %1</translation>
        </message>
        <message>
            <source>Network error during task pull: %1</source>
            <translation>Error de red al descargar las tareas: %1</translation>
        </message>
        <message>
            <source>Network error: %1</source>
            <translation>Error de red: %1</translation>
        </message>
        <message>
            <source>Server returned HTTP %1</source>
            <translation>El servidor devolvió HTTP %1</translation>
        </message>
        <message>
            <source>Server returned HTTP %1 during ctag check</source>
            <translation>El servidor devolvió HTTP %1 al comprobar el ctag</translation>
        </message>
        <message>
            <source>Server returned HTTP %1 during task pull</source>
            <translation>El servidor devolvió HTTP %1 al descargar las tareas</translation>
        </message>
        <message>
            <source>Task push error: %1</source>
            <translation>Error al enviar la tarea: %1</translation>
        </message>
        <message>
            <source>The server's calendar listing was incomplete (HTTP %1); nothing was changed.</source>
            <translation>El listado del calendario del servidor estaba incompleto (HTTP %1); no se cambió nada.</translation>
        </message>
        <message>
            <source>The server's task listing was incomplete (HTTP %1); nothing was changed.</source>
            <translation>El listado de tareas del servidor estaba incompleto (HTTP %1); no se cambió nada.</translation>
        </message>
    </context>
    <context>
        <name>CalendarFormDialog</name>
        <message>
            <source>Missing password</source>
            <translation>Falta la contraseña</translation>
        </message>
        <message>
            <source>No saved password for this account. Edit the account first to re-enter your credentials.</source>
            <translation>No hay contraseña guardada para esta cuenta. Edite primero la cuenta para volver a introducir sus credenciales.</translation>
        </message>
        <message>
            <source>Creating calendar on server…</source>
            <translation>Creando el calendario en el servidor…</translation>
        </message>
        <message>
            <source>Network error: %1</source>
            <translation>Error de red: %1</translation>
        </message>
        <message>
            <source>Server refused (HTTP %1). Your account may not have permission to create calendars on this server.</source>
            <translation>El servidor lo rechazó (HTTP %1). Puede que su cuenta no tenga permiso para crear calendarios en este servidor.</translation>
        </message>
        <message>
            <source>Server returned success but the new calendar isn't reachable. This server may not support MKCALENDAR.</source>
            <translation>El servidor indicó éxito, pero no se puede acceder al nuevo calendario. Puede que este servidor no admita MKCALENDAR.</translation>
        </message>
        <message>
            <source>Created on server, but couldn't save locally. Run sync to recover.</source>
            <translation>Creado en el servidor, pero no se pudo guardar localmente. Ejecute una sincronización para recuperarlo.</translation>
        </message>
        <message>
            <source>Account missing</source>
            <translation>Falta la cuenta</translation>
        </message>
        <message>
            <source>Could not find the parent account.</source>
            <translation>No se encontró la cuenta principal.</translation>
        </message>
        <message>
            <source>Saving changes to server…</source>
            <translation>Guardando los cambios en el servidor…</translation>
        </message>
        <message>
            <source>The server's answer could not be read, so the change may not have been made. Try again.</source>
            <translation>No se pudo leer la respuesta del servidor, así que puede que el cambio no se haya aplicado. Inténtelo de nuevo.</translation>
        </message>
        <message>
            <source>Server refused (HTTP %1). You may not have permission to rename or recolour this calendar.</source>
            <translation>El servidor lo rechazó (HTTP %1). Puede que no tenga permiso para renombrar este calendario o cambiar su color.</translation>
        </message>
        <message>
            <source>Saved on server, but couldn't update locally.</source>
            <translation>Guardado en el servidor, pero no se pudo actualizar localmente.</translation>
        </message>
        <message>
            <source>Checking whether this calendar accepts tasks…</source>
            <translation>Comprobando si este calendario admite tareas…</translation>
        </message>
        <message>
            <source>This calendar does not accept tasks (server returned HTTP %1).</source>
            <translation>Este calendario no admite tareas (el servidor devolvió HTTP %1).</translation>
        </message>
        <message>
            <source>Couldn't verify task support: %1</source>
            <translation>No se pudo comprobar si admite tareas: %1</translation>
        </message>
        <message>
            <source>Add Calendar</source>
            <translation>Añadir calendario</translation>
        </message>
        <message>
            <source>Add Calendar to %1</source>
            <translation>Añadir calendario a %1</translation>
        </message>
        <message>
            <source>Edit Calendar</source>
            <translation>Editar calendario</translation>
        </message>
        <message>
            <source>The calendar is kept on this device only. It is not sent to any server.</source>
            <translation>El calendario se guarda solo en este dispositivo. No se envía a ningún servidor.</translation>
        </message>
        <message>
            <source>Create a new calendar on the CalDAV server. The server must allow MKCALENDAR for your user; if it refuses, the calendar will not be created.</source>
            <translation>Crea un calendario nuevo en el servidor CalDAV. El servidor debe permitir MKCALENDAR a su usuario; si lo rechaza, no se creará el calendario.</translation>
        </message>
        <message>
            <source>e.g. Personal, Work, Family</source>
            <translation>p. ej. Personal, Trabajo, Familia</translation>
        </message>
        <message>
            <source>&amp;Name:</source>
            <translation>&amp;Nombre:</translation>
        </message>
        <message>
            <source>&amp;Color:</source>
            <translation>&amp;Color:</translation>
        </message>
        <message>
            <source>Allow tasks on this calendar</source>
            <translation>Permitir tareas en este calendario</translation>
        </message>
        <message>
            <source>Store tasks here even if the server doesn't advertise task support. Enable only if your provider (such as Fastmail) accepts tasks.</source>
            <translation>Guarda tareas aquí aunque el servidor no indique que las admite. Actívelo solo si su proveedor (como Fastmail) acepta tareas.</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>Guardar</translation>
        </message>
        <message>
            <source>Create</source>
            <translation>Crear</translation>
        </message>
        <message>
            <source>Name required</source>
            <translation>Nombre obligatorio</translation>
        </message>
        <message>
            <source>Please enter a name for the calendar.</source>
            <translation>Introduzca un nombre para el calendario.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Error de base de datos</translation>
        </message>
        <message>
            <source>Could not create the local account row.</source>
            <translation>No se pudo crear el registro de la cuenta local.</translation>
        </message>
        <message>
            <source>Could not save the calendar.</source>
            <translation>No se pudo guardar el calendario.</translation>
        </message>
        <message>
            <source>Pick a calendar color</source>
            <translation>Elegir el color del calendario</translation>
        </message>
        <message>
            <source>Calendar on another server</source>
            <translation>Calendario en otro servidor</translation>
        </message>
        <message>
            <source>%1 is not on this account's server (%2), so your password is not sent there.</source>
            <translation>%1 no está en el servidor de esta cuenta (%2), así que su contraseña no se envía allí.</translation>
        </message>
    </context>
    <context>
        <name>CalendarGroupName</name>
        <message>
            <source>All Calendars</source>
            <translation>Todos los calendarios</translation>
        </message>
    </context>
    <context>
        <name>CalendarRow</name>
        <message>
            <source>Show this calendar in views</source>
            <translation>Mostrar este calendario en las vistas</translation>
        </message>
        <message>
            <source>Sign in to sync</source>
            <translation>Inicie sesión para sincronizar</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>Predeterminado</translation>
        </message>
        <message>
            <source>Edit calendar…</source>
            <translation>Editar calendario…</translation>
        </message>
        <message>
            <source>Set as default</source>
            <translation>Establecer como predeterminado</translation>
        </message>
        <message>
            <source>Share…</source>
            <translation>Compartir…</translation>
        </message>
        <message>
            <source>Remove calendar…</source>
            <translation>Quitar calendario…</translation>
        </message>
    </context>
    <context>
        <name>CommandPalette</name>
        <message>
            <source>Find an event or run a command — today, goto, view, new, resync…</source>
            <translation>Busque un evento o ejecute un comando: today, goto, view, new, resync…</translation>
        </message>
        <message>
            <source>today</source>
            <translation>today</translation>
        </message>
        <message>
            <source>Snap the calendar to today</source>
            <translation>Ir a hoy en el calendario</translation>
        </message>
        <message>
            <source>goto YYYY-MM-DD</source>
            <translation>goto AAAA-MM-DD</translation>
        </message>
        <message>
            <source>Jump to a specific date in Day view</source>
            <translation>Ir a una fecha concreta en la vista de día</translation>
        </message>
        <message>
            <source>view &lt;mode|name&gt;</source>
            <translation>view &lt;modo|nombre&gt;</translation>
        </message>
        <message>
            <source>Switch view mode (day/week/grid/month/year) or active calendar group</source>
            <translation>Cambiar la vista (day/week/grid/month/year) o el grupo de calendarios activo</translation>
        </message>
        <message>
            <source>new &lt;event description&gt;</source>
            <translation>new &lt;descripción del evento&gt;</translation>
        </message>
        <message>
            <source>Quick-add an event using the NL parser</source>
            <translation>Añadir rápidamente un evento escrito en lenguaje natural</translation>
        </message>
        <message>
            <source>resync</source>
            <translation>resync</translation>
        </message>
        <message>
            <source>Pull + push every CalDAV calendar</source>
            <translation>Descargar y enviar todos los calendarios CalDAV</translation>
        </message>
        <message>
            <source>notifytest</source>
            <translation>notifytest</translation>
        </message>
        <message>
            <source>Fire a test tray notification (verifies the pipeline)</source>
            <translation>Enviar una notificación de prueba (comprueba la entrega)</translation>
        </message>
        <message>
            <source>Switch to Day view</source>
            <translation>Cambiar a la vista de día</translation>
        </message>
        <message>
            <source>Switch to Week view (locale-bracketed 7 days)</source>
            <translation>Cambiar a la vista de semana (7 días según la región)</translation>
        </message>
        <message>
            <source>Switch to Days view (sliding window)</source>
            <translation>Cambiar a la vista de días (ventana móvil)</translation>
        </message>
        <message>
            <source>Switch to Grid view</source>
            <translation>Cambiar a la vista de cuadrícula</translation>
        </message>
        <message>
            <source>Switch to Month view</source>
            <translation>Cambiar a la vista de mes</translation>
        </message>
        <message>
            <source>Switch to Year view</source>
            <translation>Cambiar a la vista de año</translation>
        </message>
        <message>
            <source>Days view, 3-day sliding window</source>
            <translation>Vista de días, 3 días</translation>
        </message>
        <message>
            <source>Days view, 5-day sliding window</source>
            <translation>Vista de días, 5 días</translation>
        </message>
        <message>
            <source>Days view, 10-day medium-term horizon</source>
            <translation>Vista de días, 10 días</translation>
        </message>
        <message>
            <source>Days view, 14-day fortnight horizon</source>
            <translation>Vista de días, 14 días</translation>
        </message>
        <message>
            <source>all-day</source>
            <translation>todo el día</translation>
        </message>
        <message>
            <source>(Untitled)</source>
            <translation>(Sin título)</translation>
        </message>
        <message>
            <source>Event: %1   —   %2 · %3</source>
            <translation>Evento: %1   —   %2 · %3</translation>
        </message>
    </context>
    <context>
        <name>DBusNotifier</name>
        <message>
            <source>Open</source>
            <translation>Abrir</translation>
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
            <translation>Recordatorios — Tindlebrook Calendar</translation>
        </message>
    </context>
    <context>
        <name>DetachedTasksWindow</name>
        <message>
            <source>Tasks — Tindlebrook Calendar</source>
            <translation>Tareas — Tindlebrook Calendar</translation>
        </message>
    </context>
    <context>
        <name>EventActions</name>
        <message>
            <source>Couldn't save the change</source>
            <translation>No se pudo guardar el cambio</translation>
        </message>
        <message>
            <source>Couldn't delete the event</source>
            <translation>No se pudo eliminar el evento</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>Editar…</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Eliminar</translation>
        </message>
        <message>
            <source>Edit filter "%1"…</source>
            <translation>Editar filtro «%1»…</translation>
        </message>
        <message>
            <source>Create Filter from Event…</source>
            <translation>Crear filtro a partir del evento…</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Evento</translation>
        </message>
        <message>
            <source>Delete "%1"? You can undo with %2.</source>
            <translation>¿Eliminar «%1»? Puede deshacerlo con %2.</translation>
        </message>
        <message>
            <source>Delete event?</source>
            <translation>¿Eliminar el evento?</translation>
        </message>
        <message>
            <source>%1 (copy)</source>
            <translation>%1 (copia)</translation>
        </message>
        <message>
            <source>Couldn't duplicate the event</source>
            <translation>No se pudo duplicar el evento</translation>
        </message>
    </context>
    <context>
        <name>EventDetailsPopover</name>
        <message>
            <source>Edit…</source>
            <translation>Editar…</translation>
        </message>
        <message>
            <source>Duplicate</source>
            <translation>Duplicar</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Eliminar</translation>
        </message>
        <message>
            <source>(Untitled)</source>
            <translation>(Sin título)</translation>
        </message>
        <message>
            <source>Organizer: %1</source>
            <translation>Organizador: %1</translation>
        </message>
        <message>
            <source>Unknown calendar</source>
            <translation>Calendario desconocido</translation>
        </message>
        <message>
            <source>(Untitled task)</source>
            <translation>(Tarea sin título)</translation>
        </message>
        <message>
            <source>Linked task:</source>
            <translation>Tarea vinculada:</translation>
        </message>
        <message>
            <source>All-day</source>
            <translation>Todo el día</translation>
        </message>
    </context>
    <context>
        <name>EventEditor</name>
        <message>
            <source>Moved "%1"</source>
            <translation>«%1» movido</translation>
        </message>
        <message>
            <source>Resized "%1"</source>
            <translation>Duración de «%1» cambiada</translation>
        </message>
        <message>
            <source>Deleted "%1"</source>
            <translation>«%1» eliminado</translation>
        </message>
        <message>
            <source>"%1" could not be stored, so nothing was changed. The log has the details.</source>
            <translation>No se pudo guardar «%1», así que no se cambió nada. Los detalles están en el registro.</translation>
        </message>
        <message>
            <source>"%1" could not be deleted. The log has the details.</source>
            <translation>No se pudo eliminar «%1». Los detalles están en el registro.</translation>
        </message>
        <message>
            <source>The copy could not be stored. The log has the details.</source>
            <translation>No se pudo guardar la copia. Los detalles están en el registro.</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Evento</translation>
        </message>
        <message>
            <source>"%1" was copied to its new calendar, but could not be removed from the old one. The log has the details.</source>
            <translation>«%1» se copió a su nuevo calendario, pero no se pudo quitar del anterior. Los detalles están en el registro.</translation>
        </message>
        <message>
            <source>"%1" is one occurrence of a repeating event and stays in its calendar. To move it, move the whole series.</source>
            <translation>«%1» es una repetición de un evento periódico y se queda en su calendario. Para moverla, mueva toda la serie.</translation>
        </message>
    </context>
    <context>
        <name>EventFormDialog</name>
        <message>
            <source>New Event</source>
            <translation>Nuevo evento</translation>
        </message>
        <message>
            <source>Edit Event</source>
            <translation>Editar evento</translation>
        </message>
        <message>
            <source>Edit event</source>
            <translation>Editar evento</translation>
        </message>
        <message>
            <source>New event</source>
            <translation>Nuevo evento</translation>
        </message>
        <message>
            <source>Update the details below and save to apply.</source>
            <translation>Actualice los datos y guarde para aplicarlos.</translation>
        </message>
        <message>
            <source>Fill in the basics. Start time and calendar are required.</source>
            <translation>Rellene lo básico. La hora de inicio y el calendario son obligatorios.</translation>
        </message>
        <message>
            <source>Team sync, Dentist…</source>
            <translation>Reunión de equipo, dentista…</translation>
        </message>
        <message>
            <source>&amp;Title</source>
            <translation>&amp;Título</translation>
        </message>
        <message>
            <source>&amp;Calendar</source>
            <translation>&amp;Calendario</translation>
        </message>
        <message>
            <source>&amp;Starts</source>
            <translation>&amp;Inicio</translation>
        </message>
        <message>
            <source>&amp;Ends</source>
            <translation>&amp;Fin</translation>
        </message>
        <message>
            <source>All day</source>
            <translation>Todo el día</translation>
        </message>
        <message>
            <source>Address, room, or video link</source>
            <translation>Dirección, sala o enlace de vídeo</translation>
        </message>
        <message>
            <source>&amp;Location</source>
            <translation>&amp;Ubicación</translation>
        </message>
        <message>
            <source>Notes, agenda, links…</source>
            <translation>Notas, orden del día, enlaces…</translation>
        </message>
        <message>
            <source>&amp;Notes</source>
            <translation>&amp;Notas</translation>
        </message>
        <message>
            <source>Save changes</source>
            <translation>Guardar cambios</translation>
        </message>
        <message>
            <source>Create event</source>
            <translation>Crear evento</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Cancelar</translation>
        </message>
        <message>
            <source>Title required</source>
            <translation>Título obligatorio</translation>
        </message>
        <message>
            <source>Please enter a title for the event.</source>
            <translation>Introduzca un título para el evento.</translation>
        </message>
        <message>
            <source>No calendars</source>
            <translation>No hay calendarios</translation>
        </message>
        <message>
            <source>Create a calendar first.</source>
            <translation>Cree primero un calendario.</translation>
        </message>
        <message>
            <source>End before start</source>
            <translation>Fin anterior al inicio</translation>
        </message>
        <message>
            <source>The end time is earlier than the start time.</source>
            <translation>La hora de fin es anterior a la de inicio.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Error de base de datos</translation>
        </message>
        <message>
            <source>Could not save the event.</source>
            <translation>No se pudo guardar el evento.</translation>
        </message>
        <message>
            <source>+ Add attendee</source>
            <translation>+ Añadir asistente</translation>
        </message>
        <message>
            <source>Going</source>
            <translation>Asistiré</translation>
        </message>
        <message>
            <source>Declined</source>
            <translation>Rechazado</translation>
        </message>
        <message>
            <source>Maybe</source>
            <translation>Quizás</translation>
        </message>
        <message>
            <source>Delegated</source>
            <translation>Delegado</translation>
        </message>
        <message>
            <source>No response</source>
            <translation>Sin respuesta</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>Nombre</translation>
        </message>
        <message>
            <source>name@example.com</source>
            <translation>nombre@example.com</translation>
        </message>
        <message>
            <source>From template…</source>
            <translation>Desde plantilla…</translation>
        </message>
        <message>
            <source>Color</source>
            <translation>Color</translation>
        </message>
        <message>
            <source>&amp;Repeats</source>
            <translation>&amp;Repetir</translation>
        </message>
        <message>
            <source>Re&amp;minders</source>
            <translation>Reco&amp;rdatorios</translation>
        </message>
        <message>
            <source>Attendees</source>
            <translation>Asistentes</translation>
        </message>
        <message>
            <source>Use calendar color</source>
            <translation>Usar el color del calendario</translation>
        </message>
        <message>
            <source>Inheriting calendar color (%1). Click to override.</source>
            <translation>Usa el color del calendario (%1). Haga clic para cambiarlo.</translation>
        </message>
        <message>
            <source>Custom color (%1). Click to change.</source>
            <translation>Color personalizado (%1). Haga clic para cambiarlo.</translation>
        </message>
        <message>
            <source>Event color</source>
            <translation>Color del evento</translation>
        </message>
        <message>
            <source>Does not repeat</source>
            <translation>No se repite</translation>
        </message>
        <message>
            <source>No templates</source>
            <translation>No hay plantillas</translation>
        </message>
        <message>
            <source>You haven't created any event templates yet. Open Tools → Manage Templates to create one.</source>
            <translation>Todavía no ha creado plantillas de eventos. Abra Herramientas → Gestionar plantillas para crear una.</translation>
        </message>
        <message>
            <source>+ Add reminder</source>
            <translation>+ Añadir recordatorio</translation>
        </message>
        <message>
            <source>Couldn't save the change</source>
            <translation>No se pudo guardar el cambio</translation>
        </message>
    </context>
    <context>
        <name>FilterFormDialog</name>
        <message>
            <source>Pattern Match</source>
            <translation>Coincidencia de texto</translation>
        </message>
        <message>
            <source>Time-Based</source>
            <translation>Por hora</translation>
        </message>
        <message>
            <source>Specific Event</source>
            <translation>Evento concreto</translation>
        </message>
        <message>
            <source>All-Day Events</source>
            <translation>Eventos de todo el día</translation>
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
            <translation>mié</translation>
        </message>
        <message>
            <source>Thu</source>
            <translation>jue</translation>
        </message>
        <message>
            <source>Fri</source>
            <translation>vie</translation>
        </message>
        <message>
            <source>Sat</source>
            <translation>sáb</translation>
        </message>
        <message>
            <source>Sun</source>
            <translation>dom</translation>
        </message>
        <message>
            <source>Add Filter</source>
            <translation>Añadir filtro</translation>
        </message>
        <message>
            <source>Edit Filter</source>
            <translation>Editar filtro</translation>
        </message>
        <message>
            <source>Edit filter</source>
            <translation>Editar filtro</translation>
        </message>
        <message>
            <source>New filter</source>
            <translation>Nuevo filtro</translation>
        </message>
        <message>
            <source>Filters hide or dim events that match — they don't delete anything, and you can toggle the whole set off from the filters pill in the status bar.</source>
            <translation>Los filtros ocultan o atenúan los eventos que coinciden; no eliminan nada y puede desactivarlos todos desde el indicador de filtros de la barra de estado.</translation>
        </message>
        <message>
            <source>Hide standups, Dim birthdays…</source>
            <translation>Ocultar reuniones diarias, atenuar cumpleaños…</translation>
        </message>
        <message>
            <source>&amp;Name</source>
            <translation>&amp;Nombre</translation>
        </message>
        <message>
            <source>Hide completely</source>
            <translation>Ocultar por completo</translation>
        </message>
        <message>
            <source>Dim (still visible, faded)</source>
            <translation>Atenuar (visible, pero tenue)</translation>
        </message>
        <message>
            <source>&amp;Action</source>
            <translation>&amp;Acción</translation>
        </message>
        <message>
            <source>Suppress reminders for matched events</source>
            <translation>Silenciar los recordatorios de los eventos que coinciden</translation>
        </message>
        <message>
            <source>Enabled</source>
            <translation>Activado</translation>
        </message>
        <message>
            <source>Save changes</source>
            <translation>Guardar cambios</translation>
        </message>
        <message>
            <source>Create filter</source>
            <translation>Crear filtro</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Cancelar</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Tipo</translation>
        </message>
        <message>
            <source>Title contains</source>
            <translation>El título contiene</translation>
        </message>
        <message>
            <source>e.g. standup, lunch, 1:1 — comma separated</source>
            <translation>p. ej. reunión diaria, comida, 1:1 (separados por comas)</translation>
        </message>
        <message>
            <source>Case sensitive</source>
            <translation>Distinguir mayúsculas</translation>
        </message>
        <message>
            <source>Exact start time</source>
            <translation>Hora de inicio exacta</translation>
        </message>
        <message>
            <source>Time range</source>
            <translation>Intervalo horario</translation>
        </message>
        <message>
            <source>to</source>
            <translation>a</translation>
        </message>
        <message>
            <source>Days of week (empty = every day)</source>
            <translation>Días de la semana (vacío = todos)</translation>
        </message>
        <message>
            <source>Recurring events only</source>
            <translation>Solo eventos periódicos</translation>
        </message>
        <message>
            <source>Filtering this specific event:</source>
            <translation>Se filtra este evento concreto:</translation>
        </message>
        <message>
            <source>(Right-click an event and choose "Create Filter from Event" to create a specific-event filter.)</source>
            <translation>(Haga clic derecho en un evento y elija «Crear filtro a partir del evento» para crear un filtro de evento concreto.)</translation>
        </message>
        <message>
            <source>Matches every all-day event in the selected calendars.</source>
            <translation>Coincide con todos los eventos de todo el día de los calendarios elegidos.</translation>
        </message>
        <message>
            <source>Only recurring all-day events</source>
            <translation>Solo eventos periódicos de todo el día</translation>
        </message>
        <message>
            <source>Apply to calendars</source>
            <translation>Aplicar a los calendarios</translation>
        </message>
        <message>
            <source>Leave empty to apply to every calendar.</source>
            <translation>Déjelo vacío para aplicarlo a todos los calendarios.</translation>
        </message>
        <message>
            <source>Filter events matching text patterns</source>
            <translation>Filtrar eventos según patrones de texto</translation>
        </message>
        <message>
            <source>Filter events at specific times</source>
            <translation>Filtrar eventos a determinadas horas</translation>
        </message>
        <message>
            <source>Filter a specific recurring event</source>
            <translation>Filtrar un evento periódico concreto</translation>
        </message>
        <message>
            <source>Filter all-day events</source>
            <translation>Filtrar eventos de todo el día</translation>
        </message>
        <message>
            <source>(Event no longer exists)</source>
            <translation>(El evento ya no existe)</translation>
        </message>
        <message>
            <source>(Untitled event)</source>
            <translation>(Evento sin título)</translation>
        </message>
        <message numerus="yes">
            <source>Also applies to %n hidden or removed calendar(s).</source>
            <translation>
                <numerusform>También se aplica a %n calendario oculto o eliminado.</numerusform>
                <numerusform>También se aplica a %n calendarios ocultos o eliminados.</numerusform>
            </translation>
        </message>
        <message>
            <source>Name required</source>
            <translation>Nombre obligatorio</translation>
        </message>
        <message>
            <source>Please enter a name for the filter.</source>
            <translation>Introduzca un nombre para el filtro.</translation>
        </message>
        <message>
            <source>No patterns</source>
            <translation>Sin patrones</translation>
        </message>
        <message>
            <source>Add at least one phrase to "Title contains".</source>
            <translation>Añada al menos una frase en «El título contiene».</translation>
        </message>
        <message>
            <source>No event selected</source>
            <translation>Ningún evento seleccionado</translation>
        </message>
        <message>
            <source>Specific-event filters need to be created from an event's right-click menu — that's how the rule learns which event to match.</source>
            <translation>Los filtros de evento concreto se crean desde el menú contextual del evento; así la regla sabe qué evento debe filtrar.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Error de base de datos</translation>
        </message>
        <message>
            <source>Could not save the filter.</source>
            <translation>No se pudo guardar el filtro.</translation>
        </message>
        <message>
            <source>No events in the next 30 days to preview against.</source>
            <translation>No hay eventos en los próximos 30 días para la vista previa.</translation>
        </message>
        <message>
            <source>hide</source>
            <translation>ocultar</translation>
        </message>
        <message>
            <source>dim</source>
            <translation>atenuar</translation>
        </message>
        <message>
            <source>Would %1 %2 of %3 events in the next 30 days.</source>
            <translation>Se van a %1 %2 de %3 eventos de los próximos 30 días.</translation>
        </message>
        <message>
            <source>(Untitled)</source>
            <translation>(Sin título)</translation>
        </message>
        <message>
            <source>e.g. %1</source>
            <translation>p. ej. %1</translation>
        </message>
    </context>
    <context>
        <name>Google</name>
        <message numerus="yes">
            <source>Google did not answer within %n second(s).</source>
            <translation>
                <numerusform>Google no respondió en %n segundo.</numerusform>
                <numerusform>Google no respondió en %n segundos.</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>Google::AuthService</name>
        <message>
            <source>Google OAuth credentials are not configured in this build. See .env.example.</source>
            <translation>Esta compilación no tiene credenciales OAuth de Google. Consulte .env.example.</translation>
        </message>
        <message>
            <source>Google sign-in timed out. Please try again.</source>
            <translation>Se agotó el tiempo para iniciar sesión en Google. Inténtelo de nuevo.</translation>
        </message>
        <message>
            <source>Sign-in cancelled.</source>
            <translation>Inicio de sesión cancelado.</translation>
        </message>
        <message>
            <source>The Google sign-in link was opened twice, so the sign-in was stopped for safety. Please sign in again.</source>
            <translation>El enlace de inicio de sesión de Google se abrió dos veces, así que el inicio de sesión se detuvo por seguridad. Inicia sesión de nuevo.</translation>
        </message>
        <message>
            <source>Could not bind a local port for the Google sign-in callback: %1</source>
            <translation>No se pudo abrir un puerto local para la respuesta del inicio de sesión de Google: %1</translation>
        </message>
        <message>
            <source>Could not launch the system browser for Google sign-in.</source>
            <translation>No se pudo abrir el navegador para iniciar sesión en Google.</translation>
        </message>
        <message>
            <source>Google denied the sign-in: %1</source>
            <translation>Google denegó el inicio de sesión: %1</translation>
        </message>
        <message>
            <source>Sign-in state mismatch. The redirect didn't match our request; please try again.</source>
            <translation>El estado del inicio de sesión no coincide con la solicitud; inténtelo de nuevo.</translation>
        </message>
        <message>
            <source>Google did not return an authorization code.</source>
            <translation>Google no devolvió un código de autorización.</translation>
        </message>
        <message>
            <source>Token exchange failed (HTTP %1): %2</source>
            <translation>Error al intercambiar el token (HTTP %1): %2</translation>
        </message>
        <message>
            <source>Token exchange failed (HTTP %1).</source>
            <translation>Error al intercambiar el token (HTTP %1).</translation>
        </message>
        <message>
            <source>Google did not return an access token.</source>
            <translation>Google no devolvió un token de acceso.</translation>
        </message>
        <message>
            <source>Google did not return a refresh token. Try removing the app from your Google Account permissions and signing in again.</source>
            <translation>Google no devolvió un token de actualización. Quite la aplicación de los permisos de su cuenta de Google y vuelva a iniciar sesión.</translation>
        </message>
        <message>
            <source>Google OAuth credentials are not configured.</source>
            <translation>Las credenciales OAuth de Google no están configuradas.</translation>
        </message>
        <message>
            <source>Token refresh failed (HTTP %1): %2</source>
            <translation>Error al actualizar el token (HTTP %1): %2</translation>
        </message>
        <message>
            <source>Token refresh failed (HTTP %1).</source>
            <translation>Error al actualizar el token (HTTP %1).</translation>
        </message>
        <message>
            <source>Google's response had no access_token.</source>
            <translation>La respuesta de Google no incluía access_token.</translation>
        </message>
        <message>
            <source>Google's response had an expires_in that could not be used.</source>
            <translation>La respuesta de Google incluía un expires_in que no se pudo usar.</translation>
        </message>
    </context>
    <context>
        <name>Google::CalendarClient</name>
        <message>
            <source>No Google access token available.</source>
            <translation>No hay token de acceso de Google.</translation>
        </message>
        <message>
            <source>Google rejected calendarList.list (HTTP %1): %2</source>
            <translation>Google rechazó calendarList.list (HTTP %1): %2</translation>
        </message>
        <message>
            <source>Google's calendar list did not end after %1 pages.</source>
            <translation>La lista de calendarios de Google no terminó tras %1 páginas.</translation>
        </message>
        <message>
            <source>Google rejected events.list (HTTP %1): %2</source>
            <translation>Google rechazó events.list (HTTP %1): %2</translation>
        </message>
        <message>
            <source>Google's event list did not end after %1 pages.</source>
            <translation>La lista de eventos de Google no terminó tras %1 páginas.</translation>
        </message>
        <message>
            <source>Google's answer to events.list (page %1) is not JSON.</source>
            <translation>La respuesta de Google a events.list (página %1) no es JSON.</translation>
        </message>
        <message>
            <source>No Google access token.</source>
            <translation>Sin token de acceso de Google.</translation>
        </message>
        <message>
            <source>Google rejected events.insert: %1</source>
            <translation>Google rechazó events.insert: %1</translation>
        </message>
        <message>
            <source>Google rejected events.update: %1</source>
            <translation>Google rechazó events.update: %1</translation>
        </message>
        <message>
            <source>Google rejected events.delete: %1</source>
            <translation>Google rechazó events.delete: %1</translation>
        </message>
        <message>
            <source>Google rejected events.get: %1</source>
            <translation>Google rechazó events.get: %1</translation>
        </message>
        <message>
            <source>Google rejected events.instances: %1</source>
            <translation>Google rechazó events.instances: %1</translation>
        </message>
        <message>
            <source>Google rejected events.patch: %1</source>
            <translation>Google rechazó events.patch: %1</translation>
        </message>
        <message>
            <source>Google rejected events.move: %1</source>
            <translation>Google rechazó events.move: %1</translation>
        </message>
    </context>
    <context>
        <name>Google::PushRun</name>
        <message>
            <source>"%1" was changed on Google and could not be saved there: %2</source>
            <translation>«%1» se modificó en Google y no se pudo guardar allí: %2</translation>
        </message>
        <message>
            <source>"%1" is no longer an occurrence of its series on Google.</source>
            <translation>«%1» ya no es una repetición de su serie en Google.</translation>
        </message>
        <message>
            <source>"%1" was changed on Google too; the %2 set here was kept.</source>
            <translation>«%1» también se cambió en Google; se mantuvo lo fijado aquí: %2.</translation>
        </message>
    </context>
    <context>
        <name>Google::SyncClient</name>
        <message>
            <source>Parent account missing</source>
            <translation>Falta la cuenta principal</translation>
        </message>
        <message>
            <source>No saved Google credentials. Sign in again.</source>
            <translation>No hay credenciales de Google guardadas. Vuelva a iniciar sesión.</translation>
        </message>
        <message>
            <source>Google token refresh failed: %1</source>
            <translation>Error al actualizar el token de Google: %1</translation>
        </message>
        <message>
            <source>Google refused the full listing of %1 (HTTP 410).</source>
            <translation>Google rechazó el listado completo de %1 (HTTP 410).</translation>
        </message>
        <message numerus="yes">
            <source>%n event(s) failed to save locally; will retry next sync.</source>
            <translation>
                <numerusform>No se pudo guardar %n evento localmente; se reintentará en la próxima sincronización.</numerusform>
                <numerusform>No se pudieron guardar %n eventos localmente; se reintentará en la próxima sincronización.</numerusform>
            </translation>
        </message>
        <message>
            <source>Google no longer accepts the saved sign-in. Sign in again.</source>
            <translation>Google ya no acepta el inicio de sesión guardado. Inicia sesión de nuevo.</translation>
        </message>
        <message>
            <source>The renewed Google sign-in could not be saved to the secret store.</source>
            <translation>No se pudo guardar el inicio de sesión renovado de Google en el almacén de secretos.</translation>
        </message>
    </context>
    <context>
        <name>HolidayPickerDialog</name>
        <message>
            <source>Holiday Calendars</source>
            <translation>Calendarios de festivos</translation>
        </message>
        <message>
            <source>Subscribe to a country's public holidays. Feeds are read-only and update automatically. All subscriptions land under the shared "Calendar Subscriptions" account.</source>
            <translation>Suscríbase a los festivos oficiales de un país. Las fuentes son de solo lectura y se actualizan automáticamente. Todas las suscripciones se guardan en la cuenta compartida «Suscripciones de calendario».</translation>
        </message>
        <message>
            <source>Search by country or region…</source>
            <translation>Buscar por país o región…</translation>
        </message>
        <message>
            <source>Subscribe</source>
            <translation>Suscribirse</translation>
        </message>
        <message>
            <source>Subscribed</source>
            <translation>Suscrito</translation>
        </message>
        <message>
            <source>No holiday feeds match "%1".</source>
            <translation>Ninguna fuente de festivos coincide con «%1».</translation>
        </message>
        <message>
            <source>Already subscribed</source>
            <translation>Ya suscrito</translation>
        </message>
        <message>
            <source>You're already subscribed to "%1".</source>
            <translation>Ya está suscrito a «%1».</translation>
        </message>
        <message>
            <source>%1 Holidays</source>
            <translation>Festivos de %1</translation>
        </message>
        <message>
            <source>Couldn't subscribe</source>
            <translation>No se pudo suscribir</translation>
        </message>
        <message>
            <source>Couldn't create the holiday calendar. Try again.</source>
            <translation>No se pudo crear el calendario de festivos. Inténtelo de nuevo.</translation>
        </message>
    </context>
    <context>
        <name>IcsCodec</name>
        <message>
            <source>This is not a calendar file: it holds no iCalendar data.</source>
            <translation>No es un archivo de calendario: no contiene datos iCalendar.</translation>
        </message>
    </context>
    <context>
        <name>IcsImportFlow</name>
        <message>
            <source>An import is already running.</source>
            <translation>Ya hay una importación en curso.</translation>
        </message>
        <message>
            <source>Couldn't open file</source>
            <translation>No se pudo abrir el archivo</translation>
        </message>
        <message>
            <source>Couldn't open "%1" for reading.</source>
            <translation>No se pudo abrir «%1» para leerlo.</translation>
        </message>
        <message>
            <source>Couldn't import</source>
            <translation>No se pudo importar</translation>
        </message>
        <message>
            <source>Couldn't read "%1". %2</source>
            <translation>No se pudo leer «%1». %2</translation>
        </message>
        <message>
            <source>Nothing to import</source>
            <translation>Nada que importar</translation>
        </message>
        <message>
            <source>No events found in "%1".</source>
            <translation>No se encontraron eventos en «%1».</translation>
        </message>
        <message>
            <source>No calendars configured</source>
            <translation>No hay calendarios configurados</translation>
        </message>
        <message>
            <source>Add a writable calendar first; then re-import "%1".</source>
            <translation>Añada primero un calendario con escritura y vuelva a importar «%1».</translation>
        </message>
        <message>
            <source>Import events</source>
            <translation>Importar eventos</translation>
        </message>
        <message>
            <source>Import 1 event from "%1" into:</source>
            <translation>Importar 1 evento de «%1» en:</translation>
        </message>
        <message>
            <source>Import %1 events from "%2" into:</source>
            <translation>Importar %1 eventos de «%2» en:</translation>
        </message>
        <message>
            <source>Import</source>
            <translation>Importar</translation>
        </message>
        <message>
            <source>Importing %1 events from "%2"…</source>
            <translation>Importando %1 eventos de «%2»…</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Cancelar</translation>
        </message>
        <message>
            <source>Import cancelled: the calendar is as it was.</source>
            <translation>Importación cancelada: el calendario no ha cambiado.</translation>
        </message>
    </context>
    <context>
        <name>InAppNotifier</name>
        <message>
            <source>Open</source>
            <translation>Abrir</translation>
        </message>
    </context>
    <context>
        <name>InvitationsDialog</name>
        <message>
            <source>Invitations</source>
            <translation>Invitaciones</translation>
        </message>
        <message>
            <source>No new invitations. You're all caught up.</source>
            <translation>No hay invitaciones nuevas. Está todo al día.</translation>
        </message>
        <message>
            <source>Nothing in your history yet.</source>
            <translation>Todavía no hay historial.</translation>
        </message>
        <message>
            <source>New</source>
            <translation>Nuevas</translation>
        </message>
        <message>
            <source>Past</source>
            <translation>Anteriores</translation>
        </message>
        <message>
            <source>Going</source>
            <translation>Asistiré</translation>
        </message>
        <message>
            <source>Declined</source>
            <translation>Rechazado</translation>
        </message>
        <message>
            <source>Maybe</source>
            <translation>Quizás</translation>
        </message>
        <message>
            <source>Delegated</source>
            <translation>Delegado</translation>
        </message>
        <message>
            <source>No response</source>
            <translation>Sin respuesta</translation>
        </message>
        <message>
            <source>%1 (all day)</source>
            <translation>%1 (todo el día)</translation>
        </message>
        <message>
            <source>%1, %2 – %3</source>
            <translation>%1, %2-%3</translation>
        </message>
        <message>
            <source>%1, %2</source>
            <translation>%1, %2</translation>
        </message>
        <message>
            <source>(Untitled event)</source>
            <translation>(Evento sin título)</translation>
        </message>
        <message>
            <source>Invited by %1</source>
            <translation>Invitación de %1</translation>
        </message>
        <message>
            <source>Accept</source>
            <translation>Aceptar</translation>
        </message>
        <message>
            <source>Decline</source>
            <translation>Rechazar</translation>
        </message>
    </context>
    <context>
        <name>KeyboardHelpDialog</name>
        <message>
            <source>Navigation</source>
            <translation>Navegación</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Hoy</translation>
        </message>
        <message>
            <source>Next / previous (one mode-stride)</source>
            <translation>Siguiente / anterior (un paso de la vista)</translation>
        </message>
        <message>
            <source>Previous / next week</source>
            <translation>Semana anterior / siguiente</translation>
        </message>
        <message>
            <source>Next / previous month</source>
            <translation>Mes siguiente / anterior</translation>
        </message>
        <message>
            <source>Day / Days / Week / Grid / Month / Year</source>
            <translation>Día / Días / Semana / Cuadrícula / Mes / Año</translation>
        </message>
        <message>
            <source>Days timeline: 3 / 5 / 7 / 10 / 14 days (1 – 5)</source>
            <translation>Vista Días: 3 / 5 / 7 / 10 / 14 días (1 – 5)</translation>
        </message>
        <message>
            <source>Back / forward through view + date history</source>
            <translation>Atrás / adelante en el historial de vista y fecha</translation>
        </message>
        <message>
            <source>Calendar groups</source>
            <translation>Grupos de calendarios</translation>
        </message>
        <message>
            <source>Activate calendar group 1 – 9</source>
            <translation>Activar el grupo de calendarios 1 – 9</translation>
        </message>
        <message>
            <source>Previous / next calendar group</source>
            <translation>Grupo de calendarios anterior / siguiente</translation>
        </message>
        <message>
            <source>Actions</source>
            <translation>Acciones</translation>
        </message>
        <message>
            <source>New event</source>
            <translation>Nuevo evento</translation>
        </message>
        <message>
            <source>New task</source>
            <translation>Nueva tarea</translation>
        </message>
        <message>
            <source>Quick add</source>
            <translation>Añadido rápido</translation>
        </message>
        <message>
            <source>Sync now</source>
            <translation>Sincronizar ahora</translation>
        </message>
        <message>
            <source>Command palette</source>
            <translation>Paleta de comandos</translation>
        </message>
        <message>
            <source>Preferences…</source>
            <translation>Preferencias…</translation>
        </message>
        <message>
            <source>Toggle empty days in sidebar agenda</source>
            <translation>Mostrar u ocultar días vacíos en la agenda lateral</translation>
        </message>
        <message>
            <source>Undo (drag/resize/delete)</source>
            <translation>Deshacer (arrastrar/redimensionar/eliminar)</translation>
        </message>
        <message>
            <source>This dialog</source>
            <translation>Este diálogo</translation>
        </message>
        <message>
            <source>Inside grids</source>
            <translation>Dentro de las cuadrículas</translation>
        </message>
        <message>
            <source>Single click</source>
            <translation>Un clic</translation>
        </message>
        <message>
            <source>Select event + open details popover</source>
            <translation>Seleccionar evento + abrir ventana de detalles</translation>
        </message>
        <message>
            <source>Double click</source>
            <translation>Doble clic</translation>
        </message>
        <message>
            <source>Edit event</source>
            <translation>Editar evento</translation>
        </message>
        <message>
            <source>Right-click</source>
            <translation>Clic derecho</translation>
        </message>
        <message>
            <source>Edit / Delete menu</source>
            <translation>Menú Editar / Eliminar</translation>
        </message>
        <message>
            <source>Drag block</source>
            <translation>Arrastrar bloque</translation>
        </message>
        <message>
            <source>Reschedule (snap to 15 min)</source>
            <translation>Reprogramar (ajuste a 15 min)</translation>
        </message>
        <message>
            <source>Drag bottom edge</source>
            <translation>Arrastrar borde inferior</translation>
        </message>
        <message>
            <source>Resize end time (snap to 15 min)</source>
            <translation>Cambiar hora de fin (ajuste a 15 min)</translation>
        </message>
        <message>
            <source>Ctrl+wheel</source>
            <translation>Control+rueda</translation>
        </message>
        <message>
            <source>Zoom Day / Week timeline</source>
            <translation>Zoom de la línea de tiempo de Día / Semana</translation>
        </message>
        <message>
            <source>Tab / Shift+Tab</source>
            <translation>Tabulador / Mayúsculas+Tabulador</translation>
        </message>
        <message>
            <source>Cycle event selection</source>
            <translation>Recorrer la selección de eventos</translation>
        </message>
        <message>
            <source>↑ / ↓</source>
            <translation>↑ / ↓</translation>
        </message>
        <message>
            <source>Enter</source>
            <translation>Intro</translation>
        </message>
        <message>
            <source>Open popover for selected event</source>
            <translation>Abrir la ventana del evento seleccionado</translation>
        </message>
        <message>
            <source>Mouse back / forward</source>
            <translation>Botón atrás / adelante del ratón</translation>
        </message>
        <message>
            <source>Back / forward through view history</source>
            <translation>Atrás / adelante en el historial de vistas</translation>
        </message>
        <message>
            <source>Quick-add (tray + %1 "new")</source>
            <translation>Añadido rápido (bandeja + %1 «new»)</translation>
        </message>
        <message>
            <source>Date phrases</source>
            <translation>Expresiones de fecha</translation>
        </message>
        <message>
            <source>Time phrases</source>
            <translation>Expresiones de hora</translation>
        </message>
        <message>
            <source>Time range</source>
            <translation>Intervalo horario</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>Duración</translation>
        </message>
        <message>
            <source>Relative date</source>
            <translation>Fecha relativa</translation>
        </message>
        <message>
            <source>Keyboard Shortcuts</source>
            <translation>Atajos de teclado</translation>
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
            <translation>&amp;Archivo</translation>
        </message>
        <message>
            <source>&amp;New Event…</source>
            <translation>&amp;Nuevo evento…</translation>
        </message>
        <message>
            <source>&amp;Quit</source>
            <translation>&amp;Salir</translation>
        </message>
        <message>
            <source>&amp;Developer</source>
            <translation>&amp;Desarrollador</translation>
        </message>
        <message>
            <source>Load Sample &amp;Data</source>
            <translation>Cargar &amp;datos de ejemplo</translation>
        </message>
        <message>
            <source>&amp;Clear Sample Data</source>
            <translation>&amp;Borrar datos de ejemplo</translation>
        </message>
        <message>
            <source>Calendar is still running in the system tray. Use File → Quit to exit, or turn off Preferences → Startup → Close to tray.</source>
            <translation>El calendario sigue en la bandeja del sistema. Use Archivo → Salir para cerrarlo o desactive Preferencias → Inicio → Cerrar a la bandeja.</translation>
        </message>
        <message>
            <source>Quick-add ignored: no calendars configured.</source>
            <translation>Añadido rápido ignorado: no hay calendarios configurados.</translation>
        </message>
        <message>
            <source>Quick-add couldn't parse: "%1"</source>
            <translation>El añadido rápido no entendió: «%1»</translation>
        </message>
        <message>
            <source>Quick-add: "%1" was not saved.</source>
            <translation>Añadido rápido: «%1» no se ha guardado.</translation>
        </message>
        <message>
            <source>Added: %1</source>
            <translation>Añadido: %1</translation>
        </message>
        <message numerus="yes">
            <source>Loaded %n sample row(s).</source>
            <translation>
                <numerusform>Se cargó %n fila de ejemplo.</numerusform>
                <numerusform>Se cargaron %n filas de ejemplo.</numerusform>
            </translation>
        </message>
        <message>
            <source>Clear sample data?</source>
            <translation>¿Borrar los datos de ejemplo?</translation>
        </message>
        <message>
            <source>Remove the sample calendars, events, and tasks? Your real data is untouched.</source>
            <translation>¿Quitar los calendarios, eventos y tareas de ejemplo? Sus datos reales no se tocan.</translation>
        </message>
        <message numerus="yes">
            <source>Removed %n sample row(s).</source>
            <translation>
                <numerusform>Se quitó %n fila de ejemplo.</numerusform>
                <numerusform>Se quitaron %n filas de ejemplo.</numerusform>
            </translation>
        </message>
        <message>
            <source>Imported %1 and updated %2 in %3.</source>
            <translation>%1 importados y %2 actualizados en %3.</translation>
        </message>
        <message>
            <source>Updated 1 existing event in %1.</source>
            <translation>Se actualizó 1 evento existente en %1.</translation>
        </message>
        <message>
            <source>Updated %1 existing events in %2.</source>
            <translation>Se actualizaron %1 eventos existentes en %2.</translation>
        </message>
        <message>
            <source>Imported 1 event into %1.</source>
            <translation>Se importó 1 evento en %1.</translation>
        </message>
        <message>
            <source>Imported %1 events into %2.</source>
            <translation>Se importaron %1 eventos en %2.</translation>
        </message>
        <message numerus="yes">
            <source>Couldn't store %n event(s) in %1.</source>
            <translation>
                <numerusform>No se pudo guardar %n evento en %1.</numerusform>
                <numerusform>No se pudieron guardar %n eventos en %1.</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Nothing to change: %n event(s) already in %1.</source>
            <translation>
                <numerusform>Nada que cambiar: %n evento ya está en %1.</numerusform>
                <numerusform>Nada que cambiar: %n eventos ya están en %1.</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n event(s) could not be stored.</source>
            <translation>
                <numerusform>No se pudo guardar %n evento.</numerusform>
                <numerusform>No se pudieron guardar %n eventos.</numerusform>
            </translation>
        </message>
        <message>
            <source>Test notification fired</source>
            <translation>Notificación de prueba enviada</translation>
        </message>
        <message>
            <source>No accounts configured</source>
            <translation>No hay cuentas configuradas</translation>
        </message>
        <message>
            <source>Add a Tindlebrook Calendar account to store calendars on this device, connect Google or Microsoft, or hook up any CalDAV server (Synology, Nextcloud, Radicale, iCloud).</source>
            <translation>Añada una cuenta de Tindlebrook Calendar para guardar calendarios en este dispositivo, conecte Google o Microsoft o cualquier servidor CalDAV (Synology, Nextcloud, Radicale, iCloud).</translation>
        </message>
        <message>
            <source>  Add Account…</source>
            <translation>  Añadir cuenta…</translation>
        </message>
        <message>
            <source>Manage your account</source>
            <translation>Gestionar su cuenta</translation>
        </message>
        <message>
            <source>Sign in or sign up</source>
            <translation>Iniciar sesión o registrarse</translation>
        </message>
        <message>
            <source>Tindlebrook Account</source>
            <translation>Cuenta de Tindlebrook</translation>
        </message>
        <message>
            <source>&amp;Window</source>
            <translation>&amp;Ventana</translation>
        </message>
        <message>
            <source>New &amp;Task…</source>
            <translation>Nueva &amp;tarea…</translation>
        </message>
        <message>
            <source>Quick &amp;Add…</source>
            <translation>&amp;Añadido rápido…</translation>
        </message>
        <message>
            <source>Type an event in plain English ("lunch Thursday 1pm")</source>
            <translation>Escriba un evento en inglés sencillo («lunch Thursday 1pm»)</translation>
        </message>
        <message>
            <source>Calendar &amp;Accounts…</source>
            <translation>&amp;Cuentas de calendario…</translation>
        </message>
        <message>
            <source>&amp;Sync Now</source>
            <translation>&amp;Sincronizar ahora</translation>
        </message>
        <message>
            <source>Force F&amp;ull Sync…</source>
            <translation>Forzar sincronización &amp;completa…</translation>
        </message>
        <message>
            <source>Re-pull every event from every account, ignoring sync tokens</source>
            <translation>Volver a descargar todos los eventos de todas las cuentas, sin usar los tokens de sincronización</translation>
        </message>
        <message>
            <source>&amp;Invitations…</source>
            <translation>&amp;Invitaciones…</translation>
        </message>
        <message>
            <source>&amp;Import ICS File…</source>
            <translation>&amp;Importar archivo ICS…</translation>
        </message>
        <message>
            <source>&amp;Export Agenda PDF…</source>
            <translation>&amp;Exportar agenda en PDF…</translation>
        </message>
        <message>
            <source>Tindlebrook &amp;Account…</source>
            <translation>&amp;Cuenta de Tindlebrook…</translation>
        </message>
        <message>
            <source>Sign &amp;Out</source>
            <translation>&amp;Cerrar sesión</translation>
        </message>
        <message>
            <source>&amp;Edit</source>
            <translation>&amp;Editar</translation>
        </message>
        <message>
            <source>&amp;Preferences…</source>
            <translation>&amp;Preferencias…</translation>
        </message>
        <message>
            <source>&amp;Find Events…</source>
            <translation>&amp;Buscar eventos…</translation>
        </message>
        <message>
            <source>&amp;View</source>
            <translation>&amp;Ver</translation>
        </message>
        <message>
            <source>Toggle &amp;Sidebar</source>
            <translation>Mostrar u ocultar la barra &amp;lateral</translation>
        </message>
        <message>
            <source>Show &amp;Empty Days in Agenda</source>
            <translation>Mostrar días &amp;vacíos en la agenda</translation>
        </message>
        <message>
            <source>&amp;Compact Density</source>
            <translation>Densidad &amp;compacta</translation>
        </message>
        <message>
            <source>Toggle &amp;Tasks Pane</source>
            <translation>Mostrar u ocultar el panel de &amp;tareas</translation>
        </message>
        <message>
            <source>Toggle &amp;Reminders Pane</source>
            <translation>Mostrar u ocultar el panel de &amp;recordatorios</translation>
        </message>
        <message>
            <source>&amp;Tools</source>
            <translation>&amp;Herramientas</translation>
        </message>
        <message>
            <source>Add &amp;Filter…</source>
            <translation>Añadir &amp;filtro…</translation>
        </message>
        <message>
            <source>Add Calendar &amp;Group…</source>
            <translation>Añadir &amp;grupo de calendarios…</translation>
        </message>
        <message>
            <source>Manage Calendar Gr&amp;oups…</source>
            <translation>Gestionar gr&amp;upos de calendarios…</translation>
        </message>
        <message>
            <source>Manage Te&amp;mplates…</source>
            <translation>Gestionar &amp;plantillas…</translation>
        </message>
        <message>
            <source>&amp;Weather…</source>
            <translation>&amp;Tiempo…</translation>
        </message>
        <message>
            <source>Send Test &amp;Notification</source>
            <translation>Enviar &amp;notificación de prueba</translation>
        </message>
        <message>
            <source>Sign In to Tindlebrook &amp;Account</source>
            <translation>Iniciar sesión en la &amp;cuenta de Tindlebrook</translation>
        </message>
        <message>
            <source>Sign &amp;Out of Tindlebrook Account</source>
            <translation>&amp;Cerrar sesión de la cuenta de Tindlebrook</translation>
        </message>
        <message>
            <source>&amp;Help</source>
            <translation>A&amp;yuda</translation>
        </message>
        <message>
            <source>&amp;Keyboard Shortcuts</source>
            <translation>&amp;Atajos de teclado</translation>
        </message>
        <message>
            <source>Fire a sample reminder toast to verify your desktop notification setup.</source>
            <translation>Mostrar un recordatorio de ejemplo para comprobar las notificaciones del escritorio.</translation>
        </message>
        <message>
            <source>&amp;What's New</source>
            <translation>&amp;Novedades</translation>
        </message>
        <message>
            <source>Send &amp;Feedback…</source>
            <translation>Enviar &amp;comentarios…</translation>
        </message>
        <message>
            <source>Check for &amp;Updates…</source>
            <translation>Buscar &amp;actualizaciones…</translation>
        </message>
        <message>
            <source>&amp;About Tindlebrook Calendar</source>
            <translation>&amp;Acerca de Tindlebrook Calendar</translation>
        </message>
        <message>
            <source>Undid: %1</source>
            <translation>Deshecho: %1</translation>
        </message>
        <message>
            <source>Undid: %1. Its guests are invited again.</source>
            <translation>Deshecho: %1. Sus invitados vuelven a estar invitados.</translation>
        </message>
        <message>
            <source>Could not undo: %1. The event was changed since.</source>
            <translation>No se pudo deshacer: %1. El evento ha cambiado desde entonces.</translation>
        </message>
        <message>
            <source>Could not undo: %1. The log has the details.</source>
            <translation>No se pudo deshacer: %1. Los detalles están en el registro.</translation>
        </message>
        <message>
            <source>&amp;Invitations… (%1)</source>
            <translation>&amp;Invitaciones… (%1)</translation>
        </message>
        <message>
            <source>Import ICS file</source>
            <translation>Importar archivo ICS</translation>
        </message>
        <message>
            <source>iCalendar files (*.ics);;All files (*)</source>
            <translation>Archivos iCalendar (*.ics);;Todos los archivos (*)</translation>
        </message>
        <message>
            <source>About Tindlebrook Calendar</source>
            <translation>Acerca de Tindlebrook Calendar</translation>
        </message>
        <message>
            <source>&lt;h3&gt;Tindlebrook Calendar&lt;/h3&gt;&lt;p&gt;Version %1&lt;/p&gt;&lt;p&gt;A CalDAV-first calendar with client-side filters and Views, the killer feature competitors don't have.&lt;/p&gt;&lt;p&gt;Built with Qt %2.&lt;/p&gt;</source>
            <translation>&lt;h3&gt;Tindlebrook Calendar&lt;/h3&gt;&lt;p&gt;Versión %1&lt;/p&gt;&lt;p&gt;Un calendario pensado para CalDAV, con filtros y grupos de calendarios en el propio programa, lo que otros no tienen.&lt;/p&gt;&lt;p&gt;Creado con Qt %2.&lt;/p&gt;</translation>
        </message>
        <message>
            <source>Detached &amp;Agenda Window</source>
            <translation>Ventana de &amp;agenda aparte</translation>
        </message>
        <message>
            <source>Detached &amp;Tasks Window</source>
            <translation>Ventana de &amp;tareas aparte</translation>
        </message>
        <message>
            <source>Detached &amp;Reminders Window</source>
            <translation>Ventana de &amp;recordatorios aparte</translation>
        </message>
        <message>
            <source>Force full sync?</source>
            <translation>¿Forzar la sincronización completa?</translation>
        </message>
        <message>
            <source>Re-fetch every event and task from every account, ignoring saved sync tokens. Useful when items look stale or out of date.

Any unsynced local edits will be discarded in favour of the server's copy. Pending deletions are preserved.

Heavy accounts may take a minute or two and use more bandwidth than usual.</source>
            <translation>Vuelve a descargar todos los eventos y tareas de todas las cuentas, sin usar los tokens de sincronización guardados. Útil cuando los elementos parecen desactualizados.

Los cambios locales sin sincronizar se descartarán en favor de la copia del servidor. Las eliminaciones pendientes se conservan.

Las cuentas grandes pueden tardar uno o dos minutos y consumir más datos de lo habitual.</translation>
        </message>
        <message numerus="yes">
            <source>Discovered %n new calendar(s).</source>
            <translation>
                <numerusform>Se encontró %n calendario nuevo.</numerusform>
                <numerusform>Se encontraron %n calendarios nuevos.</numerusform>
            </translation>
        </message>
        <message>
            <source>Syncing %1 account(s)…</source>
            <translation>Sincronizando %1 cuenta(s)…</translation>
        </message>
        <message>
            <source>All caught up, nothing waiting to sync.</source>
            <translation>Todo al día; no hay nada pendiente de sincronizar.</translation>
        </message>
        <message>
            <source>No sync accounts configured. Add one in Calendar Accounts.</source>
            <translation>No hay cuentas de sincronización. Añada una en Cuentas de calendario.</translation>
        </message>
        <message>
            <source>Synced %1 events</source>
            <translation>%1 eventos sincronizados</translation>
        </message>
        <message numerus="yes">
            <source>Cleared %n calendar sync token(s), running full sync…</source>
            <translation>
                <numerusform>Se borró %n token de sincronización de calendario; sincronización completa en curso…</numerusform>
                <numerusform>Se borraron %n tokens de sincronización de calendario; sincronización completa en curso…</numerusform>
            </translation>
        </message>
        <message>
            <source>Signed in to Tindlebrook</source>
            <translation>Sesión iniciada en Tindlebrook</translation>
        </message>
        <message>
            <source>Signed out of Tindlebrook</source>
            <translation>Sesión cerrada en Tindlebrook</translation>
        </message>
        <message>
            <source>The feedback page</source>
            <translation>La página de comentarios</translation>
        </message>
    </context>
    <context>
        <name>ManageFiltersDialog</name>
        <message>
            <source>Pattern</source>
            <translation>Patrón</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>Hora</translation>
        </message>
        <message>
            <source>Specific</source>
            <translation>Concreto</translation>
        </message>
        <message>
            <source>All-day</source>
            <translation>Todo el día</translation>
        </message>
        <message>
            <source>Hide</source>
            <translation>Ocultar</translation>
        </message>
        <message>
            <source>Dim</source>
            <translation>Atenuar</translation>
        </message>
        <message>
            <source>Manage Filters</source>
            <translation>Gestionar filtros</translation>
        </message>
        <message>
            <source>%1   ·   %2 → %3</source>
            <translation>%1   ·   %2 → %3</translation>
        </message>
        <message>
            <source>Filters</source>
            <translation>Filtros</translation>
        </message>
        <message>
            <source>Toggle the checkbox to enable / disable a filter. Drag a row to change priority (top of the list applies first). Use Edit to change conditions or Delete to remove it.</source>
            <translation>Marque la casilla para activar o desactivar un filtro. Arrastre una fila para cambiar la prioridad (se aplica primero la de arriba). Use Editar para cambiar las condiciones o Eliminar para quitarlo.</translation>
        </message>
        <message>
            <source>Add filter…</source>
            <translation>Añadir filtro…</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>Editar…</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Eliminar</translation>
        </message>
        <message>
            <source>(no filters yet)</source>
            <translation>(aún no hay filtros)</translation>
        </message>
        <message>
            <source>Delete filter?</source>
            <translation>¿Eliminar el filtro?</translation>
        </message>
        <message>
            <source>Delete "%1"? You can recreate it later.</source>
            <translation>¿Eliminar «%1»? Puede volver a crearlo más adelante.</translation>
        </message>
        <message>
            <source>Could not delete the filter.</source>
            <translation>No se pudo eliminar el filtro.</translation>
        </message>
        <message>
            <source>Could not save the filter.</source>
            <translation>No se pudo guardar el filtro.</translation>
        </message>
        <message>
            <source>Could not save the order of the filters.</source>
            <translation>No se pudo guardar el orden de los filtros.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Error de base de datos</translation>
        </message>
    </context>
    <context>
        <name>ManageSourcesDialog</name>
        <message>
            <source>Calendar Accounts</source>
            <translation>Cuentas de calendario</translation>
        </message>
        <message>
            <source>Done</source>
            <translation>Listo</translation>
        </message>
        <message>
            <source>No accounts yet. Click "Add Account" below to get started.</source>
            <translation>Todavía no hay cuentas. Haga clic en «Añadir cuenta» para empezar.</translation>
        </message>
        <message>
            <source>Tindlebrook account ready</source>
            <translation>Cuenta de Tindlebrook lista</translation>
        </message>
        <message>
            <source>You're signed in to Tindlebrook. Existing local calendars can be upgraded from each calendar's row.</source>
            <translation>Ha iniciado sesión en Tindlebrook. Puede trasladar los calendarios locales existentes desde la fila de cada calendario.</translation>
        </message>
        <message>
            <source>Couldn't prepare calendar</source>
            <translation>No se pudo preparar el calendario</translation>
        </message>
        <message>
            <source>  Add Account</source>
            <translation>  Añadir cuenta</translation>
        </message>
        <message>
            <source>Local Calendar…</source>
            <translation>Calendario local…</translation>
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
            <translation>Servidor CalDAV…</translation>
        </message>
        <message>
            <source>Subscription (ICS URL)…</source>
            <translation>Suscripción (URL ICS)…</translation>
        </message>
        <message>
            <source>Holiday Calendars…</source>
            <translation>Calendarios de festivos…</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Error de base de datos</translation>
        </message>
        <message>
            <source>The account row this sign-in was bound to no longer exists.</source>
            <translation>La cuenta a la que estaba vinculado este inicio de sesión ya no existe.</translation>
        </message>
        <message>
            <source>Could not save the Google account row.</source>
            <translation>No se pudo guardar el registro de la cuenta de Google.</translation>
        </message>
        <message>
            <source>Google</source>
            <translation>Google</translation>
        </message>
        <message>
            <source>Google sign-in failed</source>
            <translation>Error al iniciar sesión en Google</translation>
        </message>
        <message>
            <source>Importing calendars from Google…</source>
            <translation>Importando calendarios de Google…</translation>
        </message>
        <message>
            <source>Google import failed</source>
            <translation>Error al importar de Google</translation>
        </message>
        <message>
            <source>No calendars</source>
            <translation>No hay calendarios</translation>
        </message>
        <message>
            <source>Google reports no calendars on this account.</source>
            <translation>Google indica que esta cuenta no tiene calendarios.</translation>
        </message>
        <message>
            <source>The Google sign-in could not be saved to the secret store.</source>
            <translation>No se pudo guardar el inicio de sesión de Google en el almacén de secretos.</translation>
        </message>
        <message>
            <source>Remove account?</source>
            <translation>¿Quitar la cuenta?</translation>
        </message>
        <message>
            <source>Remove "%1" and its %2 calendar(s)? Events from this account will be deleted from this device. Server data (if any) is left untouched.</source>
            <translation>¿Quitar «%1» y sus %2 calendario(s)? Los eventos de esta cuenta se eliminarán de este dispositivo. Los datos del servidor (si los hay) no se tocan.</translation>
        </message>
        <message>
            <source>Could not delete on server</source>
            <translation>No se pudo eliminar en el servidor</translation>
        </message>
        <message>
            <source>"%1" could not be deleted on the server: %2.

The calendar still exists on the server. It has been disabled and will not sync. Re-enable it from the checkbox if you want it back.</source>
            <translation>No se pudo eliminar «%1» en el servidor: %2.

El calendario sigue existiendo en el servidor. Se ha desactivado y no se sincronizará. Vuelva a activarlo con la casilla si quiere recuperarlo.</translation>
        </message>
        <message>
            <source>Delete "%1" and all of its events?</source>
            <translation>¿Eliminar «%1» y todos sus eventos?</translation>
        </message>
        <message numerus="yes">
            <source>This calendar contains %n event(s).</source>
            <translation>
                <numerusform>Este calendario contiene %n evento.</numerusform>
                <numerusform>Este calendario contiene %n eventos.</numerusform>
            </translation>
        </message>
        <message>
            <source>This will delete the calendar from the CalDAV server for everyone with access.</source>
            <translation>Esto eliminará el calendario del servidor CalDAV para todas las personas con acceso.</translation>
        </message>
        <message>
            <source>Delete Calendar?</source>
            <translation>¿Eliminar el calendario?</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Eliminar</translation>
        </message>
        <message>
            <source>Are you sure?</source>
            <translation>¿Está seguro?</translation>
        </message>
        <message>
            <source>Type DELETE to permanently delete "%1". This cannot be undone.</source>
            <translation>Escriba DELETE para eliminar «%1» definitivamente. Esta acción no se puede deshacer.</translation>
        </message>
        <message>
            <source>Type DELETE</source>
            <translation>Escriba DELETE</translation>
        </message>
        <message>
            <source>Delete Permanently</source>
            <translation>Eliminar definitivamente</translation>
        </message>
        <message>
            <source>Missing password</source>
            <translation>Falta la contraseña</translation>
        </message>
        <message>
            <source>No saved password for this account.</source>
            <translation>No hay ninguna contraseña guardada para esta cuenta.</translation>
        </message>
        <message>
            <source>Refresh complete</source>
            <translation>Actualización completada</translation>
        </message>
        <message>
            <source>No new calendars found.</source>
            <translation>No se encontraron calendarios nuevos.</translation>
        </message>
        <message numerus="yes">
            <source>Found %n new calendar(s).</source>
            <translation>
                <numerusform>Se encontró %n calendario nuevo.</numerusform>
                <numerusform>Se encontraron %n calendarios nuevos.</numerusform>
            </translation>
        </message>
        <message>
            <source>Refresh failed</source>
            <translation>Error al actualizar</translation>
        </message>
        <message>
            <source>Share Calendar</source>
            <translation>Compartir calendario</translation>
        </message>
        <message>
            <source>Sharing: %1</source>
            <translation>Compartir: %1</translation>
        </message>
        <message>
            <source>People you share with see the same events and changes you do. Sharing doesn't merge calendars; they keep their own calendar list.</source>
            <translation>Las personas con las que comparte ven los mismos eventos y cambios que usted. Compartir no combina calendarios; cada persona conserva su propia lista de calendarios.</translation>
        </message>
        <message>
            <source>Shared with</source>
            <translation>Compartido con</translation>
        </message>
        <message>
            <source>Add people</source>
            <translation>Añadir personas</translation>
        </message>
        <message>
            <source>Not shared with anyone yet.</source>
            <translation>Aún no se ha compartido con nadie.</translation>
        </message>
        <message>
            <source>Add family members or teammates to your Tindlebrook group first, then come back here to share calendars with them.</source>
            <translation>Primero añada a familiares o compañeros a su grupo de Tindlebrook y vuelva aquí para compartir calendarios con ellos.</translation>
        </message>
        <message>
            <source>Everyone in your group already has access</source>
            <translation>Todos los miembros de su grupo ya tienen acceso</translation>
        </message>
        <message>
            <source>Share</source>
            <translation>Compartir</translation>
        </message>
        <message>
            <source>Remove access</source>
            <translation>Quitar acceso</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Cerrar</translation>
        </message>
        <message>
            <source>Couldn't share calendar</source>
            <translation>No se pudo compartir el calendario</translation>
        </message>
        <message>
            <source>Couldn't remove person</source>
            <translation>No se pudo quitar a la persona</translation>
        </message>
        <message>
            <source>Stop sharing?</source>
            <translation>¿Dejar de compartir?</translation>
        </message>
        <message>
            <source>%1 will no longer see this calendar's events on any of their devices. Continue?</source>
            <translation>%1 dejará de ver los eventos de este calendario en todos sus dispositivos. ¿Continuar?</translation>
        </message>
        <message>
            <source>Microsoft Account</source>
            <translation>Cuenta de Microsoft</translation>
        </message>
        <message>
            <source>Could not save the Microsoft account row.</source>
            <translation>No se pudo guardar el registro de la cuenta de Microsoft.</translation>
        </message>
        <message>
            <source>Microsoft</source>
            <translation>Microsoft</translation>
        </message>
        <message>
            <source>Importing calendars from Microsoft…</source>
            <translation>Importando calendarios de Microsoft…</translation>
        </message>
        <message>
            <source>Microsoft sign-in failed</source>
            <translation>Error al iniciar sesión en Microsoft</translation>
        </message>
        <message>
            <source>Microsoft import failed</source>
            <translation>Error al importar de Microsoft</translation>
        </message>
        <message>
            <source>Microsoft reports no calendars on this account.</source>
            <translation>Microsoft indica que esta cuenta no tiene calendarios.</translation>
        </message>
        <message>
            <source>The Microsoft sign-in could not be saved to the secret store.</source>
            <translation>No se pudo guardar el inicio de sesión de Microsoft en el almacén de secretos.</translation>
        </message>
        <message>
            <source>These calendars could not be saved: %1</source>
            <translation>No se pudieron guardar estos calendarios: %1</translation>
        </message>
        <message>
            <source>Could not hide the calendar.</source>
            <translation>No se pudo ocultar el calendario.</translation>
        </message>
        <message>
            <source>Could not make the calendar the default.</source>
            <translation>No se pudo establecer el calendario como predeterminado.</translation>
        </message>
        <message>
            <source>Could not remove the calendar from this computer.</source>
            <translation>No se pudo quitar el calendario de este equipo.</translation>
        </message>
        <message>
            <source>Could not save the account.</source>
            <translation>No se pudo guardar la cuenta.</translation>
        </message>
        <message>
            <source>Could not save the calendar.</source>
            <translation>No se pudo guardar el calendario.</translation>
        </message>
        <message>
            <source>Could not save the order of the accounts.</source>
            <translation>No se pudo guardar el orden de las cuentas.</translation>
        </message>
    </context>
    <context>
        <name>ManageTemplatesDialog</name>
        <message>
            <source>Event Templates</source>
            <translation>Plantillas de eventos</translation>
        </message>
        <message>
            <source>Templates pre-fill the new-event form. Double-click to edit.</source>
            <translation>Las plantillas rellenan el formulario de nuevo evento. Haga doble clic para editar.</translation>
        </message>
        <message>
            <source>Add…</source>
            <translation>Añadir…</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>Editar…</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Eliminar</translation>
        </message>
        <message>
            <source>(no title)</source>
            <translation>(sin título)</translation>
        </message>
        <message>
            <source>%1: %2</source>
            <translation>%1: %2</translation>
        </message>
        <message>
            <source>Delete template?</source>
            <translation>¿Eliminar la plantilla?</translation>
        </message>
        <message>
            <source>Delete the template "%1"? Events already created from it are unaffected.</source>
            <translation>¿Eliminar la plantilla «%1»? Los eventos ya creados con ella no cambian.</translation>
        </message>
        <message>
            <source>Could not delete the template.</source>
            <translation>No se pudo eliminar la plantilla.</translation>
        </message>
        <message>
            <source>Could not save the template.</source>
            <translation>No se pudo guardar la plantilla.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Error de base de datos</translation>
        </message>
    </context>
    <context>
        <name>ManageViewsDialog</name>
        <message>
            <source>Manage Calendar Groups</source>
            <translation>Gestionar grupos de calendarios</translation>
        </message>
        <message>
            <source>Calendar Groups</source>
            <translation>Grupos de calendarios</translation>
        </message>
        <message>
            <source>Drag a row to change the order groups appear in the picker. Use Edit to change which calendars a group includes, or Delete to remove a group.</source>
            <translation>Arrastre una fila para cambiar el orden de los grupos en el selector. Use Editar para elegir los calendarios de un grupo o Eliminar para quitarlo.</translation>
        </message>
        <message>
            <source>Add group…</source>
            <translation>Añadir grupo…</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>Editar…</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Eliminar</translation>
        </message>
        <message>
            <source>(no groups yet)</source>
            <translation>(aún no hay grupos)</translation>
        </message>
        <message>
            <source>Built-in group</source>
            <translation>Grupo predefinido</translation>
        </message>
        <message>
            <source>"All Calendars" is the fallback group. It can be renamed but not deleted.</source>
            <translation>«Todos los calendarios» es el grupo por defecto. Se puede renombrar, pero no eliminar.</translation>
        </message>
        <message>
            <source>Delete group?</source>
            <translation>¿Eliminar el grupo?</translation>
        </message>
        <message>
            <source>Delete "%1"? You can recreate it later.</source>
            <translation>¿Eliminar «%1»? Puede volver a crearlo más adelante.</translation>
        </message>
        <message>
            <source>Could not delete the group.</source>
            <translation>No se pudo eliminar el grupo.</translation>
        </message>
        <message>
            <source>Could not save the order of the groups.</source>
            <translation>No se pudo guardar el orden de los grupos.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Error de base de datos</translation>
        </message>
    </context>
    <context>
        <name>Microsoft</name>
        <message numerus="yes">
            <source>Microsoft did not answer within %n second(s).</source>
            <translation>
                <numerusform>Microsoft no respondió en %n segundo.</numerusform>
                <numerusform>Microsoft no respondió en %n segundos.</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>Microsoft::AccountImport</name>
        <message>
            <source>The Microsoft account could not be saved.</source>
            <translation>No se pudo guardar la cuenta de Microsoft.</translation>
        </message>
        <message>
            <source>The Microsoft sign-in could not be kept in the system's credential store.</source>
            <translation>No se pudo guardar el inicio de sesión de Microsoft en el llavero del sistema.</translation>
        </message>
        <message>
            <source>The calendars of the Microsoft account could not be saved.</source>
            <translation>No se pudieron guardar los calendarios de la cuenta de Microsoft.</translation>
        </message>
    </context>
    <context>
        <name>Microsoft::AuthService</name>
        <message>
            <source>Microsoft OAuth credentials are not configured in this build. See .env.example.</source>
            <translation>Esta compilación no tiene credenciales OAuth de Microsoft. Consulte .env.example.</translation>
        </message>
        <message>
            <source>Microsoft sign-in timed out. Please try again.</source>
            <translation>Se agotó el tiempo para iniciar sesión en Microsoft. Inténtelo de nuevo.</translation>
        </message>
        <message>
            <source>Sign-in cancelled.</source>
            <translation>Inicio de sesión cancelado.</translation>
        </message>
        <message>
            <source>The Microsoft sign-in link was opened twice, so the sign-in was stopped for safety. Please sign in again.</source>
            <translation>El enlace de inicio de sesión de Microsoft se abrió dos veces, así que el inicio de sesión se detuvo por seguridad. Inicia sesión de nuevo.</translation>
        </message>
        <message>
            <source>Could not bind a local port for the Microsoft sign-in callback: %1</source>
            <translation>No se pudo abrir un puerto local para la respuesta del inicio de sesión de Microsoft: %1</translation>
        </message>
        <message>
            <source>Could not launch the system browser for Microsoft sign-in.</source>
            <translation>No se pudo abrir el navegador para iniciar sesión en Microsoft.</translation>
        </message>
        <message>
            <source>Microsoft denied the sign-in: %1</source>
            <translation>Microsoft denegó el inicio de sesión: %1</translation>
        </message>
        <message>
            <source>Sign-in state mismatch. The redirect didn't match our request; please try again.</source>
            <translation>El estado del inicio de sesión no coincide con la solicitud; inténtelo de nuevo.</translation>
        </message>
        <message>
            <source>Microsoft did not return an authorization code.</source>
            <translation>Microsoft no devolvió un código de autorización.</translation>
        </message>
        <message>
            <source>Token exchange failed (HTTP %1): %2</source>
            <translation>Error al intercambiar el token (HTTP %1): %2</translation>
        </message>
        <message>
            <source>Token exchange failed (HTTP %1).</source>
            <translation>Error al intercambiar el token (HTTP %1).</translation>
        </message>
        <message>
            <source>Microsoft did not return an access token.</source>
            <translation>Microsoft no devolvió un token de acceso.</translation>
        </message>
        <message>
            <source>Microsoft did not return a refresh token. Verify offline_access is in the scopes configured for this app.</source>
            <translation>Microsoft no devolvió un token de actualización. Compruebe que offline_access está entre los ámbitos configurados para esta aplicación.</translation>
        </message>
        <message>
            <source>Microsoft OAuth credentials are not configured.</source>
            <translation>Las credenciales OAuth de Microsoft no están configuradas.</translation>
        </message>
        <message>
            <source>Token refresh failed (HTTP %1): %2</source>
            <translation>Error al actualizar el token (HTTP %1): %2</translation>
        </message>
        <message>
            <source>Token refresh failed (HTTP %1).</source>
            <translation>Error al actualizar el token (HTTP %1).</translation>
        </message>
        <message>
            <source>Microsoft's response had no access_token.</source>
            <translation>La respuesta de Microsoft no incluía access_token.</translation>
        </message>
        <message>
            <source>Microsoft's response had an expires_in that could not be used.</source>
            <translation>La respuesta de Microsoft incluía un expires_in que no se pudo usar.</translation>
        </message>
    </context>
    <context>
        <name>Microsoft::CalendarClient</name>
        <message>
            <source>No Microsoft access token available.</source>
            <translation>No hay token de acceso de Microsoft.</translation>
        </message>
        <message>
            <source>Microsoft rejected /me/calendars (HTTP %1): %2</source>
            <translation>Microsoft rechazó /me/calendars (HTTP %1): %2</translation>
        </message>
        <message>
            <source>Microsoft's calendar list did not end properly after %1 pages.</source>
            <translation>La lista de calendarios de Microsoft no terminó correctamente tras %1 páginas.</translation>
        </message>
        <message>
            <source>Microsoft rejected /me/calendar (HTTP %1): %2</source>
            <translation>Microsoft rechazó /me/calendar (HTTP %1): %2</translation>
        </message>
        <message>
            <source>Microsoft rejected events list (HTTP %1): %2</source>
            <translation>Microsoft rechazó la lista de eventos (HTTP %1): %2</translation>
        </message>
        <message>
            <source>Microsoft's event list did not end properly after %1 pages.</source>
            <translation>La lista de eventos de Microsoft no terminó correctamente tras %1 páginas.</translation>
        </message>
        <message>
            <source>Microsoft's answer to the events list (page %1) is not JSON.</source>
            <translation>La respuesta de Microsoft a la lista de eventos (página %1) no es JSON.</translation>
        </message>
        <message>
            <source>No Microsoft access token.</source>
            <translation>Sin token de acceso de Microsoft.</translation>
        </message>
        <message>
            <source>Microsoft rejected events.insert: %1</source>
            <translation>Microsoft rechazó events.insert: %1</translation>
        </message>
        <message>
            <source>Microsoft rejected events.update: %1</source>
            <translation>Microsoft rechazó events.update: %1</translation>
        </message>
        <message>
            <source>Microsoft rejected events.delete: %1</source>
            <translation>Microsoft rechazó events.delete: %1</translation>
        </message>
        <message>
            <source>Microsoft rejected events.get: %1</source>
            <translation>Microsoft rechazó events.get: %1</translation>
        </message>
        <message>
            <source>Microsoft rejected events.%1: %2</source>
            <translation>Microsoft rechazó events.%1: %2</translation>
        </message>
    </context>
    <context>
        <name>Microsoft::PushRun</name>
        <message>
            <source>"%1" was changed in Outlook and could not be saved there: %2</source>
            <translation>«%1» se modificó en Outlook y no se pudo guardar allí: %2</translation>
        </message>
        <message>
            <source>"%1" was changed in Outlook too; the %2 set here was kept.</source>
            <translation>«%1» también se cambió en Outlook; se mantuvo lo fijado aquí: %2.</translation>
        </message>
    </context>
    <context>
        <name>Microsoft::SyncClient</name>
        <message>
            <source>Parent account missing</source>
            <translation>Falta la cuenta principal</translation>
        </message>
        <message>
            <source>No saved Microsoft credentials. Sign in again.</source>
            <translation>No hay credenciales de Microsoft guardadas. Vuelva a iniciar sesión.</translation>
        </message>
        <message>
            <source>Microsoft token refresh failed: %1</source>
            <translation>Error al actualizar el token de Microsoft: %1</translation>
        </message>
        <message>
            <source>Microsoft refused the listing of %1 (HTTP 410).</source>
            <translation>Microsoft rechazó el listado de %1 (HTTP 410).</translation>
        </message>
        <message numerus="yes">
            <source>%n event(s) failed to save locally; will retry next sync.</source>
            <translation>
                <numerusform>No se pudo guardar %n evento localmente; se reintentará en la próxima sincronización.</numerusform>
                <numerusform>No se pudieron guardar %n eventos localmente; se reintentará en la próxima sincronización.</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n recurring series could not be read from Microsoft; will retry next sync.</source>
            <translation>
                <numerusform>No se pudo leer %n serie periódica de Microsoft; se reintentará en la próxima sincronización.</numerusform>
                <numerusform>No se pudieron leer %n series periódicas de Microsoft; se reintentará en la próxima sincronización.</numerusform>
            </translation>
        </message>
        <message>
            <source>Microsoft no longer accepts the saved sign-in. Sign in again.</source>
            <translation>Microsoft ya no acepta el inicio de sesión guardado. Inicia sesión de nuevo.</translation>
        </message>
        <message>
            <source>The renewed Microsoft sign-in could not be saved to the secret store.</source>
            <translation>No se pudo guardar el inicio de sesión renovado de Microsoft en el almacén de secretos.</translation>
        </message>
    </context>
    <context>
        <name>MonthGridWidget</name>
        <message>
            <source>+%1 more</source>
            <translation>+%1 más</translation>
        </message>
    </context>
    <context>
        <name>Net</name>
        <message>
            <source>%1 did not finish its answer within %2 seconds.</source>
            <translation>%1 no completó su respuesta en %2 segundos.</translation>
        </message>
        <message>
            <source>The answer from %1 is larger than %2.</source>
            <translation>La respuesta de %1 es mayor que %2.</translation>
        </message>
    </context>
    <context>
        <name>NotificationService</name>
        <message>
            <source>Starting now (%1)</source>
            <translation>Empieza ahora (%1)</translation>
        </message>
        <message>
            <source>In %1 minutes (%2)</source>
            <translation>En %1 minutos (%2)</translation>
        </message>
        <message>
            <source>In %1h (%2)</source>
            <translation>En %1 h (%2)</translation>
        </message>
        <message>
            <source>Tomorrow at %1</source>
            <translation>Mañana a las %1</translation>
        </message>
        <message>
            <source>Reminder</source>
            <translation>Recordatorio</translation>
        </message>
        <message>
            <source>Due soon</source>
            <translation>Vence pronto</translation>
        </message>
        <message>
            <source>Due today</source>
            <translation>Vence hoy</translation>
        </message>
        <message>
            <source>Due soon (%1)</source>
            <translation>Vence pronto (%1)</translation>
        </message>
        <message>
            <source>Due now (%1)</source>
            <translation>Vence ahora (%1)</translation>
        </message>
        <message>
            <source>Test reminder</source>
            <translation>Recordatorio de prueba</translation>
        </message>
        <message>
            <source>If you can see this, your desktop notifications are wired up correctly. Real reminders look just like this one.</source>
            <translation>Si ve esto, las notificaciones del escritorio funcionan. Los recordatorios reales tienen este mismo aspecto.</translation>
        </message>
    </context>
    <context>
        <name>OAuth</name>
        <message>
            <source>The service answered HTTP %1.</source>
            <translation>El servicio respondió HTTP %1.</translation>
        </message>
    </context>
    <context>
        <name>OAuth::PendingPush</name>
        <message>
            <source>title</source>
            <translation>título</translation>
        </message>
        <message>
            <source>description</source>
            <translation>descripción</translation>
        </message>
        <message>
            <source>location</source>
            <translation>ubicación</translation>
        </message>
        <message>
            <source>status</source>
            <translation>estado</translation>
        </message>
        <message>
            <source>repetition</source>
            <translation>repetición</translation>
        </message>
        <message>
            <source>time</source>
            <translation>hora</translation>
        </message>
        <message numerus="yes">
            <source>%n pushed event(s) could not be saved here and will be sent again: %1</source>
            <translation>
                <numerusform>%n evento enviado no se pudo guardar aquí y se enviará de nuevo: %1</numerusform>
                <numerusform>%n eventos enviados no se pudieron guardar aquí y se enviarán de nuevo: %1</numerusform>
            </translation>
        </message>
        <message>
            <source>The new state of "%1" could not be saved here; it is tried again at the next sync.</source>
            <translation>No se pudo guardar aquí el nuevo estado de «%1»; se volverá a intentar en la próxima sincronización.</translation>
        </message>
        <message>
            <source>"%1" is deleted at a later sync: what was changed in it elsewhere could not be read: %2</source>
            <translation>«%1» se eliminará en una sincronización posterior: no se pudo leer lo que se cambió en él en otro lugar: %2</translation>
        </message>
    </context>
    <context>
        <name>OAuthProgressDialog</name>
        <message>
            <source>Sign in to %1</source>
            <translation>Iniciar sesión en %1</translation>
        </message>
        <message>
            <source>Continue sign-in in your browser</source>
            <translation>Continúe el inicio de sesión en el navegador</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar opened your default browser to sign in to %1. Once you finish there, the app will pick up automatically.

If your browser didn't open, or you closed the tab by mistake, click Cancel and try again.</source>
            <translation>Tindlebrook Calendar abrió su navegador predeterminado para iniciar sesión en %1. Cuando termine allí, la aplicación continuará automáticamente.

Si el navegador no se abrió o cerró la pestaña por error, haga clic en Cancelar e inténtelo de nuevo.</translation>
        </message>
    </context>
    <context>
        <name>PdfExportDialog</name>
        <message>
            <source>Save Agenda PDF</source>
            <translation>Guardar agenda en PDF</translation>
        </message>
        <message>
            <source>PDF Documents (*.pdf)</source>
            <translation>Documentos PDF (*.pdf)</translation>
        </message>
        <message>
            <source>Export Agenda PDF</source>
            <translation>Exportar agenda en PDF</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — Agenda</source>
            <translation>Tindlebrook Calendar — Agenda</translation>
        </message>
        <message>
            <source>&amp;Title:</source>
            <translation>&amp;Título:</translation>
        </message>
        <message>
            <source>&amp;From:</source>
            <translation>&amp;Desde:</translation>
        </message>
        <message>
            <source>T&amp;o:</source>
            <translation>&amp;Hasta:</translation>
        </message>
        <message>
            <source>Events use the active View's calendars, filtered through your current filter rules — the PDF mirrors what's on screen.</source>
            <translation>Los eventos usan los calendarios de la vista activa, filtrados con sus reglas de filtro actuales: el PDF refleja lo que ve en pantalla.</translation>
        </message>
        <message>
            <source>Save PDF…</source>
            <translation>Guardar PDF…</translation>
        </message>
        <message>
            <source>Range invalid</source>
            <translation>Intervalo no válido</translation>
        </message>
        <message>
            <source>The end date is before the start date.</source>
            <translation>La fecha de fin es anterior a la de inicio.</translation>
        </message>
        <message>
            <source>Export failed</source>
            <translation>Error al exportar</translation>
        </message>
        <message>
            <source>Could not write %1: %2
Nothing was exported.</source>
            <translation>No se pudo escribir %1: %2
No se exportó nada.</translation>
        </message>
        <message>
            <source>Exported</source>
            <translation>Exportado</translation>
        </message>
        <message>
            <source>Wrote %1 event(s) to %2.</source>
            <translation>Se escribieron %1 evento(s) en %2.</translation>
        </message>
        <message>
            <source>the PDF could not be drawn</source>
            <translation>no se pudo generar el PDF</translation>
        </message>
    </context>
    <context>
        <name>QObject</name>
        <message>
            <source>Repeats daily</source>
            <translation>Cada día</translation>
        </message>
        <message>
            <source>Every %1 days</source>
            <translation>Cada %1 días</translation>
        </message>
        <message>
            <source>Repeats weekly</source>
            <translation>Cada semana</translation>
        </message>
        <message>
            <source>Every %1 weeks</source>
            <translation>Cada %1 semanas</translation>
        </message>
        <message>
            <source>Repeats monthly</source>
            <translation>Cada mes</translation>
        </message>
        <message>
            <source>Every %1 months</source>
            <translation>Cada %1 meses</translation>
        </message>
        <message>
            <source>Repeats yearly</source>
            <translation>Cada año</translation>
        </message>
        <message>
            <source>Every %1 years</source>
            <translation>Cada %1 años</translation>
        </message>
        <message>
            <source>Repeats</source>
            <translation>Se repite</translation>
        </message>
        <message>
            <source>in %1</source>
            <translation>en %1</translation>
        </message>
        <message>
            <source>%1 day</source>
            <translation>%1 día</translation>
        </message>
        <message>
            <source>on the %1</source>
            <translation>el %1</translation>
        </message>
        <message>
            <source>on the %1 %2 of the year</source>
            <translation>el %1 %2 del año</translation>
        </message>
        <message>
            <source>on the %1 %2</source>
            <translation>el %1 %2</translation>
        </message>
        <message>
            <source>on the %1 of the year</source>
            <translation>el %1 del año</translation>
        </message>
        <message>
            <source>weekday</source>
            <translation>día laborable</translation>
        </message>
        <message>
            <source>weekend day</source>
            <translation>día de fin de semana</translation>
        </message>
        <message>
            <source>day</source>
            <translation>día</translation>
        </message>
        <message>
            <source>in every month</source>
            <translation>todos los meses</translation>
        </message>
        <message>
            <source>%1 if it falls on %2</source>
            <translation>%1 si cae en %2</translation>
        </message>
        <message>
            <source>only the %1 of these</source>
            <translation>solo el %1 de ellos</translation>
        </message>
        <message numerus="yes">
            <source>%n time(s)</source>
            <translation>
                <numerusform>%n vez</numerusform>
                <numerusform>%n veces</numerusform>
            </translation>
        </message>
        <message>
            <source>until %1</source>
            <translation>hasta el %1</translation>
        </message>
        <message>
            <source>At time of event</source>
            <translation>A la hora del evento</translation>
        </message>
        <message>
            <source>%1 min before</source>
            <translation>%1 min antes</translation>
        </message>
        <message>
            <source>%1 hour(s) before</source>
            <translation>%1 h antes</translation>
        </message>
        <message>
            <source>%1 day(s) before</source>
            <translation>%1 día(s) antes</translation>
        </message>
        <message>
            <source>%1th</source>
            <translation>%1</translation>
        </message>
        <message>
            <source>%1st</source>
            <translation>%1</translation>
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
            <translation>penúltimo</translation>
        </message>
        <message>
            <source>last</source>
            <translation>último</translation>
        </message>
        <message>
            <source>first</source>
            <translation>primer</translation>
        </message>
        <message>
            <source>second</source>
            <translation>segundo</translation>
        </message>
        <message>
            <source>third</source>
            <translation>tercer</translation>
        </message>
        <message>
            <source>fourth</source>
            <translation>cuarto</translation>
        </message>
        <message>
            <source>fifth</source>
            <translation>quinto</translation>
        </message>
        <message>
            <source>%1-from-last</source>
            <translation>%1 desde el final</translation>
        </message>
        <message>
            <source>5 minutes before</source>
            <translation>5 minutos antes</translation>
        </message>
        <message>
            <source>10 minutes before</source>
            <translation>10 minutos antes</translation>
        </message>
        <message>
            <source>15 minutes before</source>
            <translation>15 minutos antes</translation>
        </message>
        <message>
            <source>30 minutes before</source>
            <translation>30 minutos antes</translation>
        </message>
        <message>
            <source>1 hour before</source>
            <translation>1 hora antes</translation>
        </message>
        <message>
            <source>2 hours before</source>
            <translation>2 horas antes</translation>
        </message>
        <message>
            <source>1 day before</source>
            <translation>1 día antes</translation>
        </message>
        <message>
            <source>2 days before</source>
            <translation>2 días antes</translation>
        </message>
        <message>
            <source>1 week before</source>
            <translation>1 semana antes</translation>
        </message>
        <message>
            <source>%1 days before</source>
            <translation>%1 días antes</translation>
        </message>
        <message>
            <source>%1 hours before</source>
            <translation>%1 horas antes</translation>
        </message>
        <message>
            <source>%1 minutes before</source>
            <translation>%1 minutos antes</translation>
        </message>
        <message>
            <source>Calendar Subscriptions</source>
            <translation>Suscripciones de calendario</translation>
        </message>
        <message>
            <source>New Subscription</source>
            <translation>Nueva suscripción</translation>
        </message>
    </context>
    <context>
        <name>QuickAddDialog</name>
        <message>
            <source>Quick Add</source>
            <translation>Añadido rápido</translation>
        </message>
        <message>
            <source>Type an event or reminder in plain English.</source>
            <translation>Escriba un evento o recordatorio en inglés sencillo.</translation>
        </message>
        <message>
            <source>e.g. "lunch Thursday 1pm"</source>
            <translation>p. ej. «lunch Thursday 1pm»</translation>
        </message>
        <message>
            <source>Reminder</source>
            <translation>Recordatorio</translation>
        </message>
        <message>
            <source>To-do</source>
            <translation>Tarea</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>Evento</translation>
        </message>
        <message>
            <source>No due date</source>
            <translation>Sin vencimiento</translation>
        </message>
        <message>
            <source>All-day</source>
            <translation>Todo el día</translation>
        </message>
        <message>
            <source>Couldn't save event</source>
            <translation>No se pudo guardar el evento</translation>
        </message>
    </context>
    <context>
        <name>RecurrenceEditDialog</name>
        <message>
            <source>Recurrence</source>
            <translation>Repetición</translation>
        </message>
        <message>
            <source>Daily</source>
            <translation>Diaria</translation>
        </message>
        <message>
            <source>Weekly</source>
            <translation>Semanal</translation>
        </message>
        <message>
            <source>Monthly</source>
            <translation>Mensual</translation>
        </message>
        <message>
            <source>Yearly</source>
            <translation>Anual</translation>
        </message>
        <message>
            <source>Frequency</source>
            <translation>Frecuencia</translation>
        </message>
        <message>
            <source>Every</source>
            <translation>Cada</translation>
        </message>
        <message>
            <source>Ends</source>
            <translation>Termina</translation>
        </message>
        <message>
            <source>On day of the month</source>
            <translation>El día del mes</translation>
        </message>
        <message>
            <source>of every month</source>
            <translation>de cada mes</translation>
        </message>
        <message>
            <source>On the nth weekday</source>
            <translation>El enésimo día de la semana</translation>
        </message>
        <message>
            <source>first</source>
            <translation>primer</translation>
        </message>
        <message>
            <source>second</source>
            <translation>segundo</translation>
        </message>
        <message>
            <source>third</source>
            <translation>tercer</translation>
        </message>
        <message>
            <source>fourth</source>
            <translation>cuarto</translation>
        </message>
        <message>
            <source>last</source>
            <translation>último</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>lunes</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>martes</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>miércoles</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>jueves</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>viernes</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>sábado</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>domingo</translation>
        </message>
        <message>
            <source>Never</source>
            <translation>Nunca</translation>
        </message>
        <message>
            <source>After</source>
            <translation>Después de</translation>
        </message>
        <message>
            <source>occurrences</source>
            <translation>repeticiones</translation>
        </message>
        <message>
            <source>On</source>
            <translation>El</translation>
        </message>
        <message>
            <source>day</source>
            <translation>día</translation>
        </message>
        <message>
            <source>days</source>
            <translation>días</translation>
        </message>
        <message>
            <source>month</source>
            <translation>mes</translation>
        </message>
        <message>
            <source>months</source>
            <translation>meses</translation>
        </message>
        <message>
            <source>year</source>
            <translation>año</translation>
        </message>
        <message>
            <source>years</source>
            <translation>años</translation>
        </message>
        <message>
            <source>week</source>
            <translation>semana</translation>
        </message>
        <message>
            <source>weeks</source>
            <translation>semanas</translation>
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
            <translation>X</translation>
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
            <translation>Editar evento periódico</translation>
        </message>
        <message>
            <source>Edit "%1"</source>
            <translation>Editar «%1»</translation>
        </message>
        <message>
            <source>This event repeats. Apply your changes to:</source>
            <translation>Este evento se repite. Aplicar los cambios a:</translation>
        </message>
        <message>
            <source>This event only</source>
            <translation>Solo este evento</translation>
        </message>
        <message>
            <source>Only this occurrence is changed; the rest of the series stays as it was.</source>
            <translation>Solo cambia esta repetición; el resto de la serie no se modifica.</translation>
        </message>
        <message>
            <source>This and following events</source>
            <translation>Este y los siguientes eventos</translation>
        </message>
        <message>
            <source>This occurrence and every later one inherit the change. Past occurrences keep their original times.</source>
            <translation>Esta repetición y todas las posteriores reciben el cambio. Las anteriores conservan sus horas.</translation>
        </message>
        <message>
            <source>All events in the series</source>
            <translation>Todos los eventos de la serie</translation>
        </message>
        <message>
            <source>The master event shifts; every occurrence — past and future — moves with it.</source>
            <translation>Se mueve el evento principal; todas las repeticiones, pasadas y futuras, lo acompañan.</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Cancelar</translation>
        </message>
    </context>
    <context>
        <name>RemindersPane</name>
        <message>
            <source>Reminders</source>
            <translation>Recordatorios</translation>
        </message>
        <message>
            <source>Clear</source>
            <translation>Borrar</translation>
        </message>
        <message>
            <source>Delete all completed reminders</source>
            <translation>Eliminar todos los recordatorios completados</translation>
        </message>
        <message>
            <source>Completed</source>
            <translation>Completados</translation>
        </message>
        <message>
            <source>Show completed reminders</source>
            <translation>Mostrar los recordatorios completados</translation>
        </message>
        <message>
            <source>No reminders yet</source>
            <translation>Aún no hay recordatorios</translation>
        </message>
        <message>
            <source>Add a reminder to get a nudge at the time you set.</source>
            <translation>Añada un recordatorio para recibir un aviso a la hora indicada.</translation>
        </message>
        <message>
            <source>+ New Reminder</source>
            <translation>+ Nuevo recordatorio</translation>
        </message>
        <message>
            <source>Overdue</source>
            <translation>Vencidas</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Hoy</translation>
        </message>
        <message>
            <source>Upcoming</source>
            <translation>Próximos</translation>
        </message>
        <message>
            <source>No date</source>
            <translation>Sin fecha</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>Editar…</translation>
        </message>
        <message>
            <source>Mark Incomplete</source>
            <translation>Marcar como pendiente</translation>
        </message>
        <message>
            <source>Mark Complete</source>
            <translation>Marcar como completada</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Eliminar</translation>
        </message>
        <message>
            <source>Delete reminder?</source>
            <translation>¿Eliminar el recordatorio?</translation>
        </message>
        <message>
            <source>Delete "%1"? This cannot be undone.</source>
            <translation>¿Eliminar «%1»? Esta acción no se puede deshacer.</translation>
        </message>
        <message>
            <source>Clear completed reminders?</source>
            <translation>¿Borrar los recordatorios completados?</translation>
        </message>
        <message numerus="yes">
            <source>Delete all %n completed reminder(s)? This cannot be undone.</source>
            <translation>
                <numerusform>¿Eliminar %n recordatorio completado? Esta acción no se puede deshacer.</numerusform>
                <numerusform>¿Eliminar los %n recordatorios completados? Esta acción no se puede deshacer.</numerusform>
            </translation>
        </message>
        <message>
            <source>No calendars</source>
            <translation>No hay calendarios</translation>
        </message>
        <message>
            <source>Create a calendar first.</source>
            <translation>Cree primero un calendario.</translation>
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
            <translation>mié</translation>
        </message>
        <message>
            <source>Thu</source>
            <translation>jue</translation>
        </message>
        <message>
            <source>Fri</source>
            <translation>vie</translation>
        </message>
        <message>
            <source>Sat</source>
            <translation>sáb</translation>
        </message>
        <message>
            <source>Sun</source>
            <translation>dom</translation>
        </message>
        <message>
            <source>Jan</source>
            <translation>ene</translation>
        </message>
        <message>
            <source>Feb</source>
            <translation>feb</translation>
        </message>
        <message>
            <source>Mar</source>
            <translation>mar</translation>
        </message>
        <message>
            <source>Apr</source>
            <translation>abr</translation>
        </message>
        <message>
            <source>May</source>
            <translation>may</translation>
        </message>
        <message>
            <source>Jun</source>
            <translation>jun</translation>
        </message>
        <message>
            <source>Jul</source>
            <translation>jul</translation>
        </message>
        <message>
            <source>Aug</source>
            <translation>ago</translation>
        </message>
        <message>
            <source>Sep</source>
            <translation>sept</translation>
        </message>
        <message>
            <source>Oct</source>
            <translation>oct</translation>
        </message>
        <message>
            <source>Nov</source>
            <translation>nov</translation>
        </message>
        <message>
            <source>Dec</source>
            <translation>dic</translation>
        </message>
    </context>
    <context>
        <name>SearchDialog</name>
        <message>
            <source>Search</source>
            <translation>Buscar</translation>
        </message>
        <message>
            <source>Search events by title, location, or notes…</source>
            <translation>Buscar eventos por título, ubicación o notas…</translation>
        </message>
        <message>
            <source>Range:</source>
            <translation>Intervalo:</translation>
        </message>
        <message>
            <source>All time</source>
            <translation>Todas las fechas</translation>
        </message>
        <message>
            <source>Past 30 days</source>
            <translation>Últimos 30 días</translation>
        </message>
        <message>
            <source>Past 90 days</source>
            <translation>Últimos 90 días</translation>
        </message>
        <message>
            <source>Next 30 days</source>
            <translation>Próximos 30 días</translation>
        </message>
        <message>
            <source>Next 12 months</source>
            <translation>Próximos 12 meses</translation>
        </message>
        <message>
            <source>Calendars</source>
            <translation>Calendarios</translation>
        </message>
        <message>
            <source>Type to search.</source>
            <translation>Escriba para buscar.</translation>
        </message>
        <message>
            <source>Keep typing…</source>
            <translation>Siga escribiendo…</translation>
        </message>
        <message numerus="yes">
            <source>%n result(s).</source>
            <translation>
                <numerusform>%n resultado.</numerusform>
                <numerusform>%n resultados.</numerusform>
            </translation>
        </message>
        <message>
            <source>No matches in this range.</source>
            <translation>No hay coincidencias en este intervalo.</translation>
        </message>
        <message>
            <source>(Untitled)</source>
            <translation>(Sin título)</translation>
        </message>
        <message>
            <source>%1 (all day)</source>
            <translation>%1 (todo el día)</translation>
        </message>
        <message>
            <source>%1, %2 – %3</source>
            <translation>%1, %2-%3</translation>
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
            <translation>No se pudo guardar una contraseña o un inicio de sesión.</translation>
        </message>
        <message>
            <source>No keyring is available; passwords and sign-ins are not saved.</source>
            <translation>No hay llavero disponible; las contraseñas y los inicios de sesión no se guardan.</translation>
        </message>
        <message>
            <source>A password or sign-in could not be saved to the keyring; it is kept until the program ends.</source>
            <translation>No se pudo guardar una contraseña o un inicio de sesión en el llavero; se conserva hasta que se cierre el programa.</translation>
        </message>
    </context>
    <context>
        <name>SettingsDialog</name>
        <message>
            <source>Preferences</source>
            <translation>Preferencias</translation>
        </message>
        <message>
            <source>Appearance</source>
            <translation>Apariencia</translation>
        </message>
        <message>
            <source>System</source>
            <translation>Sistema</translation>
        </message>
        <message>
            <source>Light</source>
            <translation>Claro</translation>
        </message>
        <message>
            <source>Dark</source>
            <translation>Oscuro</translation>
        </message>
        <message>
            <source>&amp;Theme</source>
            <translation>&amp;Tema</translation>
        </message>
        <message>
            <source>Use default</source>
            <translation>Usar predeterminado</translation>
        </message>
        <message>
            <source>Accent color</source>
            <translation>Color de acento</translation>
        </message>
        <message>
            <source>Small</source>
            <translation>Pequeño</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>Predeterminado</translation>
        </message>
        <message>
            <source>Medium</source>
            <translation>Media</translation>
        </message>
        <message>
            <source>Large</source>
            <translation>Grande</translation>
        </message>
        <message>
            <source>X-Large</source>
            <translation>Muy grande</translation>
        </message>
        <message>
            <source>&amp;Font size</source>
            <translation>&amp;Tamaño de letra</translation>
        </message>
        <message>
            <source>Calendar</source>
            <translation>Calendario</translation>
        </message>
        <message>
            <source>System default</source>
            <translation>Predeterminado del sistema</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>lunes</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>martes</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>miércoles</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>jueves</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>viernes</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>sábado</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>domingo</translation>
        </message>
        <message>
            <source>Week starts on</source>
            <translation>Primer día de la semana</translation>
        </message>
        <message>
            <source>to</source>
            <translation>a</translation>
        </message>
        <message>
            <source>Workday hours</source>
            <translation>Horario laboral</translation>
        </message>
        <message>
            <source>Show week numbers in mini-cal</source>
            <translation>Mostrar números de semana en el minicalendario</translation>
        </message>
        <message>
            <source>Default for new events</source>
            <translation>Predeterminado para eventos nuevos</translation>
        </message>
        <message>
            <source>Default for new tasks</source>
            <translation>Predeterminado para tareas nuevas</translation>
        </message>
        <message>
            <source>(use first available)</source>
            <translation>(usar el primero disponible)</translation>
        </message>
        <message>
            <source>(use last calendar)</source>
            <translation>(usar el último calendario)</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>Hora</translation>
        </message>
        <message>
            <source>12-hour (1:30 PM)</source>
            <translation>12 horas (1:30 PM)</translation>
        </message>
        <message>
            <source>24-hour (13:30)</source>
            <translation>24 horas (13:30)</translation>
        </message>
        <message>
            <source>Time format</source>
            <translation>Formato de hora</translation>
        </message>
        <message>
            <source>Weather</source>
            <translation>Tiempo</translation>
        </message>
        <message>
            <source>Show weather in calendar headers</source>
            <translation>Mostrar el tiempo en los encabezados del calendario</translation>
        </message>
        <message>
            <source>Configure location and units…</source>
            <translation>Configurar ubicación y unidades…</translation>
        </message>
        <message>
            <source>Startup</source>
            <translation>Inicio</translation>
        </message>
        <message>
            <source>Open at login</source>
            <translation>Abrir al iniciar sesión</translation>
        </message>
        <message>
            <source>Launch Tindlebrook Calendar to the system tray when you log in so calendars keep syncing without you needing to open the window.</source>
            <translation>Inicia Tindlebrook Calendar en la bandeja del sistema al iniciar sesión para que los calendarios se sigan sincronizando sin tener que abrir la ventana.</translation>
        </message>
        <message>
            <source>Close to tray</source>
            <translation>Cerrar a la bandeja</translation>
        </message>
        <message>
            <source>When enabled, clicking the window's close button hides the window to the system tray instead of quitting. Use File → Quit to actually exit.</source>
            <translation>Si está activado, el botón de cerrar oculta la ventana en la bandeja del sistema en lugar de salir. Use Archivo → Salir para cerrar del todo.</translation>
        </message>
        <message>
            <source>Start minimized to tray</source>
            <translation>Iniciar minimizado en la bandeja</translation>
        </message>
        <message>
            <source>Launch directly to the tray without showing the window — pair with Open at login for a fully background-running app.</source>
            <translation>Inicia directamente en la bandeja sin mostrar la ventana — combínelo con «Abrir al iniciar sesión» para que la aplicación funcione totalmente en segundo plano.</translation>
        </message>
        <message>
            <source>Tasks</source>
            <translation>Tareas</translation>
        </message>
        <message>
            <source>Ask me each time</source>
            <translation>Preguntar cada vez</translation>
        </message>
        <message>
            <source>Create a new event from the task</source>
            <translation>Crear un evento nuevo a partir de la tarea</translation>
        </message>
        <message>
            <source>Set the task's start date</source>
            <translation>Fijar la fecha de inicio de la tarea</translation>
        </message>
        <message>
            <source>Set the task's due date</source>
            <translation>Fijar la fecha de vencimiento de la tarea</translation>
        </message>
        <message>
            <source>When you drag a task from the Tasks pane onto the calendar, Tindlebrook can create a new event from it, fill in the task's start or due date based on where you dropped it, or ask you each time.</source>
            <translation>Al arrastrar una tarea del panel de tareas al calendario, Tindlebrook puede crear un evento nuevo a partir de ella, fijar su fecha de inicio o de vencimiento según dónde la suelte, o preguntarle cada vez.</translation>
        </message>
        <message>
            <source>Drop a task onto the calendar:</source>
            <translation>Al soltar una tarea en el calendario:</translation>
        </message>
        <message>
            <source>Cross-device sync</source>
            <translation>Sincronización entre dispositivos</translation>
        </message>
        <message>
            <source>Pick what syncs through your Tindlebrook account to your other devices. Calendar events from Google, Microsoft, and CalDAV servers sync directly with those services and aren't affected by these toggles.</source>
            <translation>Elija qué se sincroniza con sus otros dispositivos a través de su cuenta de Tindlebrook. Los eventos de calendario de Google, Microsoft y servidores CalDAV se sincronizan directamente con esos servicios y no dependen de estas opciones.</translation>
        </message>
        <message>
            <source>Filters</source>
            <translation>Filtros</translation>
        </message>
        <message>
            <source>Calendar groups</source>
            <translation>Grupos de calendarios</translation>
        </message>
        <message>
            <source>Event templates</source>
            <translation>Plantillas de eventos</translation>
        </message>
        <message>
            <source>App preferences (theme, time format, etc.)</source>
            <translation>Preferencias de la app (tema, formato de hora, etc.)</translation>
        </message>
        <message>
            <source>Account credentials (CalDAV servers and tokens)</source>
            <translation>Credenciales de cuentas (servidores CalDAV y tokens)</translation>
        </message>
        <message>
            <source>CalDAV usernames and app passwords ride alongside the rest of the bucket so a new device picks up your servers without re-entering credentials.</source>
            <translation>Los usuarios y las contraseñas de aplicación de CalDAV viajan con el resto de los datos, así un dispositivo nuevo obtiene sus servidores sin volver a introducir las credenciales.</translation>
        </message>
        <message>
            <source>Sync now</source>
            <translation>Sincronizar ahora</translation>
        </message>
        <message>
            <source>Sign in to your Tindlebrook account to start syncing.</source>
            <translation>Inicie sesión en su cuenta de Tindlebrook para empezar a sincronizar.</translation>
        </message>
        <message>
            <source>Syncing…</source>
            <translation>Sincronizando…</translation>
        </message>
        <message>
            <source>Up to date</source>
            <translation>Al día</translation>
        </message>
        <message>
            <source>Sync failed; will retry.</source>
            <translation>Error de sincronización; se reintentará.</translation>
        </message>
        <message>
            <source>Sign-in expired. Please sign in again.</source>
            <translation>La sesión ha caducado. Vuelva a iniciar sesión.</translation>
        </message>
        <message>
            <source>Offline. Will sync when reconnected.</source>
            <translation>Sin conexión. Se sincronizará al volver a conectarse.</translation>
        </message>
        <message>
            <source>Default accent (%1). Click to override.</source>
            <translation>Color de acento predeterminado (%1). Haga clic para cambiarlo.</translation>
        </message>
        <message>
            <source>Custom accent (%1). Click to change.</source>
            <translation>Color de acento personalizado (%1). Haga clic para cambiarlo.</translation>
        </message>
        <message>
            <source>Preferences not saved</source>
            <translation>Preferencias no guardadas</translation>
        </message>
        <message>
            <source>These preferences could not be saved:
%1

The settings store may be read-only or full.</source>
            <translation>No se pudieron guardar estas preferencias:
%1

El almacén de configuración puede ser de solo lectura o estar lleno.</translation>
        </message>
    </context>
    <context>
        <name>StatusPills</name>
        <message>
            <source>Manage filters</source>
            <translation>Gestionar filtros</translation>
        </message>
        <message numerus="yes">
            <source>%n account(s) need sign-in</source>
            <translation>
                <numerusform>%n cuenta necesita iniciar sesión</numerusform>
                <numerusform>%n cuentas necesitan iniciar sesión</numerusform>
            </translation>
        </message>
        <message>
            <source>Click to open Calendar Accounts and sign in.</source>
            <translation>Haga clic para abrir Cuentas de calendario e iniciar sesión.</translation>
        </message>
        <message numerus="yes">
            <source>%n account(s) need password</source>
            <translation>
                <numerusform>%n cuenta necesita contraseña</numerusform>
                <numerusform>%n cuentas necesitan contraseña</numerusform>
            </translation>
        </message>
        <message>
            <source>Click to open Calendar Accounts and re-enter the password.</source>
            <translation>Haga clic para abrir Cuentas de calendario y volver a escribir la contraseña.</translation>
        </message>
        <message numerus="yes">
            <source>%n account(s) need attention</source>
            <translation>
                <numerusform>%n cuenta requiere atención</numerusform>
                <numerusform>%n cuentas requieren atención</numerusform>
            </translation>
        </message>
        <message>
            <source>Click to open Calendar Accounts and resolve the issues.</source>
            <translation>Haga clic para abrir Cuentas de calendario y resolver los problemas.</translation>
        </message>
        <message>
            <source>Add Filter…</source>
            <translation>Añadir filtro…</translation>
        </message>
        <message>
            <source>Manage Filters…</source>
            <translation>Gestionar filtros…</translation>
        </message>
        <message>
            <source>Disable all filters</source>
            <translation>Desactivar todos los filtros</translation>
        </message>
        <message>
            <source>Enable all filters</source>
            <translation>Activar todos los filtros</translation>
        </message>
        <message>
            <source>No filters</source>
            <translation>Sin filtros</translation>
        </message>
        <message numerus="yes">
            <source>%n filter(s) applied</source>
            <translation>
                <numerusform>%n filtro aplicado</numerusform>
                <numerusform>%n filtros aplicados</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n hidden</source>
            <translation>
                <numerusform>%n oculto</numerusform>
                <numerusform>%n ocultos</numerusform>
            </translation>
        </message>
        <message>
            <source>Could not save the filter.</source>
            <translation>No se pudo guardar el filtro.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Error de base de datos</translation>
        </message>
    </context>
    <context>
        <name>SyncErrorCode</name>
        <message>
            <source>Password missing</source>
            <translation>Falta la contraseña</translation>
        </message>
        <message>
            <source>Sign in required</source>
            <translation>Es necesario iniciar sesión</translation>
        </message>
    </context>
    <context>
        <name>TaskActions</name>
        <message>
            <source>Couldn't change the task</source>
            <translation>No se pudo cambiar la tarea</translation>
        </message>
    </context>
    <context>
        <name>TaskDetailsPopover</name>
        <message>
            <source>Edit…</source>
            <translation>Editar…</translation>
        </message>
        <message>
            <source>Add Subtask</source>
            <translation>Añadir subtarea</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Eliminar</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Hoy</translation>
        </message>
        <message>
            <source>Tomorrow</source>
            <translation>Mañana</translation>
        </message>
        <message>
            <source>Yesterday</source>
            <translation>Ayer</translation>
        </message>
        <message>
            <source>(Untitled task)</source>
            <translation>(Tarea sin título)</translation>
        </message>
        <message>
            <source>▶  Starts %1</source>
            <translation>▶  Empieza %1</translation>
        </message>
        <message>
            <source>%1 priority</source>
            <translation>Prioridad %1</translation>
        </message>
        <message>
            <source>Mark incomplete</source>
            <translation>Marcar como pendiente</translation>
        </message>
        <message>
            <source>Mark complete</source>
            <translation>Marcar como completada</translation>
        </message>
        <message>
            <source>Unknown calendar</source>
            <translation>Calendario desconocido</translation>
        </message>
        <message>
            <source>(Untitled event)</source>
            <translation>(Evento sin título)</translation>
        </message>
        <message>
            <source>Linked event:</source>
            <translation>Evento vinculado:</translation>
        </message>
        <message>
            <source>Linked events:</source>
            <translation>Eventos vinculados:</translation>
        </message>
        <message>
            <source>Task</source>
            <translation>Tarea</translation>
        </message>
        <message>
            <source>Delete task?</source>
            <translation>¿Eliminar la tarea?</translation>
        </message>
        <message>
            <source>Delete "%1"? This cannot be undone.</source>
            <translation>¿Eliminar «%1»? Esta acción no se puede deshacer.</translation>
        </message>
    </context>
    <context>
        <name>TaskDrop</name>
        <message>
            <source>Create event from task</source>
            <translation>Crear evento a partir de la tarea</translation>
        </message>
        <message>
            <source>Set start date</source>
            <translation>Fijar fecha de inicio</translation>
        </message>
        <message>
            <source>Set due date</source>
            <translation>Fijar fecha de vencimiento</translation>
        </message>
        <message>
            <source>Couldn't update task — see log.</source>
            <translation>No se pudo actualizar la tarea; consulte el registro.</translation>
        </message>
        <message>
            <source>Task</source>
            <translation>Tarea</translation>
        </message>
        <message>
            <source>Set start date for "%1" to %2</source>
            <translation>Fijar la fecha de inicio de «%1» en %2</translation>
        </message>
        <message>
            <source>Set due date for "%1" to %2</source>
            <translation>Fijar el vencimiento de «%1» en %2</translation>
        </message>
    </context>
    <context>
        <name>TaskEditor</name>
        <message>
            <source>Task</source>
            <translation>Tarea</translation>
        </message>
        <message>
            <source>"%1" could not be deleted. The log has the details.</source>
            <translation>No se pudo eliminar «%1». Los detalles están en el registro.</translation>
        </message>
        <message>
            <source>"%1" was copied to its new calendar, but not all of it could be removed from the old one. The log has the details.</source>
            <translation>«%1» se copió a su nuevo calendario, pero no se pudo quitar del todo del anterior. Los detalles están en el registro.</translation>
        </message>
        <message>
            <source>"%1" could not be stored, so nothing was changed. The log has the details.</source>
            <translation>No se pudo guardar «%1», así que no se cambió nada. Los detalles están en el registro.</translation>
        </message>
        <message>
            <source>The task no longer exists.</source>
            <translation>La tarea ya no existe.</translation>
        </message>
    </context>
    <context>
        <name>TaskFormDialog</name>
        <message>
            <source>New Task</source>
            <translation>Nueva tarea</translation>
        </message>
        <message>
            <source>Edit Task</source>
            <translation>Editar tarea</translation>
        </message>
        <message>
            <source>Edit task</source>
            <translation>Editar tarea</translation>
        </message>
        <message>
            <source>New task</source>
            <translation>Nueva tarea</translation>
        </message>
        <message>
            <source>Update the task and save to apply.</source>
            <translation>Actualice la tarea y guarde para aplicar.</translation>
        </message>
        <message>
            <source>Drop a quick to-do; due date and priority are optional.</source>
            <translation>Apunte una tarea rápida; el vencimiento y la prioridad son opcionales.</translation>
        </message>
        <message>
            <source>Buy birthday gift, prep Q1 report…</source>
            <translation>Comprar regalo de cumpleaños, preparar informe T1…</translation>
        </message>
        <message>
            <source>&amp;Title</source>
            <translation>&amp;Título</translation>
        </message>
        <message>
            <source>&amp;Calendar</source>
            <translation>&amp;Calendario</translation>
        </message>
        <message>
            <source>Set start date</source>
            <translation>Fijar fecha de inicio</translation>
        </message>
        <message>
            <source>&amp;Starts</source>
            <translation>&amp;Inicio</translation>
        </message>
        <message>
            <source>Set due date</source>
            <translation>Fijar fecha de vencimiento</translation>
        </message>
        <message>
            <source>&amp;Due</source>
            <translation>&amp;Vence</translation>
        </message>
        <message>
            <source>Re&amp;minders</source>
            <translation>Reco&amp;rdatorios</translation>
        </message>
        <message>
            <source>Does not repeat</source>
            <translation>No se repite</translation>
        </message>
        <message>
            <source>&amp;Repeat</source>
            <translation>&amp;Repetir</translation>
        </message>
        <message>
            <source>Due date</source>
            <translation>Fecha de vencimiento</translation>
        </message>
        <message>
            <source>Completion date</source>
            <translation>Fecha de finalización</translation>
        </message>
        <message>
            <source>Due date: next due = current due + interval.
Completion date: next due = today + interval.</source>
            <translation>Fecha de vencimiento: siguiente vencimiento = vencimiento actual + intervalo.
Fecha de finalización: siguiente vencimiento = hoy + intervalo.</translation>
        </message>
        <message>
            <source>Repeats &amp;from</source>
            <translation>Repetir &amp;desde</translation>
        </message>
        <message>
            <source>— None</source>
            <translation>— Ninguna</translation>
        </message>
        <message>
            <source>● High</source>
            <translation>● Alta</translation>
        </message>
        <message>
            <source>● Medium</source>
            <translation>● Media</translation>
        </message>
        <message>
            <source>● Low</source>
            <translation>● Baja</translation>
        </message>
        <message>
            <source>&amp;Priority</source>
            <translation>&amp;Prioridad</translation>
        </message>
        <message>
            <source>Completed</source>
            <translation>Completados</translation>
        </message>
        <message>
            <source>e.g. Personal, Health, Errands</source>
            <translation>p. ej. Personal, Salud, Recados</translation>
        </message>
        <message>
            <source>&amp;Categories</source>
            <translation>&amp;Categorías</translation>
        </message>
        <message>
            <source>Steps, links, context…</source>
            <translation>Pasos, enlaces, contexto…</translation>
        </message>
        <message>
            <source>&amp;Notes</source>
            <translation>&amp;Notas</translation>
        </message>
        <message>
            <source>Save changes</source>
            <translation>Guardar cambios</translation>
        </message>
        <message>
            <source>Create task</source>
            <translation>Crear tarea</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Cancelar</translation>
        </message>
        <message>
            <source>At due time</source>
            <translation>A la hora de vencimiento</translation>
        </message>
        <message>
            <source>10 minutes before</source>
            <translation>10 minutos antes</translation>
        </message>
        <message>
            <source>30 minutes before</source>
            <translation>30 minutos antes</translation>
        </message>
        <message>
            <source>1 hour before</source>
            <translation>1 hora antes</translation>
        </message>
        <message>
            <source>1 day before</source>
            <translation>1 día antes</translation>
        </message>
        <message>
            <source>2 days before</source>
            <translation>2 días antes</translation>
        </message>
        <message>
            <source>Add</source>
            <translation>Añadir</translation>
        </message>
        <message>
            <source>Subtasks stay in their parent task's calendar.</source>
            <translation>Las subtareas permanecen en el calendario de su tarea principal.</translation>
        </message>
        <message>
            <source>Edit Reminder</source>
            <translation>Editar recordatorio</translation>
        </message>
        <message>
            <source>New Reminder</source>
            <translation>Nuevo recordatorio</translation>
        </message>
        <message>
            <source>Edit reminder</source>
            <translation>Editar recordatorio</translation>
        </message>
        <message>
            <source>New reminder</source>
            <translation>Nuevo recordatorio</translation>
        </message>
        <message>
            <source>A reminder is a to-do that nudges you at the time you set.</source>
            <translation>Un recordatorio es una tarea que le avisa a la hora indicada.</translation>
        </message>
        <message>
            <source>Remind me</source>
            <translation>Avisarme</translation>
        </message>
        <message>
            <source>Tags</source>
            <translation>Etiquetas</translation>
        </message>
        <message>
            <source>Create reminder</source>
            <translation>Crear recordatorio</translation>
        </message>
        <message>
            <source>%1 minutes before</source>
            <translation>%1 minutos antes</translation>
        </message>
        <message>
            <source>%1 hours before</source>
            <translation>%1 horas antes</translation>
        </message>
        <message>
            <source>%1 days before</source>
            <translation>%1 días antes</translation>
        </message>
        <message>
            <source>No reminders</source>
            <translation>Sin recordatorios</translation>
        </message>
        <message>
            <source>Remove reminder</source>
            <translation>Quitar recordatorio</translation>
        </message>
        <message>
            <source>Title required</source>
            <translation>Título obligatorio</translation>
        </message>
        <message>
            <source>Please enter a title for the task.</source>
            <translation>Introduzca un título para la tarea.</translation>
        </message>
        <message>
            <source>No calendars</source>
            <translation>No hay calendarios</translation>
        </message>
        <message>
            <source>Create a calendar first.</source>
            <translation>Cree primero un calendario.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Error de base de datos</translation>
        </message>
        <message>
            <source>Could not save the task.</source>
            <translation>No se pudo guardar la tarea.</translation>
        </message>
    </context>
    <context>
        <name>TaskMarks</name>
        <message>
            <source>High</source>
            <translation>Alta</translation>
        </message>
        <message>
            <source>Medium</source>
            <translation>Media</translation>
        </message>
        <message>
            <source>Low</source>
            <translation>Baja</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Hoy</translation>
        </message>
        <message>
            <source>Tomorrow</source>
            <translation>Mañana</translation>
        </message>
        <message>
            <source>Yesterday</source>
            <translation>Ayer</translation>
        </message>
    </context>
    <context>
        <name>TasksPane</name>
        <message>
            <source>No tasks yet</source>
            <translation>Aún no hay tareas</translation>
        </message>
        <message>
            <source>Create a task to track what needs doing.</source>
            <translation>Cree una tarea para llevar la cuenta de lo pendiente.</translation>
        </message>
        <message>
            <source>Tasks</source>
            <translation>Tareas</translation>
        </message>
        <message>
            <source>Filter tasks</source>
            <translation>Filtrar tareas</translation>
        </message>
        <message>
            <source>+ New Task</source>
            <translation>+ Nueva tarea</translation>
        </message>
        <message>
            <source>All tasks</source>
            <translation>Todas las tareas</translation>
        </message>
        <message>
            <source>Due today</source>
            <translation>Vence hoy</translation>
        </message>
        <message>
            <source>Due this week</source>
            <translation>Vencen esta semana</translation>
        </message>
        <message>
            <source>Overdue</source>
            <translation>Vencidas</translation>
        </message>
        <message>
            <source>Group by calendar</source>
            <translation>Agrupar por calendario</translation>
        </message>
        <message>
            <source>Hide completed</source>
            <translation>Ocultar completadas</translation>
        </message>
        <message>
            <source>Show notes</source>
            <translation>Mostrar notas</translation>
        </message>
        <message>
            <source>Show categories</source>
            <translation>Mostrar categorías</translation>
        </message>
        <message>
            <source>Nothing due today</source>
            <translation>Nada vence hoy</translation>
        </message>
        <message>
            <source>Switch the filter to see other tasks.</source>
            <translation>Cambie el filtro para ver otras tareas.</translation>
        </message>
        <message>
            <source>Nothing due this week</source>
            <translation>Nada vence esta semana</translation>
        </message>
        <message>
            <source>Nothing overdue</source>
            <translation>Nada vencido</translation>
        </message>
        <message>
            <source>You're caught up. Nice.</source>
            <translation>Está todo al día. ¡Bien!</translation>
        </message>
        <message>
            <source>No calendars</source>
            <translation>No hay calendarios</translation>
        </message>
        <message>
            <source>Create a calendar first.</source>
            <translation>Cree primero un calendario.</translation>
        </message>
        <message>
            <source>Can't move task</source>
            <translation>No se puede mover la tarea</translation>
        </message>
        <message>
            <source>Subtasks must belong to the same calendar as their parent. Move "%1" to the same calendar first.</source>
            <translation>Las subtareas deben estar en el mismo calendario que su tarea principal. Mueva primero «%1» a ese calendario.</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>Editar…</translation>
        </message>
        <message>
            <source>Add Subtask</source>
            <translation>Añadir subtarea</translation>
        </message>
        <message>
            <source>Mark Incomplete</source>
            <translation>Marcar como pendiente</translation>
        </message>
        <message>
            <source>Mark Complete</source>
            <translation>Marcar como completada</translation>
        </message>
        <message>
            <source>Clear In Progress</source>
            <translation>Quitar «En curso»</translation>
        </message>
        <message>
            <source>Mark In Progress</source>
            <translation>Marcar como en curso</translation>
        </message>
        <message>
            <source>Restore Task</source>
            <translation>Restaurar tarea</translation>
        </message>
        <message>
            <source>Mark Cancelled</source>
            <translation>Marcar como cancelada</translation>
        </message>
        <message>
            <source>Make Top-Level</source>
            <translation>Convertir en tarea principal</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Eliminar</translation>
        </message>
        <message>
            <source>Delete task?</source>
            <translation>¿Eliminar la tarea?</translation>
        </message>
        <message>
            <source>Delete "%1"? This cannot be undone.</source>
            <translation>¿Eliminar «%1»? Esta acción no se puede deshacer.</translation>
        </message>
    </context>
    <context>
        <name>TasksPaneRow</name>
        <message>
            <source>(Untitled)</source>
            <translation>(Sin título)</translation>
        </message>
        <message>
            <source>Waiting to sync</source>
            <translation>Pendiente de sincronizar</translation>
        </message>
        <message>
            <source>IN PROGRESS</source>
            <translation>EN CURSO</translation>
        </message>
        <message>
            <source>CANCELLED</source>
            <translation>CANCELADA</translation>
        </message>
        <message>
            <source>↳ subtask</source>
            <translation>↳ subtarea</translation>
        </message>
    </context>
    <context>
        <name>TemplateEditorDialog</name>
        <message>
            <source>New Template</source>
            <translation>Nueva plantilla</translation>
        </message>
        <message>
            <source>Edit Template</source>
            <translation>Editar plantilla</translation>
        </message>
        <message>
            <source>At time of event</source>
            <translation>A la hora del evento</translation>
        </message>
        <message numerus="yes">
            <source>%n minute(s) before</source>
            <translation>
                <numerusform>%n minuto antes</numerusform>
                <numerusform>%n minutos antes</numerusform>
            </translation>
        </message>
        <message>
            <source>1 hour before</source>
            <translation>1 hora antes</translation>
        </message>
        <message numerus="yes">
            <source>%n day(s) before</source>
            <translation>
                <numerusform>%n día antes</numerusform>
                <numerusform>%n días antes</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n hour(s) before</source>
            <translation>
                <numerusform>%n hora antes</numerusform>
                <numerusform>%n horas antes</numerusform>
            </translation>
        </message>
        <message>
            <source>e.g., Standup, Doctor visit</source>
            <translation>p. ej. Reunión diaria, Visita al médico</translation>
        </message>
        <message>
            <source>Template name</source>
            <translation>Nombre de la plantilla</translation>
        </message>
        <message>
            <source>Event title shown on the calendar</source>
            <translation>Título del evento que se muestra en el calendario</translation>
        </message>
        <message>
            <source>Event title</source>
            <translation>Título del evento</translation>
        </message>
        <message>
            <source>Description</source>
            <translation>Descripción</translation>
        </message>
        <message>
            <source>Optional location</source>
            <translation>Ubicación (opcional)</translation>
        </message>
        <message>
            <source>Location</source>
            <translation>Ubicación</translation>
        </message>
        <message>
            <source>Use calendar color</source>
            <translation>Usar el color del calendario</translation>
        </message>
        <message>
            <source>Color</source>
            <translation>Color</translation>
        </message>
        <message>
            <source>(use default)</source>
            <translation>(usar predeterminado)</translation>
        </message>
        <message>
            <source>Calendar</source>
            <translation>Calendario</translation>
        </message>
        <message>
            <source>All-day event</source>
            <translation>Evento de todo el día</translation>
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
            <translation>Duración predeterminada</translation>
        </message>
        <message>
            <source>Recurrence</source>
            <translation>Repetición</translation>
        </message>
        <message>
            <source>Reminders</source>
            <translation>Recordatorios</translation>
        </message>
        <message>
            <source>+ Add reminder</source>
            <translation>+ Añadir recordatorio</translation>
        </message>
        <message>
            <source>No reminders</source>
            <translation>Sin recordatorios</translation>
        </message>
        <message>
            <source>Remove reminder</source>
            <translation>Quitar recordatorio</translation>
        </message>
        <message>
            <source>%1, click to change.</source>
            <translation>%1; haga clic para cambiarlo.</translation>
        </message>
        <message>
            <source>Inherits the calendar's color. Click to override.</source>
            <translation>Usa el color del calendario. Haga clic para cambiarlo.</translation>
        </message>
        <message>
            <source>Template color</source>
            <translation>Color de la plantilla</translation>
        </message>
        <message>
            <source>Does not repeat</source>
            <translation>No se repite</translation>
        </message>
        <message>
            <source>Missing name</source>
            <translation>Falta el nombre</translation>
        </message>
        <message>
            <source>Give this template a name so you can pick it later.</source>
            <translation>Ponga un nombre a la plantilla para poder elegirla después.</translation>
        </message>
        <message>
            <source>Missing event title</source>
            <translation>Falta el título del evento</translation>
        </message>
        <message>
            <source>Set the event title. That's what events created from this template will be called.</source>
            <translation>Indique el título del evento. Así se llamarán los eventos creados con esta plantilla.</translation>
        </message>
    </context>
    <context>
        <name>TindAccount::ApiClient</name>
        <message>
            <source>Your sign-in has expired. Please sign in again.</source>
            <translation>Su sesión ha caducado. Vuelva a iniciar sesión.</translation>
        </message>
        <message>
            <source>The service answered HTTP %1.</source>
            <translation>El servicio respondió HTTP %1.</translation>
        </message>
        <message>
            <source>The service could not be reached.</source>
            <translation>No se pudo conectar con el servicio.</translation>
        </message>
    </context>
    <context>
        <name>TindAccount::ShareMembersDialog</name>
        <message>
            <source>People with access</source>
            <translation>Personas con acceso</translation>
        </message>
        <message>
            <source>Add people</source>
            <translation>Añadir personas</translation>
        </message>
        <message>
            <source>All group members already have access</source>
            <translation>Todos los miembros del grupo ya tienen acceso</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Cerrar</translation>
        </message>
        <message>
            <source>Not shared with anyone yet.</source>
            <translation>Aún no se ha compartido con nadie.</translation>
        </message>
        <message>
            <source>Share</source>
            <translation>Compartir</translation>
        </message>
        <message>
            <source>Remove access</source>
            <translation>Quitar acceso</translation>
        </message>
        <message>
            <source>Could not share with %1.</source>
            <translation>No se pudo compartir con %1.</translation>
        </message>
        <message>
            <source>Remove access?</source>
            <translation>¿Quitar el acceso?</translation>
        </message>
        <message>
            <source>%1 will no longer have access. Continue?</source>
            <translation>%1 dejará de tener acceso. ¿Continuar?</translation>
        </message>
        <message>
            <source>Could not remove %1.</source>
            <translation>No se pudo quitar a %1.</translation>
        </message>
    </context>
    <context>
        <name>TindUpdate::UpdateDialog</name>
        <message>
            <source>Update available</source>
            <translation>Actualización disponible</translation>
        </message>
        <message>
            <source>A new version of %1 is available.</source>
            <translation>Hay una nueva versión de %1 disponible.</translation>
        </message>
        <message>
            <source>You have version %1. The latest version is %2.</source>
            <translation>Tiene la versión %1. La más reciente es la %2.</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>Descargar</translation>
        </message>
        <message>
            <source>Later</source>
            <translation>Más tarde</translation>
        </message>
        <message>
            <source>Loading release notes…</source>
            <translation>Cargando las notas de la versión…</translation>
        </message>
        <message>
            <source>*Release notes are not available for this version.*</source>
            <translation>*No hay notas de la versión disponibles para esta versión.*</translation>
        </message>
    </context>
    <context>
        <name>TindUpdate::WhatsNewDialog</name>
        <message>
            <source>What's New in %1 %2</source>
            <translation>Novedades de %1 %2</translation>
        </message>
        <message>
            <source>What's new in %1 %2</source>
            <translation>Novedades de %1 %2</translation>
        </message>
        <message>
            <source>You are running version %1</source>
            <translation>Está usando la versión %1</translation>
        </message>
        <message>
            <source>Download %1</source>
            <translation>Descargar %1</translation>
        </message>
    </context>
    <context>
        <name>Tindlebrook::CalendarUpgradeService</name>
        <message>
            <source>Calendar's account is missing</source>
            <translation>Falta la cuenta del calendario</translation>
        </message>
        <message>
            <source>Only Tindlebrook-native calendars can be upgraded</source>
            <translation>Solo se pueden trasladar los calendarios propios de Tindlebrook</translation>
        </message>
        <message>
            <source>Calendar is already on Tindlebrook</source>
            <translation>El calendario ya está en Tindlebrook</translation>
        </message>
        <message>
            <source>Not signed in</source>
            <translation>No ha iniciado sesión</translation>
        </message>
        <message>
            <source>Server registration failed (HTTP %1)</source>
            <translation>Error al registrar en el servidor (HTTP %1)</translation>
        </message>
        <message numerus="yes">
            <source>%n event(s) or task(s) could not be uploaded to Tindlebrook.</source>
            <translation>
                <numerusform>No se pudo subir %n evento o tarea a Tindlebrook.</numerusform>
                <numerusform>No se pudieron subir %n eventos o tareas a Tindlebrook.</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>Tindlebrook::SharingBackend</name>
        <message>
            <source>Not signed in</source>
            <translation>No ha iniciado sesión</translation>
        </message>
        <message>
            <source>Sharing failed (HTTP %1)</source>
            <translation>Error al compartir (HTTP %1)</translation>
        </message>
    </context>
    <context>
        <name>Tindlebrook::SyncClient</name>
        <message>
            <source>Not signed in</source>
            <translation>No ha iniciado sesión</translation>
        </message>
        <message>
            <source>Tindlebrook pull failed (HTTP %1)</source>
            <translation>Error al descargar de Tindlebrook (HTTP %1)</translation>
        </message>
        <message>
            <source>Tindlebrook pull: %1 event(s) could not be stored</source>
            <translation>Recepción de Tindlebrook: no se pudieron guardar %1 evento(s)</translation>
        </message>
        <message>
            <source>Tindlebrook push: %1 event(s) failed</source>
            <translation>Envío a Tindlebrook: fallaron %1 evento(s)</translation>
        </message>
        <message>
            <source>Tindlebrook pull failed: the service's answer could not be read</source>
            <translation>Error al descargar de Tindlebrook: no se pudo leer la respuesta del servicio</translation>
        </message>
    </context>
    <context>
        <name>TrayManager</name>
        <message>
            <source>&amp;Show Calendar</source>
            <translation>&amp;Mostrar calendario</translation>
        </message>
        <message>
            <source>Sync &amp;Now</source>
            <translation>Sincronizar &amp;ahora</translation>
        </message>
        <message>
            <source>&amp;Quit</source>
            <translation>&amp;Salir</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — Last sync failed</source>
            <translation>Tindlebrook Calendar — Falló la última sincronización</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — Sync failed: %1</source>
            <translation>Tindlebrook Calendar — Error de sincronización: %1</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — No upcoming events</source>
            <translation>Tindlebrook Calendar — No hay eventos próximos</translation>
        </message>
        <message>
            <source>Untitled</source>
            <translation>Sin título</translation>
        </message>
        <message>
            <source>today</source>
            <translation>hoy</translation>
        </message>
        <message>
            <source>tomorrow</source>
            <translation>mañana</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — Next: %1 (%2, all day)</source>
            <translation>Tindlebrook Calendar — Siguiente: %1 (%2, todo el día)</translation>
        </message>
        <message>
            <source>at %1</source>
            <translation>a las %1</translation>
        </message>
        <message>
            <source>tomorrow at %1</source>
            <translation>mañana a las %1</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — Next: %1 %2</source>
            <translation>Tindlebrook Calendar — Siguiente: %1 %2</translation>
        </message>
    </context>
    <context>
        <name>UnencryptedSecretsNotice</name>
        <message>
            <source>Passwords Not Encrypted</source>
            <translation>Contraseñas sin cifrar</translation>
        </message>
        <message>
            <source>No desktop keyring is available, so your account passwords and sign-in tokens are kept in a file in your data folder without encryption. Anyone who can read your files can read them.

Install or unlock a keyring (such as GNOME Keyring or KWallet) to keep them encrypted.</source>
            <translation>No hay ningún llavero del escritorio disponible, así que las contraseñas de su cuenta y los tokens de inicio de sesión se guardan sin cifrar en un archivo de su carpeta de datos. Cualquiera que pueda leer sus archivos puede leerlos.

Instale o desbloquee un llavero (como GNOME Keyring o KWallet) para guardarlos cifrados.</translation>
        </message>
    </context>
    <context>
        <name>UpdateUi</name>
        <message>
            <source>No release notes available for %1 %2</source>
            <translation>No hay notas de la versión para %1 %2</translation>
        </message>
        <message>
            <source>Checking for updates…</source>
            <translation>Buscando actualizaciones…</translation>
        </message>
        <message>
            <source>%1 is up to date (version %2)</source>
            <translation>%1 está actualizado (versión %2)</translation>
        </message>
        <message>
            <source>Update check failed: %1</source>
            <translation>Error al buscar actualizaciones: %1</translation>
        </message>
        <message>
            <source>Loading release notes…</source>
            <translation>Cargando las notas de la versión…</translation>
        </message>
    </context>
    <context>
        <name>ViewArea</name>
        <message>
            <source>Day</source>
            <translation>Día</translation>
        </message>
        <message>
            <source>Week</source>
            <translation>Semana</translation>
        </message>
        <message>
            <source>Days</source>
            <translation>Días</translation>
        </message>
        <message>
            <source>Month</source>
            <translation>Mes</translation>
        </message>
        <message>
            <source>Year</source>
            <translation>Año</translation>
        </message>
        <message>
            <source>Grid</source>
            <translation>Cuadrícula</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Hoy</translation>
        </message>
        <message>
            <source>Days timeline span — Ctrl+Shift+1..5 for 3 / 5 / 7 / 10 / 14 days</source>
            <translation>Días mostrados — Control+Mayúsculas+1..5 para 3 / 5 / 7 / 10 / 14 días</translation>
        </message>
        <message numerus="yes">
            <source>%n days</source>
            <translation>
                <numerusform>%n día</numerusform>
                <numerusform>%n días</numerusform>
            </translation>
        </message>
        <message>
            <source>%1d</source>
            <translation>%1 d</translation>
        </message>
        <message>
            <source>Add Calendar Group…</source>
            <translation>Añadir grupo de calendarios…</translation>
        </message>
        <message>
            <source>Edit Current Group…</source>
            <translation>Editar el grupo actual…</translation>
        </message>
        <message>
            <source>Delete Current Group</source>
            <translation>Eliminar el grupo actual</translation>
        </message>
        <message>
            <source>Delete group?</source>
            <translation>¿Eliminar el grupo?</translation>
        </message>
        <message>
            <source>Delete "%1"? You can recreate it later.</source>
            <translation>¿Eliminar «%1»? Puede volver a crearlo más adelante.</translation>
        </message>
        <message>
            <source>Today · %1</source>
            <translation>Hoy · %1</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Error de base de datos</translation>
        </message>
        <message>
            <source>Could not delete the group.</source>
            <translation>No se pudo eliminar el grupo.</translation>
        </message>
    </context>
    <context>
        <name>ViewFormDialog</name>
        <message>
            <source>Edit Calendar Group</source>
            <translation>Editar grupo de calendarios</translation>
        </message>
        <message>
            <source>Add Calendar Group</source>
            <translation>Añadir grupo de calendarios</translation>
        </message>
        <message>
            <source>Calendar Groups are saved sets of calendars you switch between. Pick which calendars belong to this group, leave the list empty to include every visible calendar.</source>
            <translation>Los grupos de calendarios son conjuntos guardados de calendarios entre los que puede cambiar. Elija los calendarios del grupo; si deja la lista vacía, se incluyen todos los visibles.</translation>
        </message>
        <message>
            <source>e.g. Work, Personal, Travel</source>
            <translation>p. ej. Trabajo, Personal, Viajes</translation>
        </message>
        <message>
            <source>&amp;Name:</source>
            <translation>&amp;Nombre:</translation>
        </message>
        <message>
            <source>&amp;Accent:</source>
            <translation>Color de &amp;acento:</translation>
        </message>
        <message>
            <source>Calendars:</source>
            <translation>Calendarios:</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>Guardar</translation>
        </message>
        <message>
            <source>Create Group</source>
            <translation>Crear grupo</translation>
        </message>
        <message>
            <source>“All Calendars” always covers every visible calendar — its membership can't be edited. Toggle individual calendars from their own menus instead.</source>
            <translation>«Todos los calendarios» siempre incluye todos los calendarios visibles; sus miembros no se pueden editar. Muestre u oculte cada calendario desde su propio menú.</translation>
        </message>
        <message>
            <source>(no accent)</source>
            <translation>(sin acento)</translation>
        </message>
        <message>
            <source>Pick a group accent color</source>
            <translation>Elegir el color de acento del grupo</translation>
        </message>
        <message>
            <source>Name required</source>
            <translation>Nombre obligatorio</translation>
        </message>
        <message>
            <source>Please enter a name for the group.</source>
            <translation>Introduzca un nombre para el grupo.</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>Error de base de datos</translation>
        </message>
        <message>
            <source>Could not save the group.</source>
            <translation>No se pudo guardar el grupo.</translation>
        </message>
    </context>
    <context>
        <name>Weather::GeocodingClient</name>
        <message>
            <source>Geocoding did not answer in time</source>
            <translation>La búsqueda de ubicación no respondió a tiempo</translation>
        </message>
        <message>
            <source>Geocoding returned HTTP %1</source>
            <translation>La búsqueda de ubicación devolvió HTTP %1</translation>
        </message>
    </context>
    <context>
        <name>Weather::Service</name>
        <message>
            <source>Open-Meteo did not answer in time</source>
            <translation>Open-Meteo no respondió a tiempo</translation>
        </message>
        <message>
            <source>Open-Meteo returned HTTP %1</source>
            <translation>Open-Meteo devolvió HTTP %1</translation>
        </message>
        <message>
            <source>Open-Meteo sent a forecast that could not be read</source>
            <translation>Open-Meteo envió un pronóstico ilegible</translation>
        </message>
    </context>
    <context>
        <name>WeatherSettingsDialog</name>
        <message>
            <source>Weather</source>
            <translation>Tiempo</translation>
        </message>
        <message>
            <source>Show weather alongside your calendar. Forecast comes from Open-Meteo (free, no signup). Search for a city below to set the location.</source>
            <translation>Muestre el tiempo junto a su calendario. El pronóstico procede de Open-Meteo (gratis, sin registro). Busque una ciudad abajo para fijar la ubicación.</translation>
        </message>
        <message>
            <source>Enable weather</source>
            <translation>Activar el tiempo</translation>
        </message>
        <message>
            <source>City name or postal code</source>
            <translation>Ciudad o código postal</translation>
        </message>
        <message>
            <source>Search</source>
            <translation>Buscar</translation>
        </message>
        <message>
            <source>&amp;City:</source>
            <translation>&amp;Ciudad:</translation>
        </message>
        <message>
            <source>No location set.</source>
            <translation>No hay ninguna ubicación definida.</translation>
        </message>
        <message>
            <source>Current location: %1</source>
            <translation>Ubicación actual: %1</translation>
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
            <translation>&amp;Unidades:</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>Guardar</translation>
        </message>
        <message>
            <source>No matches found.</source>
            <translation>No se encontraron resultados.</translation>
        </message>
        <message>
            <source>Search failed: %1</source>
            <translation>Error en la búsqueda: %1</translation>
        </message>
        <message>
            <source>Searching…</source>
            <translation>Buscando…</translation>
        </message>
        <message>
            <source>Weather not saved</source>
            <translation>No se guardó el tiempo</translation>
        </message>
        <message>
            <source>The weather settings could not be saved. The settings store may be read-only or full.</source>
            <translation>No se pudo guardar la configuración del tiempo. El almacén de configuración puede ser de solo lectura o estar lleno.</translation>
        </message>
    </context>
    <context>
        <name>Webcal::SyncClient</name>
        <message>
            <source>Invalid subscription URL: %1</source>
            <translation>URL de suscripción no válida: %1</translation>
        </message>
        <message>
            <source>The feed is larger than %1 MB.</source>
            <translation>La fuente ocupa más de %1 MB.</translation>
        </message>
        <message>
            <source>The server did not answer within %1 seconds.</source>
            <translation>El servidor no respondió en %1 segundos.</translation>
        </message>
        <message>
            <source>Subscription fetch failed (%1): %2</source>
            <translation>Error al descargar la suscripción (%1): %2</translation>
        </message>
        <message>
            <source>Subscription fetch failed: HTTP %1</source>
            <translation>Error al descargar la suscripción: HTTP %1</translation>
        </message>
        <message>
            <source>Subscription returned an empty body</source>
            <translation>La suscripción no devolvió contenido</translation>
        </message>
        <message>
            <source>Subscription did not return a calendar</source>
            <translation>La suscripción no devolvió un calendario</translation>
        </message>
        <message>
            <source>Subscription returned an incomplete calendar</source>
            <translation>La suscripción devolvió un calendario incompleto</translation>
        </message>
        <message>
            <source>Subscription has more than %1 events</source>
            <translation>La suscripción tiene más de %1 eventos</translation>
        </message>
        <message>
            <source>Subscription events could not be saved</source>
            <translation>No se pudieron guardar los eventos de la suscripción</translation>
        </message>
    </context>
    <context>
        <name>WebcalSubscriptionDialog</name>
        <message>
            <source>Add Subscription</source>
            <translation>Añadir suscripción</translation>
        </message>
        <message>
            <source>Subscribe to a public ICS feed (holidays, sports schedules, shared calendars). Updates pull on every sync; the calendar is read-only.</source>
            <translation>Suscríbase a una fuente ICS pública (festivos, calendarios deportivos, calendarios compartidos). Se actualiza en cada sincronización; el calendario es de solo lectura.</translation>
        </message>
        <message>
            <source>URL</source>
            <translation>URL</translation>
        </message>
        <message>
            <source>Optional, derived from URL when blank</source>
            <translation>Opcional; si está vacío, se toma de la URL</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>Nombre</translation>
        </message>
        <message>
            <source>Color</source>
            <translation>Color</translation>
        </message>
        <message>
            <source>Subscribe</source>
            <translation>Suscribirse</translation>
        </message>
        <message>
            <source>Calendar Color</source>
            <translation>Color del calendario</translation>
        </message>
        <message>
            <source>URL required</source>
            <translation>URL obligatoria</translation>
        </message>
        <message>
            <source>Enter a feed URL to subscribe.</source>
            <translation>Introduzca la URL de una fuente para suscribirse.</translation>
        </message>
        <message>
            <source>Invalid URL</source>
            <translation>URL no válida</translation>
        </message>
        <message>
            <source>Couldn't parse "%1". Provide a full URL (https://, http://, or webcal://).</source>
            <translation>No se pudo interpretar «%1». Indique una URL completa (https://, http:// o webcal://).</translation>
        </message>
        <message>
            <source>Couldn't save</source>
            <translation>No se pudo guardar</translation>
        </message>
        <message>
            <source>Couldn't create the subscription calendar.</source>
            <translation>No se pudo crear el calendario de la suscripción.</translation>
        </message>
    </context>
    <context>
        <name>WeekGridWidget</name>
        <message numerus="yes">
            <source>+%n more</source>
            <translation>
                <numerusform>+%n más</numerusform>
                <numerusform>+%n más</numerusform>
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
            <translation>Bienvenida</translation>
        </message>
        <message>
            <source>Welcome to Tindlebrook Calendar</source>
            <translation>Le damos la bienvenida a Tindlebrook Calendar</translation>
        </message>
        <message>
            <source>We've set up a Personal calendar so you can start adding events right away. Everything you create stays on this device unless you choose to sync it.

When you're ready, open Calendar Accounts to connect Google, Microsoft, or any CalDAV server (Synology, Nextcloud, Radicale, iCloud), or add another local calendar.</source>
            <translation>Hemos creado un calendario «Personal» para que pueda empezar a añadir eventos enseguida. Todo lo que cree se queda en este dispositivo salvo que decida sincronizarlo.

Cuando quiera, abra Cuentas de calendario para conectar Google, Microsoft o cualquier servidor CalDAV (Synology, Nextcloud, Radicale, iCloud), o añadir otro calendario local.</translation>
        </message>
        <message>
            <source>We've set up a Personal calendar so you can start adding events right away. Everything you create stays on this device unless you choose to sync it.

When you're ready, open Calendar Accounts to connect %1 or any CalDAV server (Synology, Nextcloud, Radicale, iCloud), or add another local calendar.</source>
            <translation>Hemos creado un calendario «Personal» para que pueda empezar a añadir eventos enseguida. Todo lo que cree se queda en este dispositivo salvo que decida sincronizarlo.

Cuando quiera, abra Cuentas de calendario para conectar %1 o cualquier servidor CalDAV (Synology, Nextcloud, Radicale, iCloud), o añadir otro calendario local.</translation>
        </message>
        <message>
            <source>We've set up a Personal calendar so you can start adding events right away. Everything you create stays on this device unless you choose to sync it.

When you're ready, open Calendar Accounts to connect any CalDAV server (Synology, Nextcloud, Radicale, iCloud), or add another local calendar.</source>
            <translation>Hemos creado un calendario «Personal» para que pueda empezar a añadir eventos enseguida. Todo lo que cree se queda en este dispositivo salvo que decida sincronizarlo.

Cuando quiera, abra Cuentas de calendario para conectar cualquier servidor CalDAV (Synology, Nextcloud, Radicale, iCloud), o añadir otro calendario local.</translation>
        </message>
        <message>
            <source>Get Started</source>
            <translation>Empezar</translation>
        </message>
        <message>
            <source>Add Account…</source>
            <translation>Añadir cuenta…</translation>
        </message>
    </context>
    <context>
        <name>WinTrayPopover</name>
        <message>
            <source>Group</source>
            <translation>Grupo</translation>
        </message>
        <message>
            <source>Add event — e.g. "lunch Thursday 1pm"</source>
            <translation>Añadir evento, p. ej. «lunch Thursday 1pm»</translation>
        </message>
        <message>
            <source>Open Calendar</source>
            <translation>Abrir calendario</translation>
        </message>
        <message>
            <source>Sync Now</source>
            <translation>Sincronizar ahora</translation>
        </message>
        <message>
            <source>Preferences</source>
            <translation>Preferencias</translation>
        </message>
        <message>
            <source>No calendars yet</source>
            <translation>Aún no hay calendarios</translation>
        </message>
        <message>
            <source>No upcoming events</source>
            <translation>No hay eventos próximos</translation>
        </message>
        <message>
            <source>Nothing scheduled in the next 24 hours.</source>
            <translation>No hay nada previsto en las próximas 24 horas.</translation>
        </message>
        <message>
            <source>Untitled</source>
            <translation>Sin título</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>Hoy</translation>
        </message>
        <message>
            <source>  No more events today</source>
            <translation>  No hay más eventos hoy</translation>
        </message>
        <message>
            <source>Tomorrow</source>
            <translation>Mañana</translation>
        </message>
        <message>
            <source>  Nothing scheduled</source>
            <translation>  Nada previsto</translation>
        </message>
        <message>
            <source>All-day</source>
            <translation>Todo el día</translation>
        </message>
        <message>
            <source>Today, all day</source>
            <translation>Hoy, todo el día</translation>
        </message>
        <message>
            <source>Tomorrow, all day</source>
            <translation>Mañana, todo el día</translation>
        </message>
        <message>
            <source>%1 at %2</source>
            <translation>%1 a las %2</translation>
        </message>
        <message>
            <source>now</source>
            <translation>ahora</translation>
        </message>
        <message>
            <source>in %1 min</source>
            <translation>en %1 min</translation>
        </message>
        <message>
            <source>in %1h</source>
            <translation>en %1 h</translation>
        </message>
        <message>
            <source>in %1h %2m</source>
            <translation>en %1 h %2 min</translation>
        </message>
        <message>
            <source>(Unnamed)</source>
            <translation>(Sin nombre)</translation>
        </message>
        <message>
            <source>Couldn't save event</source>
            <translation>No se pudo guardar el evento</translation>
        </message>
    </context>
    <context>
        <name>AddressDialog</name>
        <message>
            <source>Copy</source>
            <translation>Copiar</translation>
        </message>
        <message>
            <source>Copied</source>
            <translation>Copiado</translation>
        </message>
        <message>
            <source>No browser opened</source>
            <translation>No se abrió ningún navegador</translation>
        </message>
        <message>
            <source>%1 could not be opened in a browser. Copy this address into your browser:</source>
            <translation>No se pudo abrir %1 en un navegador. Copie esta dirección en su navegador:</translation>
        </message>
    </context>
    <context>
        <name>CloudSignIn</name>
        <message>
            <source>The sign-in page</source>
            <translation>La página de inicio de sesión</translation>
        </message>
    </context>
    <context>
        <name>SubscriptionCalendar</name>
        <message>
            <source>&quot;%1&quot; could not be loaded: %2</source>
            <translation>No se pudo cargar «%1»: %2</translation>
        </message>
        <message>
            <source>Subscription not loaded</source>
            <translation>Suscripción no cargada</translation>
        </message>
    </context>
    <context>
        <name>MeetingMove</name>
        <message>
            <source>"%1" has guests, and Outlook would send them a new invitation (or a cancellation) if it moved to "%2". It stays in "%3".</source>
            <translation>«%1» tiene invitados, y Outlook les enviaría una nueva invitación (o una cancelación) si se moviera a «%2». Se queda en «%3».</translation>
        </message>
        <message>
            <source>"%1" is organized by %2, and on Google it would become your own meeting, shown to its guests without its organizer, if it moved to "%3". It stays in "%4".</source>
            <translation>«%1» lo organiza %2, y en Google pasaría a ser una reunión suya, que sus invitados verían sin su organizador, si se moviera a «%3». Se queda en «%4».</translation>
        </message>
    </context>
    <context>
        <name>RecurringEditScope</name>
        <message>
            <source>"%1" was left as it was: its repeat rule cannot move every occurrence by the same days (a day such as the 31st, or the second Monday of a month). Change the rule in the event form, or move the occurrences one at a time.</source>
            <translation>«%1» se dejó como estaba: su regla de repetición no puede mover cada repetición los mismos días (un día como el 31 o el segundo lunes de un mes). Cambie la regla en el formulario del evento o mueva las repeticiones una a una.</translation>
        </message>
        <message>
            <source>"%1" was left as it was: its repeat rule cannot start again from this occurrence and keep the same days (a day such as the 31st, which shorter months move to their last day). Change the rule in the event form, or move the occurrences one at a time.</source>
            <translation>«%1» se dejó como estaba: su regla de repetición no puede empezar de nuevo en esta repetición y conservar los mismos días (un día como el 31, que los meses más cortos pasan a su último día). Cambie la regla en el formulario del evento o mueva las repeticiones una a una.</translation>
        </message>
        <message>
            <source>The event</source>
            <translation>El evento</translation>
        </message>
    </context>
</TS>
