#include "calendar/descriptionlinks.h"
#include "calendar/htmlsanitizer.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

namespace {

const QString rule = QString(80, QLatin1Char('_'));

QString teamsInvitation()
{
    return QStringLiteral("Quarterly review, agenda attached.\n"
                          "\n")
           + rule + QStringLiteral("\n"
                                   "Microsoft Teams\n"
                                   "Join the meeting now<https://teams.microsoft.com/l/meetup-join/abc>\n"
                                   "Meeting ID: 123 456\n"
                                   "Dial in: <https://dialin.example.com/x>\n"
                                   "\n\n\n"
                                   "Need help?<https://aka.ms/JoinTeamsMeeting>\n"
                                   "\n"
                                   "For organizers: Meeting options<https://teams.microsoft.com/opts>\n")
           + rule + QStringLiteral("\n");
}

const QString joinAnchor = QStringLiteral(
    "<a href=\"https://teams.microsoft.com/l/meetup-join/abc\">Join Microsoft Teams Meeting</a>");

// A golden file's text without its one final line feed.
QString readGolden(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QString text = QString::fromUtf8(file.readAll());
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

QStringList anchorTargets(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    QStringList targets;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isAnchor() && !format.anchorHref().isEmpty())
                targets << format.anchorHref();
        }
    }
    return targets;
}

} // namespace

class TestDescriptionLinks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nonTeamsTextIsUnchanged_data();
    void nonTeamsTextIsUnchanged();
    void teamsInvitationIsReduced_data();
    void teamsInvitationIsReduced();
    void teamsInvitationStartingWithItsLinkStartsWithTheAnchor();
    void teamsJoinAddressCannotLeaveItsAttribute();
    void looksLikeHtml_data();
    void looksLikeHtml();
    void linkify_data();
    void linkify();
    void sanitizerKeepsFormattingAndSafeLinksOnly_data();
    void sanitizerKeepsFormattingAndSafeLinksOnly();
    void richTextFromPlainAndHtml_data();
    void richTextFromPlainAndHtml();
    void richTextCarriesOnlySafeLinks_data();
    void richTextCarriesOnlySafeLinks();
    void plainTextReadsBackExactly_data();
    void plainTextReadsBackExactly();
    void goldenDescriptionsRender_data();
    void goldenDescriptionsRender();
};

void TestDescriptionLinks::nonTeamsTextIsUnchanged_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("trailing white space kept") << QStringLiteral("Bring slides  \n\n\n\n");
    QTest::newRow("lower-case words") << QStringLiteral("join via microsoft teams\n<https://x.org>\n\n\n");
    QTest::newRow("rules and help lines kept")
        << (rule + QStringLiteral("\nNeed help?\nFor organizers: x"));
    QTest::newRow("empty") << QString();
}

void TestDescriptionLinks::nonTeamsTextIsUnchanged()
{
    QFETCH(QString, text);
    QCOMPARE(cleanTeamsDescription(text, QString()), text);
    QCOMPARE(cleanTeamsDescription(text, QStringLiteral("https://meet.example/x")), text);
}

void TestDescriptionLinks::teamsInvitationIsReduced_data()
{
    QTest::addColumn<QString>("conferenceUrl");
    QTest::addColumn<QString>("expected");
    const QString tail = QStringLiteral("Meeting ID: 123 456\nDial in: https://dialin.example.com/x");
    QTest::newRow("no conference url: join anchor")
        << QString()
        << (QStringLiteral("Quarterly review, agenda attached.\n\n") + joinAnchor + QStringLiteral("\n\n") + tail);
    QTest::newRow("conference url: join text dropped")
        << QStringLiteral("https://teams.microsoft.com/l/meetup-join/abc")
        << (QStringLiteral("Quarterly review, agenda attached.\n\n") + tail);
}

void TestDescriptionLinks::teamsInvitationIsReduced()
{
    QFETCH(QString, conferenceUrl);
    QFETCH(QString, expected);
    QCOMPARE(cleanTeamsDescription(teamsInvitation(), conferenceUrl), expected);
}

void TestDescriptionLinks::teamsInvitationStartingWithItsLinkStartsWithTheAnchor()
{
    const QString text = QStringLiteral(
        "Microsoft Teams\nJoin the meeting now<https://teams.microsoft.com/l/x>\nMeeting ID: 1\n");
    QCOMPARE(cleanTeamsDescription(text, QString()),
             QStringLiteral("<a href=\"https://teams.microsoft.com/l/x\">Join Microsoft Teams Meeting</a>\n\nMeeting ID: 1"));
}

void TestDescriptionLinks::teamsJoinAddressCannotLeaveItsAttribute()
{
    const QString text = QStringLiteral(
        "Microsoft Teams\nJoin the meeting now<https://teams.microsoft.com/l/x\" onmouseover=\"alert(1)>\n");
    const QString cleaned = cleanTeamsDescription(text, QString());
    QCOMPARE(cleaned, QStringLiteral("<a href=\"https://teams.microsoft.com/l/x&quot; onmouseover=&quot;alert(1)\">"
                                     "Join Microsoft Teams Meeting</a>"));
    const QString html = descriptionToRichText(text, QString(), QString());
    QVERIFY2(!html.contains(QLatin1String("\" onmouseover")), qPrintable(html));
    for (const QString &target : anchorTargets(html))
        QVERIFY(target.startsWith(QLatin1String("https://teams.microsoft.com/")));
}

void TestDescriptionLinks::looksLikeHtml_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("html");
    QTest::newRow("paragraph") << "<p>Hello</p>" << true;
    QTest::newRow("upper-case break") << "line<BR>line" << true;
    QTest::newRow("spaced tag") << "< div class=x>" << true;
    QTest::newRow("anchor") << "<a href=\"x\">" << true;
    QTest::newRow("letter comparison") << "if x<y then" << false;
    QTest::newRow("comparison with a") << "if x<a then" << true;
    QTest::newRow("unknown tag only") << "<script>alert(1)</script>" << false;
    QTest::newRow("prefix of a longer tag name") << "<pre>code</pre>" << false;
    QTest::newRow("plain") << "Bring slides" << false;
}

void TestDescriptionLinks::looksLikeHtml()
{
    QFETCH(QString, text);
    QFETCH(bool, html);
    QCOMPARE(::looksLikeHtml(text), html);
}

void TestDescriptionLinks::linkify_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<QString>("expected");
    QTest::newRow("full stop stays outside")
        << "see https://example.com." << ""
        << "see <a href=\"https://example.com\">https://example.com</a>.";
    QTest::newRow("closing parenthesis stays outside")
        << "(https://example.com/a)" << ""
        << "(<a href=\"https://example.com/a\">https://example.com/a</a>)";
    QTest::newRow("several trailing marks")
        << "really https://x.org/a?!..." << ""
        << "really <a href=\"https://x.org/a\">https://x.org/a</a>?!...";
    QTest::newRow("escaped ampersand kept in the address")
        << "go to https://x.org/p?q=1&amp;r=2, then" << ""
        << "go to <a href=\"https://x.org/p?q=1&amp;r=2\">https://x.org/p?q=1&amp;r=2</a>, then";
    QTest::newRow("inside href left alone")
        << "<a href=\"https://x.org\">site</a>" << "" << "<a href=\"https://x.org\">site</a>";
    QTest::newRow("anchor text left alone")
        << "<a href=\"https://x.org\">https://x.org</a>" << ""
        << "<a href=\"https://x.org\">https://x.org</a>";
    QTest::newRow("single-quoted anchor text left alone")
        << "<a href='https://x.org'>https://x.org</a>" << ""
        << "<a href='https://x.org'>https://x.org</a>";
    QTest::newRow("coloured")
        << "http://a.b" << "#4285F4" << "<a href=\"http://a.b\" style=\"color:#4285F4;\">http://a.b</a>";
    QTest::newRow("upper-case scheme") << "HTTPS://EXAMPLE.COM" << ""
                                       << "<a href=\"HTTPS://EXAMPLE.COM\">HTTPS://EXAMPLE.COM</a>";
    QTest::newRow("other schemes and bare hosts stay text")
        << "javascript:alert(1) ftp://x.org www.x.org data:text/html,x" << ""
        << "javascript:alert(1) ftp://x.org www.x.org data:text/html,x";
    QTest::newRow("escaped angle brackets end the address")
        << "&lt;https://x.org/a&gt;" << "" << "&lt;<a href=\"https://x.org/a\">https://x.org/a</a>&gt;";
    QTest::newRow("escaped quote ends the address")
        << "https://x.org/&quot;onmouseover=&quot;x" << ""
        << "<a href=\"https://x.org/\">https://x.org/</a>&quot;onmouseover=&quot;x";
    QTest::newRow("two addresses")
        << "https://a.com and https://b.com" << ""
        << "<a href=\"https://a.com\">https://a.com</a> and <a href=\"https://b.com\">https://b.com</a>";
    QTest::newRow("address inside another attribute")
        << "<span title=\"see https://x.org\">t</span>" << "" << "<span title=\"see https://x.org\">t</span>";
    QTest::newRow("address inside a formatted anchor text")
        << "<a href=\"https://x.org\"><b>https://x.org</b></a> https://y.org" << ""
        << "<a href=\"https://x.org\"><b>https://x.org</b></a> <a href=\"https://y.org\">https://y.org</a>";
    QTest::newRow("unfinished tag") << "<a title='https://x.org" << "" << "<a title='https://x.org";
    QTest::newRow("hostile colour is escaped")
        << "http://a.b" << "red\" onclick=\"x"
        << "<a href=\"http://a.b\" style=\"color:red&quot; onclick=&quot;x;\">http://a.b</a>";
}

void TestDescriptionLinks::linkify()
{
    QFETCH(QString, text);
    QFETCH(QString, colour);
    QFETCH(QString, expected);
    QCOMPARE(linkifyDescription(text, colour), expected);
}

void TestDescriptionLinks::sanitizerKeepsFormattingAndSafeLinksOnly_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("expected");
    QTest::newRow("formatting kept") << "<p>Hello <b>there</b></p>" << "<p>Hello <b>there</b></p>";
    QTest::newRow("script and its code") << "<script>alert(1)</script>ok" << "ok";
    QTest::newRow("upper-case script") << "<SCRIPT type=\"text/javascript\">x()</SCRIPT >ok" << "ok";
    QTest::newRow("image with handler") << "<img src=x onerror=alert(1)>pic" << "pic";
    QTest::newRow("javascript link") << "<a href=\"javascript:alert(1)\">x</a>" << "<a>x</a>";
    QTest::newRow("entity-encoded scheme") << "<a href=\"&#106;avascript:alert(1)\">x</a>" << "<a>x</a>";
    QTest::newRow("named-entity colon") << "<a href=\"javascript&colon;alert(1)\">x</a>" << "<a>x</a>";
    QTest::newRow("tab inside scheme") << "<a href=\"java&#x09;script:alert(1)\">x</a>" << "<a>x</a>";
    QTest::newRow("https kept, handler dropped")
        << "<a href=\" https://ok.example/a?b=1&amp;c=2 \" onclick=\"steal()\">ok</a>"
        << "<a href=\"https://ok.example/a?b=1&amp;c=2\">ok</a>";
    QTest::newRow("mailto kept") << "<a href='mailto:me@example.com'>mail</a>"
                                 << "<a href=\"mailto:me@example.com\">mail</a>";
    QTest::newRow("unquoted href") << "<A HREF=https://x.org/y>u</A>" << "<a href=\"https://x.org/y\">u</a>";
    QTest::newRow("data url") << "<a href=\"data:text/html;base64,PHNjcmlwdD4=\">d</a>" << "<a>d</a>";
    QTest::newRow("vbscript") << "<a href=\"vbscript:msgbox\">v</a>" << "<a>v</a>";
    QTest::newRow("file url") << "<a href=\"file:///etc/passwd\">f</a>" << "<a>f</a>";
    QTest::newRow("scheme-relative") << "<a href=\"//evil.example/x\">r</a>" << "<a>r</a>";
    QTest::newRow("first href wins") << "<a href=\"https://ok\" href=\"javascript:x\">k</a>"
                                     << "<a href=\"https://ok\">k</a>";
    QTest::newRow("quote inside a safe href stays inside")
        << "<a href=\"https://x.org/&quot;onmouseover=&quot;alert(1)\">q</a>"
        << "<a href=\"https://x.org/&quot;onmouseover=&quot;alert(1)\">q</a>";
    QTest::newRow("style, class and id dropped")
        << "<div style=\"background:url(javascript:x)\" class=\"c\" id=\"i\">t</div>" << "<div>t</div>";
    QTest::newRow("frame") << "<iframe src=\"https://evil\"></iframe>after" << "after";
    QTest::newRow("svg") << "<svg onload=alert(1)><circle/></svg>after" << "after";
    QTest::newRow("style sheet") << "<style>p{color:red}</style><p>x</p>" << "<p>x</p>";
    QTest::newRow("meta refresh") << "<meta http-equiv=\"refresh\" content=\"0;url=https://evil\"><p>x</p>"
                                  << "<p>x</p>";
    QTest::newRow("form keeps its text only")
        << "<form action=\"https://evil\"><input value=\"x\"><button>Go</button></form>" << "Go";
    QTest::newRow("comment") << "<!-- <script>x</script> -->text" << "text";
    QTest::newRow("processing instruction") << "<?xml version=\"1.0\"?><p>x</p>" << "<p>x</p>";
    QTest::newRow("comparison signs escaped") << "a < b and c > d" << "a &lt; b and c &gt; d";
    QTest::newRow("angle bracket inside a quoted value")
        << "<a title=\">\" href=\"javascript:x\">t</a>" << "<a>t</a>";
    QTest::newRow("split tag name") << "<scr<script>ipt>alert(1)</script>" << "ipt&gt;alert(1)";
    QTest::newRow("unfinished tag is text") << "unfinished <script" << "unfinished &lt;script";
    QTest::newRow("unterminated quote is text")
        << "<a href=\"https://x.org\" t=\"> tail" << "&lt;a href=\"https://x.org\" t=\"&gt; tail";
    QTest::newRow("handler on formatting") << "<b onmouseover=\"x\">bold</b>" << "<b>bold</b>";
    QTest::newRow("self-closing break") << "a<br/>b<BR>c" << "a<br>b<br>c";
}

void TestDescriptionLinks::sanitizerKeepsFormattingAndSafeLinksOnly()
{
    QFETCH(QString, html);
    QFETCH(QString, expected);
    QCOMPARE(HtmlSanitizer::sanitize(html), expected);
}

void TestDescriptionLinks::richTextFromPlainAndHtml_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("conferenceUrl");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain text is escaped, then linked")
        << "Lunch <script>alert(1)</script> at https://x.org." << ""
        << "Lunch &lt;script&gt;alert(1)&lt;/script&gt; at <a href=\"https://x.org\">https://x.org</a>.";
    QTest::newRow("line feeds become breaks") << "a\nb & c" << "" << "a<br/>b &amp; c";
    QTest::newRow("angle-bracketed address in plain text")
        << "Notes <https://x.org/n>" << ""
        << "Notes &lt;<a href=\"https://x.org/n\">https://x.org/n</a>&gt;";
    QTest::newRow("html is sanitised, then linked")
        << "<p onclick=\"x()\">Hi https://x.org</p><script>bad()</script>" << ""
        << "<p>Hi <a href=\"https://x.org\">https://x.org</a></p>";
    QTest::newRow("teams plain text keeps its join anchor")
        << "Microsoft Teams\nJoin the meeting now<https://teams.microsoft.com/l/x>\nID: <b>1</b>" << ""
        << "<a href=\"https://teams.microsoft.com/l/x\">Join Microsoft Teams Meeting</a><br/><br/>ID: &lt;b&gt;1&lt;/b&gt;";
    QTest::newRow("teams with conference url")
        << "Microsoft Teams\nJoin the meeting now<https://teams.microsoft.com/l/x>\nID: 1"
        << "https://teams.microsoft.com/l/x" << "ID: 1";
}

void TestDescriptionLinks::richTextFromPlainAndHtml()
{
    QFETCH(QString, description);
    QFETCH(QString, conferenceUrl);
    QFETCH(QString, expected);
    QCOMPARE(descriptionToRichText(description, conferenceUrl, QString()), expected);
}

void TestDescriptionLinks::richTextCarriesOnlySafeLinks_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<int>("links");
    QTest::newRow("html links of every scheme")
        << "<div><a href=\"javascript:alert(1)\">j</a> <a href=\"https://ok.example\">h</a> "
           "<a href=\"mailto:a@b.c\">m</a> <a href=\"file:///c:/x\">f</a> <a href=\"tel:123\">t</a></div>"
        << 2;
    QTest::newRow("html with handlers and images")
        << "<p><img src=\"http://track.example/p.gif\" onerror=\"x\"><span onclick=\"y\">s</span></p>" << 0;
    QTest::newRow("plain text that carries markup")
        << "call <a href=\"javascript:alert(1)\">here</a> or https://ok.example/x" << 1;
    QTest::newRow("teams invitation") << teamsInvitation() << 2;
    QTest::newRow("encoded schemes")
        << "<p><a href=\"&#x6A;&#x61;vascript:x\">a</a><a href=\"  JAVASCRIPT:x\">b</a></p>" << 0;
}

void TestDescriptionLinks::richTextCarriesOnlySafeLinks()
{
    QFETCH(QString, description);
    QFETCH(int, links);
    const QString html = descriptionToRichText(description, QString(), QStringLiteral("#4285F4"));
    static const QRegularExpression forbidden(
        QStringLiteral(R"(<\s*(script|img|iframe|style|svg)|\son\w+\s*=|javascript:|file:|tel:)"),
        QRegularExpression::CaseInsensitiveOption);
    QVERIFY2(!forbidden.match(html).hasMatch(), qPrintable(html));
    const QStringList targets = anchorTargets(html);
    QCOMPARE(targets.size(), links);
    for (const QString &target : targets) {
        QVERIFY2(target.startsWith(QLatin1String("https://")) || target.startsWith(QLatin1String("http://"))
                     || target.startsWith(QLatin1String("mailto:")),
                 qPrintable(target));
    }
}

void TestDescriptionLinks::plainTextReadsBackExactly_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("markup-like text") << "if a<b && c>d then \"quote\" 'single'";
    QTest::newRow("script text") << "<script>alert(1)</script>";
    QTest::newRow("address with trailing stop") << "see https://x.org/a?b=1&c=2.";
    QTest::newRow("entity-looking text") << "&lt;b&gt; is not bold";
}

void TestDescriptionLinks::plainTextReadsBackExactly()
{
    QFETCH(QString, text);
    QVERIFY(!::looksLikeHtml(text));
    QTextDocument document;
    document.setHtml(descriptionToRichText(text, QString(), QString()));
    QCOMPARE(document.toPlainText(), text);
}

void TestDescriptionLinks::goldenDescriptionsRender_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("expected");
    const QString folder = QFINDTESTDATA("data/descriptions");
    QVERIFY2(!folder.isEmpty(), "data/descriptions missing");
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
        const QString base = name.chopped(5);
        QString description = readGolden(dir.filePath(name));
        QString expected = readGolden(dir.filePath(base + QStringLiteral(".expected")));
        QVERIFY2(!description.isEmpty() && !expected.isEmpty(), qPrintable(base));
        if (base.endsWith(QLatin1String(".repeat"))) {
            const int times = 1000000 / int(description.size());
            description = description.repeated(times);
            expected = expected.repeated(times);
        }
        QTest::newRow(qPrintable(base)) << description << expected;
    }
}

void TestDescriptionLinks::goldenDescriptionsRender()
{
    QFETCH(QString, description);
    QFETCH(QString, expected);
    QCOMPARE(descriptionToRichText(description, QString(), QString()), expected);
}

QTEST_MAIN(TestDescriptionLinks)
#include "tst_descriptionlinks.moc"
