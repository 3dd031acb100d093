<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
    <context>
        <name>AccountFormDialog</name>
        <message>
            <source>Use your Zoho password, or an app-specific password if 2FA is enabled. Generate one at Zoho Account &gt; Security &gt; App Passwords.</source>
            <translation>Zoho のパスワード、または 2FA が有効な場合はアプリ固有のパスワードを使用してください。Zoho アカウントの Zoho Account &gt; Security &gt; App Passwords で生成できます。</translation>
        </message>
        <message>
            <source>iCloud requires an app-specific password. Generate one at appleid.apple.com under Sign-In and Security &gt; App-Specific Passwords.</source>
            <translation>iCloud にはアプリ固有のパスワードが必要です。appleid.apple.com の「サインインとセキュリティ」&gt;「App 用パスワード」で生成してください。</translation>
        </message>
        <message>
            <source>Webcal Subscription</source>
            <translation>Webcal 購読</translation>
        </message>
        <message>
            <source>Edit Account</source>
            <translation>アカウントを編集</translation>
        </message>
        <message>
            <source>Provider:</source>
            <translation>プロバイダー:</translation>
        </message>
        <message>
            <source>Account name</source>
            <translation>アカウント名</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>名前</translation>
        </message>
        <message>
            <source>(unchanged, type to replace)</source>
            <translation>(変更なし。入力すると置き換え)</translation>
        </message>
        <message>
            <source>Server URL</source>
            <translation>サーバー URL</translation>
        </message>
        <message>
            <source>Username</source>
            <translation>ユーザー名</translation>
        </message>
        <message>
            <source>App password</source>
            <translation>アプリパスワード</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>パスワード</translation>
        </message>
        <message>
            <source>Sync interval</source>
            <translation>同期間隔</translation>
        </message>
        <message>
            <source>The password is stored in your platform's secure credential store, not in the app's database.</source>
            <translation>パスワードはアプリのデータベースではなく、システムの安全な認証情報ストアに保存されます。</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>保存</translation>
        </message>
        <message>
            <source>Manual only</source>
            <translation>手動のみ</translation>
        </message>
        <message>
            <source>Every 5 minutes</source>
            <translation>5 分ごと</translation>
        </message>
        <message>
            <source>Every 15 minutes</source>
            <translation>15 分ごと</translation>
        </message>
        <message>
            <source>Every 30 minutes</source>
            <translation>30 分ごと</translation>
        </message>
        <message>
            <source>Every hour</source>
            <translation>1 時間ごと</translation>
        </message>
        <message>
            <source>Every 4 hours</source>
            <translation>4 時間ごと</translation>
        </message>
        <message>
            <source>Once a day</source>
            <translation>1 日 1 回</translation>
        </message>
        <message numerus="yes">
            <source>Every %n minute(s)</source>
            <translation>
                <numerusform>%n 分ごと</numerusform>
            </translation>
        </message>
        <message>
            <source>Missing field</source>
            <translation>未入力の項目</translation>
        </message>
        <message>
            <source>Account name is required.</source>
            <translation>アカウント名は必須です。</translation>
        </message>
        <message>
            <source>Server URL and username are required.</source>
            <translation>サーバー URL とユーザー名は必須です。</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>データベースエラー</translation>
        </message>
        <message>
            <source>Could not save the account.</source>
            <translation>アカウントを保存できませんでした。</translation>
        </message>
    </context>
    <context>
        <name>AccountName</name>
        <message>
            <source>On This Device</source>
            <translation>このデバイス</translation>
        </message>
    </context>
    <context>
        <name>AccountRow</name>
        <message>
            <source>CalDAV Server</source>
            <translation>CalDAV サーバー</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar</source>
            <translation>Tindlebrook Calendar</translation>
        </message>
        <message>
            <source>%1 · sign in needed</source>
            <translation>%1 · サインインが必要</translation>
        </message>
        <message>
            <source>%1 · password needed</source>
            <translation>%1 · パスワードが必要</translation>
        </message>
        <message>
            <source>Sign in…</source>
            <translation>サインイン…</translation>
        </message>
        <message>
            <source>Sync now</source>
            <translation>今すぐ同期</translation>
        </message>
        <message>
            <source>Refresh calendars</source>
            <translation>カレンダーを更新</translation>
        </message>
        <message>
            <source>Edit account…</source>
            <translation>アカウントを編集…</translation>
        </message>
        <message>
            <source>Add calendar…</source>
            <translation>カレンダーを追加…</translation>
        </message>
        <message>
            <source>Move up</source>
            <translation>上へ移動</translation>
        </message>
        <message>
            <source>Move down</source>
            <translation>下へ移動</translation>
        </message>
        <message>
            <source>Remove account…</source>
            <translation>アカウントを削除…</translation>
        </message>
    </context>
    <context>
        <name>AgendaEventRow</name>
        <message>
            <source>All-day</source>
            <translation>終日</translation>
        </message>
        <message>
            <source>(Untitled)</source>
            <translation>(無題)</translation>
        </message>
    </context>
    <context>
        <name>AgendaListWidget</name>
        <message>
            <source>No upcoming events</source>
            <translation>今後の予定はありません</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>今日</translation>
        </message>
        <message>
            <source>Tomorrow</source>
            <translation>明日</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>編集…</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>削除</translation>
        </message>
        <message>
            <source>Mark Incomplete</source>
            <translation>未完了にする</translation>
        </message>
        <message>
            <source>Mark Complete</source>
            <translation>完了にする</translation>
        </message>
        <message>
            <source>Delete task?</source>
            <translation>タスクを削除しますか？</translation>
        </message>
        <message>
            <source>Delete "%1"? This cannot be undone.</source>
            <translation>「%1」を削除しますか？この操作は元に戻せません。</translation>
        </message>
    </context>
    <context>
        <name>AgendaTaskRow</name>
        <message>
            <source>(Untitled)</source>
            <translation>(無題)</translation>
        </message>
        <message>
            <source>Overdue</source>
            <translation>期限切れ</translation>
        </message>
    </context>
    <context>
        <name>AllDayStrip</name>
        <message>
            <source>all-day</source>
            <translation>終日</translation>
        </message>
        <message>
            <source>+%1 more</source>
            <translation>他 %1 件</translation>
        </message>
    </context>
    <context>
        <name>Application</name>
        <message>
            <source>Failed to initialize the database.

Data directory: %1

Please check file permissions and try again.</source>
            <translation>データベースを初期化できませんでした。

データフォルダー: %1

ファイルのアクセス権を確認して、もう一度お試しください。</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>データベースエラー</translation>
        </message>
        <message>
            <source>Calendar Already Running</source>
            <translation>カレンダーは既に実行中です</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar is already running on this data folder and did not respond.

Data directory: %1

Close the running calendar, or wait for it to respond, and try again.</source>
            <translation>Tindlebrook Calendar はこのデータフォルダーで既に実行中ですが、応答がありません。

データフォルダー: %1

実行中のカレンダーを終了するか、応答するまで待ってから、もう一度お試しください。</translation>
        </message>
        <message>
            <source>Data Folder Not Writable</source>
            <translation>データフォルダーに書き込めません</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar cannot write to its data folder.

Data directory: %1

Make the folder writable for your user and try again.</source>
            <translation>Tindlebrook Calendar はデータフォルダーに書き込めません。

データフォルダー: %1

お使いのユーザーがフォルダーに書き込めるようにしてから、もう一度お試しください。</translation>
        </message>
        <message>
            <source>Data Folder Used by Another Computer</source>
            <translation>データフォルダーは別のコンピューターで使用中です</translation>
        </message>
        <message>
            <source>The data folder is in use by Tindlebrook Calendar on another computer (%1).

Lock file: %2

Close the calendar on that computer and try again. If it is not running there (for example, the folder was copied from that computer), delete the lock file and start again.</source>
            <translation>データフォルダーは別のコンピューター（%1）の Tindlebrook Calendar で使用されています。

ロックファイル: %2

そのコンピューターでカレンダーを終了してから、もう一度お試しください。そのコンピューターで実行されていない場合（フォルダーをそのコンピューターからコピーした場合など）は、ロックファイルを削除してからもう一度起動してください。</translation>
        </message>
    </context>
    <context>
        <name>CalDavCertificateDialog</name>
        <message>
            <source>Untrusted certificate</source>
            <translation>信頼されていない証明書</translation>
        </message>
        <message>
            <source>Trust this certificate?</source>
            <translation>この証明書を信頼しますか？</translation>
        </message>
        <message>
            <source>%1:%2 presented a TLS certificate that doesn't chain to a trusted root. Review it before trusting it, anyone with this fingerprint can impersonate the server.</source>
            <translation>%1:%2 が提示した TLS 証明書は、信頼されたルートにつながっていません。信頼する前に内容を確認してください。このフィンガープリントを持つ人は誰でもサーバーになりすますことができます。</translation>
        </message>
        <message>
            <source>(unknown)</source>
            <translation>(不明)</translation>
        </message>
        <message>
            <source>Subject</source>
            <translation>サブジェクト</translation>
        </message>
        <message>
            <source>Issuer</source>
            <translation>発行者</translation>
        </message>
        <message>
            <source>Valid from</source>
            <translation>有効開始日</translation>
        </message>
        <message>
            <source>Valid until</source>
            <translation>有効期限</translation>
        </message>
        <message>
            <source>SHA-256</source>
            <translation>SHA-256</translation>
        </message>
        <message>
            <source>Errors</source>
            <translation>エラー</translation>
        </message>
        <message>
            <source>Only trust this certificate if you control the server and recognize the fingerprint. Trusting a malicious certificate gives attackers full access to your calendar data.</source>
            <translation>サーバーを自分で管理していて、フィンガープリントに見覚えがある場合にのみ、この証明書を信頼してください。悪意のある証明書を信頼すると、攻撃者がカレンダーのデータに完全にアクセスできるようになります。</translation>
        </message>
        <message>
            <source>Trust certificate</source>
            <translation>証明書を信頼</translation>
        </message>
    </context>
    <context>
        <name>CalDavClient</name>
        <message>
            <source>The server did not answer within %1 seconds.</source>
            <translation>サーバーが %1 秒以内に応答しませんでした。</translation>
        </message>
        <message>
            <source>The server's reply was cut off (%1 of %2 bytes).</source>
            <translation>サーバーの応答が途中で切れました（%2 バイト中 %1 バイト）。</translation>
        </message>
    </context>
    <context>
        <name>CalDavConnectionDialog</name>
        <message>
            <source>Add CalDAV Server</source>
            <translation>CalDAV サーバーを追加</translation>
        </message>
        <message>
            <source>Connect to a CalDAV server (Radicale, Baikal, Nextcloud, iCloud, Fastmail, Zoho, ...). Enter the server URL or your account URL, discovery will find your calendars from there.</source>
            <translation>CalDAV サーバー（Radicale、Baikal、Nextcloud、iCloud、Fastmail、Zoho など）に接続します。サーバー URL またはアカウント URL を入力すると、そこからカレンダーを検出します。</translation>
        </message>
        <message>
            <source>Your username or email</source>
            <translation>ユーザー名またはメールアドレス</translation>
        </message>
        <message>
            <source>e.g. Work Nextcloud</source>
            <translation>例: 仕事用 Nextcloud</translation>
        </message>
        <message>
            <source>&amp;Server URL:</source>
            <translation>サーバー URL(&amp;S):</translation>
        </message>
        <message>
            <source>&amp;Username:</source>
            <translation>ユーザー名(&amp;U):</translation>
        </message>
        <message>
            <source>&amp;Password:</source>
            <translation>パスワード(&amp;P):</translation>
        </message>
        <message>
            <source>&amp;Account name:</source>
            <translation>アカウント名(&amp;A):</translation>
        </message>
        <message>
            <source>Discover Calendars</source>
            <translation>カレンダーを検出</translation>
        </message>
        <message>
            <source>Add Calendars</source>
            <translation>カレンダーを追加</translation>
        </message>
        <message>
            <source>Enter the server URL and your username first.</source>
            <translation>先にサーバー URL とユーザー名を入力してください。</translation>
        </message>
        <message>
            <source>Connecting…</source>
            <translation>接続しています…</translation>
        </message>
        <message>
            <source>Found %1 calendar(s). Pick which to add.</source>
            <translation>%1 件のカレンダーが見つかりました。追加するものを選んでください。</translation>
        </message>
        <message>
            <source>Connection cancelled, certificate not trusted.</source>
            <translation>証明書が信頼されなかったため、接続をキャンセルしました。</translation>
        </message>
        <message>
            <source>Certificate trusted. Retrying…</source>
            <translation>証明書を信頼しました。再試行しています…</translation>
        </message>
        <message>
            <source>Discover first</source>
            <translation>先に検出してください</translation>
        </message>
        <message>
            <source>Click "Discover Calendars" before saving.</source>
            <translation>保存する前に「カレンダーを検出」をクリックしてください。</translation>
        </message>
        <message>
            <source>Pick at least one</source>
            <translation>1 つ以上選択してください</translation>
        </message>
        <message>
            <source>Select one or more calendars to add.</source>
            <translation>追加するカレンダーを 1 つ以上選択してください。</translation>
        </message>
        <message>
            <source>Already added</source>
            <translation>追加済み</translation>
        </message>
        <message>
            <source>This server is already added as "%1". Its calendars are already available — no need to add it again.</source>
            <translation>このサーバーは「%1」として追加済みです。カレンダーはすでに利用できるため、再度追加する必要はありません。</translation>
        </message>
        <message>
            <source>CalDAV (%1)</source>
            <translation>CalDAV (%1)</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>データベースエラー</translation>
        </message>
        <message>
            <source>Could not save the account.</source>
            <translation>アカウントを保存できませんでした。</translation>
        </message>
        <message>
            <source>Unencrypted Connection</source>
            <translation>暗号化されていない接続</translation>
        </message>
        <message>
            <source>%1 is reached over plain http: your password will travel unencrypted, and anyone on the network between you and the server can read it.

Save this account anyway?</source>
            <translation>%1 には暗号化されていない http で接続します。パスワードは暗号化されずに送信され、あなたとサーバーの間のネットワーク上の誰もが読み取れます。

このアカウントをそれでも保存しますか？</translation>
        </message>
        <message>
            <source>&quot;Add Calendars&quot; creates one on the server.</source>
            <translation>「カレンダーを追加」でサーバー上に作成します。</translation>
        </message>
        <message>
            <source>Could not remove the account that has no calendar.</source>
            <translation>カレンダーのないアカウントを削除できませんでした。</translation>
        </message>
        <message>
            <source>Connection cancelled: the password would have travelled unencrypted.</source>
            <translation>接続を取り消しました。パスワードが暗号化されずに送信されるところでした。</translation>
        </message>
        <message>
            <source>%1 is reached over plain http: your password will travel unencrypted, and anyone on the network between you and the server can read it.

Connect anyway?</source>
            <translation>%1 には暗号化されていない http で接続します。パスワードは暗号化されずに送信され、あなたとサーバーの間のネットワーク上の誰もが読み取れます。

それでも接続しますか？</translation>
        </message>
    </context>
    <context>
        <name>CalDavDiscovery</name>
        <message>
            <source>Enter a CalDAV URL starting with http:// or https://</source>
            <translation>http:// または https:// で始まる CalDAV の URL を入力してください</translation>
        </message>
        <message>
            <source>Could not reach the server: %1</source>
            <translation>サーバーに接続できませんでした: %1</translation>
        </message>
        <message>
            <source>no connection</source>
            <translation>接続なし</translation>
        </message>
        <message>
            <source>The server rejected the username or password.</source>
            <translation>サーバーがユーザー名またはパスワードを拒否しました。</translation>
        </message>
        <message>
            <source>Could not find a CalDAV account on that server. Check the URL.</source>
            <translation>このサーバーに CalDAV アカウントが見つかりません。URL を確認してください。</translation>
        </message>
        <message>
            <source>Lost connection during calendar-home-set discovery: %1</source>
            <translation>カレンダーのホームセットの検出中に接続が切れました: %1</translation>
        </message>
        <message>
            <source>Server returned HTTP %1 during home-set discovery.</source>
            <translation>ホームセットの検出中にサーバーが HTTP %1 を返しました。</translation>
        </message>
        <message>
            <source>Lost connection during calendar enumeration: %1</source>
            <translation>カレンダーの一覧取得中に接続が切れました: %1</translation>
        </message>
        <message>
            <source>Server returned HTTP %1 during calendar enumeration.</source>
            <translation>カレンダーの一覧取得中にサーバーが HTTP %1 を返しました。</translation>
        </message>
        <message>
            <source>No calendars found at the discovered home set.</source>
            <translation>検出されたホームセットにカレンダーがありません。</translation>
        </message>
        <message>
            <source>The server pointed to %1, which is not the address you entered; the password is not sent there.</source>
            <translation>サーバーは入力したアドレスとは異なる %1 を指定しました。パスワードはそこへ送信されません。</translation>
        </message>
    </context>
    <context>
        <name>CalDavSyncClient</name>
        <message>
            <source>Push error: %1</source>
            <translation>送信エラー: %1</translation>
        </message>
        <message>
            <source>"%1" is one occurrence of a repeating event and went back to its series' calendar.</source>
            <translation>「%1」は繰り返し予定の1回分のため、シリーズのカレンダーに戻りました。</translation>
        </message>
        <message numerus="yes">
            <source>%n item(s) could not be sent to the server: %1</source>
            <translation>
                <numerusform>%n 件の項目をサーバーに送信できませんでした: %1</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n pulled event(s) could not be saved: %1</source>
            <translation>
                <numerusform>取得した %n 件の予定を保存できませんでした: %1</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n pulled task(s) could not be saved: %1</source>
            <translation>
                <numerusform>取得した %n 件のタスクを保存できませんでした: %1</numerusform>
            </translation>
        </message>
        <message>
            <source>"%1" was moved to your local task list: this calendar does not accept tasks. Task support has been turned off for it.</source>
            <translation>「%1」をローカルのタスクリストに移動しました。このカレンダーはタスクに対応していないため、このカレンダーのタスク対応をオフにしました。</translation>
        </message>
        <message>
            <source>"%1" was rejected: this calendar does not accept tasks. Task support has been turned off for it.</source>
            <translation>「%1」は拒否されました。このカレンダーはタスクに対応していないため、このカレンダーのタスク対応をオフにしました。</translation>
        </message>
        <message>
            <source>"%1" (HTTP %2), kept in "%3" until this calendar's server accepts it</source>
            <translation>「%1」(HTTP %2)、このカレンダーのサーバーが受け付けるまで「%3」に残ります</translation>
        </message>
        <message>
            <source>"%1" (its UID or time zone cannot be written as it is)</source>
            <translation>「%1」(UID またはタイムゾーンをそのまま書き込めません)</translation>
        </message>
        <message>
            <source>Could not read the stored events of this calendar; nothing was changed.</source>
            <translation>このカレンダーの保存済みの予定を読み込めませんでした。何も変更されていません。</translation>
        </message>
        <message>
            <source>Could not save the pulled events: %1</source>
            <translation>取得した予定を保存できませんでした: %1</translation>
        </message>
        <message>
            <source>Could not save the pulled tasks: %1</source>
            <translation>取得したタスクを保存できませんでした: %1</translation>
        </message>
        <message>
            <source>Network error during task pull: %1</source>
            <translation>タスクの取得中にネットワークエラーが発生しました: %1</translation>
        </message>
        <message>
            <source>Network error: %1</source>
            <translation>ネットワークエラー: %1</translation>
        </message>
        <message>
            <source>Server returned HTTP %1</source>
            <translation>サーバーが HTTP %1 を返しました</translation>
        </message>
        <message>
            <source>Server returned HTTP %1 during ctag check</source>
            <translation>ctag の確認中にサーバーが HTTP %1 を返しました</translation>
        </message>
        <message>
            <source>Server returned HTTP %1 during task pull</source>
            <translation>タスクの取得中にサーバーが HTTP %1 を返しました</translation>
        </message>
        <message>
            <source>Task push error: %1</source>
            <translation>タスクの送信エラー: %1</translation>
        </message>
        <message>
            <source>The server's calendar listing was incomplete (HTTP %1); nothing was changed.</source>
            <translation>サーバーのカレンダー一覧が不完全でした（HTTP %1）。何も変更されていません。</translation>
        </message>
        <message>
            <source>The server's task listing was incomplete (HTTP %1); nothing was changed.</source>
            <translation>サーバーのタスク一覧が不完全でした（HTTP %1）。何も変更されていません。</translation>
        </message>
    </context>
    <context>
        <name>CalendarFormDialog</name>
        <message>
            <source>Missing password</source>
            <translation>パスワードがありません</translation>
        </message>
        <message>
            <source>No saved password for this account. Edit the account first to re-enter your credentials.</source>
            <translation>このアカウントにはパスワードが保存されていません。先にアカウントを編集して、認証情報を再入力してください。</translation>
        </message>
        <message>
            <source>Creating calendar on server…</source>
            <translation>サーバーにカレンダーを作成しています…</translation>
        </message>
        <message>
            <source>Network error: %1</source>
            <translation>ネットワークエラー: %1</translation>
        </message>
        <message>
            <source>Server refused (HTTP %1). Your account may not have permission to create calendars on this server.</source>
            <translation>サーバーに拒否されました（HTTP %1）。このアカウントには、このサーバーでカレンダーを作成する権限がない可能性があります。</translation>
        </message>
        <message>
            <source>Server returned success but the new calendar isn't reachable. This server may not support MKCALENDAR.</source>
            <translation>サーバーは成功を返しましたが、新しいカレンダーにアクセスできません。このサーバーは MKCALENDAR に対応していない可能性があります。</translation>
        </message>
        <message>
            <source>Created on server, but couldn't save locally. Run sync to recover.</source>
            <translation>サーバーには作成されましたが、ローカルに保存できませんでした。同期を実行して復旧してください。</translation>
        </message>
        <message>
            <source>Account missing</source>
            <translation>アカウントがありません</translation>
        </message>
        <message>
            <source>Could not find the parent account.</source>
            <translation>親アカウントが見つかりませんでした。</translation>
        </message>
        <message>
            <source>Saving changes to server…</source>
            <translation>変更をサーバーに保存しています…</translation>
        </message>
        <message>
            <source>The server's answer could not be read, so the change may not have been made. Try again.</source>
            <translation>サーバーの応答を読み取れなかったため、変更が反映されていない可能性があります。もう一度お試しください。</translation>
        </message>
        <message>
            <source>Server refused (HTTP %1). You may not have permission to rename or recolour this calendar.</source>
            <translation>サーバーに拒否されました（HTTP %1）。このカレンダーの名前や色を変更する権限がない可能性があります。</translation>
        </message>
        <message>
            <source>Saved on server, but couldn't update locally.</source>
            <translation>サーバーには保存されましたが、ローカルで更新できませんでした。</translation>
        </message>
        <message>
            <source>Checking whether this calendar accepts tasks…</source>
            <translation>このカレンダーがタスクに対応しているか確認しています…</translation>
        </message>
        <message>
            <source>This calendar does not accept tasks (server returned HTTP %1).</source>
            <translation>このカレンダーはタスクに対応していません（サーバーが HTTP %1 を返しました）。</translation>
        </message>
        <message>
            <source>Couldn't verify task support: %1</source>
            <translation>タスクへの対応を確認できませんでした: %1</translation>
        </message>
        <message>
            <source>Add Calendar</source>
            <translation>カレンダーを追加</translation>
        </message>
        <message>
            <source>Add Calendar to %1</source>
            <translation>%1 にカレンダーを追加</translation>
        </message>
        <message>
            <source>Edit Calendar</source>
            <translation>カレンダーを編集</translation>
        </message>
        <message>
            <source>The calendar is kept on this device only. It is not sent to any server.</source>
            <translation>このカレンダーはこのデバイスにのみ保存され、サーバーには送信されません。</translation>
        </message>
        <message>
            <source>Create a new calendar on the CalDAV server. The server must allow MKCALENDAR for your user; if it refuses, the calendar will not be created.</source>
            <translation>CalDAV サーバーに新しいカレンダーを作成します。サーバーがお使いのユーザーに MKCALENDAR を許可している必要があります。拒否された場合、カレンダーは作成されません。</translation>
        </message>
        <message>
            <source>e.g. Personal, Work, Family</source>
            <translation>例: 個人、仕事、家族</translation>
        </message>
        <message>
            <source>&amp;Name:</source>
            <translation>名前(&amp;N):</translation>
        </message>
        <message>
            <source>&amp;Color:</source>
            <translation>色(&amp;C):</translation>
        </message>
        <message>
            <source>Allow tasks on this calendar</source>
            <translation>このカレンダーでタスクを許可</translation>
        </message>
        <message>
            <source>Store tasks here even if the server doesn't advertise task support. Enable only if your provider (such as Fastmail) accepts tasks.</source>
            <translation>サーバーがタスク対応を示していなくても、ここにタスクを保存します。プロバイダー（Fastmail など）がタスクを受け付ける場合にのみ有効にしてください。</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>保存</translation>
        </message>
        <message>
            <source>Create</source>
            <translation>作成</translation>
        </message>
        <message>
            <source>Name required</source>
            <translation>名前が必要です</translation>
        </message>
        <message>
            <source>Please enter a name for the calendar.</source>
            <translation>カレンダーの名前を入力してください。</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>データベースエラー</translation>
        </message>
        <message>
            <source>Could not create the local account row.</source>
            <translation>ローカルアカウントのデータを作成できませんでした。</translation>
        </message>
        <message>
            <source>Could not save the calendar.</source>
            <translation>カレンダーを保存できませんでした。</translation>
        </message>
        <message>
            <source>Pick a calendar color</source>
            <translation>カレンダーの色を選択</translation>
        </message>
        <message>
            <source>Calendar on another server</source>
            <translation>別のサーバー上のカレンダー</translation>
        </message>
        <message>
            <source>%1 is not on this account's server (%2), so your password is not sent there.</source>
            <translation>%1 はこのアカウントのサーバー（%2）上にないため、パスワードはそこへ送信されません。</translation>
        </message>
    </context>
    <context>
        <name>CalendarGroupName</name>
        <message>
            <source>All Calendars</source>
            <translation>すべてのカレンダー</translation>
        </message>
    </context>
    <context>
        <name>CalendarRow</name>
        <message>
            <source>Show this calendar in views</source>
            <translation>このカレンダーを表示</translation>
        </message>
        <message>
            <source>Sign in to sync</source>
            <translation>サインインして同期</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>既定</translation>
        </message>
        <message>
            <source>Edit calendar…</source>
            <translation>カレンダーを編集…</translation>
        </message>
        <message>
            <source>Set as default</source>
            <translation>既定に設定</translation>
        </message>
        <message>
            <source>Share…</source>
            <translation>共有…</translation>
        </message>
        <message>
            <source>Remove calendar…</source>
            <translation>カレンダーを削除…</translation>
        </message>
    </context>
    <context>
        <name>CommandPalette</name>
        <message>
            <source>Find an event or run a command — today, goto, view, new, resync…</source>
            <translation>予定を検索、またはコマンドを実行 — today、goto、view、new、resync…</translation>
        </message>
        <message>
            <source>today</source>
            <translation>today</translation>
        </message>
        <message>
            <source>Snap the calendar to today</source>
            <translation>カレンダーを今日に移動</translation>
        </message>
        <message>
            <source>goto YYYY-MM-DD</source>
            <translation>goto YYYY-MM-DD</translation>
        </message>
        <message>
            <source>Jump to a specific date in Day view</source>
            <translation>日表示で指定した日付に移動</translation>
        </message>
        <message>
            <source>view &lt;mode|name&gt;</source>
            <translation>view &lt;モード|名前&gt;</translation>
        </message>
        <message>
            <source>Switch view mode (day/week/grid/month/year) or active calendar group</source>
            <translation>表示モード（day/week/grid/month/year）またはカレンダーグループを切り替え</translation>
        </message>
        <message>
            <source>new &lt;event description&gt;</source>
            <translation>new &lt;予定の説明&gt;</translation>
        </message>
        <message>
            <source>Quick-add an event using the NL parser</source>
            <translation>自然な文章で予定をすばやく追加</translation>
        </message>
        <message>
            <source>resync</source>
            <translation>resync</translation>
        </message>
        <message>
            <source>Pull + push every CalDAV calendar</source>
            <translation>すべての CalDAV カレンダーを取得・送信</translation>
        </message>
        <message>
            <source>notifytest</source>
            <translation>notifytest</translation>
        </message>
        <message>
            <source>Fire a test tray notification (verifies the pipeline)</source>
            <translation>テスト通知を表示（通知の動作を確認）</translation>
        </message>
        <message>
            <source>Switch to Day view</source>
            <translation>日表示に切り替え</translation>
        </message>
        <message>
            <source>Switch to Week view (locale-bracketed 7 days)</source>
            <translation>週表示に切り替え（地域設定の 7 日間）</translation>
        </message>
        <message>
            <source>Switch to Days view (sliding window)</source>
            <translation>複数日表示に切り替え（スライド表示）</translation>
        </message>
        <message>
            <source>Switch to Grid view</source>
            <translation>グリッド表示に切り替え</translation>
        </message>
        <message>
            <source>Switch to Month view</source>
            <translation>月表示に切り替え</translation>
        </message>
        <message>
            <source>Switch to Year view</source>
            <translation>年表示に切り替え</translation>
        </message>
        <message>
            <source>Days view, 3-day sliding window</source>
            <translation>複数日表示（3 日間）</translation>
        </message>
        <message>
            <source>Days view, 5-day sliding window</source>
            <translation>複数日表示（5 日間）</translation>
        </message>
        <message>
            <source>Days view, 10-day medium-term horizon</source>
            <translation>複数日表示（10 日間）</translation>
        </message>
        <message>
            <source>Days view, 14-day fortnight horizon</source>
            <translation>複数日表示（14 日間）</translation>
        </message>
        <message>
            <source>all-day</source>
            <translation>終日</translation>
        </message>
        <message>
            <source>(Untitled)</source>
            <translation>(無題)</translation>
        </message>
        <message>
            <source>Event: %1   —   %2 · %3</source>
            <translation>予定: %1   —   %2 · %3</translation>
        </message>
    </context>
    <context>
        <name>DBusNotifier</name>
        <message>
            <source>Open</source>
            <translation>開く</translation>
        </message>
    </context>
    <context>
        <name>DateTimePicker</name>
        <message>
            <source>%1 min</source>
            <translation>%1 分</translation>
        </message>
        <message>
            <source>%1 hr</source>
            <translation>%1 時間</translation>
        </message>
        <message>
            <source>%1 hr %2 min</source>
            <translation>%1 時間 %2 分</translation>
        </message>
    </context>
    <context>
        <name>DayTimelineWidget</name>
        <message>
            <source>%1 min</source>
            <translation>%1 分</translation>
        </message>
    </context>
    <context>
        <name>DetachedAgendaWindow</name>
        <message>
            <source>Agenda — Tindlebrook Calendar</source>
            <translation>予定リスト — Tindlebrook Calendar</translation>
        </message>
    </context>
    <context>
        <name>DetachedRemindersWindow</name>
        <message>
            <source>Reminders — Tindlebrook Calendar</source>
            <translation>リマインダー — Tindlebrook Calendar</translation>
        </message>
    </context>
    <context>
        <name>DetachedTasksWindow</name>
        <message>
            <source>Tasks — Tindlebrook Calendar</source>
            <translation>タスク — Tindlebrook Calendar</translation>
        </message>
    </context>
    <context>
        <name>EventActions</name>
        <message>
            <source>Couldn't save the change</source>
            <translation>変更を保存できませんでした</translation>
        </message>
        <message>
            <source>Couldn't delete the event</source>
            <translation>予定を削除できませんでした</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>編集…</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>削除</translation>
        </message>
        <message>
            <source>Edit filter "%1"…</source>
            <translation>フィルター「%1」を編集…</translation>
        </message>
        <message>
            <source>Create Filter from Event…</source>
            <translation>予定からフィルターを作成…</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>予定</translation>
        </message>
        <message>
            <source>Delete "%1"? You can undo with %2.</source>
            <translation>「%1」を削除しますか？%2 で元に戻せます。</translation>
        </message>
        <message>
            <source>Delete event?</source>
            <translation>予定を削除しますか？</translation>
        </message>
        <message>
            <source>%1 (copy)</source>
            <translation>%1（コピー）</translation>
        </message>
        <message>
            <source>Couldn't duplicate the event</source>
            <translation>予定を複製できませんでした</translation>
        </message>
    </context>
    <context>
        <name>EventDetailsPopover</name>
        <message>
            <source>Edit…</source>
            <translation>編集…</translation>
        </message>
        <message>
            <source>Duplicate</source>
            <translation>複製</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>削除</translation>
        </message>
        <message>
            <source>(Untitled)</source>
            <translation>(無題)</translation>
        </message>
        <message>
            <source>Organizer: %1</source>
            <translation>主催者: %1</translation>
        </message>
        <message>
            <source>Unknown calendar</source>
            <translation>不明なカレンダー</translation>
        </message>
        <message>
            <source>(Untitled task)</source>
            <translation>(無題のタスク)</translation>
        </message>
        <message>
            <source>Linked task:</source>
            <translation>関連タスク:</translation>
        </message>
        <message>
            <source>All-day</source>
            <translation>終日</translation>
        </message>
    </context>
    <context>
        <name>EventEditor</name>
        <message>
            <source>Moved "%1"</source>
            <translation>「%1」を移動しました</translation>
        </message>
        <message>
            <source>Resized "%1"</source>
            <translation>「%1」の長さを変更しました</translation>
        </message>
        <message>
            <source>Deleted "%1"</source>
            <translation>「%1」を削除しました</translation>
        </message>
        <message>
            <source>"%1" could not be stored, so nothing was changed. The log has the details.</source>
            <translation>「%1」を保存できなかったため、何も変更されていません。詳細はログを参照してください。</translation>
        </message>
        <message>
            <source>"%1" could not be deleted. The log has the details.</source>
            <translation>「%1」を削除できませんでした。詳細はログを参照してください。</translation>
        </message>
        <message>
            <source>The copy could not be stored. The log has the details.</source>
            <translation>コピーを保存できませんでした。詳細はログを参照してください。</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>予定</translation>
        </message>
        <message>
            <source>"%1" was copied to its new calendar, but could not be removed from the old one. The log has the details.</source>
            <translation>「%1」は新しいカレンダーにコピーされましたが、元のカレンダーから削除できませんでした。詳細はログを参照してください。</translation>
        </message>
        <message>
            <source>"%1" is one occurrence of a repeating event and stays in its calendar. To move it, move the whole series.</source>
            <translation>「%1」は繰り返し予定の1回分のため、元のカレンダーに残ります。移動するには、シリーズ全体を移動してください。</translation>
        </message>
    </context>
    <context>
        <name>EventFormDialog</name>
        <message>
            <source>New Event</source>
            <translation>新しい予定</translation>
        </message>
        <message>
            <source>Edit Event</source>
            <translation>予定を編集</translation>
        </message>
        <message>
            <source>Edit event</source>
            <translation>予定の編集</translation>
        </message>
        <message>
            <source>New event</source>
            <translation>新規予定</translation>
        </message>
        <message>
            <source>Update the details below and save to apply.</source>
            <translation>内容を更新して保存してください。</translation>
        </message>
        <message>
            <source>Fill in the basics. Start time and calendar are required.</source>
            <translation>基本情報を入力してください。開始時刻とカレンダーは必須です。</translation>
        </message>
        <message>
            <source>Team sync, Dentist…</source>
            <translation>チーム定例、歯医者…</translation>
        </message>
        <message>
            <source>&amp;Title</source>
            <translation>タイトル(&amp;T)</translation>
        </message>
        <message>
            <source>&amp;Calendar</source>
            <translation>カレンダー(&amp;C)</translation>
        </message>
        <message>
            <source>&amp;Starts</source>
            <translation>開始(&amp;S)</translation>
        </message>
        <message>
            <source>&amp;Ends</source>
            <translation>終了(&amp;E)</translation>
        </message>
        <message>
            <source>All day</source>
            <translation>終日</translation>
        </message>
        <message>
            <source>Address, room, or video link</source>
            <translation>住所、会議室、またはビデオ会議のリンク</translation>
        </message>
        <message>
            <source>&amp;Location</source>
            <translation>場所(&amp;L)</translation>
        </message>
        <message>
            <source>Notes, agenda, links…</source>
            <translation>メモ、議題、リンク…</translation>
        </message>
        <message>
            <source>&amp;Notes</source>
            <translation>メモ(&amp;N)</translation>
        </message>
        <message>
            <source>Save changes</source>
            <translation>変更を保存</translation>
        </message>
        <message>
            <source>Create event</source>
            <translation>予定を作成</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
        <message>
            <source>Title required</source>
            <translation>タイトルが必要です</translation>
        </message>
        <message>
            <source>Please enter a title for the event.</source>
            <translation>予定のタイトルを入力してください。</translation>
        </message>
        <message>
            <source>No calendars</source>
            <translation>カレンダーがありません</translation>
        </message>
        <message>
            <source>Create a calendar first.</source>
            <translation>先にカレンダーを作成してください。</translation>
        </message>
        <message>
            <source>End before start</source>
            <translation>終了が開始より前です</translation>
        </message>
        <message>
            <source>The end time is earlier than the start time.</source>
            <translation>終了時刻が開始時刻より前になっています。</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>データベースエラー</translation>
        </message>
        <message>
            <source>Could not save the event.</source>
            <translation>予定を保存できませんでした。</translation>
        </message>
        <message>
            <source>+ Add attendee</source>
            <translation>+ 参加者を追加</translation>
        </message>
        <message>
            <source>Going</source>
            <translation>参加</translation>
        </message>
        <message>
            <source>Declined</source>
            <translation>不参加</translation>
        </message>
        <message>
            <source>Maybe</source>
            <translation>未定</translation>
        </message>
        <message>
            <source>Delegated</source>
            <translation>委任</translation>
        </message>
        <message>
            <source>No response</source>
            <translation>未回答</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>名前</translation>
        </message>
        <message>
            <source>name@example.com</source>
            <translation>name@example.com</translation>
        </message>
        <message>
            <source>From template…</source>
            <translation>テンプレートから…</translation>
        </message>
        <message>
            <source>Color</source>
            <translation>色</translation>
        </message>
        <message>
            <source>&amp;Repeats</source>
            <translation>繰り返し(&amp;R)</translation>
        </message>
        <message>
            <source>Re&amp;minders</source>
            <translation>リマインダー(&amp;M)</translation>
        </message>
        <message>
            <source>Attendees</source>
            <translation>参加者</translation>
        </message>
        <message>
            <source>Use calendar color</source>
            <translation>カレンダーの色を使用</translation>
        </message>
        <message>
            <source>Inheriting calendar color (%1). Click to override.</source>
            <translation>カレンダーの色（%1）を使用中。クリックで変更できます。</translation>
        </message>
        <message>
            <source>Custom color (%1). Click to change.</source>
            <translation>カスタムの色（%1）。クリックで変更できます。</translation>
        </message>
        <message>
            <source>Event color</source>
            <translation>予定の色</translation>
        </message>
        <message>
            <source>Does not repeat</source>
            <translation>繰り返さない</translation>
        </message>
        <message>
            <source>No templates</source>
            <translation>テンプレートがありません</translation>
        </message>
        <message>
            <source>You haven't created any event templates yet. Open Tools → Manage Templates to create one.</source>
            <translation>予定のテンプレートはまだありません。ツール → テンプレートの管理 から作成できます。</translation>
        </message>
        <message>
            <source>+ Add reminder</source>
            <translation>+ リマインダーを追加</translation>
        </message>
        <message>
            <source>Couldn't save the change</source>
            <translation>変更を保存できませんでした</translation>
        </message>
    </context>
    <context>
        <name>FilterFormDialog</name>
        <message>
            <source>Pattern Match</source>
            <translation>パターン一致</translation>
        </message>
        <message>
            <source>Time-Based</source>
            <translation>時刻指定</translation>
        </message>
        <message>
            <source>Specific Event</source>
            <translation>特定の予定</translation>
        </message>
        <message>
            <source>All-Day Events</source>
            <translation>終日の予定</translation>
        </message>
        <message>
            <source>Mon</source>
            <translation>月</translation>
        </message>
        <message>
            <source>Tue</source>
            <translation>火</translation>
        </message>
        <message>
            <source>Wed</source>
            <translation>水</translation>
        </message>
        <message>
            <source>Thu</source>
            <translation>木</translation>
        </message>
        <message>
            <source>Fri</source>
            <translation>金</translation>
        </message>
        <message>
            <source>Sat</source>
            <translation>土</translation>
        </message>
        <message>
            <source>Sun</source>
            <translation>日</translation>
        </message>
        <message>
            <source>Add Filter</source>
            <translation>フィルターを追加</translation>
        </message>
        <message>
            <source>Edit Filter</source>
            <translation>フィルターを編集</translation>
        </message>
        <message>
            <source>Edit filter</source>
            <translation>フィルターの編集</translation>
        </message>
        <message>
            <source>New filter</source>
            <translation>新規フィルター</translation>
        </message>
        <message>
            <source>Filters hide or dim events that match — they don't delete anything, and you can toggle the whole set off from the filters pill in the status bar.</source>
            <translation>フィルターは一致する予定を非表示または淡色表示にします。削除はされず、ステータスバーのフィルター表示からまとめてオフにできます。</translation>
        </message>
        <message>
            <source>Hide standups, Dim birthdays…</source>
            <translation>朝会を非表示、誕生日を淡色表示…</translation>
        </message>
        <message>
            <source>&amp;Name</source>
            <translation>名前(&amp;N)</translation>
        </message>
        <message>
            <source>Hide completely</source>
            <translation>完全に非表示</translation>
        </message>
        <message>
            <source>Dim (still visible, faded)</source>
            <translation>淡色表示（表示したまま薄く）</translation>
        </message>
        <message>
            <source>&amp;Action</source>
            <translation>動作(&amp;A)</translation>
        </message>
        <message>
            <source>Suppress reminders for matched events</source>
            <translation>一致した予定のリマインダーを止める</translation>
        </message>
        <message>
            <source>Enabled</source>
            <translation>有効</translation>
        </message>
        <message>
            <source>Save changes</source>
            <translation>変更を保存</translation>
        </message>
        <message>
            <source>Create filter</source>
            <translation>フィルターを作成</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>種類</translation>
        </message>
        <message>
            <source>Title contains</source>
            <translation>タイトルに含む</translation>
        </message>
        <message>
            <source>e.g. standup, lunch, 1:1 — comma separated</source>
            <translation>例: 朝会, ランチ, 1on1（カンマ区切り）</translation>
        </message>
        <message>
            <source>Case sensitive</source>
            <translation>大文字と小文字を区別</translation>
        </message>
        <message>
            <source>Exact start time</source>
            <translation>開始時刻が一致</translation>
        </message>
        <message>
            <source>Time range</source>
            <translation>時間の範囲</translation>
        </message>
        <message>
            <source>to</source>
            <translation>～</translation>
        </message>
        <message>
            <source>Days of week (empty = every day)</source>
            <translation>曜日（空欄 = 毎日）</translation>
        </message>
        <message>
            <source>Recurring events only</source>
            <translation>繰り返しの予定のみ</translation>
        </message>
        <message>
            <source>Filtering this specific event:</source>
            <translation>この予定を対象にします:</translation>
        </message>
        <message>
            <source>(Right-click an event and choose "Create Filter from Event" to create a specific-event filter.)</source>
            <translation>（予定を右クリックして「予定からフィルターを作成」を選ぶと、特定の予定のフィルターを作成できます。）</translation>
        </message>
        <message>
            <source>Matches every all-day event in the selected calendars.</source>
            <translation>選択したカレンダーのすべての終日の予定が対象です。</translation>
        </message>
        <message>
            <source>Only recurring all-day events</source>
            <translation>繰り返しの終日の予定のみ</translation>
        </message>
        <message>
            <source>Apply to calendars</source>
            <translation>適用するカレンダー</translation>
        </message>
        <message>
            <source>Leave empty to apply to every calendar.</source>
            <translation>空欄にするとすべてのカレンダーに適用されます。</translation>
        </message>
        <message>
            <source>Filter events matching text patterns</source>
            <translation>テキストに一致する予定を絞り込む</translation>
        </message>
        <message>
            <source>Filter events at specific times</source>
            <translation>特定の時刻の予定を絞り込む</translation>
        </message>
        <message>
            <source>Filter a specific recurring event</source>
            <translation>特定の繰り返しの予定を絞り込む</translation>
        </message>
        <message>
            <source>Filter all-day events</source>
            <translation>終日の予定を絞り込む</translation>
        </message>
        <message>
            <source>(Event no longer exists)</source>
            <translation>（予定は削除されています）</translation>
        </message>
        <message>
            <source>(Untitled event)</source>
            <translation>(無題の予定)</translation>
        </message>
        <message numerus="yes">
            <source>Also applies to %n hidden or removed calendar(s).</source>
            <translation>
                <numerusform>非表示または削除済みの %n 件のカレンダーにも適用されます。</numerusform>
            </translation>
        </message>
        <message>
            <source>Name required</source>
            <translation>名前が必要です</translation>
        </message>
        <message>
            <source>Please enter a name for the filter.</source>
            <translation>フィルターの名前を入力してください。</translation>
        </message>
        <message>
            <source>No patterns</source>
            <translation>パターンがありません</translation>
        </message>
        <message>
            <source>Add at least one phrase to "Title contains".</source>
            <translation>「タイトルに含む」に語句を 1 つ以上入力してください。</translation>
        </message>
        <message>
            <source>No event selected</source>
            <translation>予定が選択されていません</translation>
        </message>
        <message>
            <source>Specific-event filters need to be created from an event's right-click menu — that's how the rule learns which event to match.</source>
            <translation>特定の予定のフィルターは予定の右クリックメニューから作成してください。そうすることで対象の予定が決まります。</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>データベースエラー</translation>
        </message>
        <message>
            <source>Could not save the filter.</source>
            <translation>フィルターを保存できませんでした。</translation>
        </message>
        <message>
            <source>No events in the next 30 days to preview against.</source>
            <translation>今後 30 日間にプレビュー対象の予定がありません。</translation>
        </message>
        <message>
            <source>hide</source>
            <translation>非表示</translation>
        </message>
        <message>
            <source>dim</source>
            <translation>淡色表示</translation>
        </message>
        <message>
            <source>Would %1 %2 of %3 events in the next 30 days.</source>
            <translation>今後 30 日間の予定 %3 件中 %2 件を%1にします。</translation>
        </message>
        <message>
            <source>(Untitled)</source>
            <translation>(無題)</translation>
        </message>
        <message>
            <source>e.g. %1</source>
            <translation>例: %1</translation>
        </message>
    </context>
    <context>
        <name>Google</name>
        <message numerus="yes">
            <source>Google did not answer within %n second(s).</source>
            <translation>
                <numerusform>Google が %n 秒以内に応答しませんでした。</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>Google::AuthService</name>
        <message>
            <source>Google OAuth credentials are not configured in this build. See .env.example.</source>
            <translation>このビルドには Google OAuth の認証情報が設定されていません。.env.example を参照してください。</translation>
        </message>
        <message>
            <source>Google sign-in timed out. Please try again.</source>
            <translation>Google へのサインインがタイムアウトしました。もう一度お試しください。</translation>
        </message>
        <message>
            <source>Sign-in cancelled.</source>
            <translation>サインインをキャンセルしました。</translation>
        </message>
        <message>
            <source>The Google sign-in link was opened twice, so the sign-in was stopped for safety. Please sign in again.</source>
            <translation>Google のサインインリンクが2回開かれたため、安全のためサインインを中止しました。もう一度サインインしてください。</translation>
        </message>
        <message>
            <source>Could not bind a local port for the Google sign-in callback: %1</source>
            <translation>Google サインインのコールバック用のローカルポートを開けませんでした: %1</translation>
        </message>
        <message>
            <source>Could not launch the system browser for Google sign-in.</source>
            <translation>Google サインイン用のブラウザーを起動できませんでした。</translation>
        </message>
        <message>
            <source>Google denied the sign-in: %1</source>
            <translation>Google がサインインを拒否しました: %1</translation>
        </message>
        <message>
            <source>Sign-in state mismatch. The redirect didn't match our request; please try again.</source>
            <translation>サインインの状態が一致しません。リダイレクトが要求と一致しませんでした。もう一度お試しください。</translation>
        </message>
        <message>
            <source>Google did not return an authorization code.</source>
            <translation>Google から認可コードが返されませんでした。</translation>
        </message>
        <message>
            <source>Token exchange failed (HTTP %1): %2</source>
            <translation>トークンの交換に失敗しました（HTTP %1）: %2</translation>
        </message>
        <message>
            <source>Token exchange failed (HTTP %1).</source>
            <translation>トークンの交換に失敗しました（HTTP %1）。</translation>
        </message>
        <message>
            <source>Google did not return an access token.</source>
            <translation>Google からアクセストークンが返されませんでした。</translation>
        </message>
        <message>
            <source>Google did not return a refresh token. Try removing the app from your Google Account permissions and signing in again.</source>
            <translation>Google からリフレッシュトークンが返されませんでした。Google アカウントの権限からアプリを削除して、もう一度サインインしてください。</translation>
        </message>
        <message>
            <source>Google OAuth credentials are not configured.</source>
            <translation>Google OAuth の認証情報が設定されていません。</translation>
        </message>
        <message>
            <source>Token refresh failed (HTTP %1): %2</source>
            <translation>トークンの更新に失敗しました（HTTP %1）: %2</translation>
        </message>
        <message>
            <source>Token refresh failed (HTTP %1).</source>
            <translation>トークンの更新に失敗しました（HTTP %1）。</translation>
        </message>
        <message>
            <source>Google's response had no access_token.</source>
            <translation>Google の応答に access_token がありませんでした。</translation>
        </message>
        <message>
            <source>Google's response had an expires_in that could not be used.</source>
            <translation>Google の応答の expires_in を使用できませんでした。</translation>
        </message>
    </context>
    <context>
        <name>Google::CalendarClient</name>
        <message>
            <source>No Google access token available.</source>
            <translation>Google のアクセストークンがありません。</translation>
        </message>
        <message>
            <source>Google rejected calendarList.list (HTTP %1): %2</source>
            <translation>Google が calendarList.list を拒否しました（HTTP %1）: %2</translation>
        </message>
        <message>
            <source>Google's calendar list did not end after %1 pages.</source>
            <translation>Google のカレンダー一覧が %1 ページを超えても終わりませんでした。</translation>
        </message>
        <message>
            <source>Google rejected events.list (HTTP %1): %2</source>
            <translation>Google が events.list を拒否しました（HTTP %1）: %2</translation>
        </message>
        <message>
            <source>Google's event list did not end after %1 pages.</source>
            <translation>Google の予定一覧が %1 ページを超えても終わりませんでした。</translation>
        </message>
        <message>
            <source>Google's answer to events.list (page %1) is not JSON.</source>
            <translation>events.list に対する Google の応答 (%1 ページ目) が JSON ではありません。</translation>
        </message>
        <message>
            <source>No Google access token.</source>
            <translation>Google のアクセストークンがありません。</translation>
        </message>
        <message>
            <source>Google rejected events.insert: %1</source>
            <translation>Google が events.insert を拒否しました: %1</translation>
        </message>
        <message>
            <source>Google rejected events.update: %1</source>
            <translation>Google が events.update を拒否しました: %1</translation>
        </message>
        <message>
            <source>Google rejected events.delete: %1</source>
            <translation>Google が events.delete を拒否しました: %1</translation>
        </message>
        <message>
            <source>Google rejected events.get: %1</source>
            <translation>Google が events.get を拒否しました: %1</translation>
        </message>
        <message>
            <source>Google rejected events.instances: %1</source>
            <translation>Google が events.instances を拒否しました: %1</translation>
        </message>
        <message>
            <source>Google rejected events.patch: %1</source>
            <translation>Google が events.patch を拒否しました: %1</translation>
        </message>
        <message>
            <source>Google rejected events.move: %1</source>
            <translation>Google が events.move を拒否しました: %1</translation>
        </message>
    </context>
    <context>
        <name>Google::PushRun</name>
        <message>
            <source>"%1" was changed on Google and could not be saved there: %2</source>
            <translation>「%1」は Google 側で変更されたため、保存できませんでした: %2</translation>
        </message>
        <message>
            <source>"%1" is no longer an occurrence of its series on Google.</source>
            <translation>「%1」は Google 上でシリーズの一回ではなくなりました。</translation>
        </message>
        <message>
            <source>"%1" was changed on Google too; the %2 set here was kept.</source>
            <translation>「%1」は Google でも変更されました。ここで設定した %2 を残しました。</translation>
        </message>
    </context>
    <context>
        <name>Google::SyncClient</name>
        <message>
            <source>Parent account missing</source>
            <translation>親アカウントがありません</translation>
        </message>
        <message>
            <source>No saved Google credentials. Sign in again.</source>
            <translation>保存された Google の認証情報がありません。もう一度サインインしてください。</translation>
        </message>
        <message>
            <source>Google token refresh failed: %1</source>
            <translation>Google トークンの更新に失敗しました: %1</translation>
        </message>
        <message>
            <source>Google refused the full listing of %1 (HTTP 410).</source>
            <translation>Google が %1 の全件取得を拒否しました（HTTP 410）。</translation>
        </message>
        <message numerus="yes">
            <source>%n event(s) failed to save locally; will retry next sync.</source>
            <translation>
                <numerusform>%n 件の予定をローカルに保存できませんでした。次回の同期で再試行します。</numerusform>
            </translation>
        </message>
        <message>
            <source>Google no longer accepts the saved sign-in. Sign in again.</source>
            <translation>Google は保存されたサインインを受け付けなくなりました。もう一度サインインしてください。</translation>
        </message>
        <message>
            <source>The renewed Google sign-in could not be saved to the secret store.</source>
            <translation>更新された Google のサインインをシークレットストアに保存できませんでした。</translation>
        </message>
    </context>
    <context>
        <name>HolidayPickerDialog</name>
        <message>
            <source>Holiday Calendars</source>
            <translation>祝日カレンダー</translation>
        </message>
        <message>
            <source>Subscribe to a country's public holidays. Feeds are read-only and update automatically. All subscriptions land under the shared "Calendar Subscriptions" account.</source>
            <translation>国の祝日を購読します。フィードは読み取り専用で、自動的に更新されます。購読はすべて共有の「カレンダーの購読」アカウントに入ります。</translation>
        </message>
        <message>
            <source>Search by country or region…</source>
            <translation>国または地域で検索…</translation>
        </message>
        <message>
            <source>Subscribe</source>
            <translation>購読</translation>
        </message>
        <message>
            <source>Subscribed</source>
            <translation>購読済み</translation>
        </message>
        <message>
            <source>No holiday feeds match "%1".</source>
            <translation>「%1」に一致する祝日フィードはありません。</translation>
        </message>
        <message>
            <source>Already subscribed</source>
            <translation>購読済みです</translation>
        </message>
        <message>
            <source>You're already subscribed to "%1".</source>
            <translation>「%1」はすでに購読しています。</translation>
        </message>
        <message>
            <source>%1 Holidays</source>
            <translation>%1 の祝日</translation>
        </message>
        <message>
            <source>Couldn't subscribe</source>
            <translation>購読できませんでした</translation>
        </message>
        <message>
            <source>Couldn't create the holiday calendar. Try again.</source>
            <translation>祝日カレンダーを作成できませんでした。もう一度お試しください。</translation>
        </message>
    </context>
    <context>
        <name>IcsCodec</name>
        <message>
            <source>This is not a calendar file: it holds no iCalendar data.</source>
            <translation>カレンダーファイルではありません。iCalendar データが含まれていません。</translation>
        </message>
    </context>
    <context>
        <name>IcsImportFlow</name>
        <message>
            <source>An import is already running.</source>
            <translation>すでにインポートを実行中です。</translation>
        </message>
        <message>
            <source>Couldn't open file</source>
            <translation>ファイルを開けませんでした</translation>
        </message>
        <message>
            <source>Couldn't open "%1" for reading.</source>
            <translation>「%1」を読み込み用に開けませんでした。</translation>
        </message>
        <message>
            <source>Couldn't import</source>
            <translation>インポートできませんでした</translation>
        </message>
        <message>
            <source>Couldn't read "%1". %2</source>
            <translation>「%1」を読み込めませんでした。%2</translation>
        </message>
        <message>
            <source>Nothing to import</source>
            <translation>インポートする項目がありません</translation>
        </message>
        <message>
            <source>No events found in "%1".</source>
            <translation>「%1」に予定が見つかりませんでした。</translation>
        </message>
        <message>
            <source>No calendars configured</source>
            <translation>カレンダーが設定されていません</translation>
        </message>
        <message>
            <source>Add a writable calendar first; then re-import "%1".</source>
            <translation>先に書き込み可能なカレンダーを追加してから、「%1」を再度インポートしてください。</translation>
        </message>
        <message>
            <source>Import events</source>
            <translation>予定をインポート</translation>
        </message>
        <message>
            <source>Import 1 event from "%1" into:</source>
            <translation>「%1」の予定 1 件のインポート先:</translation>
        </message>
        <message>
            <source>Import %1 events from "%2" into:</source>
            <translation>「%2」の予定 %1 件のインポート先:</translation>
        </message>
        <message>
            <source>Import</source>
            <translation>インポート</translation>
        </message>
        <message>
            <source>Importing %1 events from "%2"…</source>
            <translation>「%2」から %1 件の予定をインポートしています…</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
        <message>
            <source>Import cancelled: the calendar is as it was.</source>
            <translation>インポートをキャンセルしました。カレンダーは変更されていません。</translation>
        </message>
    </context>
    <context>
        <name>InAppNotifier</name>
        <message>
            <source>Open</source>
            <translation>開く</translation>
        </message>
    </context>
    <context>
        <name>InvitationsDialog</name>
        <message>
            <source>Invitations</source>
            <translation>招待</translation>
        </message>
        <message>
            <source>No new invitations. You're all caught up.</source>
            <translation>新しい招待はありません。</translation>
        </message>
        <message>
            <source>Nothing in your history yet.</source>
            <translation>履歴はまだありません。</translation>
        </message>
        <message>
            <source>New</source>
            <translation>新着</translation>
        </message>
        <message>
            <source>Past</source>
            <translation>過去</translation>
        </message>
        <message>
            <source>Going</source>
            <translation>参加</translation>
        </message>
        <message>
            <source>Declined</source>
            <translation>不参加</translation>
        </message>
        <message>
            <source>Maybe</source>
            <translation>未定</translation>
        </message>
        <message>
            <source>Delegated</source>
            <translation>委任</translation>
        </message>
        <message>
            <source>No response</source>
            <translation>未回答</translation>
        </message>
        <message>
            <source>%1 (all day)</source>
            <translation>%1（終日）</translation>
        </message>
        <message>
            <source>%1, %2 – %3</source>
            <translation>%1、%2～%3</translation>
        </message>
        <message>
            <source>%1, %2</source>
            <translation>%1、%2</translation>
        </message>
        <message>
            <source>(Untitled event)</source>
            <translation>(無題の予定)</translation>
        </message>
        <message>
            <source>Invited by %1</source>
            <translation>%1 さんからの招待</translation>
        </message>
        <message>
            <source>Accept</source>
            <translation>承諾</translation>
        </message>
        <message>
            <source>Decline</source>
            <translation>辞退</translation>
        </message>
    </context>
    <context>
        <name>KeyboardHelpDialog</name>
        <message>
            <source>Navigation</source>
            <translation>移動</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>今日</translation>
        </message>
        <message>
            <source>Next / previous (one mode-stride)</source>
            <translation>次 / 前（表示単位で 1 つ）</translation>
        </message>
        <message>
            <source>Previous / next week</source>
            <translation>前 / 次の週</translation>
        </message>
        <message>
            <source>Next / previous month</source>
            <translation>次 / 前の月</translation>
        </message>
        <message>
            <source>Day / Days / Week / Grid / Month / Year</source>
            <translation>日 / 複数日 / 週 / グリッド / 月 / 年</translation>
        </message>
        <message>
            <source>Days timeline: 3 / 5 / 7 / 10 / 14 days (1 – 5)</source>
            <translation>複数日表示: 3 / 5 / 7 / 10 / 14 日（1 – 5）</translation>
        </message>
        <message>
            <source>Back / forward through view + date history</source>
            <translation>表示と日付の履歴を戻る / 進む</translation>
        </message>
        <message>
            <source>Calendar groups</source>
            <translation>カレンダーグループ</translation>
        </message>
        <message>
            <source>Activate calendar group 1 – 9</source>
            <translation>カレンダーグループ 1 – 9 を有効化</translation>
        </message>
        <message>
            <source>Previous / next calendar group</source>
            <translation>前 / 次のカレンダーグループ</translation>
        </message>
        <message>
            <source>Actions</source>
            <translation>操作</translation>
        </message>
        <message>
            <source>New event</source>
            <translation>新規予定</translation>
        </message>
        <message>
            <source>New task</source>
            <translation>新規タスク</translation>
        </message>
        <message>
            <source>Quick add</source>
            <translation>クイック追加</translation>
        </message>
        <message>
            <source>Sync now</source>
            <translation>今すぐ同期</translation>
        </message>
        <message>
            <source>Command palette</source>
            <translation>コマンドパレット</translation>
        </message>
        <message>
            <source>Preferences…</source>
            <translation>設定…</translation>
        </message>
        <message>
            <source>Toggle empty days in sidebar agenda</source>
            <translation>サイドバーの予定リストで空の日の表示切替</translation>
        </message>
        <message>
            <source>Undo (drag/resize/delete)</source>
            <translation>元に戻す（ドラッグ／サイズ変更／削除）</translation>
        </message>
        <message>
            <source>This dialog</source>
            <translation>このダイアログ</translation>
        </message>
        <message>
            <source>Inside grids</source>
            <translation>グリッド内</translation>
        </message>
        <message>
            <source>Single click</source>
            <translation>クリック</translation>
        </message>
        <message>
            <source>Select event + open details popover</source>
            <translation>予定を選択して詳細ポップアップを開く</translation>
        </message>
        <message>
            <source>Double click</source>
            <translation>ダブルクリック</translation>
        </message>
        <message>
            <source>Edit event</source>
            <translation>予定の編集</translation>
        </message>
        <message>
            <source>Right-click</source>
            <translation>右クリック</translation>
        </message>
        <message>
            <source>Edit / Delete menu</source>
            <translation>編集 / 削除メニュー</translation>
        </message>
        <message>
            <source>Drag block</source>
            <translation>ブロックをドラッグ</translation>
        </message>
        <message>
            <source>Reschedule (snap to 15 min)</source>
            <translation>日時を変更（15 分単位）</translation>
        </message>
        <message>
            <source>Drag bottom edge</source>
            <translation>下端をドラッグ</translation>
        </message>
        <message>
            <source>Resize end time (snap to 15 min)</source>
            <translation>終了時刻を変更（15 分単位）</translation>
        </message>
        <message>
            <source>Ctrl+wheel</source>
            <translation>Ctrl+ホイール</translation>
        </message>
        <message>
            <source>Zoom Day / Week timeline</source>
            <translation>日 / 週のタイムラインを拡大縮小</translation>
        </message>
        <message>
            <source>Tab / Shift+Tab</source>
            <translation>Tab / Shift+Tab</translation>
        </message>
        <message>
            <source>Cycle event selection</source>
            <translation>予定を順に選択</translation>
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
            <translation>選択した予定のポップアップを開く</translation>
        </message>
        <message>
            <source>Mouse back / forward</source>
            <translation>マウスの戻る / 進む</translation>
        </message>
        <message>
            <source>Back / forward through view history</source>
            <translation>表示の履歴を戻る / 進む</translation>
        </message>
        <message>
            <source>Quick-add (tray + %1 "new")</source>
            <translation>クイック追加（トレイ + %1「new」）</translation>
        </message>
        <message>
            <source>Date phrases</source>
            <translation>日付の表現</translation>
        </message>
        <message>
            <source>Time phrases</source>
            <translation>時刻の表現</translation>
        </message>
        <message>
            <source>Time range</source>
            <translation>時間の範囲</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>長さ</translation>
        </message>
        <message>
            <source>Relative date</source>
            <translation>相対的な日付</translation>
        </message>
        <message>
            <source>Keyboard Shortcuts</source>
            <translation>キーボードショートカット</translation>
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
            <translation>ファイル(&amp;F)</translation>
        </message>
        <message>
            <source>&amp;New Event…</source>
            <translation>新しい予定(&amp;N)…</translation>
        </message>
        <message>
            <source>&amp;Quit</source>
            <translation>終了(&amp;Q)</translation>
        </message>
        <message>
            <source>&amp;Developer</source>
            <translation>開発者(&amp;D)</translation>
        </message>
        <message>
            <source>Load Sample &amp;Data</source>
            <translation>サンプルデータを読み込む(&amp;D)</translation>
        </message>
        <message>
            <source>&amp;Clear Sample Data</source>
            <translation>サンプルデータを消去(&amp;C)</translation>
        </message>
        <message>
            <source>Calendar is still running in the system tray. Use File → Quit to exit, or turn off Preferences → Startup → Close to tray.</source>
            <translation>カレンダーはシステムトレイで動作中です。終了するには ファイル → 終了 を使うか、設定 → 起動 → 閉じるとトレイに格納 をオフにしてください。</translation>
        </message>
        <message>
            <source>Quick-add ignored: no calendars configured.</source>
            <translation>クイック追加を無視しました: カレンダーが設定されていません。</translation>
        </message>
        <message>
            <source>Quick-add couldn't parse: "%1"</source>
            <translation>クイック追加で解釈できませんでした: 「%1」</translation>
        </message>
        <message>
            <source>Quick-add: "%1" was not saved.</source>
            <translation>クイック追加: 「%1」は保存されませんでした。</translation>
        </message>
        <message>
            <source>Added: %1</source>
            <translation>追加しました: %1</translation>
        </message>
        <message numerus="yes">
            <source>Loaded %n sample row(s).</source>
            <translation>
                <numerusform>サンプルデータを %n 件読み込みました。</numerusform>
            </translation>
        </message>
        <message>
            <source>Clear sample data?</source>
            <translation>サンプルデータを消去しますか？</translation>
        </message>
        <message>
            <source>Remove the sample calendars, events, and tasks? Your real data is untouched.</source>
            <translation>サンプルのカレンダー、予定、タスクを削除しますか？実際のデータには影響しません。</translation>
        </message>
        <message numerus="yes">
            <source>Removed %n sample row(s).</source>
            <translation>
                <numerusform>サンプルデータを %n 件削除しました。</numerusform>
            </translation>
        </message>
        <message>
            <source>Imported %1 and updated %2 in %3.</source>
            <translation>%3 に %1 件をインポートし、%2 件を更新しました。</translation>
        </message>
        <message>
            <source>Updated 1 existing event in %1.</source>
            <translation>%1 の既存の予定を 1 件更新しました。</translation>
        </message>
        <message>
            <source>Updated %1 existing events in %2.</source>
            <translation>%2 の既存の予定を %1 件更新しました。</translation>
        </message>
        <message>
            <source>Imported 1 event into %1.</source>
            <translation>%1 に予定を 1 件インポートしました。</translation>
        </message>
        <message>
            <source>Imported %1 events into %2.</source>
            <translation>%2 に予定を %1 件インポートしました。</translation>
        </message>
        <message numerus="yes">
            <source>Couldn't store %n event(s) in %1.</source>
            <translation>
                <numerusform>%1 に %n 件の予定を保存できませんでした。</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Nothing to change: %n event(s) already in %1.</source>
            <translation>
                <numerusform>変更はありません: %n 件の予定はすでに %1 にあります。</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n event(s) could not be stored.</source>
            <translation>
                <numerusform>%n 件の予定を保存できませんでした。</numerusform>
            </translation>
        </message>
        <message>
            <source>Test notification fired</source>
            <translation>テスト通知を送信しました</translation>
        </message>
        <message>
            <source>No accounts configured</source>
            <translation>アカウントが設定されていません</translation>
        </message>
        <message>
            <source>Add a Tindlebrook Calendar account to store calendars on this device, connect Google or Microsoft, or hook up any CalDAV server (Synology, Nextcloud, Radicale, iCloud).</source>
            <translation>Tindlebrook Calendar アカウントを追加してこのデバイスにカレンダーを保存するか、Google、Microsoft、または任意の CalDAV サーバー（Synology、Nextcloud、Radicale、iCloud）に接続してください。</translation>
        </message>
        <message>
            <source>  Add Account…</source>
            <translation>  アカウントを追加…</translation>
        </message>
        <message>
            <source>Manage your account</source>
            <translation>アカウントを管理</translation>
        </message>
        <message>
            <source>Sign in or sign up</source>
            <translation>サインインまたは登録</translation>
        </message>
        <message>
            <source>Tindlebrook Account</source>
            <translation>Tindlebrook アカウント</translation>
        </message>
        <message>
            <source>&amp;Window</source>
            <translation>ウィンドウ(&amp;W)</translation>
        </message>
        <message>
            <source>New &amp;Task…</source>
            <translation>新しいタスク(&amp;T)…</translation>
        </message>
        <message>
            <source>Quick &amp;Add…</source>
            <translation>クイック追加(&amp;A)…</translation>
        </message>
        <message>
            <source>Type an event in plain English ("lunch Thursday 1pm")</source>
            <translation>予定を簡単な英語で入力（「lunch Thursday 1pm」）</translation>
        </message>
        <message>
            <source>Calendar &amp;Accounts…</source>
            <translation>カレンダーアカウント(&amp;A)…</translation>
        </message>
        <message>
            <source>&amp;Sync Now</source>
            <translation>今すぐ同期(&amp;S)</translation>
        </message>
        <message>
            <source>Force F&amp;ull Sync…</source>
            <translation>完全同期を実行(&amp;U)…</translation>
        </message>
        <message>
            <source>Re-pull every event from every account, ignoring sync tokens</source>
            <translation>同期トークンを使わず、すべてのアカウントのすべての予定を再取得します</translation>
        </message>
        <message>
            <source>&amp;Invitations…</source>
            <translation>招待(&amp;I)…</translation>
        </message>
        <message>
            <source>&amp;Import ICS File…</source>
            <translation>ICS ファイルをインポート(&amp;I)…</translation>
        </message>
        <message>
            <source>&amp;Export Agenda PDF…</source>
            <translation>予定リストを PDF で書き出す(&amp;E)…</translation>
        </message>
        <message>
            <source>Tindlebrook &amp;Account…</source>
            <translation>Tindlebrook アカウント(&amp;A)…</translation>
        </message>
        <message>
            <source>Sign &amp;Out</source>
            <translation>サインアウト(&amp;O)</translation>
        </message>
        <message>
            <source>&amp;Edit</source>
            <translation>編集(&amp;E)</translation>
        </message>
        <message>
            <source>&amp;Preferences…</source>
            <translation>設定(&amp;P)…</translation>
        </message>
        <message>
            <source>&amp;Find Events…</source>
            <translation>予定を検索(&amp;F)…</translation>
        </message>
        <message>
            <source>&amp;View</source>
            <translation>表示(&amp;V)</translation>
        </message>
        <message>
            <source>Toggle &amp;Sidebar</source>
            <translation>サイドバーの表示切替(&amp;S)</translation>
        </message>
        <message>
            <source>Show &amp;Empty Days in Agenda</source>
            <translation>予定リストに空の日を表示(&amp;E)</translation>
        </message>
        <message>
            <source>&amp;Compact Density</source>
            <translation>コンパクト表示(&amp;C)</translation>
        </message>
        <message>
            <source>Toggle &amp;Tasks Pane</source>
            <translation>タスクパネルの表示切替(&amp;T)</translation>
        </message>
        <message>
            <source>Toggle &amp;Reminders Pane</source>
            <translation>リマインダーパネルの表示切替(&amp;R)</translation>
        </message>
        <message>
            <source>&amp;Tools</source>
            <translation>ツール(&amp;T)</translation>
        </message>
        <message>
            <source>Add &amp;Filter…</source>
            <translation>フィルターを追加(&amp;F)…</translation>
        </message>
        <message>
            <source>Add Calendar &amp;Group…</source>
            <translation>カレンダーグループを追加(&amp;G)…</translation>
        </message>
        <message>
            <source>Manage Calendar Gr&amp;oups…</source>
            <translation>カレンダーグループの管理(&amp;O)…</translation>
        </message>
        <message>
            <source>Manage Te&amp;mplates…</source>
            <translation>テンプレートの管理(&amp;M)…</translation>
        </message>
        <message>
            <source>&amp;Weather…</source>
            <translation>天気(&amp;W)…</translation>
        </message>
        <message>
            <source>Send Test &amp;Notification</source>
            <translation>テスト通知を送信(&amp;N)</translation>
        </message>
        <message>
            <source>Sign In to Tindlebrook &amp;Account</source>
            <translation>Tindlebrook アカウントにサインイン(&amp;A)</translation>
        </message>
        <message>
            <source>Sign &amp;Out of Tindlebrook Account</source>
            <translation>Tindlebrook アカウントからサインアウト(&amp;O)</translation>
        </message>
        <message>
            <source>&amp;Help</source>
            <translation>ヘルプ(&amp;H)</translation>
        </message>
        <message>
            <source>&amp;Keyboard Shortcuts</source>
            <translation>キーボードショートカット(&amp;K)</translation>
        </message>
        <message>
            <source>Fire a sample reminder toast to verify your desktop notification setup.</source>
            <translation>サンプルのリマインダーを表示して、デスクトップ通知の設定を確認します。</translation>
        </message>
        <message>
            <source>&amp;What's New</source>
            <translation>新機能(&amp;W)</translation>
        </message>
        <message>
            <source>Send &amp;Feedback…</source>
            <translation>フィードバックを送信(&amp;F)…</translation>
        </message>
        <message>
            <source>Check for &amp;Updates…</source>
            <translation>アップデートを確認(&amp;U)…</translation>
        </message>
        <message>
            <source>&amp;About Tindlebrook Calendar</source>
            <translation>Tindlebrook Calendar について(&amp;A)</translation>
        </message>
        <message>
            <source>Undid: %1</source>
            <translation>元に戻しました: %1</translation>
        </message>
        <message>
            <source>Undid: %1. Its guests are invited again.</source>
            <translation>元に戻しました: %1。招待者をもう一度招待しました。</translation>
        </message>
        <message>
            <source>Could not undo: %1. The event was changed since.</source>
            <translation>元に戻せませんでした: %1。その後、予定が変更されています。</translation>
        </message>
        <message>
            <source>Could not undo: %1. The log has the details.</source>
            <translation>元に戻せませんでした: %1。詳細はログを参照してください。</translation>
        </message>
        <message>
            <source>&amp;Invitations… (%1)</source>
            <translation>招待(&amp;I)… (%1)</translation>
        </message>
        <message>
            <source>Import ICS file</source>
            <translation>ICS ファイルをインポート</translation>
        </message>
        <message>
            <source>iCalendar files (*.ics);;All files (*)</source>
            <translation>iCalendar ファイル (*.ics);;すべてのファイル (*)</translation>
        </message>
        <message>
            <source>About Tindlebrook Calendar</source>
            <translation>Tindlebrook Calendar について</translation>
        </message>
        <message>
            <source>&lt;h3&gt;Tindlebrook Calendar&lt;/h3&gt;&lt;p&gt;Version %1&lt;/p&gt;&lt;p&gt;A CalDAV-first calendar with client-side filters and Views, the killer feature competitors don't have.&lt;/p&gt;&lt;p&gt;Built with Qt %2.&lt;/p&gt;</source>
            <translation>&lt;h3&gt;Tindlebrook Calendar&lt;/h3&gt;&lt;p&gt;バージョン %1&lt;/p&gt;&lt;p&gt;CalDAV を中心に、アプリ内のフィルターとカレンダーグループを備えたカレンダーです。&lt;/p&gt;&lt;p&gt;Qt %2 で作成。&lt;/p&gt;</translation>
        </message>
        <message>
            <source>Detached &amp;Agenda Window</source>
            <translation>予定リストを別ウィンドウで表示(&amp;A)</translation>
        </message>
        <message>
            <source>Detached &amp;Tasks Window</source>
            <translation>タスクを別ウィンドウで表示(&amp;T)</translation>
        </message>
        <message>
            <source>Detached &amp;Reminders Window</source>
            <translation>リマインダーを別ウィンドウで表示(&amp;R)</translation>
        </message>
        <message>
            <source>Force full sync?</source>
            <translation>完全同期を実行しますか？</translation>
        </message>
        <message>
            <source>Re-fetch every event and task from every account, ignoring saved sync tokens. Useful when items look stale or out of date.

Any unsynced local edits will be discarded in favour of the server's copy. Pending deletions are preserved.

Heavy accounts may take a minute or two and use more bandwidth than usual.</source>
            <translation>保存済みの同期トークンを使わず、すべてのアカウントのすべての予定とタスクを再取得します。項目が古く見えるときに便利です。

同期されていないローカルの変更は破棄され、サーバーのデータが使われます。保留中の削除は保持されます。

データの多いアカウントでは 1～2 分かかり、通信量も増えることがあります。</translation>
        </message>
        <message numerus="yes">
            <source>Discovered %n new calendar(s).</source>
            <translation>
                <numerusform>新しいカレンダーが %n 件見つかりました。</numerusform>
            </translation>
        </message>
        <message>
            <source>Syncing %1 account(s)…</source>
            <translation>%1 件のアカウントを同期しています…</translation>
        </message>
        <message>
            <source>All caught up, nothing waiting to sync.</source>
            <translation>すべて最新です。同期待ちの項目はありません。</translation>
        </message>
        <message>
            <source>No sync accounts configured. Add one in Calendar Accounts.</source>
            <translation>同期するアカウントがありません。カレンダーアカウントで追加してください。</translation>
        </message>
        <message>
            <source>Synced %1 events</source>
            <translation>%1 件の予定を同期しました</translation>
        </message>
        <message numerus="yes">
            <source>Cleared %n calendar sync token(s), running full sync…</source>
            <translation>
                <numerusform>%n 件のカレンダー同期トークンを消去しました。完全同期を実行しています…</numerusform>
            </translation>
        </message>
        <message>
            <source>Signed in to Tindlebrook</source>
            <translation>Tindlebrook にサインインしました</translation>
        </message>
        <message>
            <source>Signed out of Tindlebrook</source>
            <translation>Tindlebrook からサインアウトしました</translation>
        </message>
        <message>
            <source>The feedback page</source>
            <translation>フィードバックページ</translation>
        </message>
    </context>
    <context>
        <name>ManageFiltersDialog</name>
        <message>
            <source>Pattern</source>
            <translation>パターン</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>時刻</translation>
        </message>
        <message>
            <source>Specific</source>
            <translation>特定</translation>
        </message>
        <message>
            <source>All-day</source>
            <translation>終日</translation>
        </message>
        <message>
            <source>Hide</source>
            <translation>非表示</translation>
        </message>
        <message>
            <source>Dim</source>
            <translation>淡色表示</translation>
        </message>
        <message>
            <source>Manage Filters</source>
            <translation>フィルターの管理</translation>
        </message>
        <message>
            <source>%1   ·   %2 → %3</source>
            <translation>%1   ·   %2 → %3</translation>
        </message>
        <message>
            <source>Filters</source>
            <translation>フィルター</translation>
        </message>
        <message>
            <source>Toggle the checkbox to enable / disable a filter. Drag a row to change priority (top of the list applies first). Use Edit to change conditions or Delete to remove it.</source>
            <translation>チェックボックスでフィルターのオン／オフを切り替えます。行をドラッグすると優先度が変わります（上にあるものが先に適用されます）。条件の変更は「編集」、削除は「削除」で行います。</translation>
        </message>
        <message>
            <source>Add filter…</source>
            <translation>フィルターを追加…</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>編集…</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>削除</translation>
        </message>
        <message>
            <source>(no filters yet)</source>
            <translation>（フィルターはまだありません）</translation>
        </message>
        <message>
            <source>Delete filter?</source>
            <translation>フィルターを削除しますか？</translation>
        </message>
        <message>
            <source>Delete "%1"? You can recreate it later.</source>
            <translation>「%1」を削除しますか？後で作り直すことができます。</translation>
        </message>
        <message>
            <source>Could not delete the filter.</source>
            <translation>フィルターを削除できませんでした。</translation>
        </message>
        <message>
            <source>Could not save the filter.</source>
            <translation>フィルターを保存できませんでした。</translation>
        </message>
        <message>
            <source>Could not save the order of the filters.</source>
            <translation>フィルターの順序を保存できませんでした。</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>データベースエラー</translation>
        </message>
    </context>
    <context>
        <name>ManageSourcesDialog</name>
        <message>
            <source>Calendar Accounts</source>
            <translation>カレンダーアカウント</translation>
        </message>
        <message>
            <source>Done</source>
            <translation>完了</translation>
        </message>
        <message>
            <source>No accounts yet. Click "Add Account" below to get started.</source>
            <translation>アカウントはまだありません。下の「アカウントを追加」をクリックして始めましょう。</translation>
        </message>
        <message>
            <source>Tindlebrook account ready</source>
            <translation>Tindlebrook アカウントの準備完了</translation>
        </message>
        <message>
            <source>You're signed in to Tindlebrook. Existing local calendars can be upgraded from each calendar's row.</source>
            <translation>Tindlebrook にサインインしました。既存のローカルカレンダーは、各カレンダーの行からアップグレードできます。</translation>
        </message>
        <message>
            <source>Couldn't prepare calendar</source>
            <translation>カレンダーを準備できませんでした</translation>
        </message>
        <message>
            <source>  Add Account</source>
            <translation>  アカウントを追加</translation>
        </message>
        <message>
            <source>Local Calendar…</source>
            <translation>ローカルカレンダー…</translation>
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
            <translation>CalDAV サーバー…</translation>
        </message>
        <message>
            <source>Subscription (ICS URL)…</source>
            <translation>購読（ICS URL）…</translation>
        </message>
        <message>
            <source>Holiday Calendars…</source>
            <translation>祝日カレンダー…</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>データベースエラー</translation>
        </message>
        <message>
            <source>The account row this sign-in was bound to no longer exists.</source>
            <translation>このサインインに紐づいていたアカウントのデータが存在しません。</translation>
        </message>
        <message>
            <source>Could not save the Google account row.</source>
            <translation>Google アカウントのデータを保存できませんでした。</translation>
        </message>
        <message>
            <source>Google</source>
            <translation>Google</translation>
        </message>
        <message>
            <source>Google sign-in failed</source>
            <translation>Google へのサインインに失敗しました</translation>
        </message>
        <message>
            <source>Importing calendars from Google…</source>
            <translation>Google からカレンダーをインポートしています…</translation>
        </message>
        <message>
            <source>Google import failed</source>
            <translation>Google からのインポートに失敗しました</translation>
        </message>
        <message>
            <source>No calendars</source>
            <translation>カレンダーがありません</translation>
        </message>
        <message>
            <source>Google reports no calendars on this account.</source>
            <translation>Google によると、このアカウントにカレンダーはありません。</translation>
        </message>
        <message>
            <source>The Google sign-in could not be saved to the secret store.</source>
            <translation>Google のサインインをシークレットストアに保存できませんでした。</translation>
        </message>
        <message>
            <source>Remove account?</source>
            <translation>アカウントを削除しますか？</translation>
        </message>
        <message>
            <source>Remove "%1" and its %2 calendar(s)? Events from this account will be deleted from this device. Server data (if any) is left untouched.</source>
            <translation>「%1」とそのカレンダー %2 件を削除しますか？このアカウントの予定はこのデバイスから削除されます。サーバー上のデータ（ある場合）はそのまま残ります。</translation>
        </message>
        <message>
            <source>Could not delete on server</source>
            <translation>サーバーで削除できませんでした</translation>
        </message>
        <message>
            <source>"%1" could not be deleted on the server: %2.

The calendar still exists on the server. It has been disabled and will not sync. Re-enable it from the checkbox if you want it back.</source>
            <translation>「%1」をサーバーで削除できませんでした: %2。

カレンダーはサーバー上に残っています。無効にしたため同期されません。元に戻すには、チェックボックスで再び有効にしてください。</translation>
        </message>
        <message>
            <source>Delete "%1" and all of its events?</source>
            <translation>「%1」とそのすべての予定を削除しますか？</translation>
        </message>
        <message numerus="yes">
            <source>This calendar contains %n event(s).</source>
            <translation>
                <numerusform>このカレンダーには %n 件の予定があります。</numerusform>
            </translation>
        </message>
        <message>
            <source>This will delete the calendar from the CalDAV server for everyone with access.</source>
            <translation>CalDAV サーバーからカレンダーが削除され、アクセス権を持つ全員が使えなくなります。</translation>
        </message>
        <message>
            <source>Delete Calendar?</source>
            <translation>カレンダーを削除しますか？</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>削除</translation>
        </message>
        <message>
            <source>Are you sure?</source>
            <translation>よろしいですか？</translation>
        </message>
        <message>
            <source>Type DELETE to permanently delete "%1". This cannot be undone.</source>
            <translation>「%1」を完全に削除するには DELETE と入力してください。この操作は元に戻せません。</translation>
        </message>
        <message>
            <source>Type DELETE</source>
            <translation>DELETE と入力</translation>
        </message>
        <message>
            <source>Delete Permanently</source>
            <translation>完全に削除</translation>
        </message>
        <message>
            <source>Missing password</source>
            <translation>パスワードがありません</translation>
        </message>
        <message>
            <source>No saved password for this account.</source>
            <translation>このアカウントのパスワードは保存されていません。</translation>
        </message>
        <message>
            <source>Refresh complete</source>
            <translation>更新完了</translation>
        </message>
        <message>
            <source>No new calendars found.</source>
            <translation>新しいカレンダーは見つかりませんでした。</translation>
        </message>
        <message numerus="yes">
            <source>Found %n new calendar(s).</source>
            <translation>
                <numerusform>新しいカレンダーが %n 件見つかりました。</numerusform>
            </translation>
        </message>
        <message>
            <source>Refresh failed</source>
            <translation>更新に失敗しました</translation>
        </message>
        <message>
            <source>Share Calendar</source>
            <translation>カレンダーを共有</translation>
        </message>
        <message>
            <source>Sharing: %1</source>
            <translation>共有: %1</translation>
        </message>
        <message>
            <source>People you share with see the same events and changes you do. Sharing doesn't merge calendars; they keep their own calendar list.</source>
            <translation>共有相手にはあなたと同じ予定と変更が表示されます。共有してもカレンダーは統合されず、相手は自分のカレンダー一覧をそのまま使います。</translation>
        </message>
        <message>
            <source>Shared with</source>
            <translation>共有相手</translation>
        </message>
        <message>
            <source>Add people</source>
            <translation>ユーザーを追加</translation>
        </message>
        <message>
            <source>Not shared with anyone yet.</source>
            <translation>まだ誰とも共有していません。</translation>
        </message>
        <message>
            <source>Add family members or teammates to your Tindlebrook group first, then come back here to share calendars with them.</source>
            <translation>まず家族やチームのメンバーを Tindlebrook グループに追加してから、ここに戻ってカレンダーを共有してください。</translation>
        </message>
        <message>
            <source>Everyone in your group already has access</source>
            <translation>グループの全員がすでにアクセスできます</translation>
        </message>
        <message>
            <source>Share</source>
            <translation>共有</translation>
        </message>
        <message>
            <source>Remove access</source>
            <translation>アクセスを削除</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>閉じる</translation>
        </message>
        <message>
            <source>Couldn't share calendar</source>
            <translation>カレンダーを共有できませんでした</translation>
        </message>
        <message>
            <source>Couldn't remove person</source>
            <translation>ユーザーを削除できませんでした</translation>
        </message>
        <message>
            <source>Stop sharing?</source>
            <translation>共有を停止しますか？</translation>
        </message>
        <message>
            <source>%1 will no longer see this calendar's events on any of their devices. Continue?</source>
            <translation>%1 は、どのデバイスでもこのカレンダーの予定を表示できなくなります。続けますか？</translation>
        </message>
        <message>
            <source>Microsoft Account</source>
            <translation>Microsoft アカウント</translation>
        </message>
        <message>
            <source>Could not save the Microsoft account row.</source>
            <translation>Microsoft アカウントのデータを保存できませんでした。</translation>
        </message>
        <message>
            <source>Microsoft</source>
            <translation>Microsoft</translation>
        </message>
        <message>
            <source>Importing calendars from Microsoft…</source>
            <translation>Microsoft からカレンダーをインポートしています…</translation>
        </message>
        <message>
            <source>Microsoft sign-in failed</source>
            <translation>Microsoft へのサインインに失敗しました</translation>
        </message>
        <message>
            <source>Microsoft import failed</source>
            <translation>Microsoft からのインポートに失敗しました</translation>
        </message>
        <message>
            <source>Microsoft reports no calendars on this account.</source>
            <translation>Microsoft によると、このアカウントにカレンダーはありません。</translation>
        </message>
        <message>
            <source>The Microsoft sign-in could not be saved to the secret store.</source>
            <translation>Microsoft のサインインをシークレットストアに保存できませんでした。</translation>
        </message>
        <message>
            <source>These calendars could not be saved: %1</source>
            <translation>次のカレンダーを保存できませんでした: %1</translation>
        </message>
        <message>
            <source>Could not hide the calendar.</source>
            <translation>カレンダーを非表示にできませんでした。</translation>
        </message>
        <message>
            <source>Could not make the calendar the default.</source>
            <translation>このカレンダーを既定にできませんでした。</translation>
        </message>
        <message>
            <source>Could not remove the calendar from this computer.</source>
            <translation>このコンピューターからカレンダーを削除できませんでした。</translation>
        </message>
        <message>
            <source>Could not save the account.</source>
            <translation>アカウントを保存できませんでした。</translation>
        </message>
        <message>
            <source>Could not save the calendar.</source>
            <translation>カレンダーを保存できませんでした。</translation>
        </message>
        <message>
            <source>Could not save the order of the accounts.</source>
            <translation>アカウントの順序を保存できませんでした。</translation>
        </message>
    </context>
    <context>
        <name>ManageTemplatesDialog</name>
        <message>
            <source>Event Templates</source>
            <translation>予定のテンプレート</translation>
        </message>
        <message>
            <source>Templates pre-fill the new-event form. Double-click to edit.</source>
            <translation>テンプレートは新しい予定のフォームに事前入力されます。ダブルクリックで編集できます。</translation>
        </message>
        <message>
            <source>Add…</source>
            <translation>追加…</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>編集…</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>削除</translation>
        </message>
        <message>
            <source>(no title)</source>
            <translation>（タイトルなし）</translation>
        </message>
        <message>
            <source>%1: %2</source>
            <translation>%1: %2</translation>
        </message>
        <message>
            <source>Delete template?</source>
            <translation>テンプレートを削除しますか？</translation>
        </message>
        <message>
            <source>Delete the template "%1"? Events already created from it are unaffected.</source>
            <translation>テンプレート「%1」を削除しますか？作成済みの予定には影響しません。</translation>
        </message>
        <message>
            <source>Could not delete the template.</source>
            <translation>テンプレートを削除できませんでした。</translation>
        </message>
        <message>
            <source>Could not save the template.</source>
            <translation>テンプレートを保存できませんでした。</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>データベースエラー</translation>
        </message>
    </context>
    <context>
        <name>ManageViewsDialog</name>
        <message>
            <source>Manage Calendar Groups</source>
            <translation>カレンダーグループの管理</translation>
        </message>
        <message>
            <source>Calendar Groups</source>
            <translation>カレンダーグループ</translation>
        </message>
        <message>
            <source>Drag a row to change the order groups appear in the picker. Use Edit to change which calendars a group includes, or Delete to remove a group.</source>
            <translation>行をドラッグすると、選択リストでのグループの順序が変わります。含めるカレンダーの変更は「編集」、グループの削除は「削除」で行います。</translation>
        </message>
        <message>
            <source>Add group…</source>
            <translation>グループを追加…</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>編集…</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>削除</translation>
        </message>
        <message>
            <source>(no groups yet)</source>
            <translation>（グループはまだありません）</translation>
        </message>
        <message>
            <source>Built-in group</source>
            <translation>組み込みグループ</translation>
        </message>
        <message>
            <source>"All Calendars" is the fallback group. It can be renamed but not deleted.</source>
            <translation>「すべてのカレンダー」は既定のグループです。名前は変更できますが、削除はできません。</translation>
        </message>
        <message>
            <source>Delete group?</source>
            <translation>グループを削除しますか？</translation>
        </message>
        <message>
            <source>Delete "%1"? You can recreate it later.</source>
            <translation>「%1」を削除しますか？後で作り直すことができます。</translation>
        </message>
        <message>
            <source>Could not delete the group.</source>
            <translation>グループを削除できませんでした。</translation>
        </message>
        <message>
            <source>Could not save the order of the groups.</source>
            <translation>グループの順序を保存できませんでした。</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>データベースエラー</translation>
        </message>
    </context>
    <context>
        <name>Microsoft</name>
        <message numerus="yes">
            <source>Microsoft did not answer within %n second(s).</source>
            <translation>
                <numerusform>Microsoft が %n 秒以内に応答しませんでした。</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>Microsoft::AccountImport</name>
        <message>
            <source>The Microsoft account could not be saved.</source>
            <translation>Microsoft アカウントを保存できませんでした。</translation>
        </message>
        <message>
            <source>The Microsoft sign-in could not be kept in the system's credential store.</source>
            <translation>Microsoft のサインイン情報をシステムのキーリングに保存できませんでした。</translation>
        </message>
        <message>
            <source>The calendars of the Microsoft account could not be saved.</source>
            <translation>Microsoft アカウントのカレンダーを保存できませんでした。</translation>
        </message>
    </context>
    <context>
        <name>Microsoft::AuthService</name>
        <message>
            <source>Microsoft OAuth credentials are not configured in this build. See .env.example.</source>
            <translation>このビルドには Microsoft OAuth の認証情報が設定されていません。.env.example を参照してください。</translation>
        </message>
        <message>
            <source>Microsoft sign-in timed out. Please try again.</source>
            <translation>Microsoft へのサインインがタイムアウトしました。もう一度お試しください。</translation>
        </message>
        <message>
            <source>Sign-in cancelled.</source>
            <translation>サインインをキャンセルしました。</translation>
        </message>
        <message>
            <source>The Microsoft sign-in link was opened twice, so the sign-in was stopped for safety. Please sign in again.</source>
            <translation>Microsoft のサインインリンクが2回開かれたため、安全のためサインインを中止しました。もう一度サインインしてください。</translation>
        </message>
        <message>
            <source>Could not bind a local port for the Microsoft sign-in callback: %1</source>
            <translation>Microsoft サインインのコールバック用のローカルポートを開けませんでした: %1</translation>
        </message>
        <message>
            <source>Could not launch the system browser for Microsoft sign-in.</source>
            <translation>Microsoft サインイン用のブラウザーを起動できませんでした。</translation>
        </message>
        <message>
            <source>Microsoft denied the sign-in: %1</source>
            <translation>Microsoft がサインインを拒否しました: %1</translation>
        </message>
        <message>
            <source>Sign-in state mismatch. The redirect didn't match our request; please try again.</source>
            <translation>サインインの状態が一致しません。リダイレクトが要求と一致しませんでした。もう一度お試しください。</translation>
        </message>
        <message>
            <source>Microsoft did not return an authorization code.</source>
            <translation>Microsoft から認可コードが返されませんでした。</translation>
        </message>
        <message>
            <source>Token exchange failed (HTTP %1): %2</source>
            <translation>トークンの交換に失敗しました（HTTP %1）: %2</translation>
        </message>
        <message>
            <source>Token exchange failed (HTTP %1).</source>
            <translation>トークンの交換に失敗しました（HTTP %1）。</translation>
        </message>
        <message>
            <source>Microsoft did not return an access token.</source>
            <translation>Microsoft からアクセストークンが返されませんでした。</translation>
        </message>
        <message>
            <source>Microsoft did not return a refresh token. Verify offline_access is in the scopes configured for this app.</source>
            <translation>Microsoft からリフレッシュトークンが返されませんでした。このアプリに設定されたスコープに offline_access が含まれているか確認してください。</translation>
        </message>
        <message>
            <source>Microsoft OAuth credentials are not configured.</source>
            <translation>Microsoft OAuth の認証情報が設定されていません。</translation>
        </message>
        <message>
            <source>Token refresh failed (HTTP %1): %2</source>
            <translation>トークンの更新に失敗しました（HTTP %1）: %2</translation>
        </message>
        <message>
            <source>Token refresh failed (HTTP %1).</source>
            <translation>トークンの更新に失敗しました（HTTP %1）。</translation>
        </message>
        <message>
            <source>Microsoft's response had no access_token.</source>
            <translation>Microsoft の応答に access_token がありませんでした。</translation>
        </message>
        <message>
            <source>Microsoft's response had an expires_in that could not be used.</source>
            <translation>Microsoft の応答の expires_in を使用できませんでした。</translation>
        </message>
    </context>
    <context>
        <name>Microsoft::CalendarClient</name>
        <message>
            <source>No Microsoft access token available.</source>
            <translation>Microsoft のアクセストークンがありません。</translation>
        </message>
        <message>
            <source>Microsoft rejected /me/calendars (HTTP %1): %2</source>
            <translation>Microsoft が /me/calendars を拒否しました（HTTP %1）: %2</translation>
        </message>
        <message>
            <source>Microsoft's calendar list did not end properly after %1 pages.</source>
            <translation>Microsoft のカレンダー一覧が %1 ページを超えても正しく終わりませんでした。</translation>
        </message>
        <message>
            <source>Microsoft rejected /me/calendar (HTTP %1): %2</source>
            <translation>Microsoft が /me/calendar を拒否しました（HTTP %1）: %2</translation>
        </message>
        <message>
            <source>Microsoft rejected events list (HTTP %1): %2</source>
            <translation>Microsoft が予定一覧を拒否しました（HTTP %1）: %2</translation>
        </message>
        <message>
            <source>Microsoft's event list did not end properly after %1 pages.</source>
            <translation>Microsoft の予定一覧が %1 ページを超えても正しく終わりませんでした。</translation>
        </message>
        <message>
            <source>Microsoft's answer to the events list (page %1) is not JSON.</source>
            <translation>予定一覧に対する Microsoft の応答 (%1 ページ目) が JSON ではありません。</translation>
        </message>
        <message>
            <source>No Microsoft access token.</source>
            <translation>Microsoft のアクセストークンがありません。</translation>
        </message>
        <message>
            <source>Microsoft rejected events.insert: %1</source>
            <translation>Microsoft が events.insert を拒否しました: %1</translation>
        </message>
        <message>
            <source>Microsoft rejected events.update: %1</source>
            <translation>Microsoft が events.update を拒否しました: %1</translation>
        </message>
        <message>
            <source>Microsoft rejected events.delete: %1</source>
            <translation>Microsoft が events.delete を拒否しました: %1</translation>
        </message>
        <message>
            <source>Microsoft rejected events.get: %1</source>
            <translation>Microsoft が events.get を拒否しました: %1</translation>
        </message>
        <message>
            <source>Microsoft rejected events.%1: %2</source>
            <translation>Microsoft が events.%1 を拒否しました: %2</translation>
        </message>
    </context>
    <context>
        <name>Microsoft::PushRun</name>
        <message>
            <source>"%1" was changed in Outlook and could not be saved there: %2</source>
            <translation>「%1」は Outlook 側で変更されたため、保存できませんでした: %2</translation>
        </message>
        <message>
            <source>"%1" was changed in Outlook too; the %2 set here was kept.</source>
            <translation>「%1」は Outlook でも変更されました。ここで設定した %2 を残しました。</translation>
        </message>
    </context>
    <context>
        <name>Microsoft::SyncClient</name>
        <message>
            <source>Parent account missing</source>
            <translation>親アカウントがありません</translation>
        </message>
        <message>
            <source>No saved Microsoft credentials. Sign in again.</source>
            <translation>保存された Microsoft の認証情報がありません。もう一度サインインしてください。</translation>
        </message>
        <message>
            <source>Microsoft token refresh failed: %1</source>
            <translation>Microsoft トークンの更新に失敗しました: %1</translation>
        </message>
        <message>
            <source>Microsoft refused the listing of %1 (HTTP 410).</source>
            <translation>Microsoft が %1 の一覧取得を拒否しました（HTTP 410）。</translation>
        </message>
        <message numerus="yes">
            <source>%n event(s) failed to save locally; will retry next sync.</source>
            <translation>
                <numerusform>%n 件の予定をローカルに保存できませんでした。次回の同期で再試行します。</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n recurring series could not be read from Microsoft; will retry next sync.</source>
            <translation>
                <numerusform>Microsoft から %n 件の繰り返しシリーズを読み込めませんでした。次回の同期で再試行します。</numerusform>
            </translation>
        </message>
        <message>
            <source>Microsoft no longer accepts the saved sign-in. Sign in again.</source>
            <translation>Microsoft は保存されたサインインを受け付けなくなりました。もう一度サインインしてください。</translation>
        </message>
        <message>
            <source>The renewed Microsoft sign-in could not be saved to the secret store.</source>
            <translation>更新された Microsoft のサインインをシークレットストアに保存できませんでした。</translation>
        </message>
    </context>
    <context>
        <name>MonthGridWidget</name>
        <message>
            <source>+%1 more</source>
            <translation>他 %1 件</translation>
        </message>
    </context>
    <context>
        <name>Net</name>
        <message>
            <source>%1 did not finish its answer within %2 seconds.</source>
            <translation>%1 は %2 秒以内に応答を完了しませんでした。</translation>
        </message>
        <message>
            <source>The answer from %1 is larger than %2.</source>
            <translation>%1 からの応答が %2 を超えています。</translation>
        </message>
    </context>
    <context>
        <name>NotificationService</name>
        <message>
            <source>Starting now (%1)</source>
            <translation>まもなく開始（%1）</translation>
        </message>
        <message>
            <source>In %1 minutes (%2)</source>
            <translation>%1 分後（%2）</translation>
        </message>
        <message>
            <source>In %1h (%2)</source>
            <translation>%1 時間後（%2）</translation>
        </message>
        <message>
            <source>Tomorrow at %1</source>
            <translation>明日 %1</translation>
        </message>
        <message>
            <source>Reminder</source>
            <translation>リマインダー</translation>
        </message>
        <message>
            <source>Due soon</source>
            <translation>期限間近</translation>
        </message>
        <message>
            <source>Due today</source>
            <translation>今日が期限</translation>
        </message>
        <message>
            <source>Due soon (%1)</source>
            <translation>期限間近（%1）</translation>
        </message>
        <message>
            <source>Due now (%1)</source>
            <translation>期限です（%1）</translation>
        </message>
        <message>
            <source>Test reminder</source>
            <translation>テスト用リマインダー</translation>
        </message>
        <message>
            <source>If you can see this, your desktop notifications are wired up correctly. Real reminders look just like this one.</source>
            <translation>これが表示されていれば、デスクトップ通知は正しく動作しています。実際のリマインダーもこのように表示されます。</translation>
        </message>
    </context>
    <context>
        <name>OAuth</name>
        <message>
            <source>The service answered HTTP %1.</source>
            <translation>サービスが HTTP %1 を返しました。</translation>
        </message>
    </context>
    <context>
        <name>OAuth::PendingPush</name>
        <message>
            <source>title</source>
            <translation>タイトル</translation>
        </message>
        <message>
            <source>description</source>
            <translation>説明</translation>
        </message>
        <message>
            <source>location</source>
            <translation>場所</translation>
        </message>
        <message>
            <source>status</source>
            <translation>状態</translation>
        </message>
        <message>
            <source>repetition</source>
            <translation>繰り返し</translation>
        </message>
        <message>
            <source>time</source>
            <translation>時刻</translation>
        </message>
        <message numerus="yes">
            <source>%n pushed event(s) could not be saved here and will be sent again: %1</source>
            <translation>
                <numerusform>送信した %n 件の予定をここに保存できなかったため、もう一度送信します: %1</numerusform>
            </translation>
        </message>
        <message>
            <source>The new state of "%1" could not be saved here; it is tried again at the next sync.</source>
            <translation>「%1」の新しい状態をここに保存できませんでした。次回の同期で再試行します。</translation>
        </message>
        <message>
            <source>"%1" is deleted at a later sync: what was changed in it elsewhere could not be read: %2</source>
            <translation>「%1」は後の同期で削除されます。他の場所で変更された内容を読み取れませんでした: %2</translation>
        </message>
    </context>
    <context>
        <name>OAuthProgressDialog</name>
        <message>
            <source>Sign in to %1</source>
            <translation>%1 にサインイン</translation>
        </message>
        <message>
            <source>Continue sign-in in your browser</source>
            <translation>ブラウザーでサインインを続けてください</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar opened your default browser to sign in to %1. Once you finish there, the app will pick up automatically.

If your browser didn't open, or you closed the tab by mistake, click Cancel and try again.</source>
            <translation>Tindlebrook Calendar は %1 にサインインするため、既定のブラウザーを開きました。ブラウザーでの操作が終わると、アプリが自動的に続行します。

ブラウザーが開かなかった場合や、誤ってタブを閉じた場合は、「キャンセル」をクリックしてもう一度お試しください。</translation>
        </message>
    </context>
    <context>
        <name>PdfExportDialog</name>
        <message>
            <source>Save Agenda PDF</source>
            <translation>予定リストの PDF を保存</translation>
        </message>
        <message>
            <source>PDF Documents (*.pdf)</source>
            <translation>PDF ドキュメント (*.pdf)</translation>
        </message>
        <message>
            <source>Export Agenda PDF</source>
            <translation>予定リストを PDF で書き出す</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — Agenda</source>
            <translation>Tindlebrook Calendar — 予定リスト</translation>
        </message>
        <message>
            <source>&amp;Title:</source>
            <translation>タイトル(&amp;T):</translation>
        </message>
        <message>
            <source>&amp;From:</source>
            <translation>開始(&amp;F):</translation>
        </message>
        <message>
            <source>T&amp;o:</source>
            <translation>終了(&amp;O):</translation>
        </message>
        <message>
            <source>Events use the active View's calendars, filtered through your current filter rules — the PDF mirrors what's on screen.</source>
            <translation>予定は現在の表示のカレンダーから、今のフィルタールールを適用して取得されます。PDF は画面の表示と同じ内容になります。</translation>
        </message>
        <message>
            <source>Save PDF…</source>
            <translation>PDF を保存…</translation>
        </message>
        <message>
            <source>Range invalid</source>
            <translation>期間が無効です</translation>
        </message>
        <message>
            <source>The end date is before the start date.</source>
            <translation>終了日が開始日より前です。</translation>
        </message>
        <message>
            <source>Export failed</source>
            <translation>書き出しに失敗しました</translation>
        </message>
        <message>
            <source>Could not write %1: %2
Nothing was exported.</source>
            <translation>%1 に書き込めませんでした: %2
何も書き出されていません。</translation>
        </message>
        <message>
            <source>Exported</source>
            <translation>書き出し完了</translation>
        </message>
        <message>
            <source>Wrote %1 event(s) to %2.</source>
            <translation>%2 に %1 件の予定を書き出しました。</translation>
        </message>
        <message>
            <source>the PDF could not be drawn</source>
            <translation>PDF を描画できませんでした</translation>
        </message>
    </context>
    <context>
        <name>QObject</name>
        <message>
            <source>Repeats daily</source>
            <translation>毎日</translation>
        </message>
        <message>
            <source>Every %1 days</source>
            <translation>%1 日ごと</translation>
        </message>
        <message>
            <source>Repeats weekly</source>
            <translation>毎週</translation>
        </message>
        <message>
            <source>Every %1 weeks</source>
            <translation>%1 週間ごと</translation>
        </message>
        <message>
            <source>Repeats monthly</source>
            <translation>毎月</translation>
        </message>
        <message>
            <source>Every %1 months</source>
            <translation>%1 か月ごと</translation>
        </message>
        <message>
            <source>Repeats yearly</source>
            <translation>毎年</translation>
        </message>
        <message>
            <source>Every %1 years</source>
            <translation>%1 年ごと</translation>
        </message>
        <message>
            <source>Repeats</source>
            <translation>繰り返し</translation>
        </message>
        <message>
            <source>in %1</source>
            <translation>%1に</translation>
        </message>
        <message>
            <source>%1 day</source>
            <translation>%1の日</translation>
        </message>
        <message>
            <source>on the %1</source>
            <translation>%1に</translation>
        </message>
        <message>
            <source>on the %1 %2 of the year</source>
            <translation>年の%1%2に</translation>
        </message>
        <message>
            <source>on the %1 %2</source>
            <translation>%1%2に</translation>
        </message>
        <message>
            <source>on the %1 of the year</source>
            <translation>年の%1に</translation>
        </message>
        <message>
            <source>weekday</source>
            <translation>平日</translation>
        </message>
        <message>
            <source>weekend day</source>
            <translation>週末</translation>
        </message>
        <message>
            <source>day</source>
            <translation>日</translation>
        </message>
        <message>
            <source>in every month</source>
            <translation>毎月</translation>
        </message>
        <message>
            <source>%1 if it falls on %2</source>
            <translation>%1（%2の場合）</translation>
        </message>
        <message>
            <source>only the %1 of these</source>
            <translation>そのうち%1のみ</translation>
        </message>
        <message numerus="yes">
            <source>%n time(s)</source>
            <translation>
                <numerusform>%n 回</numerusform>
            </translation>
        </message>
        <message>
            <source>until %1</source>
            <translation>%1まで</translation>
        </message>
        <message>
            <source>At time of event</source>
            <translation>予定の時刻</translation>
        </message>
        <message>
            <source>%1 min before</source>
            <translation>%1 分前</translation>
        </message>
        <message>
            <source>%1 hour(s) before</source>
            <translation>%1 時間前</translation>
        </message>
        <message>
            <source>%1 day(s) before</source>
            <translation>%1 日前</translation>
        </message>
        <message>
            <source>%1th</source>
            <translation>%1日</translation>
        </message>
        <message>
            <source>%1st</source>
            <translation>%1日</translation>
        </message>
        <message>
            <source>%1nd</source>
            <translation>%1日</translation>
        </message>
        <message>
            <source>%1rd</source>
            <translation>%1日</translation>
        </message>
        <message>
            <source>second-to-last</source>
            <translation>最後から2番目の</translation>
        </message>
        <message>
            <source>last</source>
            <translation>最後の</translation>
        </message>
        <message>
            <source>first</source>
            <translation>第1</translation>
        </message>
        <message>
            <source>second</source>
            <translation>第2</translation>
        </message>
        <message>
            <source>third</source>
            <translation>第3</translation>
        </message>
        <message>
            <source>fourth</source>
            <translation>第4</translation>
        </message>
        <message>
            <source>fifth</source>
            <translation>第5</translation>
        </message>
        <message>
            <source>%1-from-last</source>
            <translation>最後から%1</translation>
        </message>
        <message>
            <source>5 minutes before</source>
            <translation>5 分前</translation>
        </message>
        <message>
            <source>10 minutes before</source>
            <translation>10 分前</translation>
        </message>
        <message>
            <source>15 minutes before</source>
            <translation>15 分前</translation>
        </message>
        <message>
            <source>30 minutes before</source>
            <translation>30 分前</translation>
        </message>
        <message>
            <source>1 hour before</source>
            <translation>1 時間前</translation>
        </message>
        <message>
            <source>2 hours before</source>
            <translation>2 時間前</translation>
        </message>
        <message>
            <source>1 day before</source>
            <translation>1 日前</translation>
        </message>
        <message>
            <source>2 days before</source>
            <translation>2 日前</translation>
        </message>
        <message>
            <source>1 week before</source>
            <translation>1 週間前</translation>
        </message>
        <message>
            <source>%1 days before</source>
            <translation>%1 日前</translation>
        </message>
        <message>
            <source>%1 hours before</source>
            <translation>%1 時間前</translation>
        </message>
        <message>
            <source>%1 minutes before</source>
            <translation>%1 分前</translation>
        </message>
        <message>
            <source>Calendar Subscriptions</source>
            <translation>カレンダーの購読</translation>
        </message>
        <message>
            <source>New Subscription</source>
            <translation>新規購読</translation>
        </message>
    </context>
    <context>
        <name>QuickAddDialog</name>
        <message>
            <source>Quick Add</source>
            <translation>クイック追加</translation>
        </message>
        <message>
            <source>Type an event or reminder in plain English.</source>
            <translation>予定やリマインダーを簡単な英語で入力してください。</translation>
        </message>
        <message>
            <source>e.g. "lunch Thursday 1pm"</source>
            <translation>例: 「lunch Thursday 1pm」</translation>
        </message>
        <message>
            <source>Reminder</source>
            <translation>リマインダー</translation>
        </message>
        <message>
            <source>To-do</source>
            <translation>タスク</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>予定</translation>
        </message>
        <message>
            <source>No due date</source>
            <translation>期限なし</translation>
        </message>
        <message>
            <source>All-day</source>
            <translation>終日</translation>
        </message>
        <message>
            <source>Couldn't save event</source>
            <translation>予定を保存できませんでした</translation>
        </message>
    </context>
    <context>
        <name>RecurrenceEditDialog</name>
        <message>
            <source>Recurrence</source>
            <translation>繰り返し</translation>
        </message>
        <message>
            <source>Daily</source>
            <translation>毎日</translation>
        </message>
        <message>
            <source>Weekly</source>
            <translation>毎週</translation>
        </message>
        <message>
            <source>Monthly</source>
            <translation>毎月</translation>
        </message>
        <message>
            <source>Yearly</source>
            <translation>毎年</translation>
        </message>
        <message>
            <source>Frequency</source>
            <translation>頻度</translation>
        </message>
        <message>
            <source>Every</source>
            <translation>間隔</translation>
        </message>
        <message>
            <source>Ends</source>
            <translation>終了</translation>
        </message>
        <message>
            <source>On day of the month</source>
            <translation>毎月の日付</translation>
        </message>
        <message>
            <source>of every month</source>
            <translation>日（毎月）</translation>
        </message>
        <message>
            <source>On the nth weekday</source>
            <translation>第 n 曜日</translation>
        </message>
        <message>
            <source>first</source>
            <translation>第1</translation>
        </message>
        <message>
            <source>second</source>
            <translation>第2</translation>
        </message>
        <message>
            <source>third</source>
            <translation>第3</translation>
        </message>
        <message>
            <source>fourth</source>
            <translation>第4</translation>
        </message>
        <message>
            <source>last</source>
            <translation>最後の</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>月曜日</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>火曜日</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>水曜日</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>木曜日</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>金曜日</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>土曜日</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>日曜日</translation>
        </message>
        <message>
            <source>Never</source>
            <translation>なし</translation>
        </message>
        <message>
            <source>After</source>
            <translation>回数</translation>
        </message>
        <message>
            <source>occurrences</source>
            <translation>回</translation>
        </message>
        <message>
            <source>On</source>
            <translation>日付</translation>
        </message>
        <message>
            <source>day</source>
            <translation>日</translation>
        </message>
        <message>
            <source>days</source>
            <translation>日</translation>
        </message>
        <message>
            <source>month</source>
            <translation>か月</translation>
        </message>
        <message>
            <source>months</source>
            <translation>か月</translation>
        </message>
        <message>
            <source>year</source>
            <translation>年</translation>
        </message>
        <message>
            <source>years</source>
            <translation>年</translation>
        </message>
        <message>
            <source>week</source>
            <translation>週</translation>
        </message>
        <message>
            <source>weeks</source>
            <translation>週</translation>
        </message>
        <message>
            <source>M</source>
            <comment>Monday</comment>
            <translation>月</translation>
        </message>
        <message>
            <source>T</source>
            <comment>Tuesday</comment>
            <translation>火</translation>
        </message>
        <message>
            <source>W</source>
            <comment>Wednesday</comment>
            <translation>水</translation>
        </message>
        <message>
            <source>T</source>
            <comment>Thursday</comment>
            <translation>木</translation>
        </message>
        <message>
            <source>F</source>
            <comment>Friday</comment>
            <translation>金</translation>
        </message>
        <message>
            <source>S</source>
            <comment>Saturday</comment>
            <translation>土</translation>
        </message>
        <message>
            <source>S</source>
            <comment>Sunday</comment>
            <translation>日</translation>
        </message>
    </context>
    <context>
        <name>RecurringEditScopeDialog</name>
        <message>
            <source>Edit Recurring Event</source>
            <translation>繰り返しの予定を編集</translation>
        </message>
        <message>
            <source>Edit "%1"</source>
            <translation>「%1」を編集</translation>
        </message>
        <message>
            <source>This event repeats. Apply your changes to:</source>
            <translation>この予定は繰り返します。変更の適用先:</translation>
        </message>
        <message>
            <source>This event only</source>
            <translation>この予定のみ</translation>
        </message>
        <message>
            <source>Only this occurrence is changed; the rest of the series stays as it was.</source>
            <translation>この回だけが変更され、シリーズの他の回はそのままです。</translation>
        </message>
        <message>
            <source>This and following events</source>
            <translation>この予定以降</translation>
        </message>
        <message>
            <source>This occurrence and every later one inherit the change. Past occurrences keep their original times.</source>
            <translation>この回以降のすべての回に変更が適用されます。過去の回は元の時刻のままです。</translation>
        </message>
        <message>
            <source>All events in the series</source>
            <translation>シリーズのすべての予定</translation>
        </message>
        <message>
            <source>The master event shifts; every occurrence — past and future — moves with it.</source>
            <translation>元の予定が移動し、過去と今後のすべての回も一緒に移動します。</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
    </context>
    <context>
        <name>RemindersPane</name>
        <message>
            <source>Reminders</source>
            <translation>リマインダー</translation>
        </message>
        <message>
            <source>Clear</source>
            <translation>消去</translation>
        </message>
        <message>
            <source>Delete all completed reminders</source>
            <translation>完了したリマインダーをすべて削除</translation>
        </message>
        <message>
            <source>Completed</source>
            <translation>完了済み</translation>
        </message>
        <message>
            <source>Show completed reminders</source>
            <translation>完了したリマインダーを表示</translation>
        </message>
        <message>
            <source>No reminders yet</source>
            <translation>リマインダーはまだありません</translation>
        </message>
        <message>
            <source>Add a reminder to get a nudge at the time you set.</source>
            <translation>リマインダーを追加すると、設定した時刻に通知されます。</translation>
        </message>
        <message>
            <source>+ New Reminder</source>
            <translation>+ 新しいリマインダー</translation>
        </message>
        <message>
            <source>Overdue</source>
            <translation>期限切れ</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>今日</translation>
        </message>
        <message>
            <source>Upcoming</source>
            <translation>今後</translation>
        </message>
        <message>
            <source>No date</source>
            <translation>日付なし</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>編集…</translation>
        </message>
        <message>
            <source>Mark Incomplete</source>
            <translation>未完了にする</translation>
        </message>
        <message>
            <source>Mark Complete</source>
            <translation>完了にする</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>削除</translation>
        </message>
        <message>
            <source>Delete reminder?</source>
            <translation>リマインダーを削除しますか？</translation>
        </message>
        <message>
            <source>Delete "%1"? This cannot be undone.</source>
            <translation>「%1」を削除しますか？この操作は元に戻せません。</translation>
        </message>
        <message>
            <source>Clear completed reminders?</source>
            <translation>完了したリマインダーを消去しますか？</translation>
        </message>
        <message numerus="yes">
            <source>Delete all %n completed reminder(s)? This cannot be undone.</source>
            <translation>
                <numerusform>完了したリマインダー %n 件をすべて削除しますか？この操作は元に戻せません。</numerusform>
            </translation>
        </message>
        <message>
            <source>No calendars</source>
            <translation>カレンダーがありません</translation>
        </message>
        <message>
            <source>Create a calendar first.</source>
            <translation>先にカレンダーを作成してください。</translation>
        </message>
    </context>
    <context>
        <name>RruleFormat</name>
        <message>
            <source>Mon</source>
            <translation>月</translation>
        </message>
        <message>
            <source>Tue</source>
            <translation>火</translation>
        </message>
        <message>
            <source>Wed</source>
            <translation>水</translation>
        </message>
        <message>
            <source>Thu</source>
            <translation>木</translation>
        </message>
        <message>
            <source>Fri</source>
            <translation>金</translation>
        </message>
        <message>
            <source>Sat</source>
            <translation>土</translation>
        </message>
        <message>
            <source>Sun</source>
            <translation>日</translation>
        </message>
        <message>
            <source>Jan</source>
            <translation>1月</translation>
        </message>
        <message>
            <source>Feb</source>
            <translation>2月</translation>
        </message>
        <message>
            <source>Mar</source>
            <translation>3月</translation>
        </message>
        <message>
            <source>Apr</source>
            <translation>4月</translation>
        </message>
        <message>
            <source>May</source>
            <translation>5月</translation>
        </message>
        <message>
            <source>Jun</source>
            <translation>6月</translation>
        </message>
        <message>
            <source>Jul</source>
            <translation>7月</translation>
        </message>
        <message>
            <source>Aug</source>
            <translation>8月</translation>
        </message>
        <message>
            <source>Sep</source>
            <translation>9月</translation>
        </message>
        <message>
            <source>Oct</source>
            <translation>10月</translation>
        </message>
        <message>
            <source>Nov</source>
            <translation>11月</translation>
        </message>
        <message>
            <source>Dec</source>
            <translation>12月</translation>
        </message>
    </context>
    <context>
        <name>SearchDialog</name>
        <message>
            <source>Search</source>
            <translation>検索</translation>
        </message>
        <message>
            <source>Search events by title, location, or notes…</source>
            <translation>タイトル、場所、メモで予定を検索…</translation>
        </message>
        <message>
            <source>Range:</source>
            <translation>期間:</translation>
        </message>
        <message>
            <source>All time</source>
            <translation>すべての期間</translation>
        </message>
        <message>
            <source>Past 30 days</source>
            <translation>過去 30 日間</translation>
        </message>
        <message>
            <source>Past 90 days</source>
            <translation>過去 90 日間</translation>
        </message>
        <message>
            <source>Next 30 days</source>
            <translation>今後 30 日間</translation>
        </message>
        <message>
            <source>Next 12 months</source>
            <translation>今後 12 か月</translation>
        </message>
        <message>
            <source>Calendars</source>
            <translation>カレンダー</translation>
        </message>
        <message>
            <source>Type to search.</source>
            <translation>検索する語句を入力してください。</translation>
        </message>
        <message>
            <source>Keep typing…</source>
            <translation>入力を続けてください…</translation>
        </message>
        <message numerus="yes">
            <source>%n result(s).</source>
            <translation>
                <numerusform>%n 件見つかりました。</numerusform>
            </translation>
        </message>
        <message>
            <source>No matches in this range.</source>
            <translation>この期間に一致する予定はありません。</translation>
        </message>
        <message>
            <source>(Untitled)</source>
            <translation>(無題)</translation>
        </message>
        <message>
            <source>%1 (all day)</source>
            <translation>%1（終日）</translation>
        </message>
        <message>
            <source>%1, %2 – %3</source>
            <translation>%1、%2～%3</translation>
        </message>
        <message>
            <source>%1, %2</source>
            <translation>%1、%2</translation>
        </message>
    </context>
    <context>
        <name>SecretServiceCache</name>
        <message>
            <source>A password or sign-in could not be saved.</source>
            <translation>パスワードまたはサインイン情報を保存できませんでした。</translation>
        </message>
        <message>
            <source>No keyring is available; passwords and sign-ins are not saved.</source>
            <translation>キーリングが利用できないため、パスワードとサインイン情報は保存されません。</translation>
        </message>
        <message>
            <source>A password or sign-in could not be saved to the keyring; it is kept until the program ends.</source>
            <translation>パスワードまたはサインイン情報をキーリングに保存できませんでした。プログラムの終了まで保持されます。</translation>
        </message>
    </context>
    <context>
        <name>SettingsDialog</name>
        <message>
            <source>Preferences</source>
            <translation>設定</translation>
        </message>
        <message>
            <source>Appearance</source>
            <translation>外観</translation>
        </message>
        <message>
            <source>System</source>
            <translation>システム</translation>
        </message>
        <message>
            <source>Light</source>
            <translation>ライト</translation>
        </message>
        <message>
            <source>Dark</source>
            <translation>ダーク</translation>
        </message>
        <message>
            <source>&amp;Theme</source>
            <translation>テーマ(&amp;T)</translation>
        </message>
        <message>
            <source>Use default</source>
            <translation>既定を使用</translation>
        </message>
        <message>
            <source>Accent color</source>
            <translation>アクセント色</translation>
        </message>
        <message>
            <source>Small</source>
            <translation>小</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>既定</translation>
        </message>
        <message>
            <source>Medium</source>
            <translation>中</translation>
        </message>
        <message>
            <source>Large</source>
            <translation>大</translation>
        </message>
        <message>
            <source>X-Large</source>
            <translation>特大</translation>
        </message>
        <message>
            <source>&amp;Font size</source>
            <translation>文字サイズ(&amp;F)</translation>
        </message>
        <message>
            <source>Calendar</source>
            <translation>カレンダー</translation>
        </message>
        <message>
            <source>System default</source>
            <translation>システムの既定</translation>
        </message>
        <message>
            <source>Monday</source>
            <translation>月曜日</translation>
        </message>
        <message>
            <source>Tuesday</source>
            <translation>火曜日</translation>
        </message>
        <message>
            <source>Wednesday</source>
            <translation>水曜日</translation>
        </message>
        <message>
            <source>Thursday</source>
            <translation>木曜日</translation>
        </message>
        <message>
            <source>Friday</source>
            <translation>金曜日</translation>
        </message>
        <message>
            <source>Saturday</source>
            <translation>土曜日</translation>
        </message>
        <message>
            <source>Sunday</source>
            <translation>日曜日</translation>
        </message>
        <message>
            <source>Week starts on</source>
            <translation>週の開始日</translation>
        </message>
        <message>
            <source>to</source>
            <translation>～</translation>
        </message>
        <message>
            <source>Workday hours</source>
            <translation>勤務時間</translation>
        </message>
        <message>
            <source>Show week numbers in mini-cal</source>
            <translation>ミニカレンダーに週番号を表示</translation>
        </message>
        <message>
            <source>Default for new events</source>
            <translation>新しい予定の既定</translation>
        </message>
        <message>
            <source>Default for new tasks</source>
            <translation>新しいタスクの既定</translation>
        </message>
        <message>
            <source>(use first available)</source>
            <translation>（利用可能な最初のカレンダー）</translation>
        </message>
        <message>
            <source>(use last calendar)</source>
            <translation>（前回のカレンダーを使用）</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>時刻</translation>
        </message>
        <message>
            <source>12-hour (1:30 PM)</source>
            <translation>12 時間制（1:30 PM）</translation>
        </message>
        <message>
            <source>24-hour (13:30)</source>
            <translation>24 時間制（13:30）</translation>
        </message>
        <message>
            <source>Time format</source>
            <translation>時刻の表示形式</translation>
        </message>
        <message>
            <source>Weather</source>
            <translation>天気</translation>
        </message>
        <message>
            <source>Show weather in calendar headers</source>
            <translation>カレンダーの見出しに天気を表示</translation>
        </message>
        <message>
            <source>Configure location and units…</source>
            <translation>場所と単位を設定…</translation>
        </message>
        <message>
            <source>Startup</source>
            <translation>起動</translation>
        </message>
        <message>
            <source>Open at login</source>
            <translation>ログイン時に起動</translation>
        </message>
        <message>
            <source>Launch Tindlebrook Calendar to the system tray when you log in so calendars keep syncing without you needing to open the window.</source>
            <translation>ログイン時に Tindlebrook Calendar をシステムトレイで起動し、ウィンドウを開かなくてもカレンダーの同期を続けます。</translation>
        </message>
        <message>
            <source>Close to tray</source>
            <translation>閉じるとトレイに格納</translation>
        </message>
        <message>
            <source>When enabled, clicking the window's close button hides the window to the system tray instead of quitting. Use File → Quit to actually exit.</source>
            <translation>有効にすると、ウィンドウの閉じるボタンで終了せず、システムトレイに格納します。完全に終了するには ファイル → 終了 を使ってください。</translation>
        </message>
        <message>
            <source>Start minimized to tray</source>
            <translation>トレイに最小化して起動</translation>
        </message>
        <message>
            <source>Launch directly to the tray without showing the window — pair with Open at login for a fully background-running app.</source>
            <translation>ウィンドウを表示せずにトレイで直接起動します。「ログイン時に起動」と組み合わせると、完全にバックグラウンドで動作します。</translation>
        </message>
        <message>
            <source>Tasks</source>
            <translation>タスク</translation>
        </message>
        <message>
            <source>Ask me each time</source>
            <translation>毎回確認する</translation>
        </message>
        <message>
            <source>Create a new event from the task</source>
            <translation>タスクから新しい予定を作成</translation>
        </message>
        <message>
            <source>Set the task's start date</source>
            <translation>タスクの開始日を設定</translation>
        </message>
        <message>
            <source>Set the task's due date</source>
            <translation>タスクの期限を設定</translation>
        </message>
        <message>
            <source>When you drag a task from the Tasks pane onto the calendar, Tindlebrook can create a new event from it, fill in the task's start or due date based on where you dropped it, or ask you each time.</source>
            <translation>タスクパネルからタスクをカレンダーにドラッグすると、Tindlebrook はそのタスクから新しい予定を作成するか、ドロップした位置に応じてタスクの開始日または期限を設定するか、毎回確認します。</translation>
        </message>
        <message>
            <source>Drop a task onto the calendar:</source>
            <translation>タスクをカレンダーにドロップ:</translation>
        </message>
        <message>
            <source>Cross-device sync</source>
            <translation>デバイス間の同期</translation>
        </message>
        <message>
            <source>Pick what syncs through your Tindlebrook account to your other devices. Calendar events from Google, Microsoft, and CalDAV servers sync directly with those services and aren't affected by these toggles.</source>
            <translation>Tindlebrook アカウントを通じて他のデバイスと同期する項目を選択します。Google、Microsoft、CalDAV サーバーのカレンダーの予定はそれぞれのサービスと直接同期されるため、これらの設定の影響を受けません。</translation>
        </message>
        <message>
            <source>Filters</source>
            <translation>フィルター</translation>
        </message>
        <message>
            <source>Calendar groups</source>
            <translation>カレンダーグループ</translation>
        </message>
        <message>
            <source>Event templates</source>
            <translation>予定のテンプレート</translation>
        </message>
        <message>
            <source>App preferences (theme, time format, etc.)</source>
            <translation>アプリの設定（テーマ、時刻の表示形式など）</translation>
        </message>
        <message>
            <source>Account credentials (CalDAV servers and tokens)</source>
            <translation>アカウントの認証情報（CalDAV サーバーとトークン）</translation>
        </message>
        <message>
            <source>CalDAV usernames and app passwords ride alongside the rest of the bucket so a new device picks up your servers without re-entering credentials.</source>
            <translation>CalDAV のユーザー名とアプリパスワードも他のデータと一緒に同期されるため、新しいデバイスでも認証情報を入力し直さずにサーバーを利用できます。</translation>
        </message>
        <message>
            <source>Sync now</source>
            <translation>今すぐ同期</translation>
        </message>
        <message>
            <source>Sign in to your Tindlebrook account to start syncing.</source>
            <translation>同期を開始するには Tindlebrook アカウントにサインインしてください。</translation>
        </message>
        <message>
            <source>Syncing…</source>
            <translation>同期中…</translation>
        </message>
        <message>
            <source>Up to date</source>
            <translation>最新</translation>
        </message>
        <message>
            <source>Sync failed; will retry.</source>
            <translation>同期に失敗しました。再試行します。</translation>
        </message>
        <message>
            <source>Sign-in expired. Please sign in again.</source>
            <translation>サインインの有効期限が切れました。もう一度サインインしてください。</translation>
        </message>
        <message>
            <source>Offline. Will sync when reconnected.</source>
            <translation>オフラインです。再接続後に同期します。</translation>
        </message>
        <message>
            <source>Default accent (%1). Click to override.</source>
            <translation>既定のアクセント色（%1）。クリックで変更できます。</translation>
        </message>
        <message>
            <source>Custom accent (%1). Click to change.</source>
            <translation>カスタムのアクセント色（%1）。クリックで変更できます。</translation>
        </message>
        <message>
            <source>Preferences not saved</source>
            <translation>設定を保存できませんでした</translation>
        </message>
        <message>
            <source>These preferences could not be saved:
%1

The settings store may be read-only or full.</source>
            <translation>次の設定を保存できませんでした:
%1

設定の保存先が読み取り専用か、容量が不足している可能性があります。</translation>
        </message>
    </context>
    <context>
        <name>StatusPills</name>
        <message>
            <source>Manage filters</source>
            <translation>フィルターの管理</translation>
        </message>
        <message numerus="yes">
            <source>%n account(s) need sign-in</source>
            <translation>
                <numerusform>%n 件のアカウントでサインインが必要</numerusform>
            </translation>
        </message>
        <message>
            <source>Click to open Calendar Accounts and sign in.</source>
            <translation>クリックしてカレンダーアカウントを開き、サインインします。</translation>
        </message>
        <message numerus="yes">
            <source>%n account(s) need password</source>
            <translation>
                <numerusform>%n 件のアカウントでパスワードが必要</numerusform>
            </translation>
        </message>
        <message>
            <source>Click to open Calendar Accounts and re-enter the password.</source>
            <translation>クリックしてカレンダーアカウントを開き、パスワードを再入力します。</translation>
        </message>
        <message numerus="yes">
            <source>%n account(s) need attention</source>
            <translation>
                <numerusform>%n 件のアカウントで対応が必要</numerusform>
            </translation>
        </message>
        <message>
            <source>Click to open Calendar Accounts and resolve the issues.</source>
            <translation>クリックしてカレンダーアカウントを開き、問題を解決します。</translation>
        </message>
        <message>
            <source>Add Filter…</source>
            <translation>フィルターを追加…</translation>
        </message>
        <message>
            <source>Manage Filters…</source>
            <translation>フィルターの管理…</translation>
        </message>
        <message>
            <source>Disable all filters</source>
            <translation>すべてのフィルターをオフ</translation>
        </message>
        <message>
            <source>Enable all filters</source>
            <translation>すべてのフィルターをオン</translation>
        </message>
        <message>
            <source>No filters</source>
            <translation>フィルターなし</translation>
        </message>
        <message numerus="yes">
            <source>%n filter(s) applied</source>
            <translation>
                <numerusform>%n 件のフィルターを適用中</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n hidden</source>
            <translation>
                <numerusform>%n 件非表示</numerusform>
            </translation>
        </message>
        <message>
            <source>Could not save the filter.</source>
            <translation>フィルターを保存できませんでした。</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>データベースエラー</translation>
        </message>
    </context>
    <context>
        <name>SyncErrorCode</name>
        <message>
            <source>Password missing</source>
            <translation>パスワードがありません</translation>
        </message>
        <message>
            <source>Sign in required</source>
            <translation>サインインが必要です</translation>
        </message>
    </context>
    <context>
        <name>TaskActions</name>
        <message>
            <source>Couldn't change the task</source>
            <translation>タスクを変更できませんでした</translation>
        </message>
    </context>
    <context>
        <name>TaskDetailsPopover</name>
        <message>
            <source>Edit…</source>
            <translation>編集…</translation>
        </message>
        <message>
            <source>Add Subtask</source>
            <translation>サブタスクを追加</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>削除</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>今日</translation>
        </message>
        <message>
            <source>Tomorrow</source>
            <translation>明日</translation>
        </message>
        <message>
            <source>Yesterday</source>
            <translation>昨日</translation>
        </message>
        <message>
            <source>(Untitled task)</source>
            <translation>(無題のタスク)</translation>
        </message>
        <message>
            <source>▶  Starts %1</source>
            <translation>▶  開始 %1</translation>
        </message>
        <message>
            <source>%1 priority</source>
            <translation>優先度: %1</translation>
        </message>
        <message>
            <source>Mark incomplete</source>
            <translation>未完了にする</translation>
        </message>
        <message>
            <source>Mark complete</source>
            <translation>完了にする</translation>
        </message>
        <message>
            <source>Unknown calendar</source>
            <translation>不明なカレンダー</translation>
        </message>
        <message>
            <source>(Untitled event)</source>
            <translation>(無題の予定)</translation>
        </message>
        <message>
            <source>Linked event:</source>
            <translation>関連する予定:</translation>
        </message>
        <message>
            <source>Linked events:</source>
            <translation>関連する予定:</translation>
        </message>
        <message>
            <source>Task</source>
            <translation>タスク</translation>
        </message>
        <message>
            <source>Delete task?</source>
            <translation>タスクを削除しますか？</translation>
        </message>
        <message>
            <source>Delete "%1"? This cannot be undone.</source>
            <translation>「%1」を削除しますか？この操作は元に戻せません。</translation>
        </message>
    </context>
    <context>
        <name>TaskDrop</name>
        <message>
            <source>Create event from task</source>
            <translation>タスクから予定を作成</translation>
        </message>
        <message>
            <source>Set start date</source>
            <translation>開始日を設定</translation>
        </message>
        <message>
            <source>Set due date</source>
            <translation>期限を設定</translation>
        </message>
        <message>
            <source>Couldn't update task — see log.</source>
            <translation>タスクを更新できませんでした。ログを参照してください。</translation>
        </message>
        <message>
            <source>Task</source>
            <translation>タスク</translation>
        </message>
        <message>
            <source>Set start date for "%1" to %2</source>
            <translation>「%1」の開始日を %2 に設定</translation>
        </message>
        <message>
            <source>Set due date for "%1" to %2</source>
            <translation>「%1」の期限を %2 に設定</translation>
        </message>
    </context>
    <context>
        <name>TaskEditor</name>
        <message>
            <source>Task</source>
            <translation>タスク</translation>
        </message>
        <message>
            <source>"%1" could not be deleted. The log has the details.</source>
            <translation>「%1」を削除できませんでした。詳細はログを参照してください。</translation>
        </message>
        <message>
            <source>"%1" was copied to its new calendar, but not all of it could be removed from the old one. The log has the details.</source>
            <translation>「%1」は新しいカレンダーにコピーされましたが、元のカレンダーから完全には削除できませんでした。詳細はログを参照してください。</translation>
        </message>
        <message>
            <source>"%1" could not be stored, so nothing was changed. The log has the details.</source>
            <translation>「%1」を保存できなかったため、何も変更されていません。詳細はログを参照してください。</translation>
        </message>
        <message>
            <source>The task no longer exists.</source>
            <translation>このタスクはもう存在しません。</translation>
        </message>
    </context>
    <context>
        <name>TaskFormDialog</name>
        <message>
            <source>New Task</source>
            <translation>新しいタスク</translation>
        </message>
        <message>
            <source>Edit Task</source>
            <translation>タスクを編集</translation>
        </message>
        <message>
            <source>Edit task</source>
            <translation>タスクの編集</translation>
        </message>
        <message>
            <source>New task</source>
            <translation>新規タスク</translation>
        </message>
        <message>
            <source>Update the task and save to apply.</source>
            <translation>タスクを更新して保存してください。</translation>
        </message>
        <message>
            <source>Drop a quick to-do; due date and priority are optional.</source>
            <translation>やることをすばやく追加。期限と優先度は任意です。</translation>
        </message>
        <message>
            <source>Buy birthday gift, prep Q1 report…</source>
            <translation>誕生日プレゼントを買う、第1四半期の報告書を準備…</translation>
        </message>
        <message>
            <source>&amp;Title</source>
            <translation>タイトル(&amp;T)</translation>
        </message>
        <message>
            <source>&amp;Calendar</source>
            <translation>カレンダー(&amp;C)</translation>
        </message>
        <message>
            <source>Set start date</source>
            <translation>開始日を設定</translation>
        </message>
        <message>
            <source>&amp;Starts</source>
            <translation>開始(&amp;S)</translation>
        </message>
        <message>
            <source>Set due date</source>
            <translation>期限を設定</translation>
        </message>
        <message>
            <source>&amp;Due</source>
            <translation>期限(&amp;D)</translation>
        </message>
        <message>
            <source>Re&amp;minders</source>
            <translation>リマインダー(&amp;M)</translation>
        </message>
        <message>
            <source>Does not repeat</source>
            <translation>繰り返さない</translation>
        </message>
        <message>
            <source>&amp;Repeat</source>
            <translation>繰り返し(&amp;R)</translation>
        </message>
        <message>
            <source>Due date</source>
            <translation>期限日</translation>
        </message>
        <message>
            <source>Completion date</source>
            <translation>完了日</translation>
        </message>
        <message>
            <source>Due date: next due = current due + interval.
Completion date: next due = today + interval.</source>
            <translation>期限日: 次の期限 = 現在の期限 + 間隔
完了日: 次の期限 = 今日 + 間隔</translation>
        </message>
        <message>
            <source>Repeats &amp;from</source>
            <translation>繰り返しの基準(&amp;F)</translation>
        </message>
        <message>
            <source>— None</source>
            <translation>— なし</translation>
        </message>
        <message>
            <source>● High</source>
            <translation>● 高</translation>
        </message>
        <message>
            <source>● Medium</source>
            <translation>● 中</translation>
        </message>
        <message>
            <source>● Low</source>
            <translation>● 低</translation>
        </message>
        <message>
            <source>&amp;Priority</source>
            <translation>優先度(&amp;P)</translation>
        </message>
        <message>
            <source>Completed</source>
            <translation>完了済み</translation>
        </message>
        <message>
            <source>e.g. Personal, Health, Errands</source>
            <translation>例: 個人、健康、用事</translation>
        </message>
        <message>
            <source>&amp;Categories</source>
            <translation>カテゴリ(&amp;C)</translation>
        </message>
        <message>
            <source>Steps, links, context…</source>
            <translation>手順、リンク、補足…</translation>
        </message>
        <message>
            <source>&amp;Notes</source>
            <translation>メモ(&amp;N)</translation>
        </message>
        <message>
            <source>Save changes</source>
            <translation>変更を保存</translation>
        </message>
        <message>
            <source>Create task</source>
            <translation>タスクを作成</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
        <message>
            <source>At due time</source>
            <translation>期限の時刻</translation>
        </message>
        <message>
            <source>10 minutes before</source>
            <translation>10 分前</translation>
        </message>
        <message>
            <source>30 minutes before</source>
            <translation>30 分前</translation>
        </message>
        <message>
            <source>1 hour before</source>
            <translation>1 時間前</translation>
        </message>
        <message>
            <source>1 day before</source>
            <translation>1 日前</translation>
        </message>
        <message>
            <source>2 days before</source>
            <translation>2 日前</translation>
        </message>
        <message>
            <source>Add</source>
            <translation>追加</translation>
        </message>
        <message>
            <source>Subtasks stay in their parent task's calendar.</source>
            <translation>サブタスクは親タスクと同じカレンダーに入ります。</translation>
        </message>
        <message>
            <source>Edit Reminder</source>
            <translation>リマインダーを編集</translation>
        </message>
        <message>
            <source>New Reminder</source>
            <translation>新しいリマインダー</translation>
        </message>
        <message>
            <source>Edit reminder</source>
            <translation>リマインダーの編集</translation>
        </message>
        <message>
            <source>New reminder</source>
            <translation>新規リマインダー</translation>
        </message>
        <message>
            <source>A reminder is a to-do that nudges you at the time you set.</source>
            <translation>リマインダーは、設定した時刻に通知するタスクです。</translation>
        </message>
        <message>
            <source>Remind me</source>
            <translation>通知日時</translation>
        </message>
        <message>
            <source>Tags</source>
            <translation>タグ</translation>
        </message>
        <message>
            <source>Create reminder</source>
            <translation>リマインダーを作成</translation>
        </message>
        <message>
            <source>%1 minutes before</source>
            <translation>%1 分前</translation>
        </message>
        <message>
            <source>%1 hours before</source>
            <translation>%1 時間前</translation>
        </message>
        <message>
            <source>%1 days before</source>
            <translation>%1 日前</translation>
        </message>
        <message>
            <source>No reminders</source>
            <translation>リマインダーなし</translation>
        </message>
        <message>
            <source>Remove reminder</source>
            <translation>リマインダーを削除</translation>
        </message>
        <message>
            <source>Title required</source>
            <translation>タイトルが必要です</translation>
        </message>
        <message>
            <source>Please enter a title for the task.</source>
            <translation>タスクのタイトルを入力してください。</translation>
        </message>
        <message>
            <source>No calendars</source>
            <translation>カレンダーがありません</translation>
        </message>
        <message>
            <source>Create a calendar first.</source>
            <translation>先にカレンダーを作成してください。</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>データベースエラー</translation>
        </message>
        <message>
            <source>Could not save the task.</source>
            <translation>タスクを保存できませんでした。</translation>
        </message>
    </context>
    <context>
        <name>TaskMarks</name>
        <message>
            <source>High</source>
            <translation>高</translation>
        </message>
        <message>
            <source>Medium</source>
            <translation>中</translation>
        </message>
        <message>
            <source>Low</source>
            <translation>低</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>今日</translation>
        </message>
        <message>
            <source>Tomorrow</source>
            <translation>明日</translation>
        </message>
        <message>
            <source>Yesterday</source>
            <translation>昨日</translation>
        </message>
    </context>
    <context>
        <name>TasksPane</name>
        <message>
            <source>No tasks yet</source>
            <translation>タスクはまだありません</translation>
        </message>
        <message>
            <source>Create a task to track what needs doing.</source>
            <translation>タスクを作成して、やるべきことを管理しましょう。</translation>
        </message>
        <message>
            <source>Tasks</source>
            <translation>タスク</translation>
        </message>
        <message>
            <source>Filter tasks</source>
            <translation>タスクを絞り込む</translation>
        </message>
        <message>
            <source>+ New Task</source>
            <translation>+ 新しいタスク</translation>
        </message>
        <message>
            <source>All tasks</source>
            <translation>すべてのタスク</translation>
        </message>
        <message>
            <source>Due today</source>
            <translation>今日が期限</translation>
        </message>
        <message>
            <source>Due this week</source>
            <translation>今週が期限</translation>
        </message>
        <message>
            <source>Overdue</source>
            <translation>期限切れ</translation>
        </message>
        <message>
            <source>Group by calendar</source>
            <translation>カレンダーごとにまとめる</translation>
        </message>
        <message>
            <source>Hide completed</source>
            <translation>完了済みを隠す</translation>
        </message>
        <message>
            <source>Show notes</source>
            <translation>メモを表示</translation>
        </message>
        <message>
            <source>Show categories</source>
            <translation>カテゴリを表示</translation>
        </message>
        <message>
            <source>Nothing due today</source>
            <translation>今日が期限のタスクはありません</translation>
        </message>
        <message>
            <source>Switch the filter to see other tasks.</source>
            <translation>絞り込みを切り替えると他のタスクが表示されます。</translation>
        </message>
        <message>
            <source>Nothing due this week</source>
            <translation>今週が期限のタスクはありません</translation>
        </message>
        <message>
            <source>Nothing overdue</source>
            <translation>期限切れのタスクはありません</translation>
        </message>
        <message>
            <source>You're caught up. Nice.</source>
            <translation>すべて完了しています。</translation>
        </message>
        <message>
            <source>No calendars</source>
            <translation>カレンダーがありません</translation>
        </message>
        <message>
            <source>Create a calendar first.</source>
            <translation>先にカレンダーを作成してください。</translation>
        </message>
        <message>
            <source>Can't move task</source>
            <translation>タスクを移動できません</translation>
        </message>
        <message>
            <source>Subtasks must belong to the same calendar as their parent. Move "%1" to the same calendar first.</source>
            <translation>サブタスクは親タスクと同じカレンダーに置く必要があります。先に「%1」を同じカレンダーに移動してください。</translation>
        </message>
        <message>
            <source>Edit…</source>
            <translation>編集…</translation>
        </message>
        <message>
            <source>Add Subtask</source>
            <translation>サブタスクを追加</translation>
        </message>
        <message>
            <source>Mark Incomplete</source>
            <translation>未完了にする</translation>
        </message>
        <message>
            <source>Mark Complete</source>
            <translation>完了にする</translation>
        </message>
        <message>
            <source>Clear In Progress</source>
            <translation>進行中を解除</translation>
        </message>
        <message>
            <source>Mark In Progress</source>
            <translation>進行中にする</translation>
        </message>
        <message>
            <source>Restore Task</source>
            <translation>タスクを元に戻す</translation>
        </message>
        <message>
            <source>Mark Cancelled</source>
            <translation>キャンセル済みにする</translation>
        </message>
        <message>
            <source>Make Top-Level</source>
            <translation>最上位にする</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>削除</translation>
        </message>
        <message>
            <source>Delete task?</source>
            <translation>タスクを削除しますか？</translation>
        </message>
        <message>
            <source>Delete "%1"? This cannot be undone.</source>
            <translation>「%1」を削除しますか？この操作は元に戻せません。</translation>
        </message>
    </context>
    <context>
        <name>TasksPaneRow</name>
        <message>
            <source>(Untitled)</source>
            <translation>(無題)</translation>
        </message>
        <message>
            <source>Waiting to sync</source>
            <translation>同期待ち</translation>
        </message>
        <message>
            <source>IN PROGRESS</source>
            <translation>進行中</translation>
        </message>
        <message>
            <source>CANCELLED</source>
            <translation>キャンセル</translation>
        </message>
        <message>
            <source>↳ subtask</source>
            <translation>↳ サブタスク</translation>
        </message>
    </context>
    <context>
        <name>TemplateEditorDialog</name>
        <message>
            <source>New Template</source>
            <translation>新しいテンプレート</translation>
        </message>
        <message>
            <source>Edit Template</source>
            <translation>テンプレートを編集</translation>
        </message>
        <message>
            <source>At time of event</source>
            <translation>予定の時刻</translation>
        </message>
        <message numerus="yes">
            <source>%n minute(s) before</source>
            <translation>
                <numerusform>%n 分前</numerusform>
            </translation>
        </message>
        <message>
            <source>1 hour before</source>
            <translation>1 時間前</translation>
        </message>
        <message numerus="yes">
            <source>%n day(s) before</source>
            <translation>
                <numerusform>%n 日前</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n hour(s) before</source>
            <translation>
                <numerusform>%n 時間前</numerusform>
            </translation>
        </message>
        <message>
            <source>e.g., Standup, Doctor visit</source>
            <translation>例: 朝会、通院</translation>
        </message>
        <message>
            <source>Template name</source>
            <translation>テンプレート名</translation>
        </message>
        <message>
            <source>Event title shown on the calendar</source>
            <translation>カレンダーに表示される予定のタイトル</translation>
        </message>
        <message>
            <source>Event title</source>
            <translation>予定のタイトル</translation>
        </message>
        <message>
            <source>Description</source>
            <translation>説明</translation>
        </message>
        <message>
            <source>Optional location</source>
            <translation>場所（任意）</translation>
        </message>
        <message>
            <source>Location</source>
            <translation>場所</translation>
        </message>
        <message>
            <source>Use calendar color</source>
            <translation>カレンダーの色を使用</translation>
        </message>
        <message>
            <source>Color</source>
            <translation>色</translation>
        </message>
        <message>
            <source>(use default)</source>
            <translation>（既定を使用）</translation>
        </message>
        <message>
            <source>Calendar</source>
            <translation>カレンダー</translation>
        </message>
        <message>
            <source>All-day event</source>
            <translation>終日の予定</translation>
        </message>
        <message>
            <source>h</source>
            <translation>時間</translation>
        </message>
        <message>
            <source>m</source>
            <translation>分</translation>
        </message>
        <message>
            <source>Default duration</source>
            <translation>既定の長さ</translation>
        </message>
        <message>
            <source>Recurrence</source>
            <translation>繰り返し</translation>
        </message>
        <message>
            <source>Reminders</source>
            <translation>リマインダー</translation>
        </message>
        <message>
            <source>+ Add reminder</source>
            <translation>+ リマインダーを追加</translation>
        </message>
        <message>
            <source>No reminders</source>
            <translation>リマインダーなし</translation>
        </message>
        <message>
            <source>Remove reminder</source>
            <translation>リマインダーを削除</translation>
        </message>
        <message>
            <source>%1, click to change.</source>
            <translation>%1。クリックで変更できます。</translation>
        </message>
        <message>
            <source>Inherits the calendar's color. Click to override.</source>
            <translation>カレンダーの色を使用します。クリックで変更できます。</translation>
        </message>
        <message>
            <source>Template color</source>
            <translation>テンプレートの色</translation>
        </message>
        <message>
            <source>Does not repeat</source>
            <translation>繰り返さない</translation>
        </message>
        <message>
            <source>Missing name</source>
            <translation>名前がありません</translation>
        </message>
        <message>
            <source>Give this template a name so you can pick it later.</source>
            <translation>後で選べるように、テンプレートに名前を付けてください。</translation>
        </message>
        <message>
            <source>Missing event title</source>
            <translation>予定のタイトルがありません</translation>
        </message>
        <message>
            <source>Set the event title. That's what events created from this template will be called.</source>
            <translation>予定のタイトルを設定してください。このテンプレートから作成される予定の名前になります。</translation>
        </message>
    </context>
    <context>
        <name>TindAccount::ApiClient</name>
        <message>
            <source>Your sign-in has expired. Please sign in again.</source>
            <translation>サインインの有効期限が切れました。もう一度サインインしてください。</translation>
        </message>
        <message>
            <source>The service answered HTTP %1.</source>
            <translation>サービスが HTTP %1 を返しました。</translation>
        </message>
        <message>
            <source>The service could not be reached.</source>
            <translation>サービスに接続できませんでした。</translation>
        </message>
    </context>
    <context>
        <name>TindAccount::ShareMembersDialog</name>
        <message>
            <source>People with access</source>
            <translation>アクセスできるユーザー</translation>
        </message>
        <message>
            <source>Add people</source>
            <translation>ユーザーを追加</translation>
        </message>
        <message>
            <source>All group members already have access</source>
            <translation>グループのメンバー全員がすでにアクセスできます</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>閉じる</translation>
        </message>
        <message>
            <source>Not shared with anyone yet.</source>
            <translation>まだ誰とも共有していません。</translation>
        </message>
        <message>
            <source>Share</source>
            <translation>共有</translation>
        </message>
        <message>
            <source>Remove access</source>
            <translation>アクセスを削除</translation>
        </message>
        <message>
            <source>Could not share with %1.</source>
            <translation>%1 と共有できませんでした。</translation>
        </message>
        <message>
            <source>Remove access?</source>
            <translation>アクセスを削除しますか？</translation>
        </message>
        <message>
            <source>%1 will no longer have access. Continue?</source>
            <translation>%1 はアクセスできなくなります。続行しますか？</translation>
        </message>
        <message>
            <source>Could not remove %1.</source>
            <translation>%1 を削除できませんでした。</translation>
        </message>
    </context>
    <context>
        <name>TindUpdate::UpdateDialog</name>
        <message>
            <source>Update available</source>
            <translation>アップデートがあります</translation>
        </message>
        <message>
            <source>A new version of %1 is available.</source>
            <translation>%1 の新しいバージョンがあります。</translation>
        </message>
        <message>
            <source>You have version %1. The latest version is %2.</source>
            <translation>現在のバージョンは %1 です。最新バージョンは %2 です。</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>ダウンロード</translation>
        </message>
        <message>
            <source>Later</source>
            <translation>後で</translation>
        </message>
        <message>
            <source>Loading release notes…</source>
            <translation>リリースノートを読み込んでいます…</translation>
        </message>
        <message>
            <source>*Release notes are not available for this version.*</source>
            <translation>*このバージョンのリリースノートはありません。*</translation>
        </message>
    </context>
    <context>
        <name>TindUpdate::WhatsNewDialog</name>
        <message>
            <source>What's New in %1 %2</source>
            <translation>%1 %2 の新機能</translation>
        </message>
        <message>
            <source>What's new in %1 %2</source>
            <translation>%1 %2 の新機能</translation>
        </message>
        <message>
            <source>You are running version %1</source>
            <translation>現在のバージョンは %1 です</translation>
        </message>
        <message>
            <source>Download %1</source>
            <translation>%1 をダウンロード</translation>
        </message>
    </context>
    <context>
        <name>Tindlebrook::CalendarUpgradeService</name>
        <message>
            <source>Calendar's account is missing</source>
            <translation>カレンダーのアカウントがありません</translation>
        </message>
        <message>
            <source>Only Tindlebrook-native calendars can be upgraded</source>
            <translation>アップグレードできるのは Tindlebrook のカレンダーのみです</translation>
        </message>
        <message>
            <source>Calendar is already on Tindlebrook</source>
            <translation>カレンダーはすでに Tindlebrook にあります</translation>
        </message>
        <message>
            <source>Not signed in</source>
            <translation>サインインしていません</translation>
        </message>
        <message>
            <source>Server registration failed (HTTP %1)</source>
            <translation>サーバーへの登録に失敗しました（HTTP %1）</translation>
        </message>
        <message numerus="yes">
            <source>%n event(s) or task(s) could not be uploaded to Tindlebrook.</source>
            <translation>
                <numerusform>%n 件の予定またはタスクを Tindlebrook にアップロードできませんでした。</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>Tindlebrook::SharingBackend</name>
        <message>
            <source>Not signed in</source>
            <translation>サインインしていません</translation>
        </message>
        <message>
            <source>Sharing failed (HTTP %1)</source>
            <translation>共有に失敗しました（HTTP %1）</translation>
        </message>
    </context>
    <context>
        <name>Tindlebrook::SyncClient</name>
        <message>
            <source>Not signed in</source>
            <translation>サインインしていません</translation>
        </message>
        <message>
            <source>Tindlebrook pull failed (HTTP %1)</source>
            <translation>Tindlebrook からの取得に失敗しました（HTTP %1）</translation>
        </message>
        <message>
            <source>Tindlebrook pull: %1 event(s) could not be stored</source>
            <translation>Tindlebrook からの受信: %1 件の予定を保存できませんでした</translation>
        </message>
        <message>
            <source>Tindlebrook push: %1 event(s) failed</source>
            <translation>Tindlebrook への送信: %1 件の予定が失敗しました</translation>
        </message>
        <message>
            <source>Tindlebrook pull failed: the service's answer could not be read</source>
            <translation>Tindlebrook からの取得に失敗しました: サービスの応答を読み取れませんでした</translation>
        </message>
    </context>
    <context>
        <name>TrayManager</name>
        <message>
            <source>&amp;Show Calendar</source>
            <translation>カレンダーを表示(&amp;S)</translation>
        </message>
        <message>
            <source>Sync &amp;Now</source>
            <translation>今すぐ同期(&amp;N)</translation>
        </message>
        <message>
            <source>&amp;Quit</source>
            <translation>終了(&amp;Q)</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — Last sync failed</source>
            <translation>Tindlebrook Calendar — 前回の同期に失敗しました</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — Sync failed: %1</source>
            <translation>Tindlebrook Calendar — 同期に失敗しました: %1</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — No upcoming events</source>
            <translation>Tindlebrook Calendar — 今後の予定はありません</translation>
        </message>
        <message>
            <source>Untitled</source>
            <translation>無題</translation>
        </message>
        <message>
            <source>today</source>
            <translation>今日</translation>
        </message>
        <message>
            <source>tomorrow</source>
            <translation>明日</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — Next: %1 (%2, all day)</source>
            <translation>Tindlebrook Calendar — 次の予定: %1（%2、終日）</translation>
        </message>
        <message>
            <source>at %1</source>
            <translation>%1</translation>
        </message>
        <message>
            <source>tomorrow at %1</source>
            <translation>明日 %1</translation>
        </message>
        <message>
            <source>Tindlebrook Calendar — Next: %1 %2</source>
            <translation>Tindlebrook Calendar — 次の予定: %1 %2</translation>
        </message>
    </context>
    <context>
        <name>UnencryptedSecretsNotice</name>
        <message>
            <source>Passwords Not Encrypted</source>
            <translation>パスワードは暗号化されていません</translation>
        </message>
        <message>
            <source>No desktop keyring is available, so your account passwords and sign-in tokens are kept in a file in your data folder without encryption. Anyone who can read your files can read them.

Install or unlock a keyring (such as GNOME Keyring or KWallet) to keep them encrypted.</source>
            <translation>デスクトップのキーリングが利用できないため、アカウントのパスワードとサインイン トークンはデータ フォルダー内のファイルに暗号化されずに保存されています。あなたのファイルを読める人は誰でもそれらを読めます。

暗号化して保管するには、キーリング（GNOME Keyring や KWallet など）をインストールするかロックを解除してください。</translation>
        </message>
    </context>
    <context>
        <name>UpdateUi</name>
        <message>
            <source>No release notes available for %1 %2</source>
            <translation>%1 %2 のリリースノートはありません</translation>
        </message>
        <message>
            <source>Checking for updates…</source>
            <translation>アップデートを確認しています…</translation>
        </message>
        <message>
            <source>%1 is up to date (version %2)</source>
            <translation>%1 は最新です（バージョン %2）</translation>
        </message>
        <message>
            <source>Update check failed: %1</source>
            <translation>アップデートの確認に失敗しました: %1</translation>
        </message>
        <message>
            <source>Loading release notes…</source>
            <translation>リリースノートを読み込んでいます…</translation>
        </message>
    </context>
    <context>
        <name>ViewArea</name>
        <message>
            <source>Day</source>
            <translation>日</translation>
        </message>
        <message>
            <source>Week</source>
            <translation>週</translation>
        </message>
        <message>
            <source>Days</source>
            <translation>複数日</translation>
        </message>
        <message>
            <source>Month</source>
            <translation>月</translation>
        </message>
        <message>
            <source>Year</source>
            <translation>年</translation>
        </message>
        <message>
            <source>Grid</source>
            <translation>グリッド</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>今日</translation>
        </message>
        <message>
            <source>Days timeline span — Ctrl+Shift+1..5 for 3 / 5 / 7 / 10 / 14 days</source>
            <translation>表示日数 — Ctrl+Shift+1..5 で 3 / 5 / 7 / 10 / 14 日</translation>
        </message>
        <message numerus="yes">
            <source>%n days</source>
            <translation>
                <numerusform>%n 日</numerusform>
            </translation>
        </message>
        <message>
            <source>%1d</source>
            <translation>%1日</translation>
        </message>
        <message>
            <source>Add Calendar Group…</source>
            <translation>カレンダーグループを追加…</translation>
        </message>
        <message>
            <source>Edit Current Group…</source>
            <translation>現在のグループを編集…</translation>
        </message>
        <message>
            <source>Delete Current Group</source>
            <translation>現在のグループを削除</translation>
        </message>
        <message>
            <source>Delete group?</source>
            <translation>グループを削除しますか？</translation>
        </message>
        <message>
            <source>Delete "%1"? You can recreate it later.</source>
            <translation>「%1」を削除しますか？後で作り直すことができます。</translation>
        </message>
        <message>
            <source>Today · %1</source>
            <translation>今日 · %1</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>データベースエラー</translation>
        </message>
        <message>
            <source>Could not delete the group.</source>
            <translation>グループを削除できませんでした。</translation>
        </message>
    </context>
    <context>
        <name>ViewFormDialog</name>
        <message>
            <source>Edit Calendar Group</source>
            <translation>カレンダーグループを編集</translation>
        </message>
        <message>
            <source>Add Calendar Group</source>
            <translation>カレンダーグループを追加</translation>
        </message>
        <message>
            <source>Calendar Groups are saved sets of calendars you switch between. Pick which calendars belong to this group, leave the list empty to include every visible calendar.</source>
            <translation>カレンダーグループは、切り替えて使うカレンダーの組み合わせです。このグループに含めるカレンダーを選んでください。空欄にすると表示中のすべてのカレンダーが含まれます。</translation>
        </message>
        <message>
            <source>e.g. Work, Personal, Travel</source>
            <translation>例: 仕事、個人、旅行</translation>
        </message>
        <message>
            <source>&amp;Name:</source>
            <translation>名前(&amp;N):</translation>
        </message>
        <message>
            <source>&amp;Accent:</source>
            <translation>アクセント色(&amp;A):</translation>
        </message>
        <message>
            <source>Calendars:</source>
            <translation>カレンダー:</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>保存</translation>
        </message>
        <message>
            <source>Create Group</source>
            <translation>グループを作成</translation>
        </message>
        <message>
            <source>“All Calendars” always covers every visible calendar — its membership can't be edited. Toggle individual calendars from their own menus instead.</source>
            <translation>「すべてのカレンダー」は常に表示中のすべてのカレンダーを含み、内容は編集できません。個々のカレンダーはそれぞれのメニューから切り替えてください。</translation>
        </message>
        <message>
            <source>(no accent)</source>
            <translation>（アクセントなし）</translation>
        </message>
        <message>
            <source>Pick a group accent color</source>
            <translation>グループのアクセント色を選択</translation>
        </message>
        <message>
            <source>Name required</source>
            <translation>名前が必要です</translation>
        </message>
        <message>
            <source>Please enter a name for the group.</source>
            <translation>グループの名前を入力してください。</translation>
        </message>
        <message>
            <source>Database Error</source>
            <translation>データベースエラー</translation>
        </message>
        <message>
            <source>Could not save the group.</source>
            <translation>グループを保存できませんでした。</translation>
        </message>
    </context>
    <context>
        <name>Weather::GeocodingClient</name>
        <message>
            <source>Geocoding did not answer in time</source>
            <translation>位置検索が時間内に応答しませんでした</translation>
        </message>
        <message>
            <source>Geocoding returned HTTP %1</source>
            <translation>位置検索が HTTP %1 を返しました</translation>
        </message>
    </context>
    <context>
        <name>Weather::Service</name>
        <message>
            <source>Open-Meteo did not answer in time</source>
            <translation>Open-Meteo が時間内に応答しませんでした</translation>
        </message>
        <message>
            <source>Open-Meteo returned HTTP %1</source>
            <translation>Open-Meteo が HTTP %1 を返しました</translation>
        </message>
        <message>
            <source>Open-Meteo sent a forecast that could not be read</source>
            <translation>Open-Meteo から読み取れない予報が届きました</translation>
        </message>
    </context>
    <context>
        <name>WeatherSettingsDialog</name>
        <message>
            <source>Weather</source>
            <translation>天気</translation>
        </message>
        <message>
            <source>Show weather alongside your calendar. Forecast comes from Open-Meteo (free, no signup). Search for a city below to set the location.</source>
            <translation>カレンダーと一緒に天気を表示します。予報は Open-Meteo（無料、登録不要）から取得します。下で都市を検索して場所を設定してください。</translation>
        </message>
        <message>
            <source>Enable weather</source>
            <translation>天気を有効にする</translation>
        </message>
        <message>
            <source>City name or postal code</source>
            <translation>都市名または郵便番号</translation>
        </message>
        <message>
            <source>Search</source>
            <translation>検索</translation>
        </message>
        <message>
            <source>&amp;City:</source>
            <translation>都市(&amp;C):</translation>
        </message>
        <message>
            <source>No location set.</source>
            <translation>場所が設定されていません。</translation>
        </message>
        <message>
            <source>Current location: %1</source>
            <translation>現在の場所: %1</translation>
        </message>
        <message>
            <source>Celsius (°C)</source>
            <translation>摂氏（°C）</translation>
        </message>
        <message>
            <source>Fahrenheit (°F)</source>
            <translation>華氏（°F）</translation>
        </message>
        <message>
            <source>&amp;Units:</source>
            <translation>単位(&amp;U):</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>保存</translation>
        </message>
        <message>
            <source>No matches found.</source>
            <translation>該当する場所が見つかりませんでした。</translation>
        </message>
        <message>
            <source>Search failed: %1</source>
            <translation>検索に失敗しました: %1</translation>
        </message>
        <message>
            <source>Searching…</source>
            <translation>検索中…</translation>
        </message>
        <message>
            <source>Weather not saved</source>
            <translation>天気の設定を保存できませんでした</translation>
        </message>
        <message>
            <source>The weather settings could not be saved. The settings store may be read-only or full.</source>
            <translation>天気の設定を保存できませんでした。設定の保存先が読み取り専用か、容量が不足している可能性があります。</translation>
        </message>
    </context>
    <context>
        <name>Webcal::SyncClient</name>
        <message>
            <source>Invalid subscription URL: %1</source>
            <translation>購読 URL が無効です: %1</translation>
        </message>
        <message>
            <source>The feed is larger than %1 MB.</source>
            <translation>フィードが %1 MB を超えています。</translation>
        </message>
        <message>
            <source>The server did not answer within %1 seconds.</source>
            <translation>サーバーが %1 秒以内に応答しませんでした。</translation>
        </message>
        <message>
            <source>Subscription fetch failed (%1): %2</source>
            <translation>購読の取得に失敗しました（%1）: %2</translation>
        </message>
        <message>
            <source>Subscription fetch failed: HTTP %1</source>
            <translation>購読の取得に失敗しました: HTTP %1</translation>
        </message>
        <message>
            <source>Subscription returned an empty body</source>
            <translation>購読の応答が空でした</translation>
        </message>
        <message>
            <source>Subscription did not return a calendar</source>
            <translation>購読からカレンダーが返されませんでした</translation>
        </message>
        <message>
            <source>Subscription returned an incomplete calendar</source>
            <translation>購読から不完全なカレンダーが返されました</translation>
        </message>
        <message>
            <source>Subscription has more than %1 events</source>
            <translation>購読の予定が %1 件を超えています</translation>
        </message>
        <message>
            <source>Subscription events could not be saved</source>
            <translation>購読の予定を保存できませんでした</translation>
        </message>
    </context>
    <context>
        <name>WebcalSubscriptionDialog</name>
        <message>
            <source>Add Subscription</source>
            <translation>購読を追加</translation>
        </message>
        <message>
            <source>Subscribe to a public ICS feed (holidays, sports schedules, shared calendars). Updates pull on every sync; the calendar is read-only.</source>
            <translation>公開 ICS フィード（祝日、スポーツの日程、共有カレンダーなど）を購読します。同期のたびに更新され、カレンダーは読み取り専用です。</translation>
        </message>
        <message>
            <source>URL</source>
            <translation>URL</translation>
        </message>
        <message>
            <source>Optional, derived from URL when blank</source>
            <translation>任意。空欄の場合は URL から設定</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>名前</translation>
        </message>
        <message>
            <source>Color</source>
            <translation>色</translation>
        </message>
        <message>
            <source>Subscribe</source>
            <translation>購読</translation>
        </message>
        <message>
            <source>Calendar Color</source>
            <translation>カレンダーの色</translation>
        </message>
        <message>
            <source>URL required</source>
            <translation>URL が必要です</translation>
        </message>
        <message>
            <source>Enter a feed URL to subscribe.</source>
            <translation>購読するフィードの URL を入力してください。</translation>
        </message>
        <message>
            <source>Invalid URL</source>
            <translation>無効な URL</translation>
        </message>
        <message>
            <source>Couldn't parse "%1". Provide a full URL (https://, http://, or webcal://).</source>
            <translation>「%1」を解析できませんでした。完全な URL（https://、http://、webcal://）を入力してください。</translation>
        </message>
        <message>
            <source>Couldn't save</source>
            <translation>保存できませんでした</translation>
        </message>
        <message>
            <source>Couldn't create the subscription calendar.</source>
            <translation>購読カレンダーを作成できませんでした。</translation>
        </message>
    </context>
    <context>
        <name>WeekGridWidget</name>
        <message numerus="yes">
            <source>+%n more</source>
            <translation>
                <numerusform>他 %n 件</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>WeekTimelineWidget</name>
        <message>
            <source>%1 min</source>
            <translation>%1 分</translation>
        </message>
    </context>
    <context>
        <name>WelcomeDialog</name>
        <message>
            <source>Welcome</source>
            <translation>ようこそ</translation>
        </message>
        <message>
            <source>Welcome to Tindlebrook Calendar</source>
            <translation>Tindlebrook Calendar へようこそ</translation>
        </message>
        <message>
            <source>We've set up a Personal calendar so you can start adding events right away. Everything you create stays on this device unless you choose to sync it.

When you're ready, open Calendar Accounts to connect Google, Microsoft, or any CalDAV server (Synology, Nextcloud, Radicale, iCloud), or add another local calendar.</source>
            <translation>すぐに予定を追加できるよう、「Personal」カレンダーを用意しました。作成した内容は、同期を選ばない限りこのデバイスにだけ保存されます。

準備ができたら、カレンダーアカウントを開いて Google、Microsoft、または任意の CalDAV サーバー（Synology、Nextcloud、Radicale、iCloud）に接続するか、別のローカルカレンダーを追加してください。</translation>
        </message>
        <message>
            <source>We've set up a Personal calendar so you can start adding events right away. Everything you create stays on this device unless you choose to sync it.

When you're ready, open Calendar Accounts to connect %1 or any CalDAV server (Synology, Nextcloud, Radicale, iCloud), or add another local calendar.</source>
            <translation>すぐに予定を追加できるよう、「Personal」カレンダーを用意しました。作成した内容は、同期を選ばない限りこのデバイスにだけ保存されます。

準備ができたら、カレンダーアカウントを開いて %1 または任意の CalDAV サーバー（Synology、Nextcloud、Radicale、iCloud）に接続するか、別のローカルカレンダーを追加してください。</translation>
        </message>
        <message>
            <source>We've set up a Personal calendar so you can start adding events right away. Everything you create stays on this device unless you choose to sync it.

When you're ready, open Calendar Accounts to connect any CalDAV server (Synology, Nextcloud, Radicale, iCloud), or add another local calendar.</source>
            <translation>すぐに予定を追加できるよう、「Personal」カレンダーを用意しました。作成した内容は、同期を選ばない限りこのデバイスにだけ保存されます。

準備ができたら、カレンダーアカウントを開いて任意の CalDAV サーバー（Synology、Nextcloud、Radicale、iCloud）に接続するか、別のローカルカレンダーを追加してください。</translation>
        </message>
        <message>
            <source>Get Started</source>
            <translation>始める</translation>
        </message>
        <message>
            <source>Add Account…</source>
            <translation>アカウントを追加…</translation>
        </message>
    </context>
    <context>
        <name>WinTrayPopover</name>
        <message>
            <source>Group</source>
            <translation>グループ</translation>
        </message>
        <message>
            <source>Add event — e.g. "lunch Thursday 1pm"</source>
            <translation>予定を追加 — 例: 「lunch Thursday 1pm」</translation>
        </message>
        <message>
            <source>Open Calendar</source>
            <translation>カレンダーを開く</translation>
        </message>
        <message>
            <source>Sync Now</source>
            <translation>今すぐ同期</translation>
        </message>
        <message>
            <source>Preferences</source>
            <translation>設定</translation>
        </message>
        <message>
            <source>No calendars yet</source>
            <translation>カレンダーはまだありません</translation>
        </message>
        <message>
            <source>No upcoming events</source>
            <translation>今後の予定はありません</translation>
        </message>
        <message>
            <source>Nothing scheduled in the next 24 hours.</source>
            <translation>今後 24 時間の予定はありません。</translation>
        </message>
        <message>
            <source>Untitled</source>
            <translation>無題</translation>
        </message>
        <message>
            <source>Today</source>
            <translation>今日</translation>
        </message>
        <message>
            <source>  No more events today</source>
            <translation>  今日の予定はもうありません</translation>
        </message>
        <message>
            <source>Tomorrow</source>
            <translation>明日</translation>
        </message>
        <message>
            <source>  Nothing scheduled</source>
            <translation>  予定なし</translation>
        </message>
        <message>
            <source>All-day</source>
            <translation>終日</translation>
        </message>
        <message>
            <source>Today, all day</source>
            <translation>今日、終日</translation>
        </message>
        <message>
            <source>Tomorrow, all day</source>
            <translation>明日、終日</translation>
        </message>
        <message>
            <source>%1 at %2</source>
            <translation>%1 %2</translation>
        </message>
        <message>
            <source>now</source>
            <translation>現在</translation>
        </message>
        <message>
            <source>in %1 min</source>
            <translation>%1 分後</translation>
        </message>
        <message>
            <source>in %1h</source>
            <translation>%1 時間後</translation>
        </message>
        <message>
            <source>in %1h %2m</source>
            <translation>%1 時間 %2 分後</translation>
        </message>
        <message>
            <source>(Unnamed)</source>
            <translation>（名前なし）</translation>
        </message>
        <message>
            <source>Couldn't save event</source>
            <translation>予定を保存できませんでした</translation>
        </message>
    </context>
    <context>
        <name>AddressDialog</name>
        <message>
            <source>Copy</source>
            <translation>コピー</translation>
        </message>
        <message>
            <source>Copied</source>
            <translation>コピーしました</translation>
        </message>
        <message>
            <source>No browser opened</source>
            <translation>ブラウザーが開きませんでした</translation>
        </message>
        <message>
            <source>%1 could not be opened in a browser. Copy this address into your browser:</source>
            <translation>%1 をブラウザーで開けませんでした。このアドレスをブラウザーにコピーしてください:</translation>
        </message>
    </context>
    <context>
        <name>CloudSignIn</name>
        <message>
            <source>The sign-in page</source>
            <translation>サインインページ</translation>
        </message>
    </context>
    <context>
        <name>SubscriptionCalendar</name>
        <message>
            <source>&quot;%1&quot; could not be loaded: %2</source>
            <translation>「%1」を読み込めませんでした: %2</translation>
        </message>
        <message>
            <source>Subscription not loaded</source>
            <translation>購読を読み込めませんでした</translation>
        </message>
    </context>
    <context>
        <name>MeetingMove</name>
        <message>
            <source>"%1" has guests, and Outlook would send them a new invitation (or a cancellation) if it moved to "%2". It stays in "%3".</source>
            <translation>「%1」には招待者がいるため、「%2」に移動すると Outlook が新しい招待（または取り消し）を送信します。「%3」に残ります。</translation>
        </message>
        <message>
            <source>"%1" is organized by %2, and on Google it would become your own meeting, shown to its guests without its organizer, if it moved to "%3". It stays in "%4".</source>
            <translation>「%1」の主催者は %2 です。「%3」に移動すると、Google ではあなた自身の会議になり、招待者には主催者のいない会議として表示されます。「%4」に残ります。</translation>
        </message>
    </context>
    <context>
        <name>RecurringEditScope</name>
        <message>
            <source>"%1" was left as it was: its repeat rule cannot move every occurrence by the same days (a day such as the 31st, or the second Monday of a month). Change the rule in the event form, or move the occurrences one at a time.</source>
            <translation>「%1」は変更されませんでした。繰り返しルールでは、すべての回を同じ日数だけ移動できません（31日や毎月第2月曜日など）。予定フォームでルールを変更するか、1回ずつ移動してください。</translation>
        </message>
        <message>
            <source>"%1" was left as it was: its repeat rule cannot start again from this occurrence and keep the same days (a day such as the 31st, which shorter months move to their last day). Change the rule in the event form, or move the occurrences one at a time.</source>
            <translation>「%1」は変更されませんでした。繰り返しルールをこの回から同じ日のまま始め直すことはできません（31日など。短い月では月末日になります）。予定フォームでルールを変更するか、1回ずつ移動してください。</translation>
        </message>
        <message>
            <source>The event</source>
            <translation>この予定</translation>
        </message>
    </context>
</TS>
