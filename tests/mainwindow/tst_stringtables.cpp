// The string tables: the German one covers everything, and lookups fall back
// as they should.
#include <QFile>
#include <QMap>
#include <QTest>
#include <QXmlStreamReader>

#include "mainwindow/localizedstringtable.h"
#include "resources/bundle.h"

using namespace Qt::Literals::StringLiterals;

namespace {

struct TsMessage {
    QString translation;
    bool finished = true;
};
using TsContexts = QMap<QString, QMap<QString, TsMessage>>; // context -> source -> message

TsContexts readTs(const char *language)
{
    QFile file(u"%1/resources/translations/atnlingo_%2.ts"_s.arg(QStringLiteral(ATNLINGO_SOURCE_DIR),
                                                                  QLatin1StringView(language)));
    TsContexts contexts;
    if (!file.open(QIODevice::ReadOnly))
        return contexts;
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
            contexts[context][source] = {xml.readElementText(), finished};
        }
    }
    return contexts;
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
    const TsContexts english = readTs("en");
    QVERIFY(english.value(u"Localizable"_s).size() >= 13);
    // German has every message, finished, with the driver's placeholders in
    // order and its lines built from the same pieces.
    const TsContexts german = readTs("de");
    QCOMPARE(german.keys(), english.keys());
    for (auto context = german.cbegin(); context != german.cend(); ++context) {
        QCOMPARE(context->keys(), english.value(context.key()).keys());
        for (auto message = context->cbegin(); message != context->cend(); ++message) {
            const QString where = context.key() + u": "_s + message.key();
            QVERIFY2(message->finished && !message->translation.isEmpty(), qPrintable(where));
            // Keys that are English texts themselves have no English translation.
            QString source = english.value(context.key()).value(message.key()).translation;
            if (source.isEmpty())
                source = message.key();
            QVERIFY2(message->translation.count(u"%@"_s) == source.count(u"%@"_s)
                         && message->translation.endsWith(u'\n') == source.endsWith(u'\n')
                         && message->translation.endsWith(u' ') == source.endsWith(u' '),
                     qPrintable(where));
        }
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
