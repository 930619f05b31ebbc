#include "bundle.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QPainter>
#include <QSvgRenderer>
#include <QTranslator>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace bundle {
namespace {

QString imageResource(const QString &name)
{
    return u":/images/"_s + name + u".svg"_s;
}

struct Translators {
    std::unique_ptr<QTranslator> application;
    std::unique_ptr<QTranslator> toolkit;
};

Translators &translators()
{
    static Translators installed;
    return installed;
}

QString &overriddenResourcePath()
{
    static QString path;
    return path;
}

} // namespace

QPixmap imageNamed(const QString &name, const QSize &size, qreal devicePixelRatio)
{
    if (!hasImageNamed(name))
        return {};
    QSvgRenderer renderer(imageResource(name));
    if (!renderer.isValid())
        return {};
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

bool hasImageNamed(const QString &name)
{
    return !name.isEmpty() && QFileInfo::exists(imageResource(name));
}

QIcon applicationIcon()
{
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(imageNamed(u"atnlingo"_s, QSize(side, side)));
    return icon;
}

QString localizedString(const char *key)
{
    return QCoreApplication::translate("Localizable", key);
}

QString installTranslations(const QLocale &locale)
{
    Translators &installed = translators();
    for (auto *slot : {&installed.application, &installed.toolkit}) {
        if (*slot)
            QCoreApplication::removeTranslator(slot->get());
        slot->reset();
    }

    auto application = std::make_unique<QTranslator>();
    if (!application->load(locale, u"atnlingo"_s, u"_"_s, u":/i18n"_s))
        (void)application->load(u"atnlingo_en"_s, u":/i18n"_s);
    const QString language = application->language();
    QCoreApplication::installTranslator(application.get());
    installed.application = std::move(application);

    // The toolkit's own texts (file dialog buttons and the like), when the
    // system has them for this language.
    auto toolkit = std::make_unique<QTranslator>();
    if (toolkit->load(QLocale(language), u"qtbase"_s, u"_"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(toolkit.get());
        installed.toolkit = std::move(toolkit);
    }
    return language;
}

QString resourcePath()
{
    if (!overriddenResourcePath().isEmpty())
        return overriddenResourcePath();
    const QDir programDir(QCoreApplication::applicationDirPath());
#ifdef Q_OS_MACOS
    return QDir::cleanPath(programDir.filePath(u"../Resources"_s));
#else
    return QDir::cleanPath(programDir.filePath(u"../share/atnlingo"_s));
#endif
}

void setResourcePath(const QString &path)
{
    overriddenResourcePath() = path;
}

QString pathForResource(const QString &name, const QString &type)
{
    const QString path = QDir(resourcePath()).filePath(name + u'.' + type);
    return QFileInfo(path).isFile() ? QDir::cleanPath(path) : QString();
}

} // namespace bundle
