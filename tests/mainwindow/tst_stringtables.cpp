// The string tables: the German one covers everything, and lookups fall back
// as they should.
#include <QFile>
#include <QMap>
#include <QTest>
#include <QXmlStreamReader>

#include "guisupport/localizedstringtable.h"
#include "resources/bundle.h"

using namespace Qt::Literals::StringLiterals;

namespace {

struct TsMessage {
    QString source;
    QString translation;
    bool finished = true;
};
using TsMessages = QMap<QString, TsMessage>; // "context: source" -> message

TsMessages readTs(const char *language)
{
    QFile file(u"%1/resources/translations/atnlingo_%2.ts"_s.arg(QStringLiteral(ATNLINGO_SOURCE_DIR),
                                                                  QLatin1StringView(language)));
    TsMessages messages;
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"source")
            source = xml.readElementText();
        else if (xml.name() == u"translation") {
            const bool finished = xml.attributes().value(QLatin1StringView("type")).isEmpty();
            messages[context + u": "_s + source] = {source, xml.readElementText(), finished};
        }
    }
    return messages;
}

} // namespace

class TestStringTables : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { bundle::installTranslations(QLocale(QLocale::English)); }

    void germanCoversEverything();
    void lookupFollowsTheLocale_data();
    void lookupFollowsTheLocale();
};

void TestStringTables::germanCoversEverything()
{
    const TsMessages english = readTs("en");
    QVERIFY(english.size() >= 13);
    // German has every message, finished, with the driver's placeholders in
    // order and its lines built from the same pieces.
    const TsMessages german = readTs("de");
    QCOMPARE(german.keys(), english.keys());
    for (auto message = german.cbegin(); message != german.cend(); ++message) {
        QVERIFY2(message->finished && !message->translation.isEmpty(), qPrintable(message.key()));
        // Keys that are English texts themselves have no English translation.
        QString source = english.value(message.key()).translation;
        if (source.isEmpty())
            source = message->source;
        QVERIFY2(message->translation.count(u"%@"_s) == source.count(u"%@"_s)
                     && message->translation.endsWith(u'\n') == source.endsWith(u'\n')
                     && message->translation.endsWith(u' ') == source.endsWith(u' '),
                 qPrintable(message.key()));
    }
}

void TestStringTables::lookupFollowsTheLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("done");
    QTest::addColumn<QString>("help");
    QTest::newRow("Swiss German") << QLocale(QLocale::German, QLocale::Switzerland) << u"Fertig.\n"_s << u"help/help_de"_s;
    QTest::newRow("French falls back to English") << QLocale(QLocale::French) << u"Done.\n"_s << u"help/help"_s;
}

void TestStringTables::lookupFollowsTheLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, done);
    QFETCH(QString, help);
    bundle::installTranslations(locale);
    QCOMPARE(LocalizedStringTable().text("Done"), done.toStdString());
    // Help opens each language's own page, and that page is there.
    QCOMPARE(bundle::localizedString("help/help"), help);
    bundle::setResourcePath(QStringLiteral(ATNLINGO_SOURCE_DIR "/resources"));
    QVERIFY(!bundle::pathForResource(help, u"html"_s).isEmpty());
    QCOMPARE(LocalizedStringTable().text("No such key %@"), std::string("No such key %@"));
}

QTEST_MAIN(TestStringTables)
#include "tst_stringtables.moc"
