// The program's fonts hold no Japanese: a Japanese interface must draw its
// ideographs in Japanese forms even where the desktop's language would pick
// another font of the same family of fallbacks. This process runs as on a
// Chinese desktop.
#include "app/application.h"
#include "tests/support/tempdatadir.h"

#include <QFontDatabase>
#include <QGlyphRun>
#include <QRawFont>
#include <QSettings>
#include <QTest>
#include <QTextLayout>

namespace {

// The families that draw the text in the application font, sorted: the
// layout hands out its runs in no fixed order.
QStringList familiesDrawing(const QString &text)
{
    QTextLayout layout(text, QApplication::font());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList families;
    for (const QGlyphRun &run : layout.glyphRuns())
        families << run.rawFont().familyName();
    families.sort();
    return families;
}

} // namespace

class TestJapaneseFont : public QObject
{
    Q_OBJECT

public:
    explicit TestJapaneseFont(Application *app)
        : m_app(app)
    {
    }

private Q_SLOTS:
    void japaneseInterfaceDrawsJapaneseForms()
    {
        const QStringList installed = QFontDatabase::families();
        if (!installed.contains(QStringLiteral("Noto Sans CJK JP")) || !installed.contains(QStringLiteral("Noto Sans CJK SC")))
            QSKIP("the Noto CJK fonts the run command installs are missing");
        QSettings().setValue(QStringLiteral("ui/language"), QStringLiteral("ja"));
        m_app->loadTranslations();
        // "Edit event": kanji and kana, no Latin letter.
        QCOMPARE(familiesDrawing(QStringLiteral("予定を編集")), QStringList{QStringLiteral("Noto Sans CJK JP")});
        QCOMPARE(familiesDrawing(QStringLiteral("Tokyo 予定")),
                 (QStringList{QStringLiteral("IBM Plex Sans"), QStringLiteral("Noto Sans CJK JP")}));
    }

private:
    Application *m_app;
};

int main(int argc, char **argv)
{
    // Before anything reads the locale.
    qputenv("LANG", "zh_CN.UTF-8");
    qputenv("LC_ALL", "zh_CN.UTF-8");
    TempDataDir dir;
    qputenv("CALENDAR_NONINTERACTIVE", "1");
    Application app(argc, argv);
    TestJapaneseFont test(&app);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_japanesefont.moc"
